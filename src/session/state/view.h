// What the main window shows and how editing behaves, and its selectors, entry box,
// status panels and placement as the procedures read and write them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

}  // namespace tly
