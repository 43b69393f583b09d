// What a text typed or pasted into a cell of the month grid stores, including a subject
// named through the shown class or teacher timetable, and what the user is told when a
// period cell's text stores nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/celltext.h"
#include "session/state/app.h"

namespace tly {

// What a period cell of the shown month at day `row`, column `col` receives for a text:
// what decodeCellText makes of it, else, while the month is shown through a class or
// teacher timetable, the slot of that timetable whose lesson the text names (on the
// day's weekday first). A text naming the lesson the cell already shows keeps its code.
// nullopt when the text decodes to nothing.
std::optional<DecodedCell> decodeForCell(const App& app, int row, int col, std::string_view text);
// The status-bar line for a text that decoded to nothing in a period cell.
std::string undecodedCellMessage(const App& app, std::string_view text);

// What storing a text into a cell did.
enum class CellStore {
  Nothing,    // not a cell of the month, or an empty text in a period cell
  Text,       // a day text was stored
  Code,       // a period code was stored
  Undecoded,  // a period cell's text decoded to nothing: the cell is unchanged
};
// Stores a text into the day-text column or decodes it (decodeForCell) into a period
// cell of the shown month at (row, col), for the grades of editGrades: the store of a
// pasted value (storeCellValue says only whether a code was stored).
CellStore storePastedValue(App& app, int row, int col, std::string_view text);

}  // namespace tly
