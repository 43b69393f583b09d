#include "session/windows/history.h"

#include "model/months.h"
#include "session/windows/celledit.h"
#include "session/windows/frmjw/timetablewindow.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmmain/tallyview.h"

namespace tly {

const char* const kStepTyping = "入力";
const char* const kStepPaste = "貼り付け";
const char* const kStepCut = "切り取り";
const char* const kStepDelete = "削除";
const char* const kStepItem = "集計項目の割り当て";
const char* const kStepItemList = "集計項目の変更";
const char* const kStepFont = "フォント";
const char* const kStepColWidth = "列幅変更";
const char* const kStepTimetableAdd = "時間割の追加";
const char* const kStepTimetableInsert = "時間割の挿入";
const char* const kStepTimetableRename = "時間割の名称変更";
const char* const kStepTimetableDelete = "時間割の削除";

namespace {

// The year after a step went back or forward, shown where the step was made.
void show(App& app, const Step& s, bool undo) {
  applyStep(app, s, undo);
  JWForm& f = app.JWF;
  if (s.touchesTimetables() && f.open) {
    // The window shows the kind of the step and the timetable that was selected then.
    if ((f.optClass ? 0 : 1) != s.place.timetableKind && s.place.timetableWindow)
      optClass_Click(app, s.place.timetableKind == 0);
    const int pick = undo ? s.place.listBefore : s.place.listAfter;
    f.JWListPos = pick >= 0 ? pick : 0;
    SetJWList(app);
    lstJW_Click(app, f.lstJW.size() ? std::min(f.JWListPos, f.lstJW.size() - 1) : -1);
    if (f.refShown) SetCmbRef(app);
    f.focus = JWFocus::Grid1;
  }
  if (s.touchesTimetables()) SetCmbDispJW(app);
  if (s.touchesMonth()) {
    app.S.CurGr = s.place.grade;
    app.S.CurMonth = s.place.month;
    app.S.CurYear = calendarYearOf(app.Y.nendo(), s.place.month);
  }
  if (!app.V.tally) redrawMonth(app);
}

std::string named(const char* verb, const Step* s, const char* key) {
  if (!s) return std::string(verb) + key;
  return std::string(verb) + " - " + s->name + key;
}

}  // namespace

bool mnuUndo_Click(App& app) {
  if (tallyViewShown(app)) {
    mnuKei_Click(app);
    return false;
  }
  if (!app.H.canUndo()) return false;
  show(app, app.H.stepBack(), true);
  return true;
}

bool mnuRedo_Click(App& app) {
  if (tallyViewShown(app) || !app.H.canRedo()) return false;
  show(app, app.H.stepForward(), false);
  return true;
}

std::string undoCaption(const App& app) { return named("取り消し", app.H.undoStep(), "(&U)"); }
std::string redoCaption(const App& app) { return named("やり直し", app.H.redoStep(), "(&R)"); }

bool timetableUndoAvailable(const App& app) {
  const Step* s = app.H.undoStep();
  return s && s->touchesTimetables() && !s->touchesMonth() && !s->items && !s->look;
}

void timetableUndo(App& app) {
  if (!timetableUndoAvailable(app)) return;
  show(app, app.H.stepBack(), true);
}

}  // namespace tly
