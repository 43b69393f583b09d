// Subcommand entry points. Each takes the arguments with args[0] = its own name.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tly::cli {

using Args = std::vector<std::string>;

}  // namespace tly::cli
