// The platform's DPI helpers against the real system (under Wine: one DPI for every monitor).
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Dpi.h"
#include "platform/Handles.h"

namespace {

qb::UniqueWindow MakeCaptionedWindow() {
  return qb::UniqueWindow(CreateWindowExW(0, L"STATIC", L"dpi", WS_POPUP | WS_CAPTION, 10, 20, 200, 100, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr));
}

TEST(Dpi, EveryQueryAgreesOnAScreenOfOneDpi) {
  const int system = qb::SystemDpi();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(system, GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(nullptr, screen);
  const qb::UniqueWindow window = MakeCaptionedWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(qb::DpiOfWindow(window.get()), system);
  EXPECT_EQ(qb::DpiAtPoint(POINT{5, 5}), system);
  EXPECT_EQ(qb::DpiAtRect(RECT{-5000, -5000, -4000, -4000}), system) << "a place on no monitor: the nearest one's";
  EXPECT_EQ(qb::DpiOfWindow(nullptr), system);
}

TEST(Dpi, MetricsAndFramesFollowTheDpiAskedFor) {
  const int system = qb::SystemDpi();
  EXPECT_EQ(qb::SystemMetricForDpi(SM_CYCAPTION, system), GetSystemMetrics(SM_CYCAPTION));
  EXPECT_GT(qb::SystemMetricForDpi(SM_CYCAPTION, 2 * system), GetSystemMetrics(SM_CYCAPTION));

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT here{0, 0, 100, 50};
  RECT system96 = here;
  qb::AdjustWindowRectForDpi(here, style, WS_EX_TOOLWINDOW, system);
  ASSERT_TRUE(AdjustWindowRectEx(&system96, style, FALSE, WS_EX_TOOLWINDOW));
  EXPECT_TRUE(EqualRect(&here, &system96)) << "at the system DPI, as AdjustWindowRectEx";
  RECT doubled{0, 0, 100, 50};
  qb::AdjustWindowRectForDpi(doubled, style, WS_EX_TOOLWINDOW, 2 * system);
  EXPECT_LT(doubled.top, here.top) << "a taller title bar at twice the DPI";
}

TEST(Dpi, ADpiChangeCarriesItsDpiAndItsSuggestedRectangle) {
  EXPECT_EQ(qb::DpiOfDpiChange(MAKEWPARAM(144, 144)), 144);
  EXPECT_EQ(qb::DpiOfDpiChange(MAKEWPARAM(192, 192)), 192);
  EXPECT_EQ(qb::DpiOfDpiChange(0), 96) << "a message without a DPI";

  const qb::UniqueWindow window = MakeCaptionedWindow();
  ASSERT_TRUE(window);
  RECT suggested{30, 40, 330, 190};
  qb::ApplySuggestedRect(window.get(), reinterpret_cast<LPARAM>(&suggested));
  RECT now{};
  GetWindowRect(window.get(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested)) << now.left << "," << now.top << " " << now.right << "," << now.bottom;
  qb::ApplySuggestedRect(window.get(), 0);  // nothing suggested: the window stays
  GetWindowRect(window.get(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
}

TEST(Dpi, AnAwarenessScopeLeavesTheThreadAsItFoundIt) {
  const qb::UniqueWindow window = MakeCaptionedWindow();
  ASSERT_TRUE(window);
  RECT before{};
  GetWindowRect(window.get(), &before);
  {
    const qb::ThreadDpiAwarenessScope physical = qb::ThreadDpiAwarenessScope::PhysicalPixels();
    const qb::ThreadDpiAwarenessScope own(window.get());
    RECT inside{};
    GetWindowRect(window.get(), &inside);
    EXPECT_TRUE(EqualRect(&inside, &before)) << "this thread's own window, in its own coordinates";
  }
  RECT after{};
  GetWindowRect(window.get(), &after);
  EXPECT_TRUE(EqualRect(&after, &before));
  EXPECT_EQ(qb::DpiOfWindow(window.get()), qb::SystemDpi());
}

}  // namespace
