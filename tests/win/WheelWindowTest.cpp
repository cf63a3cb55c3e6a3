// The wheel window on a target of this process: its look and place, the hook, four click pairs on
// the right arrow of the target's scroll bar per notch (busy picture showing meanwhile), the
// re-assertion in front, the hide and show toggle and the unload when it is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "hotkeys/WheelWindow.h"
#include "hotkeys/TargetWindow.h"
#include "hotkeys/ToolState.h"
#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"
#include "win/ToolTestSupport.h"

namespace qb {
namespace {

using test::BringToFront;
using test::FrontCandidate;

struct Click {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool busyPictureShown;
};

std::vector<Click> g_clicks;
int g_vscrollLines = 0;  // SB_LINEDOWN minus SB_LINEUP seen by the document

bool BusyPictureShown() {
  const WheelWindow& form = TheWheelWindow();
  return form.BusyPicture() != nullptr && IsWindowVisible(form.BusyPicture()) && !IsWindowVisible(form.IdlePicture());
}

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
    g_clicks.push_back({message, wParam, lParam, BusyPictureShown()});
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK DocumentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL) {
    if (LOWORD(wParam) == SB_LINEDOWN) ++g_vscrollLines;
    if (LOWORD(wParam) == SB_LINEUP) --g_vscrollLines;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterOnce(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

HWND Child(DWORD exStyle, const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent, void* param = nullptr) {
  return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), param);
}

// A window laid out like the documents the wheel window serves: an MDI client holding a
// "VbaWindow" with a horizontal scroll bar followed by the vertical one.
struct DocumentTarget {
  UniqueWindow frame;
  HWND document = nullptr;
  HWND bar = nullptr;

  // `realBar`: a scroll bar control; otherwise a recorder of the clicks it is sent.
  static DocumentTarget Make(bool realBar, int barHeight) {
    RegisterOnce(L"VbaWindow", DocumentProc);
    RegisterOnce(L"Quorbell.Test.ArrowRecorder", RecorderProc);
    DocumentTarget t;
    t.frame = FrontCandidate(100, 100, 500, 400);
    if (!t.frame) return t;
    CLIENTCREATESTRUCT ccs{nullptr, 1};
    const HWND mdi = Child(WS_EX_CLIENTEDGE, L"MDIClient", WS_CLIPCHILDREN, 0, 0, 480, 360, t.frame.get(), &ccs);
    t.document = Child(0, L"VbaWindow", 0, 0, 0, 400, barHeight + 20, mdi);
    Child(0, L"ScrollBar", SBS_HORZ, 0, barHeight, 380, 16, t.document);
    t.bar = realBar ? Child(0, L"ScrollBar", SBS_VERT, 380, 0, 16, barHeight, t.document)
                    : Child(0, L"Quorbell.Test.ArrowRecorder", 0, 380, 0, 16, barHeight, t.document);
    if (realBar && t.bar != nullptr) {
      SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1000, 10, 500, 0};
      SetScrollInfo(t.bar, SB_CTL, &si, TRUE);
    }
    return t;
  }
};

constexpr WPARAM kNotchDown = static_cast<WPARAM>(static_cast<DWORD>(MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))));
constexpr WPARAM kNotchUp = MAKEWPARAM(0, WHEEL_DELTA);

class WheelWindow : public testing::Test {
protected:
  void SetUp() override {
    g_clicks.clear();
    g_vscrollLines = 0;
    TheWindowTools() = WindowToolFlags{};
    TargetWindow = nullptr;
  }
  void TearDown() override {
    // Every test leaves the shared wheel window unloaded.
    if (TheWheelWindow().Hwnd() != nullptr) SendMessageW(TheWheelWindow().Hwnd(), WM_CLOSE, 0, 0);
    PumpPendingMessages();
    TheWindowTools() = WindowToolFlags{};
    TargetWindow = nullptr;
  }

  // The hotkey pressed while `target` is in front.
  static HWND ShowFor(HWND target) {
    if (!BringToFront(target)) return nullptr;
    ToggleWheelWindow();
    PumpPendingMessages();
    return TheWheelWindow().Hwnd();
  }
};

TEST_F(WheelWindow, FirstShowLoadsItSmallTopmostAtTheRightEdgeWithTheIdlePicture) {
  UniqueWindow target = FrontCandidate(50, 50, 300, 200);
  const HWND form = ShowFor(target.get());
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(TheWindowTools().WheelWindowShown);
  EXPECT_EQ(TargetWindow, target.get());
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongPtrW(form, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&WheelWindowProc));

  WindowDc screen(nullptr);
  const int side = WheelWindowClientPixels(GetDeviceCaps(screen.get(), LOGPIXELSY));
  RECT client{};
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, side);
  EXPECT_EQ(client.bottom, side);
  RECT outer{};
  GetWindowRect(form, &outer);
  EXPECT_EQ(outer.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) - 2 * (outer.bottom - outer.top));

  EXPECT_TRUE(IsWindowVisible(TheWheelWindow().IdlePicture()));
  EXPECT_FALSE(IsWindowVisible(TheWheelWindow().BusyPicture()));
  EXPECT_NE(TheWheelWindow().ScrollBar(), nullptr);
}

TEST_F(WheelWindow, ADpiChangeLaysItOutForTheDpiItCarriesInTheSuggestedRectangle) {
  UniqueWindow target = FrontCandidate(50, 50, 300, 200);
  const HWND form = ShowFor(target.get());
  ASSERT_NE(form, nullptr);
  // 390 twips at 192 dots per inch: 52 pixels; the scroll bar beside it as wide as there.
  RECT suggested{100, 100, 100 + 80, 100 + 90};
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  RECT outer{};
  GetWindowRect(form, &outer);
  EXPECT_TRUE(EqualRect(&outer, &suggested));
  for (const HWND picture : {TheWheelWindow().IdlePicture(), TheWheelWindow().BusyPicture()}) {
    RECT inside{};
    GetClientRect(picture, &inside);
    EXPECT_EQ(inside.right, WheelWindowClientPixels(192));
    EXPECT_EQ(inside.bottom, 52);
  }
  RECT bar{};
  GetWindowRect(TheWheelWindow().ScrollBar(), &bar);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.left, 52);
  EXPECT_EQ(bar.bottom, 52);
  EXPECT_EQ(bar.right - bar.left, SystemMetricForDpi(SM_CXVSCROLL, 192));
  // Back where it was made, for the tests after this one.
  const int side = WheelWindowClientPixels(SystemDpi());
  RECT back{outer.left, outer.top, outer.left + side + 20, outer.top + side + 30};
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(SystemDpi(), SystemDpi()), reinterpret_cast<LPARAM>(&back));
}

TEST_F(WheelWindow, PicChangeSwapsTheTwoPictures) {
  UniqueWindow target = FrontCandidate(50, 50, 300, 200);
  ASSERT_NE(ShowFor(target.get()), nullptr);
  for (bool busy : {true, false, true, true, false}) {
    TheWheelWindow().ShowBusyPicture(busy);
    EXPECT_EQ(IsWindowVisible(TheWheelWindow().BusyPicture()) != FALSE, busy);
    EXPECT_EQ(IsWindowVisible(TheWheelWindow().IdlePicture()) != FALSE, !busy);
  }
}

TEST_F(WheelWindow, EachNotchIsFourClickPairsOnTheArrowItTurnsTowards) {
  constexpr int kBarHeight = 120;
  DocumentTarget target = DocumentTarget::Make(false, kBarHeight);
  ASSERT_NE(target.bar, nullptr);
  const HWND form = ShowFor(target.frame.get());
  ASSERT_NE(form, nullptr);

  const struct {
    const char* what;
    WPARAM wParam;
    int y;
  } cases[] = {
      {"towards the user: lower arrow", kNotchDown, kBarHeight - 10},
      {"away from the user: upper arrow", kNotchUp, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    g_clicks.clear();
    SendMessageW(form, WM_MOUSEWHEEL, c.wParam, MAKELPARAM(5, 5));
    ASSERT_EQ(g_clicks.size(), 8u);
    for (size_t i = 0; i < g_clicks.size(); ++i) {
      EXPECT_EQ(g_clicks[i].message, static_cast<UINT>(i % 2 == 0 ? WM_LBUTTONDOWN : WM_LBUTTONUP)) << i;
      EXPECT_EQ(g_clicks[i].wParam, static_cast<WPARAM>(MK_LBUTTON)) << i;
      EXPECT_EQ(g_clicks[i].lParam, MAKELPARAM(0, c.y)) << i;
      EXPECT_TRUE(g_clicks[i].busyPictureShown) << i;
    }
    EXPECT_TRUE(IsWindowVisible(TheWheelWindow().IdlePicture()));
    EXPECT_FALSE(IsWindowVisible(TheWheelWindow().BusyPicture()));
    EXPECT_EQ(GetForegroundWindow(), form);
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
}

TEST_F(WheelWindow, ANotchScrollsARealScrollBarFourLines) {
  DocumentTarget target = DocumentTarget::Make(true, 200);
  ASSERT_NE(target.bar, nullptr);
  const HWND form = ShowFor(target.frame.get());
  ASSERT_NE(form, nullptr);
  SendMessageW(form, WM_MOUSEWHEEL, kNotchDown, 0);
  EXPECT_EQ(g_vscrollLines, 4);
  SendMessageW(form, WM_MOUSEWHEEL, kNotchUp, 0);
  EXPECT_EQ(g_vscrollLines, 0);
}

TEST_F(WheelWindow, ATargetWithoutTheDocumentGetsNoClicksButTheWindowStillComesToTheFront) {
  UniqueWindow plain = FrontCandidate(50, 50, 300, 200);
  // A document without its parent chain is not looked for among top-level windows.
  RegisterOnce(L"VbaWindow", DocumentProc);
  UniqueWindow stray(CreateWindowExW(0, L"VbaWindow", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr));
  const HWND form = ShowFor(plain.get());
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(BringToFront(plain.get()));
  SendMessageW(form, WM_MOUSEWHEEL, kNotchDown, 0);
  EXPECT_TRUE(g_clicks.empty());
  EXPECT_EQ(GetForegroundWindow(), form);
  EXPECT_TRUE(IsWindowVisible(TheWheelWindow().IdlePicture()));
  EXPECT_FALSE(IsWindowVisible(TheWheelWindow().BusyPicture()));
}

TEST_F(WheelWindow, TheHotkeyAlternatesHideAndShowAndClosingUnloadsIt) {
  UniqueWindow first = FrontCandidate(50, 50, 300, 200);
  UniqueWindow second = FrontCandidate(400, 50, 300, 200);
  const HWND form = ShowFor(first.get());
  ASSERT_NE(form, nullptr);

  ToggleWheelWindow();  // hide: stays loaded and hooked, the target is kept
  EXPECT_FALSE(TheWindowTools().WheelWindowShown);
  EXPECT_EQ(TheWheelWindow().Hwnd(), form);
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_EQ(TargetWindow, first.get());
  EXPECT_EQ(GetWindowLongPtrW(form, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&WheelWindowProc));

  EXPECT_EQ(ShowFor(second.get()), form);  // shown again, same window, new target
  EXPECT_TRUE(TheWindowTools().WheelWindowShown);
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_EQ(TargetWindow, second.get());

  SendMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(form));
  EXPECT_EQ(TheWheelWindow().Hwnd(), nullptr);
  EXPECT_FALSE(TheWindowTools().WheelWindowShown);

  // Loaded again after closing: hooked once more, and a notch is handled without looping.
  DocumentTarget target = DocumentTarget::Make(false, 100);
  const HWND again = ShowFor(target.frame.get());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(again, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&WheelWindowProc));
  SendMessageW(again, WM_MOUSEWHEEL, kNotchDown, 0);
  EXPECT_EQ(g_clicks.size(), 8u);
}

}  // namespace
}  // namespace qb
