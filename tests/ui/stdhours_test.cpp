// The window "標準時数との比較": opened from the Tools menu, one class or the whole school,
// shortfalls in red, the grade of a name without a digit chosen and kept, targets edited
// in the table and read from a CSV file, and the table copied as tab-separated text.
// With TLY_SCREENSHOT_DIR set it also saves pictures of the window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include "session/windows/frmstdhours/standards.h"
#include "support/window_session.h"
#include "support/recording_printer.h"
#include "support/years.h"
#include "ui/frmstdhours.h"

using namespace tly;

class StdHoursTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testui::Session> s_;

  ui::frmStdHours* open() {
    s_->window().menuAction(Command::StdHours)->trigger();
    QApplication::processEvents();
    auto* f = s_->window().findChild<ui::frmStdHours*>();
    if (f) f->resize(900, 640);
    return f;
  }
  std::string stored(const char* key) { return s_->settings.get("TLY", "StandardHours", key, ""); }
  void shot(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("TLY_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w->grab().save(dir + "/" + name);
  }
  // Rows of the table whose subject column reads `subject`.
  static int rowOf(QTableWidget* t, const QString& subject) {
    for (int r = 0; r < t->rowCount(); ++r)
      if (t->item(r, 1) && t->item(r, 1)->text() == subject) return r;
    return -1;
  }

 private slots:
  void init() {
    s_ = std::make_unique<testui::Session>();
    SchoolYear& y = s_->app.Y;
    test::fillYear(y, {.nendo = 2024, .grades = 3, .periods = 6, .lessons = test::Lessons::SchoolWeek,
                       .defaultItems = true});
    test::fillSelectors(s_->app);
    s_->clock.date = {2024, 10, 31};
    const char* week[] = {"国", "数", "英", "理", "社", "保体"};
    for (const char* name : {"1年1組", "2-1", "すみれ"}) {
      test::addTimetable(s_->app, 0, name);
      auto& c = y.JW[0][y.timetableCount(0)].JWCell;
      for (int w = 1; w <= 5; ++w)
        for (int p = 1; p <= 6; ++p) c[w][p] = week[(w + p) % 6];
      c[3][6] = "道";
      c[5][6] = "学活";
      c[6][1] = "自習";
    }
    s_->window().show();
  }
  void cleanup() { s_.reset(); }

  void wholeSchoolThenOneClass() {
    QMenu* tools = s_->window().topMenu(Command::ToolMenu);
    QVERIFY(tools->actions().contains(s_->window().menuAction(Command::StdHours)));
    QVERIFY(s_->window().menuAction(Command::StdHours)->isEnabled());
    if (!qEnvironmentVariable("TLY_SCREENSHOT_DIR").isEmpty()) {
      tools->popup(s_->window().mapToGlobal(QPoint(200, 30)));
      QApplication::processEvents();
      shot(tools, "stdhours-menu.png");
      tools->hide();
    }
    ui::frmStdHours* f = open();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("標準時数との比較"));
    QCOMPARE(f->cmbSchool()->currentText(), QStringLiteral("中学校"));  // three grades
    QCOMPARE(f->dateTo()->date(), QDate(2024, 10, 31));
    QCOMPARE(static_cast<int>(f->report().size()), 3);
    QTableWidget* t = f->table();
    shot(f, "stdhours-school.png");

    // 美術 has no lesson in the timetables: a shortfall, in red.
    const int art = rowOf(t, QStringLiteral("美術"));
    QVERIFY(art >= 0);
    QCOMPARE(t->item(art, 6)->text(), QStringLiteral("-45"));
    QCOMPARE(t->item(art, 6)->foreground().color(), QColor(200, 0, 0));
    QVERIFY(rowOf(t, QStringLiteral("自習")) >= 0);  // matches nothing: its own row
    QVERIFY(rowOf(t, QStringLiteral("学年未設定（学級を選んで学年を設定してください）")) >= 0);

    f->copyToClipboard();
    QCOMPARE(s_->clipboard.content, reportClipboardText(f->report()));
    QVERIFY(s_->clipboard.content.find("1年1組\t1年\r\n教科\t標準時数") != std::string::npos);

    // One class: "すみれ" has no grade digit; the grade chosen is kept.
    f->cmbClass()->setCurrentIndex(3);
    f->refresh();
    QVERIFY(f->cmbGrade()->isEnabled());
    QCOMPARE(f->report().front().grade, 0);
    QTest::qWait(0);
    f->cmbGrade()->setCurrentIndex(2);
    emit f->cmbGrade()->activated(2);
    QCOMPARE(f->report().front().grade, 2);
    QCOMPARE(stored("ClassGrades"), std::string("すみれ\t2\n"));
    f->cmbClass()->setCurrentIndex(1);
    f->refresh();
    QVERIFY(!f->cmbGrade()->isEnabled());
    QCOMPARE(f->cmbGrade()->currentIndex(), 1);
    QVERIFY(t->isColumnHidden(0));
    shot(f, "stdhours-class.png");
  }

  // A year of four grades decides no school kind: the window asks once and keeps the answer.
  void asksTheSchoolKindOfAnUnusualGradeCount() {
    s_->app.Y.Ggn = 4;
    s_->msg.answers.push_back(MsgResult::No);
    ui::frmStdHours* f = open();
    QVERIFY(f);
    QCOMPARE(static_cast<int>(s_->msg.shown.size()), 1);
    QCOMPARE(f->cmbSchool()->currentText(), QStringLiteral("中学校"));
    QCOMPARE(stored("School"), std::string("中学校"));
    f->close();
    QApplication::processEvents();
    QVERIFY(open());
    QCOMPARE(static_cast<int>(s_->msg.shown.size()), 1);
  }

  void targetsFromTheTableAndFromAFile() {
    ui::frmStdHours* f = open();
    QVERIFY(f);
    f->cmbClass()->setCurrentIndex(1);
    f->refresh();
    QTableWidget* t = f->table();
    const int row = rowOf(t, QStringLiteral("国語"));
    QCOMPARE(t->item(row, 2)->text(), QStringLiteral("140"));
    t->item(row, 2)->setText(QStringLiteral("150"));  // as the cell editor commits it
    QApplication::processEvents();
    QCOMPARE(f->report().front().rows.front().standard, 150);
    QVERIFY(stored("Targets").find("中学校,1,国語,150") != std::string::npos);

    // A damaged file changes nothing and says why; a good one replaces the targets.
    const std::string bad = s_->path("bad.csv"), good = s_->path("good.csv");
    test::writeBytes(bad, "中学校,1,国語,たくさん\n");
    test::writeBytes(good, "校種,学年,教科,時数\n中学校,1,国語,120\n");
    s_->files.choose(bad);
    f->importTargets();
    QCOMPARE(static_cast<int>(s_->msg.shown.size()), 1);
    QVERIFY(s_->msg.shown.back().text.find("1 行目") != std::string::npos);
    QCOMPARE(f->report().front().rows.front().standard, 150);
    s_->files.choose(good);
    f->importTargets();
    QCOMPARE(f->report().front().rows.front().standard, 120);

    const std::string out = s_->path("out.csv");
    s_->files.choose(out);
    f->exportTargets();
    QCOMPARE(test::readBytes(out), std::string("\xEF\xBB\xBF校種,学年,教科,時数\r\n中学校,1,国語,120\r\n"));
  }

  // 印刷, プレビュー and PDF保存 print the report shown as one document; the workbook's
  // sheets go as CSV files into a chosen folder.
  void printsAndWritesCsv() {
    test::RecordingPrinters printers;
    s_->app.P.printer = &printers;
    ui::frmStdHours* f = open();
    QVERIFY(f);
    for (const char* name : {"cmdPrint", "cmdPreview", "cmdPdf", "cmdCsv"}) QVERIFY(f->findChild<QPushButton*>(name));
    f->findChild<QPushButton*>("cmdPrint")->click();
    QCOMPARE(static_cast<int>(printers.done.size()), 1);
    const auto& doc = printers.done.back();
    QCOMPARE(doc.documents, 1);
    QCOMPARE(doc.ended, 1);
    QCOMPARE(static_cast<int>(doc.pages.size()), 3);  // one page per class
    QVERIFY(doc.pages[0].texts[0].s.find("1年1組") != std::string::npos);
    bool marked = false;
    for (const auto& t : doc.pages[0].texts) marked |= t.s == "▲45" && t.font.bold;  // 美術
    QVERIFY(marked);

    const std::string pdf = s_->path("report");
    s_->files.choose(pdf);
    f->pdfReport();
    QCOMPARE(printers.lastPdf, pdf + ".pdf");
    QCOMPARE(static_cast<int>(printers.done.size()), 2);
    QCOMPARE(printers.done.back().ended, 1);

    QDialog* pv = f->previewReport();
    QVERIFY(pv);
    QApplication::processEvents();
    shot(pv, "stdhours-preview.png");
    pv->close();

    const std::string dir = s_->path("csv");
    s_->files.choose(dir);
    f->cmbClass()->setCurrentIndex(1);  // the CSV files are the whole school's all the same
    f->exportCsv();
    QVERIFY(s_->files.asked.back().folder);
    const std::string first = test::readBytes(dir + "/01_標準時数との比較.csv");
    QVERIFY(first.find("すみれ") != std::string::npos);
    QVERIFY(s_->msg.shown.empty());
  }
};

QTEST_MAIN(StdHoursTest)
#include "stdhours_test.moc"
