#include <gtest/gtest.h>

#include <memory>

#include "model/cp932.h"
#include "io/profile.h"
#include "session/files/settingsfile.h"
#include "support/tempdir.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(Profile, ReadsWithTheProfileRules) {
  ProfileText p(toCp932(
      "; comment\r\n"
      "[tly]\r\n"
      "  FontName = ＭＳ Ｐゴシック  \r\n"
      "Quoted=\"  spaced  \"\r\n"
      "Num= 42abc\r\n"
      "Neg=-7\r\n"
      "Empty=\r\n"
      "Word=abc\r\n"
      "Long=" + std::string(200, 'x') + "\r\n"
      "Kanji=" + std::string(126, 'a') + "漢字\r\n"
      "fontname=second\r\n"
      "[Other]\n"
      "Num=1\n"
      "[TLY]\r\n"
      "Num=99\r\n"));
  EXPECT_EQ(p.getString("TLY", "FONTNAME", "d"), "ＭＳ Ｐゴシック");  // case-blind, first of a name
  EXPECT_EQ(p.getString("TLY", "Quoted", "d"), "  spaced  ");
  EXPECT_EQ(p.getInt("TLY", "Num", 5), 42);  // first section of the name
  EXPECT_EQ(p.getInt("TLY", "Neg", 5), -7);
  EXPECT_EQ(p.getInt("TLY", "Empty", 5), 5);
  EXPECT_EQ(p.getInt("TLY", "Word", 5), 0);
  EXPECT_EQ(p.getInt("TLY", "Missing", 5), 5);
  EXPECT_EQ(p.getInt("Other", "num", 5), 1);
  EXPECT_EQ(p.getString("TLY", "Long", ""), std::string(127, 'x'));
  EXPECT_EQ(p.getString("TLY", "Kanji", ""), std::string(126, 'a'));  // never half a character
  EXPECT_FALSE(p.find("Nope", "Num").has_value());
  EXPECT_EQ(p.getString("TLY", "Empty", "d"), "");
}

TEST(Profile, WritesOneLineAndKeepsEveryOtherByte) {
  const std::string original =
      "; kept\r\n"
      "[TLY]\r\n"
      "  udisp = True \r\n"
      "Odd line without equals\n"
      "\r\n"
      "[TLYWindow]\r\n"
      "Left=240";  // no line end at the end
  ProfileText p(original);
  p.set("TLY", "UDisp", "False");
  p.set("tly", "Ggn", "4");
  p.set("TLYWindow", "Top", "300");
  p.set("TLYJW", "lstJW", "名前\r\nbroken");
  EXPECT_EQ(p.bytes(),
            "; kept\r\n"
            "[TLY]\r\n"
            "udisp=False\r\n"
            "Odd line without equals\n"
            "Ggn=4\r\n"
            "\r\n"
            "[TLYWindow]\r\n"
            "Left=240\r\n"
            "Top=300\r\n"
            "\r\n"
            "[TLYJW]\r\n"
            "lstJW=" + toCp932("名前") + "  broken\r\n");
  // The same text reads what was set, lines added before a key and all.
  EXPECT_EQ(p.getString("tly", "UDISP", ""), "False");
  EXPECT_EQ(p.getString("TLY", "Ggn", ""), "4");
  EXPECT_EQ(p.getString("TLYWindow", "Left", ""), "240");
  EXPECT_EQ(p.getString("TLYWindow", "Top", ""), "300");
  ProfileText again(p.bytes());
  EXPECT_EQ(again.getString("TLYJW", "lstJW", ""), "名前  broken");
  // Keys just added are found where they were put: set again, they change in place.
  const std::string before = p.bytes();
  p.set("TLY", "GGN", "5");
  p.set("TLYWindow", "Top", "301");
  p.set("tlyjw", "LSTJW", "x");
  std::string expected = before;
  for (auto [from, to] : {std::pair{"Ggn=4", "Ggn=5"}, {"Top=300", "Top=301"}})
    expected.replace(expected.find(from), std::string(from).size(), to);
  expected.replace(expected.find("lstJW="), std::string::npos, "lstJW=x\r\n");
  EXPECT_EQ(p.bytes(), expected);

  TempDir dir;
  std::string path = dir.file("sub.ini");
  EXPECT_TRUE(WritePrivateProfileString("A", "k", "v", path));  // creates the file
  EXPECT_TRUE(WritePrivateProfileString("A", "k2", "値", path));
  EXPECT_EQ(readBytes(path), "[A]\r\nk=v\r\nk2=" + toCp932("値") + "\r\n");
  EXPECT_EQ(GetPrivateProfileString("a", "K2", "", path), "値");
  EXPECT_EQ(GetPrivateProfileInt("A", "k", 7, dir.file("missing.ini")), 7);
  EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", dir.file("no/such/folder.ini")));
}

struct IniFixture {
  TempDir dir;
  std::unique_ptr<App> app = std::make_unique<App>();
  IniFixture() {
    app->F.AppPath = dir.dir();
    app->F.IniFile = dir.file("tly.ini");
    app->Grid1.setCols(10);
  }
  std::unique_ptr<App> fresh() {
    auto a = std::make_unique<App>();
    a->F.AppPath = app->F.AppPath;
    a->F.IniFile = app->F.IniFile;
    a->Grid1.setCols(10);
    return a;
  }
};

TEST(MainIni, WrittenValuesReadBack) {
  IniFixture f;
  App& a = *f.app;
  testing::setView(a, Command::UDisp, false);
  testing::setView(a, Command::EditAll, true);
  testing::setView(a, Command::ShowToolBar, false);
  testing::setView(a, Command::DispJWS, true);
  a.Y.Ggn = 5;
  a.Grid1.Font = {"ＭＳ ゴシック", 10.5f, true, false};
  a.C.PrnBeginPage = 5;
  a.C.PrnEndPage = 3;
  a.C.PrnTopMargin = -2;
  a.C.PrnLeftMargin = 17;
  a.W.windowState = 0;
  a.W.left = 100;
  a.W.top = 200;
  a.W.width = 9000;
  a.W.height = 7000;
  for (int c = 0; c < 10; ++c) a.Grid1.setColWidth(c, 300 + 10 * c);
  a.Y.JItemCount = 12;
  for (int i = 0; i < 16; ++i) a.Y.JItem[i] = "項目" + std::to_string(i + 1);
  a.W.cmbGr.items = {"1年", "2年", "3年", "4年", "5年"};
  a.W.cmbGr.select(3);
  a.W.cmbMonth.items.assign(12, "x");
  a.W.cmbMonth.select(7);
  a.W.cmbDispJW.items = {"a", "b", "c"};
  a.W.cmbDispJW.select(2);
  PutMainIni(a);

  const std::string ini = readBytes(a.F.IniFile);
  EXPECT_NE(ini.find("JItem1=" + toCp932("項目1") + "\r\n"), std::string::npos);
  EXPECT_LT(ini.find("JItem1="), ini.find("JItem10="));
  EXPECT_NE(ini.find("CmbDspJWLstInd=2\r\n"), std::string::npos);
  EXPECT_NE(ini.find("FontSize=10.5\r\n"), std::string::npos);

  auto b = f.fresh();
  GetMainIni(*b);
  EXPECT_FALSE(mainControls(*b).checked(Command::UDisp));
  EXPECT_FALSE(mainControls(*b).pressed(Command::UDisp));
  EXPECT_TRUE(mainControls(*b).checked(Command::EditAll));
  EXPECT_TRUE(mainControls(*b).checked(Command::PopupEditAll));
  EXPECT_FALSE(mainControls(*b).checked(Command::ShowToolBar));
  EXPECT_FALSE(mainControls(*b).checked(Command::DispJWC));
  EXPECT_TRUE(mainControls(*b).checked(Command::DispJWS));
  EXPECT_TRUE(mainControls(*b).pressed(Command::DispJWS));
  EXPECT_EQ(b->Y.Ggn, 5);
  EXPECT_EQ(b->W.cmbGr.items.size(), 5u);
  EXPECT_EQ(b->Grid1.Font, a.Grid1.Font);
  EXPECT_EQ(b->C.PrnBeginPage, 5);
  EXPECT_EQ(b->C.PrnEndPage, 3);
  EXPECT_EQ(b->C.PrnTopMargin, -2);
  EXPECT_EQ(b->C.PrnLeftMargin, 17);
  EXPECT_EQ(b->W.windowState, 0);
  EXPECT_EQ(b->W.left, 100);
  EXPECT_EQ(b->W.top, 200);
  EXPECT_EQ(b->W.width, 9000);
  EXPECT_EQ(b->W.height, 7000);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(b->Grid1.colWidth(c), 300 + 10 * c);
  EXPECT_EQ(b->Y.JItemCount, 12);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(b->Y.JItem[i], i < 12 ? a.Y.JItem[i] : "*");
  EXPECT_EQ(b->C.IniGrIndex, 3);
  EXPECT_EQ(b->C.IniMonthIndex, 7);
  EXPECT_EQ(b->C.IniDspJWIndex, 2);

  // Writing again changes values in place, adds nothing.
  a.Y.Ggn = 3;
  PutMainIni(a);
  const std::string again = readBytes(a.F.IniFile);
  EXPECT_EQ(again.size(), ini.size());
  EXPECT_NE(again.find("Ggn=3\r\n"), std::string::npos);

  // A maximised window writes no position; a second copy cascades by 360 twips.
  a.W.windowState = 2;
  a.W.left = 5555;
  PutMainIni(a);
  auto c = f.fresh();
  c->F.InstanceCount = 2;
  GetMainIni(*c);
  EXPECT_EQ(c->W.windowState, 2);
  EXPECT_EQ(c->W.left, 720 + 100);
  EXPECT_EQ(c->W.top, 720 + 200);
}

TEST(MainIni, MissingFileAndOddValues) {
  IniFixture f;
  GetMainIni(*f.app);  // no file
  App& a = *f.app;
  EXPECT_TRUE(mainControls(a).checked(Command::UDisp));
  EXPECT_TRUE(mainControls(a).pressed(Command::UDisp));
  EXPECT_TRUE(mainControls(a).checked(Command::EditAll));
  EXPECT_TRUE(mainControls(a).checked(Command::ShowToolBar));
  EXPECT_EQ(a.Y.Ggn, 3);
  EXPECT_EQ(a.W.cmbGr.items, (std::vector<std::string>{"1年", "2年", "3年"}));
  EXPECT_EQ(a.Grid1.Font.name, "ＭＳ Ｐ明朝");
  EXPECT_EQ(a.Grid1.Font.size, 10);
  EXPECT_FALSE(a.Grid1.Font.bold);
  EXPECT_EQ(a.Y.JItemCount, 8);
  const char* names[8] = {"行事", "学業", "学裁", "学指", "道徳", "ｸﾗﾌﾞ", "学活", "事前"};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(a.Y.JItem[i], i < 8 ? names[i] : "*");
  EXPECT_EQ(a.W.left, 240);
  EXPECT_EQ(a.W.width, 8160);
  EXPECT_EQ(a.Grid1.colWidth(0), 400);
  EXPECT_EQ(a.Grid1.colWidth(2), 1600);
  EXPECT_EQ(a.Grid1.colWidth(5), 800);
  EXPECT_EQ(a.Grid1.colWidth(9), 1600);

  std::string items;
  for (int i = 1; i <= 16; ++i) items += "JItem" + std::to_string(i) + "= name" + std::to_string(i) + " \r\n";
  writeBytes(a.F.IniFile,
             "[Elsewhere]\r\nJItem2=from another section\r\n"
             "[TLY]\r\nUDisp=false\r\nJWC=True\r\nJWS=True\r\nJItem=3\r\n" + items +
             "CmbDspJWLstInd=2\r\nGgn=99\r\nFontSize=abc\r\nWindowState=7\r\n"
             "[TLYWindow]\r\nColWidth3=-5\r\nColWidth4=99999\r\nHeight=1e9\r\n");
  auto b = f.fresh();
  b->Y.Ggn = 4;
  GetMainIni(*b);
  EXPECT_TRUE(mainControls(*b).checked(Command::UDisp));  // only "False" is false
  EXPECT_TRUE(mainControls(*b).checked(Command::DispJWC));
  EXPECT_TRUE(mainControls(*b).pressed(Command::DispJWC));
  EXPECT_FALSE(mainControls(*b).checked(Command::DispJWS));  // never both
  EXPECT_FALSE(mainControls(*b).pressed(Command::DispJWS));
  EXPECT_EQ(b->Y.JItemCount, 3);
  EXPECT_EQ(b->Y.JItem[0], "name1");
  EXPECT_EQ(b->Y.JItem[1], "from another section");  // the raw search ignores sections
  EXPECT_EQ(b->Y.JItem[2], "name3");
  for (int i = 3; i < 16; ++i) EXPECT_EQ(b->Y.JItem[i], "*");
  EXPECT_EQ(b->C.IniDspJWIndex, 2);  // read by "CmbDspJwLstInd"
  EXPECT_EQ(b->Y.Ggn, 3);           // 99 grades is no grade count: the default
  EXPECT_EQ(b->Grid1.Font.size, 10);
  EXPECT_EQ(b->W.windowState, 0);
  EXPECT_EQ(b->Grid1.colWidth(3), 800);
  EXPECT_EQ(b->Grid1.colWidth(4), 800);
  EXPECT_EQ(b->W.height, 1);  // "1e9" is the number 1
}

TEST(MainIni, ColumnsTheGridLacksGetTheReadDefaults) {
  IniFixture f;
  f.app->Grid1.setCols(4);
  for (int c = 0; c < 4; ++c) f.app->Grid1.setColWidth(c, 123);
  PutMainIni(*f.app);
  ProfileText p(readBytes(f.app->F.IniFile));
  EXPECT_EQ(p.getInt("TLYWindow", "ColWidth3", 0), 123);
  EXPECT_EQ(p.getInt("TLYWindow", "ColWidth4", 0), 800);
  EXPECT_EQ(p.getInt("TLYWindow", "ColWidth9", 0), 1600);
}

TEST(JWIni, WritesItsSectionWithSignSpacedNumbers) {
  IniFixture f;
  writeBytes(f.app->F.IniFile, "[TLY]\r\nGgn=4\r\n");
  PutJWIni(*f.app, {1200, 0, true, -1, false, 3});
  EXPECT_EQ(readBytes(f.app->F.IniFile),
            "[TLY]\r\nGgn=4\r\n\r\n[TLYJW]\r\nJWLeft= 1200\r\nJWTop= 0\r\noptClass=True\r\nlstJW=-1\r\n"
            "optRefClass=False\r\ncmbRef= 3\r\n");
}

}  // namespace
}  // namespace tly
