#include "session/windows/history.h"
#include "session/windows/frmjw/timetablewindow.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "model/basic.h"
#include "rules/celltext.h"
#include "rules/timetablestore.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/menus.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmmain/timetablemode.h"

namespace tly {

const char* const kMsgJWNoRefTitle = "MOKTA";

namespace {

// "時間割名（学級名）" or "時間割名（教師名）" for the kind being edited.
std::string kindName(const App& app) { return jwKind(app) == 0 ? "時間割名（学級名）" : "時間割名（教師名）"; }

JWRec* selectedRecord(App& app) {
  const int n = jwSelectedNumber(app);
  return n > 0 ? &app.Y.JW[jwKind(app)][n] : nullptr;
}

int periods(const App& app) { return timetablePeriods(app.Y); }

void setClipboard(App& app, const std::string& text) {
  if (!app.P.clipboard) return;
  app.P.clipboard->clear();
  app.P.clipboard->setText(text);
}

// Selecting a list position runs the list's click, which shows that timetable.
void selectList(App& app, int index) {
  JWForm& f = app.JWF;
  f.lstJW.index = (index >= 0 && index < f.lstJW.size()) ? index : -1;
  if (f.lstJW.selected()) f.JWListPos = f.lstJW.index;
  DispJWGrid(app);
}

// A step of the history that watches the selected timetable.
StepRecorder cellStep(App& app, const char* name) {
  StepRecorder step(app, name);
  step.timetable(jwKind(app), jwSelectedNumber(app));
  return step;
}

// A step that watches every timetable of the kind shown (the list operations move them).
StepRecorder listStep(App& app, const char* name) {
  StepRecorder step(app, name);
  step.timetables(jwKind(app));
  return step;
}

void collapseToCursor(Grid& g) { g.setCurrent(g.Row, g.Col); }

bool listEmpty(const App& app) { return app.JWF.lstJW.items.empty(); }

void applyKindLabels(JWForm& f) {
  f.label1 = f.optClass ? "学級名：" : "教師名：";
  f.label2 = f.optClass ? "教科名：" : "学級名：";
}

// A name as it is stored: what was typed, made safe to keep in a data file.
std::string storedName(const std::string& typed) { return cleanCellText(typed); }

// Adds NewJWName (or the name box) as the last timetable. False when the kind is full.
bool appendName(App& app, const std::string& name) {
  JWForm& f = app.JWF;
  StepRecorder step = listStep(app, kStepTimetableAdd);
  const int n = appendTimetable(app.Y, jwKind(app), storedName(name));
  if (n == 0) {
    app.msg(kMsgTimetableFull);
    return false;
  }
  f.lstJW.items.push_back(trimBlanks(app.Y.JW[jwKind(app)][n].JWName));
  clearTimetableGrid(f.Grid1, periods(app));
  f.NewJWName.clear();
  f.txtJW.clear();
  selectList(app, f.lstJW.size() - 1);
  if (f.refShown) SetCmbRef(app);
  step.commit(app);
  return true;
}

void insertName(App& app, const std::string& name) {
  JWForm& f = app.JWF;
  if (timetableCountOf(app.Y, jwKind(app)) >= kMaxTimetables) {
    app.msg(kMsgTimetableFull);
    return;
  }
  const int p = f.lstJW.selected() ? f.lstJW.index : 0;
  StepRecorder step = listStep(app, kStepTimetableInsert);
  const int n = insertTimetable(app.Y, jwKind(app), p, storedName(name));
  if (n == 0) return;
  const std::string shown = trimBlanks(app.Y.JW[jwKind(app)][n].JWName);
  if (p >= f.lstJW.size()) f.lstJW.items.push_back(shown);
  else f.lstJW.items.insert(f.lstJW.items.begin() + p, shown);
  f.txtJW.clear();
  f.NewJWName.clear();
  selectList(app, n - 1);
  if (f.refShown) SetCmbRef(app);
  step.commit(app);
}

}  // namespace

int jwKind(const App& app) { return app.JWF.optClass ? kClassTimetables : kTeacherTimetables; }

int jwSelectedNumber(const App& app) {
  const JWForm& f = app.JWF;
  if (!f.lstJW.selected()) return 0;
  const int n = f.lstJW.index + 1;
  return n <= timetableCountOf(app.Y, jwKind(app)) ? n : 0;
}

// ---- Opening and the list -------------------------------------------------------------------

void JW_Form_Load(App& app) {
  JWForm& f = app.JWF;
  auto number = [&app](const char* key, int def) {
    const double v = Val(app.setting(key, std::to_string(def)));
    return (v < -1e6 || v > 1e6) ? def : static_cast<int>(roundHalfEven(v));
  };
  f.left = number("JWLeft", 2000);
  f.top = number("JWTop", 2000);
  f.windowState = 0;
  const bool cls = app.Y.Fs.FsJWClass != 0;
  f.optClass = cls;
  f.optRefClass = cls;
  f.JWListPos = std::max<int>(0, app.Y.Fs.FsLstJW);
  f.JWRefPos = std::max<int>(0, app.Y.Fs.FsCmbRef);
  f.JWNameMode = 0;
  f.NewJWName.clear();
  f.txtJW.clear();
  f.txtInput.clear();
  f.overlayShown = false;
  f.edit = CellEditState{};
  f.mainSelectorsLocked = false;
  f.refShown = false;
  f.cmbRef = JWListState{};
  f.height = kJWHeightOpened;
  f.focus = JWFocus::None;
  f.open = true;
  applyKindLabels(f);
  layoutTimetableGrid(f.Grid1, periods(app));
  layoutTimetableGrid(f.Grid2, periods(app), "参照");
  sizeTimetableColumns(f.Grid1, kJWGridWidth);
  sizeTimetableColumns(f.Grid2, kJWGridWidth);
  clearTimetableGrid(f.Grid2, periods(app));
  SetJWList(app);
  DispJWGrid(app);
}

void SetJWList(App& app) {
  JWForm& f = app.JWF;
  f.lstJW = JWListState{};
  app.S.JWMode = f.optClass ? JWModeKind::Class : JWModeKind::Teacher;
  const int kind = jwKind(app);
  const int count = timetableCountOf(app.Y, kind);
  for (int n = 1; n <= count; ++n) f.lstJW.items.push_back(trimBlanks(app.Y.JW[kind][n].JWName));
  if (count > 0) f.lstJW.index = f.JWListPos < count ? std::max(0, f.JWListPos) : 0;
}

void DispJWGrid(App& app) {
  JWForm& f = app.JWF;
  const int jigen = periods(app);
  if (listEmpty(app)) {
    app.S.JWNo = 1;
    clearTimetableGrid(f.Grid1, jigen);
    return;
  }
  if (!f.lstJW.selected()) f.lstJW.index = 0;
  app.S.JWNo = f.lstJW.index + 1;
  if (const JWRec* rec = selectedRecord(app)) timetableToGrid(*rec, f.Grid1, jigen);
  else clearTimetableGrid(f.Grid1, jigen);
  f.txtInput.clear();
  f.Grid1.setCurrent(1, 1);
}

void FData2JWData(App& app) {
  JWForm& f = app.JWF;
  const int r = f.Grid1.Row, c = f.Grid1.Col;
  if (JWRec* rec = selectedRecord(app)) gridToTimetable(f.Grid1, *rec, periods(app));
  f.Grid1.Row = r;
  f.Grid1.Col = c;
}

void SetCmbRef(App& app) {
  JWForm& f = app.JWF;
  f.cmbRef = JWListState{};
  const int kind = f.optRefClass ? 0 : 1;
  const int count = timetableCountOf(app.Y, kind);
  for (int n = 1; n <= count; ++n) f.cmbRef.items.push_back(trimBlanks(app.Y.JW[kind][n].JWName));
  if (count > 0) f.cmbRef.index = f.JWRefPos < count ? std::max(0, f.JWRefPos) : 0;
}

void DispRefGrid(App& app) {
  JWForm& f = app.JWF;
  const int jigen = periods(app);
  if (f.cmbRef.items.empty()) {
    clearTimetableGrid(f.Grid2, jigen);
    return;
  }
  if (!f.cmbRef.selected()) f.cmbRef.index = 0;
  const int kind = f.optRefClass ? 0 : 1;
  timetableToGrid(app.Y.JW[kind][f.cmbRef.index + 1], f.Grid2, jigen);
  f.Grid2.setCurrent(1, 1);
}

void lstJW_Click(App& app, int index) { selectList(app, index); }

void txtJW_GotFocus(App& app) {
  JWForm& f = app.JWF;
  f.NewJWName.clear();
  if (f.JWNameMode != 1) f.txtJW.clear();
}

void txtJW_Enter(App& app) {
  JWForm& f = app.JWF;
  switch (f.JWNameMode) {
    case 0:
      f.NewJWName = f.txtJW;
      f.focus = JWFocus::CmdJWAdd;
      break;
    case 2:
      f.NewJWName = f.txtJW;
      f.JWNameMode = 0;
      f.focus = JWFocus::CmdJWIns;
      break;
    default: {
      // Completes a rename; an empty name is taken as it is.
      StepRecorder step = cellStep(app, kStepTimetableRename);
      if (JWRec* rec = selectedRecord(app)) rec->JWName = storedName(trimBlanks(f.txtJW));
      step.commit(app);
      f.JWNameMode = 0;
      f.txtJW.clear();
      SetJWList(app);
      DispJWGrid(app);
      if (f.refShown) SetCmbRef(app);
      f.focus = JWFocus::LstJW;
      break;
    }
  }
}

void cmdJWAdd_Click(App& app) {
  JWForm& f = app.JWF;
  if (!jwListCommandsEnabled(app)) return;
  if (f.txtJW.empty()) {
    app.msg(kindName(app) + "を入力してください。");
    f.focus = JWFocus::TxtJW;
    return;
  }
  appendName(app, f.txtJW);
}

void cmdJWAdd_GotFocus(App& app) {
  JWForm& f = app.JWF;
  if (f.NewJWName.empty()) {
    if (f.txtJW == "\r\n") f.txtJW.clear();
    return;
  }
  const std::string name = f.NewJWName;
  if (!appendName(app, name)) {
    f.NewJWName.clear();
    return;
  }
  f.focus = JWFocus::TxtJW;
}

void cmdJWIns_Click(App& app) {
  JWForm& f = app.JWF;
  if (!jwListCommandsEnabled(app)) return;
  if (f.txtJW.empty()) {
    app.msg(kindName(app) + "を入力してください。");
    f.JWNameMode = 2;
    f.focus = JWFocus::TxtJW;
    return;
  }
  insertName(app, f.txtJW);
}

void cmdJWIns_GotFocus(App& app) {
  JWForm& f = app.JWF;
  if (f.NewJWName.empty()) return;
  const std::string name = f.NewJWName;
  f.NewJWName.clear();
  insertName(app, name);
}

void cmdJWDel_Click(App& app) {
  JWForm& f = app.JWF;
  if (!jwListCommandsEnabled(app) || !f.lstJW.selected()) return;
  const int p = f.lstJW.index;
  if (app.msg(f.lstJW.items[static_cast<size_t>(p)] + " の時間割を削除します。", MsgButtons::OKCancel) != MsgResult::OK)
    return;
  StepRecorder step = listStep(app, kStepTimetableDelete);
  if (!deleteTimetable(app.Y, jwKind(app), p + 1)) return;
  f.lstJW.items.erase(f.lstJW.items.begin() + p);
  f.lstJW.index = -1;
  if (f.refShown) SetCmbRef(app);
  if (!listEmpty(app)) selectList(app, p < f.lstJW.size() ? p : p - 1);
  else DispJWGrid(app);
  step.commit(app);
}

void pmnuListED_Click(App& app) {
  JWForm& f = app.JWF;
  if (!f.lstJW.selected()) return;  // nothing to rename
  f.JWNameMode = 1;
  f.txtJW = trimBlanks(f.lstJW.items[static_cast<size_t>(f.lstJW.index)]);
  f.focus = JWFocus::TxtJW;
}

bool jwListCommandsEnabled(const App& app) { return app.JWF.JWNameMode != 1; }

void optClass_Click(App& app, bool classKind) {
  JWForm& f = app.JWF;
  if (!jwListCommandsEnabled(app)) return;
  f.optClass = classKind;
  applyKindLabels(f);
  SetJWList(app);
  selectList(app, listEmpty(app) ? -1 : 0);
  // The month view follows the kind being edited.
  app.V.timetable = classKind ? TimetableView::Class : TimetableView::Teacher;
  ToolBarRefresh(app);
}

// ---- The grid and its cell edit ------------------------------------------------------------

JWGridKey JW_Grid1_KeyDown(App& app, int keyCode, int shift) {
  JWForm& f = app.JWF;
  Grid& g = f.Grid1;
  const bool ctrlOnly = shift == kCtrlBit;
  if (ctrlOnly && keyCode == 'C') return JW_pmnuCopy_Click(app), JWGridKey::Handled;
  if (ctrlOnly && keyCode == 'X') return JW_pmnuCut_Click(app), JWGridKey::Handled;
  if (ctrlOnly && keyCode == 'V') return JW_pmnuPaste_Click(app), JWGridKey::Handled;
  switch (keyCode) {
    case kKeyEnter:
      if (shift == 0 && g.Row < g.rows() - 1) g.setCurrent(g.Row + 1, g.Col);
      else if (shift == kShiftBit && g.Row > 1) g.setCurrent(g.Row - 1, g.Col);
      return JWGridKey::Handled;
    case kKeyF2:
      f.edit.InputMode = EditStart::KeyOrClick;
      return JWGridKey::StartEdit;
    case kKeyDelete:
      JW_pmnuDel_Click(app);
      return JWGridKey::Handled;
    default:
      return JWGridKey::None;
  }
}

bool JW_Grid1_KeyPressText(App& app, const std::string& ch) {
  recordTypedChar(app.JWF.edit, ch);
  return app.JWF.edit.InputMode == EditStart::Typed;
}

bool JW_Grid1_KeyUp(App& app, int keyCode, int shift) {
  // The window leaves out the releases of keys pressed with Ctrl or Alt (ui/keychord.h).
  return keyReleaseStartsEdit(app.JWF.edit, keyCode, shift);
}

bool JW_Grid1_DblClick(App& app) {
  app.JWF.edit.InputMode = EditStart::KeyOrClick;
  return true;
}

void JW_GText1_GotFocus(App& app) { app.JWF.edit.InputMode = EditStart::MirrorClick; }

bool JW_txtInput_GotFocus(App& app) {
  JWForm& f = app.JWF;
  if (f.edit.InputMode == EditStart::None) {
    // Focus came by Tab or a click on the box: it moves on to the list side.
    f.focus = f.lstJW.size() < 2 ? JWFocus::TxtJW : JWFocus::LstJW;
    return false;
  }
  if (listEmpty(app)) {
    app.msg(kindName(app) + "の登録が必要です。");
    f.edit = CellEditState{};
    f.focus = JWFocus::TxtJW;
    return false;
  }
  const Grid& g = f.Grid1;
  f.txtInput = editStartText(f.edit, trimBlanks(g.text(g.Row, g.Col)), f.txtInput);
  f.overlayShown = true;
  return true;
}

bool JW_txtInput_KeyDown(App& app, int keyCode, int shift) {
  JWForm& f = app.JWF;
  if (!editEndKey(f.edit, keyCode, shift, f.txtInput)) return false;
  if (editEndStores(f.edit)) {
    Grid& g = f.Grid1;
    JWRec* rec = selectedRecord(app);
    if (rec && g.Row >= 1 && g.Row <= 6 && g.Col >= 1 && g.Col <= periods(app)) {
      const std::string t = cleanCellText(f.txtInput);
      StepRecorder step = cellStep(app, kStepTyping);
      g.setText(g.Row, g.Col, t);
      rec->JWCell[static_cast<size_t>(g.Row)][static_cast<size_t>(g.Col)] = t;
      step.commit(app);
    }
  }
  f.focus = JWFocus::Grid1;
  return true;
}

void JW_Grid1_GotFocus(App& app) {
  JWForm& f = app.JWF;
  f.overlayShown = false;
  moveAfterEdit(f.edit, f.Grid1, 1);
  resetEdit(f.edit);
  f.txtInput.clear();
}

void JW_txtInput_LostFocus(App& app) {
  JWForm& f = app.JWF;
  f.overlayShown = false;
  resetEdit(f.edit);
  f.txtInput.clear();
}

void JW_pmnuCopy_Click(App& app) {
  JWForm& f = app.JWF;
  if (listEmpty(app)) return;
  setClipboard(app, copyTimetableCells(f.Grid1));
  collapseToCursor(f.Grid1);
  f.focus = JWFocus::Grid1;
}

namespace {

// Cut and delete: the selected cells emptied as one step (cut puts them on the clipboard first).
void clearSelection(App& app, bool toClipboard) {
  JWForm& f = app.JWF;
  if (listEmpty(app)) return;
  StepRecorder step = cellStep(app, toClipboard ? kStepCut : kStepDelete);
  if (toClipboard) setClipboard(app, copyTimetableCells(f.Grid1));
  clearSelectedTimetableCells(f.Grid1);
  FData2JWData(app);
  step.commit(app);
  collapseToCursor(f.Grid1);
  f.focus = JWFocus::Grid1;
}

}  // namespace

void JW_pmnuCut_Click(App& app) { clearSelection(app, true); }
void JW_pmnuDel_Click(App& app) { clearSelection(app, false); }

void JW_pmnuPaste_Click(App& app) {
  JWForm& f = app.JWF;
  if (listEmpty(app)) return;
  const std::string text = app.P.clipboard ? app.P.clipboard->text() : std::string();
  switch (pasteTimetableCells(f.Grid1, text)) {
    case TimetablePaste::NothingToPaste:
      app.msg(kMsgPasteNothing);
      return;
    case TimetablePaste::DoesNotFit:
      app.msg(kMsgPasteOrigin);
      return;
    case TimetablePaste::NoLines:
      return;
    case TimetablePaste::Pasted:
      break;
  }
  StepRecorder step = cellStep(app, kStepPaste);
  FData2JWData(app);
  step.commit(app);
  f.focus = JWFocus::Grid1;
}

void JW_pmnuUndo_Click(App& app) { timetableUndo(app); }

bool jwUndoAvailable(const App& app) { return timetableUndoAvailable(app); }

// ---- The reference area -----------------------------------------------------------------------

void frameRef_Click(App& app) {
  JWForm& f = app.JWF;
  if (timetableCountOf(app.Y, 0) == 0 && timetableCountOf(app.Y, 1) == 0) {
    app.msg(std::string("参照するための時間割が登録されていません。\n") +
                (f.optClass ? "学級名を追加後、時間割に教科名を設定してください。"
                            : "教師名を追加後、時間割に学級名などを設定してください。"),
            MsgButtons::OKCancel, MsgIcon::None, kMsgJWNoRefTitle);
    return;
  }
  if (f.refShown) {
    f.height = kJWHeightNoRef;
    f.refShown = false;
    return;
  }
  f.height = kJWHeightRef;
  f.refShown = true;
  if (timetableCountOf(app.Y, f.optRefClass ? 0 : 1) == 0) f.optRefClass = !f.optRefClass;
  SetCmbRef(app);
  DispRefGrid(app);
}

void optRefClass_Click(App& app, bool classKind) {
  app.JWF.optRefClass = classKind;
  SetCmbRef(app);
  DispRefGrid(app);
}

void cmbRef_Click(App& app, int index) {
  JWForm& f = app.JWF;
  if (index >= 0 && index < f.cmbRef.size()) {
    f.cmbRef.index = index;
    f.JWRefPos = index;
  }
  DispRefGrid(app);
}

void pmnuRefCopy_Click(App& app) {
  JWForm& f = app.JWF;
  setClipboard(app, copyTimetableCells(f.Grid2));
  collapseToCursor(f.Grid2);
  f.focus = JWFocus::Grid1;
}

// ---- Tally and closing -------------------------------------------------------------------------

void storeJWChoices(App& app) {
  const JWForm& f = app.JWF;
  FileSettings& fs = app.Y.Fs;
  fs.FsJWClass = f.optClass ? -1 : 0;
  fs.FsRefClass = f.optRefClass ? -1 : 0;
  fs.FsLstJW = static_cast<int16_t>(std::clamp(f.JWListPos, 0, kMaxTimetables - 1));
  fs.FsCmbRef = static_cast<int16_t>(std::clamp(f.JWRefPos, 0, kMaxTimetables - 1));
}

bool cmdKei_Click(App& app) {
  JWForm& f = app.JWF;
  if (!jwListCommandsEnabled(app)) return false;
  if (listEmpty(app)) {
    app.msg(kindName(app) + "の登録と\n時間割設定が必要です。");
    return false;
  }
  f.mainSelectorsLocked = true;
  app.V.tally = true;
  app.V.copyAllRenamed = true;
  app.V.timetable = f.optClass ? TimetableView::Class : TimetableView::Teacher;
  ToolBarRefresh(app);
  return true;
}

void cmdOK_Click(App& app) {
  JWForm& f = app.JWF;
  if (!f.open) return;
  storeJWChoices(app);
  app.V.copyAllRenamed = true;
  app.S.JWMode = JWModeKind::None;
  if (app.V.tally) {
    SetJJGrid(app);
    DispJJ(app, app.S.CurYear, app.S.CurMonth);
  }
  app.W.txtInput.clear();
  app.Grid1.setCurrent(1, 2);
  f.mainSelectorsLocked = false;
  ToolBarRefresh(app);
  JW_Form_Unload(app);
}

void JW_Form_Unload(App& app) {
  JWForm& f = app.JWF;
  if (!f.open) return;
  f.open = false;  // the close runs once, also when leaving the tally view closes it again
  auto step = [](auto&& fn) {
    try {
      fn();
    } catch (...) {
    }
  };
  step([&] { storeJWChoices(app); });
  step([&] {
    app.W.txtInput.clear();
    f.mainSelectorsLocked = false;
  });
  step([&] { leaveTallyView(app); });
  step([&] {
    app.V.timetableMode = false;
    app.V.copyAllRenamed = true;
    app.S.JWMode = JWModeKind::None;
  });
  step([&] {
    EnableMenu(app);
    SetCmbDispJW(app);
  });
  step([&] {
    if (f.windowState != 0) return;
    app.storeSetting("JWLeft", std::to_string(f.left));
    app.storeSetting("JWTop", std::to_string(f.top));
  });
  step([&] { DispJJ(app, app.S.CurYear, app.S.CurMonth); });
  f.overlayShown = false;
  f.edit = CellEditState{};
}

namespace {

constexpr const char* kJWWidthKey = "JWWidth";
constexpr const char* kJWHeightKey = "JWHeight";

int storedTwips(App& app, const char* key) {
  const std::string stored = app.setting(key, "0");
  std::string_view raw = stored;
  while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\t')) raw.remove_prefix(1);
  while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t')) raw.remove_suffix(1);
  int v = 0;
  const auto [end, ec] = std::from_chars(raw.data(), raw.data() + raw.size(), v);
  if (ec != std::errc() || end != raw.data() + raw.size()) return 0;
  return v > 0 && v <= 60000 ? v : 0;
}

}  // namespace

JWStoredSize storedJWSize(App& app) { return {storedTwips(app, kJWWidthKey), storedTwips(app, kJWHeightKey)}; }

void storeJWSize(App& app, JWStoredSize size) {
  app.storeSetting(kJWWidthKey, std::to_string(size.width));
  app.storeSetting(kJWHeightKey, std::to_string(size.height));
}

}  // namespace tly
