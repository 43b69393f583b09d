#include "rules/standardhours.h"

#include <algorithm>
#include <charconv>

#include "io/workbook.h"
#include "model/basic.h"
#include "model/cp932.h"

namespace tly {

namespace {

// 学校教育法施行規則 別表第一 (小学校, in force from April 2020).
const StandardSubject kElementary[] = {
    {"国語", {306, 315, 245, 245, 175, 175}},
    {"社会", {0, 0, 70, 90, 100, 105}},
    {"算数", {136, 175, 175, 175, 175, 175}},
    {"理科", {0, 0, 90, 105, 105, 105}},
    {"生活", {102, 105, 0, 0, 0, 0}},
    {"音楽", {68, 70, 60, 60, 50, 50}},
    {"図画工作", {68, 70, 60, 60, 50, 50}},
    {"家庭", {0, 0, 0, 0, 60, 55}},
    {"体育", {102, 105, 105, 105, 90, 90}},
    {"外国語", {0, 0, 0, 0, 70, 70}},
    {"特別の教科 道徳", {34, 35, 35, 35, 35, 35}},
    {"外国語活動", {0, 0, 35, 35, 0, 0}},
    {"総合的な学習の時間", {0, 0, 70, 70, 70, 70}},
    {"特別活動", {34, 35, 35, 35, 35, 35}},
};
const int kElementaryTotal[6] = {850, 910, 980, 1015, 1015, 1015};

// 学校教育法施行規則 別表第二 (中学校, in force from April 2021).
const StandardSubject kJunior[] = {
    {"国語", {140, 140, 105, 0, 0, 0}},
    {"社会", {105, 105, 140, 0, 0, 0}},
    {"数学", {140, 105, 140, 0, 0, 0}},
    {"理科", {105, 140, 140, 0, 0, 0}},
    {"音楽", {45, 35, 35, 0, 0, 0}},
    {"美術", {45, 35, 35, 0, 0, 0}},
    {"保健体育", {105, 105, 105, 0, 0, 0}},
    {"技術・家庭", {70, 70, 35, 0, 0, 0}},
    {"外国語", {140, 140, 140, 0, 0, 0}},
    {"特別の教科 道徳", {35, 35, 35, 0, 0, 0}},
    {"総合的な学習の時間", {50, 70, 70, 0, 0, 0}},
    {"特別活動", {35, 35, 35, 0, 0, 0}},
};
const int kJuniorTotal[3] = {1015, 1015, 1015};

int kindKey(SchoolKind k) { return k == SchoolKind::Elementary ? 0 : 1; }

// The fields of one CSV line: comma-separated, a field in double quotes may hold commas
// and doubled quotes.
std::vector<std::string> csvFields(std::string_view line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        out.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        out.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

bool validUtf8(std::string_view s) { return sanitizeUtf8(s) == s; }

std::optional<int> wholeNumber(std::string_view s, int lo, int hi) {
  s = trimBlanksView(s);
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size() || s.empty() || v < lo || v > hi) return std::nullopt;
  return v;
}

}  // namespace

const char* const kTotalSubject = "総授業時数";

std::span<const StandardSubject> standardSubjects(SchoolKind kind) {
  if (kind == SchoolKind::Elementary) return kElementary;
  return kJunior;
}

int schoolGradeCount(SchoolKind kind) { return kind == SchoolKind::Elementary ? 6 : 3; }

int standardTotal(SchoolKind kind, int grade) {
  if (grade < 1 || grade > schoolGradeCount(kind)) return 0;
  return kind == SchoolKind::Elementary ? kElementaryTotal[grade - 1] : kJuniorTotal[grade - 1];
}

std::optional<SchoolKind> schoolKindForGrades(int grades) {
  if (grades == 6) return SchoolKind::Elementary;
  if (grades == 3) return SchoolKind::Junior;
  return std::nullopt;
}

const char* schoolKindName(SchoolKind kind) { return kind == SchoolKind::Elementary ? "小学校" : "中学校"; }

std::optional<SchoolKind> schoolKindFromName(std::string_view s) {
  s = trimBlanksView(s);
  if (s == "小学校" || s == "elementary") return SchoolKind::Elementary;
  if (s == "中学校" || s == "junior") return SchoolKind::Junior;
  return std::nullopt;
}

void Targets::set(SchoolKind kind, int grade, const std::string& subject, int hours) {
  m_[{kindKey(kind), grade, subject}] = hours;
}

std::optional<int> Targets::get(SchoolKind kind, int grade, std::string_view subject) const {
  auto it = m_.find(std::make_tuple(kindKey(kind), grade, std::string(subject)));
  if (it == m_.end()) return std::nullopt;
  return it->second;
}

std::string Targets::toCsv() const {
  std::string out = "校種,学年,教科,時数\r\n";
  for (const auto& [key, hours] : m_) {
    const auto& [k, grade, subject] = key;
    out += schoolKindName(k == 0 ? SchoolKind::Elementary : SchoolKind::Junior);
    out += "," + std::to_string(grade) + "," + csvField(subject) + "," + std::to_string(hours) + "\r\n";
  }
  return out;
}

std::optional<Targets> Targets::fromCsv(std::string_view raw, std::string& error) {
  std::string text;
  if (raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
  text = validUtf8(raw) ? std::string(raw) : fromCp932(raw);
  Targets t;
  size_t pos = 0;
  int lineNo = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (trimBlanksView(line).empty()) continue;
    auto f = csvFields(line);
    if (lineNo == 1 && !f.empty() && trimBlanks(f[0]) == "校種") continue;  // header
    const std::string where = std::to_string(lineNo) + " 行目: ";
    if (f.size() != 4) {
      error = where + "「校種,学年,教科,時数」の4項目で書いてください。";
      return std::nullopt;
    }
    auto kind = schoolKindFromName(f[0]);
    if (!kind) {
      error = where + "校種は 小学校 か 中学校 です: " + f[0];
      return std::nullopt;
    }
    auto grade = wholeNumber(f[1], 1, schoolGradeCount(*kind));
    if (!grade) {
      error = where + "学年が正しくありません: " + f[1];
      return std::nullopt;
    }
    const std::string subject = trimBlanks(f[2]);
    if (subject.empty()) {
      error = where + "教科名がありません。";
      return std::nullopt;
    }
    auto hours = wholeNumber(f[3], 0, 9999);
    if (!hours) {
      error = where + "時数は 0 から 9999 の整数です: " + f[3];
      return std::nullopt;
    }
    t.set(*kind, *grade, subject, *hours);
  }
  return t;
}

int standardHours(SchoolKind kind, int grade, std::string_view subject, const Targets& targets) {
  if (auto t = targets.get(kind, grade, subject)) return *t;
  if (grade < 1 || grade > schoolGradeCount(kind)) return 0;
  for (const auto& s : standardSubjects(kind))
    if (subject == s.name) return s.hours[grade - 1];
  return 0;
}

int standardTotalInForce(SchoolKind kind, int grade, const Targets& targets) {
  if (auto t = targets.get(kind, grade, kTotalSubject)) return *t;
  int sum = 0;
  for (const auto& s : standardSubjects(kind)) sum += standardHours(kind, grade, s.name, targets);
  return sum;
}

std::vector<ShortName> defaultShortNames() {
  // Grouped by subject. A short name listed twice names a subject of each kind of school
  // ("体"), or two subjects of one kind taught in different grades ("外").
  static const char* const kPairs[][2] = {
      {"国", "国語"}, {"書写", "国語"},
      {"社", "社会"},
      {"算", "算数"}, {"数", "数学"},
      {"理", "理科"},
      {"生", "生活"},
      {"音", "音楽"},
      {"図", "図画工作"}, {"図工", "図画工作"}, {"美", "美術"},
      {"家", "家庭"}, {"家", "技術・家庭"}, {"家庭", "技術・家庭"},
      {"技", "技術・家庭"}, {"技家", "技術・家庭"}, {"技術", "技術・家庭"},
      {"体", "体育"}, {"体", "保健体育"}, {"体育", "保健体育"}, {"保体", "保健体育"},
      {"保健", "体育"}, {"保健", "保健体育"},
      {"外", "外国語"}, {"外", "外国語活動"}, {"英", "外国語"}, {"英", "外国語活動"},
      {"英語", "外国語"}, {"英語", "外国語活動"}, {"外活", "外国語活動"},
      {"道", "特別の教科 道徳"}, {"道徳", "特別の教科 道徳"}, {"特別の教科である道徳", "特別の教科 道徳"},
      {"総", "総合的な学習の時間"}, {"総合", "総合的な学習の時間"},
      {"特活", "特別活動"}, {"学活", "特別活動"}, {"学級活動", "特別活動"},
  };
  std::vector<ShortName> out;
  for (const auto& p : kPairs) out.push_back({p[0], p[1]});
  return out;
}

std::string shortNamesToText(const std::vector<ShortName>& list) {
  std::string out;
  for (const auto& s : list) out += s.shortName + "=" + s.subject + "\n";
  return out;
}

std::vector<ShortName> shortNamesFromText(std::string_view text) {
  std::vector<ShortName> out;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string a = trimBlanks(line.substr(0, eq)), b = trimBlanks(line.substr(eq + 1));
    if (!a.empty() && !b.empty()) out.push_back({std::move(a), std::move(b)});
  }
  return out;
}

SubjectMatcher::SubjectMatcher(SchoolKind kind, std::vector<ShortName> shortNames)
    : kind_(kind), shortNames_(std::move(shortNames)) {}

int SubjectMatcher::subjectIndex(std::string_view name) const {
  const auto subjects = standardSubjects(kind_);
  for (size_t i = 0; i < subjects.size(); ++i)
    if (name == subjects[i].name) return static_cast<int>(i);
  return -1;
}

int SubjectMatcher::match(std::string_view text, int grade) const {
  const std::string_view t = trimBlanksView(text);
  if (t.empty()) return -1;
  if (int i = subjectIndex(t); i >= 0) return i;
  const auto subjects = standardSubjects(kind_);
  int first = -1;
  for (const auto& s : shortNames_) {
    if (s.shortName != t) continue;
    const int i = subjectIndex(s.subject);
    if (i < 0) continue;  // a subject of the other kind of school
    if (grade >= 1 && grade <= 6 && subjects[static_cast<size_t>(i)].hours[grade - 1] > 0) return i;
    if (first < 0) first = i;
  }
  return first;
}

}  // namespace tly
