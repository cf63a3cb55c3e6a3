// Loading the settings dialog from the settings file: the defaults of a first show, the values a
// control cannot show (shown as the program reads them, and loading goes on), lists, colours, the
// texts with line breaks, and what loading sets in the running program.
#include <gtest/gtest.h>

#include <string>

#include "common/Text.h"
#include "hotkeys/HotkeyTable.h"
#include "unit/SettingsDialogTestSupport.h"

namespace qb::test {
namespace {

std::string Cp932(const std::string& utf8) { return Utf8ToCp932(utf8).value(); }

TEST_F(SettingsDialogTest, FirstShowWithOnlyTheStartupHotkeyValuesShowsEveryDefault) {
  Given(kStartupHotkeyValues);
  const SettingsDialogValues v = Loaded();

  EXPECT_FALSE(v.windowShadeXp);
  EXPECT_EQ(v.dietMegabytes, "32");
  EXPECT_EQ(v.autoDietPercent, "64");
  EXPECT_EQ(v.autoDietSeconds, "600");
  EXPECT_FALSE(v.autoDiet);
  EXPECT_FALSE(v.mouseWarp);
  EXPECT_FALSE(v.calendarPicture);
  EXPECT_EQ(v.calendarPictureFile, "");
  EXPECT_FALSE(v.wallpaperRotation);
  EXPECT_TRUE(v.iconTextTransparent);
  EXPECT_EQ(v.iconTextColour, kDesktopColour) << "the icon text colour defaults to the desktop's";
  EXPECT_EQ(v.wallpaperCalendarX, "0");
  EXPECT_EQ(v.startupWait, "0");
  EXPECT_EQ(v.calendarText, 16777215);
  EXPECT_EQ(v.calendarHoliday, 255);
  EXPECT_EQ(v.calendarSaturday, 16711680);
  EXPECT_EQ(v.calendarBack, 8000000);
  EXPECT_EQ(v.calendarOpacity, "255");
  EXPECT_EQ(v.calendarFontName, "ＭＳ ゴシック");
  EXPECT_EQ(v.calendarFontSize, "10");
  EXPECT_TRUE(v.calendarFontBold);
  EXPECT_TRUE(v.calendarFontItalic);
  EXPECT_EQ(v.memoFontName, "ＭＳ ゴシック");
  EXPECT_EQ(v.memoFontSize, "10");
  EXPECT_EQ(v.memoFontColour, 0);
  EXPECT_FALSE(v.memoFontBold);
  EXPECT_FALSE(v.memoFontItalic);
  EXPECT_EQ(v.memoBack, 5373951);
  EXPECT_EQ(v.memoOpacity, "255");
  EXPECT_FALSE(v.wallpaperCalendar);
  EXPECT_TRUE(v.capturePrints);
  EXPECT_FALSE(v.captureToFile);
  EXPECT_TRUE(v.launcherOpacityEnabled);
  for (const LauncherRowValues& row : v.launcher) EXPECT_EQ(row, (LauncherRowValues{"", "", "255"}));
  for (const std::string& text : v.slotTexts) EXPECT_EQ(text, "");
  const HotkeyListChoice expected[] = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {0, 6}, {0, 7}, {0, 8}};
  for (int i = 0; i < kDialogHotkeyRows; ++i) EXPECT_EQ(v.hotkeys[i], expected[i]) << "row " << i + 1;

  // Loading hands the start-up wait and the calendar colours to the running program.
  EXPECT_EQ(live.startupWait, "0");
  EXPECT_EQ(live.calendarColours, (std::array<Colour, 3>{16777215, 255, 16711680}));
  EXPECT_EQ(File(), kStartupHotkeyValues) << "loading writes nothing";
}

TEST_F(SettingsDialogTest, AFlagNoCheckBoxCanShowIsShownAsTheProgramReadsIt) {
  struct Case {
    std::string section, key, stored;
    bool SettingsDialogValues::*field;
    bool expected;
  };
  using V = SettingsDialogValues;
  const Case cases[] = {
      // Roll-up XP mode and the automatic diet: on unless exactly "0".
      {"WindowShade", "XPMODE", "True", &V::windowShadeXp, true},
      {"WindowShade", "XPMODE", "2", &V::windowShadeXp, true},
      {"WindowShade", "XPMODE", "0", &V::windowShadeXp, false},
      {"MemDiet", "Check", "-1", &V::autoDiet, true},
      // Mouse warp: on when the number is 1; not a number is its default, off.
      {"MouseWarp", "Enable", "True", &V::mouseWarp, false},
      {"MouseWarp", "Enable", "1.0", &V::mouseWarp, true},
      {"MouseWarp", "Enable", " 1 ", &V::mouseWarp, true},
      {"MouseWarp", "Enable", "2", &V::mouseWarp, false},
      // Icon text: on when the number is 1; not a number is its default, on.
      {"ICONTEXT", "CHECK", "abc", &V::iconTextTransparent, true},
      {"ICONTEXT", "CHECK", "0", &V::iconTextTransparent, false},
      {"ICONTEXT", "CHECK", "3", &V::iconTextTransparent, false},
      // Wallpaper change and wallpaper calendar: on only for exactly "1".
      {"Wallpaper", "Check", "True", &V::wallpaperRotation, false},
      {"Wallpaper", "Check", "1", &V::wallpaperRotation, true},
      {"Calender", "Enable", "True", &V::wallpaperCalendar, false},
      // The calendar window's picture: on when the number is 1.
      {"Calender", "Image", "True", &V::calendarPicture, false},
      // Calendar font styles: any number but 0; not a number is off.
      {"CalFont", "Bold", "True", &V::calendarFontBold, false},
      {"CalFont", "Bold", "2", &V::calendarFontBold, true},
      {"CalFont", "Italic", "0", &V::calendarFontItalic, false},
      // Memo font styles: True/False in any case or a number; anything else the default, off.
      {"MemoFont", "Bold", "True", &V::memoFontBold, true},
      {"MemoFont", "Bold", "FALSE", &V::memoFontBold, false},
      {"MemoFont", "Italic", "7", &V::memoFontItalic, true},
      {"MemoFont", "Italic", "maybe", &V::memoFontItalic, false},
  };
  for (const Case& c : cases) {
    Given("[" + c.section + "]\r\n" + c.key + "=" + c.stored + "\r\n");
    EXPECT_EQ(Loaded().*c.field, c.expected) << c.section << "/" << c.key << " = " << c.stored;
  }
}

TEST_F(SettingsDialogTest, OneOddValueDoesNotKeepTheRestFromLoading) {
  // An odd flag in the first field the dialog reads, then odd values everywhere else.
  Given(Cp932("[WindowShade]\r\nXPMODE=True\r\n"
              "[MemDiet]\r\nCheck=yes\r\n"
              "[KEY]\r\n1=31\r\n2=abc\r\n4=19\r\n"
              "[CAP]\r\n1=9\r\n4=2\r\n"
              "[FONT]\r\nCOLOR=red\r\nCOLOR2=-1\r\nCOLOR3=16777216\r\n"
              "[APPNAME]\r\n1=メモ帳\r\n15=最後\r\n"
              "[APPPATH]\r\n1=C:\\Windows\\notepad.exe\r\n15=C:\\last.exe\r\n"
              "[APPVIS]\r\n3=128\r\n"
              "[CLIP]\r\n1=一行目\\n二行目\\tタブ\r\n3=three\r\n"
              "[PARA]\r\n2={ENTER}\\nabc\r\n"
              "[SShot]\r\nPrn=False\r\nFile=True\r\n"));
  const SettingsDialogValues v = Loaded();
  EXPECT_TRUE(v.windowShadeXp);
  EXPECT_TRUE(v.autoDiet);
  EXPECT_EQ(v.hotkeys[0], (HotkeyListChoice{1, 0})) << "an index past the list: the entry's default";
  EXPECT_EQ(v.hotkeys[1], (HotkeyListChoice{1, 1}));
  EXPECT_EQ(v.hotkeys[3], (HotkeyListChoice{2, 19})) << "SHIFT + F1 as stored";
  EXPECT_EQ(v.calendarText, 16777215);
  EXPECT_EQ(v.calendarHoliday, 255);
  EXPECT_EQ(v.calendarSaturday, 16711680);
  EXPECT_EQ(v.launcher[0], (LauncherRowValues{"メモ帳", "C:\\Windows\\notepad.exe", "255"}));
  EXPECT_EQ(v.launcher[2].opacity, "128");
  EXPECT_EQ(v.launcher[14], (LauncherRowValues{"最後", "C:\\last.exe", "255"}));
  EXPECT_EQ(v.slotTexts[0], "一行目\r\n二行目\tタブ");
  EXPECT_EQ(v.slotTexts[1], "");
  EXPECT_EQ(v.slotTexts[2], "three");
  EXPECT_EQ(v.macroTexts[1], "{ENTER}\r\nabc");
  EXPECT_FALSE(v.capturePrints);
  EXPECT_TRUE(v.captureToFile);
}

TEST_F(SettingsDialogTest, ListsAndColoursTakeWholeNumbersInTheirRangeAndOtherwiseTheProgramsValue) {
  struct Case {
    const char* stored;
    int key;        // list index shown for KEY/5 (entry default 4)
    int modifier;   // for CAP/8 (entry default 0, ALT)
    Colour colour;  // for DESKTOPMEMO/BKCOLOR (default 5373951)
  };
  const Case cases[] = {
      {"0", 0, 0, 0},
      {"2", 2, 2, 2},
      {"2.0", 2, 2, 2},
      {" 30 ", 30, 0, 30},
      {"3", 3, 0, 3},
      {"-1", 4, 0, 5373951},
      {"31", 4, 0, 31},
      {"abc", 4, 0, 5373951},
      {"", 4, 0, 5373951},
      {"16777215", 4, 0, 16777215},
      {"16777216", 4, 0, 5373951},
  };
  for (const Case& c : cases) {
    Given(std::string("[KEY]\r\n5=") + c.stored + "\r\n[CAP]\r\n8=" + c.stored + "\r\n[DESKTOPMEMO]\r\nBKCOLOR=" +
          c.stored + "\r\n");
    const SettingsDialogValues v = Loaded();
    EXPECT_EQ(v.hotkeys[4].key, c.key) << c.stored;
    EXPECT_EQ(v.hotkeys[7].modifier, c.modifier) << c.stored;
    EXPECT_EQ(v.memoBack, c.colour) << c.stored;
  }
}

TEST(SettingsDialogHotkeys, DefaultRowsAreWhatTheHotkeyTableRegisters) {
  for (int n = 1; n <= kDialogHotkeyRows; ++n) {
    const HotkeyListChoice row = DefaultHotkeyRow(n);
    EXPECT_EQ(ModifierFromText(std::to_string(row.modifier)), DefaultModifier(n - 1)) << n;
    EXPECT_EQ(KeyListIndexFromText(std::to_string(row.key)), n - 1) << n;
    EXPECT_EQ(std::string(kKeyListTexts[static_cast<size_t>(row.key)]), "NUM" + std::to_string(n));
  }
  EXPECT_EQ(static_cast<int>(kKeyListTexts.size()), kKeyListSize);
  for (int i = 0; i < kKeyListSize; ++i) {
    // The texts name the keys the program registers for each index.
    const std::string text(kKeyListTexts[static_cast<size_t>(i)]);
    const uint16_t code = KeyListCode(i);
    if (text.rfind("NUM", 0) == 0) EXPECT_EQ(code, 0x60 + (text[3] - '0')) << text;
    else if (text[0] == 'F') EXPECT_EQ(code, 0x6F + std::stoi(text.substr(1))) << text;
    else EXPECT_EQ(code, static_cast<uint16_t>(text[0])) << text;
  }
}

TEST_F(SettingsDialogTest, ScreenCaptureOptionsFollowTheirFlagsAsOneGroup) {
  struct Case {
    const char* file;
    bool prints;
    bool toFile;
  };
  const Case cases[] = {
      {"", true, false},                                     // the defaults: print
      {"[SShot]\r\nPrn=False\r\nFile=True\r\n", false, true},
      {"[SShot]\r\nPrn=True\r\nFile=True\r\n", false, true},  // the second option chosen last wins
      {"[SShot]\r\nPrn=false\r\nFile=false\r\n", false, false},
      {"[SShot]\r\nPrn=1\r\n", true, false},
      {"[SShot]\r\nPrn=yes\r\n", false, false},  // the capture saves a file for anything but "True"
  };
  for (const Case& c : cases) {
    Given(c.file);
    const SettingsDialogValues v = Loaded();
    EXPECT_EQ(v.capturePrints, c.prints) << c.file;
    EXPECT_EQ(v.captureToFile, c.toFile) << c.file;
  }
}

TEST_F(SettingsDialogTest, StartupWaitIsShownAndKeptOnlyWhenNumeric) {
  const struct {
    const char* stored;
    const char* shown;
  } cases[] = {{"2000", "2000"}, {"abc", "0"}, {"", "0"}, {"1.5", "1.5"}};
  for (const auto& c : cases) {
    Given(std::string("[WAIT]\r\n1=") + c.stored + "\r\n");
    EXPECT_EQ(Loaded().startupWait, c.shown) << c.stored;
    EXPECT_EQ(live.startupWait, c.shown) << c.stored;
  }
}

TEST_F(SettingsDialogTest, SlotAndMacroTextsComeBackWholeWhateverTheirLength) {
  const std::string longText(5000, 'x');
  Given("[CLIP]\r\n2=" + longText + "\\nend\r\n[PARA]\r\n3=" + longText + "\r\n[APPPATH]\r\n1=" + longText + "\r\n");
  const SettingsDialogValues v = Loaded();
  EXPECT_EQ(v.slotTexts[1], longText + "\r\nend");
  EXPECT_EQ(v.macroTexts[2], longText);
  EXPECT_EQ(v.launcher[0].path.size(), 4095u) << "other values keep the read limit";
}

TEST_F(SettingsDialogTest, LauncherOpacityBoxesWorkFromWindows2000On) {
  live.osMajor = 4;
  EXPECT_FALSE(Loaded().launcherOpacityEnabled);
  live.osMajor = 5;
  EXPECT_TRUE(Loaded().launcherOpacityEnabled);
}

TEST(SettingsDialogFonts, FontButtonsStartFromTheLabelsAndTakeWhatIsChosen) {
  SettingsDialogValues v;
  v.calendarFontName = "ＭＳ ゴシック";
  v.calendarText = 255;
  const struct {
    const char* size;
    int32_t points;
  } sizes[] = {{"10", 10}, {"10.5", 10}, {"11.5", 12}, {"abc", 10}, {"", 10}, {"-3", 10}};
  for (const auto& s : sizes) {
    v.calendarFontSize = s.size;
    EXPECT_EQ(CalendarFontChoice(v).size, s.points) << s.size;
  }
  v.calendarFontSize = "10";
  FontChoice chosen = CalendarFontChoice(v);
  EXPECT_EQ(chosen.name, "ＭＳ ゴシック");
  EXPECT_EQ(chosen.colour, 255);
  chosen.name = "IPA明朝";
  chosen.size = 14;
  chosen.bold = true;
  chosen.italic = true;
  chosen.colour = 65280;
  chosen.underline = true;  // offered by the dialog, kept nowhere
  TakeCalendarFontChoice(v, chosen);
  EXPECT_EQ(v.calendarFontName, "IPA明朝");
  EXPECT_EQ(v.calendarFontSize, "14");
  EXPECT_TRUE(v.calendarFontBold);
  EXPECT_TRUE(v.calendarFontItalic);
  EXPECT_EQ(v.calendarText, 65280) << "the chosen colour is the calendar's text colour";
  EXPECT_EQ(CalendarSample(v), (SampleFont{"IPA明朝", 14, true, true, 65280, v.calendarBack}));

  v.memoFontColour = 128;
  v.memoFontSize = "9";
  FontChoice memo = MemoFontChoice(v);
  EXPECT_EQ(memo.colour, 128);
  EXPECT_EQ(memo.size, 9);
  memo.colour = 7;
  TakeMemoFontChoice(v, memo);
  EXPECT_EQ(v.memoFontColour, 7);
  EXPECT_EQ(MemoSample(v).points, 9);

  Colour box = 5;
  EXPECT_FALSE(TakePickedColour(box, -1));
  EXPECT_EQ(box, 5);
  EXPECT_TRUE(TakePickedColour(box, 0));
  EXPECT_EQ(box, 0);
}

}  // namespace
}  // namespace qb::test
