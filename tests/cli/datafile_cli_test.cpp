#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "session/files/datafile.h"
#include "support/fake_platform.h"
#include "support/cli_run.h"
#include "support/tempdir.h"
#include "support/years.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

using test::CliRun;
CliRun run(const std::vector<std::string>& args) { return test::runCli(args); }

// One grade, five periods, school year 2026 (April 1st 2026 is a Wednesday).
std::string smallFile(const std::string& path) {
  test::TestApp t;
  SchoolYear& y = t.app.Y;
  test::fillYear(y, {.nendo = 2026, .grades = 1, .periods = 5, .monthLength = 30});
  y.JJ[0][4][6][1] = 21;   // Monday period 1, as the timetable says
  y.JJ[0][4][6][2] = -2;   // item 2
  y.JJ[0][4][6][4] = 34;   // Tuesday's period 4 moved to Monday
  y.JJ[0][4][6][5] = -15;  // an item without a name
  y.JJText[0][4][6][0] = "始業式";
  y.JJText[0][4][6][1] = "  メモ ";
  y.JJText[0][4][7][1] = "引用\"と\\と\x01";
  y.JItemCount = 2;
  y.JItem[0] = "行事";
  y.JItem[1] = "学業";
  y.JW[0][0].JWKind = 1;
  y.JW[0][1] = {1, "1年1組", {}};
  y.JW[0][1].JWCell[1][1] = "国語";
  y.JW[0][1].JWCell[2][4] = "理科";
  testing::setView(t.app, Command::DispJWC, true);  // the file's own view is replaced by the options
  t.app.W.cmbDispJW.items = {"1年1組"};
  t.app.W.cmbDispJW.select(0);
  EXPECT_TRUE(writeDataFileAt(t.app, path).ok());
  return readBytes(path);
}

TEST(CliDataFile, MonthPrintsTheGridAsClipboardText) {
  TempDir dir;
  std::string f = dir.file("s.DAT");
  smallFile(f);
  CliRun r = run({"month", f, "--grade", "1", "--month", "4"});
  ASSERT_EQ(r.rc, 0) << r.err;
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t e; (e = r.out.find("\r\n", at)) != std::string::npos; at = e + 2) lines.push_back(r.out.substr(at, e - at));
  EXPECT_EQ(at, r.out.size());  // every row ends with CR LF
  ASSERT_EQ(lines.size(), 31u);  // header + 30 days
  EXPECT_EQ(lines[0], "日\t曜\t行　事\t1\t2\t3\t4\t5\t備　考");
  EXPECT_EQ(lines[1], "1\t水\t\t／\t／\t／\t／\t／\t");
  EXPECT_EQ(lines[6], "6\t月\t始業式\t月 1\t学業\t／\t火 4\t\tメモ");

  r = run({"month", f, "--grade", "1", "--month", "4", "--changes-only"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("\r\n6\t月\t始業式\t\t学業\t／\t火 4\t\tメモ\r\n"), std::string::npos) << r.out;

  r = run({"month", f, "--grade", "1", "--month", "4", "--class", "1"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("\r\n6\t月\t始業式\t国語\t学業\t／\t理科\t\tメモ\r\n"), std::string::npos) << r.out;

  // Wrong requests: errors in Japanese, non-zero status.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"month", f, "--grade", "2", "--month", "4"},
           {"month", f, "--grade", "1", "--month", "13"},
           {"month", f, "--grade", "1", "--month", "4", "--teacher", "1"},
           {"month", f, "--grade", "1", "--month", "4", "--class", "1", "--teacher", "1"},
           {"month", dir.file("missing.DAT"), "--grade", "1", "--month", "4"},
       }) {
    CliRun bad = run(args);
    EXPECT_NE(bad.rc, 0) << args[2];
    EXPECT_FALSE(bad.err.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing.DAT")));  // nothing created
}

TEST(CliDataFile, NewBuildsAYearThatResaveReproduces) {
  TempDir dir;
  std::string f = dir.file("n.DAT");
  CliRun r = run({"new", "2026", "--grades", "4", "--periods", "7", "--closed-saturdays", "none", "-o", f});
  ASSERT_EQ(r.rc, 0) << r.err;
  auto y = std::make_unique<SchoolYear>();
  ASSERT_TRUE(decodeDataFile(readBytes(f), *y).ok());
  EXPECT_EQ(y->nendo(), 2026);
  EXPECT_EQ(y->Ggn, 4);
  EXPECT_EQ(y->Jigen, 7);
  // April 11th 2026 is the second Saturday: lessons in periods 1..3 when no Saturday is closed.
  EXPECT_EQ(y->JJ[3][4][11][1], 71);
  EXPECT_EQ(y->JJ[3][4][11][4], 0);
  EXPECT_EQ(y->Fs.FsUDisp, 0);
  EXPECT_GT(y->Fs.FsColWidth[0], 0);  // the grid's widths travel with the year
  // No settings file on a first start: the eight default item names.
  EXPECT_EQ(y->Fs.FsJItemCount, 8);
  EXPECT_EQ(y->Fs.FsJItem[0], "行事");
  EXPECT_EQ(y->Fs.FsJItem[7], "事前");

  std::string g = dir.file("d.DAT");
  ASSERT_EQ(run({"new", "2026", "-o", g}).rc, 0);
  ASSERT_TRUE(decodeDataFile(readBytes(g), *y).ok());
  EXPECT_EQ(y->Ggn, 3);
  EXPECT_EQ(y->Jigen, 6);
  EXPECT_EQ(y->JJ[0][4][11][1], 0);  // second Saturday closed by default

  std::string again = dir.file("again.DAT");
  ASSERT_EQ(run({"resave", f, again}).rc, 0);
  EXPECT_EQ(readBytes(again), readBytes(f));
  std::string rich = dir.file("rich.DAT");
  std::string richBytes = smallFile(rich);
  ASSERT_EQ(run({"resave", rich, again}).rc, 0);
  EXPECT_EQ(readBytes(again), richBytes);

  for (const auto& args : std::vector<std::vector<std::string>>{
           {"new", "1800", "-o", f},
           {"new", "2026", "--grades", "7", "-o", f},
           {"new", "2026", "--periods", "4", "-o", f},
           {"new", "2026", "--closed-saturdays", "0,6", "-o", f},
           {"new", "2026"},
       }) {
    CliRun bad = run(args);
    EXPECT_EQ(bad.rc, 2) << args.back();
    EXPECT_FALSE(bad.err.empty());
  }
  EXPECT_EQ(readBytes(again), richBytes);
}

TEST(CliDataFile, DumpWritesEscapedJsonAndRefusesDamagedFiles) {
  TempDir dir;
  std::string f = dir.file("s.DAT");
  std::string bytes = smallFile(f);
  CliRun r = run({"dump", f});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"year\":2026,\"grades\":1,\"periods\":5,\"months\":[{\"grade\":1,\"month\":4,", 0), 0u);
  EXPECT_NE(r.out.find("{\"grade\":1,\"month\":4,\"day\":7,\"kind\":\"remarks\",\"text\":\"引用\\\"と\\\\と\\u0001\"}"),
            std::string::npos);
  EXPECT_NE(r.out.find("[21,-2,0,34,-15]"), std::string::npos);
  EXPECT_NE(r.out.find("\"items\":[\"行事\",\"学業\"]"), std::string::npos);
  EXPECT_NE(r.out.find("\"class\":[{\"kind\":1,\"name\":\"1年1組\",\"cells\":[[\"\",\"\",\"\",\"\",\"\"],[\"国語\""),
            std::string::npos);
  EXPECT_NE(r.out.find("\"FsDispJWC\":-1"), std::string::npos);

  std::string cut = dir.file("cut.DAT");
  writeBytes(cut, bytes.substr(0, bytes.size() - 3));
  r = run({"dump", cut});
  EXPECT_EQ(r.rc, 1);
  EXPECT_NE(r.err.find("データファイルを読み込み中にエラーが発生しました。"), std::string::npos);
  EXPECT_TRUE(r.out.empty());
  writeBytes(cut, "JJ");
  EXPECT_EQ(run({"dump", cut}).rc, 1);
  EXPECT_EQ(run({"resave", cut, dir.file("out.DAT")}).rc, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.DAT")));
}

// Names holding control characters: listed one per line, escaped; a given name that
// loses them says so.
TEST(CliDataFile, TimetableNamesWithControlCharactersAreEscapedAndNoted) {
  TempDir dir;
  const std::string f = dir.file("t.DAT");
  {
    test::TestApp t;
    test::fillYear(t.app.Y, {.nendo = 2026, .grades = 1, .periods = 5, .monthLength = 30});
    t.app.Y.JW[0][0].JWKind = 2;
    t.app.Y.JW[0][1] = {1, "1組\t国語", {}};
    t.app.Y.JW[0][2] = {1, std::string("2組\r\n\x01", 7), {}};
    ASSERT_TRUE(writeDataFileAt(t.app, f).ok());
  }
  CliRun list = run({"timetable", f, "list", "--class"});
  EXPECT_EQ(list.rc, 0);
  EXPECT_EQ(list.out, "1組\\t国語\n2組\\r\\n\\x01\n");
  struct Case {
    std::vector<std::string> args;
    bool noted;
  };
  const Case cases[] = {
      {{"timetable", f, "add", "--class", "--name", "A\tB"}, true},
      {{"timetable", f, "rename", "--class", "1", "--name", "C\nD"}, true},
      {{"timetable", f, "add", "--class", "--name", "AB"}, false},
  };
  for (const Case& c : cases) {
    CliRun r = run(c.args);
    SCOPED_TRACE(c.args[5]);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err.find("制御文字") != std::string::npos, c.noted) << r.err;
  }
}

}  // namespace
}  // namespace tly
