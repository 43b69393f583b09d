// Start-up and shut-down of the desktop program: first start, declining the new year,
// the instance question, a saved year read back, placement, and unloading once.
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "support/window_session.h"
#include "ui/desktop.h"
#include "ui/frmnew.h"
#include "ui/gridview.h"

using namespace tly;
using namespace tly::testui;

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void firstStartBuildsYearAndNextStartReadsIt();
  void decliningTheNewYearShowsAnEmptyGrid();
  void instanceQuestionNoTouchesNothing();
  void instanceQuestionYesCountsOn();
  void placementRoundTripsAndUnloadRunsOnce();
  void unchangedPlacementIsStoredUnchanged();
  void fileArgumentOnAFirstStartIsOpenedWithoutTheQuestion();
  void terminationSignalEndsAsExitDoes();
};

void StartupTest::firstStartBuildsYearAndNextStartReadsIt() {
  test::TempDir dir;
  {
    Session s;
    s.app.F.AppPath = dir.dir();
    StartOutcome out = s.start();
    QCOMPARE(out, StartOutcome::OfferNewYear);
    QCOMPARE(s.msg.shown.size(), size_t(1));
    QVERIFY(s.msg.saw("編集中のデータがありません。"));
    QCOMPARE(s.msg.shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(s.msg.shown[0].icon, MsgIcon::Question);
    QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("1"));
    // The dialog is up, and the main window with it.
    ui::frmNew* dlg = s.w->newYearWindow();
    QVERIFY(dlg && dlg->isVisible());
    QVERIFY(s.w->isVisible());

    dlg->txtNendo()->setText("1999");
    QTest::mouseClick(dlg->cmdOK(), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(s.w->isVisible());
    QVERIFY(!s.w->newYearWindow() || !s.w->newYearWindow()->isVisible());
    QCOMPARE(int(s.app.Y.nendo()), 1999);
    // April 1999: 30 days plus the header row; 9 April is a Friday with lessons 61..66.
    QCOMPARE(s.app.Grid1.rows(), 31);
    QCOMPARE(s.app.Grid1.text(9, 1), std::string("金"));
    QCOMPARE(s.app.Grid1.text(9, 3), std::string("金 1"));
    QCOMPARE(s.w->cmbMonth()->currentText(), QString("4月"));
    QCOMPARE(s.w->cmbGr()->count(), 3);
    QCOMPARE(s.w->panel(1)->text(), QString(" 1999 年度"));
    QCOMPARE(s.w->panel(3)->text(), QString("2000/06/15"));

    QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
    s.w->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(fileExists(s.path("JJTEMP3.DAT")));
    QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("0"));
  }
  {
    // Starting again in the same folder shows the same year at today's month, asking nothing.
    Session s;
    s.app.F.AppPath = dir.dir();
    s.settings.set("TLY", "Settings", "MainWidth", "9000");
    s.settings.set("TLY", "Settings", "MainHeight", "7200");
    QCOMPARE(s.start(), StartOutcome::Ready);
    QCOMPARE(s.w->width(), ui::twipsToPx(9000, ui::screenDpi()));
    QCOMPARE(s.w->height(), ui::twipsToPx(7200, ui::screenDpi()));
    QVERIFY(s.msg.shown.empty());
    QVERIFY(s.w->isVisible());
    QCOMPARE(int(s.app.Y.nendo()), 1999);
    QCOMPARE(s.app.S.CurMonth, 6);
    QCOMPARE(s.app.S.CurYear, 1999);
    QCOMPARE(s.w->cmbMonth()->currentText(), QString("6月"));
    QCOMPARE(s.app.Grid1.rows(), 31);
    s.w->close();
  }
}

void StartupTest::decliningTheNewYearShowsAnEmptyGrid() {
  Session s;
  s.msg.answers = {MsgResult::No};
  QCOMPARE(s.start(), StartOutcome::Empty);
  QVERIFY(s.w->isVisible());
  QVERIFY(!s.w->newYearWindow());
  QCOMPARE(s.app.Grid1.rows(), 32);
  QVERIFY(!s.w->menuAction(Command::UDisp)->isChecked());
  s.w->close();
}

void StartupTest::instanceQuestionNoTouchesNothing() {
  Session s;
  s.settings.set("TLY", "Settings", "ExTLY", "2");
  const std::string bytes = "not touched";
  test::writeBytes(s.path("JJTEMP3.DAT"), bytes);
  s.msg.answers = {MsgResult::No};
  QCOMPARE(s.start(), StartOutcome::Quit);
  QVERIFY(s.msg.saw("既に TLY が起動されている可能性があります。"));
  QCOMPARE(s.msg.shown.back().buttons, MsgButtons::YesNo);
  QVERIFY(!s.w->isVisible());
  // Whatever closes the window afterwards, nothing is written and the counter stays.
  QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
  s.w->close();
  s.w->unloadOnce();
  QCOMPARE(ended.count(), 0);
  QCOMPARE(readBytes(s.path("JJTEMP3.DAT")), bytes);
  QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("2"));
}

void StartupTest::instanceQuestionYesCountsOn() {
  Session s;
  s.settings.set("TLY", "Settings", "ExTLY", "1");
  s.msg.answers = {MsgResult::Yes, MsgResult::No};
  QCOMPARE(s.start(), StartOutcome::Empty);
  QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("2"));
  s.w->close();
  QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("0"));
}

void StartupTest::placementRoundTripsAndUnloadRunsOnce() {
  Session s;
  s.settings.set("TLY", "Settings", "MainWidth", "9000");
  s.settings.set("TLY", "Settings", "MainHeight", "7200");
  s.msg.answers = {MsgResult::No};
  s.start();
  // The window takes the placement the load sequence settled on (the settings store, or
  // the settings file when no data file was read).
  const int dpi = ui::screenDpi();
  QVERIFY(s.app.W.width > 0 && s.app.W.height > 0);
  QCOMPARE(s.w->width(), ui::twipsToPx(s.app.W.width, dpi));
  QCOMPARE(s.w->height(), ui::twipsToPx(s.app.W.height, dpi));
  QCOMPARE(s.w->frameGeometry().topLeft(), QPoint(ui::twipsToPx(s.app.W.left, dpi), ui::twipsToPx(s.app.W.top, dpi)));
  s.w->resize(ui::twipsToPx(12000, dpi), ui::twipsToPx(8400, dpi));
  QApplication::processEvents();

  QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
  s.w->menuAction(Command::End)->trigger();  // 終了 closes the window, which unloads
  QVERIFY(!s.w->isVisible());
  QCOMPARE(ended.count(), 1);
  QCOMPARE(s.settings.get("TLY", "Settings", "MainWidth", ""), std::string("12000"));
  QCOMPARE(s.settings.get("TLY", "Settings", "MainHeight", ""), std::string("8400"));
  // The session's end (aboutToQuit) after the window closed does not unload again.
  s.settings.set("TLY", "Settings", "ExTLY", "5");
  s.w->unloadOnce();
  QCOMPARE(ended.count(), 1);
  QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("5"));
}

// A window that was not moved or resized stores the placement it was given, exactly.
void StartupTest::unchangedPlacementIsStoredUnchanged() {
  test::TempDir dir;
  {
    Session s;  // leaves a working file, so the next starts take the placement from the store
    s.app.F.AppPath = dir.dir();
    s.startWithNewYear(1999);
    s.w->close();
  }
  const char* const cases[][4] = {{nullptr, nullptr, nullptr, nullptr}, {"1010", "995", "7003", "6499"}};
  const char* const keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
  const char* const defaults[] = {"1000", "1000", "6500", "6500"};
  for (const auto& c : cases) {
    Session s;
    s.app.F.AppPath = dir.dir();
    for (int i = 0; i < 4; ++i)
      if (c[i]) s.settings.set("TLY", "Settings", keys[i], c[i]);
    QCOMPARE(s.start(), StartOutcome::Ready);
    s.w->close();
    for (int i = 0; i < 4; ++i)
      QCOMPARE(QString::fromStdString(s.settings.get("TLY", "Settings", keys[i], "")),
               QString(c[i] ? c[i] : defaults[i]));
  }
}

// The program started with a data file in a folder without a working file: the file is
// opened and the "nothing to edit" question stays away; a file that cannot be read leaves
// nothing to edit, and the question comes.
void StartupTest::fileArgumentOnAFirstStartIsOpenedWithoutTheQuestion() {
  test::TempDir saved;
  {
    Session s;
    s.app.F.AppPath = saved.dir();
    s.startWithNewYear(1999);
    s.w->close();
  }
  struct Case {
    std::string file;
    bool opens;
  };
  for (const Case& c : {Case{saved.dir() + "JJTEMP3.DAT", true}, Case{saved.dir() + "none.DAT", false}}) {
    test::TempDir dir;
    ui::DesktopOptions o;
    o.dir = QString::fromStdString(dir.dir());
    o.settingsFile = QString::fromStdString(dir.dir() + "settings.ini");
    o.file = QString::fromStdString(c.file);
    test::ScriptedMessageBox msg;
    msg.whenEmpty = MsgResult::No;
    ui::Desktop d(o, &msg);
    const StartOutcome out = d.start();
    QCOMPARE(msg.saw("編集中のデータがありません。"), !c.opens);
    QCOMPARE(out, c.opens ? StartOutcome::Ready : StartOutcome::Empty);
    QVERIFY(d.window().isVisible());
    if (c.opens) QCOMPARE(int(d.app().Y.nendo()), 1999);
    d.window().close();
  }
}

// The real program, ended by SIGTERM (shut-down, kill) while it runs: the working file is
// written and the counter reset, as on Exit; the session's year is not lost.
void StartupTest::terminationSignalEndsAsExitDoes() {
  const QString program = QCoreApplication::applicationDirPath() + "/../tly";
  if (!QFileInfo(program).isExecutable()) QSKIP("the program tly is not built");
  test::TempDir saved, dir;
  {
    Session s;
    s.app.F.AppPath = saved.dir();
    s.startWithNewYear(1999);
    s.w->close();
  }
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  const QString settings = QString::fromStdString(dir.dir() + "s.ini");
  p.start(program, {"--dir", QString::fromStdString(dir.dir()), "--settings", settings,
                    QString::fromStdString(saved.dir() + "JJTEMP3.DAT")});
  QVERIFY(p.waitForStarted());
  // Running once the settings file holds the raised counter; a moment more for the event loop.
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(settings).exists(), 10000);
  QTest::qWait(1500);
  p.terminate();
  QVERIFY(p.waitForFinished(10000));
  QCOMPARE(p.exitStatus(), QProcess::NormalExit);
  QVERIFY(QFileInfo(QString::fromStdString(dir.dir() + "JJTEMP3.DAT")).size() > 1000);
  QSettings st(settings, QSettings::IniFormat);
  QCOMPARE(st.allKeys().filter("ExTLY").isEmpty(), false);
  for (const QString& k : st.allKeys())
    if (k.endsWith("ExTLY")) QCOMPARE(st.value(k).toString(), QString("0"));
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
