// The main window's tray icon and popup menu: the icon callback, Popmenu, the slot check marks and
// what each menu item does.
#include <windows.h>

#include "accessories/clock/ClockWindow.h"
#include "accessories/colour_chooser/ColourChooserWindow.h"
#include "accessories/memory/MemoryStatusWindow.h"
#include "accessories/open_anything/OpenAnythingWindow.h"
#include "accessories/shutdown_button/ShutdownButtonWindow.h"
#include "accessories/stopwatch/StopwatchWindow.h"
#include "accessories/version/VersionDialog.h"
#include "app/MainWindow.h"
#include "app/PopupMenu.h"
#include "app/SettingsDialogLink.h"
#include "calendar/CalendarWindow.h"
#include "desktop/IconText.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/TargetWindow.h"
#include "memo/DesktopMemos.h"
#include "platform/Clipboard.h"
#include "platform/DebugLog.h"
#include "settings_dialog/SettingsDialog.h"

namespace qb {

namespace {

void OpenSettingsDialog(MainWindow& window) {
  static SettingsDialogLink link(window);
  ShowSettingsDialog(link);
}

}  // namespace

void MainWindow::AddTrayIcon() { trayIcon_.Add(Hwnd(), WindowIcon(Hwnd())); }

void MainWindow::RemoveTrayIcon() { trayIcon_.Remove(); }

void MainWindow::OnTrayCallback(int16_t event, POINT anchor) {
  switch (trayEvents_.Decode(event)) {
    case TrayRequest::OpenSettings:
      OpenSettingsDialog(*this);
      break;
    case TrayRequest::OpenMenu:
      trayMenu_.ShowTrayOnlyItems();
      Popmenu(0);
      break;
    case TrayRequest::OpenMenuAtIcon:
      // The keyboard's way to the same menu: Enter, Space, Shift+F10 and the menu key all open it,
      // as the icon has no other action a single key could stand for (a single left click does
      // nothing; the settings dialog of the double-click is one of the menu's items).
      trayMenu_.ShowTrayOnlyItems();
      Popmenu(0, anchor);
      break;
    case TrayRequest::None:
      break;
  }
}

void MainWindow::Popmenu(int16_t mode, std::optional<POINT> anchor) {
  // A request while the menu is open leaves it, and the window it aims at, as they are.
  if (menuOpen_ && PopmenuActionFor(mode) == PopmenuAction::ShowMenu) return;
  TargetWindow = GetActiveWindow();
  switch (PopmenuActionFor(mode)) {
    case PopmenuAction::ShowMenu: {
      const UniqueMenu menu = BuildPopupMenu(trayMenu_);
      if (!menu) return;
      menuOpen_ = true;
      const UINT command = TrackMenu(Hwnd(), menu.get(), anchor);
      menuOpen_ = false;
      if (const auto item = MenuItemFromCommand(command)) {
        RunMenuItem(*item);
      } else if (anchor) {
        // Left from the keyboard: the focus goes back to the icon the user came from.
        trayIcon_.ReturnFocus();
      }
      break;
    }
    case PopmenuAction::StartLauncher:
      StartOwnProcess("Menu");
      break;
    case PopmenuAction::RecordOnly:
      break;
  }
}

void MainWindow::MarkClipSlot(int16_t n) { trayMenu_.MarkClipSlot(n); }

void MainWindow::SetSlotCaption(int n, std::string_view slotText) { trayMenu_.SetSlotCaption(n, slotText); }

void MainWindow::SetSlotCaptionsFromSlots() {
  const HotkeyState& hotkeys = TheHotkeys();
  for (int n = 1; n <= 3; ++n) SetSlotCaption(n, hotkeys.ClipSlots[static_cast<size_t>(n - 1)]);
}

void MainWindow::OnSlotItemClick(int n) {
  // A picture slot's text is its placeholder "[画像]", which is what goes on the clipboard here;
  // the picture itself is put back only by the paste hotkey.
  const std::string& text = TheHotkeys().ClipSlots[static_cast<size_t>(n - 1)];
  if (!WriteClipboardText(text, Hwnd())) return;  // ends the item's action, without a message
  MarkClipSlot(static_cast<int16_t>(n));
  if (TargetWindow != nullptr) Tolerate(SetActiveWindow(TargetWindow) != nullptr, "SetActiveWindow");
}

void MainWindow::RunMenuItem(MenuItem item) {
  if (const auto n = SlotOfItem(item)) {
    OnSlotItemClick(*n);
    return;
  }
  switch (item) {
    case MenuItem::mnuOpen:
      ShowOpenAnything();
      break;
    case MenuItem::stopWatch:
      ShowStopwatch();
      break;
    case MenuItem::colorChoose:
      ShowColourChooser();
      break;
    case MenuItem::shutdown:
      ShowShutdownButton();
      break;
    case MenuItem::cmdMemDiet:
      OpenMemoryStatusWindow([] { StartOwnProcess("Diet"); });
      break;
    case MenuItem::mnuClock:
      OpenAnalogClock();
      break;
    case MenuItem::mnuDeskCal:
      if (CalendarWindowHandle == nullptr) OpenDesktopCalendar();
      break;
    case MenuItem::mnuMemo:
      NewDesktopMemo();
      break;
    case MenuItem::mnuICON:
      ApplyIconTextChoice();
      break;
    case MenuItem::mnuSetting:
      OpenSettingsDialog(*this);
      break;
    case MenuItem::mnuVer:
      ShowVersionDialog();
      break;
    case MenuItem::mnuEnd:
      Unload();
      break;
    case MenuItem::mnu1:
    case MenuItem::mnu2:
    case MenuItem::mnu3:
      break;  // handled above
  }
}

}  // namespace qb
