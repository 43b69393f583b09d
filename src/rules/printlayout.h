// Page layout of printing: the main grid is copied to paper cell by cell, with its own
// column widths, row heights, alignments, font and texts, split into pages across and
// down. Everything here is in twips and works on any PrintDevice.
#pragma once

#include <string>

#include "model/grid.h"
#include "model/platform.h"

namespace tly {

constexpr int kCellInset = 20;         // text position inside a cell
constexpr int kFitMarginSchedule = 20; // room kept free when a text is shortened
constexpr int kFitMarginTally = 30;

// Width and height the pages are planned on: the device's page size, except the widths
// and height of continuous paper, whose printable part is narrower than reported.
int usablePageWidth(int pageWidth);
int usablePageHeight(int pageHeight);
// A margin entered in millimetres, in twips (56.7 twips per millimetre, truncated).
int marginTwips(int mm);
// Grid lines are 10 twips wide, in whole device pixels.
int gridLineWidth(double twipsPerPixel);

// The last column from c0 that fits across the page: columns are added while the
// margins plus their widths stay within the usable width. At least c0.
int lastColumnThatFits(const Grid& g, int c0, int lastCol, int marginsWidth, int usableWidth);
// The last row from r0 that fits down the page: rows are added while the margins, the
// room above the table (the title line and the line after it) and their heights stay
// below the usable height. At least r0.
int lastRowThatFits(const Grid& g, int r0, int lastRow, int marginsHeight, int aboveTable, int usableHeight);

// The text shortened from its end, one character at a time, until it is no wider than
// room in the device's current font (empty when nothing fits).
std::string fitText(PrintDevice& dev, const std::string& text, int room);
// Left edge of a text of width textWidth in a cell at x of width colWidth.
int alignedTextX(Align a, int x, int colWidth, int textWidth);

// What every page of a run shares: the margins in twips and the title line's font.
struct PageFrame {
  int top = 0, bottom = 0, left = 0, right = 0;
  FontInfo titleFont;
  bool fit = false;  // scale the grid up to fill the page (fitToPage)
};

// How much a grid of width x height twips can grow, keeping its proportions, to fill
// availWidth or availHeight (whichever it reaches first). Never below 1: a grid larger
// than the page keeps its size and is split into pages as without the option.
double fitScale(long width, long height, long availWidth, long availHeight);
// The grid with its column widths, row heights and font scaled by factor (sizes rounded
// down, so that the scaled grid never outgrows the room it was scaled for).
Grid scaledGrid(const Grid& g, double factor);

// Prints cells 0..lastRow x 0..lastCol of the grid in pages (row blocks, each split into
// column strips). The title is printed on the very first page only. Returns the number
// of pages printed.
int printGrid(PrintDevice& dev, const Grid& g, int lastRow, int lastCol, const std::string& title,
              int fitMargin, const PageFrame& frame);

// Title lines: the school-year text (" 2024 年度"), the grade and month names as the
// main window's selectors show them, and the range of the last tally.
std::string scheduleTitle(const std::string& yearText, const std::string& grade, const std::string& month);
std::string tallyRangeTitle(int fromMonth, int fromDay, int toMonth, int toDay);
std::string tallyTitle(const std::string& yearText, const std::string& grade, const std::string& range);
std::string timetableTallyTitle(const std::string& yearText, const std::string& timetable, const std::string& range);

}  // namespace tly
