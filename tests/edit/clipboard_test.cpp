#include <gtest/gtest.h>

#include <string>

#include "session/windows/history.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "edit/edit_fixture.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using testing::EditFixture;

// A copy of the shown month of every grade, to compare whole states.
struct MonthSnapshot {
  int16_t jj[kGrades][kDaySlots][kPeriodSlots];
  std::string text[kGrades][kDaySlots][kTextKinds];
  MonthSnapshot(const App& app, int m) {
    for (int g = 0; g < kGrades; ++g)
      for (int d = 0; d < kDaySlots; ++d) {
        for (int p = 0; p < kPeriodSlots; ++p) jj[g][d][p] = app.Y.JJ[g][m][d][p];
        for (int k = 0; k < kTextKinds; ++k) text[g][d][k] = app.Y.JJText[g][m][d][k];
      }
  }
  bool operator==(const MonthSnapshot& o) const {
    for (int g = 0; g < kGrades; ++g)
      for (int d = 0; d < kDaySlots; ++d) {
        for (int p = 0; p < kPeriodSlots; ++p)
          if (jj[g][d][p] != o.jj[g][d][p]) return false;
        for (int k = 0; k < kTextKinds; ++k)
          if (text[g][d][k] != o.text[g][d][k]) return false;
      }
    return true;
  }
};

TEST(Clipboard, CopyOfTheExampleBlockIsByteExactAndPastesBack) {
  EditFixture f;
  App& app = f.app;
  f.cell(1, 3, 1) = 23;
  f.cell(1, 3, 2) = -5;
  f.cell(1, 4, 1) = 0;
  f.cell(1, 4, 2) = 24;
  DispJJ(app, 1999, 5);
  f.select(3, 3, 4, 4);
  ASSERT_TRUE(mnuCopy_Click(app));
  const std::string expected =
      "\xE6\x9C\x88 3\t\xE9\x81\x93\xE5\xBE\xB3\r\n"  // 月 3 TAB 道徳 CR LF
      "\xEF\xBC\x8F\t\xE6\x9C\x88 4\r\n";             // ／ TAB 月 4 CR LF
  EXPECT_EQ(f.clipboard.content, expected);
  EXPECT_EQ(f.clipboard.clears, 1);
  EXPECT_FALSE(app.H.canUndo());  // a copy changes nothing: no step

  // Pasted at another day's period 1: the same four codes.
  app.Grid1.setCurrent(20, 3);
  ASSERT_TRUE(mnuPaste_Click(app));
  EXPECT_EQ(f.cell(1, 20, 1), 23);
  EXPECT_EQ(f.cell(1, 20, 2), -5);
  EXPECT_EQ(f.cell(1, 21, 1), 0);
  EXPECT_EQ(f.cell(1, 21, 2), 24);
  EXPECT_EQ(f.cell(1, 22, 1), 10 * EditFixture::weekday(5, 22) + 1);  // nothing beyond the block
}

TEST(Clipboard, CopyModeCopiesWhatTheGridShows) {
  EditFixture f;
  App& app = f.app;
  f.text(1, 3, 0) = "運動会";
  f.cell(1, 3, 1) = 23;
  testing::setView(app, Command::UDisp, true);  // the grid blanks lessons that follow the timetable
  f.cell(1, 3, 2) = 10 * EditFixture::weekday(5, 3) + 2;
  DispJJ(app, 1999, 5);
  f.select(3, 2, 3, 4);
  mnuCopy_Click(app);
  EXPECT_EQ(f.clipboard.content, "運動会\t月 3\t月 2\r\n");
  mnuCopyMode_Click(app);
  EXPECT_TRUE(mainControls(app).checked(Command::CopyMode));
  EXPECT_TRUE(mainControls(app).checked(Command::PopupCopyMode));
  mnuCopy_Click(app);
  EXPECT_EQ(f.clipboard.content, "運動会\t" + app.Grid1.text(3, 3) + "\t\r\n");
}

TEST(Clipboard, CopyAllTakesEveryCellTrimmed) {
  EditFixture f;
  App& app = f.app;
  ASSERT_TRUE(mnuCopyAll_Click(app));
  const std::string& t = f.clipboard.content;
  EXPECT_EQ(t.substr(0, t.find("\r\n")), "日\t曜\t行　事\t1\t2\t3\t4\t5\t6\t備　考");
  size_t lines = 0;
  for (size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 2)) ++lines;
  EXPECT_EQ(lines, 32u);
  // Day 1 (Saturday, no lesson in the plain form has no leading blank once trimmed).
  std::string day1 = t.substr(t.find("\r\n") + 2);
  day1 = day1.substr(0, day1.find("\r\n"));
  EXPECT_EQ(day1.substr(0, day1.find('\t', day1.find('\t') + 1)), "1\t土");
}

TEST(Clipboard, CutDeleteAndTheWholeColumnRefusal) {
  EditFixture f;
  App& app = f.app;
  f.text(1, 8, 0) = "避難訓練";
  DispJJ(app, 1999, 5);
  f.select(8, 2, 9, 3);
  EXPECT_FALSE(mnuCut_Click(app));  // cut leaves the focus where it is
  EXPECT_EQ(f.clipboard.content.substr(0, std::string("避難訓練\t").size()), "避難訓練\t");
  EXPECT_EQ(f.text(1, 8, 0), "");
  EXPECT_EQ(f.cell(1, 8, 1), 0);
  EXPECT_EQ(f.cell(1, 9, 1), 0);
  EXPECT_NE(f.cell(1, 9, 2), 0);

  // Delete in edit-all mode clears the same cells of every grade; the clipboard stays.
  f.setEditAll(true);
  std::string clip = f.clipboard.content;
  f.select(10, 5, 11, 6);
  EXPECT_TRUE(mnuDel_Click(app));
  for (int g = 1; g <= 3; ++g) {
    EXPECT_EQ(f.cell(g, 10, 3), 0);
    EXPECT_EQ(f.cell(g, 11, 4), 0);
  }
  EXPECT_EQ(f.clipboard.content, clip);

  // Row 1 to 31 is refused by copy, cut and delete; in a 30-day month it is accepted.
  f.select(1, 4, 31, 4);
  int16_t before = f.cell(1, 15, 2);
  EXPECT_FALSE(mnuCopy_Click(app));
  EXPECT_FALSE(mnuCut_Click(app));
  EXPECT_FALSE(mnuDel_Click(app));
  EXPECT_EQ(f.msg.shown.size(), 3u);
  EXPECT_EQ(f.msg.shown[0].text, "この範囲指定はできません。");
  EXPECT_EQ(f.msg.shown[0].title, "TLY");
  EXPECT_EQ(f.cell(1, 15, 2), before);
  app.S.CurMonth = 6;
  DispJJ(app, 1999, 6);
  f.select(1, 4, 30, 4);
  EXPECT_TRUE(mnuDel_Click(app));
  EXPECT_EQ(f.cell(1, 30, 2), 0);

  // Delete in the tally view is refused with its own message.
  testing::setView(app, Command::Kei, true);
  EXPECT_FALSE(mnuDel_Click(app));
  EXPECT_EQ(f.msg.shown.back().text, "削除できません。");
}

TEST(Clipboard, PasteFillsTheSelectionAndKeepsLessonsForEmptyFields) {
  EditFixture f;
  App& app = f.app;
  f.clipboard.content = "道徳\r\n";
  f.select(5, 3, 9, 6);  // 5 days x 4 periods
  ASSERT_TRUE(mnuPaste_Click(app));
  for (int d = 5; d <= 9; ++d)
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(f.cell(1, d, p), -5);
  EXPECT_EQ(f.cell(1, 9, 5), 10 * EditFixture::weekday(5, 9) + 5);
  EXPECT_EQ(app.Grid1.Row, 9);
  EXPECT_EQ(app.Grid1.Col, 6);

  // A single ／ clears; an empty field keeps the lesson but clears a day text.
  f.clipboard.content = "／\r\n";
  app.Grid1.setCurrent(12, 3);
  mnuPaste_Click(app);
  EXPECT_EQ(f.cell(1, 12, 1), 0);
  f.text(1, 13, 0) = "参観日";
  f.clipboard.content = "\t\r\n";
  app.Grid1.setCurrent(13, 2);
  mnuPaste_Click(app);
  EXPECT_EQ(f.text(1, 13, 0), "");
  EXPECT_EQ(f.cell(1, 13, 1), 10 * EditFixture::weekday(5, 13) + 1);
}

TEST(Clipboard, PasteRefusalsAndTextWithoutLineBreak) {
  EditFixture f;
  App& app = f.app;
  f.clipboard.content = "";
  EXPECT_FALSE(mnuPaste_Click(app));
  EXPECT_EQ(f.msg.shown.back().text, "貼り付けるデータがありません。");
  EXPECT_FALSE(app.H.canUndo());

  // Three columns do not fit from the last period column (room: periods 6 and remarks).
  f.clipboard.content = "a\tb\tc\r\n";
  app.Grid1.setCurrent(3, 8);
  EXPECT_FALSE(mnuPaste_Click(app));
  EXPECT_EQ(f.msg.shown.back().text, "貼り付け開始位置が不適当です。");
  // Two lines do not fit on the last day.
  f.clipboard.content = "x\r\ny\r\n";
  app.Grid1.setCurrent(31, 2);
  EXPECT_FALSE(mnuPaste_Click(app));
  EXPECT_EQ(f.msg.shown.size(), 3u);

  // No line break at all: nothing is pasted, and no step is kept for it.
  MonthSnapshot before(app, 5);
  f.clipboard.content = "道徳\t道徳";
  app.Grid1.setCurrent(3, 3);
  EXPECT_TRUE(mnuPaste_Click(app));
  EXPECT_TRUE(MonthSnapshot(app, 5) == before);
  EXPECT_FALSE(app.H.canUndo());
}

// Other programs end clipboard lines with LF alone (or CR alone); those paste as CR LF does.
TEST(Clipboard, LinesEndedByLfOrCrPasteLikeCrLf) {
  const char* const texts[] = {"道徳\t／\r\n道徳\t／\r\n", "道徳\t／\n道徳\t／\n", "道徳\t／\r道徳\t／\r",
                               "道徳\t／\n道徳\t／\r\n", "道徳\t／\r\n道徳\t／"};
  for (const char* t : texts) {
    EditFixture f;
    App& app = f.app;
    f.clipboard.content = t;
    f.select(10, 3, 10, 3);
    ASSERT_TRUE(mnuPaste_Click(app)) << t;
    EXPECT_EQ(f.cell(1, 10, 1), -5) << t;
    EXPECT_EQ(f.cell(1, 10, 2), 0) << t;
    // The last line pastes only when a line end follows it.
    const bool lastEnded = std::string(t).back() == '\n' || std::string(t).back() == '\r';
    EXPECT_EQ(f.cell(1, 11, 1) == -5 && f.cell(1, 11, 2) == 0, lastEnded) << t;
    EXPECT_TRUE(f.msg.shown.empty()) << t;
  }
  // One value with LF fills the selection.
  EditFixture f;
  f.clipboard.content = "道徳\n";
  f.select(5, 3, 6, 4);
  ASSERT_TRUE(mnuPaste_Click(f.app));
  for (int d = 5; d <= 6; ++d)
    for (int p = 1; p <= 2; ++p) EXPECT_EQ(f.cell(1, d, p), -5);
}

TEST(Clipboard, HostileClipboardTextStaysInsideTheGrid) {
  EditFixture f;
  App& app = f.app;
  // Month 5 of grade 1 is the only place a paste may write; everything else must stay.
  SchoolYear outside = app.Y;
  auto othersUnchanged = [&]() {
    for (int g = 0; g < kGrades; ++g)
      for (int m = 0; m < kMonthSlots; ++m)
        for (int d = 0; d < kDaySlots; ++d) {
          bool mayChange = g == 0 && m == 5 && d >= 1;
          for (int p = 0; p < kPeriodSlots; ++p)
            if (!(mayChange && p >= 1 && p <= 6) && app.Y.JJ[g][m][d][p] != outside.JJ[g][m][d][p]) return false;
        }
    return true;
  };

  std::string nul("\xE9\x81\x93\0\xE5\xBE\xB3\t\0\r\n", 11);
  std::string invalid = "\xFF\xFE\x80\xE9\x81\t\xC3\r\n";
  std::string huge(10 * 1024 * 1024, 'x');
  std::string hugeBlock;
  for (int r = 0; r < 200; ++r) hugeBlock += std::string(100, '\t') + "\r\n";
  std::string tallColumn;
  for (int r = 0; r < 31; ++r) tallColumn += "月1\r\n";
  std::string ragged = "a\tb\tc\r\nd\r\ne\tf\tg\th\ti\r\n";
  std::string bigField = huge + "\r\n";
  std::string crlfOnly(1 << 20, '\n');

  const std::string* small[] = {&nul, &invalid, &hugeBlock, &tallColumn, &ragged};
  for (const std::string* t : small)
    for (int startRow : {0, 1, 17, 31})
      for (int startCol : {0, 2, 3, 8, 9}) {
        f.clipboard.content = *t;
        app.Grid1.setCurrent(startRow, startCol);
        mnuPaste_Click(app);
        ASSERT_TRUE(othersUnchanged());
      }
  const std::string* large[] = {&huge, &bigField, &crlfOnly};
  for (const std::string* t : large)
    for (int startCol : {2, 9}) {
      f.clipboard.content = *t;
      f.select(1, startCol, 3, startCol);
      mnuPaste_Click(app);
      ASSERT_TRUE(othersUnchanged());
    }
  // Stored day texts are valid UTF-8 without control characters and of bounded length.
  for (int d = 1; d <= 31; ++d)
    for (int k = 0; k < 2; ++k) {
      const std::string& s = f.text(1, d, k);
      EXPECT_LE(s.size(), kMaxCellTextBytes);
      for (char c : s) EXPECT_GE(static_cast<unsigned char>(c), 0x20u);
    }
  // The fill of the 10 MB field into the events column kept a bounded text.
  f.clipboard.content = bigField;
  f.select(4, 2, 6, 2);
  mnuPaste_Click(app);
  EXPECT_EQ(f.text(1, 5, 0).size(), kMaxCellTextBytes);
}

TEST(Clipboard, RaggedLinesLeaveMissingCellsAlone) {
  EditFixture f;
  App& app = f.app;
  int16_t kept = f.cell(1, 4, 2);
  f.clipboard.content = "道徳\t学活\r\n行事\r\n";
  app.Grid1.setCurrent(3, 3);
  mnuPaste_Click(app);
  EXPECT_EQ(f.cell(1, 3, 1), -5);
  EXPECT_EQ(f.cell(1, 3, 2), -7);
  EXPECT_EQ(f.cell(1, 4, 1), -1);
  EXPECT_EQ(f.cell(1, 4, 2), kept);
}

// Two undos are two steps back, and redo takes them forward again.
TEST(Undo, StepsGoBackAndForwardOneAtATime) {
  EditFixture f;
  App& app = f.app;
  f.setEditAll(true);
  MonthSnapshot original(app, 5);
  f.select(3, 3, 3, 3);
  mnuDel_Click(app);
  MonthSnapshot afterDel(app, 5);
  f.select(7, 3, 9, app.Grid1.cols() - 1);
  mnuCut_Click(app);
  MonthSnapshot afterCut(app, 5);
  mnuCopy_Click(app);  // a copy changes nothing and leaves the steps alone
  EXPECT_EQ(app.H.undoStep()->name, "切り取り");
  EXPECT_TRUE(mnuUndo_Click(app));
  EXPECT_TRUE(MonthSnapshot(app, 5) == afterDel);
  EXPECT_TRUE(mnuUndo_Click(app));
  EXPECT_TRUE(MonthSnapshot(app, 5) == original);
  EXPECT_FALSE(mnuUndo_Click(app));  // nothing left
  EXPECT_TRUE(mnuRedo_Click(app));
  EXPECT_TRUE(MonthSnapshot(app, 5) == afterDel);
  EXPECT_TRUE(mnuRedo_Click(app));
  EXPECT_TRUE(MonthSnapshot(app, 5) == afterCut);
  EXPECT_FALSE(mnuRedo_Click(app));
  // A new step after an undo drops the steps that were undone.
  mnuUndo_Click(app);
  f.select(4, 3, 4, 3);
  mnuDel_Click(app);
  EXPECT_FALSE(app.H.canRedo());
}

// An undo shows the grade and month its step was made in, whatever is shown now.
TEST(Undo, ShowsTheGradeAndMonthOfTheStep) {
  EditFixture f;
  App& app = f.app;
  test::fillSelectors(app);
  f.select(3, 3, 3, 3);
  const int16_t kept = f.cell(1, 3, 1);
  mnuDel_Click(app);  // grade 1, May
  ASSERT_EQ(f.cell(1, 3, 1), 0);
  app.S.CurGr = 2;
  app.S.CurMonth = 6;
  DispJJ(app, 1999, 6);
  mnuUndo_Click(app);
  EXPECT_EQ(app.Y.JJ[0][5][3][1], kept);
  EXPECT_EQ(app.S.CurGr, 1);
  EXPECT_EQ(app.S.CurMonth, 5);
  EXPECT_EQ(app.W.cmbGr.index, 0);
  EXPECT_EQ(app.W.cmbMonth.text, "5月");
  mnuRedo_Click(app);
  EXPECT_EQ(app.Y.JJ[0][5][3][1], 0);
}

}  // namespace
}  // namespace tly
