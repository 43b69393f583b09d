// The one way another school year becomes the open one. A data file read at start-up or
// by Open, an older-format read and a new year all end in yearReplaced, so none of them
// can forget a step: the history of the previous year is dropped (an undo must never
// write a month of one year into another), the shown calendar year follows the new
// school year, and the grade and month selectors are refilled for it. The caller then
// applies what it reads along with the year (a file's view options) and draws.
#pragma once

#include "session/state/app.h"

namespace tly {

// Which grade is shown when the shown grade (CurGr) may not exist in the new year.
enum class ShownGrade {
  ChosenByFile,     // unchanged, and neither selector selects anything yet: the file's
                    // own choice selects the grade, the next draw the month
  FirstIfMissing,   // grade 1 when the new year lacks the shown grade
  NearestIfMissing, // the highest grade when the new year has fewer grades
};

void yearReplaced(App& app, ShownGrade grade);

}  // namespace tly
