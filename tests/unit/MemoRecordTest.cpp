// The memo records: stored text, places read as 32-bit numbers, the colour and font fallbacks key
// by key, the opacity, which number a new memo takes, and the rim region.
#include <gtest/gtest.h>

#include <string>

#include "memo/MemoRecord.h"
#include "unit/SettingsTestSupport.h"

namespace qb::test {
namespace {

TEST(MemoText, EveryLineBreakIsStoredAsSeparatorsAndComesBackAsCrLf) {
  const struct {
    std::string box;
    std::string stored;
    std::string back;
  } cases[] = {
      {"一行目\r\n二行目", "一行目@@二行目", "一行目\r\n二行目"},
      {"a\rb\nc\r\n", "a@@b@@c@@", "a\r\nb\r\nc\r\n"},
      {"\r\n\r\n", "@@@@", "\r\n\r\n"},
      {"   ", "", ""},  // only blanks: the slot is free at the next start
      {"", "", ""},
      {"  字 ", "  字 ", "  字 "},  // blanks around a text stay
      {"@@", "@@", "\r\n"},       // a typed separator comes back as a line break
      {"絵文字🎍", "絵文字🎍", "絵文字🎍"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeMemoText(c.box), c.stored) << testing::PrintToString(c.box);
    EXPECT_EQ(DecodeMemoText(EncodeMemoText(c.box)), c.back) << testing::PrintToString(c.box);
  }
  EXPECT_EQ(DecodeMemoText("a@@@@b"), "a\r\n\r\nb");
}

TEST(MemoPlace, ThirtyTwoBitNumbersAndEachJunkValueOnItsOwnTakesItsDefault) {
  EXPECT_EQ(MemoPlaceFromTexts("1500", "-3000", "4800", "3300"), (MemoPlaceTwips{1500, -3000, 4800, 3300}));
  EXPECT_EQ(MemoPlaceFromTexts("70000", "-40000", "2.5", "1e5"), (MemoPlaceTwips{70000, -40000, 2, 100000}));
  EXPECT_EQ(MemoPlaceFromTexts("x", "", "9e99", "300"), (MemoPlaceTwips{0, 0, 4680, 300}));
}

TEST(MemoFlags, TrueFalseAndNumbers) {
  const struct {
    const char* text;
    std::optional<bool> flag;
  } cases[] = {{"True", true}, {"false", false}, {"TRUE", true}, {"1", true}, {"-1", true},
               {"0", false},   {" 0.0 ", false}, {"yes", std::nullopt}, {"", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(FlagFromSettingText(c.text), c.flag) << c.text;
}

class MemoSettings : public SettingsFileTest {};

TEST_F(MemoSettings, EachOwnKeyIsTakenOnItsOwnAndJunkFallsBackToTheCommonValue) {
  Given("[DESKTOPMEMO]\r\nBKCOLOR=255\r\nBKCOLOR3=65280\r\nFRCOLOR4=junk\r\n"
        "[MemoFont]\r\nName=IPAGothic\r\nSize=12\r\nBold=1\r\nFORECOLOR=16711680\r\n"
        "[MemoFont3]\r\nSize=20\r\nItalic=True\r\n"
        "[MemoFont4]\r\nName=\r\nSize=0\r\nBold=False\r\n");
  const MemoStyle three = ReadMemoStyle(3);
  EXPECT_EQ(three.back, 65280);
  EXPECT_EQ(three.text, 16711680);  // no FRCOLOR3: the common text colour
  EXPECT_EQ(three.face, "IPAGothic");
  EXPECT_EQ(three.points, 20);
  EXPECT_TRUE(three.italic);
  EXPECT_TRUE(three.bold);
  const MemoStyle four = ReadMemoStyle(4);
  EXPECT_EQ(four.back, 255);
  EXPECT_EQ(four.text, 16711680);  // junk of its own: the common value
  EXPECT_EQ(four.face, "IPAGothic");
  EXPECT_EQ(four.points, 12);  // a size of 0 is no size
  EXPECT_FALSE(four.bold);

  Given("[DESKTOPMEMO]\r\nBKCOLOR=-5\r\n[MemoFont]\r\nSize=huge\r\nFORECOLOR=\r\n");
  EXPECT_EQ(ReadMemoStyle(0), MemoStyle{});  // junk common values: the defaults
}

TEST_F(MemoSettings, OpacityOnlyWhenTransIsANumberBelow255) {
  const struct {
    const char* trans;
    std::optional<uint8_t> opacity;
  } cases[] = {{"255", std::nullopt}, {"128", 128}, {"0", 0}, {"300", std::nullopt}, {"-1", std::nullopt},
               {"abc", std::nullopt}, {"127.5", 128}};
  for (const auto& c : cases) {
    Given(std::string("[DESKTOPMEMO]\r\nTrans=") + c.trans + "\r\n");
    EXPECT_EQ(ReadMemoOpacity(), c.opacity) << c.trans;
  }
  Given("");
  EXPECT_EQ(ReadMemoOpacity(), std::nullopt);
}

TEST_F(MemoSettings, ANewMemoTakesTheLowestNumberNeitherOpenNorStored) {
  Given("[DESKTOPMEMO]\r\nMEMO0=stored\r\nMEMO2=\r\n");
  std::array<bool, kMemoSlots> open{};
  EXPECT_EQ(FindFreeMemoSlot(open), 1);
  open[1] = true;
  EXPECT_EQ(FindFreeMemoSlot(open), 2);  // an empty stored text is a free slot
  open.fill(true);
  open[0] = false;
  EXPECT_EQ(FindFreeMemoSlot(open), std::nullopt);  // 0 still holds a memo that comes back
}

TEST_F(MemoSettings, StoredMemosAreReadWholeWithTheirPlaces) {
  const std::string longText(6000, 'x');
  Given("[DESKTOPMEMO]\r\nMEMO3=" + longText + "@@end\r\nTOP3=1500\r\nLEFT3=3000\r\nMEMO7=" + *Utf8ToCp932("七") +
        "\r\nTOP7=bad\r\n");
  const std::vector<StoredMemo> memos = ReadStoredMemos();
  ASSERT_EQ(memos.size(), 2u);
  EXPECT_EQ(memos[0].n, 3);
  EXPECT_EQ(memos[0].boxText, longText + "\r\nend");
  EXPECT_EQ(memos[0].place, (MemoPlaceTwips{1500, 3000, 4680, 3195}));
  EXPECT_EQ(memos[1].n, 7);
  EXPECT_EQ(memos[1].boxText, "七");

  const int writes = fs.replaceCalls;
  WriteMemoRecord(7, "a\r\nb", 15, -30.5, 4800, 3300);
  EXPECT_EQ(fs.replaceCalls, writes + 1) << "text and place land in one replacement of the file";
  EXPECT_EQ(ReadSetting("DESKTOPMEMO", "MEMO7", ""), "a@@b");
  EXPECT_EQ(ReadSetting("DESKTOPMEMO", "TOP7", ""), "15");
  EXPECT_EQ(ReadSetting("DESKTOPMEMO", "LEFT7", ""), "-30.5");
}

TEST_F(MemoSettings, BlanksAndQuotesAtTheEndsOfAMemoSurviveTheSettingsFile) {
  // The settings reader takes blanks off a value's ends and a pair of quotes around it; a memo
  // that starts or ends with them is stored in quotes so that it comes back whole.
  for (const std::string text : {"  indented", "last line\r\n\t", "\"quoted\"", "'single'", "\" half", "plain"}) {
    WriteMemoRecord(2, text, 0, 0, 4680, 3195);
    const std::vector<StoredMemo> memos = ReadStoredMemos();
    ASSERT_EQ(memos.size(), 1u) << text;
    EXPECT_EQ(memos[0].boxText, text) << text;
  }
  EXPECT_EQ(ReadSetting("DESKTOPMEMO", "MEMO2", ""), "plain");
  EXPECT_NE(fs.files.begin()->second.find("MEMO2=plain\r\n"), std::string::npos) << "no quotes where none are needed";
}

TEST(MemoRegion, ARimOfOnePixelAroundTheInnerAreaWhateverTheFrame) {
  EXPECT_EQ(MemoRegion({4, 4}, 312, 213), (PixelRect{3, 3, 317, 218}));  // a frame of four pixels
  EXPECT_EQ(MemoRegion({8, 8}, 100, 50), (PixelRect{7, 7, 109, 59}));
  EXPECT_EQ(MemoRegion({1, 1}, 0, 0), (PixelRect{0, 0, 2, 2}));
}

TEST(PlaceOnScreen, AWindowOnNoMonitorMovesTheLeastIntoTheNearestWorkArea) {
  const PixelRect work{0, 0, 1024, 740};
  EXPECT_EQ(PlaceOnScreen({10, 10, 110, 60}, true, work), std::nullopt);
  EXPECT_EQ(PlaceOnScreen({-5000, 200, -4900, 250}, false, work), (PixelPoint{0, 200}));
  EXPECT_EQ(PlaceOnScreen({3000, 3000, 3100, 3050}, false, work), (PixelPoint{924, 690}));
  EXPECT_EQ(PlaceOnScreen({3000, -900, 5000, 100}, false, work), (PixelPoint{0, 0}));  // larger than the area
}

}  // namespace
}  // namespace qb::test
