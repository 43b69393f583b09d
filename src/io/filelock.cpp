#include "io/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace tly {

FileStamp stampOf(std::string_view bytes) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return FileStamp{true, bytes.size(), h};
}

std::unique_ptr<HeldLock> HeldLock::tryLock(const std::string& path, Kind kind, Outcome* outcome) {
  auto say = [outcome](Outcome o) {
    if (outcome) *outcome = o;
  };
  // Read-only and without waiting: a named pipe or a device cannot hold the caller.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    say(Outcome::NoFile);
    return nullptr;
  }
  const int op = (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  int r;
  while ((r = ::flock(fd, op)) != 0 && errno == EINTR) {
  }
  if (r != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    say(busy ? Outcome::Busy : Outcome::NoFile);
    return nullptr;
  }
  say(Outcome::Held);
  return std::unique_ptr<HeldLock>(new HeldLock(fd));
}

HeldLock::~HeldLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool lockIsHeld(const std::string& path) {
  HeldLock::Outcome o;
  auto probe = HeldLock::tryLock(path, HeldLock::Kind::Exclusive, &o);
  return o == HeldLock::Outcome::Busy;
}

}  // namespace tly
