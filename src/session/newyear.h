// Creating a school year from the new-year dialog's choices: the check of the year text
// with its message, and the whole build including the main window's state.
#pragma once

#include <optional>
#include <string>

#include "calendar/newyear.h"
#include "session/appstate.h"

namespace tly {

// The 実行 check: the year of the text, or the message "年度は西暦で指定してください。"
// (OK only, no icon, title "TLY") and nothing.
std::optional<int> checkNendoText(App& app, const std::string& text);
// Builds the year of opt into app.Y and shows its April: tables, timetable views switched
// off, grade and month selectors, grid layout with default widths, row heights, DispJJ.
void runNewYearBuild(App& app, const NewYearOptions& opt);

}  // namespace tly
