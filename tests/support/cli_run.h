// Runs a subcommand in-process and keeps its exit status and both output streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tly::test {

struct CliRun {
  int rc;
  std::string out, err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int rc = cli::run(args, out, err);
  return {rc, out.str(), err.str()};
}

}  // namespace tly::test
