#include "rules/celltext.h"

#include <algorithm>
#include <vector>

#include "model/basic.h"
#include "model/cellcode.h"

namespace tly {

namespace {

// Period digits as typed: the position (1-based) modulo 10 is the period, so "0", "０"
// and anything not listed read as 0.
const char* const kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
                               "１", "２", "３", "４", "５", "６", "７", "８", "９", "０"};

int weekdayOfLetter(const std::string& ch) {
  for (int w = 1; w <= 7; ++w)
    if (ch == youbiLetter(w)) return w;
  return 0;
}

int periodOfDigit(const std::string& ch) {
  for (int i = 0; i < 20; ++i)
    if (ch == kDigits[i]) return (i + 1) % 10;
  return 0;
}

int usedItemCount(const SchoolYear& y) { return std::clamp<int>(y.JItemCount, 0, kItemSlots); }
int usedPeriods(const SchoolYear& y) { return std::clamp<int>(y.Jigen, 0, kPeriodSlots - 1); }

}  // namespace

std::optional<DecodedCell> decodeCellText(const SchoolYear& y, std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::string t(text);
  std::vector<std::string> ch = utf8Chars(t);
  std::optional<DecodedCell> out;

  int w = weekdayOfLetter(ch[0]);
  if (w > 0) {
    // The grid shows a reference as letter, blank, digit: drop that one blank.
    if (ch.size() >= 2 && (ch[1] == " " || ch[1] == "　")) {
      t.erase(ch[0].size(), ch[1].size());
      ch.erase(ch.begin() + 1);
    }
    int p = ch.size() >= 2 ? periodOfDigit(ch[1]) : 0;
    if (p >= 1 && p <= usedPeriods(y)) out = DecodedCell{static_cast<int16_t>(10 * w + p), t, true};
  } else {
    for (int n = 1; n <= usedItemCount(y); ++n) {
      const std::string& name = y.JItem[static_cast<size_t>(n - 1)];
      // An empty name would occur in every text; it names nothing.
      if (!name.empty() && t.find(name) != std::string::npos) {
        out = DecodedCell{static_cast<int16_t>(-n), t, true};
        break;
      }
    }
  }
  if (t == "/" || t == "／") {
    bool redraw = out && out->redraw;
    out = DecodedCell{0, "／", redraw};
  }
  return out;
}

std::string cleanCellText(std::string_view text) {
  std::string s = sanitizeUtf8(text);
  s.erase(std::remove_if(s.begin(), s.end(),
                         [](char c) {
                           auto u = static_cast<unsigned char>(c);
                           return u < 0x20 || u == 0x7F;
                         }),
          s.end());
  if (s.size() > kMaxCellTextBytes) {
    size_t cut = kMaxCellTextBytes;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    s.resize(cut);
  }
  return s;
}

}  // namespace tly
