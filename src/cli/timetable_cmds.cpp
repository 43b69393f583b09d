// `tly timetable FILE list|add|delete|rename|show|paste ...`: the class and teacher
// timetables of a data file, changed as the timetable window would change them.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/context.h"
#include "rules/timetablestore.h"
#include "session/files/datafile.h"
#include "session/windows/frmjw/timetablewindow.h"

namespace tly::cli {

namespace {

const char* const kUsage =
    "使い方: tly timetable FILE list --class|--teacher\n"
    "        tly timetable FILE add --class|--teacher --name NAME [--at N]\n"
    "        tly timetable FILE delete --class|--teacher N\n"
    "        tly timetable FILE rename --class|--teacher N --name NAME\n"
    "        tly timetable FILE show --class|--teacher N\n"
    "        tly timetable FILE paste --class|--teacher N --row R --col C < TEXT";

struct TimetableArgs {
  std::string file, action;
  int kind = -1;  // 0 class, 1 teacher
  std::string number, name, at, row, col;
  bool hasNumber = false, hasName = false, hasAt = false, hasRow = false, hasCol = false;
};

bool parse(const Args& args, TimetableArgs& a, std::ostream& err) {
  if (args.size() < 3) return false;
  a.file = args[1];
  a.action = args[2];
  for (size_t i = 3; i < args.size(); ++i) {
    const std::string& s = args[i];
    auto value = [&](std::string& v, bool& has) {
      if (i + 1 >= args.size()) return false;
      v = args[++i];
      has = true;
      return true;
    };
    if (s == "--class" || s == "--teacher") {
      if (a.kind >= 0) return false;
      a.kind = s == "--class" ? 0 : 1;
      // The timetable's number follows the kind where the action needs one.
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
        a.number = args[++i];
        a.hasNumber = true;
      }
    } else if (s == "--name") {
      if (!value(a.name, a.hasName)) return false;
    } else if (s == "--at") {
      if (!value(a.at, a.hasAt)) return false;
    } else if (s == "--row") {
      if (!value(a.row, a.hasRow)) return false;
    } else if (s == "--col") {
      if (!value(a.col, a.hasCol)) return false;
    } else {
      err << "不正なオプションです: " << s << "\n";
      return false;
    }
  }
  if (a.kind < 0) return false;
  const bool numbered = a.action == "delete" || a.action == "rename" || a.action == "show" || a.action == "paste";
  if (numbered != a.hasNumber) return false;
  if (a.action == "list") return !a.hasName && !a.hasAt && !a.hasRow && !a.hasCol;
  if (a.action == "add") return a.hasName && !a.hasRow && !a.hasCol;
  if (a.action == "delete" || a.action == "show") return !a.hasName && !a.hasAt && !a.hasRow && !a.hasCol;
  if (a.action == "rename") return a.hasName && !a.hasAt && !a.hasRow && !a.hasCol;
  if (a.action == "paste") return a.hasRow && a.hasCol && !a.hasName && !a.hasAt;
  return false;
}

// The clipboard of one command: what show copies, what paste reads.
class CommandClipboard : public ClipboardService {
 public:
  std::string content;
  void clear() override { content.clear(); }
  void setText(const std::string& utf8) override { content = utf8; }
  std::string text() override { return content; }
};

struct Session {
  explicit Session(std::ostream& err) : c(err) { c.app->P.clipboard = &clipboard; }
  Context c;
  CommandClipboard clipboard;
  App& app() { return *c.app; }
};

// Opens the file and the timetable window on the kind asked for.
bool openWindow(Session& s, const TimetableArgs& a) {
  if (!openYear(s.c, a.file)) return false;
  App& app = s.app();
  // The window opens on the kind asked for; the file keeps the choices it carries.
  const FileSettings kept = app.Y.Fs;
  app.Y.Fs.FsJWClass = a.kind == 0 ? -1 : 0;
  app.Y.Fs.FsLstJW = 0;
  JW_Form_Load(app);
  app.Y.Fs.FsJWClass = kept.FsJWClass;
  app.Y.Fs.FsLstJW = kept.FsLstJW;
  return true;
}

// Selects timetable number `text` (1-based) of the kind in the window's list.
bool selectNumber(Session& s, const std::string& text) {
  App& app = s.app();
  const int count = timetableCountOf(app.Y, jwKind(app));
  auto n = parseNumber(text, 1, 200);
  if (!n || *n > count) {
    s.c.err << "その時間割はありません: " << text << "\n";
    return false;
  }
  lstJW_Click(app, *n - 1);
  return true;
}

Outcome save(App& app, const std::string& file) {
  if (Result<void> r = writeDataFileAt(app, file); !r) return shown(r.failure());
  return {};
}

// Says on err when a given name holds control characters, which a timetable name cannot
// keep: the name is stored without them.
void noteControlCharacters(const std::string& name, std::ostream& err) {
  if (oneLine(name) != name)
    err << "名前に含まれる制御文字 (タブ・改行など) は取り除いて保存します: " << oneLine(name) << "\n";
}

}  // namespace

Outcome cmdTimetable(const Args& args, std::ostream& out, std::ostream& err) { return runTimetable(args, std::cin, out, err); }

Outcome runTimetable(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
  TimetableArgs a;
  if (!parse(args, a, err)) {
    err << kUsage << "\n";
    return badArguments();
  }
  Session s(err);
  App& app = s.app();
  // Listing and showing read only; every other action saves the file.
  if (a.action != "list" && a.action != "show")
    if (Outcome held = holdForChange(s.c, a.file); !held) return held;
  if (!openWindow(s, a)) return stopped();
  const int kind = a.kind;
  JWForm& f = app.JWF;

  if (a.action == "list") {
    for (const std::string& name : f.lstJW.items) out << oneLine(name) << "\n";
    return {};
  }
  if (a.action == "add" || a.action == "rename") noteControlCharacters(a.name, err);
  if (a.action == "add") {
    const int before = timetableCountOf(app.Y, kind);
    if (a.hasAt) {
      // 挿入 with position N - 1 selected.
      auto at = parseNumber(a.at, 1, 200);
      if (!at || *at > std::max(before, 1)) {
        err << "挿入位置の指定が正しくありません: " << a.at << "\n";
        return stopped();
      }
      if (*at - 1 < f.lstJW.size()) lstJW_Click(app, *at - 1);
      f.txtJW = a.name;
      cmdJWIns_Click(app);
    } else {
      f.txtJW = a.name;
      cmdJWAdd_Click(app);
    }
    if (timetableCountOf(app.Y, kind) == before) return stopped();  // refused: the message is on err
    return save(app, a.file);
  }
  if (!selectNumber(s, a.number)) return stopped();
  const int number = jwSelectedNumber(app);
  if (a.action == "delete") {
    deleteTimetable(app.Y, kind, number);
    return save(app, a.file);
  }
  if (a.action == "rename") {
    pmnuListED_Click(app);
    f.txtJW = a.name;
    txtJW_Enter(app);
    return save(app, a.file);
  }
  const int jigen = timetablePeriods(app.Y);
  if (a.action == "show") {
    f.Grid1.setCurrent(1, 1);
    f.Grid1.RowSel = kTimetableLastRow;
    f.Grid1.ColSel = jigen;
    JW_pmnuCopy_Click(app);
    out << s.clipboard.content;
    return {};
  }
  // paste
  auto row = parseNumber(a.row, kTimetableFirstRow, kTimetableLastRow);
  auto col = parseNumber(a.col, 1, jigen);
  if (!row || !col) {
    err << "貼り付け位置の指定が正しくありません: " << a.row << " " << a.col << "\n";
    return stopped();
  }
  std::ostringstream text;
  text << in.rdbuf();
  s.clipboard.content = text.str();
  f.Grid1.setCurrent(*row, *col);
  const auto before = app.Y.JW[kind][number].JWCell;
  const int shown = s.c.messages.shown;
  JW_pmnuPaste_Click(app);
  if (s.c.messages.shown != shown) return stopped();
  if (app.Y.JW[kind][number].JWCell == before) return {};  // nothing pasted, nothing saved
  return save(app, a.file);
}

}  // namespace tly::cli
