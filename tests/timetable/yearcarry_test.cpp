// The next year's build: grade digits of class names, moving classes up a grade, and the
// carried build against the plain one, field by field.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rules/yearcarry.h"
#include "support/yearcompare.h"
#include "support/years.h"

namespace tly {
namespace {

using test::addFullTimetable;

// ---------------------------------------------------------------- grade of a name

struct NameCase {
  const char* name;
  int grade;         // classNameGrade
  const char* next;  // nameWithGrade(name, grade + 1), or the name kept
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << '"' << c.name << '"'; }

class ClassNameGrade : public ::testing::TestWithParam<NameCase> {};

TEST_P(ClassNameGrade, ReadsAndReplacesTheDigit) {
  const NameCase& c = GetParam();
  EXPECT_EQ(classNameGrade(c.name), c.grade);
  EXPECT_EQ(nameWithGrade(c.name, c.grade + 1), c.next);
}

INSTANTIATE_TEST_SUITE_P(Names, ClassNameGrade,
                         ::testing::Values(NameCase{"1年1組", 1, "2年1組"},          //
                                           NameCase{"5年2組", 5, "6年2組"},          //
                                           NameCase{"１年２組", 1, "２年２組"},      // full width stays full width
                                           NameCase{"８年Ａ組", 8, "９年Ａ組"},      //
                                           NameCase{" 3年A組", 3, " 4年A組"},        // leading blank kept
                                           NameCase{"1-1", 1, "2-1"},                //
                                           NameCase{"12組", 0, "12組"},              // a class number, not grade 1
                                           NameCase{"１２組", 0, "１２組"},          //
                                           NameCase{"1２組", 0, "1２組"},            // mixed widths: still a number
                                           NameCase{"0年", 0, "0年"},                //
                                           NameCase{"０年", 0, "０年"},              //
                                           NameCase{"ひまわり学級", 0, "ひまわり学級"},  //
                                           NameCase{"Ａ組", 0, "Ａ組"},              //
                                           NameCase{"", 0, ""},                      //
                                           NameCase{"\xEF\xBC", 0, "\xEF\xBC"}));   // cut UTF-8 sequence

// ---------------------------------------------------------------- moving up a grade

JWRec rec(const std::string& name, const std::string& cell) {
  JWRec r;
  r.JWKind = 1;
  r.JWName = name;
  r.JWCell[2][1] = cell;
  return r;
}

struct AdvanceCase {
  const char* what;
  std::vector<std::string> names;  // the old list; each class's cell 月1 holds its own name
  int top;
  // name:cell of the new list; an empty cell is an empty timetable
  std::vector<std::string> expected;
};
void PrintTo(const AdvanceCase& c, std::ostream* os) { *os << c.what; }

class AdvanceClasses : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(AdvanceClasses, MovesCellsWithTheirClass) {
  const AdvanceCase& c = GetParam();
  std::vector<JWRec> old;
  for (const std::string& n : c.names) old.push_back(rec(n, n));
  std::vector<std::string> got;
  for (const JWRec& r : advanceClassTimetables(old, c.top)) {
    EXPECT_EQ(r.JWKind, 1);
    got.push_back(r.JWName + ":" + r.JWCell[2][1]);
  }
  EXPECT_EQ(got, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AdvanceClasses,
    ::testing::Values(
        AdvanceCase{"six grades of two classes",
                    {"1年1組", "1年2組", "2年1組", "2年2組", "3年1組", "3年2組", "4年1組", "4年2組", "5年1組",
                     "5年2組", "6年1組", "6年2組"},
                    6,
                    {"1年1組:", "1年2組:", "2年1組:1年1組", "2年2組:1年2組", "3年1組:2年1組", "3年2組:2年2組",
                     "4年1組:3年1組", "4年2組:3年2組", "5年1組:4年1組", "5年2組:4年2組", "6年1組:5年1組",
                     "6年2組:5年2組"}},
        AdvanceCase{"names without a grade are kept where they stand",
                    {"1年1組", "ひまわり学級", "2年1組", "3年1組", "通級"},
                    3,
                    {"1年1組:", "2年1組:1年1組", "ひまわり学級:ひまわり学級", "3年1組:2年1組", "通級:通級"}},
        AdvanceCase{"full-width junior high school",
                    {"１年Ａ組", "１年Ｂ組", "２年Ａ組", "３年Ａ組"},
                    3,
                    {"１年Ａ組:", "１年Ｂ組:", "２年Ａ組:１年Ａ組", "２年Ｂ組:１年Ｂ組", "３年Ａ組:２年Ａ組"}},
        AdvanceCase{"top grade first",
                    {"3年1組", "2年1組", "1年1組"},
                    3,
                    {"3年1組:2年1組", "1年1組:", "2年1組:1年1組"}},
        AdvanceCase{"no first grade: none is made", {"2年1組", "12組"}, 6, {"3年1組:2年1組", "12組:12組"}},
        AdvanceCase{"a grade beyond a smaller school leaves too", {"1年1組", "5年1組"}, 3, {"1年1組:", "2年1組:1年1組"}},
        AdvanceCase{"an empty list", {}, 6, {}}));

TEST(AdvanceClasses, TheFullListDropsEmptyFirstGradesBeforeCells) {
  // 150 first-grade and 50 second-grade classes in a school of three grades: the 200
  // moved ones all stay, of the 150 new empty ones none fits.
  std::vector<JWRec> old;
  for (int i = 0; i < 150; ++i) old.push_back(rec("1年" + std::to_string(i) + "組", "x"));
  for (int i = 0; i < 50; ++i) old.push_back(rec("2年" + std::to_string(i) + "組", "y"));
  std::vector<JWRec> out = advanceClassTimetables(old, 3);
  ASSERT_EQ(out.size(), size_t(kMaxTimetables));
  EXPECT_EQ(out.front().JWName, "2年0組");
  EXPECT_EQ(out.back().JWName, "3年49組");
  for (const JWRec& r : out) EXPECT_FALSE(r.JWCell[2][1].empty()) << r.JWName;

  // With 20 top-grade classes leaving, 20 of the new first grade fit.
  for (int i = 0; i < 20; ++i) old[size_t(180 + i)] = rec("3年" + std::to_string(i) + "組", "z");
  out = advanceClassTimetables(old, 3);
  ASSERT_EQ(out.size(), size_t(kMaxTimetables));
  EXPECT_EQ(out[0].JWName, "1年0組");
  EXPECT_TRUE(out[19].JWCell[2][1].empty());
  EXPECT_EQ(out[20].JWName, "2年0組");
}

// ---------------------------------------------------------------- the carried build

// School year 2026 with six grades, its lessons edited, day texts written, two class and
// two teacher timetables with every slot filled, its own items and settings.
std::unique_ptr<SchoolYear> oldYear() {
  auto y = std::make_unique<SchoolYear>();
  NewYearOptions o;
  o.nendo = 2026;
  o.grades = 6;
  o.periods = 6;
  buildNewYear(*y, o);
  y->JJ[0][5][12][2] = -3;
  y->JJText[1][6][3][1] = "遠足";
  addFullTimetable(*y, 0, "1年1組", "a");
  addFullTimetable(*y, 0, "6年1組", "b");
  addFullTimetable(*y, 0, "ひまわり学級", "c");
  addFullTimetable(*y, 1, "山田", "t");
  addFullTimetable(*y, 1, "佐藤", "u");
  y->JItemCount = 3;
  y->JItem[0] = "行事";
  y->JItem[1] = "補充";
  y->JItem[2] = "ｸﾗﾌﾞ";
  FileSettings& fs = y->Fs;
  fs.FsJItemCount = 3;  // as a save leaves it: the record's copy of the list
  for (size_t i = 0; i < 3; ++i) fs.FsJItem[i] = y->JItem[i];
  fs.FsUDisp = kTrue;
  fs.FsDispJWC = kTrue;
  fs.FsColWidth = {500, 450, 1700, 900, 900, 900, 900, 900, 900, 1500};
  fs.FsFontName = "ＭＳ Ｐゴシック";
  fs.FsFontSize = 12;
  fs.FsPrnFontName = "ＭＳ Ｐ明朝";
  fs.FsPrnFontSize = 16;
  fs.FsPrnTop = 700;
  fs.FsPrnCopies = 2;
  fs.FsReserved[7] = 42;
  fs.FsKikan = 1;
  return y;
}

struct ChoiceCase {
  const char* what;
  CarryChoice choice;
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.what; }

class CarriedBuild : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(CarriedBuild, DiffersFromThePlainBuildOnlyInTheCarriedParts) {
  const CarryChoice& ch = GetParam().choice;
  auto source = oldYear();
  const auto before = std::make_unique<SchoolYear>(*source);
  NewYearOptions o;
  o.nendo = 2027;
  o.grades = 6;
  o.periods = 6;
  auto plain = std::make_unique<SchoolYear>();
  buildNewYear(*plain, o);
  auto carried = std::make_unique<SchoolYear>();
  const CarryCounts n = buildCarriedYear(*carried, *source, o, ch);

  EXPECT_EQ(test::lessonDifference(*carried, *plain), "");
  EXPECT_EQ(test::lessonDifference(*source, *before), "") << "the old year is not changed";
  EXPECT_EQ(n.classes, ch.classTimetables ? 3 : 0);
  EXPECT_EQ(n.teachers, ch.teacherTimetables ? 2 : 0);
  EXPECT_EQ(test::timetableDifference(*carried, ch.classTimetables ? *source : *plain, 0, 9), "");
  EXPECT_EQ(test::timetableDifference(*carried, ch.teacherTimetables ? *source : *plain, 1, 9), "");
  if (ch.items) {
    EXPECT_EQ(test::itemDifference(*carried, *source), "");
  } else {
    ASSERT_EQ(carried->JItemCount, 8);
    EXPECT_EQ(carried->JItem[0], "行事");
    EXPECT_EQ(carried->JItem[7], "事前");
    EXPECT_EQ(carried->JItem[8], "*");
  }
  // The settings' item list follows the year's own list; all the rest is the old one's.
  FileSettings want = ch.settings ? source->Fs : plain->Fs;
  want.FsJItemCount = carried->JItemCount;
  for (int i = 0; i < carried->JItemCount; ++i) want.FsJItem[size_t(i)] = carried->JItem[size_t(i)];
  EXPECT_EQ(test::settingsDifference(carried->Fs, want), "");
}

CarryChoice only(bool CarryChoice::*field, bool on) {
  CarryChoice c;
  c.*field = on;
  return c;
}
CarryChoice nothing() {
  CarryChoice c;
  c.classTimetables = c.teacherTimetables = c.items = c.settings = c.standards = false;
  return c;
}

INSTANTIATE_TEST_SUITE_P(Choices, CarriedBuild,
                         ::testing::Values(ChoiceCase{"everything", CarryChoice{}},
                                           ChoiceCase{"nothing", nothing()},
                                           ChoiceCase{"no class timetables", only(&CarryChoice::classTimetables, false)},
                                           ChoiceCase{"no teacher timetables",
                                                      only(&CarryChoice::teacherTimetables, false)},
                                           ChoiceCase{"no items", only(&CarryChoice::items, false)},
                                           ChoiceCase{"no settings", only(&CarryChoice::settings, false)}),
                         [](const auto& info) {
                           std::string s = info.param.what;
                           for (char& c : s)
                             if (c == ' ') c = '_';
                           return s;
                         });

TEST(CarriedBuildAdvance, MovesClassesAndLeavesTeachersAlone) {
  auto source = oldYear();
  NewYearOptions o;
  o.nendo = 2027;
  o.grades = 6;
  CarryChoice ch;
  ch.advanceGrades = true;
  auto y = std::make_unique<SchoolYear>();
  const CarryCounts n = buildCarriedYear(*y, *source, o, ch);
  EXPECT_EQ(n, (CarryCounts{3, 2}));
  ASSERT_EQ(y->timetableCount(0), 3);
  // 1年1組 empty, 2年1組 with 1年1組's cells, 6年1組 gone, ひまわり学級 as it was.
  EXPECT_EQ(y->JW[0][1].JWName, "1年1組");
  EXPECT_EQ(y->JW[0][1].JWCell[2][1], "");
  EXPECT_EQ(y->JW[0][2].JWName, "2年1組");
  EXPECT_EQ(test::recordDifference(y->JW[0][2], [&] {
              JWRec r = source->JW[0][1];
              r.JWName = "2年1組";
              return r;
            }(), 9),
            "");
  EXPECT_EQ(test::recordDifference(y->JW[0][3], source->JW[0][3], 9), "");
  EXPECT_EQ(y->JW[0][4].JWName, "");  // the record above the count stays empty
  EXPECT_EQ(test::timetableDifference(*y, *source, 1, 9), "");
}

TEST(CarriedBuildInPlace, TheOldYearMayBeTheOneRebuilt) {
  auto y = oldYear();
  const auto before = std::make_unique<SchoolYear>(*y);
  NewYearOptions o;
  o.nendo = 2027;
  o.grades = 6;
  buildCarriedYear(*y, *y, o, CarryChoice{});
  EXPECT_EQ(y->nendo(), 2027);
  EXPECT_EQ(y->JJText[1][6][3][1], "");
  EXPECT_EQ(test::timetableDifference(*y, *before, 0, 9), "");
  EXPECT_EQ(test::timetableDifference(*y, *before, 1, 9), "");
  EXPECT_EQ(test::settingsDifference(y->Fs, before->Fs), "");
}

TEST(CarrySummary, CountsBothKinds) {
  EXPECT_EQ(carrySummary({18, 30}), "18件の学級時間割、30件の教師時間割を引き継ぎました。");
  EXPECT_EQ(carrySummary({0, 0}), "0件の学級時間割、0件の教師時間割を引き継ぎました。");
}

}  // namespace
}  // namespace tly
