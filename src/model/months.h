// The months of a school year in their order: April first (position 0) to December
// (position 8), then January (9) to March (11) of the next calendar year.
#pragma once

namespace tly {

constexpr int kSchoolMonths = 12;

// Calendar month at position p (0..11); 0 outside that range.
constexpr int monthAtPosition(int p) { return p < 0 || p >= kSchoolMonths ? 0 : (p + 3) % 12 + 1; }
// Position (0..11) of calendar month m; -1 outside 1..12.
constexpr int positionOfMonth(int m) { return m < 1 || m > 12 ? -1 : (m + 8) % 12; }
// Calendar year of month m in the school year that starts in April of nendo.
constexpr int calendarYearOf(int nendo, int m) { return m < 4 ? nendo + 1 : nendo; }

}  // namespace tly
