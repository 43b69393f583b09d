// Run-time values of the program that are not saved in data files, each part on its
// own so that a procedure's signature says which it touches.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "io/filelock.h"
#include "model/platform.h"
#include "model/schoolyear.h"

namespace tly {

// What the timetable window shows (JWMode): none open, class or teacher timetables.
enum class JWModeKind : int { None = 0, Class = 1, Teacher = 2 };
// The timetable kind (0 class, 1 teacher) of a window that shows one.
inline int timetableKindOf(JWModeKind m) { return m == JWModeKind::Teacher ? 1 : 0; }

// Where the main grid is in the year: the shown grade, month and calendar year, today,
// the timetable the timetable window works on, and the month grid's column widths kept
// while another layout borrows the grid.
struct Shown {
  int CurGr = 1;
  int CurMonth = 4;
  int CurYear = 0;
  int CurDay = 1;
  Date Today;
  // The timetables the timetable window shows, and the one it has selected.
  JWModeKind JWMode = JWModeKind::None;
  int JWNo = 0;
  std::array<int, 14> JJColWidth{};
};

// The program folder and its files, and the open data file.
struct ProgramFiles {
  std::string CurFile;
  std::string AppPath;  // the program folder, ending in "/"
  std::string IniFile;  // AppPath + "tly.ini"
  std::string HelpFile; // AppPath + "tly.hlp"
  int InstanceCount = 0;  // "ExTLY" read at start-up, for the window cascade
  // The working file could not be read nor moved aside at start-up: the exit leaves it
  // alone instead of replacing it with the year of this run.
  bool KeepWorkFile = false;
  // CurFile as this run last read or saved it, so that a save over it can tell whether
  // another program has written it since; and the shared lock that tells the command
  // line the file is open here.
  FileStamp CurFileStamp;
  std::shared_ptr<HeldLock> CurFileLock;
  // The program folder's lock: only the copy that holds it keeps, offers and removes the
  // recovery copy. Empty while another running copy holds it.
  std::shared_ptr<HeldLock> FolderLock;
};

// Settings-file values carried from one read to the next write.
struct CarriedSettings {
  int PrnBeginPage = 4, PrnEndPage = 4, PrnTopMargin = 10, PrnLeftMargin = 10;
  int IniGrIndex = 0, IniMonthIndex = 0, IniDspJWIndex = 0;
};

// The tally range and the results of the last tally.
struct TallyState {
  bool KikanSet = false;
  int KFromMonth = 4, KFromDay = 1, KToMonth = 4, KToDay = 1;
  // The range actually used by the last tally (kept for the printed title).
  int DFromMonth = 4, DFromDay = 1, DToMonth = 3, DToDay = 31;
  // Tally counts: slot 0..6 = timetable weekday Sunday..Saturday per period,
  // slot 7..26 = tally item 1..20 under period 1.
  static constexpr int kTallySlots = 27;
  int JisuuCnt[kGrades][kTallySlots][kPeriodSlots] = {};  // every grade (CountJisuu)
  int KeiCnt[kTallySlots][kPeriodSlots] = {};             // the shown grade (DispJisuu)
  int KeiTotal = 0;
  // Distinct timetable entries of the timetable tally and their hours, in the order
  // shown (KeiName[0] is the first row). Every entry is kept.
  std::vector<std::string> KeiName;
  std::vector<int> KeiSum;
};

}  // namespace tly
