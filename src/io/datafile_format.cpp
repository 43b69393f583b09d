// Byte layout of the current data file: encoding a year into bytes and parsing bytes
// into a year. Every count, length and index taken from a file is checked against the
// tables and against the bytes that remain before it is used.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
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
// The school year, then day 0..31 of period 0, of period 1, ... of period 9.
constexpr size_t kMonthRecordBytes = 2 + 2 * kDaySlots * kPeriodSlots;
constexpr int kTimetableTexts = 70;
// Smallest possible sizes, used to refuse counts that cannot fit in what remains.
constexpr size_t kMinTextRecordBytes = 4 * 2 + 2;
constexpr size_t kMinTimetableBytes = 2 + 2 + kTimetableTexts * 2;

int clampInt(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// Texts of a timetable that are not empty by rule: its name and the cells of periods
// 0..Jigen, 7 a period. The cells above Jigen are written empty and skipped on reading.
size_t timetableTexts(int jigen) { return 1 + 7 * size_t(jigen + 1); }

// ---------------------------------------------------------------- writing

struct TextRecord {
  int16_t grade, month, day, kind;
  const std::string* text;
};

// Per-day texts with the grouping: a text that grade 1 has and every other grade has
// exactly alike becomes one record for grade 0; otherwise one record per grade.
std::vector<TextRecord> groupTexts(const SchoolYear& y, int ggn) {
  std::vector<TextRecord> out;
  out.reserve(size_t(12 * 31 * kTextKinds) * size_t(std::max(ggn, 1)));
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 31; ++d)
      for (int k = 0; k < kTextKinds; ++k) {
        const std::string& first = y.JJText[0][m][d][k];
        // A year of no grades has no grade to hold a text (a record for every grade would
        // read back as nothing).
        bool same = ggn > 0 && !first.empty();
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

// What goes into the file, in order. The layout is walked twice: once by a TextGatherer,
// which takes the texts only, so that they can be converted together; then by a
// FileWriter, which writes the numbers and the converted texts. The walk numbers the
// texts in file order.
struct Layout {
  const SchoolYear& y;
  int ggn, jigen;
  std::vector<TextRecord> dayTexts;

  explicit Layout(const SchoolYear& year)
      : y(year),
        ggn(clampInt(year.Ggn, 0, kGrades)),
        jigen(clampInt(year.Jigen, 0, kPeriodSlots - 1)),
        dayTexts(groupTexts(year, ggn)) {}

  int timetables(int kind) const { return clampInt(y.JW[kind][0].JWKind, 0, kMaxTimetables); }

  template <class Out>
  void walk(Out& out) const {
    size_t t = 0;  // texts so far
    const int16_t nendo = y.JJ[0][0][0][0];
    out.bytes(kFileSig);
    out.i16(nendo);
    out.i16(static_cast<int16_t>(ggn));
    out.i16(static_cast<int16_t>(jigen));
    settings(out, y.Fs, t);

    for (int g = 0; g < ggn; ++g)
      for (int m = 1; m <= 12; ++m) out.monthRecord(nendo, y.JJ[g][m], jigen);

    out.i16(static_cast<int16_t>(dayTexts.size()));
    for (const auto& r : dayTexts) {
      out.i16(r.grade);
      out.i16(r.month);
      out.i16(r.day);
      out.i16(r.kind);
      out.text(*r.text, t++);
    }

    for (int k = 0; k < 2; ++k) {
      const int n = timetables(k);
      out.i16(static_cast<int16_t>(n));
      for (int i = 1; i <= n; ++i) {
        const JWRec& rec = y.JW[k][i];
        out.i16(rec.JWKind);
        out.timetable(rec, jigen, t);
        t += timetableTexts(jigen);
      }
    }
  }

  template <class Out>
  static void settings(Out& out, const FileSettings& fs, size_t& t) {
    out.i16(fs.FsUDisp);
    out.i16(fs.FsEditAll);
    out.i16(fs.FsToolBar);
    out.i16(fs.FsDispJWC);
    out.i16(fs.FsDispJWS);
    for (int16_t v : fs.FsColWidth) out.i16(v);
    for (int16_t v : fs.FsReserved) out.i16(v);
    out.text(fs.FsFontName, t++);
    out.f32(fs.FsFontSize);
    out.i16(fs.FsFontBold);
    out.i16(fs.FsFontItalic);
    out.text(fs.FsPrnFontName, t++);
    out.f32(fs.FsPrnFontSize);
    for (int16_t v : {fs.FsPrnFontBold, fs.FsPrnFontItalic, fs.FsPrnFromMonth, fs.FsPrnToMonth, fs.FsPrnTop,
                      fs.FsPrnLeft, fs.FsPrnBottom, fs.FsPrnRight, fs.FsPrnCopies, fs.FsPrnAll})
      out.i16(v);
    out.i16(fs.FsJItemCount);
    for (const auto& s : fs.FsJItem) out.text(s, t++);
    out.i16(fs.FsGrIndex);
    out.i16(fs.FsSpare);
    out.i16(fs.FsDspJWIndex);
    out.i16(fs.FsDspJWCount);
    for (const auto& s : fs.FsDspJWList) out.text(s, t++);
    out.i32(fs.FsJWClass);
    out.i16(fs.FsLstJW);
    out.i32(fs.FsRefClass);
    out.i16(fs.FsCmbRef);
    out.i16(fs.FsKikan);
  }
};

// Takes every text of the layout, in file order, into a batch.
struct TextGatherer {
  Cp932Batch& texts;
  void i16(int16_t) {}
  void i32(int32_t) {}
  void f32(float) {}
  void bytes(std::string_view) {}
  void monthRecord(int16_t, const int16_t (&)[kDaySlots][kPeriodSlots], int) {}
  void text(const std::string& utf8, size_t) { texts.add(utf8); }
  // The name, then the cells period by period, Sunday first.
  void timetable(const JWRec& rec, int jigen, size_t) {
    bool name = true;
    size_t w = 0, p = 0;
    texts.addEach(timetableTexts(jigen), [&]() -> std::optional<std::string_view> {
      if (name) {
        name = false;
        return rec.JWName;
      }
      std::string_view t = rec.JWCell[w][p];
      if (++w == 7) w = 0, ++p;
      return t;
    });
  }
};

// Writes the layout, each text as the batch converted it.
struct FileWriter {
  const Cp932Batch& texts;
  EncodeNotes& notes;
  ByteWriter w;

  void i16(int16_t v) { w.i16(v); }
  void i32(int32_t v) { w.i32(v); }
  void f32(float v) { w.f32(v); }
  void bytes(std::string_view b) { w.bytes(b); }
  // The school year, then the cells: day 0..31 of period 0, of period 1, ... (periods
  // above Jigen as 0).
  void monthRecord(int16_t nendo, const int16_t (&cells)[kDaySlots][kPeriodSlots], int jigen) {
    char* p = w.extend(kMonthRecordBytes);
    auto put = [&p](int16_t v) {
      auto u = static_cast<uint16_t>(v);
      *p++ = static_cast<char>(u & 0xff);
      *p++ = static_cast<char>(u >> 8);
    };
    put(nendo);
    for (int per = 0; per <= jigen; ++per)
      for (int d = 0; d < kDaySlots; ++d) put(cellToFile(cells[d][per]));
    std::memset(p, 0, size_t(2 * kDaySlots * (kPeriodSlots - 1 - jigen)));
  }
  // A timetable whose texts are numbered from t: its name, its cells up to Jigen, and
  // the cells above Jigen empty.
  void timetable(const JWRec&, int jigen, size_t t) {
    for (size_t j = 0; j < timetableTexts(jigen); ++j) text(t + j);
    const size_t empty = 7 * size_t(kPeriodSlots - 1 - jigen);
    std::memset(w.extend(2 * empty), 0, 2 * empty);
  }
  void text(const std::string&, size_t i) { text(i); }
  // Text number i of the layout.
  void text(size_t i) {
    std::string_view b = texts.result(i);
    if (b.size() > kMaxTextBytes) [[unlikely]]
      cutText(b);
    else
      w.paddedText(b);
  }
  // Longer than a length field allows: cut at a character boundary.
  [[gnu::noinline]] void cutText(std::string_view b) {
    w.text(cutCp932(b, kMaxTextBytes));
    notes.cut = true;
  }
};

// ---------------------------------------------------------------- reading

struct Damage {
  int code;
  std::string why;
};

[[noreturn]] void damaged(int code, std::string why) { throw Damage{code, std::move(why)}; }

// Kept out of line, so that the checks before every read stay small enough to inline.
[[noreturn, gnu::noinline, gnu::cold]] void endsEarly(const char* what) {
  damaged(kErrInputPastEnd, std::string("ファイルが途中で終わっています（") + what + "）。");
}
[[noreturn, gnu::noinline, gnu::cold]] void textPastEnd(const char* what) {
  damaged(kErrInputPastEnd, std::string("文字列の長さがファイルの残りを超えています（") + what + "）。");
}

// Where a settings or per-day text read from the file goes, once the texts are converted.
struct TextPlace {
  std::string* to;   // or, when null, JJText[0..Ggn-1][m][day][k] (grade 0: every grade)
  int8_t m, day, k;
};

// The numbers are stored as the parse meets them; the texts are gathered and converted in
// one batch after the whole file has been parsed (and found whole), then stored in file
// order, so that a later record still overwrites an earlier. The settings and per-day
// texts keep a TextPlace each; the timetable texts, which come last and are the most,
// are stored by walking the timetables again.
class Decoder {
 public:
  Decoder(std::string_view bytes, Cp932Pass pass)
      : p_(bytes.data()), end_(bytes.data() + bytes.size()), texts_(pass) {
    // Room for about as many texts as a file of this size holds when it is mostly texts.
    texts_.reserve(bytes.size() / 8, bytes.size());
  }

  size_t remaining() const { return static_cast<size_t>(end_ - p_); }

  void need(size_t n, const char* what) {
    if (n > remaining()) endsEarly(what);
  }
  int16_t i16(const char* what) {
    need(2, what);
    return static_cast<int16_t>(u16());
  }
  int32_t i32(const char* what) {
    need(4, what);
    uint32_t v = u16();
    return static_cast<int32_t>(v | (uint32_t{u16()} << 16));
  }
  float f32(const char* what) {
    uint32_t u = static_cast<uint32_t>(i32(what));
    float f;
    std::memcpy(&f, &u, 4);
    return f;
  }
  std::string_view bytes(size_t n, const char* what) {
    need(n, what);
    std::string_view b(p_, n);
    p_ += n;
    return b;
  }
  // A text: the length is taken as unsigned 16 bits and must fit in what remains. The
  // bytes are returned unconverted.
  std::string_view rawText(const char* what) {
    need(2, what);
    size_t n = u16();
    if (n > remaining()) textPastEnd(what);
    std::string_view b(p_, n);
    p_ += n;
    return b;
  }
  // A text read here that goes to *to.
  void text(std::string* to, const char* what) { place(to, rawText(what)); }
  // A text already read that goes to *to.
  void place(std::string* to, std::string_view raw) {
    add(raw);
    places_.push_back({to, 0, 0, 0});
  }
  // A per-day text of grade 0, which goes to every grade of the year.
  void placeEveryGrade(std::string_view raw, int m, int day, int k) {
    add(raw);
    places_.push_back({nullptr, int8_t(m), int8_t(day), int8_t(k)});
  }
  void reservePlaces(size_t more) { places_.reserve(places_.size() + more); }
  // A timetable's name and its 70 cells, period by period, Sunday first; the name and
  // the cells of periods 0..Jigen are gathered (the cells to be trimmed when stored).
  // Read with a cursor of its own, kept in a register like the batch's.
  void readTimetable(int jigen) {
    const char* p = p_;
    const char* const end = end_;
    const size_t kept = timetableTexts(jigen);  // the first texts of the 71
    size_t j = 0;                              // 0 the name, then the cells
    texts_.addEach(
        1 + kTimetableTexts,
        [&]() -> std::optional<std::string_view> {
          const char* what = j == 0 ? "時間割の名前" : "時間割の欄";
          if (end - p < 2) endsEarly(what);
          size_t n = static_cast<uint8_t>(p[0]) | (static_cast<uint8_t>(p[1]) << 8);
          p += 2;
          if (n > static_cast<size_t>(end - p)) textPastEnd(what);
          std::string_view t(p, n);
          p += n;
          if (j++ >= kept) return std::nullopt;
          return t;
        },
        end);
    p_ = p;
  }

  // Converts the texts gathered and stores each at its place. False, with no text
  // stored, when the texts could not be converted together (one holds a NUL).
  [[nodiscard]] bool storeTexts(SchoolYear& y) {
    if (!texts_.fromCp932()) return false;
    size_t r = 0;  // the next result
    for (const TextPlace& p : places_) {
      std::string_view t = texts_.result(r++);
      if (p.to)
        setText(*p.to, t);
      else
        for (int g = 0; g < y.Ggn; ++g) setText(y.JJText[g][p.m][p.day][p.k], t);
    }
    // The cells are stored day by day, as they lie in memory; the file has them period
    // by period.
    const size_t texts = timetableTexts(y.Jigen);
    for (int k = 0; k < 2; ++k)
      for (int i = 1; i <= y.JW[k][0].JWKind; ++i, r += texts) {
        JWRec& rec = y.JW[k][i];
        setText(rec.JWName, texts_.result(r));
        for (size_t w = 0; w < 7; ++w)
          for (size_t p = 0; p <= size_t(y.Jigen); ++p)
            setText(rec.JWCell[w][p], trimBlanksView(texts_.result(r + 1 + 7 * p + w)));
      }
    return true;
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
  // Two bytes, little-endian; the caller has checked that they are there.
  uint16_t u16() {
    auto v = static_cast<uint16_t>(static_cast<uint8_t>(p_[0]) | (static_cast<uint8_t>(p_[1]) << 8));
    p_ += 2;
    return v;
  }
  // Texts not near the end of the bytes can be read kCopyPad past their start.
  void add(std::string_view raw) {
    if (static_cast<size_t>(end_ - raw.data()) >= kCopyPad)
      texts_.addPadded(raw);
    else
      texts_.add(raw);
  }

  const char* p_;    // what is read next
  const char* end_;  // of the bytes
  Cp932Batch texts_;
  std::vector<TextPlace> places_;  // one for each settings and per-day text added
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
  d.text(&fs.FsFontName, "フォント名");
  fs.FsFontSize = fontSize(d, "フォントサイズ");
  fs.FsFontBold = d.i16("フォント");
  fs.FsFontItalic = d.i16("フォント");
  d.text(&fs.FsPrnFontName, "印刷フォント名");
  fs.FsPrnFontSize = fontSize(d, "印刷フォントサイズ");
  for (int16_t* v : {&fs.FsPrnFontBold, &fs.FsPrnFontItalic, &fs.FsPrnFromMonth, &fs.FsPrnToMonth, &fs.FsPrnTop,
                     &fs.FsPrnLeft, &fs.FsPrnBottom, &fs.FsPrnRight, &fs.FsPrnCopies, &fs.FsPrnAll})
    *v = d.i16("印刷設定");
  fs.FsJItemCount = d.bounded(0, kItemSlots, "集計項目数");
  for (auto& s : fs.FsJItem) d.text(&s, "集計項目名");
  // Selector positions outside their lists select nothing (applyFileSettings).
  fs.FsGrIndex = d.i16("学年の選択位置");
  fs.FsSpare = d.i16("予備");
  fs.FsDspJWIndex = d.i16("時間割の選択位置");
  fs.FsDspJWCount = d.bounded(0, static_cast<int>(fs.FsDspJWList.size()), "時間割一覧の件数");
  for (auto& s : fs.FsDspJWList) d.text(&s, "時間割一覧");
  fs.FsJWClass = d.i32("時間割設定");
  fs.FsLstJW = d.i16("時間割設定");
  fs.FsRefClass = d.i32("時間割設定");
  fs.FsCmbRef = d.i16("時間割設定");
  fs.FsKikan = d.i16("集計期間");
}

// False when the texts could not be converted together; y then holds the numbers and
// none of the texts, and parsing again into it gives what parsing once would.
bool decodeBody(Decoder& d, SchoolYear& y) {
  y.JJ[0][0][0][0] = d.i16("年度");
  // A file written while no year was open carries 0 grades; with a year it needs 1..6.
  y.Ggn = d.bounded(y.JJ[0][0][0][0] > 1900 ? 1 : 0, kGrades, "学年数");
  y.Jigen = d.bounded(0, kPeriodSlots - 1, "時限数");
  const int ggn = y.Ggn, jigen = y.Jigen;

  decodeSettings(d, y.Fs);
  y.JItemCount = y.Fs.FsJItemCount;

  d.need(kMonthRecordBytes * 12 * size_t(ggn), "月の記録");
  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m) {
      // Past the school year again: day 0..31 of period 0, of period 1, ...
      const char* rec = d.bytes(kMonthRecordBytes, "月の記録").data() + 2;
      for (int p = 0; p <= jigen; ++p)
        for (int day = 0; day < kDaySlots; ++day) {
          const char* b = rec + 2 * (32 * p + day);
          auto v = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint8_t>(b[0]) |
                                                              (static_cast<uint8_t>(b[1]) << 8)));
          y.JJ[g][m][day][p] = cellFromFile(v);
        }
    }

  emptyDayTexts(y);
  int count = d.bounded(0, 32767, "文字列の件数");
  if (size_t(count) * kMinTextRecordBytes > d.remaining())
    damaged(kErrInputPastEnd, "文字列の件数がファイルの残りに収まりません。");
  d.reservePlaces(size_t(count));
  for (int i = 0; i < count; ++i) {
    int g = d.i16("文字列の記録");
    int m = d.i16("文字列の記録");
    int day = d.i16("文字列の記録");
    int k = d.i16("文字列の記録");
    std::string_view t = d.rawText("日ごとの文字列");
    if (m < 1 || m > 12 || day < 1 || day > 31 || k < 0 || k > 1) continue;
    if (g == 0) {
      d.placeEveryGrade(t, m, day, k);
    } else if (g >= 1 && g <= kGrades) {
      d.place(&y.JJText[g - 1][m][day][k], t);
    }
  }

  // Every timetable string the file does not set is emptied; those it sets are stored
  // with the other texts (emptying them first would only touch them twice).
  for (int k = 0; k < 2; ++k) {
    int n = d.bounded(0, kMaxTimetables, k == 0 ? "学級時間割の件数" : "教師時間割の件数");
    if (size_t(n) * kMinTimetableBytes > d.remaining())
      damaged(kErrInputPastEnd, "時間割の件数がファイルの残りに収まりません。");
    y.JW[k][0].JWKind = static_cast<int16_t>(n);
    y.JW[k][0].JWName.clear();
    emptyTimetableCells(y.JW[k][0], 0);
    for (int i = 1; i <= n; ++i) {
      JWRec& rec = y.JW[k][i];
      rec.JWKind = d.i16("時間割の記録");
      d.readTimetable(jigen);
      emptyTimetableCells(rec, jigen + 1);
    }
    for (int i = n + 1; i <= kMaxTimetables; ++i) {
      JWRec& rec = y.JW[k][i];
      rec.JWKind = 0;
      rec.JWName.clear();
      emptyTimetableCells(rec, 0);
    }
  }

  if (!d.storeTexts(y)) return false;
  for (int i = 0; i < y.JItemCount; ++i) y.JItem[size_t(i)] = y.Fs.FsJItem[size_t(i)];
  return true;
}

}  // namespace

std::string encodeDataFile(const SchoolYear& y, EncodeNotes& notes, Cp932Pass pass) {
  const Layout layout(y);
  const size_t timetables = size_t(layout.timetables(0)) + size_t(layout.timetables(1));
  const size_t textCount = 2 + y.Fs.FsJItem.size() + y.Fs.FsDspJWList.size() + layout.dayTexts.size() +
                           timetables * timetableTexts(layout.jigen);
  auto gather = [&](Cp932Pass how) {
    Cp932Batch texts(how);
    texts.reserve(textCount, textCount * 8);
    TextGatherer gatherer{texts};
    layout.walk(gatherer);
    return texts;
  };
  Cp932Batch texts = gather(pass);
  if (!texts.toCp932(&notes.lossy)) {
    // A text holds a NUL: convert them one by one.
    texts = gather(Cp932Pass::OneByOne);
    (void)texts.toCp932(&notes.lossy);
  }

  FileWriter out{texts, notes, {}};
  out.w.reserve(1300 + size_t(layout.ggn) * 12 * kMonthRecordBytes + layout.dayTexts.size() * 8 + timetables * 2 +
                textCount * 2 + texts.resultBytes() + kCopyPad);
  layout.walk(out);
  return out.w.take();
}

std::string encodeDataFile(const SchoolYear& y) {
  EncodeNotes notes;
  return encodeDataFile(y, notes);
}

Result<void> decodeDataFile(const std::string& bytes, SchoolYear& y, Cp932Pass pass) {
  if (bytes.size() < kSigLen || bytes.compare(0, kSigLen, kFileSig) != 0) return Failure{Fault::NoSignature, 0, ""};
  const std::string_view body = std::string_view(bytes).substr(kSigLen);
  try {
    Decoder d(body, pass);
    if (!decodeBody(d, y)) {
      // A text holds a NUL: convert them one by one.
      Decoder again(body, Cp932Pass::OneByOne);
      (void)decodeBody(again, y);
    }
  } catch (const Damage& e) {
    return Failure{Fault::Damaged, e.code, e.why};
  }
  return {};
}

}  // namespace tly
