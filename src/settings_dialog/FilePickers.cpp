#include "settings_dialog/FilePickers.h"

#include <commdlg.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "platform/ComApartment.h"
#include "platform/DebugLog.h"
#include "settings_dialog/CommonDialogLibrary.h"
#include "platform/WinText.h"
#include "settings_dialog/PickerRules.h"

namespace qb {

namespace {

constexpr std::string_view kFileTitle = "ファイルを選択して下さい。";
constexpr std::string_view kFolderTitle = "フォルダを選択してください";
constexpr std::string_view kDefaultExtension = "exe";
// The longest path Windows can name (\\?\ form). A path of 255 characters or more used to come
// back as a cancel because the buffer was a classic MAX_PATH one; this one holds any path.
constexpr DWORD kPathUnits = 32768;

struct PidlDeleter {
  void operator()(ITEMIDLIST* pidl) const noexcept { FreeComMemory(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

}  // namespace

std::string ShowOpenFileDialog(HWND owner, std::string_view initialDir, bool pictureMode) {
  const std::wstring filter = Widen(OpenFileFilter(pictureMode));  // NULs and all
  const std::wstring folder = Widen(initialDir);
  const std::wstring title = Widen(kFileTitle);
  const std::wstring extension = Widen(kDefaultExtension);
  std::wstring path(kPathUnits, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathUnits;
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.c_str();
  // OFN_NOCHANGEDIR: without it the dialog leaves the process's current directory in the chosen
  // folder, which Windows then keeps from being deleted or renamed while the program runs.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const CommonDialogLibrary* library = CommonDialogs();
  if (library == nullptr || !library->getOpenFileName(&dialog)) {
    // A cancel leaves no extended error; anything else is worth a line in the log.
    if (const DWORD error = library != nullptr ? library->extendedError() : 0; error != 0) {
      DebugLog("GetOpenFileNameW failed: common dialog error " + std::to_string(error));
    }
    return {};
  }
  return Narrow(std::wstring_view(path.c_str()));
}

std::string ShowFolderDialog(HWND owner) {
  const ComApartment com;
  const std::wstring title = Widen(kFolderTitle);
  wchar_t displayName[MAX_PATH] = {};  // the chosen item's short name; the dialog needs room for it

  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const UniquePidl chosen(SHBrowseForFolderW(&browse));
  if (!chosen) return {};

  std::wstring path(kPathUnits, L'\0');
  if (!Tolerate(SHGetPathFromIDListEx(chosen.get(), path.data(), kPathUnits, GPFIDL_DEFAULT) != FALSE,
                "SHGetPathFromIDListEx")) {
    return {};
  }
  return Narrow(std::wstring_view(path.c_str()));
}

}  // namespace qb
