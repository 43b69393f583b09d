// The new-year dialog: its controls' initial state, the year box and spin button rules,
// the year check of 実行, typed counts, 中止 ending the program, closing by the frame.
#include <QSignalSpy>
#include <QTest>

#include "calendar/calendar.h"
#include "support/window_session.h"

using namespace tly;
using namespace tly::testui;

class NewYearTest : public QObject {
  Q_OBJECT
 private slots:
  void initialStateFollowsTheSchoolYear();
  void yearBoxAndSpinButton();
  void yearCheckAndTypedCounts();
  void cancelEndsTheProgramAndFrameCloseShowsMain();
  void lawHolidaysBox();
};

void NewYearTest::initialStateFollowsTheSchoolYear() {
  {
    Session s;
    s.clock.date = {2000, 3, 15};
    s.start();
    ui::frmNew* d = s.w->newYearWindow();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("TLY - 新規作成"));
    QCOMPARE(d->txtNendo()->text(), QString("1999"));
    QCOMPARE(d->spnNendo()->value(), 1999);
    QCOMPARE(d->cmbGgn()->count(), 4);
    QCOMPARE(d->cmbGgn()->itemText(0), QString("３学年"));
    QCOMPARE(d->cmbGgn()->itemText(3), QString("６学年"));
    QCOMPARE(d->cmbGgn()->currentIndex(), 0);
    QCOMPARE(d->cmbJigen()->count(), 3);
    QCOMPARE(d->cmbJigen()->itemText(0), QString("５時限"));
    QCOMPARE(d->cmbJigen()->currentText(), QString("６時限"));
    const char* sats[] = {"第１土曜休業", "第２土曜休業", "第３土曜休業", "第４土曜休業", "第５土曜休業"};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(d->chkSat(i)->text(), QString::fromUtf8(sats[i]));
      QCOMPARE(d->chkSat(i)->isChecked(), i == 1 || i == 3);
    }
    QCOMPARE(d->lstYasumi()->count(), 14);
    for (int i = 0; i < 14; ++i) QCOMPARE(d->lstYasumi()->item(i)->text(), QString::fromUtf8(kHolidays[size_t(i)].label));
    QCOMPARE(d->cmdOK()->text(), QString("実行"));
    QCOMPARE(d->cmdCan()->text(), QString("中止"));
    d->close();
    s.w->close();
  }
  {
    Session s;
    s.clock.date = {2000, 4, 1};
    s.start();
    QCOMPARE(s.w->newYearWindow()->txtNendo()->text(), QString("2000"));
    s.w->close();
  }
}

void NewYearTest::yearBoxAndSpinButton() {
  Session s;
  s.start();
  ui::frmNew* d = s.w->newYearWindow();
  d->txtNendo()->setFocus();
  d->txtNendo()->setText("2001");
  QTest::keyClick(d->txtNendo(), Qt::Key_Return);
  QCOMPARE(d->spnNendo()->value(), 2001);
  QVERIFY(d->isVisible());  // Enter in the year box does not run the build
  QVERIFY(!s.app.Y.isOpen());

  d->txtNendo()->setText("1800");
  QTest::keyClick(d->txtNendo(), Qt::Key_Return);
  QCOMPARE(d->spnNendo()->value(), 2001);
  QCOMPARE(d->txtNendo()->text(), QString("1800"));
  d->txtNendo()->setText("3000");
  QTest::keyClick(d->txtNendo(), Qt::Key_Enter);
  QCOMPARE(d->spnNendo()->value(), 2001);

  QTest::mouseClick(d->spnNendo()->upButton(), Qt::LeftButton);
  QCOMPARE(d->spnNendo()->value(), 2002);
  QCOMPARE(d->txtNendo()->text(), QString("2002"));
  QTest::mouseClick(d->spnNendo()->downButton(), Qt::LeftButton);
  QTest::mouseClick(d->spnNendo()->downButton(), Qt::LeftButton);
  QCOMPARE(d->txtNendo()->text(), QString("2000"));
  d->spnNendo()->setValue(2900);
  QTest::mouseClick(d->spnNendo()->upButton(), Qt::LeftButton);
  QCOMPARE(d->spnNendo()->value(), 2900);

  // Leaving the box applies the same rule; a fraction is rounded.
  d->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(d));
  d->txtNendo()->setFocus();
  d->txtNendo()->setText("2010.6年度");
  QCOMPARE(d->spnNendo()->value(), 2900);
  d->cmbGgn()->setFocus();
  QApplication::processEvents();
  QCOMPARE(d->spnNendo()->value(), 2011);
  QCOMPARE(d->txtNendo()->text(), QString("2011"));
  d->close();
  s.w->close();
}

void NewYearTest::yearCheckAndTypedCounts() {
  Session s;
  s.start();
  ui::frmNew* d = s.w->newYearWindow();
  for (const char* bad : {"1800", "平成11", "", "40000"}) {
    s.msg.shown.clear();
    d->txtNendo()->setText(QString::fromUtf8(bad));
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    QCOMPARE(s.msg.shown.size(), size_t(1));
    QCOMPARE(s.msg.shown[0].text, std::string("年度は西暦で指定してください。"));
    QCOMPARE(s.msg.shown[0].title, std::string("TLY"));
    QCOMPARE(s.msg.shown[0].buttons, MsgButtons::OK);
    QCOMPARE(s.msg.shown[0].icon, MsgIcon::None);
    QVERIFY(d->isVisible());
    QVERIFY(!s.app.Y.isOpen());
  }
  // Beyond the spin range is still a year; a typed count that is no entry counts as -1.
  d->txtNendo()->setText("3000年");
  d->cmbGgn()->setEditText("9学年");
  d->cmbJigen()->setEditText("x");
  d->chkSat(1)->setChecked(false);
  QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(int(s.app.Y.nendo()), 3000);
  QCOMPARE(int(s.app.Y.Ggn), 2);
  QCOMPARE(int(s.app.Y.Jigen), 4);
  QVERIFY(s.w->isVisible());
  QCOMPARE(s.w->cmbGr()->count(), 2);
  s.w->close();
}

void NewYearTest::cancelEndsTheProgramAndFrameCloseShowsMain() {
  {
    // Closing through the frame at start-up leaves the main window, with no year.
    Session s;
    s.start();
    QVERIFY(s.w->isVisible());
    s.w->newYearWindow()->close();
    QApplication::processEvents();
    QVERIFY(s.w->isVisible());
    QVERIFY(!s.app.Y.isOpen());
    QVERIFY(!s.w->unloaded());
    s.w->close();
  }
  {
    // 中止 from the menu's dialog closes the dialog and then the main window.
    Session s;
    s.startWithNewYear(1999);
    s.msg.answers = {MsgResult::OK};
    s.w->menuAction(Command::New)->trigger();
    QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
    s.w->newYearWindow()->txtNendo()->setText("2004");
    QTest::mouseClick(s.w->newYearWindow()->cmdCan(), Qt::LeftButton);
    QApplication::processEvents();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!s.w->isVisible());
    QVERIFY(s.w->unloaded());
    QCOMPARE(int(s.app.Y.nendo()), 1999);  // the open year is not changed
    QCOMPARE(s.settings.get("TLY", "Settings", "ExTLY", ""), std::string("0"));
  }
}

void NewYearTest::lawHolidaysBox() {
  Session s;
  s.clock.date = {2026, 12, 8};
  s.settings.set("TLY", "Settings", "NewLawHolidays", "yes");  // anything but "1" is off
  s.start();
  ui::frmNew* d = s.w->newYearWindow();
  QCheckBox* law = d->chkLaw();
  QCOMPARE(law->text(), QString("祝日を現行の祝日法で設定"));
  QVERIFY(!law->isChecked());
  QVERIFY(law->isEnabled());
  QVERIFY(law->geometry().top() > d->lstYasumi()->geometry().bottom());  // under the list
  QCOMPARE(d->lstYasumi()->count(), 14);

  // On: school year 2026's holidays, April to March, kept in the settings store.
  law->setChecked(true);
  QCOMPARE(s.settings.get("TLY", "Settings", "NewLawHolidays", ""), std::string("1"));
  QCOMPARE(d->lstYasumi()->count(), 19);
  QCOMPARE(d->lstYasumi()->item(0)->text(), QString(" 4 29 昭和の日"));
  QCOMPARE(d->lstYasumi()->item(9)->text(), QString(" 9 23 秋分の日"));
  QCOMPARE(d->lstYasumi()->item(18)->text(), QString(" 3 22 振替休日"));
  // The spin button and typing refresh it; years outside 1949..2098 disable the box.
  QTest::mouseClick(d->spnNendo()->upButton(), Qt::LeftButton);
  QCOMPARE(d->lstYasumi()->item(4)->text(), QString(" 7 19 海の日"));
  d->txtNendo()->setText("1948");
  QVERIFY(!law->isEnabled());
  QCOMPARE(d->lstYasumi()->count(), 14);
  d->txtNendo()->setText("2098");
  QVERIFY(law->isEnabled());
  d->txtNendo()->setText("2026");
  QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(int(s.app.Y.nendo()), 2026);
  QCOMPARE(s.app.Y.JJText[0][9][22][0], std::string("国民の休日"));
  QCOMPARE(s.app.Y.JJText[0][9][15][0], std::string(""));
  QCOMPARE(int(s.app.Y.JJ[2][9][22][1]), 0);

  // The next dialog starts with the box on; a disabled box builds with the table.
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::New)->trigger();
  d = s.w->newYearWindow();
  QVERIFY(d->chkLaw()->isChecked());
  d->txtNendo()->setText("1948");
  QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(int(s.app.Y.nendo()), 1948);
  QCOMPARE(s.app.Y.JJText[0][9][15][0], std::string("敬老の日"));
  s.w->close();
}

QTEST_MAIN(NewYearTest)
#include "newyear_test.moc"
