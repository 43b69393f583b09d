// The new-year dialog's rules on its year text and counts.
#pragma once

#include <optional>
#include <string>

#include "calendar/calendar.h"
#include "model/platform.h"

namespace tly {

// School year proposed for a date: its year, one less in January..March.
int currentSchoolYear(const Date& today);

// Year typed into the dialog, read as the number at its start and rounded. Empty when that
// number is below 1900 (no number at all counts as 0) or too large to be stored as a year.
std::optional<int> nendoFromText(const std::string& text);
// The year text on Enter or focus loss: the new spin value when the text starts with a
// year in 1900..2900, else nothing (the spin stays, the text stays as typed).
std::optional<int> spinValueFromText(const std::string& text);

// Grade and period counts for the dialog's combo positions (-1 = typed text matching no entry).
inline int gradesFromPosition(int pos) { return pos + 3; }
inline int periodsFromPosition(int pos) { return pos + 5; }

}  // namespace tly
