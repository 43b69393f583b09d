// The system services on Linux and other POSIX systems: iconv for CP932 and the POSIX
// file calls.
#ifndef _WIN32

#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "model/os.h"

namespace tly::os {

namespace {

// One converter per direction, opened once; the program has a single thread.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

iconv_t converter(Cp932Way way) {
  static Iconv to("CP932", "UTF-8"), from("UTF-8", "CP932");
  return way == Cp932Way::ToCp932 ? to.get() : from.get();
}

}  // namespace

Cp932Stop convertCp932(Cp932Way way, const char** in, size_t* inLeft, char** out, size_t* outLeft) {
  iconv_t cd = converter(way);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // CP932 has no shift state; a clean start all the same
  char* ip = const_cast<char*>(*in);
  const size_t r = iconv(cd, &ip, inLeft, out, outLeft);
  *in = ip;
  if (r != static_cast<size_t>(-1)) return Cp932Stop::Done;
  return errno == E2BIG ? Cp932Stop::OutputFull : Cp932Stop::BadInput;  // EILSEQ, EINVAL
}

FileFacts fileFacts(const std::string& path) {
  FileFacts f;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    f.error = errno;
    return f;
  }
  f.kind = S_ISREG(st.st_mode) ? FileKind::Regular : S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
  f.size = static_cast<uint64_t>(st.st_size);
  f.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  // A file with no write bit at all is read-only even for the administrator.
  f.writable = (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
  return f;
}

bool anythingAt(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

int readRegularFile(const std::string& path, uint64_t maxBytes, std::string* out) {
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
  else if (static_cast<uint64_t>(st.st_size) > maxBytes)
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
      if (out->size() > maxBytes) {
        e = EFBIG;
        break;
      }
    }
  }
  ::close(fd);
  return e;
}

std::string linkTarget(const std::string& path) {
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

int writeNewFileBeside(const std::string& path, std::string_view bytes, std::string* tmpPath) {
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

void flushFolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);  // some file systems cannot sync a folder; the rename itself went through
  ::close(fd);
}

int replaceWith(const std::string& from, const std::string& to) {
  // rename() replaces `to` in one step, also when another program holds it open.
  if (::rename(from.c_str(), to.c_str()) != 0) return errno;
  flushFolderOf(to);
  return 0;
}

int renameFile(const char* from, const char* to) { return ::rename(from, to); }

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

int flushFileToDisk(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = ::fsync(fd) != 0 ? errno : 0;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

int createEmptyFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  return ::close(fd) != 0 ? errno : 0;
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int makeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return errno;
  return 0;
}

std::tm localTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

long processNumber() { return static_cast<long>(::getpid()); }

std::intptr_t lockFile(const std::string& path, int* error) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (error) *error = errno;
    return -1;
  }
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    if (error) *error = errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

std::intptr_t tryLockFile(const std::string& path, bool shared, TryLock* outcome) {
  // Read-only and without waiting: a named pipe or a device cannot hold the caller.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    *outcome = TryLock::NoFile;
    return -1;
  }
  int r;
  while ((r = ::flock(fd, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (r != 0) {
    *outcome = errno == EWOULDBLOCK ? TryLock::Busy : TryLock::NoFile;
    ::close(fd);
    return -1;
  }
  *outcome = TryLock::Held;
  return fd;
}

void unlockFile(std::intptr_t handle) {
  if (handle >= 0) ::close(static_cast<int>(handle));  // closing releases the lock
}

}  // namespace tly::os

#endif  // !_WIN32
