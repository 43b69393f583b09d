#include "session/windows/frmstdhours/standards.h"

#include <cstring>

#include "io/safesave.h"
#include "model/basic.h"

namespace tly {

namespace {

const char* const kApp = "TLY";
const char* const kSection = "StandardHours";

std::string get(App& app, const char* key) {
  return app.P.settings ? app.P.settings->get(kApp, kSection, key, "") : std::string();
}
void put(App& app, const char* key, const std::string& v) {
  if (app.P.settings) app.P.settings->set(kApp, kSection, key, v);
}

// "name<TAB>grade" lines.
std::map<std::string, int> classGradesFromText(const std::string& text) {
  std::map<std::string, int> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    const size_t tab = line.rfind('\t');
    if (tab == std::string::npos) continue;
    const int g = static_cast<int>(Val(line.substr(tab + 1)));
    const std::string name = trimBlanks(line.substr(0, tab));
    if (!name.empty() && g >= 1 && g <= kGrades) out[name] = g;
  }
  return out;
}

}  // namespace

StoredReportSettings loadReportSettings(App& app, const Date& held) {
  StoredReportSettings s;
  s.kind = schoolKindFromName(get(app, "School"));
  if (!s.kind) s.kind = schoolKindForGrades(app.Y.Ggn);
  ReportOptions& o = s.options;
  if (s.kind) o.kind = *s.kind;
  std::string why;
  if (auto t = Targets::fromCsv(get(app, "Targets"), why)) o.targets = std::move(*t);
  const std::string names = get(app, "ShortNames");
  if (!trimBlanks(names).empty()) o.shortNames = shortNamesFromText(names);
  o.gradeOf = classGradesFromText(get(app, "ClassGrades"));
  o.held = heldRangeUntil(app.Y.nendo(), held.year, held.month, held.day);
  return s;
}

void storeSchoolKind(App& app, SchoolKind kind) { put(app, "School", schoolKindName(kind)); }

void storeTargets(App& app, const Targets& t) { put(app, "Targets", t.toCsv()); }

void storeShortNames(App& app, const std::vector<ShortName>& list) { put(app, "ShortNames", shortNamesToText(list)); }

void storeClassGrade(App& app, const std::string& name, int grade) {
  auto all = classGradesFromText(get(app, "ClassGrades"));
  const std::string key = trimBlanks(name);
  if (grade >= 1 && grade <= kGrades)
    all[key] = grade;
  else
    all.erase(key);
  std::string text;
  for (const auto& [n, g] : all) text += n + "\t" + std::to_string(g) + "\n";
  put(app, "ClassGrades", text);
}

void resetStandardSettings(App& app) {
  for (const char* key : {"Targets", "ShortNames", "ClassGrades"}) put(app, key, "");
}

std::optional<Targets> readTargetsFile(const std::string& path, std::string& error) {
  Result<std::string> text = readFileContents(path);
  if (!text) {
    error = "ファイルを読み込めません。\r" + path + "\r" + text.failure().why;
    return std::nullopt;
  }
  std::string why;
  auto t = Targets::fromCsv(*text, why);
  if (!t) error = path + "\r" + why;
  return t;
}

std::string writeTargetsFile(const std::string& path, const Targets& t) {
  // With a byte-order mark, so that a spreadsheet opens it with the right characters.
  if (Result<void> r = replaceFileContents(path, "\xEF\xBB\xBF" + t.toCsv()); !r)
    return "ファイルを保存できません。\r" + path + "\r" + r.failure().why;
  return "";
}

std::string reportClipboardText(const std::vector<ClassReport>& report) {
  std::string out;
  for (char c : reportToTsv(report)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace tly
