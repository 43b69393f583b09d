#include "ui/desktop.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "session/files/workfile.h"

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

#ifdef Q_OS_UNIX
// The signal handler only writes a byte; the event loop does the rest.
int g_signalPipe[2] = {-1, -1};

void onEndSignal(int) {
  const char b = 1;
  ssize_t r = ::write(g_signalPipe[1], &b, 1);
  (void)r;
}
#endif

constexpr int kRecoveryIntervalMs = 3000;

// The run whose year the exit handler saves when the display goes away.
Desktop* g_running = nullptr;

QtMessageHandler g_previousHandler = nullptr;

// Qt's X11 platform says this line and then calls exit(1) at once; everything is still
// in place while it is said (after exit() has begun, Qt's own objects are going away).
void watchForLostDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (g_previousHandler) g_previousHandler(type, context, message);
  else std::fprintf(stderr, "%s\n", qPrintable(message));
  if (g_running && message.startsWith(QLatin1String("The X11 connection broke"))) g_running->endWithoutDisplay();
}

}  // namespace

bool installJapaneseQtTexts(QCoreApplication& qapp) {
  auto* t = new QTranslator(&qapp);
  if (!t->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return false;
  }
  return QCoreApplication::installTranslator(t);
}

DesktopOptions desktopOptions(QApplication& qapp, QCommandLineParser& cl) {
  QApplication::setOrganizationName(QStringLiteral("TLY"));
  QApplication::setApplicationName(QStringLiteral("TLY"));
  // The installed desktop entry and icon (packaging/) name the windows' icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("tly"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tly")));
  cl.addHelpOption();
  QCommandLineOption dirOpt(QStringLiteral("dir"), QString::fromUtf8("プログラムフォルダー"), QStringLiteral("DIR"));
  QCommandLineOption settingsOpt(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
  settingsOpt.setFlags(QCommandLineOption::HiddenFromHelp);
  cl.addOptions({dirOpt, settingsOpt});
  cl.addPositionalArgument(QStringLiteral("file"), QString::fromUtf8("開くデータファイル"), QStringLiteral("[file]"));
  cl.process(qapp);

  DesktopOptions o;
  o.dir = cl.value(dirOpt);
  if (o.dir.isEmpty()) o.dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(o.dir);
  o.dir = QDir(o.dir).absolutePath();
  if (!o.dir.endsWith('/')) o.dir += '/';
  o.settingsFile = cl.value(settingsOpt);
  if (!cl.positionalArguments().isEmpty()) o.file = QFileInfo(cl.positionalArguments().first()).absoluteFilePath();

  installFontSubstitutions();
  useJapaneseUiFont();
  installJapaneseQtTexts(qapp);
  return o;
}

Desktop::Desktop(const DesktopOptions& o, MessageBoxService* messages) : file_(o.file), app_(std::make_unique<App>()) {
  if (!o.settingsFile.isEmpty()) services_.settings = std::make_unique<QtSettingsStore>(o.settingsFile);
  app_->P = services_.platform();
  if (messages) app_->P.msg = messages;
  app_->F.AppPath = us(o.dir);
  w_ = std::make_unique<frmMain>(*app_);
  QObject::connect(w_.get(), &frmMain::ended, qApp, &QApplication::quit, Qt::QueuedConnection);
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, w_.get(), [this](QSessionManager&) { w_->unloadOnce(); });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, w_.get(), [this] { w_->unloadOnce(); });
  QObject::connect(w_.get(), &frmMain::ended, qApp, [this] {
    ended_ = true;
    if (recoveryTimer_) recoveryTimer_->stop();
  });
}

void Desktop::keepRecoveryCopyNow() {
  if (ended_) return;
  try {
    (void)keepRecoveryCopy(*app_, &lastRecovery_);
  } catch (...) {
    // A failing recovery copy must never disturb the editing; the next tick tries again.
  }
}

// Termination signals are a Unix matter; on Windows the session's end reaches the
// program as Qt's commitDataRequest and aboutToQuit, which are connected above.
void Desktop::endOnSignals() {
#ifdef Q_OS_UNIX
  if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
  signalNotifier_ = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, w_.get());
  QObject::connect(signalNotifier_, &QSocketNotifier::activated, w_.get(), [this] {
    char b;
    ssize_t r = ::read(g_signalPipe[0], &b, 1);
    (void)r;
    endRequested_ = true;
    // A question open now (the start's, a save's) would hold the end until answered:
    // it is closed unanswered, and the start goes on to its end without asking more.
    QtMessageBox::answerNothing();
    w_->unloadOnce();  // runs at most once (not before the load has finished); then the loop ends
    qApp->quit();
  });
  struct sigaction sa {};
  sa.sa_handler = onEndSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
#endif
}

Desktop::~Desktop() {
  if (g_running == this) g_running = nullptr;
}

void Desktop::endOnLostDisplay() {
  g_running = this;
  static bool installed = false;
  if (!installed) g_previousHandler = qInstallMessageHandler(watchForLostDisplay);
  installed = true;
}

void Desktop::endWithoutDisplay() {
  if (ended_) return;
  // No window can be shown any more: every message goes to the error output unanswered.
  QtMessageBox::answerNothing(false);
  try {
    w_->unloadWithoutDisplay();
  } catch (...) {
  }
  ended_ = true;
}

StartOutcome Desktop::start() {
  auto* splash = new frmSplash;
  splash->show();
  splash->repaint();
  QApplication::processEvents();
  StartOutcome out = w_->load(!file_.isEmpty());
  splash->close();
  delete splash;
  if (out != StartOutcome::Quit && !file_.isEmpty()) {
    // A file chosen on the desktop: read it as Open does. Only when it gave no year and
    // none was open is there nothing to edit, and the start's question comes.
    if (openNamedFile(*app_, us(file_))) out = StartOutcome::Ready;
    else if (!app_->Y.isOpen()) out = askForNewYear(*app_);
    w_->syncFromModel();
  }
  if (out == StartOutcome::OfferNewYear) {
    // Both windows are on screen: the main window, the new-year dialog in front of it.
    w_->show();
    w_->openNewYear(false);
  } else if (out != StartOutcome::Quit) {
    w_->show();
  }
  if (out != StartOutcome::Quit) {
    // The year as read is the baseline: the recovery copy is written only after a change.
    if (app_->Y.isOpen()) lastRecovery_ = recoveryBytes(*app_);
    recoveryTimer_ = new QTimer(w_.get());
    QObject::connect(recoveryTimer_, &QTimer::timeout, w_.get(), [this] { keepRecoveryCopyNow(); });
    recoveryTimer_->start(kRecoveryIntervalMs);
  }
  return out;
}

int runDesktop(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QCommandLineParser cl;
  Desktop desktop(desktopOptions(qapp, cl));
  desktop.endOnSignals();
  desktop.endOnLostDisplay();
  if (desktop.start() == StartOutcome::Quit) return 0;
  // A signal that came while a start-up question was open ends the run now that the
  // load is complete.
  if (desktop.endRequested()) {
    desktop.window().unloadOnce();
    return 0;
  }
  return qapp.exec();
}

}  // namespace tly::ui
