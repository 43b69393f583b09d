#include "session/state/selectors.h"

#include <algorithm>

#include "model/months.h"

namespace tly {

void fillGradeSelector(App& app) {
  ComboState& c = app.W.cmbGr;
  c.clear();
  int n = std::clamp<int>(app.Y.Ggn, 0, kGrades);
  for (int g = 1; g <= n; ++g) c.items.push_back(std::to_string(g) + "年");
  c.select(app.S.CurGr - 1);
}

void fillMonthSelector(App& app) {
  ComboState& c = app.W.cmbMonth;
  c.clear();
  for (int i = 0; i < kSchoolMonths; ++i) c.items.push_back(std::to_string(monthAtPosition(i)) + "月");
  c.select(positionOfMonth(app.S.CurMonth));
}

}  // namespace tly
