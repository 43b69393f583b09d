// Timetable mode: the main window while the timetable window is open.
#pragma once

#include "session/appstate.h"

namespace tly {

// Shows the month CurYear/CurMonth in timetable mode after a month change. The grid keeps
// the month layout while the timetable window edits the timetables, so this is the
// month's redraw.
void refreshTimetableMode(App& app);

}  // namespace tly
