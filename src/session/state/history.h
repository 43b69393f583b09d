// The history of the open year: every change a user makes is one step, and 取り消し and
// やり直し walk the steps back and forward, many deep. A step keeps only what it changed
// (each changed lesson cell, day text, timetable record, the item list, the grid's look),
// never a copy of the year. Steps are made by watching the parts of the year a command may
// change (StepRecorder) and keeping what differs after it ran, so the commands themselves
// do not need to know about the history.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/platform.h"
#include "model/schoolyear.h"

namespace tly {

struct App;

struct LessonChange {
  int8_t grade, month, day, period;  // grade index 0..5
  int16_t before, after;
};
struct DayTextChange {
  int8_t grade, month, day, kind;
  std::string before, after;
};
struct TimetableChange {
  int8_t kind;
  int16_t number;  // 0 is the record that holds the count
  JWRec before, after;
};
struct ItemListChange {
  std::array<std::string, kItemSlots> before, after;
  int16_t countBefore = 0, countAfter = 0;
};
// The grid's font, column widths and row heights (kept with the data file).
struct GridLook {
  FontInfo font;
  std::vector<int> widths, heights;
  bool operator==(const GridLook&) const = default;
};
struct GridLookChange {
  GridLook before, after;
};

// Where a step was made, so that undoing it shows that place again.
struct StepPlace {
  int grade = 1, month = 4;       // the main grid's shown grade and month
  bool timetableWindow = false;   // made in the timetable window
  int timetableKind = 0;          // that window's kind (0 class, 1 teacher)
  int listBefore = -1, listAfter = -1;  // its list selection before and after the step
};

struct Step {
  std::string name;  // what the user did: "入力", "貼り付け" ...
  StepPlace place;
  std::vector<LessonChange> lessons;
  std::vector<DayTextChange> texts;
  std::vector<TimetableChange> timetables;
  // Rare and large: kept apart so that the many small steps stay small.
  std::shared_ptr<const ItemListChange> items;
  std::shared_ptr<const GridLookChange> look;

  bool empty() const { return lessons.empty() && texts.empty() && timetables.empty() && !items && !look; }
  bool touchesMonth() const { return !lessons.empty() || !texts.empty(); }
  bool touchesTimetables() const { return !timetables.empty(); }
  // The bytes the step holds (its own storage and the texts' heap storage).
  size_t bytes() const;
};

class History {
 public:
  // Steps kept; the oldest goes when a new one would pass it.
  static constexpr size_t kDepth = 1000;

  // A new step: the steps that were undone are dropped (they cannot be redone any more).
  void push(Step s);
  bool canUndo() const { return next_ > 0; }
  bool canRedo() const { return next_ < steps_.size(); }
  // The step the next undo / redo takes; nullptr when there is none.
  const Step* undoStep() const { return canUndo() ? &steps_[next_ - 1] : nullptr; }
  const Step* redoStep() const { return canRedo() ? &steps_[next_] : nullptr; }
  // Moves one step back / forward and returns that step (call only when possible).
  const Step& stepBack() { return steps_[--next_]; }
  const Step& stepForward() { return steps_[next_++]; }

  // A year opened or created: no steps, and the year as it is counts as saved.
  void clear();
  // The year was saved as it is now.
  void markSaved() { saved_ = next_; }
  // The year differs from what was last saved (or opened).
  bool modified() const { return !saved_ || *saved_ != next_; }
  size_t size() const { return steps_.size(); }
  size_t bytes() const;

 private:
  std::deque<Step> steps_;
  size_t next_ = 0;               // steps_[0..next_) are done
  std::optional<size_t> saved_ = 0;  // position of the saved year; none once it is gone
};

// Watches the parts of the year a command may change; commit() keeps what differs as a
// step of the history.
class StepRecorder {
 public:
  StepRecorder(const App& app, std::string name);
  // Every grade's lesson cells and day texts of month m (1..12).
  StepRecorder& month(int m);
  // Every grade's cells and texts of one day.
  StepRecorder& day(int m, int d);
  // One timetable record, or every record of a kind (the list operations move them).
  StepRecorder& timetable(int kind, int number);
  StepRecorder& timetables(int kind);
  StepRecorder& items();
  // The item list as it was before a dialog that edits it in place was opened.
  StepRecorder& items(const std::array<std::string, kItemSlots>& before, int16_t countBefore);
  StepRecorder& gridLook();
  // Compares with the year now and pushes the differences as one step; nothing when
  // nothing changed. Returns whether a step was kept.
  bool commit(App& app);

 private:
  struct DaySnap {
    int month, day;
    std::array<std::array<int16_t, kPeriodSlots>, kGrades> lessons;
    std::array<std::array<std::string, kTextKinds>, kGrades> texts;
  };
  std::string name_;
  StepPlace place_;
  std::vector<DaySnap> days_;
  std::vector<std::pair<int, JWRec>> records_[2];
  std::optional<ItemListChange> items_;
  std::optional<GridLook> look_;
  const App& app_;
};

// The grid's look as the main grid has it now.
GridLook gridLookOf(const App& app);
// Puts a step's values into the year and the grid: the values before it (undo) or after it.
// Showing the result is the caller's.
void applyStep(App& app, const Step& s, bool undo);

}  // namespace tly
