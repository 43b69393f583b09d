// The built years the benchmarks run on.
#pragma once

#include <memory>

#include "calendar/calendar.h"
#include "session/state/app.h"

namespace tly::bench {

// School year 2024 built as the new-year dialog builds it, with the default tally items.
inline std::unique_ptr<App> builtYearApp(int grades, int periods) {
  auto app = std::make_unique<App>();
  NewYearOptions o;
  o.nendo = 2024;
  o.grades = grades;
  o.periods = periods;
  buildNewYear(app->Y, o);
  app->Y.JItemCount = 8;
  for (size_t i = 0; i < 8; ++i) app->Y.JItem[i] = kDefaultItemNames[i];
  return app;
}

}  // namespace tly::bench
