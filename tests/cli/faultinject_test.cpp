// The command-line program run with system calls made to fail one at a time (the
// preloaded library of tests/faultshim): every save either completes or leaves the
// previous file or files whole and says so; every read either reads the whole file or
// fails as a whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "session/files/datafile.h"
#include "session/files/ver2.h"
#include "support/tempdir.h"
#include "support/years.h"

extern char** environ;

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

struct ProcRun {
  int rc = -1;
  std::string out, err;
};

// Runs the program with args; fault is the shim's TLY_FAULT ("" for none). The counts of
// the calls the shim watches go to *counts when given.
// Runs without a display when noDisplay; a run that takes longer than 20 s is killed
// (and reported as rc 128 + 9).
ProcRun runTly(const std::vector<std::string>& args, const std::string& fault,
           std::map<std::string, long>* counts = nullptr, const std::string& stdinPath = "/dev/null",
           bool noDisplay = false) {
  TempDir io;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string s = *e;
    if (s.rfind("LD_PRELOAD=", 0) == 0 || s.rfind("TLY_FAULT", 0) == 0 || s.rfind("ASAN_OPTIONS=", 0) == 0) continue;
    if (noDisplay && (s.rfind("DISPLAY=", 0) == 0 || s.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
                      s.rfind("QT_QPA_PLATFORM=", 0) == 0))
      continue;
    env.push_back(s);
  }
  env.push_back(std::string("LD_PRELOAD=") + TLY_FAULTSHIM);
  env.push_back("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0");
  if (!fault.empty()) env.push_back("TLY_FAULT=" + fault);
  const std::string countFile = io.file("counts");
  env.push_back("TLY_FAULT_COUNTS=" + countFile);
  std::vector<char*> envp, argv;
  for (auto& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string bin = TLY_BIN;
  std::vector<std::string> a = args;
  argv.push_back(bin.data());
  for (auto& s : a) argv.push_back(s.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, io.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, io.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid;
  ProcRun r;
  if (posix_spawn(&pid, bin.c_str(), &fa, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == 2000) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        break;
      }
      usleep(10000);
    }
    r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&fa);
  r.out = readBytes(io.file("out"));
  r.err = readBytes(io.file("err"));
  if (counts) {
    std::ifstream in(countFile);
    std::string name;
    long n;
    while (in >> name >> n) (*counts)[name] = n;
  }
  return r;
}

std::set<std::string> namesIn(const std::string& dir) {
  std::set<std::string> s;
  for (auto& e : std::filesystem::directory_iterator(dir)) s.insert(e.path().filename().string());
  return s;
}

// A year with texts and timetables, written as a current-format file.
void writeYear(const std::string& path, int nendo) {
  auto app = test::makeYearApp(nendo, 3, 6);
  for (int d = 1; d <= 30; ++d) app->Y.JJText[0][5][d][d % 2] = "行事" + std::to_string(nendo + d);
  test::addTimetable(*app, 0, std::to_string(nendo) + "年度1組");
  app->Y.JW[0][1].JWCell[1][2] = "国語";
  test::fillSelectors(*app);
  std::string name = path;
  ASSERT_TRUE(writeDataFileAt(*app, name).ok());
}

// For every watched call of a clean run of `args`, runs it again with that one call
// failing. check(run, fault) judges each run; returns the number of faults injected.
template <typename Setup, typename Check>
int sweep(const std::vector<std::string>& args, const std::vector<std::string>& kinds, const char* err,
          Setup setup, Check check) {
  setup();
  std::map<std::string, long> counts;
  ProcRun clean = runTly(args, "", &counts);
  EXPECT_EQ(clean.rc, 0) << clean.err;
  int injected = 0;
  for (const auto& kind : kinds) {
    for (long k = 1; k <= counts[kind]; ++k) {
      setup();
      std::string fault = kind + ":" + std::to_string(k) + ":" + err;
      check(runTly(args, fault), fault);
      ++injected;
    }
  }
  return injected;
}

const std::vector<std::string> kWriteSide = {"write", "fsync", "close", "rename", "link"};

TEST(FaultInjection, CurrentFormatSaveKeepsTheOldFileOnEveryFailure) {
  TempDir dir;
  const std::string in = dir.file("in.DAT"), out = dir.file("out.DAT");
  writeYear(in, 2001);
  writeYear(dir.file("old.DAT"), 1999);
  ASSERT_EQ(runTly({"resave", in, dir.file("ref.DAT")}, "").rc, 0);
  const std::string oldBytes = readBytes(dir.file("old.DAT")), newBytes = readBytes(dir.file("ref.DAT"));
  const auto files = namesIn(dir.path()).size() + 1;
  int n = sweep({"resave", in, out}, kWriteSide, "ENOSPC", [&] { writeBytes(out, oldBytes); },
                [&](const ProcRun& r, const std::string& fault) {
                  if (r.rc == 0) {
                    EXPECT_EQ(readBytes(out), newBytes) << fault;
                  } else {
                    EXPECT_EQ(r.rc, 1) << fault;
                    EXPECT_NE(r.err.find("Error Code"), std::string::npos) << fault << r.err;
                    EXPECT_TRUE(readBytes(out) == oldBytes) << fault;
                  }
                  EXPECT_EQ(namesIn(dir.path()).size(), files) << fault;  // no temporary file left
                });
  EXPECT_GE(n, 4);
  std::printf("[ faults ] current-format save: %d injected\n", n);
}

// A PDF file: the old one whole, or a complete new one; the output's own close is the
// last close of the run, and its failure fails the print.
TEST(FaultInjection, PdfOutputKeepsTheOldFileOnEveryFailure) {
  TempDir dir;
  const std::string in = dir.file("in.DAT"), out = dir.file("out.pdf");
  writeYear(in, 2001);
  const std::string oldBytes = "%PDF-1.4 old\n%%EOF\n";
  const std::vector<std::string> args = {"print", in, "--pdf", out};
  std::map<std::string, long> counts;
  writeBytes(out, oldBytes);
  ASSERT_EQ(runTly(args, "", &counts).rc, 0);
  const auto files = namesIn(dir.path()).size();
  auto check = [&](const ProcRun& r, const std::string& fault) {
    const std::string now = readBytes(out);
    if (r.rc == 0) {
      EXPECT_TRUE(now != oldBytes && now.rfind("%PDF", 0) == 0 && now.find("%%EOF") != std::string::npos) << fault;
    } else {
      EXPECT_EQ(r.rc, 1) << fault;
      EXPECT_TRUE(now == oldBytes) << fault;
    }
    EXPECT_EQ(namesIn(dir.path()).size(), files) << fault;  // no temporary file left
  };
  int n = sweep(args, {"write", "fsync", "rename"}, "EIO", [&] { writeBytes(out, oldBytes); }, check);
  EXPECT_GE(n, 3);
  writeBytes(out, oldBytes);
  ProcRun lastClose = runTly(args, "close:" + std::to_string(counts["close"]) + ":EIO");
  EXPECT_EQ(lastClose.rc, 1);
  check(lastClose, "last close");
}

// The workbook: the old file whole, or a complete new one.
TEST(FaultInjection, WorkbookExportKeepsTheOldFileOnEveryFailure) {
  TempDir dir;
  const std::string in = dir.file("in.DAT"), out = dir.file("out.xlsx");
  writeYear(in, 2001);
  const std::string oldBytes = "PK old workbook";
  const std::vector<std::string> args = {"export", in, "--xlsx", out, "--to", "7/17"};
  writeBytes(out, oldBytes);
  ASSERT_EQ(runTly(args, "").rc, 0);
  const std::string newBytes = readBytes(out);
  ASSERT_EQ(newBytes.rfind("PK", 0), 0u);
  const auto files = namesIn(dir.path());
  int n = sweep(args, kWriteSide, "EIO", [&] { writeBytes(out, oldBytes); },
                [&](const ProcRun& r, const std::string& fault) {
                  const std::string now = readBytes(out);
                  if (r.rc == 0) {
                    // A complete new workbook (its stored times may differ from the clean run's).
                    EXPECT_TRUE(now != oldBytes && now.rfind("PK", 0) == 0) << fault;
                  } else {
                    EXPECT_EQ(r.rc, 1) << fault;
                    EXPECT_TRUE(now == oldBytes) << fault;
                    EXPECT_NE(r.err.find(out), std::string::npos) << fault << r.err;
                  }
                  EXPECT_EQ(namesIn(dir.path()), files) << fault;  // no temporary file left
                });
  EXPECT_GE(n, 4);
  std::printf("[ faults ] workbook export: %d injected\n", n);
}

// CSV files over an earlier export: every file of the new set, or every file of the old
// one, and nothing else in the folder.
TEST(FaultInjection, CsvExportReplacesTheWholeSetOrNone) {
  TempDir dir;
  const std::string in = dir.file("in.DAT"), old = dir.file("old.DAT"), csv = dir.file("csv");
  writeYear(in, 2001);
  writeYear(old, 1999);
  auto contents = [&] {
    std::map<std::string, std::string> m;
    for (auto& e : std::filesystem::directory_iterator(csv)) m[e.path().filename().string()] = readBytes(e.path());
    return m;
  };
  ASSERT_EQ(runTly({"export", in, "--csv", csv, "--to", "7/17"}, "").rc, 0);
  const auto newSet = contents();
  std::filesystem::remove_all(csv);
  ASSERT_EQ(runTly({"export", old, "--csv", csv, "--to", "7/17"}, "").rc, 0);
  const auto oldSet = contents();
  ASSERT_EQ(oldSet.size(), newSet.size());
  ASSERT_GE(oldSet.size(), 3u);
  ASSERT_NE(oldSet, newSet);
  auto reset = [&] {
    std::filesystem::remove_all(csv);
    std::filesystem::create_directory(csv);
    for (const auto& [name, bytes] : oldSet) writeBytes(csv + "/" + name, bytes);
  };
  const std::vector<std::string> args = {"export", in, "--csv", csv, "--to", "7/17"};
  int n = sweep(args, kWriteSide, "EIO", reset, [&](const ProcRun& r, const std::string& fault) {
    const auto now = contents();
    if (r.rc == 0) {
      EXPECT_TRUE(now == newSet) << fault;
    } else {
      EXPECT_EQ(r.rc, 1) << fault;
      EXPECT_TRUE(now == oldSet) << fault << ": files of two exports mixed";
      EXPECT_NE(r.err.find("前のまま"), std::string::npos) << fault << r.err;
    }
  });
  EXPECT_GE(n, 3 * static_cast<int>(oldSet.size()));
  std::printf("[ faults ] CSV export: %d injected\n", n);
}

// The older three-file set: all three files new, or all three as they were.
struct OlderSet {
  TempDir dir;
  std::string in = dir.file("in.DAT");
  std::string oldBytes[3], newBytes[3];
  std::string out(int i) const { return dir.file(std::string("out") + (i == 0 ? ".DAT" : i == 1 ? ".das" : ".daj")); }
  OlderSet() {
    writeYear(dir.file("old.DAT"), 1999);
    EXPECT_EQ(runTly({"convert", dir.file("old.DAT"), out(0), "--to", "v2"}, "").rc, 0);
    for (int i = 0; i < 3; ++i) oldBytes[i] = readBytes(out(i));
    writeYear(in, 2001);
    EXPECT_EQ(runTly({"convert", in, dir.file("new.DAT"), "--to", "v2"}, "").rc, 0);
    for (int i = 0; i < 3; ++i) {
      newBytes[i] = readBytes(dir.file(std::string("new") + (i == 0 ? ".DAT" : i == 1 ? ".das" : ".daj")));
      EXPECT_TRUE(newBytes[i] != oldBytes[i]) << i;
    }
  }
  void reset() const {
    for (int i = 0; i < 3; ++i) writeBytes(out(i), oldBytes[i]);
  }
  void check(const ProcRun& r, const std::string& fault) const {
    const bool isNew = r.rc == 0;
    if (!isNew) {
      EXPECT_NE(r.err.find("Error Code"), std::string::npos) << fault << r.err;
    }
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(readBytes(out(i)) == (isNew ? newBytes[i] : oldBytes[i])) << fault << " file " << i << " rc " << r.rc;
  }
};

TEST(FaultInjection, OlderFormatSaveKeepsTheWholeOldSetOnEveryFailure) {
  OlderSet s;
  const auto files = namesIn(s.dir.path());
  const std::vector<std::string> args = {"convert", s.in, s.out(0), "--to", "v2"};
  int n = sweep(args, kWriteSide, "EIO", [&] { s.reset(); }, [&](const ProcRun& r, const std::string& fault) {
    s.check(r, fault);
    EXPECT_EQ(namesIn(s.dir.path()), files) << fault;
  });
  // Where hard links are unavailable (vfat, exFAT, some network shares), every link fails.
  int m = sweep(args, {"write", "fsync", "rename"}, "EIO,link:*:EPERM", [&] { s.reset(); },
                [&](const ProcRun& r, const std::string& fault) {
                  s.check(r, fault);
                  EXPECT_EQ(namesIn(s.dir.path()), files) << fault;
                });
  EXPECT_GE(n, 10);
  std::printf("[ faults ] older-format save: %d injected, %d more without hard links\n", n, m);
}

TEST(FaultInjection, ReadsFailAsAWholeOnAnIoError) {
  OlderSet s;
  // Current format: any failing read gives no year at all.
  std::map<std::string, long> counts;
  ASSERT_EQ(runTly({"dump", s.in}, "", &counts).rc, 0);
  int n = 0;
  for (long k = 1; k <= counts["read"]; ++k, ++n) {
    ProcRun r = runTly({"dump", s.in}, "read:" + std::to_string(k) + ":EIO");
    EXPECT_EQ(r.rc, 1) << k;
    EXPECT_EQ(r.out, "") << k;
  }
  // Older format: a failing read of any of the three files converts nothing.
  const std::string v3 = s.dir.file("back.DAT");
  const std::vector<std::string> args = {"convert", s.out(0), v3, "--to", "v3"};
  ASSERT_EQ(runTly(args, "", &counts).rc, 0);
  for (long k = 1; k <= counts["read"]; ++k, ++n) {
    std::filesystem::remove(v3);
    ProcRun r = runTly(args, "read:" + std::to_string(k) + ":EIO");
    EXPECT_EQ(r.rc, 1) << k;
    EXPECT_FALSE(test::fileExists(v3)) << k;
    EXPECT_NE(r.err, "") << k;
  }
  std::printf("[ faults ] reads: %d injected\n", n);
}

TEST(CommandLine, HelpVersionAndMistypedWordsAreAnsweredOnTheTerminal) {
  struct Case {
    std::vector<std::string> args;
    int rc;
    const char* out;  // expected in stdout
    const char* err;  // expected at the start of stderr
  } cases[] = {
      {{}, 1, "", "画面（ディスプレイ）がないため"},
      {{"--dir", "/tmp"}, 1, "", "画面（ディスプレイ）がないため"},
      {{"--help"}, 0, "使い方:", ""},
      {{"-h"}, 0, "使い方:", ""},
      {{"help"}, 0, "使い方:", ""},
      {{"--version"}, 0, "TLY 授業時数集計 ", ""},
      {{"dumpp", "x.dat"}, 2, "", "不明なコマンドです: dumpp\n使い方:"},
  };
  for (const auto& c : cases) {
    ProcRun r = runTly(c.args, "", nullptr, "/dev/null", true);
    std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(r.rc, c.rc) << what << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << what;
    EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << what << r.err;
    if (c.rc == 1) {
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << ": one line";
    }
  }
}

TEST(CommandLine, SpecialAndHugeFilesAreRefusedUnread) {
  TempDir dir;
  const std::string fifo = dir.file("pipe"), huge = dir.file("huge.DAT"), out = dir.file("out.DAT");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  writeYear(huge, 2001);
  std::filesystem::resize_file(huge, (64u << 20) + 1);  // one byte over the limit; sparse: costs no disk
  for (const std::string& in : {std::string("/dev/zero"), fifo, huge, dir.path()}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"dump", in}, {"convert", in, out, "--to", "v2"}, {"resave", in, out}}) {
      ProcRun r = runTly(args, "");
      EXPECT_EQ(r.rc, 1) << args[0] << " " << in;
      EXPECT_NE(r.err.find(in), std::string::npos) << args[0] << " " << in << ": " << r.err;
      EXPECT_FALSE(test::fileExists(out)) << args[0] << " " << in;
    }
  }
}

// The settings file written after an older-format save keeps every section it had, or
// is left as it was when it could not be read.
TEST(FaultInjection, AnUnreadableSettingsFileIsNotRewritten) {
  TempDir dir, settings;
  const std::string in = dir.file("in.DAT"), ini = settings.file("tly.ini");
  writeYear(in, 2001);
  const std::string other = "[Other]\r\nKeep=1\r\n";
  const std::vector<std::string> args = {"convert", in, dir.file("out.DAT"), "--to", "v2", "--dir", settings.path()};
  int n = sweep(args, {"read"}, "EIO", [&] { writeBytes(ini, other); }, [&](const ProcRun& r, const std::string& fault) {
    EXPECT_NE(readBytes(ini).find(other), std::string::npos) << fault << " rc " << r.rc << " " << r.err;
  });
  std::printf("[ faults ] settings file: %d injected\n", n);
}

#ifdef TLY_HAVE_UI
// The desktop program ended by SIGTERM or SIGHUP ends as its Exit command does.
TEST(Desktop, EndsOnTermAndHangUpSignalsAsExitDoes) {
  for (int sig : {SIGTERM, SIGHUP}) {
    TempDir dir;
    const std::string work = dir.file("JJTEMP3.DAT"), settings = dir.file("settings.ini");
    writeYear(work, 2001);
    std::filesystem::last_write_time(work, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const auto written = std::filesystem::last_write_time(work);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      std::string v = *e;
      if (v.rfind("QT_QPA_PLATFORM=", 0) != 0 && v.rfind("LD_PRELOAD=", 0) != 0) env.push_back(v);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string bin = TLY_BIN, a1 = "--dir", a2 = dir.path(), a3 = "--settings", a4 = settings;
    char* argv[] = {bin.data(), a1.data(), a2.data(), a3.data(), a4.data(), nullptr};
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, bin.c_str(), &fa, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&fa);
    // Running once the counter is raised.
    for (int i = 0; i < 2000 && readBytes(settings).find("ExTLY=1") == std::string::npos; ++i) usleep(10000);
    ASSERT_NE(readBytes(settings).find("ExTLY=1"), std::string::npos);
    usleep(300000);
    kill(pid, sig);
    int status = 0;
    for (int i = 0; i < 2000 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(pid, &status, WNOHANG) == 0 && kill(pid, 0) == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(WIFEXITED(status)) << sig << ": ended, not killed";
    EXPECT_NE(readBytes(settings).find("ExTLY=0"), std::string::npos) << sig << ": counter lowered";
    EXPECT_NE(std::filesystem::last_write_time(work), written) << sig << ": working file written";
    EXPECT_EQ(readBytes(work).substr(0, 6), "TLY300");
  }
}
#endif

}  // namespace
}  // namespace tly
