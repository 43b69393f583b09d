// Text typed or pasted into a cell of the month grid: how it decodes into a lesson code,
// how a day text is made safe to store, and what a period cell shows for its code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/schoolyear.h"

namespace tly {

// Longest day text kept from typing or pasting, in bytes: the data file stores a text's
// length in two bytes, so a longer text could not be written back.
constexpr size_t kMaxCellTextBytes = 32000;

// What a period cell receives for a text.
struct DecodedCell {
  int16_t code = 0;
  std::string shown;    // the text the cell shows until the month is redrawn
  bool redraw = false;  // a weekday reference or an item was decoded (not only "/")
};

// Decodes text typed or pasted into a period cell: a weekday letter followed by a period
// digit 1..Jigen (one half- or full-width blank between them is dropped), else the first
// item (in list order) whose name occurs in the text, and finally "/" or "／" for no
// lesson. nullopt when the text decodes to nothing (the cell keeps its code).
std::optional<DecodedCell> decodeCellText(const SchoolYear& y, std::string_view text);

// Makes a text safe to store in a cell: invalid UTF-8 replaced, control characters
// (line breaks, NUL ...) removed, cut to kMaxCellTextBytes at a character boundary.
std::string cleanCellText(std::string_view text);
// Whether cleanCellText removes control characters from text (the user is told then).
bool hasControlCharacters(std::string_view text);

// How period cells show their codes: as codes and slot letters, or through a timetable.
struct CellView {
  int grade = 1;              // the grade shown (a teacher's slot of another grade is checked)
  bool changesOnly = false;   // a lesson that follows the weekday's own slot is left blank
  int timetableKind = -1;     // -1 codes; 0 class, 1 teacher timetable texts
  int timetable = 0;          // record 1..kMaxTimetables of that kind; another value: blank
};

// Text a period cell shows for code c on day d (weekday wd) of month `month` at period p.
std::string cellText(const SchoolYear& y, const CellView& v, int month, int d, int wd, int p, int c);

// A lesson as the clipboard carries it: "／" for none, an item's name (nothing for an item
// number past the list), "月 3" for a timetable reference.
std::string clipboardCellText(const SchoolYear& y, int c);

}  // namespace tly
