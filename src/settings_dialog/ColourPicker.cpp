#include "settings_dialog/ColourPicker.h"

#include <commdlg.h>

#include <array>
#include <string>

#include "platform/DebugLog.h"
#include "settings_dialog/CommonDialogLibrary.h"

namespace qb {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr Colour kNoColour = -1;

}  // namespace

Colour ShowColorDialog(HWND owner, Colour current) {
  // The dialog writes the custom colours the user adds into this array; a fresh one per call is
  // what makes them last only as long as the dialog.
  std::array<COLORREF, 16> customColours;
  customColours.fill(kWhite);

  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = static_cast<COLORREF>(current);
  dialog.lpCustColors = customColours.data();
  // No CC_RGBINIT: the dialog opens on its basic colours, as it always has here.
  dialog.Flags = 0;
  const CommonDialogLibrary* library = CommonDialogs();
  if (library == nullptr || !library->chooseColor(&dialog)) {
    // A cancel leaves no extended error; anything else is worth a line in the log.
    if (const DWORD error = library != nullptr ? library->extendedError() : 0; error != 0) {
      DebugLog("ChooseColorW failed: common dialog error " + std::to_string(error));
    }
    return kNoColour;
  }
  return static_cast<Colour>(dialog.rgbResult & 0x00FFFFFF);
}

}  // namespace qb
