#include "platform/ComApartment.h"

#include <objbase.h>

#include "platform/DebugLog.h"
#include "platform/SystemLibrary.h"

namespace qb {

namespace {

constexpr wchar_t kComLibrary[] = L"ole32.dll";

HRESULT InitializeCom() {
  static const auto initialize = SystemFunctionAs<decltype(&CoInitializeEx)>(kComLibrary, "CoInitializeEx");
  if (initialize == nullptr) return E_NOTIMPL;
  return initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace

ComApartment::ComApartment() : result_(InitializeCom()) {
  if (!Usable()) LogWin32Failure("CoInitializeEx", static_cast<DWORD>(result_));
}

ComApartment::~ComApartment() {
  static const auto uninitialize = SystemFunctionAs<decltype(&CoUninitialize)>(kComLibrary, "CoUninitialize");
  if (SUCCEEDED(result_) && uninitialize != nullptr) uninitialize();
}

HRESULT CreateComInstance(REFCLSID classId, REFIID interfaceId, void** object) {
  static const auto create = SystemFunctionAs<decltype(&CoCreateInstance)>(kComLibrary, "CoCreateInstance");
  if (create == nullptr) return E_NOTIMPL;
  return create(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

void FreeComMemory(void* memory) noexcept {
  static const auto release = SystemFunctionAs<decltype(&CoTaskMemFree)>(kComLibrary, "CoTaskMemFree");
  if (memory != nullptr && release != nullptr) release(memory);
}

}  // namespace qb
