// Grid cells as clipboard text: cells trimmed of half-width blanks, a Tab between the
// cells of a row, CR LF after every row.
#pragma once

#include <string>

#include "model/grid.h"

namespace tly {

// The rectangle of rows top..bottom and columns left..right (inclusive, clipped to the grid).
std::string gridToClipboardText(const Grid& g, int top, int left, int bottom, int right);
// Every cell of the grid, fixed rows and columns included.
std::string gridToClipboardText(const Grid& g);

}  // namespace tly
