// Subcommand entry points. Each takes the arguments with args[0] = its own name.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/context.h"

namespace tly::cli {

using Args = std::vector<std::string>;

// Data-file subcommands.
Outcome cmdNew(const Args& args, std::ostream& out, std::ostream& err);
Outcome cmdMonth(const Args& args, std::ostream& out, std::ostream& err);
Outcome cmdDump(const Args& args, std::ostream& out, std::ostream& err);
Outcome cmdResave(const Args& args, std::ostream& out, std::ostream& err);
// tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]
Outcome cmdConvert(const Args& args, std::ostream& out, std::ostream& err);

// The national holidays of a school year, one "YYYY-MM-DD<Tab>name" line each, from the
// fixed table or with --law from the holiday law (holidays_cmd.cpp).
Outcome cmdHolidays(const Args& args, std::ostream& out, std::ostream& err);
// The refusal of the law's holidays for a year they are not given for, one line.
std::string lawRangeMessage();

// The tally table of a data file, as the tally view copies it (tally_cmd.cpp).
Outcome cmdTally(const Args& args, std::ostream& out, std::ostream& err);
// Class hours against the standard, and the workbook export (report_cmd.cpp, export_cmd.cpp).
Outcome cmdReport(const Args& args, std::ostream& out, std::ostream& err, PrinterService* printers);
Outcome cmdExport(const Args& args, std::ostream& out, std::ostream& err);
// Editing subcommands: edit stores a text into one cell as typing it and Enter would;
// paste pastes clipboard-format text (standard input; runPaste: any stream) at a cell.
Outcome cmdEdit(const Args& args, std::ostream& out, std::ostream& err);
Outcome cmdPaste(const Args& args, std::ostream& out, std::ostream& err);
Outcome runPaste(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
// The print dialog's page sets into one PDF file (print_cmd.cpp).
Outcome cmdPrint(const Args& args, std::ostream& out, std::ostream& err, PrinterService* printers);
// The timetables of a data file: list, add, delete, rename, show, paste (timetable_cmds.cpp).
Outcome cmdTimetable(const Args& args, std::ostream& out, std::ostream& err);
Outcome runTimetable(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tly::cli
