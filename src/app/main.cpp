// Program entry: a subcommand runs the command-line front; otherwise the desktop program.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#ifdef TLY_HAVE_UI
#include "ui/desktop.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && tly::cli::isSubcommand(args[0])) return tly::cli::run(args, std::cout, std::cerr);
#ifdef TLY_HAVE_UI
  return tly::ui::runDesktop(argc, argv);
#else
  std::cerr << "この版にはデスクトップ画面が組み込まれていません。\n";
  return 2;
#endif
}
