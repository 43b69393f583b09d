// Whole-file reading and atomic replacement of a file (POSIX).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/datafile.h"

namespace tly {

namespace {

// No data file of this program comes near this size; a larger file is refused rather
// than read into memory.
constexpr off_t kMaxFileBytes = 256L * 1024 * 1024;

bool writeAll(int fd, const std::string& bytes) {
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

int writeFileAtomic(const std::string& given, const std::string& bytes) {
  if (given.empty()) return ENOENT;
  // A symbolic link is followed, so that the file it names is replaced, not the link.
  std::string path = given;
  struct stat lst;
  if (::lstat(given.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    if (char* real = ::realpath(given.c_str(), nullptr)) {
      path = real;
      std::free(real);
    }
  }
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
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  std::string tmp = (dir == "/" ? std::string("/") : dir + "/") + "." + base + ".tmpXXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return errno;
  int err = 0;
  if (!writeAll(fd, bytes) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return err;
  }
  return 0;
}

bool readWholeFile(const std::string& path, std::string& out, int* err) {
  out.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (err) *err = errno;
    return false;
  }
  struct stat st;
  int e = 0;
  if (::fstat(fd, &st) != 0)
    e = errno;
  else if (S_ISDIR(st.st_mode))
    e = EISDIR;
  else if (st.st_size > kMaxFileBytes)
    e = EFBIG;
  if (e != 0) {
    ::close(fd);
    if (err) *err = e;
    return false;
  }
  out.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      if (err) *err = e;
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
    if (out.size() > static_cast<size_t>(kMaxFileBytes)) {
      ::close(fd);
      if (err) *err = EFBIG;
      return false;
    }
  }
  ::close(fd);
  return true;
}

}  // namespace tly
