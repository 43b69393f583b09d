// The item dialog driven by real key presses and clicks on the offscreen platform.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "edit/edit_fixture.h"
#include "ui/frmjitem.h"

using tly::testing::EditFixture;

class EditJItemTest : public QObject {
  Q_OBJECT
 private:
  static QString listText(QListWidget* l, int i) { return l->item(i)->text(); }

 private slots:
  void enterAddsAndEnterOnTheButtonReturnsToTheBox() {
    EditFixture f;
    int acceptedCalls = 0;
    QPointer<tly::ui::frmJItem> w = new tly::ui::frmJItem(f.app, [&] { ++acceptedCalls; });
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(w->windowTitle(), QString("Form1"));
    QCOMPARE(w->lblJItem()->text(), QString::fromUtf8("項目数： 8"));
    QCOMPARE(w->lstJItem()->count(), 8);

    w->txtJItem()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(w->txtJItem(), "abc");
    QTest::keyClick(w->txtJItem(), Qt::Key_Return);
    QCOMPARE(w->lstJItem()->count(), 9);
    QCOMPARE(listText(w->lstJItem(), 8), QString("abc"));
    QCOMPARE(int(f.app.Y.JItemCount), 9);
    QVERIFY(w->cmdAdd()->hasFocus());
    QCOMPARE(w->lblJItem()->text(), QString::fromUtf8("項目数： 9"));
    // Enter again presses 追加 with an empty box: focus goes back to the box, no message.
    QTest::keyClick(w->cmdAdd(), Qt::Key_Return);
    QVERIFY(w->txtJItem()->hasFocus());
    QVERIFY(f.msg.shown.empty());

    // A duplicate is refused with its message.
    QTest::keyClicks(w->txtJItem(), "abc");
    QTest::keyClick(w->txtJItem(), Qt::Key_Return);
    QCOMPARE(w->lstJItem()->count(), 9);
    QCOMPARE(f.msg.shown.size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.msg.shown[0].text), QString::fromUtf8("同じ項目があります。"));

    // 削除 removes the last name even with the first selected; OK writes the names.
    w->lstJItem()->setCurrentRow(0);
    QTest::mouseClick(w->cmdDel(), Qt::LeftButton);
    QCOMPARE(w->lstJItem()->count(), 8);
    QCOMPARE(listText(w->lstJItem(), 0), QString::fromUtf8("行事"));
    w->txtJItem()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(w->txtJItem(), "xyz");
    QTest::mouseClick(w->cmdAdd(), Qt::LeftButton);
    QTest::mouseClick(w->cmdOK(), Qt::LeftButton);
    QCOMPARE(acceptedCalls, 1);
    QCOMPARE(QString::fromStdString(f.app.Y.JItem[8]), QString("xyz"));
    QCOMPARE(QString::fromStdString(f.app.Y.JItem[9]), QString("*"));
    QTRY_VERIFY(w.isNull());
    QCOMPARE(QString::fromStdString(f.settings.values["TLY/Settings/JItemLeft"]).isEmpty(), false);
  }

  void closeBoxActsAsCancel() {
    EditFixture f;
    QPointer<tly::ui::frmJItem> w = new tly::ui::frmJItem(f.app, {});
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::mouseClick(w->cmdDefJItem(), Qt::LeftButton);
    QTest::mouseClick(w->cmdDel(), Qt::LeftButton);
    QCOMPARE(int(f.app.Y.JItemCount), 7);
    w->close();
    QCOMPARE(int(f.app.Y.JItemCount), 8);
    QCOMPARE(QString::fromStdString(f.app.Y.JItem[7]), QString::fromUtf8("事前"));
  }
};

QTEST_MAIN(EditJItemTest)
#include "edit_jitem.moc"
