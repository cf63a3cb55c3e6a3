"""The release package as a user receives it, built by scripts/make-dist.py from the Windows build
(QB_WIN_DIR, or build/win): what the zip holds, in which encodings, whether it is the same byte for
byte from the same inputs, and whether its name, the program's version resource and the read-me
agree on the version.

Run: python3 -m unittest discover -s tests/dist -v
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("QB_WIN_DIR", os.path.join(ROOT, "build", "win"))
MAKE_DIST = os.path.join(ROOT, "scripts", "make-dist.py")
WRITE_VERSION = os.path.join(ROOT, "cmake", "WriteVersion.cmake")
OBJDUMP = shutil.which("x86_64-w64-mingw32-objdump") or "objdump"
INPUTS = ("Quorbell.exe", "Quorbell.exe.debug", "Readme.txt", "License.txt", os.path.join("generated", "version.txt"))


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def read_text(path):
    with open(path, encoding="ascii") as f:
        return f.read()


def run_make_dist(*args, env=None):
    subprocess.run([sys.executable, MAKE_DIST, *args], check=True, capture_output=True, env=env)


def copy_inputs(target, mtime, mode):
    """The build's outputs the package is made of, copied with the given file times and modes."""
    for name in INPUTS:
        path = os.path.join(target, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        shutil.copyfile(os.path.join(BUILD, name), path)
        os.chmod(path, mode)
        os.utime(path, (mtime, mtime))


def version_strings(exe):
    """Every ProductVersion text of the program's version resource (one per language block)."""
    data = read_bytes(exe)
    key = "ProductVersion\0".encode("utf-16-le")
    found = []
    for match in re.finditer(re.escape(key), data):
        at = match.end()
        while data[at:at + 2] == b"\0\0":  # padding to the next 32-bit boundary
            at += 2
        end = at
        while data[end:end + 2] != b"\0\0":
            end += 2
        found.append(data[at:end].decode("utf-16-le"))
    return found


def section_names(path):
    out = subprocess.run([OBJDUMP, "-h", path], check=True, capture_output=True, text=True).stdout
    return re.findall(r"^\s*\d+\s+(\S+)", out, re.MULTILINE)


@unittest.skipUnless(os.path.isfile(os.path.join(BUILD, "Quorbell.exe")), "no Windows build")
class ReleasePackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.out = os.path.join(cls.temp.name, "dist")
        run_make_dist("zip", "--build", BUILD, "--out", cls.out)
        cls.version = read_text(os.path.join(BUILD, "generated", "version.txt")).strip()
        cls.zip_path = os.path.join(cls.out, f"Quorbell-{cls.version}-win64.zip")

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def read(self, name):
        with zipfile.ZipFile(self.zip_path) as archive:
            return archive.read(name)

    def test_same_inputs_give_the_same_bytes_whatever_their_file_times_and_modes(self):
        builds = []
        for n, (mtime, mode) in enumerate([(1_000_000_000, 0o644), (1_700_000_001, 0o755)]):
            build = os.path.join(self.temp.name, f"inputs{n}")
            copy_inputs(build, mtime, mode)
            out = os.path.join(self.temp.name, f"out{n}")
            run_make_dist("zip", "--build", build, "--out", out, env=dict(os.environ, SOURCE_DATE_EPOCH="1767225600"))
            builds.append(read_bytes(os.path.join(out, os.path.basename(self.zip_path))))
        self.assertEqual(builds[0], builds[1])
        # The time stored is the one asked for, not a file's own.
        with zipfile.ZipFile(os.path.join(self.temp.name, "out0", os.path.basename(self.zip_path))) as archive:
            self.assertEqual({info.date_time for info in archive.infolist()}, {(2026, 1, 1, 0, 0, 0)})

    def test_holds_exactly_the_stripped_program_the_readme_and_the_licence_with_the_symbols_beside_it(self):
        with zipfile.ZipFile(self.zip_path) as archive:
            self.assertEqual(archive.namelist(), ["Quorbell.exe", "Readme.txt", "License.txt"])
            self.assertIsNone(archive.testzip())
        self.assertEqual(sorted(os.listdir(self.out)),
                         sorted([os.path.basename(self.zip_path), f"Quorbell-{self.version}-win64.exe.debug"]))
        program = self.read("Quorbell.exe")
        self.assertEqual(program, read_bytes(os.path.join(BUILD, "Quorbell.exe")))
        shipped = os.path.join(self.temp.name, "shipped.exe")
        with open(shipped, "wb") as f:
            f.write(program)
        sections = section_names(shipped)
        self.assertIn(".text", sections)
        self.assertFalse([s for s in sections if s.startswith(".debug") or s.startswith("/")], sections)
        self.assertIn(".gnu_debuglink", sections)
        # No time of day in the header, so the same sources make the same program.
        header = int.from_bytes(program[0x3C:0x40], "little")
        self.assertEqual(program[header:header + 4], b"PE\0\0")
        self.assertEqual(int.from_bytes(program[header + 8:header + 12], "little"), 0, "a link time in the header")
        symbols = os.path.join(self.out, f"Quorbell-{self.version}-win64.exe.debug")
        self.assertIn(".debug_info", section_names(symbols))

    def test_readme_and_licence_are_code_page_932_with_crlf_and_say_what_a_user_needs(self):
        for name in ("Readme.txt", "License.txt"):
            data = self.read(name)
            text = data.decode("cp932")  # strict: fails on any byte sequence Shift-JIS does not have
            self.assertFalse(data.startswith(b"\xef\xbb\xbf"), name)
            self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), f"{name}: a line end without CR")
            self.assertNotIn("\r\r", text, name)
        readme = self.read("Readme.txt").decode("cp932")
        self.assertIn(f"バージョン {self.version}", readme)
        self.assertNotIn("@", readme.replace("@@", ""))  # no placeholder left
        for needed in ("shell:startup", "作業フォルダー", "dic フォルダー", "Quorbell.bmp", r"%APPDATA%\Quorbell\Quorbell.ini",
                       r"C:\Windows", "アンインストール", "Quorbellの終了", "License.txt"):
            self.assertIn(needed, readme)
        licence = self.read("License.txt").decode("cp932")
        for needed in ("MIT License", "Copyright (c) 2026 Quorbell 開発者一同", "mingw-w64 project", "Lucent Technologies",
                       "winpthreads", "Lockless Inc.", "GCC Runtime Library Exception"):
            self.assertIn(needed, licence)

    def test_the_version_resource_the_package_name_and_the_readme_agree(self):
        self.assertRegex(self.version, r"^\d+\.\d+\.\d+(-g[0-9a-f]{7})?$")
        self.assertEqual(set(version_strings(os.path.join(BUILD, "Quorbell.exe"))), {self.version})
        self.assertEqual(len(version_strings(os.path.join(BUILD, "Quorbell.exe"))), 2)  # Japanese and English blocks


@unittest.skipUnless(shutil.which("git") and shutil.which("cmake"), "needs git and cmake")
class VersionText(unittest.TestCase):
    """The version text of a commit: the project's version at its tag, with the commit's name otherwise."""

    def version_of(self, repo, version):
        out = os.path.join(repo, "out")
        subprocess.run(["cmake", f"-DVERSION={version}", f"-DSOURCE_DIR={repo}", f"-DOUTPUT_DIR={out}", "-P",
                        WRITE_VERSION], check=True, capture_output=True)
        header = read_text(os.path.join(out, "QuorbellVersion.h"))
        text = read_text(os.path.join(out, "version.txt")).strip()
        self.assertIn(f'#define QB_VERSION_TEXT "{text}"', header)
        return text, header

    def test_tagged_commit_has_the_plain_version_and_any_other_its_short_name(self):
        with tempfile.TemporaryDirectory() as repo:
            git = ["git", "-C", repo, "-c", "user.name=t", "-c", "user.email=t@t"]
            subprocess.run(git[:3] + ["init", "-q"], check=True)
            subprocess.run(git + ["commit", "-q", "--allow-empty", "-m", "one"], check=True)
            sha = subprocess.run(git[:3] + ["rev-parse", "--short=7", "HEAD"], check=True, capture_output=True,
                                 text=True).stdout.strip()
            text, header = self.version_of(repo, "2.10.3")
            self.assertEqual(text, f"2.10.3-g{sha}")
            for line in ("#define QB_VERSION_MAJOR 2", "#define QB_VERSION_MINOR 10", "#define QB_VERSION_PATCH 3",
                         '#define QB_FILE_VERSION_TEXT "2.10.3.0"'):
                self.assertIn(line, header)
            self.assertEqual(self.version_of(repo, "2.10.3")[0], text)  # the same commit, the same text
            # A tag of another version does not count.
            subprocess.run(git + ["tag", "v2.10.2"], check=True)
            self.assertEqual(self.version_of(repo, "2.10.3")[0], text)
            subprocess.run(git + ["tag", "v2.10.3"], check=True)
            self.assertEqual(self.version_of(repo, "2.10.3")[0], "2.10.3")


if __name__ == "__main__":
    unittest.main()
