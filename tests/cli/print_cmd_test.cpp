#include <gtest/gtest.h>

#include <sstream>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "io/datafile_format.h"
#include "rules/printlayout.h"
#include "support/recording_printer.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

class PrintCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    auto y = std::make_unique<SchoolYear>();
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
  ASSERT_EQ(run({"--class", "1", "--copies", "1"}), 0) << err_;
  EXPECT_EQ(titles(), (std::vector<std::string>{" 2024 年度  3年1組 授業時数集計表 4 月 1 日 ～ 3 月 31 日"}));
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
