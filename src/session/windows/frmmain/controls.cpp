#include "session/windows/frmmain/controls.h"

#include <algorithm>

#include "session/windows/celledit.h"
#include "session/windows/history.h"

namespace tly {

const char* const kCopyAllMonthCaption = "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";
const char* const kCopyAllTallyCaption = "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";

namespace {

using C = Command;

// Commands that would replace or resize the year under the tally; the toolbar has
// buttons for the first three.
const Command kTallyLocked[] = {C::Open, C::Save, C::New, C::NSave, C::ColWidth, C::NextYear};

// The commands that timetable mode forbids, with their toolbar buttons; the buttons of
// the View menu's entries go with the menu.
const Command kTimetableLocked[] = {C::Open,       C::Save,     C::NSave,     C::New,      C::End,
                                    C::Undo,       C::Redo,     C::Cut,      C::Del,       C::Paste,    C::EditAll,
                                    C::CopyMode,   C::ViewMenu, C::PopupUndo, C::PopupCut, C::PopupDel,
                                    C::PopupPaste, C::PopupEditAll, C::PopupCopyMode,
                                    C::NextYear};
const Command kTimetableLockedButtons[] = {C::Font, C::DispJWC, C::DispJWS, C::UDisp};

static_assert(commandIndex(C::PopupItem16) - commandIndex(C::PopupItem1) + 1 == kPopupItems);

}  // namespace

ControlStates mainControls(const App& app) {
  const ViewState& v = app.V;
  ControlStates c;
  auto menu = [&](Command k) -> MenuItemState& { return c.menu[commandIndex(k)]; };
  auto button = [&](Command k) -> ToolButtonState& { return c.button[commandIndex(k)]; };
  // A check mark and, where the command has a button, its pressed state.
  auto check = [&](Command k, bool on) { menu(k).checked = button(k).pressed = on; };

  check(C::Kei, v.tally);
  check(C::Jikanwari, v.timetableMode);
  check(C::UDisp, v.changesOnly);
  check(C::DispJWC, v.timetable == TimetableView::Class);
  check(C::DispJWS, v.timetable == TimetableView::Teacher);
  check(C::EditAll, v.editAll);
  check(C::PopupEditAll, v.editAll);
  check(C::CopyMode, v.copyMode);
  check(C::PopupCopyMode, v.copyMode);
  check(C::ShowToolBar, v.toolBar);

  // 取り消し and やり直し name the step they take and are off when there is none; in the
  // tally view 取り消し leaves the view, and there is nothing to redo there.
  const bool undo = v.tally || app.H.canUndo(), redo = !v.tally && app.H.canRedo();
  for (Command k : {C::Undo, C::PopupUndo}) menu(k).enabled = button(k).enabled = undo;
  menu(C::Redo).enabled = button(C::Redo).enabled = redo;
  if (!v.tally) {
    menu(C::Undo).caption = undoCaption(app);
    menu(C::Redo).caption = redoCaption(app);
    if (const Step* s = app.H.undoStep()) menu(C::PopupUndo).caption = std::string("取り消し - ") + s->name;
  }
  c.modified = app.H.modified();
  c.title = app.W.caption + (c.modified ? "*" : "");

  if (v.tally)
    for (Command k : kTallyLocked) menu(k).enabled = button(k).enabled = false;
  if (v.timetableCommandsOff) {
    for (Command k : kTimetableLocked) menu(k).enabled = button(k).enabled = false;
    for (Command k : kTimetableLockedButtons) button(k).enabled = false;
  }
  if (v.copyAllRenamed)
    menu(C::CopyAll).caption = v.tally || v.timetableMode ? kCopyAllTallyCaption : kCopyAllMonthCaption;

  // The pop-up menu's tally items: the item names, shown when the right-click offered them.
  const int items = std::clamp<int>(app.Y.JItemCount, 0, kPopupItems);
  menu(C::PopupSp7).visible = v.popupOffersItems;
  for (int n = 1; n <= kPopupItems; ++n) {
    MenuItemState& m = menu(popupItem(n));
    m.caption = app.Y.JItem[static_cast<size_t>(n - 1)];
    m.visible = v.popupOffersItems && n <= items;
  }

  c.toolBarVisible = v.toolBar;
  // Timetable mode hides the timetable selector; the timetable window's tally shows it
  // again, disabled, with the grade and month selectors.
  const bool locked = app.JWF.mainSelectorsLocked;
  c.timetableSelectorVisible = v.timetableText() && ((!v.tally && !v.timetableMode) || locked);
  c.timetableSelectorEnabled = !locked;
  c.gradeMonthSelectorsEnabled = !locked;
  return c;
}

}  // namespace tly
