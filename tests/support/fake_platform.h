// Scripted stand-ins for the platform services, shared by the core tests and the window
// tests. Each records what it was asked and answers from a queue; when the queue is empty
// it gives a default. The message box, input box and file dialog stop a runaway loop:
// past `limit` calls they throw instead of answering.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/platform.h"
#include "session/state/app.h"

namespace tly::test {

struct TooManyCalls : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ScriptedMessageBox : public MessageBoxService {
 public:
  struct Shown {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
  };
  std::vector<Shown> shown;
  std::deque<MsgResult> answers;
  // Answer when the queue is empty; unset: OK for OK and OK/Cancel boxes, Yes for Yes/No,
  // Cancel for 上書き / 名前を付けて保存 / キャンセル.
  std::optional<MsgResult> whenEmpty;
  size_t limit = 1000;

  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override {
    if (shown.size() >= limit) throw TooManyCalls("message box shown too often: " + text);
    shown.push_back({text, buttons, icon, title});
    if (!answers.empty()) {
      MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    if (whenEmpty) return *whenEmpty;
    if (buttons == MsgButtons::OverwriteSaveAsCancel) return MsgResult::Cancel;
    return buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
  // Whether some box's text contained `part`.
  bool saw(const std::string& part) const {
    for (const auto& s : shown)
      if (s.text.find(part) != std::string::npos) return true;
    return false;
  }
};

class ScriptedInputBox : public InputBoxService {
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

class MemoryClipboard : public ClipboardService {
 public:
  std::string content;
  int clears = 0, sets = 0;
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

class MemorySettings : public SettingsStore {
 public:
  // "app/section/key", written as one text or as its three parts.
  struct Key {
    std::string path;
    Key(const char* p) : path(p) {}
    Key(const std::string& app, const std::string& section, const std::string& key)
        : path(app + "/" + section + "/" + key) {}
    auto operator<=>(const Key&) const = default;
  };
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
  // A value of the program's own section, "<none>" when never written.
  std::string stored(const std::string& key) const {
    auto it = values.find({"TLY", "Settings", key});
    return it == values.end() ? "<none>" : it->second;
  }
};

class ScriptedFileDialog : public FileDialogService {
 public:
  std::vector<FileDialogRequest> asked;
  std::deque<FileDialogResult> answers;  // empty queue: Cancelled
  size_t limit = 1000;

  FileDialogResult run(const FileDialogRequest& req) override {
    if (asked.size() >= limit) throw TooManyCalls("file dialog shown too often: " + req.title);
    asked.push_back(req);
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

class ScriptedFontDialog : public FontDialogService {
 public:
  std::vector<FontInfo> asked;                  // the current font of each call
  std::deque<std::optional<FontInfo>> answers;  // nullopt = cancelled; empty queue: cancelled
  std::optional<FontInfo> choose(const FontInfo& current) override {
    asked.push_back(current);
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

class FixedClock : public ClockService {
 public:
  Date date{2000, 6, 15};
  Date today() override { return date; }
};

// Every fake at once; install() points an App's platform at them.
struct FakePlatform {
  ScriptedMessageBox msg;
  ScriptedInputBox input;
  MemoryClipboard clipboard;
  MemorySettings settings;
  ScriptedFileDialog files;
  ScriptedFontDialog fonts;
  FixedClock clock;

  void install(App& app) {
    app.P.msg = &msg;
    app.P.input = &input;
    app.P.clipboard = &clipboard;
    app.P.settings = &settings;
    app.P.fileDialog = &files;
    app.P.fontDialog = &fonts;
    app.P.clock = &clock;
  }
};

// An App wired to its own fakes, which outlive it.
struct TestApp : FakePlatform {
  App app;
  TestApp() { install(app); }
  TestApp(const TestApp&) = delete;
  TestApp& operator=(const TestApp&) = delete;
};

}  // namespace tly::test
