// The file and help keys of the main window, pressed as real key events: each runs its
// menu entry's handler, and a command the window state disables does not run by its key.
#include <QMenu>
#include <QTest>

#include "session/windows/frmmain/lifecycle.h"
#include "support/window_session.h"
#include "ui/frmmain_jw.h"
#include "ui/frmmain_print.h"
#include "ui/frmprint.h"
#include "ui/gridview.h"

using namespace tly;
using namespace tly::testui;

namespace {

// What a key is seen to have done.
enum class Effect { SavedOverFile, OpenDialog, SaveAsDialog, PrintDialog, NewYearQuestion, HelpWindow, Closed };

void pressOnGrid(Session& s, const QKeySequence& keys) {
  s.w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(s.w.get()));
  s.w->grid()->setFocus();
  QApplication::processEvents();
  QTest::keySequence(s.w->grid(), keys);
  QApplication::processEvents();
}

}  // namespace

class ShortcutTest : public QObject {
  Q_OBJECT
 private slots:
  void keyRunsItsCommand_data();
  void keyRunsItsCommand();
  void disabledCommandIgnoresItsKey_data();
  void disabledCommandIgnoresItsKey();
};

void ShortcutTest::keyRunsItsCommand_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<int>("command");
  QTest::addColumn<int>("effect");
  QTest::newRow("Ctrl+S saves over the open file") << "Ctrl+S" << int(Command::Save) << int(Effect::SavedOverFile);
  QTest::newRow("Ctrl+O asks for a file") << "Ctrl+O" << int(Command::Open) << int(Effect::OpenDialog);
  QTest::newRow("Ctrl+Shift+S asks for a name") << "Ctrl+Shift+S" << int(Command::NSave) << int(Effect::SaveAsDialog);
  QTest::newRow("Ctrl+P opens the print dialog") << "Ctrl+P" << int(Command::Print) << int(Effect::PrintDialog);
  QTest::newRow("Ctrl+N asks before a new year") << "Ctrl+N" << int(Command::New) << int(Effect::NewYearQuestion);
  QTest::newRow("F1 opens the help") << "F1" << int(Command::Help) << int(Effect::HelpWindow);
  QTest::newRow("Ctrl+Q ends the program") << "Ctrl+Q" << int(Command::End) << int(Effect::Closed);
}

void ShortcutTest::keyRunsItsCommand() {
  QFETCH(QString, keys);
  QFETCH(int, command);
  QFETCH(int, effect);
  Session s;
  s.startWithNewYear(1999);
  // The menu entry shows its key as Qt writes it.
  QCOMPARE(s.w->menuAction(Command(command))->shortcut(), QKeySequence(keys));
  const std::string file = s.path("named.DAT");
  s.files.choose(file);
  s.w->menuAction(Command::NSave)->trigger();
  QCOMPARE(s.app.F.CurFile, file);
  const std::string before = readBytes(file);
  s.app.Y.JJText[0][4][2][0] = "遠足";
  const size_t dialogs = s.files.asked.size();
  s.msg.shown.clear();
  s.msg.answers = {MsgResult::Cancel};

  pressOnGrid(s, QKeySequence(keys));

  switch (Effect(effect)) {
    case Effect::SavedOverFile:
      QVERIFY(readBytes(file) != before);
      QCOMPARE(s.files.asked.size(), dialogs);
      break;
    case Effect::OpenDialog:
    case Effect::SaveAsDialog:
      QCOMPARE(s.files.asked.size(), dialogs + 1);
      QCOMPARE(s.files.asked.back().save, Effect(effect) == Effect::SaveAsDialog);
      QCOMPARE(readBytes(file), before);
      break;
    case Effect::PrintDialog: {
      ui::frmPrint* d = ui::mainPrinting(*s.w)->printDialog();
      QVERIFY(d && d->isVisible());
      break;
    }
    case Effect::NewYearQuestion:
      QVERIFY(s.msg.saw("現在編集中のデータは失われます。"));
      QVERIFY(!s.w->newYearWindow() || !s.w->newYearWindow()->isVisible());
      break;
    case Effect::HelpWindow:
      QVERIFY(s.w->helpWindow() && s.w->helpWindow()->isVisible());
      break;
    case Effect::Closed:
      QVERIFY(s.w->unloaded());
      QVERIFY(fileExists(s.path("JJTEMP3.DAT")));
      break;
  }
  if (!s.w->unloaded()) s.w->close();
}

void ShortcutTest::disabledCommandIgnoresItsKey_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<int>("command");
  QTest::newRow("Ctrl+S") << "Ctrl+S" << int(Command::Save);
  QTest::newRow("Ctrl+O") << "Ctrl+O" << int(Command::Open);
  QTest::newRow("Ctrl+Shift+S") << "Ctrl+Shift+S" << int(Command::NSave);
  QTest::newRow("Ctrl+N") << "Ctrl+N" << int(Command::New);
  QTest::newRow("Ctrl+Q") << "Ctrl+Q" << int(Command::End);
}

void ShortcutTest::disabledCommandIgnoresItsKey() {
  QFETCH(QString, keys);
  QFETCH(int, command);
  Session s;
  s.startWithNewYear(1999);
  const std::string file = s.path("named.DAT");
  s.files.choose(file);
  s.w->menuAction(Command::NSave)->trigger();
  const std::string before = readBytes(file);
  s.app.Y.JJText[0][4][2][0] = "遠足";
  // The timetable window disables the file commands while it is open.
  QTest::mouseClick(s.button(Command::Jikanwari), Qt::LeftButton);
  QVERIFY(ui::timetableWindow(*s.w));
  QVERIFY(!s.w->menuAction(Command(command))->isEnabled());
  const size_t dialogs = s.files.asked.size();
  s.msg.shown.clear();

  pressOnGrid(s, QKeySequence(keys));

  QCOMPARE(readBytes(file), before);
  QCOMPARE(s.files.asked.size(), dialogs);
  QVERIFY(s.msg.shown.empty());
  QVERIFY(!s.w->unloaded());
  QVERIFY(s.w->isVisible());
  s.w->close();
}

QTEST_MAIN(ShortcutTest)
#include "shortcuts_test.moc"
