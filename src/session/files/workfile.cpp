#include "session/files/workfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "io/safesave.h"
#include "io/ver2format.h"
#include "io/yearfile.h"

namespace tly {

std::string damagedWorkFileName(const std::string& workFile, long long t) {
  std::time_t tt = static_cast<std::time_t>(t);
  std::tm tm{};
  localtime_r(&tt, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                tm.tm_min, tm.tm_sec);
  return workFile + ".damaged-" + buf;
}

void setAsideUnreadWorkFile(App& app, const Result<FileRead>& read) {
  if ((read && *read == FileRead::Current) || read.is(Fault::Cancelled)) return;
  const std::string path = app.F.AppPath + kWorkFileName;
  struct stat st;
  // Nothing there, or the empty file a first start creates: nothing to keep.
  if (::lstat(path.c_str(), &st) != 0 || (S_ISREG(st.st_mode) && st.st_size == 0)) return;

  std::string aside = damagedWorkFileName(path, static_cast<long long>(std::time(nullptr)));
  for (int n = 2; ::lstat(aside.c_str(), &st) == 0; ++n)
    aside = damagedWorkFileName(path, static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(n);
  if (::rename(path.c_str(), aside.c_str()) == 0) {
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
  std::string probe = app.F.AppPath + ".tly-write-test-XXXXXX";
  int fd = ::mkstemp(probe.data());
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
  }
  const int e = errno;
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
  if (!app.F.AppPath.empty() && app.F.FolderLock) ::unlink(recoveryPath(app).c_str());
}

bool offerRecoveryCopy(App& app) {
  // A recovery copy beside a running copy is that copy's work in progress, not a crash's.
  if (app.F.AppPath.empty() || !holdsProgramFolder(app)) return false;
  const std::string rec = recoveryPath(app), work = app.F.AppPath + kWorkFileName;
  struct stat rs, ws;
  if (::stat(rec.c_str(), &rs) != 0) return false;
  const bool newer = ::stat(work.c_str(), &ws) != 0 || ws.st_size == 0 || rs.st_mtim.tv_sec > ws.st_mtim.tv_sec ||
                     (rs.st_mtim.tv_sec == ws.st_mtim.tv_sec && rs.st_mtim.tv_nsec > ws.st_mtim.tv_nsec);
  if (!newer) {
    ::unlink(rec.c_str());  // the working file was written after it: nothing to recover
    return false;
  }
  std::tm tm{};
  localtime_r(&rs.st_mtim.tv_sec, &tm);
  char when[64];
  std::snprintf(when, sizeof when, "%d年%d月%d日 %d時%02d分", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                tm.tm_min);
  const std::string question = std::string("前回は終了の処理をせずにプログラムが終わったため、作業ファイルに保存されていない編集内容が残っています（") +
                               when + " の内容）。\rこの内容を復元しますか？\r（「いいえ」で破棄します）";
  const MsgResult answer = app.msg(question, MsgButtons::YesNo, MsgIcon::Question, "TLY");
  if (answer != MsgResult::Yes) {
    // Only the user's いいえ discards it: a question closed unanswered (the program ended
    // while it was open) leaves it for the next start.
    if (answer == MsgResult::No) ::unlink(rec.c_str());
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
    for (int n = 2; ::lstat(aside.c_str(), &rs) == 0; ++n)
      aside = damagedWorkFileName(rec, static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(n);
    const std::string kept = ::rename(rec.c_str(), aside.c_str()) == 0 ? aside : rec;
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
  fd_ = ::open((folder + "tly.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return;  // a folder without write access: counted without the lock
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace tly
