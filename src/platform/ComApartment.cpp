#include "platform/ComApartment.h"

#include <objbase.h>

#include "platform/DebugLog.h"

namespace qb {

ComApartment::ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {
  if (!Usable()) LogWin32Failure("CoInitializeEx", static_cast<DWORD>(result_));
}

ComApartment::~ComApartment() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace qb
