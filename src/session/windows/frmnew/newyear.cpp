#include "session/windows/frmnew/newyear.h"

#include <algorithm>

#include "calendar/holidays.h"
#include "session/files/yearswap.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly {

std::optional<int> checkNendoText(App& app, const std::string& text) {
  auto n = nendoFromText(text);
  if (!n) app.msg("年度は西暦で指定してください。", MsgButtons::OK, MsgIcon::None, "TLY");
  return n;
}

void runNewYearBuild(App& app, const NewYearOptions& opt) {
  buildNewYear(app.Y, opt);
  const int n = app.Y.nendo();
  // The new year opens on its April; the shown grade is kept when the new year has it, a
  // grade beyond the new count becomes the highest grade, the one nearest to what was shown.
  app.S.CurMonth = 4;
  yearReplaced(app, ShownGrade::NearestIfMissing);

  // Timetable views off: no timetable exists any more.
  MainView& w = app.W;
  app.V.timetable = TimetableView::None;
  w.cmbDispJW.clear();

  app.Y.Fs.FsColWidth[0] = 0;  // the grid takes its default column widths
  SetJJGrid(app);
  SetRowHeight(app);
  DispJJ(app, n, 4);
}

namespace {
const char* const kKeyLawHolidays = "NewLawHolidays";
}

bool lawHolidaysChosen(App& app) { return app.setting(kKeyLawHolidays, "0") == "1"; }

void storeLawHolidaysChosen(App& app, bool on) { app.storeSetting(kKeyLawHolidays, on ? "1" : "0"); }

bool lawHolidaysSelectable(const std::string& yearText) {
  auto n = nendoFromText(yearText);
  return n && lawHolidaysAvailable(*n);
}

std::vector<std::string> holidayListLines(const std::string& yearText, bool law) {
  std::vector<std::string> lines;
  if (law && lawHolidaysSelectable(yearText)) {
    for (const DatedHoliday& h : lawHolidaysOfSchoolYear(*nendoFromText(yearText))) lines.push_back(holidayLabel(h));
  } else {
    for (const Holiday& h : kHolidays) lines.emplace_back(h.label);
  }
  return lines;
}

}  // namespace tly
