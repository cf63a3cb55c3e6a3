// Registration of the hotkey table on a window of the test: atoms made and deleted, every row
// registered in table order, combinations already taken left dead without stopping the rest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/FileSystem.h"
#include "hotkeys/WinHotkeys.h"
#include "platform/Handles.h"
#include "platform/WinText.h"
#include "settings/Settings.h"

namespace qb {
namespace {

constexpr int kProbeId = 0x7ABC;

ATOM FindAtom(const HotkeyRow& row) { return GlobalFindAtomW(Widen(row.atomName).c_str()); }

class HotkeysWin : public testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    dir_ = Narrow(temp) + "qb-hotkeys-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(SystemFileSystem().CreateDirectories(dir_));
    path_ = dir_ + "\\Quorbell.ini";
    (void)SystemFileSystem().RemoveFile(path_);
    UseSettingsFile(path_, SystemFileSystem());
    window_.reset(CreateWindowExW(0, L"STATIC", L"hotkeys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    probe_.reset(CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window_.valid() && probe_.valid());
  }
  void TearDown() override {
    UnregisterHotkeys();
    UnregisterHotKey(probe_.get(), kProbeId);
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
    (void)SystemFileSystem().RemoveFile(path_);
    RemoveDirectoryW(Widen(dir_).c_str());
  }

  // True when nobody holds the combination: the probe window could take it (and gives it back).
  bool Free(HotkeyCombination c) {
    if (!RegisterHotKey(probe_.get(), kProbeId, c.modifiers, c.key)) return false;
    UnregisterHotKey(probe_.get(), kProbeId);
    return true;
  }

  std::string dir_;
  std::string path_;
  UniqueWindow window_;
  UniqueWindow probe_;
};

TEST_F(HotkeysWin, RegistersEveryRowAndRemovesItAgain) {
  RegisterHotkeys(window_.get());
  EXPECT_EQ(HotkeyWindow(), window_.get());
  const HotkeyState& state = TheHotkeys();
  for (const HotkeyRow& row : kHotkeyTable) {
    const ATOM atom = FindAtom(row);
    EXPECT_NE(atom, 0) << row.atomName;
    EXPECT_EQ(state.HotkeyIds[static_cast<int>(row.hotkey)], atom) << row.atomName;
    EXPECT_FALSE(Free(CombinationOf(state, row.hotkey))) << row.atomName;
  }
  // A fresh settings file got the defaults: paste slot 1 is Ctrl+keypad 4.
  EXPECT_EQ(CombinationOf(state, Hotkey::PasteSlot1), (HotkeyCombination{kModControl, VK_NUMPAD4}));
  EXPECT_EQ(ReadSetting("KEY", "4", "<absent>"), "3");

  UnregisterHotkeys();
  for (const HotkeyRow& row : kHotkeyTable) {
    EXPECT_EQ(FindAtom(row), 0) << row.atomName;
    EXPECT_EQ(state.HotkeyIds[static_cast<int>(row.hotkey)], 0) << row.atomName;
  }
  // The combinations are free again.
  EXPECT_TRUE(Free({kModControl, VK_F9}));
  EXPECT_TRUE(Free({kModControl, VK_NUMPAD1}));
  EXPECT_TRUE(Free({0, VK_SNAPSHOT}));
}

TEST_F(HotkeysWin, ConfiguredEntriesChooseTheCombination) {
  WriteSetting("KEY", "4", "19");
  WriteSetting("CAP", "4", "2");
  RegisterHotkeys(window_.get());
  EXPECT_FALSE(Free({MOD_SHIFT, VK_F1}));
  EXPECT_TRUE(Free({MOD_CONTROL, VK_NUMPAD4}));
}

TEST_F(HotkeysWin, ATakenCombinationLeavesOnlyThatHotkeyDead) {
  ASSERT_TRUE(RegisterHotKey(probe_.get(), kProbeId, MOD_CONTROL, VK_F9));
  RegisterHotkeys(window_.get());
  // Every other row is registered.
  for (const HotkeyRow& row : kHotkeyTable) {
    if (row.hotkey == Hotkey::ScreenSaver) continue;
    EXPECT_FALSE(Free(CombinationOf(TheHotkeys(), row.hotkey))) << row.atomName;
  }
  // The screen-saver row never got its combination: once the probe lets go, it is free.
  ASSERT_TRUE(UnregisterHotKey(probe_.get(), kProbeId));
  EXPECT_TRUE(Free({MOD_CONTROL, VK_F9}));
  // Its atom was still made, so the id table stays complete.
  EXPECT_NE(TheHotkeys().HotkeyIds[static_cast<int>(Hotkey::ScreenSaver)], 0);
}

TEST_F(HotkeysWin, EarlierRowWinsASharedCombination) {
  WriteSetting("KEY", "7", "27");  // F9
  WriteSetting("CAP", "7", "1");   // Ctrl: the combination of the screen-saver row
  RegisterHotkeys(window_.get());
  const HotkeyState& state = TheHotkeys();
  const uint16_t macroId = state.HotkeyIds[static_cast<int>(Hotkey::Macro1)];
  const uint16_t saverId = state.HotkeyIds[static_cast<int>(Hotkey::ScreenSaver)];
  EXPECT_FALSE(UnregisterHotKey(window_.get(), saverId));
  EXPECT_TRUE(UnregisterHotKey(window_.get(), macroId));
  EXPECT_TRUE(RegisterHotKey(window_.get(), macroId, MOD_CONTROL, VK_F9));
}

TEST_F(HotkeysWin, RegisteringTwiceHoldsEverythingOnce) {
  RegisterHotkeys(window_.get());
  RegisterHotkeys(window_.get());
  EXPECT_FALSE(Free({MOD_CONTROL, VK_F12}));
  UnregisterHotkeys();
  // One unregistration is enough: no atom reference or registration was left over.
  for (const HotkeyRow& row : kHotkeyTable) EXPECT_EQ(FindAtom(row), 0) << row.atomName;
  EXPECT_TRUE(Free({MOD_CONTROL, VK_F12}));
}

TEST_F(HotkeysWin, PauseGivesTheCombinationBackForItsLifetime) {
  RegisterHotkeys(window_.get());
  const HotkeyCombination paste2 = CombinationOf(TheHotkeys(), Hotkey::PasteSlot2);
  {
    const HotkeyPause pause(Hotkey::PasteSlot2);
    EXPECT_TRUE(Free(paste2));
    EXPECT_FALSE(Free({MOD_CONTROL, VK_F11}));
  }
  EXPECT_FALSE(Free(paste2));
}

TEST_F(HotkeysWin, UnregisteringWithoutRegistrationIsHarmless) {
  UnregisterHotkeys();
  UnregisterHotkeys();
  EXPECT_TRUE(UnregisterOneHotkey(Hotkey::Topmost));
  for (const HotkeyRow& row : kHotkeyTable) EXPECT_EQ(FindAtom(row), 0) << row.atomName;
}

}  // namespace
}  // namespace qb
