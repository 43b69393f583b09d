// A subject name typed or pasted into a period cell while the month is shown through a
// class or teacher timetable becomes the slot of that timetable holding it; a text that
// decodes to nothing leaves the cell and says so in the status bar.
#include <gtest/gtest.h>

#include "rules/timetableslot.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/history.h"
#include "edit/edit_fixture.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using testing::EditFixture;

enum class Shown { Plain, Class, Teacher };
enum class How { Typed, Pasted, PastedBlock };

struct SubjectCase {
  const char* name;
  Shown shown;
  How how;
  int day;        // of May 1999 (May 1 is a Saturday)
  const char* text;
  int16_t before; // the cell's code before the edit
  int16_t after;  // the code it holds afterwards
  const char* message;  // part of the status line; nullptr: the line stays empty
};

// 1年1組: 算数 on Monday 4, Tuesday 1 and Wednesday 2; 国語 on Monday 1.
// The teacher 山田 teaches 1年1組 on Thursday 3.
void giveTimetables(SchoolYear& y) {
  y.JW[0][0].JWKind = 1;
  JWRec& c = y.JW[0][1];
  c.JWName = "1年1組";
  c.JWCell[1][4] = "算数";
  c.JWCell[2][1] = " 算数";
  c.JWCell[3][2] = "算数";
  c.JWCell[1][1] = "国語";
  c.JWCell[3][6] = "道徳";
  y.JW[1][0].JWKind = 1;
  y.JW[1][1].JWName = "山田";
  y.JW[1][1].JWCell[4][3] = "1年1組";
}

constexpr int16_t kMon4 = 24, kTue1 = 31, kWed2 = 42, kWed5 = 45, kThu3 = 53, kThu5 = 55;
constexpr const char* kNotTimetable = "は集計項目でも時間割の授業でもありません。";
constexpr const char* kNotItem = "は集計項目ではありません。";

const SubjectCase kCases[] = {
    {"same weekday first", Shown::Class, How::Typed, 5, "算数", kWed5, kWed2, nullptr},
    {"blanks around the name", Shown::Class, How::Typed, 5, " 算数 ", kWed5, kWed2, nullptr},
    {"else first in weekday and period order", Shown::Class, How::Typed, 6, "算数", kThu5, kMon4, nullptr},
    {"a cell already showing it keeps its slot", Shown::Class, How::Typed, 5, "算数", kTue1, kTue1, nullptr},
    {"not in the timetable", Shown::Class, How::Typed, 5, "体育", kWed5, kWed5, kNotTimetable},
    {"an item name still wins", Shown::Class, How::Typed, 5, "道徳", kWed5, -5, nullptr},
    {"a reference still wins", Shown::Class, How::Typed, 5, "月3", kWed5, 23, nullptr},
    {"plain view knows no subjects", Shown::Plain, How::Typed, 5, "算数", kWed5, kWed5, kNotItem},
    {"teacher timetable names the class", Shown::Teacher, How::Typed, 6, "1年1組", kThu5, kThu3, nullptr},
    {"teacher timetable has no subject", Shown::Teacher, How::Typed, 6, "算数", kThu5, kThu5, kNotTimetable},
    {"pasted subject", Shown::Class, How::Pasted, 5, "算数", kWed5, kWed2, nullptr},
    {"pasted unknown subject", Shown::Class, How::Pasted, 5, "体育", kWed5, kWed5, kNotTimetable},
    {"pasted in plain view", Shown::Plain, How::Pasted, 5, "算数", kWed5, kWed5, kNotItem},
    {"pasted block, cell by cell", Shown::Class, How::PastedBlock, 6, "算数", kThu5, kMon4, "ほか 1 か所"},
};

class TypedSubject : public ::testing::TestWithParam<SubjectCase> {};

TEST_P(TypedSubject, StoresTheSlotOrSaysWhyNot) {
  const SubjectCase& k = GetParam();
  EditFixture f;
  App& app = f.app;
  giveTimetables(app.Y);
  app.W.cmbDispJW.items = {k.shown == Shown::Teacher ? "山田" : "1年1組"};
  app.W.cmbDispJW.select(0);
  if (k.shown == Shown::Class) testing::setView(app, Command::DispJWC, true);
  if (k.shown == Shown::Teacher) testing::setView(app, Command::DispJWS, true);
  const int col = 5 + 2;  // period 5
  f.cell(1, k.day, 5) = k.before;
  f.cell(1, k.day + 1, 5) = k.before;
  redrawMonth(app);
  app.W.panel[0] = "前の表示";

  const int16_t neighbour = f.cell(1, k.day, 6);
  app.Grid1.setCurrent(k.day, col);
  switch (k.how) {
    case How::Typed:
      ASSERT_EQ(Grid1_KeyDown(app, kKeyF2, 0), GridKeyAction::StartEdit);
      ASSERT_TRUE(txtInput_GotFocus(app));
      app.W.txtInput = k.text;
      ASSERT_TRUE(txtInput_KeyDown(app, kKeyEnter, 0));
      Grid1_GotFocus(app);
      break;
    case How::Pasted:
      ASSERT_TRUE(pasteText(app, std::string(k.text) + "\r\n"));
      break;
    case How::PastedBlock:
      // The subject, then an unknown text and a subject on the next day (a Friday).
      ASSERT_TRUE(pasteText(app, std::string(k.text) + "\t体育\r\n算数\t音楽\r\n"));
      EXPECT_EQ(f.cell(1, k.day, 6), neighbour);
      EXPECT_EQ(f.cell(1, k.day + 1, 5), kMon4);
      break;
  }

  EXPECT_EQ(f.cell(1, k.day, 5), k.after);
  if (k.message) {
    EXPECT_NE(app.W.panel[0].find(k.message), std::string::npos) << app.W.panel[0];
  } else {
    EXPECT_EQ(app.W.panel[0], "");
  }
  // The cell shows the timetable's subject for the slot it now holds.
  if (k.after == kWed2 || k.after == kMon4) {
    EXPECT_EQ(app.Grid1.text(k.day, col), "算数");
  }

  // Every change is one step of the history: 取り消し brings the old lesson back.
  if (k.after != k.before) {
    mnuUndo_Click(app);
    EXPECT_EQ(f.cell(1, k.day, 5), k.before);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedSubject, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SubjectCase>& i) { return std::to_string(i.index); });

TEST(TypedSubject, EditAllStoresTheSameSlotInEveryGrade) {
  EditFixture f;
  App& app = f.app;
  giveTimetables(app.Y);
  app.W.cmbDispJW.items = {"1年1組"};
  app.W.cmbDispJW.select(0);
  testing::setView(app, Command::DispJWC, true);
  f.setEditAll(true);
  redrawMonth(app);
  app.Grid1.setCurrent(5, 7);
  ASSERT_TRUE(pasteText(app, "算数\r\n"));
  for (int g = 1; g <= 3; ++g) EXPECT_EQ(f.cell(g, 5, 5), kWed2) << g;
}

TEST(TimetableSlot, PeriodsPastJigenAndOtherRecordsAreNotLookedAt) {
  EditFixture f;
  SchoolYear& y = f.app.Y;
  giveTimetables(y);
  CellView v;
  v.timetableKind = 0;
  v.timetable = 1;
  EXPECT_EQ(timetableSlotOf(y, v, 4, "道徳"), 46);
  y.Jigen = 5;
  EXPECT_EQ(timetableSlotOf(y, v, 4, "道徳"), 0);
  EXPECT_EQ(timetableSlotOf(y, v, 4, ""), 0);
  v.timetable = 2;
  EXPECT_EQ(timetableSlotOf(y, v, 4, "算数"), 0);
  v.timetable = 0;
  EXPECT_EQ(timetableSlotOf(y, v, 4, "算数"), 0);
  v.timetable = 1;
  v.timetableKind = -1;
  EXPECT_EQ(timetableSlotOf(y, v, 4, "算数"), 0);
}

}  // namespace
}  // namespace tly
