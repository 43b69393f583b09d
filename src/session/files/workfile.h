// Keeping the working file "JJTEMP3.DAT" safe around start-up and shut-down.
#pragma once

#include <cstdint>
#include <string>

#include "session/state/app.h"
#include "session/files/datafile.h"

namespace tly {

// After the start-up read of the working file: a working file that holds bytes but could
// not be read as a year (damaged, unreadable, or not a data file of this program) is
// moved aside to "JJTEMP3.DAT.damaged-<date and time>" and the user is told where, so that
// the exit's save does not replace it. When it cannot be moved, KeepWorkFile is set and
// the user is told that this run will not write the working file.
void setAsideUnreadWorkFile(App& app, const Result<FileRead>& read);

// The name a working file is moved aside to, for the time t (seconds since the epoch).
std::string damagedWorkFileName(const std::string& workFile, long long t);

// At start-up: tells the user when the program folder cannot be written (the working
// file could not be saved at exit). Returns false then.
bool checkProgramFolderWritable(App& app);
// At exit, after the working file could not be written (a full or read-only disk):
// offers to save the year elsewhere with Save As, asking again after a cancel or a
// failure until the year is saved or the user declines.
void offerSaveElsewhere(App& app);

// ---- The recovery copy: the year kept in the program folder a few seconds after each
// change, so that a run that ends without its exit (a crash, a power loss, a killed
// process) loses at most those seconds. A clean exit removes it once the working file
// is written; the next start offers it when it is newer than the working file.
extern const char* const kRecoveryFileName;  // "JJTEMP3.REC"

// Whether this run holds the program folder's lock, taking it when it is free: the one
// running copy of a folder that keeps, offers and removes its recovery copy.
bool holdsProgramFolder(App& app);
// Writes the recovery copy when the year (with its view settings) differs from *last,
// the bytes last written or taken as the baseline; *last is updated. Fails WriteFailed
// with the errno value; a year that is not open, or a run that does not hold the program
// folder, writes nothing.
Result<void> keepRecoveryCopy(App& app, std::string* last);
// The bytes keepRecoveryCopy compares: the working file's contents for the open year.
std::string recoveryBytes(App& app);
// Removes the recovery copy, when this run holds the program folder.
void dropRecoveryCopy(const App& app);
// At start-up, when this run holds the program folder: offers a recovery copy newer than
// the working file; Yes makes it the open year. Returns true when the copy was taken.
bool offerRecoveryCopy(App& app);

// The instance counter is read and raised under a lock on "tly.lock" in the program
// folder, so that two copies started together never both see 0.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace tly
