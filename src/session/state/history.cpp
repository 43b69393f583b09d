#include "session/state/history.h"

#include <algorithm>

#include "session/state/app.h"

namespace tly {

namespace {

size_t heapBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; }

size_t heapBytes(const JWRec& r) {
  size_t n = heapBytes(r.JWName);
  for (const auto& day : r.JWCell)
    for (const auto& cell : day) n += heapBytes(cell);
  return n;
}

bool sameRecord(const JWRec& a, const JWRec& b) {
  return a.JWKind == b.JWKind && a.JWName == b.JWName && a.JWCell == b.JWCell;
}

int clampMonth(int m) { return std::clamp(m, 1, 12); }

}  // namespace

size_t Step::bytes() const {
  size_t n = sizeof(Step) + heapBytes(name) + lessons.capacity() * sizeof(LessonChange) +
             texts.capacity() * sizeof(DayTextChange) + timetables.capacity() * sizeof(TimetableChange);
  for (const auto& t : texts) n += heapBytes(t.before) + heapBytes(t.after);
  for (const auto& t : timetables) n += heapBytes(t.before) + heapBytes(t.after);
  if (items) {
    n += sizeof(ItemListChange);
    for (size_t i = 0; i < items->before.size(); ++i) n += heapBytes(items->before[i]) + heapBytes(items->after[i]);
  }
  if (look) {
    n += sizeof(GridLookChange) + heapBytes(look->before.font.name) + heapBytes(look->after.font.name);
    n += (look->before.widths.capacity() + look->after.widths.capacity() + look->before.heights.capacity() +
          look->after.heights.capacity()) * sizeof(int);
  }
  return n;
}

void History::push(Step s) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(next_), steps_.end());
  if (saved_ && *saved_ > next_) saved_.reset();  // the saved year was undone past: it cannot come back
  steps_.push_back(std::move(s));
  ++next_;
  if (steps_.size() > kDepth) {
    steps_.pop_front();
    --next_;
    if (saved_) {
      if (*saved_ == 0) saved_.reset();
      else --*saved_;
    }
  }
}

void History::clear() {
  steps_.clear();
  next_ = 0;
  saved_ = 0;
}

size_t History::bytes() const {
  size_t n = sizeof(History);
  for (const auto& s : steps_) n += s.bytes();
  return n;
}

// ---- Recording --------------------------------------------------------------------------

StepRecorder::StepRecorder(const App& app, std::string name) : name_(std::move(name)), app_(app) {
  place_.grade = app.S.CurGr;
  place_.month = app.S.CurMonth;
  place_.timetableWindow = app.JWF.open;
  place_.timetableKind = app.JWF.optClass ? 0 : 1;
  place_.listBefore = app.JWF.lstJW.index;
}

StepRecorder& StepRecorder::day(int m, int d) {
  if (m < 1 || m > 12 || d < 0 || d >= kDaySlots) return *this;
  for (const DaySnap& s : days_)
    if (s.month == m && s.day == d) return *this;
  DaySnap s{m, d, {}, {}};
  for (int g = 0; g < kGrades; ++g) {
    std::copy(std::begin(app_.Y.JJ[g][m][d]), std::end(app_.Y.JJ[g][m][d]), s.lessons[static_cast<size_t>(g)].begin());
    for (int k = 0; k < kTextKinds; ++k) s.texts[static_cast<size_t>(g)][static_cast<size_t>(k)] = app_.Y.JJText[g][m][d][k];
  }
  days_.push_back(std::move(s));
  return *this;
}

StepRecorder& StepRecorder::month(int m) {
  for (int d = 0; d < kDaySlots; ++d) day(m, d);
  return *this;
}

StepRecorder& StepRecorder::timetable(int kind, int number) {
  if ((kind != 0 && kind != 1) || number < 0 || number > kMaxTimetables) return *this;
  auto& recs = records_[kind];
  for (const auto& r : recs)
    if (r.first == number) return *this;
  recs.emplace_back(number, app_.Y.JW[kind][number]);
  return *this;
}

StepRecorder& StepRecorder::timetables(int kind) {
  for (int n = 0; n <= kMaxTimetables; ++n) timetable(kind, n);
  return *this;
}

StepRecorder& StepRecorder::items() {
  if (!items_) {
    items_.emplace();
    items_->before = app_.Y.JItem;
    items_->countBefore = app_.Y.JItemCount;
  }
  return *this;
}

StepRecorder& StepRecorder::items(const std::array<std::string, kItemSlots>& before, int16_t countBefore) {
  items_.emplace();
  items_->before = before;
  items_->countBefore = countBefore;
  return *this;
}

StepRecorder& StepRecorder::gridLook() {
  if (!look_) look_ = gridLookOf(app_);
  return *this;
}

bool StepRecorder::commit(App& app) {
  Step s;
  s.name = name_;
  s.place = place_;
  s.place.listAfter = app.JWF.lstJW.index;
  for (const DaySnap& d : days_)
    for (int g = 0; g < kGrades; ++g) {
      for (int p = 0; p < kPeriodSlots; ++p) {
        const int16_t now = app.Y.JJ[g][d.month][d.day][p], was = d.lessons[size_t(g)][size_t(p)];
        if (now != was)
          s.lessons.push_back({int8_t(g), int8_t(d.month), int8_t(d.day), int8_t(p), was, now});
      }
      for (int k = 0; k < kTextKinds; ++k) {
        const std::string& now = app.Y.JJText[g][d.month][d.day][k];
        const std::string& was = d.texts[size_t(g)][size_t(k)];
        if (now != was) s.texts.push_back({int8_t(g), int8_t(d.month), int8_t(d.day), int8_t(k), was, now});
      }
    }
  for (int kind = 0; kind < 2; ++kind)
    for (auto& [n, was] : records_[kind])
      if (!sameRecord(was, app.Y.JW[kind][n]))
        s.timetables.push_back({int8_t(kind), int16_t(n), std::move(was), app.Y.JW[kind][n]});
  if (items_ && (items_->before != app.Y.JItem || items_->countBefore != app.Y.JItemCount)) {
    items_->after = app.Y.JItem;
    items_->countAfter = app.Y.JItemCount;
    s.items = std::make_shared<const ItemListChange>(std::move(*items_));
  }
  if (look_) {
    GridLook now = gridLookOf(app);
    if (!(now == *look_)) s.look = std::make_shared<const GridLookChange>(GridLookChange{std::move(*look_), std::move(now)});
  }
  days_.clear();
  records_[0].clear();
  records_[1].clear();
  items_.reset();
  look_.reset();
  if (s.empty()) return false;
  s.lessons.shrink_to_fit();
  s.texts.shrink_to_fit();
  s.timetables.shrink_to_fit();
  app.H.push(std::move(s));
  return true;
}

GridLook gridLookOf(const App& app) {
  GridLook l;
  const Grid& g = app.Grid1;
  l.font = g.Font;
  for (int c = 0; c < g.cols(); ++c) l.widths.push_back(g.colWidth(c));
  for (int r = 0; r < g.rows(); ++r) l.heights.push_back(g.rowHeight(r));
  return l;
}

void applyStep(App& app, const Step& s, bool undo) {
  for (const auto& c : s.lessons) app.Y.JJ[c.grade][clampMonth(c.month)][c.day][c.period] = undo ? c.before : c.after;
  for (const auto& t : s.texts) app.Y.JJText[t.grade][clampMonth(t.month)][t.day][t.kind] = undo ? t.before : t.after;
  for (const auto& t : s.timetables) app.Y.JW[t.kind][t.number] = undo ? t.before : t.after;
  if (s.items) {
    app.Y.JItem = undo ? s.items->before : s.items->after;
    app.Y.JItemCount = undo ? s.items->countBefore : s.items->countAfter;
  }
  if (s.look) {
    const GridLook& l = undo ? s.look->before : s.look->after;
    Grid& g = app.Grid1;
    g.Font = l.font;
    for (int c = 0; c < g.cols() && c < static_cast<int>(l.widths.size()); ++c) g.setColWidth(c, l.widths[size_t(c)]);
    for (int r = 0; r < g.rows() && r < static_cast<int>(l.heights.size()); ++r) g.setRowHeight(r, l.heights[size_t(r)]);
  }
}

}  // namespace tly
