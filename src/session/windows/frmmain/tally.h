// Class-hours tally: the walk over a range of days, the slot tally of the shown grade
// (DispJisuu), the count of every grade (CountJisuu) and the timetable tally
// (DispJWJisuu). The results go into the main grid, app.Grid1.
#pragma once

#include "rules/tallycount.h"
#include "session/state/app.h"

namespace tly {

// The range the tally uses: April 1 to March 31 in whole-year mode, else the K* range.
TallyRange rangeInForce(const TallyState& t);

// Slot tally of grade CurGr over the range, laid out in the grid.
void DispJisuu(App& app);
// Counts every grade 1..Ggn over the range into JisuuCnt.
void CountJisuu(App& app);
// Hours per entry of timetable JW(kind of JWMode, JWNo) from JisuuCnt, laid out in the grid.
void DispJWJisuu(App& app);

}  // namespace tly
