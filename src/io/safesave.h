// Reading whole files and replacing files safely (POSIX). Every save of the program goes
// through replaceFileContents, or through its two halves where several files must be
// replaced together: the new contents go to a temporary file beside the target, are
// flushed to the disk, and only then renamed over the target, so a failed save leaves the
// previous file whole. A symbolic link at the target is followed (the file it names is
// replaced, the link stays) and the file keeps its permissions.
#pragma once

#include <string>
#include <string_view>

namespace tly {

// Reads a whole file into *out. Returns 0 or an errno value (EISDIR for a folder, EFBIG
// for a file far larger than any data file of the program).
int readFileContents(const std::string& path, std::string* out);

// Replaces the file at path with bytes. Returns 0 or an errno value; on failure the old
// file is untouched and no temporary file is left behind.
int replaceFileContents(const std::string& path, std::string_view bytes);

// The file a replacement of path writes: path itself, or the file a symbolic link at path
// names (so that the link stays).
std::string replacementTarget(const std::string& path);
// The first half of a replacement of target (already resolved by replacementTarget):
// writes bytes to a new temporary file beside it, flushed, with the target's permissions,
// and names it in *tmpPath. Returns 0 or an errno value (then nothing is left behind).
int writeTempFile(const std::string& target, std::string_view bytes, std::string* tmpPath);
// The second half: renames the temporary file over target (removing it on failure).
int commitTempFile(const std::string& tmpPath, const std::string& target);

}  // namespace tly
