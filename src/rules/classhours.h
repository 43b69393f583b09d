// The hours of one class timetable over a range of days, by the texts of its slots (as
// the timetable tally takes them) and by tally item: what the per-class sheets of the
// workbook and the weekly plan page count.
#pragma once

#include <string>
#include <vector>

#include "model/schoolyear.h"
#include "rules/tallycount.h"

namespace tly {

struct EntryHours {
  std::string name;   // the slot's text, trimmed, or the item's name
  bool item = false;  // a tally item, counted under period 1
  int hours = 0;
};

// Hours of class timetable tt over range r of grade index gi: first every distinct text of
// its slots Monday..Saturday, periods 1..Jigen, in order of first appearance (Monday's
// first period first), then every item of the list in its order. The entries and their
// order depend on the timetable alone, so lists of two ranges line up entry by entry.
std::vector<EntryHours> classHours(const SchoolYear& y, const JWRec& tt, int gi, const TallyRange& r);

// Positions of the slot entries (not the items) sorted by hours, largest first, equal
// hours in their order: the order the timetable tally shows them in.
std::vector<size_t> tallyOrder(const std::vector<EntryHours>& e);

}  // namespace tly
