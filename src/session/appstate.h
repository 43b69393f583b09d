// Run-time values of the program: the open year, what is shown, and the main window's
// selectors and panels as the procedures see them. The desktop program shows this state;
// the command line and tests read it directly.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "model/platform.h"
#include "model/schoolyear.h"
#include "model/grid.h"
#include "session/editstate.h"
#include "session/jwform.h"

namespace tly {

// What the program shows and how editing behaves. Every menu check mark, toolbar button,
// enabled state and caption of the main window follows from it (mainControls in
// session/controls.h); the procedures read and change these fields, never the controls.
enum class TimetableView : int16_t {
  None,     // period cells show lessons as codes and slot letters
  Class,    // period cells show the text of the chosen class timetable
  Teacher,  // ... of the chosen teacher timetable
};
enum class ViewMode { Month, Tally, Timetable };

struct ViewState {
  bool tally = false;          // the grid shows the tally (集計)
  bool timetableMode = false;  // the timetable window is open (時間割設定)
  TimetableView timetable = TimetableView::None;
  bool changesOnly = false;    // period cells that follow the timetable are left blank
  bool editAll = false;        // edits go to every grade
  bool copyMode = false;       // copy takes the cells as shown, not as codes
  bool toolBar = false;       // the toolbar is shown
  // The file and edit commands that timetable mode forbids are off (DisableMenu).
  bool timetableCommandsOff = false;
  // The grid's pop-up menu offers the tally items (decided at the right-click).
  bool popupOffersItems = false;
  // The copy-all command has been renamed by entering or leaving the tally view; until
  // then it keeps its designed caption (the same words in full-width letters).
  bool copyAllRenamed = false;

  ViewMode mode() const { return tally ? ViewMode::Tally : timetableMode ? ViewMode::Timetable : ViewMode::Month; }
  bool timetableText() const { return timetable != TimetableView::None; }
  // 0 for the class kind, 1 for the teacher kind (only while timetableText()).
  int timetableKind() const { return timetable == TimetableView::Teacher ? 1 : 0; }
};

// What the timetable window shows (JWMode): none open, class or teacher timetables.
enum class JWModeKind : int { None = 0, Class = 1, Teacher = 2 };
// The timetable kind (0 class, 1 teacher) of a window that shows one.
inline int timetableKindOf(JWModeKind m) { return m == JWModeKind::Teacher ? 1 : 0; }

struct ComboState {
  std::vector<std::string> items;
  int index = -1;  // selected list position, -1 none
  std::string text;
  void clear() {
    items.clear();
    index = -1;
    text.clear();
  }
  // Select a position and show its entry as the text (out of range: nothing selected).
  void select(int i) {
    if (i >= 0 && i < static_cast<int>(items.size())) {
      index = i;
      text = items[static_cast<size_t>(i)];
    } else {
      index = -1;
    }
  }
};

// The main window's selectors, entry box, status panels, caption and placement as the
// procedures read and write them.
struct MainView {
  ComboState cmbGr, cmbMonth, cmbDispJW;
  std::string txtInput;
  std::array<std::string, 4> panel;  // status bar panels 1..4 at index 0..3
  std::string caption = "TLY 授業時数集計";
  // Main window placement in twips and state (0 normal, 1 minimised, 2 maximised).
  int left = 1000, top = 1000, width = 6500, height = 6500, windowState = 0;
  // The last command gave the grid the input focus; the window moves it there and clears
  // the request.
  bool focusGrid = false;
};

// Run-time values that are not saved in data files.
struct AppState : CellEditState {
  int CurGr = 1;
  int CurMonth = 4;
  int CurYear = 0;
  int CurDay = 1;
  Date Today;
  std::string CurFile;
  std::string AppPath;  // the program folder, ending in "/"
  std::string IniFile;  // AppPath + "tly.ini"
  std::string HelpFile; // AppPath + "tly.hlp"
  int InstanceCount = 0;  // "ExTLY" read at start-up, for the window cascade
  // The working file could not be read nor moved aside at start-up: the exit leaves it
  // alone instead of replacing it with the year of this run.
  bool KeepWorkFile = false;

  // Tally range and results.
  bool KikanSet = false;
  int KFromMonth = 4, KFromDay = 1, KToMonth = 4, KToDay = 1;

  // Settings-file values carried from one read to the next write.
  int PrnBeginPage = 4, PrnEndPage = 4, PrnTopMargin = 10, PrnLeftMargin = 10;
  int IniGrIndex = 0, IniMonthIndex = 0, IniDspJWIndex = 0;

  // Month grid column widths kept while another layout borrows the grid.
  std::array<int, 14> JJColWidth{};

  // The timetables the timetable window shows, and the one it has selected.
  JWModeKind JWMode = JWModeKind::None;
  int JWNo = 0;

  // The range actually used by the last tally (kept for the printed title).
  int DFromMonth = 4, DFromDay = 1, DToMonth = 3, DToDay = 31;
  // Tally counts: slot 0..6 = timetable weekday Sunday..Saturday per period,
  // slot 7..26 = tally item 1..20 under period 1.
  static constexpr int kTallySlots = 27;
  int JisuuCnt[kGrades][kTallySlots][kPeriodSlots] = {};  // every grade (CountJisuu)
  int KeiCnt[kTallySlots][kPeriodSlots] = {};             // the shown grade (DispJisuu)
  int KeiTotal = 0;
  // Distinct timetable entries of the timetable tally and their hours, in the order
  // shown (KeiName[0] is the first row). Every entry is kept.
  std::vector<std::string> KeiName;
  std::vector<int> KeiSum;
  // Cell editing of the main grid: the CellEditState this derives from (InputText is also
  // used by the item dialog).

  // One-level undo copy of one month of every grade.
  int16_t UndoJJ[kGrades][kDaySlots][kPeriodSlots] = {};
  std::string UndoJJText[kGrades][kDaySlots][kTextKinds];
  int UndoMonth = 0;
  bool UndoReady = false;
};

// Everything one run of the program works on.
struct App {
  SchoolYear Y;
  AppState S;
  ViewState V;
  MainView W;
  Grid Grid1;
  Platform P;
  JWForm JWF;  // the timetable window

  // Message box through the platform; OK when no message service is installed.
  MsgResult msg(const std::string& text, MsgButtons b = MsgButtons::OK, MsgIcon i = MsgIcon::None,
                const std::string& title = "TLY") {
    return P.msg ? P.msg->show(text, b, i, title) : (b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK);
  }
  // A value of the per-user settings store (application "TLY", section "Settings");
  // def when there is no store or no such value.
  std::string setting(const std::string& key, const std::string& def) {
    return P.settings ? P.settings->get("TLY", "Settings", key, def) : def;
  }
  void storeSetting(const std::string& key, const std::string& value) {
    if (P.settings) P.settings->set("TLY", "Settings", key, value);
  }
};

}  // namespace tly
