// The older three-file format as bytes: the main file of lesson cells, the ".das" texts
// and the ".daj" timetables.
#include "io/ver2format.h"

#include "model/os.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/cellcode.h"
#include "model/basic.h"
#include "model/cp932.h"

namespace tly {

namespace {

int16_t getI16(std::string_view b, size_t off) {
  // Bytes past the end read as zero: a record beyond the end of a file is empty.
  auto at = [&](size_t i) -> unsigned { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0u; };
  return static_cast<int16_t>(static_cast<uint16_t>(at(off) | (at(off + 1) << 8)));
}

std::string_view slice(std::string_view b, size_t off, size_t n) {
  if (off >= b.size()) return {};
  return b.substr(off, n);
}

void putI16(std::string& s, size_t off, int16_t v) {
  auto u = static_cast<uint16_t>(v);
  s[off] = static_cast<char>(u & 0xff);
  s[off + 1] = static_cast<char>(u >> 8);
}

// A fixed-width CP932 field: cut at a character boundary, padded with blanks.
void putFixed(std::string& s, size_t off, size_t width, std::string_view utf8, bool* lossy) {
  std::string b = cutCp932(toCp932(utf8, lossy), width);
  s.replace(off, b.size(), b);
  for (size_t i = b.size(); i < width; ++i) s[off + i] = ' ';
}

// A fixed-width field read back: blanks and NUL padding dropped at both ends.
std::string getFixed(std::string_view b, size_t off, size_t width) {
  std::string_view f = slice(b, off, width);
  while (!f.empty() && (f.front() == ' ' || f.front() == '\0')) f.remove_prefix(1);
  while (!f.empty() && (f.back() == ' ' || f.back() == '\0')) f.remove_suffix(1);
  return fromCp932(f);
}

// Lesson codes as stored in memory after reading: 0, items -20..-1, slots 11..79.
bool validCell(int v) { return isEmptyCode(v) || (v >= -kItemSlots && v < 0) || isKnownSlotCode(v); }

int clampGrades(int g) { return g < 0 ? 0 : g > kGrades ? kGrades : g; }
int clampCount(int n) { return n < 0 ? 0 : n > kMaxTimetables ? kMaxTimetables : n; }

std::string oneLine(std::string s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

}  // namespace


int errorNumberFor(int err) {
  switch (err) {
    case ENOENT: return kErrFileNotFound;
    case ENOTDIR: return kErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kErrAccess;
    case ENOSPC:
    case os::kErrQuotaExceeded: return kErrDiskFull;
    default: return kErrIo;
  }
}

std::string ver2BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.find('.');
  if (dot != std::string::npos && dot > 0) return dir + name.substr(0, dot);
  auto chars = utf8Chars(name);
  std::string head;
  for (size_t i = 0; i < chars.size() && i < 8; ++i) head += chars[i];
  return dir + head;
}

// ---- Encoding

Ver2Bytes encodeVer2(const SchoolYear& y, std::string_view oldTimetables) {
  Ver2Bytes out;
  bool* lossy = &out.lossy;
  const int ggn = clampGrades(y.Ggn);

  out.main.assign(kVer2MainRecord * 12 * static_cast<size_t>(ggn), '\0');
  size_t off = 0;
  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m, off += kVer2MainRecord) {
      putI16(out.main, off, y.JJ[0][0][0][0]);
      for (int p = 0; p < kVer2PeriodSlots; ++p)
        for (int d = 0; d < kDaySlots; ++d) {
          int v = p <= y.Jigen ? y.JJ[g][m][d][p] : 0;
          if (v >= -10 && v <= 10) v = std::abs(v);
          putI16(out.main, off + 2 + 2 * static_cast<size_t>(d + 32 * p), static_cast<int16_t>(v));
        }
    }

  // One line per text, or one grade-0 line when every grade has the same text.
  auto line = [&](int g, int m, int d, int k, const std::string& t) {
    out.texts += std::to_string(g) + "," + std::to_string(m) + "," + std::to_string(d) + "," + std::to_string(k) +
                 "," + toCp932(oneLine(t), lossy) + "\r\n";
  };
  for (int m = 1; m <= 12 && ggn > 0; ++m)
    for (int d = 1; d <= 31; ++d)
      for (int k = 0; k < kTextKinds; ++k) {
        const std::string& first = y.JJText[0][m][d][k];
        bool same = !first.empty();
        for (int g = 1; g < ggn && same; ++g) same = y.JJText[g][m][d][k] == first;
        if (same) {
          line(0, m, d, k, first);
          continue;
        }
        for (int g = 0; g < ggn; ++g)
          if (!y.JJText[g][m][d][k].empty()) line(g + 1, m, d, k, y.JJText[g][m][d][k]);
      }

  const int counts[2] = {clampCount(y.JW[0][0].JWKind), clampCount(y.JW[1][0].JWKind)};
  const size_t slots = 1 + static_cast<size_t>(counts[0] + counts[1]);
  std::string& t = out.timetables;
  t.assign(kVer2TimetableRecord * slots, '\0');
  auto record = [&](size_t slot, int kind, const JWRec* r) {
    size_t base = kVer2TimetableRecord * slot;
    putI16(t, base, static_cast<int16_t>(kind));
    putFixed(t, base + 2, kVer2NameBytes, r ? r->JWName : std::string(), lossy);
    for (int p = 0; p < kVer2PeriodSlots; ++p)
      for (int w = 0; w < 7; ++w) {
        std::string cell = (r && p <= y.Jigen) ? r->JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)] : "";
        putFixed(t, base + 22 + kVer2CellBytes * static_cast<size_t>(w + 7 * p), kVer2CellBytes, cell, lossy);
      }
  };
  record(0, counts[0] + counts[1], nullptr);
  size_t slot = 1;
  for (int k = 0; k < 2; ++k)
    for (int i = 1; i <= counts[k]; ++i) record(slot++, k + 1, &y.JW[k][i]);
  if (oldTimetables.size() > t.size()) t.append(oldTimetables.substr(t.size()));
  return out;
}

// ---- Decoding

static Failure outOfRange() { return Failure{Fault::Damaged, kErrSubscript, ""}; }

Result<void> decodeVer2Main(std::string_view b, SchoolYear& y) {
  for (int g = 0; g < kGrades; ++g)
    for (int m = 1; m <= 12; ++m) {
      size_t off = kVer2MainRecord * static_cast<size_t>(12 * g + m - 1);
      if (g == 0 && m == 1) {
        int16_t year = getI16(b, off);
        if (year < 0 || year > 9999) return outOfRange();
        y.JJ[0][0][0][0] = year;
      }
      if (off >= b.size() && !(g == 0 && m == 1)) {
        // A record wholly past the end of the file reads as zeros: an empty month, periods
        // 0..7 emptied as the full read below empties them.
        for (auto& day : y.JJ[g][m]) std::fill(day, day + 8, int16_t{0});
        continue;
      }
      if (m == 1 && getI16(b, off + 2) != 0) y.Ggn = static_cast<int16_t>(g + 1);
      for (int d = 0; d < kDaySlots; ++d)
        for (int p = 5; p <= 7; ++p) y.JJ[g][m][d][p] = 0;
      // The record's bytes, those past the end of the file as zeros.
      char padded[kVer2MainRecord] = {};
      const char* rec = b.data() + off;
      if (const size_t inFile = b.size() - off; inFile < kVer2MainRecord) {
        if (inFile > 0) std::memcpy(padded, rec, inFile);
        rec = padded;
      }
      // The cells as the file holds them ([period][day]), checked all at once: loops
      // without a branch a cell, which the compiler can turn into vector operations.
      constexpr int kCells = kVer2PeriodSlots * kDaySlots;
      int16_t cell[kCells];
      const auto* in = reinterpret_cast<const unsigned char*>(rec) + 2;
      for (int16_t* c = cell; c != cell + kCells; ++c, in += 2) {
        const int v = static_cast<int16_t>(static_cast<uint16_t>(in[0] | in[1] << 8));
        *c = static_cast<int16_t>(v > 10 ? v : -std::abs(v));
      }
      // The month length sits at day 0 / period 0; every other slot holds a lesson code.
      bool bad = cell[0] > 31;
      for (const int16_t* c = cell + 1; c != cell + kCells; ++c) bad |= !validCell(*c);
      if (bad) return outOfRange();
      for (int p = 0; p < kVer2PeriodSlots; ++p)
        for (int d = 0; d < kDaySlots; ++d) y.JJ[g][m][d][p] = cell[d + kDaySlots * p];
    }
  return {};
}

Result<int> decodeVer2Texts(std::string_view b, SchoolYear& y) {
  int skipped = 0;
  emptyDayTexts(y);
  const int ggn = clampGrades(y.Ggn);
  size_t start = 0;
  while (start < b.size()) {
    size_t lf = b.find('\n', start);
    std::string_view ln = b.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start);
    start = lf == std::string_view::npos ? b.size() : lf + 1;
    if (!ln.empty() && ln.back() == '\r') ln.remove_suffix(1);
    size_t i = 0;
    auto skipBlanks = [&] {
      while (i < ln.size() && (ln[i] == ' ' || ln[i] == '\t')) ++i;
    };
    skipBlanks();
    if (i == ln.size() || (ln.size() - i == 1 && ln[i] == '\x1a')) continue;  // blank line or end mark
    long num[4];
    bool readable = true;
    for (int n = 0; n < 4 && readable; ++n) {
      if (n > 0) {
        skipBlanks();
        if (i < ln.size() && ln[i] == ',') ++i;
        skipBlanks();
      }
      bool neg = false;
      if (i < ln.size() && (ln[i] == '-' || ln[i] == '+')) neg = ln[i++] == '-';
      size_t digits = 0;
      long v = 0;
      for (; i < ln.size() && ln[i] >= '0' && ln[i] <= '9'; ++i, ++digits)
        if (v < 1000000) v = v * 10 + (ln[i] - '0');
      readable = digits > 0;
      num[n] = neg ? -v : v;
    }
    // A line without its four numbers is skipped and counted; the others are still read.
    if (!readable) {
      ++skipped;
      continue;
    }
    skipBlanks();
    if (i < ln.size() && ln[i] == ',') ++i;
    std::string text = fromCp932(ln.substr(i));
    long g = num[0], m = num[1], d = num[2], k = num[3];
    if (m < 1 || m > 12 || d < 1 || d > 31 || k < 0 || k > 1) continue;
    if (g == 0) {
      for (int gi = 0; gi < ggn; ++gi) y.JJText[gi][m][d][k] = text;
    } else if (g >= 1 && g <= kGrades) {
      y.JJText[g - 1][m][d][k] = std::move(text);
    }
  }
  return skipped;
}

Result<void> decodeVer2Timetables(std::string_view b, SchoolYear& y) {
  for (auto& kind : y.JW)
    for (JWRec& r : kind) {
      r.JWKind = 0;
      r.JWName.clear();
      emptyTimetableCells(r);
    }
  int n = getI16(b, 0);
  if (n < 0 || n > 2 * kMaxTimetables) return outOfRange();
  for (int rec = 2; rec <= n + 1; ++rec) {
    size_t base = kVer2TimetableRecord * static_cast<size_t>(rec - 1);
    int kind = getI16(b, base);
    if (kind != 1 && kind != 2) continue;
    JWRec& head = y.JW[kind - 1][0];
    if (head.JWKind >= kMaxTimetables) return outOfRange();
    JWRec& r = y.JW[kind - 1][++head.JWKind];
    r.JWKind = static_cast<int16_t>(kind);
    r.JWName = getFixed(b, base + 2, kVer2NameBytes);
    for (int p = 0; p < kVer2PeriodSlots; ++p)
      for (int w = 0; w < 7; ++w)
        r.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)] =
            getFixed(b, base + 22 + kVer2CellBytes * static_cast<size_t>(w + 7 * p), kVer2CellBytes);
  }
  return {};
}

}  // namespace tly
