#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/KeyMacro.h"

namespace {

// A piece as "N:text" and "L:text" segments joined by "|"; pieces joined by " / ".
std::string Describe(const std::vector<qb::MacroPiece>& pieces) {
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += " / ";
    out += "[";
    for (std::size_t j = 0; j < pieces[i].size(); ++j) {
      if (j > 0) out += "|";
      out += (pieces[i][j].literal ? "L:" : "N:") + pieces[i][j].text;
    }
    out += "]";
  }
  return out;
}

std::string Events(const std::vector<qb::KeyEvent>& events) {
  std::string out;
  for (const qb::KeyEvent& event : events) {
    if (!out.empty()) out += ", ";
    out += qb::DescribeKeyEvent(event);
  }
  return out;
}

TEST(KeyMacroExpansion, WaitCutsThePiecesKeepingEmptyOnes) {
  const qb::MacroInserts none;
  const struct {
    const char* macro;
    const char* pieces;
  } cases[] = {
      {"abc", "[N:abc]"},
      {"abc{WAIT}{ENTER}", "[N:abc] / [N:{ENTER}]"},
      {"{WAIT}{WAIT}x", "[] / [] / [N:x]"},
      {"{WAIT}", "[] / []"},
      {"x{WAIT}", "[N:x] / []"},
      {"a{WAIT}{WAIT}b", "[N:a] / [] / [N:b]"},
      {"{wait}", "[N:{wait}]"},  // placeholders are case-sensitive
      {"{WAIT 2}", "[N:{WAIT 2}]"},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(qb::ExpandKeyMacro(c.macro, none)), c.pieces) << c.macro;
}

TEST(KeyMacroExpansion, PlaceholdersAreReplacedInOrderAndInsertedTextStaysLiteral) {
  qb::MacroInserts inserts;
  inserts.clipboard = "clip";
  inserts.slots = {"s1", "s2", "s3"};
  const struct {
    const char* macro;
    const char* clipboard;
    const char* pieces;
  } cases[] = {
      {"{CLIP}", "clip", "[L:clip]"},
      {"a{CLIP}b", "clip", "[N:a|L:clip|N:b]"},
      {"{CLIP1}{CLIP2}{CLIP3}", "clip", "[L:s1s2s3]"},
      {"{CLR}x", "clip", "[N:%{PRTSC}x]"},
      {"{CLIP}{WAIT}{CLIP1}", "clip", "[L:clip] / [L:s1]"},
      // Text put in is never expanded again and never cut, whatever placeholder it holds.
      {"{CLIP}", "{CLIP2}", "[L:{CLIP2}]"},
      {"{CLIP}", "{CLR}{WAIT}{CLIP}", "[L:{CLR}{WAIT}{CLIP}]"},
      {"{CLIP}", "%{F4}~", "[L:%{F4}~]"},
      // A clipboard without text leaves the notation around the placeholder as one text.
      {"+{CLIP}a", "", "[N:+a]"},
      {"{CLIP}", "", "[]"},
      {"{clip}{Clip1}", "clip", "[N:{clip}{Clip1}]"},
      {"{CLIP}}", "clip", "[L:clip|N:}]"},
      {"{CLIP12}", "clip", "[N:{CLIP12}]"},
  };
  for (const auto& c : cases) {
    inserts.clipboard = c.clipboard;
    EXPECT_EQ(Describe(qb::ExpandKeyMacro(c.macro, inserts)), c.pieces) << c.macro << " / " << c.clipboard;
  }
}

TEST(KeyMacroExpansion, PieceEventsTypeInsertedTextLiterally) {
  qb::MacroInserts inserts;
  inserts.slots = {"50%", "[画像]", "a\r\nb"};
  const auto pieces = qb::ExpandKeyMacro("{CLIP1}x", inserts);
  ASSERT_EQ(pieces.size(), 1u);
  const qb::ParsedKeys keys = qb::PieceKeyEvents(pieces[0]);
  ASSERT_TRUE(keys.valid) << keys.reason;
  EXPECT_EQ(Events(keys.events), "char 5, char 0, char %, char x");

  const qb::ParsedKeys picture = qb::PieceKeyEvents(qb::ExpandKeyMacro("{CLIP2}", inserts)[0]);
  EXPECT_EQ(Events(picture.events), "char [, char 画, char 像, char ]");
  const qb::ParsedKeys lines = qb::PieceKeyEvents(qb::ExpandKeyMacro("^a{CLIP3}", inserts)[0]);
  EXPECT_EQ(Events(lines.events), "down 0x11, down 0x41, up 0x41, up 0x11, char a, down 0x0D, up 0x0D, char b");
}

TEST(KeyMacroExpansion, NotationMustBeCompleteOnEachSideOfInsertedText) {
  qb::MacroInserts inserts;
  inserts.clipboard = "x";
  for (const char* macro : {"+{CLIP}", "+({CLIP})", "{{CLIP}}", "{FOO}{CLIP}"}) {
    const auto pieces = qb::ExpandKeyMacro(macro, inserts);
    ASSERT_EQ(pieces.size(), 1u) << macro;
    const qb::ParsedKeys keys = qb::PieceKeyEvents(pieces[0]);
    EXPECT_FALSE(keys.valid) << macro;
    EXPECT_TRUE(keys.events.empty()) << macro;
  }
}

// Records what a macro run does, in order.
class RecordingActions : public qb::KeyMacroActions {
public:
  std::string clipboard;
  int clipboardReads = 0;
  std::vector<std::string> log;

  std::string ClipboardText() override {
    ++clipboardReads;
    return clipboard;
  }
  void Type(const std::vector<qb::KeyEvent>& events, bool wait) override {
    log.push_back(std::string(wait ? "type+wait " : "type ") + Events(events));
  }
  void PumpPendingMessages() override { log.push_back("pump"); }
  void Sleep(uint32_t ms) override { log.push_back("sleep " + std::to_string(ms)); }
  void SkippedPiece(std::string_view reason) override { log.push_back("skip " + std::string(reason)); }
};

constexpr const char* kAltPrintScreen = "type down 0x12, down 0x2C, up 0x2C, up 0x12";

TEST(KeyMacroRun, EmptyMacroDoesNothingAtAll) {
  RecordingActions actions;
  qb::PlayKeyMacro("", {"s1", "s2", "s3"}, actions);
  EXPECT_TRUE(actions.log.empty());
  EXPECT_EQ(actions.clipboardReads, 0);
}

TEST(KeyMacroRun, TypesEachPieceWithoutWaitingThenPumpsAndPauses) {
  const struct {
    const char* macro;
    const char* clipboard;
    std::vector<std::string> log;
  } cases[] = {
      {"abc{WAIT}{ENTER}", "",
       {kAltPrintScreen, "type char a, char b, char c", "pump", "sleep 1000", "type down 0x0D, up 0x0D", "pump",
        "sleep 1000"}},
      {"{WAIT}{WAIT}x", "",
       {kAltPrintScreen, "pump", "sleep 1000", "pump", "sleep 1000", "type char x", "pump", "sleep 1000"}},
      {"{CLIP}", "", {kAltPrintScreen, "pump", "sleep 1000"}},
      {"{FOO}{WAIT}a", "",
       {kAltPrintScreen, "skip unknown key name {FOO}", "pump", "sleep 1000", "type char a", "pump", "sleep 1000"}},
      {"{CLIP}", "%{F4}",
       {kAltPrintScreen, "type char %, char {, char F, char 4, char }", "pump", "sleep 1000"}},
      {"{CLIP1}", "", {kAltPrintScreen, "type char 5, char 0, char %", "pump", "sleep 1000"}},
      {"{CLR}", "", {kAltPrintScreen, "type down 0x12, down 0x2C, up 0x2C, up 0x12", "pump", "sleep 1000"}},
  };
  for (const auto& c : cases) {
    RecordingActions actions;
    actions.clipboard = c.clipboard;
    qb::PlayKeyMacro(c.macro, {"50%", "s2", "s3"}, actions);
    EXPECT_EQ(actions.log, c.log) << c.macro;
  }
}

TEST(KeyMacroRun, ReadsTheClipboardOnlyWhenAskedTo) {
  RecordingActions actions;
  qb::PlayKeyMacro("{CLIP1}{CLIP2}{CLR}x", {"a", "b", "c"}, actions);
  EXPECT_EQ(actions.clipboardReads, 0);
  qb::PlayKeyMacro("{CLIP}{CLIP}", {"a", "b", "c"}, actions);
  EXPECT_EQ(actions.clipboardReads, 1);
}

}  // namespace
