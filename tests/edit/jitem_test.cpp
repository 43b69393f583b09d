#include <gtest/gtest.h>

#include "session/windows/celledit.h"
#include "session/windows/frmjitem/jitem.h"
#include "edit/edit_fixture.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using testing::EditFixture;

// Types a name into the box and presses Enter, as the dialog does it.
void enterName(App& app, JItemDialog& d, const std::string& name) {
  txtJItem_GotFocus(app, d);
  txtJItem_KeyDown(app, d, false);
  d.nameBox = name;
  ASSERT_EQ(txtJItem_KeyDown(app, d, true), JItemFocus::AddButton);
  cmdAdd_GotFocus(app, d);
}

TEST(JItemList, AddByEnterAndByClickWithItsThreeRefusals) {
  EditFixture f;
  App& app = f.app;
  f.settings.values["TLY/Settings/JItemLeft"] = "1234";
  JItemDialog d;
  frmJItem_Load(app, d);
  EXPECT_EQ(d.left, 1234);
  EXPECT_EQ(d.top, 3000);
  EXPECT_EQ(d.label, "項目数： 8");
  ASSERT_EQ(d.list.size(), 8u);

  enterName(app, d, "音楽会");
  EXPECT_EQ(app.Y.JItemCount, 9);
  EXPECT_EQ(d.list.back(), "音楽会");
  EXPECT_EQ(d.label, "項目数： 9");
  EXPECT_TRUE(app.E.InputText.empty());
  EXPECT_TRUE(f.msg.shown.empty());

  enterName(app, d, "道徳");
  ASSERT_EQ(f.msg.shown.size(), 1u);
  EXPECT_EQ(f.msg.shown[0].text, "同じ項目があります。");
  EXPECT_EQ(f.msg.shown[0].title, "");
  EXPECT_EQ(f.msg.shown[0].icon, MsgIcon::Exclamation);
  // Focus coming back to the button after the message does not repeat it.
  cmdAdd_GotFocus(app, d);
  EXPECT_EQ(f.msg.shown.size(), 1u);
  // Surrounding blanks make another name.
  enterName(app, d, " 道徳");
  EXPECT_EQ(app.Y.JItemCount, 10);

  enterName(app, d, "");
  EXPECT_EQ(f.msg.shown.back().text, "追加する項目名を入力して下さい。");

  // A click with an empty box only sends focus to the box.
  d.nameBox.clear();
  size_t shown = f.msg.shown.size();
  EXPECT_EQ(cmdAdd_Click(app, d), JItemFocus::NameBox);
  EXPECT_EQ(f.msg.shown.size(), shown);
  while (app.Y.JItemCount < 16) {
    d.nameBox = "項目" + std::to_string(app.Y.JItemCount);
    EXPECT_EQ(cmdAdd_Click(app, d), JItemFocus::NameBox);
  }
  d.nameBox = "十七番目";
  EXPECT_EQ(cmdAdd_Click(app, d), JItemFocus::Stay);
  EXPECT_EQ(f.msg.shown.back().text, "これ以上追加できません。");
  EXPECT_EQ(d.list.size(), 16u);
  EXPECT_TRUE(d.nameBox.empty());

  cmdOK_Click(app, d);
  EXPECT_EQ(app.Y.JItem[8], "音楽会");
  EXPECT_EQ(mainControls(app).item(popupItem(9)).caption, "音楽会");  // the pop-up's entry
  EXPECT_EQ(app.Y.JItem[15], "項目15");
  frmJItem_Unload(app, d, true);
  EXPECT_EQ(f.settings.values["TLY/Settings/JItemTop"], "3000");
}

TEST(JItemList, DeleteDefaultCancelAndOk) {
  EditFixture f;
  App& app = f.app;
  f.cell(1, 3, 1) = -8;
  JItemDialog d;
  frmJItem_Load(app, d);
  // Delete removes the last name, whatever is selected.
  cmdDel_Click(app, d);
  EXPECT_EQ(app.Y.JItemCount, 7);
  EXPECT_EQ(d.list.back(), "学活");
  cmdOK_Click(app, d);
  EXPECT_EQ(app.Y.JItem[7], "*");
  EXPECT_EQ(app.Grid1.text(3, 3), "*");  // redrawn with the new names

  // Default then cancel puts back the names and count of the opening.
  app.Y.JItem[0] = "式典";
  frmJItem_Load(app, d);
  cmdDefJItem_Click(app, d);
  EXPECT_EQ(app.Y.JItemCount, 8);
  EXPECT_EQ(app.Y.JItem[0], "行事");
  EXPECT_EQ(d.label, "項目数： 8");
  cmdCancel_Click(app, d);
  EXPECT_EQ(app.Y.JItemCount, 7);
  EXPECT_EQ(app.Y.JItem[0], "式典");
  EXPECT_EQ(app.Y.JItem[7], "*");

  // OK with no items leaves every name "*".
  frmJItem_Load(app, d);
  while (app.Y.JItemCount > 0) cmdDel_Click(app, d);
  cmdDel_Click(app, d);
  EXPECT_EQ(app.Y.JItemCount, 0);
  cmdOK_Click(app, d);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(app.Y.JItem[static_cast<size_t>(i)], "*");
}

}  // namespace
}  // namespace tly
