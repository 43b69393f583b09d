#include "session/windows/frmprint/printdialog.h"

#include <algorithm>
#include <cmath>

#include "model/basic.h"

namespace tly {

namespace {

bool isMonth(double v) { return v >= 1 && v <= 12; }

// The integer part of a box's value, as the run and the saved settings take it.
int intPart(const std::string& s) {
  const double v = Val(s);
  return static_cast<int>(std::clamp(std::trunc(v), -32768.0, 32767.0));
}

}  // namespace

int printMonthIndex(int month) { return month > 3 ? month - 3 : month + 9; }
int printIndexMonth(int index) { return index > 9 ? index - 9 : index + 3; }

void PrintForm_Load(App& app, PrintDialog& d) {
  const FileSettings& fs = app.Y.Fs;
  d.left = static_cast<int>(Val(app.setting("PrtLeft", "2500")));
  d.top = static_cast<int>(Val(app.setting("PrtTop", "2500")));
  d.abortRequest = true;
  d.idle = true;
  d.titleFont = savedTitleFont(fs);

  const int16_t margins[4] = {fs.FsPrnTop, fs.FsPrnBottom, fs.FsPrnLeft, fs.FsPrnRight};
  for (int i = 0; i < 4; ++i) {
    SpinState& s = d.spn[static_cast<size_t>(i)];
    s.value = margins[i] >= s.min && margins[i] <= s.max ? margins[i] : 0;
    d.txt[static_cast<size_t>(i)] = std::to_string(s.value);
  }
  SpinState& copies = d.spin(PrintBox::Copies);
  copies.value = fs.FsPrnCopies >= 1 && fs.FsPrnCopies <= 100 ? fs.FsPrnCopies : 1;
  d.box(PrintBox::Copies) = std::to_string(copies.value);

  d.printAll = fs.FsPrnAll != 0;
  d.fit = fs.FsReserved[kFsPrnFitWord] != 0;
  d.monthsEnabled = !d.printAll;

  const int shown = std::clamp(app.S.CurMonth, 1, 12);
  const int first = fs.FsPrnFromMonth >= 1 && fs.FsPrnFromMonth <= 12 ? fs.FsPrnFromMonth : shown;
  int last = fs.FsPrnToMonth >= 1 && fs.FsPrnToMonth <= 12 ? fs.FsPrnToMonth : first;
  if (printMonthIndex(last) < printMonthIndex(first)) last = first;
  d.txtPrintSelStart = std::to_string(first);
  d.spbPrintSelStart.value = printMonthIndex(first);
  d.txtPrintSelEnd = std::to_string(last);
  d.spbPrintSelEnd.value = printMonthIndex(last);

  d.cmbGra.clear();
  d.cmbGra.push_back("表示中の学年");
  const std::vector<std::string> digits = utf8Chars("１２３４５６");
  const int ggn = std::clamp<int>(app.Y.Ggn, 0, kGrades);
  for (int g = 1; g <= ggn; ++g) d.cmbGra.push_back(digits[static_cast<size_t>(g - 1)] + "年");
  d.cmbGra.push_back("全学年");

  d.rangeGroupEnabled = !app.V.tally && !app.V.timetableMode;
  d.cmbGraEnabled = !app.V.timetableMode;
  if (d.cmbGraEnabled) d.cmbGraIndex = 0;

  if (!isMonth(Val(d.txtPrintSelStart)) || !isMonth(Val(d.txtPrintSelEnd))) {
    d.txtPrintSelStart = d.txtPrintSelEnd = std::to_string(shown);
    d.spbPrintSelStart.value = d.spbPrintSelEnd.value = printMonthIndex(shown);
  }
}

void PrintForm_Activate(App& app, PrintDialog& d) {
  if (app.V.timetable == TimetableView::Teacher) d.cmbGraEnabled = false;
}

void PrintForm_Unload(App& app, PrintDialog& d) {
  FileSettings& fs = app.Y.Fs;
  fs.FsPrnFontName = d.titleFont.name;
  fs.FsPrnFontSize = d.titleFont.size;
  fs.FsPrnFontBold = toBool16(d.titleFont.bold);
  fs.FsPrnFontItalic = toBool16(d.titleFont.italic);
  fs.FsPrnTop = static_cast<int16_t>(intPart(d.box(PrintBox::Top)));
  fs.FsPrnBottom = static_cast<int16_t>(intPart(d.box(PrintBox::Bottom)));
  fs.FsPrnLeft = static_cast<int16_t>(intPart(d.box(PrintBox::Left)));
  fs.FsPrnRight = static_cast<int16_t>(intPart(d.box(PrintBox::Right)));
  fs.FsPrnCopies = static_cast<int16_t>(intPart(d.box(PrintBox::Copies)));
  fs.FsPrnAll = toBool16(d.printAll);
  fs.FsReserved[kFsPrnFitWord] = toBool16(d.fit);
  fs.FsPrnFromMonth = static_cast<int16_t>(intPart(d.txtPrintSelStart));
  fs.FsPrnToMonth = static_cast<int16_t>(intPart(d.txtPrintSelEnd));
  if (d.windowState == 0) {
    app.storeSetting("PrtLeft", std::to_string(d.left));
    app.storeSetting("PrtTop", std::to_string(d.top));
  }
}

void printSpin_Change(PrintDialog& d, PrintBox b) { d.box(b) = std::to_string(d.spin(b).value); }

void printBox_Leave(PrintDialog& d, PrintBox b) {
  const double v = Val(d.box(b));
  SpinState& s = d.spin(b);
  if (v >= s.min && v <= s.max) s.value = static_cast<int>(std::trunc(v));
}

void spbPrintSelStart_Change(PrintDialog& d) {
  if (d.spbPrintSelEnd.value < d.spbPrintSelStart.value) {
    d.spbPrintSelEnd.value = d.spbPrintSelStart.value;
    d.txtPrintSelEnd = std::to_string(printIndexMonth(d.spbPrintSelEnd.value));
  }
  d.txtPrintSelStart = std::to_string(printIndexMonth(d.spbPrintSelStart.value));
}

void spbPrintSelEnd_Change(PrintDialog& d) {
  if (d.spbPrintSelEnd.value < d.spbPrintSelStart.value) d.spbPrintSelEnd.value = d.spbPrintSelStart.value;
  d.txtPrintSelEnd = std::to_string(printIndexMonth(d.spbPrintSelEnd.value));
}

namespace {
void monthLeave(const std::string& text, SpinState& spin) {
  const double v = Val(text);
  if (isMonth(v)) spin.value = printMonthIndex(static_cast<int>(v));
}
}  // namespace

void txtPrintSelStart_Leave(PrintDialog& d) { monthLeave(d.txtPrintSelStart, d.spbPrintSelStart); }
void txtPrintSelEnd_Leave(PrintDialog& d) { monthLeave(d.txtPrintSelEnd, d.spbPrintSelEnd); }

void optPrintAll_Click(PrintDialog& d, bool all) {
  d.printAll = all;
  d.monthsEnabled = !all;
}

void cmdTitleFont_Click(App& app, PrintDialog& d) {
  if (!app.P.fontDialog) return;
  if (auto f = app.P.fontDialog->choose(d.titleFont)) d.titleFont = *f;
}

PrintParams printParamsOf(const PrintDialog& d) {
  PrintParams p;
  if (d.printAll) {
    p.fromMonth = 4;
    p.toMonth = 3;
  } else {
    p.fromMonth = intPart(d.txtPrintSelStart);
    p.toMonth = intPart(d.txtPrintSelEnd);
  }
  p.copies = intPart(d.txt[static_cast<size_t>(PrintBox::Copies)]);
  const int last = static_cast<int>(d.cmbGra.size()) - 1;
  if (d.cmbGraIndex <= 0 || !d.cmbGraEnabled)
    p.grade = PrintParams::kShownGrade;
  else if (d.cmbGraIndex >= last)
    p.grade = PrintParams::kAllGrades;
  else
    p.grade = d.cmbGraIndex;
  p.top = intPart(d.txt[static_cast<size_t>(PrintBox::Top)]);
  p.bottom = intPart(d.txt[static_cast<size_t>(PrintBox::Bottom)]);
  p.left = intPart(d.txt[static_cast<size_t>(PrintBox::Left)]);
  p.right = intPart(d.txt[static_cast<size_t>(PrintBox::Right)]);
  p.titleFont = d.titleFont;
  p.fit = d.fit;
  return p;
}

FontInfo savedTitleFont(const FileSettings& fs) {
  FontInfo f;
  f.name = fs.FsPrnFontName.empty() ? "ＭＳ Ｐゴシック" : fs.FsPrnFontName;
  f.size = fs.FsPrnFontSize >= 1 ? fs.FsPrnFontSize : 14.0f;
  f.bold = fs.FsPrnFontBold != 0;
  f.italic = fs.FsPrnFontItalic != 0;
  return f;
}

PrintParams savedPrintParams(const App& app) {
  const FileSettings& fs = app.Y.Fs;
  PrintParams p;
  auto margin = [](int v) { return v >= 0 && v <= 200 ? v : 0; };
  p.top = margin(fs.FsPrnTop);
  p.bottom = margin(fs.FsPrnBottom);
  p.left = margin(fs.FsPrnLeft);
  p.right = margin(fs.FsPrnRight);
  p.copies = fs.FsPrnCopies >= 1 && fs.FsPrnCopies <= 100 ? fs.FsPrnCopies : 1;
  p.titleFont = savedTitleFont(fs);
  p.fit = fs.FsReserved[kFsPrnFitWord] != 0;
  p.fromMonth = 4;
  p.toMonth = 3;
  return p;
}

}  // namespace tly
