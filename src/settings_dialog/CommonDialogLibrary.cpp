#include "settings_dialog/CommonDialogLibrary.h"

#include "platform/DebugLog.h"

namespace qb {

namespace {

template <class F>
bool Load(HMODULE module, const char* name, F& function) {
  function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return Tolerate(function != nullptr, name);
}

}  // namespace

const CommonDialogLibrary* CommonDialogs() {
  static const CommonDialogLibrary* const library = [] () -> const CommonDialogLibrary* {
    static CommonDialogLibrary functions;
    // From the system folder only; Windows 7 without its loader update refuses the flag, and
    // comdlg32 is one of the known DLLs that Windows always takes from there.
    HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(L"comdlg32.dll");
    if (!Tolerate(module != nullptr, "LoadLibraryExW(comdlg32.dll)")) return nullptr;
    const bool complete = Load(module, "ChooseColorW", functions.chooseColor) &
                          Load(module, "ChooseFontW", functions.chooseFont) &
                          Load(module, "GetOpenFileNameW", functions.getOpenFileName) &
                          Load(module, "CommDlgExtendedError", functions.extendedError);
    return complete ? &functions : nullptr;
  }();
  return library;
}

}  // namespace qb
