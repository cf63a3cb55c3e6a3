#pragma once
// COM for the calling thread while the object lives, in a single-threaded apartment as the shell
// wants it (ShellExecuteEx may hand a start to a shell extension, which needs COM). Every
// successful initialisation is balanced; a thread already in the other apartment kind keeps it.
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

}  // namespace qb
