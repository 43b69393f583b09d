#include "session/windows/history.h"
#include "session/windows/frmjitem/jitem.h"

#include <algorithm>

#include "model/basic.h"
#include "session/windows/celledit.h"

namespace tly {

namespace {

const char* const kMsgEnterName = "追加する項目名を入力して下さい。";
const char* const kMsgTooMany = "これ以上追加できません。";
const char* const kMsgDuplicate = "同じ項目があります。";

void warn(App& app, const char* text) { app.msg(text, MsgButtons::OK, MsgIcon::Exclamation, ""); }

int readPosition(App& app, const char* key) {
  return static_cast<int>(cint16(Val(app.setting(key, "3000"))));
}

// The checks shared by both ways of adding. Returns true when name may be appended.
bool mayAdd(App& app, JItemDialog& d, const std::string& name) {
  if (app.Y.JItemCount >= kMaxJItems) {
    warn(app, kMsgTooMany);
    d.nameBox.clear();
    return false;
  }
  if (std::find(d.list.begin(), d.list.end(), name) != d.list.end()) {
    warn(app, kMsgDuplicate);
    d.nameBox.clear();
    return false;
  }
  return true;
}

void append(App& app, JItemDialog& d, const std::string& name) {
  ++app.Y.JItemCount;
  d.list.push_back(name);
  d.label = jitemLabel(app.Y.JItemCount);
  d.JItemKeyed = false;
  d.JItemEnter = false;
  d.nameBox.clear();
}

}  // namespace

std::string jitemLabel(int count) { return "項目数： " + std::to_string(count); }

void frmJItem_Load(App& app, JItemDialog& d) {
  d.left = readPosition(app, "JItemLeft");
  d.top = readPosition(app, "JItemTop");
  int count = std::clamp<int>(app.Y.JItemCount, 0, kItemSlots);
  d.OldJItemCount = app.Y.JItemCount;
  for (int i = 0; i < kMaxJItems; ++i) d.OldJItem[static_cast<size_t>(i)] = app.Y.JItem[static_cast<size_t>(i)];
  d.label = jitemLabel(app.Y.JItemCount);
  d.list.assign(app.Y.JItem.begin(), app.Y.JItem.begin() + count);
  d.nameBox.clear();
  d.JItemKeyed = d.JItemEnter = false;
}

void frmJItem_Unload(App& app, JItemDialog& d, bool normalState) {
  if (!normalState) return;
  app.storeSetting("JItemLeft", std::to_string(d.left));
  app.storeSetting("JItemTop", std::to_string(d.top));
}

void txtJItem_GotFocus(App& app, JItemDialog& d) {
  d.JItemKeyed = false;
  d.JItemEnter = false;
  d.nameBox.clear();
  app.E.InputText.clear();
}

JItemFocus txtJItem_KeyDown(App& app, JItemDialog& d, bool enter) {
  if (!d.JItemKeyed) {
    d.JItemKeyed = true;
    d.nameBox.clear();
  }
  if (!enter) return JItemFocus::Stay;
  d.JItemEnter = true;
  app.E.InputText = d.nameBox;
  return JItemFocus::AddButton;
}

void cmdAdd_GotFocus(App& app, JItemDialog& d) {
  if (!d.JItemEnter) return;
  // The pending add is handled once, so focus coming back to the button after a
  // message does not repeat it.
  d.JItemEnter = false;
  std::string name = app.E.InputText;
  if (name.empty()) {
    warn(app, kMsgEnterName);
    d.nameBox.clear();
  } else if (mayAdd(app, d, name)) {
    append(app, d, name);
  } else if (app.Y.JItemCount < kMaxJItems) {
    return;  // a duplicate keeps the handed-over name
  }
  app.E.InputText.clear();
}

JItemFocus cmdAdd_Click(App& app, JItemDialog& d) {
  std::string name = d.nameBox;
  if (name.empty()) return JItemFocus::NameBox;
  if (!mayAdd(app, d, name)) return JItemFocus::Stay;
  append(app, d, name);
  app.E.InputText.clear();
  return JItemFocus::NameBox;
}

void cmdDel_Click(App& app, JItemDialog& d) {
  if (app.Y.JItemCount <= 0) return;
  if (!d.list.empty()) d.list.pop_back();
  --app.Y.JItemCount;
  d.label = jitemLabel(app.Y.JItemCount);
  d.nameBox.clear();
}

void cmdDefJItem_Click(App& app, JItemDialog& d) {
  app.Y.JItemCount = static_cast<int16_t>(kDefaultItemNames.size());
  for (size_t i = 0; i < kDefaultItemNames.size(); ++i) app.Y.JItem[i] = kDefaultItemNames[i];
  d.label = jitemLabel(app.Y.JItemCount);
  d.list.assign(kDefaultItemNames.begin(), kDefaultItemNames.end());
}

void cmdOK_Click(App& app, JItemDialog& d) {
  // The dialog edits the list in place: the step runs from the list as it was opened.
  std::array<std::string, kItemSlots> before = app.Y.JItem;
  for (int i = 0; i < kMaxJItems && i < kItemSlots; ++i) before[static_cast<size_t>(i)] = d.OldJItem[static_cast<size_t>(i)];
  StepRecorder step(app, kStepItemList);
  step.items(before, static_cast<int16_t>(d.OldJItemCount));
  int n = std::clamp<int>(app.Y.JItemCount, 0, std::min<int>(kItemSlots, static_cast<int>(d.list.size())));
  app.Y.JItemCount = static_cast<int16_t>(n);
  for (int i = 0; i < n; ++i) app.Y.JItem[static_cast<size_t>(i)] = d.list[static_cast<size_t>(i)];
  for (int i = n; i < kMaxJItems; ++i) app.Y.JItem[static_cast<size_t>(i)] = "*";
  step.commit(app);
  if (!tallyViewShown(app)) redrawMonth(app);
}

void cmdCancel_Click(App& app, JItemDialog& d) {
  app.Y.JItemCount = static_cast<int16_t>(d.OldJItemCount);
  for (int i = 0; i < kMaxJItems; ++i) app.Y.JItem[static_cast<size_t>(i)] = d.OldJItem[static_cast<size_t>(i)];
}

}  // namespace tly
