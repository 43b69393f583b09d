#include "cli/context.h"

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

std::unique_ptr<SchoolYear> readYear(const std::string& path, std::ostream& err) {
  auto empty = std::make_unique<SchoolYear>();
  YearRead r = readYearFile(path, *empty);
  switch (r.status) {
    case YearRead::Status::Ok:
      return std::move(r.year);
    case YearRead::Status::Missing:
      err << "ファイルが見つかりません: " << path << "\n";
      break;
    case YearRead::Status::Unreadable:
      err << "ファイルを読み込めません: " << path << ": " << ioErrorText(r.error) << " (Error Code " << r.error
          << ")\n";
      break;
    case YearRead::Status::NoSignature:
      err << "TLY300 形式のデータファイルではありません: " << path << "\n";
      break;
    case YearRead::Status::Damaged:
      err << kMsgReadError << " Error Code " << r.error << "\n" << path << ": " << r.why << "\n";
      break;
  }
  return nullptr;
}

bool openYear(Context& c, const std::string& path) {
  auto year = readYear(path, c.err);
  if (!year) return false;
  c.app->F.CurFile = path;
  openReadYear(*c.app, std::move(year));
  return true;
}

std::string inCurrentFolder(const std::string& path) {
  return path == kWorkFileName || path == kOldWorkFileName ? "./" + path : path;
}

}  // namespace tly::cli
