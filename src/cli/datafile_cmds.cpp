// Subcommands around the data file: new, month, dump, resave.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/context.h"
#include "calendar/holidays.h"
#include "model/basic.h"
#include "model/months.h"
#include "rules/clipboardtext.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmnew/nextyear.h"
#include "session/files/settingsfile.h"

namespace tly::cli {

namespace {

// ---------------------------------------------------------------- JSON

class Json {
 public:
  explicit Json(std::ostream& o) : o_(o) {}
  void str(const std::string& s) {
    std::string t = sanitizeUtf8(s);
    o_ << '"';
    for (unsigned char c : t) {
      switch (c) {
        case '"': o_ << "\\\""; break;
        case '\\': o_ << "\\\\"; break;
        case '\n': o_ << "\\n"; break;
        case '\r': o_ << "\\r"; break;
        case '\t': o_ << "\\t"; break;
        case '\b': o_ << "\\b"; break;
        case '\f': o_ << "\\f"; break;
        default:
          if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            o_ << buf;
          } else {
            o_ << static_cast<char>(c);
          }
      }
    }
    o_ << '"';
  }
  void num(long v) { o_ << v; }
  void num(float f) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(f));
    o_ << (std::isfinite(f) ? buf : "null");
  }
  void key(const char* k) {
    sep();
    str(k);
    o_ << ':';
    fresh_ = true;
  }
  void open(char c) {
    sep();
    o_ << c;
    fresh_ = true;
  }
  void close(char c) {
    o_ << c;
    fresh_ = false;
  }
  template <class T>
  void value(const T& v) {
    sep();
    if constexpr (std::is_same_v<T, std::string>)
      str(v);
    else
      num(v);
    fresh_ = false;
  }
  template <class T>
  void field(const char* k, const T& v) {
    key(k);
    value(v);
  }
  template <class C>
  void array(const char* k, const C& c) {
    key(k);
    open('[');
    for (const auto& v : c) value(v);
    close(']');
  }

 private:
  void sep() {
    if (!fresh_) o_ << ',';
    fresh_ = false;
  }
  std::ostream& o_;
  bool fresh_ = true;
};

void dumpSettings(Json& j, const FileSettings& fs) {
  j.key("settings");
  j.open('{');
  j.field("FsUDisp", long(fs.FsUDisp));
  j.field("FsEditAll", long(fs.FsEditAll));
  j.field("FsToolBar", long(fs.FsToolBar));
  j.field("FsDispJWC", long(fs.FsDispJWC));
  j.field("FsDispJWS", long(fs.FsDispJWS));
  std::vector<long> widths(fs.FsColWidth.begin(), fs.FsColWidth.end());
  j.array("FsColWidth", widths);
  std::vector<long> reserved(fs.FsReserved.begin(), fs.FsReserved.end());
  j.array("FsReserved", reserved);
  j.field("FsFontName", fs.FsFontName);
  j.field("FsFontSize", fs.FsFontSize);
  j.field("FsFontBold", long(fs.FsFontBold));
  j.field("FsFontItalic", long(fs.FsFontItalic));
  j.field("FsPrnFontName", fs.FsPrnFontName);
  j.field("FsPrnFontSize", fs.FsPrnFontSize);
  j.field("FsPrnFontBold", long(fs.FsPrnFontBold));
  j.field("FsPrnFontItalic", long(fs.FsPrnFontItalic));
  j.field("FsPrnFromMonth", long(fs.FsPrnFromMonth));
  j.field("FsPrnToMonth", long(fs.FsPrnToMonth));
  j.field("FsPrnTop", long(fs.FsPrnTop));
  j.field("FsPrnLeft", long(fs.FsPrnLeft));
  j.field("FsPrnBottom", long(fs.FsPrnBottom));
  j.field("FsPrnRight", long(fs.FsPrnRight));
  j.field("FsPrnCopies", long(fs.FsPrnCopies));
  j.field("FsPrnAll", long(fs.FsPrnAll));
  j.field("FsJItemCount", long(fs.FsJItemCount));
  std::vector<std::string> items(fs.FsJItem.begin(), fs.FsJItem.end());
  j.array("FsJItem", items);
  j.field("FsGrIndex", long(fs.FsGrIndex));
  j.field("FsSpare", long(fs.FsSpare));
  j.field("FsDspJWIndex", long(fs.FsDspJWIndex));
  j.field("FsDspJWCount", long(fs.FsDspJWCount));
  std::vector<std::string> list(fs.FsDspJWList.begin(), fs.FsDspJWList.end());
  j.array("FsDspJWList", list);
  j.field("FsJWClass", long(fs.FsJWClass));
  j.field("FsLstJW", long(fs.FsLstJW));
  j.field("FsRefClass", long(fs.FsRefClass));
  j.field("FsCmbRef", long(fs.FsCmbRef));
  j.field("FsKikan", long(fs.FsKikan));
  j.close('}');
}

void dumpYear(std::ostream& o, const SchoolYear& y) {
  Json j(o);
  const int jigen = std::clamp<int>(y.Jigen, 0, kPeriodSlots - 1);
  j.open('{');
  j.field("year", long(y.nendo()));
  j.field("grades", long(y.Ggn));
  j.field("periods", long(y.Jigen));

  // Cells of periods 1..Jigen of days 1..31, months in school order.
  j.key("months");
  j.open('[');
  for (int g = 0; g < std::clamp<int>(y.Ggn, 0, kGrades); ++g)
    for (int i = 0; i < 12; ++i) {
      int m = monthAtPosition(i);
      j.open('{');
      j.field("grade", long(g + 1));
      j.field("month", long(m));
      j.field("lastDay", long(y.JJ[g][m][0][0]));
      j.key("days");
      j.open('[');
      for (int d = 1; d <= 31; ++d) {
        j.open('[');
        for (int p = 1; p <= jigen; ++p) j.value(long(y.JJ[g][m][d][p]));
        j.close(']');
      }
      j.close(']');
      j.close('}');
    }
  j.close(']');

  j.key("texts");
  j.open('[');
  for (int g = 0; g < kGrades; ++g)
    for (int i = 0; i < 12; ++i) {
      int m = monthAtPosition(i);
      for (int d = 1; d <= 31; ++d)
        for (int k = 0; k < kTextKinds; ++k) {
          const std::string& t = y.JJText[g][m][d][k];
          if (t.empty()) continue;
          j.open('{');
          j.field("grade", long(g + 1));
          j.field("month", long(m));
          j.field("day", long(d));
          j.field("kind", std::string(k == 0 ? "events" : "remarks"));
          j.field("text", t);
          j.close('}');
        }
    }
  j.close(']');

  std::vector<std::string> items;
  for (int i = 0; i < std::clamp<int>(y.JItemCount, 0, kItemSlots); ++i) items.push_back(y.JItem[size_t(i)]);
  j.array("items", items);

  // Timetable cells by weekday (Sunday first), periods 1..Jigen.
  j.key("timetables");
  j.open('{');
  for (int k = 0; k < 2; ++k) {
    j.key(k == 0 ? "class" : "teacher");
    j.open('[');
    for (int i = 1; i <= std::clamp(y.timetableCount(k), 0, kMaxTimetables); ++i) {
      const JWRec& r = y.JW[k][i];
      j.open('{');
      j.field("kind", long(r.JWKind));
      j.field("name", r.JWName);
      j.key("cells");
      j.open('[');
      for (int w = 0; w < 7; ++w) {
        std::vector<std::string> row;
        for (int p = 1; p <= jigen; ++p) row.push_back(r.JWCell[size_t(w)][size_t(p)]);
        j.open('[');
        for (const auto& s : row) j.value(s);
        j.close(']');
      }
      j.close(']');
      j.close('}');
    }
    j.close(']');
  }
  j.close('}');

  dumpSettings(j, y.Fs);
  j.close('}');
  o << "\n";
}

// ---------------------------------------------------------------- new

bool parseSaturdays(const std::string& s, std::array<bool, 5>& out) {
  out.fill(false);
  if (s == "none") return true;
  std::stringstream in(s);
  std::string part;
  bool any = false;
  while (std::getline(in, part, ',')) {
    auto n = parseNumber(trimBlanks(part), 1, 5);
    if (!n) return false;
    out[size_t(*n - 1)] = true;
    any = true;
  }
  return any;
}

// "class,teacher,items,settings": the contents not carried into the new year.
bool parseNoCarry(const std::string& s, CarryChoice& c) {
  std::stringstream in(s);
  std::string part;
  bool any = false;
  while (std::getline(in, part, ',')) {
    part = trimBlanks(part);
    if (part == "class")
      c.classTimetables = false;
    else if (part == "teacher")
      c.teacherTimetables = false;
    else if (part == "items")
      c.items = false;
    else if (part == "settings")
      c.settings = false;
    else
      return false;
    any = true;
  }
  return any;
}

}  // namespace

Outcome cmdNew(const Args& args, std::ostream& out, std::ostream& err) {
  (void)out;
  const char* usage =
      "使い方: tly new 年度 [--grades N] [--periods N] [--closed-saturdays LIST] [--holidays law|table]\n"
      "        [--from FILE [--advance-grades] [--no-carry LIST]] -o FILE\n";
  NewYearOptions opt;
  std::string yearText, outPath, fromPath;
  bool gradesGiven = false, periodsGiven = false, advance = false, carryOptions = false;
  CarryChoice carry;
  for (ArgWalk walk(args); walk.next();) {
    const std::string& a = walk.arg();
    std::string v;
    if (a == "--grades") {
      auto n = walk.value(v) ? parseNumber(v, 3, 6) : std::nullopt;
      if (!n) {
        return badArguments("学年数は 3～6 で指定してください。");
      }
      opt.grades = *n;
      gradesGiven = true;
    } else if (a == "--periods") {
      auto n = walk.value(v) ? parseNumber(v, 5, 7) : std::nullopt;
      if (!n) {
        return badArguments("時限数は 5～7 で指定してください。");
      }
      opt.periods = *n;
      periodsGiven = true;
    } else if (a == "--closed-saturdays") {
      if (!walk.value(v) || !parseSaturdays(v, opt.closedSaturdays)) {
        return badArguments("休みの土曜日は 1～5 の番号をコンマで区切るか none で指定してください。");
      }
    } else if (a == "--holidays") {
      if (!walk.value(v) || (v != "law" && v != "table")) {
        return badArguments("祝日は law（祝日法）か table（固定の表）で指定してください。");
      }
      opt.holidays = v == "law" ? HolidaySource::Law : HolidaySource::Table;
    } else if (a == "--from") {
      if (!walk.value(fromPath) || fromPath.empty()) {
        err << usage;
        return badArguments();
      }
    } else if (a == "--advance-grades") {
      advance = true;
      carryOptions = true;
    } else if (a == "--no-carry") {
      if (!walk.value(v) || !parseNoCarry(v, carry)) {
        return badArguments("引き継がない内容は class,teacher,items,settings をコンマで区切って指定してください。");
      }
      carryOptions = true;
    } else if (a == "-o") {
      if (!walk.value(outPath)) {
        err << usage;
        return badArguments();
      }
    } else if (yearText.empty() && (a.empty() || a[0] != '-')) {
      yearText = a;
    } else {
      err << "不明な指定です: " << a << "\n" << usage;
      return badArguments();
    }
  }
  if (yearText.empty() || outPath.empty()) {
    if (!yearText.empty()) err << "出力ファイル名が空です。\n";
    err << usage;
    return badArguments();
  }
  if (carryOptions && fromPath.empty()) {
    return badArguments("--advance-grades と --no-carry は --from と共に指定してください。");
  }
  Context c(err);
  App& app = *c.app;
  std::optional<int> nendo = checkNendoText(app, yearText);
  if (!nendo) return badArguments();
  opt.nendo = *nendo;
  // The year carried from is read before anything is built; an unreadable one builds
  // nothing and writes nothing.
  std::unique_ptr<SchoolYear> source;
  if (!fromPath.empty()) {
    source = readYear(fromPath, err);
    if (!source) return stopped();
    if (!gradesGiven) opt.grades = std::clamp<int>(source->Ggn, 3, 6);
    if (!periodsGiven) opt.periods = std::clamp<int>(source->Jigen, 5, 7);
    carry.advanceGrades = advance;
  }
  if (opt.holidays == HolidaySource::Law && !lawHolidaysAvailable(opt.nendo)) {
    err << lawRangeMessage();
    return badArguments();
  }

  // The settings of a first start in an empty program folder: no settings file, so its
  // defaults (eight tally items among them), and no year open, so the changes-only view
  // is off. The new-year build then makes the year and its month view.
  getMainIniFrom(app, nullptr);
  app.V.changesOnly = false;
  CarryCounts carried;
  if (source)
    carried = runCarriedYearBuild(app, *source, opt, carry);
  else
    runNewYearBuild(app, opt);

  // The working-file save: an explicit path, replaced without a question.
  std::string target = inCurrentFolder(outPath);
  if (Result<void> r = SaveJJ3(app, target); !r) return shown(r.failure());
  if (source) err << carrySummary(carried) << "\n";
  return {};
}

Outcome cmdMonth(const Args& args, std::ostream& out, std::ostream& err) {
  const char* usage =
      "使い方: tly month FILE --grade G --month M [--changes-only] [--class N | --teacher N]\n";
  std::string path;
  std::string gradeText, monthText, ttText;
  bool changesOnly = false;
  int ttKind = -1;
  for (ArgWalk walk(args); walk.next();) {
    const std::string& a = walk.arg();
    bool ok = true;
    if (a == "--grade") {
      ok = walk.value(gradeText);
    } else if (a == "--month") {
      ok = walk.value(monthText);
    } else if (a == "--changes-only") {
      changesOnly = true;
    } else if (a == "--class" || a == "--teacher") {
      if (ttKind != -1) {
        return badArguments("--class と --teacher は同時に指定できません。");
      }
      ttKind = a == "--class" ? 0 : 1;
      ok = walk.value(ttText);
    } else if (path.empty() && (a.empty() || a[0] != '-')) {
      path = a;
    } else {
      ok = false;
    }
    if (!ok) {
      err << "不明な指定です: " << a << "\n" << usage;
      return badArguments();
    }
  }
  if (path.empty() || gradeText.empty() || monthText.empty()) {
    err << usage;
    return badArguments();
  }
  const std::optional<int> month = parseNumber(monthText, 1, 12);
  if (!month) {
    return badArguments("月は 1～12 で指定してください。");
  }
  Context c(err);
  App& app = *c.app;
  if (!openYear(c, path)) return stopped();
  const std::optional<int> grade = parseNumber(gradeText, 1, app.Y.Ggn);
  if (!grade) {
    err << "学年は 1～" << app.Y.Ggn << " で指定してください。\n";
    return badArguments();
  }

  MainView& w = app.W;
  app.V.changesOnly = changesOnly;
  app.V.timetable = ttKind == 0 ? TimetableView::Class : ttKind == 1 ? TimetableView::Teacher : TimetableView::None;
  w.cmbDispJW.clear();
  if (ttKind >= 0) {
    int n = app.Y.timetableCount(ttKind);
    const std::optional<int> no = parseNumber(ttText, 1, std::max(n, 0));
    if (!no) {
      err << (ttKind == 0 ? "学級時間割" : "教師時間割") << " " << ttText << " はありません（登録 " << n
          << " 件）。\n";
      return badArguments();
    }
    for (int i = 1; i <= n; ++i) w.cmbDispJW.items.push_back(app.Y.JW[ttKind][i].JWName);
    w.cmbDispJW.select(*no - 1);
  }
  app.V.tally = false;
  app.S.CurGr = *grade;
  app.S.CurMonth = *month;
  app.S.CurYear = calendarYearOf(app.Y.nendo(), *month);
  SetJJGrid(app);
  DispJJ(app, app.S.CurYear, *month);
  out << gridToClipboardText(app.Grid1);
  return {};
}

Outcome cmdDump(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    return badArguments("使い方: tly dump FILE");
  }
  auto year = readYear(args[1], err);
  if (!year) return stopped();
  dumpYear(out, *year);
  return {};
}

Outcome cmdResave(const Args& args, std::ostream& out, std::ostream& err) {
  (void)out;
  if (args.size() != 3) {
    return badArguments("使い方: tly resave IN OUT");
  }
  if (args[2].empty()) {
    return badArguments("出力ファイル名が空です。");
  }
  Context c(err);
  if (!openYear(c, args[1])) return stopped();
  std::string target = inCurrentFolder(args[2]);
  if (Result<void> r = SaveJJ3(*c.app, target); !r) return shown(r.failure());
  return {};
}

}  // namespace tly::cli
