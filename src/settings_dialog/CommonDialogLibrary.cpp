#include "settings_dialog/CommonDialogLibrary.h"

#include "platform/SystemLibrary.h"

namespace qb {

const CommonDialogLibrary* CommonDialogs() {
  static const CommonDialogLibrary* const library = []() -> const CommonDialogLibrary* {
    static CommonDialogLibrary functions;
    constexpr const wchar_t* kLibrary = L"comdlg32.dll";
    functions.chooseColor = SystemFunctionAs<decltype(&ChooseColorW)>(kLibrary, "ChooseColorW");
    functions.chooseFont = SystemFunctionAs<decltype(&ChooseFontW)>(kLibrary, "ChooseFontW");
    functions.getOpenFileName = SystemFunctionAs<decltype(&GetOpenFileNameW)>(kLibrary, "GetOpenFileNameW");
    functions.extendedError = SystemFunctionAs<decltype(&CommDlgExtendedError)>(kLibrary, "CommDlgExtendedError");
    const bool complete = functions.chooseColor && functions.chooseFont && functions.getOpenFileName &&
                          functions.extendedError;
    return complete ? &functions : nullptr;
  }();
  return library;
}

}  // namespace qb
