// tly new YEAR --from FILE: the file it writes against the plain build with the same
// options and against the year it came from, for each choice of what is left behind, and
// the sources and arguments it refuses.
#include <gtest/gtest.h>

#include <memory>

#include "io/datafile_format.h"
#include "io/yearfile.h"
#include "rules/yearcarry.h"
#include "support/cli_run.h"
#include "support/tempdir.h"
#include "support/yearcompare.h"
#include "support/years.h"

namespace tly {
namespace {

using test::runCli;

std::unique_ptr<SchoolYear> readBack(const std::string& path) {
  auto base = std::make_unique<SchoolYear>();
  auto r = readYearFile(path, *base);
  EXPECT_TRUE(r.ok()) << path;
  return r.ok() ? std::move(*r) : std::make_unique<SchoolYear>();
}

class NewFromFile : public ::testing::Test {
 protected:
  // y2026.dat: built by the command line, then given timetables, items and settings as
  // a school would have them after a year.
  void SetUp() override {
    src_ = dir_.file("y2026.dat");
    ASSERT_EQ(runCli({"new", "2026", "--grades", "6", "--periods", "6", "-o", src_}).rc, 0);
    auto y = readBack(src_);
    for (const char* n : {"1年1組", "1年2組", "2年1組", "6年1組", "ひまわり学級"}) test::addFullTimetable(*y, 0, n, "c");
    for (const char* n : {"山田", "佐藤", "鈴木"}) test::addFullTimetable(*y, 1, n, "t");
    y->JItemCount = 2;
    y->JItem[0] = "行事";
    y->JItem[1] = "補充学習";
    y->Fs.FsJItemCount = 2;
    y->Fs.FsJItem[0] = "行事";
    y->Fs.FsJItem[1] = "補充学習";
    y->Fs.FsColWidth = {420, 400, 1650, 820, 820, 820, 820, 820, 820, 1580, 0, 0, 0, 0, 0, 0};
    y->Fs.FsFontName = "ＭＳ Ｐゴシック";
    y->Fs.FsFontSize = 11;
    y->Fs.FsPrnFontName = "ＭＳ 明朝";
    y->Fs.FsPrnFontSize = 18;
    y->Fs.FsPrnTop = 600;
    y->Fs.FsPrnCopies = 3;
    y->Fs.FsEditAll = kTrue;
    y->Fs.FsKikan = 2;
    y->JJText[0][5][1][1] = "運動会";
    y->JJ[0][5][1][1] = -1;
    test::writeBytes(src_, encodeDataFile(*y));
    source_ = readBack(src_);
  }
  test::TempDir dir_;
  std::string src_;
  std::unique_ptr<SchoolYear> source_;
};

struct LeftBehind {
  const char* noCarry;  // the --no-carry list, "" for none
  bool classes, teachers, items, settings;  // what is carried
  const char* summary;
};
void PrintTo(const LeftBehind& c, std::ostream* os) { *os << '"' << c.noCarry << '"'; }

class NewFromFileCarrying : public NewFromFile, public ::testing::WithParamInterface<LeftBehind> {};

TEST_P(NewFromFileCarrying, DiffersFromThePlainBuildOnlyInTheCarriedParts) {
  const LeftBehind& c = GetParam();
  const std::string carried = dir_.file("y2027.dat"), plain = dir_.file("plain.dat");
  std::vector<std::string> args = {"new", "2027", "--from", src_, "--grades", "6", "--periods", "6", "-o", carried};
  if (*c.noCarry) args.insert(args.end() - 2, {"--no-carry", c.noCarry});
  const auto run = runCli(args);
  ASSERT_EQ(run.rc, 0) << run.err;
  EXPECT_EQ(run.err, std::string(c.summary) + "\n");
  ASSERT_EQ(runCli({"new", "2027", "--grades", "6", "--periods", "6", "-o", plain}).rc, 0);
  auto y = readBack(carried), p = readBack(plain);

  EXPECT_EQ(test::lessonDifference(*y, *p), "");
  EXPECT_EQ(test::timetableDifference(*y, c.classes ? *source_ : *p, 0, 9), "");
  EXPECT_EQ(test::timetableDifference(*y, c.teachers ? *source_ : *p, 1, 9), "");
  EXPECT_EQ(test::itemDifference(*y, c.items ? *source_ : *p), "");
  // The settings' copy of the item list is the new year's own list.
  FileSettings want = c.settings ? source_->Fs : p->Fs;
  want.FsJItemCount = y->Fs.FsJItemCount;
  want.FsJItem = y->Fs.FsJItem;
  EXPECT_EQ(test::settingsDifference(y->Fs, want), "");
  // Byte for byte: with the old year's timetable records put in, the file is the same.
  auto swapped = std::make_unique<SchoolYear>(*y);
  for (int k = 0; k < 2; ++k)
    if (k == 0 ? c.classes : c.teachers)
      for (int i = 0; i <= kMaxTimetables; ++i) swapped->JW[k][i] = source_->JW[k][i];
  EXPECT_EQ(encodeDataFile(*swapped), test::readBytes(carried));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, NewFromFileCarrying,
    ::testing::Values(LeftBehind{"", true, true, true, true, "5件の学級時間割、3件の教師時間割を引き継ぎました。"},
                      LeftBehind{"class", false, true, true, true, "0件の学級時間割、3件の教師時間割を引き継ぎました。"},
                      LeftBehind{"teacher,items", true, false, false, true,
                                 "5件の学級時間割、0件の教師時間割を引き継ぎました。"},
                      LeftBehind{"settings", true, true, true, false, "5件の学級時間割、3件の教師時間割を引き継ぎました。"},
                      LeftBehind{"class,teacher,items,settings", false, false, false, false,
                                 "0件の学級時間割、0件の教師時間割を引き継ぎました。"}));

TEST_F(NewFromFile, TakesTheSourcesCountsUnlessGiven) {
  auto y = readBack(src_);
  y->Ggn = 4;
  y->Jigen = 7;
  test::writeBytes(src_, encodeDataFile(*y));
  const std::string out = dir_.file("y.dat");
  ASSERT_EQ(runCli({"new", "2027", "--from", src_, "--periods", "5", "-o", out}).rc, 0);
  auto a = readBack(out);
  EXPECT_EQ(a->Ggn, 4);
  EXPECT_EQ(a->Jigen, 5);
}

struct RefusedSource {
  const char* what;
  std::string bytes;  // written to the source path; "-" for no file there
  const char* message;  // the start of the error output
};
void PrintTo(const RefusedSource& c, std::ostream* os) { *os << c.what; }

class NewFromUnreadable : public ::testing::TestWithParam<RefusedSource> {};

TEST_P(NewFromUnreadable, BuildsAndWritesNothing) {
  const RefusedSource& c = GetParam();
  test::TempDir dir;
  const std::string src = dir.file("old.dat"), out = dir.file("new.dat");
  if (c.bytes != "-") test::writeBytes(src, c.bytes);
  test::writeBytes(out, "kept");
  const auto run = runCli({"new", "2027", "--from", src, "-o", out});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
  EXPECT_EQ(run.err.find("引き継ぎました"), std::string::npos);
  EXPECT_EQ(test::readBytes(out), "kept");
  if (c.bytes != "-") {
    EXPECT_EQ(test::readBytes(src), c.bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, NewFromUnreadable,
    ::testing::Values(RefusedSource{"missing", "-", "ファイルが見つかりません: "},
                      RefusedSource{"older format", "not a year", "TLY300 形式のデータファイルではありません: "},
                      RefusedSource{"cut short", "TLY300\x01", "データファイルを読み込み中にエラーが発生しました。"}));

struct BadArgs {
  std::vector<std::string> args;
  const char* message;
};
void PrintTo(const BadArgs& c, std::ostream* os) {
  for (const std::string& a : c.args) *os << a << ' ';
}

class NewFromArguments : public ::testing::TestWithParam<BadArgs> {};

TEST_P(NewFromArguments, AreRefusedBeforeAnythingIsRead) {
  const auto run = runCli(GetParam().args);
  EXPECT_EQ(run.rc, 2);
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, NewFromArguments,
    ::testing::Values(
        BadArgs{{"new", "2027", "--advance-grades", "-o", "/nonexistent/x.dat"}, "--from と共に"},
        BadArgs{{"new", "2027", "--no-carry", "items", "-o", "/nonexistent/x.dat"}, "--from と共に"},
        BadArgs{{"new", "2027", "--from", "a.dat", "--no-carry", "lessons", "-o", "x.dat"}, "引き継がない内容は"},
        BadArgs{{"new", "2027", "--from", "a.dat", "--no-carry", "", "-o", "x.dat"}, "引き継がない内容は"},
        BadArgs{{"new", "2027", "--from"}, "使い方: tly new"}));

}  // namespace
}  // namespace tly
