#include "session/files/workfile.h"


#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "io/safesave.h"
#include "io/ver2format.h"
#include "io/yearfile.h"
#include "model/os.h"

namespace tly {

std::string damagedWorkFileName(const std::string& workFile, long long t) {
  const std::tm tm = os::localTime(static_cast<std::time_t>(t));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                tm.tm_min, tm.tm_sec);
  return workFile + ".damaged-" + buf;
}

void setAsideUnreadWorkFile(App& app, const Result<FileRead>& read) {
  if ((read && *read == FileRead::Current) || read.is(Fault::Cancelled)) return;
  const std::string path = app.F.AppPath + kWorkFileName;
  // Nothing there, or the empty file a first start creates: nothing to keep.
  if (!os::anythingAt(path)) return;
  if (const os::FileFacts f = os::fileFacts(path); f.kind == os::FileKind::Regular && f.size == 0) return;

  std::string aside = damagedWorkFileName(path, static_cast<long long>(std::time(nullptr)));
  for (int n = 2; os::anythingAt(aside); ++n)
    aside = damagedWorkFileName(path, static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(n);
  if (os::renameFile(path.c_str(), aside.c_str()) == 0) {
    app.msg(std::string("作業ファイル「") + kWorkFileName + "」を読み込めなかったため、次の名前で残しました。\r" + aside +
                "\r終了時には新しい作業ファイルが作られます。",
            MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return;
  }
  const int e = errno;
  app.F.KeepWorkFile = true;
  app.msg(std::string("作業ファイル「") + kWorkFileName + "」を読み込めず、別の名前に移すこともできませんでした。\r" +
              path + "\rこのファイルを残すため、終了時に作業ファイルへ保存しません。" +
              "編集した内容は「名前を付けて保存」で保存してください。\rError Code " +
              std::to_string(errorNumberFor(e)),
          MsgButtons::OK, MsgIcon::Exclamation, "TLY");
}

bool checkProgramFolderWritable(App& app) {
  if (app.F.AppPath.empty()) return true;
  std::string probe;
  const int e = os::writeNewFileBeside(app.F.AppPath + ".tly-write-test", "", &probe);
  if (e == 0) {
    os::removeFile(probe);
    return true;
  }
  app.msg("プログラムフォルダーに書き込めません。\r" + app.F.AppPath + "\r" + ioErrorText(e) +
              "\r終了時に作業ファイルを保存できないため、編集した内容は「名前を付けて保存」で別の場所に保存してください。",
          MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  return false;
}

void offerSaveElsewhere(App& app) {
  // A handful of rounds: the user is asked each time and can always answer No.
  for (int round = 0; round < 5; ++round) {
    if (app.msg("作業ファイルに保存できなかったため、このまま終了すると今回の編集内容は失われます。\r"
                "別の場所に保存しますか？",
                MsgButtons::YesNo, MsgIcon::Exclamation, "TLY") != MsgResult::Yes)
      return;
    std::string name;
    if (SaveJJ3(app, name)) return;
  }
}

const char* const kRecoveryFileName = "JJTEMP3.REC";

namespace {

std::string recoveryPath(const App& app) { return app.F.AppPath + kRecoveryFileName; }

}  // namespace

bool holdsProgramFolder(App& app) {
  if (app.F.FolderLock) return true;
  if (app.F.AppPath.empty()) return false;
  app.F.FolderLock = HeldLock::tryLock(app.F.AppPath, HeldLock::Kind::Exclusive);
  return app.F.FolderLock != nullptr;
}

std::string recoveryBytes(App& app) {
  refreshFileSettings(app);
  return encodeDataFile(app.Y);
}

Result<void> keepRecoveryCopy(App& app, std::string* last) {
  if (!app.Y.isOpen() || app.F.AppPath.empty()) return {};
  // The recovery copy is the folder's running copy's: a second copy started beside it
  // keeps none until the first has ended, so that it never replaces the first's.
  if (!holdsProgramFolder(app)) return {};
  std::string bytes = recoveryBytes(app);
  if (bytes == *last) return {};
  Result<void> written = replaceFileContents(recoveryPath(app), bytes);
  if (written) *last = std::move(bytes);
  return written;
}

void dropRecoveryCopy(const App& app) {
  if (!app.F.AppPath.empty() && app.F.FolderLock) os::removeFile(recoveryPath(app));
}

bool offerRecoveryCopy(App& app) {
  // A recovery copy beside a running copy is that copy's work in progress, not a crash's.
  if (app.F.AppPath.empty() || !holdsProgramFolder(app)) return false;
  const std::string rec = recoveryPath(app), work = app.F.AppPath + kWorkFileName;
  const os::FileFacts rs = os::fileFacts(rec);
  if (rs.kind == os::FileKind::Missing) return false;
  const os::FileFacts ws = os::fileFacts(work);
  const bool newer = ws.kind == os::FileKind::Missing || ws.size == 0 || rs.modifiedNs > ws.modifiedNs;
  if (!newer) {
    os::removeFile(rec);  // the working file was written after it: nothing to recover
    return false;
  }
  const std::tm tm = os::localTime(static_cast<std::time_t>(rs.modifiedNs / 1000000000));
  char when[64];
  std::snprintf(when, sizeof when, "%d年%d月%d日 %d時%02d分", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                tm.tm_min);
  const std::string question = std::string("前回は終了の処理をせずにプログラムが終わったため、作業ファイルに保存されていない編集内容が残っています（") +
                               when + " の内容）。\rこの内容を復元しますか？\r（「いいえ」で破棄します）";
  const MsgResult answer = app.msg(question, MsgButtons::YesNo, MsgIcon::Question, "TLY");
  if (answer != MsgResult::Yes) {
    // Only the user's いいえ discards it: a question closed unanswered (the program ended
    // while it was open) leaves it for the next start.
    if (answer == MsgResult::No) os::removeFile(rec);
    return false;
  }
  Result<std::unique_ptr<SchoolYear>> read = readYearFile(rec, app.Y);
  if (!read) {
    // A system error's own words are English; the user is told in the program's words.
    const Failure& f = read.failure();
    const std::string why =
        f.code == Fault::Unreadable || f.code == Fault::NotFound ? ioErrorText(f.error) : f.why;
    // Kept aside under a name no exit removes, as an unreadable working file is.
    std::string aside = damagedWorkFileName(rec, static_cast<long long>(std::time(nullptr)));
    for (int n = 2; os::anythingAt(aside); ++n)
      aside = damagedWorkFileName(rec, static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(n);
    const std::string kept = os::renameFile(rec.c_str(), aside.c_str()) == 0 ? aside : rec;
    app.msg("復元用のファイルを読み込めませんでした。\r" + rec + "\r" + why + "\rこのファイルは次の名前で残しました。\r" +
                kept,
            MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return false;
  }
  openReadYear(app, std::move(*read));
  return true;
}

InstanceLock::InstanceLock(const std::string& folder) {
  if (folder.empty()) return;
  int error = 0;
  // -1 for a folder without write access: counted without the lock.
  handle_ = os::lockFile(folder + "tly.lock", &error);
}

InstanceLock::~InstanceLock() { os::unlockFile(handle_); }  // closing releases the lock

}  // namespace tly
