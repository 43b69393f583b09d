// Fuzz target for the older three-file format. Built as a libFuzzer program by
// tools/fuzz-readers.sh (TLY_LIBFUZZER defined); in the test suite only ver2Check is used.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "session/files/ver2.h"
#include "fuzz/fuzz_targets.h"

namespace tly::fuzz {

namespace {

bool cellsValid(const SchoolYear& y) {
  if (y.Ggn < 0 || y.Ggn > kGrades) return false;
  for (int g = 0; g < kGrades; ++g)
    for (int m = 1; m <= 12; ++m) {
      if (y.JJ[g][m][0][0] > 31) return false;
      for (int d = 0; d < kDaySlots; ++d)
        for (int p = 0; p < kPeriodSlots; ++p) {
          if (d == 0 && p == 0) continue;
          int v = y.JJ[g][m][d][p];
          if (!(v == 0 || (v >= -20 && v < 0) || (v >= 11 && v <= 79))) return false;
        }
    }
  return true;
}

}  // namespace

bool ver2Check(const uint8_t* data, size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  auto len = [&](size_t at) -> size_t {
    return at + 1 < all.size() ? static_cast<unsigned char>(all[at]) | (static_cast<unsigned char>(all[at + 1]) << 8) : 0;
  };
  size_t a = len(0), b = len(2);
  std::string_view rest = all.size() > 4 ? all.substr(4) : std::string_view();
  std::string_view main = rest.substr(0, std::min(a, rest.size()));
  rest.remove_prefix(main.size());
  std::string_view texts = rest.substr(0, std::min(b, rest.size()));
  rest.remove_prefix(texts.size());
  std::string_view timetables = rest;

  // One year for all runs and both reads: the decoders set or clear everything that is
  // checked below, and a read empties 33,000 strings, which stay in the cache when it is
  // always the same year.
  static SchoolYear* const y = new SchoolYear();
  y->Jigen = 6;
  y->Ggn = 0;
  if (!decodeVer2Main(main, *y)) return true;  // reported as damaged: fine
  if (!cellsValid(*y)) return false;
  if (!decodeVer2Texts(texts, *y)) return true;
  if (!decodeVer2Timetables(timetables, *y)) return true;
  for (int k = 0; k < 2; ++k) {
    int n = y->JW[k][0].JWKind;
    if (n < 0 || n > kMaxTimetables) return false;
    for (int i = 1; i <= n; ++i)
      if (y->JW[k][i].JWKind != k + 1) return false;
  }

  // What was read writes out and reads back to the same cells and timetable counts.
  Ver2Bytes out = encodeVer2(*y, timetables);
  struct Cells {
    decltype(SchoolYear::JJ) jj;
  };
  static Cells* const cells = new Cells;
  std::memcpy(cells->jj, y->JJ, sizeof y->JJ);
  const int ggn = y->Ggn, counts[2] = {y->JW[0][0].JWKind, y->JW[1][0].JWKind};
  if (!decodeVer2Main(out.main, *y) || !decodeVer2Texts(out.texts, *y) || !decodeVer2Timetables(out.timetables, *y))
    return false;
  if (y->Ggn != ggn && ggn != 0) return false;
  for (int g = 0; g < ggn; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 0; d < kDaySlots; ++d)
        for (int p = 0; p < kVer2PeriodSlots; ++p)
          if (y->JJ[g][m][d][p] != cells->jj[g][m][d][p]) return false;
  for (int k = 0; k < 2; ++k)
    if (y->JW[k][0].JWKind != counts[k]) return false;
  return true;
}

}  // namespace tly::fuzz

#ifdef TLY_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!tly::fuzz::ver2Check(data, size)) std::abort();
  return 0;
}
#endif
