#pragma once
// Driving the settings dialog "設定" of the program under test: opening it from the tray icon or
// the tray menu, finding its controls by their ids, reading the tab strip and moving between pages
// with the keyboard.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"
#include "settings_dialog/SettingsDialogLayout.h"

namespace qb::e2e {

inline constexpr UINT kTrayIconId = 1;
inline constexpr int kTabStripId = 100;  // the dialog's tab strip

// The program's visible settings dialog.
inline WindowFilter SettingsDialogFilter(DWORD processId) {
  WindowFilter filter;
  filter.processId = processId;
  filter.className = L"#32770";
  filter.caption = L"設定";
  filter.visibleOnly = true;
  return filter;
}

// The control with that id anywhere in the dialog (its pages included).
inline HWND DialogControl(HWND dialog, int id) {
  for (HWND child : ChildWindows(dialog)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

inline HWND TabStrip(HWND dialog) { return GetDlgItem(dialog, kTabStripId); }
inline int SelectedTab(HWND dialog) { return static_cast<int>(SendMessageW(TabStrip(dialog), TCM_GETCURSEL, 0, 0)); }

inline bool Ticked(HWND button) { return Send(button, BM_GETCHECK).value_or(-1) == BST_CHECKED; }
inline int ListIndex(HWND list) { return static_cast<int>(Send(list, CB_GETCURSEL).value_or(-2)); }

// The captions of the tab strip, read through a buffer in the program's own memory (a tab strip's
// item text cannot be asked for across processes otherwise).
inline std::vector<std::string> TabCaptions(HWND dialog) {
  std::vector<std::string> captions;
  const HWND tab = TabStrip(dialog);
  DWORD pid = 0;
  GetWindowThreadProcessId(tab, &pid);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return captions;
  constexpr int kTextChars = 64;
  const SIZE_T size = sizeof(TCITEMW) + kTextChars * sizeof(wchar_t);
  auto* remote = static_cast<unsigned char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  if (remote != nullptr) {
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
      item.cchTextMax = kTextChars;
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      wchar_t text[kTextChars] = {};
      WriteProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof text, nullptr);
      SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof text, nullptr);
      text[kTextChars - 1] = L'\0';
      char utf8[kTextChars * 3] = {};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
      captions.emplace_back(utf8);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return captions;
}

class SettingsDialogScenario : public ResidentScenario {
protected:
  // The tray icon's left double-click, as the shell reports it; the dialog once it shows.
  HWND OpenByDoubleClick(HWND main) {
    EXPECT_TRUE(Post(main, WM_MOUSEMOVE, kTrayIconId, WM_LBUTTONDBLCLK));
    return WaitForWindow(SettingsDialogFilter(app.Id()));
  }

  // "初期設定" chosen from the tray menu with the keyboard; the dialog once it shows.
  HWND OpenFromMenu(HWND main) {
    EXPECT_TRUE(Post(main, WM_MOUSEMOVE, kTrayIconId, WM_RBUTTONDOWN));
    const HWND menu = WaitForPopupMenu(app.Id());
    if (menu == nullptr) return nullptr;
    EXPECT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuSetting)));
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
    return WaitForWindow(SettingsDialogFilter(app.Id()));
  }

  // The captions of the tray menu opened by a right press on the icon (closed again with Escape).
  std::vector<std::string> TrayMenuCaptions(HWND main) {
    EXPECT_TRUE(Post(main, WM_MOUSEMOVE, kTrayIconId, WM_RBUTTONDOWN));
    const HWND menu = WaitForPopupMenu(app.Id());
    if (menu == nullptr) return {};
    const auto items = ReadPopupMenu(menu);
    EXPECT_TRUE(PostKey(menu, VK_ESCAPE));
    EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
    return items ? Captions(*items) : std::vector<std::string>{};
  }

  // Presses Ctrl+PageDown (or PageUp) as real keys until page `index` is in front.
  bool GoToPage(HWND dialog, int index) {
    for (int step = 0; step < kSettingsPageCount && SelectedTab(dialog) != index; ++step) {
      if (!BringToFront(dialog)) return false;
      const int before = SelectedTab(dialog);
      if (!PressKeys({VK_CONTROL, VK_NEXT})) return false;
      if (!WaitUntil([&] { return SelectedTab(dialog) != before; })) return false;
    }
    return SelectedTab(dialog) == index;
  }

  // Clicks a button of the dialog with the real mouse.
  bool Click(HWND dialog, int id) {
    const HWND button = id == IDOK || id == IDCANCEL ? GetDlgItem(dialog, id) : DialogControl(dialog, id);
    return button != nullptr && ClickAt(button, POINT{6, 6});
  }

  // The dialog hides when OK or Cancel has done its work.
  bool WaitHidden(HWND dialog) {
    return WaitUntil([&] { return !IsWindowVisible(dialog); });
  }
};

}  // namespace qb::e2e
