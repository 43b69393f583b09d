#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "calendar/calendar.h"
#include "cli/cli.h"
#include "session/files/datafile.h"
#include "rules/clipboardtext.h"
#include "session/windows/frmmain/tally.h"
#include "support/cli_run.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::CliRun;
using test::runCli;

class TallyCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    year_ = std::make_unique<SchoolYear>();
    NewYearOptions o;
    o.nendo = 2024;
    o.grades = 4;
    o.periods = 6;
    buildNewYear(*year_, o);
    test::setDefaultItems(*year_);
    year_->Fs.FsJItemCount = 8;
    for (size_t i = 0; i < 8; ++i) year_->Fs.FsJItem[i] = kDefaultItemNames[i];
    year_->JJ[1][5][13][2] = -5;  // grade 2: one 道徳 on 13 May (a Monday)
    JWRec& c = year_->JW[0][1];
    c.JWKind = 1;
    c.JWName = "2年1組";
    c.JWCell[2][1] = "国語";
    c.JWCell[2][2] = " 算数";
    year_->JW[0][0].JWKind = 1;
    path_ = dir_.file("year.DAT");
    test::writeBytes(path_, encodeDataFile(*year_));
  }

  // The clipboard text the tally view would copy after the same tally in the core.
  std::string expected(int grade, bool ranged, int fm, int fd, int tm, int td, int kind = -1, int n = 0) {
    auto app = std::make_unique<App>();
    app->Y = *year_;
    app->S.CurGr = grade;
    app->T.KikanSet = ranged;
    app->T.KFromMonth = fm;
    app->T.KFromDay = fd;
    app->T.KToMonth = tm;
    app->T.KToDay = td;
    if (kind >= 0) {
      app->S.JWMode = kind == 0 ? JWModeKind::Class : JWModeKind::Teacher;
      app->S.JWNo = n;
      CountJisuu(*app);
      DispJWJisuu(*app);
    } else {
      DispJisuu(*app);
    }
    return gridToClipboardText(app->Grid1);
  }

  test::TempDir dir_;
  std::string path_;
  std::unique_ptr<SchoolYear> year_;
};

TEST_F(TallyCommand, PrintsTheTallyTableAsTheCopyCommandWould) {
  CliRun whole = runCli({"tally", path_, "--grade", "2"});
  ASSERT_EQ(whole.rc, 0) << whole.err;
  EXPECT_EQ(whole.out, expected(2, false, 0, 0, 0, 0));
  // Header row: an empty corner, then the periods; every row ends in CR LF.
  EXPECT_EQ(whole.out.substr(0, 14), "\t1\t2\t3\t4\t5\t6\r\n");
  EXPECT_NE(whole.out.find("道徳\t1\t\t\t\t\t\r\n"), std::string::npos);
  EXPECT_NE(whole.out.find("総時間数\t"), std::string::npos);

  CliRun ranged = runCli({"tally", path_, "--grade", "2", "--from", "5/13", "--to", "5/13"});
  ASSERT_EQ(ranged.rc, 0) << ranged.err;
  EXPECT_EQ(ranged.out, expected(2, true, 5, 13, 5, 13));
  EXPECT_EQ(ranged.out.find("総時間数"), std::string::npos);
  EXPECT_NE(ranged.out.find("月\t1\t0\t1\t1\t1\t1\r\n"), std::string::npos);

  CliRun cls = runCli({"tally", path_, "--grade", "2", "--class", "1"});
  ASSERT_EQ(cls.rc, 0) << cls.err;
  EXPECT_EQ(cls.out, expected(2, false, 0, 0, 0, 0, 0, 1));
  EXPECT_EQ(cls.out.substr(0, cls.out.find("\r\n")), "No.\t教科/学級\t時数\t集計項目\t時数");
  EXPECT_NE(cls.out.find("\t算数\t"), std::string::npos);  // trimmed entry
}

TEST_F(TallyCommand, BadArgumentsAndFilesAreReportedInJapanese) {
  EXPECT_EQ(runCli({"tally", path_}).rc, 2);
  EXPECT_EQ(runCli({"tally", path_, "--grade", "0"}).rc, 2);
  EXPECT_EQ(runCli({"tally", path_, "--grade", "2", "--from", "4/1"}).rc, 2);
  EXPECT_EQ(runCli({"tally", path_, "--grade", "2", "--from", "13/1", "--to", "4/1"}).rc, 2);
  EXPECT_EQ(runCli({"tally", path_, "--grade", "2", "--class", "1", "--teacher", "1"}).rc, 2);
  CliRun noGrade = runCli({"tally", path_, "--grade", "5"});
  EXPECT_EQ(noGrade.rc, 1);
  EXPECT_NE(noGrade.err.find("学年"), std::string::npos);
  CliRun noTimetable = runCli({"tally", path_, "--grade", "1", "--teacher", "1"});
  EXPECT_EQ(noTimetable.rc, 1);
  EXPECT_NE(noTimetable.err.find("教師時間割"), std::string::npos);
  EXPECT_TRUE(noTimetable.out.empty());
  CliRun missing = runCli({"tally", dir_.file("none.DAT"), "--grade", "1"});
  EXPECT_EQ(missing.rc, 1);
  EXPECT_NE(missing.err.find("ファイルが見つかりません"), std::string::npos);
  test::writeBytes(dir_.file("bad.DAT"), "TLY300garbage");
  EXPECT_EQ(runCli({"tally", dir_.file("bad.DAT"), "--grade", "1"}).rc, 1);
}

}  // namespace
}  // namespace tly
