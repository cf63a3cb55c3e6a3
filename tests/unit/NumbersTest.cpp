#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/Numbers.h"

namespace {

struct NumberCase {
  std::string text;
  std::optional<double> expected;
};

class ParseNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, AcceptsOnlyWholeDecimalNumbers) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(qb::ParseNumber(c.text), c.expected) << "text: [" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ParseNumberTest,
    testing::Values(NumberCase{"0", 0.0}, NumberCase{"2000", 2000.0}, NumberCase{" 2000 ", 2000.0},
                    NumberCase{"\t42\t", 42.0}, NumberCase{"1.0", 1.0}, NumberCase{"-7", -7.0}, NumberCase{"+7", 7.0},
                    NumberCase{".5", 0.5}, NumberCase{"5.", 5.0}, NumberCase{"1e3", 1000.0}, NumberCase{"1E+3", 1000.0},
                    NumberCase{"25e-1", 2.5}, NumberCase{"1e-400", 0.0},
                    // Not numbers: the default applies.
                    NumberCase{"", std::nullopt}, NumberCase{"   ", std::nullopt}, NumberCase{"abc", std::nullopt},
                    NumberCase{"12abc", std::nullopt}, NumberCase{"1 2", std::nullopt}, NumberCase{"--1", std::nullopt},
                    NumberCase{"+-1", std::nullopt}, NumberCase{".", std::nullopt}, NumberCase{"-", std::nullopt},
                    NumberCase{"1e", std::nullopt}, NumberCase{"e5", std::nullopt}, NumberCase{"0x10", std::nullopt},
                    NumberCase{"inf", std::nullopt}, NumberCase{"nan", std::nullopt}, NumberCase{"1e400", std::nullopt},
                    NumberCase{"-1e400", std::nullopt}, NumberCase{"１２", std::nullopt}, NumberCase{"1,000", std::nullopt},
                    NumberCase{std::string("1\0", 2), std::nullopt}));

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct {
    double in, out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
               {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(qb::RoundHalfEven(c.in), c.out) << c.in;
}

TEST(ParseInt32, RoundsAndChecksTheRange) {
  const struct {
    const char* text;
    std::optional<int32_t> expected;
  } cases[] = {
      {"1.0", 1},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"2147483647", INT32_MAX},
      {"2147483647.4", INT32_MAX},
      {"2147483647.5", std::nullopt},  // rounds up past the range
      {"2147483648", std::nullopt},
      {"-2147483648", INT32_MIN},
      {"-2147483649", std::nullopt},
      {"1e10", std::nullopt},
      {"x", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(qb::ParseInt32(c.text), c.expected) << c.text;
}

TEST(ParseInt16, ChecksTheSixteenBitRange) {
  EXPECT_EQ(qb::ParseInt16("32767"), std::optional<int16_t>(32767));
  EXPECT_EQ(qb::ParseInt16("-32768"), std::optional<int16_t>(-32768));
  EXPECT_EQ(qb::ParseInt16("32768"), std::nullopt);
  EXPECT_EQ(qb::ParseInt16("-32769"), std::nullopt);
  EXPECT_EQ(qb::ParseInt16(" 1.0 "), std::optional<int16_t>(1));
}

}  // namespace
