// The open-anything box "opengin", driven through the real program: a name typed with real keys
// and opened by the shell on Enter, the history brought back with Up, the one box brought forward
// by its tray item and keeping the history when it is closed, the shell's own message for a name
// it cannot open, and files dropped onto the box opened in the order of the drop.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/InProcess.h"
#include "harness/PopupMenus.h"
#include "harness/ProbeTarget.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb::e2e {
namespace {

constexpr wchar_t kBoxClass[] = L"Quorbell.OpenAnythingWindow";

struct RunningProgram {
  DWORD id = 0;
  unsigned long long created = 0;  // FILETIME units
  std::wstring path;
};

// The processes running one of these programs (full paths), oldest first.
std::vector<RunningProgram> RunningCopiesOf(const std::vector<std::wstring>& paths) {
  std::vector<RunningProgram> found;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process) continue;
    wchar_t image[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.get(), 0, image, &size)) continue;
    const auto match = std::find_if(paths.begin(), paths.end(),
                                    [&](const std::wstring& p) { return _wcsicmp(p.c_str(), image) == 0; });
    FILETIME created{}, exited{}, kernel{}, user{};
    if (match == paths.end() || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) continue;
    found.push_back({entry.th32ProcessID,
                     (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime, *match});
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.created < b.created; });
  return found;
}

std::vector<RunningProgram> WaitForCopiesOf(const std::vector<std::wstring>& paths, size_t count) {
  std::vector<RunningProgram> found;
  WaitUntil([&] { return (found = RunningCopiesOf(paths)).size() >= count; });
  return found;
}

// Copies of the harness's probe program in a test folder; started without arguments a copy runs
// hidden until it is ended. The copies the box started are the shell's children, not the harness's:
// they are ended when this goes, which must be before the folder goes.
class ProgramCopies {
public:
  explicit ProgramCopies(const AppFolder& folder) : folder_(folder) {}
  ~ProgramCopies() {
    for (const RunningProgram& program : RunningCopiesOf(paths_)) {
      const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, program.id));
      if (process && TerminateProcess(process.get(), 0)) WaitForSingleObject(process.get(), 5000);
    }
  }
  ProgramCopies(const ProgramCopies&) = delete;
  ProgramCopies& operator=(const ProgramCopies&) = delete;

  // The full path of a new copy under that name.
  std::wstring Add(const wchar_t* name) {
    const std::wstring path = folder_.PathOf(name);
    EXPECT_TRUE(CopyFileW(SiblingExecutable(L"quorbell-e2e-probe.exe").c_str(), path.c_str(), FALSE)) << Narrow(path);
    paths_.push_back(path);
    return path;
  }

private:
  const AppFolder& folder_;
  std::vector<std::wstring> paths_;
};

class OpenAnything : public ResidentScenario {
protected:
  // Chooses 何でもｵｰﾌﾟﾝ from the tray menu with the keyboard, as a user does after a right press
  // on the icon; answers the box once it shows.
  HWND OpenBox(HWND main) {
    if (!Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN)) return nullptr;
    const HWND menu = WaitForPopupMenu(app.Id());
    if (menu == nullptr || !ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuOpen))) return nullptr;
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
    return WaitForWindow(Boxes());
  }

  WindowFilter Boxes() const {
    WindowFilter filter = VisibleWindowsOf(app.Id(), kBoxClass);
    return filter;
  }

  static HWND TextBoxOf(HWND box) { return FindChild(box, L"Edit", std::nullopt); }

  // Empties the text box with the keys a user would press.
  static bool ClearWithKeys(HWND text) {
    return PressKeys({VK_END}) && PressKeys({VK_SHIFT, VK_HOME}) && PressKeys({VK_DELETE}) &&
           WaitUntil([&] { return WindowText(text).empty(); });
  }
};

TEST_F(OpenAnything, TheTypedNameOpensOnEnterUpBringsItBackAndTheTrayItemBringsTheSameBoxForward) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ProgramCopies copies(folder);
  const std::wstring program = copies.Add(L"検査 program.exe");

  HWND box = OpenBox(main);
  ASSERT_TRUE(box) << "no box after choosing 何でもｵｰﾌﾟﾝ";
  EXPECT_EQ(WindowText(box), "opengin");
  // A small sizable tool window without minimise and maximise boxes that takes dropped files.
  EXPECT_EQ(Style(box) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  EXPECT_EQ(ExStyle(box) & (WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES), WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES);
  RECT client{};
  GetClientRect(box, &client);
  EXPECT_EQ(client.right, 208);  // 3120 x 390 twips
  EXPECT_EQ(client.bottom, 26);
  const HWND text = TextBoxOf(box);
  ASSERT_TRUE(text);
  EXPECT_EQ(FocusOf(box), text) << "the keys go to the text box";
  EXPECT_EQ(WindowRect(text).right - WindowRect(text).left, 208) << "the text box spans the window";

  ASSERT_TRUE(ClickAt(text, {20, 10}));
  ASSERT_TRUE(TypeText(Narrow(program)));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(text) == Narrow(program); })) << WindowText(text);
  ASSERT_TRUE(PressKeys({VK_RETURN}));
  const std::vector<RunningProgram> running = WaitForCopiesOf({program}, 1);
  ASSERT_EQ(running.size(), 1u) << "Enter started nothing";
  EXPECT_EQ(WindowText(text), Narrow(program)) << "the text stays after opening";
  EXPECT_TRUE(StaysWithoutWindow({app.Id(), L"#32770", std::nullopt, true})) << "a message after a good open";
  EXPECT_TRUE(SaveBitmap(CaptureWindow(box), PathJoin(ExeDirectory(), L"open-anything.bmp")));

  ASSERT_TRUE(ClearWithKeys(text));
  ASSERT_TRUE(PressKeys({VK_UP}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(text) == Narrow(program); })) << "Up: " << WindowText(text);
  EXPECT_EQ(RunningCopiesOf({program}).size(), 1u) << "Up only recalls";

  // Chosen again while another window is in front: the same box comes forward with its text.
  ProbeTarget other(L"visible caption");
  ASSERT_TRUE(other.Ready() && other.BringToFront());
  OpenBox(main);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; })) << "the box did not come forward";
  EXPECT_EQ(TopLevelWindows(Boxes()).size(), 1u);
  EXPECT_EQ(WindowText(text), Narrow(program));

  // Closed and opened again: an empty box over the same history.
  ASSERT_TRUE(PostClose(box));
  ASSERT_TRUE(WaitForNoWindow(Boxes()));
  box = OpenBox(main);
  ASSERT_TRUE(box);
  const HWND again = TextBoxOf(box);
  ASSERT_TRUE(again);
  EXPECT_EQ(WindowText(again), "");
  ASSERT_TRUE(ClickAt(again, {20, 10}));
  ASSERT_TRUE(PressKeys({VK_UP}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(again) == Narrow(program); })) << "history lost: " << WindowText(again);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(OpenAnything, ANameTheShellCannotOpenGetsTheShellsOwnMessageAndNoneOfTheProgram) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  const HWND box = OpenBox(main);
  ASSERT_TRUE(box);
  const HWND text = TextBoxOf(box);
  ASSERT_TRUE(text);
  const std::string missing = Narrow(folder.PathOf(L"無い program.exe"));
  ASSERT_TRUE(ClickAt(text, {20, 10}));
  ASSERT_TRUE(TypeText(missing));
  ASSERT_TRUE(WaitUntil([&] { return WindowText(text) == missing; }));
  ASSERT_TRUE(PressKeys({VK_RETURN}));

  // The shell's message, over the box.
  const std::optional<MessageBoxInfo> message = WaitForMessageBox(app.Id());
  ASSERT_TRUE(message) << "no message from the shell";
  std::printf("the shell says: [%s] %s\n", message->caption.c_str(), message->text.c_str());
  EXPECT_EQ(GetWindow(message->hwnd, GW_OWNER), box);
  EXPECT_NE(message->caption, "Quorbell");
  ASSERT_FALSE(message->buttons.empty());
  ASSERT_TRUE(PressButton(message->hwnd, message->buttons.front()));
  // Nothing of the program's own follows; the box goes on with the name in its history.
  EXPECT_TRUE(WaitUntil([&] { return DialogWindows(app.Id()).empty(); }));
  EXPECT_TRUE(StaysWithoutWindow({app.Id(), L"#32770", std::nullopt, true}));
  EXPECT_TRUE(IsWindowVisible(box));
  ASSERT_TRUE(ClearWithKeys(text));
  ASSERT_TRUE(PressKeys({VK_UP}));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(text) == missing; })) << WindowText(text);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(OpenAnything, FilesDroppedOntoTheBoxOpenInTheOrderOfTheDropAndStayOutOfTheHistory) {
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  // Not in alphabetical order, so that the order of opening can only come from the drop.
  ProgramCopies copies(folder);
  const std::vector<std::wstring> dropped = {copies.Add(L"c.exe"), copies.Add(L"a 検査.exe"), copies.Add(L"b.exe")};
  const HWND box = OpenBox(main);
  ASSERT_TRUE(box);
  const HWND text = TextBoxOf(box);
  ASSERT_TRUE(text);

  ASSERT_TRUE(DropFilesOn(box, dropped));
  const std::vector<RunningProgram> running = WaitForCopiesOf(dropped, 3);
  ASSERT_EQ(running.size(), 3u) << "not every dropped file was opened";
  for (size_t i = 0; i < running.size(); ++i) EXPECT_EQ(Narrow(running[i].path), Narrow(dropped[i])) << i;
  EXPECT_TRUE(StaysWithoutWindow({app.Id(), L"#32770", std::nullopt, true}));
  EXPECT_EQ(WindowText(text), "") << "a drop leaves the text alone";
  // Nothing to recall: the dropped files are not in the history.
  ASSERT_TRUE(ClickAt(text, {20, 10}));
  ASSERT_TRUE(PressKeys({VK_UP}));
  EXPECT_FALSE(WaitUntil([&] { return !WindowText(text).empty(); }, kQuietPeriod)) << WindowText(text);
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
