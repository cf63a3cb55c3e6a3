#include "platform/CommonControls.h"

#include "platform/DebugLog.h"
#include "platform/SystemLibrary.h"

namespace qb {

namespace {

struct Functions {
  decltype(&InitCommonControlsEx) init = nullptr;
  decltype(&SetWindowSubclass) set = nullptr;
  decltype(&RemoveWindowSubclass) remove = nullptr;
  decltype(&DefSubclassProc) next = nullptr;
};

// All four at once, on the first call: a subclass procedure may still run while the program's
// statics are destroyed (a window that goes at exit), and must find its functions already there.
const Functions& Loaded() {
  static const Functions functions = [] {
    constexpr wchar_t kLibrary[] = L"comctl32.dll";
    Functions f;
    f.init = SystemFunctionAs<decltype(f.init)>(kLibrary, "InitCommonControlsEx");
    f.set = SystemFunctionAs<decltype(f.set)>(kLibrary, "SetWindowSubclass");
    f.remove = SystemFunctionAs<decltype(f.remove)>(kLibrary, "RemoveWindowSubclass");
    f.next = SystemFunctionAs<decltype(f.next)>(kLibrary, "DefSubclassProc");
    return f;
  }();
  return functions;
}

}  // namespace

bool RegisterCommonControlClasses(DWORD classes) {
  const INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
  const auto init = Loaded().init;
  return Tolerate(init != nullptr && init(&controls) != FALSE, "InitCommonControlsEx");
}

bool SubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  const auto set = Loaded().set;
  return Tolerate(set != nullptr && set(hwnd, proc, id, data) != FALSE, "SetWindowSubclass");
}

bool RemoveSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id) {
  const auto remove = Loaded().remove;
  return remove != nullptr && remove(hwnd, proc, id) != FALSE;
}

LRESULT DefaultSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Only ever called from a subclass procedure, which exists only once SubclassWindow found the
  // functions; the fallback is for the impossible rest.
  const auto next = Loaded().next;
  return next != nullptr ? next(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace qb
