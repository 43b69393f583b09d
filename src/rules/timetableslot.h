// A subject typed or pasted into a period cell while the month is shown through a class or
// teacher timetable: which slot of that timetable holds it.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/schoolyear.h"
#include "rules/celltext.h"

namespace tly {

// The slot reference whose lesson in the timetable shown through v is `subject` (blanks
// trimmed): a period of `weekday` (1..7) when one holds it, else the first in weekday and
// period order. Only the slots a cell can show through a timetable count (up to Saturday,
// period 6, and no period past Jigen). 0 when v shows no timetable or none holds it.
int16_t timetableSlotOf(const SchoolYear& y, const CellView& v, int weekday, std::string_view subject);

}  // namespace tly
