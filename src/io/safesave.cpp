#include "io/safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tly {

namespace {

// No data file of this program comes near this size; a larger file is refused rather
// than read into memory.
constexpr off_t kMaxFileBytes = 256L * 1024 * 1024;

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

int readFileContents(const std::string& path, std::string* out) {
  out->clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st;
  int e = 0;
  if (::fstat(fd, &st) != 0)
    e = errno;
  else if (S_ISDIR(st.st_mode))
    e = EISDIR;
  else if (st.st_size > kMaxFileBytes)
    e = EFBIG;
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
      if (out->size() > static_cast<size_t>(kMaxFileBytes)) {
        e = EFBIG;
        break;
      }
    }
  }
  ::close(fd);
  if (e != 0) out->clear();
  return e;
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

int writeTempFile(const std::string& path, std::string_view bytes, std::string* tmpPath) {
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
  if (err != 0) {
    ::unlink(tmp.c_str());
    return err;
  }
  *tmpPath = tmp;
  return 0;
}

int commitTempFile(const std::string& tmpPath, const std::string& path) {
  if (::rename(tmpPath.c_str(), path.c_str()) != 0) {
    int e = errno;
    ::unlink(tmpPath.c_str());
    return e;
  }
  return 0;
}

int replaceFileContents(const std::string& given, std::string_view bytes) {
  if (given.empty()) return ENOENT;
  const std::string path = replacementTarget(given);
  std::string tmp;
  if (int e = writeTempFile(path, bytes, &tmp)) return e;
  return commitTempFile(tmp, path);
}

}  // namespace tly
