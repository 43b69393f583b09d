// Starts the desktop program (Qt Widgets). Options: --dir DIR names the program folder.
#pragma once

namespace tly::ui {

int runDesktop(int argc, char** argv);

}  // namespace tly::ui
