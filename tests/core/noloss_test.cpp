// Faults that used to lose or silently damage a year: a damaged working file replaced at
// exit, an older-format name clashing with its companions, read-only and foreign files
// replaced, an unreadable settings file rewritten.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "io/safesave.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/lifecycle.h"
#include "session/files/settingsfile.h"
#include "session/files/ver2.h"
#include "session/files/workfile.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Rig = test::TestApp;

std::string workingFileOf(int nendo) {
  TempDir d;
  Rig r;
  r.app.F.AppPath = d.dir();
  test::makeYear(r.app, nendo, 3);
  std::string name = "JJTEMP3.DAT";
  (void)SaveJJ3(r.app, name);
  return readBytes(d.file("JJTEMP3.DAT"));
}

std::vector<std::string> damagedCopies(const TempDir& dir) {
  std::vector<std::string> v;
  for (auto& e : std::filesystem::directory_iterator(dir.path()))
    if (e.path().filename().string().rfind("JJTEMP3.DAT.damaged-", 0) == 0) v.push_back(e.path().string());
  return v;
}

TEST(WorkingFile, OneThatFailsToLoadIsMovedAsideBeforeTheExitWritesANewOne) {
  const std::string good = workingFileOf(2001);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"cut short", good.substr(0, 1257)},
      {"cut inside the signature", good.substr(0, 4)},
      {"not a data file", std::string(3000, 'x')},
  };
  for (const auto& c : cases) {
    TempDir dir;
    writeBytes(dir.file("JJTEMP3.DAT"), c.bytes);
    Rig r;
    r.app.F.AppPath = dir.dir();
    r.msg.answers = {MsgResult::OK, MsgResult::OK, MsgResult::No};
    r.msg.whenEmpty = MsgResult::OK;
    EXPECT_EQ(Form_Load(r.app), StartOutcome::Empty) << c.what;
    Form_Unload(r.app);

    auto kept = damagedCopies(dir);
    ASSERT_EQ(kept.size(), 1u) << c.what;
    EXPECT_TRUE(readBytes(kept[0]) == c.bytes) << c.what;
    EXPECT_TRUE(r.msg.saw(kept[0])) << c.what << ": the user is told where it is";
    // The new working file is the (empty) year of this run.
    EXPECT_NE(readBytes(dir.file("JJTEMP3.DAT")), c.bytes) << c.what;
  }
}

TEST(WorkingFile, GoodAndEmptyWorkingFilesAreNotMoved) {
  for (std::string bytes : {workingFileOf(2001), std::string()}) {
    TempDir dir;
    writeBytes(dir.file("JJTEMP3.DAT"), bytes);
    Rig r;
    r.app.F.AppPath = dir.dir();
    r.msg.whenEmpty = MsgResult::No;
    Form_Load(r.app);
    EXPECT_TRUE(damagedCopies(dir).empty());
    EXPECT_FALSE(r.app.F.KeepWorkFile);
  }
}

TEST(WorkingFile, OneThatCannotBeMovedIsNotOverwrittenAtExit) {
  if (::geteuid() == 0) GTEST_SKIP() << "the administrator may rename in a read-only folder";
  TempDir dir;
  const std::string bad = workingFileOf(2001).substr(0, 1257);
  writeBytes(dir.file("JJTEMP3.DAT"), bad);
  ::chmod(dir.path().c_str(), 0555);
  Rig r;
  r.app.F.AppPath = dir.dir();
  r.msg.whenEmpty = MsgResult::No;
  Form_Load(r.app);
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_TRUE(r.app.F.KeepWorkFile);
  EXPECT_TRUE(r.msg.saw("終了時に作業ファイルへ保存しません"));
  Form_Unload(r.app);
  EXPECT_TRUE(readBytes(dir.file("JJTEMP3.DAT")) == bad);
}

TEST(OlderFormatSave, MainFileNamedLikeACompanionIsRefused) {
  for (const char* name : {"x.das", "x.daj", "X.DAS"}) {
    TempDir dir;
    Rig r;
    test::makeYear(r.app, 2001, 3);
    std::string path = dir.file(name);
    EXPECT_FALSE(saveVer2(r.app, path).ok()) << name;
    EXPECT_TRUE(r.msg.saw("この名前では保存できません")) << name;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << name << ": nothing written";
  }
}

TEST(SafeSave, ReadOnlyFilesAreRefusedAndTheFolderIsLeftClean) {
  TempDir dir;
  const std::string f = dir.file("a.DAT");
  writeBytes(f, "old");
  ::chmod(f.c_str(), 0444);  // refused even by the administrator: no write bit at all
  Result<void> refused = replaceFileContents(f, "new");
  EXPECT_TRUE(refused.is(Fault::WriteFailed) && refused.failure().error == EACCES);
  EXPECT_EQ(readBytes(f), "old");
  struct stat st;
  ::stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  // The save procedure says so and keeps the file.
  Rig r;
  test::makeYear(r.app, 2001, 3);
  EXPECT_FALSE(writeDataFileAt(r.app, f).ok());
  EXPECT_TRUE(r.msg.saw("Error Code"));
  EXPECT_EQ(readBytes(f), "old");

  // A writable file keeps its mode, and its owner where the system allows it.
  ::chmod(f.c_str(), 0640);
  const bool admin = ::geteuid() == 0;
  if (admin) {
    ASSERT_EQ(::chown(f.c_str(), 4321, 4321), 0);
  }
  EXPECT_TRUE(replaceFileContents(f, "new").ok());
  ::stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (admin) {
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4321u);
  }
}

// The n-th rename of a multi-file replace fails (counting from 1); the others are real.
int gFailAt = 0, gRenames = 0;
int failingRename(const char* from, const char* to) {
  if (++gRenames == gFailAt) {
    errno = EXDEV;
    return -1;
  }
  return ::rename(from, to);
}

// Three files replaced as one, two of them there before: whichever rename fails, every
// previous file is back, the new one is gone, and no temporary or set-aside file is left.
TEST(SafeSave, FilesReplacedTogetherAreAllOrNothingWhicheverRenameFails) {
  for (int failAt = 0; failAt <= 6; ++failAt) {
    TempDir dir;
    const std::vector<std::string> names{dir.file("a.DAT"), dir.file("a.das"), dir.file("a.daj")};
    writeBytes(names[0], "old main");
    writeBytes(names[2], "old timetables");
    gFailAt = failAt;
    gRenames = 0;
    std::vector<std::string> leftAside;
    const Result<void> r = replaceFilesTogether({{names[0], "new main"}, {names[1], "new texts"}, {names[2], "new tt"}},
                                                &leftAside, failingRename);
    const int err = r.ok() ? 0 : r.failure().error;
    // Five renames replace the set (two set-aside, three into place); a sixth never comes.
    const bool failed = failAt >= 1 && failAt <= 5;
    EXPECT_EQ(err, failed ? EXDEV : 0) << failAt;
    EXPECT_TRUE(leftAside.empty()) << failAt;
    if (failed) {
      EXPECT_EQ(readBytes(names[0]), "old main") << failAt;
      EXPECT_FALSE(test::fileExists(names[1])) << failAt;
      EXPECT_EQ(readBytes(names[2]), "old timetables") << failAt;
    } else {
      EXPECT_EQ(readBytes(names[0]), "new main") << failAt;
      EXPECT_EQ(readBytes(names[1]), "new texts") << failAt;
      EXPECT_EQ(readBytes(names[2]), "new tt") << failAt;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), failed ? 2 : 3) << failAt;
  }
}

// Whatever a save writes, a read takes back whole; one byte more is refused before the
// old file is touched (a year that could be saved but never opened again was lost).
TEST(SafeSave, TheLargestFileWrittenIsReadBackAndALargerOneIsNotWritten) {
  TempDir dir;
  const std::string path = dir.file("big.DAT");
  struct Case {
    size_t bytes;
    bool written;
  };
  for (const Case& c : {Case{kMaxFileBytes, true}, Case{kMaxFileBytes + 1, false}}) {
    writeBytes(path, "old");
    std::string bytes(c.bytes, 'x');
    bytes[0] = 'T';
    bytes[c.bytes - 1] = 'E';
    Result<void> w = replaceFileContents(path, bytes);
    SCOPED_TRACE(c.bytes);
    ASSERT_EQ(w.ok(), c.written);
    if (c.written) {
      Result<std::string> back = readFileContents(path);
      ASSERT_TRUE(back.ok()) << back.failure().why;
      EXPECT_TRUE(*back == bytes);
    } else {
      EXPECT_EQ(w.failure().error, EFBIG);
      EXPECT_EQ(readBytes(path), "old");
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file left";
    }
  }
}

TEST(SettingsFile, AnUnreadableSettingsFileIsNotRewritten) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("tly.ini"));  // reads fail with EISDIR
  Rig r;
  r.app.F.IniFile = dir.file("tly.ini");
  test::makeYear(r.app, 2001, 3);
  PutMainIni(r.app);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("tly.ini")));
  EXPECT_TRUE(r.msg.saw("tly.ini")) << "the user is told";
}

TEST(RecoveryCopy, AChangeIsKeptAndOfferedAfterARunThatDidNotExit) {
  TempDir dir;
  {
    Rig first;
    first.app.F.AppPath = dir.dir();
    test::makeYear(first.app, 2001, 3);
    std::string name = "JJTEMP3.DAT";
    (void)SaveJJ3(first.app, name);
    std::string last = recoveryBytes(first.app);
    EXPECT_TRUE(keepRecoveryCopy(first.app, &last).ok());
    EXPECT_FALSE(test::fileExists(dir.file(kRecoveryFileName))) << "no change, no copy";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    first.app.Y.JJ[0][6][3][2] = -4;  // an edit; then the run ends without its exit
    EXPECT_TRUE(keepRecoveryCopy(first.app, &last).ok());
    ASSERT_TRUE(test::fileExists(dir.file(kRecoveryFileName)));
  }
  for (MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
    TempDir d2;
    for (const char* f : {"JJTEMP3.DAT", kRecoveryFileName}) std::filesystem::copy_file(dir.file(f), d2.file(f));
    // The copies have new times; the working file is put back before the recovery copy.
    std::filesystem::last_write_time(d2.file("JJTEMP3.DAT"), std::filesystem::file_time_type::clock::now() -
                                                                std::chrono::seconds(60));
    Rig next;
    next.app.F.AppPath = d2.dir();
    next.msg.answers = {answer};
    next.msg.whenEmpty = MsgResult::No;
    Form_Load(next.app);
    ASSERT_FALSE(next.msg.shown.empty());
    EXPECT_NE(next.msg.shown[0].text.find("復元しますか"), std::string::npos);
    EXPECT_EQ(next.app.Y.JJ[0][6][3][2], answer == MsgResult::Yes ? -4 : 0);
    Form_Unload(next.app);
    EXPECT_FALSE(test::fileExists(d2.file(kRecoveryFileName))) << "a clean exit removes it";
  }
}

TEST(RecoveryCopy, OneOlderThanTheWorkingFileIsNotOffered) {
  TempDir dir;
  writeBytes(dir.file(kRecoveryFileName), workingFileOf(1999));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  writeBytes(dir.file("JJTEMP3.DAT"), workingFileOf(2001));
  Rig r;
  r.app.F.AppPath = dir.dir();
  Form_Load(r.app);
  EXPECT_TRUE(r.msg.shown.empty());
  EXPECT_EQ(r.app.Y.nendo(), 2001);
}

// A recovery copy that cannot be read stays beside the working file under a name the
// exit does not remove, and the message is in the program's words.
TEST(RecoveryCopy, OneThatCannotBeReadIsKeptAsideNotDeleted) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> spoil;
    const char* says;
  };
  const std::string good = workingFileOf(2001);
  const std::vector<Case> cases = {
      {"cut short", [&](const std::string& p) { writeBytes(p, good.substr(0, good.size() / 2)); }, "途中で終わって"},
      {"too large", [](const std::string& p) { std::filesystem::resize_file(p, kMaxFileBytes + 1); }, "大きすぎます"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeBytes(dir.file("JJTEMP3.DAT"), workingFileOf(1999));
    std::filesystem::last_write_time(dir.file("JJTEMP3.DAT"), std::filesystem::file_time_type::clock::now() -
                                                                   std::chrono::seconds(60));
    writeBytes(dir.file(kRecoveryFileName), good);
    c.spoil(dir.file(kRecoveryFileName));
    const std::uintmax_t size = std::filesystem::file_size(dir.file(kRecoveryFileName));
    Rig r;
    r.app.F.AppPath = dir.dir();
    r.msg.answers = {MsgResult::Yes};
    r.msg.whenEmpty = MsgResult::No;
    Form_Load(r.app);
    Form_Unload(r.app);
    ASSERT_GE(r.msg.shown.size(), 2u);
    EXPECT_NE(r.msg.shown[1].text.find(c.says), std::string::npos) << r.msg.shown[1].text;
    EXPECT_EQ(r.msg.shown[1].text.find("File"), std::string::npos) << r.msg.shown[1].text;
    std::vector<std::string> kept;
    for (auto& e : std::filesystem::directory_iterator(dir.path()))
      if (e.path().filename().string().rfind(std::string(kRecoveryFileName) + ".damaged-", 0) == 0)
        kept.push_back(e.path().string());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(kept[0]), size);
  }
}

// A settings store that is slow to answer, as a settings file on a busy disk is.
class SlowSettings : public SettingsStore {
 public:
  std::mutex m;
  std::map<std::string, std::string> values;
  std::string get(const std::string&, const std::string&, const std::string& key, const std::string& def) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::lock_guard<std::mutex> g(m);
    auto it = values.find(key);
    return it == values.end() ? def : it->second;
  }
  void set(const std::string&, const std::string&, const std::string& key, const std::string& value) override {
    std::lock_guard<std::mutex> g(m);
    values[key] = value;
  }
};

TEST(RunningCopies, TwoCopiesStartedTogetherAlwaysWarnOnce) {
  TempDir dir;
  for (int round = 0; round < 10; ++round) {
    SlowSettings settings;
    std::atomic<int> warned{0};
    auto start = [&] {
      Rig r;
      r.app.P.settings = &settings;
      r.app.F.AppPath = dir.dir();
      bool quit = false;
      CheckInstance(r.app, &quit);
      warned += static_cast<int>(r.msg.shown.size());
    };
    std::thread a(start), b(start);
    a.join();
    b.join();
    EXPECT_EQ(warned.load(), 1) << "round " << round;
    EXPECT_EQ(settings.values["ExTLY"], "2");
  }
}

TEST(ShutDown, AFailedWorkingFileSaveOffersSaveAs) {
  TempDir dir, elsewhere;
  Rig r;
  r.app.F.AppPath = dir.dir();
  test::makeYear(r.app, 2001, 3);
  std::filesystem::create_directory(dir.file("JJTEMP3.DAT"));  // the save fails
  r.msg.answers = {MsgResult::OK, MsgResult::Yes, MsgResult::Yes};
  r.files.cancel();  // the first Save As is cancelled: asked again
  r.files.choose(elsewhere.file("kept.DAT"));
  Form_Unload(r.app);
  EXPECT_TRUE(r.msg.saw("別の場所に保存しますか"));
  EXPECT_EQ(r.files.asked.size(), 2u);
  EXPECT_EQ(readBytes(elsewhere.file("kept.DAT")).substr(0, 6), "TLY300");
}

TEST(StartUp, AnUnwritableProgramFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "the administrator writes anywhere";
  TempDir dir;
  ::chmod(dir.path().c_str(), 0555);
  Rig r;
  r.app.F.AppPath = dir.dir();
  r.msg.whenEmpty = MsgResult::No;
  Form_Load(r.app);
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_TRUE(r.msg.saw("プログラムフォルダーに書き込めません"));
}

}  // namespace
}  // namespace tly
