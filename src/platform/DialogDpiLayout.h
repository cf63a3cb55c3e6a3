#pragma once
// A dialog made from a template lays itself out again at another DPI (WM_DPICHANGED): the dialog
// manager laid it out once, in dialog units, for the DPI it was made at; this keeps that layout
// and scales it. The system's own rescaling of dialogs (Windows 10 1703 and later) is switched off
// for the dialog, so that only this one applies, the same everywhere (Wine has none).
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/Handles.h"

namespace qb {

class DialogDpiLayout {
public:
  // Takes the dialog as it stands now (call at the end of WM_INITDIALOG): its DPI, its font and the
  // place of every control.
  void Record(HWND dialog);
  // The layout at `dpi`: the dialog's font made again for it and given to every control that had
  // it, every control at its place scaled, the dialog in the suggested rectangle (none given: its
  // inner area scaled, its top-left corner kept).
  void Apply(HWND dialog, int dpi, const RECT* suggested);

  // The dialog's font at the DPI last applied; null before the first Apply.
  [[nodiscard]] HFONT Font() const noexcept { return font_.get(); }
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }

private:
  struct Control {
    HWND window;
    RECT place;        // in the dialog's inner coordinates, at the recorded DPI
    bool dialogFont;   // it had the dialog's font
  };
  int recordedDpi_ = 96;
  int dpi_ = 96;
  LOGFONTW recordedFont_{};
  bool hasFont_ = false;
  SIZE inner_{};
  std::vector<Control> controls_;
  UniqueFont font_;
};

}  // namespace qb
