#include "rules/classhours.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "model/basic.h"

namespace tly {

std::vector<EntryHours> classHours(const SchoolYear& y, const JWRec& tt, int gi, const TallyRange& r) {
  std::vector<EntryHours> out;
  if (gi < 0 || gi >= kGrades) return out;
  int cnt[kItemSlot0 + kItemSlots + 1][kPeriodSlots];
  std::memset(cnt, 0, sizeof cnt);
  countGradeRange(y, gi, r, cnt);
  const int periods = tallyPeriods(y);
  for (int j = 1; j <= 6; ++j)
    for (int p = 1; p <= periods; ++p) {
      std::string t = trimBlanks(tt.JWCell[static_cast<size_t>(j)][static_cast<size_t>(p)]);
      if (t.empty()) continue;
      auto it = std::find_if(out.begin(), out.end(), [&](const EntryHours& e) { return e.name == t; });
      if (it == out.end()) it = out.insert(out.end(), EntryHours{std::move(t), false, 0});
      it->hours += cnt[j][p];
    }
  const int items = std::clamp<int>(y.JItemCount, 0, kItemSlots);
  for (int i = 1; i <= items; ++i)
    out.push_back(EntryHours{y.JItem[static_cast<size_t>(i - 1)], true, cnt[i + kItemSlot0][1]});
  return out;
}

std::vector<size_t> tallyOrder(const std::vector<EntryHours>& e) {
  std::vector<size_t> order;
  for (size_t i = 0; i < e.size(); ++i)
    if (!e[i].item) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return e[a].hours > e[b].hours; });
  return order;
}

}  // namespace tly
