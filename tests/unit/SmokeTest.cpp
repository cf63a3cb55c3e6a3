#include <gtest/gtest.h>

#include "common/Text.h"

TEST(Text, CountsCodePointsNotBytes) {
  EXPECT_EQ(qb::CountCodePoints("ﾃﾞｽｸ"), 4u);
}
