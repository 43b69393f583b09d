// 次年度を作成 in the window: its place in the file menu, the dialog's proposal and the
// group "引き継ぐ内容", a build through it with the summary in the status bar, and 中止
// leaving the open year. With TLY_SHOTS=DIR set, pictures of the dialog and of the new
// year's April go there.
#include <QDir>
#include <QGroupBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "session/windows/frmnew/nextyear.h"
#include "support/window_session.h"
#include "support/years.h"

using namespace tly;
using namespace tly::testui;

class NextYearWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void dialogProposesTheNextYear();
  void buildCarriesTheTimetables();
  void cancelKeepsTheOpenYear();
};

namespace {


// School year 2026 of six grades and seven periods, with class and teacher timetables,
// and the next-year dialog opened on it (the question answered OK).
ui::frmNew* openDialog(Session& s) {
  s.startWithNewYear(2026);
  s.app.Y.Fs.FsToolBar = kFalse;  // what a year built in the window and never saved holds
  s.app.Y.Ggn = 6;
  s.app.Y.Jigen = 7;
  for (const char* n : {"1年1組", "1年2組", "2年1組", "6年1組"}) test::addFullTimetable(s.app.Y, 0, n, "c");
  test::addFullTimetable(s.app.Y, 1, "山田", "t");
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::NextYear)->trigger();
  QApplication::processEvents();
  return s.w->newYearWindow();
}

}  // namespace

void NextYearWindowTest::dialogProposesTheNextYear() {
  Session s;
  s.settings.set("TLY", "Settings", "NextYearClosedSaturdays", "1,3");
  ui::frmNew* d = openDialog(s);
  QVERIFY(d);
  const QList<QAction*> file = s.w->topMenu(Command::FileMenu)->actions();
  QCOMPARE(file[0]->objectName(), QString("mnuNew"));
  QCOMPARE(file[1]->objectName(), QString("mnuNextYear"));  // right after 新規作成
  QCOMPARE(file[1]->text(), QString("次年度を作成(&Y)..."));
  QCOMPARE(s.msg.shown.back().text, std::string("現在編集中のデータは失われます。"));
  QCOMPARE(d->windowTitle(), QString("TLY - 次年度を作成"));
  QCOMPARE(d->txtNendo()->text(), QString("2027"));
  QCOMPARE(d->cmbGgn()->currentText(), QString("６学年"));
  QCOMPARE(d->cmbJigen()->currentText(), QString("７時限"));
  for (int i = 0; i < 5; ++i) QCOMPARE(d->chkSat(i)->isChecked(), i == 0 || i == 2);
  QVERIFY(d->grpCarry());
  QCOMPARE(d->grpCarry()->title(), QString("引き継ぐ内容"));
  // Everything on but moving up a grade, which needs the class timetables.
  const struct {
    QCheckBox* box;
    const char* caption;
    bool on;
  } boxes[] = {{d->chkCarryClass(), "学級時間割", true},      {d->chkAdvance(), "学年を一つ進める", false},
               {d->chkCarryTeacher(), "教師時間割", true},    {d->chkCarryItems(), "集計項目", true},
               {d->chkCarrySettings(), "表示・印刷の設定", true}, {d->chkCarryStandards(), "標準時数の設定", true}};
  for (const auto& b : boxes) {
    QCOMPARE(b.box->text(), QString::fromUtf8(b.caption));
    QCOMPARE(b.box->isChecked(), b.on);
    QVERIFY(b.box->isVisible());
  }
  QVERIFY(d->grpCarry()->geometry().top() > d->chkSat(4)->geometry().bottom());  // below the Saturdays
  d->chkAdvance()->setChecked(true);
  shot(d, "nextyear-dialog");
  d->chkCarryClass()->setChecked(false);
  QVERIFY(!d->chkAdvance()->isEnabled());
  d->chkCarryClass()->setChecked(true);
  QVERIFY(d->chkAdvance()->isEnabled());
  // 新規作成 keeps its own dialog: no group, its fixed choices.
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::New)->trigger();
  QApplication::processEvents();
  ui::frmNew* plain = s.w->newYearWindow();
  QVERIFY(plain && plain != d);
  QVERIFY(!plain->grpCarry());
  QCOMPARE(plain->windowTitle(), QString("TLY - 新規作成"));
  QCOMPARE(plain->cmbGgn()->currentIndex(), 0);
  for (int i = 0; i < 5; ++i) QCOMPARE(plain->chkSat(i)->isChecked(), i == 1 || i == 3);
  QVERIFY(s.w->isVisible());
  plain->close();
  s.w->close();
}

void NextYearWindowTest::buildCarriesTheTimetables() {
  Session s;
  ui::frmNew* d = openDialog(s);
  d->chkAdvance()->setChecked(true);
  d->chkSat(4)->setChecked(true);
  QSignalSpy built(d, &ui::frmNew::built);
  QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(built.count(), 1);
  QVERIFY(!s.w->newYearWindow());
  QCOMPARE(int(s.app.Y.nendo()), 2027);
  QCOMPARE(int(s.app.Y.Ggn), 6);
  QCOMPARE(int(s.app.Y.Jigen), 7);
  QCOMPARE(s.app.Y.timetableCount(0), 5);  // 1年1組, 1年2組 empty, 2年1組, 2年2組, 3年1組
  QCOMPARE(s.app.Y.JW[0][3].JWName, std::string("2年1組"));
  QCOMPARE(s.app.Y.JW[0][3].JWCell[2][1], std::string("c21"));
  QCOMPARE(s.app.Y.timetableCount(1), 1);
  QCOMPARE(s.w->panel(0)->text(), QString("5件の学級時間割、1件の教師時間割を引き継ぎました。"));
  QCOMPARE(s.msg.shown.back().text, std::string("5件の学級時間割、1件の教師時間割を引き継ぎました。"));
  QCOMPARE(s.msg.shown.back().icon, MsgIcon::Information);
  // The view carried is the one on screen, though the old year was never saved with it.
  QVERIFY(s.w->toolBar()->isVisible());
  QVERIFY(s.w->menuAction(Command::EditAll)->isChecked() == s.app.V.editAll);
  QCOMPARE(s.app.F.CurFile, std::string());
  QVERIFY(!s.w->menuAction(Command::Undo)->isEnabled());
  QCOMPARE(s.settings.get("TLY", "Settings", "NextYearClosedSaturdays", ""), std::string("2,4,5"));
  QVERIFY(s.w->isVisible());
  shot(s.w.get(), "nextyear-built");
  s.w->close();
}

void NextYearWindowTest::cancelKeepsTheOpenYear() {
  Session s;
  ui::frmNew* d = openDialog(s);
  QSignalSpy ended(s.w.get(), &ui::frmMain::ended);
  QTest::mouseClick(d->cmdCan(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(ended.count(), 0);
  QVERIFY(s.w->isVisible());
  QVERIFY(!s.w->unloaded());
  QCOMPARE(int(s.app.Y.nendo()), 2026);
  QCOMPARE(s.app.Y.timetableCount(0), 4);
  // Answering the question with cancel opens nothing.
  s.msg.answers = {MsgResult::Cancel};
  s.w->menuAction(Command::NextYear)->trigger();
  QApplication::processEvents();
  QVERIFY(!s.w->newYearWindow());
  s.w->close();
}

QTEST_MAIN(NextYearWindowTest)
#include "nextyear_test.moc"
