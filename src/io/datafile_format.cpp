// Byte layout of the current data file: encoding a year into bytes and parsing bytes
// into a year. Every count, length and index taken from a file is checked against the
// tables and against the bytes that remain before it is used.
#include <cmath>
#include <utility>
#include <vector>

#include "model/basic.h"
#include "model/bytes.h"
#include "model/cellcode.h"
#include "model/cp932.h"
#include "io/datafile_format.h"

namespace tly {

const char* const kFileSig = "TLY300";

namespace {

constexpr size_t kSigLen = 6;
constexpr size_t kMonthRecordBytes = 642;
constexpr int kFileCells = 320;  // day 0..31 x period 0..9, index d + 32 p
constexpr int kTimetableTexts = 70;
// Smallest possible sizes, used to refuse counts that cannot fit in what remains.
constexpr size_t kMinTextRecordBytes = 4 * 2 + 2;
constexpr size_t kMinTimetableBytes = 2 + 2 + kTimetableTexts * 2;

int clampInt(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// ---------------------------------------------------------------- writing

class Encoder {
 public:
  explicit Encoder(EncodeNotes& notes) : notes_(notes) {}

  ByteWriter w;

  void text(const std::string& utf8) {
    std::string b = toCp932(utf8, &notes_.lossy);
    if (b.size() > kMaxTextBytes) {
      b = cutCp932(b, kMaxTextBytes);
      notes_.cut = true;
    }
    w.text(b);
  }

 private:
  EncodeNotes& notes_;
};

void encodeSettings(Encoder& e, const FileSettings& fs) {
  ByteWriter& w = e.w;
  w.i16(fs.FsUDisp);
  w.i16(fs.FsEditAll);
  w.i16(fs.FsToolBar);
  w.i16(fs.FsDispJWC);
  w.i16(fs.FsDispJWS);
  for (int16_t v : fs.FsColWidth) w.i16(v);
  for (int16_t v : fs.FsReserved) w.i16(v);
  e.text(fs.FsFontName);
  w.f32(fs.FsFontSize);
  w.i16(fs.FsFontBold);
  w.i16(fs.FsFontItalic);
  e.text(fs.FsPrnFontName);
  w.f32(fs.FsPrnFontSize);
  for (int16_t v : {fs.FsPrnFontBold, fs.FsPrnFontItalic, fs.FsPrnFromMonth, fs.FsPrnToMonth, fs.FsPrnTop,
                    fs.FsPrnLeft, fs.FsPrnBottom, fs.FsPrnRight, fs.FsPrnCopies, fs.FsPrnAll})
    w.i16(v);
  w.i16(fs.FsJItemCount);
  for (const auto& s : fs.FsJItem) e.text(s);
  w.i16(fs.FsGrIndex);
  w.i16(fs.FsSpare);
  w.i16(fs.FsDspJWIndex);
  w.i16(fs.FsDspJWCount);
  for (const auto& s : fs.FsDspJWList) e.text(s);
  w.i32(fs.FsJWClass);
  w.i16(fs.FsLstJW);
  w.i32(fs.FsRefClass);
  w.i16(fs.FsCmbRef);
  w.i16(fs.FsKikan);
}

struct TextRecord {
  int16_t grade, month, day, kind;
  const std::string* text;
};

// Per-day texts with the grouping: a text that grade 1 has and every other grade has
// exactly alike becomes one record for grade 0; otherwise one record per grade.
std::vector<TextRecord> groupTexts(const SchoolYear& y, int ggn) {
  std::vector<TextRecord> out;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 31; ++d)
      for (int k = 0; k < kTextKinds; ++k) {
        const std::string& first = y.JJText[0][m][d][k];
        bool same = !first.empty();
        for (int g = 1; same && g < ggn; ++g) same = y.JJText[g][m][d][k] == first;
        if (same) {
          out.push_back({0, int16_t(m), int16_t(d), int16_t(k), &first});
          continue;
        }
        for (int g = 0; g < ggn; ++g)
          if (!y.JJText[g][m][d][k].empty())
            out.push_back({int16_t(g + 1), int16_t(m), int16_t(d), int16_t(k), &y.JJText[g][m][d][k]});
      }
  return out;
}

// ---------------------------------------------------------------- reading

struct Damage {
  int code;
  std::string why;
};

[[noreturn]] void damaged(int code, std::string why) { throw Damage{code, std::move(why)}; }

class Decoder {
 public:
  explicit Decoder(std::string_view bytes) : r_(bytes) {}

  size_t remaining() const { return r_.remaining(); }

  void need(size_t n, const char* what) {
    if (n > r_.remaining()) damaged(kErrInputPastEnd, std::string("ファイルが途中で終わっています（") + what + "）。");
  }
  int16_t i16(const char* what) {
    need(2, what);
    return r_.i16();
  }
  int32_t i32(const char* what) {
    need(4, what);
    return r_.i32();
  }
  float f32(const char* what) {
    need(4, what);
    return r_.f32();
  }
  void skip(size_t n, const char* what) {
    need(n, what);
    r_.skip(n);
  }
  // A text: the length is taken as unsigned 16 bits and must fit in what remains.
  std::string text(const char* what) {
    need(2, what);
    auto n = static_cast<uint16_t>(r_.i16());
    if (n > r_.remaining())
      damaged(kErrInputPastEnd, std::string("文字列の長さがファイルの残りを超えています（") + what + "）。");
    return fromCp932(r_.bytes(n));
  }
  // A count or index that must lie in lo..hi.
  int16_t bounded(int lo, int hi, const char* what) {
    int16_t v = i16(what);
    if (v < lo || v > hi) outOfRange(v, what);
    return v;
  }
  [[noreturn]] static void outOfRange(int v, const char* what) {
    damaged(kErrSubscriptOutOfRange, std::string(what) + "の値 " + std::to_string(v) + " が範囲外です。");
  }

 private:
  ByteReader r_;
};

float fontSize(Decoder& d, const char* what) {
  float f = d.f32(what);
  if (!std::isfinite(f) || f < 0) damaged(kErrSubscriptOutOfRange, std::string(what) + "が不正です。");
  return f;
}

void decodeSettings(Decoder& d, FileSettings& fs) {
  fs.FsUDisp = d.i16("表示設定");
  fs.FsEditAll = d.i16("表示設定");
  fs.FsToolBar = d.i16("表示設定");
  fs.FsDispJWC = d.i16("表示設定");
  fs.FsDispJWS = d.i16("表示設定");
  for (auto& v : fs.FsColWidth) v = d.i16("列幅");
  for (auto& v : fs.FsReserved) v = d.i16("予備領域");
  fs.FsFontName = d.text("フォント名");
  fs.FsFontSize = fontSize(d, "フォントサイズ");
  fs.FsFontBold = d.i16("フォント");
  fs.FsFontItalic = d.i16("フォント");
  fs.FsPrnFontName = d.text("印刷フォント名");
  fs.FsPrnFontSize = fontSize(d, "印刷フォントサイズ");
  for (int16_t* v : {&fs.FsPrnFontBold, &fs.FsPrnFontItalic, &fs.FsPrnFromMonth, &fs.FsPrnToMonth, &fs.FsPrnTop,
                     &fs.FsPrnLeft, &fs.FsPrnBottom, &fs.FsPrnRight, &fs.FsPrnCopies, &fs.FsPrnAll})
    *v = d.i16("印刷設定");
  fs.FsJItemCount = d.bounded(0, kItemSlots, "集計項目数");
  for (auto& s : fs.FsJItem) s = d.text("集計項目名");
  // Selector positions outside their lists select nothing (applyFileSettings).
  fs.FsGrIndex = d.i16("学年の選択位置");
  fs.FsSpare = d.i16("予備");
  fs.FsDspJWIndex = d.i16("時間割の選択位置");
  fs.FsDspJWCount = d.bounded(0, static_cast<int>(fs.FsDspJWList.size()), "時間割一覧の件数");
  for (auto& s : fs.FsDspJWList) s = d.text("時間割一覧");
  fs.FsJWClass = d.i32("時間割設定");
  fs.FsLstJW = d.i16("時間割設定");
  fs.FsRefClass = d.i32("時間割設定");
  fs.FsCmbRef = d.i16("時間割設定");
  fs.FsKikan = d.i16("集計期間");
}

void decodeBody(Decoder& d, SchoolYear& y) {
  y.JJ[0][0][0][0] = d.i16("年度");
  // A file written while no year was open carries 0 grades; with a year it needs 1..6.
  y.Ggn = d.bounded(y.JJ[0][0][0][0] > 1900 ? 1 : 0, kGrades, "学年数");
  y.Jigen = d.bounded(0, kPeriodSlots - 1, "時限数");
  const int ggn = y.Ggn, jigen = y.Jigen;

  decodeSettings(d, y.Fs);
  y.JItemCount = y.Fs.FsJItemCount;
  for (int i = 0; i < y.JItemCount; ++i) y.JItem[size_t(i)] = y.Fs.FsJItem[size_t(i)];

  d.need(kMonthRecordBytes * 12 * size_t(ggn), "月の記録");
  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m) {
      d.skip(2, "月の記録");  // the school year again
      for (int i = 0; i < kFileCells; ++i) {
        int16_t v = d.i16("月の記録");
        int day = i % 32, p = i / 32;
        if (p <= jigen) y.JJ[g][m][day][p] = cellFromFile(v);
      }
    }

  for (int g = 0; g < kGrades; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int day = 0; day < kDaySlots; ++day)
        for (int k = 0; k < kTextKinds; ++k) y.JJText[g][m][day][k].clear();
  int count = d.bounded(0, 32767, "文字列の件数");
  if (size_t(count) * kMinTextRecordBytes > d.remaining())
    damaged(kErrInputPastEnd, "文字列の件数がファイルの残りに収まりません。");
  for (int i = 0; i < count; ++i) {
    int g = d.i16("文字列の記録");
    int m = d.i16("文字列の記録");
    int day = d.i16("文字列の記録");
    int k = d.i16("文字列の記録");
    std::string t = d.text("日ごとの文字列");
    if (m < 1 || m > 12 || day < 1 || day > 31 || k < 0 || k > 1) continue;
    if (g == 0) {
      for (int gg = 0; gg < ggn; ++gg) y.JJText[gg][m][day][k] = t;
    } else if (g >= 1 && g <= kGrades) {
      y.JJText[g - 1][m][day][k] = std::move(t);
    }
  }

  for (auto& kind : y.JW)
    for (auto& rec : kind) {
      rec.JWKind = 0;
      rec.JWName.clear();
      for (auto& day : rec.JWCell)
        for (auto& cell : day) cell.clear();
    }
  for (int k = 0; k < 2; ++k) {
    int n = d.bounded(0, kMaxTimetables, k == 0 ? "学級時間割の件数" : "教師時間割の件数");
    if (size_t(n) * kMinTimetableBytes > d.remaining())
      damaged(kErrInputPastEnd, "時間割の件数がファイルの残りに収まりません。");
    y.JW[k][0].JWKind = static_cast<int16_t>(n);
    for (int i = 1; i <= n; ++i) {
      JWRec& rec = y.JW[k][i];
      rec.JWKind = d.i16("時間割の記録");
      rec.JWName = d.text("時間割の名前");
      for (int p = 0; p < kPeriodSlots; ++p)
        for (int w = 0; w < 7; ++w) {
          std::string t = d.text("時間割の欄");
          if (p <= jigen) rec.JWCell[size_t(w)][size_t(p)] = trimBlanks(t);
        }
    }
  }
}

}  // namespace

std::string encodeDataFile(const SchoolYear& y, EncodeNotes& notes) {
  Encoder e(notes);
  ByteWriter& w = e.w;
  const int ggn = clampInt(y.Ggn, 0, kGrades);
  const int jigen = clampInt(y.Jigen, 0, kPeriodSlots - 1);
  const int16_t nendo = y.JJ[0][0][0][0];
  w.reserve(1300 + size_t(ggn) * 12 * kMonthRecordBytes + 64 * 1024);

  w.bytes(kFileSig);
  w.i16(nendo);
  w.i16(static_cast<int16_t>(ggn));
  w.i16(static_cast<int16_t>(jigen));
  encodeSettings(e, y.Fs);

  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m) {
      w.i16(nendo);
      for (int i = 0; i < kFileCells; ++i) {
        int d = i % 32, p = i / 32;
        w.i16(p <= jigen ? cellToFile(y.JJ[g][m][d][p]) : int16_t(0));
      }
    }

  std::vector<TextRecord> texts = groupTexts(y, ggn);
  w.i16(static_cast<int16_t>(texts.size()));
  for (const auto& t : texts) {
    w.i16(t.grade);
    w.i16(t.month);
    w.i16(t.day);
    w.i16(t.kind);
    e.text(*t.text);
  }

  static const std::string kNone;
  for (int k = 0; k < 2; ++k) {
    const int n = clampInt(y.JW[k][0].JWKind, 0, kMaxTimetables);
    w.i16(static_cast<int16_t>(n));
    for (int i = 1; i <= n; ++i) {
      const JWRec& rec = y.JW[k][i];
      w.i16(rec.JWKind);
      e.text(rec.JWName);
      for (int p = 0; p < kPeriodSlots; ++p)
        for (int wd = 0; wd < 7; ++wd) e.text(p <= jigen ? rec.JWCell[size_t(wd)][size_t(p)] : kNone);
    }
  }
  return w.take();
}

std::string encodeDataFile(const SchoolYear& y, bool* lossy) {
  EncodeNotes notes;
  std::string b = encodeDataFile(y, notes);
  if (lossy) *lossy = notes.lossy;
  return b;
}

DecodeResult decodeDataFile(const std::string& bytes, SchoolYear& y, std::string* why, int* errorCode) {
  if (bytes.size() < kSigLen || bytes.compare(0, kSigLen, kFileSig) != 0) return DecodeResult::NoSignature;
  Decoder d(std::string_view(bytes).substr(kSigLen));
  try {
    decodeBody(d, y);
  } catch (const Damage& e) {
    if (why) *why = e.why;
    if (errorCode) *errorCode = e.code;
    return DecodeResult::Damaged;
  } catch (const ReadError&) {
    // The decoder checks before every read; this is a second line of defence.
    if (why) *why = "ファイルが途中で終わっています。";
    if (errorCode) *errorCode = kErrInputPastEnd;
    return DecodeResult::Damaged;
  }
  return DecodeResult::Ok;
}

}  // namespace tly
