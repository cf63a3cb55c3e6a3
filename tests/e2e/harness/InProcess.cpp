#include "harness/InProcess.h"

#include <gtest/gtest.h>

#include <cstring>

#include "fixtures/InProcessProbe.h"
#include "harness/Files.h"
#include "platform/WinText.h"

namespace qb::e2e {

ProbeHook::ProbeHook(DWORD threadId) {
  // Stays loaded for the whole run: programs under test may still call it through the hook chain.
  static const HMODULE dll = LoadLibraryW(PathJoin(ExeDirectory(), probe::kDllName).c_str());
  const auto proc =
      dll != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, probe::kHookProcName))) : nullptr;
  if (proc == nullptr) {
    ADD_FAILURE() << "cannot load " << Narrow(probe::kDllName) << " beside the test executable";
    return;
  }
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, proc, dll, threadId);
  if (hook_ == nullptr) ADD_FAILURE() << "SetWindowsHookExW failed: " << GetLastError();
}

ProbeHook::~ProbeHook() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
}

ProbeAnswer::ProbeAnswer(const wchar_t* prefix, size_t size) {
  const std::wstring name = prefix + std::to_wstring(GetCurrentProcessId());
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), name.c_str());
  if (mapping_ != nullptr) view_ = MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size);
  if (view_ == nullptr) {
    ADD_FAILURE() << "cannot create the shared memory " << Narrow(name);
    return;
  }
  std::memset(view_, 0, size);
}

ProbeAnswer::~ProbeAnswer() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
}

bool SendProbeQuery(HWND hwnd, const wchar_t* messageName, LPARAM lParam) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(hwnd, RegisterWindowMessageW(messageName), GetCurrentProcessId(), lParam,
                             SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

bool DropFilesOn(HWND window, const std::vector<std::wstring>& files) {
  const ProbeAnswer answer(probe::kDropMappingPrefix, sizeof(probe::DropList));
  auto* list = static_cast<probe::DropList*>(answer.data());
  if (list == nullptr) return false;
  size_t used = 0;
  for (const std::wstring& file : files) {
    if (used + file.size() + 2 > static_cast<size_t>(probe::kMaxDropChars)) {
      ADD_FAILURE() << "too many files to drop at once";
      return false;
    }
    std::memcpy(list->files + used, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
    used += file.size() + 1;
  }
  const ProbeHook hook(GetWindowThreadProcessId(window, nullptr));
  if (!hook.ok()) return false;
  SendProbeQuery(window, probe::kDropFilesMessage);
  if (list->done != 1 || list->posted != 1) {
    ADD_FAILURE() << "the drop could not be made inside the program";
    return false;
  }
  return true;
}

bool SendDpiChange(HWND window, int dpi, const RECT& suggested) {
  const ProbeAnswer answer(probe::kDpiChangeMappingPrefix, sizeof(probe::DpiChange));
  auto* change = static_cast<probe::DpiChange*>(answer.data());
  if (change == nullptr) return false;
  change->dpi = dpi;
  change->suggested = suggested;
  const ProbeHook hook(GetWindowThreadProcessId(window, nullptr));
  if (!hook.ok()) return false;
  SendProbeQuery(window, probe::kDpiChangeMessage);
  if (change->done != 1) {
    ADD_FAILURE() << "WM_DPICHANGED could not be sent inside the program";
    return false;
  }
  return true;
}

std::optional<TextsFitResult> MeasureTexts(HWND window) {
  const ProbeAnswer answer(probe::kTextsFitMappingPrefix, sizeof(probe::TextsFit));
  auto* fit = static_cast<probe::TextsFit*>(answer.data());
  if (fit == nullptr) return std::nullopt;
  const ProbeHook hook(GetWindowThreadProcessId(window, nullptr));
  if (!hook.ok()) return std::nullopt;
  SendProbeQuery(window, probe::kTextsFitMessage);
  if (fit->done != 1) {
    ADD_FAILURE() << "the texts could not be measured inside the program";
    return std::nullopt;
  }
  fit->firstClipped[probe::kMaxText - 1] = L'\0';
  return TextsFitResult{fit->checked, fit->clipped, Narrow(fit->firstClipped)};
}

}  // namespace qb::e2e
