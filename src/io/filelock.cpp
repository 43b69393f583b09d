#include "io/filelock.h"

#include "model/os.h"

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
  os::TryLock o = os::TryLock::NoFile;
  const std::intptr_t h = os::tryLockFile(path, kind == Kind::Shared, &o);
  if (outcome) *outcome = o == os::TryLock::Held ? Outcome::Held : o == os::TryLock::Busy ? Outcome::Busy : Outcome::NoFile;
  if (o != os::TryLock::Held) return nullptr;
  return std::unique_ptr<HeldLock>(new HeldLock(h));
}

HeldLock::~HeldLock() { os::unlockFile(handle_); }

bool lockIsHeld(const std::string& path) {
  HeldLock::Outcome o;
  auto probe = HeldLock::tryLock(path, HeldLock::Kind::Exclusive, &o);
  return o == HeldLock::Outcome::Busy;
}

}  // namespace tly
