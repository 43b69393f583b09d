// `tly tally FILE --grade G [--from M/D --to M/D] [--class N | --teacher N]`: the tally
// table as the tally view's copy command would put it on the clipboard.
#include <memory>
#include <optional>
#include <ostream>

#include "cli/commands.h"
#include "cli/context.h"
#include "session/files/datafile.h"
#include "rules/clipboardtext.h"
#include "session/windows/frmmain/tally.h"

namespace tly::cli {

namespace {

const char* const kUsage = "使い方: tly tally FILE --grade G [--from M/D --to M/D] [--class N | --teacher N]";


struct TallyArgs {
  std::string file;
  int grade = 0;
  bool ranged = false;
  int fm = 0, fd = 0, tm = 0, td = 0;
  int kind = -1;  // 0 class, 1 teacher, -1 the slot tally
  int number = 0;
};

bool parseArgs(const Args& args, TallyArgs& a, std::ostream& err) {
  bool haveFrom = false, haveTo = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& k = args[i];
    const bool hasValue = i + 1 < args.size();
    if (k == "--grade" && hasValue) {
      auto g = parseNumber(args[++i], 1, kGrades);
      if (!g) {
        err << "学年の指定が正しくありません: " << args[i] << "\n";
        return false;
      }
      a.grade = *g;
    } else if ((k == "--from" || k == "--to") && hasValue) {
      const bool from = k == "--from";
      if (!parseMonthDay(args[++i], from ? a.fm : a.tm, from ? a.fd : a.td)) {
        err << "日付は 月/日 で指定してください: " << args[i] << "\n";
        return false;
      }
      (from ? haveFrom : haveTo) = true;
    } else if ((k == "--class" || k == "--teacher") && hasValue) {
      if (a.kind >= 0) {
        err << "--class と --teacher は一つだけ指定してください。\n";
        return false;
      }
      auto n = parseNumber(args[++i], 1, kMaxTimetables);
      if (!n) {
        err << "時間割の番号が正しくありません: " << args[i] << "\n";
        return false;
      }
      a.kind = k == "--class" ? 0 : 1;
      a.number = *n;
    } else if (!k.empty() && k[0] != '-' && a.file.empty()) {
      a.file = k;
    } else {
      err << "不明な指定です: " << k << "\n" << kUsage << "\n";
      return false;
    }
  }
  if (a.file.empty() || a.grade == 0) {
    err << kUsage << "\n";
    return false;
  }
  if (haveFrom != haveTo) {
    err << "--from と --to は両方指定してください。\n";
    return false;
  }
  a.ranged = haveFrom;
  return true;
}

}  // namespace

Outcome cmdTally(const Args& args, std::ostream& out, std::ostream& err) {
  TallyArgs a;
  if (!parseArgs(args, a, err)) return badArguments();

  auto year = readYear(a.file, err);
  if (!year) return stopped();
  // The tally needs the year alone: the file's view options play no part in it.
  auto app = std::make_unique<App>();
  app->Y = std::move(*year);

  SchoolYear& y = app->Y;
  if (!y.isOpen() || a.grade > y.Ggn || y.JJ[a.grade - 1][4][0][0] < 30) {
    err << "この学年の年度データがありません: " << a.grade << "\n";
    return stopped();
  }
  app->S.CurGr = a.grade;
  app->T.KikanSet = a.ranged;
  if (a.ranged) {
    app->T.KFromMonth = a.fm;
    app->T.KFromDay = a.fd;
    app->T.KToMonth = a.tm;
    app->T.KToDay = a.td;
  }
  if (a.kind >= 0) {
    if (a.number > y.timetableCount(a.kind)) {
      err << (a.kind == 0 ? "学級時間割" : "教師時間割") << "の " << a.number << " 番はありません（"
          << y.timetableCount(a.kind) << "件）。\n";
      return stopped();
    }
    app->S.JWMode = a.kind == 0 ? JWModeKind::Class : JWModeKind::Teacher;
    app->S.JWNo = a.number;
    CountJisuu(*app);
    DispJWJisuu(*app);
  } else {
    DispJisuu(*app);
  }
  out << gridToClipboardText(app->Grid1);
  return {};
}

}  // namespace tly::cli
