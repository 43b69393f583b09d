// The tally dialog on screen: it opens on the stored range, its boxes, spins and options
// reach the range, and 集計 lays the tally into the main grid and closes the dialog.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmmain/tallyview.h"
#include "support/fake_platform.h"
#include "support/years.h"
#include "ui/frmjisuu.h"

using namespace tly;

namespace {

// Types text into a box and moves the focus on with Tab.
void typeAndLeave(QLineEdit* box, const QString& text) {
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
  QTest::keyClicks(box, text);
  box->clearFocus();
}

// Clicks a radio button on its indicator (its middle may lie beyond its label).
void clickRadio(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

}  // namespace

class TallyJisuuTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    app_ = std::make_unique<App>();
    settings_ = test::MemorySettings{};
    settings_.values["TLY/Settings/JisuuLeft"] = "1500";
    app_->P.settings = &settings_;
    NewYearOptions o;
    o.nendo = 1999;
    o.grades = 3;
    o.periods = 6;
    runNewYearBuild(*app_, o);
    test::setDefaultItems(app_->Y);
    app_->Y.Fs.FsKikan = 1;
    app_->T.KFromMonth = 4;
    app_->T.KFromDay = 1;
    app_->T.KToMonth = 12;
    app_->T.KToDay = 7;
    mnuKei_Click(*app_);
  }

  void opensOnTheStoredRangeAndTallies() {
    QPointer<ui::frmJisuu> dlg = new ui::frmJisuu(*app_, nullptr);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg));
    QCOMPARE(dlg->windowTitle(), QStringLiteral("TLY - 集計"));
    QCOMPARE(dlg->txtStartMonth()->text(), QStringLiteral("4"));
    QCOMPARE(dlg->txtStartDay()->text(), QStringLiteral("1"));
    QCOMPARE(dlg->txtEndMonth()->text(), QStringLiteral("12"));
    QCOMPARE(dlg->txtEndDay()->text(), QStringLiteral("7"));
    QVERIFY(dlg->optSyukei(1)->isChecked());
    QVERIFY(dlg->txtEndDay()->isEnabled());
    QCOMPARE(dlg->x(), 1500 * dlg->logicalDpiX() / 1440);

    // The whole-year option switches the range controls off and back on.
    clickRadio(dlg->optSyukei(0));
    QVERIFY(!dlg->txtStartMonth()->isEnabled());
    QVERIFY(!dlg->spnEndDay()->isEnabled());
    QVERIFY(!app_->T.KikanSet);
    clickRadio(dlg->optSyukei(1));
    QVERIFY(dlg->txtStartMonth()->isEnabled());

    QSignalSpy tallied(dlg.data(), &ui::frmJisuu::tallied);
    QTest::mouseClick(dlg->cmdJisuuOk(), Qt::LeftButton);
    QCOMPARE(tallied.count(), 1);
    QTRY_VERIFY(dlg.isNull());  // closed and gone
    QCOMPARE(app_->Grid1.cols(), 7);
    QCOMPARE(app_->Grid1.rows(), 15);  // a range: no total row
    QCOMPARE(app_->T.DToMonth, 12);
    QCOMPARE(app_->T.DToDay, 7);
    QCOMPARE(app_->Y.Fs.FsKikan, int16_t(1));
    QVERIFY(settings_.values.count("TLY/Settings/JisuuTop"));
  }

  void boxesSpinsAndKeysEditTheRange() {
    ui::frmJisuu dlg(*app_, nullptr);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));

    typeAndLeave(dlg.txtEndMonth(), "13");
    QCOMPARE(app_->T.KToMonth, 12);
    typeAndLeave(dlg.txtStartDay(), "0");
    QCOMPARE(dlg.txtStartDay()->text(), QStringLiteral("1"));
    typeAndLeave(dlg.txtStartMonth(), "6");
    QCOMPARE(app_->T.KFromMonth, 6);
    typeAndLeave(dlg.txtStartDay(), "35");
    QCOMPARE(app_->T.KFromDay, 30);
    QCOMPARE(dlg.txtStartDay()->text(), QStringLiteral("30"));

    // Enter in the end month box stores it and moves on to the end day.
    dlg.txtEndMonth()->setFocus();
    dlg.txtEndMonth()->selectAll();
    QTest::keyClicks(dlg.txtEndMonth(), "5");
    QTest::keyClick(dlg.txtEndMonth(), Qt::Key_Return);
    QCOMPARE(app_->T.KToMonth, 5);
    QTRY_VERIFY(dlg.txtEndDay()->hasFocus());
    QTest::keyClick(dlg.txtEndDay(), Qt::Key_Up);
    QTRY_VERIFY(dlg.txtEndMonth()->hasFocus());

    // The end month spin cannot go below the start month (June): it snaps back, and
    // the end day follows the start day.
    QTest::mouseClick(dlg.spnEndMonth()->downButton(), Qt::LeftButton);
    QCOMPARE(app_->T.KToMonth, 6);
    QCOMPARE(dlg.txtEndMonth()->text(), QStringLiteral("6"));
    QCOMPARE(app_->T.KToDay, 30);
    QCOMPARE(dlg.txtEndDay()->text(), QStringLiteral("30"));
    // The start month spin pulls the end month along.
    QTest::mouseClick(dlg.spnStartMonth()->upButton(), Qt::LeftButton);
    QCOMPARE(app_->T.KFromMonth, 7);
    QCOMPARE(app_->T.KToMonth, 7);
    QCOMPARE(dlg.txtEndMonth()->text(), QStringLiteral("7"));
    QTest::mouseClick(dlg.spnStartDay()->upButton(), Qt::LeftButton);
    QCOMPARE(app_->T.KFromDay, 31);
    QTest::mouseClick(dlg.spnStartDay()->upButton(), Qt::LeftButton);
    QCOMPARE(app_->T.KFromDay, 31);  // July has 31 days
    dlg.close();
  }

 private:
  std::unique_ptr<App> app_;
  test::MemorySettings settings_;
};

QTEST_MAIN(TallyJisuuTest)
#include "tally_jisuu.moc"
