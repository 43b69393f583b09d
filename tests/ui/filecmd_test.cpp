// File commands from the main window: New with Cancel and OK, Save with and without a
// name, Save As onto an existing file, and Open bringing a saved year back.
#include <QSignalSpy>
#include <QTest>

#include "support/window_session.h"

using namespace tly;
using namespace tly::testui;

class FileCommandTest : public QObject {
  Q_OBJECT
 private slots:
  void newAsksBeforeDroppingTheYear();
  void saveWithoutNameAsksForOneThenReusesIt();
  void saveAsOntoAnExistingFileAsksFirst();
};

void FileCommandTest::newAsksBeforeDroppingTheYear() {
  Session s;
  s.startWithNewYear(1999);
  s.app.F.CurFile = s.path("kept.DAT");
  s.msg.shown.clear();

  // Cancel through the toolbar button: nothing changes, no dialog.
  s.msg.answers = {MsgResult::Cancel};
  QTest::mouseClick(s.button(Command::New), Qt::LeftButton);
  QCOMPARE(s.msg.shown.size(), size_t(1));
  QCOMPARE(s.msg.shown[0].text, std::string("現在編集中のデータは失われます。"));
  QCOMPARE(s.msg.shown[0].title, std::string("TLY 新規作成"));
  QCOMPARE(s.msg.shown[0].buttons, MsgButtons::OKCancel);
  QVERIFY(!s.w->newYearWindow());
  QCOMPARE(s.app.F.CurFile, s.path("kept.DAT"));
  QCOMPARE(int(s.app.Y.nendo()), 1999);

  // OK through the menu: the name is dropped before the dialog opens; the main window stays.
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::New)->trigger();
  ui::frmNew* dlg = s.w->newYearWindow();
  QVERIFY(dlg && dlg->isVisible());
  QVERIFY(s.w->isVisible());
  QVERIFY(s.app.F.CurFile.empty());
  dlg->txtNendo()->setText("2005");
  dlg->cmbGgn()->setCurrentIndex(3);  // ６学年
  QTest::mouseClick(dlg->cmdOK(), Qt::LeftButton);
  QApplication::processEvents();
  QCOMPARE(int(s.app.Y.nendo()), 2005);
  QCOMPARE(int(s.app.Y.Ggn), 6);
  QCOMPARE(s.w->cmbGr()->count(), 6);
  QCOMPARE(s.w->cmbMonth()->currentText(), QString("4月"));
  QCOMPARE(s.w->panel(1)->text(), QString(" 2005 年度"));
  s.w->close();
}

void FileCommandTest::saveWithoutNameAsksForOneThenReusesIt() {
  Session s;
  s.startWithNewYear(1999);
  const std::string a = s.path("a.DAT");
  const QString title = s.w->windowTitle();

  s.files.choose(a);
  QTest::mouseClick(s.button(Command::Save), Qt::LeftButton);
  QCOMPARE(s.files.asked.size(), size_t(1));
  QVERIFY(s.files.asked[0].save);
  QCOMPARE(s.files.asked[0].title, std::string("ファイル名を付けて保存"));
  QCOMPARE(s.files.asked[0].filters.size(), size_t(3));
  QVERIFY(fileExists(a));
  QCOMPARE(s.app.F.CurFile, a);
  const std::string first = readBytes(a);
  QCOMPARE(s.w->windowTitle(), title);  // saving leaves the title alone

  // Save again: the same file is replaced without a dialog or a question.
  s.app.Y.JJText[0][4][1][0] = "入学式";
  s.msg.shown.clear();
  s.w->menuAction(Command::Save)->trigger();
  QCOMPARE(s.files.asked.size(), size_t(1));
  QVERIFY(s.msg.shown.empty());
  QVERIFY(readBytes(a) != first);

  // A new year, then Open brings the saved one back and names it in the title.
  s.msg.answers = {MsgResult::OK};
  s.w->menuAction(Command::New)->trigger();
  s.w->newYearWindow()->txtNendo()->setText("2003");
  QTest::mouseClick(s.w->newYearWindow()->cmdOK(), Qt::LeftButton);
  QCOMPARE(int(s.app.Y.nendo()), 2003);
  s.files.choose(a);
  QTest::mouseClick(s.button(Command::Open), Qt::LeftButton);
  QCOMPARE(s.files.asked.back().title, std::string("ファイルを開く"));
  QCOMPARE(int(s.app.Y.nendo()), 1999);
  QCOMPARE(s.app.Y.JJText[0][4][1][0], std::string("入学式"));
  QCOMPARE(s.w->windowTitle(), QString::fromStdString("TLY 授業時数集計 - " + a));
  QCOMPARE(s.w->panel(1)->text(), QString(" 1999 年度"));
  s.w->close();
}

void FileCommandTest::saveAsOntoAnExistingFileAsksFirst() {
  Session s;
  s.startWithNewYear(1999);
  const std::string b = s.path("b.DAT");
  test::writeBytes(b, "old");
  s.msg.shown.clear();
  s.files.choose(b);
  s.msg.answers = {MsgResult::No};
  s.w->menuAction(Command::NSave)->trigger();
  QVERIFY(s.msg.saw("同名のファイルが存在します。"));
  QCOMPARE(readBytes(b), std::string("old"));
  QVERIFY(s.app.F.CurFile.empty());

  s.files.choose(b);
  s.msg.answers = {MsgResult::Yes};
  s.w->menuAction(Command::NSave)->trigger();
  QVERIFY(readBytes(b) != "old");
  QCOMPARE(s.app.F.CurFile, b);
  s.w->close();
}

QTEST_MAIN(FileCommandTest)
#include "filecmd_test.moc"
