#include "io/safesave.h"

#include <cerrno>
#include <string>
#include <vector>

#include "model/os.h"

namespace tly {

namespace {

// What could not be read back is not written: the old file stays.
int writeBeside(const std::string& target, std::string_view bytes, std::string* tmp) {
  if (bytes.size() > kMaxFileBytes) return EFBIG;
  return os::writeNewFileBeside(target, bytes, tmp);
}

Failure writeFailure(int e) { return systemFailure(Fault::WriteFailed, e); }

}  // namespace

Result<std::string> readFileContents(const std::string& path) {
  std::string bytes;
  if (int e = os::readRegularFile(path, kMaxFileBytes, &bytes)) return readFailure(e);
  return bytes;
}

std::string ioErrorText(int e) {
  switch (e) {
    case 0: return "";
    case ENOENT: return "ファイルが見つかりません";
    case EACCES:
    case EPERM: return "アクセスが拒否されました (書き込み禁止または権限がありません)";
    case EISDIR: return "フォルダーです";
    case kErrNotRegularFile: return "通常のファイルではありません";
    case EFBIG: return "ファイルが大きすぎます (読み書きできるのは 64 MiB まで)";
    case EIO: return "ディスクの読み書きでエラーが発生しました";
    case ENOSPC:
    case os::kErrQuotaExceeded: return "ディスクの空き容量が足りません";
    case EROFS: return "読み取り専用のディスクです";
    case ENOTDIR: return "フォルダーが見つかりません";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EXDEV: return "別のディスクへは移せません";
    case EBUSY: return "ファイルが使用中です";
    default: return "システムエラー " + std::to_string(e);
  }
}

std::string replacementTarget(const std::string& path) { return os::linkTarget(path); }

Result<std::string> writeTempFile(const std::string& target, std::string_view bytes) {
  std::string tmp;
  if (int e = writeBeside(target, bytes, &tmp)) return writeFailure(e);
  return tmp;
}

namespace {

int commitTemp(const std::string& tmpPath, const std::string& path) {
  if (int e = os::replaceWith(tmpPath, path)) {
    os::removeFile(tmpPath);
    return e;
  }
  return 0;
}

}  // namespace

Result<void> commitTempFile(const std::string& tmpPath, const std::string& target) {
  if (int e = commitTemp(tmpPath, target)) return writeFailure(e);
  return {};
}

namespace {

bool exists(const std::string& path) { return os::anythingAt(path); }

// A free name beside path for keeping its previous file during a save of several files.
std::string asideName(const std::string& path) {
  for (int n = 0;; ++n) {
    std::string s = path + ".old-" + std::to_string(os::processNumber()) + (n ? "-" + std::to_string(n) : "");
    if (!exists(s)) return s;
  }
}

}  // namespace

Result<void> replaceFilesTogether(const std::vector<FileReplacement>& files, std::vector<std::string>* leftAside,
                                  RenameCall renameFile) {
  const RenameCall move = renameFile ? renameFile : os::renameFile;
  const size_t n = files.size();
  std::vector<std::string> tmp(n), aside(n);
  std::vector<bool> committed(n, false);
  int err = 0;
  for (size_t i = 0; i < n && !err; ++i) err = writeBeside(files[i].target, files[i].bytes, &tmp[i]);
  // The previous files step aside by rename (no hard links: vfat and exFAT sticks and
  // some network shares have none), then the new ones take their names.
  for (size_t i = 0; i < n && !err; ++i) {
    const std::string& target = files[i].target;
    if (exists(target)) {
      aside[i] = asideName(target);
      if (move(target.c_str(), aside[i].c_str()) != 0) {
        err = errno;
        aside[i].clear();
        break;
      }
    }
    if (move(tmp[i].c_str(), target.c_str()) != 0) {
      err = errno;
      break;
    }
    tmp[i].clear();
    committed[i] = true;
  }
  if (err) {
    // Every previous file goes back; a file that was not there before is removed.
    for (size_t j = n; j-- > 0;) {
      const std::string& target = files[j].target;
      if (!aside[j].empty()) {
        if (move(aside[j].c_str(), target.c_str()) == 0)
          aside[j].clear();
        else if (leftAside)
          leftAside->push_back(aside[j]);
      } else if (committed[j]) {
        os::removeFile(target);
      }
    }
  } else {
    for (auto& a : aside)
      if (!a.empty()) os::removeFile(a);
  }
  for (auto& t : tmp)
    if (!t.empty()) os::removeFile(t);
  for (const auto& f : files) os::flushFolderOf(f.target);
  if (err) return writeFailure(err);
  return {};
}

Result<void> replaceFileContents(const std::string& given, std::string_view bytes) {
  if (given.empty()) return writeFailure(ENOENT);
  const std::string path = replacementTarget(given);
  std::string tmp;
  if (int e = writeBeside(path, bytes, &tmp)) return writeFailure(e);
  if (int e = commitTemp(tmp, path)) return writeFailure(e);
  return {};
}

}  // namespace tly
