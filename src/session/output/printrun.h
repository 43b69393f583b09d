// The print run: for each page set it makes the main grid show the wanted grade and
// month (or the wanted grade's tally) and copies the grid to the device. It borrows the
// shown grade, month and year and puts them back at the end, whatever happens.
#pragma once

#include <functional>
#include <string>

#include "rules/printlayout.h"
#include "session/state/app.h"
#include "session/windows/frmprint/printdialog.h"

namespace tly {

// The window's part in a run: between page sets it lets pending events run and says
// whether the user asked to stop; the progress text goes to the dialog's status bar.
struct PrintHooks {
  std::function<bool()> abortRequested;
  std::function<void(const std::string&)> progress;
};

// The page frame of a run: the margins in twips and the title font.
PageFrame frameOf(const PrintParams& p);

enum class PrintOutcome { Printed, Aborted, Failed };

// Which page set the main window's view calls for.
enum class PrintKind { Schedule, Tally, TimetableTally };
PrintKind printKind(const App& app);

// The whole job into one document of dev. A failure is told in a message box; an
// aborted or failed run drops the document. The shown grade, month, year and grid are
// restored in every case; after a finished run the grid's cursor is on row 1, column 2.
PrintOutcome runPrintJob(App& app, PrintDevice& dev, const PrintParams& p, const PrintHooks& hooks = {});

// One copy of each page set from what the main grid shows now.
int PrintJJ(App& app, PrintDevice& dev, int month, const PageFrame& f);
int PrintSK(App& app, PrintDevice& dev, const PageFrame& f);
int PrintJW(App& app, PrintDevice& dev, const PageFrame& f);

// The grades a run covers, in order.
std::vector<int> printGrades(const App& app, int grade);
// The months a run covers for each grade: from, stepping 12 -> 1, up to and including to.
std::vector<int> printMonths(int fromMonth, int toMonth);

}  // namespace tly
