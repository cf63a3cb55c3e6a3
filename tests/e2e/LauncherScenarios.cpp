// The launcher menu through the real program: Ctrl+F11 pressed as real keys starts a helper
// process whose menu comes up in front with the keys, its rows read back from the screen, chosen
// with the arrow keys, Enter, Escape and the mouse, and what each kind of entry starts. Programs
// the menu starts are copies of the harness's probe under names of their own, told apart by the
// names of their processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "HotkeySupport.h"
#include "harness/Harness.h"
#include "harness/ProbeTarget.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kLauncherClass[] = L"Quorbell.LauncherWindow";
constexpr COLORREF kHighlight = RGB(0, 0, 150);
constexpr int kRows = 16;

// The ids of the running processes whose executable file has that name.
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName) {
  std::vector<DWORD> found;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0) found.push_back(entry.th32ProcessID);
  }
  return found;
}

void EndProcessesNamed(const std::wstring& exeName) {
  for (DWORD id : ProcessesNamed(exeName)) {
    const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process) continue;
    TerminateProcess(process.get(), kKilledExitCode);
    WaitForSingleObject(process.get(), 5000);
  }
}

// A copy of the probe program at `path` (folders made as needed).
bool PlaceProbeCopy(const std::wstring& path) {
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  CreateDirectoryW(folder.c_str(), nullptr);
  return CopyFileW(SiblingExecutable(L"quorbell-e2e-probe.exe").c_str(), path.c_str(), FALSE) != FALSE;
}

// The pointer moved to a point of the screen through the system's input, as the user moves it.
bool MovePointerTo(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width > 1 ? width - 1 : 1));
  in.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height > 1 ? height - 1 : 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &in, sizeof(in)) == 1;
}

// A file type whose documents open with `openCommand`, registered for the test's lifetime (in the
// classes root, which is where Wine's shell looks).
class DocumentType {
public:
  DocumentType(const std::wstring& extension, const std::wstring& openCommand)
      : extension_(extension), progId_(L"QuorbellTest" + extension) {
    registered_ = Set(extension_, progId_) && Set(progId_ + L"\\shell\\open\\command", openCommand);
  }
  ~DocumentType() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId_.c_str());
  }
  DocumentType(const DocumentType&) = delete;
  DocumentType& operator=(const DocumentType&) = delete;
  [[nodiscard]] bool Registered() const { return registered_; }

private:
  static bool Set(const std::wstring& key, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  std::wstring extension_;
  std::wstring progId_;
  bool registered_ = false;
};

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// One open launcher menu: its window, its process and its rows' parts, top to bottom.
class OpenMenu {
public:
  explicit OpenMenu(HWND window) : window_(window) {
    if (window_ == nullptr) return;
    process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window_)));
    for (HWND child : ChildWindows(window_)) {
      const std::string cls = ClassName(child);
      if (cls == "Quorbell.LauncherLabel") names_.push_back(child);
      if (cls == "Quorbell.PictureBox") icons_.push_back(child);
    }
    const auto byTop = [](HWND a, HWND b) { return WindowRect(a).top < WindowRect(b).top; };
    std::sort(names_.begin(), names_.end(), byTop);
    std::sort(icons_.begin(), icons_.end(), byTop);
  }

  [[nodiscard]] HWND Window() const { return window_; }
  [[nodiscard]] DWORD ProcessId() const { return window_ == nullptr ? 0 : ProcessOf(window_); }
  [[nodiscard]] const std::vector<HWND>& Names() const { return names_; }
  [[nodiscard]] const std::vector<HWND>& Icons() const { return icons_; }

  // The row whose strip shows the highlight colour beside its name; -1 when none does, or when
  // more than one does, or a strip shows neither that nor the menu colour.
  [[nodiscard]] int HighlightedRow() const {
    const ScreenImage shot = CaptureWindow(window_);
    int found = -1;
    for (size_t row = 0; row < names_.size(); ++row) {
      const RECT name = WindowRect(names_[row]);
      // Between the icon box and the name, inside the row's strip.
      const COLORREF colour = shot.At(name.left - 3 - shot.area.left, name.top + 4 - shot.area.top);
      if (SameColour(colour, kHighlight)) {
        if (found != -1) return -1;
        found = static_cast<int>(row);
      } else if (!SameColour(colour, GetSysColor(COLOR_MENU))) {
        return -1;
      }
    }
    return found;
  }
  [[nodiscard]] bool WaitForHighlight(int row) const {
    return WaitUntil([&] { return HighlightedRow() == row; });
  }

  // The exit code once the menu's process has ended.
  [[nodiscard]] std::optional<DWORD> WaitForEnd(Millis timeout = kDefaultTimeout) const {
    if (!process_ || WaitForSingleObject(process_.get(), ToDword(timeout)) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
  }

private:
  HWND window_ = nullptr;
  UniqueHandle process_;
  std::vector<HWND> names_;
  std::vector<HWND> icons_;
};

class Launcher : public ResidentScenario {
protected:
  // Ctrl+F11 pressed as real keys while the probe is in front (Wine hands a hotkey over only while
  // one of its windows has the keys); the menu once it shows.
  HWND OpenByHotkey() {
    if (!probe_) probe_ = std::make_unique<ProbeTarget>();
    if (!probe_->Ready() || !probe_->BringToFront()) {
      ADD_FAILURE() << "the probe did not come to the front";
      return nullptr;
    }
    if (!PressCombination({MOD_CONTROL, VK_F11})) return nullptr;
    WindowFilter filter;
    filter.className = kLauncherClass;
    filter.visibleOnly = true;
    const HWND menu = WaitForWindow(filter);
    EXPECT_TRUE(menu) << "Ctrl+F11 brought no launcher menu";
    // The menu shows before it takes the keys: a key pressed in between would reach the probe.
    EXPECT_TRUE(menu == nullptr ||
                WaitUntil([&] { return GetForegroundWindow() == menu && FocusOf(menu) == menu; }))
        << "the launcher menu did not take the keys";
    return menu;
  }

  // The keys go to the window in front, which the menu must be without the test's help.
  static bool Press(WORD key, int times = 1) {
    for (int i = 0; i < times; ++i) {
      if (!PressKeys({key})) return false;
    }
    return true;
  }

  void TearDown() override {
    probe_.reset();
    ResidentScenario::TearDown();
  }

  // Started with the first menu, after the fixture has cleared away what earlier tests left.
  std::unique_ptr<ProbeTarget> probe_;
};

TEST_F(Launcher, CtrlF11ShowsSixteenRowsInFrontAndTheKeysChooseAndStartARow) {
  AppFolder folder;
  const std::wstring target = folder.PathOf(L"target program.exe");
  ASSERT_TRUE(PlaceProbeCopy(target));
  // Row 0: the probe copy (no icon in it), with a visibility value that is no number; row 2: the
  // program itself, whose icon the row shows.
  folder.WriteIni("[APPPATH]\r\n1=" + Narrow(target) + "\r\n3=" + Narrow(folder.ExePath()) +
                  "\r\n[APPNAME]\r\n1=テスト\r\n2=名前だけ\r\n3=本体\r\n[APPVIS]\r\n1=abc\r\n");
  ASSERT_TRUE(Start(folder));

  const OpenMenu menu(OpenByHotkey());
  ASSERT_TRUE(menu.Window());
  EXPECT_EQ(HelperProcesses(app.Id()).count(menu.ProcessId()), 1u) << "the menu is not a helper of the program";
  // Reachable: in front, with the keyboard focus, shown normal, without title bar or taskbar button.
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == menu.Window(); })) << "the menu is not in front";
  EXPECT_EQ(FocusOf(menu.Window()), menu.Window());
  EXPECT_FALSE(IsIconic(menu.Window()));
  EXPECT_NE(Style(menu.Window()) & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
  EXPECT_NE(ExStyle(menu.Window()) & WS_EX_TOOLWINDOW, 0);

  ASSERT_EQ(menu.Names().size(), static_cast<size_t>(kRows));
  ASSERT_EQ(menu.Icons().size(), static_cast<size_t>(kRows));
  for (int row = 0; row < kRows; ++row) {
    const char* expected = row == 0 ? "テスト" : row == 2 ? "本体" : "";  // a name without a path stays blank
    EXPECT_EQ(WindowText(menu.Names()[row]), expected) << "row " << row;
    EXPECT_EQ(Visible(menu.Icons()[row]), row == 2) << "icon box of row " << row;
    if (row > 0) {
      EXPECT_EQ(WindowRect(menu.Names()[row]).top - WindowRect(menu.Names()[row - 1]).top, 32) << row;
    }
  }
  ASSERT_TRUE(menu.WaitForHighlight(0)) << "row 0 is not the one highlighted";
  const ScreenImage shot = CaptureWindow(menu.Window());
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"launcher-menu.bmp")));
  // Row 0's name in white on the dark blue; row 2's icon drawn into its box.
  const auto countPixels = [&](HWND part, auto test) {
    const RECT r = WindowRect(part);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) count += test(shot.At(x - shot.area.left, y - shot.area.top)) ? 1 : 0;
    return count;
  };
  EXPECT_GT(countPixels(menu.Names()[0], [](COLORREF c) { return SameColour(c, RGB(255, 255, 255)); }), 10);
  EXPECT_GT(countPixels(menu.Icons()[2], [](COLORREF c) { return !SameColour(c, GetSysColor(COLOR_MENU)); }), 50);

  // Down round the rows, blank ones included: from row 15 back to row 0, and Up the other way.
  ASSERT_TRUE(Press(VK_DOWN, 15));
  EXPECT_TRUE(menu.WaitForHighlight(15));
  ASSERT_TRUE(Press(VK_DOWN));
  EXPECT_TRUE(menu.WaitForHighlight(0)) << "Down from row 15 did not go to row 0";
  ASSERT_TRUE(Press(VK_UP));
  EXPECT_TRUE(menu.WaitForHighlight(15)) << "Up from row 0 did not go to row 15";
  ASSERT_TRUE(Press(VK_DOWN));
  ASSERT_TRUE(menu.WaitForHighlight(0));

  ASSERT_TRUE(Press(VK_RETURN));
  EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"target program.exe").size() == 1; })) << "Enter started nothing";
  EXPECT_EQ(menu.WaitForEnd(), 0u) << "the menu process did not end";

  // A second menu: Escape ends it and starts nothing.
  const OpenMenu second(OpenByHotkey());
  ASSERT_TRUE(second.Window());
  ASSERT_TRUE(second.WaitForHighlight(0));
  ASSERT_TRUE(Press(VK_ESCAPE));
  EXPECT_EQ(second.WaitForEnd(), 0u) << "Escape did not end the menu";
  EXPECT_FALSE(WaitUntil([&] { return ProcessesNamed(L"target program.exe").size() != 1; }, kQuietPeriod))
      << "Escape started a program";
  EXPECT_TRUE(HelperProcesses(app.Id()).empty());
  EndProcessesNamed(L"target program.exe");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Launcher, ThePointerChoosesARowALeftReleaseStartsItOtherReleasesAndLeavingOnlyEnd) {
  AppFolder folder;
  const std::wstring first = folder.PathOf(L"first.exe"), third = folder.PathOf(L"third.exe");
  ASSERT_TRUE(PlaceProbeCopy(first) && PlaceProbeCopy(third));
  folder.WriteIni("[APPPATH]\r\n1=" + Narrow(first) + "\r\n3=" + Narrow(third) +
                  "\r\n[APPNAME]\r\n1=一番目\r\n3=三番目\r\n");
  ASSERT_TRUE(Start(folder));

  {  // The pointer over row 2's name, then Enter: row 2 starts.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_EQ(menu.Names().size(), static_cast<size_t>(kRows));
    ASSERT_TRUE(MovePointerTo(Middle(WindowRect(menu.Names()[2]))));
    EXPECT_TRUE(menu.WaitForHighlight(2)) << "hovering row 2's name did not highlight it";
    ASSERT_TRUE(Press(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"third.exe").size() == 1; }));
    EXPECT_EQ(menu.WaitForEnd(), 0u);
  }
  {  // A right release over row 0's name ends the menu without starting the row.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_EQ(menu.Names().size(), static_cast<size_t>(kRows));
    ASSERT_TRUE(ClickAt(menu.Names()[0], POINT{10, 8}, MouseButton::Right));
    EXPECT_EQ(menu.WaitForEnd(), 0u) << "a right release did not end the menu";
    EXPECT_FALSE(WaitUntil([&] { return !ProcessesNamed(L"first.exe").empty(); }, kQuietPeriod));
  }
  {  // The menu goes to the background: it ends, starting nothing.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_TRUE(menu.WaitForHighlight(0));
    ASSERT_TRUE(probe_->BringToFront());
    EXPECT_EQ(menu.WaitForEnd(), 0u) << "the menu stayed behind after losing activation";
    EXPECT_TRUE(ProcessesNamed(L"first.exe").empty());
  }
  {  // A left release over row 0's name starts it.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_EQ(menu.Names().size(), static_cast<size_t>(kRows));
    ASSERT_TRUE(ClickAt(menu.Names()[0], POINT{10, 8}));
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"first.exe").size() == 1; })) << "a left release started nothing";
    EXPECT_EQ(menu.WaitForEnd(), 0u);
  }
  EXPECT_EQ(ProcessesNamed(L"third.exe").size(), 1u);
  EndProcessesNamed(L"first.exe");
  EndProcessesNamed(L"third.exe");
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(Launcher, EntriesStartTheFileTheirPathNamesBlanksAndAllArgumentsDocumentsAndFolders) {
  AppFolder folder;
  // "<folder>\Launch Me\prog.exe" unquoted, where "<folder>\Launch" is a program too: the start
  // of a command line split at the first blank would run that one instead.
  const std::wstring decoy = folder.PathOf(L"Launch.exe");
  const std::wstring program = folder.PathOf(L"Launch Me\\prog.exe");
  // A document of a type opened by another probe copy, and a folder.
  const std::wstring document = folder.PathOf(L"メモ 帳.qblaunchdoc");
  const std::wstring viewer = folder.PathOf(L"viewer.exe");
  const std::wstring photos = folder.PathOf(L"写真 フォルダ");
  ASSERT_TRUE(PlaceProbeCopy(decoy) && PlaceProbeCopy(program) && PlaceProbeCopy(viewer));
  ASSERT_TRUE(WriteFileBytes(document, "launcher document\r\n"));
  ASSERT_TRUE(CreateDirectoryW(photos.c_str(), nullptr));
  const DocumentType type(L".qblaunchdoc", L"\"" + viewer + L"\" \"%1\"");
  ASSERT_TRUE(type.Registered());
  folder.WriteIni("[APPPATH]\r\n1=" + Narrow(program) + "\r\n2=" + Narrow(program) + " visible caption\r\n3=" +
                  Narrow(document) + "\r\n4=" + Narrow(photos) +
                  "\r\n[APPNAME]\r\n1=空白\r\n2=引数\r\n3=文書\r\n4=フォルダ\r\n");
  // The resident program started from another folder: its helpers run in its own folder, so the
  // programs they start write their record (probe-args.txt) there.
  const std::wstring elsewhere = MakeUniqueTempDirectory(L"qb launcher cwd-");
  ASSERT_FALSE(elsewhere.empty());
  app = AppProcess::StartExe(folder.ExePath(), L"", elsewhere);
  ASSERT_TRUE(app.WaitUntilResident());
  const std::wstring record = folder.PathOf(L"probe-args.txt");

  {
    const OpenMenu menu(OpenByHotkey());
    ASSERT_TRUE(menu.Window());
    ASSERT_TRUE(Press(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"prog.exe").size() == 1; })) << "the program was not started";
    EXPECT_EQ(menu.WaitForEnd(), 0u);
    EXPECT_FALSE(WaitUntil([&] { return !ProcessesNamed(L"Launch.exe").empty(); }, kQuietPeriod))
        << "the shorter path was started";
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(record).has_value(); })) << "no record in the program's folder";
    EXPECT_NE(ReadFileBytes(record)->find("Launch Me\\prog.exe"), std::string::npos) << *ReadFileBytes(record);
    EndProcessesNamed(L"prog.exe");
    ASSERT_TRUE(RemoveTree(record));
  }
  {  // The same path followed by arguments: the program gets them and shows its window normal.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_TRUE(menu.Window());
    ASSERT_TRUE(Press(VK_DOWN));
    ASSERT_TRUE(menu.WaitForHighlight(1));
    ASSERT_TRUE(Press(VK_RETURN));
    WindowFilter probeWindows;
    probeWindows.className = ProbeTarget::kClass;
    probeWindows.visibleOnly = true;
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(probeWindows).size() == 2; })) << "no window of the program";
    for (HWND window : TopLevelWindows(probeWindows)) EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(menu.WaitForEnd(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(record).has_value(); }));
    const std::string line = *ReadFileBytes(record);
    EXPECT_TRUE(line.ends_with("prog.exe\" visible caption") || line.ends_with("prog.exe visible caption")) << line;
    EXPECT_TRUE(ProcessesNamed(L"Launch.exe").empty());
    EndProcessesNamed(L"prog.exe");
    ASSERT_TRUE(RemoveTree(record));
  }
  {  // A document opens in the program its type is associated with.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_TRUE(menu.Window());
    ASSERT_TRUE(Press(VK_DOWN, 2));
    ASSERT_TRUE(menu.WaitForHighlight(2));
    ASSERT_TRUE(Press(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"viewer.exe").size() == 1; })) << "the document did not open";
    EXPECT_EQ(menu.WaitForEnd(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(record).has_value(); }));
    EXPECT_NE(ReadFileBytes(record)->find(Narrow(document)), std::string::npos) << *ReadFileBytes(record);
    EndProcessesNamed(L"viewer.exe");
  }
  {  // A folder opens in a folder window, which shows its name.
    const OpenMenu menu(OpenByHotkey());
    ASSERT_TRUE(menu.Window());
    ASSERT_TRUE(Press(VK_DOWN, 3));
    ASSERT_TRUE(menu.WaitForHighlight(3));
    ASSERT_TRUE(Press(VK_RETURN));
    WindowFilter folderWindows;
    folderWindows.caption = L"写真 フォルダ";
    folderWindows.visibleOnly = true;
    const HWND window = WaitForWindow(folderWindows);
    EXPECT_TRUE(window) << "the folder did not open";
    EXPECT_EQ(menu.WaitForEnd(), 0u);
    if (window != nullptr) {
      const UniqueHandle browser(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window)));
      if (browser) {
        TerminateProcess(browser.get(), kKilledExitCode);
        WaitForSingleObject(browser.get(), 5000);
      }
    }
  }
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  RemoveTree(elsewhere);
}

TEST_F(Launcher, ASecondStartWithMenuShowsOnlyTheMenuAndNormal) {
  AppFolder folder(Ini::Text("[APPPATH]\r\n1=notepad\r\n[APPNAME]\r\n1=メモ帳\r\n"));
  ASSERT_TRUE(Start(folder));
  // Started the way a shortcut set to "minimised" starts a program. (Windows would give the menu's
  // first ShowWindow that state, which the menu undoes; Wine 8 keeps the state the program asks.)
  std::wstring line = L"\"" + folder.ExePath() + L"\" Menu";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(folder.ExePath().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.Dir().c_str(), &si, &pi));
  const UniqueHandle process(pi.hProcess), thread(pi.hThread);
  WindowFilter filter = VisibleWindowsOf(pi.dwProcessId, kLauncherClass);
  const OpenMenu menu(WaitForWindow(filter));
  ASSERT_TRUE(menu.Window()) << "no launcher menu";
  EXPECT_FALSE(IsIconic(menu.Window())) << "the menu stayed minimised, without a title bar to restore it by";
  ASSERT_EQ(menu.Names().size(), static_cast<size_t>(kRows));
  EXPECT_EQ(WindowText(menu.Names()[0]), "メモ帳");
  EXPECT_TRUE(Visible(menu.Icons()[0])) << "no icon for a program named without its folder";
  // Nothing of the resident program: no main window (hence no tray icon and no hotkeys).
  filter.className = kMainWindowClass;
  filter.visibleOnly = false;
  EXPECT_TRUE(TopLevelWindows(filter).empty());
  EXPECT_EQ(ResidentMainWindows().size(), 1u);

  ASSERT_TRUE(BringToFront(menu.Window()));
  ASSERT_TRUE(Press(VK_ESCAPE));
  EXPECT_EQ(menu.WaitForEnd(), 0u);
  if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.get(), kKilledExitCode);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
