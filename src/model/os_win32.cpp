// The system services on Windows: the Win32 API, with every path handed over as UTF-16.
// CP932 goes through MultiByteToWideChar / WideCharToMultiByte with code page 932, read
// once into two tables at the first conversion, so that a conversion is one look-up a
// character and gives the characters the iconv conversion on Linux gives (os_posix.cpp).
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <utility>

#include "model/os.h"

namespace tly::os {

// ---------------------------------------------------------------- CP932

namespace {

constexpr uint16_t kNone = 0xFFFF;  // neither a CP932 code nor a character of one

bool isLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Characters the iconv CP932 conversion also writes, one way only: the characters Unicode
// gives for the same glyphs of JIS X 0208 (the wave dash, the double vertical line, the
// minus sign, the cent, pound and not signs, the em dash) and the yen and overline that a
// Shift-JIS file means by its 5C and 7E. Windows writes "?" for these; files written on
// Linux hold the codes, so Windows writes them too.
constexpr std::array<std::pair<uint16_t, uint16_t>, 9> kAlsoWritten = {{
    {0x00A5, 0x005C},
    {0x203E, 0x007E},
    {0x301C, 0x8160},
    {0x2016, 0x8161},
    {0x2212, 0x817C},
    {0x00A2, 0x8191},
    {0x00A3, 0x8192},
    {0x00AC, 0x81CA},
    {0x2014, 0x815C},
}};

struct Tables {
  // CP932 code (a byte, or lead << 8 | trail) -> UTF-16 unit.
  std::array<uint16_t, 0x10000> toUnicode;
  // UTF-16 unit -> CP932 code (a byte below 0x100, else lead << 8 | trail).
  std::array<uint16_t, 0x10000> fromUnicode;
};

const Tables& tables() {
  static const std::unique_ptr<Tables> t = [] {
    auto t = std::make_unique<Tables>();
    t->toUnicode.fill(kNone);
    t->fromUnicode.fill(kNone);
    wchar_t w[4];
    for (unsigned b = 0; b < 0x100; ++b) {
      // 80, A0 and FD..FF: Windows reads them as characters of its own (U+0080, U+F8F0..)
      // that no CP932 text holds; they stay bytes without a character.
      if (isLead(b) || b == 0x80 || b == 0xA0 || b >= 0xFD) continue;
      const char c = static_cast<char>(b);
      if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, &c, 1, w, 4) == 1) t->toUnicode[b] = static_cast<uint16_t>(w[0]);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!isLead(lead)) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        const char c[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, c, 2, w, 4) == 1)
          t->toUnicode[lead << 8 | trail] = static_cast<uint16_t>(w[0]);
      }
    }
    for (unsigned u = 0; u < 0x10000; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;
      const wchar_t wc = static_cast<wchar_t>(u);
      char out[4];
      BOOL usedDefault = FALSE;
      const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wc, 1, out, 4, nullptr, &usedDefault);
      if (usedDefault || n < 1 || n > 2) continue;
      const unsigned code = n == 1 ? static_cast<unsigned char>(out[0])
                                   : static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]);
      // Only what reads back as this same character: a code Windows writes for a
      // character of another code page (best fit) is no CP932 of that character.
      if (t->toUnicode[code] == u) t->fromUnicode[u] = static_cast<uint16_t>(code);
    }
    // (The NEC and IBM duplicates need nothing here: each of their characters is written
    // as the one code Windows writes, which is also the one iconv writes.)
    for (auto [u, code] : kAlsoWritten)
      if (t->fromUnicode[u] == kNone) t->fromUnicode[u] = code;
    return t;
  }();
  return *t;
}

// The next UTF-8 character at p (n bytes left): its code point and length, or length 0
// when the bytes are no valid UTF-8 (overlong, a surrogate, past U+10FFFF, cut short).
std::pair<unsigned, size_t> nextUtf8(const unsigned char* p, size_t n) {
  const unsigned c = p[0];
  if (c < 0x80) return {c, 1};
  size_t len;
  unsigned cp, least;
  if ((c & 0xE0) == 0xC0) {
    len = 2, cp = c & 0x1F, least = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, cp = c & 0x0F, least = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, cp = c & 0x07, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (n < len) return {0, 0};
  for (size_t i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return {0, 0};
    cp = cp << 6 | (p[i] & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, len};
}

size_t putUtf8(unsigned cp, char* o) {
  if (cp < 0x80) {
    o[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    o[0] = static_cast<char>(0xC0 | cp >> 6);
    o[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  o[0] = static_cast<char>(0xE0 | cp >> 12);
  o[1] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
  o[2] = static_cast<char>(0x80 | (cp & 0x3F));
  return 3;
}

}  // namespace

Cp932Stop convertCp932(Cp932Way way, const char** in, size_t* inLeft, char** out, size_t* outLeft) {
  const Tables& t = tables();
  auto p = reinterpret_cast<const unsigned char*>(*in);
  size_t n = *inLeft;
  char* o = *out;
  size_t room = *outLeft;
  Cp932Stop stop = Cp932Stop::Done;
  while (n > 0) {
    if (way == Cp932Way::FromCp932) {
      unsigned code = p[0];
      size_t len = 1;
      if (isLead(code)) {
        if (n < 2) {
          stop = Cp932Stop::BadInput;
          break;
        }
        code = code << 8 | p[1];
        len = 2;
      }
      const uint16_t u = t.toUnicode[code];
      if (u == kNone) {
        stop = Cp932Stop::BadInput;
        break;
      }
      char buf[3];
      const size_t k = putUtf8(u, buf);
      if (room < k) {
        stop = Cp932Stop::OutputFull;
        break;
      }
      for (size_t i = 0; i < k; ++i) o[i] = buf[i];
      o += k, room -= k, p += len, n -= len;
    } else {
      auto [cp, len] = nextUtf8(p, n);
      const uint16_t code = len == 0 || cp > 0xFFFF ? kNone : t.fromUnicode[cp];
      if (code == kNone) {
        stop = Cp932Stop::BadInput;
        break;
      }
      const size_t k = code < 0x100 ? 1 : 2;
      if (room < k) {
        stop = Cp932Stop::OutputFull;
        break;
      }
      if (k == 2) *o++ = static_cast<char>(code >> 8);
      *o++ = static_cast<char>(code & 0xFF);
      room -= k, p += len, n -= len;
    }
  }
  *in = reinterpret_cast<const char*>(p);
  *inLeft = n;
  *out = o;
  *outLeft = room;
  return stop;
}

// ---------------------------------------------------------------- files

namespace {

std::wstring wide(const std::string& utf8) {
  std::wstring w;
  if (utf8.empty()) return w;
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  w.resize(static_cast<size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

std::string narrow(const std::wstring& w) {
  std::string s;
  if (w.empty()) return s;
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  s.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

int errnoOf(DWORD e) {
  switch (e) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_CANNOT_MAKE: return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW: return ENAMETOOLONG;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_INVALID_NAME: return EINVAL;
    default: return EIO;
  }
}

int lastErrno() { return errnoOf(GetLastError()); }

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE x) : h(x) {}
  ~Handle() {
    if (ok()) CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened for its facts only, following a link; folders open too.
HANDLE openForFacts(const std::wstring& w) {
  return CreateFileW(w.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

FileFacts factsOf(HANDLE h) {
  FileFacts f;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    f.kind = FileKind::Other;
    return f;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) {
    f.error = lastErrno();
    return f;
  }
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    f.kind = FileKind::Folder;
    return f;
  }
  f.kind = FileKind::Regular;
  f.size = static_cast<uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  // FILETIME counts 100 ns from 1601; 11644473600 s lie between 1601 and 1970.
  const uint64_t ft = static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 | info.ftLastWriteTime.dwLowDateTime;
  f.modifiedNs = (static_cast<int64_t>(ft) - 116444736000000000LL) * 100;
  f.writable = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
  return f;
}

}  // namespace

FileFacts fileFacts(const std::string& path) {
  Handle h(openForFacts(wide(path)));
  if (!h.ok()) {
    FileFacts f;
    f.error = lastErrno();
    return f;
  }
  return factsOf(h.h);
}

bool anythingAt(const std::string& path) {
  return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

int readRegularFile(const std::string& path, uint64_t maxBytes, std::string* out) {
  // A device name (NUL, CON, COM1) or a pipe is refused before any read could wait on it.
  Handle h(CreateFileW(wide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!h.ok()) return lastErrno();
  const FileFacts f = factsOf(h.h);
  if (f.error) return f.error;
  if (f.kind == FileKind::Folder) return EISDIR;
  if (f.kind != FileKind::Regular) return kErrNotRegularFile;
  if (f.size > maxBytes) return EFBIG;
  out->reserve(static_cast<size_t>(f.size));
  char buf[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h.h, buf, sizeof buf, &got, nullptr)) return lastErrno();
    if (got == 0) break;
    out->append(buf, got);
    if (out->size() > maxBytes) return EFBIG;
  }
  return 0;
}

std::string linkTarget(const std::string& path) {
  const std::wstring w = wide(path);
  const DWORD attrs = GetFileAttributesW(w.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  Handle h(openForFacts(w));
  if (!h.ok()) return path;
  std::wstring buf(32768, L'\0');
  const DWORD n = GetFinalPathNameByHandleW(h.h, buf.data(), static_cast<DWORD>(buf.size()), FILE_NAME_NORMALIZED);
  if (n == 0 || n >= buf.size()) return path;
  buf.resize(n);
  if (buf.rfind(L"\\\\?\\UNC\\", 0) == 0)
    buf = L"\\\\" + buf.substr(8);
  else if (buf.rfind(L"\\\\?\\", 0) == 0)
    buf = buf.substr(4);
  return narrow(buf);
}

int writeNewFileBeside(const std::string& path, std::string_view bytes, std::string* tmpPath) {
  const auto slash = path.find_last_of("/\\");
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) return EISDIR;
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  {
    Handle h(openForFacts(wide(path)));
    if (h.ok()) {
      const FileFacts f = factsOf(h.h);
      if (f.kind == FileKind::Folder) return EISDIR;
      if (f.kind != FileKind::Regular) return EINVAL;
      // A read-only file is not replaced, even though the folder would allow it.
      if (!f.writable) return EACCES;
    }
  }
  for (unsigned n = 0;; ++n) {
    const std::string tmp =
        dir + "." + base + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
    HANDLE raw = CreateFileW(wide(tmp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
      const DWORD e = GetLastError();
      if ((e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS) && n < 10000) continue;
      return errnoOf(e);
    }
    int err = 0;
    {
      Handle h(raw);
      size_t done = 0;
      while (done < bytes.size() && err == 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD wrote = 0;
        if (!WriteFile(h.h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
          err = lastErrno();
        else
          done += wrote;
      }
      if (err == 0 && !FlushFileBuffers(h.h)) err = lastErrno();
      if (!CloseHandle(h.h) && err == 0) err = lastErrno();
      h.h = INVALID_HANDLE_VALUE;
    }
    if (err) {
      DeleteFileW(wide(tmp).c_str());
      return err;
    }
    *tmpPath = tmp;
    return 0;
  }
}

int replaceWith(const std::string& from, const std::string& to) {
  const std::wstring wf = wide(from), wt = wide(to);
  if (GetFileAttributesW(wt.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (!MoveFileExW(wf.c_str(), wt.c_str(), MOVEFILE_WRITE_THROUGH)) return lastErrno();
    return 0;
  }
  // ReplaceFileW keeps the old file's attributes, security and streams on the new one.
  // The old file is kept under a backup name until the new one is in place, so that a
  // failure halfway (the old file moved, the new one not) can put it back.
  const std::wstring backup = wide(to + ".bak" + std::to_string(GetCurrentProcessId()));
  DeleteFileW(backup.c_str());
  if (!ReplaceFileW(wt.c_str(), wf.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    const DWORD e = GetLastError();
    if (GetFileAttributesW(wt.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES)
      MoveFileExW(backup.c_str(), wt.c_str(), MOVEFILE_WRITE_THROUGH);
    return errnoOf(e);
  }
  DeleteFileW(backup.c_str());
  return 0;
}

int renameFile(const char* from, const char* to) {
  if (MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  errno = lastErrno();
  return -1;
}

void removeFile(const std::string& path) { DeleteFileW(wide(path).c_str()); }

void flushFolderOf(const std::string&) {
  // Nothing to do: every rename above is made with MOVEFILE_WRITE_THROUGH or by
  // ReplaceFileW, which return only when the change is on the disk.
}

int flushFileToDisk(const std::string& path) {
  HANDLE raw = CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return lastErrno();
  Handle h(raw);
  int err = FlushFileBuffers(h.h) ? 0 : lastErrno();
  if (!CloseHandle(h.h) && err == 0) err = lastErrno();
  h.h = INVALID_HANDLE_VALUE;
  return err;
}

int createEmptyFile(const std::string& path) {
  HANDLE raw = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    return e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS ? EEXIST : errnoOf(e);
  }
  return CloseHandle(raw) ? 0 : lastErrno();
}

bool sameFile(const std::string& a, const std::string& b) {
  Handle ha(openForFacts(wide(a))), hb(openForFacts(wide(b)));
  if (!ha.ok() || !hb.ok()) return false;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!GetFileInformationByHandle(ha.h, &ia) || !GetFileInformationByHandle(hb.h, &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
         ia.nFileIndexLow == ib.nFileIndexLow;
}

int makeFolder(const std::string& path) {
  if (CreateDirectoryW(wide(path).c_str(), nullptr)) return 0;
  const DWORD e = GetLastError();
  if (e == ERROR_ALREADY_EXISTS) {
    const DWORD a = GetFileAttributesW(wide(path).c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return 0;
  }
  return errnoOf(e);
}

std::tm localTime(std::time_t t) {
  std::tm tm{};
  localtime_s(&tm, &t);
  return tm;
}

long processNumber() { return static_cast<long>(GetCurrentProcessId()); }

std::intptr_t lockFile(const std::string& path, int* error) {
  HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (error) *error = lastErrno();
    return -1;
  }
  OVERLAPPED ov{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &ov)) {
    if (error) *error = lastErrno();
    CloseHandle(h);
    return -1;
  }
  return reinterpret_cast<std::intptr_t>(h);
}

std::intptr_t tryLockFile(const std::string& path, bool shared, TryLock* outcome) {
  // Shared with every other open, so that readers, writers and the safe-save's
  // replacement go on; the lock is on one byte far past any data file's end, since
  // Windows locks bind reads and writes of the bytes they cover.
  HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *outcome = TryLock::NoFile;
    return -1;
  }
  OVERLAPPED ov{};
  ov.Offset = 0xFFFFFFFEu;
  ov.OffsetHigh = 0x7FFFFFFFu;
  const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (shared ? 0 : LOCKFILE_EXCLUSIVE_LOCK);
  if (!LockFileEx(h, flags, 0, 1, 0, &ov)) {
    const DWORD e = GetLastError();
    *outcome = e == ERROR_LOCK_VIOLATION || e == ERROR_IO_PENDING ? TryLock::Busy : TryLock::NoFile;
    CloseHandle(h);
    return -1;
  }
  *outcome = TryLock::Held;
  return reinterpret_cast<std::intptr_t>(h);
}

void unlockFile(std::intptr_t handle) {
  if (handle >= 0) CloseHandle(reinterpret_cast<HANDLE>(handle));  // closing releases the lock
}

}  // namespace tly::os

#endif  // _WIN32
