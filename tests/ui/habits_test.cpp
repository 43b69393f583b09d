// Everyday habits of the desktop program: the file menu's recent files, the timetable
// window's size, the help window, and a subject typed through a shown timetable. With
// TLY_SHOTS=DIR set, pictures of the timetable window and the help are saved there.
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>

#include "session/windows/frmmain/recentfiles.h"
#include "support/window_session.h"
#include "ui/frmabout.h"
#include "ui/frmjw.h"
#include "ui/frmmain_jw.h"
#include "ui/frmmain_recent.h"
#include "ui/gridview.h"

using namespace tly;
using namespace tly::testui;

namespace {


// Twelve class timetables, so that the list has more names than it shows at once.
void giveClasses(App& app, int n) {
  app.Y.JW[0][0].JWKind = static_cast<int16_t>(n);
  for (int i = 1; i <= n; ++i) app.Y.JW[0][i].JWName = std::to_string((i - 1) / 4 + 1) + "年" + std::to_string((i - 1) % 4 + 1) + "組";
  app.Y.JW[0][1].JWCell[3][2] = "算数";
}

ui::frmJW* openTimetables(Session& s) {
  QTest::mouseClick(s.button(Command::Jikanwari), Qt::LeftButton);
  ui::frmJW* jw = ui::timetableWindow(*s.w);
  if (!jw) return nullptr;
  jw->show();
  QTest::mouseClick(jw->optClass(), Qt::LeftButton, {}, QPoint(6, jw->optClass()->height() / 2));
  QApplication::processEvents();
  return jw;
}

// Every row of a grid lies inside its view, and the grid inside the window.
bool showsEveryRow(ui::GridView* g, const Grid& m) {
  for (int r = 0; r < m.rows(); ++r) {
    const QRect cell = g->cellRect(r, m.cols() - 1);
    if (cell.isEmpty() || cell.bottom() >= g->viewport()->height() || cell.right() >= g->viewport()->width())
      return false;
  }
  const QWidget* w = g->window();
  return w->rect().contains(QRect(g->mapTo(w, QPoint(0, 0)), g->size()));
}

int namesShown(QListWidget* l) {
  int n = 0;
  for (int i = 0; i < l->count(); ++i)
    if (l->viewport()->rect().contains(l->visualItemRect(l->item(i)))) ++n;
  return n;
}

}  // namespace

class HabitsTest : public QObject {
  Q_OBJECT
 private slots:
  void recentFilesInTheMenuSurviveARestart();
  void timetableWindowShowsEveryRowAndTwelveNames();
  void helpPagesOpenAndEscCloses();
  void typedSubjectThroughTheShownTimetable();
};

void HabitsTest::recentFilesInTheMenuSurviveARestart() {
  test::MemorySettings kept;
  test::TempDir files;  // outlives both runs' program folders
  const std::string a = files.file("a.DAT"), b = files.file("b.DAT");
  {
    Session s;
    s.startWithNewYear(2001);
    s.files.choose(a);
    s.w->menuAction(Command::NSave)->trigger();
    s.files.choose(b);
    s.w->menuAction(Command::NSave)->trigger();
    ui::MainRecentFiles* r = ui::mainRecentFiles(*s.w);
    r->refresh();
    QCOMPARE(r->entries().size(), size_t(2));
    QCOMPARE(r->entries()[0]->text(), QString("&1 b.DAT"));
    QCOMPARE(r->entries()[0]->toolTip(), QString::fromStdString(b));
    QCOMPARE(r->entries()[1]->toolTip(), QString::fromStdString(a));
    // The entries sit in the file menu, above 終了.
    const QList<QAction*> menu = s.w->topMenu(Command::FileMenu)->actions();
    QVERIFY(menu.indexOf(r->entries()[1]) < menu.indexOf(s.w->menuAction(Command::End)));
    QVERIFY(menu.indexOf(r->entries()[0]) > menu.indexOf(s.w->menuAction(Command::Print)));
    // While the timetable window is open they are off, as 開く is.
    QVERIFY(openTimetables(s));
    r->refresh();
    QVERIFY(!r->entries()[0]->isEnabled());
    ui::timetableWindow(*s.w)->close();
    QApplication::processEvents();
    kept = s.settings;
    s.w->close();
    QFile::remove(QString::fromStdString(b));
  }
  Session s;
  s.settings = kept;
  s.startWithNewYear(2009);
  ui::MainRecentFiles* r = ui::mainRecentFiles(*s.w);
  r->refresh();
  QCOMPARE(r->entries().size(), size_t(2));
  QVERIFY(r->entries()[0]->isEnabled());
  // The second file opens as 開く would open it.
  r->entries()[1]->trigger();
  QCOMPARE(int(s.app.Y.nendo()), 2001);
  QCOMPARE(s.w->windowTitle(), QString::fromStdString("TLY 授業時数集計 - " + a));
  // The first is gone: offered for removal, and not offered again.
  s.msg.answers = {MsgResult::Yes};
  r->refresh();
  r->entries()[1]->trigger();
  QVERIFY(s.msg.saw("b.DAT」が見つかりません。"));
  r->refresh();
  QCOMPARE(r->entries().size(), size_t(1));
  QCOMPARE(r->entries()[0]->toolTip(), QString::fromStdString(a));
  QCOMPARE(int(s.app.Y.nendo()), 2001);
  s.w->close();
}

void HabitsTest::timetableWindowShowsEveryRowAndTwelveNames() {
  test::MemorySettings kept;
  QSize grown;
  {
    Session s;
    s.startWithNewYear(2001);
    giveClasses(s.app, 14);
    ui::frmJW* jw = openTimetables(s);
    QVERIFY(jw);
    QCOMPARE(jw->lstJW()->count(), 14);
    QVERIFY2(namesShown(jw->lstJW()) >= 12, qPrintable(QString::number(namesShown(jw->lstJW()))));
    QVERIFY(showsEveryRow(jw->grid1(), s.app.JWF.Grid1));
    QVERIFY(!jw->grid2()->isVisible());
    QVERIFY(shot(jw, QStringLiteral("frmJW-default")));

    // The reference area adds its grid, every row of it shown too.
    QTest::mouseClick(jw->frameRef(), Qt::LeftButton, {}, QPoint(4, 4));
    QApplication::processEvents();
    QVERIFY(s.app.JWF.refShown);
    QVERIFY(jw->grid2()->isVisible());
    QVERIFY(showsEveryRow(jw->grid2(), s.app.JWF.Grid2));
    QVERIFY(showsEveryRow(jw->grid1(), s.app.JWF.Grid1));
    QVERIFY(shot(jw, QStringLiteral("frmJW-reference")));
    QTest::mouseClick(jw->frameRef(), Qt::LeftButton, {}, QPoint(4, 4));
    QApplication::processEvents();
    QVERIFY(!jw->grid2()->isVisible());

    // Made larger, the grids follow; made smaller than its least size, it stays there.
    const QSize least = jw->size();
    const int gridHeight = jw->grid1()->height(), gridWidth = jw->grid1()->width();
    jw->resize(least + QSize(120, 90));
    QApplication::processEvents();
    QCOMPARE(jw->grid1()->height(), gridHeight + 90);
    QCOMPARE(jw->grid1()->width(), gridWidth + 120);
    grown = jw->size();
    jw->resize(QSize(100, 100));
    QApplication::processEvents();
    QCOMPARE(jw->size(), jw->minimumSize());
    QVERIFY(showsEveryRow(jw->grid1(), s.app.JWF.Grid1));
    QVERIFY(namesShown(jw->lstJW()) >= 12);
    jw->resize(grown);
    QApplication::processEvents();
    QTest::mouseClick(jw->cmdOK(), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(s.settings.stored("JWWidth") != "<none>");
    kept = s.settings;
    s.w->close();
  }
  // The next opening, also in another run, has the size the window was given.
  Session s;
  s.settings = kept;
  s.startWithNewYear(2001);
  ui::frmJW* jw = openTimetables(s);
  QVERIFY(jw);
  QCOMPARE(jw->size(), grown);
  s.w->close();
}

void HabitsTest::helpPagesOpenAndEscCloses() {
  Session s;
  s.startWithNewYear(2001);
  s.w->menuAction(Command::Help)->trigger();
  auto* help = qobject_cast<ui::HelpWindow*>(s.w->helpWindow());
  QVERIFY(help && help->isVisible());
  QTextBrowser* b = help->browser();
  QVERIFY(b->toPlainText().contains(QString::fromUtf8("目次")));
  // Every page the contents page links to is in the program, with a heading of its own;
  // every picture a page shows is there too.
  const QString index = ui::HelpWindow::helpHtml();
  const QStringList pages = {"newyear", "timetables", "typing", "tally", "report",
                             "printing", "excel", "commandline", "keeping", "keys"};
  for (const QString& p : pages) {
    QVERIFY2(index.contains("href=\"" + p + ".html\""), qPrintable(p));
    const QString html = ui::HelpWindow::pageHtml(p + ".html");
    QVERIFY2(html.contains("<h1>"), qPrintable(p));
    QRegularExpression img(QStringLiteral("src=\"([^\"]+)\""));
    for (auto m = img.globalMatch(html); m.hasNext();) {
      const QString file = m.next().captured(1);
      QVERIFY2(QFile::exists(":/help/" + file), qPrintable(p + ": " + file));
    }
  }
  QVERIFY(ui::HelpWindow::pageHtml("typing.html").contains(QString::fromUtf8("算数")));
  help->showPage("typing.html");
  QVERIFY(b->toPlainText().contains(QString::fromUtf8("授業の入力と貼り付け")));
  QVERIFY(shot(help, QStringLiteral("help-typing")));
  QPushButton* back = help->findChild<QPushButton*>("cmdBack");
  QVERIFY(back && back->isEnabled());
  QTest::mouseClick(back, Qt::LeftButton);
  QVERIFY(b->toPlainText().contains(QString::fromUtf8("ヘルプ 目次")));
  QVERIFY(shot(help, QStringLiteral("help-index")));

  // Esc closes it, as does 閉じる; F1 brings it back.
  help->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(help));
  b->setFocus();
  QTest::keyClick(b, Qt::Key_Escape);
  QVERIFY(!help->isVisible());
  s.w->menuAction(Command::Help)->trigger();
  QVERIFY(help->isVisible());
  QTest::mouseClick(help->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
  QVERIFY(!help->isVisible());

  // A help file in the program folder is opened instead; the own window stays closed.
  s.app.F.HelpFile.clear();
  s.msg.shown.clear();
  s.w->menuAction(Command::Help)->trigger();
  QVERIFY(s.msg.saw("ﾍﾙﾌﾟの目次を表示できません。"));
  QVERIFY(!help->isVisible());
  s.w->close();
}

void HabitsTest::typedSubjectThroughTheShownTimetable() {
  Session s;
  s.startWithNewYear(2001);
  QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
  if (s.w->menuAction(Command::EditAll)->isChecked()) s.w->menuAction(Command::EditAll)->trigger();
  giveClasses(s.app, 1);
  s.w->menuAction(Command::DispJWC)->trigger();
  QVERIFY(s.app.V.timetableText());
  QCOMPARE(s.app.S.CurMonth, 4);
  auto type = [&s](const QString& text) {
    // 11 April 2001 is a Wednesday: period 5.
    s.app.Grid1.setCurrent(11, 7);
    s.w->grid()->refresh();
    s.w->grid()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    QTest::keyClick(s.w->grid(), Qt::Key_F2);
    s.w->txtInput()->selectAll();
    QTest::keyClick(s.w->txtInput(), Qt::Key_Delete);
    for (const QChar& ch : text) QTest::sendKeyEvent(QTest::Click, s.w->txtInput(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QTest::keyClick(s.w->txtInput(), Qt::Key_Return);
    QApplication::processEvents();
  };
  type(QString::fromUtf8("算数"));
  QCOMPARE(int(s.app.Y.JJ[0][4][11][5]), 42);  // the Wednesday 算数, period 2
  QCOMPARE(s.app.Grid1.text(11, 7), std::string("算数"));
  QVERIFY(s.w->panel(0)->text().isEmpty());
  // 体育 is not in the timetable: the cell stays and the status bar says why.
  type(QString::fromUtf8("体育"));
  QCOMPARE(int(s.app.Y.JJ[0][4][11][5]), 42);
  QVERIFY(s.w->panel(0)->text().contains(QString::fromUtf8("「体育」は集計項目でも時間割の授業でもありません。")));
  // 取り消し gives the cell its lesson from before the typing back.
  s.w->menuAction(Command::Undo)->trigger();
  QCOMPARE(int(s.app.Y.JJ[0][4][11][5]), 45);
  s.w->close();
}

QTEST_MAIN(HabitsTest)
#include "habits_test.moc"
