#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "platform/MessagePump.h"
#include "platform/WindowBase.h"

namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kEcho = WM_APP + 2;

class ProbeWindow : public qb::WindowBase<ProbeWindow> {
public:
  static const wchar_t* ClassName() { return L"Quorbell.Test.ProbeWindow"; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back(message);
    if (message == kThrow) throw std::runtime_error("handler failed");
    if (message == kEcho) return static_cast<LRESULT>(wParam * 2);
    if (message == WM_NCDESTROY) handleAtNcDestroy = Hwnd();
    return DefaultProc(message, wParam, lParam);
  }

  bool Create() {
    qb::WindowCreateParams p;
    p.style = WS_OVERLAPPEDWINDOW;  // never shown
    return CreateWindowFor(p);
  }

  std::vector<UINT> seen;
  HWND handleAtNcDestroy = nullptr;
};

bool Saw(const ProbeWindow& w, UINT message) {
  for (UINT m : w.seen)
    if (m == message) return true;
  return false;
}

TEST(WindowBase, BindsTheObjectFromTheFirstMessageOn) {
  ProbeWindow w;
  ASSERT_TRUE(w.Create());
  ASSERT_NE(w.Hwnd(), nullptr);
  ASSERT_FALSE(w.seen.empty());
  // WM_GETMINMAXINFO comes before WM_NCCREATE and goes to the default procedure: the object is
  // bound by WM_NCCREATE.
  EXPECT_EQ(w.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_TRUE(Saw(w, WM_CREATE));
  EXPECT_EQ(SendMessageW(w.Hwnd(), kEcho, 21, 0), 42);
}

TEST(WindowBase, NoExceptionLeavesTheWindowProcedure) {
  ProbeWindow w;
  ASSERT_TRUE(w.Create());
  // The exception is caught at the boundary; the default procedure answers instead.
  EXPECT_EQ(SendMessageW(w.Hwnd(), kThrow, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w.Hwnd(), kEcho, 5, 0), 10);  // the window still works
}

TEST(WindowBase, UnbindsWhenTheWindowIsDestroyed) {
  ProbeWindow w;
  ASSERT_TRUE(w.Create());
  const HWND hwnd = w.Hwnd();
  w.Destroy();
  EXPECT_TRUE(Saw(w, WM_DESTROY));
  EXPECT_EQ(w.handleAtNcDestroy, hwnd);  // still known during WM_NCDESTROY itself
  EXPECT_EQ(w.Hwnd(), nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  w.Destroy();  // harmless a second time
}

TEST(WindowBase, DestroyingTheObjectDestroysItsWindow) {
  HWND hwnd = nullptr;
  {
    ProbeWindow w;
    ASSERT_TRUE(w.Create());
    hwnd = w.Hwnd();
    ASSERT_TRUE(IsWindow(hwnd));
  }
  EXPECT_FALSE(IsWindow(hwnd));
  qb::PumpPendingMessages();  // nothing may reach the destroyed object
}

TEST(WindowBase, TwoObjectsShareTheClassButNotTheirState) {
  ProbeWindow a, b;
  ASSERT_TRUE(a.Create());
  ASSERT_TRUE(b.Create());
  const size_t before = a.seen.size();
  SendMessageW(b.Hwnd(), kEcho, 1, 0);
  EXPECT_EQ(a.seen.size(), before);
  EXPECT_EQ(b.seen.back(), kEcho);
}

}  // namespace
