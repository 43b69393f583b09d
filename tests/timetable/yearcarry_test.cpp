// Moving classes up a grade for the next year: the grade digit of a class name and the
// new class list.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rules/yearcarry.h"

namespace tly {
namespace {

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

}  // namespace
}  // namespace tly
