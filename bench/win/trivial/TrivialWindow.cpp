// The smallest resident Win32 program: one hidden top-level window and a message loop, ended by
// WM_CLOSE; with the argument "tray" it also shows an icon in the notification area, as a resident
// program does. The benchmarks measure it next to Quorbell.exe as the yardstick of what a start and
// a resident process cost on the machine at hand.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

NOTIFYICONDATAW icon{};

LRESULT CALLBACK TrivialProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    if (icon.hWnd != nullptr) Shell_NotifyIconW(NIM_DELETE, &icon);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TrivialProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"QuorbellBench.Trivial";
  if (!RegisterClassW(&wc)) return 1;
  const HWND window = CreateWindowExW(0, wc.lpszClassName, L"Trivial", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                      nullptr, instance, nullptr);
  if (!window) return 2;
  if (commandLine != nullptr && std::wcsstr(commandLine, L"tray") != nullptr) {
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    std::wcscpy(icon.szTip, L"Trivial");
    if (!Shell_NotifyIconW(NIM_ADD, &icon)) icon.hWnd = nullptr;
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
