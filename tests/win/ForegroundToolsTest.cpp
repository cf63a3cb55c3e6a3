// The hotkey tools on the window in front: roll-up region and its removal, opacity steps and their
// bounds, the opacity reset that keeps the other extended styles, the topmost toggle, and the
// program-wide flags that make a second window get the opposite step.
#include <windows.h>

#include <gtest/gtest.h>

#include "hotkeys/TargetWindow.h"
#include "hotkeys/ToolState.h"
#include "hotkeys/WindowTools.h"
#include "platform/WindowHelpers.h"
#include "platform/Handles.h"
#include "platform/MessagePump.h"
#include "win/ToolTestSupport.h"

namespace qb {
namespace {

using test::BringToFront;
using test::FrontCandidate;

struct Region {
  int type = ERROR;
  RECT box{};
};

Region RegionOf(HWND window) {
  Region r;
  UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
  r.type = GetWindowRgn(window, region.get());
  if (r.type != ERROR) GetRgnBox(region.get(), &r.box);
  return r;
}

struct Layered {
  bool layered = false;
  BYTE alpha = 0;
  DWORD flags = 0;
};

Layered LayeredOf(HWND window) {
  Layered l;
  l.layered = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  if (l.layered) GetLayeredWindowAttributes(window, nullptr, &l.alpha, &l.flags);
  return l;
}

bool IsTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class ForegroundTools : public testing::Test {
protected:
  void SetUp() override {
    TheWindowTools() = WindowToolFlags{};
    TheWindowTools().AlphaLevel = 255;
    TheWindowTools().XpTitleMode = false;
    TargetWindow = nullptr;
  }
  void TearDown() override {
    TheWindowTools() = WindowToolFlags{};
    TheWindowTools().AlphaLevel = 255;
    TheWindowTools().XpTitleMode = false;
    TargetWindow = nullptr;
  }
};

TEST_F(ForegroundTools, RollUpKeepsTheTitleBarAndRollBackRemovesTheRegion) {
  const struct {
    const char* what;
    bool xp;
    int x, width;
    int titleBar;
  } cases[] = {
      {"left edge at 100, right at 900", false, 100, 800, 23},
      {"XP title mode", true, 100, 800, 30},
      {"at the left screen edge", false, 0, 500, 23},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TheWindowTools().XpTitleMode = c.xp;
    UniqueWindow window = FrontCandidate(c.x, 50, c.width, 300);
    ASSERT_TRUE(window);
    ASSERT_TRUE(BringToFront(window.get()));
    RECT rect{};
    GetWindowRect(window.get(), &rect);
    ASSERT_EQ(rect.right, c.x + c.width);

    ToggleWindowShade();
    EXPECT_TRUE(TheWindowTools().ShadeActive);
    const Region up = RegionOf(window.get());
    EXPECT_EQ(up.type, SIMPLEREGION);
    EXPECT_EQ(up.box.left, 0);
    EXPECT_EQ(up.box.top, 0);
    EXPECT_EQ(up.box.right, c.x + c.width);
    EXPECT_EQ(up.box.bottom, c.titleBar);

    // No region at all, not a fixed rectangle that would clip a large window.
    ToggleWindowShade();
    EXPECT_FALSE(TheWindowTools().ShadeActive);
    EXPECT_EQ(RegionOf(window.get()).type, ERROR) << "a region is left after rolling back";
  }
}

TEST_F(ForegroundTools, RollUpFlagIsProgramWideSoASecondWindowIsRolledBackNotUp) {
  UniqueWindow a = FrontCandidate(50, 50, 400, 300);
  UniqueWindow b = FrontCandidate(500, 80, 300, 200);
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(BringToFront(a.get()));
  ToggleWindowShade();
  ASSERT_EQ(RegionOf(a.get()).type, SIMPLEREGION);

  ASSERT_TRUE(BringToFront(b.get()));
  ToggleWindowShade();
  EXPECT_FALSE(TheWindowTools().ShadeActive);
  EXPECT_EQ(RegionOf(b.get()).type, ERROR);
  EXPECT_EQ(RegionOf(a.get()).type, SIMPLEREGION) << "A stays rolled up";

  ToggleWindowShade();
  const Region rolled = RegionOf(b.get());
  EXPECT_EQ(rolled.type, SIMPLEREGION);
  EXPECT_EQ(rolled.box.right, 800);
}

TEST_F(ForegroundTools, OpacityStepsOfFifteenWithBothBounds) {
  UniqueWindow window = FrontCandidate(60, 60, 300, 200);
  ASSERT_TRUE(window);
  ASSERT_TRUE(BringToFront(window.get()));

  LowerForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 240);
  Layered l = LayeredOf(window.get());
  EXPECT_TRUE(l.layered);
  EXPECT_EQ(l.alpha, 240);
  EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));

  for (int i = 0; i < 20; ++i) RaiseForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 255);
  EXPECT_EQ(LayeredOf(window.get()).alpha, 255);

  for (int i = 0; i < 17; ++i) LowerForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 0);
  EXPECT_EQ(LayeredOf(window.get()).alpha, 0);
  LowerForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 0);
  l = LayeredOf(window.get());
  EXPECT_TRUE(l.layered);
  EXPECT_EQ(l.alpha, 0);
}

TEST_F(ForegroundTools, OpacityResetDropsOnlyTheLayeredStyleAndKeepsTheLevel) {
  const struct {
    const char* what;
    DWORD exStyle;
    bool lowerFirst;
  } cases[] = {
      {"tool window with client edge, made translucent", WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE, true},
      {"accepting files, never layered", WS_EX_ACCEPTFILES | WS_EX_CLIENTEDGE, false},
      {"created layered by its program", WS_EX_LAYERED | WS_EX_TOOLWINDOW, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TheWindowTools().AlphaLevel = 255;
    UniqueWindow window = FrontCandidate(70, 70, 300, 200, c.exStyle);
    ASSERT_TRUE(window);
    if (c.exStyle & WS_EX_LAYERED) SetLayeredWindowAttributes(window.get(), 0, 90, LWA_ALPHA);
    ASSERT_TRUE(BringToFront(window.get()));
    if (c.lowerFirst) LowerForegroundAlpha();

    ResetForegroundAlpha();
    const LONG_PTR exStyle = GetWindowLongPtrW(window.get(), GWL_EXSTYLE);
    EXPECT_FALSE(exStyle & WS_EX_LAYERED);
    const DWORD others = c.exStyle & ~static_cast<DWORD>(WS_EX_LAYERED);
    EXPECT_EQ(static_cast<DWORD>(exStyle) & others, others);
    EXPECT_EQ(TheWindowTools().AlphaLevel, c.lowerFirst ? 240 : 255);
  }
  // The level kept by the reset is where the next step starts.
  LowerForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 240);
}

TEST_F(ForegroundTools, AfterResetTheNextStepDownContinuesFromTheKeptLevel) {
  UniqueWindow window = FrontCandidate(80, 80, 300, 200);
  ASSERT_TRUE(BringToFront(window.get()));
  LowerForegroundAlpha();
  ResetForegroundAlpha();
  EXPECT_FALSE(LayeredOf(window.get()).layered);
  LowerForegroundAlpha();
  EXPECT_EQ(TheWindowTools().AlphaLevel, 225);
  EXPECT_EQ(LayeredOf(window.get()).alpha, 225);
}

TEST_F(ForegroundTools, TopmostToggleTakesTheFrontWindowAndAlternates) {
  UniqueWindow a = FrontCandidate(90, 90, 300, 200);
  UniqueWindow b = FrontCandidate(420, 90, 300, 200);
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(BringToFront(a.get()));

  ToggleTopmost();
  EXPECT_EQ(TargetWindow, a.get());
  EXPECT_TRUE(TheWindowTools().TopmostActive);
  EXPECT_TRUE(IsTopmost(a.get()));

  ToggleTopmost();
  EXPECT_FALSE(TheWindowTools().TopmostActive);
  EXPECT_FALSE(IsTopmost(a.get()));

  // A made topmost, then the hotkey on B: B is put behind the topmost windows, A stays topmost.
  ToggleTopmost();
  ASSERT_TRUE(IsTopmost(a.get()));
  ASSERT_TRUE(BringToFront(b.get()));
  ToggleTopmost();
  EXPECT_EQ(TargetWindow, b.get());
  EXPECT_FALSE(TheWindowTools().TopmostActive);
  EXPECT_FALSE(IsTopmost(b.get()));
  EXPECT_TRUE(IsTopmost(a.get()));
}

TEST_F(ForegroundTools, PostWindowMessagePostsTheSameValues) {
  UniqueWindow window = FrontCandidate(100, 100, 200, 100);
  ASSERT_TRUE(window);
  constexpr UINT kMessage = WM_APP + 7;
  ASSERT_TRUE(PostWindowMessage(window.get(), kMessage, 0x12345678, -5));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, window.get(), kMessage, kMessage, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0x12345678u);
  EXPECT_EQ(msg.lParam, -5);

  HWND gone = FrontCandidate(0, 0, 10, 10).get();  // destroyed at the end of the full expression
  EXPECT_FALSE(PostWindowMessage(gone, kMessage, 0, 0));
}

}  // namespace
}  // namespace qb
