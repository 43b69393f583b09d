#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "io/datafile_format.h"
#include "rules/printlayout.h"
#include "session/windows/frmprint/printdialog.h"
#include "support/recording_printer.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

class PrintCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    year_ = std::make_unique<SchoolYear>();
    SchoolYear* y = year_.get();
    NewYearOptions o;
    o.nendo = 2024;
    o.grades = 6;
    o.periods = 6;
    buildNewYear(*y, o);
    test::setDefaultItems(*y);
    y->Fs.FsJItemCount = 8;
    for (size_t i = 0; i < 8; ++i) y->Fs.FsJItem[i] = kDefaultItemNames[i];
    y->Fs.FsGrIndex = 2;  // the file shows grade 3
    y->Fs.FsPrnCopies = 2;
    y->Fs.FsPrnTop = 15;
    y->Fs.FsFontSize = 9;
    y->Fs.FsFontName = "ＭＳ Ｐ明朝";
    JWRec& c = y->JW[0][1];
    c.JWKind = 1;
    c.JWName = "3年1組";
    c.JWCell[2][1] = "国語";
    y->JW[0][0].JWKind = 1;
    path_ = dir_.file("year.DAT");
    test::writeBytes(path_, encodeDataFile(*y));
  }

  int run(std::vector<std::string> args) {
    args.insert(args.begin(), {"print", path_, "--pdf", dir_.file("out.pdf")});
    std::ostringstream out, err;
    const int st = cli::run(args, out, err, &printers_);
    err_ = err.str();
    return st;
  }
  // Titles of the pages the last run printed.
  std::vector<std::string> titles() const {
    std::vector<std::string> t;
    for (const auto& p : printers_.done.back().pages)
      if (!p.texts.empty() && p.texts.front().y == marginTwips(15)) t.push_back(p.texts.front().s);
    return t;
  }

  test::TempDir dir_;
  std::unique_ptr<SchoolYear> year_;
  std::string path_, err_;
  test::RecordingPrinters printers_;
};

TEST_F(PrintCommand, PageSetsAndTheFilesSavedSettings) {
  // A full year of every grade, one copy: 72 pages in grade, then month order.
  ASSERT_EQ(run({"--grade", "all", "--copies", "1"}), 0) << err_;
  ASSERT_EQ(printers_.done.size(), 1u);
  EXPECT_EQ(printers_.done[0].pages.size(), 72u);
  EXPECT_EQ(printers_.done[0].ended, 1);
  const auto t = titles();
  ASSERT_EQ(t.size(), 72u);
  EXPECT_EQ(t[0], " 2024 年度  1年  4月");
  EXPECT_EQ(t[11], " 2024 年度  1年  3月");
  EXPECT_EQ(t[71], " 2024 年度  6年  3月");
  // Without --grade the grade the file shows; copies from the file.
  ASSERT_EQ(run({"--from", "12", "--to", "1", "--margins", "15,0,0,0"}), 0) << err_;
  EXPECT_EQ(titles(), (std::vector<std::string>{" 2024 年度  3年  12月", " 2024 年度  3年  12月",
                                                " 2024 年度  3年  1月", " 2024 年度  3年  1月"}));
  ASSERT_EQ(run({"--tally", "--from", "4/1", "--to", "4/30", "--grade", "2", "--copies", "1"}), 0) << err_;
  EXPECT_EQ(titles(), (std::vector<std::string>{" 2024 年度  2年 授業時数集計表   4 月 1 日 ～ 4 月 30 日"}));
  ASSERT_EQ(run({"--tally", "--class", "1", "--copies", "1"}), 0) << err_;
  EXPECT_EQ(titles(), (std::vector<std::string>{" 2024 年度  3年1組 授業時数集計表 4 月 1 日 ～ 3 月 31 日"}));
}

// --class without --tally prints the class's own grade's months through its timetable;
// only the first page of each month carries the title.
TEST_F(PrintCommand, MonthsThroughAClassTimetable) {
  auto count = [&](const std::string& s) {
    int n = 0;
    for (const auto& t : printers_.done.back().allTexts()) n += t == s;
    return n;
  };
  ASSERT_EQ(run({"--grade", "3", "--from", "4", "--to", "4", "--copies", "1"}), 0) << err_;
  const int tuesdays = count("火 1");  // the timetable's 国語 is Tuesday's first period
  EXPECT_GT(tuesdays, 2);
  ASSERT_EQ(run({"--class", "1", "--from", "4", "--to", "5", "--copies", "1"}), 0) << err_;
  ASSERT_EQ(printers_.done.back().pages.size(), 2u);
  EXPECT_EQ(titles(), (std::vector<std::string>{" 2024 年度  3年  4月", " 2024 年度  3年  5月"}));
  ASSERT_EQ(run({"--class", "1", "--from", "4", "--to", "4", "--copies", "1"}), 0) << err_;
  // Every Tuesday's first period shows the timetable's subject instead of "火 1".
  EXPECT_EQ(count("国語"), tuesdays);
  EXPECT_EQ(count("火 1"), 0);
}

// Combinations that make no sense are refused, each with a message that names it.
TEST_F(PrintCommand, SenselessCombinationsNamed) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--class", "1", "--grade", "all"}, "--class と --grade all"},
      {{"--class", "1", "--grade", "2"}, "3 年の時間割です（--grade 2"},
      {{"--tally", "--class", "1", "--grade", "all"}, "--grade all は使えません"},
      {{"--class", "1", "--from", "4/1", "--to", "4/30"}, "--tally の集計に使います"},
      {{"--class", "1", "--teacher", "1"}, "--class と --teacher は一つだけ"},
      {{"--class", "3"}, "学級時間割 3 はありません（登録 1 件）"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.args), 2) << c.message;
    EXPECT_NE(err_.find(c.message), std::string::npos) << err_;
  }
  EXPECT_EQ(printers_.opened, 0);
}

// "用紙に合わせて拡大": the grid grows until its right edge (or its last row) reaches the
// usable page, its font with it; without it the grid keeps its size. The choice travels
// with the file, and the file's choice is what the command line starts from.
TEST_F(PrintCommand, FitToPaperFillsTheUsablePage) {
  struct Case {
    std::vector<std::string> args;
    int rightMargin, bottomMargin;  // mm
    bool fills;
  } cases[] = {
      {{"--fit", "--from", "6", "--to", "6"}, 0, 0, true},
      {{"--fit", "--from", "6", "--to", "6", "--margins", "15,10,12,20"}, 20, 10, true},
      {{"--fit", "--tally", "--grade", "2"}, 0, 0, true},
      {{"--fit", "--tally", "--class", "1"}, 0, 0, true},
      {{"--from", "6", "--to", "6"}, 0, 0, false},
  };
  const test::RecordingPrinter paper;
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--copies", "1"});
    ASSERT_EQ(run(args), 0) << err_;
    const auto& doc = printers_.done.back();
    ASSERT_EQ(doc.pages.size(), 1u) << args[1];
    int right = 0, bottom = 0;
    for (const auto& r : doc.pages[0].rects) right = std::max(right, r.x2), bottom = std::max(bottom, r.y2);
    const int edge = paper.width - marginTwips(c.rightMargin), foot = paper.height - marginTwips(c.bottomMargin);
    const int twoMm = marginTwips(2);
    EXPECT_LE(right, edge);
    EXPECT_LT(bottom, foot);
    if (c.fills) {
      EXPECT_TRUE(edge - right <= twoMm || foot - bottom <= twoMm) << args[1] << ": right " << right << " of "
                                                                  << edge << ", bottom " << bottom << " of " << foot;
      EXPECT_GT(doc.pages[0].texts.back().font.size, 9.0f);
    } else {
      EXPECT_GT(edge - right, 1000);
    }
  }
  // Saved with the file: a year whose print settings have it on prints filled.
  year_->Fs.FsReserved[kFsPrnFitWord] = -1;
  test::writeBytes(path_, encodeDataFile(*year_));
  ASSERT_EQ(run({"--from", "6", "--to", "6", "--copies", "1"}), 0) << err_;
  int right = 0;
  for (const auto& r : printers_.done.back().pages[0].rects) right = std::max(right, r.x2);
  EXPECT_LE(paper.width - right, marginTwips(2));
}

TEST_F(PrintCommand, BadArgumentsWriteNothing) {
  const std::vector<std::vector<std::string>> bad = {
      {"--grade", "7"},          {"--grade", "all", "--class", "1"}, {"--from", "4"},
      {"--from", "0", "--to", "3"}, {"--copies", "0"},               {"--margins", "1,2,3"},
      {"--margins", "1,2,3,201"}, {"--tally", "--from", "4", "--to", "5"}, {"--teacher", "1"},
      {"--class", "2"},          {"--bogus"}};
  for (const auto& args : bad) {
    EXPECT_EQ(run(args), 2) << args[0];
    EXPECT_FALSE(err_.empty()) << args[0];
  }
  EXPECT_EQ(printers_.opened, 0);
  std::ostringstream out, err;
  EXPECT_EQ(cli::run({"print", dir_.file("missing.DAT"), "--pdf", dir_.file("x.pdf")}, out, err), 1);
  EXPECT_EQ(printers_.opened, 0);
}

// `tly report --pdf`: one document, a page set per class, the file's top margin.
TEST_F(PrintCommand, ReportIntoAPdf) {
  std::ostringstream out, err;
  ASSERT_EQ(cli::run({"report", path_, "--to", "7/19", "--pdf", dir_.file("r.pdf")}, out, err, &printers_), 0) << err.str();
  EXPECT_EQ(printers_.lastPdf, dir_.file("r.pdf"));
  ASSERT_EQ(printers_.done.size(), 1u);
  const auto& doc = printers_.done[0];
  EXPECT_EQ(doc.ended, 1);
  ASSERT_EQ(doc.pages.size(), 1u);
  EXPECT_EQ(doc.pages[0].texts[0].s, " 2024 年度  標準時数との比較  3年1組");
  EXPECT_EQ(doc.pages[0].texts[0].y, marginTwips(15));
  EXPECT_EQ(out.str(), dir_.file("r.pdf") + ": 1 学級\n");
  EXPECT_EQ(cli::run({"report", path_, "--pdf"}, out, err, &printers_), 2);
}

}  // namespace
}  // namespace tly
