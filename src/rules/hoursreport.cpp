#include "rules/hoursreport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "model/basic.h"

namespace tly {

namespace {

constexpr int kSlots = kItemSlot0 + kItemSlots + 1;  // 27: weekdays 0..6 and items 1..20

// The counts of one grade: the whole year and the days held.
struct GradeCounts {
  int year[kSlots][kPeriodSlots];
  int held[kSlots][kPeriodSlots];
};

// Where a text's hours go within one class's block.
struct Sink {
  int subject = -1;      // index into the table, or -1 for an unmatched text
  size_t unmatched = 0;  // index into ClassReport::unmatched when subject < 0
};

}  // namespace

int classGrade(const std::string& name, int grades, const std::map<std::string, int>& assigned) {
  const std::string t = trimBlanks(name);
  const int d = leadingGradeDigit(t);
  if (d >= 1 && d <= grades) return d;
  auto it = assigned.find(t);
  if (it != assigned.end() && it->second >= 1 && it->second <= grades) return it->second;
  return 0;
}

std::optional<TallyRange> heldRangeUntil(int nendo, int year, int month, int day) {
  const long date = year * 10000L + month * 100L + day;
  if (date < nendo * 10000L + 401) return std::nullopt;
  if (date > (nendo + 1) * 10000L + 331) return TallyRange{4, 1, 3, 31};
  return TallyRange{4, 1, month, day};
}

std::vector<ClassReport> buildHoursReport(const SchoolYear& y, const ReportOptions& o, int onlyClass) {
  std::vector<ClassReport> out;
  const int count = std::min(y.timetableCount(0), kMaxTimetables);
  if (count <= 0 || !y.isOpen()) return out;
  const int grades = std::clamp<int>(y.Ggn, 0, kGrades);
  const int periods = tallyPeriods(y);
  const int items = std::clamp<int>(y.JItemCount, 0, kItemSlots);
  const auto subjects = standardSubjects(o.kind);
  const SubjectMatcher matcher(o.kind, o.shortNames);

  // Each grade's days are walked once, however many classes it has.
  std::vector<GradeCounts> counts(static_cast<size_t>(grades));
  std::vector<bool> counted(static_cast<size_t>(grades), false);
  auto gradeCounts = [&](int g) -> const GradeCounts& {
    GradeCounts& c = counts[static_cast<size_t>(g - 1)];
    if (!counted[static_cast<size_t>(g - 1)]) {
      std::memset(&c, 0, sizeof c);
      countGradeRange(y, g - 1, TallyRange{4, 1, 3, 31}, c.year);
      if (o.held) countGradeRange(y, g - 1, *o.held, c.held);
      counted[static_cast<size_t>(g - 1)] = true;
    }
    return c;
  };

  for (int n = 1; n <= count; ++n) {
    if (onlyClass && n != onlyClass) continue;
    const JWRec& tt = y.JW[0][n];
    ClassReport cr;
    cr.number = n;
    cr.name = trimBlanks(tt.JWName);
    cr.grade = classGrade(cr.name, grades, o.gradeOf);
    if (cr.grade == 0) {
      out.push_back(std::move(cr));
      continue;
    }
    const GradeCounts& gc = gradeCounts(cr.grade);
    std::vector<int> planned(subjects.size(), 0), held(subjects.size(), 0);
    std::vector<bool> named(subjects.size(), false);
    std::unordered_map<std::string, Sink> sinks;
    auto sinkOf = [&](const std::string& text) -> Sink {
      auto it = sinks.find(text);
      if (it != sinks.end()) return it->second;
      Sink s;
      s.subject = matcher.match(text, cr.grade);
      if (s.subject < 0) {
        s.unmatched = cr.unmatched.size();
        ReportRow r;
        r.subject = text;
        r.matched = false;
        cr.unmatched.push_back(std::move(r));
      } else {
        named[static_cast<size_t>(s.subject)] = true;
      }
      sinks.emplace(text, s);
      return s;
    };
    auto add = [&](const Sink& s, int yearHours, int heldHours) {
      if (s.subject >= 0) {
        planned[static_cast<size_t>(s.subject)] += yearHours;
        held[static_cast<size_t>(s.subject)] += heldHours;
      } else {
        cr.unmatched[s.unmatched].planned += yearHours;
        cr.unmatched[s.unmatched].held += heldHours;
      }
    };

    // Timetable slots Monday..Saturday, as the timetable tally takes them.
    for (int j = 1; j <= 6; ++j)
      for (int p = 1; p <= periods; ++p) {
        const std::string t = trimBlanks(tt.JWCell[static_cast<size_t>(j)][static_cast<size_t>(p)]);
        if (t.empty()) continue;
        add(sinkOf(t), gc.year[j][p], gc.held[j][p]);
      }
    // Tally items of the grade by their names. An item that names no subject and has no
    // hours in the year is left out: the item list is the same for every class.
    for (int i = 1; i <= items; ++i) {
      const std::string name = trimBlanks(y.JItem[static_cast<size_t>(i - 1)]);
      const int yh = gc.year[i + kItemSlot0][1], hh = gc.held[i + kItemSlot0][1];
      if (name.empty()) continue;
      if (!sinks.count(name) && matcher.match(name, cr.grade) < 0 && yh == 0 && hh == 0) continue;
      add(sinkOf(name), yh, hh);
    }

    cr.total.subject = kTotalSubject;
    for (size_t i = 0; i < subjects.size(); ++i) {
      const int standard = standardHours(o.kind, cr.grade, subjects[i].name, o.targets);
      if (standard <= 0 && !named[i] && planned[i] == 0) continue;
      ReportRow r;
      r.subject = subjects[i].name;
      r.standard = standard;
      r.planned = planned[i];
      r.held = held[i];
      cr.total.planned += r.planned;
      cr.total.held += r.held;
      cr.rows.push_back(std::move(r));
    }
    cr.total.standard = standardTotalInForce(o.kind, cr.grade, o.targets);
    out.push_back(std::move(cr));
  }
  return out;
}

std::string rateText(const ReportRow& r) {
  auto v = r.rate();
  if (!v) return "";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f%%", *v);
  return buf;
}

std::string heldRangeText(const ReportOptions& o) {
  if (!o.held) return "なし";
  return std::to_string(o.held->fromMonth) + "月" + std::to_string(o.held->fromDay) + "日～" +
         std::to_string(o.held->toMonth) + "月" + std::to_string(o.held->toDay) + "日";
}

std::array<std::string, kReportNumberColumns> reportRowTexts(const ReportRow& r, SurplusStyle style) {
  auto n = [](int v) { return std::to_string(v); };
  if (!r.matched) return {"", n(r.planned), n(r.held), "", "", ""};
  const int s = r.surplus();
  std::string surplus = n(s);
  if (s > 0 && style != SurplusStyle::Plain) surplus = "+" + n(s);
  if (s < 0 && style == SurplusStyle::Marked) surplus = "▲" + n(-s);
  return {n(r.standard), n(r.planned), n(r.held), n(r.remaining()), surplus, rateText(r)};
}

std::string reportToTsv(const std::vector<ClassReport>& report) {
  std::string out;
  auto row = [&](const ReportRow& r) {
    out += r.subject;
    for (const std::string& v : reportRowTexts(r, SurplusStyle::Plain)) out += "\t" + v;
    out += "\n";
  };
  bool first = true;
  for (const auto& c : report) {
    if (!first) out += "\n";
    first = false;
    out += c.name + "\t";
    out += c.grade ? std::to_string(c.grade) + "年" : std::string("学年未設定");
    out += "\n";
    if (!c.grade) continue;
    out += "教科\t標準時数\t年間計画\t実施済み\t残り\t過不足\t消化率\n";
    for (const auto& r : c.rows) row(r);
    row(c.total);
    for (const auto& r : c.unmatched) row(r);
  }
  return out;
}

}  // namespace tly
