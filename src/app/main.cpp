// Program entry: a subcommand runs the command-line front; help, the version and mistyped
// words are answered on the terminal; otherwise the desktop program starts, when there is
// a display to show it on.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#ifdef TLY_HAVE_UI
#include "ui/desktop.h"
#include "ui/printdevice.h"
#endif

namespace {

// The desktop program needs a display (X11 or Wayland), or a platform chosen explicitly
// (QT_QPA_PLATFORM=offscreen in tests).
bool haveDisplay() {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* s = std::getenv(v);
    if (s && *s) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  switch (tly::cli::chooseFront(args)) {
    case tly::cli::FrontChoice::Subcommand: {
#ifdef TLY_HAVE_UI
      // `tly print` writes its PDF files with the desktop's writer.
      tly::ui::QtPrinters printers;
      return tly::cli::run(args, std::cout, std::cerr, &printers);
#else
      return tly::cli::run(args, std::cout, std::cerr);
#endif
    }
    case tly::cli::FrontChoice::Help:
      std::cout << "TLY 授業時数集計\n"
                   "  tly [--dir DIR]   デスクトッププログラムを起動します（DIR: プログラムフォルダー）\n";
      tly::cli::printUsage(std::cout);
      return 0;
    case tly::cli::FrontChoice::Version:
      std::cout << "TLY 授業時数集計 " << TLY_VERSION << "\n";
      return 0;
    case tly::cli::FrontChoice::Unknown:
      std::cerr << "不明なコマンドです: " << args[0] << "\n";
      tly::cli::printUsage(std::cerr);
      return 2;
    case tly::cli::FrontChoice::Desktop:
      break;
  }
#ifdef TLY_HAVE_UI
  if (!haveDisplay()) {
    std::cerr << "画面（ディスプレイ）がないため、デスクトッププログラムを起動できません。"
                 "xvfb-run -a tly のように画面を用意して起動してください。\n";
    return 1;
  }
  return tly::ui::runDesktop(argc, argv);
#else
  std::cerr << "この版にはデスクトップ画面が組み込まれていません。\n";
  return 2;
#endif
}
