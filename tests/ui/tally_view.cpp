// The tally view in the main window: the command and its toolbar button switch it, the
// dialog's 集計 shows the tally, a grade change re-tallies, and a month change or the
// command again returns to the month and closes the dialog.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/frmjisuu.h"
#include "ui/frmmain_tally.h"
#include "ui/gridview.h"
#include "support/window_session.h"
#include "support/years.h"

using namespace tly;
using namespace tly::testui;

class TallyViewTest : public QObject {
  Q_OBJECT
 private slots:
  void commandSwitchesTheViewAndTheDialogTallies();
  void monthChangeLeavesTheViewAndClosesTheDialog();
};

void TallyViewTest::commandSwitchesTheViewAndTheDialogTallies() {
  Session s;
  s.startWithNewYear(1999);
  ui::frmMain& w = s.window();
  const int monthCol2 = s.app.Grid1.colWidth(2);
  test::setDefaultItems(s.app.Y);
  QVERIFY(w.menuAction(Command::Kei)->isEnabled());
  QVERIFY(w.toolButton(Command::Kei)->isEnabled());

  w.menuAction(Command::Kei)->trigger();
  QVERIFY(w.menuAction(Command::Kei)->isChecked());
  QVERIFY(w.toolButton(Command::Kei)->isChecked());
  for (Command m : {Command::Open, Command::Save, Command::NSave, Command::New})
    QVERIFY2(!w.menuAction(m)->isEnabled(), controlName(m));
  for (Command b : {Command::Open, Command::Save, Command::New})
    QVERIFY2(!w.toolButton(b)->isEnabled(), controlName(b));
  QCOMPARE(w.menuAction(Command::CopyAll)->text(), QStringLiteral("時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
  ui::frmJisuu* dlg = ui::tallyDialog(w);
  QVERIFY(dlg);
  QVERIFY(dlg->isVisible());
  QCOMPARE(s.app.Grid1.cols(), 10);  // the month stays until the tally runs

  QTest::mouseClick(dlg->optSyukei(0), Qt::LeftButton, {}, QPoint(6, dlg->optSyukei(0)->height() / 2));
  QTest::mouseClick(dlg->cmdJisuuOk(), Qt::LeftButton);
  QTRY_VERIFY(!ui::tallyDialog(w));
  const Grid& g = s.app.Grid1;
  QCOMPARE(g.cols(), 7);
  QCOMPARE(g.rows(), 16);  // whole year, 8 items
  QCOMPARE(g.text(15, 0), std::string("総時間数"));
  QCOMPARE(w.grid()->cellRect(1, 0).width(), ui::twipsToPx(1200, w.grid()->dpi()));
  auto lessons = [&](int gi) {
    int n = 0;
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= s.app.Y.JJ[gi][m][0][0]; ++d)
        for (int p = 1; p <= s.app.Y.Jigen; ++p) n += s.app.Y.JJ[gi][m][d][p] != 0;
    return n;
  };
  QCOMPARE(g.text(15, 1), std::to_string(lessons(0)));

  // A grade change tallies that grade over the same range.
  s.app.Y.JJ[1][5][10][1] = -3;
  s.app.Y.JJ[1][5][10][2] = 0;
  emit w.cmbGr()->activated(1);
  QCOMPARE(s.app.S.CurGr, 2);
  QCOMPARE(g.cols(), 7);
  QCOMPARE(g.text(15, 1), std::to_string(lessons(1)));
  QCOMPARE(g.text(9, 1), std::string("1"));  // 学裁

  // The toolbar button leaves the view: the month comes back with its widths.
  QTest::mouseClick(s.button(Command::Kei), Qt::LeftButton);
  QVERIFY(!w.menuAction(Command::Kei)->isChecked());
  QVERIFY(!w.toolButton(Command::Kei)->isChecked());
  QVERIFY(w.menuAction(Command::Open)->isEnabled());
  QVERIFY(w.toolButton(Command::Save)->isEnabled());
  QCOMPARE(w.menuAction(Command::CopyAll)->text(), QStringLiteral("月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
  QCOMPARE(g.cols(), 10);
  QCOMPARE(g.colWidth(2), monthCol2);
  QVERIFY(!ui::tallyDialog(w));
  QCOMPARE(s.app.Y.Fs.FsKikan, int16_t(0));
}

void TallyViewTest::monthChangeLeavesTheViewAndClosesTheDialog() {
  Session s;
  s.startWithNewYear(1999);
  ui::frmMain& w = s.window();
  QTest::mouseClick(s.button(Command::Kei), Qt::LeftButton);
  QVERIFY(w.menuAction(Command::Kei)->isChecked());
  QPointer<ui::frmJisuu> dlg = ui::tallyDialog(w);
  QVERIFY(dlg);

  emit w.cmbMonth()->activated(2);  // June
  QCOMPARE(s.app.S.CurMonth, 6);
  QVERIFY(!w.menuAction(Command::Kei)->isChecked());
  QTRY_VERIFY(dlg.isNull());
  QCOMPARE(s.app.Grid1.rows(), 31);  // June, 30 days

  // Switching on again opens a fresh dialog; the command again closes it.
  w.menuAction(Command::Kei)->trigger();
  QVERIFY(ui::tallyDialog(w));
  w.menuAction(Command::Kei)->trigger();
  QTRY_VERIFY(!ui::tallyDialog(w));
}

QTEST_MAIN(TallyViewTest)
#include "tally_view.moc"
