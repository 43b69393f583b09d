// Little-endian byte reading and writing with bounds checks. Reading past the end
// throws ReadError instead of touching memory outside the buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tly {

struct ReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : d_(data) {}
  size_t pos() const { return p_; }
  size_t remaining() const { return d_.size() - p_; }
  bool atEnd() const { return p_ >= d_.size(); }
  void need(size_t n) const {
    if (n > remaining()) throw ReadError("unexpected end of data");
  }
  int16_t i16() {
    need(2);
    auto b0 = static_cast<uint8_t>(d_[p_]), b1 = static_cast<uint8_t>(d_[p_ + 1]);
    p_ += 2;
    return static_cast<int16_t>(static_cast<uint16_t>(b0 | (b1 << 8)));
  }
  int32_t i32() {
    need(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(d_[p_ + i]);
    p_ += 4;
    return static_cast<int32_t>(v);
  }
  float f32() {
    uint32_t u = static_cast<uint32_t>(i32());
    float f;
    std::memcpy(&f, &u, 4);
    return f;
  }
  std::string_view bytes(size_t n) {
    need(n);
    auto v = d_.substr(p_, n);
    p_ += n;
    return v;
  }
  // A text: 2-byte length then that many bytes (raw CP932, not converted).
  std::string_view text() {
    int16_t n = i16();
    if (n < 0) throw ReadError("negative text length");
    return bytes(static_cast<size_t>(n));
  }
  void skip(size_t n) { (void)bytes(n); }

 private:
  std::string_view d_;
  size_t p_ = 0;
};

class ByteWriter {
 public:
  void i16(int16_t v) {
    auto u = static_cast<uint16_t>(v);
    s_.push_back(static_cast<char>(u & 0xff));
    s_.push_back(static_cast<char>(u >> 8));
  }
  void i32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) s_.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
  }
  void f32(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    i32(static_cast<int32_t>(u));
  }
  void bytes(std::string_view b) { s_.append(b); }
  // A text given as raw CP932 bytes; longer than 32767 bytes is cut by the caller.
  void text(std::string_view cp932) {
    i16(static_cast<int16_t>(cp932.size()));
    s_.append(cp932);
  }
  void reserve(size_t n) { s_.reserve(n); }
  const std::string& data() const { return s_; }
  std::string take() { return std::move(s_); }

 private:
  std::string s_;
};

}  // namespace tly
