// SaveJJ3 / LoadJJ3 around the byte layout: paths, questions, window state, failures.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "model/cp932.h"
#include "session/files/datafile.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"
#include "session/files/ver2.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::TestApp;
using test::writeBytes;

void makeYear(App& app, int nendo = 2001, int ggn = 4) {
  test::fillYear(app.Y, {.nendo = nendo, .grades = ggn, .monthLength = 30});
  app.Y.JJ[1][5][7][2] = -4;
  app.Y.JJText[0][4][8][0] = "入学式";
  app.Y.JItemCount = 2;
  app.Y.JItem[0] = "行事";
  app.Y.JItem[1] = "学業";
  app.Y.JW[1][0].JWKind = 1;
  app.Y.JW[1][1].JWKind = 2;
  app.Y.JW[1][1].JWName = "山田";
}

TEST(DataFileProcs, WindowStateTravelsThroughTheFile) {
  TempDir dir;
  TestApp a;
  a.app.F.AppPath = dir.dir();
  makeYear(a.app);
  testing::setView(a.app, Command::UDisp, true);
  testing::setView(a.app, Command::DispJWS, true);
  testing::setView(a.app, Command::ShowToolBar, true);
  a.app.Grid1.Font = {"ＭＳ Ｐゴシック", 11.5f, true, false};
  a.app.Grid1.setCols(14);
  a.app.Grid1.setColWidth(3, 1234);
  auto& w = a.app.W;
  w.cmbGr.items = {"1年", "2年", "3年", "4年"};
  w.cmbGr.select(2);
  w.cmbDispJW.items = {"山田"};
  w.cmbDispJW.select(0);
  std::string name = kWorkFileName;
  EXPECT_TRUE(SaveJJ3(a.app, name).ok());
  EXPECT_EQ(name, "");
  EXPECT_TRUE(a.msg.shown.empty());
  EXPECT_TRUE(a.files.asked.empty());
  EXPECT_EQ(a.app.Y.Fs.FsColWidth[3], 1234);
  EXPECT_EQ(a.app.W.panel[0], "");

  TestApp b;
  b.app.F.AppPath = a.app.F.AppPath;
  b.app.F.CurFile = "";
  b.app.Y.JItem[5] = "残る";
  testing::setView(b.app, Command::EditAll, true);
  testing::setView(b.app, Command::DispJWC, true);
  name = kWorkFileName;
  EXPECT_TRUE(holds(LoadJJ3(b.app, name), FileRead::Current));
  EXPECT_EQ(name, "");
  EXPECT_TRUE(b.msg.shown.empty());
  const ControlStates c = mainControls(b.app);
  const MainView& v = b.app.W;
  EXPECT_TRUE(c.checked(Command::UDisp));
  EXPECT_FALSE(c.checked(Command::EditAll));
  EXPECT_TRUE(c.checked(Command::DispJWS));
  EXPECT_TRUE(c.pressed(Command::UDisp));
  EXPECT_FALSE(c.pressed(Command::DispJWC));
  EXPECT_TRUE(c.pressed(Command::DispJWS));
  EXPECT_EQ(b.app.Grid1.Font.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(b.app.Grid1.Font.size, 11.5f);
  EXPECT_TRUE(b.app.Grid1.Font.bold);
  EXPECT_EQ(v.cmbGr.items, (std::vector<std::string>{"1年", "2年", "3年", "4年"}));
  EXPECT_EQ(v.cmbGr.index, 2);
  ASSERT_EQ(v.cmbMonth.items.size(), 12u);
  EXPECT_EQ(v.cmbMonth.items.front(), "4月");
  EXPECT_EQ(v.cmbMonth.items[8], "12月");
  EXPECT_EQ(v.cmbMonth.items.back(), "3月");
  EXPECT_EQ(v.cmbDispJW.items, (std::vector<std::string>{"山田"}));
  EXPECT_EQ(v.cmbDispJW.index, 0);
  EXPECT_EQ(v.caption, "TLY 授業時数集計 - ");
  EXPECT_EQ(b.app.S.CurYear, 2001);
  EXPECT_EQ(b.app.Y.JItemCount, 2);
  EXPECT_EQ(b.app.Y.JItem[1], "学業");
  EXPECT_EQ(b.app.Y.JItem[5], "残る");  // entries past the count are left alone
  EXPECT_EQ(b.app.Y.JJ[1][5][7][2], -4);
  EXPECT_EQ(b.app.Y.JJText[0][4][8][0], "入学式");
  EXPECT_EQ(b.app.Y.JW[1][1].JWName, "山田");

  // The tally display lends the grid: its widths are not stored.
  testing::setView(a.app, Command::Kei, true);
  a.app.Grid1.setColWidth(3, 99);
  name = kWorkFileName;
  (void)SaveJJ3(a.app, name);
  EXPECT_EQ(a.app.Y.Fs.FsColWidth[3], 1234);
}

TEST(DataFileProcs, SaveAsAsksBeforeReplacingAndSaveDoesNot) {
  TempDir dir;
  TestApp a;
  a.app.F.AppPath = dir.dir();
  makeYear(a.app);
  std::string existing = dir.file("year.DAT");
  writeBytes(existing, "old");

  // Save As: the dialog's settings, then the question; No writes nothing.
  a.files.choose(existing);
  a.msg.answers = {MsgResult::No};
  std::string name;
  EXPECT_TRUE(SaveJJ3(a.app, name).is(Fault::Cancelled));
  ASSERT_EQ(a.files.asked.size(), 1u);
  const FileDialogRequest& req = a.files.asked[0];
  EXPECT_TRUE(req.save);
  EXPECT_EQ(req.title, "ファイル名を付けて保存");
  EXPECT_EQ(req.defaultExt, "DAT");
  EXPECT_EQ(req.filterIndex, 1);
  EXPECT_EQ(req.initialDir, a.app.F.AppPath);
  ASSERT_EQ(req.filters.size(), 3u);
  EXPECT_EQ(req.filters[1].label, "TLY Ver.2 Data File");
  ASSERT_EQ(a.msg.shown.size(), 1u);
  EXPECT_EQ(a.msg.shown[0].text, "同名のファイルが存在します。\r上書きしてよろしいですか？");
  EXPECT_EQ(a.msg.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(a.msg.shown[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(readBytes(existing), "old");
  EXPECT_EQ(a.app.F.CurFile, "");

  // Yes: written, and the chosen path is the current file.
  a.files.choose(existing);
  a.msg.answers = {MsgResult::Yes};
  EXPECT_TRUE(SaveJJ3(a.app, name).ok());
  EXPECT_EQ(readBytes(existing).substr(0, 6), "TLY300");
  EXPECT_EQ(a.app.F.CurFile, existing);

  // Save to the current file: no dialog, no question.
  a.msg.shown.clear();
  a.app.Y.JJ[0][0][0][0] = 2002;
  std::string cur = a.app.F.CurFile;
  EXPECT_TRUE(SaveJJ3(a.app, cur).ok());
  EXPECT_EQ(cur, "");
  EXPECT_TRUE(a.msg.shown.empty());
  EXPECT_EQ(a.files.asked.size(), 2u);
  EXPECT_EQ(readBytes(existing).substr(6, 2), std::string("\xd2\x07", 2));

  // A name without a dot gets ".dat"; a dot in a folder name does not count.
  std::filesystem::create_directory(dir.file("v1.0"));
  a.files.choose(dir.file("v1.0/plain"));
  EXPECT_TRUE(SaveJJ3(a.app, name).ok());
  EXPECT_TRUE(std::filesystem::exists(dir.file("v1.0/plain.dat")));
  EXPECT_EQ(a.app.F.CurFile, dir.file("v1.0/plain.dat"));

  // Cancel ends quietly; a dialog error says so.
  a.msg.shown.clear();
  a.files.cancel();
  EXPECT_TRUE(SaveJJ3(a.app, name).is(Fault::Cancelled));
  EXPECT_TRUE(a.msg.shown.empty());
  a.files.fail();
  EXPECT_FALSE(SaveJJ3(a.app, name).ok());
  ASSERT_EQ(a.msg.shown.size(), 1u);
  EXPECT_EQ(a.msg.shown[0].text, "指定に誤りがあります。");

  // The second filter hands over to the older format: no current-format file appears.
  a.files.choose(dir.file("old2.DAT"), 2);
  (void)SaveJJ3(a.app, name);
  std::string older = readBytes(dir.file("old2.DAT"));
  EXPECT_NE(older.substr(0, std::min<size_t>(6, older.size())), "TLY300");
}

TEST(DataFileProcs, AFailedSaveKeepsThePreviousFile) {
  TempDir dir;
  TestApp a;
  makeYear(a.app);
  // The temporary file's name is longer than the folder allows, the target's is not.
  std::string target = dir.file(std::string(250, 'n'));
  writeBytes(target, "previous contents");
  EXPECT_FALSE(writeDataFileAt(a.app, target).ok());
  ASSERT_EQ(a.msg.shown.size(), 1u);
  EXPECT_EQ(a.msg.shown[0].text, "データファイルを書き込み中にエラーが発生しました。\rError Code " +
                                      std::to_string(ENAMETOOLONG) + "\r" + target + ": ファイル名が長すぎます");
  EXPECT_EQ(a.msg.shown[0].title, "TLY");
  EXPECT_EQ(readBytes(target), "previous contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
  EXPECT_EQ(a.app.W.panel[0], "");

  // A link to a data file: the file is replaced, the link stays.
  std::string real = dir.file("real.DAT"), link = dir.file("link.DAT");
  writeBytes(real, "x");
  std::filesystem::create_symlink(real, link);
  EXPECT_TRUE(writeDataFileAt(a.app, link).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readBytes(real).substr(0, 6), "TLY300");

  a.msg.shown.clear();
  EXPECT_FALSE(writeDataFileAt(a.app, dir.file("no/such/folder.dat")).ok());
  EXPECT_EQ(a.msg.shown.at(0).text.rfind("データファイルを書き込み中にエラーが発生しました。\rError Code " +
                                         std::to_string(ENOENT) + "\r", 0), 0u);
}

TEST(DataFileProcs, ADamagedFileLeavesTheOpenYearAsItWas) {
  TempDir dir;
  TestApp src;
  makeYear(src.app, 2010, 6);
  src.app.Y.JW[0][0].JWKind = 3;
  src.app.Y.JW[1][0].JWKind = 0;
  for (int i = 1; i <= 3; ++i) src.app.Y.JW[0][i].JWName = "組" + std::to_string(i);
  std::string good = encodeDataFile(src.app.Y);

  TestApp t;
  makeYear(t.app);
  testing::setView(t.app, Command::UDisp, true);
  t.app.W.cmbGr.items = {"1年"};
  t.app.F.CurFile = "/somewhere/else.DAT";
  const std::string before = encodeDataFile(t.app.Y);
  const MainView viewBefore = t.app.W;
  const bool changesOnlyBefore = t.app.V.changesOnly;
  const FontInfo fontBefore = t.app.Grid1.Font;

  std::string path = dir.file("bad.DAT");
  // Cuts inside every section, and a timetable count of 201.
  std::string bad201 = good;
  bad201[good.size() - 2] = char(201);  // the teacher count, the last Integer
  std::vector<std::pair<std::string, int>> cases = {
      {good.substr(0, 9), kErrInputPastEnd},
      {good.substr(0, 500), kErrInputPastEnd},
      {good.substr(0, good.size() / 2), kErrInputPastEnd},
      {good.substr(0, good.size() - 1), kErrInputPastEnd},
      {bad201, kErrSubscriptOutOfRange},
  };
  for (const auto& [bytes, code] : cases) {
    writeBytes(path, bytes);
    t.msg.shown.clear();
    t.app.F.CurFile = "/somewhere/else.DAT";
    EXPECT_FALSE(readDataFileAt(t.app, path).ok());
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown[0].text,
              "データファイルを読み込み中にエラーが発生しました。\rError Code " + std::to_string(code));
    EXPECT_EQ(encodeDataFile(t.app.Y), before);
    EXPECT_EQ(mainControls(t.app).checked(Command::UDisp), changesOnlyBefore);
    EXPECT_EQ(t.app.W.cmbGr.items, viewBefore.cmbGr.items);
    EXPECT_EQ(t.app.Grid1.Font, fontBefore);
    EXPECT_EQ(t.app.F.CurFile, "");
    EXPECT_EQ(t.app.W.caption, "TLY 授業時数集計 - ");
    EXPECT_EQ(t.app.W.panel[0], "");
  }

  // The whole file reads.
  writeBytes(path, good);
  t.msg.shown.clear();
  EXPECT_TRUE(holds(readDataFileAt(t.app, path), FileRead::Current));
  EXPECT_TRUE(t.msg.shown.empty());
  EXPECT_EQ(t.app.Y.Ggn, 6);
  EXPECT_EQ(t.app.Y.JW[0][3].JWName, "組3");
}

TEST(DataFileProcs, AFileWithoutSignatureTakesTheOlderBranch) {
  TempDir dir;
  TestApp t;
  t.app.F.AppPath = dir.dir();
  makeYear(t.app);

  // First start in an empty folder: the working file is created empty, nothing is said.
  std::string name = kWorkFileName;
  EXPECT_TRUE(holds(LoadJJ3(t.app, name), FileRead::OlderFormat));
  EXPECT_EQ(name, "");
  EXPECT_TRUE(t.msg.shown.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.file("JJTEMP3.DAT")));
  EXPECT_EQ(std::filesystem::file_size(dir.file("JJTEMP3.DAT")), 0u);

  // A typed name that does not exist is created the same way and becomes CurFile.
  t.files.choose(dir.file("new.DAT"));
  EXPECT_TRUE(holds(LoadJJ3(t.app, name), FileRead::OlderFormat));
  ASSERT_EQ(t.files.asked.size(), 1u);
  EXPECT_EQ(t.files.asked[0].title, "ファイルを開く");
  EXPECT_EQ(t.files.asked[0].filters.size(), 2u);
  EXPECT_FALSE(t.files.asked[0].save);
  EXPECT_TRUE(std::filesystem::exists(dir.file("new.DAT")));
  EXPECT_EQ(t.app.F.CurFile, dir.file("new.DAT"));
  EXPECT_EQ(t.app.W.panel[0], "");

  // A working file without the signature: the older working file is read instead, and
  // the settings file (absent here) supplies the item names.
  TestApp old;
  old.app.F.AppPath = dir.dir();
  makeYear(old.app, 2003, 4);
  std::string oldName = "JJTEMP.DAT";
  SaveJJ(old.app, oldName);
  ASSERT_TRUE(std::filesystem::exists(dir.file("JJTEMP.DAT")));
  writeBytes(dir.file("JJTEMP3.DAT"), "not a current file");
  TestApp fresh;
  fresh.app.F.AppPath = old.app.F.AppPath;
  name = kWorkFileName;
  EXPECT_TRUE(holds(LoadJJ3(fresh.app, name), FileRead::OlderFormat));
  ASSERT_FALSE(fresh.msg.shown.empty());
  EXPECT_EQ(fresh.msg.shown[0].text.rfind("Ver.3のデータ形式に変換します。", 0), 0u);
  EXPECT_EQ(fresh.app.Y.nendo(), 2003);
  EXPECT_EQ(fresh.app.Y.JJ[1][5][7][2], -4);
  EXPECT_EQ(fresh.app.Y.JItem[0], "行事");
  EXPECT_EQ(fresh.app.Y.JItem[7], "事前");

  // Cancel changes nothing.
  t.files.cancel();
  t.app.W.caption = "unchanged";
  EXPECT_TRUE(LoadJJ3(t.app, name).is(Fault::Cancelled));
  EXPECT_EQ(t.app.W.caption, "unchanged");

  // A folder that does not exist cannot hold the file.
  const std::string before = encodeDataFile(t.app.Y);
  t.files.choose(dir.file("missing/x.DAT"));
  EXPECT_FALSE(LoadJJ3(t.app, name).ok());
  EXPECT_EQ(t.msg.shown.at(0).text, "ファイルが見つかりません。");
  EXPECT_EQ(t.app.F.CurFile, "");
  EXPECT_EQ(encodeDataFile(t.app.Y), before);
}

}  // namespace
}  // namespace tly
