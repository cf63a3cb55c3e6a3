#!/usr/bin/env python3
"""Builds what Quorbell ships.

  make-dist.py texts --build DIR
      Writes DIR/Readme.txt and DIR/License.txt as they ship: Shift-JIS (code page 932) with CRLF
      line ends, the read-me with the version of DIR/generated/version.txt, the licence with the
      notices of the runtime libraries linked into the program.
  make-dist.py zip --build DIR --out OUT
      Writes OUT/Quorbell-<version>-win64.zip holding Quorbell.exe, Readme.txt and License.txt
      of DIR, and puts the program's symbols beside it as OUT/Quorbell-<version>-win64.exe.debug.

Japanese Windows opens a text file without a byte-order mark as code page 932, in Notepad of
every version and in every other viewer; older Notepads show a file without CR as one long line.

The zip is the same byte for byte whenever its inputs are: its entries are in a fixed order with
a fixed time (SOURCE_DATE_EPOCH when set, otherwise the time of the checked-out commit), fixed
attributes and no extra fields, whatever the files' own times and permissions.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = "Quorbell.exe"
README = "Readme.txt"
LICENCE = "License.txt"
# In the order they are stored.
ENTRIES = (PROGRAM, README, LICENCE)
# A date inside the range a zip can hold, for trees without git.
FALLBACK_EPOCH = 946684800  # 2000-01-01 00:00:00 UTC
FILE_ATTRIBUTE_ARCHIVE = 0x20


def fail(message):
    sys.exit("make-dist: " + message)


def read_version(build):
    path = os.path.join(build, "generated", "version.txt")
    try:
        with open(path, encoding="ascii") as f:
            version = f.read().strip()
    except OSError as error:
        fail(f"cannot read the version ({error}); build the program first")
    if not version:
        fail(f"{path} is empty")
    return version


def shipped_text(text):
    """UTF-8 text with LF line ends as it ships: code page 932, CRLF. Fails on a character that
    code page 932 cannot hold rather than shipping a question mark."""
    text = text.replace("\r\n", "\n")
    try:
        return text.replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as error:
        fail(f"not representable in code page 932: {error.object[error.start:error.end]!r}")


def read_source(*parts):
    with open(os.path.join(ROOT, *parts), encoding="utf-8") as f:
        return f.read()


def write_if_changed(path, data):
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


def make_texts(build):
    version = read_version(build)
    readme = read_source("package", "Readme.txt").replace("@VERSION@", version)
    licence = read_source("License.txt").rstrip("\n") + "\n\n\n" + read_source("package", "ThirdPartyNotices.txt")
    write_if_changed(os.path.join(build, README), shipped_text(readme))
    write_if_changed(os.path.join(build, LICENCE), shipped_text(licence))


def source_epoch():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True, text=True,
                             check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return FALLBACK_EPOCH


def package_name(version):
    return f"Quorbell-{version}-win64"


def make_zip(build, out):
    version = read_version(build)
    for name in ENTRIES:
        if not os.path.isfile(os.path.join(build, name)):
            fail(f"{os.path.join(build, name)} is missing; build the program first")
    # A zip holds local times from 1980 on, in two-second steps.
    stamp = time.gmtime(max(source_epoch(), 315532800))[:6]
    os.makedirs(out, exist_ok=True)
    name = package_name(version)
    target = os.path.join(out, name + ".zip")
    with zipfile.ZipFile(target + ".tmp", "w") as archive:
        for entry in ENTRIES:
            info = zipfile.ZipInfo(entry, date_time=stamp)
            info.create_system = 0  # MS-DOS attributes, as Windows' own zip folders write them
            info.external_attr = FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(build, entry), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(target + ".tmp", target)
    symbols = os.path.join(build, PROGRAM + ".debug")
    if os.path.isfile(symbols):
        shutil.copyfile(symbols, os.path.join(out, name + ".exe.debug"))
    else:
        print(f"make-dist: no {symbols}; the package has no symbols file beside it", file=sys.stderr)
    return target


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=("texts", "zip"))
    parser.add_argument("--build", required=True, help="the Windows build folder (build/win)")
    parser.add_argument("--out", help="where the zip goes (zip only)")
    args = parser.parse_args()
    if args.what == "texts":
        make_texts(args.build)
        return
    if not args.out:
        fail("zip needs --out")
    target = make_zip(args.build, args.out)
    print(f"{os.path.relpath(target)}: {os.path.getsize(target)} bytes")
    with zipfile.ZipFile(target) as archive:
        for info in archive.infolist():
            print(f"  {info.filename:<14} {info.file_size:>9} bytes ({info.compress_size} packed)")


if __name__ == "__main__":
    main()
