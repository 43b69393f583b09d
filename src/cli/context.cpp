#include "cli/context.h"

#include <cstdio>
#include <ostream>

#include "io/safesave.h"
#include "io/yearfile.h"
#include "session/files/datafile.h"
#include "session/files/ver2.h"

namespace tly::cli {

std::optional<int> parseNumber(const std::string& s, int lo, int hi) {
  if (s.empty() || s.size() > 6) return std::nullopt;
  const size_t first = s[0] == '-' ? 1 : 0;
  if (first == s.size()) return std::nullopt;
  int v = 0;
  for (size_t k = first; k < s.size(); ++k) {
    if (s[k] < '0' || s[k] > '9') return std::nullopt;
    v = v * 10 + (s[k] - '0');
  }
  if (first == 1) v = -v;
  if (v < lo || v > hi) return std::nullopt;
  return v;
}

bool parseMonthDay(const std::string& s, int& m, int& d) {
  const size_t slash = s.find('/');
  if (slash == std::string::npos) return false;
  auto mm = parseNumber(s.substr(0, slash), 1, 12);
  auto dd = parseNumber(s.substr(slash + 1), 1, 31);
  if (!mm || !dd) return false;
  m = *mm;
  d = *dd;
  return true;
}

MsgResult ErrorStream::show(const std::string& text, MsgButtons buttons, MsgIcon, const std::string&) {
  std::string t = text;
  for (char& c : t)
    if (c == '\r') c = '\n';
  err_ << t << "\n";
  ++shown;
  return buttons == MsgButtons::OK ? MsgResult::OK : buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
}

Context::Context(std::ostream& e) : err(e), messages(e), app(std::make_unique<App>()) { app->P.msg = &messages; }

int exitCode(const Outcome& r) {
  if (r) return 0;
  return r.code() == Fault::BadArguments ? 2 : 1;
}

int finish(const Outcome& r, std::ostream& err) {
  if (!r && !r.failure().why.empty()) err << r.failure().why << "\n";
  return exitCode(r);
}

Failure badArguments(std::string why) { return Failure{Fault::BadArguments, 0, std::move(why)}; }
Failure stopped(std::string why) { return Failure{Fault::Reported, 0, std::move(why)}; }
Failure shown(const Failure& f) { return Failure{f.code, f.error, ""}; }

std::string readFailureText(const Failure& f, const std::string& path) {
  switch (f.code) {
    case Fault::NotFound:
      return "ファイルが見つかりません: " + path;
    case Fault::Unreadable:
      return "ファイルを読み込めません: " + path + ": " + ioErrorText(f.error) + " (Error Code " +
             std::to_string(f.error) + ")";
    case Fault::NoSignature:
      return "TLY300 形式のデータファイルではありません: " + path;
    case Fault::Damaged:
      return std::string(kMsgReadError) + " Error Code " + std::to_string(f.error) + "\n" + path + ": " + f.why;
    default:
      return path + ": " + f.why;
  }
}

std::unique_ptr<SchoolYear> readYear(const std::string& path, std::ostream& err) {
  auto empty = std::make_unique<SchoolYear>();
  Result<std::unique_ptr<SchoolYear>> r = readYearFile(path, *empty);
  if (r) return std::move(*r);
  err << readFailureText(r.failure(), path) << "\n";
  return nullptr;
}

Outcome openYear(Context& c, const std::string& path) {
  auto year = readYear(path, c.err);
  if (!year) return stopped();
  c.app->F.CurFile = path;
  openReadYear(*c.app, std::move(year));
  return {};
}

Outcome holdForChange(Context& c, const std::string& path) {
  HeldLock::Outcome o;
  c.changeLock = HeldLock::tryLock(path, HeldLock::Kind::Exclusive, &o);
  bool busy = o == HeldLock::Outcome::Busy;
  const auto slash = path.rfind('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!busy && base == kWorkFileName) {
    // The working file belongs to the window running on its folder, which writes it at exit.
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    busy = lockIsHeld(folder);
  }
  if (!busy) return {};
  c.changeLock.reset();
  c.err << "このファイルは TLY のウィンドウ（または別の tly コマンド）が使用中のため、変更できません: " << path
        << "\nウィンドウを終了するか別のファイルを開いてから、もう一度実行してください。ファイルは変更されていません。\n";
  return stopped();
}

std::string oneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\t') out += "\\t";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else out += c;
  }
  return out;
}

std::string inCurrentFolder(const std::string& path) {
  return path == kWorkFileName || path == kOldWorkFileName ? "./" + path : path;
}

}  // namespace tly::cli
