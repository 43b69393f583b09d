#include "model/cp932.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "model/os.h"

namespace tly {

namespace {

// Output bytes that grow as needed and are never zero-filled first.
struct OutBuf {
  std::unique_ptr<char[]> p;
  size_t cap = 0, used = 0;

  explicit OutBuf(size_t n) : p(std::make_unique_for_overwrite<char[]>(n)), cap(n) {}
  void room(size_t n) {
    if (cap - used >= n) return;
    size_t c = cap * 2 + n + 16;
    auto q = std::make_unique_for_overwrite<char[]>(c);
    std::memcpy(q.get(), p.get(), used);
    p = std::move(q);
    cap = c;
  }
  void put(std::string_view s) {
    room(s.size());
    std::memcpy(p.get() + used, s.data(), s.size());
    used += s.size();
  }
};

// The first byte from p on that is not ASCII, or end. Eight bytes at a time.
const char* firstNonAscii(const char* p, const char* end) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  if constexpr (std::endian::native == std::endian::little) {
    for (; end - p >= 8; p += 8) {
      uint64_t v;
      std::memcpy(&v, p, 8);
      if (const uint64_t m = v & kHigh) return p + std::countr_zero(m) / 8;
    }
  }
  for (; p < end; ++p)
    if (static_cast<unsigned char>(*p) >= 0x80) return p;
  return end;
}

// The start of the first four words of eight bytes in a row from p on (p, p + 8, ...)
// that are all ASCII, or end: where a run of at least 32 ASCII bytes is sure to be found.
// Shorter runs are not worth a call of the system conversion of their own.
const char* longAsciiRun(const char* p, const char* end) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  constexpr int kWords = 4;
  int asciiWords = 0;
  for (; end - p >= 8; p += 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    asciiWords = (v & kHigh) == 0 ? asciiWords + 1 : 0;
    if (asciiWords == kWords) return p - 8 * (kWords - 1);
  }
  return end;
}

// The byte a carrier at the start of s stands for, or -1.
int carriedByte(std::string_view s) {
  if (s.size() < 3 || static_cast<unsigned char>(s[0]) != 0xEF) return -1;
  const auto b1 = static_cast<unsigned char>(s[1]), b2 = static_cast<unsigned char>(s[2]);
  if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return -1;
  const unsigned cp = 0xF000 | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
  return cp >= kCp932CarrierBase + 0x80 && cp <= kCp932CarrierBase + 0xFF ? static_cast<int>(cp - kCp932CarrierBase)
                                                                          : -1;
}

// The first carrier from p on, or end. Its UTF-8 begins EF 9E or EF 9F.
const char* nextCarrier(const char* p, const char* end) {
  while (p < end) {
    p = static_cast<const char*>(std::memchr(p, 0xEF, static_cast<size_t>(end - p)));
    if (!p) return end;
    if (carriedByte(std::string_view(p, static_cast<size_t>(end - p))) >= 0) return p;
    ++p;
  }
  return end;
}

// One direction of the system's CP932 conversion (model/os.h), with the replacement of
// what it cannot convert.
class Converter {
 public:
  explicit Converter(os::Cp932Way way) : way_(way) {}

  // Convert `in`, appending to out; on an unconvertible or invalid input sequence,
  // replace(rest, out) appends what stands for it and returns how many bytes of input it
  // stands for, where rest is what remains of the text the sequence is in: up to the
  // next NUL when `joined` (texts joined with NULs), else the whole remaining input.
  // Returns false, with out unfinished, when a joined input cannot be converted as its
  // texts would be one by one (an error at a NUL itself).
  template <class Replace>
  bool run(std::string_view in, Replace replace, OutBuf& out, bool joined) const {
    const char* ip = in.data();
    const char* const end = ip + in.size();
    // Replaces the character at ip, seeing the rest of its text; false at a NUL itself.
    auto replaceHere = [&] {
      size_t rest = static_cast<size_t>(end - ip);
      if (joined) {
        const void* nul = std::memchr(ip, '\0', rest);
        if (nul) rest = static_cast<size_t>(static_cast<const char*>(nul) - ip);
        if (rest == 0) return false;
      }
      size_t n = replace(std::string_view(ip, rest), out);
      if (n == 0 || n > rest) n = rest;
      ip += n;
      return true;
    };
    while (ip < end) {
      // ASCII is the same in both encodings, and at a character boundary every ASCII byte
      // is a character of its own: copied, not converted. Most of a year's texts are
      // empty, so a joined batch is mostly NULs, and the system conversion takes several
      // times as long for them as a copy.
      const char* a = firstNonAscii(ip, end);
      if (a != ip) {
        out.put(std::string_view(ip, static_cast<size_t>(a - ip)));
        ip = a;
        if (ip == end) break;
      }
      // A carrier is no character the system conversion knows: replaced at once rather
      // than after a conversion that fails on it.
      const bool writing = way_ == os::Cp932Way::ToCp932;
      if (writing && carriedByte(std::string_view(ip, static_cast<size_t>(end - ip))) >= 0) {
        if (!replaceHere()) return false;
        continue;
      }
      // Then the system conversion up to the next long run of ASCII (a short one is left
      // to it: a call costs more than converting a few bytes), ended where ASCII surely
      // begins a character again: in UTF-8 at any ASCII byte; in CP932 at the second of
      // two (the first may be a lead byte's second byte). The conversion sees each part
      // as it would see the whole. Writing, it also ends before the next carrier.
      const char* e = longAsciiRun(ip + 1, end);
      if (e != end && !writing) ++e;
      if (writing) e = nextCarrier(ip + 1, e);
      size_t il = static_cast<size_t>(e - ip);
      char* op = out.p.get() + out.used;
      size_t ol = out.cap - out.used;
      const os::Cp932Stop stop = os::convertCp932(way_, &ip, &il, &op, &ol);
      out.used = static_cast<size_t>(op - out.p.get());
      if (stop == os::Cp932Stop::Done) continue;
      if (stop == os::Cp932Stop::OutputFull) {
        out.room(out.cap + 16);
        continue;
      }
      if (!replaceHere()) return false;  // bad input: one character replaced
    }
    return true;
  }

 private:
  os::Cp932Way way_;
};

size_t utf8Len(std::string_view s) {
  auto c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  return n > s.size() ? 1 : n;
}

constexpr std::string_view kQuestion = "?";

// A byte that is no CP932 character is read as the carrier U+F700 + byte, three bytes of
// UTF-8 (EF 9C|9D|9E|9F xx), and written back as that byte.
void putCarrier(unsigned char b, OutBuf& out) {
  const unsigned cp = kCp932CarrierBase + b;
  const char u[3] = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (cp & 0x3F))};
  out.put(std::string_view(u, 3));
}

// Reading: each byte that does not start a CP932 character is carried on its own; what
// follows it is read again from the next byte, so every byte comes back on writing.
auto carryBadByte = [](std::string_view rest, OutBuf& out) -> size_t {
  putCarrier(static_cast<unsigned char>(rest[0]), out);
  return 1;
};

// True when a carried lead byte written before `next` (the text after its carrier) would
// be read back together with the first byte written for `next` as one character. That
// happens when the character was read from other bytes than it is written as: "EE 5C",
// a lone EE carried before it, then reads as 砡, which is written FB 78, and EE FB reads as
// ＇. Writing the byte then would change the text at every save.
bool pairsWithNext(unsigned lead, std::string_view next) {
  if (next.empty()) return false;
  char first = 0;
  if (int b = carriedByte(next); b >= 0) {
    first = static_cast<char>(b);
  } else {
    const char* ip = next.data();
    size_t il = utf8Len(next);
    char buf[8];
    char* op = buf;
    size_t ol = sizeof buf;
    if (os::convertCp932(os::Cp932Way::ToCp932, &ip, &il, &op, &ol) != os::Cp932Stop::Done || op == buf) return false;
    first = buf[0];
  }
  const auto t = static_cast<unsigned char>(first);
  if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
  const char pair[2] = {static_cast<char>(lead), first};
  const char* ip = pair;
  size_t il = 2;
  char buf[8];
  char* op = buf;
  size_t ol = sizeof buf;
  return os::convertCp932(os::Cp932Way::FromCp932, &ip, &il, &op, &ol) == os::Cp932Stop::Done;
}

// Writing: a carrier gives back its byte; any other character CP932 cannot hold is "?",
// and so is a carrier whose byte would join the next character (above).
struct PutByteOrQuestion {
  bool* lossy;
  size_t operator()(std::string_view rest, OutBuf& out) const {
    if (int b = carriedByte(rest); b >= 0) {
      if (isCp932Lead(static_cast<unsigned char>(b)) && pairsWithNext(static_cast<unsigned>(b), rest.substr(3))) {
        if (lossy) *lossy = true;
        out.put(kQuestion);
        return 3;
      }
      const char c = static_cast<char>(b);
      out.put(std::string_view(&c, 1));
      return 3;
    }
    if (lossy) *lossy = true;
    out.put(kQuestion);
    return utf8Len(rest);
  }
};

Converter toCp932Converter() { return Converter(os::Cp932Way::ToCp932); }

Converter fromCp932Converter() { return Converter(os::Cp932Way::FromCp932); }

bool isAscii(std::string_view s) { return firstNonAscii(s.data(), s.data() + s.size()) == s.data() + s.size(); }

// For each set of NUL bytes among eight (bit j for byte j): how many there are in the low
// byte and, in the bytes above it, their places, three bits each.
constexpr std::array<uint64_t, 256> kNulPlaces = [] {
  std::array<uint64_t, 256> t{};
  for (unsigned set = 0; set < 256; ++set) {
    uint64_t e = 0, count = 0;
    for (unsigned j = 0; j < 8; ++j)
      if (set & (1u << j)) e |= uint64_t{j} << (8 + 3 * count++);
    t[set] = e | count;
  }
  return t;
}();

// Room for what a conversion of n bytes gives in most cases, so that it rarely grows:
// CP932 -> UTF-8 gives at most 3 bytes a byte, UTF-8 -> CP932 at most 1 byte a byte.
size_t fromCp932Room(size_t n) { return n * 3 + 16; }
size_t toCp932Room(size_t n) { return n + 16; }

}  // namespace

bool isCp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::string toCp932(std::string_view utf8, bool* lossy) {
  if (isAscii(utf8)) return std::string(utf8);
  OutBuf out(toCp932Room(utf8.size()));
  toCp932Converter().run(utf8, PutByteOrQuestion{lossy}, out, false);
  return std::string(out.p.get(), out.used);
}

std::string fromCp932(std::string_view cp932) {
  if (isAscii(cp932)) return std::string(cp932);
  OutBuf out(fromCp932Room(cp932.size()));
  fromCp932Converter().run(cp932, carryBadByte, out, false);
  return std::string(out.p.get(), out.used);
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

// ---------------------------------------------------------------- Cp932Batch

void Cp932Batch::reserve(size_t texts, size_t bytes) {
  if (inCap_ - inUsed_ < bytes + texts + kCopyPad) grow(bytes + texts + kCopyPad);
  if (pass_ == Cp932Pass::OneByOne) inEnd_.reserve(inEnd_.size() + texts);
}

// Room for `bytes` more bytes, growing by at least half.
void Cp932Batch::grow(size_t bytes) {
  size_t cap = std::max(inCap_ + inCap_ / 2, inUsed_ + bytes) + 64;
  auto p = std::make_unique_for_overwrite<char[]>(cap);
  if (inUsed_) std::memcpy(p.get(), in_.get(), inUsed_);
  in_ = std::move(p);
  inCap_ = cap;
}

void Cp932Batch::keepEnd() { inEnd_.push_back(inUsed_); }

// Convert text by text, as toCp932 / fromCp932 would, into the same layout.
template <class Convert>
void Cp932Batch::oneByOne(Convert convert) {
  OutBuf out(inUsed_ + 16);
  outEnd_ = std::make_unique_for_overwrite<size_t[]>(count_ + 1);
  outEnd_[0] = SIZE_MAX;
  size_t b = 0;
  for (size_t i = 0; i < count_; ++i) {
    out.put(convert(std::string_view(in_.get() + b, inEnd_[i] - b)));
    outEnd_[i + 1] = out.used;
    out.put(std::string_view("", 1));
    b = inEnd_[i] + 1;
  }
  out.room(kCopyPad);  // results can be read kCopyPad past their start
  out_ = std::move(out.p);
  outUsed_ = out.used;
}

// Find where each result of a joined conversion ends: at the NULs. False unless there is
// exactly one NUL a text, the last at the very end. NULs convert to NULs and a
// replacement never takes one in, so a text holding a NUL of its own shows here as a NUL
// too many.
bool Cp932Batch::splitJoined() {
  outEnd_ = std::make_unique_for_overwrite<size_t[]>(count_ + 9);
  outEnd_[0] = SIZE_MAX;
  size_t* ends = outEnd_.get() + 1;
  const char* p = out_.get();
  const size_t n = outUsed_, texts = count_;
  size_t k = 0, i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t k7f = 0x7F7F7F7F7F7F7F7FULL;
    for (; i + 8 <= n; i += 8) {
      if (k > texts) return false;
      uint64_t v;
      std::memcpy(&v, p + i, 8);
      // 0x80 in each byte that is zero and nothing elsewhere (no carry crosses a byte),
      // gathered into one bit a byte.
      uint64_t z = ~(((v & k7f) + k7f) | v | k7f);
      uint64_t e = kNulPlaces[((z >> 7) * 0x0102040810204080ULL) >> 56];
      // Two places are written whatever the count, and as many count as there are
      // NULs: texts are short, and a branch for each NUL would mostly be mispredicted.
      // More than two come only from texts of a byte or two.
      size_t count = e & 0xff;
      ends[k] = i + ((e >> 8) & 7);
      ends[k + 1] = i + ((e >> 11) & 7);
      if (count > 2)
        for (size_t j = 2; j < count; ++j) ends[k + j] = i + ((e >> (8 + 3 * j)) & 7);
      k += count;
    }
  }
  for (; i < n; ++i)
    if (p[i] == '\0') {
      if (k >= texts) return false;
      ends[k++] = i;
    }
  return k == texts && (n == 0 || p[n - 1] == '\0');
}

bool Cp932Batch::toCp932(bool* lossy) {
  if (pass_ == Cp932Pass::OneByOne) {
    oneByOne([lossy](std::string_view s) { return tly::toCp932(s, lossy); });
    return true;
  }
  OutBuf out(toCp932Room(inUsed_));
  bool replaced = false;
  if (!toCp932Converter().run(std::string_view(in_.get(), inUsed_), PutByteOrQuestion{&replaced}, out, true))
    return false;
  out.room(kCopyPad);  // results can be read kCopyPad past their start
  out_ = std::move(out.p);
  outUsed_ = out.used;
  if (!splitJoined()) return false;
  if (replaced && lossy) *lossy = true;
  return true;
}

bool Cp932Batch::fromCp932() {
  if (pass_ == Cp932Pass::OneByOne) {
    oneByOne([](std::string_view s) { return tly::fromCp932(s); });
    return true;
  }
  OutBuf out(fromCp932Room(inUsed_));
  if (!fromCp932Converter().run(std::string_view(in_.get(), inUsed_), carryBadByte, out, true))
    return false;
  out.room(kCopyPad);  // results can be read kCopyPad past their start
  out_ = std::move(out.p);
  outUsed_ = out.used;
  return splitJoined();
}

}  // namespace tly
