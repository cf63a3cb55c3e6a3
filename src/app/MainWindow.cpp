#include "app/MainWindow.h"

#include <windowsx.h>

#include "accessories/clock/ClockWindow.h"
#include "accessories/launcher/LauncherWindow.h"
#include "accessories/memory/MemoryDiet.h"
#include "app/AppState.h"
#include "app/ProcessRole.h"
#include "calendar/CalendarWindow.h"
#include "calendar/MonthRender.h"
#include "common/FileSystem.h"
#include "desktop/IconText.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperCalendar.h"
#include "hotkeys/ToolState.h"
#include "hotkeys/WinHotkeys.h"
#include "hotkeys/WinMainWindowProc.h"
#include "memo/DesktopMemos.h"
#include "platform/DebugLog.h"
#include "platform/LiveObjects.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/WinText.h"
#include "settings/SettingsLocation.h"

namespace qb {

namespace {

// What the hotkey actions of the main window procedure use of the resident program: the main
// window's menu and launcher, and the savers of the open windows.
class MainWindowHostImpl final : public MainWindowHost {
public:
  MainWindow* window = nullptr;
  void Popmenu(int16_t mode) override { window->Popmenu(mode); }
  void HideTrayOnlyItems() override { window->HideTrayOnlyItems(); }
  void MarkClipSlot(int16_t n) override { window->MarkClipSlot(n); }
  void SetSlotCaption(int n, std::string_view slotText) override { window->SetSlotCaption(n, slotText); }
  void SaveOpenWork() override { window->SaveOpenWork(); }
};

MainWindowHostImpl& TheMainWindowHost() {
  static MainWindowHostImpl host;
  return host;
}

struct LifeStep {
  const char* name;
  void (*run)(MainWindow& window);
};

// The start-up of the resident instance, in order. Features that are not part of the program yet
// are marked where they belong.
const LifeStep kStartupSteps[] = {
    {"read mouse warp and diet settings", [](MainWindow&) { ReadCoreSettings(TheApp()); }},
    {"read the roll-up title-bar mode", [](MainWindow&) { TheWindowTools().XpTitleMode = ReadXpTitleMode(); }},
    {"wallpaper rotation", [](MainWindow&) { RotateWallpaperAtStartup(); }},
    {"read start-up wait", [](MainWindow&) { ReadStartupWait(TheApp()); }},
    {"open the stored desktop memos",
     [](MainWindow& window) {
       SetUpDesktopMemos(window.OpenWork());
       LoadDesktopMemos();
     }},
    {"reset opacity step", [](MainWindow&) { TheWindowTools().AlphaLevel = 255; }},
    // Nothing to hide: the main window is created invisible and never shown, and its menu is only
    // ever a popup.
    {"add the tray icon", [](MainWindow& window) { window.AddTrayIcon(); }},
    {"start the automatic diet and the mouse warp when they are on", [](MainWindow& window) { window.UpdatePeriodicTimer(); }},
    {"install the main window procedure",
     [](MainWindow& window) {
       TheMainWindowHost().window = &window;
       HookMainWindow(window.Hwnd(), TheMainWindowHost());
     }},
    {"register the hotkeys", [](MainWindow& window) { RegisterHotkeys(window.Hwnd()); }},
    {"tell which hotkeys are dead", [](MainWindow& window) { window.ReportDeadHotkeys(); }},
    {"clipboard-slot menu captions", [](MainWindow& window) { window.SetSlotCaptionsFromSlots(); }},
    {"read calendar colours", [](MainWindow&) { TheCalendarColours() = ReadCalendarColours(); }},
    {"calendar drawn into the wallpaper", [](MainWindow& window) { ApplyWallpaperCalendarAtStartup(window.Hwnd()); }},
};

// The steps that come after the start-up wait. The wait itself is a one-shot timer, so that the
// tray icon answers and a close request is heard while it runs.
const LifeStep kAfterStartupWaitSteps[] = {
    {"apply the desktop icon text background", [](MainWindow&) { ApplyIconTextChoice(); }},
    {"open the desktop calendar", [](MainWindow&) { OpenDesktopCalendarAtStartup(); }},
    {"open the analog clock", [](MainWindow&) { OpenAnalogClockAtStartup(); }},
};

const LifeStep kShutdownSteps[] = {
    // Windows holding unsaved text keep it: the same savers run at log-off.
    {"save what is open", [](MainWindow& window) { window.SaveOpenWork(); }},
    {"put back the user's wallpaper", [](MainWindow&) { RestoreWallpaperAtExit(); }},
    {"unregister the hotkeys", [](MainWindow&) { UnregisterHotkeys(); }},
    {"remove the main window procedure", [](MainWindow& window) { UnhookMainWindow(window.Hwnd()); }},
    {"remove the tray icon", [](MainWindow& window) { window.RemoveTrayIcon(); }},
    {"restore the desktop icon text", [](MainWindow&) { RestoreIconText(); }},
    {"close the main window", [](MainWindow& window) { window.Destroy(); }},  // WM_DESTROY ends the message loop
};

template <size_t N>
void RunSteps(const LifeStep (&steps)[N], MainWindow& window) {
  for (const LifeStep& step : steps) {
    try {
      step.run(window);
    } catch (...) {
      LogCurrentException(step.name);
    }
  }
}

}  // namespace

void MainWindow::ConfigureClass(WNDCLASSEXW& wc) {
  // The program icon; the tray icon takes it from here.
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

std::optional<int> MainWindow::Load() {
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
      // The launcher menu is this process's only window; the message loop runs until it ends.
      if (!OpenLauncherMenu()) return 1;
      return std::nullopt;
    case ProcessRole::Resident:
      break;
  }
  if (!StartResident()) return 1;
  return std::nullopt;
}

bool MainWindow::StartResident() {
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
  const UINT wait = TheApp().StartupWait;
  if (wait == 0 || !Tolerate(SetTimer(Hwnd(), kStartupWaitTimerId, wait, nullptr) != 0, "SetTimer(start-up wait)")) {
    RunSteps(kAfterStartupWaitSteps, *this);
  }
  return true;
}

void MainWindow::ReportDeadHotkeys() {
  const std::vector<Hotkey> dead = HotkeysNotRegistered();
  if (dead.empty()) return;
  std::string names;
  for (const Hotkey hotkey : dead) {
    if (!names.empty()) names += ", ";
    names += CombinationText(CombinationOf(TheHotkeys(), hotkey));
  }
  trayIcon_.ShowBalloon(kAppTitle, "登録できなかったホットキー: " + names);
}

void MainWindow::OnStartupWaitOver() {
  KillTimer(Hwnd(), kStartupWaitTimerId);
  if (!unloading_) RunSteps(kAfterStartupWaitSteps, *this);
}

void MainWindow::Unload() {
  if (unloading_) return;
  unloading_ = true;
  // Steps still waiting for the end of the start-up wait are not run any more.
  if (Hwnd() != nullptr) KillTimer(Hwnd(), kStartupWaitTimerId);
  RunSteps(kShutdownSteps, *this);
}

void MainWindow::OnClose() { Unload(); }

void MainWindow::SaveOpenWork() {
  const int failures = openWork_.SaveAll();
  if (failures > 0) DebugLog(std::to_string(failures) + " open window(s) could not save");
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case TrayIcon::kCallbackMessage:
      // The tray icon's notification: the event in the low word; under the newer protocol wParam
      // holds the icon's anchor point.
      OnTrayCallback(static_cast<int16_t>(LOWORD(lParam)), POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {
        if (const auto item = MenuItemFromCommand(LOWORD(wParam))) RunMenuItem(*item);
      }
      return 0;
    case kWarpCheckMessage:
      OnWarpCheck();
      return 0;
    case WM_TIMER:
      if (IsPeriodicTimer(wParam)) OnPeriodicTimer();
      if (wParam == kStartupWaitTimerId) OnStartupWaitOver();
      return 0;
    case WM_TIMECHANGE:
      // The wallpaper calendar shows today, also after the clock was set.
      RefreshWallpaperCalendar();
      return 0;
    case WM_POWERBROADCAST:
      // Waking up may cross midnight while the midnight timer slept.
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) RefreshWallpaperCalendar();
      return TRUE;
    default:
      if (message == LiveObjectsMessage()) return AnswerLiveObjects(wParam);
      if (message == TrayIcon::TaskbarCreatedMessage()) {
        // A restarted shell has lost our icon and draws the desktop labels with its own default.
        trayIcon_.Readd();
        ApplyIconTextChoice();
      }
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace qb
