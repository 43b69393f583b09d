#include "session/windows/frmstdhours/reportwindow.h"

#include "model/basic.h"
#include "session/windows/frmstdhours/standards.h"

namespace tly {

namespace {

// A whole number with an optional sign, blanks around it allowed; nothing else.
bool wholeNumber(const std::string& text, int& v) {
  size_t i = 0, end = text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (i < end && blank(text[i])) ++i;
  while (end > i && blank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end || end - i > 6) return false;
  long n = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  v = static_cast<int>(negative ? -n : n);
  return true;
}

}  // namespace

ReportTable reportTable(const SchoolYear& y, const std::vector<ClassReport>& report, int classIndex,
                        const ReportOptions& o) {
  ReportTable t;
  int unassigned = 0, unmatched = 0;
  auto add = [&](const ClassReport& c, const ReportRow& r, ReportLine::Kind kind) {
    ReportLine l;
    l.kind = kind;
    l.className = c.name;
    l.subject = r.subject;
    l.values = reportRowTexts(r, SurplusStyle::Signed);
    l.shortfall = r.matched && r.shortfall();
    if (kind == ReportLine::Kind::Subject) l.editGrade = c.grade;
    if (kind == ReportLine::Kind::Unmatched) ++unmatched;
    t.lines.push_back(std::move(l));
  };
  for (const auto& c : report) {
    if (!c.grade) {
      ++unassigned;
      ReportLine l;
      l.kind = ReportLine::Kind::NoGrade;
      l.className = c.name;
      l.subject = "学年未設定（学級を選んで学年を設定してください）";
      t.lines.push_back(std::move(l));
      continue;
    }
    for (const auto& r : c.rows) add(c, r, r.matched ? ReportLine::Kind::Subject : ReportLine::Kind::Unmatched);
    add(c, c.total, ReportLine::Kind::Total);
    for (const auto& r : c.unmatched) add(c, r, ReportLine::Kind::Unmatched);
  }
  t.classColumnHidden = classIndex > 0;

  // The grade selector speaks for the chosen class; a name with its own digit decides it.
  if (classIndex >= 1 && classIndex <= kMaxTimetables && !report.empty()) {
    t.gradeIndex = report.front().grade;
    const int d = leadingGradeDigit(trimBlanks(y.JW[0][classIndex].JWName));
    t.gradeSelectorEnabled = !(d >= 1 && d <= y.Ggn);
  }

  t.note = "実施済み: " + heldRangeText(o) + "。赤字は年間計画が標準時数に届かない教科。";
  if (report.empty()) t.note = "学級時間割がありません。";
  if (unassigned) t.note += " 学年未設定の学級: " + std::to_string(unassigned) + "。";
  if (unmatched) t.note += " 灰色はどの教科にも当たらない名前。";
  return t;
}

bool standardEdited(App& app, ReportOptions o, int grade, const std::string& subject, const std::string& text) {
  int v = -1;
  if (grade < 1 || !wholeNumber(text, v) || v < 0 || v > 9999) {
    app.msg("時数は 0 から 9999 の整数で入力してください。", MsgButtons::OK, MsgIcon::Exclamation);
    return false;
  }
  o.targets.set(o.kind, grade, subject, v);
  storeTargets(app, o.targets);
  return true;
}

}  // namespace tly
