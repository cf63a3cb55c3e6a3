// Confirming the settings dialog: what is written, what is left alone (unchanged slot and macro
// texts), the order in which the running program is brought up to date, the wallpaper calendar with
// its record of the user's picture, slots captured by hotkey since the last save, and steps that go
// on past a failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Text.h"
#include "unit/SettingsDialogTestSupport.h"

namespace qb::test {
namespace {

std::string Cp932(const std::string& utf8) { return Utf8ToCp932(utf8).value(); }

TEST_F(SettingsDialogTest, ConfirmWritesEveryControlAndBringsTheProgramUpToDateInOrder) {
  Given(kStartupHotkeyValues);
  SettingsDialogValues v = Loaded();
  live.calls.clear();
  v.windowShadeXp = true;
  v.mouseWarp = true;
  v.dietMegabytes = "16";
  v.autoDiet = true;
  v.memoBack = 255;
  v.memoFontName = "IPA明朝";
  v.calendarFontSize = "12";
  v.startupWait = "1500";
  v.iconTextTransparent = false;
  v.iconTextColour = 65280;
  v.captureToFile = true;
  v.capturePrints = false;
  v.wallpaperCalendarX = "40";
  v.calendarHoliday = 128;
  v.hotkeys[3] = {2, 19};
  v.launcher[1] = {"電卓", "calc.exe", ""};
  v.slotTexts[0] = "一\r\n二";
  v.macroTexts[2] = "abc";
  ConfirmSettingsDialog(v, live);

  const struct {
    const char* section;
    const char* key;
    const char* value;
  } stored[] = {
      {"WindowShade", "XPMODE", "1"},
      {"MouseWarp", "Enable", "1"},
      {"MemDiet", "Size", "16"},
      {"MemDiet", "Check", "1"},
      {"MemDiet", "Size2", "64"},
      {"Wallpaper", "Check", "0"},
      {"DESKTOPMEMO", "BKCOLOR", "255"},
      {"DESKTOPMEMO", "Trans", "255"},
      {"MemoFont", "Name", "IPA明朝"},
      {"MemoFont", "Bold", "0"},
      {"CalFont", "Size", "12"},
      {"CalFont", "FORECOLOR", "16777215"},
      {"CalFont", "Bold", "1"},
      {"WAIT", "1", "1500"},
      {"ICONTEXT", "CHECK", "0"},
      {"ICONTEXT", "COLOR", "65280"},
      {"SShot", "Prn", "False"},
      {"SShot", "File", "True"},
      {"Calender", "X", "40"},
      {"Calender", "Enable", "0"},
      {"FONT", "COLOR2", "128"},
      {"DESKTOPCAL", "BKCOLOR", "8000000"},
      {"KEY", "4", "19"},
      {"CAP", "4", "2"},
      {"KEY", "10", "9"},  // the tenth entry is not the dialog's
      {"APPNAME", "2", "電卓"},
      {"APPPATH", "2", "calc.exe"},
      {"APPVIS", "2", ""},
      {"APPVIS", "15", "255"},
      {"CLIP", "1", "一\\n二"},
      {"CLIP", "2", "<absent>"},
      {"PARA", "3", "abc"},
      {"PARA", "1", "<absent>"},
  };
  for (const auto& s : stored) EXPECT_EQ(Stored(s.section, s.key), s.value) << s.section << "/" << s.key;
  EXPECT_EQ(v.launcher[1].opacity, "255") << "an emptied opacity box shows the launcher's value afterwards";

  const std::vector<std::string> expected = {
      "SetMouseWarpMode 1",
      "SetStartupWait 1500",
      "SetIconTextBackground 65280",
      "SetCalendarColours 16777215 128 16711680",
      "TakeDownWallpaperCalendar ",
      "SetOriginalWallpaper ",
      "SetSlotCaption 1 一\\n二",
      "SetClipSlot 1",
      "SetMacroText 3",
      "SetIconTextBackground 65280",
      "ReRegisterHotkeys",
      "SetClipSlot 2",
      "SetClipSlot 3",
      "ReloadDesktopMemos",
  };
  EXPECT_EQ(live.calls, expected);
  EXPECT_EQ(live.slots[0], "一\r\n二");
  EXPECT_EQ(live.macros[2], "abc");
}

TEST_F(SettingsDialogTest, SlotTextsAreWrittenOnlyWhenChangedAndTheMenuShowsTheStoredText) {
  struct Case {
    const char* what;
    std::string stored;  // CLIP/1 before, "" for none
    std::string box;
    std::string after;   // CLIP/1 after
    std::string caption;  // "" when the caption is not set
  };
  const Case cases[] = {
      {"two lines joined by \\n", "", "first\r\nsecond", "first\\nsecond", "first\\nsecond"},
      {"a tab and a lone line feed", "", "a\tb\nc", "a\\tb\\nc", "a\\tb\\nc"},
      {"unchanged: not written", "same\\ntext", "same\r\ntext", "same\\ntext", ""},
      {"twenty characters of the stored text", "", "０１２３４５６７８９\r\nabcdefghij", "０１２３４５６７８９\\nabcdefghij",
       "０１２３４５６７８９\\nabcdefgh"},
      {"emptied", "old", "", "", ""},
      {"blanks at the ends kept by quotes", "", "  two\r\n\t", "  two\\n\\t", "  two\\n\\t"},
  };
  for (const Case& c : cases) {
    Given(Cp932(c.stored.empty() ? kStartupHotkeyValues : kStartupHotkeyValues + "[CLIP]\r\n1=" + c.stored + "\r\n"));
    SettingsDialogValues v = Loaded();
    live.calls.clear();
    live.captions = {};
    v.slotTexts[0] = c.box;
    ConfirmSettingsDialog(v, live);
    EXPECT_EQ(ReadWholeSetting("CLIP", "1", "<absent>"), c.stored.empty() && c.after.empty() ? "<absent>" : c.after)
        << c.what;
    EXPECT_EQ(live.captions[0], c.caption) << c.what;
    EXPECT_TRUE(live.CallsStartingWith("SetSlotCaption 2").empty()) << c.what;
  }
}

TEST_F(SettingsDialogTest, ASlotCapturedByHotkeySinceTheLastSaveIsKeptUnlessTheDialogWritesIt) {
  Given(Cp932(kStartupHotkeyValues + "[CLIP]\r\n1=stored one\r\n2=stored two\r\n"));
  SettingsDialogValues v = Loaded();
  // Copies by hotkey after the dialog was loaded: the live slots differ from the file.
  live.slots = {"captured one", "captured two", "[画像]"};
  v.slotTexts[1] = "typed two";
  v.memoBack = 255;  // an unrelated change
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(live.slots[0], "captured one");
  EXPECT_EQ(live.slots[1], "typed two");
  EXPECT_EQ(live.slots[2], "[画像]") << "a picture slot keeps its picture";
  EXPECT_EQ(Stored("CLIP", "1"), "stored one");
  EXPECT_EQ(Stored("CLIP", "3"), "<absent>");
}

TEST_F(SettingsDialogTest, MacroTextsAreWrittenOnlyWhenChanged) {
  Given(Cp932(kStartupHotkeyValues + "[PARA]\r\n1={TAB}\\tx\r\n"));
  SettingsDialogValues v = Loaded();
  EXPECT_EQ(v.macroTexts[0], "{TAB}\tx");
  v.macroTexts[1] = "line\r\n";
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(Stored("PARA", "1"), "{TAB}\\tx");
  EXPECT_EQ(Stored("PARA", "2"), "line\\n");
  EXPECT_EQ(Stored("PARA", "3"), "<absent>");
  EXPECT_EQ(live.CallsStartingWith("SetMacroText"), std::vector<std::string>{"SetMacroText 2"});
}

TEST_F(SettingsDialogTest, OKAfterAnOddFlagKeepsLauncherEntriesSlotTextsAndMacros) {
  const std::string file = Cp932(kStartupHotkeyValues +
                                 "[WindowShade]\r\nXPMODE=True\r\n"
                                 "[APPNAME]\r\n1=メモ帳\r\n2=電卓\r\n"
                                 "[APPPATH]\r\n1=notepad.exe\r\n2=calc.exe\r\n"
                                 "[APPVIS]\r\n1=200\r\n"
                                 "[CLIP]\r\n1=スロット\\nテキスト\r\n"
                                 "[PARA]\r\n1=マクロ{ENTER}\r\n");
  Given(file);
  SettingsDialogValues v = Loaded();
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(Stored("WindowShade", "XPMODE"), "1") << "still on, in the dialog's own form";
  EXPECT_EQ(Stored("APPNAME", "1"), "メモ帳");
  EXPECT_EQ(Stored("APPNAME", "2"), "電卓");
  EXPECT_EQ(Stored("APPPATH", "1"), "notepad.exe");
  EXPECT_EQ(Stored("APPPATH", "2"), "calc.exe");
  EXPECT_EQ(Stored("APPVIS", "1"), "200");
  EXPECT_EQ(Stored("CLIP", "1"), "スロット\\nテキスト");
  EXPECT_EQ(Stored("PARA", "1"), "マクロ{ENTER}");
  EXPECT_TRUE(live.CallsStartingWith("SetSlotCaption").empty());
  EXPECT_TRUE(live.CallsStartingWith("SetMacroText").empty());
  // A second confirmation without changes writes nothing new.
  const std::string once = File();
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(File(), once);
}

TEST_F(SettingsDialogTest, WallpaperCalendarKeepsTheRecordOfTheUsersPicture) {
  const std::string sea = "C:\\壁紙\\海.bmp";
  const std::string forest = "C:\\壁紙\\森.bmp";
  const std::string calendar = "C:\\Quorbell\\Quorbell.bmp";
  struct Case {
    const char* what;
    bool on;
    std::string recordedThisRun;
    std::string recordInFile;
    std::string inForce;
    std::string expectedCall;
    std::string expectedRecord;
    std::string originalAfter;  // what the program keeps to put back at log-off
  };
  const Case cases[] = {
      {"turned on: drawn onto the wallpaper in force, which is recorded", true, "", "", sea,
       "ShowWallpaperCalendar " + sea, sea, sea},
      {"on while shown: the record stands in for the calendar picture", true, sea, sea, calendar,
       "ShowWallpaperCalendar " + sea, sea, sea},
      {"the user chose another picture since", true, sea, sea, forest, "ShowWallpaperCalendar " + forest, forest, forest},
      {"turned off: the user's picture comes back, the record stays", false, sea, sea, calendar,
       "TakeDownWallpaperCalendar " + sea, sea, ""},
      {"turned off after a run that did not end normally", false, "", sea, calendar,
       "TakeDownWallpaperCalendar " + sea, sea, ""},
      {"the run's record is written when the file lost it", false, sea, "", calendar,
       "TakeDownWallpaperCalendar " + sea, sea, ""},
      {"on without any picture of the user: nothing", true, "", "", "", "", "<absent>", ""},
  };
  for (const Case& c : cases) {
    fs.files[sea] = "BM";
    fs.files[forest] = "BM";
    fs.files[calendar] = "BM";
    Given(Cp932(kStartupHotkeyValues + (c.recordInFile.empty() ? "" : "[Wallpaper]\r\n1=" + c.recordInFile + "\r\n")));
    SettingsDialogValues v = Loaded();
    live.calls.clear();
    live.original = c.recordedThisRun;
    live.wallpaper = c.inForce;
    v.wallpaperCalendar = c.on;
    ConfirmSettingsDialog(v, live);
    std::vector<std::string> wallpaperCalls = live.CallsStartingWith("ShowWallpaperCalendar");
    for (const std::string& call : live.CallsStartingWith("TakeDownWallpaperCalendar")) wallpaperCalls.push_back(call);
    if (c.expectedCall.empty()) {
      EXPECT_TRUE(wallpaperCalls.empty()) << c.what;
    } else {
      EXPECT_EQ(wallpaperCalls, std::vector<std::string>{c.expectedCall}) << c.what;
    }
    EXPECT_EQ(Stored("Wallpaper", "1"), c.expectedRecord) << c.what;
    EXPECT_EQ(Stored("Calender", "Enable"), c.on ? "1" : "0") << c.what;
    EXPECT_EQ(live.original, c.originalAfter) << c.what;
  }
}

TEST_F(SettingsDialogTest, StartupWaitAndCalendarColoursAreReadBackAfterWriting) {
  Given(kStartupHotkeyValues);
  SettingsDialogValues v = Loaded();
  v.startupWait = "soon";
  v.calendarText = 1;
  v.calendarSaturday = 3;
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(Stored("WAIT", "1"), "soon") << "written as typed";
  EXPECT_EQ(live.startupWait, "0") << "a text that is no number is no wait";
  EXPECT_EQ(live.calendarColours, (std::array<Colour, 3>{1, 255, 3}));
}

TEST_F(SettingsDialogTest, EveryStepRunsPastAFailingOne) {
  Given(kStartupHotkeyValues);
  SettingsDialogValues v = Loaded();
  v.mouseWarp = true;
  v.slotTexts[0] = "new";
  live.throwAt = "SetMouseWarpMode";
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(Stored("MemDiet", "Size"), "32");
  EXPECT_EQ(Stored("CLIP", "1"), "new");
  EXPECT_EQ(live.calls.back(), "ReloadDesktopMemos");

  live.throwAt = "SetSlotCaption 1";
  v.slotTexts[0] = "newer";
  v.slotTexts[1] = "two";
  ConfirmSettingsDialog(v, live);
  EXPECT_EQ(Stored("CLIP", "2"), "two") << "the next slot is still written";

  live.throwAt = "SetStartupWait";
  v = SettingsDialogValues{};
  LoadSettingsDialog(v, live);
  EXPECT_EQ(v.calendarFontName, "ＭＳ ゴシック") << "loading goes on too";
}

}  // namespace
}  // namespace qb::test
