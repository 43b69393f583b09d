#include "session/windows/frmmain/lifecycle.h"


#include <algorithm>
#include <ctime>

#include "model/basic.h"
#include "model/months.h"
#include "model/os.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmjw/timetablewindow.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmmain/recentfiles.h"
#include "session/files/workfile.h"

namespace tly {

const char* const kInstanceQuestion =
    "既に TLY が起動されている可能性があります。\n"
    "自動保存されるデータは、最後に終了させたものが有効となります。\n"
    "起動しますか";
const char* const kNoDataQuestion = "編集中のデータがありません。\nデータの新規作成をしますか？";

namespace {

const char* const kWorkFile = "JJTEMP3.DAT";

// A stored number read as text; anything unreadable or absurd gives the default.
int settingNumber(App& app, const char* key, int def) {
  double v = Val(app.setting(key, std::to_string(def)));
  if (v < -1e6 || v > 1e6) return def;
  return static_cast<int>(roundHalfEven(v));
}

Date currentDate(App& app) {
  if (app.P.clock) return app.P.clock->today();
  std::time_t t = std::time(nullptr);
  const std::tm tm = os::localTime(t);
  return Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

// The calendar year of the shown month within the open school year.
int calendarYearOfShownMonth(const App& app) { return calendarYearOf(app.Y.nendo(), app.S.CurMonth); }

// The timetable a current-format file had selected becomes the remembered choice, so the
// refill of the selector that follows keeps it instead of falling back to the first
// timetable. (After an older-format read the settings file has set the choice already.)
void rememberFileTimetableChoice(App& app, const Result<FileRead>& read) {
  if (read && *read == FileRead::Current && app.W.cmbDispJW.index >= 0) app.C.IniDspJWIndex = app.W.cmbDispJW.index;
}

// Runs one step of a sequence whose steps must all be tried.
template <typename F>
void tryStep(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

void CheckInstance(App& app, bool* quit) {
  if (quit) *quit = false;
  // The counter is read and raised in one step under a lock, so that a second copy
  // started at the same moment always sees the first; a No gives the count back.
  int n;
  {
    InstanceLock lock(app.F.AppPath);
    n = std::clamp(settingNumber(app, "ExTLY", 0), 0, 32766);
    app.storeSetting("ExTLY", std::to_string(n + 1));
  }
  app.F.InstanceCount = n;
  if (n > 0 && app.msg(kInstanceQuestion, MsgButtons::YesNo, MsgIcon::None, "TLY") != MsgResult::Yes) {
    InstanceLock lock(app.F.AppPath);
    int now = std::clamp(settingNumber(app, "ExTLY", 0), 1, 32767);
    app.storeSetting("ExTLY", std::to_string(now - 1));
    if (quit) *quit = true;
  }
}

void ClearInstance(App& app) { app.storeSetting("ExTLY", "0"); }

StartOutcome askForNewYear(App& app) {
  if (app.msg(kNoDataQuestion, MsgButtons::YesNo, MsgIcon::Question, "TLY") == MsgResult::Yes)
    return StartOutcome::OfferNewYear;
  return StartOutcome::Empty;
}

StartOutcome Form_Load(App& app, bool fileFollows) {
  MainView& w = app.W;
  w.left = settingNumber(app, "MainLeft", 1000);
  w.top = settingNumber(app, "MainTop", 1000);
  w.width = settingNumber(app, "MainWidth", 6500);
  w.height = settingNumber(app, "MainHeight", 6500);

  if (!app.F.AppPath.empty() && app.F.AppPath.back() != '/') app.F.AppPath += '/';
  app.F.IniFile = app.F.AppPath + "tly.ini";

  bool quit = false;
  CheckInstance(app, &quit);
  if (quit) return StartOutcome::Quit;
  // Held for the whole run: the command line leaves this folder's working file alone and
  // a second copy leaves its recovery copy alone.
  holdsProgramFolder(app);
  checkProgramFolderWritable(app);

  app.F.HelpFile = app.F.AppPath + "tly.hlp";

  app.S.Today = currentDate(app);
  app.S.CurYear = app.S.Today.year;
  app.S.CurMonth = app.S.Today.month;
  app.S.CurDay = app.S.Today.day;
  app.T.KFromMonth = 4;
  app.T.KFromDay = 1;
  app.T.KToMonth = app.S.Today.month;
  app.T.KToDay = app.S.Today.day;

  if (app.Y.Jigen < 5 || app.Y.Jigen > 7) app.Y.Jigen = 6;

  std::string name = kWorkFile;
  Result<FileRead> read = LoadJJ3(app, name);
  setAsideUnreadWorkFile(app, read);
  if (offerRecoveryCopy(app)) read = FileRead::Current;

  SetJJGrid(app);
  w.panel[2] = app.V.editAll ? "全学年一括編集" : "";

  if (!app.Y.isOpen()) {
    app.V.changesOnly = false;
    return fileFollows ? StartOutcome::Empty : askForNewYear(app);
  }

  app.S.CurYear = calendarYearOfShownMonth(app);
  app.Grid1.setCurrent(1, 2);
  app.S.CurGr = std::max(1, w.cmbGr.index + 1);
  if (app.S.CurGr > app.Y.Ggn) app.S.CurGr = 1;
  rememberFileTimetableChoice(app, read);
  SetCmbDispJW(app);
  DispJJ(app, app.S.CurYear, app.S.CurMonth);
  ResetRowHeight(app);
  return StartOutcome::Ready;
}

void Form_Unload(App& app) {
  tryStep([&] { leaveTallyView(app); });
  // The timetable window closes after the save: its choices go into the year first.
  tryStep([&] {
    if (app.JWF.open) storeJWChoices(app);
  });
  tryStep([&] {
    if (app.F.KeepWorkFile) {  // an unreadable working file stays as it is
      if (app.Y.isOpen()) offerSaveElsewhere(app);
      return;
    }
    std::string name = kWorkFile;
    // The recovery copy goes only once the working file holds the year.
    if (SaveJJ3(app, name))
      dropRecoveryCopy(app);
    else if (app.Y.isOpen())
      offerSaveElsewhere(app);
  });
  tryStep([&] { ClearInstance(app); });
  tryStep([&] {
    const MainView& w = app.W;
    if (w.windowState != 0) return;  // keep the placement of the last exit in the normal state
    app.storeSetting("MainLeft", std::to_string(w.left));
    app.storeSetting("MainTop", std::to_string(w.top));
    app.storeSetting("MainWidth", std::to_string(w.width));
    app.storeSetting("MainHeight", std::to_string(w.height));
  });
}

bool mnuNew_Click(App& app) {
  if (app.V.tally) return false;
  if (app.Y.isOpen() &&
      app.msg("現在編集中のデータは失われます。", MsgButtons::OKCancel, MsgIcon::None, "TLY 新規作成") != MsgResult::OK)
    return false;
  app.F.CurFile.clear();
  forgetCurFileState(app);
  return true;
}

namespace {

// What follows a read by Open: the grade the file selected is shown (as at start-up),
// the month stays and its calendar year follows the open school year.
void showOpenedYear(App& app, const Result<FileRead>& read) {
  rememberFileTimetableChoice(app, read);
  const int picked = app.W.cmbGr.index + 1;
  if (picked >= 1 && picked <= app.Y.Ggn)
    app.S.CurGr = picked;
  else if (app.S.CurGr > app.Y.Ggn || app.S.CurGr < 1)
    app.S.CurGr = 1;  // never a grade left over from the previous year
  app.S.CurYear = calendarYearOfShownMonth(app);
  SetJJGrid(app);
  DispJJ(app, app.S.CurYear, app.S.CurMonth);
  // The file brings its own grid font: the rows follow it, as after the font command.
  ResetRowHeight(app);
}

}  // namespace

void mnuOpen_Click(App& app) {
  std::string name;
  Result<FileRead> read = LoadJJ3(app, name);
  if (read && app.Y.isOpen()) rememberRecentFile(app, app.F.CurFile);
  showOpenedYear(app, read);
}

bool openNamedFile(App& app, const std::string& path) {
  if (os::fileFacts(path).kind != os::FileKind::Regular) {
    app.msg(kMsgFileNotFound, MsgButtons::OK, MsgIcon::None, "TLY");
    return false;
  }
  app.F.CurFile = path;
  Result<FileRead> read = readDataFileAt(app, path);
  showOpenedYear(app, read);
  const bool opened = read && (*read == FileRead::Current || app.Y.isOpen());
  if (opened) rememberRecentFile(app, path);
  return opened;
}

const char* const kChangedElsewhereQuestion =
    "このファイルは開いた後に別のプログラムで変更されています。上書きしますか？";

void mnuSave_Click(App& app) {
  // Another writer's change is not replaced without a word: the user chooses to replace
  // it, to save under another name (both files stay), or to keep it and save nothing.
  if (changedSinceReadOrSaved(app)) {
    const MsgResult a = app.msg(std::string(kChangedElsewhereQuestion) + "\r" + app.F.CurFile,
                                MsgButtons::OverwriteSaveAsCancel, MsgIcon::Exclamation, "TLY");
    if (a == MsgResult::No) return mnuNSave_Click(app);
    if (a != MsgResult::Yes) return;
  }
  std::string name = app.F.CurFile;  // SaveJJ3 empties its argument
  if (SaveJJ3(app, name)) {  // it reports its own failures
    app.H.markSaved();
    rememberRecentFile(app, app.F.CurFile);
  }
}

void mnuNSave_Click(App& app) {
  std::string name;
  if (SaveJJ3(app, name)) {  // it reports its own failures
    app.H.markSaved();
    rememberRecentFile(app, app.F.CurFile);
  }
}

void mnuEnd_Click(App& app) { leaveTallyView(app); }

std::string mnuHelp_Click(App& app) {
  if (app.F.HelpFile.empty()) {
    app.msg("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。", MsgButtons::OK,
            MsgIcon::Information, app.W.caption);
    return "";
  }
  return app.F.HelpFile;
}

}  // namespace tly
