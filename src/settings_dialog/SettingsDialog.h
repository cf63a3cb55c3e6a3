#pragma once
// The settings dialog "設定": a tab strip of fifteen pages, OK and "ｷｬﾝｾﾙ". It is modeless and there
// is one for the whole program: the first show loads its values from the settings file, later shows
// bring back the hidden dialog as it was left. OK writes every value and brings the running program
// up to date (SettingsDialogSteps.h); Cancel only hides it, keeping the edits for the next show.
// The window moves values between its controls and SettingsDialogValues and nothing else.
#include <windows.h>

#include <array>
#include <map>

#include "platform/DialogDpiLayout.h"
#include "platform/Handles.h"
#include "settings_dialog/SettingsDialogLayout.h"
#include "settings_dialog/SettingsDialogSteps.h"

namespace qb {

class SettingsDialog {
public:
  static constexpr int kTabStripId = 100;

  explicit SettingsDialog(SettingsDialogLive& live) : live_(live) {}
  ~SettingsDialog();
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  // Shows the dialog in front; the first show creates it and loads it. False when it cannot be made.
  bool Show();
  [[nodiscard]] HWND Hwnd() const noexcept { return dialog_; }
  [[nodiscard]] int SelectedPage() const noexcept { return selectedPage_; }

  void OnOk();
  void OnCancel();
  // Brings page `index` to the front (the others are hidden and disabled). With `focusIntoPage` the
  // keyboard focus goes to the page's first control.
  void SelectPage(int index, bool focusIntoPage);

private:
  // The window (SettingsDialog.cpp)
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  bool Create();
  void OnInitDialog(HWND dialog);
  bool CreatePages();
  void ArrangeWindow();
  // WM_DPICHANGED: the dialog, its pages and their own fonts laid out again for `dpi`.
  void OnDpiChanged(int dpi, const RECT* suggested);
  INT_PTR HandleDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandlePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);
  void OnTabNotify(const NMHDR& header);
  bool PreviewKey(const MSG& msg);
  void StepPage(int delta);
  void BrowseFile(int editId, bool pictureMode);
  void BrowseFolder(int editId);

  // The controls and their values (SettingsDialogControls.cpp)
  HWND Control(int id) const;
  void PrepareControls();
  void UpdateMacroFont();
  void ShowValues();
  void CollectValues();
  void UpdateEnabling();
  void UpdateSamples();
  void UpdateHotkeyStatus();
  void OnColourBoxClick(int id);
  void OnFontButtonClick(int id);
  void DrawColourBox(const DRAWITEMSTRUCT& item);
  // WM_CTLCOLORSTATIC of a page: the samples and the hotkey status texts have colours of their own.
  HBRUSH StaticColours(HDC dc, HWND control);

  SettingsDialogLive& live_;
  SettingsDialogValues values_;
  HWND dialog_ = nullptr;
  HWND tabStrip_ = nullptr;
  std::array<HWND, kSettingsPageCount> pages_{};
  std::map<int, HWND> controls_;
  std::map<int, Colour> boxColours_;  // what each colour box shows
  int selectedPage_ = 0;
  // The layout the dialog manager made, kept for another DPI; the samples' and the macro boxes'
  // fonts are made for `dpi_`.
  DialogDpiLayout layout_;
  std::array<DialogDpiLayout, kSettingsPageCount> pageLayouts_;
  int dpi_ = 96;
  UniqueFont macroFont_;
  UniqueFont calendarSampleFont_;
  UniqueFont memoSampleFont_;
  UniqueBrush calendarSampleBack_;
  UniqueBrush memoSampleBack_;
};

// The tray item "初期設定" and the tray icon's double-click: the program's one settings dialog.
void ShowSettingsDialog(SettingsDialogLive& live);

}  // namespace qb
