// The smallest resident Win32 program: one hidden top-level window and a message loop, ended by
// WM_CLOSE. StartupBench measures it next to Quorbell.exe as the yardstick of what a start costs
// on the machine at hand.
#include <windows.h>

namespace {

LRESULT CALLBACK TrivialProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TrivialProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"QuorbellBench.Trivial";
  if (!RegisterClassW(&wc)) return 1;
  if (!CreateWindowExW(0, wc.lpszClassName, L"Trivial", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                       instance, nullptr)) {
    return 2;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
