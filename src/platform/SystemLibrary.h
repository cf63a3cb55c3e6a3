#pragma once
// Functions of system libraries the program needs only now and then (the common dialogs, the
// printer, the CD drive), loaded the first time they are called rather than at start-up: a
// resident program then does not carry those libraries until the user asks for them (under Wine
// each one added megabytes to the program's memory from the start).
#include <windows.h>

namespace qb {

// The function `name` of the system library `library` ("comdlg32.dll"), or null when either cannot
// be had (logged). The library is loaded from the system folder once and stays loaded.
FARPROC SystemFunction(const wchar_t* library, const char* name);

// The same, typed: SystemFunctionAs<decltype(&ChooseColorW)>(L"comdlg32.dll", "ChooseColorW").
template <class F>
F SystemFunctionAs(const wchar_t* library, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

}  // namespace qb
