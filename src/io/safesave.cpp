#include "io/safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace tly {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

namespace {

int readInto(const std::string& path, std::string* out) {
  // Opened without waiting, so that a named pipe cannot hold the program; anything but a
  // regular file (a pipe, a device such as /dev/zero, a folder) is refused unread.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno;
  struct stat st;
  int e = 0;
  if (::fstat(fd, &st) != 0)
    e = errno;
  else if (S_ISDIR(st.st_mode))
    e = EISDIR;
  else if (!S_ISREG(st.st_mode))
    e = kErrNotRegularFile;
  else if (st.st_size > static_cast<off_t>(kMaxFileBytes))
    e = EFBIG;
  else if (::fcntl(fd, F_SETFL, 0) != 0)
    e = errno;
  if (e == 0) {
    out->reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        e = errno;
        break;
      }
      if (n == 0) break;
      out->append(buf, static_cast<size_t>(n));
      if (out->size() > kMaxFileBytes) {
        e = EFBIG;
        break;
      }
    }
  }
  ::close(fd);
  return e;
}

Failure writeFailure(int e) { return systemFailure(Fault::WriteFailed, e); }

}  // namespace

Result<std::string> readFileContents(const std::string& path) {
  std::string bytes;
  if (int e = readInto(path, &bytes)) return readFailure(e);
  return bytes;
}

std::string ioErrorText(int e) {
  switch (e) {
    case 0: return "";
    case ENOENT: return "ファイルが見つかりません";
    case EACCES:
    case EPERM: return "アクセスが拒否されました (書き込み禁止または権限がありません)";
    case EISDIR: return "フォルダーです";
    case kErrNotRegularFile: return "通常のファイルではありません";
    case EFBIG: return "ファイルが大きすぎます (読み書きできるのは 64 MiB まで)";
    case EIO: return "ディスクの読み書きでエラーが発生しました";
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量が足りません";
    case EROFS: return "読み取り専用のディスクです";
    case ENOTDIR: return "フォルダーが見つかりません";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EXDEV: return "別のディスクへは移せません";
    case EBUSY: return "ファイルが使用中です";
    default: return "システムエラー " + std::to_string(e);
  }
}

std::string replacementTarget(const std::string& path) {
  struct stat lst;
  if (::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string r = real;
      std::free(real);
      return r;
    }
  }
  return path;
}

static int writeTemp(const std::string& path, std::string_view bytes, std::string* tmpPath) {
  std::string dir, base;
  auto slash = path.rfind('/');
  if (slash == std::string::npos) {
    dir = ".";
    base = path;
  } else {
    dir = slash == 0 ? "/" : path.substr(0, slash);
    base = path.substr(slash + 1);
  }
  if (base.empty()) return EISDIR;
  // What could not be read back is not written: the old file stays.
  if (bytes.size() > kMaxFileBytes) return EFBIG;

  // The new file gets the old file's permissions, or the usual ones for a new file.
  mode_t mode;
  struct stat st;
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    // A file the user may not write is not replaced, even though the folder would allow
    // it: its read-only bits hold even for the administrator.
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return EACCES;
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  std::string tmp = (dir == "/" ? std::string("/") : dir + "/") + "." + base + ".tmpXXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return errno;
  // The file keeps its owner and group where the system lets us give them.
  if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
      // Not allowed (another user's file): the new file is the user's own.
    }
  }
  int err = 0;
  if (!writeAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return err;
  }
  *tmpPath = tmp;
  return 0;
}

static void syncFolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);  // some file systems cannot sync a folder; the rename itself went through
  ::close(fd);
}

Result<std::string> writeTempFile(const std::string& target, std::string_view bytes) {
  std::string tmp;
  if (int e = writeTemp(target, bytes, &tmp)) return writeFailure(e);
  return tmp;
}

static int commitTemp(const std::string& tmpPath, const std::string& path) {
  if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(tmpPath.c_str());
    return e;
  }
  syncFolderOf(path);
  return 0;
}

Result<void> commitTempFile(const std::string& tmpPath, const std::string& target) {
  if (int e = commitTemp(tmpPath, target)) return writeFailure(e);
  return {};
}

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// A free name beside path for keeping its previous file during a save of several files.
std::string asideName(const std::string& path) {
  for (int n = 0;; ++n) {
    std::string s = path + ".old-" + std::to_string(::getpid()) + (n ? "-" + std::to_string(n) : "");
    if (!exists(s)) return s;
  }
}

}  // namespace

Result<void> replaceFilesTogether(const std::vector<FileReplacement>& files, std::vector<std::string>* leftAside,
                                  RenameCall renameFile) {
  const RenameCall move = renameFile ? renameFile : ::rename;
  const size_t n = files.size();
  std::vector<std::string> tmp(n), aside(n);
  std::vector<bool> committed(n, false);
  int err = 0;
  for (size_t i = 0; i < n && !err; ++i) err = writeTemp(files[i].target, files[i].bytes, &tmp[i]);
  // The previous files step aside by rename (no hard links: vfat and exFAT sticks and
  // some network shares have none), then the new ones take their names.
  for (size_t i = 0; i < n && !err; ++i) {
    const std::string& target = files[i].target;
    if (exists(target)) {
      aside[i] = asideName(target);
      if (move(target.c_str(), aside[i].c_str()) != 0) {
        err = errno;
        aside[i].clear();
        break;
      }
    }
    if (move(tmp[i].c_str(), target.c_str()) != 0) {
      err = errno;
      break;
    }
    tmp[i].clear();
    committed[i] = true;
  }
  if (err) {
    // Every previous file goes back; a file that was not there before is removed.
    for (size_t j = n; j-- > 0;) {
      const std::string& target = files[j].target;
      if (!aside[j].empty()) {
        if (move(aside[j].c_str(), target.c_str()) == 0)
          aside[j].clear();
        else if (leftAside)
          leftAside->push_back(aside[j]);
      } else if (committed[j]) {
        ::unlink(target.c_str());
      }
    }
  } else {
    for (auto& a : aside)
      if (!a.empty()) ::unlink(a.c_str());
  }
  for (auto& t : tmp)
    if (!t.empty()) ::unlink(t.c_str());
  for (const auto& f : files) syncFolderOf(f.target);
  if (err) return writeFailure(err);
  return {};
}

Result<void> replaceFileContents(const std::string& given, std::string_view bytes) {
  if (given.empty()) return writeFailure(ENOENT);
  const std::string path = replacementTarget(given);
  std::string tmp;
  if (int e = writeTemp(path, bytes, &tmp)) return writeFailure(e);
  if (int e = commitTemp(tmp, path)) return writeFailure(e);
  return {};
}

}  // namespace tly
