// The calendar before 2007: the historical rule tables, the equinox formula and the Monday-only
// substitute holiday.
#include <gtest/gtest.h>

#include "calendar/Holidays.h"
#include "unit/HolidayTestSupport.h"

namespace qb {
namespace {

using test::ExpectDays;
using test::HolidayAt;

TEST(HolidayClassic, MondayRulesAndTheirFixedPredecessors) {
  ExpectDays({
      {"20030915", "敬老の日"},  // third Monday; the fixed 15 September ended with 2002
      {"20000110", "成人の日"},  // second Monday
      {"20000115", ""},
      {"19990115", "成人の日"},
      {"20000117", ""},  // third Monday is nothing
      {"20030721", "海の日"},
      {"20030720", ""},
      {"20021014", "体育の日"},  // second Monday of October 2002
      {"20021010", ""},
  });
}

TEST(HolidayClassic, EquinoxHolidays) {
  ExpectDays({
      {"20040320", "春分の日"},
      {"20040923", "秋分の日"},
      {"20120922", "秋分の日"},
      {"20120320", "春分の日"},
      {"20120923", ""},
      {"19000321", "春分の日"},
      {"19000923", "秋分の日"},
      // Before 1980 the quarter must be floored, not truncated: these are the days.
      {"19750321", "春分の日"},
      {"19750320", ""},
      {"19750924", "秋分の日"},
      {"19750923", ""},
      {"19790321", "春分の日"},
      {"19790320", ""},
      {"19790924", "秋分の日"},
      {"19600320", "春分の日"},
  });
}

TEST(HolidayClassic, EquinoxFormulaRoundsTowardNegativeInfinity) {
  struct Case { int year, vernal, autumnal; };
  // Worked by hand from floor((Y-1980)*0.242194 + c - floor((Y-1980)/4)).
  const Case cases[] = {
      {1900, 21, 23}, {1960, 20, 23}, {1975, 21, 24}, {1977, 21, 23}, {1979, 21, 24},
      {1980, 20, 23}, {2004, 20, 23}, {2012, 20, 22}, {2020, 20, 22}, {2026, 20, 23},
      {1878, 22, 24}, {1877, 21, 24}, {2099, 20, 23},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VernalEquinoxDay(c.year), c.vernal) << c.year;
    EXPECT_EQ(AutumnalEquinoxDay(c.year), c.autumnal) << c.year;
  }
}

TEST(HolidayClassic, CitizensHolidayInSeptember) {
  ExpectDays({
      {"20090922", "国民の休日"},  // Tuesday between 21 (third Monday) and 23 (equinox)
      {"20090921", "敬老の日"},
      {"20090923", "秋分の日"},
  });
}

TEST(HolidayClassic, FourthOfMayEveryWeekdayFrom1985) {
  ExpectDays({
      {"19850504", "国民の休日"},  // a Saturday
      {"19860504", "国民の休日"},  // a Sunday
      {"20030504", "国民の休日"},  // a Sunday
      {"20060504", "国民の休日"},
      {"19840504", ""},
      // A Monday that is a holiday of its own keeps its name after a Sunday holiday.
      {"19980504", "国民の休日"},
      {"19980505", "こどもの日"},
      {"19980506", ""},  // no later day is a substitute holiday before 2007
  });
}

TEST(HolidayClassic, SubstituteIsTheMondayAfterASundayHoliday) {
  ExpectDays({
      {"20060102", "振替休日"},
      {"19500116", "振替休日"},  // applies to every year, not only since the law that made it
      {"19730212", "振替休日"},
      {"19730430", "振替休日"},
      {"20021111", ""},          // Monday after a plain Sunday
      {"19650913", ""},
      {"19991011", "振替休日"},  // 体育の日 on Sunday 10 October 1999
      {"20020916", "振替休日"},
      {"20020917", ""},
  });
}

TEST(HolidayClassic, NonHolidayAnswersEmptyNameNotTheSundaysName) {
  std::string name = "leftover";
  EXPECT_FALSE(CheckHoliday("20040614", name));
  EXPECT_EQ(name, "");
  // The Sunday before this Monday is checked and is no holiday.
  name = "leftover";
  EXPECT_FALSE(CheckHoliday("20021111", name));
  EXPECT_EQ(name, "");
  // A plain day right after holidays takes none of their names.
  name = "leftover";
  EXPECT_FALSE(CheckHoliday("19980506", name));
  EXPECT_EQ(name, "");
}

TEST(HolidayClassic, HistoricPeriodEdges) {
  ExpectDays({
      {"19120730", ""},
      {"19130730", "明治天皇祭"},
      {"19480101", ""},
      {"19490101", "元旦"},
      {"19870429", "天皇誕生日"},
      {"19890429", "みどりの日"},
      {"19891223", "天皇誕生日"},
      {"19660211", ""},
      {"19670211", "建国記念の日"},
      {"19270429", "天皇誕生日"},
      {"19271225", "大正天皇祭"},
      {"19271226", "振替休日"},
      {"19380103", "元始祭"},
      {"19380105", "新年宴曾"},
      {"19380403", "神武天皇祭"},
      {"19381017", "神嘗祭"},
      {"19381103", "文化の日"},
      {"19381123", "勤労感謝の日"},
      {"19380211", "建国記念の日"},
      {"19000130", "孝明天皇祭"},
      {"19000211", "建国記念の日"},
      {"19001103", "文化の日"},
      {"19200831", "天長節"},
      {"19201031", "天長節祝日"},
      {"18750917", "神嘗祭"},
  });
}

TEST(HolidayClassic, JuneHasOnlyOneHolidayEver) {
  int holidays = 0;
  for (int year = 1873; year <= 2100; ++year) {
    for (int day = 1; day <= 30; ++day) {
      std::string name;
      if (CheckHoliday(HolidayDateText(year, 6, day), name)) {
        ++holidays;
        EXPECT_EQ(HolidayDateText(year, 6, day), "19930609") << name;
      }
    }
  }
  EXPECT_EQ(holidays, 1);
}

TEST(HolidayClassic, TextThatIsNoDateLeavesNameAlone) {
  for (const char* text : {"", "2004", "2004010", "2004ab01", "20O40101", "-0040101", "2004 1 1",
                           "00000101", "00990101"}) {
    std::string name = "kept";
    EXPECT_FALSE(CheckHoliday(text, name)) << text;
    EXPECT_EQ(name, "kept") << text;
  }
}

TEST(HolidayClassic, OutOfRangePartsCarryLikeCalendarArithmetic) {
  ExpectDays({
      {"20040230", ""},          // 1 March
      {"20041232", "元旦"},      // 1 January 2005
      {"19481301", "元旦"},      // January 1949
      {"20040000", ""},          // 30 November 2003
      {"20031124", "振替休日"},  // the same date written plainly
      {"20040101xyz", "元旦"},  // characters after the eighth are not looked at
      {"01000101", ""},          // the first year the engine accepts
      {"99991231", ""},          // and the last day
  });
  // The equinox days belong to the year written in the text: March 2004 reached from 2003's
  // fifteenth month keeps 2003's equinox on the 21st.
  EXPECT_EQ(HolidayAt("20031521"), "春分の日");
  EXPECT_EQ(HolidayAt("20040321"), "");
  std::string name = "kept";
  EXPECT_FALSE(CheckHoliday("99991301", name));  // runs past the last year
  EXPECT_EQ(name, "kept");
}

}  // namespace
}  // namespace qb
