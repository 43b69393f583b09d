#include "model/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tly {

namespace {

// One converter per direction, opened once; the program has a single thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Convert; on an unconvertible or invalid input sequence, append `bad` and skip
  // `skip(in)` bytes of input.
  template <class Skip>
  std::string run(std::string_view in, std::string_view bad, Skip skip, bool* lossy) {
    std::string out;
    out.resize(in.size() * 2 + 8);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    size_t used = 0;
    while (il > 0) {
      char* op = out.data() + used;
      size_t ol = out.size() - used;
      size_t r = iconv(cd_, &ip, &il, &op, &ol);
      used = static_cast<size_t>(op - out.data());
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2 + 16);
        continue;
      }
      // EILSEQ or EINVAL: replace one character of input.
      if (lossy) *lossy = true;
      size_t n = skip(std::string_view(ip, il));
      if (n == 0 || n > il) n = il;
      ip += n;
      il -= n;
      if (out.size() - used < bad.size() + 8) out.resize(out.size() * 2 + 16);
      out.replace(used, bad.size(), bad);
      used += bad.size();
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

size_t utf8Len(std::string_view s) {
  auto c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  return n > s.size() ? 1 : n;
}

bool isAscii(std::string_view s) {
  for (char ch : s)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

}  // namespace

bool isCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string toCp932(std::string_view utf8, bool* lossy) {
  if (isAscii(utf8)) return std::string(utf8);
  static Converter conv("CP932", "UTF-8");
  return conv.run(utf8, "?", utf8Len, lossy);
}

std::string fromCp932(std::string_view cp932) {
  if (isAscii(cp932)) return std::string(cp932);
  static Converter conv("UTF-8", "CP932");
  auto skip = [](std::string_view s) -> size_t {
    return (s.size() >= 2 && isCp932Lead(static_cast<unsigned char>(s[0]))) ? 2 : 1;
  };
  return conv.run(cp932, "\xEF\xBF\xBD", skip, nullptr);
}

std::string cutCp932(std::string_view s, size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  size_t i = 0;
  while (i < maxBytes) {
    size_t n = isCp932Lead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    if (i + n > maxBytes) break;
    i += n;
  }
  return std::string(s.substr(0, i));
}

}  // namespace tly
