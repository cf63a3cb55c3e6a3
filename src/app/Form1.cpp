#include "app/Form1.h"

#include "accessories/frmMemDiet/MemoryDiet.h"
#include "app/AppState.h"
#include "app/OpenWork.h"
#include "app/ProcessRole.h"
#include "calendar/frmVynCalender.h"
#include "common/FileSystem.h"
#include "hotkeys/WinHotkeys.h"
#include "hotkeys/WinMainWindowProc.h"
#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/WinText.h"
#include "settings/SettingsLocation.h"

namespace qb {

namespace {

// What the hotkey actions of the main window procedure use of Form1: its menu and its launcher.
class Form1Host final : public MainWindowHost {
public:
  Form1* form = nullptr;
  void Popmenu(int16_t mode) override { form->Popmenu(mode); }
  void HideTrayOnlyItems() override { form->HideTrayOnlyItems(); }
  void MarkClipSlot(int16_t n) override { form->MarkClipSlot(n); }
  void SetSlotCaption(int n, std::string_view slotText) override { form->SetSlotCaption(n, slotText); }
};

Form1Host& TheForm1Host() {
  static Form1Host host;
  return host;
}

struct Form1Step {
  const char* name;
  void (*run)(Form1& form);
};

// The start-up of the resident instance, in order. Steps of features that are not part of the
// program yet are marked where they belong.
const Form1Step kStartupSteps[] = {
    // 1. Instance check and command line: Form_Load, before the window exists.
    {"read roll-up, mouse warp and diet settings", [](Form1&) { ReadCoreSettings(TheApp()); }},  // 2-5
    // 6. Wallpaper rotation.
    {"read start-up wait", [](Form1&) { ReadStartupWait(TheApp()); }},  // 7
    // 8. Desktop memos re-created.
    {"reset opacity step", [](Form1&) { TheApp().AlphaLevel = 255; }},  // 9
    // 10. Nothing to hide: Form1 is created invisible and never shown, and its menu is only ever a popup.
    {"add the tray icon", [](Form1& form) { form.AddTrayIcon(); }},  // 11
    {"start Timer1 when mouse warp or the diet is on", [](Form1& form) { form.UpdatePeriodicTimer(); }},
    {"install the main window procedure",
     [](Form1& form) {
       TheForm1Host().form = &form;
       HookMainWindow(form.Hwnd(), TheForm1Host());
     }},  // 12
    {"register the hotkeys", [](Form1& form) { RegisterHotkeys(form.Hwnd()); }},
    {"clipboard-slot menu captions", [](Form1& form) { form.SetSlotCaptionsFromSlots(); }},  // 13
    {"read calendar colours", [](Form1&) { ReadCalendarColours(TheApp()); }},  // 14
    // 15. Calendar drawn into the wallpaper.
    {"start-up wait", [](Form1&) { Sleep(TheApp().StartupWait); }},  // 16
    // 17. Desktop icon text background.
    {"open the desktop calendar", [](Form1&) { OpenDesktopCalendarAtStartup(); }},  // 18
    // 19. Analog clock opened.
};

const Form1Step kShutdownSteps[] = {
    // Windows holding unsaved text keep it: the same savers run at log-off.
    {"save what is open", [](Form1&) { SaveOpenWork(); }},
    // 1. User's wallpaper put back (calendar-wallpaper mode).
    {"unregister the hotkeys", [](Form1&) { UnregisterHotkeys(); }},  // 2
    {"remove the main window procedure", [](Form1& form) { UnhookMainWindow(form.Hwnd()); }},  // 3
    {"remove the tray icon", [](Form1& form) { form.RemoveTrayIcon(); }},  // 4
    // 5. Desktop icon text restored.
    {"close Form1", [](Form1& form) { form.Destroy(); }},  // 6: WM_DESTROY ends the message loop
};

template <size_t N>
void RunSteps(const Form1Step (&steps)[N], Form1& form) {
  for (const Form1Step& step : steps) {
    try {
      step.run(form);
    } catch (...) {
      LogCurrentException(step.name);
    }
  }
}

}  // namespace

void Form1::ConfigureClass(WNDCLASSEXW& wc) {
  // The program icon; the tray icon takes it from here.
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

std::optional<int> Form1::Form_Load() {
  // Every role reads the same settings file, so it is located first.
  try {
    SetUpSettingsFile(ExeDir(), AppDataDir(), WindowsDir(), SystemFileSystem());
  } catch (...) {
    LogCurrentException("settings file location");
  }

  instance_ = InstanceMutex::Claim(InstanceMutexName(CurrentUserIdentity()));
  const std::string commandLine = Narrow(GetCommandLineW());
  switch (DecideProcessRole(instance_->AnotherInstanceRunning(), CommandLineTail(commandLine))) {
    case ProcessRole::AlreadyRunning:
      ShowMessageBox(nullptr, kAlreadyRunningMessage, kAppTitle, MB_OK);
      return 0;
    case ProcessRole::Diet:
      RunMemoryDiet();
      return 0;
    case ProcessRole::Menu:
      // The launcher menu will be shown here; until then the helper simply ends.
      return 0;
    case ProcessRole::Resident:
      break;
  }
  if (!StartResident()) return 1;
  return std::nullopt;
}

bool Form1::StartResident() {
  WindowCreateParams params;
  // A real top-level window (not message-only) so that it receives broadcasts such as
  // TaskbarCreated and WM_ENDSESSION; a tool window so that it could never get a taskbar button.
  params.exStyle = WS_EX_TOOLWINDOW;
  params.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  params.caption = L"Quorbell";
  params.x = 0;
  params.y = 0;
  params.width = 200;
  params.height = 100;
  if (!CreateWindowFor(params)) return false;
  RunSteps(kStartupSteps, *this);
  return true;
}

void Form1::Unload() {
  if (unloading_) return;
  unloading_ = true;
  RunSteps(kShutdownSteps, *this);
}

void Form1::Form_Terminate() { Unload(); }

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Form_Terminate();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case TrayIcon::kCallbackMessage:
      // The tray icon's notification: the mouse message in the low word.
      Form_MouseMove(static_cast<int16_t>(LOWORD(lParam)));
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        if (const auto item = MenuItemFromCommand(LOWORD(wParam))) RunMenuItem(*item);
      }
      return 0;
    case WM_TIMER:
      if (IsTimer1(wParam)) Timer1_Timer();
      return 0;
    default:
      if (message == TrayIcon::TaskbarCreatedMessage()) trayIcon_.Readd();
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace qb
