// The print dialog frmPrint as the rules see it: title font, grade choice, month range,
// copies and margins, kept in the data file's print settings. The window shows this
// state and forwards its events to the handlers below.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "session/windows/frmjisuu/jisuudialog.h"
#include "rules/printlayout.h"

namespace tly {

// The print dialog's "用紙に合わせて拡大" (a Boolean) is kept in the last word of the file
// settings' reserved words, so that files of every earlier version read as "off".
constexpr size_t kFsPrnFitWord = 428;
static_assert(kFsPrnFitWord < std::tuple_size_v<decltype(FileSettings::FsReserved)>);

// What to print, as the print dialog (or the command line) gives it.
struct PrintParams {
  int fromMonth = 4, toMonth = 3;  // calendar months of the schedules, in school order
  int copies = 1;                  // of each page set
  static constexpr int kShownGrade = 0, kAllGrades = -1;
  int grade = kShownGrade;  // kShownGrade, kAllGrades or one grade 1..Ggn
  int top = 0, bottom = 0, left = 0, right = 0;  // margins, millimetres
  FontInfo titleFont;
  bool fit = false;  // the grid scaled up to fill the usable width or height
};

// The four margin boxes and the copies box, each a text with a spin beside it.
enum class PrintBox { Top, Bottom, Left, Right, Copies };
constexpr int kPrintBoxes = 5;

struct PrintDialog {
  // Position in twips and window state (0 normal, 1 minimised, 2 maximised).
  int left = 2500, top = 2500, windowState = 0;
  bool abortRequest = true;  // set by 閉じる during a run
  bool idle = true;          // no run in progress
  FontInfo titleFont;        // txtTitle's font
  std::array<std::string, kPrintBoxes> txt;
  std::array<SpinState, kPrintBoxes> spn{SpinState{0, 200, 0}, SpinState{0, 200, 0}, SpinState{0, 200, 0},
                                         SpinState{0, 200, 0}, SpinState{1, 100, 1}};
  bool fit = false;      // "用紙に合わせて拡大"
  bool printAll = true;  // optPrintAll ("全ページ"), else optPrintSel ("指定範囲")
  std::string txtPrintSelStart, txtPrintSelEnd;
  // School-month indexes, April = 1 .. March = 12.
  SpinState spbPrintSelStart{1, 12, 1}, spbPrintSelEnd{1, 12, 1};
  std::vector<std::string> cmbGra;  // 表示中の学年, １年 .., 全学年
  int cmbGraIndex = 0;
  bool cmbGraEnabled = true;
  bool rangeGroupEnabled = true;  // both options, both month texts, spins and labels
  bool monthsEnabled = true;      // the month texts, spins and labels (off for 全ページ)
  std::string status;             // StatusBar1

  std::string& box(PrintBox b) { return txt[static_cast<size_t>(b)]; }
  SpinState& spin(PrintBox b) { return spn[static_cast<size_t>(b)]; }
};

void PrintForm_Load(App& app, PrintDialog& d);
void PrintForm_Activate(App& app, PrintDialog& d);
// Writes the choices back to the file settings and (normal state only) the position.
void PrintForm_Unload(App& app, PrintDialog& d);

// A spin moved: its box shows the value.
void printSpin_Change(PrintDialog& d, PrintBox b);
// Leaving a box or Enter in it: a value within the spin's range moves the spin.
void printBox_Leave(PrintDialog& d, PrintBox b);
void spbPrintSelStart_Change(PrintDialog& d);
void spbPrintSelEnd_Change(PrintDialog& d);
// Leaving a month text or Enter in it: a month 1..12 moves its spin.
void txtPrintSelStart_Leave(PrintDialog& d);
void txtPrintSelEnd_Leave(PrintDialog& d);
void optPrintAll_Click(PrintDialog& d, bool all);
// The title font through the font dialog; a cancel changes nothing.
void cmdTitleFont_Click(App& app, PrintDialog& d);

// The run parameters as the print command reads them from the dialog.
PrintParams printParamsOf(const PrintDialog& d);

// School-month index of a calendar month and back (April = 1 .. March = 12).
int printMonthIndex(int month);
int printIndexMonth(int index);

// The print settings kept in the data file, with the replacements the print dialog
// makes for values out of range (title font, margins, copies, month range).
PrintParams savedPrintParams(const App& app);
FontInfo savedTitleFont(const FileSettings& fs);

}  // namespace tly
