// Creating a school year from the new-year dialog's choices: the check of the year text
// with its message, and the whole build including the main window's state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/newyear.h"
#include "session/state/app.h"

namespace tly {

// The 実行 check: the year of the text, or the message "年度は西暦で指定してください。"
// (OK only, no icon, title "TLY") and nothing.
std::optional<int> checkNendoText(App& app, const std::string& text);
// Builds the year of opt into app.Y and shows its April: tables, timetable views switched
// off, grade and month selectors, grid layout with default widths, row heights, DispJJ.
void runNewYearBuild(App& app, const NewYearOptions& opt);

// The dialog's choice of the law's holidays ("祝日を現行の祝日法で設定"), kept in the per-user
// settings store under "Settings"/"NewLawHolidays" as "1" or "0"; off unless "1" is stored.
bool lawHolidaysChosen(App& app);
void storeLawHolidaysChosen(App& app, bool on);
// Whether the choice applies to the year typed into the dialog (a school year 1949..2098).
bool lawHolidaysSelectable(const std::string& yearText);
// The lines of the dialog's holiday list: the fixed table's labels, or, when the law's
// holidays are chosen and the year is one they apply to, that school year's holidays.
std::vector<std::string> holidayListLines(const std::string& yearText, bool law);

}  // namespace tly
