#include "settings_dialog/FontPicker.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "platform/DebugLog.h"
#include "platform/Dpi.h"
#include "settings_dialog/CommonDialogLibrary.h"
#include "platform/WinText.h"
#include "settings_dialog/PickerRules.h"

namespace qb {

namespace {

constexpr INT kSmallestSize = 8;
constexpr INT kLargestSize = 24;

LOGFONTW LogFontOf(const FontChoice& font, int dpi) {
  LOGFONTW logFont{};
  logFont.lfHeight = PointsToCellHeight(font.size, dpi);
  logFont.lfWeight = WeightOf(font.bold);
  logFont.lfItalic = font.italic ? TRUE : FALSE;
  logFont.lfUnderline = font.underline ? TRUE : FALSE;
  logFont.lfStrikeOut = font.strikeout ? TRUE : FALSE;
  // DEFAULT_CHARSET lets a Japanese face keep its own script instead of being matched to Western.
  logFont.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = Widen(FitFaceName(font.name));
  std::copy_n(face.begin(), std::min(face.size(), std::size(logFont.lfFaceName) - 1), logFont.lfFaceName);
  return logFont;
}

FontChoice ChoiceOf(const LOGFONTW& logFont, COLORREF colour, int dpi) {
  FontChoice font;
  const wchar_t* face = logFont.lfFaceName;
  font.name = Narrow(std::wstring_view(face, wcsnlen(face, std::size(logFont.lfFaceName))));
  font.colour = static_cast<Colour>(colour & 0x00FFFFFF);
  font.size = CellHeightToPoints(logFont.lfHeight, dpi);
  font.bold = IsBoldWeight(logFont.lfWeight);
  font.italic = logFont.lfItalic != 0;
  font.strikeout = logFont.lfStrikeOut != 0;
  font.underline = logFont.lfUnderline != 0;
  return font;
}

}  // namespace

int ShowFontDialog(HWND owner, FontChoice& font) {
  // The dialog turns heights into points with the screen's DPI, the system's one.
  const int dpi = SystemDpi();
  LOGFONTW logFont = LogFontOf(font, dpi);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &logFont;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE;
  dialog.rgbColors = static_cast<COLORREF>(font.colour);
  dialog.nSizeMin = kSmallestSize;
  dialog.nSizeMax = kLargestSize;
  const CommonDialogLibrary* library = CommonDialogs();
  if (library == nullptr || !library->chooseFont(&dialog)) {
    // A cancel leaves no extended error; anything else is worth a line in the log.
    if (const DWORD error = library != nullptr ? library->extendedError() : 0; error != 0) {
      DebugLog("ChooseFontW failed: common dialog error " + std::to_string(error));
    }
    return 1;
  }
  font = ChoiceOf(logFont, dialog.rgbColors, dpi);
  return 0;
}

}  // namespace qb
