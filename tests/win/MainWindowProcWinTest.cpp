// The main window procedure with the hotkeys registered on a window of the test and the keys of
// the copy and paste actions typed into a window of another thread, as they are in use.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/FileSystem.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/WinHotkeys.h"
#include "hotkeys/WinKeyMacro.h"
#include "hotkeys/WinMainWindowProc.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"
#include "platform/WinText.h"
#include "settings/Settings.h"
#include "win/ToolTestSupport.h"

namespace qb {
namespace {

class RecordingHost : public MainWindowHost {
public:
  void Popmenu(int16_t) override {}
  void HideTrayOnlyItems() override {}
  void MarkClipSlot(int16_t n) override { marked = n; }
  void SetSlotCaption(int n, std::string_view text) override {
    captionSlot = n;
    caption = std::string(text);
  }
  void SaveOpenWork() override { ++saves; }
  int16_t marked = 0;
  int saves = 0;
  int captionSlot = 0;
  std::string caption;
};

// A visible window owned by a thread of its own, standing for the application in front.
class ForeignWindow {
public:
  ForeignWindow() {
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_.reset(CreateThread(nullptr, 0, &ForeignWindow::Run, this, 0, &threadId_));
    if (thread_.valid()) WaitForSingleObject(ready_.get(), 10000);
  }
  ~ForeignWindow() {
    if (!thread_.valid()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.get(), 10000);
  }
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;
  [[nodiscard]] HWND Hwnd() const { return window_; }

private:
  static DWORD WINAPI Run(void* self) {
    auto& me = *static_cast<ForeignWindow*>(self);
    UniqueWindow window = test::FrontCandidate(60, 60, 300, 200);
    me.window_ = window.get();
    SetEvent(me.ready_.get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return 0;
  }

  UniqueHandle ready_;
  UniqueHandle thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

class MainWindowProcWin : public testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    dir_ = Narrow(temp) + "qb-mainproc-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(SystemFileSystem().CreateDirectories(dir_));
    path_ = dir_ + "\\Quorbell.ini";
    (void)SystemFileSystem().RemoveFile(path_);
    UseSettingsFile(path_, SystemFileSystem());
    main_.reset(CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(main_.valid());
    HookMainWindow(main_.get(), host_);
    RegisterHotkeys(main_.get());
  }
  void TearDown() override {
    UnregisterHotkeys();
    if (main_.valid()) UnhookMainWindow(main_.get());
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
    (void)SystemFileSystem().RemoveFile(path_);
    RemoveDirectoryW(Widen(dir_).c_str());
  }

  // A hotkey of the program waiting in the queue, to be acted on once the current action is over.
  bool HotkeyPending() {
    MSG msg;
    return PeekMessageW(&msg, main_.get(), WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE) != FALSE;
  }
  void DropPendingHotkeys() {
    MSG msg;
    while (PeekMessageW(&msg, main_.get(), WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
    }
  }
  void Press(Hotkey hotkey) {
    SendMessageW(main_.get(), WM_HOTKEY, TheHotkeys().HotkeyIds[static_cast<size_t>(hotkey)], 0);
  }

  std::string dir_;
  std::string path_;
  RecordingHost host_;
  UniqueWindow main_;
};

// The copy and paste keys begin with Ctrl+Print Screen, which is also the window-capture hotkey.
// The hotkey they set off must reach the procedure while the action still runs, so that it is
// passed on without action, and not afterwards, when it would capture the window in front.
TEST_F(MainWindowProcWin, CopyAndPasteKeysLeaveNoHotkeyOfTheirOwnBehind) {
  ForeignWindow front;
  ASSERT_NE(front.Hwnd(), nullptr);
  ASSERT_TRUE(test::BringToFront(front.Hwnd()));
  DropPendingHotkeys();

  // Typed outside an action, the keys do set off the capture hotkey: what follows can fail.
  ASSERT_TRUE(TypeKeyString("^{PRTSC}", TypingMode::Wait));
  ASSERT_TRUE(HotkeyPending()) << "Ctrl+Print Screen did not reach the registered hotkey";
  DropPendingHotkeys();

  struct Case {
    Hotkey hotkey;
    const char* name;
  };
  for (const Case& c : {Case{Hotkey::CopySlot1, "copy 1"}, Case{Hotkey::CopySlot2, "copy 2"},
                        Case{Hotkey::PasteSlot3, "paste 3"}}) {
    ASSERT_TRUE(WriteClipboardText("slot text", main_.get()));
    Press(c.hotkey);
    EXPECT_FALSE(HotkeyPending()) << c.name << ": a hotkey set off by the action's own keys is still queued";
    DropPendingHotkeys();
  }
  EXPECT_EQ(host_.captionSlot, 2);
  EXPECT_EQ(host_.caption, "slot text");
  EXPECT_EQ(host_.marked, 3);
}

// Windows asks before it logs off: the open windows save what they hold, through the resident
// program, and the answer of the previous procedure goes back unchanged.
TEST_F(MainWindowProcWin, LogOffSavesWhatIsOpenThroughTheProgram) {
  EXPECT_EQ(SendMessageW(main_.get(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(host_.saves, 1);
  SendMessageW(main_.get(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(host_.saves, 2);
}

}  // namespace
}  // namespace qb
