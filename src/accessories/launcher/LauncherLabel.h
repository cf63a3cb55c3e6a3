#pragma once
// The name of one launcher row: a child window that draws its text (its window text, so it can be
// read as any label's) in the row's colours, and tells its listener when the pointer moves over it
// and when a mouse button is let go over it.
#include <windows.h>

#include <string_view>

#include "accessories/launcher/LauncherRows.h"
#include "platform/WindowBase.h"

namespace qb {

class LauncherLabel : public WindowBase<LauncherLabel> {
public:
  class Listener {
  public:
    virtual void LauncherLabel_MouseMove(int row) = 0;
    virtual void LauncherLabel_ButtonUp(int row, LauncherRows::Button button) = 0;

  protected:
    ~Listener() = default;
  };

  static const wchar_t* ClassName() { return L"Quorbell.LauncherLabel"; }
  static void ConfigureClass(WNDCLASSEXW& wc);

  // A visible child of `parent` in parent pixels, showing nothing yet.
  [[nodiscard]] bool Create(HWND parent, int row, const RECT& place, HFONT font, Listener* listener);
  void SetText(std::string_view text);
  // The font the name is drawn in (the window's, which outlives its labels); repaints.
  void SetFont(HFONT font);
  // The row's background and text colours; repaints when they change.
  void SetColours(COLORREF background, COLORREF text);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  void Paint();

  int row_ = 0;
  HFONT font_ = nullptr;  // the window's, which outlives its labels
  Listener* listener_ = nullptr;
  COLORREF background_ = 0;
  COLORREF text_ = 0;
};

}  // namespace qb
