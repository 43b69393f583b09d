// The few operating-system services the toolkit-free core needs, one implementation per
// system: os_posix.cpp (iconv and POSIX files) and os_win32.cpp (the Win32 API with wide
// paths). Everything above this header is the same code on every system. Failures are
// errno values (ENOENT, EACCES, ENOSPC, ...), also on Windows, so that one table of
// messages serves both.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tly::os {

// The error a read gives for a pipe, a device or anything else that is not a regular file.
constexpr int kErrNotRegularFile = ENODEV;
// The disk quota's error where the system has one (Windows reports a full disk instead).
#ifdef EDQUOT
constexpr int kErrQuotaExceeded = EDQUOT;
#else
constexpr int kErrQuotaExceeded = -1;
#endif

// ---------------------------------------------------------------- CP932 <-> UTF-8

enum class Cp932Way { ToCp932, FromCp932 };
enum class Cp932Stop { Done, OutputFull, BadInput };

// Converts from *in (*inLeft bytes) to *out (*outLeft bytes of room), advancing all four,
// and stops at the end of the input, when the output is full, or at the first input
// sequence that has no character on the other side (a byte sequence that is no CP932
// character, an invalid UTF-8 sequence or a character CP932 cannot hold), leaving *in at
// its first byte. Both implementations give the same characters for the same input.
Cp932Stop convertCp932(Cp932Way way, const char** in, size_t* inLeft, char** out, size_t* outLeft);

// ---------------------------------------------------------------- files

enum class FileKind { Missing, Regular, Folder, Other };
struct FileFacts {
  FileKind kind = FileKind::Missing;
  uint64_t size = 0;
  bool writable = false;  // the user may write it and it is not marked read-only
  int64_t modifiedNs = 0;  // last change, in nanoseconds since 1970 (UTC)
  int error = 0;          // when kind is Missing: why (ENOENT, EACCES, ENOTDIR, ...)
};
// What is at path, following a symbolic link.
FileFacts fileFacts(const std::string& path);
// True when anything is at path (a dangling link counts).
bool anythingAt(const std::string& path);

// Reads a whole regular file of at most maxBytes into *out. Anything else is refused
// without waiting on it (a named pipe cannot hold the program): EISDIR for a folder,
// kErrNotRegularFile for the rest, EFBIG for a larger file. Returns 0 or the error.
int readRegularFile(const std::string& path, uint64_t maxBytes, std::string* out);

// The file a replacement of path writes: the file a symbolic link at path names, or path.
std::string linkTarget(const std::string& path);

// Creates a new file beside target (a name of its own, hidden), writes bytes, gives it the
// permissions of target (or the usual ones for a new file), flushes it to the disk and
// closes it. Returns 0 with its path in *tmpPath, or the error with nothing left behind.
int writeNewFileBeside(const std::string& target, std::string_view bytes, std::string* tmpPath);

// Puts the file `from` in the place of `to` in one step (the old `to`, if any, goes
// away only when the new one is in place) and flushes the change to the disk.
// Returns 0 or the error; on failure `to` is as it was.
int replaceWith(const std::string& from, const std::string& to);
// A plain rename for the multi-file save: 0, or -1 with errno set (its callers take a
// function of that shape so that a test can fail any one call).
int renameFile(const char* from, const char* to);
void removeFile(const std::string& path);
// Makes the renames in path's folder durable where the system needs that.
void flushFolderOf(const std::string& path);

// Flushes a file another writer made (a library that closes without a flush) to the
// disk. Returns 0 or the error.
int flushFileToDisk(const std::string& path);

// Creates an empty file where nothing is: 0, EEXIST when something is there, or the error.
int createEmptyFile(const std::string& path);
// True when both names lead to one existing file (links, other spellings of the path).
bool sameFile(const std::string& a, const std::string& b);

// Creates a folder; 0 when made or already there, else the error.
int makeFolder(const std::string& path);

// The local calendar time of t (the system's time zone).
std::tm localTime(std::time_t t);

// A number that tells this process from the others running (for names of files).
long processNumber();

// An exclusive lock on a file (created when missing), waited for while another process
// holds it, and released with the handle or at the process's end, also when it is
// killed. Returns an opaque handle >= 0, or -1 with *error set.
std::intptr_t lockFile(const std::string& path, int* error);
void unlockFile(std::intptr_t handle);
// Tries once, without waiting, for a shared or an exclusive lock on an existing file or
// folder (nothing is created). Returns a handle for unlockFile with *outcome Held, or -1
// with Busy (another holder) or NoFile (missing, no permission, or a system that cannot
// lock it).
enum class TryLock { Held, Busy, NoFile };
std::intptr_t tryLockFile(const std::string& path, bool shared, TryLock* outcome);

}  // namespace tly::os
