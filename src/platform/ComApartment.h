#pragma once
// COM for the calling thread while the object lives, in a single-threaded apartment as the shell
// wants it (ShellExecuteEx may hand a start to a shell extension, which needs COM). Every
// successful initialisation is balanced; a thread already in the other apartment kind keeps it.
// The COM library itself is loaded the first time it is needed, not at the program's start: most
// runs of a resident program never use it.
#include <windows.h>

namespace qb {

class ComApartment {
public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // True when COM can be used on this thread (ours, or the one the thread already had).
  [[nodiscard]] bool Usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
  HRESULT result_;
};

// CoCreateInstance for an in-process server; E_NOTIMPL when the COM library cannot be had.
HRESULT CreateComInstance(REFCLSID classId, REFIID interfaceId, void** object);
// CoTaskMemFree: frees what the shell and COM hand out (paths, item lists); null is fine.
void FreeComMemory(void* memory) noexcept;

}  // namespace qb
