// The main window's grade and month selectors as the open year lists them.
#pragma once

#include "session/state/app.h"

namespace tly {

// Refill the grade selector with 1年..Ggn年 and the month selector with 4月..3月, each
// selecting what the grid shows (CurGr, CurMonth; nothing when that is not listed).
void fillGradeSelector(App& app);
void fillMonthSelector(App& app);

}  // namespace tly
