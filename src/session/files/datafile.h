// The current data file ("TLY300"): byte layout, reading, writing, and the main
// window's SaveJJ3 / LoadJJ3 procedures around them.
#pragma once

#include <memory>
#include <string>

#include "io/datafile_format.h"
#include "model/result.h"
#include "session/state/app.h"

namespace tly {

extern const char* const kWorkFileName;   // "JJTEMP3.DAT"

// Copies the window state into y.Fs (check marks, font, items, selectors) before a save.
void refreshFileSettings(App& app);
// Both of what a save puts into y.Fs from the window: the month grid's column widths
// (unless the grid is lent to the tally) and refreshFileSettings.
void captureWindowSettings(App& app);
// Applies y.Fs to the window state after a read.
void applyFileSettings(App& app);

// The messages of reading and writing.
extern const char* const kMsgFileNotFound;   // "ファイルが見つかりません。"
extern const char* const kMsgReadError;      // "データファイルを読み込み中にエラーが発生しました。"
extern const char* const kMsgWriteError;     // "データファイルを書き込み中にエラーが発生しました。"
extern const char* const kMsgBadDialog;      // "指定に誤りがあります。"
extern const char* const kMsgOverwrite;      // "同名のファイルが存在します。" CR "上書きしてよろしいですか？"
extern const char* const kMsgLossySave;      // characters replaced by "?"
extern const char* const kMsgCutSave;        // over-long texts cut

// What a read of a data file read. Its failures: Cancelled (the Open dialog was
// cancelled; nothing changed), and, each already shown to the user with the open year as
// before, BadDialog, NotFound, Unreadable and Damaged (error and why: what failed).
enum class FileRead {
  Current,      // the file was read and is the open year
  OlderFormat,  // no signature: the older reader and the settings file ran instead
};
// Reading steps of LoadJJ3 for a known path (no dialog): reads, and on success makes the
// file's year the open year and applies its settings to the window. CurFile is left as
// it is except on failure, where it becomes "".
Result<FileRead> readDataFileAt(App& app, const std::string& path);
// Makes a year read from a current-format file the open year and applies the view
// options it carries, as a successful read does.
void openReadYear(App& app, std::unique_ptr<SchoolYear> year);

// Writing steps of SaveJJ3 for a known path (no dialog, no question). Fails WriteFailed
// (shown to the user; the previous file is whole).
Result<void> writeDataFileAt(App& app, const std::string& path);

// What this run knows of CurFile: the fingerprint of the bytes it last read from it or
// saved to it, kept with a shared lock on the file that tells the command line it is open
// here. Every read and every save of CurFile sets it; a read of another file forgets it.
void noteCurFileAsIs(App& app, const FileStamp& stamp);
void forgetCurFileState(App& app);
// True when CurFile now holds other bytes than this run last read or saved there (a
// second writer); false when nothing is known of it, or it is gone or unreadable.
bool changedSinceReadOrSaved(const App& app);

// name in/out, always "" on return. name "JJTEMP3.DAT" is the working file in AppPath,
// "" asks through the file dialog, any other text is the path. Every failure but
// Cancelled (the dialog or the overwrite question) has been shown to the user, so
// callers may ignore it.
Result<void> SaveJJ3(App& app, std::string& name);
Result<FileRead> LoadJJ3(App& app, std::string& name);

}  // namespace tly
