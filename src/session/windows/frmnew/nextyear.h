// 次年度を作成: the next school year built from the open one. The dialog proposes the
// year after the open one with its grade and period counts and the closed Saturdays and
// holiday choice used last time; the build is the new-year build of every year, after
// which the chosen contents of the open year are copied in.
#pragma once

#include <array>
#include <string>

#include "rules/yearcarry.h"
#include "session/state/app.h"

namespace tly {

// The menu command: false when nothing is to be done (the tally view is showing, no year
// is open, or the user did not agree that the open year will be replaced). The open year
// and its file name stay as they are until the build runs.
bool mnuNextYear_Click(App& app);

// What the dialog starts with for the open year.
struct NextYearProposal {
  int nendo = 0;        // the open year + 1
  int grades = 3;       // the open year's counts, brought into the dialog's lists
  int periods = 6;
  std::array<bool, 5> closedSaturdays{false, true, false, true, false};
  bool lawHolidays = false;
};
NextYearProposal nextYearProposal(App& app);
// Keeps the closed Saturdays of a build for the next proposal ("Settings"/
// "NextYearClosedSaturdays": the numbers of the closed ones, "2,4"; "none" for none).
void storeNextYearSaturdays(App& app, const std::array<bool, 5>& closed);

// The build: source's chosen contents are taken, the year of opt is built exactly as
// 新規作成 builds it (runNewYearBuild), then the contents are put in and the window
// follows them (view options, fonts, column widths, the timetable selector). source may
// be app.Y itself; then the settings carried are those the window shows, as a save would
// write them. The new year has no file name; the summary is in the status bar.
// Standard-hours settings live in the settings store for every year: carried, they stay;
// not carried, the new year starts from the national figures.
CarryCounts runCarriedYearBuild(App& app, const SchoolYear& source, const NewYearOptions& opt,
                                const CarryChoice& choice);

}  // namespace tly
