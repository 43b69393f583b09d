// Scripted platform services and a small year builder for the start-up, file-command and
// navigation tests. Every service records what it was asked.
#pragma once

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/appstate.h"

namespace tly::navtest {

struct ShownMessage {
  std::string text;
  MsgButtons buttons;
  MsgIcon icon;
  std::string title;
};

class ScriptedMessages : public MessageBoxService {
 public:
  std::deque<MsgResult> answers;  // used in order; OK / Yes when the script runs out
  std::vector<ShownMessage> shown;
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

class MemorySettings : public SettingsStore {
 public:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  int writes = 0;
  std::string get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& def) override {
    auto it = values.find({app, section, key});
    return it == values.end() ? def : it->second;
  }
  void set(const std::string& app, const std::string& section, const std::string& key,
           const std::string& value) override {
    ++writes;
    values[{app, section, key}] = value;
  }
  bool has(const std::string& key) const { return values.count({"TLY", "Settings", key}) > 0; }
  std::string at(const std::string& key) const {
    auto it = values.find({"TLY", "Settings", key});
    return it == values.end() ? std::string("<none>") : it->second;
  }
};

class ScriptedFileDialog : public FileDialogService {
 public:
  std::deque<FileDialogResult> results;  // Cancelled when the script runs out
  std::vector<FileDialogRequest> requests;
  FileDialogResult run(const FileDialogRequest& req) override {
    requests.push_back(req);
    if (results.empty()) return {};
    FileDialogResult r = results.front();
    results.pop_front();
    return r;
  }
};

class FixedClock : public ClockService {
 public:
  Date date;
  Date today() override { return date; }
};

// A fresh empty folder, removed again at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tlynavXXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data())) path_ = buf.data();
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  std::string path() const { return path_ + "/"; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Everything a test app needs, wired together.
struct Rig {
  App app;
  ScriptedMessages msg;
  MemorySettings settings;
  ScriptedFileDialog dialog;
  FixedClock clock;
  Rig() {
    app.P.msg = &msg;
    app.P.settings = &settings;
    app.P.fileDialog = &dialog;
    app.P.clock = &clock;
  }
};

inline int daysIn(int year, int month) {
  static const int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month];
}

// School year `nendo` with `grades` grades: the year number, every month's length, and the
// grade and month selectors filled as a read or a build leaves them.
inline void makeYear(App& app, int nendo, int grades, int periods = 6) {
  app.Y.JJ[0][0][0][0] = static_cast<int16_t>(nendo);
  app.Y.Ggn = static_cast<int16_t>(grades);
  app.Y.Jigen = static_cast<int16_t>(periods);
  for (int g = 0; g < grades; ++g)
    for (int m = 1; m <= 12; ++m)
      app.Y.JJ[g][m][0][0] = static_cast<int16_t>(daysIn(m >= 4 ? nendo : nendo + 1, m));
  app.W.cmbGr.clear();
  for (int g = 1; g <= grades; ++g) app.W.cmbGr.items.push_back(std::to_string(g) + "年");
  app.W.cmbMonth.clear();
  for (int m : {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}) app.W.cmbMonth.items.push_back(std::to_string(m) + "月");
}

inline void addTimetable(App& app, int kind, const std::string& name) {
  int n = ++app.Y.JW[kind][0].JWKind;
  app.Y.JW[kind][n].JWKind = static_cast<int16_t>(kind + 1);
  app.Y.JW[kind][n].JWName = name;
}

}  // namespace tly::navtest
