// Reading whole files and replacing files safely, over the system calls of model/os.h. Every save of the program goes
// through replaceFileContents, or through its two halves where several files must be
// replaced together: the new contents go to a temporary file beside the target, are
// flushed to the disk, and only then renamed over the target, so a failed save leaves the
// previous file whole. A symbolic link at the target is followed (the file it names is
// replaced, the link stays) and the file keeps its permissions and, where the system
// allows, its owner. A file the user may not write (or one with no write bit at all)
// is refused with EACCES rather than replaced.
#pragma once

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "model/os.h"
#include "model/result.h"

namespace tly {

// The error a read gives for a pipe, a device or anything else that is not a regular file.
constexpr int kErrNotRegularFile = os::kErrNotRegularFile;

// The largest file read, and so the largest written: a save of more bytes is refused
// (EFBIG) before anything is replaced, so that every file saved can be opened again.
// The format's own bounds (32,767 texts of 65,534 bytes) reach beyond two gigabytes,
// far past any real year; 64 MiB leaves room for years of long texts and large
// timetables that older versions wrote beyond the earlier 32 MiB limit.
constexpr size_t kMaxFileBytes = 64u * 1024 * 1024;

// Reads a whole file. Fails NotFound, or Unreadable with the errno value (EISDIR for a
// folder, kErrNotRegularFile for anything else that is not a regular file, EFBIG for a
// file over kMaxFileBytes). Any read error fails the whole read.
Result<std::string> readFileContents(const std::string& path);

// What an errno value of a read or a save means, in Japanese words for the user.
std::string ioErrorText(int e);

// Replaces the file at path with bytes. Fails WriteFailed with the errno value (EFBIG
// for more than kMaxFileBytes); then the
// old file is untouched and no temporary file is left behind.
Result<void> replaceFileContents(const std::string& path, std::string_view bytes);

// The file a replacement of path writes: path itself, or the file a symbolic link at path
// names (so that the link stays).
std::string replacementTarget(const std::string& path);
// The first half of a replacement of target (already resolved by replacementTarget):
// writes bytes to a new temporary file beside it, flushed, with the target's permissions,
// and returns its path. Fails WriteFailed with the errno value (then nothing is left behind).
Result<std::string> writeTempFile(const std::string& target, std::string_view bytes);
// The second half: renames the temporary file over target (removing it on failure) and
// flushes the folder, so that a save reported as done survives a power loss.
Result<void> commitTempFile(const std::string& tmpPath, const std::string& target);

// Replaces several files as one: all new contents are written to temporary files first,
// the previous files are moved aside by rename and the new ones renamed into place; on
// any failure every previous file is put back (and a file that did not exist before is
// removed again). Needs no hard links. Fails WriteFailed with the errno value; a previous file
// that could not be put back stays under the name added to *leftAside.
struct FileReplacement {
  std::string target;  // resolved by replacementTarget
  std::string_view bytes;
};
// The renames the multi-file replace makes, so that a test can fail any one of them.
using RenameCall = int (*)(const char* from, const char* to);
Result<void> replaceFilesTogether(const std::vector<FileReplacement>& files, std::vector<std::string>* leftAside,
                                  RenameCall renameFile = nullptr);

}  // namespace tly
