#include "rules/tallycount.h"

#include "model/cellcode.h"

namespace tly {

namespace {

int clampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Last day of month m for grade index gi as the walk uses it: at least 1 (a month
// without a stored length is passed through on its day 1) and at most 31.
int walkMonthLength(const SchoolYear& y, int gi, int m) { return clampInt(y.JJ[gi][m][0][0], 1, kDaySlots - 1); }

int nextMonth(int m) { return m == 12 ? 1 : m + 1; }


}  // namespace

int tallyPeriods(const SchoolYear& y) { return clampInt(y.Jigen, 0, kPeriodSlots - 1); }

TallyRange clampRangeToGrade(const SchoolYear& y, int gi, TallyRange r) {
  gi = clampInt(gi, 0, kGrades - 1);
  r.fromMonth = clampInt(r.fromMonth, 1, 12);
  r.toMonth = clampInt(r.toMonth, 1, 12);
  r.fromDay = clampInt(r.fromDay, 1, walkMonthLength(y, gi, r.fromMonth));
  r.toDay = clampInt(r.toDay, 1, walkMonthLength(y, gi, r.toMonth));
  return r;
}

int countGradeRange(const SchoolYear& y, int gi, const TallyRange& range, int (*cnt)[kPeriodSlots]) {
  if (gi < 0 || gi >= kGrades) return 0;
  const TallyRange r = clampRangeToGrade(y, gi, range);
  const int periods = tallyPeriods(y);
  // Both ends lie on days of the cycle April 1 .. March 31 of this grade, so the end is
  // met within one cycle; the bound only guards the loop.
  int cycle = 0;
  for (int m = 1; m <= 12; ++m) cycle += walkMonthLength(y, gi, m);

  int counted = 0;
  int m = r.fromMonth, d = r.fromDay;
  for (int step = 0; step < cycle; ++step) {
    const int16_t* cells = y.JJ[gi][m][d];
    for (int p = 1; p <= periods; ++p) {
      const int c = cells[p];
      if (isEmptyCode(c)) continue;
      if (isSlotCode(c)) {
        if (c > kMaxSlotCode) continue;  // not a code any writer stores
        ++cnt[slotWeekday(c) - 1][slotPeriod(c)];
      } else {
        const int n = itemNumber(c);
        if (n > kItemSlots) continue;
        ++cnt[n + kItemSlot0][1];
      }
      ++counted;
    }
    if (m == r.toMonth && d == r.toDay) break;
    if (++d > walkMonthLength(y, gi, m)) {
      d = 1;
      m = nextMonth(m);
    }
  }
  return counted;
}

}  // namespace tly
