// Subcommands that edit a data file as the main window's grid would: edit (type a text
// into one cell and press Enter) and paste (paste clipboard-format text at a cell).
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "io/safesave.h"
#include "model/cellcode.h"
#include "model/months.h"
#include "session/datafile.h"
#include "session/celledit.h"
#include "session/clipboard.h"
#include "session/monthgrid.h"

namespace tly::cli {

namespace {

// Messages of the procedures go to the error stream and count as a failure.
class ErrorMessages : public MessageBoxService {
 public:
  explicit ErrorMessages(std::ostream& err) : err_(err) {}
  MsgResult show(const std::string& text, MsgButtons b, MsgIcon, const std::string&) override {
    err_ << text << "\n";
    ++count;
    return b == MsgButtons::YesNo ? MsgResult::No : b == MsgButtons::OKCancel ? MsgResult::Cancel : MsgResult::OK;
  }
  int count = 0;

 private:
  std::ostream& err_;
};

struct Options {
  std::string file;
  std::map<std::string, std::string> values;
  bool allGrades = false;
};

// FILE, then --name value pairs and the flag --all-grades. False on anything else.
bool parseOptions(const Args& args, const std::vector<std::string>& names, Options& o, std::ostream& err) {
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--all-grades") {
      o.allGrades = true;
    } else if (a.rfind("--", 0) == 0) {
      std::string n = a.substr(2);
      if (std::find(names.begin(), names.end(), n) == names.end() || i + 1 >= args.size()) {
        err << "不正なオプションです: " << a << "\n";
        return false;
      }
      o.values[n] = args[++i];
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      err << "余分な引数です: " << a << "\n";
      return false;
    }
  }
  if (o.file.empty()) {
    err << "データファイルを指定してください。\n";
    return false;
  }
  for (const auto& n : names)
    if (!o.values.count(n)) {
      err << "--" << n << " を指定してください。\n";
      return false;
    }
  return true;
}

bool parseInt(const std::string& s, int lo, int hi, int& out) {
  if (s.empty() || s.size() > 6) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  int v = std::stoi(s);
  if (v < lo || v > hi) return false;
  out = v;
  return true;
}

bool badValue(std::ostream& err, const char* what, const std::string& v) {
  err << what << "の指定が正しくありません: " << v << "\n";
  return false;
}

struct CliEdit {
  App app;
  ErrorMessages msgs;
  explicit CliEdit(std::ostream& err) : msgs(err) { app.P.msg = &msgs; }
};

// Reads the file and shows grade/month in the grid, as the main window would.
bool openMonth(CliEdit& c, const Options& o, std::ostream& err) {
  App& app = c.app;
  // Only the current format: the older format's reader asks questions on the way.
  std::string bytes;
  if (readFileContents(o.file, &bytes) != 0) {
    err << "データファイルを読み込めません: " << o.file << "\n";
    return false;
  }
  if (bytes.compare(0, 6, kFileSig) != 0) {
    err << "TLY300 形式のデータファイルではありません: " << o.file << "\n";
    return false;
  }
  std::string why;
  if (readDataFileAt(app, o.file, &why) != LoadOutcome::Loaded) {
    if (!why.empty()) err << o.file << ": " << why << "\n";
    else err << "データファイルを読み込めません: " << o.file << "\n";
    return false;
  }
  if (!app.Y.isOpen()) {
    err << "年度のデータがありません: " << o.file << "\n";
    return false;
  }
  int grade = 0, month = 0;
  if (!parseInt(o.values.at("grade"), 1, app.Y.Ggn, grade)) return badValue(err, "学年", o.values.at("grade"));
  if (!parseInt(o.values.at("month"), 1, 12, month)) return badValue(err, "月", o.values.at("month"));
  app.S.CurGr = grade;
  app.S.CurMonth = month;
  app.S.CurYear = calendarYearOf(app.Y.nendo(), month);
  // The month view: no tally view, no timetable setting.
  app.V.tally = false;
  app.V.timetableMode = false;
  SetJJGrid(app);
  DispJJ(app, app.S.CurYear, month);
  return true;
}

// Stores with edit-all as asked for this run only; the file keeps its own setting.
template <class F>
void withEditAll(App& app, bool on, F f) {
  bool saved = app.V.editAll;
  app.V.editAll = on;
  f();
  app.V.editAll = saved;
}

int save(App& app, const std::string& file) { return writeDataFileAt(app, file) == SaveOutcome::Saved ? 0 : 1; }

}  // namespace

int cmdEdit(const Args& args, std::ostream& out, std::ostream& err) {
  Options o;
  if (!parseOptions(args, {"grade", "month", "day", "period", "text"}, o, err)) {
    err << "使い方: tly edit FILE --grade G --month M --day D --period P|events|remarks --text T [--all-grades]\n";
    return 2;
  }
  auto c = std::make_unique<CliEdit>(err);
  App& app = c->app;
  if (!openMonth(*c, o, err)) return 1;
  int day = 0;
  int lastDay = app.Y.monthLength(app.S.CurGr - 1, app.S.CurMonth);
  if (!parseInt(o.values["day"], 1, std::min(lastDay, 31), day)) return badValue(err, "日", o.values["day"]), 1;
  const std::string& p = o.values["period"];
  int col = 0, period = 0;
  if (p == "events") col = 2;
  else if (p == "remarks") col = app.Grid1.cols() - 1;
  else if (parseInt(p, 1, app.Y.Jigen, period)) col = period + 2;
  else return badValue(err, "時限", p), 1;

  // F2, the text, Enter: the grid's focus handler stores it.
  app.Grid1.setCurrent(day, col);
  bool stored = false;
  withEditAll(app, o.allGrades, [&] {
    Grid1_KeyDown(app, kKeyF2, 0);
    txtInput_GotFocus(app);
    app.W.txtInput = o.values["text"];
    txtInput_KeyDown(app, kKeyEnter, 0);
    stored = Grid1_GotFocus(app);
  });
  if (!stored) {
    err << "入力を解釈できませんでした。セルは変更されていません。\n";
    return 1;
  }
  int g = app.S.CurGr - 1, m = app.S.CurMonth;
  if (period > 0) out << app.Y.JJ[g][m][day][period] << "\n";
  else out << app.Y.JJText[g][m][day][col == 2 ? 0 : 1] << "\n";
  return save(app, o.file);
}

int cmdPaste(const Args& args, std::ostream& out, std::ostream& err) { return runPaste(args, std::cin, out, err); }

int runPaste(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  (void)out;
  Options o;
  if (!parseOptions(args, {"grade", "month", "row", "col"}, o, err)) {
    err << "使い方: tly paste FILE --grade G --month M --row R --col C [--all-grades] < TEXT\n";
    return 2;
  }
  auto c = std::make_unique<CliEdit>(err);
  App& app = c->app;
  if (!openMonth(*c, o, err)) return 1;
  int row = 0, col = 0;
  if (!parseInt(o.values["row"], 1, app.Grid1.rows() - 1, row)) return badValue(err, "行", o.values["row"]), 1;
  if (!parseInt(o.values["col"], 2, app.Grid1.cols() - 1, col)) return badValue(err, "列", o.values["col"]), 1;
  std::ostringstream text;
  text << in.rdbuf();
  app.Grid1.setCurrent(row, col);
  bool pasted = false;
  withEditAll(app, o.allGrades, [&] { pasted = pasteText(app, text.str()); });
  if (!pasted) return 1;
  return save(app, o.file);
}

}  // namespace tly::cli
