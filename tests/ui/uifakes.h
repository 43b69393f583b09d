// Scripted platform services and a main-window fixture for the window tests: every
// question is answered from a script and recorded, so no test waits on a dialog.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "session/appstate.h"
#include "ui/frmmain.h"
#include "ui/qtplatform.h"

namespace tly::testui {

struct AskedMessage {
  std::string text, title;
  MsgButtons buttons;
  MsgIcon icon;
};

class ScriptedMessages : public MessageBoxService {
 public:
  // Used in order; when empty: OK / Yes. An answer is read as agreeing (OK, Yes) or not
  // (Cancel, No) and given in the form the box's buttons allow.
  std::deque<MsgResult> answers;
  std::vector<AskedMessage> asked;
  MsgResult show(const std::string& text, MsgButtons b, MsgIcon i, const std::string& title) override {
    asked.push_back({text, title, b, i});
    if (!answers.empty()) {
      bool agree = answers.front() == MsgResult::OK || answers.front() == MsgResult::Yes;
      answers.pop_front();
      if (b == MsgButtons::OK) return MsgResult::OK;
      if (b == MsgButtons::YesNo) return agree ? MsgResult::Yes : MsgResult::No;
      return agree ? MsgResult::OK : MsgResult::Cancel;
    }
    return b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK;
  }
  bool wasAsked(const std::string& part) const {
    for (const auto& m : asked)
      if (m.text.find(part) != std::string::npos) return true;
    return false;
  }
};

class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string> values;  // "app/section/key"
  std::string get(const std::string& a, const std::string& s, const std::string& k, const std::string& d) override {
    auto it = values.find(a + "/" + s + "/" + k);
    return it == values.end() ? d : it->second;
  }
  void set(const std::string& a, const std::string& s, const std::string& k, const std::string& v) override {
    values[a + "/" + s + "/" + k] = v;
  }
};

class ScriptedFileDialog : public FileDialogService {
 public:
  std::deque<FileDialogResult> answers;  // when empty: cancelled
  std::vector<FileDialogRequest> asked;
  FileDialogResult run(const FileDialogRequest& req) override {
    asked.push_back(req);
    if (answers.empty()) return {};
    FileDialogResult r = answers.front();
    answers.pop_front();
    return r;
  }
  void choose(const std::string& path, int filterIndex = 1) {
    FileDialogResult r;
    r.status = FileDialogResult::Status::Ok;
    r.path = path;
    r.filterIndex = filterIndex;
    answers.push_back(r);
  }
};

class MemoryClipboard : public ClipboardService {
 public:
  std::string content;
  void clear() override { content.clear(); }
  void setText(const std::string& t) override { content = t; }
  std::string text() override { return content; }
};

class FixedClock : public ClockService {
 public:
  Date date{2000, 6, 15};
  Date today() override { return date; }
};

inline std::string readFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

// One program folder, one set of scripted services, one App and its main window.
struct Session {
  QTemporaryDir dir;
  ScriptedMessages msg;
  MemorySettings settings;
  ScriptedFileDialog files;
  MemoryClipboard clipboard;
  FixedClock clock;
  App app;
  std::unique_ptr<ui::frmMain> w;

  Session() {
    app.P.msg = &msg;
    app.P.settings = &settings;
    app.P.fileDialog = &files;
    app.P.clipboard = &clipboard;
    app.P.clock = &clock;
    app.S.AppPath = dir.path().toStdString() + "/";
  }
  std::string path(const std::string& name) const { return app.S.AppPath + name; }
  ui::frmMain& window() {
    if (!w) w = std::make_unique<ui::frmMain>(app);
    return *w;
  }
  // Start-up as the program entry does it: load, then show the main window or the dialog.
  StartOutcome start() {
    StartOutcome out = window().load();
    if (out == StartOutcome::OfferNewYear) w->openNewYear(true);
    else if (out != StartOutcome::Quit) w->show();
    QApplication::processEvents();
    return out;
  }
  // Start-up and 実行 with the dialog's defaults (3 grades, 6 periods) for school year nendo.
  void startWithNewYear(int nendo) {
    start();
    ui::frmNew* dlg = w->newYearWindow();
    QVERIFY(dlg);
    dlg->txtNendo()->setText(QString::number(nendo));
    QTest::mouseClick(dlg->cmdOK(), Qt::LeftButton);
    QApplication::processEvents();
  }
  QToolButton* button(const std::string& key) {
    return qobject_cast<QToolButton*>(window().toolBar()->widgetForAction(window().toolButton(key)));
  }
};

}  // namespace tly::testui
