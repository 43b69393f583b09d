// The main window's own widgets: the grid view (sizes, clicks, keys, scrolling), the
// window state shown from the model (enabled, checked, captions), help and about windows.
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ui/frmabout.h"
#include "ui/gridview.h"
#include "support/window_session.h"
#include "session/windows/frmmain/menus.h"
#include "support/viewstate.h"

using namespace tly;
using namespace tly::testui;

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void gridFollowsClicksKeysAndScrolls();
  void widgetsFollowTheWindowState();
  void helpWithoutFileShowsOwnPageAndAboutShowsSystem();
  void closingMainWhileDialogOpenStaysClosed();
};

void MainWindowTest::gridFollowsClicksKeysAndScrolls() {
  Session s;
  s.startWithNewYear(1999);
  s.w->resize(640, 400);
  QApplication::processEvents();
  ui::GridView* g = s.w->grid();
  Grid& m = s.app.Grid1;
  const int dpi = g->dpi();
  QCOMPARE(g->cellRect(0, 2).width(), ui::twipsToPx(m.colWidth(2), dpi));
  QCOMPARE(g->cellRect(3, 0).height(), ui::twipsToPx(m.rowHeight(3), dpi));

  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(5, 4).center());
  QCOMPARE(m.Row, 5);
  QCOMPARE(m.Col, 4);
  QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, g->cellRect(7, 6).center());
  QCOMPARE(m.Row, 5);
  QCOMPARE(m.Col, 4);
  QCOMPARE(m.RowSel, 7);
  QCOMPARE(m.ColSel, 6);
  // A click on a header selects its column, on a day number its row; the corner nothing.
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(0, 5).center());
  QCOMPARE(m.Row, 1);
  QCOMPARE(m.RowSel, m.rows() - 1);
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(3, 1).center());
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(0, 0).center());
  QCOMPARE(m.Row, 3);
  QCOMPARE(m.Col, 2);
  QCOMPARE(m.ColSel, m.cols() - 1);
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(5, 4).center());

  g->setFocus();
  QTest::keyClick(g, Qt::Key_Down);
  QCOMPARE(m.Row, 6);
  QCOMPARE(m.RowSel, 6);  // moving collapses the selection
  for (int i = 0; i < 10; ++i) QTest::keyClick(g, Qt::Key_Up);
  QCOMPARE(m.Row, 1);  // the header row is never entered
  QTest::keyClick(g, Qt::Key_Left);
  QTest::keyClick(g, Qt::Key_Left);
  QTest::keyClick(g, Qt::Key_Left);
  QCOMPARE(m.Col, 2);  // nor the fixed columns

  // Going to the last day scrolls it into view below the frozen header.
  for (int i = 0; i < 40; ++i) QTest::keyClick(g, Qt::Key_Down);
  QCOMPARE(m.Row, m.rows() - 1);
  QVERIFY(g->verticalScrollBar()->value() > 0);
  QRect last = g->cellRect(m.Row, m.Col);
  QVERIFY(last.top() >= g->cellRect(0, m.Col).bottom());
  QVERIFY(last.bottom() <= g->viewport()->height());
  QTest::keyClick(g, Qt::Key_End);
  QCOMPARE(m.Col, m.cols() - 1);
  QVERIFY(g->cellRect(m.Row, m.Col).right() <= g->viewport()->width());
  s.w->close();
}

void MainWindowTest::widgetsFollowTheWindowState() {
  Session s;
  s.startWithNewYear(1999);
  // The tally view locks the file commands and renames the copy command; timetable mode
  // switches the View menu off.
  s.app.V.tally = true;
  s.app.V.copyAllRenamed = true;
  DisableMenu(s.app);
  s.app.W.caption = "TLY 授業時数集計 - x.DAT";
  s.app.W.panel[2] = "全学年一括編集";
  s.w->syncFromModel();
  QVERIFY(!s.w->menuAction(Command::Open)->isEnabled());
  QVERIFY(!s.w->topMenu(Command::ViewMenu)->menuAction()->isEnabled());
  QVERIFY(!s.button(Command::Open)->isEnabled());
  QCOMPARE(s.w->menuAction(Command::CopyAll)->text(), QString("時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
  QCOMPARE(s.w->windowTitle(), QString("TLY 授業時数集計 - x.DAT"));
  QCOMPARE(s.w->panel(2)->text(), QString("全学年一括編集"));
  // A disabled button does nothing when clicked.
  QTest::mouseClick(s.button(Command::Open), Qt::LeftButton);
  QVERIFY(s.files.asked.empty());

  s.app.V.tally = false;
  s.app.V.copyAllRenamed = false;  // as at start: the designed caption
  EnableMenu(s.app);
  s.w->syncFromModel();
  QVERIFY(s.w->menuAction(Command::Open)->isEnabled());
  QVERIFY(s.w->topMenu(Command::ViewMenu)->menuAction()->isEnabled());
  QCOMPARE(s.w->menuAction(Command::CopyAll)->text(), QString("月間予定表をクリップボードへ"));
  s.w->close();
}

void MainWindowTest::helpWithoutFileShowsOwnPageAndAboutShowsSystem() {
  Session s;
  s.msg.answers = {MsgResult::No};
  s.start();
  QVERIFY(!s.w->helpWindow());
  s.w->menuAction(Command::Help)->trigger();
  QVERIFY(s.w->helpWindow() && s.w->helpWindow()->isVisible());
  QVERIFY(ui::HelpWindow::helpHtml().contains("年度"));

  s.app.F.HelpFile.clear();
  s.msg.shown.clear();
  s.w->menuAction(Command::Help)->trigger();
  QCOMPARE(s.msg.shown.size(), size_t(1));
  QCOMPARE(s.msg.shown[0].title, s.w->windowTitle().toStdString());
  QCOMPARE(s.msg.shown[0].icon, MsgIcon::Information);

  s.w->menuAction(Command::About)->trigger();
  auto* about = qobject_cast<ui::frmAbout*>(s.w->aboutWindow());
  QVERIFY(about && about->isVisible());
  QVERIFY(!about->isModal());
  const QString info = about->systemInfo();
  QVERIFY(info.contains(QString::fromLatin1(qVersion())));
  QVERIFY(info.contains(QString::fromStdString(s.app.F.AppPath)));
  QVERIFY(info.contains("JJTEMP3.DAT"));
  // Unloading closes the other windows.
  s.w->close();
  QVERIFY(!about->isVisible());
}

void MainWindowTest::closingMainWhileDialogOpenStaysClosed() {
  Session s;
  s.startWithNewYear(1999);
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::New)->trigger();
  QPointer<ui::frmNew> dlg = s.w->newYearWindow();
  QVERIFY(dlg && dlg->isVisible());
  QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
  s.w->close();
  QApplication::processEvents();
  QCOMPARE(ended.count(), 1);
  QVERIFY(!s.w->isVisible());
  QVERIFY(!dlg || !dlg->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
