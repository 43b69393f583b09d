// A termination request from the system (SIGTERM at shut-down or from kill, SIGHUP when
// the terminal goes, SIGINT from Ctrl+C in it) ends the program as its Exit command does:
// the event loop quits, so the unload writes the working file and resets the counter,
// instead of the whole session's edits being lost.
#pragma once

class QCoreApplication;

namespace tly::ui {

// Routes SIGTERM, SIGHUP and SIGINT to app.quit() through the event loop.
void quitOnTerminationSignals(QCoreApplication& app);

}  // namespace tly::ui
