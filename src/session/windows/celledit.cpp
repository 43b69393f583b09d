#include "session/windows/history.h"
#include "session/windows/celledit.h"
#include "session/windows/cellstore.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "model/basic.h"
#include "model/cellcode.h"
#include "rules/timetableslot.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly {

const char* const kEditAllText = "全学年一括編集";

namespace {

// Month index of the shown month, or 0 when it is not a calendar month.
int shownMonth(const App& app) { return (app.S.CurMonth >= 1 && app.S.CurMonth <= 12) ? app.S.CurMonth : 0; }

bool isArrow(int key) { return key >= kKeyLeft && key <= kKeyDown; }

// UTF-8 text of a single-byte character code of the old code page: ASCII, or the
// half-width katakana 161..223. 160 has no character.
std::string singleByteCharText(int code) {
  if (code >= 32 && code <= 126) return std::string(1, static_cast<char>(code));
  if (code >= 161 && code <= 223) {
    unsigned cp = 0xFF61u + static_cast<unsigned>(code - 161);
    std::string s;
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
    return s;
  }
  return {};
}

bool inSingleByteRange(int code) { return (code >= 32 && code <= 126) || (code >= 160 && code <= 223); }

// Code point of a one-character UTF-8 text, or -1.
long singleCodePoint(const std::string& s) {
  size_t n = utf8CharLen(s);
  if (n == 0 || n != s.size()) return -1;
  auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  if (n == 1) return b(0) < 0x80 ? b(0) : -1;
  if (n == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  if (n == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
}

void storeCode(App& app, int row, int period, int16_t code) {
  int m = shownMonth(app);
  GradeRange gr = editGrades(app);
  for (int g = gr.first; g <= gr.last; ++g) app.Y.JJ[g][m][row][period] = code;
}

void storeText(App& app, int row, int kind, const std::string& text) {
  int m = shownMonth(app);
  GradeRange gr = editGrades(app);
  for (int g = gr.first; g <= gr.last; ++g) app.Y.JJText[g][m][row][kind] = text;
}

}  // namespace

bool editAllMode(const App& app) { return app.V.editAll; }
bool tallyViewShown(const App& app) { return app.V.tally; }
bool timetableSettingShown(const App& app) { return app.V.timetableMode; }

GradeRange editGrades(const App& app) {
  if (editAllMode(app)) return {0, std::clamp<int>(app.Y.Ggn, 0, kGrades) - 1};
  int g = std::clamp(app.S.CurGr, 1, kGrades) - 1;
  return {g, g};
}

bool isEventsColumn(const App&, int col) { return col == 2; }
bool isRemarksColumn(const App& app, int col) { return col > 2 && col == app.Grid1.cols() - 1; }
bool isPeriodColumn(const App& app, int col) {
  return col >= 3 && col <= app.Grid1.cols() - 2 && col - 2 < kPeriodSlots;
}
bool isDayRow(const App& app, int row) { return row >= 1 && row < kDaySlots && row < app.Grid1.rows(); }

const char* const kMsgControlsRemoved = "入力に含まれていた制御文字 (タブ・改行など) を取り除いて記録しました。";

std::optional<DecodedCell> decodeForCell(const App& app, int row, int col, std::string_view text) {
  if (auto d = decodeCellText(app.Y, text)) return d;
  const int m = shownMonth(app);
  if (m == 0 || !isDayRow(app, row) || !isPeriodColumn(app, col)) return std::nullopt;
  const CellView view = cellViewOf(app);
  const std::string subject = trimBlanks(text);
  if (view.timetableKind < 0 || subject.empty()) return std::nullopt;
  const int weekday = Youbi(app.S.CurYear, m, row);
  // The cell already shows this lesson (F2 and Enter on it): its code stays.
  const int g = std::clamp(app.S.CurGr, 1, kGrades) - 1;
  const int16_t now = app.Y.JJ[g][m][row][col - 2];
  if (isSlotCode(now) && cellText(app.Y, view, m, row, weekday, col - 2, now) == subject &&
      timetableSlotOf(app.Y, view, slotWeekday(now), subject) == now)
    return DecodedCell{now, subject, true};
  const int16_t slot = timetableSlotOf(app.Y, view, weekday, subject);
  if (slot == 0) return std::nullopt;
  return DecodedCell{slot, subject, true};
}

std::string undecodedCellMessage(const App& app, std::string_view text) {
  const std::string t = "「" + trimBlanks(cleanCellText(text)) + "」";
  if (app.V.timetableText())
    return t + "は集計項目でも時間割の授業でもありません。セルは変更されていません。";
  return t + "は集計項目ではありません。セルは変更されていません。（授業名は学級・教師時間割の表示中に入力できます）";
}

CellStore storePastedValue(App& app, int row, int col, std::string_view text) {
  if (!isDayRow(app, row) || shownMonth(app) == 0) return CellStore::Nothing;
  std::string v = cleanCellText(text);
  if (isEventsColumn(app, col) || isRemarksColumn(app, col)) {
    storeText(app, row, isEventsColumn(app, col) ? 0 : 1, v);
    return CellStore::Text;
  }
  if (!isPeriodColumn(app, col) || v.empty()) return CellStore::Nothing;
  auto d = decodeForCell(app, row, col, v);
  if (!d) return CellStore::Undecoded;
  storeCode(app, row, col - 2, d->code);
  return CellStore::Code;
}

bool storeCellValue(App& app, int row, int col, std::string_view text) {
  return storePastedValue(app, row, col, text) == CellStore::Code;
}

void redrawMonth(App& app) { DispJJ(app, app.S.CurYear, app.S.CurMonth); }

// ---- The shared edit machinery ------------------------------------------------------

void recordTypedCode(CellEditState& e, int charCode) {
  if (!inSingleByteRange(charCode)) return;
  e.InputKey = charCode;
  e.InputKeyText = singleByteCharText(charCode);
}

void recordTypedChar(CellEditState& e, const std::string& ch) {
  long cp = singleCodePoint(ch);
  if (cp < 0) return;
  if (cp >= 32 && cp <= 126) return recordTypedCode(e, static_cast<int>(cp));
  if (cp >= 0xFF61 && cp <= 0xFF9F) return recordTypedCode(e, 161 + static_cast<int>(cp - 0xFF61));
  if (cp < 0xA0) return;
  // Any other printable character (kana, kanji, full-width forms) starts the edit with
  // itself; the key that produced it is not one of the keys a key release knows.
  e.InputKey = 0;
  e.InputKeyText = ch;
  e.InputMode = EditStart::Typed;
}

bool keyReleaseStartsEdit(CellEditState& e, int keyCode, int shift) {
  if (shift != 0 && shift != kShiftBit) return false;
  bool editKey = keyCode == 32 || (keyCode >= 48 && keyCode <= 59) || (keyCode >= 65 && keyCode <= 90) ||
                 (keyCode >= 96 && keyCode <= 107) || (keyCode >= 109 && keyCode <= 111);
  if (!editKey) return false;
  e.InputMode = EditStart::Typed;
  return true;
}

std::string editStartText(CellEditState& e, const std::string& cellText, const std::string& boxText) {
  std::string t = boxText;
  switch (e.InputMode) {
    case EditStart::Typed:
      if (inSingleByteRange(e.InputKey) || !e.InputKeyText.empty()) t = e.InputKeyText;
      e.InputKeyText.clear();
      break;
    case EditStart::KeyOrClick:
      t = cellText;
      break;
    case EditStart::MirrorClick:
      e.InputMode = EditStart::KeyOrClick;
      break;
    case EditStart::None:
      break;
  }
  return t;
}

bool editEndKey(CellEditState& e, int keyCode, int shift, const std::string& boxText) {
  if (keyCode == kKeyPadEnter) keyCode = kKeyEnter;
  e.InputShift = shift;
  bool ends = keyCode == kKeyEnter || keyCode == kKeyEscape || (e.InputMode != EditStart::KeyOrClick && isArrow(keyCode));
  if (!ends) return false;
  e.InputText = boxText;
  e.InputKey = keyCode;
  return true;
}

bool editEndStores(const CellEditState& e) {
  return e.InputKey == kKeyEnter || (isArrow(e.InputKey) && e.InputMode != EditStart::KeyOrClick);
}

void moveAfterEdit(const CellEditState& e, Grid& g, int firstCol) {
  if (!editEndStores(e)) return;
  const int r = g.Row, c = g.Col, rows = g.rows(), cols = g.cols();
  switch (e.InputKey) {
    case kKeyEnter:
      if (e.InputShift == 0 && r < rows - 1) g.setCurrent(r + 1, c);
      else if (e.InputShift == kShiftBit && r > 1) g.setCurrent(r - 1, c);
      break;
    case kKeyLeft:
      if (c > firstCol) g.setCurrent(r, c - 1);
      break;
    case kKeyUp:
      if (r > 1) g.setCurrent(r - 1, c);
      break;
    case kKeyRight:
      if (c < cols - 1) g.setCurrent(r, c + 1);
      break;
    case kKeyDown:
      if (r < rows - 1) g.setCurrent(r + 1, c);
      break;
  }
}

void resetEdit(CellEditState& e) {
  e.InputKey = 0;
  e.InputText.clear();
  e.InputKeyText.clear();
  e.InputMode = EditStart::None;
}

// ---- Starting an edit ----------------------------------------------------------------

void Grid1_KeyPress(App& app, int charCode) {
  if (tallyViewShown(app)) return;
  recordTypedCode(app.E, charCode);
}

void Grid1_KeyPressText(App& app, const std::string& ch) {
  if (tallyViewShown(app)) return;
  recordTypedChar(app.E, ch);
}

bool Grid1_KeyUp(App& app, int keyCode, int shift) {
  if (tallyViewShown(app)) return false;
  return keyReleaseStartsEdit(app.E, keyCode, shift);
}

bool Grid1_DblClick(App& app) {
  if (tallyViewShown(app)) return false;
  app.E.InputMode = EditStart::KeyOrClick;
  return true;
}

void GText1_GotFocus(App& app) { app.E.InputMode = EditStart::MirrorClick; }

GridKeyAction Grid1_KeyDown(App& app, int keyCode, int shift) {
  bool ours = keyCode == kKeyF2 || keyCode == kKeyTab || keyCode == kKeyEnter || keyCode == kKeyDelete;
  if (!ours) return GridKeyAction::None;
  if (tallyViewShown(app)) return GridKeyAction::Handled;
  Grid& g = app.Grid1;
  switch (keyCode) {
    case kKeyF2:
      app.E.InputMode = EditStart::KeyOrClick;
      return GridKeyAction::StartEdit;
    case kKeyTab:
      if (shift == 0 && g.Col < g.cols() - 1) g.setCurrent(g.Row, g.Col + 1);
      else if (shift == kShiftBit && g.Col > 2) g.setCurrent(g.Row, g.Col - 1);
      return GridKeyAction::Handled;
    case kKeyEnter:
      if (shift == 0 && g.Row < g.rows() - 1) g.setCurrent(g.Row + 1, g.Col);
      else if (shift == kShiftBit && g.Row > 1) g.setCurrent(g.Row - 1, g.Col);
      return GridKeyAction::Handled;
    default:
      mnuDel_Click(app);
      return GridKeyAction::Handled;
  }
}

// ---- The edit in the entry box -----------------------------------------------------

bool txtInput_GotFocus(App& app) {
  if (app.E.InputMode == EditStart::None) {
    // Focus arrived without an edit (a click on the box, Tab): hand it back; the commit
    // then stores nothing.
    app.E.InputMode = EditStart::KeyOrClick;
    return false;
  }
  app.W.txtInput = editStartText(app.E, app.Grid1.text(app.Grid1.Row, app.Grid1.Col), app.W.txtInput);
  return true;
}

bool txtInput_KeyDown(App& app, int keyCode, int shift) { return editEndKey(app.E, keyCode, shift, app.W.txtInput); }

// ---- Commit ------------------------------------------------------------------------

bool Grid1_GotFocus(App& app) {
  Grid& g = app.Grid1;
  app.W.txtInput = app.E.InputText;
  bool allowed = editEndStores(app.E);
  bool stored = false;
  bool redraw = false;
  std::string undecoded;
  if (allowed) {
    const bool hadControls = hasControlCharacters(app.W.txtInput);
    std::string t = cleanCellText(app.W.txtInput);
    int r = g.Row, c = g.Col;
    StepRecorder step(app, kStepTyping);
    if (isDayRow(app, r) && shownMonth(app) != 0) {
      step.day(shownMonth(app), r);
      if (isEventsColumn(app, c) || isRemarksColumn(app, c)) {
        g.setText(r, c, t);
        storeText(app, r, isEventsColumn(app, c) ? 0 : 1, t);
        stored = true;
      } else if (isPeriodColumn(app, c) && !t.empty()) {
        if (auto d = decodeForCell(app, r, c, t)) {
          g.setText(r, c, d->shown);
          if (d->code == 0 && !d->redraw) app.W.txtInput = d->shown;
          storeCode(app, r, c - 2, d->code);
          stored = true;
          redraw = d->redraw;
        } else {
          // The cell keeps its lesson; the user is told why instead of seeing the text vanish.
          undecoded = undecodedCellMessage(app, t);
        }
      }
    }
    step.commit(app);
    // Move after the store.
    moveAfterEdit(app.E, g, 2);
    if (redraw) redrawMonth(app);
    // A tab or a line break cannot stand in a cell: what was stored is told to differ.
    app.W.panel[0] = stored && hadControls ? std::string(kMsgControlsRemoved) : undecoded;
  }
  resetEdit(app.E);
  app.W.txtInput.clear();
  return stored;
}

// ---- Pop-up menu and edit-all -------------------------------------------------------

std::string popupItemCaption(const App& app, int n) {
  if (n < 1 || n > kItemSlots) return {};
  return app.Y.JItem[static_cast<size_t>(n - 1)];
}

bool Grid1_RightMouseDown(App& app) {
  if (tallyViewShown(app)) return false;
  const Grid& g = app.Grid1;
  int left = g.selLeft(), right = g.selRight();
  bool wholeColumn = g.rows() == g.RowSel + 1 && g.Row == 1;
  bool show = !wholeColumn && right < g.cols() - 1 && left > 2 && app.S.JWMode == JWModeKind::None;
  app.V.popupOffersItems = show;
  return true;
}

void pmnuJItem_Click(App& app, int index) {
  const Grid& g = app.Grid1;
  int left = g.selLeft(), right = g.selRight(), top = g.selTop(), bottom = g.selBottom();
  if (index >= 1 && index <= kItemSlots && left > 1 && top > 0 && shownMonth(app) != 0) {
    StepRecorder step(app, kStepItem);
    step.month(shownMonth(app));
    // Only period cells take an item code; the day-text columns have no code.
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c)
        if (isDayRow(app, r) && isPeriodColumn(app, c)) storeCode(app, r, c - 2, static_cast<int16_t>(-index));
    step.commit(app);
  }
  redrawMonth(app);
}

void showEditAllState(App& app) {
  app.W.panel[2] = app.V.editAll ? kEditAllText : "";
}

void mnuEditAll_Click(App& app) {
  app.V.editAll = !app.V.editAll;
  showEditAllState(app);
}

}  // namespace tly
