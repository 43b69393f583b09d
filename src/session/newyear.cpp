#include "session/newyear.h"

#include <algorithm>

#include "session/clipboard.h"
#include "session/monthgrid.h"

namespace tly {

std::optional<int> checkNendoText(App& app, const std::string& text) {
  auto n = nendoFromText(text);
  if (!n) app.msg("年度は西暦で指定してください。", MsgButtons::OK, MsgIcon::None, "TLY");
  return n;
}

void runNewYearBuild(App& app, const NewYearOptions& opt) {
  buildNewYear(app.Y, opt);
  discardUndoCopy(app);  // an undo must never write a month of the previous year
  const int n = app.Y.nendo();

  // Timetable views off: no timetable exists any more.
  MainView& w = app.W;
  app.V.timetable = TimetableView::None;
  w.cmbDispJW.clear();

  app.S.CurYear = n;
  app.S.CurMonth = 4;
  w.cmbGr.clear();
  for (int g = 1; g <= app.Y.Ggn; ++g) w.cmbGr.items.push_back(std::to_string(g) + "年");
  // The shown grade is kept when the new year has it; a grade beyond the new count
  // becomes the highest grade, the one nearest to what was shown.
  app.S.CurGr = std::clamp(app.S.CurGr, 1, static_cast<int>(app.Y.Ggn));
  w.cmbGr.select(app.S.CurGr - 1);
  // The month selector is filled by the file readers; a year built before any file was
  // read gets the same twelve entries here, April first.
  if (w.cmbMonth.items.size() != 12) {
    w.cmbMonth.clear();
    for (int i = 0; i < 12; ++i) w.cmbMonth.items.push_back(std::to_string(i < 9 ? i + 4 : i - 8) + "月");
  }
  w.cmbMonth.select(0);

  app.Y.Fs.FsColWidth[0] = 0;  // the grid takes its default column widths
  SetJJGrid(app);
  SetRowHeight(app);
  DispJJ(app, n, 4);
}

}  // namespace tly
