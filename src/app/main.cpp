// Program entry: a subcommand runs the command-line front; otherwise the desktop program.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#ifdef TLY_HAVE_UI
#include "cli/print_cmd.h"
#include "ui/desktop.h"
#include "ui/printdevice.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && tly::cli::isSubcommand(args[0])) {
#ifdef TLY_HAVE_UI
    // `tly print` writes its PDF files with the desktop's writer.
    static tly::ui::QtPrinters printers;
    tly::cli::usePrinters(&printers);
#endif
    return tly::cli::run(args, std::cout, std::cerr);
  }
#ifdef TLY_HAVE_UI
  return tly::ui::runDesktop(argc, argv);
#else
  std::cerr << "この版にはデスクトップ画面が組み込まれていません。\n";
  return 2;
#endif
}
