#include "win/ToolTestSupport.h"

#include "platform/MessagePump.h"

namespace qb::test {

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

const wchar_t* PlainClass() {
  static const wchar_t* const name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"Quorbell.Test.FrontCandidate";
    RegisterClassW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

}  // namespace

UniqueWindow FrontCandidate(int x, int y, int width, int height, DWORD exStyle) {
  return UniqueWindow(CreateWindowExW(exStyle, PlainClass(), L"前面の窓", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width,
                                      height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  // Activation is asynchronous: wait for it, without judging how long it takes.
  for (int i = 0; i < 500 && GetForegroundWindow() != window; ++i) {
    PumpPendingMessages();
    Sleep(10);
  }
  PumpPendingMessages();
  return GetForegroundWindow() == window;
}

}  // namespace qb::test
