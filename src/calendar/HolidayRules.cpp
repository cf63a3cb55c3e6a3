// The month rules: which days are national holidays of their own, and from when to when.
// Validity ranges are half-open: the start date is included, the end date is not.
#include "calendar/Holidays.h"

namespace qb {
namespace {

// Law switch dates (Meiji 6/10/14 and onward, as Gregorian dates).
constexpr std::int64_t kM6_10_14 = DaysFromCivil(1873, 10, 14);  // first festival days
constexpr std::int64_t kM11_6_5 = DaysFromCivil(1878, 6, 5);     // equinox days
constexpr std::int64_t kM12_7_5 = DaysFromCivil(1879, 7, 5);     // 神嘗祭 moves to October
constexpr std::int64_t kT1_9_3 = DaysFromCivil(1912, 9, 3);      // Taisho festivals
constexpr std::int64_t kT2_7_16 = DaysFromCivil(1913, 7, 16);    // 天長節祝日
constexpr std::int64_t kS2_3_3 = DaysFromCivil(1927, 3, 3);      // Showa festivals
constexpr std::int64_t kS23_7_20 = DaysFromCivil(1948, 7, 20);   // postwar holiday law
constexpr std::int64_t kS41_6_25 = DaysFromCivil(1966, 6, 25);   // 建国記念の日, 敬老の日, 体育の日
constexpr std::int64_t kS60_2_27 = DaysFromCivil(1985, 2, 27);   // 4 May
constexpr std::int64_t kH1_2_17 = DaysFromCivil(1989, 2, 17);    // 天皇誕生日 moves, みどりの日
constexpr std::int64_t kH8_1_1 = DaysFromCivil(1996, 1, 1);      // 海の日
constexpr std::int64_t kH15_1_1 = DaysFromCivil(2003, 1, 1);     // 海の日, 敬老の日 on Mondays
// Later amendments.
constexpr std::int64_t k2007 = DaysFromCivil(2007, 1, 1);  // 昭和の日, みどりの日 on 4 May
constexpr std::int64_t k2016 = DaysFromCivil(2016, 1, 1);  // 山の日
constexpr std::int64_t k2019 = DaysFromCivil(2019, 1, 1);  // last 天皇誕生日 on 23 December was 2018
constexpr std::int64_t k2020 = DaysFromCivil(2020, 1, 1);  // 天皇誕生日 on 23 February, スポーツの日

bool From(const HolidayDay& d, std::int64_t start) { return d.serial >= start; }
bool Between(const HolidayDay& d, std::int64_t start, std::int64_t end) {
  return d.serial >= start && d.serial < end;
}
bool On(const HolidayDay& d, int year, int month, int day) {
  return d.date == CivilDate{year, month, day};
}

// The n-th Monday of a month is a Monday on day 7(n-1)+1 to 7n.
bool IsNthMonday(const HolidayDay& d, int n) {
  return d.weekday == Weekday::Monday && (d.date.day - 1) / 7 + 1 == n;
}

// The years in which the Olympic Games moved 海の日, スポーツの日 and 山の日 to other days.
bool IsOlympicMoveYear(int year) { return year == 2020 || year == 2021; }

bool Store(std::string& name, const char* value) {
  name = value;
  return true;
}

}  // namespace

bool HolidayRuleJanuary(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 1:
      if (From(d, kS23_7_20)) return Store(name, "元旦");
      break;
    case 3:
      if (Between(d, kM6_10_14, kS23_7_20)) return Store(name, "元始祭");
      break;
    case 5:
      if (Between(d, kM6_10_14, kS23_7_20)) return Store(name, "新年宴曾");
      break;
    case 15:
      if (Between(d, kS23_7_20, DaysFromCivil(2000, 1, 1))) return Store(name, "成人の日");
      break;
    case 30:
      if (Between(d, kM6_10_14, kT1_9_3)) return Store(name, "孝明天皇祭");
      break;
  }
  if (d.date.year >= 2000 && IsNthMonday(d, 2)) return Store(name, "成人の日");
  return false;
}

bool HolidayRuleFebruary(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 11:
      if (Between(d, kM6_10_14, kS23_7_20) || From(d, kS41_6_25)) return Store(name, "建国記念の日");
      break;
    case 23:
      if (From(d, k2020)) return Store(name, "天皇誕生日");
      break;
    case 24:
      if (On(d, 1989, 2, 24)) return Store(name, "昭和天皇の大喪の礼");
      break;
  }
  return false;
}

bool HolidayRuleMarch(const HolidayDay& d, std::string& name) {
  if (d.date.day == d.vernalEquinoxDay && From(d, kM11_6_5)) return Store(name, "春分の日");
  return false;
}

bool HolidayRuleApril(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 3:
      if (Between(d, kM6_10_14, kS23_7_20)) return Store(name, "神武天皇祭");
      break;
    case 10:
      if (On(d, 1959, 4, 10)) return Store(name, "皇太子明仁親王の結婚の儀");
      break;
    case 29:
      if (Between(d, kS2_3_3, kH1_2_17)) return Store(name, "天皇誕生日");
      if (Between(d, kH1_2_17, k2007)) return Store(name, "みどりの日");
      if (From(d, k2007)) return Store(name, "昭和の日");
      break;
  }
  return false;
}

bool HolidayRuleMay(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 1:
      if (On(d, 2019, 5, 1)) return Store(name, "天皇の即位の日");
      break;
    case 3:
      if (From(d, kS23_7_20)) return Store(name, "憲法記念日");
      break;
    case 4:
      // Until 2006 a day off between two holidays on every weekday, Sunday included, with no
      // look at its neighbours; since 2007 a national holiday of its own.
      if (Between(d, kS60_2_27, k2007)) return Store(name, "国民の休日");
      if (From(d, k2007)) return Store(name, "みどりの日");
      break;
    case 5:
      if (From(d, kS23_7_20)) return Store(name, "こどもの日");
      break;
  }
  return false;
}

bool HolidayRuleJune(const HolidayDay& d, std::string& name) {
  if (On(d, 1993, 6, 9)) return Store(name, "皇太子徳仁親王の結婚の儀");
  return false;
}

bool HolidayRuleJuly(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 20:
      if (Between(d, kH8_1_1, kH15_1_1)) return Store(name, "海の日");
      break;
    case 22:
      if (On(d, 2021, 7, 22)) return Store(name, "海の日");
      break;
    case 23:
      if (On(d, 2020, 7, 23)) return Store(name, "海の日");
      if (On(d, 2021, 7, 23)) return Store(name, "スポーツの日");
      break;
    case 24:
      if (On(d, 2020, 7, 24)) return Store(name, "スポーツの日");
      break;
    case 30:
      if (Between(d, kT1_9_3, kS2_3_3)) return Store(name, "明治天皇祭");
      break;
  }
  if (d.date.year >= 2003 && !IsOlympicMoveYear(d.date.year) && IsNthMonday(d, 3)) {
    return Store(name, "海の日");
  }
  return false;
}

bool HolidayRuleAugust(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 8:
      if (On(d, 2021, 8, 8)) return Store(name, "山の日");
      break;
    case 10:
      if (On(d, 2020, 8, 10)) return Store(name, "山の日");
      break;
    case 11:
      if (From(d, k2016) && !IsOlympicMoveYear(d.date.year)) return Store(name, "山の日");
      break;
    case 31:
      if (Between(d, kT1_9_3, kS2_3_3)) return Store(name, "天長節");
      break;
  }
  return false;
}

bool HolidayRuleSeptember(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 15:
      if (Between(d, kS41_6_25, kH15_1_1)) return Store(name, "敬老の日");
      break;
    case 17:
      if (Between(d, kM6_10_14, kM12_7_5)) return Store(name, "神嘗祭");
      break;
  }
  // Tried after the fixed days: in far-off centuries the formula reaches the 15th or 17th.
  if (d.date.day == d.autumnalEquinoxDay && From(d, kM11_6_5)) return Store(name, "秋分の日");
  if (d.date.year >= 2003 && IsNthMonday(d, 3)) return Store(name, "敬老の日");
  // The Tuesday between the third Monday and the equinox. From 2007 the driver's general
  // citizens' holiday covers it.
  if (d.date.year >= 2003 && d.serial < k2007 && d.weekday == Weekday::Tuesday) {
    const CivilDate before = CivilFromDays(d.serial - 1);
    const CivilDate after = CivilFromDays(d.serial + 1);
    if ((before.day - 1) / 7 + 1 == 3 && after.day == d.autumnalEquinoxDay) {
      return Store(name, "国民の休日");
    }
  }
  return false;
}

bool HolidayRuleOctober(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 10:
      if (Between(d, kS41_6_25, DaysFromCivil(2000, 1, 1))) return Store(name, "体育の日");
      break;
    case 17:
      if (Between(d, kM12_7_5, kS23_7_20)) return Store(name, "神嘗祭");
      break;
    case 22:
      if (On(d, 2019, 10, 22)) return Store(name, "即位礼正殿の儀");
      break;
    case 31:
      if (Between(d, kT2_7_16, kS2_3_3)) return Store(name, "天長節祝日");
      break;
  }
  if (IsNthMonday(d, 2)) {
    const int year = d.date.year;
    if (year >= 2000 && d.serial < k2020) return Store(name, "体育の日");
    if (d.serial >= k2020 && !IsOlympicMoveYear(year)) return Store(name, "スポーツの日");
  }
  return false;
}

bool HolidayRuleNovember(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 3:
      if (Between(d, kM6_10_14, kT1_9_3) || From(d, kS2_3_3)) return Store(name, "文化の日");
      break;
    case 12:
      if (On(d, 1990, 11, 12)) return Store(name, "即位礼正殿の儀");
      break;
    case 23:
      if (From(d, kM6_10_14)) return Store(name, "勤労感謝の日");
      break;
  }
  return false;
}

bool HolidayRuleDecember(const HolidayDay& d, std::string& name) {
  switch (d.date.day) {
    case 23:
      if (Between(d, kH1_2_17, k2019)) return Store(name, "天皇誕生日");
      break;
    case 25:
      if (Between(d, kS2_3_3, kS23_7_20)) return Store(name, "大正天皇祭");
      break;
  }
  return false;
}

bool DispatchHolidayRule(const HolidayDay& d, std::string& name) {
  using Rule = bool (*)(const HolidayDay&, std::string&);
  static constexpr Rule kRules[12] = {
      HolidayRuleJanuary, HolidayRuleFebruary, HolidayRuleMarch,     HolidayRuleApril,
      HolidayRuleMay,     HolidayRuleJune,     HolidayRuleJuly,      HolidayRuleAugust,
      HolidayRuleSeptember, HolidayRuleOctober, HolidayRuleNovember, HolidayRuleDecember};
  return kRules[d.date.month - 1](d, name);
}

}  // namespace qb
