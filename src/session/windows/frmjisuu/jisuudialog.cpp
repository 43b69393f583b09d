#include "session/windows/frmjisuu/jisuudialog.h"

#include <algorithm>

#include "model/basic.h"
#include "model/months.h"
#include "session/windows/frmmain/tally.h"
#include "session/windows/frmmain/tallyview.h"

namespace tly {

namespace {

const char* const kKeyLeft = "JisuuLeft";
const char* const kKeyTop = "JisuuTop";

void setSpinValue(SpinState& s, int v) { s.value = std::clamp(v, s.min, std::max(s.min, s.max)); }

// The number a text box holds, as the stored integer (halves to even).
int textNumber(const std::string& t) { return cint16(Val(t)); }

// Whole-number text 1..12; other text does not name a month.
bool monthText(const std::string& t, int* month) {
  double v = Val(t);
  if (v < 1 || v > 12) return false;
  *month = cint16(v);
  return true;
}

void setRangeEnabled(JisuuDialog& d) { d.rangeEnabled = d.option == 1; }

// A day spin's upper end follows its month; a value above it comes down to it.
void limitStartDaySpin(App& app, JisuuDialog& d) {
  d.spnStartDay.max = jisuuMonthLastDay(app, app.T.KFromMonth);
  if (d.spnStartDay.value > d.spnStartDay.max) {
    setSpinValue(d.spnStartDay, d.spnStartDay.max);
    spnStartDay_Change(app, d);
  }
}

void limitEndDaySpin(App& app, JisuuDialog& d) {
  d.spnEndDay.max = jisuuMonthLastDay(app, app.T.KToMonth);
  if (d.spnEndDay.value > d.spnEndDay.max) {
    setSpinValue(d.spnEndDay, d.spnEndDay.max);
    spnEndDay_Change(app, d);
  }
}

// Day text of a box, limited to 1 .. the last day of `month`.
int limitedDay(const App& app, const std::string& text, int month) {
  int day = textNumber(text);
  if (day <= 0) day = 1;
  const int last = jisuuMonthLastDay(app, month);
  if (day >= last) day = last;
  return day;
}

// The end month never goes before the start month through the spins.
void keepEndAfterStart(App& app, JisuuDialog& d) {
  if (d.spnEndMonth.value < d.spnStartMonth.value) {
    setSpinValue(d.spnEndMonth, d.spnStartMonth.value);
    spnEndMonth_Change(app, d);
    if (d.spnEndDay.value < d.spnStartDay.value) {
      setSpinValue(d.spnEndDay, d.spnStartDay.value);
      spnEndDay_Change(app, d);
    }
  }
}

}  // namespace

int monthToSchoolPosition(int month) { return positionOfMonth(std::clamp(month, 1, 12)) + 1; }

int schoolPositionToMonth(int position) { return monthAtPosition(std::clamp(position, 1, 12) - 1); }

int jisuuMonthLastDay(const App& app, int month) {
  const int g = app.S.CurGr;
  if (g < 1 || g > kGrades || month < 1 || month > 12) return 31;
  const int last = app.Y.JJ[g - 1][month][0][0];
  return (last >= 1 && last <= 31) ? last : 31;
}

void JisuuForm_Load(App& app, JisuuDialog& d) {
  if (app.P.settings) {
    d.left = textNumber(app.setting(kKeyLeft, "1000"));
    d.top = textNumber(app.setting(kKeyTop, "1000"));
  }
  const int16_t k = app.Y.Fs.FsKikan;
  app.T.KikanSet = (k == 1);
  d.txtStartMonth = numText(app.T.KFromMonth);
  d.txtStartDay = numText(app.T.KFromDay);
  d.txtEndMonth = numText(app.T.KToMonth);
  d.txtEndDay = numText(app.T.KToDay);
  d.spnStartMonth = SpinState{1, 12, monthToSchoolPosition(app.T.KFromMonth)};
  d.spnEndMonth = SpinState{1, 12, monthToSchoolPosition(app.T.KToMonth)};
  d.spnStartDay = SpinState{1, jisuuMonthLastDay(app, app.T.KFromMonth), 1};
  setSpinValue(d.spnStartDay, app.T.KFromDay);
  d.spnEndDay = SpinState{1, jisuuMonthLastDay(app, app.T.KToMonth), 1};
  setSpinValue(d.spnEndDay, app.T.KToDay);

  d.option = app.T.KikanSet ? 1 : 0;
  setRangeEnabled(d);
}

void JisuuForm_Unload(App& app, JisuuDialog& d) {
  app.Y.Fs.FsKikan = app.T.KikanSet ? 1 : 0;
  if (d.windowState == 0) {
    app.storeSetting(kKeyLeft, numText(d.left));
    app.storeSetting(kKeyTop, numText(d.top));
  }
}

void optSyukei_Click(App& app, JisuuDialog& d, int index) {
  if (index != 0 && index != 1) return;
  d.option = index;
  app.T.KikanSet = index == 1;
  setRangeEnabled(d);
}

void txtStartMonth_LostFocus(App& app, JisuuDialog& d) {
  int m;
  if (!monthText(d.txtStartMonth, &m)) return;
  app.T.KFromMonth = m;
  setSpinValue(d.spnStartMonth, monthToSchoolPosition(m));
  limitStartDaySpin(app, d);
}

void txtEndMonth_LostFocus(App& app, JisuuDialog& d) {
  int m;
  if (!monthText(d.txtEndMonth, &m)) return;
  app.T.KToMonth = m;
  setSpinValue(d.spnEndMonth, monthToSchoolPosition(m));
  limitEndDaySpin(app, d);
}

void txtStartDay_LostFocus(App& app, JisuuDialog& d) {
  const int day = limitedDay(app, d.txtStartDay, app.T.KFromMonth);
  app.T.KFromDay = day;
  d.txtStartDay = numText(day);
  setSpinValue(d.spnStartDay, day);
}

void txtEndDay_LostFocus(App& app, JisuuDialog& d) {
  const int day = limitedDay(app, d.txtEndDay, app.T.KToMonth);
  app.T.KToDay = day;
  d.txtEndDay = numText(day);
  setSpinValue(d.spnEndDay, day);
}

void spnStartDay_Change(App& app, JisuuDialog& d) {
  app.T.KFromDay = d.spnStartDay.value;
  d.txtStartDay = numText(d.spnStartDay.value);
}

void spnEndDay_Change(App& app, JisuuDialog& d) {
  app.T.KToDay = d.spnEndDay.value;
  d.txtEndDay = numText(d.spnEndDay.value);
}

void spnStartMonth_Change(App& app, JisuuDialog& d) {
  keepEndAfterStart(app, d);
  const int m = schoolPositionToMonth(d.spnStartMonth.value);
  d.txtStartMonth = numText(m);
  app.T.KFromMonth = m;
  limitStartDaySpin(app, d);
}

void spnEndMonth_Change(App& app, JisuuDialog& d) {
  keepEndAfterStart(app, d);
  const int m = schoolPositionToMonth(d.spnEndMonth.value);
  d.txtEndMonth = numText(m);
  app.T.KToMonth = m;
  limitEndDaySpin(app, d);
}

JisuuField jisuuKey(App& app, JisuuDialog& d, JisuuField field, JisuuKey key) {
  JisuuField next = field;
  int m;
  switch (field) {
    case JisuuField::StartMonth:
      if (key == JisuuKey::Up) next = JisuuField::Ok;
      else if (key == JisuuKey::Down || monthText(d.txtStartMonth, &m)) next = JisuuField::StartDay;
      break;
    case JisuuField::StartDay:
      if (key == JisuuKey::Enter) txtStartDay_LostFocus(app, d);
      next = key == JisuuKey::Up ? JisuuField::StartMonth : JisuuField::EndMonth;
      break;
    case JisuuField::EndMonth:
      if (key == JisuuKey::Up) next = JisuuField::StartDay;
      else if (key == JisuuKey::Down || monthText(d.txtEndMonth, &m)) next = JisuuField::EndDay;
      break;
    case JisuuField::EndDay:
      if (key == JisuuKey::Enter) txtEndDay_LostFocus(app, d);
      next = key == JisuuKey::Up ? JisuuField::EndMonth : JisuuField::Ok;
      break;
    case JisuuField::Ok:
      break;
  }
  // Moving on leaves the box, which stores what it holds.
  if (next != field) {
    switch (field) {
      case JisuuField::StartMonth: txtStartMonth_LostFocus(app, d); break;
      case JisuuField::StartDay: txtStartDay_LostFocus(app, d); break;
      case JisuuField::EndMonth: txtEndMonth_LostFocus(app, d); break;
      case JisuuField::EndDay: txtEndDay_LostFocus(app, d); break;
      case JisuuField::Ok: break;
    }
  }
  return next;
}

void cmdJisuuOk_Click(App& app, JisuuDialog&) {
  // A tally laid into the grid of the month view would be taken for the month and
  // edited as such; the dialog only tallies into the tally view.
  if (!tallyViewOn(app)) return;
  if (app.S.JWMode != JWModeKind::None) {
    CountJisuu(app);
    DispJWJisuu(app);
  } else {
    DispJisuu(app);
  }
}

}  // namespace tly
