// `tly report FILE [--to M/D] [--school elementary|junior] [--targets CSV] [--class N] [--pdf OUT]`:
// the class hours of every class timetable against the standard, as tab-separated text
// or printed into a PDF file.
#include <ctime>
#include <ostream>

#include "model/os.h"

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/report_args.h"
#include "io/safesave.h"
#include "rules/hoursreport.h"
#include "session/output/reportprint.h"

namespace tly::cli {

namespace {

const char* const kUsage =
    "使い方: tly report FILE [--to M/D] [--school elementary|junior] [--targets CSV] [--class N] [--pdf OUT]";


// The report on paper, into a PDF file, with the file's print settings.
Outcome printReport(const ReportArgs& a, const std::vector<ClassReport>& report, const ReportOptions& o,
                    std::ostream& out, std::ostream& err, PrinterService* printers) {
  if (!printers) return stopped("この版では PDF を書けません。");
  Context c(err);
  if (Outcome opened = openYear(c, a.file); !opened) return opened;
  std::unique_ptr<PrintDevice> dev;
  try {
    dev = printers->pdf(a.pdf);
  } catch (const std::exception& e) {
    return stopped(e.what());
  }
  if (!dev) return stopped("PDF ファイルを作れません: " + a.pdf);
  if (runReportPrint(*c.app, *dev, report, o) != PrintOutcome::Printed) return stopped();
  out << a.pdf << ": " << report.size() << " 学級\n";
  return {};
}

}  // namespace

bool parseReportArgs(const Args& args, ReportArgs& a, std::ostream& err, bool allowClass) {
  ArgWalk w(args);
  while (w.next()) {
    const std::string k = w.arg();
    std::string v;
    if (k == "--to" && w.value(v)) {
      if (!parseMonthDay(v, a.toMonth, a.toDay)) {
        err << "日付は 月/日 で指定してください: " << v << "\n";
        return false;
      }
    } else if (k == "--school" && w.value(v)) {
      a.school = schoolKindFromName(v);
      if (!a.school) {
        err << "--school は elementary か junior です: " << v << "\n";
        return false;
      }
    } else if (k == "--targets" && w.value(v)) {
      a.targets = v;
    } else if (allowClass && k == "--class" && w.value(v)) {
      auto n = parseNumber(v, 1, kMaxTimetables);
      if (!n) {
        err << "時間割の番号が正しくありません: " << v << "\n";
        return false;
      }
      a.onlyClass = *n;
    } else if (allowClass && k == "--pdf" && w.value(v)) {
      a.pdf = v;
    } else if ((k == "--xlsx" || k == "--csv") && !allowClass && w.value(v)) {
      (k == "--xlsx" ? a.xlsx : a.csvDir) = v;
    } else if (!k.empty() && k[0] != '-' && a.file.empty()) {
      a.file = k;
    } else {
      err << "不明な指定です: " << k << "\n";
      return false;
    }
  }
  return !a.file.empty();
}

std::unique_ptr<SchoolYear> loadReportInputs(const ReportArgs& a, ReportOptions& o, std::ostream& err) {
  auto year = readYear(a.file, err);
  if (!year) return nullptr;
  if (!year->isOpen()) {
    err << "年度データがありません: " << a.file << "\n";
    return nullptr;
  }
  if (a.school) {
    o.kind = *a.school;
  } else if (auto k = schoolKindForGrades(year->Ggn)) {
    o.kind = *k;
  } else {
    err << "学年数が " << year->Ggn << " の年度です。--school elementary か --school junior を指定してください。\n";
    return nullptr;
  }
  if (!a.targets.empty()) {
    Result<std::string> text = readFileContents(a.targets);
    if (!text) {
      err << "目標時数のファイルを読み込めません: " << a.targets << "\n";
      return nullptr;
    }
    std::string why;
    auto t = Targets::fromCsv(*text, why);
    if (!t) {
      err << a.targets << ": " << why << "\n";
      return nullptr;
    }
    o.targets = std::move(*t);
  }
  const int nendo = year->nendo();
  if (a.toMonth) {
    o.held = heldRangeUntil(nendo, a.toMonth < 4 ? nendo + 1 : nendo, a.toMonth, a.toDay);
  } else {
    const std::time_t now = std::time(nullptr);
    const std::tm t = os::localTime(now);
    o.held = heldRangeUntil(nendo, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  }
  return year;
}

Outcome cmdReport(const Args& args, std::ostream& out, std::ostream& err, PrinterService* printers) {
  ReportArgs a;
  if (!parseReportArgs(args, a, err, true)) {
    err << kUsage << "\n";
    return badArguments();
  }
  ReportOptions o;
  auto year = loadReportInputs(a, o, err);
  if (!year) return stopped();
  if (a.onlyClass > year->timetableCount(0)) {
    err << "学級時間割の " << a.onlyClass << " 番はありません（" << year->timetableCount(0) << "件）。\n";
    return stopped();
  }
  const auto report = buildHoursReport(*year, o, a.onlyClass);
  for (const auto& c : report)
    if (!c.grade) err << c.name << ": 学級名の先頭に学年の数字がありません。\n";
  if (!a.pdf.empty()) return printReport(a, report, o, out, err, printers);
  out << reportToTsv(report);
  return {};
}

}  // namespace tly::cli
