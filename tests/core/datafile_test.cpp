#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "model/cp932.h"
#include "rules/celltext.h"
#include "session/files/datafile.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::TestApp;

// Little-endian bytes written one by one, for expected file contents built by hand.
struct Bytes {
  std::string s;
  Bytes& i16(int v) {
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>((v >> 8) & 0xff));
    return *this;
  }
  Bytes& i32(long v) {
    for (int k = 0; k < 4; ++k) s.push_back(static_cast<char>((v >> (8 * k)) & 0xff));
    return *this;
  }
  Bytes& raw(const std::string& b) {
    s += b;
    return *this;
  }
  Bytes& text(const std::string& cp932) { return i16(static_cast<int>(cp932.size())).raw(cp932); }
  Bytes& zeros(int n16) {
    s.append(static_cast<size_t>(n16) * 2, '\0');
    return *this;
  }
};

// Every table of two years equal (the settings record included).
inline void expectSameYear(const SchoolYear& a, const SchoolYear& b) {
  EXPECT_EQ(a.Ggn, b.Ggn);
  EXPECT_EQ(a.Jigen, b.Jigen);
  EXPECT_EQ(0, std::memcmp(a.JJ, b.JJ, sizeof a.JJ));
  int textDiffs = 0;
  for (int g = 0; g < kGrades; ++g)
    for (int m = 0; m < kMonthSlots; ++m)
      for (int d = 0; d < kDaySlots; ++d)
        for (int k = 0; k < kTextKinds; ++k) textDiffs += a.JJText[g][m][d][k] != b.JJText[g][m][d][k];
  EXPECT_EQ(textDiffs, 0);
  EXPECT_EQ(a.JItemCount, b.JItemCount);
  EXPECT_EQ(a.JItem, b.JItem);
  int jwDiffs = 0;
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i <= kMaxTimetables; ++i) {
      const JWRec &x = a.JW[k][i], &y = b.JW[k][i];
      jwDiffs += x.JWKind != y.JWKind || x.JWName != y.JWName || x.JWCell != y.JWCell;
    }
  EXPECT_EQ(jwDiffs, 0);
  EXPECT_EQ(a.Fs.FsColWidth, b.Fs.FsColWidth);
  EXPECT_EQ(a.Fs.FsReserved, b.Fs.FsReserved);
  EXPECT_EQ(a.Fs.FsFontName, b.Fs.FsFontName);
  EXPECT_EQ(a.Fs.FsFontSize, b.Fs.FsFontSize);
  EXPECT_EQ(a.Fs.FsJItem, b.Fs.FsJItem);
  EXPECT_EQ(a.Fs.FsDspJWList, b.Fs.FsDspJWList);
  EXPECT_EQ(a.Fs.FsJWClass, b.Fs.FsJWClass);
  EXPECT_EQ(a.Fs.FsKikan, b.Fs.FsKikan);
}


// The settings block of a record whose members are all zero or empty: 1228 bytes.
void emptySettings(Bytes& b) {
  b.zeros(5 + 16 + 429);  // check states, column widths, reserved
  b.text("").i32(0).zeros(2);   // font name, size, bold, italic
  b.text("").i32(0).zeros(10);  // print font, print settings
  b.zeros(1);                   // item count
  for (int i = 0; i < 33; ++i) b.text("");
  b.zeros(4);  // grade index, spare, selector index, selector count
  for (int i = 0; i < 101; ++i) b.text("");
  b.i32(0).zeros(1).i32(0).zeros(2);
}

// A three-grade, six-period year 1999 with a few cells set in April of grade 1.
std::unique_ptr<SchoolYear> smallYear() {
  auto y = std::make_unique<SchoolYear>();
  test::fillYear(*y, {.nendo = 1999, .monthLength = 30});
  y->JJ[0][4][1][1] = -3;   // item 3
  y->JJ[0][4][1][2] = -13;  // item 13
  y->JJ[0][4][1][3] = 23;   // Monday period 3
  y->JJ[0][4][1][7] = -5;   // above Jigen: not written
  return y;
}

std::string smallYearBytes() {
  Bytes b;
  b.raw("TLY300").i16(1999).i16(3).i16(6);
  emptySettings(b);
  for (int g = 1; g <= 3; ++g)
    for (int m = 1; m <= 12; ++m) {
      std::vector<int> cells(320, 0);
      cells[0] = 30;
      if (g == 1 && m == 4) {
        cells[1 + 32 * 1] = 3;
        cells[1 + 32 * 2] = -13;
        cells[1 + 32 * 3] = 23;
      }
      b.i16(1999);
      for (int v : cells) b.i16(v);
    }
  b.i16(0).i16(0).i16(0);  // no texts, no class or teacher timetables
  return b.s;
}

TEST(DataFile, SmallYearIsWrittenByteForByte) {
  auto y = smallYear();
  std::string expected = smallYearBytes();
  EXPECT_EQ(expected.size(), 12u + 1228 + 36 * 642 + 6);
  EXPECT_EQ(encodeDataFile(*y), expected);

  // Reading back: items come back negative, slot references as they are, and the
  // periods above Jigen keep what the year held before.
  auto r = std::make_unique<SchoolYear>();
  r->JJ[0][4][1][7] = 77;
  r->JJ[0][4][1][8] = 78;
  ASSERT_TRUE(decodeDataFile(expected, *r).ok());
  EXPECT_EQ(r->nendo(), 1999);
  EXPECT_EQ(r->Ggn, 3);
  EXPECT_EQ(r->Jigen, 6);
  EXPECT_EQ(r->JJ[0][4][1][1], -3);
  EXPECT_EQ(r->JJ[0][4][1][2], -13);
  EXPECT_EQ(r->JJ[0][4][1][3], 23);
  EXPECT_EQ(r->JJ[0][4][1][7], 77);
  EXPECT_EQ(r->JJ[0][4][1][8], 78);
  EXPECT_EQ(r->JJ[2][3][0][0], 30);

  // A positive 1..10 in a file (as other writers may leave it) reads as an item.
  std::string edited = expected;
  size_t april = 12 + 1228 + 3 * 642;
  edited[april + 2 + 2 * (2 + 32 * 4)] = 5;
  ASSERT_TRUE(decodeDataFile(edited, *r).ok());
  EXPECT_EQ(r->JJ[0][4][2][4], -5);
}

TEST(DataFile, SameTextInEveryGradeBecomesOneRecord) {
  auto y = smallYear();
  const std::string undoukai = "運動会", ensoku = "遠足";
  for (int g = 0; g < 3; ++g) y->JJText[g][5][10][0] = undoukai;  // all alike: grade 0
  y->JJText[0][5][11][1] = ensoku;                                // grade 1 and 3 only
  y->JJText[2][5][11][1] = ensoku;
  y->JJText[0][6][1][0] = undoukai;  // grades differ: one record each
  y->JJText[1][6][1][0] = ensoku;
  y->JJText[2][6][1][0] = undoukai;

  std::string undoukaiSjis = "\x89\x5e\x93\xae\x89\xef", ensokuSjis = "\x89\x93\x91\xab";
  Bytes t;
  t.i16(6);
  t.i16(0).i16(5).i16(10).i16(0).text(undoukaiSjis);
  t.i16(1).i16(5).i16(11).i16(1).text(ensokuSjis);
  t.i16(3).i16(5).i16(11).i16(1).text(ensokuSjis);
  t.i16(1).i16(6).i16(1).i16(0).text(undoukaiSjis);
  t.i16(2).i16(6).i16(1).i16(0).text(ensokuSjis);
  t.i16(3).i16(6).i16(1).i16(0).text(undoukaiSjis);
  t.i16(0).i16(0);

  std::string bytes = encodeDataFile(*y);
  size_t textsAt = 12 + 1228 + 36 * 642;
  EXPECT_EQ(bytes.substr(textsAt), t.s);

  // Reading applies grade 0 to grades 1..Ggn only and skips records it cannot place.
  Bytes odd;
  odd.i16(5);
  odd.i16(0).i16(7).i16(7).i16(0).text("A");
  odd.i16(7).i16(7).i16(8).i16(0).text("B");  // grade 7
  odd.i16(1).i16(0).i16(8).i16(0).text("C");  // month 0
  odd.i16(1).i16(7).i16(8).i16(2).text("D");  // kind 2
  odd.i16(5).i16(7).i16(9).i16(1).text("E");  // grade 5 of a 3-grade year is kept
  odd.i16(0).i16(0);
  auto r = std::make_unique<SchoolYear>();
  r->JJText[1][7][8][0] = "old";  // cleared by the read
  r->JJText[3][7][7][0] = "old";
  ASSERT_TRUE(decodeDataFile(bytes.substr(0, textsAt) + odd.s, *r).ok());
  EXPECT_EQ(r->JJText[0][7][7][0], "A");
  EXPECT_EQ(r->JJText[2][7][7][0], "A");
  EXPECT_EQ(r->JJText[3][7][7][0], "");
  EXPECT_EQ(r->JJText[1][7][8][0], "");
  EXPECT_EQ(r->JJText[4][7][9][1], "E");

  ASSERT_TRUE(decodeDataFile(bytes, *r).ok());
  EXPECT_EQ(r->JJText[1][5][10][0], undoukai);
  EXPECT_EQ(r->JJText[1][5][11][1], "");
  EXPECT_EQ(r->JJText[1][6][1][0], ensoku);

  // A year of no grades (a file written while no year was open) has no grade for a text
  // read from a grade's record: no record of it is written, so that what is written reads
  // back and writes the same.
  auto none = std::make_unique<SchoolYear>();
  none->JJText[0][4][7][1] = "メモ";
  const std::string noGrades = encodeDataFile(*none);
  EXPECT_EQ(noGrades.find(toCp932("メモ")), std::string::npos);
  ASSERT_TRUE(decodeDataFile(noGrades, *r).ok());
  EXPECT_EQ(encodeDataFile(*r), noGrades);
}

TEST(DataFile, TimetablesKeepPeriodsUpToJigenAndAreTrimmedOnReading) {
  auto y = smallYear();
  y->JW[0][0].JWKind = 1;
  y->JW[0][1].JWKind = 1;
  y->JW[0][1].JWName = " 1年1組";
  y->JW[0][1].JWCell[1][1] = " 国語 ";
  y->JW[0][1].JWCell[6][7] = "理科";  // period 7 of a 6-period year
  y->JW[1][0].JWKind = 0;

  Bytes t;
  t.i16(0).i16(1).i16(1).text(" 1\x94\x4e" "1\x91\x67");
  for (int p = 0; p < 10; ++p)
    for (int w = 0; w < 7; ++w) t.text(p == 1 && w == 1 ? " \x8d\x91\x8c\xea " : "");
  t.i16(0);
  std::string bytes = encodeDataFile(*y);
  EXPECT_EQ(bytes.substr(12 + 1228 + 36 * 642), t.s);

  auto r = std::make_unique<SchoolYear>();
  r->JW[1][5].JWName = "old";
  ASSERT_TRUE(decodeDataFile(bytes, *r).ok());
  EXPECT_EQ(r->timetableCount(0), 1);
  EXPECT_EQ(r->JW[0][1].JWName, " 1年1組");  // names as read
  EXPECT_EQ(r->JW[0][1].JWCell[1][1], "国語");
  EXPECT_EQ(r->JW[1][5].JWName, "");
}

// A year with every table full: 6 grades, 7 periods, texts everywhere, 200 + 200 timetables.
std::unique_ptr<SchoolYear> fullYear(unsigned seed) {
  std::mt19937 rng(seed);
  auto y = std::make_unique<SchoolYear>();
  const char* words[] = {"国語", "算数", "ｸﾗﾌﾞ", "行事", "学活", "A組", "振替休日", "運動会"};
  auto word = [&] { return std::string(words[rng() % 8]) + std::to_string(rng() % 100); };
  y->JJ[0][0][0][0] = 2026;
  y->Ggn = 6;
  y->Jigen = 7;
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m) {
      y->JJ[g][m][0][0] = 31;
      for (int d = 1; d <= 31; ++d) {
        for (int p = 1; p <= 7; ++p) {
          int r = int(rng() % 4);
          y->JJ[g][m][d][p] = int16_t(r == 0 ? 0 : r == 1 ? -int(rng() % 20 + 1) : int(rng() % 7 + 1) * 10 + p);
        }
        y->JJText[g][m][d][0] = g == 0 || rng() % 3 ? y->JJText[0][m][d][0] : word();
        if (y->JJText[g][m][d][0].empty()) y->JJText[g][m][d][0] = word();
        if (rng() % 2) y->JJText[g][m][d][1] = word();
      }
    }
  y->JItemCount = 16;
  for (int i = 0; i < 16; ++i) y->JItem[size_t(i)] = word();
  for (int k = 0; k < 2; ++k) {
    y->JW[k][0].JWKind = 200;
    for (int i = 1; i <= 200; ++i) {
      y->JW[k][i].JWKind = int16_t(k + 1);
      y->JW[k][i].JWName = word();
      for (int w = 0; w < 7; ++w)
        for (int p = 0; p <= 7; ++p) y->JW[k][i].JWCell[size_t(w)][size_t(p)] = word();
    }
  }
  FileSettings& fs = y->Fs;
  fs.FsFontName = "ＭＳ Ｐ明朝";
  fs.FsFontSize = 10.5f;
  fs.FsPrnFontName = "ＭＳ Ｐゴシック";
  fs.FsPrnFontSize = 14;
  for (size_t i = 0; i < fs.FsReserved.size(); ++i) fs.FsReserved[i] = int16_t(rng());
  fs.FsColWidth[0] = 560;
  fs.FsJItemCount = 16;
  for (int i = 0; i < 33; ++i) fs.FsJItem[size_t(i)] = word();
  fs.FsGrIndex = 5;
  fs.FsDspJWCount = 101;
  fs.FsDspJWIndex = 150;
  for (auto& s : fs.FsDspJWList) s = word();
  fs.FsJWClass = -1;
  fs.FsRefClass = 0x12345678;
  fs.FsKikan = 2;
  return y;
}

TEST(DataFile, FullYearRoundTripsExactly) {
  for (unsigned seed : {1u, 2u}) {
    auto y = fullYear(seed);
    std::string bytes = encodeDataFile(*y);
    auto r = std::make_unique<SchoolYear>();
    ASSERT_TRUE(decodeDataFile(bytes, *r).ok());
    r->JItemCount = y->JItemCount;  // the read takes items from the settings record
    r->JItem = y->JItem;
    expectSameYear(*y, *r);
    EXPECT_EQ(encodeDataFile(*r), bytes);
  }
}

// Reading bytes both ways, texts joined and one by one: the same outcome, message and year.
void expectSameReadBothWays(const std::string& bytes, const SchoolYear& start) {
  auto joined = std::make_unique<SchoolYear>(start), each = std::make_unique<SchoolYear>(start);
  Result<void> r = decodeDataFile(bytes, *joined, Cp932Pass::Joined);
  Result<void> rEach = decodeDataFile(bytes, *each, Cp932Pass::OneByOne);
  ASSERT_EQ(r.ok(), rEach.ok());
  if (r.ok()) return expectSameYear(*joined, *each);
  EXPECT_EQ(r.code(), rEach.code());
  EXPECT_EQ(r.failure().why, rEach.failure().why);
  EXPECT_EQ(r.failure().error, rEach.failure().error);
}

// Converting a file's texts all together gives what converting them one by one gives,
// for texts that are hard to convert, wherever in the file they stand.
TEST(DataFile, TextsConvertTogetherAsTheyDoOneByOne) {
  // Writing: UTF-8 that CP932 cannot hold, that is not UTF-8, that ends inside a
  // character, or that is too long, next to each other in every part of the file.
  std::string long1;
  for (int i = 0; i < 40000; ++i) long1 += "あ";  // 80000 bytes: cut
  const std::vector<std::string> tricky = {"a😀b", "x\xe3\x81", "\x81y", "\xff", "\xc0\x80", " 国語 ", long1, "", "ｸﾗﾌﾞ"};
  auto y = fullYear(3);
  for (size_t i = 0; i < tricky.size(); ++i) {
    const std::string& t = tricky[i];
    y->Fs.FsJItem[i] = t;
    for (int g = 0; g < 6; ++g) y->JJText[g][5][int(i) + 1][0] = t;  // one record for every grade
    y->JJText[int(i) % 6][6][int(i) + 1][1] = t;
    y->JW[0][int(i) + 1].JWName = t;
    for (auto& day : y->JW[1][int(i) + 1].JWCell) day[i % kPeriodSlots] = t;
  }
  y->Fs.FsFontName = tricky[1];
  auto expectSameWrittenBothWays = [](const SchoolYear& year) {
    EncodeNotes joinedNotes, eachNotes;
    std::string bytes = encodeDataFile(year, joinedNotes, Cp932Pass::Joined);
    EXPECT_EQ(bytes, encodeDataFile(year, eachNotes, Cp932Pass::OneByOne));
    EXPECT_TRUE(joinedNotes.lossy && joinedNotes.cut);
    EXPECT_TRUE(eachNotes.lossy && eachNotes.cut);
    expectSameReadBothWays(bytes, SchoolYear());
  };
  expectSameWrittenBothWays(*y);
  // A text holding a NUL: the texts cannot be joined and go one by one.
  y->JW[1][7].JWName = std::string("a\0\x81", 3);
  expectSameWrittenBothWays(*y);

  // Reading: CP932 that is no character, a lead byte at the end of a text followed by a
  // text that starts with a possible second byte, records that overwrite one another.
  const std::string lone = "\x81", spaced = " \x81 ";
  Bytes t;
  t.i16(6);
  t.i16(1).i16(4).i16(1).i16(0).text(lone);
  t.i16(0).i16(4).i16(1).i16(0).text("A\x81");  // every grade, over grade 1's
  t.i16(2).i16(4).i16(1).i16(0).text("@A");      // then grade 2 alone
  t.i16(1).i16(4).i16(2).i16(1).text("\x8d\x91");
  t.i16(1).i16(4).i16(2).i16(1).text("\x80\xfd");  // the later record wins
  t.i16(9).i16(4).i16(3).i16(0).text("@");          // no such grade
  t.i16(1).i16(1).text(lone);  // one class timetable: kind, name
  for (int p = 0; p < kPeriodSlots; ++p)
    for (int w = 0; w < 7; ++w) t.text(p == 0 ? spaced : p > 6 ? lone : w % 2 ? "@" : lone);
  t.i16(0);
  std::string read = smallYearBytes();
  read.replace(read.size() - 6, 6, t.s);
  auto r = std::make_unique<SchoolYear>();
  ASSERT_TRUE(decodeDataFile(read, *r).ok());
  // Each byte that is no character is carried as U+F700 + byte.
  const std::string c81 = "\xEF\x9E\x81", c80 = "\xEF\x9E\x80", cFD = "\xEF\x9F\xBD";
  EXPECT_EQ(r->JJText[0][4][1][0], "A" + c81);
  EXPECT_EQ(r->JJText[1][4][1][0], "@A");
  EXPECT_EQ(r->JJText[2][4][1][0], "A" + c81);
  EXPECT_EQ(r->JJText[0][4][2][1], c80 + cFD);
  EXPECT_EQ(r->JW[0][1].JWName, c81);
  EXPECT_EQ(r->JW[0][1].JWCell[0][0], c81);  // " \x81 ": the blank after the lead byte stays a blank
  EXPECT_EQ(r->JW[0][1].JWCell[1][1], "@");
  EXPECT_EQ(r->JW[0][1].JWCell[0][7], "");  // above Jigen
  expectSameReadBothWays(read, SchoolYear());

  // And so for whatever single bytes are changed in it.
  std::mt19937 rng(11);
  for (int i = 0; i < 300; ++i) {
    std::string changed = read;
    for (int n = 0; n < 3; ++n) changed[6 + rng() % (changed.size() - 6)] = char(rng());
    expectSameReadBothWays(changed, *smallYear());
  }
}

TEST(DataFile, DamagedBytesAreRefusedWithTheRightErrorNumber) {
  std::string good = smallYearBytes();
  auto check = [](const std::string& bytes, int wantCode, const char* what) {
    auto r = std::make_unique<SchoolYear>();
    Result<void> res = decodeDataFile(bytes, *r);
    ASSERT_TRUE(res.is(Fault::Damaged)) << what;
    EXPECT_EQ(res.failure().error, wantCode) << what;
    EXPECT_FALSE(res.failure().why.empty()) << what;
  };
  auto patch16 = [](std::string s, size_t at, int v) {
    s[at] = char(v & 0xff);
    s[at + 1] = char((v >> 8) & 0xff);
    return s;
  };
  const size_t end = good.size();
  check(patch16(good, 8, 0), kErrSubscriptOutOfRange, "Ggn 0 with a year");
  check(patch16(good, 8, 7), kErrSubscriptOutOfRange, "Ggn 7");
  check(patch16(good, 10, -1), kErrSubscriptOutOfRange, "Jigen -1");
  check(patch16(good, 10, 10), kErrSubscriptOutOfRange, "Jigen 10");
  check(patch16(good, end - 6, -1), kErrSubscriptOutOfRange, "negative text count");
  check(patch16(good, end - 6, 3), kErrInputPastEnd, "text count past the end");
  check(patch16(good, end - 4, 201), kErrSubscriptOutOfRange, "201 class timetables");
  check(patch16(good, end - 2, 1), kErrInputPastEnd, "a teacher timetable that is not there");
  check(patch16(good, 12 + 900, 40), kErrInputPastEnd, "font name longer than the file");
  check(patch16(good, 12 + 900, 0xffff), kErrInputPastEnd, "font name of 65535 bytes");
  size_t itemCountAt = 12 + 900 + 2 + 4 + 4 + 2 + 4 + 20;
  check(patch16(good, itemCountAt, 21), kErrSubscriptOutOfRange, "21 items");
  check(patch16(good, itemCountAt, -2), kErrSubscriptOutOfRange, "negative item count");
  size_t grIndexAt = itemCountAt + 2 + 66;
  check(patch16(good, grIndexAt + 6, 102), kErrSubscriptOutOfRange, "102 selector entries");
  std::string nanFont = good;
  nanFont.replace(12 + 902, 4, std::string("\x00\x00\xc0\x7f", 4));
  check(nanFont, kErrSubscriptOutOfRange, "font size NaN");

  // A file that says no year is open may have 0 grades (the working file of a first run
  // that created no year).
  auto r = std::make_unique<SchoolYear>();
  std::string noYear = encodeDataFile(*r);
  EXPECT_EQ(noYear.size(), 12u + 1228 + 6);
  EXPECT_TRUE(decodeDataFile(noYear, *r).ok());
  r->JJ[0][0][0][0] = 1999;
  check(encodeDataFile(*r), kErrSubscriptOutOfRange, "no grades in an open year");
  EXPECT_TRUE(decodeDataFile("TLY30", *r).is(Fault::NoSignature));
  EXPECT_TRUE(decodeDataFile("tly300" + good.substr(6), *r).is(Fault::NoSignature));
}

TEST(DataFile, EveryTruncationAndBitFlipIsRefusedOrReadSafely) {
  auto y = smallYear();
  y->JJText[0][4][1][0] = "入学式";
  y->JW[0][0].JWKind = 1;
  y->JW[0][1].JWKind = 1;
  y->JW[0][1].JWName = "1年";
  y->JW[0][1].JWCell[1][1] = "国語";
  std::string good = encodeDataFile(*y);
  auto r = std::make_unique<SchoolYear>();
  for (size_t n = 0; n < good.size(); ++n) {
    Result<void> res = decodeDataFile(good.substr(0, n), *r);
    ASSERT_TRUE(res.is(n < 6 ? Fault::NoSignature : Fault::Damaged)) << n;
  }
  // Flipped bits either read (a value changed) or are refused; never anything else.
  std::mt19937 rng(7);
  int refused = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string bad = good;
    size_t at = 6 + rng() % (bad.size() - 6);
    bad[at] = char(bad[at] ^ (1 << (rng() % 8)));
    *r = *y;
    Result<void> res = decodeDataFile(bad, *r);
    EXPECT_FALSE(res.is(Fault::NoSignature));
    refused += res.is(Fault::Damaged);
  }
  EXPECT_GT(refused, 0);
}

TEST(DataFile, TextsThatCp932CannotHoldOrThatAreTooLongAreReported) {
  TempDir dir;
  TestApp t;
  t.app.Y = *smallYear();
  t.app.Y.JJText[0][4][1][0] = "a😀b";
  t.app.Y.JW[0][0].JWKind = 2;
  t.app.Y.JW[0][1].JWName = std::string(65535, 'x');  // one byte too many: never the length FFFF
  std::string kana;
  for (int i = 0; i < 32767; ++i) kana += "あ";
  t.app.Y.JW[0][1].JWCell[0][1] = "x" + kana;  // 65535 bytes in CP932
  t.app.Y.JW[0][2].JWName = std::string(65534, 'y');
  t.app.Y.JW[0][2].JWCell[0][1] = kana;  // 65534 bytes: kept whole
  std::string path = dir.file("a.dat");
  EXPECT_TRUE(writeDataFileAt(t.app, path).ok());
  ASSERT_EQ(t.msg.shown.size(), 1u);
  EXPECT_EQ(t.msg.shown[0].text, std::string(kMsgLossySave) + "\r" + kMsgCutSave);

  auto r = std::make_unique<SchoolYear>();
  ASSERT_TRUE(decodeDataFile(readBytes(path), *r).ok());
  EXPECT_EQ(r->JJText[0][4][1][0], "a?b");
  EXPECT_EQ(r->JW[0][1].JWName.size(), 65534u);
  EXPECT_EQ(r->JW[0][1].JWCell[0][1].size(), 1 + 32766u * 3);  // 65533 bytes: no half character
  EXPECT_EQ(r->JW[0][2].JWName, t.app.Y.JW[0][2].JWName);
  EXPECT_EQ(r->JW[0][2].JWCell[0][1], kana);
}

// Bytes in texts that are no CP932 character come back unchanged through a read and a
// save, byte for byte, and saving them reports nothing.
TEST(DataFile, UndecodableBytesSurviveReadAndSave) {
  std::vector<std::string> texts;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char c = static_cast<char>(b);
    texts.push_back(std::string(1, c));            // alone: a lone lead byte at the end
    texts.push_back(std::string("a") + c + " z");  // a lead byte before a blank
    texts.push_back(std::string(1, c) + "\x7F" + c);  // before a byte that ends no pair, then alone
  }
  texts.push_back("\x85\x40\x81\x40");  // an unassigned pair, then 　
  texts.push_back("\x80\x80\xA0\xFD\xFE\xFF\xFF");
  texts.push_back("\xEB\x40\xFC\xFC");  // pairs outside the table
  Bytes t;
  t.i16(static_cast<int>(texts.size()));
  for (size_t i = 0; i < texts.size(); ++i) {
    const int month = 1 + int(i / 62), day = 1 + int(i % 62) / 2, kind = int(i % 2);
    t.i16(1).i16(month).i16(day).i16(kind).text(texts[i]);
  }
  t.i16(0).i16(0);
  std::string file = smallYearBytes();
  file.replace(file.size() - 6, 6, t.s);

  auto r = std::make_unique<SchoolYear>();
  ASSERT_TRUE(decodeDataFile(file, *r).ok());
  EXPECT_EQ(r->JJText[0][1][1][0], "\xEF\x9E\x80");  // 80 alone: U+F780
  for (Cp932Pass pass : {Cp932Pass::Joined, Cp932Pass::OneByOne}) {
    EncodeNotes notes;
    const std::string saved = encodeDataFile(*r, notes, pass);
    const size_t at = std::mismatch(saved.begin(), saved.end(), file.begin(), file.end()).first - saved.begin();
    EXPECT_EQ(saved.size(), file.size());
    EXPECT_EQ(at, saved.size()) << "first difference at byte " << at << ": "
                                << testing::PrintToString(saved.substr(at > 8 ? at - 8 : 0, 24)) << " instead of "
                                << testing::PrintToString(file.substr(at > 8 ? at - 8 : 0, 24));
    EXPECT_FALSE(notes.lossy);
  }
  // Cleaning a text for a cell keeps the carriers.
  EXPECT_EQ(cleanCellText(r->JJText[0][1][2][1]), r->JJText[0][1][2][1]);
}

}  // namespace
}  // namespace tly
