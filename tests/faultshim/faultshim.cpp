// A preloaded library that makes chosen system calls fail, for tests of what the program
// does when a disk, a network share or a USB stick fails in the middle of a save or read.
//
//   TLY_FAULT="write:3:ENOSPC,link:*:EPERM"
//       the 3rd write fails with ENOSPC and every link fails with EPERM
//   TLY_FAULT_COUNTS=FILE
//       at exit, FILE receives one line "call count" per call kind
//
// Calls counted: read, write (and writev), fsync, close on regular files only (so that
// the terminal and pipes do not shift the numbers), and every rename and link. A failing
// close still closes the descriptor, as a close that reports EIO does.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum Call { kRead, kWrite, kFsync, kRename, kLink, kClose, kCalls };
const char* const kNames[kCalls] = {"read", "write", "fsync", "rename", "link", "close"};

struct Fault {
  long nth = -1;  // -1 none, 0 every call, else the call number
  int err = EIO;
};

Fault g_fault[kCalls];
long g_count[kCalls];
bool g_ready = false;

int errnoByName(const char* s) {
  static const struct {
    const char* name;
    int value;
  } kErr[] = {{"EIO", EIO},       {"ENOSPC", ENOSPC}, {"EPERM", EPERM},   {"EACCES", EACCES},
              {"EROFS", EROFS},   {"EXDEV", EXDEV},   {"EDQUOT", EDQUOT}, {"EFBIG", EFBIG},
              {"EINTR", EINTR},   {"ENOENT", ENOENT}, {"EBUSY", EBUSY},   {"EMLINK", EMLINK}};
  for (const auto& e : kErr)
    if (std::strcmp(s, e.name) == 0) return e.value;
  return std::atoi(s) > 0 ? std::atoi(s) : EIO;
}

void setUp() {
  if (g_ready) return;
  g_ready = true;
  const char* spec = std::getenv("TLY_FAULT");
  if (!spec) return;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%s", spec);
  char* save = nullptr;
  for (char* item = strtok_r(buf, ",", &save); item; item = strtok_r(nullptr, ",", &save)) {
    char* f1 = std::strchr(item, ':');
    if (!f1) continue;
    *f1++ = 0;
    char* f2 = std::strchr(f1, ':');
    if (f2) *f2++ = 0;
    for (int c = 0; c < kCalls; ++c) {
      if (std::strcmp(item, kNames[c]) != 0) continue;
      g_fault[c].nth = std::strcmp(f1, "*") == 0 ? 0 : std::atol(f1);
      g_fault[c].err = f2 ? errnoByName(f2) : EIO;
    }
  }
}

bool regularFile(int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Counts a call; true when this one is to fail (errno is then set).
bool fails(Call c) {
  setUp();
  long n = ++g_count[c];
  const Fault& f = g_fault[c];
  if (f.nth < 0 || (f.nth > 0 && f.nth != n)) return false;
  errno = f.err;
  return true;
}

template <typename F>
F real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

struct Report {
  ~Report() {
    const char* path = std::getenv("TLY_FAULT_COUNTS");
    if (!path) return;
    if (FILE* f = std::fopen(path, "w")) {
      for (int c = 0; c < kCalls; ++c) std::fprintf(f, "%s %ld\n", kNames[c], g_count[c]);
      std::fclose(f);
    }
  }
} g_report;

}  // namespace

extern "C" {

ssize_t read(int fd, void* buf, size_t n) {
  static auto fn = real<ssize_t (*)(int, void*, size_t)>("read");
  if (regularFile(fd) && fails(kRead)) return -1;
  return fn(fd, buf, n);
}

ssize_t write(int fd, const void* buf, size_t n) {
  static auto fn = real<ssize_t (*)(int, const void*, size_t)>("write");
  if (regularFile(fd) && fails(kWrite)) return -1;
  return fn(fd, buf, n);
}

ssize_t writev(int fd, const struct iovec* iov, int cnt) {
  static auto fn = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
  if (regularFile(fd) && fails(kWrite)) return -1;
  return fn(fd, iov, cnt);
}

int fsync(int fd) {
  static auto fn = real<int (*)(int)>("fsync");
  if (regularFile(fd) && fails(kFsync)) return -1;
  return fn(fd);
}

int close(int fd) {
  static auto fn = real<int (*)(int)>("close");
  if (regularFile(fd) && fails(kClose)) {
    int e = errno;
    fn(fd);
    errno = e;
    return -1;
  }
  return fn(fd);
}

int rename(const char* from, const char* to) {
  static auto fn = real<int (*)(const char*, const char*)>("rename");
  if (fails(kRename)) return -1;
  return fn(from, to);
}

int link(const char* from, const char* to) {
  static auto fn = real<int (*)(const char*, const char*)>("link");
  if (fails(kLink)) return -1;
  return fn(from, to);
}

}  // extern "C"
