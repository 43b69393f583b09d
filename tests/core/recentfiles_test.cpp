// The recently used files of the file menu and the folder the file dialogs start in,
// kept in the per-user settings store.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "session/files/datafile.h"
#include "session/windows/frmmain/lifecycle.h"
#include "session/windows/frmmain/recentfiles.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::TempDir;
using test::TestApp;
using List = std::vector<std::string>;

// A year open in a window whose program folder is a fresh temporary folder.
struct YearInFolder {
  TempDir dir;
  TestApp a;
  explicit YearInFolder(const test::YearShape& shape = {.nendo = 2004}) {
    a.app.F.AppPath = dir.dir();
    test::fillYear(a.app.Y, shape);
  }
};

struct RememberCase {
  const char* name;
  List remembered;  // in the order the files were used
  List expected;    // most recent first
};

const RememberCase kRemember[] = {
    {"most recent first", {"/a/1.DAT", "/a/2.DAT"}, {"/a/2.DAT", "/a/1.DAT"}},
    {"a file used again moves up", {"/a/1.DAT", "/a/2.DAT", "/a/1.DAT"}, {"/a/1.DAT", "/a/2.DAT"}},
    {"eight at most",
     {"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9"},
     {"/9", "/8", "/7", "/6", "/5", "/4", "/3", "/2"}},
    {"the working file is not listed", {"/w/x.DAT", "/w/JJTEMP3.DAT"}, {"/w/x.DAT"}},
    {"an empty name is not listed", {"", "/b.DAT"}, {"/b.DAT"}},
};

class RecentRemember : public ::testing::TestWithParam<RememberCase> {};

TEST_P(RecentRemember, KeepsTheOrderOfUse) {
  const RememberCase& k = GetParam();
  test::MemorySettings store;
  {
    TestApp a;
    a.app.P.settings = &store;
    a.app.F.AppPath = "/w/";
    for (const std::string& p : k.remembered) rememberRecentFile(a.app, p);
    EXPECT_EQ(recentFiles(a.app), k.expected);
  }
  // Another run of the program reads the same list from the store.
  TestApp again;
  again.app.P.settings = &store;
  EXPECT_EQ(recentFiles(again.app), k.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RecentRemember, ::testing::ValuesIn(kRemember),
                         [](const ::testing::TestParamInfo<RememberCase>& i) { return std::to_string(i.index); });

TEST(RecentFiles, DamagedStoreEntriesAreDropped) {
  TestApp a;
  a.settings.values[{"TLY", "Settings", "Recent1"}] = "/x.DAT";
  a.settings.values[{"TLY", "Settings", "Recent2"}] = "/x.DAT";
  a.settings.values[{"TLY", "Settings", "Recent3"}] = "bad\nname";
  a.settings.values[{"TLY", "Settings", "Recent5"}] = "/y.DAT";
  EXPECT_EQ(recentFiles(a.app), (List{"/x.DAT", "/y.DAT"}));
}

TEST(RecentFiles, CaptionsNumberTheFileNames) {
  EXPECT_EQ(recentFileCaption(0, "/home/t/2024年度.DAT"), "&1 2024年度.DAT");
  EXPECT_EQ(recentFileCaption(7, "A&B.DAT"), "&8 A&&B.DAT");
}

struct MissingCase {
  const char* name;
  MsgResult answer;
  bool removed;
};

class RecentMissing : public ::testing::TestWithParam<MissingCase> {};

TEST_P(RecentMissing, IsOfferedForRemoval) {
  const MissingCase& k = GetParam();
  YearInFolder r;
  TempDir& dir = r.dir;
  TestApp& a = r.a;
  rememberRecentFile(a.app, dir.file("gone.DAT"));
  rememberRecentFile(a.app, dir.file("kept.DAT"));
  a.msg.answers = {k.answer};
  EXPECT_FALSE(openRecentFile(a.app, 1));
  ASSERT_EQ(a.msg.shown.size(), 1u);
  EXPECT_NE(a.msg.shown[0].text.find("gone.DAT」が見つかりません。"), std::string::npos);
  EXPECT_EQ(a.msg.shown[0].buttons, MsgButtons::YesNo);
  const List kept{dir.file("kept.DAT")}, both{dir.file("kept.DAT"), dir.file("gone.DAT")};
  EXPECT_EQ(recentFiles(a.app), k.removed ? kept : both);
  EXPECT_EQ(int(a.app.Y.nendo()), 2004);  // the open year stays
  EXPECT_FALSE(std::filesystem::exists(dir.file("gone.DAT")));  // and no file is made
}

INSTANTIATE_TEST_SUITE_P(Cases, RecentMissing,
                         ::testing::Values(MissingCase{"yes removes it", MsgResult::Yes, true},
                                           MissingCase{"no keeps it", MsgResult::No, false}),
                         [](const ::testing::TestParamInfo<MissingCase>& i) { return std::to_string(i.index); });

TEST(RecentFiles, SavedFileIsListedAndOpensAgain) {
  YearInFolder r({.nendo = 2004, .grades = 3});
  TempDir& dir = r.dir;
  TestApp& a = r.a;
  std::filesystem::create_directory(dir.file("sub"));
  const std::string saved = dir.file("sub/y2004.DAT");
  a.files.choose(saved);
  mnuNSave_Click(a.app);
  EXPECT_EQ(recentFiles(a.app), List{saved});

  test::fillYear(a.app.Y, {.nendo = 2010});
  a.app.F.CurFile.clear();
  EXPECT_TRUE(openRecentFile(a.app, 0));
  EXPECT_EQ(int(a.app.Y.nendo()), 2004);
  EXPECT_EQ(a.app.F.CurFile, saved);
  EXPECT_EQ(recentFiles(a.app), List{saved});
}

// The folder the Open and Save As dialogs start in.
struct FolderCase {
  const char* name;
  bool fileOpen;    // a file in sub/ is the open file
  bool lastFolder;  // other/ was used last
  const char* expected;  // relative to the program folder; "" the program folder itself
};

const FolderCase kFolders[] = {
    {"the open file's folder", true, true, "sub/"},
    {"else the last one used", false, true, "other/"},
    {"else the program folder", false, false, ""},
};

class DialogFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(DialogFolder, OpenAndSaveAsStartThere) {
  const FolderCase& k = GetParam();
  YearInFolder r;
  TempDir& dir = r.dir;
  TestApp& a = r.a;
  std::filesystem::create_directory(dir.file("sub"));
  std::filesystem::create_directory(dir.file("other"));
  if (k.lastFolder) a.settings.values[{"TLY", "Settings", "LastFolder"}] = dir.file("other/");
  if (k.fileOpen) a.app.F.CurFile = dir.file("sub/a.DAT");
  mnuOpen_Click(a.app);
  mnuNSave_Click(a.app);
  ASSERT_EQ(a.files.asked.size(), 2u);
  EXPECT_EQ(a.files.asked[0].initialDir, dir.dir() + k.expected);
  EXPECT_EQ(a.files.asked[1].initialDir, dir.dir() + k.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogFolder, ::testing::ValuesIn(kFolders),
                         [](const ::testing::TestParamInfo<FolderCase>& i) { return std::to_string(i.index); });

}  // namespace
}  // namespace tly
