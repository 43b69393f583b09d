// Navigation and view options through the real menu entries, toolbar buttons and
// selectors: the ends of the school year, changes only, the toolbar, the timetable views.
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "ui/gridview.h"
#include "support/window_session.h"

using namespace tly;
using namespace tly::testui;

class ViewTest : public QObject {
  Q_OBJECT
 private slots:
  void monthNavigationStopsAtTheYearsEnds();
  void changesOnlyAndToolbarToggles();
  void timetableViewsAndSelectorSwitchGrade();
};

void ViewTest::monthNavigationStopsAtTheYearsEnds() {
  Session s;
  s.startWithNewYear(1999);
  // April is the first month: 先月 stays.
  s.w->menuAction(Command::LastMonth)->trigger();
  QCOMPARE(s.app.S.CurMonth, 4);
  QCOMPARE(s.app.S.CurYear, 1999);
  QCOMPARE(s.w->cmbMonth()->currentText(), QString("4月"));

  // Picking 3月 (the last entry) with the keyboard moves into the next calendar year and
  // hands the focus to the grid.
  s.w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
  s.w->cmbMonth()->setFocus();
  QTest::keyClick(s.w->cmbMonth(), Qt::Key_End);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(s.w->grid()));
  QCOMPARE(s.app.S.CurMonth, 3);
  QCOMPARE(s.app.S.CurYear, 2000);
  QCOMPARE(s.app.Grid1.rows(), 32);  // March has 31 days
  QCOMPARE(s.app.Grid1.Row, 1);
  QCOMPARE(s.app.Grid1.Col, 2);
  s.w->menuAction(Command::NextMonth)->trigger();  // March is the last month: 翌月 stays
  QCOMPARE(s.app.S.CurMonth, 3);
  QCOMPARE(s.app.S.CurYear, 2000);

  // January back to December crosses into the school year's own calendar year.
  QTest::keyClick(s.w->cmbMonth(), Qt::Key_Up);
  QTest::keyClick(s.w->cmbMonth(), Qt::Key_Up);
  QCOMPARE(s.app.S.CurMonth, 1);
  s.w->menuAction(Command::LastMonth)->trigger();
  QCOMPARE(s.app.S.CurMonth, 12);
  QCOMPARE(s.app.S.CurYear, 1999);
  QCOMPARE(s.w->cmbMonth()->currentText(), QString("12月"));
  s.w->menuAction(Command::NextMonth)->trigger();
  QCOMPARE(s.app.S.CurMonth, 1);
  QCOMPARE(s.app.S.CurYear, 2000);
  QCOMPARE(s.app.Grid1.text(1, 1), std::string("土"));  // 1 January 2000 was a Saturday

  // 今月 goes to today's month (June, by the test clock) within the shown school year.
  s.w->menuAction(Command::Today)->trigger();
  QCOMPARE(s.app.S.CurMonth, 6);
  QCOMPARE(s.app.S.CurYear, 1999);
  s.w->close();
}

void ViewTest::changesOnlyAndToolbarToggles() {
  Session s;
  s.startWithNewYear(1999);
  QCOMPARE(s.app.Grid1.text(9, 3), std::string("金 1"));
  QVERIFY(!s.button(Command::UDisp)->isChecked());

  s.w->menuAction(Command::UDisp)->trigger();
  QVERIFY(s.w->menuAction(Command::UDisp)->isChecked());
  QVERIFY(s.button(Command::UDisp)->isChecked());
  QCOMPARE(s.app.Grid1.text(9, 3), std::string());  // follows the timetable: blank
  QCOMPARE(s.app.Grid1.text(17, 6), std::string("／"));  // a free period still shows

  QTest::mouseClick(s.button(Command::UDisp), Qt::LeftButton);  // the button runs the same command
  QVERIFY(!s.w->menuAction(Command::UDisp)->isChecked());
  QVERIFY(!s.button(Command::UDisp)->isChecked());
  QCOMPARE(s.app.Grid1.text(9, 3), std::string("金 1"));

  // Hiding the toolbar moves the top bar to the top and the grid up by the toolbar's height;
  // the grid still reaches the status bar.
  s.w->resize(700, 500);
  QApplication::processEvents();
  QVERIFY(s.w->menuAction(Command::ShowToolBar)->isChecked());
  QVERIFY(s.w->toolBar()->isVisible());
  const int barTop = s.w->cmbGr()->mapTo(s.w.get(), QPoint(0, 0)).y();
  const int gridTop = s.w->grid()->mapTo(s.w.get(), QPoint(0, 0)).y();
  const int tbHeight = s.w->toolBar()->height();
  s.w->menuAction(Command::ShowToolBar)->trigger();
  QApplication::processEvents();
  QVERIFY(!s.w->menuAction(Command::ShowToolBar)->isChecked());
  QVERIFY(!s.w->toolBar()->isVisible());
  QCOMPARE(s.w->cmbGr()->mapTo(s.w.get(), QPoint(0, 0)).y(), barTop - tbHeight);
  QCOMPARE(s.w->grid()->mapTo(s.w.get(), QPoint(0, 0)).y(), gridTop - tbHeight);
  const int gridBottom = s.w->grid()->mapTo(s.w.get(), QPoint(0, s.w->grid()->height())).y();
  QCOMPARE(gridBottom, s.w->statusBar()->mapTo(s.w.get(), QPoint(0, 0)).y());
  s.w->menuAction(Command::ShowToolBar)->trigger();
  QApplication::processEvents();
  QVERIFY(s.w->toolBar()->isVisible());
  QCOMPARE(s.w->grid()->mapTo(s.w.get(), QPoint(0, 0)).y(), gridTop);
  s.w->close();
}

void ViewTest::timetableViewsAndSelectorSwitchGrade() {
  Session s;
  s.startWithNewYear(1999);
  // Without class timetables the class view only answers with its message.
  s.msg.shown.clear();
  QTest::mouseClick(s.button(Command::DispJWC), Qt::LeftButton);
  QCOMPARE(s.msg.shown.size(), size_t(1));
  QCOMPARE(s.msg.shown[0].text, std::string("学級時間割の設定が必要です。"));
  QCOMPARE(s.msg.shown[0].title, std::string("TLY"));
  QVERIFY(!s.button(Command::DispJWC)->isChecked());
  QVERIFY(!s.w->menuAction(Command::DispJWC)->isChecked());
  QVERIFY(!s.w->cmbDispJW()->isVisible());

  // Two class timetables: 1年1組 and ３年 (Friday period 1 of the latter reads 国語).
  SchoolYear& y = s.app.Y;
  y.JW[0][0].JWKind = 2;
  y.JW[0][1].JWKind = 1;
  y.JW[0][1].JWName = "1年1組";
  y.JW[0][1].JWCell[5][1] = "算数";
  y.JW[0][2].JWKind = 1;
  y.JW[0][2].JWName = "３年";
  y.JW[0][2].JWCell[5][1] = "国語";
  s.app.C.IniDspJWIndex = 0;
  s.w->cmbGr()->setFocus();
  QTest::keyClick(s.w->cmbGr(), Qt::Key_Down);  // show grade 2 first
  QCOMPARE(s.app.S.CurGr, 2);

  s.w->menuAction(Command::DispJWC)->trigger();
  QVERIFY(s.button(Command::DispJWC)->isChecked());
  QVERIFY(s.w->cmbDispJW()->isVisible());
  QCOMPARE(s.w->cmbDispJW()->count(), 2);
  QCOMPARE(s.w->cmbDispJW()->currentText(), QString("1年1組"));
  QCOMPARE(s.app.S.CurGr, 1);  // the remembered timetable's grade
  QCOMPARE(s.app.Grid1.text(9, 3), std::string("算数"));

  s.w->cmbDispJW()->setFocus();
  QTest::keyClick(s.w->cmbDispJW(), Qt::Key_Down);
  QCOMPARE(s.app.S.CurGr, 3);
  QCOMPARE(s.w->cmbGr()->currentText(), QString("3年"));
  QCOMPARE(s.app.C.IniDspJWIndex, 1);
  QCOMPARE(s.app.Grid1.text(9, 3), std::string("国語"));

  // The teacher view without teacher timetables leaves the class view on.
  s.msg.shown.clear();
  QTest::mouseClick(s.button(Command::DispJWS), Qt::LeftButton);
  QVERIFY(s.msg.saw("教師時間割の設定が必要です。"));
  QVERIFY(s.button(Command::DispJWC)->isChecked());
  QVERIFY(!s.button(Command::DispJWS)->isChecked());

  // Choosing the class view again turns it off and hides the selector.
  QTest::mouseClick(s.button(Command::DispJWC), Qt::LeftButton);
  QVERIFY(!s.button(Command::DispJWC)->isChecked());
  QVERIFY(!s.w->menuAction(Command::DispJWC)->isChecked());
  QVERIFY(!s.w->cmbDispJW()->isVisible());
  QCOMPARE(s.app.Grid1.text(9, 3), std::string("金 1"));
  s.w->close();
}

QTEST_MAIN(ViewTest)
#include "view_test.moc"
