// Subcommands that edit a data file as the main window's grid would: edit (type a text
// into one cell and press Enter) and paste (paste clipboard-format text at a cell).
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/context.h"
#include "model/cellcode.h"
#include "model/months.h"
#include "rules/celltext.h"
#include "session/files/datafile.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly::cli {

namespace {

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

bool badValue(std::ostream& err, const char* what, const std::string& v) {
  err << what << "の指定が正しくありません: " << v << "\n";
  return false;
}

// Reads the file and shows grade/month in the grid, as the main window would.
bool openMonth(Context& c, const Options& o) {
  App& app = *c.app;
  if (!openYear(c, o.file)) return false;
  if (!app.Y.isOpen()) {
    c.err << "年度のデータがありません: " << o.file << "\n";
    return false;
  }
  const auto grade = parseNumber(o.values.at("grade"), 1, app.Y.Ggn);
  if (!grade) return badValue(c.err, "学年", o.values.at("grade"));
  const auto month = parseNumber(o.values.at("month"), 1, 12);
  if (!month) return badValue(c.err, "月", o.values.at("month"));
  app.S.CurGr = *grade;
  app.S.CurMonth = *month;
  app.S.CurYear = calendarYearOf(app.Y.nendo(), *month);
  // The month view: no tally view, no timetable setting.
  app.V.tally = false;
  app.V.timetableMode = false;
  SetJJGrid(app);
  DispJJ(app, app.S.CurYear, *month);
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

Outcome save(App& app, const std::string& file) {
  if (Result<void> r = writeDataFileAt(app, file); !r) return shown(r.failure());
  return {};
}

}  // namespace

Outcome cmdEdit(const Args& args, std::ostream& out, std::ostream& err) {
  Options o;
  if (!parseOptions(args, {"grade", "month", "day", "period", "text"}, o, err)) {
    return badArguments("使い方: tly edit FILE --grade G --month M --day D --period P|events|remarks --text T [--all-grades]");
  }
  Context c(err);
  App& app = *c.app;
  if (Outcome held = holdForChange(c, o.file); !held) return held;
  if (!openMonth(c, o)) return stopped();
  const int lastDay = app.Y.monthLength(app.S.CurGr - 1, app.S.CurMonth);
  const auto dayNumber = parseNumber(o.values["day"], 1, std::min(lastDay, 31));
  if (!dayNumber) return badValue(err, "日", o.values["day"]), stopped();
  const int day = *dayNumber;
  const std::string& p = o.values["period"];
  // A day text longer than a cell holds is refused rather than cut without a word.
  if ((p == "events" || p == "remarks") && o.values["text"].size() > kMaxCellTextBytes) {
    err << "--text が長すぎます: " << o.values["text"].size() << " バイト（1 つのセルに入るのは " << kMaxCellTextBytes
        << " バイトまでです）。セルは変更されていません。\n";
    return stopped();
  }
  int col = 0, period = 0;
  if (p == "events") col = 2;
  else if (p == "remarks") col = app.Grid1.cols() - 1;
  else if (auto n = parseNumber(p, 1, app.Y.Jigen)) col = (period = *n) + 2;
  else return badValue(err, "時限", p), stopped();

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
    return stopped("入力を解釈できませんでした。セルは変更されていません。");
  }
  // The new value is printed only once it is saved.
  if (Outcome saved = save(app, o.file); !saved) return saved;
  if (hasControlCharacters(o.values["text"]))
    err << "--text に含まれていた制御文字 (タブ・改行など) を取り除いて記録しました: " << oneLine(o.values["text"]) << "\n";
  int g = app.S.CurGr - 1, m = app.S.CurMonth;
  if (period > 0) out << app.Y.JJ[g][m][day][period] << "\n";
  else out << app.Y.JJText[g][m][day][col == 2 ? 0 : 1] << "\n";
  return {};
}

Outcome cmdPaste(const Args& args, std::ostream& out, std::ostream& err) { return runPaste(args, std::cin, out, err); }

Outcome runPaste(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  (void)out;
  Options o;
  if (!parseOptions(args, {"grade", "month", "row", "col"}, o, err)) {
    return badArguments("使い方: tly paste FILE --grade G --month M --row R --col C [--all-grades] < TEXT");
  }
  Context c(err);
  App& app = *c.app;
  if (Outcome held = holdForChange(c, o.file); !held) return held;
  if (!openMonth(c, o)) return stopped();
  const auto row = parseNumber(o.values["row"], 1, app.Grid1.rows() - 1);
  if (!row) return badValue(err, "行", o.values["row"]), stopped();
  const auto col = parseNumber(o.values["col"], 2, app.Grid1.cols() - 1);
  if (!col) return badValue(err, "列", o.values["col"]), stopped();
  // The text is read whole; a read error pastes nothing.
  std::string text;
  try {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    in.setstate(std::ios::badbit);
  }
  if (in.bad() || (&in == &std::cin && std::ferror(stdin))) {
    return stopped("貼り付ける文字列を標準入力から読み込めませんでした。ファイルは変更されていません。");
  }
  app.Grid1.setCurrent(*row, *col);
  bool pasted = false;
  withEditAll(app, o.allGrades, [&] { pasted = pasteText(app, text); });
  if (!pasted) return stopped();
  return save(app, o.file);
}

}  // namespace tly::cli
