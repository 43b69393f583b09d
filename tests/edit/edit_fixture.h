// A small open year on an App with recording platform services, for the edit tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "session/appstate.h"
#include "model/cellcode.h"
#include "session/monthgrid.h"
#include "support/viewstate.h"

namespace tly::testing {

class RecordingMessages : public MessageBoxService {
 public:
  struct Shown {
    std::string text, title;
    MsgIcon icon;
  };
  std::vector<Shown> shown;
  MsgResult show(const std::string& text, MsgButtons, MsgIcon icon, const std::string& title) override {
    shown.push_back({text, title, icon});
    return MsgResult::OK;
  }
};

class MemoryClipboard : public ClipboardService {
 public:
  std::string content;
  int clears = 0;
  void clear() override {
    ++clears;
    content.clear();
  }
  void setText(const std::string& utf8) override { content = utf8; }
  std::string text() override { return content; }
};

class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string> values;
  std::string get(const std::string& app, const std::string& section, const std::string& key,
                  const std::string& def) override {
    auto it = values.find(app + "/" + section + "/" + key);
    return it == values.end() ? def : it->second;
  }
  void set(const std::string& app, const std::string& section, const std::string& key,
           const std::string& value) override {
    values[app + "/" + section + "/" + key] = value;
  }
};

// School year 1999 (April 1999 .. March 2000) with three grades and six periods; every
// day of every month of every grade follows the timetable of its weekday. Shows May of
// grade 1 (May 1999 starts on a Saturday).
struct EditFixture {
  App app;
  RecordingMessages messages;
  MemoryClipboard clipboard;
  MemorySettings settings;

  EditFixture() {
    app.P.msg = &messages;
    app.P.clipboard = &clipboard;
    app.P.settings = &settings;
    SchoolYear& y = app.Y;
    y.JJ[0][0][0][0] = 1999;
    y.Ggn = 3;
    y.Jigen = 6;
    static const int lengths[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int g = 0; g < 3; ++g)
      for (int m = 1; m <= 12; ++m) {
        y.JJ[g][m][0][0] = static_cast<int16_t>(lengths[m]);
        for (int d = 1; d <= lengths[m]; ++d)
          for (int p = 1; p <= 6; ++p) y.JJ[g][m][d][p] = static_cast<int16_t>(10 * weekday(m, d) + p);
      }
    y.JItemCount = 8;
    for (size_t i = 0; i < 8; ++i) y.JItem[i] = kDefaultItemNames[i];
    app.S.CurGr = 1;
    app.S.CurMonth = 5;
    app.S.CurYear = 1999;
    SetJJGrid(app);
    DispJJ(app, 1999, 5);
  }

  // Weekday 1..7 of a date of school year 1999.
  static int weekday(int m, int d) {
    int y = m < 4 ? 2000 : 1999;
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) --y;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7 + 1;
  }

  int16_t& cell(int grade, int day, int period) { return app.Y.JJ[grade - 1][app.S.CurMonth][day][period]; }
  std::string& text(int grade, int day, int kind) { return app.Y.JJText[grade - 1][app.S.CurMonth][day][kind]; }
  void select(int row, int col, int rowSel, int colSel) {
    app.Grid1.setCurrent(row, col);
    app.Grid1.RowSel = rowSel;
    app.Grid1.ColSel = colSel;
  }
  void setEditAll(bool on) { testing::setView(app, "mnuEditAll", on); }
};

}  // namespace tly::testing
