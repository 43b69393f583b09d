// SaveJJ3 / LoadJJ3: the main window's save and read of the current data file, and the
// exchange of the window state with the settings record that travels in the file.
//
// A save writes a temporary file beside the target and renames it over the target only
// when every byte is written, so a failed save leaves the previous file as it was. A read
// parses into a copy of the open year and makes it the open year only when the whole file
// was read, so a damaged file changes nothing but shows its message.
#include "session/files/datafile.h"
#include "model/os.h"
#include "io/safesave.h"
#include "io/yearfile.h"
#include "session/files/yearswap.h"


#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "session/files/settingsfile.h"
#include "session/files/ver2.h"

namespace tly {

const char* const kWorkFileName = "JJTEMP3.DAT";
const char* const kMsgFileNotFound = "ファイルが見つかりません。";
const char* const kMsgReadError = "データファイルを読み込み中にエラーが発生しました。";
const char* const kMsgWriteError = "データファイルを書き込み中にエラーが発生しました。";
const char* const kMsgBadDialog = "指定に誤りがあります。";
const char* const kMsgOverwrite = "同名のファイルが存在します。\r上書きしてよろしいですか？";
const char* const kMsgLossySave = "シフトJISで表せない文字を「?」に置き換えて保存しました。";
const char* const kMsgCutSave = "長すぎる文字列を切り詰めて保存しました。";

namespace {

const char* const kCaptionPrefix = "TLY 授業時数集計 - ";
const char* const kStatusSaving = "ファイル保存中...";
const char* const kStatusReading = "ファイル読み込み中";

std::string errorText(const char* msg, int code) { return std::string(msg) + "\rError Code " + std::to_string(code); }

int16_t clamp16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

bool fileExists(const std::string& path) { return os::fileFacts(path).kind != os::FileKind::Missing; }

// True when the file-name part of the path (after the last "/") holds a ".".
bool fileNameHasDot(const std::string& path) {
  auto slash = path.rfind('/');
  return path.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

// Column widths of the month grid go into the settings record unless the grid is lent
// to the tally display.
void storeColumnWidths(App& app) {
  if (app.V.tally) return;
  int n = std::min<int>(app.Grid1.cols(), static_cast<int>(app.Y.Fs.FsColWidth.size()));
  for (int c = 0; c < n; ++c) app.Y.Fs.FsColWidth[size_t(c)] = clamp16(app.Grid1.colWidth(c));
}

bool isFolder(const std::string& path) {
  return !path.empty() && os::fileFacts(path).kind == os::FileKind::Folder;
}

// The Open and Save As dialogs start in the open file's folder, else in the one last used
// (kept by the recent-files list), else in the program folder.
std::string dialogStartFolder(App& app) {
  const auto slash = app.F.CurFile.rfind('/');
  if (slash != std::string::npos) {
    if (std::string f = app.F.CurFile.substr(0, slash + 1); isFolder(f)) return f;
  }
  if (std::string f = app.setting("LastFolder", ""); isFolder(f)) return f;
  return app.F.AppPath;
}

FileDialogRequest dialogRequest(App& app, bool save, const std::string& name) {
  FileDialogRequest r;
  r.save = save;
  r.defaultExt = "DAT";
  r.fileName = name;
  r.initialDir = dialogStartFolder(app);
  r.filterIndex = 1;
  if (save) {
    r.title = "ファイル名を付けて保存";
    r.filters = {{"TLY Data File (*.DAT)", "*.DAT"}, {"TLY Ver.2 Data File", "*.DAT"}, {"All Files (*.*)", "*.*"}};
  } else {
    r.title = "ファイルを開く";
    r.filters = {{"Data File (*.DAT)", "*.DAT"}, {"All Files (*.*)", "*.*"}};
  }
  return r;
}

Failure cancelled() { return Failure{Fault::Cancelled, 0, ""}; }
Failure badDialog() { return Failure{Fault::BadDialog, 0, kMsgBadDialog}; }

FileDialogResult runDialog(App& app, const FileDialogRequest& r) {
  if (!app.P.fileDialog) return {};  // no dialog available: as if cancelled
  return app.P.fileDialog->run(r);
}

// The file dialog's answer with a path, or its failure: a cancel, or a failed dialog
// (told to the user). name is cleared on a failure.
Result<FileDialogResult> askPath(App& app, const FileDialogRequest& request, std::string& name) {
  FileDialogResult r = runDialog(app, request);
  if (r.status == FileDialogResult::Status::Cancelled) {
    name.clear();
    return cancelled();
  }
  if (r.status == FileDialogResult::Status::Error || r.path.empty()) {
    app.msg(kMsgBadDialog, MsgButtons::OK, MsgIcon::None, "TLY");
    name.clear();
    return badDialog();
  }
  return r;
}

}  // namespace

void refreshFileSettings(App& app) {
  FileSettings& fs = app.Y.Fs;
  const MainView& w = app.W;
  const ViewState& v = app.V;
  fs.FsUDisp = toBool16(v.changesOnly);
  fs.FsEditAll = toBool16(v.editAll);
  fs.FsToolBar = toBool16(v.toolBar);
  fs.FsDispJWC = toBool16(v.timetable == TimetableView::Class);
  fs.FsDispJWS = toBool16(v.timetable == TimetableView::Teacher);
  fs.FsFontName = app.Grid1.Font.name;
  fs.FsFontSize = app.Grid1.Font.size;
  fs.FsFontBold = toBool16(app.Grid1.Font.bold);
  fs.FsFontItalic = toBool16(app.Grid1.Font.italic);
  const int items = std::clamp<int>(app.Y.JItemCount, 0, kItemSlots);
  fs.FsJItemCount = static_cast<int16_t>(items);
  for (int i = 0; i < items; ++i) fs.FsJItem[size_t(i)] = app.Y.JItem[size_t(i)];
  fs.FsGrIndex = clamp16(w.cmbGr.index);
  // The record has room for 101 selector entries; the selector may list up to 200
  // timetables, of which the first 101 travel in the file.
  const int n = std::min<int>(static_cast<int>(w.cmbDispJW.items.size()), static_cast<int>(fs.FsDspJWList.size()));
  fs.FsDspJWCount = static_cast<int16_t>(n);
  for (int i = 0; i < n; ++i) fs.FsDspJWList[size_t(i)] = w.cmbDispJW.items[size_t(i)];
  fs.FsDspJWIndex = clamp16(w.cmbDispJW.index);
}

void captureWindowSettings(App& app) {
  storeColumnWidths(app);
  refreshFileSettings(app);
}

void applyFileSettings(App& app) {
  const FileSettings& fs = app.Y.Fs;
  MainView& w = app.W;
  ViewState& v = app.V;
  v.changesOnly = fs.FsUDisp != 0;
  v.editAll = fs.FsEditAll != 0;
  v.toolBar = fs.FsToolBar != 0;
  // One timetable text at a time; a file that marks both shows the class timetables.
  v.timetable = fs.FsDispJWC != 0   ? TimetableView::Class
                : fs.FsDispJWS != 0 ? TimetableView::Teacher
                                    : TimetableView::None;
  app.Grid1.Font.name = fs.FsFontName;
  app.Grid1.Font.size = fs.FsFontSize;
  app.Grid1.Font.bold = fs.FsFontBold != 0;
  app.Grid1.Font.italic = fs.FsFontItalic != 0;
  const int items = std::clamp<int>(fs.FsJItemCount, 0, kItemSlots);
  app.Y.JItemCount = static_cast<int16_t>(items);
  for (int i = 0; i < items; ++i) app.Y.JItem[size_t(i)] = fs.FsJItem[size_t(i)];
  // A position outside the list selects nothing (the old selector refused it).
  w.cmbGr.select(fs.FsGrIndex);
  w.cmbDispJW.clear();
  const int n = std::clamp<int>(fs.FsDspJWCount, 0, static_cast<int>(fs.FsDspJWList.size()));
  for (int i = 0; i < n; ++i) w.cmbDispJW.items.push_back(fs.FsDspJWList[size_t(i)]);
  w.cmbDispJW.select(fs.FsDspJWIndex >= -1 && fs.FsDspJWIndex < n ? fs.FsDspJWIndex : 0);
}

void noteCurFileAsIs(App& app, const FileStamp& stamp) {
  ProgramFiles& f = app.F;
  f.CurFileStamp = stamp;
  // The lock follows the file under the name: a save puts a new file there.
  f.CurFileLock.reset();
  if (stamp.known && !f.CurFile.empty())
    f.CurFileLock = HeldLock::tryLock(f.CurFile, HeldLock::Kind::Shared);
}

void forgetCurFileState(App& app) {
  app.F.CurFileStamp = {};
  app.F.CurFileLock.reset();
}

bool changedSinceReadOrSaved(const App& app) {
  const ProgramFiles& f = app.F;
  if (f.CurFile.empty() || !f.CurFileStamp.known) return false;
  Result<std::string> now = readFileContents(f.CurFile);
  // Gone or unreadable: there is nothing there that a save would lose (and a save that
  // cannot be made says so itself).
  if (!now) return false;
  return stampOf(*now) != f.CurFileStamp;
}

Result<void> writeDataFileAt(App& app, const std::string& path) {
  app.W.panel[0] = kStatusSaving;
  refreshFileSettings(app);
  EncodeNotes notes;
  std::string bytes = encodeDataFile(app.Y, notes);
  Result<void> out = replaceFileContents(path, bytes);
  if (out && path == app.F.CurFile) noteCurFileAsIs(app, stampOf(bytes));
  if (!out) {
    // The file and the reason follow the number, so that the message says what failed.
    const int err = out.failure().error;
    app.msg(errorText(kMsgWriteError, err) + "\r" + path + ": " + ioErrorText(err), MsgButtons::OK, MsgIcon::None,
            "TLY");
  } else if (notes.lossy || notes.cut) {
    std::string text;
    if (notes.lossy) text = kMsgLossySave;
    if (notes.cut) text += (text.empty() ? "" : "\r") + std::string(kMsgCutSave);
    app.msg(text, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  }
  app.W.panel[0].clear();
  return out;
}

Result<void> SaveJJ3(App& app, std::string& name) {
  storeColumnWidths(app);
  std::string path;
  bool fromDialog = false;
  if (name == kWorkFileName) {
    path = app.F.AppPath + kWorkFileName;
  } else if (!name.empty()) {
    path = name;
  } else {
    Result<FileDialogResult> asked = askPath(app, dialogRequest(app, true, name), name);
    if (!asked) return asked.failure();
    const FileDialogResult& r = asked.value();
    path = r.path;
    if (!fileNameHasDot(path)) path += ".dat";
    fromDialog = true;
    if (r.filterIndex == 2) {
      // The older three-file format, with its settings in the settings file.
      std::string older = path;
      Result<void> written = saveVer2(app, older);
      if (written) PutMainIni(app);
      name.clear();
      return written;
    }
  }
  name.clear();
  if (fromDialog) {
    app.W.panel[0] = kStatusSaving;
    if (fileExists(path) &&
        app.msg(kMsgOverwrite, MsgButtons::YesNo, MsgIcon::Exclamation, "TLY") != MsgResult::Yes) {
      app.W.panel[0].clear();
      return cancelled();
    }
    app.F.CurFile = path;
  }
  return writeDataFileAt(app, path);
}

Result<FileRead> readDataFileAt(App& app, const std::string& path) {
  app.W.panel[0] = kStatusReading;
  auto finish = [&app](Result<FileRead> o) {
    if (!o) app.F.CurFile.clear();
    app.W.caption = kCaptionPrefix + app.F.CurFile;
    app.W.panel[0].clear();
    return o;
  };

  // What was known of the file open before goes: this read decides what is known now.
  forgetCurFileState(app);
  FileStamp stamp;
  Result<std::unique_ptr<SchoolYear>> read = readYearFile(path, app.Y, &stamp);
  bool olderFormat = read.is(Fault::NoSignature);
  if (read.is(Fault::NotFound)) {
    // A missing file is created empty and read as a file without the signature.
    if (const int e = os::createEmptyFile(path); e != 0 && e != EEXIST) {
      Failure f = readFailure(e);
      app.msg(f.code == Fault::NotFound ? std::string(kMsgFileNotFound) : errorText(kMsgReadError, f.error),
              MsgButtons::OK, MsgIcon::None, "TLY");
      return finish(f);
    }
    olderFormat = true;
  }
  if (olderFormat) {
    std::string older = path;
    auto pos = older.find(kWorkFileName);
    if (pos != std::string::npos) older.replace(pos, std::strlen(kWorkFileName), kOldWorkFileName);
    LoadJJ(app, older);
    GetMainIni(app);
    // The older reader sets the title itself when it finds something to read.
    app.W.panel[0].clear();
    return FileRead::OlderFormat;
  }
  if (!read) {
    app.msg(errorText(kMsgReadError, read.failure().error), MsgButtons::OK, MsgIcon::None, "TLY");
    return finish(read.failure());
  }
  openReadYear(app, std::move(*read));
  if (path == app.F.CurFile) noteCurFileAsIs(app, stamp);
  return finish(FileRead::Current);
}

void openReadYear(App& app, std::unique_ptr<SchoolYear> year) {
  app.Y = std::move(*year);
  yearReplaced(app, ShownGrade::ChosenByFile);
  applyFileSettings(app);
}

Result<FileRead> LoadJJ3(App& app, std::string& name) {
  std::string path;
  if (name == kWorkFileName) {
    path = app.F.AppPath + kWorkFileName;
  } else {
    Result<FileDialogResult> asked = askPath(app, dialogRequest(app, false, ""), name);
    if (!asked) return asked.failure();
    path = asked.value().path;
    app.F.CurFile = path;
  }
  name.clear();
  return readDataFileAt(app, path);
}

}  // namespace tly
