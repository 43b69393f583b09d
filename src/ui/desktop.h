// The desktop program: its options, and one run of it (platform services, the open year,
// the main window). Options: --dir DIR names the program folder; --settings FILE keeps
// the per-user settings in FILE (tests and tools use a file of their own).
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "session/windows/frmmain/lifecycle.h"
#include "ui/qtplatform.h"

class QApplication;
class QCommandLineParser;
class QCoreApplication;
class QSocketNotifier;
class QTimer;

namespace tly::ui {

class frmMain;

struct DesktopOptions {
  QString dir;           // the program folder, absolute, ending in "/"
  QString settingsFile;  // empty: the per-user settings store
  QString file;          // a data file to open after the start (the desktop entry's %f)
};

// Qt's own texts (file, font and print dialogs, message box buttons, the context menus
// of text boxes) in Japanese, whatever the locale, as the program's own texts are: loads
// Qt's Japanese translation from the system's translations folder. False when it is not
// installed (the texts then stay English).
bool installJapaneseQtTexts(QCoreApplication& qapp);

// Sets the application's names, adds the program's options to parser, processes the
// arguments and returns the options (the program folder is created when missing); also
// sets the Japanese face and Qt's Japanese texts.
// Callers may add options of their own to parser first.
DesktopOptions desktopOptions(QApplication& qapp, QCommandLineParser& parser);

class Desktop {
 public:
  // messages: a message box to use instead of the windowed one (unattended runs).
  explicit Desktop(const DesktopOptions& options, MessageBoxService* messages = nullptr);
  ~Desktop();
  // The program entry: splash, load the main window, drop the splash, open the file
  // given on the command line, then show the main window and, when no year is open and
  // the user asked for one, the new-year dialog.
  StartOutcome start();
  App& app() { return *app_; }
  frmMain& window() { return *w_; }
  // Ends on SIGTERM, SIGHUP and SIGINT as the Exit command does (the working file is
  // written, the running-copy counter lowered) instead of dying with the session.
  void endOnSignals();
  // Ends as the Exit command does when the connection to the X server breaks (Qt then
  // says so and ends the program with exit()): the working file is written and the
  // counter lowered from the App, without touching a window.
  void endOnLostDisplay();
  void endWithoutDisplay();
  // Writes the recovery copy now when the year changed since the last one (the timer
  // does this every few seconds).
  void keepRecoveryCopyNow();
  // A terminating signal has arrived.
  bool endRequested() const { return endRequested_; }

 private:
  QtPlatform services_;
  QString file_;
  std::unique_ptr<App> app_;
  std::unique_ptr<frmMain> w_;
  QTimer* recoveryTimer_ = nullptr;
  QSocketNotifier* signalNotifier_ = nullptr;
  std::string lastRecovery_;
  bool ended_ = false;
  bool endRequested_ = false;
};

// The whole desktop program: options, start, event loop.
int runDesktop(int argc, char** argv);

}  // namespace tly::ui
