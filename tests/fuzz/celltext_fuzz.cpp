// Fuzz target for the cell-text decoder: arbitrary text typed into a period cell, and the
// cleaning of a day text. Built as a libFuzzer program by tools/fuzz-readers.sh
// (TLY_LIBFUZZER defined); in the test suite celltextCheck replays the kept seeds.
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_targets.h"
#include "model/basic.h"
#include "rules/celltext.h"
#include "support/years.h"

namespace tly::fuzz {

bool celltextCheck(const uint8_t* data, size_t size) {
  if (size < 1) return true;
  static SchoolYear* const y = [] {
    auto* s = new SchoolYear;
    test::fillYear(*s, {.nendo = 2001, .defaultItems = true});
    return s;
  }();
  y->Jigen = static_cast<int16_t>(5 + data[0] % 3);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  // Raw text must not crash the decoder; the program decodes only cleaned text (typing
  // and pasting both clean first), whose shown form must be clean as well.
  (void)decodeCellText(*y, text);
  const std::string c = cleanCellText(text);
  if (auto d = decodeCellText(*y, c)) {
    const int v = d->code;
    if (v >= 11) {
      if (v > 79 || v / 10 < 1 || v / 10 > 7 || v % 10 < 1 || v % 10 > y->Jigen) return false;
    } else if (v < 0) {
      if (-v > y->JItemCount) return false;
    }
    if (sanitizeUtf8(d->shown) != d->shown) return false;
  }

  if (c.size() > kMaxCellTextBytes || sanitizeUtf8(c) != c) return false;
  for (unsigned char ch : c)
    if (ch < 0x20 || ch == 0x7f) return false;
  return cleanCellText(c) == c;
}

}  // namespace tly::fuzz

#ifdef TLY_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!tly::fuzz::celltextCheck(data, size)) std::abort();
  return 0;
}
#endif
