// Conversion between the tables' UTF-8 and the files' CP932 (Shift-JIS), through the system's
// conversion (model/os.h).
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/bytes.h"

namespace tly {

// A byte of a file's text that is no CP932 character (80, A0, FD..FF, a lead byte
// without its second byte, an unassigned pair's lead byte) is read as the private-use
// character U+F700 + byte and written back as that same byte, so that reading and saving
// a file never changes a text the user did not touch. The one exception: a carried lead
// byte that would be read back together with the first byte written for the character
// after it (that character read from other bytes than it is written as, "EE 5C" written
// "FB 78") is written as "?" and sets *lossy, so that a second save changes nothing.
constexpr unsigned kCp932CarrierBase = 0xF700;

// UTF-8 -> CP932. A carrier (above) becomes its byte; any other character CP932 cannot
// hold becomes "?" and sets *lossy (when given).
std::string toCp932(std::string_view utf8, bool* lossy = nullptr);
// CP932 -> UTF-8. Each byte that does not begin a CP932 character becomes its carrier.
std::string fromCp932(std::string_view cp932);
// Cut CP932 bytes to at most maxBytes without splitting a double-byte character.
std::string cutCp932(std::string_view cp932, size_t maxBytes);
// True when b is a lead byte of a CP932 double-byte character.
bool isCp932Lead(unsigned char b);

// How a Cp932Batch converts: all texts in one conversion pass, or each text by itself (the
// way to take when some text holds a NUL; also callable to compare the two).
enum class Cp932Pass { Joined, OneByOne };

// Many texts converted together. A data file holds tens of thousands of short texts, and
// one system call per text costs several times the conversion itself; joined, they take
// one call. The texts are joined with a NUL after each and split at the NULs afterwards.
// Each result is exactly what toCp932 / fromCp932 gives for that text alone: a bad or
// unconvertible sequence is replaced within its own text (a lead byte at the end of a
// text never takes the NUL after it as its second byte). Texts of which one holds a NUL
// itself cannot be joined; the conversion then says so, and the texts are to be added
// again to a batch that converts them one by one. (Joined, the batch does not keep where
// each text ends: it would add a store and 8 bytes a text to every read and write.)
class Cp932Batch {
 public:
  explicit Cp932Batch(Cp932Pass pass = Cp932Pass::Joined) : pass_(pass) {}

  // Room for `texts` more texts of `bytes` bytes in all.
  void reserve(size_t texts, size_t bytes);
  // Adds a text to convert.
  void add(std::string_view text) { add<false>(text); }
  // The same for a text whose bytes can be read kCopyPad past its start.
  void addPadded(std::string_view text) { add<true>(text); }
  // Adds up to `most` texts in a row: next() gives each in turn, or std::nullopt for one
  // to leave out. Texts whose bytes can be read kCopyPad past their start without
  // passing `readable` (null: none) are copied that many bytes at a time. Faster than
  // add() for many short texts, as the place to write stays in registers; if next()
  // throws, the batch is to be thrown away.
  template <class Next>
  void addEach(size_t most, Next next, const char* readable = nullptr) {
    if (pass_ == Cp932Pass::OneByOne) {
      for (size_t j = 0; j < most; ++j)
        if (std::optional<std::string_view> t = next()) add(*t);
      return;
    }
    char* base = in_.get();
    char* in = base + inUsed_;
    char* limit = base + inCap_;
    size_t count = count_;
    for (size_t j = 0; j < most; ++j) {
      std::optional<std::string_view> t = next();
      if (!t) continue;
      const size_t n = t->size();
      if (static_cast<size_t>(limit - in) <= n + kCopyPad) {
        inUsed_ = static_cast<size_t>(in - base);
        grow(n + 1 + kCopyPad);
        base = in_.get();
        in = base + inUsed_;
        limit = base + inCap_;
      }
      if (readable && readable - t->data() >= static_cast<std::ptrdiff_t>(kCopyPad))
        copyPadded(in, t->data(), n);
      else
        copyBytes(in, t->data(), n);
      in += n;
      *in++ = '\0';
      ++count;
    }
    inUsed_ = static_cast<size_t>(in - base);
    count_ = count;
  }
  size_t size() const { return count_; }

  // Convert every text added, UTF-8 -> CP932 (sets *lossy as toCp932 does) or
  // CP932 -> UTF-8. Then result(i) is the i-th text added, converted. False when the
  // texts cannot be joined (see above), leaving the batch of no further use and *lossy
  // as it was; never when they are converted one by one.
  [[nodiscard]] bool toCp932(bool* lossy = nullptr);
  [[nodiscard]] bool fromCp932();
  // Its bytes can be read kCopyPad past its start.
  std::string_view result(size_t i) const {
    size_t b = outEnd_[i] + 1, e = outEnd_[i + 1];
    return {out_.get() + b, e - b};
  }
  // Total bytes of the results.
  size_t resultBytes() const { return outUsed_ - count_; }

 private:
  template <bool padded>
  void add(std::string_view text) {
    if (inCap_ - inUsed_ <= text.size() + kCopyPad) grow(text.size() + 1 + kCopyPad);
    if constexpr (padded)
      copyPadded(in_.get() + inUsed_, text.data(), text.size());
    else
      copyBytes(in_.get() + inUsed_, text.data(), text.size());
    inUsed_ += text.size();
    if (pass_ == Cp932Pass::OneByOne) keepEnd();
    ++count_;
    in_[inUsed_++] = '\0';
  }
  [[gnu::cold, gnu::noinline]] void grow(size_t bytes);
  void keepEnd();
  template <class Convert>
  void oneByOne(Convert convert);
  bool splitJoined();

  Cp932Pass pass_;
  std::unique_ptr<char[]> in_;   // the texts, each followed by a NUL
  size_t inCap_ = 0, inUsed_ = 0;
  size_t count_ = 0;
  std::vector<size_t> inEnd_;    // one by one: where each text ends in in_ (at its NUL)
  std::unique_ptr<char[]> out_;  // their results, each followed by a NUL
  size_t outUsed_ = 0;
  // outEnd_[i + 1]: where result i ends in out_ (at its NUL); outEnd_[0] is one before
  // the start (SIZE_MAX, wrapping to 0).
  std::unique_ptr<size_t[]> outEnd_;
};

}  // namespace tly
