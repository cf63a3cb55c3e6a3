#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "platform/Handles.h"

namespace {

bool IsOpenHandle(HANDLE h) {
  DWORD flags = 0;
  return GetHandleInformation(h, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesOnceAndMovesOwnership) {
  HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  {
    qb::UniqueHandle a(raw);
    qb::UniqueHandle b(std::move(a));
    EXPECT_FALSE(a.valid());
    EXPECT_EQ(b.get(), raw);
    qb::UniqueHandle c;
    c = std::move(b);
    EXPECT_TRUE(IsOpenHandle(raw));
  }
  EXPECT_FALSE(IsOpenHandle(raw));
}

TEST(UniqueHandle, InvalidHandleValueIsNotOwned) {
  qb::UniqueHandle h(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(h.valid());
  h.reset();  // must not call CloseHandle on the pseudo value
}

TEST(UniqueHandle, ResetClosesThePreviousHandle) {
  HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  qb::UniqueHandle h(first);
  h.reset(second);
  EXPECT_FALSE(IsOpenHandle(first));
  EXPECT_TRUE(IsOpenHandle(second));
}

TEST(UniqueHandle, ReleaseGivesUpOwnership) {
  HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  {
    qb::UniqueHandle h(raw);
    EXPECT_EQ(h.release(), raw);
  }
  EXPECT_TRUE(IsOpenHandle(raw));
  CloseHandle(raw);
}

TEST(UniqueGdiObject, DeletesTheObject) {
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_NE(raw, nullptr);
  { qb::UniqueBrush brush(raw); }
  EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(UniqueGdiObject, ARegionHandedToTheSystemIsReleased) {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  qb::UniqueWindow window(hwnd);
  const HRGN raw = CreateRectRgn(0, 0, 10, 10);
  qb::UniqueRegion region(raw);
  ASSERT_NE(SetWindowRgn(window.get(), region.get(), FALSE), 0);
  // The window owns it now (Windows keeps it, Wine copies and deletes it): the owner lets go and
  // must not delete it a second time when it goes out of scope.
  EXPECT_EQ(region.release(), raw);
  EXPECT_FALSE(region.valid());
}

TEST(WindowDc, ReleasesTheDcAndSelectGuardRestoresTheOldObject) {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  qb::UniqueWindow window(hwnd);
  qb::WindowDc dc(window.get());
  ASSERT_TRUE(dc);
  const HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
  qb::UniqueBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
  {
    qb::SelectGuard guard(dc.get(), brush.get());
    EXPECT_TRUE(guard.selected());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
  qb::WindowDc moved(std::move(dc));
  EXPECT_FALSE(dc);
  EXPECT_EQ(moved.window(), hwnd);
  moved.reset();
  EXPECT_FALSE(moved);
}

TEST(UniqueWindow, DestroysTheWindow) {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  { qb::UniqueWindow w(hwnd); }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(UniqueMenu, DestroysTheMenu) {
  HMENU menu = CreatePopupMenu();
  ASSERT_NE(menu, nullptr);
  { qb::UniqueMenu m(menu); }
  EXPECT_FALSE(IsMenu(menu));
}

}  // namespace

namespace {

// The owners count what they hold, per kind: made, moved, handed over, reset, freed.
TEST(LiveObjects, OwnersCountWhatTheyHoldAndNothingElse) {
  using qb::LiveObjects;
  using qb::ObjectKind;
  const long brushes = LiveObjects(ObjectKind::Brush);
  const long regions = LiveObjects(ObjectKind::Region);
  const long fonts = LiveObjects(ObjectKind::Font);
  {
    qb::UniqueBrush a(CreateSolidBrush(RGB(1, 1, 1)));
    EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes + 1);
    qb::UniqueBrush b(std::move(a));
    qb::UniqueBrush c;
    c = std::move(b);
    EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes + 1) << "a move is no new object";
    c.reset(CreateSolidBrush(RGB(2, 2, 2)));
    EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes + 1) << "reset frees the old one";
    const HBRUSH same = c.get();
    c.reset(same);
    EXPECT_EQ(GetObjectType(same), static_cast<DWORD>(OBJ_BRUSH)) << "taking what it owns must not free it";
    qb::UniqueBrush none(nullptr);
    EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes + 1) << "an empty owner counts nothing";
    EXPECT_EQ(LiveObjects(ObjectKind::Font), fonts);

    qb::UniqueRegion region(CreateRectRgn(0, 0, 4, 4));
    EXPECT_EQ(LiveObjects(ObjectKind::Region), regions + 1);
    const HRGN handed = region.release();
    EXPECT_EQ(LiveObjects(ObjectKind::Region), regions) << "a region handed over is no longer the program's";
    DeleteObject(handed);
  }
  EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes);
}

TEST(LiveObjects, TheAnswerCountsWindowDcsThreadWindowsAndPrivateMemory) {
  const long dcs = qb::AnswerLiveObjects(static_cast<WPARAM>(qb::ObjectKind::WindowDc));
  // The thread's first window may bring a window of the system with it (the input method's).
  qb::UniqueWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(parent);
  const long windows = qb::AnswerLiveObjects(qb::kQueryThreadWindows);
  EXPECT_GE(windows, 1);
  {
    qb::UniqueWindow child(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent.get(), nullptr, nullptr, nullptr));
    ASSERT_TRUE(child);
    EXPECT_EQ(qb::AnswerLiveObjects(qb::kQueryThreadWindows), windows + 1) << "children count too";
    const qb::WindowDc dc(parent.get());
    EXPECT_EQ(qb::AnswerLiveObjects(static_cast<WPARAM>(qb::ObjectKind::WindowDc)), dcs + 1);
  }
  EXPECT_EQ(qb::AnswerLiveObjects(qb::kQueryThreadWindows), windows);
  EXPECT_EQ(qb::AnswerLiveObjects(static_cast<WPARAM>(qb::ObjectKind::WindowDc)), dcs);
  // Private memory: a megabyte committed shows.
  const LRESULT before = qb::AnswerLiveObjects(qb::kQueryPrivateBytes);
  void* block = VirtualAlloc(nullptr, 1 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(block, nullptr);
  EXPECT_GE(qb::AnswerLiveObjects(qb::kQueryPrivateBytes), before + (1 << 20));
  VirtualFree(block, 0, MEM_RELEASE);
  EXPECT_EQ(qb::AnswerLiveObjects(99), -1);
  EXPECT_NE(qb::LiveObjectsMessage(), 0u);
}

}  // namespace
