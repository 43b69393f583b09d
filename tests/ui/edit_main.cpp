// Editing in the main window driven by real key presses, clicks and menu commands on the
// offscreen platform: typing into cells, the keys that end an edit, edit-all, the Edit
// menu with its shortcuts, undo, the pop-up menu and the item dialog.
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "session/windows/celledit.h"
#include "ui/frmjitem.h"
#include "ui/frmmain_edit.h"
#include "ui/gridview.h"
#include "support/window_session.h"
#include "support/years.h"

using namespace tly;
using namespace tly::testui;

namespace {

// Sends one typed character (any script) to a widget as the keyboard would.
void typeText(QWidget* w, const QString& text) {
  for (const QChar& ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

ui::MainEditing* editing(ui::frmMain& w) { return w.findChild<ui::MainEditing*>("MainEditing"); }

// Makes (row, col) the current cell and gives the grid focus, as a click would.
void goTo(Session& s, int row, int col) {
  s.app.Grid1.setCurrent(row, col);
  s.w->grid()->refresh();
  s.w->grid()->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
}

// A new school year 1999 with the default tally items, its window active.
void startYear(Session& s) {
  s.startWithNewYear(1999);
  test::setDefaultItems(s.app.Y);
  QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
  // The edit-all mode starts as the settings say; these tests start with one grade.
  if (s.w->menuAction(Command::EditAll)->isChecked()) s.w->menuAction(Command::EditAll)->trigger();
  QVERIFY(!mainControls(s.app).checked(Command::EditAll));
}

int16_t cell(Session& s, int grade, int day, int period) { return s.app.Y.JJ[grade - 1][s.app.S.CurMonth][day][period]; }

}  // namespace

class EditMainTest : public QObject {
  Q_OBJECT
 private slots:
  void typingAnItemStoresItAndMovesDown() {
    Session s;
    startYear(s);
    goTo(s, 13, 5);  // April 13 1999 (Tuesday), period 3
    typeText(s.w->grid(), QString::fromUtf8("道"));
    QVERIFY(s.w->txtInput()->hasFocus());
    QLineEdit* mirror = editing(*s.w)->mirror();
    QVERIFY(mirror->isVisible());
    typeText(s.w->txtInput(), QString::fromUtf8("徳"));
    QCOMPARE(s.w->txtInput()->text(), QString::fromUtf8("道徳"));
    QCOMPARE(mirror->text(), QString::fromUtf8("道徳"));
    QTest::keyClick(s.w->txtInput(), Qt::Key_Return);
    QVERIFY(s.w->grid()->hasFocus());
    QCOMPARE(cell(s, 1, 13, 3), int16_t(-5));
    QCOMPARE(s.app.Grid1.text(13, 5), std::string("道徳"));
    QCOMPARE(s.app.Grid1.Row, 14);
    QVERIFY(!mirror->isVisible());
    QVERIFY(s.w->txtInput()->text().isEmpty());
    QCOMPARE(cell(s, 2, 13, 3), int16_t(33));  // the other grades keep their lesson

    // A Latin letter starts the edit on its key release; Escape stores nothing, no move.
    int16_t before = cell(s, 1, 14, 3);
    QTest::keyClick(s.w->grid(), Qt::Key_X);
    QVERIFY(s.w->txtInput()->hasFocus());
    QCOMPARE(s.w->txtInput()->text(), QString("x"));
    QTest::keyClick(s.w->txtInput(), Qt::Key_Escape);
    QVERIFY(s.w->grid()->hasFocus());
    QCOMPARE(cell(s, 1, 14, 3), before);
    QCOMPARE(s.app.Grid1.Row, 14);

    // F2 opens the cell's own text; Left moves the caret instead of ending the edit.
    QTest::keyClick(s.w->grid(), Qt::Key_F2);
    QVERIFY(s.w->txtInput()->hasFocus());
    QCOMPARE(s.w->txtInput()->text(), QString::fromUtf8("水 3"));
    QTest::keyClick(s.w->txtInput(), Qt::Key_Left);
    QVERIFY(s.w->txtInput()->hasFocus());
    QTest::keyClick(s.w->txtInput(), Qt::Key_Backspace);
    QTest::keyClick(s.w->txtInput(), Qt::Key_Backspace);
    typeText(s.w->txtInput(), QString::fromUtf8("月"));
    QTest::keyClick(s.w->txtInput(), Qt::Key_Return);
    QCOMPARE(cell(s, 1, 14, 3), int16_t(23));

    // A click into the entry box without an edit hands focus straight back.
    s.w->txtInput()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    QVERIFY(s.w->grid()->hasFocus());
    s.w->close();
  }

  void editAllReachesEveryGrade() {
    Session s;
    startYear(s);
    s.w->menuAction(Command::EditAll)->trigger();
    QVERIFY(s.w->menuAction(Command::EditAll)->isChecked());
    QCOMPARE(s.w->panel(2)->text(), QString::fromUtf8("全学年一括編集"));
    goTo(s, 8, 3);
    typeText(s.w->grid(), QString::fromUtf8("学"));
    typeText(s.w->txtInput(), QString::fromUtf8("活"));
    QTest::keyClick(s.w->txtInput(), Qt::Key_Down);
    for (int g = 1; g <= 3; ++g) QCOMPARE(cell(s, g, 8, 1), int16_t(-7));
    QCOMPARE(s.app.Grid1.Row, 9);
    // The status panel switches it off again.
    QTest::mouseClick(s.w->panel(2), Qt::LeftButton);
    QVERIFY(!s.w->menuAction(Command::EditAll)->isChecked());
    QCOMPARE(s.w->panel(2)->text(), QString());
    s.w->close();
  }

  void clipboardShortcutsUndoAndRedo() {
    Session s;
    startYear(s);
    goTo(s, 13, 3);
    s.app.Grid1.RowSel = 14;
    s.app.Grid1.ColSel = 4;
    QTest::keyClick(s.w->grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(s.clipboard.content, std::string("火 1\t火 2\r\n水 1\t水 2\r\n"));
    goTo(s, 22, 3);  // a Thursday
    QTest::keyClick(s.w->grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 22, 1), int16_t(31));
    QCOMPARE(cell(s, 1, 23, 2), int16_t(42));

    // Delete, then Ctrl+Z twice: the delete and then the paste are undone; Ctrl+Y and
    // the toolbar's やり直し take them forward again.
    goTo(s, 27, 3);
    s.app.Grid1.RowSel = 28;
    s.app.Grid1.ColSel = 8;
    QTest::keyClick(s.w->grid(), Qt::Key_Delete);
    QCOMPARE(cell(s, 1, 27, 1), int16_t(0));
    QCOMPARE(cell(s, 1, 28, 6), int16_t(0));
    QCOMPARE(s.w->menuAction(Command::Undo)->text(), QString::fromUtf8("取り消し - 削除(&U)"));
    QTest::keyClick(s.w->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 27, 1), int16_t(31));  // April 27 1999 was a Tuesday
    QCOMPARE(s.w->menuAction(Command::Undo)->text(), QString::fromUtf8("取り消し - 貼り付け(&U)"));
    QCOMPARE(s.w->menuAction(Command::Redo)->text(), QString::fromUtf8("やり直し - 削除(&R)"));
    QTest::keyClick(s.w->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 22, 1), int16_t(51));  // the Thursday's own lesson again
    QVERIFY(!s.w->menuAction(Command::Undo)->isEnabled());
    QVERIFY(!s.w->toolButton(Command::Undo)->isEnabled());
    QTest::keyClick(s.w->grid(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 22, 1), int16_t(31));
    s.w->toolButton(Command::Redo)->trigger();
    QCOMPARE(cell(s, 1, 27, 1), int16_t(0));
    QCOMPARE(cell(s, 1, 28, 6), int16_t(0));
    QVERIFY(!s.w->menuAction(Command::Redo)->isEnabled());
    QVERIFY(s.w->grid()->hasFocus());
    s.w->close();
  }

  // Three typed cells are three steps: Ctrl+Z three times empties them again, Ctrl+Y
  // twice brings the first two back (Ctrl+Shift+Z works as Ctrl+Y does).
  void typedCellsUndoOneByOne() {
    Session s;
    startYear(s);
    const int16_t before = cell(s, 1, 13, 1);
    for (int day : {13, 14, 15}) {
      goTo(s, day, 3);
      typeText(s.w->grid(), QString::fromUtf8("道"));
      typeText(s.w->txtInput(), QString::fromUtf8("徳"));
      QTest::keyClick(s.w->txtInput(), Qt::Key_Return);
    }
    for (int day : {13, 14, 15}) QCOMPARE(cell(s, 1, day, 1), int16_t(-5));
    QCOMPARE(s.w->windowTitle().endsWith(QStringLiteral("*")), true);
    for (int n = 0; n < 3; ++n) QTest::keyClick(s.w->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 13, 1), before);
    QVERIFY(cell(s, 1, 15, 1) != int16_t(-5));
    QVERIFY(!s.w->windowTitle().endsWith(QStringLiteral("*")));  // back at the year as opened
    QTest::keyClick(s.w->grid(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(s.w->grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(cell(s, 1, 13, 1), int16_t(-5));
    QCOMPARE(cell(s, 1, 14, 1), int16_t(-5));
    QVERIFY(cell(s, 1, 15, 1) != int16_t(-5));
    QCOMPARE(s.w->menuAction(Command::Redo)->text(), QString::fromUtf8("やり直し - 入力(&R)"));
    s.w->close();
  }

  // A paste in grade 1, then grade 3 is shown: Ctrl+Z gives grade 1 its cells back and
  // shows grade 1.
  void undoShowsTheGradeOfTheStep() {
    Session s;
    startYear(s);
    const int16_t before = cell(s, 1, 20, 2);
    s.clipboard.content = "道徳\r\n";
    goTo(s, 20, 4);
    QTest::keyClick(s.w->grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(s, 1, 20, 2), int16_t(-5));
    // Grade 3 picked in the grade selector with the keyboard.
    s.w->cmbGr()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(s.w->cmbGr(), Qt::Key_Down);
    QTest::keyClick(s.w->cmbGr(), Qt::Key_Down);
    QCOMPARE(s.app.S.CurGr, 3);
    goTo(s, 1, 3);
    QTest::keyClick(s.w->grid(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.app.S.CurGr, 1);
    QCOMPARE(s.w->cmbGr()->currentIndex(), 0);
    QCOMPARE(cell(s, 1, 20, 2), before);
    s.w->close();
  }

  void popupAssignsItemsAndTheItemDialogRenames() {
    Session s;
    startYear(s);
    goTo(s, 12, 4);
    s.app.Grid1.RowSel = 13;
    s.app.Grid1.ColSel = 5;
    ui::MainEditing* ed = editing(*s.w);
    QVERIFY(ed->preparePopup());
    int items = s.app.Y.JItemCount;
    QVERIFY(items >= 5);
    QVERIFY(ed->popupAction(popupItem(items))->isVisible());
    QVERIFY(!ed->popupAction(popupItem(items + 1))->isVisible());
    QCOMPARE(ed->popupAction(popupItem(5))->text(), QString::fromStdString(s.app.Y.JItem[4]));
    ed->popupAction(popupItem(5))->trigger();
    QCOMPARE(cell(s, 1, 12, 2), int16_t(-5));
    QCOMPARE(cell(s, 1, 13, 3), int16_t(-5));
    QVERIFY(s.app.H.canUndo());

    // The item dialog renames: the cells keep item 5 and show its new name.
    s.w->menuAction(Command::JItem)->trigger();
    ui::frmJItem* dlg = ed->itemWindow();
    QVERIFY(dlg);
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    while (dlg->lstJItem()->count() > 4) QTest::mouseClick(dlg->cmdDel(), Qt::LeftButton);
    dlg->txtJItem()->setFocus(Qt::MouseFocusReason);
    typeText(dlg->txtJItem(), QString::fromUtf8("特活"));
    QTest::keyClick(dlg->txtJItem(), Qt::Key_Return);
    QTest::mouseClick(dlg->cmdOK(), Qt::LeftButton);
    QCOMPARE(s.app.Grid1.text(12, 4), std::string("特活"));
    QCOMPARE(s.app.Y.JItemCount, int16_t(5));
    s.w->close();
  }
};

QTEST_MAIN(EditMainTest)
#include "edit_main.moc"
#include "support/viewstate.h"
