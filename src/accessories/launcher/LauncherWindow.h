#pragma once
// The launcher menu: a small window without title bar listing sixteen rows, each with the first
// icon of its program and a name, the current row highlighted. The pointer over a name makes its
// row current and a left release there starts it; Enter starts the current row; Up and Down move
// round the rows. Starting a row, Escape, any release over a name and the menu losing activation
// end the menu, and with it the helper process ("Quorbell.exe Menu") that shows it.
#include <windows.h>

#include <array>

#include "accessories/launcher/LauncherLabel.h"
#include "accessories/launcher/LauncherRows.h"
#include "platform/ComApartment.h"
#include "platform/Handles.h"
#include "platform/PictureBox.h"
#include "platform/WindowBase.h"

namespace qb {

class LauncherWindow : public WindowBase<LauncherWindow>, private LauncherLabel::Listener {
public:
  // The highlighted row: dark blue behind white text.
  static constexpr COLORREF kHighlightBackground = RGB(0, 0, 150);
  static constexpr COLORREF kHighlightText = RGB(255, 255, 255);
  static constexpr const char* kFontFace = "ＭＳ Ｐゴシック";
  static constexpr int kFontPoints = 9;

  static const wchar_t* ClassName() { return L"Quorbell.LauncherWindow"; }
  static void ConfigureClass(WNDCLASSEXW& wc);
  LauncherWindow() = default;
  ~LauncherWindow() { Destroy(); }

  // Creates the window, fills the rows from the settings and shows it in front with the keyboard
  // focus, row 0 highlighted; false when it cannot be created.
  [[nodiscard]] bool Load();

  void OnKeyDown(int keyCode);
  void OnActivate(bool active);
  // Moved to a monitor of another DPI: rows, icons and font at that DPI, in the suggested
  // rectangle (when one is given).
  void OnDpiChanged(int dpi, const RECT* suggested);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  struct Row {
    PictureBox icon;  // hidden until an icon is drawn into it
    LauncherLabel name;
  };

  void LauncherLabel_MouseMove(int row) override;
  void LauncherLabel_ButtonUp(int row, LauncherRows::Button button) override;

  struct RowPlaces {
    RECT strip;  // the row's highlight, as wide as the window
    RECT icon;
    RECT name;
  };
  [[nodiscard]] RowPlaces RowPlacesAt(int row) const;
  [[nodiscard]] UniqueFont MakeFont() const;
  // The frame around the design's inner size at the window's DPI, or the suggested rectangle.
  void FitFrame(const RECT* suggested, UINT flags);
  bool CreateRows();
  void LoadItem(int row);
  void RunItem(int row);
  // Carries out what an input asked for and shows the rows whose look changed.
  void Follow(LauncherRows::Choice choice, int currentBefore);
  void ShowRowLook(int row);
  void Paint();
  void End();

  ComApartment com_;  // first: COM is there before any shell call and until the last
  LauncherRows rows_;
  std::array<Row, LauncherRows::kRowCount> rowWindows_;
  std::array<RECT, LauncherRows::kRowCount> rowPlaces_{};
  UniqueFont font_;
  bool wasActive_ = false;
  bool ending_ = false;
  int dpi_ = 96;  // the DPI the window is laid out for: its monitor's
};

// The helper process's one window: shows the launcher menu, whose end ends the message loop.
// False when the window cannot be made.
[[nodiscard]] bool OpenLauncherMenu();

}  // namespace qb
