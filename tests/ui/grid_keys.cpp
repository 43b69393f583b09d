// Keys and clicks on the main grid and the grade selector that once did the wrong thing:
// a Ctrl chord's late key release, header clicks, typed grade numbers, Delete in the
// tally view. All driven by real key and mouse events on the offscreen platform.
#include <QLineEdit>
#include <QTest>

#include "session/windows/celledit.h"
#include "ui/frmjisuu.h"
#include "ui/frmmain_tally.h"
#include "ui/gridview.h"
#include "support/window_session.h"
#include "support/years.h"

using namespace tly;
using namespace tly::testui;

namespace {

void startYear(Session& s) {
  s.startWithNewYear(1999);
  test::setDefaultItems(s.app.Y);
  QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
  if (s.w->menuAction(Command::EditAll)->isChecked()) s.w->menuAction(Command::EditAll)->trigger();
}

void goTo(Session& s, int row, int col) {
  s.app.Grid1.setCurrent(row, col);
  s.w->grid()->refresh();
  s.w->grid()->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
}

QPoint centre(Session& s, int row, int col) { return s.w->grid()->cellRect(row, col).center(); }

void showMonth(Session& s, int month) {
  s.app.S.CurMonth = month;
  redrawMonth(s.app);
  s.w->syncFromModel();
}

}  // namespace

class GridKeysTest : public QObject {
  Q_OBJECT
 private slots:
  // The key of a Ctrl or Alt chord is often released after the modifier; that release
  // carries no modifier and must not start an (empty) edit that the next arrow stores.
  void chordReleaseStartsNoEdit() {
    struct Chord {
      Qt::Key modKey;
      Qt::KeyboardModifier mod;
      Qt::Key key;
    };
    const Chord chords[] = {{Qt::Key_Control, Qt::ControlModifier, Qt::Key_C},
                            {Qt::Key_Control, Qt::ControlModifier, Qt::Key_V},
                            {Qt::Key_Control, Qt::ControlModifier, Qt::Key_X},
                            {Qt::Key_Alt, Qt::AltModifier, Qt::Key_5}};
    for (const Chord& ch : chords) {
      Session s;
      startYear(s);
      storeCellValue(s.app, 12, 2, "運動会");  // April 12, 行事
      redrawMonth(s.app);
      goTo(s, 12, 2);
      ui::GridView* g = s.w->grid();
      QTest::keyPress(g, ch.modKey, ch.mod);
      QTest::keyPress(g, ch.key, ch.mod);
      QTest::keyRelease(g, ch.modKey, Qt::NoModifier);
      QTest::keyRelease(g, ch.key, Qt::NoModifier);
      QApplication::processEvents();
      QVERIFY2(!s.w->txtInput()->hasFocus(), QTest::toString(ch.key));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
      QApplication::processEvents();
      // Ctrl+X cuts the text itself; the others leave it.
      const std::string kept = ch.key == Qt::Key_X ? "" : "運動会";
      QCOMPARE(s.app.Y.JJText[0][s.app.S.CurMonth][12][0], kept);
      QCOMPARE(s.app.Grid1.text(12, 2), kept);
      QCOMPARE(s.app.Grid1.Row, 13);
    }
    // A plain letter still starts the edit on its release.
    Session s;
    startYear(s);
    goTo(s, 13, 2);
    QTest::keyClick(s.w->grid(), Qt::Key_A);
    QVERIFY(s.w->txtInput()->hasFocus());
  }

  void headerClickSelectsColumnOrRow() {
    Session s;
    startYear(s);
    ui::GridView* g = s.w->grid();
    struct Case {
      int month;
      int row, col;  // the clicked header cell
      int top, bottom, left, right;
    };
    // April has 30 days, May 31; the grid has days 1..31, 2 fixed columns, 6 periods.
    const int last = s.app.Grid1.cols() - 1;
    const Case cases[] = {
        {4, 0, 4, 1, 30, 4, 4},      // period 2's header: the whole column of April
        {5, 0, 3, 1, 31, 3, 3},      // period 1 in May
        {5, 0, 2, 1, 31, 2, 2},      // the events column
        {4, 7, 0, 7, 7, 2, last},    // the day number 7: the whole row
        {4, 9, 1, 9, 9, 2, last},    // its weekday cell too
    };
    for (const Case& c : cases) {
      showMonth(s, c.month);
      goTo(s, 3, 5);
      QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(s, c.row, c.col));
      const Grid& gr = s.app.Grid1;
      QCOMPARE(gr.selTop(), c.top);
      QCOMPARE(gr.selBottom(), c.bottom);
      QCOMPARE(gr.selLeft(), c.left);
      QCOMPARE(gr.selRight(), c.right);
    }
    // Copy of a whole 31-day column is refused, of a 30-day one accepted.
    showMonth(s, 5);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, centre(s, 0, 3));
    s.w->menuAction(Command::Copy)->trigger();
    QVERIFY(s.msg.saw("この範囲指定はできません。"));
  }

  // Whatever number is typed, the selector shows the shown grade's entry afterwards.
  void typedGradeNumberLeavesEntryText() {
    Session s;
    startYear(s);
    QComboBox* cmb = s.w->findChild<QComboBox*>("cmbGr");
    QVERIFY(cmb);
    for (const char* typed : {"7", "2", "0", "x", "3"}) {
      // The keys go where the window system sends them: to the focus widget, which is
      // the combo box itself (its text box is a focus proxy).
      cmb->setFocus();
      cmb->lineEdit()->selectAll();
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(cmb));
      QTest::keyClicks(cmb, typed);
      QCOMPARE(cmb->currentText(), QString(typed));
      QTest::keyClick(cmb, Qt::Key_Return);
      QApplication::processEvents();
      QCOMPARE(s.app.S.CurGr, 1);
      QCOMPARE(cmb->currentText(), QString::fromUtf8("1年"));
      QCOMPARE(cmb->currentIndex(), 0);
    }
  }

  void deleteKeyInTallyViewDoesNothing() {
    Session s;
    startYear(s);
    s.w->menuAction(Command::Kei)->trigger();
    QVERIFY(s.w->menuAction(Command::Kei)->isChecked());
    ui::frmJisuu* dlg = ui::tallyDialog(*s.w);
    QVERIFY(dlg);
    QTest::mouseClick(dlg->cmdJisuuOk(), Qt::LeftButton);
    QTRY_VERIFY(!ui::tallyDialog(*s.w));
    s.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
    s.w->grid()->setFocus();
    QApplication::processEvents();
    const size_t before = s.msg.shown.size();
    QTest::keyClick(s.w->grid(), Qt::Key_Delete);
    QApplication::processEvents();
    QCOMPARE(s.msg.shown.size(), before);
    // The menu command itself still refuses with its message.
    s.w->menuAction(Command::Del)->trigger();
    QVERIFY(s.msg.saw("削除できません。"));
    // In the month view the key deletes.
    s.w->menuAction(Command::Kei)->trigger();
    QVERIFY(!s.w->menuAction(Command::Kei)->isChecked());
    goTo(s, 14, 5);
    const int m = s.app.S.CurMonth;
    QVERIFY(s.app.Y.JJ[0][m][14][3] != 0);
    QTest::keyClick(s.w->grid(), Qt::Key_Delete);
    QCOMPARE(s.app.Y.JJ[0][m][14][3], int16_t(0));
  }
};

QTEST_MAIN(GridKeysTest)
#include "grid_keys.moc"
