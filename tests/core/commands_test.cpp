// The table of the windows' commands.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "session/state/commands.h"

namespace tly {
namespace {

// The windows look their controls up by these names; two commands with one name would
// share a control.
TEST(Commands, EveryCommandHasAControlNameOfItsOwn) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const CommandInfo& c = commandInfo(static_cast<Command>(i));
    ASSERT_TRUE(c.name && *c.name) << i;
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
  }
}

}  // namespace
}  // namespace tly
