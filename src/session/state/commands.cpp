#include "session/state/commands.h"

#include <iterator>

namespace tly {

namespace {

using C = Command;

// One row per Command, in the enum's order.
constexpr CommandInfo kCommands[] = {
    {C::FileMenu, "mnuFile", "ファイル(&F)", nullptr, false, nullptr, nullptr, nullptr},
    {C::New, "mnuNew", "新規作成(&N)", "Ctrl+N", false, "New", "新規作成", nullptr},
    {C::NextYear, "mnuNextYear", "次年度を作成(&Y)...", nullptr, false, nullptr, nullptr, nullptr},
    {C::Open, "mnuOpen", "開く(&O)...", "Ctrl+O", false, "Open", "開く", nullptr},
    {C::Save, "mnuSave", "保存(&S)", "Ctrl+S", false, "Save", "保存", nullptr},
    {C::NSave, "mnuNSave", "名前を付けて保存(&A)...", "Ctrl+Shift+S", false, nullptr, nullptr, nullptr},
    {C::Print, "mnuPrint", "印刷(&P)...", "Ctrl+P", false, "Print", "印刷", "印"},
    {C::End, "mnuEnd", "終了(&X)", "Ctrl+Q", false, nullptr, nullptr, nullptr},
    {C::EditMenu, "mnuEdit", "編集(&E)", nullptr, false, nullptr, nullptr, nullptr},
    {C::Undo, "mnuUndo", "取り消し(&U)", "Ctrl+Z", false, "Undo", "取り消し", nullptr},
    {C::Redo, "mnuRedo", "やり直し(&R)", "Ctrl+Y", false, "Redo", "やり直し", nullptr},
    {C::Cut, "mnuCut", "切り取り(&T)", "Ctrl+X", false, "Cut", "切り取り", "切"},
    {C::Copy, "mnuCopy", "複写(&C)", "Ctrl+C", false, "Copy", "ｺﾋﾟｰ", "複"},
    {C::Paste, "mnuPaste", "貼り付け(&P)", "Ctrl+V", false, "Paste", "貼り付け", "貼"},
    {C::Del, "mnuDel", "削除(&D)", nullptr, false, "Del", "削除", nullptr},
    {C::CopyAll, "mnuCopyAll", "月間予定表をクリップボードへ", nullptr, false, nullptr, nullptr, nullptr},
    {C::CopyMode, "mnuCopyMode", "表示データだけを複写(&M)", nullptr, true, nullptr, nullptr, nullptr},
    {C::EditAll, "mnuEditAll", "全学年一括編集(&A)", nullptr, true, nullptr, nullptr, nullptr},
    {C::ViewMenu, "mnuView", "表示(&V)", nullptr, false, nullptr, nullptr, nullptr},
    {C::LastMonth, "mnuLastMonth", "先月(&L)", nullptr, false, nullptr, nullptr, nullptr},
    {C::Today, "mnuToday", "今月(&M)", nullptr, false, nullptr, nullptr, nullptr},
    {C::NextMonth, "mnuNextMonth", "翌月(&N)", nullptr, false, nullptr, nullptr, nullptr},
    {C::Font, "mnuFont", "フォント(&F)", nullptr, false, "Font", "フォント", "Ａ"},
    {C::ColWidth, "mnuColWidth", "列幅変更(&W)", nullptr, false, nullptr, nullptr, nullptr},
    {C::UDisp, "mnuUDisp", "時間割変更だけを表示(&U)", nullptr, true, "DispAll", "時間割変更だけを表示", "変"},
    {C::DispJWC, "mnuDispJWC", "学級時間割を表示(&S)", nullptr, true, "JWC", "学級時間割表示", "級"},
    {C::DispJWS, "mnuDispJWS", "教師時間割を表示(&T)", nullptr, true, "JWS", "教師時間割表示", "師"},
    {C::ShowToolBar, "mnuShowToolBar", "ツールバーを表示(&B)", nullptr, true, nullptr, nullptr, nullptr},
    {C::ToolMenu, "mnuTool", "ツール(&T)", nullptr, false, nullptr, nullptr, nullptr},
    {C::Kei, "mnuKei", "授業時数集計(&C)", nullptr, true, "Kei", "授業時数集計", "計"},
    {C::Jikanwari, "mnuJikanwari", "学級・教師時間割設定", nullptr, true, "JW", "学級・教師時間割設定", "割"},
    {C::JItem, "mnuJItem", "集計項目(&K)", nullptr, false, nullptr, nullptr, nullptr},
    {C::StdHours, "mnuStdHours", "標準時数との比較", nullptr, false, nullptr, nullptr, nullptr},
    {C::HelpMenu, "mnuHelpMenu", "ヘルプ(&H)", nullptr, false, nullptr, nullptr, nullptr},
    {C::Help, "mnuHelp", "ヘルプ(&H)", "F1", false, nullptr, nullptr, nullptr},
    {C::About, "mnuAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupUndo, "pmnuUndo", "取り消し", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupCut, "pmnuCut", "切り取り", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupCopy, "pmnuCopy", "複写", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupPaste, "pmnuPaste", "貼り付け", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupDel, "pmnuDel", "削除", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupEditAll, "pmnuEditAll", "全学年一括編集", nullptr, true, nullptr, nullptr, nullptr},
    {C::PopupCopyMode, "pmnuCopyMode", "表示データだけを複写", nullptr, true, nullptr, nullptr, nullptr},
    {C::PopupSp7, "pmnuSp7", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem1, "pmnuJItem1", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem2, "pmnuJItem2", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem3, "pmnuJItem3", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem4, "pmnuJItem4", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem5, "pmnuJItem5", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem6, "pmnuJItem6", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem7, "pmnuJItem7", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem8, "pmnuJItem8", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem9, "pmnuJItem9", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem10, "pmnuJItem10", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem11, "pmnuJItem11", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem12, "pmnuJItem12", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem13, "pmnuJItem13", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem14, "pmnuJItem14", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem15, "pmnuJItem15", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupItem16, "pmnuJItem16", nullptr, nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupListED, "pmnuListED", "名称変更", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupListDel, "pmnuListDel", "削除", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupRefCopy, "pmnuRefCopy", "複写", nullptr, false, nullptr, nullptr, nullptr},
    {C::PopupRefEnd, "pmnuRefEnd", "参照終了", nullptr, false, nullptr, nullptr, nullptr},
};

constexpr bool rowsInOrder() {
  for (std::size_t i = 0; i < std::size(kCommands); ++i)
    if (commandIndex(kCommands[i].command) != i) return false;
  return true;
}
static_assert(std::size(kCommands) == kCommandCount && rowsInOrder(), "one row per Command, in order");

}  // namespace

const CommandInfo& commandInfo(Command c) { return kCommands[commandIndex(c)]; }

}  // namespace tly
