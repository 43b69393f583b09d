// Text typed or pasted into a cell of the month grid: how it decodes into a lesson code,
// and how a day text is made safe to store.
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

}  // namespace tly
