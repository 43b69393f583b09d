// The holidays of the law against the published lists of national holidays, and the
// new-year build with the law's holidays against the build with the fixed table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/holidays.h"

namespace tly {
namespace {

struct PublishedYear {
  int year;
  std::vector<std::string> days;  // "MM-DD name", in date order
};

// The published lists, one per year; together they meet every rule: the 1973 start of
// substitute days, 国民の休日 before and after 2007, the fixed and the Monday-based days,
// the moved 天皇誕生日 and みどりの日, the one-off days and the Olympic moves.
const std::vector<PublishedYear> kPublished = {
    {1973, {"01-01 元日", "01-15 成人の日", "02-11 建国記念の日", "03-21 春分の日", "04-29 天皇誕生日",
            "04-30 振替休日", "05-03 憲法記念日", "05-05 こどもの日", "09-15 敬老の日", "09-23 秋分の日",
            "09-24 振替休日", "10-10 体育の日", "11-03 文化の日", "11-23 勤労感謝の日"}},
    {1988, {"01-01 元日", "01-15 成人の日", "02-11 建国記念の日", "03-20 春分の日", "03-21 振替休日",
            "04-29 天皇誕生日", "05-03 憲法記念日", "05-04 国民の休日", "05-05 こどもの日", "09-15 敬老の日",
            "09-23 秋分の日", "10-10 体育の日", "11-03 文化の日", "11-23 勤労感謝の日"}},
    {1989, {"01-01 元日", "01-02 振替休日", "01-15 成人の日", "01-16 振替休日", "02-11 建国記念の日",
            "02-24 昭和天皇の大喪の礼", "03-21 春分の日", "04-29 みどりの日", "05-03 憲法記念日",
            "05-04 国民の休日", "05-05 こどもの日", "09-15 敬老の日", "09-23 秋分の日", "10-10 体育の日",
            "11-03 文化の日", "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {1996, {"01-01 元日", "01-15 成人の日", "02-11 建国記念の日", "02-12 振替休日", "03-20 春分の日",
            "04-29 みどりの日", "05-03 憲法記念日", "05-04 国民の休日", "05-05 こどもの日", "05-06 振替休日",
            "07-20 海の日", "09-15 敬老の日", "09-16 振替休日", "09-23 秋分の日", "10-10 体育の日",
            "11-03 文化の日", "11-04 振替休日", "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {1999, {"01-01 元日", "01-15 成人の日", "02-11 建国記念の日", "03-21 春分の日", "03-22 振替休日",
            "04-29 みどりの日", "05-03 憲法記念日", "05-04 国民の休日", "05-05 こどもの日", "07-20 海の日",
            "09-15 敬老の日", "09-23 秋分の日", "10-10 体育の日", "10-11 振替休日", "11-03 文化の日",
            "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {2000, {"01-01 元日", "01-10 成人の日", "02-11 建国記念の日", "03-20 春分の日", "04-29 みどりの日",
            "05-03 憲法記念日", "05-04 国民の休日", "05-05 こどもの日", "07-20 海の日", "09-15 敬老の日",
            "09-23 秋分の日", "10-09 体育の日", "11-03 文化の日", "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {2003, {"01-01 元日", "01-13 成人の日", "02-11 建国記念の日", "03-21 春分の日", "04-29 みどりの日",
            "05-03 憲法記念日", "05-05 こどもの日", "07-21 海の日", "09-15 敬老の日", "09-23 秋分の日",
            "10-13 体育の日", "11-03 文化の日", "11-23 勤労感謝の日", "11-24 振替休日", "12-23 天皇誕生日"}},
    {2006, {"01-01 元日", "01-02 振替休日", "01-09 成人の日", "02-11 建国記念の日", "03-21 春分の日",
            "04-29 みどりの日", "05-03 憲法記念日", "05-04 国民の休日", "05-05 こどもの日", "07-17 海の日",
            "09-18 敬老の日", "09-23 秋分の日", "10-09 体育の日", "11-03 文化の日", "11-23 勤労感謝の日",
            "12-23 天皇誕生日"}},
    {2007, {"01-01 元日", "01-08 成人の日", "02-11 建国記念の日", "02-12 振替休日", "03-21 春分の日",
            "04-29 昭和の日", "04-30 振替休日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日",
            "07-16 海の日", "09-17 敬老の日", "09-23 秋分の日", "09-24 振替休日", "10-08 体育の日",
            "11-03 文化の日", "11-23 勤労感謝の日", "12-23 天皇誕生日", "12-24 振替休日"}},
    {2009, {"01-01 元日", "01-12 成人の日", "02-11 建国記念の日", "03-20 春分の日", "04-29 昭和の日",
            "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日", "05-06 振替休日", "07-20 海の日",
            "09-21 敬老の日", "09-22 国民の休日", "09-23 秋分の日", "10-12 体育の日", "11-03 文化の日",
            "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {2015, {"01-01 元日", "01-12 成人の日", "02-11 建国記念の日", "03-21 春分の日", "04-29 昭和の日",
            "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日", "05-06 振替休日", "07-20 海の日",
            "09-21 敬老の日", "09-22 国民の休日", "09-23 秋分の日", "10-12 体育の日", "11-03 文化の日",
            "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {2016, {"01-01 元日", "01-11 成人の日", "02-11 建国記念の日", "03-20 春分の日", "03-21 振替休日",
            "04-29 昭和の日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日", "07-18 海の日",
            "08-11 山の日", "09-19 敬老の日", "09-22 秋分の日", "10-10 体育の日", "11-03 文化の日",
            "11-23 勤労感謝の日", "12-23 天皇誕生日"}},
    {2019, {"01-01 元日", "01-14 成人の日", "02-11 建国記念の日", "03-21 春分の日", "04-29 昭和の日",
            "04-30 国民の休日", "05-01 即位の日", "05-02 国民の休日", "05-03 憲法記念日", "05-04 みどりの日",
            "05-05 こどもの日", "05-06 振替休日", "07-15 海の日", "08-11 山の日", "08-12 振替休日",
            "09-16 敬老の日", "09-23 秋分の日", "10-14 体育の日", "10-22 即位礼正殿の儀", "11-03 文化の日",
            "11-04 振替休日", "11-23 勤労感謝の日"}},
    {2020, {"01-01 元日", "01-13 成人の日", "02-11 建国記念の日", "02-23 天皇誕生日", "02-24 振替休日",
            "03-20 春分の日", "04-29 昭和の日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日",
            "05-06 振替休日", "07-23 海の日", "07-24 スポーツの日", "08-10 山の日", "09-21 敬老の日",
            "09-22 秋分の日", "11-03 文化の日", "11-23 勤労感謝の日"}},
    {2021, {"01-01 元日", "01-11 成人の日", "02-11 建国記念の日", "02-23 天皇誕生日", "03-20 春分の日",
            "04-29 昭和の日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日", "07-22 海の日",
            "07-23 スポーツの日", "08-08 山の日", "08-09 振替休日", "09-20 敬老の日", "09-23 秋分の日",
            "11-03 文化の日", "11-23 勤労感謝の日"}},
    {2026, {"01-01 元日", "01-12 成人の日", "02-11 建国記念の日", "02-23 天皇誕生日", "03-20 春分の日",
            "04-29 昭和の日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日", "05-06 振替休日",
            "07-20 海の日", "08-11 山の日", "09-21 敬老の日", "09-22 国民の休日", "09-23 秋分の日",
            "10-12 スポーツの日", "11-03 文化の日", "11-23 勤労感謝の日"}},
    {2027, {"01-01 元日", "01-11 成人の日", "02-11 建国記念の日", "02-23 天皇誕生日", "03-21 春分の日",
            "03-22 振替休日", "04-29 昭和の日", "05-03 憲法記念日", "05-04 みどりの日", "05-05 こどもの日",
            "07-19 海の日", "08-11 山の日", "09-20 敬老の日", "09-23 秋分の日", "10-11 スポーツの日",
            "11-03 文化の日", "11-23 勤労感謝の日"}},
};

std::string line(const DatedHoliday& h) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d-%02d", h.month, h.day);
  return std::string(buf) + " " + h.name;
}

// One case per published year, so that a failure names the year.
class PublishedList : public ::testing::TestWithParam<PublishedYear> {};

TEST_P(PublishedList, LawGivesTheSameDaysAndNames) {
  const PublishedYear& p = GetParam();
  std::vector<std::string> got;
  for (const DatedHoliday& h : lawHolidaysOfYear(p.year)) {
    EXPECT_EQ(h.year, p.year);
    got.push_back(line(h));
  }
  EXPECT_EQ(got, p.days);
}

INSTANTIATE_TEST_SUITE_P(LawHolidays, PublishedList, ::testing::ValuesIn(kPublished),
                         [](const auto& info) { return "Y" + std::to_string(info.param.year); });

// Day of the vernal equinox in March and of the autumnal in September, 2000..2050, as
// the almanac publishes them.
const int kVernal[] = {20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 21, 21, 20, 20, 21, 21, 20,
                       20, 21, 21, 20, 20, 21, 21, 20, 20, 20, 21, 20, 20, 20, 21, 20, 20,
                       20, 21, 20, 20, 20, 21, 20, 20, 20, 21, 20, 20, 20, 21, 20, 20, 20};
const int kAutumnal[] = {23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 22, 23, 23, 23, 22,
                         23, 23, 23, 22, 23, 23, 23, 22, 23, 23, 23, 22, 23, 23, 23, 22, 23,
                         23, 23, 22, 23, 23, 23, 22, 23, 23, 23, 22, 22, 23, 23, 22, 22, 23};
static_assert(std::size(kVernal) == 51 && std::size(kAutumnal) == 51);

TEST(LawHolidays, Equinoxes2000To2050) {
  for (int y = 2000; y <= 2050; ++y) {
    EXPECT_EQ(vernalEquinoxDay(y), kVernal[y - 2000]) << y;
    EXPECT_EQ(autumnalEquinoxDay(y), kAutumnal[y - 2000]) << y;
  }
  // Before 1980 the constants of 1900..1979 (1979's autumnal equinox fell on the 24th);
  // outside 1900..2150 there is none.
  struct Edge {
    int year, vernal, autumnal;
  } edges[] = {{1949, 21, 23}, {1979, 21, 24}, {1899, 0, 0}, {2151, 0, 0}};
  for (const Edge& e : edges) {
    EXPECT_EQ(vernalEquinoxDay(e.year), e.vernal) << e.year;
    EXPECT_EQ(autumnalEquinoxDay(e.year), e.autumnal) << e.year;
  }
}

TEST(LawHolidays, SchoolYearRange) {
  // April .. March, in date order, only for school years 1949..2098.
  auto sy = lawHolidaysOfSchoolYear(2026);
  ASSERT_FALSE(sy.empty());
  EXPECT_EQ(line(sy.front()), "04-29 昭和の日");
  EXPECT_EQ(sy.front().year, 2026);
  EXPECT_EQ(line(sy.back()), "03-22 振替休日");
  EXPECT_EQ(sy.back().year, 2027);
  EXPECT_EQ(sy.size(), 19u);
  EXPECT_TRUE(std::is_sorted(sy.begin(), sy.end(), [](const DatedHoliday& a, const DatedHoliday& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
  }));
  for (auto [nendo, listed] : {std::pair{1948, false}, {1949, true}, {2098, true}, {2099, false}})
    EXPECT_EQ(!lawHolidaysOfSchoolYear(nendo).empty(), listed) << nendo;
  EXPECT_EQ(holidayLabel(sy.front()), " 4 29 昭和の日");
}

std::unique_ptr<SchoolYear> built(int nendo, HolidaySource src, int grades, int periods) {
  auto y = std::make_unique<SchoolYear>();
  NewYearOptions o;
  o.nendo = nendo;
  o.grades = grades;
  o.periods = periods;
  o.closedSaturdays = {true, false, true, false, true};
  o.holidays = src;
  buildNewYear(*y, o);
  return y;
}

// The law's holidays are free in every period of every grade and carry their names; a day
// that neither list names is exactly as the table build makes it; a day only the table
// names keeps the default lessons.
TEST(LawHolidays, BuildMarksTheLawsDaysAndNothingElse) {
  for (auto [nendo, grades, periods] : {std::tuple{1972, 3, 6}, {1999, 6, 7}, {2019, 4, 5}, {2026, 3, 6}}) {
    auto law = built(nendo, HolidaySource::Law, grades, periods);
    auto table = built(nendo, HolidaySource::Table, grades, periods);
    std::map<std::pair<int, int>, std::string> lawDays, tableDays;
    for (const auto& h : lawHolidaysOfSchoolYear(nendo)) lawDays[{h.month, h.day}] = h.name;
    for (const auto& h : tableHolidaysOfSchoolYear(nendo)) tableDays[{h.month, h.day}] = h.name;
    int checked = 0;
    for (int m = 1; m <= 12; ++m) {
      ASSERT_EQ(law->JJ[0][m][0][0], table->JJ[0][m][0][0]);
      for (int d = 1; d <= law->JJ[0][m][0][0]; ++d) {
        const bool inLaw = lawDays.count({m, d}) != 0, inTable = tableDays.count({m, d}) != 0;
        for (int g = 0; g < grades; ++g) {
          if (inLaw) {
            for (int p = 1; p <= periods; ++p) EXPECT_EQ(law->JJ[g][m][d][p], 0) << nendo << " " << m << "/" << d;
            EXPECT_EQ(law->JJText[g][m][d][0], (lawDays.at({m, d})));
          } else if (!inTable) {
            for (int p = 0; p < kPeriodSlots; ++p) EXPECT_EQ(law->JJ[g][m][d][p], table->JJ[g][m][d][p]);
            for (int k = 0; k < kTextKinds; ++k) EXPECT_EQ(law->JJText[g][m][d][k], table->JJText[g][m][d][k]);
            ++checked;
          } else {
            EXPECT_EQ(law->JJText[g][m][d][0], "") << nendo << " " << m << "/" << d;
          }
        }
      }
    }
    EXPECT_GT(checked, 300 * grades);
    EXPECT_EQ(law->nendo(), nendo);
  }
  // 15 September 2026, a Tuesday, is 敬老の日 only in the table: it keeps its lessons.
  auto law = built(2026, HolidaySource::Law, 3, 6);
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(law->JJ[0][9][15][p], 30 + p);
  // Outside 1949..2098 the law's option builds with the table.
  auto early = built(1948, HolidaySource::Law, 3, 6), earlyTable = built(1948, HolidaySource::Table, 3, 6);
  EXPECT_EQ(early->JJText[0][9][15][0], "敬老の日");
  EXPECT_EQ(earlyTable->JJText[0][9][15][0], "敬老の日");
}

// The table's list is what the table build writes: 1998's 3 May on a Sunday ends with
// 国民の休日 on the 4th, 1999's 10 October with 振替休日 on the 11th.
TEST(TableHolidays, ListMatchesTheBuild) {
  for (int nendo : {1998, 1999, 2024}) {
    auto y = built(nendo, HolidaySource::Table, 3, 6);
    std::map<std::pair<int, int>, std::string> listed;
    for (const auto& h : tableHolidaysOfSchoolYear(nendo)) listed[{h.month, h.day}] = h.name;
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= y->JJ[0][m][0][0]; ++d) {
        auto it = listed.find({m, d});
        EXPECT_EQ(y->JJText[0][m][d][0], it == listed.end() ? "" : it->second) << nendo << " " << m << "/" << d;
      }
  }
  std::map<std::pair<int, int>, std::string> y1998;
  for (const auto& h : tableHolidaysOfSchoolYear(1998)) y1998[{h.month, h.day}] = h.name;
  EXPECT_EQ((y1998[{5, 4}]), "国民の休日");
  EXPECT_EQ(tableHolidaysOfSchoolYear(1999).size(), 15u);
}

}  // namespace
}  // namespace tly
