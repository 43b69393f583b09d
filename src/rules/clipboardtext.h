// Clipboard text: a Tab between the cells of a row, CR LF after every row. Writing it from
// grid cells and reading it back into fields for a paste.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/grid.h"

namespace tly {

// The rectangle of rows top..bottom and columns left..right (inclusive, clipped to the grid).
std::string gridToClipboardText(const Grid& g, int top, int left, int bottom, int right);
// Every cell of the grid, fixed rows and columns included.
std::string gridToClipboardText(const Grid& g);

// Clipboard text of rows of cells: a tab between cells, CR LF after every row (the last
// one included).
std::string clipboardText(const std::vector<std::vector<std::string>>& rows);
// Clipboard text of the grid rectangle top..bottom x left..right of the grid's own texts
// as they are (the whole grid, trimmed: gridToClipboardText). Cells outside the grid are
// empty.
std::string gridRectText(const Grid& g, int top, int left, int bottom, int right);

// Reading takes CR LF, a lone LF and a lone CR as line ends alike (other programs end
// lines with LF alone); what this program writes keeps CR LF.
// Shape of clipboard text as paste reads it: nCols = 1 + the tabs before the first
// line end (all tabs when there is none), nRows = the number of line ends.
struct PasteShape {
  size_t cols = 1;
  size_t rows = 0;
};
PasteShape pasteShape(std::string_view text);
// The fields of the first maxRows lines of clipboard text (each line ended by a line end),
// split at tabs, at most maxCols per line.
std::vector<std::vector<std::string_view>> pasteFields(std::string_view text, size_t maxRows, size_t maxCols);

}  // namespace tly
