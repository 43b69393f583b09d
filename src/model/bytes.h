// Little-endian byte writing, and the copying of short texts that the data file's
// reading and writing do tens of thousands of times.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tly {

// memcpy for the many short texts of a data file: up to 16 bytes are copied inline with
// two overlapping loads and stores, which costs a fraction of a call to memcpy.
inline void copyBytes(char* dst, const char* src, size_t n) {
  if (n >= 8 && n <= 16) {
    uint64_t a, b;
    std::memcpy(&a, src, 8);
    std::memcpy(&b, src + n - 8, 8);
    std::memcpy(dst, &a, 8);
    std::memcpy(dst + n - 8, &b, 8);
  } else if (n >= 4 && n < 8) {
    uint32_t a, b;
    std::memcpy(&a, src, 4);
    std::memcpy(&b, src + n - 4, 4);
    std::memcpy(dst, &a, 4);
    std::memcpy(dst + n - 4, &b, 4);
  } else if (n > 0) {
    std::memcpy(dst, src, n);
  }
}

// How far past a text's start copyPadded may read and write.
constexpr size_t kCopyPad = 16;

// copyBytes for when kCopyPad bytes can be read at src and written at dst whatever n is:
// a text of up to that many bytes takes one copy of fixed size, with no branch on n.
inline void copyPadded(char* dst, const char* src, size_t n) {
  if (n <= kCopyPad)
    std::memcpy(dst, src, kCopyPad);
  else
    std::memcpy(dst, src, n);
}

// Sets s to t (which must not lie in s), copying inline when s already has the room:
// std::string::assign goes through a general replace that costs several times as much
// for a short text.
inline void setText(std::string& s, std::string_view t) {
  if (t.size() <= s.size()) {
    s.resize(t.size());
    copyBytes(s.data(), t.data(), t.size());
  } else {
    s.clear();
    s.append(t);
  }
}

// Writes go straight into a buffer that grows in large steps, as a data file is written
// two bytes at a time.
class ByteWriter {
 public:
  ByteWriter() = default;
  ByteWriter(const ByteWriter&) = delete;
  ByteWriter& operator=(const ByteWriter&) = delete;

  [[gnu::always_inline]] void i16(int16_t v) {
    auto u = static_cast<uint16_t>(v);
    char* p = room(2);
    p[0] = static_cast<char>(u & 0xff);
    p[1] = static_cast<char>(u >> 8);
  }
  void i32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    char* p = room(4);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xff);
  }
  void f32(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    i32(static_cast<int32_t>(u));
  }
  void bytes(std::string_view b) { copyBytes(room(b.size()), b.data(), b.size()); }
  // A text given as raw CP932 bytes; longer than 65534 bytes is cut by the caller.
  void text(std::string_view cp932) {
    auto n = static_cast<uint16_t>(cp932.size());
    char* p = room(2 + cp932.size());
    p[0] = static_cast<char>(n & 0xff);
    p[1] = static_cast<char>(n >> 8);
    copyBytes(p + 2, cp932.data(), cp932.size());
  }
  // The same for a text whose bytes can be read kCopyPad past its start.
  void paddedText(std::string_view cp932) {
    auto n = static_cast<uint16_t>(cp932.size());
    if (static_cast<size_t>(end_ - at_) < 2 + cp932.size() + kCopyPad) grow(2 + cp932.size() + kCopyPad);
    char* p = at_;
    p[0] = static_cast<char>(n & 0xff);
    p[1] = static_cast<char>(n >> 8);
    copyPadded(p + 2, cp932.data(), cp932.size());
    at_ = p + 2 + cp932.size();
  }
  void reserve(size_t n) {
    if (static_cast<size_t>(end_ - at_) < n) grow(n);
  }
  // n more bytes at the end, for the caller to fill.
  char* extend(size_t n) { return room(n); }
  size_t size() const { return at_ ? static_cast<size_t>(at_ - s_.data()) : 0; }
  std::string_view data() const { return {s_.data(), size()}; }
  std::string take() {
    s_.resize(size());
    at_ = end_ = nullptr;
    return std::move(s_);
  }

 private:
  char* room(size_t n) {
    if (static_cast<size_t>(end_ - at_) < n) grow(n);
    char* p = at_;
    at_ += n;
    return p;
  }
  // Room for n more bytes.
  void grow(size_t n) {
    size_t used = size();
    s_.resize(std::max(s_.size() * 2, used + n + 256));
    at_ = s_.data() + used;
    end_ = s_.data() + s_.size();
  }

  // The bytes written, then room. Until the first grow() it is empty and at_ and end_
  // are null. (Not copied or moved: the pointers point into it.)
  std::string s_;
  char* at_ = nullptr;   // where the next byte goes
  char* end_ = nullptr;  // of the room
};

}  // namespace tly
