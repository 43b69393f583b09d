#include "ui/desktop.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include "ui/frmabout.h"
#include "ui/frmmain.h"
#include "ui/frmnew.h"

namespace tly::ui {

namespace {

// Widgets take an installed Japanese face directly: asking the font database for its
// families first costs tens of milliseconds at start-up.
void useJapaneseUiFont() {
  QFont f(QStringLiteral("IPAPGothic"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 9.0);
  QApplication::setFont(f);
}

}  // namespace

DesktopOptions desktopOptions(QApplication& qapp, QCommandLineParser& cl) {
  QApplication::setOrganizationName(QStringLiteral("TLY"));
  QApplication::setApplicationName(QStringLiteral("TLY"));
  cl.addHelpOption();
  QCommandLineOption dirOpt(QStringLiteral("dir"), QString::fromUtf8("プログラムフォルダー"), QStringLiteral("DIR"));
  QCommandLineOption settingsOpt(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
  settingsOpt.setFlags(QCommandLineOption::HiddenFromHelp);
  cl.addOptions({dirOpt, settingsOpt});
  cl.process(qapp);

  DesktopOptions o;
  o.dir = cl.value(dirOpt);
  if (o.dir.isEmpty()) o.dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(o.dir);
  o.dir = QDir(o.dir).absolutePath();
  if (!o.dir.endsWith('/')) o.dir += '/';
  o.settingsFile = cl.value(settingsOpt);

  installFontSubstitutions();
  useJapaneseUiFont();
  return o;
}

Desktop::Desktop(const DesktopOptions& o, MessageBoxService* messages) : app_(std::make_unique<App>()) {
  if (!o.settingsFile.isEmpty()) services_.settings = std::make_unique<QtSettingsStore>(o.settingsFile);
  app_->P = services_.platform();
  if (messages) app_->P.msg = messages;
  app_->S.AppPath = us(o.dir);
  w_ = std::make_unique<frmMain>(*app_);
  QObject::connect(w_.get(), &frmMain::ended, qApp, &QApplication::quit, Qt::QueuedConnection);
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, w_.get(), [this](QSessionManager&) { w_->unloadOnce(); });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, w_.get(), [this] { w_->unloadOnce(); });
}

Desktop::~Desktop() = default;

StartOutcome Desktop::start() {
  auto* splash = new frmSplash;
  splash->show();
  splash->repaint();
  QApplication::processEvents();
  StartOutcome out = w_->load();
  splash->close();
  delete splash;
  if (out == StartOutcome::OfferNewYear)
    w_->openNewYear(true);
  else if (out != StartOutcome::Quit)
    w_->show();
  return out;
}

int runDesktop(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QCommandLineParser cl;
  Desktop desktop(desktopOptions(qapp, cl));
  if (desktop.start() == StartOutcome::Quit) return 0;
  return qapp.exec();
}

}  // namespace tly::ui
