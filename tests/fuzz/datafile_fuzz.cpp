// Fuzz target of the data-file reader (libFuzzer; built by tools/fuzz-readers.sh). The
// unit tests replay the stored seeds through the same entry point.
//
// For any input the reader must either refuse it or produce a year that obeys the table
// rules, and what it produced must write and read back to the same bytes. Converting the
// texts one by one instead of all together must change nothing.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "session/files/datafile.h"

namespace {

void require(bool ok) {
  if (!ok) std::abort();
}

// Puts back everything of the base year but the texts and timetables: a read that
// succeeds sets or empties every one of those itself, and one that fails leaves a year
// that is thrown away. Copying all 33,000 strings three times a run made the fuzzer
// several times slower.
void resetTo(tly::SchoolYear& y, const tly::SchoolYear& base) {
  std::memcpy(y.JJ, base.JJ, sizeof y.JJ);
  y.JItem = base.JItem;
  y.JItemCount = base.JItemCount;
  y.Ggn = base.Ggn;
  y.Jigen = base.Jigen;
  y.Fs = base.Fs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tly;
  static const auto base = [] {
    // The open year the read starts from: a year whose periods above Jigen hold lessons.
    auto y = std::make_unique<SchoolYear>();
    y->JJ[0][0][0][0] = 1999;
    y->Ggn = 6;
    y->Jigen = 9;
    for (int g = 0; g < kGrades; ++g)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= 31; ++d)
          for (int p = 1; p <= 9; ++p) y->JJ[g][m][d][p] = static_cast<int16_t>(10 * (d % 7 + 1) + p);
    return y;
  }();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // One year, kept between runs, for every read of a run: no run allocates a year, and a
  // read empties 33,000 strings, which stay in the cache when it is always the same year.
  static const auto y = std::make_unique<App>();
  resetTo(y->Y, *base);
  Result<void> rEach = decodeDataFile(bytes, y->Y, Cp932Pass::OneByOne);
  EncodeNotes notesEach;
  const std::string onceEach = rEach ? encodeDataFile(y->Y, notesEach, Cp932Pass::OneByOne) : std::string();
  resetTo(y->Y, *base);
  y->W = MainView{};
  Result<void> r = decodeDataFile(bytes, y->Y);
  require(rEach.ok() == r.ok());
  if (!r) {
    const Failure& f = r.failure();
    require(rEach.code() == f.code && rEach.failure().why == f.why && rEach.failure().error == f.error);
  }
  if (r.is(Fault::NoSignature)) {
    require(size < 6 || bytes.compare(0, 6, kFileSig) != 0);
    return 0;
  }
  if (!r) {
    const Failure& f = r.failure();
    require(f.code == Fault::Damaged && !f.why.empty() &&
            (f.error == kErrInputPastEnd || f.error == kErrSubscriptOutOfRange));
    return 0;
  }
  const SchoolYear& s = y->Y;
  require(s.Ggn >= 0 && s.Ggn <= kGrades && s.Jigen >= 0 && s.Jigen < kPeriodSlots);
  require(s.JItemCount >= 0 && s.JItemCount <= kItemSlots);
  for (int k = 0; k < 2; ++k) require(s.JW[k][0].JWKind >= 0 && s.JW[k][0].JWKind <= kMaxTimetables);
  // No cell reads back as a value in 1..10.
  for (int g = 0; g < kGrades; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 0; d < kDaySlots; ++d)
        for (int p = 0; p < kPeriodSlots; ++p) require(!(s.JJ[g][m][d][p] >= 1 && s.JJ[g][m][d][p] <= 10));

  // The window takes the settings without trouble.
  applyFileSettings(*y);
  require(y->W.cmbDispJW.index >= -1 && y->W.cmbDispJW.index < static_cast<int>(y->W.cmbDispJW.items.size()));

  // What was read writes and reads back to the same bytes; what was read text by text
  // wrote the same.
  EncodeNotes notes;
  const std::string once = encodeDataFile(s, notes);
  require(onceEach == once);
  require(notes.lossy == notesEach.lossy && notes.cut == notesEach.cut);
  resetTo(y->Y, *base);
  require(decodeDataFile(once, y->Y).ok());
  require(encodeDataFile(y->Y) == once);
  return 0;
}
