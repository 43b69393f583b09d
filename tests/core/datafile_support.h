// Helpers of the data-file tests: scripted message box and file dialog, a temporary
// folder, a hand-made byte builder and a comparison of two years.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "session/appstate.h"
#include "session/datafile.h"

namespace tly::testing {

struct ScriptedMessages : MessageBoxService {
  struct Shown {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
  };
  std::vector<Shown> shown;
  std::deque<MsgResult> answers;  // answers to give; OK / Yes when empty
  MsgResult show(const std::string& text, MsgButtons b, MsgIcon i, const std::string& title) override {
    shown.push_back({text, b, i, title});
    if (!answers.empty()) {
      MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
};

struct ScriptedDialog : FileDialogService {
  std::vector<FileDialogRequest> asked;
  FileDialogResult answer;
  FileDialogResult run(const FileDialogRequest& req) override {
    asked.push_back(req);
    return answer;
  }
};

class TempDir {
 public:
  TempDir() {
    std::string t = (std::filesystem::temp_directory_path() / "tlytestXXXXXX").string();
    path_ = ::mkdtemp(t.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void spit(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Little-endian bytes written one by one, for expected file contents built by hand.
struct Bytes {
  std::string s;
  Bytes& i16(int v) {
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>((v >> 8) & 0xff));
    return *this;
  }
  Bytes& i32(long v) {
    for (int k = 0; k < 4; ++k) s.push_back(static_cast<char>((v >> (8 * k)) & 0xff));
    return *this;
  }
  Bytes& raw(const std::string& b) {
    s += b;
    return *this;
  }
  Bytes& text(const std::string& cp932) { return i16(static_cast<int>(cp932.size())).raw(cp932); }
  Bytes& zeros(int n16) {
    s.append(static_cast<size_t>(n16) * 2, '\0');
    return *this;
  }
};

// App with scripted services installed.
struct TestApp {
  App app;
  ScriptedMessages msgs;
  ScriptedDialog dialog;
  TestApp() {
    app.P.msg = &msgs;
    app.P.fileDialog = &dialog;
  }
};

// Every table of two years equal (the settings record included).
inline void expectSameYear(const SchoolYear& a, const SchoolYear& b) {
  EXPECT_EQ(a.Ggn, b.Ggn);
  EXPECT_EQ(a.Jigen, b.Jigen);
  EXPECT_EQ(0, std::memcmp(a.JJ, b.JJ, sizeof a.JJ));
  int textDiffs = 0;
  for (int g = 0; g < kGrades; ++g)
    for (int m = 0; m < kMonthSlots; ++m)
      for (int d = 0; d < kDaySlots; ++d)
        for (int k = 0; k < kTextKinds; ++k) textDiffs += a.JJText[g][m][d][k] != b.JJText[g][m][d][k];
  EXPECT_EQ(textDiffs, 0);
  EXPECT_EQ(a.JItemCount, b.JItemCount);
  EXPECT_EQ(a.JItem, b.JItem);
  int jwDiffs = 0;
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i <= kMaxTimetables; ++i) {
      const JWRec &x = a.JW[k][i], &y = b.JW[k][i];
      jwDiffs += x.JWKind != y.JWKind || x.JWName != y.JWName || x.JWCell != y.JWCell;
    }
  EXPECT_EQ(jwDiffs, 0);
  EXPECT_EQ(a.Fs.FsColWidth, b.Fs.FsColWidth);
  EXPECT_EQ(a.Fs.FsReserved, b.Fs.FsReserved);
  EXPECT_EQ(a.Fs.FsFontName, b.Fs.FsFontName);
  EXPECT_EQ(a.Fs.FsFontSize, b.Fs.FsFontSize);
  EXPECT_EQ(a.Fs.FsJItem, b.Fs.FsJItem);
  EXPECT_EQ(a.Fs.FsDspJWList, b.Fs.FsDspJWList);
  EXPECT_EQ(a.Fs.FsJWClass, b.Fs.FsJWClass);
  EXPECT_EQ(a.Fs.FsKikan, b.Fs.FsKikan);
}

}  // namespace tly::testing
