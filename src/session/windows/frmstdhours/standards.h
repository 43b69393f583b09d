// What the report against the standard keeps in the per-user settings store: the school's
// targets, the short-name list, the grades chosen for class names without a grade digit
// and the school kind of a year whose grade count does not decide it.
#pragma once

#include <optional>
#include <string>

#include "rules/hoursreport.h"
#include "session/state/app.h"

namespace tly {

// The report options for the open year from the settings store, held up to `held` (a
// date; nothing held before the year begins). kind is the stored choice, else the one the
// grade count gives; nothing when neither decides. A damaged stored value counts as none.
struct StoredReportSettings {
  std::optional<SchoolKind> kind;
  ReportOptions options;  // options.kind valid only when kind is set
};
StoredReportSettings loadReportSettings(App& app, const Date& held);

void storeSchoolKind(App& app, SchoolKind kind);
void storeTargets(App& app, const Targets& t);
void storeShortNames(App& app, const std::vector<ShortName>& list);
// Keeps (grade 1..6) or forgets (0) the grade of a class name.
void storeClassGrade(App& app, const std::string& name, int grade);

// Forgets the school's targets, short names and class grades: the national figures and
// the usual short names are in force again. The school kind stays.
void resetStandardSettings(App& app);

// Reads a targets CSV file: the targets, or nothing and a message for the message box.
std::optional<Targets> readTargetsFile(const std::string& path, std::string& error);
// Writes one; "" or a message.
std::string writeTargetsFile(const std::string& path, const Targets& t);

// The report as clipboard text: tab-separated, every line ended by CR LF.
std::string reportClipboardText(const std::vector<ClassReport>& report);

}  // namespace tly
