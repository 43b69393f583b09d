// 取り消し and やり直し of the main window and the timetable window, on the one history of
// the open year (session/state/history.h): a step is undone wherever it was made, and the
// place it was made is shown again.
#pragma once

#include <string>

#include "session/state/app.h"

namespace tly {

// 取り消し: in the tally view it leaves the view (and undoes nothing); otherwise the last
// step is undone and its month and grade (or its timetable) shown. True when the grid
// should get the focus.
bool mnuUndo_Click(App& app);
// やり直し: the last undone step is made again and shown.
bool mnuRedo_Click(App& app);
// The captions naming the step they would take: "取り消し - 貼り付け(&U)"; the designed
// caption when there is none.
std::string undoCaption(const App& app);
std::string redoCaption(const App& app);

// The timetable window's 取り消し takes the last step when it changed timetables only
// (the main grid's steps wait until the window is closed).
bool timetableUndoAvailable(const App& app);
void timetableUndo(App& app);

// Captions of the steps.
extern const char* const kStepTyping;      // "入力"
extern const char* const kStepPaste;       // "貼り付け"
extern const char* const kStepCut;         // "切り取り"
extern const char* const kStepDelete;      // "削除"
extern const char* const kStepItem;        // "集計項目の割り当て"
extern const char* const kStepItemList;    // "集計項目の変更"
extern const char* const kStepFont;        // "フォント"
extern const char* const kStepColWidth;    // "列幅変更"
extern const char* const kStepTimetableAdd;     // "時間割の追加"
extern const char* const kStepTimetableInsert;  // "時間割の挿入"
extern const char* const kStepTimetableRename;  // "時間割の名称変更"
extern const char* const kStepTimetableDelete;  // "時間割の削除"

}  // namespace tly
