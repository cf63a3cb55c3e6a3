// The window tools on real windows: layered opacity that keeps the other extended styles, and
// finding child windows by class and name.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/WindowHelpers.h"
#include "platform/Handles.h"

namespace qb {
namespace {

UniqueWindow TopLevel(DWORD exStyle) {
  return UniqueWindow(CreateWindowExW(exStyle, L"STATIC", L"top", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text) {
  return CreateWindowExW(0, cls, text, WS_CHILD, 0, 0, 10, 10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(SetWindowAlpha, MakesTheWindowLayeredWithThatOpacityKeepingItsOtherExtendedStyles) {
  for (BYTE alpha : {BYTE{0}, BYTE{128}, BYTE{255}}) {
    UniqueWindow window = TopLevel(WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE);
    ASSERT_TRUE(window);
    SetWindowAlpha(window.get(), alpha);
    const LONG_PTR exStyle = GetWindowLongPtrW(window.get(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
    COLORREF key = 0;
    BYTE got = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window.get(), &key, &got, &flags));
    EXPECT_EQ(got, alpha);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  }
}

TEST(SetWindowAlpha, ChangesTheOpacityOfAWindowThatIsAlreadyLayered) {
  UniqueWindow window = TopLevel(0);
  SetWindowAlpha(window.get(), 200);
  SetWindowAlpha(window.get(), 60);
  BYTE got = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window.get(), nullptr, &got, &flags));
  EXPECT_EQ(got, 60);
}

TEST(SetWindowAlpha, ToleratesAWindowThatIsGone) {
  HWND gone = TopLevel(0).get();  // destroyed at the end of the full expression
  SetWindowAlpha(gone, 128);
  SetWindowAlpha(nullptr, 128);
}

TEST(FindChildWindow, FindsByClassAndNameWithEmptyMeaningAny) {
  UniqueWindow parent = TopLevel(0);
  ASSERT_TRUE(parent);
  const HWND first = Child(parent.get(), L"BUTTON", L"一");
  const HWND second = Child(parent.get(), L"BUTTON", L"二");
  const HWND label = Child(parent.get(), L"STATIC", L"二");
  ASSERT_TRUE(first && second && label);

  EXPECT_EQ(FindChildWindow(parent.get(), nullptr, "Button", "二"), second);
  EXPECT_EQ(FindChildWindow(parent.get(), nullptr, "Static", ""), label);
  EXPECT_EQ(FindChildWindow(parent.get(), nullptr, "", "一"), first);
  // The search goes on after a given child.
  const HWND firstButton = FindChildWindow(parent.get(), nullptr, "Button", "");
  const HWND nextButton = FindChildWindow(parent.get(), firstButton, "Button", "");
  EXPECT_NE(nextButton, nullptr);
  EXPECT_NE(nextButton, firstButton);
  EXPECT_EQ(FindChildWindow(parent.get(), nextButton, "Button", ""), nullptr);
  EXPECT_EQ(FindChildWindow(parent.get(), nullptr, "Button", "三"), nullptr);
  EXPECT_EQ(FindChildWindow(parent.get(), nullptr, "NoSuchClass", ""), nullptr);
}

}  // namespace
}  // namespace qb
