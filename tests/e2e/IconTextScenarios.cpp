// The background behind the desktop icon labels, driven through the real program against a
// stand-in desktop built here: Wine has no desktop icon list of its own, so this process plays the
// shell with a top-level "Progman" window holding a "SHELLDLL_DefView" with a real list view,
// served by a thread of its own so that the program's messages are answered.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "app/MenuModel.h"
#include "harness/Harness.h"
#include "harness/PopupMenus.h"

namespace qb::e2e {
namespace {

constexpr COLORREF kTransparent = CLR_NONE;
constexpr COLORREF kRed = RGB(255, 0, 0);
// Backgrounds the stand-in lists start with, unlike anything the program would set by itself.
constexpr COLORREF kFirstShellBackground = RGB(1, 2, 3);
constexpr COLORREF kRestartedShellBackground = RGB(4, 5, 6);
constexpr COLORREF kDesktopBlue = RGB(58, 110, 165);

constexpr UINT kCloseStandIn = WM_APP + 1;

// Where the shell keeps its desktop view: the classic place, or a WorkerW window that newer
// Windows moves it to.
enum class ViewParent { Progman, WorkerW };

LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCloseStandIn) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_SIZE) {
    // The view and its list fill their parent, as on a real desktop.
    if (HWND child = GetWindow(hwnd, GW_CHILD))
      MoveWindow(child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
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

// The stand-in desktop: its windows live on their own thread with a message loop, as the shell's
// live in the shell's process.
class StandInDesktop {
public:
  StandInDesktop(COLORREF textBackground, ViewParent parent = ViewParent::Progman) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, textBackground, parent] { Run(textBackground, parent); });
    WaitForSingleObject(ready_, ToDword(kDefaultTimeout));
  }
  ~StandInDesktop() {
    for (HWND top : {progman_.load(), worker_.load()})
      if (top != nullptr) PostMessageW(top, kCloseStandIn, 0, 0);
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
    CloseHandle(ready_);
  }
  StandInDesktop(const StandInDesktop&) = delete;
  StandInDesktop& operator=(const StandInDesktop&) = delete;

  [[nodiscard]] HWND List() const { return list_; }
  [[nodiscard]] HWND Desktop() const { return progman_; }

  // The list's text background as it answers now; CLR_DEFAULT when it does not answer.
  [[nodiscard]] COLORREF TextBackground() const {
    DWORD_PTR answer = CLR_DEFAULT;
    if (!SendMessageTimeoutW(list_, LVM_GETTEXTBKCOLOR, 0, 0, SMTO_NORMAL, 2000, &answer)) return CLR_DEFAULT;
    return static_cast<COLORREF>(answer);
  }

  [[nodiscard]] bool WaitForTextBackground(COLORREF expected) const {
    return WaitUntil([&] { return TextBackground() == expected; });
  }

private:
  void Run(COLORREF textBackground, ViewParent parent) {
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
    // The windows of a thread go with it; the image list belonged to the list view.
  }

  void FillWithIcons() {
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

  HANDLE ready_ = nullptr;
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> progman_{nullptr};
  std::atomic<HWND> worker_{nullptr};
  std::atomic<HWND> list_{nullptr};
};

// True when the capture holds at least one pixel of that colour (the labels' background).
bool Shows(const ScreenImage& image, COLORREF colour) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (SameColour(image.At(x, y), colour)) return true;
  return false;
}

class IconText : public Scenario {
protected:
  HWND Start(AppFolder& folder) {
    app = AppProcess::Start(folder);
    EXPECT_TRUE(app);
    return app ? app.WaitUntilResident() : nullptr;
  }

  AppProcess app;
};

TEST_F(IconText, StoredChoiceAppliedAtStartAndTheLabelsOwnBackgroundBackAtExit) {
  const struct {
    const char* ini;
    COLORREF atStart;
  } cases[] = {
      {"", kTransparent},
      {"[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n", kRed},
      // No colour stored: the desktop colour.
      {"[ICONTEXT]\r\nCHECK=0\r\n", GetSysColor(COLOR_BACKGROUND)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    StandInDesktop desktop(kFirstShellBackground);
    ASSERT_TRUE(desktop.List());
    AppFolder folder(Ini::Text(c.ini));
    ASSERT_TRUE(Start(folder));
    EXPECT_TRUE(desktop.WaitForTextBackground(c.atStart)) << "text background " << desktop.TextBackground();
    EXPECT_EQ(app.CloseMainWindow(), 0u);
    // Whatever the choice was, the labels get back what they had, not the desktop colour.
    EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
  }
}

TEST_F(IconText, RedLabelsAsAPersonSeesThem) {
  StandInDesktop desktop(kFirstShellBackground);
  ASSERT_TRUE(desktop.List());
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  ASSERT_TRUE(Start(folder));
  ASSERT_TRUE(desktop.WaitForTextBackground(kRed));
  // The program asked for a repaint; the stand-in's thread paints when it gets to it.
  ScreenImage shot;
  EXPECT_TRUE(WaitUntil([&] {
    shot = CaptureWindow(desktop.Desktop());
    return Shows(shot, kRed);
  })) << "no red behind the labels on the screen";
  EXPECT_TRUE(SaveBitmap(shot, PathJoin(ExeDirectory(), L"icon-text-red.bmp")));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return !Shows(CaptureWindow(desktop.Desktop()), kRed); })) << "red labels after exit";
  EXPECT_TRUE(SaveBitmap(CaptureWindow(desktop.Desktop()), PathJoin(ExeDirectory(), L"icon-text-after-exit.bmp")));
}

TEST_F(IconText, TrayItemAppliesTheStoredChoiceAgain) {
  StandInDesktop desktop(kFirstShellBackground);
  ASSERT_TRUE(desktop.List());
  AppFolder folder;
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(desktop.WaitForTextBackground(kTransparent));

  folder.WriteIni("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n");
  // A right-button press on the tray icon, as the shell reports it.
  ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));
  HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuICON)));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  EXPECT_TRUE(desktop.WaitForTextBackground(kRed)) << "text background " << desktop.TextBackground();

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  // The original is the one from before the first change, not the program's transparent one.
  EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
}

TEST_F(IconText, ShellRestartAppliesTheChoiceToTheNewIconList) {
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  auto desktop = std::make_unique<StandInDesktop>(kFirstShellBackground);
  ASSERT_TRUE(desktop->List());
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(desktop->WaitForTextBackground(kRed));

  // The shell restarts: a new desktop with its own default, then the TaskbarCreated broadcast.
  desktop.reset();
  desktop = std::make_unique<StandInDesktop>(kRestartedShellBackground);
  ASSERT_TRUE(desktop->List());
  ASSERT_EQ(desktop->TextBackground(), kRestartedShellBackground);
  ASSERT_TRUE(Post(main, RegisterWindowMessageW(L"TaskbarCreated")));
  EXPECT_TRUE(desktop->WaitForTextBackground(kRed)) << "text background " << desktop->TextBackground();

  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(desktop->TextBackground(), kRestartedShellBackground);
}

TEST_F(IconText, DesktopViewUnderAWorkerWIsFoundToo) {
  StandInDesktop desktop(kFirstShellBackground, ViewParent::WorkerW);
  ASSERT_TRUE(desktop.List());
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  ASSERT_TRUE(Start(folder));
  EXPECT_TRUE(desktop.WaitForTextBackground(kRed)) << "text background " << desktop.TextBackground();
  EXPECT_EQ(app.CloseMainWindow(), 0u);
  EXPECT_EQ(desktop.TextBackground(), kFirstShellBackground);
}

TEST_F(IconText, WithoutAnIconListNothingHappensAndNothingIsReported) {
  AppFolder folder(Ini::Text("[ICONTEXT]\r\nCHECK=0\r\nCOLOR=255\r\n"));
  HWND main = Start(folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(Post(main, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN));
  HWND menu = WaitForPopupMenu(app.Id());
  ASSERT_TRUE(menu);
  ASSERT_TRUE(ChooseByKeyboard(menu, static_cast<int>(MenuItem::mnuICON)));
  EXPECT_TRUE(WaitForNoPopupMenu(app.Id()));
  WindowFilter visible;
  visible.processId = app.Id();
  visible.visibleOnly = true;
  EXPECT_TRUE(StaysWithoutWindow(visible)) << "something was shown without an icon list";
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
