// Class-hours tally: the walk over a range of days, the slot tally of the shown grade
// (DispJisuu), the count of every grade (CountJisuu) and the timetable tally
// (DispJWJisuu). The results go into the main grid, app.Grid1.
#pragma once

#include "session/appstate.h"

namespace tly {

// A range of days of the school year, both ends inclusive, as calendar month and day.
struct TallyRange {
  int fromMonth = 4, fromDay = 1, toMonth = 3, toDay = 31;
  bool operator==(const TallyRange&) const = default;
};

// The range the tally uses: April 1 to March 31 in whole-year mode, else the K* range.
TallyRange rangeInForce(const AppState& s);

// The range as the walk for grade index gi takes it: months outside 1..12 are brought
// into it, and a day beyond its month's last day (29 February in a common year) becomes
// that last day, so the walk always reaches its end.
TallyRange clampRangeToGrade(const SchoolYear& y, int gi, TallyRange r);

// Walks the days of grade index gi from r's first to its last day (wrapping from March
// to April when the end lies before the start) and counts every lesson cell of periods
// 1..Jigen into cnt[slot][period]. Never visits more days than the school year has.
// Returns the number of cells counted.
int countGradeRange(const SchoolYear& y, int gi, const TallyRange& r,
                    int (*cnt)[kPeriodSlots]);

// Slot tally of grade CurGr over the range, laid out in the grid.
void DispJisuu(App& app);
// Counts every grade 1..Ggn over the range into JisuuCnt.
void CountJisuu(App& app);
// Hours per entry of timetable JW(JWMode - 1, JWNo) from JisuuCnt, laid out in the grid.
void DispJWJisuu(App& app);

}  // namespace tly
