// `tly print FILE --pdf OUT [--grade G|all] [--from M --to M] [--copies N]
//  [--fit] [--margins TOP,BOTTOM,LEFT,RIGHT] [--class N|--teacher N] [--tally [--from M/D --to M/D]]`:
// the page sets of the print dialog, into one PDF file. --class and --teacher show the
// months through that timetable, as the main window's timetable view does; with --tally
// they print that timetable's tally.

#include <ostream>
#include <stdexcept>

#include "cli/commands.h"
#include "cli/context.h"
#include "model/basic.h"
#include "model/months.h"
#include "rules/hoursreport.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/output/printrun.h"
#include "session/output/weekplan.h"

namespace tly::cli {

namespace {


const char* const kUsage =
    "使い方: tly print FILE --pdf OUT [--grade G|all] [--from M --to M] [--copies N] [--fit]\n"
    "        [--margins 上,下,左,右] [--class N | --teacher N] [--tally [--from M/D --to M/D]]\n"
    "        [--week YYYY-MM-DD | --weeks YYYY-MM-DD..YYYY-MM-DD] [--class N]";

struct PrintArgs {
  std::string file, pdf, grade, from, to, copies, margins, week, weeks;
  bool tally = false, fit = false;
  int kind = -1;  // 0 class, 1 teacher
  std::string number;
};


// "T,B,L,R", each 0..200 millimetres.
bool margins(const std::string& s, PrintParams& p) {
  int* out[4] = {&p.top, &p.bottom, &p.left, &p.right};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = s.find(',', start);
    if ((i < 3) != (comma != std::string::npos)) return false;
    auto v = parseNumber(s.substr(start, comma == std::string::npos ? std::string::npos : comma - start), 0, 200);
    if (!v) return false;
    *out[i] = *v;
    start = comma + 1;
  }
  return true;
}

bool parse(const Args& args, PrintArgs& a, std::ostream& err) {
  for (ArgWalk walk(args); walk.next();) {
    const std::string& k = walk.arg();
    bool ok = true;
    if (k == "--pdf") ok = walk.value(a.pdf);
    else if (k == "--grade") ok = walk.value(a.grade);
    else if (k == "--from") ok = walk.value(a.from);
    else if (k == "--to") ok = walk.value(a.to);
    else if (k == "--copies") ok = walk.value(a.copies);
    else if (k == "--margins") ok = walk.value(a.margins);
    else if (k == "--tally") a.tally = true;
    else if (k == "--fit") a.fit = true;
    else if (k == "--week") ok = walk.value(a.week);
    else if (k == "--weeks") ok = walk.value(a.weeks);
    else if (k == "--class" || k == "--teacher") {
      if (a.kind >= 0) {
        err << "--class と --teacher は一つだけ指定してください。\n";
        return false;
      }
      a.kind = k == "--class" ? 0 : 1;
      ok = walk.value(a.number);
    } else if (a.file.empty() && !k.empty() && k[0] != '-') {
      a.file = k;
    } else {
      ok = false;
    }
    if (!ok) {
      err << "不明な指定です: " << k << "\n" << kUsage << "\n";
      return false;
    }
  }
  if (a.file.empty() || a.pdf.empty()) {
    err << kUsage << "\n";
    return false;
  }
  if (a.from.empty() != a.to.empty()) {
    err << "--from と --to は両方指定してください。\n";
    return false;
  }
  return true;
}

// Counts the pages going through to the file.
class PageCounter : public PrintDevice {
 public:
  explicit PageCounter(PrintDevice& d) : d_(d) {}
  int pages = 0;
  int pageWidth() override { return d_.pageWidth(); }
  int pageHeight() override { return d_.pageHeight(); }
  double twipsPerPixel() override { return d_.twipsPerPixel(); }
  void beginDocument() override { d_.beginDocument(); }
  void endDocument() override { d_.endDocument(); }
  void abortDocument() override { d_.abortDocument(); }
  void beginPage() override {
    d_.beginPage();
    ++pages;
  }
  void endPage() override { d_.endPage(); }
  void setFont(const FontInfo& f) override { d_.setFont(f); }
  int textWidth(const std::string& s) override { return d_.textWidth(s); }
  int textHeight(const std::string& s) override { return d_.textHeight(s); }
  void text(int x, int y, const std::string& s) override { d_.text(x, y, s); }
  void setLineWidth(int px) override { d_.setLineWidth(px); }
  void rectangle(int x1, int y1, int x2, int y2) override { d_.rectangle(x1, y1, x2, y2); }

 private:
  PrintDevice& d_;
};

// The weekly plan pages: the options that belong to the month and tally pages are
// refused by name, the dates must be real ones, FROM no later than TO.
Outcome weeklyPlans(const PrintArgs& a, App& app, std::ostream& out, std::ostream& err, PrinterService* printers) {
  const SchoolYear& y = app.Y;
  const std::pair<bool, const char*> others[] = {
      {a.tally, "--tally"},         {a.kind == 1, "--teacher"},  {!a.grade.empty(), "--grade"},
      {!a.from.empty(), "--from"},  {!a.copies.empty(), "--copies"}, {a.fit, "--fit"},
      {!a.week.empty() && !a.weeks.empty(), "--weeks"}};
  for (const auto& [given, name] : others)
    if (given) {
      err << "週案 (--week, --weeks) と " << name << " は組み合わせられません。\n";
      return badArguments();
    }
  std::optional<CalendarDate> from, to;
  if (!a.week.empty()) {
    from = to = parseIsoDate(a.week);
  } else {
    const size_t dots = a.weeks.find("..");
    if (dots != std::string::npos) {
      from = parseIsoDate(a.weeks.substr(0, dots));
      to = parseIsoDate(a.weeks.substr(dots + 2));
    }
  }
  if (!from || !to) {
    err << "週は YYYY-MM-DD（--weeks は YYYY-MM-DD..YYYY-MM-DD）で指定してください: "
        << (a.week.empty() ? a.weeks : a.week) << "\n";
    return badArguments();
  }
  const long fromKey = from->year * 10000L + from->month * 100L + from->day;
  const long toKey = to->year * 10000L + to->month * 100L + to->day;
  const long first = y.nendo() * 10000L + 401, last = (y.nendo() + 1) * 10000L + 331;
  if (fromKey > toKey) {
    err << "--weeks の始めが終わりより後です: " << a.weeks << "\n";
    return badArguments();
  }
  const CalendarDate toEnd = addDays(mondayOf(*to), 5);
  if (toEnd.year * 10000L + toEnd.month * 100L + toEnd.day < first || fromKey > last) {
    err << "週が " << y.nendo() << " 年度（" << y.nendo() << "-04-01～" << y.nendo() + 1 << "-03-31）の外です: "
        << (a.week.empty() ? a.weeks : a.week) << "\n";
    return badArguments();
  }
  const ReportOptions o = weekPlanOptions(app);
  WeekRun run;
  run.from = *from;
  run.to = *to;
  if (a.kind == 0) {
    const int g = classGrade(y.JW[0][app.S.JWNo].JWName, std::clamp<int>(y.Ggn, 0, kGrades), o.gradeOf);
    if (g == 0) {
      err << "学級時間割 " << app.S.JWNo << "（" << trimBlanks(y.JW[0][app.S.JWNo].JWName)
          << "）の学年がわかりません（名前が学年の数字で始まりません）。\n";
      return badArguments();
    }
    run.classes = {app.S.JWNo};
  } else {
    run.classes = weekPlanClasses(y, o);
    if (run.classes.empty()) {
      err << "週案を印刷できる学級時間割がありません（学年の数字で始まる名前の学級時間割を登録してください）。\n";
      return stopped();
    }
  }
  PrintParams p = savedPrintParams(app);
  if (!a.margins.empty() && !margins(a.margins, p)) {
    err << "余白は 上,下,左,右 を 0～200 (mm) で指定してください: " << a.margins << "\n";
    return badArguments();
  }
  if (!printers) return stopped("この版では PDF を書けません。");
  std::unique_ptr<PrintDevice> dev;
  try {
    dev = printers->pdf(a.pdf);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    return stopped();
  }
  if (!dev) {
    err << "PDF ファイルを作れません: " << a.pdf << "\n";
    return stopped();
  }
  std::string why;
  const int pages = runWeekPlans(app, *dev, run, o, frameOf(p), &why);
  if (pages == 0) {
    err << why << "\n";
    return stopped();
  }
  out << a.pdf << ": " << pages << " ページ\n";
  return {};
}

}  // namespace

Outcome cmdPrint(const Args& args, std::ostream& out, std::ostream& err, PrinterService* printers) {
  PrintArgs a;
  if (!parse(args, a, err)) return badArguments();

  Context c(err);
  if (!openYear(c, inCurrentFolder(a.file))) return stopped();
  App& app = *c.app;
  const SchoolYear& y = app.Y;
  if (!y.isOpen() || y.Ggn < 1) {
    err << "年度データがありません: " << a.file << "\n";
    return stopped();
  }

  PrintParams p = savedPrintParams(app);
  // The grade the file shows, unless one is named.
  const int shownIndex = app.W.cmbGr.index;
  app.S.CurGr = shownIndex >= 0 && shownIndex < y.Ggn ? shownIndex + 1 : 1;
  // The timetable named, checked before anything else depends on it.
  int classOfGrade = 0;  // the grade a class timetable's name gives, 0 when none
  if (a.kind >= 0) {
    const int n = y.timetableCount(a.kind);
    auto no = parseNumber(a.number, 1, std::max(n, 0));
    if (!no) {
      err << (a.kind == 0 ? "学級時間割" : "教師時間割") << " " << a.number << " はありません（登録 " << n
          << " 件）。\n";
      return badArguments();
    }
    app.S.JWNo = *no;
    if (a.kind == 0) classOfGrade = classGrade(y.JW[0][*no].JWName, std::clamp<int>(y.Ggn, 0, kGrades), {});
  }
  if (!a.week.empty() || !a.weeks.empty()) return weeklyPlans(a, app, out, err, printers);
  const std::string ttName = a.kind >= 0 ? trimBlanks(y.JW[a.kind][app.S.JWNo].JWName) : std::string();
  if (a.grade == "all") {
    if (a.kind == 0 || (a.kind == 1 && a.tally)) {
      return badArguments(a.tally ? "時間割の集計表は一つの学年について印刷します（--grade all は使えません）。"
                                  : "学級時間割は一つの学年の時間割です（--class と --grade all は組み合わせられません）。");
    }
    p.grade = PrintParams::kAllGrades;
  } else if (!a.grade.empty()) {
    auto g = parseNumber(a.grade, 1, y.Ggn);
    if (!g) {
      err << "学年は 1～" << y.Ggn << " または all で指定してください: " << a.grade << "\n";
      return badArguments();
    }
    if (classOfGrade && *g != classOfGrade) {
      err << "学級時間割 " << app.S.JWNo << "（" << ttName << "）は " << classOfGrade << " 年の時間割です（--grade "
          << *g << " とは組み合わせられません）。\n";
      return badArguments();
    }
    p.grade = *g;
    app.S.CurGr = *g;
  } else if (classOfGrade) {
    // A class's months are its own grade's.
    p.grade = classOfGrade;
    app.S.CurGr = classOfGrade;
  }
  if (!a.copies.empty()) {
    auto n = parseNumber(a.copies, 1, 100);
    if (!n) {
      err << "部数は 1～100 で指定してください: " << a.copies << "\n";
      return badArguments();
    }
    p.copies = *n;
  }
  if (a.fit) p.fit = true;
  if (!a.margins.empty() && !margins(a.margins, p)) {
    err << "余白は 上,下,左,右 を 0～200 (mm) で指定してください: " << a.margins << "\n";
    return badArguments();
  }
  app.V.tally = a.tally;
  app.V.timetableMode = false;
  app.S.JWMode = JWModeKind::None;
  if (a.tally) {
    app.T.KikanSet = !a.from.empty();
    if (app.T.KikanSet && (!parseMonthDay(a.from, app.T.KFromMonth, app.T.KFromDay) || !parseMonthDay(a.to, app.T.KToMonth, app.T.KToDay))) {
      err << "集計の範囲は 月/日 で指定してください: " << a.from << " " << a.to << "\n";
      return badArguments();
    }
    if (y.JJ[app.S.CurGr - 1][4][0][0] < 30) {
      err << "この学年の年度データがありません: " << app.S.CurGr << "\n";
      return stopped();
    }
    if (a.kind >= 0) app.S.JWMode = a.kind == 0 ? JWModeKind::Class : JWModeKind::Teacher;
  } else {
    if (!a.from.empty()) {
      auto f = parseNumber(a.from, 1, 12), t = parseNumber(a.to, 1, 12);
      if (!f || !t) {
        err << "月は 1～12 で指定してください: " << a.from << " " << a.to
            << (a.from.find('/') != std::string::npos ? "（月/日 の範囲は --tally の集計に使います）" : "") << "\n";
        return badArguments();
      }
      p.fromMonth = *f;
      p.toMonth = *t;
    }
    // The months through the timetable, as the main window shows them with its timetable
    // view on; without one, the view the file was saved with.
    if (a.kind >= 0) {
      app.V.timetable = a.kind == 0 ? TimetableView::Class : TimetableView::Teacher;
      app.W.cmbDispJW.clear();
      for (int i = 1; i <= y.timetableCount(a.kind); ++i) app.W.cmbDispJW.items.push_back(y.JW[a.kind][i].JWName);
      app.W.cmbDispJW.select(app.S.JWNo - 1);
    }
  }
  if (!printers) {
    return stopped("この版では PDF を書けません。");
  }

  // The month view as the desktop lays it out, April of the grade shown.
  app.S.CurMonth = 4;
  app.S.CurYear = calendarYearOf(y.nendo(), 4);
  SetJJGrid(app);
  ResetRowHeight(app);
  DispJJ(app, app.S.CurYear, app.S.CurMonth);

  std::unique_ptr<PrintDevice> dev;
  try {
    dev = printers->pdf(a.pdf);
  } catch (const std::exception& e) {
    app.msg(e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return stopped();
  }
  if (!dev) {
    err << "PDF ファイルを作れません: " << a.pdf << "\n";
    return stopped();
  }
  PageCounter counted(*dev);
  if (runPrintJob(app, counted, p) != PrintOutcome::Printed) return stopped();
  out << a.pdf << ": " << counted.pages << " ページ\n";
  return {};
}

}  // namespace tly::cli
