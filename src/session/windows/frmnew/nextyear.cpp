#include "session/windows/frmnew/nextyear.h"

#include <algorithm>

#include "session/files/datafile.h"
#include "session/state/selectors.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmstdhours/standards.h"

namespace tly {

namespace {
const char* const kKeySaturdays = "NextYearClosedSaturdays";
}

bool mnuNextYear_Click(App& app) {
  if (app.V.tally) return false;
  if (!app.Y.isOpen()) {
    app.msg("次年度の元になる年度が開かれていません。", MsgButtons::OK, MsgIcon::None, "TLY 次年度を作成");
    return false;
  }
  return app.msg("現在編集中のデータは失われます。", MsgButtons::OKCancel, MsgIcon::None, "TLY 次年度を作成") ==
         MsgResult::OK;
}

NextYearProposal nextYearProposal(App& app) {
  NextYearProposal p;
  p.nendo = app.Y.nendo() + 1;
  p.grades = std::clamp<int>(app.Y.Ggn, 3, 6);
  p.periods = std::clamp<int>(app.Y.Jigen, 5, 7);
  const std::string stored = app.setting(kKeySaturdays, "");
  if (stored == "none") {
    p.closedSaturdays.fill(false);
  } else if (!stored.empty()) {
    std::array<bool, 5> closed{};
    bool valid = true;
    for (char c : stored) {
      if (c >= '1' && c <= '5')
        closed[static_cast<size_t>(c - '1')] = true;
      else if (c != ',')
        valid = false;
    }
    if (valid) p.closedSaturdays = closed;  // a damaged value keeps the usual 2 and 4
  }
  p.lawHolidays = lawHolidaysChosen(app);
  return p;
}

void storeNextYearSaturdays(App& app, const std::array<bool, 5>& closed) {
  std::string text;
  for (size_t i = 0; i < closed.size(); ++i)
    if (closed[i]) text += (text.empty() ? "" : ",") + std::to_string(i + 1);
  app.storeSetting(kKeySaturdays, text.empty() ? "none" : text);
}

CarryCounts runCarriedYearBuild(App& app, const SchoolYear& source, const NewYearOptions& opt,
                                const CarryChoice& choice) {
  // The open year's settings record is brought up to date only by a save; what the
  // window shows now is what is carried.
  if (&source == &app.Y) captureWindowSettings(app);
  CarriedParts parts = takeCarried(source, choice, std::clamp(opt.grades, 1, kGrades));
  runNewYearBuild(app, opt);
  const CarryCounts counts = putCarried(app.Y, std::move(parts));
  app.F.CurFile.clear();

  if (choice.settings) {
    // The view options, fonts and items of the old year, as a read of its file applies
    // them; the shown grade stays as the build chose it.
    const int shownGrade = app.W.cmbGr.index;
    applyFileSettings(app);
    app.W.cmbGr.select(shownGrade);
    // The timetable selector lists the new year's timetables (renamed ones too), at the
    // old position when it still exists.
    app.C.IniDspJWIndex = app.Y.Fs.FsDspJWIndex;
    SetCmbDispJW(app);
  }
  if (!choice.standards) resetStandardSettings(app);

  SetJJGrid(app);  // with the carried column widths, or the defaults the build chose
  SetRowHeight(app);
  DispJJ(app, app.Y.nendo(), 4);
  app.W.panel[0] = carrySummary(counts);
  return counts;
}

}  // namespace tly
