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
    if (p >= 1 && p <= usedPeriods(y)) out = DecodedCell{static_cast<int16_t>(slotCode(w, p)), t, true};
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

bool hasControlCharacters(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
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

std::string cellText(const SchoolYear& y, const CellView& v, int month, int d, int wd, int p, int c) {
  if (isEmptyCode(c)) return "／";
  if (isItemCode(c)) {
    const int item = itemNumber(c);
    if (item <= kItemSlots) return y.JItem[static_cast<size_t>(item - 1)];
    return numText(c);  // no such item: the code itself, so the cell does not look empty
  }
  const int w = slotWeekday(c), q = slotPeriod(c);
  if (w > 7) return numText(c);  // no such weekday: the code itself

  if (v.changesOnly && q == p && w == wd) return {};

  // Timetable texts stand for the slots up to Saturday, period 6.
  if (c <= 76 && v.timetableKind >= 0) {
    const bool classView = v.timetableKind == 0;
    const int rec = v.timetable;
    if (rec < 0 || rec > kMaxTimetables) return {};
    const std::string t =
        trimBlanks(y.JW[classView ? 0 : 1][rec].JWCell[static_cast<size_t>(w - 1)][static_cast<size_t>(q)]);
    if (classView) return t;
    // A teacher's slot names the class; a class of another grade is shown only on days
    // when that grade really has this lesson in this period.
    const int k = leadingGradeDigit(t);
    if (k == v.grade || k == 0 || k > y.Ggn || k > kGrades) return t;
    const bool inTable = month >= 0 && month < kMonthSlots && d >= 0 && d < kDaySlots && p >= 0 && p < kPeriodSlots;
    if (inTable && y.JJ[k - 1][month][d][p] == c) return t;
    return {};
  }
  return youbiLetter(w) + numText(q, true);
}

std::string clipboardCellText(const SchoolYear& y, int c) {
  if (isEmptyCode(c)) return "／";
  if (isItemCode(c)) {
    const int n = itemNumber(c);
    return n <= kItemSlots ? y.JItem[static_cast<size_t>(n - 1)] : std::string();
  }
  return youbiLetter(slotWeekday(c)) + " " + std::to_string(slotPeriod(c));
}

}  // namespace tly
