// Note marks of both month drawings (read through the real day-note reader over an in-memory
// folder), the wallpaper calendar's fixed geometry and picture handling, and the program forms
// that read the calendar font from the settings file.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "calendar/DayNotes.h"
#include "calendar/MonthRender.h"
#include "calendar/RecordingCanvas.h"
#include "settings/Settings.h"
#include "unit/FakeFileSystem.h"

namespace qb {
namespace {

class NoteFolder {
public:
  NoteFolder() { fs.directories.insert("base/dic"); }
  void Put(const std::string& title, const std::string& bytes) {
    fs.files[DayNotePath(Folder(), title)] = bytes;
  }
  DayNoteReader Reader() {
    return [this](std::string_view title, std::string& text) {
      titles.emplace_back(title);
      return ReadDayNote(Folder(), title, text);
    };
  }
  DayNoteFolder Folder() { return DayNoteFolder{&fs, "base"}; }

  test::FakeFileSystem fs;
  std::vector<std::string> titles;
};

// August 2004, today the 6th: the 3rd holds blanks, the 4th an empty line, the 5th two empty
// lines ("@@"), the 6th and the 9th a real note; the 7th has no file.
void PutAugustNotes(NoteFolder& notes) {
  notes.Put("2004年8月3日", "   \r\n");
  notes.Put("2004年8月4日", "\r\n");
  notes.Put("2004年8月5日", "\r\n\r\n");
  notes.Put("2004年8月6日", "\xEF\xBB\xBF買い物\r\n");  // UTF-8 with a byte-order mark
  notes.Put("2004年8月9日", "memo\r\n");
}

// The texts drawn for one grid cell, in order.
std::vector<RecordedOp> CellOps(const std::vector<RecordedOp>& texts, const std::string& day) {
  std::vector<RecordedOp> result;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].text == day && texts[i].colour == kCalendarShadowColour) {
      for (std::size_t j = i; j < texts.size() && j < i + 3; ++j) {
        if (j > i && (texts[j].text == day && texts[j].colour == kCalendarShadowColour)) break;
        result.push_back(texts[j]);
        if (j > i && texts[j].text == day) break;
      }
      break;
    }
  }
  return result;
}

TEST(MonthNoteMarks, OnlyNotesWithTextAreMarked) {
  NoteFolder notes;
  PutAugustNotes(notes);
  MonthDrawInputs inputs;
  inputs.today = {2004, 8, 6};
  inputs.readNote = notes.Reader();
  RecordingCanvas canvas;
  CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
  DrawCalendarMonth(canvas, x, y, 0, inputs, state);

  // One lookup per day, in grid order, under the window's title form.
  ASSERT_EQ(notes.titles.size(), 31u);
  EXPECT_EQ(notes.titles[0], "2004年8月1日");
  EXPECT_EQ(notes.titles[30], "2004年8月31日");

  const auto texts = canvas.texts();
  struct Expect {
    const char* day;
    bool marked;
  };
  const Expect expects[] = {{"03", false}, {"04", false}, {"05", true}, {"06", true},
                            {"07", false}, {"09", true},  {"10", false}};
  for (const Expect& e : expects) {
    const auto ops = CellOps(texts, e.day);
    SCOPED_TRACE(e.day);
    ASSERT_EQ(ops.size(), e.marked ? 3u : 2u);
    if (!e.marked) continue;
    // Shadow, then the mark at the shadow's place in the cell's colour and font, then the text.
    EXPECT_EQ(ops[1].text, "__");
    EXPECT_EQ(ops[1].x, ops[0].x);
    EXPECT_EQ(ops[1].y, ops[0].y);
    EXPECT_EQ(ops[1].colour, ops[2].colour);
    EXPECT_EQ(ops[1].font, ops[2].font);
  }
  int marks = 0;
  for (const RecordedOp& op : texts) marks += op.text == "__";
  EXPECT_EQ(marks, 3);
}

TEST(MonthNoteMarks, TitleFollowsThePagedMonth) {
  NoteFolder notes;
  notes.Put("2005年1月31日", "x\r\n");
  MonthDrawInputs inputs;
  inputs.today = {2004, 8, 31};
  inputs.readNote = notes.Reader();
  RecordingCanvas canvas;
  CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
  DrawCalendarMonth(canvas, x, y, 5, inputs, state);
  int marks = 0;
  for (const RecordedOp& op : canvas.texts()) marks += op.text == "__";
  EXPECT_EQ(marks, 1);
  EXPECT_EQ(notes.titles.front(), "2005年1月1日");
}

struct WallpaperRun {
  RecordingCanvas canvas;
  CalendarMonthState state;
  std::int16_t x = 0;
  std::int16_t y = 0;
  bool saved = false;
};

void RunWallpaper(WallpaperRun& run, CivilDate today, const DayNoteReader& reader = {}) {
  WallpaperDrawInputs inputs;
  inputs.today = today;
  inputs.colours = CalendarColours{1, 2, 3};
  inputs.readNote = reader;
  run.saved = DrawWallpaperCalendar(run.canvas, "wall.jpg", "Quorbell.bmp", run.x, run.y, inputs,
                                    run.state);
}

TEST(WallpaperCalendar, FixedGeometry) {
  WallpaperRun run;
  run.x = 10;
  run.y = 20;
  run.state.CalendarDayMap.fill(7);
  RunWallpaper(run, {2004, 8, 6});

  const auto texts = run.canvas.texts();
  ASSERT_EQ(texts.size(), 2u + 14u + 84u);
  EXPECT_EQ(texts[1].text, "8");  // no leading blank here
  EXPECT_EQ(texts[0].x, 12);
  EXPECT_EQ(texts[0].y, 22);
  EXPECT_EQ(texts[1].x, 10);
  EXPECT_EQ(texts[1].y, 20);
  EXPECT_EQ(texts[1].colour, 1);
  EXPECT_EQ(texts[1].font, (CanvasFont{std::string(kWallpaperCalendarFace), 24, true, true}));

  const int offsets[7] = {0, 40, 80, 120, 160, 202, 240};
  const Colour headerColours[7] = {2, 1, 1, 1, 1, 1, 3};
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(texts[2 + k].x, 42 + offsets[k] + 2);
    EXPECT_EQ(texts[2 + k].y, 32);
    EXPECT_EQ(texts[2 + k].colour, kCalendarShadowColour);
    EXPECT_EQ(texts[9 + k].x, 42 + offsets[k]);
    EXPECT_EQ(texts[9 + k].y, 30);
    EXPECT_EQ(texts[9 + k].colour, headerColours[k]);
    EXPECT_EQ(texts[9 + k].font, (CanvasFont{std::string(kWallpaperCalendarFace), 12, true, false}));
  }
  for (int r = 0; r < 6; ++r) {
    for (int k = 0; k < 7; ++k) {
      const RecordedOp& shadow = texts[16 + 2 * static_cast<std::size_t>(r * 7 + k)];
      const RecordedOp& main = texts[17 + 2 * static_cast<std::size_t>(r * 7 + k)];
      const bool current = main.text == "06";
      SCOPED_TRACE(main.text);
      EXPECT_EQ(main.x, 42 + 40 * k + 7 - (current ? 4 : 0));
      EXPECT_EQ(main.y, 30 + 18 + 20 * r - (current ? 2 : 0));
      EXPECT_EQ(shadow.x, main.x + 1);
      EXPECT_EQ(shadow.y, main.y + 1);
      EXPECT_EQ(main.font.size, current ? 17 : 13);
      EXPECT_TRUE(main.font.bold);
      EXPECT_FALSE(main.font.italic);
    }
  }
  EXPECT_EQ(run.x, 42);
  EXPECT_EQ(run.y, 30);
  EXPECT_EQ(run.state.CalendarYear, 2004);
  EXPECT_EQ(run.state.CalendarMonth, 8);
  EXPECT_EQ(run.state.CalendarDayMap[0], 1);
  EXPECT_EQ(run.state.CalendarDayMap[30], 31);
  EXPECT_EQ(run.state.CalendarDayMap[31], 0);
  EXPECT_EQ(run.state.CalendarDayMap[50], 0);
}

TEST(WallpaperCalendar, LoadsFirstSavesLastEvenWithoutPicture) {
  for (const bool known : {true, false}) {
    WallpaperRun run;
    if (known) run.canvas.AddPicture("wall.jpg", {800, 600});
    RunWallpaper(run, {2019, 11, 23});
    const auto& ops = run.canvas.ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops.front().kind, RecordedOp::Kind::Load);
    EXPECT_EQ(ops.front().text, "wall.jpg");
    EXPECT_EQ(ops.back().kind, RecordedOp::Kind::Save);
    EXPECT_EQ(ops.back().text, "Quorbell.bmp");
    EXPECT_EQ(run.canvas.texts().size(), 100u);
    EXPECT_TRUE(run.saved);
    EXPECT_EQ(run.canvas.Width(), known ? 800 : 640);
  }
  WallpaperRun failing;
  failing.canvas.failSave = true;
  RunWallpaper(failing, {2019, 11, 23});
  EXPECT_FALSE(failing.saved);
}

TEST(WallpaperCalendar, ColoursAndNoteDots) {
  NoteFolder notes;
  notes.Put("2019年11月23日", "@@\r\n");
  notes.Put("2019年11月5日", " \r\n");
  WallpaperRun run;
  RunWallpaper(run, {2019, 11, 1}, notes.Reader());
  EXPECT_EQ(notes.titles.size(), 30u);

  const auto texts = run.canvas.texts();
  std::map<std::string, Colour> mainColour;
  for (const RecordedOp& op : texts) {
    if (op.colour != kCalendarShadowColour && op.text != "●") mainColour[op.text] = op.colour;
  }
  EXPECT_EQ(mainColour["02"], 3);
  EXPECT_EQ(mainColour["03"], 2);
  EXPECT_EQ(mainColour["04"], 2);
  EXPECT_EQ(mainColour["05"], 1);
  EXPECT_EQ(mainColour["23"], 2);

  std::vector<RecordedOp> dots;
  std::size_t dotIndex = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].text == "●") {
      dots.push_back(texts[i]);
      dotIndex = i;
    }
  }
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0].colour, Rgb(255, 0, 0));
  // The dot goes under the day's shadow and text, at the text's own place.
  ASSERT_LT(dotIndex + 2, texts.size());
  EXPECT_EQ(texts[dotIndex + 2].text, "23");
  EXPECT_EQ(dots[0].x, texts[dotIndex + 2].x);
  EXPECT_EQ(dots[0].y, texts[dotIndex + 2].y);
}

// The program form reads CalFont on every drawing and converts the values as numbers.
class ProgramForm : public ::testing::Test {
protected:
  void SetUp() override {
    fs.directories.insert("cfg");
    UseSettingsFile("cfg/Quorbell.ini", fs);
    UseDayNoteFolder("notes", fs);
    saved = TheCalendarColours();
  }
  void TearDown() override {
    UseSettingsFile("Quorbell.ini", SystemFileSystem());
    UseDayNoteFolder("", SystemFileSystem());
    TheCalendarColours() = saved;
  }
  std::vector<RecordedOp> DrawNow() {
    RecordingCanvas canvas;
    std::int16_t x = 0;
    std::int16_t y = 0;
    DrawCalendarMonth(canvas, x, y, 0);
    return canvas.texts();
  }
  test::FakeFileSystem fs;
  CalendarColours saved;
};

TEST_F(ProgramForm, ReadsTheFontEveryTimeAndUsesTheAppColours) {
  TheCalendarColours().text = 5;
  auto texts = DrawNow();
  EXPECT_EQ(texts[1].font, (CanvasFont{"ＭＳ ゴシック", 10, true, true}));
  EXPECT_EQ(texts[1].colour, 5);

  fs.files["cfg/Quorbell.ini"] =
      "[CalFont]\r\nName=IPAGothic\r\nSize=12\r\nItalic=0\r\nBold= 2.0 \r\n";
  texts = DrawNow();
  EXPECT_EQ(texts[1].font, (CanvasFont{"IPAGothic", 12, true, false}));
  EXPECT_EQ(texts[1].y, 12);

  fs.files["cfg/Quorbell.ini"] = "[CalFont]\r\nSize=big\r\nItalic=True\r\nBold=\r\n";
  texts = DrawNow();
  EXPECT_EQ(texts[1].font, (CanvasFont{"ＭＳ ゴシック", 0, false, false}));
}

TEST(PointSizeText, ShortestExactDecimal) {
  EXPECT_EQ(FormatPointSize(15), "15");
  EXPECT_EQ(FormatPointSize(13.5), "13.5");
  EXPECT_EQ(FormatPointSize(1.5 * 11), "16.5");
  EXPECT_EQ(FormatPointSize(-15), "-15");
  EXPECT_EQ(FormatPointSize(0), "0");
}

}  // namespace
}  // namespace qb
