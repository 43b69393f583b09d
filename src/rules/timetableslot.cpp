#include "rules/timetableslot.h"

#include <algorithm>
#include <string>

#include "model/basic.h"
#include "model/cellcode.h"

namespace tly {

int16_t timetableSlotOf(const SchoolYear& y, const CellView& v, int weekday, std::string_view subject) {
  if (v.timetableKind < 0 || v.timetableKind > 1 || v.timetable < 1 || v.timetable > kMaxTimetables) return 0;
  const std::string want = trimBlanks(subject);
  if (want.empty()) return 0;
  const JWRec& rec = y.JW[v.timetableKind][v.timetable];
  const int periods = std::min(6, std::clamp<int>(y.Jigen, 0, kPeriodSlots - 1));
  auto holds = [&](int w, int p) { return trimBlanks(rec.JWCell[static_cast<size_t>(w - 1)][static_cast<size_t>(p)]) == want; };
  if (weekday >= 1 && weekday <= 7)
    for (int p = 1; p <= periods; ++p)
      if (holds(weekday, p)) return static_cast<int16_t>(slotCode(weekday, p));
  for (int w = 1; w <= 7; ++w)
    for (int p = 1; p <= periods; ++p)
      if (holds(w, p)) return static_cast<int16_t>(slotCode(w, p));
  return 0;
}

}  // namespace tly
