// Timetable mode: the main window while the timetable window is open. The menu command
// "学級・教師時間割設定" (toolbar button "JW") enters and leaves it; the tally command enters it
// when it is switched on while timetable texts are shown (session/tallyview.h).
#pragma once

#include "session/state/app.h"

namespace tly {

// Enters timetable mode (opening the timetable window), or leaves it when it is on
// (closing the window).
void mnuJikanwari_Click(App& app);
// Opens the timetable window with timetable list position `index` selected (the tally
// command's way in, with the kind already chosen in FileSettings).
void openTimetableWindowAt(App& app, int index);
// The main toolbar's display buttons follow the View menu's checks. Both are derived from
// the view state (mainControls), so there is nothing left to copy; callers mark with it
// the points where the toolbar is brought in line.
void ToolBarRefresh(App& app);

}  // namespace tly
