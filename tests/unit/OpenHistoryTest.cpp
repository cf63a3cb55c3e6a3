#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "accessories/open_anything/OpenHistory.h"

namespace {

using qb::OpenAnythingBox;
using qb::OpenHistory;

// One step of a walk through the history: a key and what the box shows after it ("" when the
// key leaves the text alone).
struct Step {
  char key;  // 'U' Up, 'D' Down
  const char* shows;
};

std::string Press(OpenAnythingBox& box, char key) {
  const std::optional<std::string> text = key == 'U' ? box.Up() : box.Down();
  return text.value_or("");
}

void Walk(OpenAnythingBox& box, const std::vector<Step>& steps) {
  int n = 0;
  for (const Step& step : steps) EXPECT_EQ(Press(box, step.key), step.shows) << "step " << ++n << " " << step.key;
}

TEST(OpenAnythingBox, EnterOpensTheTextAsTypedAndBlankTextsNeitherOpenNorCount) {
  const struct {
    const char* typed;
    bool opens;
  } cases[] = {
      {"notepad", true},
      {"  C:\\Program Files\\x.exe ", true},  // as typed: the blanks stay
      {"https://example.com/", true},
      {"日本語 フォルダ", true},
      {"", false},
      {"   ", false},
      {"\t \t", false},
      {"\xE3\x80\x80 \xE3\x80\x80", false},  // full-width spaces, as a Japanese input method types them
      {" x ", true},
  };
  OpenHistory history;
  OpenAnythingBox box(history);
  size_t opened = 0;
  for (const auto& c : cases) {
    const std::optional<std::string> entry = box.Enter(c.typed);
    EXPECT_EQ(entry.has_value(), c.opens) << '[' << c.typed << ']';
    if (!entry) continue;
    EXPECT_EQ(*entry, c.typed);
    ++opened;
    ASSERT_EQ(history.Count(), opened);
    EXPECT_EQ(history.At(opened - 1), c.typed) << "added at the end";
  }
}

TEST(OpenAnythingBox, UpAndDownStepFromTheOldestEntryAndStopAtBothEnds) {
  OpenHistory history;
  OpenAnythingBox box(history);
  for (const char* text : {"first", "second", "third"}) ASSERT_TRUE(box.Enter(text));
  // Enter did not move the box: it still stands at the oldest entry.
  Walk(box, {{'D', "second"}, {'D', "third"}, {'D', "third"}, {'U', "second"}, {'U', "first"}, {'U', "first"}});
  // A later entry does not move it either; Down reaches the new one.
  ASSERT_TRUE(box.Enter("fourth"));
  Walk(box, {{'D', "second"}, {'D', "third"}, {'D', "fourth"}, {'D', "fourth"}});
}

TEST(OpenAnythingBox, WithAnEmptyHistoryUpAndDownLeaveTheTextAlone) {
  OpenHistory history;
  OpenAnythingBox box(history);
  EXPECT_FALSE(box.Up());
  EXPECT_FALSE(box.Down());
  EXPECT_FALSE(box.Enter("  "));
  EXPECT_FALSE(box.Up()) << "a blank text was not added";
  ASSERT_TRUE(box.Enter("only"));
  Walk(box, {{'U', "only"}, {'D', "only"}});
}

TEST(OpenAnythingBox, TheHistoryOutlivesABoxAndANewBoxStartsAtTheOldestEntry) {
  OpenHistory history;
  {
    OpenAnythingBox closed(history);
    for (const char* text : {"a", "b", "c"}) ASSERT_TRUE(closed.Enter(text));
    Walk(closed, {{'D', "b"}, {'D', "c"}});
  }
  OpenAnythingBox reopened(history);
  Walk(reopened, {{'U', "a"}, {'D', "b"}});
}

TEST(OpenHistory, KeepsTheNewestThousandEntriesAndBoxesFollowTheirEntry) {
  OpenHistory history;
  OpenAnythingBox atOldest(history);
  OpenAnythingBox atThird(history);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(atOldest.Enter("entry " + std::to_string(i)));
  Walk(atThird, {{'D', "entry 1"}, {'D', "entry 2"}});

  for (int i = 3; i < 1001; ++i) history.Add("entry " + std::to_string(i));
  ASSERT_EQ(history.Count(), OpenHistory::kMaxEntries);
  EXPECT_EQ(history.At(0), "entry 1") << "the oldest was dropped";
  EXPECT_EQ(history.At(999), "entry 1000");
  // The box whose entry was dropped stands at the oldest one kept; the other keeps its entry.
  Walk(atOldest, {{'U', "entry 1"}, {'D', "entry 2"}});
  Walk(atThird, {{'U', "entry 1"}});
  OpenAnythingBox fresh(history);
  Walk(fresh, {{'D', "entry 2"}});

  // Far beyond the limit the count stays and Down still stops at the newest.
  for (int i = 1001; i < 70000; ++i) history.Add("entry " + std::to_string(i));
  EXPECT_EQ(history.Count(), OpenHistory::kMaxEntries);
  EXPECT_EQ(history.At(0), "entry 69000");
  for (int i = 0; i < 1005; ++i) (void)fresh.Down();
  EXPECT_EQ(Press(fresh, 'D'), "entry 69999");
  EXPECT_EQ(Press(fresh, 'U'), "entry 69998");
}

}  // namespace
