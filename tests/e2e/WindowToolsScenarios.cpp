// The window tools through their hotkeys, pressed as real keys (SendInput) with a window of
// another program in front: roll-up and back, opacity steps with their bounds and the reset that
// keeps other extended styles, the topmost toggle.
#include <gtest/gtest.h>

#include <windows.h>

#include "HotkeySupport.h"
#include "harness/Harness.h"
#include "harness/ProbeTarget.h"

namespace qb::e2e {
namespace {

class WindowTools : public ResidentScenario {
protected:
  // Puts the probe in front and presses the combination.
  static bool Press(const ProbeTarget& probe, Combination c) { return probe.BringToFront() && PressCombination(c); }
};

std::optional<BYTE> Alpha(HWND hwnd) {
  const auto layered = LayeredAttributes(hwnd);
  if (!layered) return std::nullopt;
  return layered->alpha;
}

TEST_F(WindowTools, RollUpKeepsTheTitleBarAndRollingBackRemovesTheRegion) {
  for (const bool xp : {false, true}) {
    AppFolder folder(xp ? Ini::Text("[WindowShade]\r\nXPMODE=1\r\n") : Ini::Empty());
    ASSERT_TRUE(Start(folder));
    ProbeTarget probe;
    ASSERT_TRUE(probe.Ready());
    const RECT rect = WindowRect(probe.Hwnd());
    ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_NUMPAD0}));
    ASSERT_TRUE(WaitUntil([&] { return WindowRegion(probe.Hwnd()).type == SIMPLEREGION; })) << "xp " << xp;
    const RECT box = WindowRegion(probe.Hwnd()).box;
    // The region's right edge is the window's right edge in screen coordinates.
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, rect.right) << "xp " << xp;
    EXPECT_EQ(box.bottom, xp ? 30 : 23);
    ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_NUMPAD0}));
    EXPECT_TRUE(WaitUntil([&] { return WindowRegion(probe.Hwnd()).type == ERROR; })) << "the region stayed";
    EXPECT_EQ(app.CloseMainWindow(), 0u);
  }
}

TEST_F(WindowTools, OpacityStepsOfFifteenStopAtOpaqueAndTheResetKeepsOtherStyles) {
  AppFolder folder;
  ASSERT_TRUE(Start(folder));
  // A tool window with a client edge: the reset must take only the layered bit away.
  ProbeTarget probe(L"exstyle=0x280");
  ASSERT_TRUE(probe.Ready());
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_SUBTRACT}));
  EXPECT_TRUE(WaitUntil([&] { return Alpha(probe.Hwnd()) == 240; })) << "alpha after one step down";
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_ADD}));
  EXPECT_TRUE(WaitUntil([&] { return Alpha(probe.Hwnd()) == 255; }));
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_ADD}));  // already opaque: stays 255
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_SUBTRACT}));
  EXPECT_TRUE(WaitUntil([&] { return Alpha(probe.Hwnd()) == 240; })) << "a step up from 255 went beyond it";

  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_MULTIPLY}));
  EXPECT_TRUE(WaitUntil([&] { return (ExStyle(probe.Hwnd()) & WS_EX_LAYERED) == 0; })) << "still layered";
  EXPECT_EQ(ExStyle(probe.Hwnd()) & 0x280, 0x280) << "the reset took other extended styles away";
  // The level is kept across the reset: the next step down gives 225.
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_SUBTRACT}));
  EXPECT_TRUE(WaitUntil([&] { return Alpha(probe.Hwnd()) == 225; }));
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

TEST_F(WindowTools, TopmostToggleSetsAndClearsTheFlag) {
  AppFolder folder;
  ASSERT_TRUE(Start(folder));
  ProbeTarget probe;
  ASSERT_TRUE(probe.Ready());
  ASSERT_EQ(ExStyle(probe.Hwnd()) & WS_EX_TOPMOST, 0);
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_HOME}));
  EXPECT_TRUE(WaitUntil([&] { return (ExStyle(probe.Hwnd()) & WS_EX_TOPMOST) != 0; })) << "not topmost";
  ASSERT_TRUE(Press(probe, {MOD_CONTROL, VK_HOME}));
  EXPECT_TRUE(WaitUntil([&] { return (ExStyle(probe.Hwnd()) & WS_EX_TOPMOST) == 0; })) << "still topmost";
  EXPECT_EQ(app.CloseMainWindow(), 0u);
}

}  // namespace
}  // namespace qb::e2e
