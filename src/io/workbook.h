// A workbook of plain sheets (text and number cells with a few styles) written as an
// Excel .xlsx file or as one CSV file per sheet (UTF-8 with a byte-order mark, so that a
// spreadsheet opens it with the right characters).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tly {

struct WorkCell {
  enum class Style { Plain, Head, Shaded, Red, Percent, RedPercent };
  std::string text;              // shown when number is empty
  std::optional<double> number;  // a number cell (Percent: a fraction, shown as 12.3%)
  Style style = Style::Plain;
};

struct WorkSheet {
  std::string name;  // at most 31 characters; not any of []:*?/\ (the writer replaces them)
  std::vector<std::vector<WorkCell>> rows;
  std::vector<double> colWidths;  // in characters; missing columns keep the default
  // Page set-up (the .xlsx file only): rows and columns frozen at the top left, the rows
  // repeated at the top of every printed page (none when headRows is 0), A4 landscape
  // one page wide, and the text of the page header (centred).
  int freezeRows = 0, freezeCols = 0;
  int headRows = 0;
  std::string header{};
};

// The page header as Excel writes it: centred, "&" doubled so that it is printed as
// written, cut to what the format allows (255 bytes with the code in front).
std::string excelHeaderText(const std::string& header);

struct Workbook {
  std::vector<WorkSheet> sheets;
};

// One CSV field: quoted (with quotes doubled) when it holds a comma, a quote or a line end.
std::string csvField(const std::string& s);
// The text a cell shows in a CSV file: the text, or the number (Percent as "12.3%").
std::string workCellText(const WorkCell& c);
// One sheet as CSV: BOM, fields quoted where needed, CR LF line ends.
std::string sheetToCsv(const WorkSheet& s);

// Excel holds at most this many characters (UTF-16 units) in a cell.
constexpr size_t kExcelCellChars = 32767;
// A text as an Excel cell holds it: control characters XML cannot carry (NUL and the
// others below a space but tab, line feed and carriage return) become U+FFFD, and a text
// longer than a cell is cut there with a note of how much was left out (*cut is set).
std::string excelCellText(const std::string& text, bool* cut);

// Writes the workbook to path, replacing it only when the whole file was written
// (flushed to the disk before it replaces the old one). Returns "" or a Japanese
// message; *warning, when given, gets a message when a text had to be cut.
std::string writeXlsx(const std::string& path, const Workbook& wb, std::string* warning = nullptr);
// Writes "NN_NAME.csv" per sheet into dir (created when missing). Returns "" or a message.
std::string writeCsvFolder(const std::string& dir, const Workbook& wb);

}  // namespace tly
