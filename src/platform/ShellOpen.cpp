#include "platform/ShellOpen.h"

#include "platform/ComApartment.h"
#include "platform/DebugLog.h"
#include "platform/Handles.h"
#include "platform/WinText.h"

namespace qb {

bool OpenWithShell(HWND owner, const std::string& name) {
  // The shell may hand the name to an extension that needs COM on this thread.
  const ComApartment com;
  const std::wstring file = Widen(name);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  const bool opened = Tolerate(ShellExecuteExW(&info) != FALSE, "ShellExecuteExW");
  // The started process is not waited for; its handle, when there is one, is not kept either.
  const UniqueHandle process(info.hProcess);
  return opened;
}

std::vector<std::string> DroppedFiles(HDROP drop) {
  std::vector<std::string> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  files.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
    path.resize(copied);
    files.push_back(Narrow(path));
  }
  return files;
}

}  // namespace qb
