#include "cli/cli.h"

#include <ostream>

#include "cli/commands.h"

namespace tly::cli {

namespace {

struct Command {
  const char* name;
  const char* usage;
  Outcome (*fn)(const std::vector<std::string>&, std::ostream&, std::ostream&);
  // The commands that write PDF files take the printers the program was given.
  Outcome (*printing)(const std::vector<std::string>&, std::ostream&, std::ostream&, PrinterService*) = nullptr;
};

const Command kCommands[] = {
    {"help", "tly help", nullptr},
    {"new", "tly new 年度 [--grades N] [--periods N] [--closed-saturdays LIST] [--holidays law|table] [--from FILE [--advance-grades] [--no-carry LIST]] -o FILE",
     cmdNew},
    {"holidays", "tly holidays 年度 [--law]", cmdHolidays},
    {"month", "tly month FILE --grade G --month M [--changes-only] [--class N | --teacher N]", cmdMonth},
    {"dump", "tly dump FILE", cmdDump},
    {"resave", "tly resave IN OUT", cmdResave},
    {"convert", "tly convert IN OUT --to v2|v3 [--periods N] [--dir DIR]", cmdConvert},
    {"tally", "tly tally FILE --grade G [--from M/D --to M/D] [--class N | --teacher N]", cmdTally},
    {"report", "tly report FILE [--to M/D] [--school elementary|junior] [--targets CSV] [--class N] [--pdf OUT]", nullptr, cmdReport},
    {"export", "tly export FILE --xlsx OUT | --csv DIR [--to M/D] [--school elementary|junior] [--targets CSV]", cmdExport},
    {"edit", "tly edit FILE --grade G --month M --day D --period P|events|remarks --text T [--all-grades]", cmdEdit},
    {"paste", "tly paste FILE --grade G --month M --row R --col C [--all-grades] < TEXT", cmdPaste},
    {"print", "tly print FILE --pdf OUT [--grade G|all] [--from M --to M] [--copies N] [--fit] [--margins T,B,L,R] [--class N | --teacher N] [--tally [--from M/D --to M/D]] [--week YYYY-MM-DD | --weeks FROM..TO]", nullptr, cmdPrint},
    {"timetable", "tly timetable FILE list|add|delete|rename|show|paste --class|--teacher [N] [--name NAME] [--at N] [--row R --col C]", cmdTimetable},
};

}  // namespace

bool isSubcommand(const std::string& first) {
  for (const auto& c : kCommands)
    if (first == c.name) return true;
  return false;
}

void printUsage(std::ostream& out) {
  out << "使い方:\n";
  for (const auto& c : kCommands) out << "  " << c.usage << "\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, PrinterService* printers) {
  if (args.empty() || args[0] == "help") {
    printUsage(out);
    return 0;
  }
  for (const auto& c : kCommands)
    if (args[0] == c.name && c.fn) return finish(c.fn(args, out, err), err);
    else if (args[0] == c.name && c.printing) return finish(c.printing(args, out, err, printers), err);
  err << "不明なコマンドです: " << args[0] << "\n";
  printUsage(err);
  return exitCode(badArguments());
}

FrontChoice chooseFront(const std::vector<std::string>& args) {
  if (args.empty()) return FrontChoice::Desktop;
  const std::string& a = args[0];
  if (isSubcommand(a)) return FrontChoice::Subcommand;
  if (a == "-h" || a == "--help" || a == "-help" || a == "-?") return FrontChoice::Help;
  if (a == "-v" || a == "--version") return FrontChoice::Version;
  // Options (such as --dir DIR) belong to the desktop program; a bare word is a mistyped
  // subcommand.
  if (!a.empty() && a[0] == '-') return FrontChoice::Desktop;
  return FrontChoice::Unknown;
}

}  // namespace tly::cli
