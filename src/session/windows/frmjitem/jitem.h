// The tally-item list dialog frmJItem, toolkit-free: the list, the name box, add,
// remove the last, restore the defaults, OK and cancel. The window shows this state
// and forwards its events; JItemCount changes at once, names on OK.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "session/state/app.h"

namespace tly {

constexpr int kMaxJItems = 16;

struct JItemDialog {
  std::vector<std::string> list;  // lstJItem
  std::string nameBox;            // txtJItem
  std::string label;              // lblJItem
  int OldJItemCount = 0;
  std::array<std::string, kMaxJItems> OldJItem;
  bool JItemKeyed = false;
  bool JItemEnter = false;
  int left = 3000, top = 3000;  // position, twips
};

enum class JItemFocus { Stay, NameBox, AddButton };

// "項目数： n"
std::string jitemLabel(int count);

// Form_Load: position from the settings store, the old list kept for cancel, label, list.
void frmJItem_Load(App& app, JItemDialog& d);
// Form_Unload: stores the position when the window state is normal.
void frmJItem_Unload(App& app, JItemDialog& d, bool normalState);

void txtJItem_GotFocus(App& app, JItemDialog& d);
// A key in the name box; call before the key changes the text (the first key after the
// box got focus empties it). Enter hands the name over and moves focus to 追加.
JItemFocus txtJItem_KeyDown(App& app, JItemDialog& d, bool enter);
// 追加 got focus: adds the name handed over by Enter (only while one is pending).
void cmdAdd_GotFocus(App& app, JItemDialog& d);
// 追加 clicked: adds the name box's text.
JItemFocus cmdAdd_Click(App& app, JItemDialog& d);
void cmdDel_Click(App& app, JItemDialog& d);
void cmdDefJItem_Click(App& app, JItemDialog& d);
// OK: writes the names, fills the rest with "*", redraws the month (not in the tally
// view). The dialog closes afterwards.
void cmdOK_Click(App& app, JItemDialog& d);
// ｷｬﾝｾﾙ (and the close box): restores the list as it was when the dialog opened.
void cmdCancel_Click(App& app, JItemDialog& d);

}  // namespace tly
