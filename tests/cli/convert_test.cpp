#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli/cli.h"
#include "model/cp932.h"
#include "session/files/datafile.h"
#include "io/profile.h"
#include "session/files/ver2.h"
#include "support/cli_run.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

using test::CliRun;
CliRun convert(std::vector<std::string> args) {
  args.insert(args.begin(), "convert");
  return test::runCli(args);
}

// An older set of three grades and five periods, written the way the program writes it.
void writeSet(const std::string& path) {
  auto app = std::make_unique<App>();
  SchoolYear& y = app->Y;
  test::fillYear(y, {.nendo = 2003, .periods = 5, .monthLength = 30});
  for (int g = 0; g < 3; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 30; ++d)
        for (int p = 1; p <= 5; ++p) y.JJ[g][m][d][p] = static_cast<int16_t>((d % 7 + 1) * 10 + p);
  y.JJText[2][7][20][0] = "終業式";
  y.JW[0][0].JWKind = 1;
  y.JW[0][1].JWKind = 1;
  y.JW[0][1].JWName = "3年2組";
  y.JW[0][1].JWCell[1][1] = "国語";
  std::string name = path;
  SaveJJ(*app, name);
}

TEST(ConvertCommand, OlderSetConvertsToAnIdenticalSetAndCarriesTheSettingsFile) {
  TempDir dir;
  writeSet(dir.file("in.DAT"));
  CliRun r = convert({dir.file("in.DAT"), dir.file("out.DAT"), "--to", "v2", "--periods", "5"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* ext : {".DAT", ".das", ".daj"})
    EXPECT_TRUE(readBytes(dir.file(std::string("in") + ext)) == readBytes(dir.file(std::string("out") + ext))) << ext;

  // With --dir the settings file there is read after reading and written after writing.
  TempDir settings;
  writeBytes(settings.file("tly.ini"), toCp932("[TLY]\r\nGgn=3\r\nJItem=2\r\nJItem1=朝会\r\nJItem2=集会\r\n"));
  r = convert({dir.file("in.DAT"), dir.file("again.DAT"), "--to", "v2", "--dir", settings.dir()});
  ASSERT_EQ(r.rc, 0) << r.err;
  ProfileText ini(readBytes(settings.file("tly.ini")));
  EXPECT_EQ(ini.getString("TLY", "JItem1", ""), "朝会");
  EXPECT_EQ(ini.getString("TLY", "JItem3", ""), "*");
  EXPECT_EQ(ini.getString("TLYWindow", "ColWidth9", ""), "1600");  // the settings file's default
  EXPECT_TRUE(readBytes(dir.file("in.DAT")) == readBytes(dir.file("again.DAT")));

  // Without a settings folder the grade count of the main file is kept (the settings
  // file's default would be 3): a six-grade set stays six grades.
  auto six = std::make_unique<App>();
  test::fillYear(six->Y, {.nendo = 2003, .grades = 6});
  std::string name = dir.file("six.DAT");
  SaveJJ(*six, name);
  r = convert({dir.file("six.DAT"), dir.file("six2.DAT"), "--to", "v2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(readBytes(dir.file("six2.DAT")).size(), 450u * 12 * 6);
}

TEST(ConvertCommand, OlderSetThroughTheCurrentFormatAndBack) {
  TempDir dir;
  writeSet(dir.file("in.DAT"));
  CliRun r = convert({dir.file("in.DAT"), dir.file("mid.DAT"), "--to", "v3", "--periods", "5"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const std::string mid = readBytes(dir.file("mid.DAT"));
  ASSERT_EQ(mid.compare(0, 6, "TLY300"), 0);
  auto y = std::make_unique<SchoolYear>();
  ASSERT_TRUE(decodeDataFile(mid, *y).ok());
  EXPECT_EQ(y->nendo(), 2003);
  EXPECT_EQ(y->Ggn, 3);
  EXPECT_EQ(y->Jigen, 5);
  EXPECT_EQ(y->JJ[1][6][9][3], 33);
  EXPECT_EQ(y->JJText[2][7][20][0], "終業式");
  EXPECT_EQ(y->JW[0][1].JWName, "3年2組");
  EXPECT_EQ(y->JItemCount, 8);  // the settings file's defaults
  EXPECT_EQ(y->JItem[5], "ｸﾗﾌﾞ");

  r = convert({dir.file("mid.DAT"), dir.file("back.DAT"), "--to", "v2"});
  ASSERT_EQ(r.rc, 0) << r.err;
  for (const char* ext : {".DAT", ".das", ".daj"})
    EXPECT_TRUE(readBytes(dir.file(std::string("in") + ext)) == readBytes(dir.file(std::string("back") + ext))) << ext;
}

TEST(ConvertCommand, BadArgumentsAndDamagedInputFail) {
  TempDir dir;
  writeSet(dir.file("in.DAT"));
  EXPECT_EQ(convert({dir.file("in.DAT"), dir.file("o.DAT"), "--to", "v2", "--periods", "8"}).rc, 2);
  EXPECT_EQ(convert({dir.file("in.DAT"), dir.file("o.DAT"), "--to", "v9"}).rc, 2);
  EXPECT_EQ(convert({dir.file("in.DAT"), "--to", "v2"}).rc, 2);
  EXPECT_EQ(convert({dir.file("in.DAT"), dir.file("o.DAT"), "--to", "v2", "--bogus"}).rc, 2);

  CliRun r = convert({dir.file("missing.DAT"), dir.file("o.DAT"), "--to", "v2"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("ファイルが見つかりません。"), std::string::npos);

  writeBytes(dir.file("in.daj"), std::string("\xff\x7f", 2));  // 32767 timetables
  r = convert({dir.file("in.DAT"), dir.file("o.DAT"), "--to", "v2"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("データファイル(Ver.2)を読み込み中にエラーが発生しました。\nError Code 9"), std::string::npos);
  EXPECT_TRUE(readBytes(dir.file("o.DAT")).empty());  // nothing written
}

}  // namespace
}  // namespace tly
