#pragma once
// The common-dialog library, loaded the first time a picker opens rather than at start-up (see
// platform/SystemLibrary.h; under Wine it added about 5 MB to the program's memory from the start).
#include <windows.h>
#include <commdlg.h>

namespace qb {

struct CommonDialogLibrary {
  decltype(&ChooseColorW) chooseColor = nullptr;
  decltype(&ChooseFontW) chooseFont = nullptr;
  decltype(&GetOpenFileNameW) getOpenFileName = nullptr;
  decltype(&CommDlgExtendedError) extendedError = nullptr;
};

// The library's functions; null when it cannot be loaded (logged), which the pickers answer as a
// cancel. The library stays loaded for the rest of the process.
const CommonDialogLibrary* CommonDialogs();

}  // namespace qb
