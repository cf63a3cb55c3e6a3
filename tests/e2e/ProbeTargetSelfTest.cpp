// The target windows the window-tool scenarios act on, checked before any scenario relies on them:
// a captioned probe window of another process that can be put in front, with the extended styles
// asked for, and a document laid out the way the wheel window searches it, whose stand-in scroll
// bar reports every click it is sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/Harness.h"
#include "harness/ProbeTarget.h"

namespace qb::e2e {
namespace {

class ProbeTargetHarness : public Scenario {};

TEST_F(ProbeTargetHarness, TwoCaptionedWindowsTakeTurnsInFront) {
  ProbeTarget a(L"exstyle=0x280");  // tool window, client edge
  ProbeTarget b;
  ASSERT_TRUE(a.Ready());
  ASSERT_TRUE(b.Ready());
  EXPECT_NE(a.Process().Id(), b.Process().Id());
  EXPECT_EQ(Style(a.Hwnd()) & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(ExStyle(a.Hwnd()) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE);
  EXPECT_EQ(ExStyle(b.Hwnd()) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE | WS_EX_LAYERED), 0);
  EXPECT_EQ(WindowRegion(a.Hwnd()).type, ERROR);

  ASSERT_TRUE(a.BringToFront());
  EXPECT_EQ(GetForegroundWindow(), a.Hwnd());
  ASSERT_TRUE(b.BringToFront());
  EXPECT_EQ(GetForegroundWindow(), b.Hwnd());
}

TEST_F(ProbeTargetHarness, DocumentScrollBarIsFoundTheWayTheWheelWindowLooksForIt) {
  ProbeTarget probe(L"document");
  ASSERT_TRUE(probe.Ready());
  const HWND mdi = FindWindowExW(probe.Hwnd(), nullptr, L"MDIClient", nullptr);
  ASSERT_NE(mdi, nullptr);
  const HWND document = FindWindowExW(mdi, nullptr, L"VbaWindow", nullptr);
  ASSERT_NE(document, nullptr);
  const HWND firstBar = FindWindowExW(document, nullptr, L"ScrollBar", nullptr);
  ASSERT_NE(firstBar, nullptr);
  EXPECT_EQ(GetWindow(firstBar, GW_HWNDNEXT), probe.ArrowBar());
  const RECT bar = WindowRect(probe.ArrowBar());
  EXPECT_EQ(bar.bottom - bar.top, ProbeTarget::kArrowBarHeight);
}

TEST_F(ProbeTargetHarness, ArrowBarReportsTheClicksItIsSentInOrder) {
  ProbeTarget probe(L"document");
  ASSERT_TRUE(probe.Ready());
  const HWND bar = probe.ArrowBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(probe.ArrowClicks().empty());
  ASSERT_TRUE(Post(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 110)));
  ASSERT_TRUE(Post(bar, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(0, 110)));
  ASSERT_TRUE(Post(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 10)));
  EXPECT_EQ(probe.WaitForArrowClicks(3), (std::vector<std::string>{"down 1 0,110", "up 1 0,110", "down 0 3,10"}));
  // Other messages are not clicks.
  ASSERT_TRUE(Post(bar, WM_RBUTTONDOWN, MK_RBUTTON, 0));
  ASSERT_TRUE(Post(bar, WM_LBUTTONUP, 0, MAKELPARAM(3, 10)));
  EXPECT_EQ(probe.WaitForArrowClicks(4).back(), "up 0 3,10");
  EXPECT_EQ(probe.ArrowClicks().size(), 4u);
}

}  // namespace
}  // namespace qb::e2e
