#include "session/files/yearswap.h"

#include <algorithm>

#include "session/state/selectors.h"

namespace tly {

void yearReplaced(App& app, ShownGrade grade) {
  app.H.clear();
  app.S.CurYear = app.Y.nendo();
  const int grades = std::clamp<int>(app.Y.Ggn, 0, kGrades);
  int& shown = app.S.CurGr;
  if (grade == ShownGrade::FirstIfMissing && (shown < 1 || shown > grades)) shown = 1;
  if (grade == ShownGrade::NearestIfMissing) shown = std::clamp(shown, 1, std::max(grades, 1));
  fillGradeSelector(app);
  fillMonthSelector(app);
  if (grade == ShownGrade::ChosenByFile) {
    for (ComboState* c : {&app.W.cmbGr, &app.W.cmbMonth}) {
      c->index = -1;
      c->text.clear();
    }
  }
}

}  // namespace tly
