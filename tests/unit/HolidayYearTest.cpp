// Whole years against the holidays a Japanese calendar of that year shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/Holidays.h"

namespace qb {
namespace {

struct YearCase {
  int year;
  std::vector<std::string> holidays;  // "mmdd name", in date order
};

void PrintTo(const YearCase& c, std::ostream* os) { *os << c.year; }

std::vector<std::string> HolidaysOf(int year) {
  std::vector<std::string> found;
  const std::int64_t first = DaysFromCivil(year, 1, 1);
  const std::int64_t last = DaysFromCivil(year, 12, 31);
  for (std::int64_t d = first; d <= last; ++d) {
    const CivilDate date = CivilFromDays(d);
    std::string name;
    if (CheckHoliday(HolidayDateText(date.year, date.month, date.day), name)) {
      found.push_back(HolidayDateText(date.year, date.month, date.day).substr(4) + " " + name);
    }
  }
  return found;
}

class HolidayYear : public testing::TestWithParam<YearCase> {};

TEST_P(HolidayYear, MatchesTheYearsCalendar) {
  EXPECT_EQ(HolidaysOf(GetParam().year), GetParam().holidays);
}

INSTANTIATE_TEST_SUITE_P(
    Years, HolidayYear,
    testing::Values(
        YearCase{1973,
                 {"0101 元旦", "0115 成人の日", "0211 建国記念の日", "0212 振替休日",
                  "0321 春分の日", "0429 天皇誕生日", "0430 振替休日", "0503 憲法記念日",
                  "0505 こどもの日", "0915 敬老の日", "0923 秋分の日", "0924 振替休日",
                  "1010 体育の日", "1103 文化の日", "1123 勤労感謝の日"}},
        YearCase{1989,
                 {"0101 元旦", "0102 振替休日", "0115 成人の日", "0116 振替休日",
                  "0211 建国記念の日", "0224 昭和天皇の大喪の礼", "0321 春分の日",
                  "0429 みどりの日", "0503 憲法記念日", "0504 国民の休日", "0505 こどもの日",
                  "0915 敬老の日", "0923 秋分の日", "1010 体育の日", "1103 文化の日",
                  "1123 勤労感謝の日", "1223 天皇誕生日"}},
        YearCase{2003,
                 {"0101 元旦", "0113 成人の日", "0211 建国記念の日", "0321 春分の日",
                  "0429 みどりの日", "0503 憲法記念日", "0504 国民の休日", "0505 こどもの日",
                  "0721 海の日", "0915 敬老の日", "0923 秋分の日", "1013 体育の日",
                  "1103 文化の日", "1123 勤労感謝の日", "1124 振替休日", "1223 天皇誕生日"}},
        YearCase{2008,
                 {"0101 元旦", "0114 成人の日", "0211 建国記念の日", "0320 春分の日",
                  "0429 昭和の日", "0503 憲法記念日", "0504 みどりの日", "0505 こどもの日",
                  "0506 振替休日", "0721 海の日", "0915 敬老の日", "0923 秋分の日",
                  "1013 体育の日", "1103 文化の日", "1123 勤労感謝の日", "1124 振替休日",
                  "1223 天皇誕生日"}},
        YearCase{2019,
                 {"0101 元旦", "0114 成人の日", "0211 建国記念の日", "0321 春分の日",
                  "0429 昭和の日", "0430 国民の休日", "0501 天皇の即位の日", "0502 国民の休日",
                  "0503 憲法記念日", "0504 みどりの日", "0505 こどもの日", "0506 振替休日",
                  "0715 海の日", "0811 山の日", "0812 振替休日", "0916 敬老の日",
                  "0923 秋分の日", "1014 体育の日", "1022 即位礼正殿の儀", "1103 文化の日",
                  "1104 振替休日", "1123 勤労感謝の日"}},
        YearCase{2020,
                 {"0101 元旦", "0113 成人の日", "0211 建国記念の日", "0223 天皇誕生日",
                  "0224 振替休日", "0320 春分の日", "0429 昭和の日", "0503 憲法記念日",
                  "0504 みどりの日", "0505 こどもの日", "0506 振替休日", "0723 海の日",
                  "0724 スポーツの日", "0810 山の日", "0921 敬老の日", "0922 秋分の日",
                  "1103 文化の日", "1123 勤労感謝の日"}},
        YearCase{2021,
                 {"0101 元旦", "0111 成人の日", "0211 建国記念の日", "0223 天皇誕生日",
                  "0320 春分の日", "0429 昭和の日", "0503 憲法記念日", "0504 みどりの日",
                  "0505 こどもの日", "0722 海の日", "0723 スポーツの日", "0808 山の日",
                  "0809 振替休日", "0920 敬老の日", "0923 秋分の日", "1103 文化の日",
                  "1123 勤労感謝の日"}},
        YearCase{2026,
                 {"0101 元旦", "0112 成人の日", "0211 建国記念の日", "0223 天皇誕生日",
                  "0320 春分の日", "0429 昭和の日", "0503 憲法記念日", "0504 みどりの日",
                  "0505 こどもの日", "0506 振替休日", "0720 海の日", "0811 山の日",
                  "0921 敬老の日", "0922 国民の休日", "0923 秋分の日", "1012 スポーツの日",
                  "1103 文化の日", "1123 勤労感謝の日"}}));

}  // namespace
}  // namespace qb

namespace qb {
namespace {

TEST(HolidayListing, SpansYearsInDateOrder) {
  const auto entries = ListHolidays(2018, 2019);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.front().date, (CivilDate{2018, 1, 1}));
  EXPECT_EQ(entries.front().name, "元旦");
  EXPECT_EQ(entries.back().date, (CivilDate{2019, 11, 23}));
  for (std::size_t i = 1; i < entries.size(); ++i) {
    EXPECT_LT(DaysFromCivil(entries[i - 1].date), DaysFromCivil(entries[i].date));
  }
  // 2018 ends with 天皇誕生日 and its substitute.
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [](const HolidayEntry& e) { return e.date.year == 2019; });
  ASSERT_NE(it, entries.begin());
  EXPECT_EQ(std::prev(it)->date, (CivilDate{2018, 12, 24}));
  EXPECT_EQ(std::prev(it)->name, "振替休日");
}

TEST(HolidayListing, EmptyOrClampedRanges) {
  EXPECT_TRUE(ListHolidays(2020, 2019).empty());
  EXPECT_TRUE(ListHolidays(10000, 20000).empty());
  EXPECT_TRUE(ListHolidays(-5, 99).empty());
  EXPECT_EQ(ListHolidays(9999, 12000).size(), ListHolidays(9999, 9999).size());
}

}  // namespace
}  // namespace qb
