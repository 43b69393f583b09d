// The tally dialog frmJisuu as the rules see it: the whole-year / range option, the four
// range text boxes with their spins, and the tally button. The window shows this state
// and forwards its events to the handlers below.
#pragma once

#include <string>

#include "session/state/app.h"

namespace tly {

struct SpinState {
  int min = 1, max = 12, value = 1;
};

struct JisuuDialog {
  // Position in twips and window state (0 normal, 1 minimised, 2 maximised).
  int left = 1000, top = 1000, windowState = 0;
  int option = 0;  // 0 年間授業時数, 1 範囲指定
  std::string txtStartMonth, txtStartDay, txtEndMonth, txtEndDay;
  // Month spins hold the month's school-year position (1 = April .. 12 = March).
  SpinState spnStartMonth, spnStartDay, spnEndMonth, spnEndDay;
  bool rangeEnabled = false;  // the four text boxes, four spins and four labels
};

enum class JisuuField { StartMonth, StartDay, EndMonth, EndDay, Ok };
enum class JisuuKey { Enter, Down, Up };

// School-year position of a calendar month (April 1 .. March 12), and back.
int monthToSchoolPosition(int month);
int schoolPositionToMonth(int position);

void JisuuForm_Load(App& app, JisuuDialog& d);
// Stores the option and (normal state only) the position; call when the dialog closes.
void JisuuForm_Unload(App& app, JisuuDialog& d);
void optSyukei_Click(App& app, JisuuDialog& d, int index);

// Leaving a month box: a value 1..12 becomes the month; other text is left alone.
void txtStartMonth_LostFocus(App& app, JisuuDialog& d);
void txtEndMonth_LostFocus(App& app, JisuuDialog& d);
// Leaving a day box (or Enter in it): the day is limited to 1 .. the month's last day.
void txtStartDay_LostFocus(App& app, JisuuDialog& d);
void txtEndDay_LostFocus(App& app, JisuuDialog& d);

// Spin changes: set the spin's value, then call its handler.
void spnStartDay_Change(App& app, JisuuDialog& d);
void spnEndDay_Change(App& app, JisuuDialog& d);
void spnStartMonth_Change(App& app, JisuuDialog& d);
void spnEndMonth_Change(App& app, JisuuDialog& d);

// A key in a text box: applies what the key does to the field and returns the field
// that gets the focus next (the field itself when the focus stays).
JisuuField jisuuKey(App& app, JisuuDialog& d, JisuuField field, JisuuKey key);

// The tally button: runs the tally into the main grid. The dialog then closes.
// Nothing is counted unless the tally view is on.
void cmdJisuuOk_Click(App& app, JisuuDialog& d);

// Last day of calendar month m for the shown grade (31 when no year is built).
int jisuuMonthLastDay(const App& app, int month);

}  // namespace tly
