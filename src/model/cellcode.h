// Lesson cell codes: 0 no lesson, 11..79 timetable reference (weekday*10+period),
// negative (or any nonzero below 11) a tally item.
#pragma once

#include <cstdint>
#include <string>

namespace tly {

// Weekday letters, weekday 1 = Sunday .. 7 = Saturday.
extern const char* const kYoubiStr;  // "日月火水木金土"
// UTF-8 letter of weekday w (1..7); "" outside that range.
std::string youbiLetter(int w);

inline bool isEmptyCode(int c) { return c == 0; }
inline bool isItemCode(int c) { return c != 0 && c < 11; }
inline int itemNumber(int c) { return c < 0 ? -c : c; }  // only meaningful when isItemCode
inline bool isSlotCode(int c) { return c >= 11; }
inline int slotWeekday(int c) { return c / 10; }
inline int slotPeriod(int c) { return c % 10; }
// The reference to weekday w (1 Sunday .. 7 Saturday), period p (0..9).
inline int slotCode(int w, int p) { return 10 * w + p; }
// The highest reference any writer stores: Saturday, period 9.
constexpr int kMaxSlotCode = 79;
// A reference whose weekday exists (the slot of a timetable week).
inline bool isKnownSlotCode(int c) { return c >= 11 && c <= kMaxSlotCode; }

// Value written to a file for an in-memory cell: -10..10 as its absolute value.
inline int16_t cellToFile(int16_t v) { return (v >= -10 && v <= 10) ? static_cast<int16_t>(v < 0 ? -v : v) : v; }
// Value kept in memory for a file cell: above 10 as is, anything else as -|v|.
inline int16_t cellFromFile(int16_t v) {
  if (v > 10) return v;
  int a = v < 0 ? -static_cast<int>(v) : v;
  return static_cast<int16_t>(-a);
}

}  // namespace tly
