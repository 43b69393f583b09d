#include <gtest/gtest.h>

#include "session/windows/frmcolwidth/colwidth.h"
#include "session/windows/frmprint/printdialog.h"
#include "session/output/printrun.h"
#include "session/windows/frmmain/tally.h"
#include "support/fake_platform.h"
#include "support/recording_printer.h"
#include "support/years.h"

namespace tly {
namespace {

using test::RecordingPrinter;

// A school-week year of `grades` grades at April 1999, grade 1, with a fake platform.
struct PrintFixture : ::testing::Test {
  test::FakePlatform fakes;
  std::unique_ptr<App> app = test::makeYearApp(1999, 3, 6);
  RecordingPrinter dev;
  void SetUp() override {
    fakes.install(*app);
    test::fillSelectors(*app);
    test::showMonth(*app, 1, 4);
  }
  std::vector<std::string> titles() const {
    std::vector<std::string> t;
    for (const auto& p : dev.pages)
      if (!p.texts.empty() && p.texts.front().y == 0) t.push_back(p.texts.front().s);
    return t;
  }
};

TEST_F(PrintFixture, SchedulesInGradeMonthCopyOrderWithTheYearKeptInStep) {
  PrintParams p;
  p.grade = PrintParams::kAllGrades;
  p.copies = 2;
  p.fromMonth = 11;
  p.toMonth = 2;
  // The weekday letter of day 1 as each page set shows it: 1 January 2000 is a Saturday.
  std::vector<std::string> day1;
  PrintHooks h;
  h.progress = [&](const std::string& s) { day1.push_back(s + ":" + app->Grid1.text(1, 1)); };
  app->S.CurMonth = 6;
  app->S.CurYear = 1999;
  ASSERT_EQ(runPrintJob(*app, dev, p, h), PrintOutcome::Printed);
  ASSERT_EQ(dev.pages.size(), 3u * 4u * 2u);
  const std::vector<std::string> t = titles();
  ASSERT_EQ(t.size(), 24u);
  EXPECT_EQ(t[0], " 1999 年度  1年  11月");
  EXPECT_EQ(t[1], t[0]);
  EXPECT_EQ(t[4], " 1999 年度  1年  1月");
  EXPECT_EQ(t[8], " 1999 年度  2年  11月");
  EXPECT_EQ(t[23], " 1999 年度  3年  2月");
  EXPECT_EQ(day1[4], "1年 1月予定表印刷中:土");
  EXPECT_EQ(day1[8], "2年 11月予定表印刷中:月");  // 1 November 1999, back in 1999
  EXPECT_EQ(dev.documents, 1);
  EXPECT_EQ(dev.ended, 1);
  // The shown grade, month and year come back; the cursor goes to row 1, column 2.
  EXPECT_EQ(app->S.CurGr, 1);
  EXPECT_EQ(app->S.CurMonth, 6);
  EXPECT_EQ(app->S.CurYear, 1999);
  EXPECT_EQ(app->W.cmbMonth.text, "6月");
  EXPECT_EQ(app->Grid1.Row, 1);
  EXPECT_EQ(app->Grid1.Col, 2);
}

TEST_F(PrintFixture, MonthRanges) {
  EXPECT_EQ(printMonths(4, 3), (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}));
  EXPECT_EQ(printMonths(7, 7), (std::vector<int>{7}));
  EXPECT_TRUE(printMonths(13, 3).empty());
  // One schedule page for each month of the shown grade; the last row is the last day.
  PrintParams p;
  p.fromMonth = p.toMonth = 2;
  ASSERT_EQ(runPrintJob(*app, dev, p), PrintOutcome::Printed);
  ASSERT_EQ(titles(), (std::vector<std::string>{" 1999 年度  1年  2月"}));
  EXPECT_EQ(dev.pages[0].rects.size(), 30u * 10u);  // header and 29 days (2000 is a leap year)
  // A month outside 1..12 prints nothing and says so.
  p.fromMonth = 13;
  EXPECT_EQ(runPrintJob(*app, dev, p), PrintOutcome::Failed);
  EXPECT_TRUE(fakes.msg.saw("1～12"));
  EXPECT_EQ(dev.documents, 1);
}

TEST_F(PrintFixture, TallyTablesOneGradeAfterAnother) {
  app->V.tally = true;
  app->T.KikanSet = true;
  app->T.KFromMonth = 4;
  app->T.KFromDay = 1;
  app->T.KToMonth = 7;
  app->T.KToDay = 20;
  DispJisuu(*app);
  const Grid before = app->Grid1;
  PrintParams p;
  p.grade = PrintParams::kAllGrades;
  ASSERT_EQ(runPrintJob(*app, dev, p), PrintOutcome::Printed);
  EXPECT_EQ(titles(), (std::vector<std::string>{" 1999 年度  1年 授業時数集計表   4 月 1 日 ～ 7 月 20 日",
                                                " 1999 年度  2年 授業時数集計表   4 月 1 日 ～ 7 月 20 日",
                                                " 1999 年度  3年 授業時数集計表   4 月 1 日 ～ 7 月 20 日"}));
  EXPECT_EQ(app->Grid1.rows(), before.rows());
  EXPECT_EQ(app->Grid1.text(1, 1), before.text(1, 1));
}

TEST_F(PrintFixture, TimetableTallyIsCountedForTheRun) {
  test::addTimetable(*app, 0, "1年1組");
  app->Y.JW[0][1].JWCell[1][1] = "国語";  // Monday period 1
  app->V.timetableMode = true;           // the grid still shows the month
  app->S.JWMode = JWModeKind::Class;
  app->S.JWNo = 1;
  PrintParams p;
  p.copies = 2;
  ASSERT_EQ(runPrintJob(*app, dev, p), PrintOutcome::Printed);
  EXPECT_EQ(titles(), (std::vector<std::string>{" 1999 年度  1年1組 授業時数集計表 4 月 1 日 ～ 3 月 31 日",
                                                " 1999 年度  1年1組 授業時数集計表 4 月 1 日 ～ 3 月 31 日"}));
  const auto all = dev.allTexts();
  EXPECT_NE(std::find(all.begin(), all.end(), "国語"), all.end());
  EXPECT_EQ(app->Grid1.text(0, 2), "行　事");  // the month is shown again
}

TEST_F(PrintFixture, FailureAndAbortDropTheDocumentAndRestoreTheWindow) {
  PrintParams p;
  p.grade = PrintParams::kAllGrades;
  dev.failAtPage = 3;
  EXPECT_EQ(runPrintJob(*app, dev, p), PrintOutcome::Failed);
  EXPECT_TRUE(fakes.msg.saw("プリンタがありません"));
  EXPECT_EQ(dev.aborted, 1);
  EXPECT_EQ(dev.ended, 0);
  EXPECT_EQ(app->S.CurMonth, 4);
  EXPECT_EQ(app->S.CurGr, 1);
  EXPECT_EQ(app->W.cmbMonth.text, "4月");

  RecordingPrinter second;
  int sets = 0;
  PrintHooks h;
  h.abortRequested = [&] { return ++sets > 2; };
  EXPECT_EQ(runPrintJob(*app, second, p, h), PrintOutcome::Aborted);
  EXPECT_EQ(second.pages.size(), 2u);
  EXPECT_EQ(second.aborted, 1);
  EXPECT_EQ(app->S.CurYear, 1999);
}

TEST_F(PrintFixture, DialogLoadReplacesSavedValuesOutOfRange) {
  FileSettings& fs = app->Y.Fs;
  app->S.CurMonth = 6;
  fs.FsPrnFromMonth = 0;
  fs.FsPrnToMonth = 5;
  fs.FsPrnTop = 250;
  fs.FsPrnLeft = 15;
  fs.FsPrnCopies = 0;
  fs.FsPrnFontSize = 0;
  PrintDialog d;
  PrintForm_Load(*app, d);
  EXPECT_EQ(d.txtPrintSelStart, "6");  // first month 0: the month shown
  EXPECT_EQ(d.txtPrintSelEnd, "6");    // 5 lies before June in school order
  EXPECT_EQ(d.spbPrintSelEnd.value, 3);
  EXPECT_EQ(d.box(PrintBox::Top), "0");
  EXPECT_EQ(d.box(PrintBox::Left), "15");
  EXPECT_EQ(d.box(PrintBox::Copies), "1");
  EXPECT_EQ(d.titleFont.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(d.titleFont.size, 14.0f);
  EXPECT_EQ(d.cmbGra, (std::vector<std::string>{"表示中の学年", "１年", "２年", "３年", "全学年"}));
  EXPECT_TRUE(d.rangeGroupEnabled && d.cmbGraEnabled);

  fs.FsPrnFromMonth = 9;
  fs.FsPrnToMonth = 5;
  PrintForm_Load(*app, d);
  EXPECT_EQ(d.txtPrintSelEnd, "9");

  app->V.tally = true;
  PrintForm_Load(*app, d);
  EXPECT_FALSE(d.rangeGroupEnabled);
  EXPECT_TRUE(d.cmbGraEnabled);
  app->V.tally = false;
  app->V.timetableMode = true;
  PrintForm_Load(*app, d);
  EXPECT_FALSE(d.rangeGroupEnabled);
  EXPECT_FALSE(d.cmbGraEnabled);
  app->V.timetableMode = false;
  app->V.timetable = TimetableView::Teacher;
  PrintForm_Load(*app, d);
  PrintForm_Activate(*app, d);
  EXPECT_FALSE(d.cmbGraEnabled);
}

TEST_F(PrintFixture, DialogSpinsTextsAndSavedValues) {
  PrintDialog d;
  PrintForm_Load(*app, d);
  d.spin(PrintBox::Top).value = 12;
  printSpin_Change(d, PrintBox::Top);
  EXPECT_EQ(d.box(PrintBox::Top), "12");
  d.box(PrintBox::Top) = "250";  // beyond the spin: the spin stays, the text is used
  printBox_Leave(d, PrintBox::Top);
  EXPECT_EQ(d.spin(PrintBox::Top).value, 12);
  d.box(PrintBox::Copies) = "3.7";
  printBox_Leave(d, PrintBox::Copies);
  EXPECT_EQ(d.spin(PrintBox::Copies).value, 3);

  // The end month moves with the start and never goes before it.
  d.spbPrintSelStart.value = 8;  // November
  spbPrintSelStart_Change(d);
  EXPECT_EQ(d.txtPrintSelStart, "11");
  EXPECT_EQ(d.txtPrintSelEnd, "11");
  d.spbPrintSelEnd.value = 7;
  spbPrintSelEnd_Change(d);
  EXPECT_EQ(d.spbPrintSelEnd.value, 8);
  d.txtPrintSelEnd = "2";
  txtPrintSelEnd_Leave(d);
  EXPECT_EQ(d.spbPrintSelEnd.value, 11);

  optPrintAll_Click(d, false);
  EXPECT_TRUE(d.monthsEnabled);
  d.cmbGraIndex = 4;
  fakes.fonts.answers.push_back(FontInfo{"ＭＳ Ｐ明朝", 20, true, false, false});
  cmdTitleFont_Click(*app, d);
  const PrintParams p = printParamsOf(d);
  EXPECT_EQ(p.top, 250);
  EXPECT_EQ(p.copies, 3);
  EXPECT_EQ(p.fromMonth, 11);
  EXPECT_EQ(p.toMonth, 2);
  EXPECT_EQ(p.grade, PrintParams::kAllGrades);
  EXPECT_EQ(p.titleFont.size, 20.0f);

  d.left = 3000;
  PrintForm_Unload(*app, d);
  const FileSettings& fs = app->Y.Fs;
  EXPECT_EQ(fs.FsPrnTop, 250);
  EXPECT_EQ(fs.FsPrnCopies, 3);
  EXPECT_EQ(fs.FsPrnAll, 0);
  EXPECT_EQ(fs.FsPrnToMonth, 2);
  EXPECT_EQ(fs.FsPrnFontName, "ＭＳ Ｐ明朝");
  EXPECT_EQ(fs.FsPrnFontBold, -1);
  EXPECT_EQ(fakes.settings.stored("PrtLeft"), "3000");
}

TEST_F(PrintFixture, ColumnWidthsInMillimetres) {
  Grid& g = app->Grid1;
  ColWidthDialog d;
  ColWidthForm_Load(*app, d);
  g.setCurrent(1, 3);
  ColWidthForm_Activate(*app, d);
  EXPECT_EQ(d.txtColWidth, "10");  // 560 twips
  g.ColSel = 8;
  d.txtColWidth = "12";
  ColWidth_cmdOK_Click(*app, d);
  for (int c = 3; c <= 8; ++c) EXPECT_EQ(g.colWidth(c), 680);
  EXPECT_EQ(g.colWidth(9), 2688);
  EXPECT_EQ(mmToWidth(10), 567);
  // A selection dragged leftwards changes nothing; text that is no number gives 0.
  g.setCurrent(1, 5);
  g.ColSel = 3;
  d.txtColWidth = "30";
  ColWidth_cmdOK_Click(*app, d);
  EXPECT_EQ(g.colWidth(4), 680);
  g.ColSel = 5;
  d.txtColWidth = "abc";
  ColWidth_cmdOK_Click(*app, d);
  EXPECT_EQ(g.colWidth(5), 0);
  ColWidth_cmdCancel_Click(*app, d);
  EXPECT_EQ(g.colWidth(5), 560);

  // 規定値 without a printer: "月" counts as 224 twips, the widths of a new grid.
  for (int c = 0; c < g.cols(); ++c) g.setColWidth(c, 100);
  EXPECT_TRUE(ColWidth_cmdDefColWidth_Click(*app, d, nullptr));
  for (int c = 0; c < g.cols(); ++c) EXPECT_EQ(g.colWidth(c), defaultMonthColWidth(c, g.cols())) << c;
  RecordingPrinter measure;  // a 9-point "月" 180 wide, "日" 216 high
  ColWidth_cmdDefColWidth_Click(*app, d, &measure);
  EXPECT_EQ(g.colWidth(2), 1728);
  EXPECT_EQ(g.rowHeight(0), 259);
  EXPECT_EQ(g.rowHeight(30), 259);
  app->V.tally = true;
  EXPECT_FALSE(ColWidth_cmdDefColWidth_Click(*app, d, nullptr));
  EXPECT_FALSE(dragColumnWidth(*app, 2, 3000));
  app->V.tally = false;
  // Dragging a border gives whole millimetres, as the dialog would.
  EXPECT_TRUE(dragColumnWidth(*app, 2, 3000));
  EXPECT_EQ(g.colWidth(2), 3005);  // 53 mm

  d.windowState = 2;
  ColWidthForm_Unload(*app, d);
  EXPECT_EQ(fakes.settings.stored("SetColWidthLeft"), "<none>");
}

TEST_F(PrintFixture, FontCommandSizesTheRows) {
  app->Grid1.setCurrent(5, 4);
  fakes.fonts.answers.push_back(FontInfo{"ＭＳ Ｐゴシック", 12});
  mnuFont_Click(*app);
  EXPECT_EQ(app->Grid1.Font.name, "ＭＳ Ｐゴシック");
  for (int r = 0; r < app->Grid1.rows(); ++r) EXPECT_EQ(app->Grid1.rowHeight(r), 264);
  EXPECT_EQ(app->Grid1.Row, 5);
  mnuFont_Click(*app);  // cancelled
  EXPECT_EQ(app->Grid1.Font.size, 12.0f);
}

}  // namespace
}  // namespace tly
