#include <set>
#include <string>

#include "hotkeys/HotkeyTable.h"
#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

TEST(HotkeyTable, RowsAreInHotkeyOrderWithDistinctAtomNames) {
  std::set<std::string_view> names;
  for (int i = 0; i < kHotkeyCount; ++i) {
    const HotkeyRow& row = kHotkeyTable[i];
    EXPECT_EQ(static_cast<int>(row.hotkey), i);
    EXPECT_EQ(row.atomName.size(), 8u);
    EXPECT_EQ(row.atomName.substr(0, 6), "HOTKEY");
    EXPECT_TRUE(names.insert(row.atomName).second) << row.atomName;
    // The nine configurable rows come first and use entries 1..9 in order.
    EXPECT_EQ(row.entry, i < 9 ? i + 1 : 0) << row.atomName;
    if (row.entry == 0) {
      EXPECT_NE(row.key, 0) << row.atomName;
    }
  }
  EXPECT_EQ(RowOf(Hotkey::PasteSlot2).atomName, "HOTKEY22");
  EXPECT_EQ(RowOf(Hotkey::Topmost).atomName, "HOTKEY83");
}

TEST(HotkeyTable, KeyListCoversKeypadDigitsAndFunctionKeys) {
  const struct {
    int index;
    uint16_t vk;
  } cases[] = {{0, 0x61}, {8, 0x69}, {9, 0x31}, {17, 0x39}, {18, 0x30}, {19, 0x70}, {30, 0x7B}, {-1, 0}, {31, 0}};
  for (const auto& c : cases) EXPECT_EQ(KeyListCode(c.index), c.vk) << c.index;
}

TEST(HotkeyTable, StoredChoicesAreRecognisedOnlyWhenExact) {
  EXPECT_EQ(ModifierFromText("0"), kModAlt);
  EXPECT_EQ(ModifierFromText("1"), kModControl);
  EXPECT_EQ(ModifierFromText("2"), kModShift);
  for (const char* text : {"", "-1", "3", " 1", "1 ", "01", "1.0", "+1", "ALT", "１"}) {
    EXPECT_FALSE(ModifierFromText(text)) << text;
  }
  for (int i = 0; i <= 30; ++i) EXPECT_EQ(KeyListIndexFromText(std::to_string(i)), i);
  for (const char* text : {"", "-1", "31", "-0", "00", "019", "1.0", " 5", "5 ", "+5", "1e1", "0x1"}) {
    EXPECT_FALSE(KeyListIndexFromText(text)) << text;
  }
}

TEST(HotkeyTable, UnescapingTurnsBackslashNAndTIntoLineBreaksAndTabs) {
  const struct {
    const char* stored;
    const char* text;
  } cases[] = {
      {"a\\nb\\tc", "a\r\nb\tc"},
      {"\\\\n", "\\\r\n"},    // the second backslash and the n make the line break
      {"\\\\t", "\\\t"},
      {"\\\\", "\\\\"},       // no escape for the backslash itself
      {"C:\\temp\\x", "C:\temp\\x"},
      {"\\N\\T", "\\N\\T"},   // case-sensitive
      {"end\\", "end\\"},
      {"\\n\\n", "\r\n\r\n"},
      {"日本\\n語", "日本\r\n語"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UnescapeSlotText(c.stored), c.text) << c.stored;
}

TEST(HotkeyTable, EscapingKeepsEveryLineBreakOnOneLine) {
  EXPECT_EQ(EscapeSlotText("a\r\nb\rc\nd\te"), "a\\nb\\nc\\nd\\te");
  EXPECT_EQ(EscapeSlotText("\r\r\n\n"), "\\n\\n\\n");
  for (const char* text : {"a\r\nb\tc", "日本語\r\n", "\t\t", "plain"}) {
    EXPECT_EQ(UnescapeSlotText(EscapeSlotText(text)), text) << text;
  }
}

TEST(HotkeyTable, IdsNameTheirRowsAndZeroNamesNone) {
  HotkeyState state;
  EXPECT_FALSE(HotkeyFromId(state, 0));  // all ids 0: atoms not made yet
  for (int i = 0; i < kHotkeyCount; ++i) state.HotkeyIds[i] = static_cast<uint16_t>(0xC000 + i);
  state.HotkeyIds[3] = 0;
  EXPECT_EQ(HotkeyFromId(state, 0xC000), Hotkey::CopySlot1);
  EXPECT_EQ(HotkeyFromId(state, 0xC000 + 21), Hotkey::Topmost);
  EXPECT_FALSE(HotkeyFromId(state, 0));
  EXPECT_FALSE(HotkeyFromId(state, 0xC003));
  EXPECT_FALSE(HotkeyFromId(state, 0x1C000));  // ids are 16 bits; wParam is wider
}

class HotkeyTableSettings : public SettingsFileTest {
protected:
  std::string Stored(const SettingKey& key) { return ReadSetting(key.section, key.key, "<absent>"); }
};

TEST_F(HotkeyTableSettings, EmptyFileGetsEveryDefaultWrittenBack) {
  HotkeyState state;
  LoadHotkeyTables(state);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(Stored(keys::HotkeyCap(n)), n <= 6 ? "1" : "0") << n;
    EXPECT_EQ(Stored(keys::HotkeyKey(n)), std::to_string(n - 1)) << n;
  }
  EXPECT_EQ(CombinationOf(state, Hotkey::CopySlot1), (HotkeyCombination{kModControl, 0x61}));
  EXPECT_EQ(CombinationOf(state, Hotkey::CopySlot3), (HotkeyCombination{kModControl, 0x63}));
  EXPECT_EQ(CombinationOf(state, Hotkey::PasteSlot1), (HotkeyCombination{kModControl, 0x64}));
  EXPECT_EQ(CombinationOf(state, Hotkey::PasteSlot3), (HotkeyCombination{kModControl, 0x66}));
  EXPECT_EQ(CombinationOf(state, Hotkey::Macro1), (HotkeyCombination{kModAlt, 0x67}));
  EXPECT_EQ(CombinationOf(state, Hotkey::Macro3), (HotkeyCombination{kModAlt, 0x69}));
  EXPECT_EQ(state.HotkeyModifiers[9], kModAlt);  // entry 10: read and defaulted, used by no hotkey
  EXPECT_EQ(state.HotkeyKeys[9], 0x31);
  for (const std::string& text : state.ClipSlots) EXPECT_EQ(text, "");
  // Nothing but the hotkey entries is written.
  EXPECT_EQ(Stored(keys::ClipText(1)), "<absent>");
  EXPECT_EQ(Stored(keys::ParaText(1)), "<absent>");
}

TEST_F(HotkeyTableSettings, StoredChoicesAreUsedAndNotRewritten) {
  Given(
      "[CAP]\r\n1=0\r\n2=1\r\n3=2\r\n4=2\r\n5=1\r\n6=1\r\n7=0\r\n8=0\r\n9=1\r\n10=0\r\n"
      "[KEY]\r\n1=0\r\n2=1\r\n3=2\r\n4=19\r\n5=4\r\n6=5\r\n7=6\r\n8=30\r\n9=18\r\n10=9\r\n");
  const int writesBefore = fs.replaceCalls;
  HotkeyState state;
  LoadHotkeyTables(state);
  EXPECT_EQ(fs.replaceCalls, writesBefore);
  EXPECT_EQ(CombinationOf(state, Hotkey::PasteSlot1), (HotkeyCombination{kModShift, 0x70}));  // Shift+F1
  EXPECT_EQ(CombinationOf(state, Hotkey::CopySlot1), (HotkeyCombination{kModAlt, 0x61}));
  EXPECT_EQ(CombinationOf(state, Hotkey::Macro2), (HotkeyCombination{kModAlt, 0x7B}));
  EXPECT_EQ(CombinationOf(state, Hotkey::Macro3), (HotkeyCombination{kModControl, 0x30}));
}

TEST_F(HotkeyTableSettings, UnrecognisedTextFallsToTheDefaultWhichIsWrittenBack) {
  Given("[CAP]\r\n7=\" 1\"\r\n8=2.0\r\n2=ALT\r\n[KEY]\r\n3=01\r\n4=31\r\n5=-1\r\n6=\r\n");
  HotkeyState state;
  LoadHotkeyTables(state);
  EXPECT_EQ(Stored(keys::HotkeyCap(7)), "0");
  EXPECT_EQ(Stored(keys::HotkeyCap(8)), "0");
  EXPECT_EQ(Stored(keys::HotkeyCap(2)), "1");
  EXPECT_EQ(Stored(keys::HotkeyKey(3)), "2");
  EXPECT_EQ(Stored(keys::HotkeyKey(4)), "3");
  EXPECT_EQ(Stored(keys::HotkeyKey(5)), "4");
  EXPECT_EQ(Stored(keys::HotkeyKey(6)), "5");
  EXPECT_EQ(state.HotkeyModifiers[6], kModAlt);
  EXPECT_EQ(state.HotkeyModifiers[1], kModControl);
  EXPECT_EQ(state.HotkeyKeys[2], 0x63);
  EXPECT_EQ(state.HotkeyKeys[3], 0x64);
}

TEST_F(HotkeyTableSettings, SlotAndMacroTextsAreUnescaped) {
  WriteSetting(keys::ClipText(1), "a\\nb\\tc");
  WriteSetting(keys::ClipText(3), "\\\\n");
  WriteSetting(keys::ParaText(2), "こんにちは{ENTER}\\n{WAIT}");
  HotkeyState state;
  LoadHotkeyTables(state);
  EXPECT_EQ(state.ClipSlots[0], "a\r\nb\tc");
  EXPECT_EQ(state.ClipSlots[1], "");
  EXPECT_EQ(state.ClipSlots[2], "\\\r\n");
  EXPECT_EQ(state.MacroTexts[1], "こんにちは{ENTER}\r\n{WAIT}");
  // Reading never rewrites the texts.
  EXPECT_EQ(Stored(keys::ClipText(1)), "a\\nb\\tc");
}

TEST(HotkeyTable, FixedRowsKeepTheirCombinationWhateverTheEntries) {
  HotkeyState state;
  state.HotkeyModifiers.fill(kModShift);
  state.HotkeyKeys.fill(0x41);
  EXPECT_EQ(CombinationOf(state, Hotkey::ScreenSaver), (HotkeyCombination{kModControl, 0x78}));
  EXPECT_EQ(CombinationOf(state, Hotkey::CaptureScreen), (HotkeyCombination{0, 0x2C}));
  EXPECT_EQ(CombinationOf(state, Hotkey::CaptureWindow), (HotkeyCombination{kModControl, 0x2C}));
  EXPECT_EQ(CombinationOf(state, Hotkey::Macro1), (HotkeyCombination{kModShift, 0x41}));
}

TEST(HotkeyTable, CombinationTextsNameEveryKeyTheTablesCanHold) {
  const struct {
    HotkeyCombination combination;
    const char* text;
  } cases[] = {
      {{kModControl, 0x7A}, "Ctrl+F11"},
      {{0, 0x2C}, "PrintScreen"},
      {{kModAlt, 0x61}, "Alt+テンキー1"},
      {{kModControl | kModShift, 0x30}, "Ctrl+Shift+0"},
      {{kModControl | kModAlt | kModShift, 0x41}, "Ctrl+Alt+Shift+A"},
      {{kModControl, 0x6F}, "Ctrl+テンキー/"},
      {{kModControl, 0x24}, "Ctrl+Home"},
      {{0, 0x87}, "F24"},
      {{kModAlt, 0xBA}, "Alt+0xBA"},
  };
  for (const auto& c : cases) EXPECT_EQ(CombinationText(c.combination), c.text);
  // Every key of the settings' list has a name of its own.
  for (int i = 0; i < kKeyListSize; ++i) EXPECT_EQ(CombinationText({0, KeyListCode(i)}).find("0x"), std::string::npos) << i;
}

}  // namespace
}  // namespace qb::test
