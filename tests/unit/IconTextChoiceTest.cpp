#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "desktop/IconTextChoice.h"

namespace {

constexpr uint32_t kDesktop = 0x00A56E3A;  // some desktop colour, distinct from every case below
constexpr uint32_t kNone = qb::kTransparentTextBackground;

TEST(IconTextBackground, StoredChoiceGivesTransparentOrTheStoredColour) {
  const struct {
    const char* check;
    const char* colour;
    uint32_t expected;
  } cases[] = {
      {"1", "255", kNone},            // transparent whatever colour is stored
      {"1.0", "255", kNone},          // read as a number
      {" 1 ", "255", kNone},
      {"", "255", kNone},             // not a number: the default, transparent
      {"True", "255", kNone},
      {"0", "255", 255},              // red
      {"2", "16711680", 16711680},    // any number but 1 is a solid colour
      {"-1", "0", 0},                 // black is a colour, not "none"
      {"0", "16777215", 16777215},    // the largest colour
      {"0", "-1", kNone},             // the colour value of "no colour" is transparent
      {"0", "16777216", kDesktop},    // beyond 24 bits: no colour a list view draws
      {"0", "-2", kDesktop},
      {"0", "4294967295", kDesktop},  // beyond 32 bits signed
      {"0", "red", kDesktop},
      {"0", "", kDesktop},
      {"0", "255.4", 255},            // read as a number, rounded
  };
  for (const auto& c : cases)
    EXPECT_EQ(qb::IconTextBackgroundFor(c.check, c.colour, kDesktop), c.expected) << c.check << " / " << c.colour;
}

TEST(IconTextRecord, GivesBackWhatAListHadBeforeItsFirstChangeOnce) {
  qb::IconTextRecord record;
  EXPECT_EQ(record.TakeOriginalFor(7), std::nullopt) << "nothing changed, yet something to give back";
  EXPECT_TRUE(record.NeedsOriginalOf(7));
  record.RememberOriginal(7, kNone);
  // Applying again (the tray item, the settings dialog) must not take the program's own colour for
  // the original.
  EXPECT_FALSE(record.NeedsOriginalOf(7));
  EXPECT_EQ(record.TakeOriginalFor(7), std::optional<uint32_t>(kNone));
  EXPECT_EQ(record.TakeOriginalFor(7), std::nullopt) << "given back twice";
  EXPECT_TRUE(record.NeedsOriginalOf(7));
}

TEST(IconTextRecord, ARestartedShellsNewListHasItsOwnOriginal) {
  qb::IconTextRecord record;
  record.RememberOriginal(7, 0x030201);
  EXPECT_TRUE(record.NeedsOriginalOf(9));
  // The new list, not yet changed, keeps its own background: nothing to give back to it.
  EXPECT_EQ(record.TakeOriginalFor(9), std::nullopt);
  record.RememberOriginal(9, 0x060504);
  EXPECT_EQ(record.TakeOriginalFor(7), std::nullopt);
  EXPECT_EQ(record.TakeOriginalFor(9), std::optional<uint32_t>(0x060504));
}

}  // namespace
