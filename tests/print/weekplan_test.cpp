// The weekly plan page: its cells and figures against independent counts of the command
// line's timetable tally over the same days, for weeks with a holiday, across a month's
// end and across the end of the school year; the page as printed; date handling.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "io/datafile_format.h"
#include "session/output/weekplan.h"
#include "support/recording_printer.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

const char* const kSubjects[6][6] = {
    // Monday .. Saturday, periods 1..6
    {"国語", "算数", "生活", "音楽", "体育", "学活"},   {"算数", "国語", "図画工作", "図画工作", "国語", ""},
    {"国語", "体育", "算数", "生活", "道徳", "国語"},   {"算数", "国語", "音楽", "体育", "生活", ""},
    {"国語", "算数", "国語", "生活", "学活", "体育"},   {"国語", "算数", "", "", "", ""},
};

class WeekPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewYearOptions o;
    o.nendo = 2024;
    o.grades = 6;
    o.periods = 6;
    buildNewYear(y_, o);
    test::setDefaultItems(y_);
    y_.Fs.FsJItemCount = 8;  // the file keeps its item list in its settings
    for (size_t i = 0; i < 8; ++i) y_.Fs.FsJItem[i] = kDefaultItemNames[i];
    for (int n = 1; n <= 2; ++n) {
      JWRec& c = y_.JW[0][n];
      c.JWKind = 1;
      c.JWName = n == 1 ? "1年1組" : "2年1組";
      for (int w = 0; w < 6; ++w)
        for (int p = 0; p < 6; ++p) c.JWCell[static_cast<size_t>(w + 1)][static_cast<size_t>(p + 1)] = kSubjects[w][(p + n - 1) % 6];
    }
    y_.JW[0][0].JWKind = 2;
    // An item on a lesson day, and a day's texts.
    y_.JJ[0][5][28][2] = -1;  // 行事, 28 May 2024 (Tuesday)
    y_.JJText[0][5][28][0] = "遠足";
    y_.JJText[0][5][28][1] = "雨天順延";
    path_ = dir_.file("y.DAT");
    test::writeBytes(path_, encodeDataFile(y_));
    o_.kind = SchoolKind::Elementary;
  }

  // `tly tally` for the class over from..to: every entry's and item's hours by name.
  std::map<std::string, int> tally(int cls, int grade, const std::string& from, const std::string& to) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"tally", path_, "--grade", std::to_string(grade), "--class", std::to_string(cls), "--from",
                        from, "--to", to},
                       out, err),
              0)
        << err.str();
    std::map<std::string, int> hours;
    std::istringstream in(out.str());
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> f;
      std::istringstream cells(line);
      for (std::string c; std::getline(cells, c, '\t');) f.push_back(c);
      f.resize(5);
      if (!f[1].empty() && f[2] != "0") hours[f[1]] += std::stoi(f[2]);
      if (!f[3].empty() && f[4] != "0") hours[f[3]] += std::stoi(f[4]);
    }
    return hours;
  }

  SchoolYear y_;
  ReportOptions o_;
  test::TempDir dir_;
  std::string path_;
};

TEST_F(WeekPlanTest, CellsAndFiguresEqualTheTallyOfTheSameDays) {
  struct Case {
    const char* name;
    CalendarDate monday;
    int cls, grade;
    const char* from;  // the week's days within the year, as `tly tally` takes them
    const char* to;
    int daysInYear;
  } cases[] = {
      {"昭和の日と憲法記念日の週", {2024, 4, 29}, 1, 1, "4/29", "5/4", 6},
      {"月末をまたぐ週（行事あり）", {2024, 5, 27}, 1, 1, "5/27", "6/1", 6},
      {"月末をまたぐ週（2組）", {2025, 1, 27}, 2, 2, "1/27", "2/1", 6},
      {"年度末をまたぐ週", {2025, 3, 31}, 2, 2, "3/31", "3/31", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto plan = buildWeekPlan(y_, c.cls, c.grade, c.monday, o_);
    ASSERT_TRUE(plan);
    int inYear = 0;
    std::map<std::string, int> cells;
    for (const WeekDay& d : plan->days) {
      inYear += d.inYear;
      for (const std::string& s : d.cells)
        if (!s.empty()) ++cells[s];
    }
    EXPECT_EQ(inYear, c.daysInYear);
    EXPECT_EQ(cells, tally(c.cls, c.grade, c.from, c.to));

    const auto week = tally(c.cls, c.grade, c.from, c.to), sofar = tally(c.cls, c.grade, "4/1", c.to);
    int compared = 0;
    for (const WeekRow& r : plan->rows) {
      const std::string name = r.subject == "特別の教科 道徳" ? "道徳" : r.subject == "特別活動" ? "学活" : r.subject;
      auto get = [&](const std::map<std::string, int>& m) { return m.count(name) ? m.at(name) : 0; };
      EXPECT_EQ(r.week, get(week)) << r.subject;
      EXPECT_EQ(r.sofar, get(sofar)) << r.subject;
      if (r.matched) {
        EXPECT_EQ(r.remaining(), r.standard - r.sofar);
      }
      ++compared;
    }
    EXPECT_GE(compared, 7);
    // The total is over the subjects: the item 行事 names none.
    int weekTotal = 0;
    for (const auto& [n, h] : week) weekTotal += n == "行事" ? 0 : h;
    EXPECT_EQ(plan->total.week, weekTotal);
    EXPECT_EQ(plan->total.standard, 850 + 60 * (c.grade - 1));  // 850, 910: 別表第一 の総授業時数
  }
}

TEST_F(WeekPlanTest, DaysOfTheWeekAndTheirTexts) {
  const auto plan = buildWeekPlan(y_, 1, 1, {2024, 5, 27}, o_);
  ASSERT_TRUE(plan);
  const WeekDay& tue = plan->days[1];
  EXPECT_EQ(tue.date, (CalendarDate{2024, 5, 28}));
  EXPECT_EQ(tue.events, "遠足");
  EXPECT_EQ(tue.remarks, "雨天順延");
  EXPECT_EQ(tue.cells[1], "行事");
  EXPECT_EQ(tue.cells[0], "算数");  // Tuesday period 1 of the class timetable
  EXPECT_EQ(plan->days[5].date, (CalendarDate{2024, 6, 1}));
  EXPECT_EQ(plan->week, (TallyRange{5, 27, 6, 1}));
  // Entirely outside the year: nothing.
  EXPECT_FALSE(buildWeekPlan(y_, 1, 1, {2025, 4, 7}, o_));
  EXPECT_FALSE(buildWeekPlan(y_, 3, 1, {2024, 5, 27}, o_));
  // The first week of the year starts before 1 April when 1 April is not a Monday.
  const auto first = buildWeekPlan(y_, 1, 1, {2025, 3, 24}, o_);
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->days[0].inYear);
}

TEST(WeekDates, ParsingAndWeekdays) {
  struct Case {
    const char* text;
    bool ok;
    CalendarDate monday;
  } cases[] = {
      {"2024-04-01", true, {2024, 4, 1}},  {"2024-04-07", true, {2024, 4, 1}},  {"2025-01-01", true, {2024, 12, 30}},
      {"2024-02-29", true, {2024, 2, 26}}, {"2023-02-29", false, {}},          {"2024-13-01", false, {}},
      {"2024-4-1", false, {}},             {"２０２４-04-01", false, {}},        {"", false, {}},
  };
  for (const Case& c : cases) {
    const auto d = parseIsoDate(c.text);
    EXPECT_EQ(d.has_value(), c.ok) << c.text;
    if (d) {
      EXPECT_EQ(mondayOf(*d), c.monday) << c.text;
    }
  }
  EXPECT_EQ(addDays({2025, 2, 27}, 2), (CalendarDate{2025, 3, 1}));
}

// One page per class and week; the title, each day's head, the period rows and the
// figures are on it, and nothing runs past the page.
TEST_F(WeekPlanTest, PagesOfARun) {
  App app;
  app.Y = y_;
  test::RecordingPrinter dev;
  WeekRun run;
  run.classes = weekPlanClasses(y_, o_);
  ASSERT_EQ(run.classes, (std::vector<int>{1, 2}));
  run.from = {2024, 5, 29};
  run.to = {2024, 6, 12};
  std::string why;
  PageFrame f;
  f.titleFont = FontInfo{"ＭＳ Ｐゴシック", 14};
  EXPECT_EQ(runWeekPlans(app, dev, run, o_, f, &why), 6) << why;
  EXPECT_EQ(dev.ended, 1);
  ASSERT_EQ(dev.pages.size(), 6u);
  const auto& first = dev.pages[0];
  EXPECT_EQ(first.texts[0].s, "2024年度  週案  1年1組    5月27日（月）～ 6月1日（土）");
  std::vector<std::string> texts;
  for (const auto& t : first.texts) texts.push_back(t.s);
  for (const char* s : {"5/28（火）", "遠足", "雨天順延", "行事", "今週", "累計", "標準時数", "残り", "総授業時数"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), s), texts.end()) << s;
  for (const auto& p : dev.pages)
    for (const auto& r : p.rects) {
      EXPECT_LE(r.x2, dev.width - marginTwips(10));
      EXPECT_LE(r.y2, dev.height - marginTwips(10));
    }
  // Outside the year: no page, the document dropped, a message.
  test::RecordingPrinter none;
  run.from = run.to = {2023, 5, 1};
  EXPECT_EQ(runWeekPlans(app, none, run, o_, f, &why), 0);
  EXPECT_EQ(none.aborted, 1);
  EXPECT_NE(why.find("印刷する週がありません"), std::string::npos);
}

}  // namespace
}  // namespace tly
