#include "ui/desktop.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "session/lifecycle.h"
#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/frmnew.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

// Answers every question with Yes / OK and notes it on stderr: used by the unattended
// screenshot and timing runs, which must never wait for a person.
class AnsweringMessageBox : public MessageBoxService {
 public:
  MsgResult show(const std::string& text, MsgButtons b, MsgIcon, const std::string& title) override {
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    return b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
};

// Widgets take an installed Japanese face directly: asking the font database for its
// families first costs tens of milliseconds at start-up.
void useJapaneseUiFont() {
  QFont f(QStringLiteral("IPAPGothic"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 9.0);
  QApplication::setFont(f);
}

bool saveGrab(QWidget* w, const QString& path) {
  QPixmap pm = w->grab();
  bool ok = pm.save(path);
  std::fprintf(stderr, "%s %s\n", ok ? "saved" : "could not save", path.toLocal8Bit().constData());
  return ok;
}

}  // namespace

int runDesktop(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QApplication qapp(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("TLY"));
  QApplication::setApplicationName(QStringLiteral("TLY"));

  QCommandLineParser cl;
  cl.addHelpOption();
  QCommandLineOption dirOpt(QStringLiteral("dir"), QString::fromUtf8("プログラムフォルダー"), QStringLiteral("DIR"));
  QCommandLineOption settingsOpt(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
  QCommandLineOption shotOpt(QStringLiteral("screenshot"), QString(), QStringLiteral("OUTDIR"));
  QCommandLineOption measureOpt(QStringLiteral("measure-startup"));
  settingsOpt.setFlags(QCommandLineOption::HiddenFromHelp);
  shotOpt.setFlags(QCommandLineOption::HiddenFromHelp);
  measureOpt.setFlags(QCommandLineOption::HiddenFromHelp);
  cl.addOptions({dirOpt, settingsOpt, shotOpt, measureOpt});
  cl.process(qapp);

  QString dir = cl.value(dirOpt);
  if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(dir);
  dir = QDir(dir).absolutePath();
  if (!dir.endsWith('/')) dir += '/';

  installFontSubstitutions();
  useJapaneseUiFont();

  const bool unattended = cl.isSet(shotOpt) || cl.isSet(measureOpt);
  QtPlatform services;
  if (cl.isSet(settingsOpt)) services.settings = std::make_unique<QtSettingsStore>(cl.value(settingsOpt));
  AnsweringMessageBox answering;

  App app;
  app.P = services.platform();
  if (unattended) app.P.msg = &answering;
  app.S.AppPath = us(dir);

  // Program entry: splash, load the main window, drop the splash, show the main window.
  auto* splash = new frmSplash;
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  frmMain w(app);
  QObject::connect(&w, &frmMain::ended, &qapp, &QApplication::quit, Qt::QueuedConnection);
  QObject::connect(&qapp, &QGuiApplication::commitDataRequest, &w, [&w](QSessionManager&) { w.unloadOnce(); });
  QObject::connect(&qapp, &QCoreApplication::aboutToQuit, &w, [&w] { w.unloadOnce(); });
  StartOutcome out = w.load();
  splash->close();
  delete splash;
  if (out == StartOutcome::Quit) return 0;
  if (out == StartOutcome::OfferNewYear) w.openNewYear(true);
  else w.show();

  if (cl.isSet(measureOpt)) {
    // Time from entering the program to the main window being on screen and painted.
    QTimer::singleShot(0, &w, [&] {
      QApplication::processEvents();
      std::printf("startup_ms %.1f (year %d, file %s)\n", clock.nsecsElapsed() / 1e6, app.Y.nendo(),
                  out == StartOutcome::Ready ? "read" : "none");
      std::fflush(stdout);
      w.close();
    });
  }
  if (cl.isSet(shotOpt)) {
    const QString outDir = cl.value(shotOpt);
    QDir().mkpath(outDir);
    QTimer::singleShot(300, &w, [&w, outDir] {
      if (frmNew* dlg = w.newYearWindow()) {
        saveGrab(dlg, outDir + QStringLiteral("/frmNew.png"));
        dlg->cmdOK()->click();
        QApplication::processEvents();
      }
      // Show a weekday-rich month: the first full week of lessons in April is on view.
      w.resize(std::max(w.width(), 760), std::max(w.height(), 720));
      w.layoutClient();
      QApplication::processEvents();
      saveGrab(&w, outDir + QStringLiteral("/frmMain.png"));
      w.openNewYear(false);
      QApplication::processEvents();
      if (frmNew* dlg = w.newYearWindow()) {
        saveGrab(dlg, outDir + QStringLiteral("/frmNew-from-menu.png"));
        dlg->close();
      }
      w.close();
    });
  }
  return qapp.exec();
}

}  // namespace tly::ui
