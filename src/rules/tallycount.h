// Counting the lessons of a range of days: the walk that every tally is built on.
#pragma once

#include "model/schoolyear.h"

namespace tly {

// Tally slots: 0..6 the timetable weekdays Sunday..Saturday (counted per period), and
// item n under slot n + kItemSlot0 (counted under period 1).
constexpr int kItemSlot0 = 6;

// Periods the tally counts: 1..Jigen, bounded by the table.
int tallyPeriods(const SchoolYear& y);

// A range of days of the school year, both ends inclusive, as calendar month and day.
struct TallyRange {
  int fromMonth = 4, fromDay = 1, toMonth = 3, toDay = 31;
  bool operator==(const TallyRange&) const = default;
};

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

}  // namespace tly
