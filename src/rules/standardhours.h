// The national standard of annual class hours (標準授業時数) per grade and subject, the
// school's own targets that replace figures of it, and how timetable and item texts are
// matched to its subjects.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace tly {

enum class SchoolKind { Elementary, Junior };

// One subject of a standard table: its name and its hours in grades 1..6 (0 where the
// subject is not taught in that grade; a junior high school uses grades 1..3).
struct StandardSubject {
  const char* name;
  int hours[6];
};

// The subjects of the school kind's table, in the table's order.
std::span<const StandardSubject> standardSubjects(SchoolKind kind);
// The published total of the grade (総授業時数); 0 for a grade the kind does not have.
int standardTotal(SchoolKind kind, int grade);
// Grades the kind has: 6 or 3.
int schoolGradeCount(SchoolKind kind);
// The kind a year of this many grades starts as: 6 elementary, 3 junior, else none.
std::optional<SchoolKind> schoolKindForGrades(int grades);
// "小学校" / "中学校", and back (also "elementary" / "junior").
const char* schoolKindName(SchoolKind kind);
std::optional<SchoolKind> schoolKindFromName(std::string_view s);

// Name of the total row and the key of its target.
extern const char* const kTotalSubject;  // "総授業時数"

// The school's own figures, each replacing the table's for one kind, grade and subject
// (the subject may also be kTotalSubject).
class Targets {
 public:
  void set(SchoolKind kind, int grade, const std::string& subject, int hours);
  std::optional<int> get(SchoolKind kind, int grade, std::string_view subject) const;
  bool empty() const { return m_.empty(); }
  size_t size() const { return m_.size(); }
  bool operator==(const Targets&) const = default;

  // Rows "校種,学年,教科,時数" with a header line, CR LF line ends, UTF-8 without BOM.
  std::string toCsv() const;
  // Reads what toCsv writes, also with a BOM, LF line ends, quoted fields and in CP932 (as
  // a spreadsheet saves it). On a bad line returns nothing and a Japanese message in error.
  static std::optional<Targets> fromCsv(std::string_view text, std::string& error);

 private:
  std::map<std::tuple<int, int, std::string>, int, std::less<>> m_;
};

// The figure in force: the target when there is one, else the table's (0 when the
// subject has no figure in that grade). The total without a target is the sum of the
// grade's subject figures in force.
int standardHours(SchoolKind kind, int grade, std::string_view subject, const Targets& targets);
int standardTotalInForce(SchoolKind kind, int grade, const Targets& targets);

// A short name (or other spelling) of a subject: "国" → "国語".
struct ShortName {
  std::string shortName;
  std::string subject;
  bool operator==(const ShortName&) const = default;
};
// The list a school starts with; one short name may name a subject of each kind
// ("体" → 体育 and 保健体育), or two subjects of one kind ("外" → 外国語, 外国語活動).
std::vector<ShortName> defaultShortNames();
// One "短縮名=教科名" per line; lines without "=" or with an empty side are skipped.
std::string shortNamesToText(const std::vector<ShortName>& list);
std::vector<ShortName> shortNamesFromText(std::string_view text);

// Matches a text to a subject of one school kind's table: the text trimmed of blanks is
// the subject's name or one of its short names. A short name listed for several subjects
// of the kind takes the first with a figure in the grade, else the first listed.
class SubjectMatcher {
 public:
  SubjectMatcher(SchoolKind kind, std::vector<ShortName> shortNames);
  // Index into standardSubjects(kind), or -1 when the text names no subject.
  int match(std::string_view text, int grade) const;
  SchoolKind kind() const { return kind_; }

 private:
  int subjectIndex(std::string_view name) const;
  SchoolKind kind_;
  std::vector<ShortName> shortNames_;
};

}  // namespace tly
