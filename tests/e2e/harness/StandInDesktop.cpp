#include "harness/StandInDesktop.h"

#include <commctrl.h>

#include "harness/Wait.h"

namespace qb::e2e {

namespace {

constexpr UINT kCloseStandIn = WM_APP + 1;
constexpr COLORREF kDesktopBlue = RGB(58, 110, 165);

LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCloseStandIn) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_SIZE) {
    // The view and its list fill their parent, as on a real desktop.
    if (HWND child = GetWindow(hwnd, GW_CHILD)) MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterStandInClass(const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = StandInProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);  // already registered by an earlier stand-in: fine
}

}  // namespace

StandInDesktop::StandInDesktop(COLORREF textBackground, ViewParent parent) {
  ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, textBackground, parent] { Run(textBackground, parent); });
  WaitForSingleObject(ready_, ToDword(kDefaultTimeout));
}

StandInDesktop::~StandInDesktop() {
  for (HWND top : {progman_.load(), worker_.load()})
    if (top != nullptr) PostMessageW(top, kCloseStandIn, 0, 0);
  // WM_QUIT comes out of the queue only after the posted closes.
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  if (thread_.joinable()) thread_.join();
  CloseHandle(ready_);
}

HWND StandInDesktop::Desktop() const { return worker_ != nullptr ? worker_.load() : progman_.load(); }

COLORREF StandInDesktop::TextBackground() const {
  DWORD_PTR answer = CLR_DEFAULT;
  if (!SendMessageTimeoutW(list_, LVM_GETTEXTBKCOLOR, 0, 0, SMTO_NORMAL, 2000, &answer)) return CLR_DEFAULT;
  return static_cast<COLORREF>(answer);
}

bool StandInDesktop::WaitForTextBackground(COLORREF expected) const {
  return WaitUntil([&] { return TextBackground() == expected; });
}

void StandInDesktop::Run(COLORREF textBackground, ViewParent parent) {
  threadId_ = GetCurrentThreadId();
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterStandInClass(L"Progman");
  RegisterStandInClass(L"SHELLDLL_DefView");
  RegisterStandInClass(L"WorkerW");
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const DWORD topStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  progman_ = CreateWindowExW(0, L"Progman", L"Program Manager", topStyle, 40, 40, 420, 220, nullptr, nullptr, instance, nullptr);
  HWND viewParent = progman_;
  if (parent == ViewParent::WorkerW) {
    worker_ = CreateWindowExW(0, L"WorkerW", L"", topStyle, 40, 40, 420, 220, nullptr, nullptr, instance, nullptr);
    viewParent = worker_;
  }
  RECT area{};
  GetClientRect(viewParent, &area);
  HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, area.right,
                              area.bottom, viewParent, nullptr, instance, nullptr);
  list_ = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE, 0, 0,
                          area.right, area.bottom, view, nullptr, instance, nullptr);
  FillWithIcons();
  SendMessageW(list_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(textBackground));
  SetEvent(ready_);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void StandInDesktop::FillWithIcons() {
  // The list view destroys its normal image list with itself.
  HIMAGELIST icons = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 3, 0);
  for (LPCWSTR icon : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING}) ImageList_AddIcon(icons, LoadIconW(nullptr, icon));
  SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
  SendMessageW(list_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(kDesktopBlue));
  SendMessageW(list_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(RGB(255, 255, 255)));
  const wchar_t* labels[] = {L"ごみ箱", L"ドキュメント", L"Quorbell メモ"};
  for (int i = 0; i < 3; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.iImage = i;
    item.pszText = const_cast<wchar_t*>(labels[i]);
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace qb::e2e
