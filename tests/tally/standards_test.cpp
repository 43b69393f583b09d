#include <gtest/gtest.h>

#include <map>
#include <string>

#include "rules/hoursreport.h"
#include "session/windows/frmmain/tally.h"
#include "session/windows/frmstdhours/reportwindow.h"
#include "session/windows/frmstdhours/standards.h"
#include "support/fake_platform.h"
#include "support/years.h"

namespace tly {
namespace {

using test::addTimetable;

TEST(StandardHours, EveryGradeSumsToItsPublishedTotal) {
  for (SchoolKind k : {SchoolKind::Elementary, SchoolKind::Junior}) {
    for (int g = 1; g <= schoolGradeCount(k); ++g) {
      int sum = 0;
      for (const auto& s : standardSubjects(k)) sum += s.hours[g - 1];
      EXPECT_EQ(sum, standardTotal(k, g)) << schoolKindName(k) << g;
      EXPECT_EQ(standardTotalInForce(k, g, Targets{}), standardTotal(k, g));
    }
  }
  EXPECT_EQ(standardTotal(SchoolKind::Elementary, 1), 850);
  EXPECT_EQ(standardTotal(SchoolKind::Elementary, 3), 980);
  EXPECT_EQ(standardTotal(SchoolKind::Junior, 4), 0);
  EXPECT_EQ(schoolKindForGrades(6), SchoolKind::Elementary);
  EXPECT_EQ(schoolKindForGrades(3), SchoolKind::Junior);
  EXPECT_FALSE(schoolKindForGrades(4));
}

TEST(StandardHours, ShortNamesMatchBySchoolKindAndGrade) {
  const SubjectMatcher e(SchoolKind::Elementary, defaultShortNames());
  const SubjectMatcher j(SchoolKind::Junior, defaultShortNames());
  auto name = [](const SubjectMatcher& m, const char* t, int g) -> std::string {
    int i = m.match(t, g);
    return i < 0 ? "-" : standardSubjects(m.kind())[static_cast<size_t>(i)].name;
  };
  struct Case {
    const SubjectMatcher& m;
    const char* text;
    int grade;
    const char* want;
  } cases[] = {
      {e, "国", 1, "国語"},          {e, " 国語 ", 1, "国語"},       {e, "算", 2, "算数"},
      {e, "数", 2, "-"},             {j, "数", 2, "数学"},           {e, "外", 3, "外国語活動"},
      {e, "外", 5, "外国語"},        {e, "英", 4, "外国語活動"},     {e, "体", 1, "体育"},
      {j, "体", 1, "保健体育"},      {j, "体育", 2, "保健体育"},     {e, "体育", 2, "体育"},      {j, "家", 3, "技術・家庭"},     {e, "家", 1, "家庭"},
      {e, "道徳", 1, "特別の教科 道徳"}, {e, "学活", 6, "特別活動"}, {j, "図工", 1, "-"},
      {e, "こくご", 1, "-"},         {e, "", 1, "-"},                {e, "　国", 1, "-"},
  };
  for (const auto& c : cases) EXPECT_EQ(name(c.m, c.text, c.grade), c.want) << c.text << " grade " << c.grade;

  // The list is the user's: an entry added through its text form takes effect.
  auto list = shortNamesFromText("ｺｸ = 国語\r\nbroken line\n=国語\nこくご=国語\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(shortNamesFromText(shortNamesToText(list)), list);
  EXPECT_EQ(name(SubjectMatcher(SchoolKind::Elementary, list), "こくご", 1), "国語");
}

TEST(StandardHours, ClassGradeFromLeadingDigitOrAssignment) {
  const std::map<std::string, int> assigned{{"すみれ", 2}, {"ひまわり", 9}};
  EXPECT_EQ(classGrade("1-1", 6, assigned), 1);
  EXPECT_EQ(classGrade(" ３年２組", 6, assigned), 3);
  EXPECT_EQ(classGrade("7組", 6, assigned), 0);
  EXPECT_EQ(classGrade("4組", 3, assigned), 0);
  EXPECT_EQ(classGrade("すみれ ", 6, assigned), 2);
  EXPECT_EQ(classGrade("ひまわり", 6, assigned), 0);  // assignment beyond the year's grades
  EXPECT_EQ(classGrade("たんぽぽ", 6, assigned), 0);
}

TEST(StandardHours, TargetsCsvRoundTripAndBadLines) {
  Targets t;
  t.set(SchoolKind::Elementary, 1, "国語", 310);
  t.set(SchoolKind::Junior, 3, "技術・家庭", 40);
  t.set(SchoolKind::Elementary, 2, "総授業時数", 920);
  std::string err;
  auto back = Targets::fromCsv(t.toCsv(), err);
  ASSERT_TRUE(back) << err;
  EXPECT_EQ(*back, t);
  EXPECT_EQ(standardHours(SchoolKind::Elementary, 1, "国語", t), 310);
  EXPECT_EQ(standardHours(SchoolKind::Elementary, 1, "算数", t), 136);
  EXPECT_EQ(standardTotalInForce(SchoolKind::Elementary, 1, t), 854);
  EXPECT_EQ(standardTotalInForce(SchoolKind::Elementary, 2, t), 920);

  // A spreadsheet's save: BOM or CP932, LF, a quoted field.
  auto bom = Targets::fromCsv("\xEF\xBB\xBF校種,学年,教科,時数\n中学校,3,\"技術・家庭\",40\n", err);
  ASSERT_TRUE(bom) << err;
  EXPECT_EQ(bom->get(SchoolKind::Junior, 3, "技術・家庭"), 40);
  auto sjis = Targets::fromCsv("\x8f\xac\x8aw\x8dZ,1,\x8d\x91\x8c\xea,300\r\n", err);  // 小学校,1,国語,300
  ASSERT_TRUE(sjis) << err;
  EXPECT_EQ(sjis->get(SchoolKind::Elementary, 1, "国語"), 300);

  for (const char* bad : {"小学校,7,国語,1\n", "高校,1,国語,1\n", "小学校,1,,1\n", "小学校,1,国語,-3\n",
                          "小学校,1,国語\n", "中学校,1,国語,abc\n"}) {
    err.clear();
    EXPECT_FALSE(Targets::fromCsv(bad, err)) << bad;
    EXPECT_NE(err.find("1 行目"), std::string::npos) << err;
  }
}

// A small year by hand: grade 1 of a six-grade school, lessons on a few days only.
struct SmallYear {
  std::unique_ptr<App> app = std::make_unique<App>();
  SmallYear() {
    SchoolYear& y = app->Y;
    test::fillYear(y, {.nendo = 2024, .grades = 6, .periods = 6, .defaultItems = true});
    addTimetable(*app, 0, "1-1");
    auto& c = y.JW[0][1].JWCell;
    c[1][1] = "国";      // Monday 1
    c[1][2] = "国語 ";   // Monday 2: the same subject under its full name
    c[2][1] = "算";      // Tuesday 1
    c[2][2] = "こくご";  // Tuesday 2: names no subject
    c[3][1] = "道";      // Wednesday 1: never referred to
    addTimetable(*app, 0, "すみれ");
    auto& j = y.JJ[0][4];
    j[1][1] = 21, j[1][2] = 22;  // Mon 1 April
    j[2][1] = 31, j[2][2] = 32;  // Tue 2 April
    j[3][1] = -5, j[3][2] = 21, j[3][3] = -7, j[3][4] = -1;  // Wed: 道徳, 月1, 学活, 行事
    y.JJ[0][5][7][1] = 31;  // Tue 7 May
  }
};

const ReportRow* rowOf(const ClassReport& c, const std::string& s) {
  for (const auto& r : c.rows)
    if (r.subject == s) return &r;
  for (const auto& r : c.unmatched)
    if (r.subject == s) return &r;
  return nullptr;
}

TEST(HoursReport, EveryColumnOnASmallYear) {
  SmallYear s;
  ReportOptions o;
  o.held = heldRangeUntil(2024, 2024, 4, 2);
  auto rep = buildHoursReport(s.app->Y, o);
  ASSERT_EQ(rep.size(), 2u);
  EXPECT_EQ(rep[1].grade, 0);  // "すみれ" has no grade yet
  EXPECT_TRUE(rep[1].rows.empty());
  const ClassReport& c = rep[0];
  EXPECT_EQ(c.grade, 1);

  struct Want {
    const char* subject;
    int standard, planned, held;
    const char* rate;
  } wants[] = {
      {"国語", 306, 3, 2, "0.7%"},     {"算数", 136, 2, 1, "0.7%"},   {"生活", 102, 0, 0, "0.0%"},
      {"特別の教科 道徳", 34, 1, 0, "0.0%"}, {"特別活動", 34, 1, 0, "0.0%"},
  };
  for (const auto& w : wants) {
    const ReportRow* r = rowOf(c, w.subject);
    ASSERT_TRUE(r) << w.subject;
    EXPECT_EQ(r->standard, w.standard) << w.subject;
    EXPECT_EQ(r->planned, w.planned) << w.subject;
    EXPECT_EQ(r->held, w.held) << w.subject;
    EXPECT_EQ(r->remaining(), w.standard - w.held);
    EXPECT_EQ(r->surplus(), w.planned - w.standard);
    EXPECT_EQ(rateText(*r), w.rate) << w.subject;
    EXPECT_TRUE(r->shortfall());
  }
  // The grade's eight subjects in the table's order, then the texts that name none.
  ASSERT_EQ(c.rows.size(), 8u);
  EXPECT_EQ(c.rows[0].subject, "国語");
  EXPECT_EQ(c.rows[7].subject, "特別活動");
  ASSERT_EQ(c.unmatched.size(), 2u);
  EXPECT_EQ(c.unmatched[0].subject, "こくご");
  EXPECT_EQ(c.unmatched[0].planned, 1);
  EXPECT_EQ(c.unmatched[0].held, 1);
  EXPECT_EQ(c.unmatched[1].subject, "行事");  // the only item with hours and no subject
  EXPECT_EQ(c.unmatched[1].planned, 1);
  EXPECT_EQ(rateText(c.unmatched[1]), "");
  EXPECT_EQ(c.total.standard, 850);
  EXPECT_EQ(c.total.planned, 7);
  EXPECT_EQ(c.total.held, 3);

  // Targets, an assigned grade, a day before the year, one class only.
  o.targets.set(SchoolKind::Elementary, 1, "国語", 3);
  o.gradeOf["すみれ"] = 1;
  o.held = heldRangeUntil(2024, 2024, 3, 31);
  rep = buildHoursReport(s.app->Y, o);
  const ReportRow* kokugo = rowOf(rep[0], "国語");
  EXPECT_EQ(kokugo->standard, 3);
  EXPECT_EQ(kokugo->held, 0);
  EXPECT_FALSE(kokugo->shortfall());
  EXPECT_EQ(rep[0].total.standard, 547);
  EXPECT_EQ(rep[1].grade, 1);
  EXPECT_EQ(buildHoursReport(s.app->Y, o, 2).size(), 1u);

  const std::string tsv = reportToTsv(rep);
  EXPECT_NE(tsv.find("教科\t標準時数\t年間計画\t実施済み\t残り\t過不足\t消化率\n国語\t3\t3\t0\t3\t0\t0.0%\n"),
            std::string::npos)
      << tsv;
  EXPECT_NE(tsv.find("こくご\t\t1\t0\t\t\t\n"), std::string::npos) << tsv;
}

TEST(HoursReport, HeldRangeByDate) {
  EXPECT_FALSE(heldRangeUntil(2024, 2024, 3, 31));
  EXPECT_EQ(heldRangeUntil(2024, 2024, 4, 1), (TallyRange{4, 1, 4, 1}));
  EXPECT_EQ(heldRangeUntil(2024, 2025, 2, 10), (TallyRange{4, 1, 2, 10}));
  EXPECT_EQ(heldRangeUntil(2024, 2025, 4, 1), (TallyRange{4, 1, 3, 31}));
}

// Over a full year the planned hours of every class and subject are what the timetable
// tally of that class gives, summed over the texts that name the subject.
TEST(HoursReport, PlannedEqualsTheWholeYearTimetableTally) {
  auto app = test::makeYearApp(2023, 3, 6);
  SchoolYear& y = app->Y;
  const char* texts[] = {"国", "国語", "数", "理", "社", "英", "外", "保体", "音", "美", "技家", "総", "道", "学活", "自習"};
  int k = 0;
  for (int g = 1; g <= 3; ++g)
    for (int c = 1; c <= 2; ++c) {
      addTimetable(*app, 0, std::to_string(g) + "-" + std::to_string(c));
      auto& cells = y.JW[0][y.timetableCount(0)].JWCell;
      for (int w = 1; w <= 6; ++w)
        for (int p = 1; p <= 6; ++p) cells[w][p] = texts[(k++ * 7 + w) % 15];
    }
  for (int d = 1; d <= 30; d += 3) y.JJ[1][6][d][2] = -5;  // 道徳 entered as an item in grade 2
  y.JJ[2][9][4][3] = -1;                                  // 行事 in grade 3

  ReportOptions o;
  o.kind = SchoolKind::Junior;
  const auto rep = buildHoursReport(y, o);
  const SubjectMatcher m(SchoolKind::Junior, defaultShortNames());
  ASSERT_EQ(rep.size(), 6u);
  for (const auto& cr : rep) {
    app->S.CurGr = cr.grade;
    app->T.KikanSet = false;
    app->S.JWMode = JWModeKind::Class;
    app->S.JWNo = cr.number;
    CountJisuu(*app);
    DispJWJisuu(*app);
    std::map<std::string, int> want;
    auto put = [&](const std::string& text, int hours) {
      int i = m.match(text, cr.grade);
      want[i < 0 ? text : standardSubjects(SchoolKind::Junior)[static_cast<size_t>(i)].name] += hours;
    };
    for (size_t i = 0; i < app->T.KeiName.size(); ++i) put(app->T.KeiName[i], app->T.KeiSum[i]);
    for (int i = 1; i <= y.JItemCount; ++i) {
      const int h = app->T.JisuuCnt[cr.grade - 1][i + kItemSlot0][1];
      if (h) put(y.JItem[static_cast<size_t>(i - 1)], h);
    }
    std::map<std::string, int> got;
    for (const auto& r : cr.rows)
      if (r.planned) got[r.subject] = r.planned;
    for (const auto& r : cr.unmatched) got[r.subject] = r.planned;
    EXPECT_EQ(got, want) << cr.name;
    int all = cr.total.planned;
    for (const auto& r : cr.unmatched) all += r.planned;
    EXPECT_EQ(all, app->T.KeiTotal) << cr.name;
  }
}


// The report's numbers as the window, the paper and text tables write them.
TEST(HoursReport, NumberTextsByStyle) {
  ReportRow r;
  r.subject = "国語";
  r.matched = true;
  r.standard = 10;
  struct Case {
    int planned;
    SurplusStyle style;
    const char* surplus;
  } cases[] = {
      {7, SurplusStyle::Plain, "-3"},  {7, SurplusStyle::Signed, "-3"},  {7, SurplusStyle::Marked, "▲3"},
      {12, SurplusStyle::Plain, "2"},  {12, SurplusStyle::Signed, "+2"}, {12, SurplusStyle::Marked, "+2"},
      {10, SurplusStyle::Plain, "0"},  {10, SurplusStyle::Signed, "0"},  {10, SurplusStyle::Marked, "0"},
  };
  for (const Case& c : cases) {
    r.planned = c.planned;
    EXPECT_EQ(reportRowTexts(r, c.style)[4], c.surplus) << c.planned;
    EXPECT_EQ(reportRowTexts(r, c.style)[0], "10");
    EXPECT_EQ(reportRowTexts(r, c.style)[1], std::to_string(c.planned));
  }
  r.matched = false;
  r.held = 4;
  const auto unmatched = reportRowTexts(r, SurplusStyle::Signed);
  EXPECT_EQ(unmatched, (std::array<std::string, kReportNumberColumns>{"", "10", "4", "", "", ""}));
}

// An edited standard is stored as the school's target only when it is a whole number 0..9999.
TEST(HoursReport, EditedStandardIsCheckedBeforeItIsStored) {
  struct Case {
    const char* text;
    bool stored;
    int value;
  } cases[] = {{"12", true, 12}, {" 7 ", true, 7}, {"+0", true, 0}, {"9999", true, 9999},
               {"10000", false, 0}, {"-1", false, 0}, {"abc", false, 0}, {"", false, 0}, {"1 2", false, 0}};
  for (const Case& c : cases) {
    test::TestApp t;
    ReportOptions o;
    EXPECT_EQ(standardEdited(t.app, o, 2, "算数", c.text), c.stored) << c.text;
    EXPECT_EQ(t.msg.shown.size(), c.stored ? 0u : 1u) << c.text;
    const auto kept = loadReportSettings(t.app, Date{2024, 4, 1}).options.targets;
    if (c.stored) {
      EXPECT_EQ(kept.get(SchoolKind::Elementary, 2, "算数").value_or(-1), c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace tly
