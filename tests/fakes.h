// Scripted stand-ins for the platform services, for tests. Each records what it was asked
// and answers from a queue; when the queue is empty it gives a configurable default.
// Every fake stops a runaway loop: past `limit` calls it throws instead of answering.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "session/appstate.h"
#include "model/platform.h"

namespace tly::test {

struct TooManyCalls : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class FakeMessageBox : public MessageBoxService {
 public:
  struct Shown {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
  };
  std::vector<Shown> shown;
  std::deque<MsgResult> answers;
  // Answer when the queue is empty; unset: OK for OK and OK/Cancel boxes, Yes for Yes/No.
  std::optional<MsgResult> whenEmpty;
  size_t limit = 1000;

  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override {
    if (shown.size() >= limit) throw TooManyCalls("message box asked too often: " + text);
    shown.push_back({text, buttons, icon, title});
    if (!answers.empty()) {
      MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    if (whenEmpty) return *whenEmpty;
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
  // How many boxes showed exactly this text / a text containing part.
  size_t count(const std::string& text) const {
    size_t n = 0;
    for (const auto& s : shown) n += s.text == text;
    return n;
  }
  bool sawPart(const std::string& part) const {
    for (const auto& s : shown)
      if (s.text.find(part) != std::string::npos) return true;
    return false;
  }
};

class FakeInputBox : public InputBoxService {
 public:
  struct Asked {
    std::string prompt, title, defaultText;
  };
  std::vector<Asked> asked;
  std::deque<std::string> answers;
  std::string whenEmpty;  // "" is what a cancelled input box gives
  size_t limit = 1000;

  std::string ask(const std::string& prompt, const std::string& title, const std::string& def) override {
    if (asked.size() >= limit) throw TooManyCalls("input box asked too often: " + prompt);
    asked.push_back({prompt, title, def});
    if (answers.empty()) return whenEmpty;
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
};

class FakeSettingsStore : public SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;  // app, section, key
  std::map<Key, std::string> values;
  size_t reads = 0, writes = 0;

  std::string get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& def) override {
    ++reads;
    auto it = values.find({app, section, key});
    return it == values.end() ? def : it->second;
  }
  void set(const std::string& app, const std::string& section, const std::string& key,
           const std::string& value) override {
    ++writes;
    values[{app, section, key}] = value;
  }
  // Shorthand for the program's own application and section.
  std::optional<std::string> value(const std::string& key, const std::string& app = "TLY",
                                   const std::string& section = "Settings") const {
    auto it = values.find({app, section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

class FakeFileDialog : public FileDialogService {
 public:
  std::vector<FileDialogRequest> requests;
  std::deque<FileDialogResult> answers;  // empty queue: Cancelled
  size_t limit = 1000;

  FileDialogResult run(const FileDialogRequest& req) override {
    if (requests.size() >= limit) throw TooManyCalls("file dialog shown too often: " + req.title);
    requests.push_back(req);
    if (answers.empty()) return FileDialogResult{};
    FileDialogResult r = answers.front();
    answers.pop_front();
    return r;
  }
  void choose(const std::string& path, int filterIndex = 1) {
    answers.push_back({FileDialogResult::Status::Ok, path, filterIndex});
  }
  void cancel() { answers.push_back({FileDialogResult::Status::Cancelled, "", 1}); }
  void fail() { answers.push_back({FileDialogResult::Status::Error, "", 1}); }
};

class FakeClipboard : public ClipboardService {
 public:
  std::string content;
  size_t clears = 0, sets = 0;
  void clear() override {
    ++clears;
    content.clear();
  }
  void setText(const std::string& utf8) override {
    ++sets;
    content = utf8;
  }
  std::string text() override { return content; }
};

class FakeFontDialog : public FontDialogService {
 public:
  std::vector<FontInfo> asked;                // the current font of each call
  std::deque<std::optional<FontInfo>> answers;  // nullopt = cancelled; empty queue: cancelled
  std::optional<FontInfo> choose(const FontInfo& current) override {
    asked.push_back(current);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

class FakeClock : public ClockService {
 public:
  Date date{2000, 4, 1};
  Date today() override { return date; }
};

// Every fake at once, installed into an App's platform.
struct FakePlatform {
  FakeMessageBox msg;
  FakeInputBox input;
  FakeClipboard clipboard;
  FakeSettingsStore settings;
  FakeFileDialog fileDialog;
  FakeFontDialog fontDialog;
  FakeClock clock;
  void install(App& app) {
    app.P.msg = &msg;
    app.P.input = &input;
    app.P.clipboard = &clipboard;
    app.P.settings = &settings;
    app.P.fileDialog = &fileDialog;
    app.P.fontDialog = &fontDialog;
    app.P.clock = &clock;
  }
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string t = (std::filesystem::temp_directory_path() / "tly-test-XXXXXX").string();
    if (!::mkdtemp(t.data())) throw std::runtime_error("mkdtemp failed");
    path_ = t;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder, ending in "/" as AppPath does.
  std::string dir() const { return path_ + "/"; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

}  // namespace tly::test
