#include "session/timetablemode.h"

#include "session/monthgrid.h"

namespace tly {

void refreshTimetableMode(App& app) { DispJJ(app, app.S.CurYear, app.S.CurMonth); }

}  // namespace tly
