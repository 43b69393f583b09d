// The command-line front: `tly SUBCOMMAND ...`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/platform.h"

namespace tly::cli {

// Runs one subcommand; args[0] is the subcommand's name. Output to out, errors (in
// Japanese) to err. Returns the process exit status.
// printers: the writer of PDF files (the desktop's); without it `print` and `report --pdf`
// say that this build cannot write PDF files.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        PrinterService* printers = nullptr);

// True when args name a subcommand (so the desktop program is not started).
bool isSubcommand(const std::string& first);

// The subcommand list ("使い方:" and one line per subcommand).
void printUsage(std::ostream& out);

// What the program's arguments ask for: a subcommand, help or the version on the
// terminal, the desktop program (no arguments, or its options), or an unknown word
// (answered with "不明なコマンドです" and the list, never with the desktop program).
enum class FrontChoice { Subcommand, Help, Version, Desktop, Unknown };
FrontChoice chooseFront(const std::vector<std::string>& args);

}  // namespace tly::cli
