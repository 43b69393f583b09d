// The timetable window frmJW, toolkit-free: its list of timetables and name box, the
// grid of the timetable being edited with its cell edit and clipboard commands, the
// reference area, the tally button and the ways it closes. Every procedure works on
// App::JWF (the window's state), the year's store and the main window's view state; the
// desktop program forwards the window's events and shows JWF afterwards.
#pragma once

#include <string>

#include "session/state/app.h"

namespace tly {

// ---- Opening and the list (the store side) -------------------------------------------

// Opens the window: placement from the settings store, kind choices from FileSettings,
// the list and the grid of the remembered timetable, the reference area hidden.
void JW_Form_Load(App& app);
// The kind being edited (0 class, 1 teacher) and the selected timetable's number (0 none).
int jwKind(const App& app);
int jwSelectedNumber(const App& app);

void SetJWList(App& app);
void DispJWGrid(App& app);
void FData2JWData(App& app);
void SetCmbRef(App& app);
void DispRefGrid(App& app);

// A timetable was picked in the list (its click).
void lstJW_Click(App& app, int index);
// The name box: focus in, Enter.
void txtJW_GotFocus(App& app);
void txtJW_Enter(App& app);
void cmdJWAdd_Click(App& app);
void cmdJWAdd_GotFocus(App& app);
void cmdJWIns_Click(App& app);
void cmdJWIns_GotFocus(App& app);
void cmdJWDel_Click(App& app);  // also "削除" of the list pop-up
void pmnuListED_Click(App& app);  // "名称変更"
// Whether the controls that a rename in progress switches off are on (cmdJWAdd, cmdJWIns,
// cmdJWDel, cmdKei, both kind options and the list pop-up's "削除").
bool jwListCommandsEnabled(const App& app);

// The kind options (optClass true: class timetables).
void optClass_Click(App& app, bool classKind);

// ---- The grid and its cell edit -------------------------------------------------------

enum class JWGridKey {
  None,       // not ours: the grid moves as usual
  Handled,
  StartEdit,  // focus to the entry box
};
// A key pressed in Grid1 (old key code, Shift state bits of session/celledit.h).
JWGridKey JW_Grid1_KeyDown(App& app, int keyCode, int shift);
// A printable character typed in Grid1 (UTF-8, one character); true when it started an edit.
bool JW_Grid1_KeyPressText(App& app, const std::string& ch);
// A key released in Grid1: true when an edit starts.
bool JW_Grid1_KeyUp(App& app, int keyCode, int shift);
bool JW_Grid1_DblClick(App& app);
void JW_GText1_GotFocus(App& app);
// The entry box got the focus: true when an edit runs (the overlay is then shown); when
// false JWF.focus says where the focus goes instead.
bool JW_txtInput_GotFocus(App& app);
// A key in the entry box whose text is JWF.txtInput: true when it ends the edit (the
// key is consumed, focus goes back to the grid).
bool JW_txtInput_KeyDown(App& app, int keyCode, int shift);
// Grid1 got the focus: the overlay goes, the cursor moves for the key that ended the edit.
void JW_Grid1_GotFocus(App& app);
// The entry box lost the focus to another control of the window (not the grid): the edit
// ends storing nothing, as a focus change does in the main grid, and the overlay goes.
void JW_txtInput_LostFocus(App& app);

// The grid pop-up "Grid編集".
void JW_pmnuCopy_Click(App& app);
void JW_pmnuCut_Click(App& app);
void JW_pmnuDel_Click(App& app);
void JW_pmnuPaste_Click(App& app);
void JW_pmnuUndo_Click(App& app);
bool jwUndoAvailable(const App& app);

// ---- The reference area ---------------------------------------------------------------

void frameRef_Click(App& app);  // also "参照終了"
void optRefClass_Click(App& app, bool classKind);
void cmbRef_Click(App& app, int index);
void pmnuRefCopy_Click(App& app);

// ---- Tally and closing ------------------------------------------------------------------

// "集計": the main window shows the timetable tally's state; true when the tally dialog
// is to be shown.
bool cmdKei_Click(App& app);
// "閉じる".
void cmdOK_Click(App& app);
// Keeps the window's choices in FileSettings: the kinds of the list and the reference
// and the list positions, so that they come back with the data file.
void storeJWChoices(App& app);
// Every close of the window (also its close box); does nothing when it is not open.
void JW_Form_Unload(App& app);

// The client size the user gave the window last (twips, without the reference area),
// kept in the program's settings store beside its other choices; 0 for a side never
// stored or holding a value no screen could hold.
struct JWStoredSize {
  int width = 0, height = 0;
};
JWStoredSize storedJWSize(App& app);
void storeJWSize(App& app, JWStoredSize size);

// Messages of the window.
extern const char* const kMsgJWNoRefTitle;  // "MOKTA"

}  // namespace tly
