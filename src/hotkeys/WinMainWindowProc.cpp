#include "hotkeys/WinMainWindowProc.h"

#include <array>
#include <string>

#include "calendar/DayNotes.h"
#include "calendar/DayNoteEditorWindow.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperRecord.h"
#include "hotkeys/CdDoor.h"
#include "hotkeys/WheelWindow.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/MainWindowDispatch.h"
#include "hotkeys/ScreenCapture.h"
#include "hotkeys/TargetWindow.h"
#include "hotkeys/WinHotkeys.h"
#include "hotkeys/WinKeyMacro.h"
#include "hotkeys/WindowTools.h"
#include "platform/Clipboard.h"
#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"

namespace qb {

namespace {

struct Hook {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
  MainWindowHost* host = nullptr;
  MainWindowDispatch dispatch;
  uint64_t timerMessages = 0;
  // The pictures of the slots whose text is "[画像]".
  std::array<UniqueBitmap, 3> slotPictures;
};

Hook& TheHook() {
  static Hook hook;
  return hook;
}

// How long a copy into a slot waits for the program in front to put its copy on the clipboard.
constexpr DWORD kCopyWaitMs = 1000;

UINT TimerCountMessage() {
  static const UINT message = RegisterWindowMessageW(kTimerCountMessageName);
  return message;
}

class EndSessionWork : public EndSessionServices {
public:
  explicit EndSessionWork(MainWindowHost& host) : host_(host) {}
  void SaveOpenWork() override { host_.SaveOpenWork(); }
  void StoreDesktopWallpaper(const std::string& path) override { qb::StoreDesktopWallpaper(path); }
  void ApplyDesktopWallpaper(const std::string& path) override { qb::ApplyDesktopWallpaper(path); }

private:
  MainWindowHost& host_;
};

// The copy and paste keys begin with Ctrl+Print Screen, which is also the window-capture hotkey,
// and the wait for another program's window does not process this thread's messages. The hotkeys
// they set off are handled here, while the busy flag passes them on without action; left in the
// queue they would run once the action is over.
void PassOnOwnHotkeys(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, window, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) DispatchMessageW(&msg);
}

void CopyIntoSlot(Hook& hook, int n) {
  const DWORD before = ClipboardSequence();
  {
    // The copy keys begin with Ctrl, which the slot's own hotkey may use.
    const HotkeyPause pause(CopyHotkeyOf(n));
    TypeKeyString(CopyKeysForSlot(n), TypingMode::Wait);
  }
  PassOnOwnHotkeys(hook.window);
  // Another program copies when it gets to its keys, which can be after the typing has returned;
  // reading at once would take the clipboard as it was before. A program that copies nothing
  // (no selection) leaves it unchanged, which costs this wait.
  if (!WaitForClipboardChange(before, kCopyWaitMs)) DebugLog("copy into slot: the clipboard did not change");
  CopiedContent copied;
  copied.text = ReadClipboardText();
  UniqueBitmap picture;
  if (!copied.text) {
    picture = ReadClipboardBitmap();
    copied.bitmap = picture.valid();
  }
  std::string& slot = TheHotkeys().ClipSlots[static_cast<size_t>(n - 1)];
  if (TakeCopiedContent(slot, copied) == SlotCopy::Picture) hook.slotPictures[static_cast<size_t>(n - 1)] = std::move(picture);
  // Refreshed even when the clipboard held nothing usable.
  hook.host->SetSlotCaption(n, slot);
}

void PasteSlot(Hook& hook, int n) {
  PumpPendingMessages();
  const std::string slot = TheHotkeys().ClipSlots[static_cast<size_t>(n - 1)];
  const HBITMAP picture = hook.slotPictures[static_cast<size_t>(n - 1)].get();
  // A slot whose text was stored as "[画像]" in the settings has no picture: its text is pasted.
  if (SlotHoldsPicture(slot) && picture != nullptr) {
    WriteClipboardBitmap(picture, hook.window);
  } else {
    WriteClipboardText(slot, hook.window);
  }
  {
    const HotkeyPause pause(PasteHotkeyOf(n));
    TypeKeyString(kPasteKeys, TypingMode::Wait);
  }
  PassOnOwnHotkeys(hook.window);
  hook.host->MarkClipSlot(static_cast<int16_t>(n));
}

void OpenDayNoteOfClipboard() {
  const std::string clip = ReadClipboardText().value_or(std::string());
  const auto request =
      DayNoteForClipboard(clip, [](std::string_view title, std::string& text) { return ReadDayNote(title, text); });
  if (!request) return;
  if (DayNoteEditorWindow* editor = ShowDayNoteEditor(request->title, "")) editor->SetText(request->boxText);
}

class HotkeyActions : public MainWindowDispatch::Actions {
public:
  explicit HotkeyActions(Hook& hook) : hook_(hook) {}

  void EndSession() override {
    EndSessionWork work(*hook_.host);
    RunEndSession(TheWallpaperRecord().OriginalWallpaper, work);
  }

  void RunHotkey(Hotkey hotkey) override {
    const HotkeyTask task = TaskOf(hotkey);
    switch (task.job) {
      case HotkeyJob::CopyIntoSlot: CopyIntoSlot(hook_, task.number); break;
      case HotkeyJob::PasteSlot: PasteSlot(hook_, task.number); break;
      case HotkeyJob::RunMacro: RunKeyMacro(static_cast<int16_t>(task.number)); break;
      case HotkeyJob::ScreenSaver:
        // DefWindowProc of the main window starts the screen saver.
        Tolerate(PostMessageW(hook_.window, WM_SYSCOMMAND, SC_SCREENSAVE, 0) != FALSE, "PostMessageW SC_SCREENSAVE");
        break;
      case HotkeyJob::DayNote: OpenDayNoteOfClipboard(); break;
      case HotkeyJob::LauncherMenu: hook_.host->Popmenu(1); break;
      case HotkeyJob::HotkeyMenu:
        hook_.host->HideTrayOnlyItems();
        hook_.host->Popmenu(0);
        break;
      case HotkeyJob::WindowShade: ToggleWindowShade(); break;
      case HotkeyJob::AlphaUp: RaiseForegroundAlpha(); break;
      case HotkeyJob::AlphaDown: LowerForegroundAlpha(); break;
      case HotkeyJob::AlphaReset: ResetForegroundAlpha(); break;
      case HotkeyJob::WheelWindow: ToggleWheelWindow(); break;
      case HotkeyJob::Topmost: ToggleTopmost(); break;
      case HotkeyJob::CaptureScreen: CaptureScreen(hook_.window, false); break;
      case HotkeyJob::CaptureWindow:
        TargetWindow = GetForegroundWindow();
        CaptureScreen(hook_.window, true);
        break;
      case HotkeyJob::CdDoor: ToggleCdDoor(hook_.window); break;
      case HotkeyJob::None: break;
    }
  }

private:
  Hook& hook_;
};

}  // namespace

void HookMainWindow(HWND window, MainWindowHost& host) {
  Hook& hook = TheHook();
  if (hook.previous != nullptr) return;
  TimerCountMessage();  // registered before anyone asks
  hook.window = window;
  hook.host = &host;
  hook.timerMessages = 0;
  hook.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
  Tolerate(hook.previous != nullptr, "SetWindowLongPtrW GWLP_WNDPROC");
}

void UnhookMainWindow(HWND window) {
  Hook& hook = TheHook();
  if (hook.previous == nullptr) return;
  Tolerate(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous)) != 0,
           "SetWindowLongPtrW GWLP_WNDPROC");
  hook.previous = nullptr;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Hook& hook = TheHook();
  if (message == WM_TIMER) ++hook.timerMessages;
  if (hook.host != nullptr && window == hook.window) {
    try {
      HotkeyActions actions(hook);
      hook.dispatch.Handle(message, wParam, TheHotkeys(), actions);
    } catch (...) {
      LogCurrentException("main window procedure");
    }
  }
  // The window may have been unhooked inside an action (Quorbellの終了 from the hotkey menu): the
  // message then goes to the procedure that is now installed.
  const WNDPROC previous = hook.previous != nullptr
                               ? hook.previous
                               : reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  LRESULT result = 0;
  if (previous != nullptr && previous != &MainWindowProc) {
    result = CallWindowProcW(previous, window, message, wParam, lParam);
  } else {
    result = DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == TimerCountMessage()) return static_cast<LRESULT>(hook.timerMessages);
  return result;
}

HBITMAP SlotPicture(int n) {
  if (n < 1 || n > 3) return nullptr;
  return TheHook().slotPictures[static_cast<size_t>(n - 1)].get();
}

}  // namespace qb
