// Two writers of one data file: the window's 上書き保存 after another program wrote the
// file asks before replacing it, and the command line leaves alone a file a window has open.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "io/safesave.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/lifecycle.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::TestApp;
using test::writeBytes;

const char* const kQuestion = "このファイルは開いた後に別のプログラムで変更されています。上書きしますか？";

// A year in f.DAT, opened in a window (rig) as 開く would open it.
struct OpenWindow {
  TempDir dir;
  TestApp w;
  std::string file = dir.file("f.DAT");
  OpenWindow() {
    TestApp maker;
    test::makeYear(maker.app, 2005, 3);
    EXPECT_TRUE(replaceFileContents(file, encodeDataFile(maker.app.Y)).ok());
    w.app.F.AppPath = dir.dir();
    EXPECT_TRUE(openNamedFile(w.app, file));
    w.msg.shown.clear();
  }
  // What the window would save now.
  std::string windowBytes() {
    refreshFileSettings(w.app);
    return encodeDataFile(w.app.Y);
  }
};

int runEdit(const std::string& file, const std::string& text, std::string* err = nullptr) {
  std::ostringstream o, e;
  int rc = cli::finish(cli::cmdEdit({"edit", file, "--grade", "1", "--month", "5", "--day", "2", "--period", "events",
                                     "--text", text},
                                    o, e),
                       e);
  if (err) *err = e.str();
  return rc;
}

enum class Other { Nothing, Rewrote, SameBytes, Removed };

struct SaveCase {
  const char* name;
  Other other;
  MsgResult answer;      // to the question, when it comes
  bool asked;            // whether 上書き保存 asks
  bool windowOnDisk;     // f.DAT holds the window's year afterwards (else the other's bytes)
  bool savedAsElsewhere; // the window's year went to g.DAT through 名前を付けて保存
};

class SecondWriter : public testing::TestWithParam<SaveCase> {};

TEST_P(SecondWriter, SaveAsksBeforeReplacingAnotherWritersChange) {
  const SaveCase& c = GetParam();
  OpenWindow o;
  o.w.app.Y.JJText[0][5][3][0] = "窓で入力";
  std::string other = readBytes(o.file);
  if (c.other == Other::Rewrote) {
    ASSERT_EQ(runEdit(o.file + "", "コマンドで入力"), 1) << "refused while the window has it open";
    // Another program, not this one, writes it (no lock stops it).
    TestApp them;
    ASSERT_EQ(readDataFileAt(them.app, o.file).ok(), true);
    them.app.Y.JJText[0][5][2][0] = "別のプログラム";
    other = encodeDataFile(them.app.Y);
    writeBytes(o.file, other);
  } else if (c.other == Other::SameBytes) {
    writeBytes(o.file, other);  // written again, unchanged
  } else if (c.other == Other::Removed) {
    std::remove(o.file.c_str());
  }
  o.w.msg.answers = {c.answer};
  o.w.files.choose(o.dir.file("g.DAT"));
  mnuSave_Click(o.w.app);
  const std::string mine = o.windowBytes();

  EXPECT_EQ(o.w.msg.saw(kQuestion), c.asked);
  if (c.asked) {
    EXPECT_EQ(o.w.msg.shown[0].buttons, MsgButtons::OverwriteSaveAsCancel);
    EXPECT_NE(o.w.msg.shown[0].text.find(o.file), std::string::npos) << "names the file";
  }
  EXPECT_TRUE(readBytes(o.file) == (c.windowOnDisk ? mine : other));
  EXPECT_EQ(test::fileExists(o.dir.file("g.DAT")), c.savedAsElsewhere);
  if (c.savedAsElsewhere) {
    EXPECT_TRUE(readBytes(o.dir.file("g.DAT")) == mine);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondWriter,
    testing::Values(SaveCase{"NoOtherWriter", Other::Nothing, MsgResult::Cancel, false, true, false},
                    SaveCase{"Overwrite", Other::Rewrote, MsgResult::Yes, true, true, false},
                    SaveCase{"SaveAsInstead", Other::Rewrote, MsgResult::No, true, false, true},
                    SaveCase{"Cancel", Other::Rewrote, MsgResult::Cancel, true, false, false},
                    SaveCase{"WrittenAgainUnchanged", Other::SameBytes, MsgResult::Cancel, false, true, false},
                    SaveCase{"RemovedMeanwhile", Other::Removed, MsgResult::Cancel, false, true, false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(SecondWriter, TheWindowsOwnSavesAreNoOtherWriter) {
  OpenWindow o;
  for (const char* text : {"一回目", "二回目", "三回目"}) {
    o.w.app.Y.JJText[0][5][3][0] = text;
    mnuSave_Click(o.w.app);
    EXPECT_TRUE(o.w.msg.shown.empty()) << text;
    EXPECT_TRUE(readBytes(o.file) == o.windowBytes());
  }
  // Save As moves what is known to the new file: a change of the old one is not asked about.
  o.w.files.choose(o.dir.file("h.DAT"));
  mnuNSave_Click(o.w.app);
  writeBytes(o.file, "TLY300 changed by someone");
  o.w.app.Y.JJText[0][5][3][0] = "保存先は h";
  mnuSave_Click(o.w.app);
  EXPECT_FALSE(o.w.msg.saw(kQuestion));
  EXPECT_TRUE(readBytes(o.dir.file("h.DAT")) == o.windowBytes());
}

struct CliCase {
  const char* name;
  std::vector<std::string> args;  // "@" stands for the file
  bool changes;                   // a command that saves the file
};

class CommandLineBesideAWindow : public testing::TestWithParam<CliCase> {};

TEST_P(CommandLineBesideAWindow, RefusesToChangeAFileOpenInAWindow) {
  const CliCase& c = GetParam();
  auto run = [&](const std::string& file, std::string* err) {
    std::vector<std::string> args = c.args;
    for (auto& a : args)
      if (a == "@") a = file;
    std::ostringstream out, e;
    std::istringstream in("国語\r\n");
    cli::Outcome r = args[0] == "paste"       ? cli::runPaste(args, in, out, e)
                     : args[0] == "timetable" ? cli::runTimetable(args, in, out, e)
                                              : cli::cmdEdit(args, out, e);
    int rc = cli::finish(r, e);
    *err = e.str();
    return rc;
  };
  OpenWindow o;
  const std::string before = readBytes(o.file);
  std::string err;
  const int rc = run(o.file, &err);
  if (c.changes) {
    EXPECT_EQ(rc, 1);
    EXPECT_NE(err.find("TLY のウィンドウ"), std::string::npos) << err;
    EXPECT_TRUE(readBytes(o.file) == before) << "nothing written";
  } else {
    EXPECT_EQ(rc, 0) << err;
  }
  // Once the window has another year, the file is the command's.
  ASSERT_TRUE(mnuNew_Click(o.w.app));
  EXPECT_EQ(run(o.file, &err), 0) << err;
  if (c.changes) {
    EXPECT_TRUE(readBytes(o.file) != before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandLineBesideAWindow,
    testing::Values(
        CliCase{"Edit", {"edit", "@", "--grade", "1", "--month", "5", "--day", "2", "--period", "events", "--text", "遠足"}, true},
        CliCase{"Paste", {"paste", "@", "--grade", "1", "--month", "5", "--row", "2", "--col", "3"}, true},
        CliCase{"TimetableAdd", {"timetable", "@", "add", "--class", "--name", "1年1組"}, true},
        CliCase{"TimetableList", {"timetable", "@", "list", "--class"}, false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST(SecondWriter, ACommandsEditIsAskedAboutWhenTheWindowWasNotHolding) {
  // A window that could not take the lock (the file was busy when it opened it) still
  // finds the change at 上書き保存.
  OpenWindow o;
  o.w.app.F.CurFileLock.reset();
  ASSERT_EQ(runEdit(o.file, "コマンドで入力"), 0);
  const std::string theirs = readBytes(o.file);
  o.w.msg.answers = {MsgResult::Cancel};
  mnuSave_Click(o.w.app);
  EXPECT_TRUE(o.w.msg.saw(kQuestion));
  EXPECT_TRUE(readBytes(o.file) == theirs) << "the command's change is kept";
}

TEST(SecondWriter, TheWorkingFileOfARunningWindowIsLeftAlone) {
  TempDir dir;
  {
    TestApp maker;
    maker.app.F.AppPath = dir.dir();
    test::makeYear(maker.app, 2005, 3);
    std::string name = "JJTEMP3.DAT";
    ASSERT_TRUE(SaveJJ3(maker.app, name).ok());
  }
  const std::string work = dir.file("JJTEMP3.DAT");
  auto window = std::make_unique<TestApp>();
  window->app.F.AppPath = dir.dir();
  ASSERT_EQ(Form_Load(window->app), StartOutcome::Ready);
  const std::string before = readBytes(work);
  std::string err;
  EXPECT_EQ(runEdit(work, "作業ファイルへ", &err), 1);
  EXPECT_NE(err.find("TLY のウィンドウ"), std::string::npos) << err;
  EXPECT_TRUE(readBytes(work) == before);
  Form_Unload(window->app);
  window.reset();
  EXPECT_EQ(runEdit(work, "作業ファイルへ", &err), 0) << err;
}

}  // namespace
}  // namespace tly
