#include "session/output/reportprint.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_platform.h"
#include "support/recording_printer.h"
#include "support/years.h"

namespace tly {
namespace {

using test::RecordingPrinter;

ReportRow row(const std::string& subject, int standard, int planned, int held, bool matched = true) {
  ReportRow r;
  r.subject = subject;
  r.matched = matched;
  r.standard = standard;
  r.planned = planned;
  r.held = held;
  return r;
}

ClassReport classOf(const std::string& name, int grade, int subjects) {
  ClassReport c;
  c.name = name;
  c.grade = grade;
  if (!grade) return c;
  c.rows.push_back(row("国語", 306, 300, 100));  // short by 6
  c.rows.push_back(row("算数", 175, 180, 60));
  for (int i = 2; i < subjects; ++i) c.rows.push_back(row("教科" + std::to_string(i), 35, 35, 10));
  c.total = row("総授業時数", 850, 851, 300);
  c.unmatched.push_back(row("学活X", 0, 5, 2, false));
  return c;
}

ReportOptions heldToJuly() {
  ReportOptions o;
  o.held = TallyRange{4, 1, 7, 19};
  return o;
}

const RecordingPrinter::Text* find(const RecordingPrinter::Page& p, const std::string& s) {
  for (const auto& t : p.texts)
    if (t.s == s) return &t;
  return nullptr;
}

bool startsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

// Whole school: a page set per class in one document; the heading names the year, class
// and days held; shortfalls carry the sign and bold type, the rest are plain.
TEST(ReportPrint, OneDocumentWithAHeadedPageSetPerClass) {
  test::TestApp r;
  test::makeYear(r.app, 2024, 6);
  RecordingPrinter dev;
  const std::vector<ClassReport> report{classOf("1年1組", 1, 4), classOf("特別支援", 0, 0)};
  ASSERT_EQ(runReportPrint(r.app, dev, report, heldToJuly()), PrintOutcome::Printed);
  EXPECT_EQ(dev.documents, 1);
  EXPECT_EQ(dev.ended, 1);
  ASSERT_EQ(dev.pages.size(), 2u);
  const auto& p1 = dev.pages[0];
  ASSERT_FALSE(p1.texts.empty());
  EXPECT_NE(p1.texts[0].s.find("2024 年度"), std::string::npos) << p1.texts[0].s;
  EXPECT_NE(p1.texts[0].s.find("1年1組"), std::string::npos);
  EXPECT_NE(p1.texts[1].s.find("実施済み: 4月1日～7月19日"), std::string::npos) << p1.texts[1].s;
  struct Cell {
    const char* text;
    bool bold;
  };
  for (const Cell& c : {Cell{"▲6", true}, Cell{"国語", true}, Cell{"+5", false}, Cell{"算数", false},
                        Cell{"総授業時数", true}, Cell{"+1", true}, Cell{"※学活X", false}, Cell{"消化率", true}}) {
    const auto* t = find(p1, c.text);
    ASSERT_TRUE(t) << c.text;
    EXPECT_EQ(t->font.bold, c.bold) << c.text;
  }
  // Numbers stand right in their column: "306" and "35" end at the same place.
  const auto *a = find(p1, "306"), *b = find(p1, "35");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->x + 3 * 210, b->x + 2 * 210);
  // The class without a grade: its heading and the reason, no table.
  const auto& p2 = dev.pages[1];
  EXPECT_TRUE(p2.rects.empty());
  EXPECT_NE(p2.texts[0].s.find("特別支援"), std::string::npos);
  EXPECT_TRUE(startsWith(p2.texts[1].s, "学年未設定"));
  EXPECT_TRUE(r.msg.shown.empty());
}

// A class too long for one sheet goes on over pages that repeat the column heads; every
// row is printed once and none runs below the bottom margin.
TEST(ReportPrint, LongClassRepeatsTheHeadsOnEveryPage) {
  test::TestApp r;
  test::makeYear(r.app, 2024, 6);
  r.app.Y.Fs.FsPrnBottom = 10;
  RecordingPrinter dev;
  dev.height = 6000;
  const ClassReport c = classOf("2年1組", 2, 30);
  ASSERT_EQ(runReportPrint(r.app, dev, {c}, heldToJuly()), PrintOutcome::Printed);
  ASSERT_GE(dev.pages.size(), 3u);
  int subjectRows = 0;
  for (size_t i = 0; i < dev.pages.size(); ++i) {
    const auto& p = dev.pages[i];
    EXPECT_TRUE(find(p, "教科")) << "page " << i + 1;
    EXPECT_EQ(p.texts[0].s.find("（続き）") != std::string::npos, i > 0);
    for (const auto& rc : p.rects) EXPECT_LE(rc.y2, dev.height - marginTwips(10)) << "page " << i + 1;
    for (const auto& t : p.texts) subjectRows += startsWith(t.s, "教科") && t.s != "教科";
  }
  EXPECT_EQ(subjectRows, 28);
}

TEST(ReportPrint, FailureDropsTheDocumentAndSaysWhy) {
  test::TestApp r;
  test::makeYear(r.app, 2024, 6);
  RecordingPrinter dev;
  dev.failAtPage = 2;
  EXPECT_EQ(runReportPrint(r.app, dev, {classOf("1年1組", 1, 3), classOf("1年2組", 1, 3)}, heldToJuly()),
            PrintOutcome::Failed);
  EXPECT_EQ(dev.ended, 0);
  EXPECT_EQ(dev.aborted, 1);
  ASSERT_EQ(r.msg.shown.size(), 1u);
  EXPECT_EQ(r.msg.shown[0].text, "印刷できませんでした。\rプリンタがありません");

  RecordingPrinter none;
  EXPECT_EQ(runReportPrint(r.app, none, {}, heldToJuly()), PrintOutcome::Failed);
  EXPECT_EQ(none.documents, 0);
  EXPECT_EQ(r.msg.shown.back().text, "印刷するページがありません。");
}

}  // namespace
}  // namespace tly
