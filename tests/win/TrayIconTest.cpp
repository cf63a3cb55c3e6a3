#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "app/TrayIcon.h"
#include "platform/WindowBase.h"

namespace {

class IconOwner : public qb::WindowBase<IconOwner> {
public:
  static const wchar_t* ClassName() { return L"Quorbell.Test.IconOwner"; }
  static void ConfigureClass(WNDCLASSEXW& wc) { wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION); }
  bool Create() {
    qb::WindowCreateParams p;
    p.exStyle = WS_EX_TOOLWINDOW;
    return CreateWindowFor(p);
  }
};

// Asking the shell to change the icon's tip succeeds only while the icon exists.
bool IconExists(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
  data.uID = qb::TrayIcon::kIconId;
  data.uFlags = NIF_TIP;
  wcscpy(data.szTip, L"Quorbell");
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayIcon, AddedUntilRemovedAndRemovedOnlyOnce) {
  IconOwner owner;
  ASSERT_TRUE(owner.Create());
  const HICON icon = qb::WindowIcon(owner.Hwnd());
  ASSERT_NE(icon, nullptr);
  qb::TrayIcon tray;
  EXPECT_FALSE(IconExists(owner.Hwnd()));
  tray.Add(owner.Hwnd(), icon);
  EXPECT_TRUE(IconExists(owner.Hwnd()));
  tray.Remove();
  EXPECT_FALSE(IconExists(owner.Hwnd()));
  tray.Remove();  // a second shutdown step must not fail or add anything
  tray.Readd();   // nor may a shell restart bring back a removed icon
  EXPECT_FALSE(IconExists(owner.Hwnd()));
}

TEST(TrayIcon, ReaddPutsTheSameIconBackAfterTheShellLostIt) {
  IconOwner owner;
  ASSERT_TRUE(owner.Create());
  qb::TrayIcon tray;
  tray.Add(owner.Hwnd(), qb::WindowIcon(owner.Hwnd()));
  ASSERT_TRUE(IconExists(owner.Hwnd()));
  // What a shell restart does to our icon.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof(gone);
  gone.hWnd = owner.Hwnd();
  gone.uID = qb::TrayIcon::kIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));
  tray.Readd();
  EXPECT_TRUE(IconExists(owner.Hwnd()));
  tray.Remove();
  EXPECT_FALSE(IconExists(owner.Hwnd()));
}

TEST(TrayIcon, TaskbarCreatedIsARegisteredMessage) {
  const UINT message = qb::TrayIcon::TaskbarCreatedMessage();
  EXPECT_GE(message, 0xC000u);
  EXPECT_EQ(message, RegisterWindowMessageW(L"TaskbarCreated"));
}

}  // namespace
