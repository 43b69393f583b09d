// What tells one running copy of the program from another, and a file as it was read from
// one changed since: advisory locks (the system's, model/os.h) on the program folder and on an open data
// file, and a fingerprint of a file's bytes.
//
// The locks only bind the program's own processes: a window holds a shared lock on the
// data file it has open and an exclusive lock on its program folder for its whole run;
// a command that changes a file takes the file's lock exclusively and gives up at once
// when it is held. Other programs are caught by the fingerprint instead.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tly {

// The size and a 64-bit hash (FNV-1a) of a file's bytes. The modification time is not
// part of it: a cell edit keeps a data file's size, a second can hold two saves, and a
// file touched but not changed loses nothing when it is replaced.
struct FileStamp {
  bool known = false;
  uint64_t size = 0;
  uint64_t hash = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(std::string_view bytes);

// A lock held until the object goes (closing the file releases it).
class HeldLock {
 public:
  enum class Kind { Shared, Exclusive };
  enum class Outcome { Held, Busy, NoFile };
  // Tries once, never waits. A folder is locked as itself (no file is created in it).
  // Busy: another process (or another open of this process) holds a conflicting lock.
  // NoFile: the path could not be opened (missing, or no permission): nothing is held.
  static std::unique_ptr<HeldLock> tryLock(const std::string& path, Kind kind, Outcome* outcome = nullptr);
  ~HeldLock();
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  explicit HeldLock(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_ = -1;
};

// Whether some process holds a lock on path that an exclusive one would conflict with.
bool lockIsHeld(const std::string& path);

}  // namespace tly
