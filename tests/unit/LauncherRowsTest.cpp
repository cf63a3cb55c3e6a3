#include <gtest/gtest.h>

#include <vector>

#include "accessories/launcher/LauncherRows.h"

namespace {

using qb::LauncherRows;
using Choice = LauncherRows::Choice;

int Highlighted(const LauncherRows& rows) {
  int count = 0, which = -1;
  for (int row = 0; row < LauncherRows::kRowCount; ++row) {
    if (rows.Highlighted(row)) ++count, which = row;
  }
  return count == 1 ? which : -2;  // exactly one row is ever highlighted
}

TEST(LauncherRows, OpensOnRowZeroAndTheArrowsGoRoundAllSixteenRows) {
  const struct {
    std::vector<int> keys;
    int current;
  } cases[] = {
      {{}, 0},
      {{LauncherRows::kDownKey}, 1},
      {{LauncherRows::kUpKey}, 15},  // up from the first row: the last
      {{LauncherRows::kUpKey, LauncherRows::kUpKey}, 14},
      {std::vector<int>(15, LauncherRows::kDownKey), 15},
      {std::vector<int>(16, LauncherRows::kDownKey), 0},  // down from the last row: the first
      {std::vector<int>(33, LauncherRows::kDownKey), 1},
      {{LauncherRows::kUpKey, LauncherRows::kDownKey}, 0},
      // Other keys change nothing: letters, Tab, Home, Page Down, F11, Left, Right.
      {{'A', 9, 36, 34, 0x7A, 37, 39, LauncherRows::kDownKey}, 1},
  };
  for (const auto& c : cases) {
    LauncherRows rows;
    for (int key : c.keys) EXPECT_EQ(rows.KeyDown(key), Choice{}) << key;
    EXPECT_EQ(rows.Current(), c.current) << c.keys.size() << " keys";
    EXPECT_EQ(Highlighted(rows), c.current);
  }
}

TEST(LauncherRows, EnterStartsTheCurrentRowAndEscapeOnlyEnds) {
  LauncherRows rows;
  EXPECT_EQ(rows.KeyDown(LauncherRows::kEnterKey), (Choice{true, 0}));
  EXPECT_EQ(rows.KeyDown(LauncherRows::kUpKey), Choice{});
  EXPECT_EQ(rows.KeyDown(LauncherRows::kEnterKey), (Choice{true, 15}));
  EXPECT_EQ(rows.KeyDown(LauncherRows::kEscapeKey), (Choice{true, std::nullopt}));
  // The row a hovered name made current is the one Enter starts.
  rows.Hover(6);
  EXPECT_EQ(rows.KeyDown(LauncherRows::kEnterKey), (Choice{true, 6}));
}

TEST(LauncherRows, HoverMakesTheRowCurrentAndIgnoresRowsThatDoNotExist) {
  LauncherRows rows;
  rows.Hover(9);
  EXPECT_EQ(Highlighted(rows), 9);
  for (int outside : {-1, 16, 1000}) {
    rows.Hover(outside);
    EXPECT_EQ(rows.Current(), 9) << outside;
  }
  rows.Hover(0);
  EXPECT_EQ(Highlighted(rows), 0);
}

TEST(LauncherRows, ALeftReleaseStartsTheRowUnderThePointerAndEveryOtherReleaseOnlyEnds) {
  using Button = LauncherRows::Button;
  const struct {
    int row;
    Button button;
    Choice choice;
    int current;  // afterwards
  } cases[] = {
      // The keys moved the highlight to row 2 while the pointer rested on row 4: the release
      // starts the row the user let go on.
      {4, Button::Left, {true, 4}, 4},
      {4, Button::Right, {true, std::nullopt}, 2},
      {4, Button::Middle, {true, std::nullopt}, 2},
      {4, Button::Other, {true, std::nullopt}, 2},
      {-1, Button::Left, {true, 2}, 2},  // no such row: the current one
  };
  for (const auto& c : cases) {
    LauncherRows rows;
    (void)rows.KeyDown(LauncherRows::kDownKey);
    (void)rows.KeyDown(LauncherRows::kDownKey);
    EXPECT_EQ(rows.ButtonUp(c.row, c.button), c.choice) << c.row;
    EXPECT_EQ(rows.Current(), c.current) << c.row;
  }
}

TEST(LauncherRows, ANameKeepsItsFirstColourUntilItsRowIsFirstHighlighted) {
  LauncherRows rows;
  EXPECT_TRUE(rows.EverHighlighted(0));
  for (int row = 1; row < LauncherRows::kRowCount; ++row) EXPECT_FALSE(rows.EverHighlighted(row)) << row;
  (void)rows.KeyDown(LauncherRows::kUpKey);
  rows.Hover(3);
  (void)rows.KeyDown(LauncherRows::kDownKey);
  for (int row = 0; row < LauncherRows::kRowCount; ++row)
    EXPECT_EQ(rows.EverHighlighted(row), row == 0 || row == 15 || row == 3 || row == 4) << row;
  EXPECT_FALSE(rows.EverHighlighted(-1));
  EXPECT_FALSE(rows.EverHighlighted(16));
}

}  // namespace
