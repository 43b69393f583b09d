// The timetable window with real key events offscreen: names added, inserted and renamed
// with Enter, cells edited with Enter, Shift+Enter, arrows and Esc, the overlay over the
// edited cell, and every way the window closes.
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/frmjisuu.h"
#include "ui/frmjw.h"
#include "ui/frmmain_tally.h"
#include "ui/frmmain_jw.h"
#include "ui/gridview.h"
#include "support/window_session.h"

using namespace tly;
using namespace tly::testui;

class TimetableWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void enterAddsInsertsAndRenames();
  void cellEditWithKeys();
  void tallyButtonOpensTheTallyAndCloseEndsIt();
  void everyCloseLeavesTimetableMode_data();
  void everyCloseLeavesTimetableMode();
};

namespace {

ui::frmJW* openWindow(Session& s) {
  s.startWithNewYear(1999);
  ui::frmMain& w = s.window();
  QTest::mouseClick(s.button(Command::Jikanwari), Qt::LeftButton);
  ui::frmJW* jw = ui::timetableWindow(w);
  if (jw) {
    jw->activateWindow();
    // A new year remembers teacher timetables as the last choice; edit class timetables.
    QTest::mouseClick(jw->optClass(), Qt::LeftButton, {}, QPoint(6, jw->optClass()->height() / 2));
    QApplication::processEvents();
  }
  return jw;
}

void typeName(ui::frmJW* jw, const QString& name) {
  jw->txtJW()->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  // Japanese text arrives as an input method's commit.
  QInputMethodEvent commit;
  commit.setCommitString(name);
  QApplication::sendEvent(jw->txtJW(), &commit);
  QTest::keyClick(jw->txtJW(), Qt::Key_Return);
  QApplication::processEvents();
}

QStringList listed(ui::frmJW* jw) {
  QStringList l;
  for (int i = 0; i < jw->lstJW()->count(); ++i) l << jw->lstJW()->item(i)->text();
  return l;
}

}  // namespace

void TimetableWindowTest::enterAddsInsertsAndRenames() {
  Session s;
  ui::frmJW* jw = openWindow(s);
  QVERIFY(jw);
  QCOMPARE(jw->windowTitle(), QStringLiteral("TLY - 時間割設定"));
  QCOMPARE(jw->label1()->text(), QStringLiteral("学級名："));
  QVERIFY(s.window().menuAction(Command::Jikanwari)->isChecked());
  QVERIFY(!s.window().menuAction(Command::Open)->isEnabled());
  QVERIFY(!s.window().toolButton(Command::Paste)->isEnabled());
  // Every command has its control in one of the two windows, under its designed name.
  for (std::size_t i = 0; i < kCommandCount; ++i)
    QVERIFY2(s.window().findChild<QObject*>(controlName(Command(i))), controlName(Command(i)));

  typeName(jw, QStringLiteral("1年1組"));
  typeName(jw, QStringLiteral("1年3組"));
  QCOMPARE(listed(jw), (QStringList{"1年1組", "1年3組"}));
  QVERIFY(jw->txtJW()->hasFocus());
  QCOMPARE(jw->lstJW()->currentRow(), 1);

  // 挿入 with an empty name box asks for the name; Enter then inserts before the selection.
  jw->txtJW()->clear();
  s.app.JWF.txtJW.clear();
  QTest::mouseClick(jw->cmdJWIns(), Qt::LeftButton);
  QVERIFY(s.msg.saw("時間割名（学級名）を入力してください。"));
  typeName(jw, QStringLiteral("1年2組"));
  QCOMPARE(listed(jw), (QStringList{"1年1組", "1年2組", "1年3組"}));
  QCOMPARE(s.app.S.JWNo, 2);

  // 名称変更 of the list pop-up, then Enter.
  jw->action(Command::PopupListED)->trigger();
  QVERIFY(!jw->cmdJWAdd()->isEnabled());
  QVERIFY(!jw->cmdKei()->isEnabled());
  QCOMPARE(jw->txtJW()->text(), QStringLiteral("1年2組"));
  QTest::keyClicks(jw->txtJW(), QStringLiteral("A"));
  QTest::keyClick(jw->txtJW(), Qt::Key_Return);
  QApplication::processEvents();
  QCOMPARE(listed(jw), (QStringList{"1年1組", "1年2組A", "1年3組"}));
  QVERIFY(jw->cmdJWAdd()->isEnabled());
  QCOMPARE(s.app.Y.JW[0][2].JWName, std::string("1年2組A"));
}

void TimetableWindowTest::cellEditWithKeys() {
  Session s;
  ui::frmJW* jw = openWindow(s);
  QVERIFY(jw);
  typeName(jw, QStringLiteral("1年1組"));
  ui::GridView* grid = jw->grid1();
  JWForm& f = s.app.JWF;
  grid->setFocus(Qt::OtherFocusReason);
  f.Grid1.setCurrent(1, 2);
  QApplication::processEvents();

  // A typed character starts the edit; the overlay lies exactly over the cell.
  QTest::keyClick(grid, Qt::Key_K);
  QVERIFY(jw->txtInput()->hasFocus());
  QVERIFY(jw->gtext1()->isVisible());
  QCOMPARE(jw->gtext1()->geometry(), grid->cellRect(1, 2));
  QCOMPARE(jw->gtext1()->font().pointSizeF(), double(f.Grid1.Font.size));
  QTest::keyClicks(jw->txtInput(), QStringLiteral("okugo"));
  QCOMPARE(jw->gtext1()->text(), QStringLiteral("kokugo"));
  QTest::keyClick(jw->txtInput(), Qt::Key_Return);
  QApplication::processEvents();
  QCOMPARE(s.app.Y.JW[0][1].JWCell[1][2], std::string("kokugo"));
  QVERIFY(grid->hasFocus());
  QVERIFY(!jw->gtext1()->isVisible());
  QCOMPARE(f.Grid1.Row, 2);

  // F2, Shift+Enter stores and moves up.
  // A click elsewhere in the window ends the edit unstored and the overlay goes.
  QTest::keyClick(grid, Qt::Key_Q);
  QVERIFY(jw->gtext1()->isVisible());
  jw->lstJW()->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  QVERIFY(!jw->gtext1()->isVisible());
  QCOMPARE(int(f.edit.InputMode), 0);
  QCOMPARE(s.app.Y.JW[0][1].JWCell[2][2], std::string(""));
  grid->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  QCOMPARE(s.app.Y.JW[0][1].JWCell[2][2], std::string(""));
  QCOMPARE(f.Grid1.Row, 2);

  QTest::keyClick(grid, Qt::Key_F2);
  QVERIFY(jw->txtInput()->hasFocus());
  QTest::keyClicks(jw->txtInput(), QStringLiteral("x"));
  QTest::keyClick(jw->txtInput(), Qt::Key_Return, Qt::ShiftModifier);
  QApplication::processEvents();
  QCOMPARE(s.app.Y.JW[0][1].JWCell[2][2], std::string("x"));
  QCOMPARE(f.Grid1.Row, 1);

  // A typed edit ends with Left and moves left; Esc keeps the cell.
  QTest::keyClick(grid, Qt::Key_M);
  QTest::keyClick(jw->txtInput(), Qt::Key_Left);
  QApplication::processEvents();
  QCOMPARE(s.app.Y.JW[0][1].JWCell[1][2], std::string("m"));
  QCOMPARE(f.Grid1.Col, 1);
  QTest::keyClick(grid, Qt::Key_Z);
  QTest::keyClick(jw->txtInput(), Qt::Key_Escape);
  QApplication::processEvents();
  QCOMPARE(s.app.Y.JW[0][1].JWCell[1][1], std::string(""));
  QVERIFY(grid->hasFocus());

  // Ctrl+C, or Alt+A, released after the modifier starts no edit; Ctrl+C copies.
  const std::pair<Qt::Key, Qt::KeyboardModifier> chords[] = {{Qt::Key_C, Qt::ControlModifier},
                                                             {Qt::Key_A, Qt::AltModifier}};
  for (const auto& [key, mod] : chords) {
    QTest::keyPress(grid, key, mod);
    QTest::keyRelease(grid, mod == Qt::ControlModifier ? Qt::Key_Control : Qt::Key_Alt, mod);
    QTest::keyRelease(grid, key, Qt::NoModifier);
    QApplication::processEvents();
    QVERIFY(grid->hasFocus());
    QVERIFY(!jw->gtext1()->isVisible());
    QCOMPARE(int(f.edit.InputMode), 0);
  }
  QCOMPARE(s.clipboard.content, std::string("\r\n"));
}

void TimetableWindowTest::tallyButtonOpensTheTallyAndCloseEndsIt() {
  Session s;
  ui::frmJW* jw = openWindow(s);
  QVERIFY(jw);
  ui::frmMain& w = s.window();
  QTest::mouseClick(jw->cmdKei(), Qt::LeftButton);
  QVERIFY(s.msg.saw("時間割名（学級名）の登録と\n時間割設定が必要です。"));
  QVERIFY(!ui::tallyDialog(w));
  typeName(jw, QStringLiteral("1年1組"));
  QTest::mouseClick(jw->cmdKei(), Qt::LeftButton);
  QVERIFY(ui::tallyDialog(w));
  QVERIFY(w.menuAction(Command::Kei)->isChecked());
  QVERIFY(w.menuAction(Command::DispJWC)->isChecked());
  QVERIFY(!w.cmbGr()->isEnabled());
  QVERIFY(w.cmbDispJW()->isVisible() && !w.cmbDispJW()->isEnabled());
  QPointer<ui::frmJW> guard(jw);
  jw->close();
  QTRY_VERIFY(!guard);
  QTRY_VERIFY(!ui::tallyDialog(w));
  QVERIFY(!w.menuAction(Command::Kei)->isChecked());
  QVERIFY(w.cmbGr()->isEnabled());
  QCOMPARE(s.app.Grid1.cols(), 10);
}

void TimetableWindowTest::everyCloseLeavesTimetableMode_data() {
  QTest::addColumn<int>("how");
  QTest::newRow("閉じる") << 0;
  QTest::newRow("close box") << 1;
  QTest::newRow("menu") << 2;
  QTest::newRow("toolbar") << 3;
  QTest::newRow("month selector") << 4;
}

void TimetableWindowTest::everyCloseLeavesTimetableMode() {
  QFETCH(int, how);
  Session s;
  ui::frmJW* jw = openWindow(s);
  QVERIFY(jw);
  QPointer<ui::frmJW> guard(jw);
  ui::frmMain& w = s.window();
  switch (how) {
    case 0: QTest::mouseClick(jw->cmdOK(), Qt::LeftButton); break;
    case 1: jw->close(); break;
    case 2: w.menuAction(Command::Jikanwari)->trigger(); break;
    case 3: QTest::mouseClick(s.button(Command::Jikanwari), Qt::LeftButton); break;
    default:
      // Another month is chosen: the mode ends and the month shows.
      QVERIFY(w.cmbMonth()->isEnabled());
      w.cmbMonth()->setFocus(Qt::OtherFocusReason);
      QTest::keyClick(w.cmbMonth(), Qt::Key_Down);
      QCOMPARE(s.app.S.CurMonth, 5);
      break;
  }
  QTRY_VERIFY(!guard);
  QVERIFY(!ui::timetableWindow(w));
  QVERIFY(!w.menuAction(Command::Jikanwari)->isChecked());
  QVERIFY(!w.toolButton(Command::Jikanwari)->isChecked());
  QVERIFY(w.menuAction(Command::Open)->isEnabled());
  QVERIFY(w.menuAction(Command::End)->isEnabled());
  QVERIFY(w.toolButton(Command::Paste)->isEnabled());
  QCOMPARE(w.menuAction(Command::CopyAll)->text(), QStringLiteral("月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
  QCOMPARE(int(s.app.S.JWMode), 0);
  QCOMPARE(s.settings.stored("JWLeft") == "<none>", false);
}

QTEST_MAIN(TimetableWindowTest)
#include "timetable_window.moc"
