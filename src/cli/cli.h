// The command-line front: `tly SUBCOMMAND ...`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tly::cli {

// Runs one subcommand; args[0] is the subcommand's name. Output to out, errors (in
// Japanese) to err. Returns the process exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// True when args name a subcommand (so the desktop program is not started).
bool isSubcommand(const std::string& first);

}  // namespace tly::cli
