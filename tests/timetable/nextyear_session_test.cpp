// 次年度を作成 on the running program's state: the question before it, what the dialog
// proposes, the build replacing the open year (file name, history, status bar, views),
// and the standard-hours settings the report of the new year finds.
#include <gtest/gtest.h>

#include <memory>

#include "rules/hoursreport.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmnew/nextyear.h"
#include "session/windows/frmstdhours/standards.h"
#include "support/fake_platform.h"
#include "support/years.h"

namespace tly {
namespace {

using test::addFullTimetable;

// A built school year 2026 of six grades with class and teacher timetables, shown at
// April, opened from a file and edited once.
std::unique_ptr<test::TestApp> openYear2026() {
  auto t = std::make_unique<test::TestApp>();
  App& app = t->app;
  NewYearOptions o;
  o.nendo = 2026;
  o.grades = 6;
  o.periods = 6;
  runNewYearBuild(app, o);
  const char* subjects[] = {"国語", "算数", "理科", "社会", "体育", "音楽"};
  for (const char* name : {"1年1組", "2年1組", "6年1組"}) {
    const int n = addFullTimetable(app.Y, 0, name, "x");
    for (int w = 1; w <= 5; ++w)
      for (int p = 1; p <= 6; ++p) app.Y.JW[0][n].JWCell[size_t(w)][size_t(p)] = subjects[(w + p) % 6];
  }
  addFullTimetable(app.Y, 1, "山田", "t");
  app.F.CurFile = "/tmp/y2026.dat";
  Step s;
  s.name = "入力";
  s.lessons.push_back({0, 4, 9, 1, 61, -3});
  app.H.push(s);
  return t;
}

struct QuestionCase {
  const char* what;
  bool open, tally;
  std::vector<MsgResult> answers;
  bool proceeds;
  const char* shown;  // the message, "" for none
};
void PrintTo(const QuestionCase& c, std::ostream* os) { *os << c.what; }

class NextYearQuestion : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(NextYearQuestion, AsksBeforeReplacingAndChangesNothing) {
  const QuestionCase& c = GetParam();
  auto t = openYear2026();
  App& app = t->app;
  if (!c.open) app.Y.JJ[0][0][0][0] = 1900;
  app.V.tally = c.tally;
  t->msg.answers.assign(c.answers.begin(), c.answers.end());
  EXPECT_EQ(mnuNextYear_Click(app), c.proceeds) << c.what;
  ASSERT_EQ(t->msg.shown.size(), std::string(c.shown).empty() ? 0u : 1u) << c.what;
  if (!t->msg.shown.empty()) {
    EXPECT_EQ(t->msg.shown[0].text, c.shown);
    EXPECT_EQ(t->msg.shown[0].title, "TLY 次年度を作成");
  }
  // Until the build runs, the year, its file name and its history stay.
  EXPECT_EQ(app.F.CurFile, "/tmp/y2026.dat");
  EXPECT_TRUE(app.H.canUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, NextYearQuestion,
    ::testing::Values(QuestionCase{"OK", true, false, {MsgResult::OK}, true, "現在編集中のデータは失われます。"},
                      QuestionCase{"cancel", true, false, {MsgResult::Cancel}, false, "現在編集中のデータは失われます。"},
                      QuestionCase{"no year", false, false, {}, false, "次年度の元になる年度が開かれていません。"},
                      QuestionCase{"tally view", true, true, {}, false, ""}));

struct SaturdayCase {
  const char* stored;
  std::array<bool, 5> closed;
};
void PrintTo(const SaturdayCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }

class NextYearProposalSaturdays : public ::testing::TestWithParam<SaturdayCase> {};

TEST_P(NextYearProposalSaturdays, FollowTheLastBuild) {
  auto t = openYear2026();
  t->app.Y.Ggn = 2;  // counts the dialog's lists cannot show are brought into them
  t->app.Y.Jigen = 9;
  if (*GetParam().stored) t->settings.set("TLY", "Settings", "NextYearClosedSaturdays", GetParam().stored);
  const NextYearProposal p = nextYearProposal(t->app);
  EXPECT_EQ(p.nendo, 2027);
  EXPECT_EQ(p.grades, 3);
  EXPECT_EQ(p.periods, 7);
  EXPECT_EQ(p.closedSaturdays, GetParam().closed) << GetParam().stored;
  // What is stored reads back as it was.
  storeNextYearSaturdays(t->app, GetParam().closed);
  EXPECT_EQ(nextYearProposal(t->app).closedSaturdays, GetParam().closed);
}

INSTANTIATE_TEST_SUITE_P(Stored, NextYearProposalSaturdays,
                         ::testing::Values(SaturdayCase{"", {false, true, false, true, false}},
                                           SaturdayCase{"none", {false, false, false, false, false}},
                                           SaturdayCase{"1,3,5", {true, false, true, false, true}},
                                           SaturdayCase{"2;x", {false, true, false, true, false}}));

TEST(NextYearBuild, TheWindowFollowsTheCarriedView) {
  auto t = openYear2026();
  App& app = t->app;
  // What the window shows, not yet saved into the year's settings record.
  app.V.timetable = TimetableView::Class;
  app.W.cmbDispJW.items = {"1年1組", "2年1組", "6年1組"};
  app.W.cmbDispJW.select(1);
  app.Grid1.setColWidth(2, 1700);
  app.Grid1.Font.size = 14;
  NewYearOptions o;
  o.nendo = 2027;
  o.grades = 6;
  o.periods = 6;
  CarryChoice c;
  c.advanceGrades = true;
  EXPECT_EQ(runCarriedYearBuild(app, app.Y, o, c), (CarryCounts{3, 1}));
  EXPECT_EQ(app.Y.nendo(), 2027);
  // The class view stays on, over the moved-up list, at the position it had.
  EXPECT_EQ(app.V.timetable, TimetableView::Class);
  EXPECT_EQ(app.W.cmbDispJW.items, (std::vector<std::string>{"1年1組", "2年1組", "3年1組"}));
  EXPECT_EQ(app.W.cmbDispJW.index, 1);
  // The grid has the old widths and rows for the old font, and shows the subjects at once:
  // 9 April 2027 is a Friday; periods 1 and 2 (columns 3, 4) are 2年1組's 金1 and 金2,
  // the cells the old 1年1組 had.
  EXPECT_EQ(app.Grid1.colWidth(2), 1700);
  EXPECT_EQ(app.Grid1.Font.size, 14.0f);
  EXPECT_EQ(app.Grid1.text(9, 3), "国語");
  EXPECT_EQ(app.Grid1.text(9, 4), "算数");
}

TEST(NextYearBuild, WithoutTheSettingsTheViewIsWhatANewYearLeaves) {
  auto t = openYear2026();
  App& app = t->app;
  app.V.timetable = TimetableView::Class;
  NewYearOptions o;
  o.nendo = 2027;
  o.grades = 6;
  CarryChoice c;
  c.settings = false;
  runCarriedYearBuild(app, app.Y, o, c);
  EXPECT_EQ(app.V.timetable, TimetableView::None);
  EXPECT_EQ(app.Y.Fs.FsColWidth[0], 0);
  EXPECT_EQ(app.Y.timetableCount(0), 3);
}

// The report's standard column for every class and subject of a year.
std::vector<int> standardsOf(const SchoolYear& y, const ReportOptions& o) {
  std::vector<int> out;
  for (const ClassReport& r : buildHoursReport(y, o))
    for (const ReportRow& row : r.rows) out.push_back(row.standard);
  return out;
}

TEST(NextYearBuild, TheReportOfTheNewYearKeepsTheSchoolsTargets) {
  for (bool carried : {true, false}) {
    auto t = openYear2026();
    App& app = t->app;
    Targets targets;
    targets.set(SchoolKind::Elementary, 1, "国語", 320);
    targets.set(SchoolKind::Elementary, 2, "算数", 180);
    targets.set(SchoolKind::Elementary, 6, kTotalSubject, 1000);
    storeTargets(app, targets);
    storeShortNames(app, {{"こく", "国語"}});
    storeClassGrade(app, "ひまわり学級", 2);
    const Date day{2026, 12, 1};
    const ReportOptions before = loadReportSettings(app, day).options;
    const std::vector<int> oldStandards = standardsOf(app.Y, before);

    NewYearOptions o;
    o.nendo = 2027;
    o.grades = 6;
    CarryChoice c;
    c.standards = carried;
    runCarriedYearBuild(app, app.Y, o, c);
    const ReportOptions after = loadReportSettings(app, day).options;
    if (carried) {
      EXPECT_EQ(after.targets, targets);
      EXPECT_EQ(after.shortNames, before.shortNames);
      EXPECT_EQ(after.gradeOf, before.gradeOf);
      EXPECT_EQ(standardsOf(app.Y, after), oldStandards);
      EXPECT_EQ(standardHours(SchoolKind::Elementary, 1, "国語", after.targets), 320);
    } else {
      EXPECT_TRUE(after.targets.empty());
      EXPECT_EQ(after.shortNames, defaultShortNames());
      EXPECT_TRUE(after.gradeOf.empty());
      EXPECT_EQ(standardHours(SchoolKind::Elementary, 1, "国語", after.targets),
                standardHours(SchoolKind::Elementary, 1, "国語", Targets{}));
    }
  }
}

}  // namespace
}  // namespace tly
