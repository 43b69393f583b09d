#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "model/cp932.h"
#include "session/files/datafile.h"
#include "session/files/ver2.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::FakePlatform;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

int16_t at(const std::string& b, size_t off) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned char>(b[off]) |
                                                    (static_cast<unsigned char>(b[off + 1]) << 8)));
}

std::string le16(int v) {
  std::string s(2, '\0');
  s[0] = static_cast<char>(v & 0xff);
  s[1] = static_cast<char>((v >> 8) & 0xff);
  return s;
}

// A year with something in every kind of field: month lengths, timetable references,
// items in both ranges, texts shared and per grade, timetables of both kinds.
void fillYear(SchoolYear& y, int ggn, int jigen) {
  test::fillYear(y, {.nendo = 2001, .grades = ggn, .periods = jigen});
  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= y.JJ[g][m][0][0]; ++d)
        for (int p = 1; p <= jigen; ++p) {
          int code = ((d + m + g) % 7 + 1) * 10 + p;  // a slot reference
          if ((d + p) % 5 == 0) code = -(1 + (d + g) % 20);  // an item, 1..20
          if ((d * p) % 11 == 0) code = 0;
          y.JJ[g][m][d][p] = static_cast<int16_t>(code);
        }
    }
  for (int g = 0; g < ggn; ++g) {
    y.JJText[g][4][29][0] = "みどりの日";           // the same in every grade
    y.JJText[g][9][1][1] = "遠足 " + std::to_string(g + 1) + "年";  // differs
  }
  y.JJText[1][12][24][0] = "  終業式, 大掃除";  // leading blanks and a comma
  y.JW[0][0].JWKind = 2;
  y.JW[1][0].JWKind = 1;
  const char* names[3] = {"1年1組", "2年1組", "山田先生"};
  for (int i = 0; i < 3; ++i) {
    JWRec& r = i < 2 ? y.JW[0][i + 1] : y.JW[1][1];
    r.JWKind = static_cast<int16_t>(i < 2 ? 1 : 2);
    r.JWName = names[i];
    for (int w = 0; w < 7; ++w)
      for (int p = 1; p <= jigen; ++p) r.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)] =
          std::string(w % 2 ? "国語" : "算数") + std::to_string(p);
  }
}

struct Fixture {
  TempDir dir;
  FakePlatform fake;
  std::unique_ptr<App> app = std::make_unique<App>();
  Fixture() {
    fake.install(*app);
    app->F.AppPath = dir.dir();
    app->F.IniFile = dir.file("tly.ini");
  }
  std::unique_ptr<App> fresh() {
    auto a = std::make_unique<App>();
    fake.install(*a);
    a->F.AppPath = dir.dir();
    return a;
  }
};

TEST(Ver2, FilesAreByteExact) {
  auto y = std::make_unique<SchoolYear>();
  y->JJ[0][0][0][0] = 1999;
  y->Ggn = 3;
  y->Jigen = 6;
  y->JJ[1][4][0][0] = 30;
  y->JJ[1][4][3][2] = -3;   // item 3: written as 3
  y->JJ[0][5][1][1] = -13;  // item 13 stays negative
  y->JJ[2][3][31][6] = 23;  // slot reference
  y->JJ[2][3][31][7] = 45;  // period 7 has no slot in this format
  for (int g = 0; g < 3; ++g) y->JJText[g][4][29][0] = "みどりの日";
  y->JJText[0][5][3][1] = "a";
  y->JJText[2][5][3][1] = "b";
  y->JJText[3][6][1][0] = "grade 4 is not in this year";
  y->JW[0][0].JWKind = 1;
  y->JW[0][1] = {1, "1年1組", {}};
  y->JW[0][1].JWCell[2][3] = "理科";
  y->JW[1][0].JWKind = 1;
  y->JW[1][1] = {2, "あいうえおかきくけこさ", {}};  // 22 bytes: cut to 20
  y->JW[1][1].JWCell[0][0] = "a" + std::string("あいうえお");  // 11 bytes: cut before the last character

  Ver2Bytes b = encodeVer2(*y, "");
  ASSERT_EQ(b.main.size(), 450u * 12 * 3);
  for (int k = 0; k < 36; ++k) EXPECT_EQ(at(b.main, 450 * k), 1999);
  auto cell = [&](int g, int m, int d, int p) { return at(b.main, 450 * (12 * (g - 1) + m - 1) + 2 + 2 * (d + 32 * p)); };
  EXPECT_EQ(cell(2, 4, 0, 0), 30);
  EXPECT_EQ(cell(2, 4, 3, 2), 3);
  EXPECT_EQ(cell(1, 5, 1, 1), -13);
  EXPECT_EQ(cell(3, 3, 31, 6), 23);

  EXPECT_EQ(b.texts, toCp932("0,4,29,0,みどりの日\r\n1,5,3,1,a\r\n3,5,3,1,b\r\n"));

  ASSERT_EQ(b.timetables.size(), 1022u * 3);
  EXPECT_EQ(at(b.timetables, 0), 2);
  EXPECT_EQ(at(b.timetables, 1022), 1);
  EXPECT_EQ(b.timetables.substr(1022 + 2, 20), toCp932("1年1組") + std::string(20 - 6, ' '));
  EXPECT_EQ(b.timetables.substr(1022 + 22 + 10 * (2 + 7 * 3), 10), toCp932("理科") + "      ");
  EXPECT_EQ(at(b.timetables, 2044), 2);
  EXPECT_EQ(b.timetables.substr(2044 + 2, 20), toCp932("あいうえおかきくけこ"));
  EXPECT_EQ(b.timetables.substr(2044 + 22, 10), "a" + toCp932("あいうえ") + " ");
  EXPECT_EQ(b.timetables.substr(1022 + 512, 510), std::string(510, '\0'));

  // A shorter set over a longer old timetable file keeps the old slots after the last one.
  std::string old(1022 * 5, 'x');
  Ver2Bytes again = encodeVer2(*y, old);
  ASSERT_EQ(again.timetables.size(), old.size());
  EXPECT_EQ(again.timetables.substr(0, 3066), b.timetables);
  EXPECT_EQ(again.timetables.substr(3066), std::string(1022 * 2, 'x'));
}

TEST(Ver2, BaseNameTakesTheFileNameUpToItsFirstDot) {
  EXPECT_EQ(ver2BaseName("/d/JJTEMP.DAT"), "/d/JJTEMP");
  EXPECT_EQ(ver2BaseName("/home/a.b/year.2001.DAT"), "/home/a.b/year");  // folders keep their dots
  EXPECT_EQ(ver2BaseName("/d/averylongname"), "/d/averylon");
  EXPECT_EQ(ver2BaseName("/d/.hidden.dat"), "/d/.hidden.");
  EXPECT_EQ(ver2BaseName("平成十三年度の予定表"), "平成十三年度の予");
  EXPECT_EQ(ver2BaseName("x.DAT"), "x");
}

TEST(Ver2, SixPeriodYearSurvivesAndSevenLosesOnlyPeriodSeven) {
  for (int jigen : {6, 7}) {
    Fixture f;
    fillYear(f.app->Y, 4, jigen);
    const auto before = std::make_unique<SchoolYear>(f.app->Y);
    std::string name = f.dir.file("year.DAT");
    SaveJJ(*f.app, name);
    EXPECT_EQ(name, "");
    EXPECT_TRUE(f.fake.msg.shown.empty());
    EXPECT_EQ(readBytes(f.dir.file("year.DAT")).size(), 450u * 12 * 4);

    auto b = f.fresh();
    if (jigen == 7) {
      f.fake.msg.answers = {MsgResult::No};
      f.fake.input.answers = {"7"};
    }
    f.fake.files.choose(f.dir.file("year.DAT"));
    name.clear();
    EXPECT_TRUE(holds(loadVer2(*b, name), Ver2Read::Whole));
    EXPECT_EQ(b->F.CurFile, f.dir.file("year.DAT"));
    const SchoolYear& y = b->Y;
    EXPECT_EQ(y.nendo(), 2001);
    EXPECT_EQ(y.Ggn, 4);
    EXPECT_EQ(y.Jigen, jigen);
    EXPECT_EQ(b->S.CurYear, 2001);
    for (int g = 0; g < 6; ++g)
      for (int m = 1; m <= 12; ++m)
        for (int d = 0; d < 32; ++d) {
          for (int p = 0; p <= 7; ++p) {
            int expect = p == 7 ? 0 : before->JJ[g][m][d][p];
            ASSERT_EQ(y.JJ[g][m][d][p], expect) << g << " " << m << " " << d << " " << p;
          }
          for (int k = 0; k < 2; ++k) ASSERT_EQ(y.JJText[g][m][d][k], before->JJText[g][m][d][k]);
        }
    for (int k = 0; k < 2; ++k) {
      ASSERT_EQ(y.JW[k][0].JWKind, before->JW[k][0].JWKind);
      for (int i = 1; i <= y.JW[k][0].JWKind; ++i) {
        EXPECT_EQ(y.JW[k][i].JWKind, k + 1);
        EXPECT_EQ(y.JW[k][i].JWName, before->JW[k][i].JWName);
        for (int w = 0; w < 7; ++w)
          for (int p = 0; p < 10; ++p)
            EXPECT_EQ(y.JW[k][i].JWCell[w][p], p == 7 ? "" : before->JW[k][i].JWCell[w][p]);
      }
    }
    EXPECT_EQ(b->W.cmbGr.items, (std::vector<std::string>{"1年", "2年", "3年", "4年"}));
    EXPECT_EQ(b->W.cmbMonth.items.front(), "4月");
    EXPECT_EQ(b->W.cmbMonth.items.back(), "3月");
    EXPECT_EQ(b->W.caption, "TLY 授業時数集計 - " + f.dir.file("year.DAT"));
    EXPECT_EQ(b->Grid1.cols(), 10);
    EXPECT_EQ(b->Grid1.colWidth(9), 2688);
    EXPECT_EQ(b->W.panel[0], "");
  }
}

TEST(Ver2, PeriodQuestionAsksAgainUntilFiveToSeven) {
  Fixture f;
  fillYear(f.app->Y, 3, 6);
  std::string name = kOldWorkFileName;
  SaveJJ(*f.app, name);
  ASSERT_FALSE(readBytes(f.dir.file("JJTEMP.DAT")).empty());
  ASSERT_FALSE(readBytes(f.dir.file("JJTEMP.das")).empty());

  auto b = f.fresh();
  f.fake.msg.answers = {MsgResult::No, MsgResult::No, MsgResult::No, MsgResult::No};
  f.fake.input.answers = {"4.4", "", "abc", "6.5"};
  name = kOldWorkFileName;
  LoadJJ(*b, name);
  EXPECT_EQ(b->Y.Jigen, 6);  // 6.5 rounds to the even neighbour
  ASSERT_EQ(f.fake.msg.shown.size(), 4u);
  const auto& q = f.fake.msg.shown[0];
  EXPECT_EQ(q.text, "Ver.3のデータ形式に変換します。\r\n１日は６時限ですか？");
  EXPECT_EQ(q.buttons, MsgButtons::YesNo);
  EXPECT_EQ(q.icon, MsgIcon::None);
  EXPECT_EQ(q.title, "Ver.2データ読み込み");
  ASSERT_EQ(f.fake.input.asked.size(), 4u);
  EXPECT_EQ(f.fake.input.asked[0].prompt, "１日の時限数を入力してください。（5～7）");

  f.fake.msg.shown.clear();
  f.fake.msg.answers = {MsgResult::No};
  f.fake.input.answers = {"4.5"};  // rounds to 4: asked again, then Yes
  name = kOldWorkFileName;
  LoadJJ(*b, name);
  EXPECT_EQ(b->Y.Jigen, 6);
  EXPECT_EQ(f.fake.msg.shown.size(), 2u);
  f.fake.msg.answers = {MsgResult::No};
  f.fake.input.answers = {"5.4"};
  name = kOldWorkFileName;
  LoadJJ(*b, name);
  EXPECT_EQ(b->Y.Jigen, 5);
}

TEST(Ver2, MissingFilesStopWhereThePartSays) {
  Fixture f;
  fillYear(f.app->Y, 3, 6);
  f.app->F.CurFile = "/somewhere/open.DAT";
  const auto before = std::make_unique<SchoolYear>(f.app->Y);

  // No main file: nothing changes, no question.
  std::string name = f.dir.file("none.DAT");
  EXPECT_TRUE(loadVer2(*f.app, name).is(Fault::NotFound));
  EXPECT_TRUE(f.fake.msg.shown.empty());
  EXPECT_EQ(f.app->F.CurFile, "/somewhere/open.DAT");
  writeBytes(f.dir.file("empty.DAT"), "");
  name = f.dir.file("empty.DAT");
  EXPECT_TRUE(loadVer2(*f.app, name).is(Fault::NotFound));
  f.fake.files.choose(f.dir.file("typed.DAT"));  // a typed name that does not exist
  name.clear();
  EXPECT_TRUE(loadVer2(*f.app, name).is(Fault::NotFound));
  EXPECT_EQ(f.fake.files.asked.back().title, "ファイルを開く");
  EXPECT_FALSE(f.fake.files.asked.back().save);
  EXPECT_EQ(f.app->F.CurFile, "/somewhere/open.DAT");
  f.fake.files.fail();
  EXPECT_TRUE(loadVer2(*f.app, name).is(Fault::Cancelled));
  ASSERT_EQ(f.fake.msg.shown.size(), 1u);
  EXPECT_EQ(f.fake.msg.shown[0].text, "指定に誤りがあります。");
  f.fake.msg.shown.clear();

  // A set written from another year, then its text file removed: the cells are taken,
  // the texts cleared, the timetables kept, no message.
  auto other = f.fresh();
  fillYear(other->Y, 5, 6);
  other->Y.JJ[0][0][0][0] = 2010;
  other->Y.JW[0][0].JWKind = 0;
  name = f.dir.file("other.DAT");
  SaveJJ(*other, name);
  std::filesystem::remove(f.dir.file("other.das"));
  name = f.dir.file("other.DAT");
  EXPECT_TRUE(holds(loadVer2(*f.app, name), Ver2Read::StoppedNoTexts));
  EXPECT_EQ(f.fake.msg.shown.size(), 1u);  // only the period question
  EXPECT_EQ(f.app->Y.nendo(), 2010);
  EXPECT_EQ(f.app->Y.Ggn, 5);
  EXPECT_EQ(f.app->Y.JJText[0][4][29][0], "");
  EXPECT_EQ(f.app->Y.JW[0][0].JWKind, 2);
  EXPECT_EQ(f.app->Y.JW[0][1].JWName, "1年1組");
  EXPECT_EQ(f.app->F.CurFile, "");

  // Timetable file missing: texts are read, timetables kept.
  name = f.dir.file("other.DAT");
  SaveJJ(*other, name);
  std::filesystem::remove(f.dir.file("other.daj"));
  name = f.dir.file("other.DAT");
  EXPECT_TRUE(holds(loadVer2(*f.app, name), Ver2Read::StoppedNoTimetables));
  EXPECT_EQ(f.app->Y.JJText[0][4][29][0], "みどりの日");
  EXPECT_EQ(f.app->Y.JW[0][0].JWKind, 2);
}

TEST(Ver2, ShortMainFileReadsMissingRecordsAsEmpty) {
  // One grade of records, then a half record: grade 2 onwards is empty and not a grade.
  auto y = std::make_unique<SchoolYear>();
  fillYear(*y, 1, 6);
  Ver2Bytes b = encodeVer2(*y, "");
  auto r = std::make_unique<SchoolYear>();
  r->Ggn = 0;
  for (int d = 0; d < 32; ++d) r->JJ[1][1][d][3] = 42;  // stale contents of the open year
  ASSERT_TRUE(decodeVer2Main(b.main + std::string(100, '\0'), *r).ok());
  EXPECT_EQ(r->Ggn, 1);
  EXPECT_EQ(r->JJ[0][1][0][0], 31);
  EXPECT_EQ(r->JJ[1][1][5][3], 0);

  // A file cut anywhere reads exactly as the same bytes padded with zeros to full length.
  const std::string full = b.main + std::string(kGrades * 12 * kVer2MainRecord, '\0');
  for (size_t cut : {size_t(0), size_t(3), kVer2MainRecord - 1, kVer2MainRecord, 12 * kVer2MainRecord + 1,
                     b.main.size()}) {
    const std::string shortMain = full.substr(0, cut);
    const std::string padded = shortMain + std::string(kGrades * 12 * kVer2MainRecord - cut, '\0');
    auto a = std::make_unique<SchoolYear>(), z = std::make_unique<SchoolYear>();
    for (SchoolYear* s : {a.get(), z.get()})
      for (int g = 0; g < kGrades; ++g)
        for (int d = 0; d < kDaySlots; ++d) s->JJ[g][7][d][7] = 42;
    ASSERT_EQ(decodeVer2Main(shortMain, *a).ok(), decodeVer2Main(padded, *z).ok()) << cut;
    EXPECT_EQ(std::memcmp(a->JJ, z->JJ, sizeof a->JJ), 0) << cut;
    EXPECT_EQ(a->Ggn, z->Ggn) << cut;
  }
}

TEST(Ver2, DamagedFilesAreReportedAndLeaveTheYearAlone) {
  struct Case {
    const char* what;
    std::string main, texts, timetables;
    int code;
  };
  auto y = std::make_unique<SchoolYear>();
  fillYear(*y, 3, 6);
  const Ver2Bytes good = encodeVer2(*y, "");
  std::string badCell = good.main, badLength = good.main, badYear = good.main;
  badCell.replace(450 * 3 + 2 + 2 * (5 + 32 * 2), 2, le16(85));  // weekday 8 does not exist
  badLength.replace(2, 2, le16(45));                             // a month of 45 days
  badYear.replace(0, 2, le16(-5));
  std::string manyTimetables = good.timetables;
  manyTimetables.replace(0, 2, le16(999));
  std::string tooManyOfAKind = le16(201) + std::string(1020, ' ');
  for (int i = 0; i < 201; ++i) tooManyOfAKind += le16(1) + std::string(1020, ' ');
  const Case cases[] = {
      {"cell", badCell, good.texts, good.timetables, 9},
      {"length", badLength, good.texts, good.timetables, 9},
      {"year", badYear, good.texts, good.timetables, 9},
      {"count", good.main, good.texts, manyTimetables, 9},
      {"kind over 200", good.main, good.texts, tooManyOfAKind, 9},
  };
  for (const auto& c : cases) {
    Fixture f;
    fillYear(f.app->Y, 4, 7);
    f.app->Y.JJ[0][0][0][0] = 1990;
    f.app->F.CurFile = "/x/open.DAT";
    const auto before = std::make_unique<SchoolYear>(f.app->Y);
    writeBytes(f.dir.file("bad.DAT"), c.main);
    writeBytes(f.dir.file("bad.das"), c.texts);
    writeBytes(f.dir.file("bad.daj"), c.timetables);
    std::string name = f.dir.file("bad.DAT");
    EXPECT_TRUE(loadVer2(*f.app, name).is(Fault::Damaged)) << c.what;
    ASSERT_EQ(f.fake.msg.shown.size(), 2u) << c.what;
    EXPECT_EQ(f.fake.msg.shown[1].text, "データファイル(Ver.2)を読み込み中にエラーが発生しました。\rError Code " +
                                            std::to_string(c.code))
        << c.what;
    EXPECT_EQ(f.fake.msg.shown[1].title, "TLY");
    EXPECT_EQ(f.app->Y.nendo(), 1990) << c.what;
    EXPECT_EQ(f.app->Y.Jigen, 7) << c.what;
    EXPECT_EQ(std::memcmp(f.app->Y.JJ, before->JJ, sizeof before->JJ), 0) << c.what;
    EXPECT_EQ(f.app->Y.JJText[1][9][1][1], before->JJText[1][9][1][1]) << c.what;
    EXPECT_EQ(f.app->F.CurFile, "") << c.what;
  }
}

TEST(Ver2, TextLinesAcceptBlanksOrCommasAndSkipInvalidRecords) {
  auto y = std::make_unique<SchoolYear>();
  y->Ggn = 3;
  y->JJText[0][6][6][0] = "stale";
  std::string t = toCp932(
      " 0  4  29  0 みどりの日\r\n"
      "2, 5, 3, 1,  two blanks, then a comma\r\n"
      "\r\n"
      "7,5,3,0,no grade 7\n"
      "1,0,3,0,no month 0\n"
      "1,5,32,0,no day 32\n"
      "1,5,3,2,no kind 2\n"
      "99999999999,5,3,0,huge grade\n"
      "3,12,31,1\n");
  ASSERT_TRUE(decodeVer2Texts(t, *y).ok());
  for (int g = 0; g < 3; ++g) EXPECT_EQ(y->JJText[g][4][29][0], "みどりの日");
  EXPECT_EQ(y->JJText[3][4][29][0], "");  // only grades 1..Ggn
  EXPECT_EQ(y->JJText[1][5][3][1], "  two blanks, then a comma");
  EXPECT_EQ(y->JJText[0][5][3][0], "");
  EXPECT_EQ(y->JJText[0][6][6][0], "");
  EXPECT_EQ(y->JJText[2][12][31][1], "");
}

// A line of the text file that cannot be read is skipped, the rest is read and the user
// told how many lines were skipped.
TEST(Ver2, UnreadableTextLinesAreSkippedAndCounted) {
  Fixture f;
  auto y = std::make_unique<SchoolYear>();
  fillYear(*y, 3, 6);
  const Ver2Bytes good = encodeVer2(*y, "");
  const size_t mid = good.texts.find("\r\n") + 2;
  const std::string texts = "x,y,z\r\n" + good.texts.substr(0, mid) + toCp932("運動会\r\n1,5\r\n") +
                            good.texts.substr(mid);
  writeBytes(f.dir.file("lines.DAT"), good.main);
  writeBytes(f.dir.file("lines.das"), texts);
  writeBytes(f.dir.file("lines.daj"), good.timetables);
  std::string name = f.dir.file("lines.DAT");
  EXPECT_TRUE(holds(loadVer2(*f.app, name), Ver2Read::Whole));
  EXPECT_TRUE(f.fake.msg.saw("読み取れない 3 行を読み飛ばしました。"));
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(f.app->Y.JJText[g][4][29][0], "みどりの日");
    EXPECT_EQ(f.app->Y.JJText[g][9][1][1], y->JJText[g][9][1][1]);
  }
  EXPECT_EQ(f.app->Y.JJText[1][12][24][0], y->JJText[1][12][24][0]);

  // A file whose lines all read says nothing about skipping.
  Fixture g;
  writeBytes(g.dir.file("ok.DAT"), good.main);
  writeBytes(g.dir.file("ok.das"), good.texts);
  writeBytes(g.dir.file("ok.daj"), good.timetables);
  name = g.dir.file("ok.DAT");
  EXPECT_TRUE(holds(loadVer2(*g.app, name), Ver2Read::Whole));
  EXPECT_FALSE(g.fake.msg.saw("読み飛ばしました"));
}

TEST(Ver2, SaveDialogAndFailedSaveKeepTheOldFiles) {
  Fixture f;
  fillYear(f.app->Y, 3, 6);
  // Through the dialog: ".dat" is appended, an existing file is confirmed, No writes nothing.
  f.fake.files.choose(f.dir.file("plan"));
  std::string name;
  EXPECT_TRUE(saveVer2(*f.app, name).ok());
  ASSERT_EQ(f.fake.files.asked.size(), 1u);
  const auto& req = f.fake.files.asked[0];
  EXPECT_EQ(req.title, "ファイル名を付けて保存");
  ASSERT_EQ(req.filters.size(), 2u);
  EXPECT_EQ(req.filters[0].label, "Data File (*.DAT)");
  EXPECT_EQ(req.filters[1].pattern, "*.*");
  EXPECT_EQ(f.app->F.CurFile, f.dir.file("plan.dat"));
  const std::string first = readBytes(f.dir.file("plan.dat"));
  EXPECT_EQ(first.size(), 450u * 36);
  EXPECT_TRUE(f.fake.msg.shown.empty());

  f.app->Y.JJ[0][0][0][0] = 2002;
  f.fake.files.choose(f.dir.file("plan.dat"));
  f.fake.msg.answers = {MsgResult::No};
  EXPECT_TRUE(saveVer2(*f.app, name).is(Fault::Cancelled));
  ASSERT_EQ(f.fake.msg.shown.size(), 1u);
  EXPECT_EQ(f.fake.msg.shown[0].text, "同名のファイルが存在します。\r上書きしてよろしいですか？");
  EXPECT_EQ(f.fake.msg.shown[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(readBytes(f.dir.file("plan.dat")) == first);

  // A companion that cannot be replaced (a folder in its place) fails the whole save and
  // leaves the main file as it was.
  const std::string texts = readBytes(f.dir.file("plan.das"));
  f.app->Y.JJText[0][4][29][0] = "changed";
  std::filesystem::remove(f.dir.file("plan.daj"));
  std::filesystem::create_directory(f.dir.file("plan.daj"));
  writeBytes(f.dir.file("plan.daj/keep"), "x");
  f.fake.msg.shown.clear();
  name = f.dir.file("plan.dat");
  EXPECT_FALSE(saveVer2(*f.app, name).ok());
  ASSERT_EQ(f.fake.msg.shown.size(), 1u);
  EXPECT_EQ(f.fake.msg.shown[0].text.rfind("データファイルを書き込み中にエラーが発生しました。\rError Code ", 0), 0u);
  EXPECT_TRUE(readBytes(f.dir.file("plan.dat")) == first);
  EXPECT_EQ(readBytes(f.dir.file("plan.das")), texts);
  EXPECT_EQ(f.app->W.panel[0], "");
  for (const auto& e : std::filesystem::directory_iterator(f.dir.dir())) {
    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
    EXPECT_EQ(e.path().filename().string().find(".bak-"), std::string::npos) << e.path();
  }

  // Cancel writes nothing and asks nothing.
  f.fake.msg.shown.clear();
  f.fake.files.cancel();
  name.clear();
  EXPECT_TRUE(saveVer2(*f.app, name).is(Fault::Cancelled));
  EXPECT_TRUE(f.fake.msg.shown.empty());
}

}  // namespace
}  // namespace tly

namespace tly {
namespace {

// The current-format reader falls back to the older working file and then the settings
// file; an older working file that is not there changes nothing by itself.
TEST(Ver2, WorkingFileFallbackReadsTheOlderFileThenTheSettingsFile) {
  {
    Fixture f;  // empty folder: only the settings file's defaults
    f.app->Grid1.setCols(3);
    f.app->W.caption = "before";
    std::string name = kWorkFileName;
    (void)LoadJJ3(*f.app, name);
    EXPECT_EQ(f.app->Grid1.cols(), 3);  // the older grid only with an older file
    EXPECT_EQ(f.app->W.caption, "before");
    EXPECT_EQ(f.app->Y.JItemCount, 8);
    EXPECT_TRUE(f.fake.msg.shown.empty());
  }
  {
    Fixture f;  // a settings file alone is read
    writeBytes(f.dir.file("tly.ini"), "[TLYWindow]\r\nLeft=500\r\n[TLY]\r\nJItem=2\r\n");
    std::string name = kWorkFileName;
    (void)LoadJJ3(*f.app, name);
    EXPECT_EQ(f.app->W.left, 500);
    EXPECT_EQ(f.app->Y.JItemCount, 2);
  }
  {
    Fixture f;  // an older working file without a settings file takes its defaults
    fillYear(f.app->Y, 4, 6);
    std::string name = kOldWorkFileName;
    SaveJJ(*f.app, name);
    auto b = f.fresh();
    b->F.IniFile = f.dir.file("tly.ini");
    name = kWorkFileName;
    (void)LoadJJ3(*b, name);
    EXPECT_EQ(b->Y.nendo(), 2001);
    EXPECT_EQ(b->Y.Ggn, 3);  // the settings file's default grade count
    EXPECT_EQ(b->Y.JItemCount, 8);
    EXPECT_EQ(b->Y.JItem[8], "*");
    EXPECT_EQ(b->W.left, 240);
  }
}

}  // namespace
}  // namespace tly
