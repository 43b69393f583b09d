// How a read, a write or an action fails, and the value-or-failure every reader, writer
// and file procedure returns. No exceptions: a caller that does not look at the result
// gets a warning ([[nodiscard]]).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tly {

enum class Fault : uint8_t {
  NotFound,     // there is no such file
  Unreadable,   // the file could not be read (error: errno; EFBIG for a file far too large,
                // EISDIR or ENODEV for something that is not a regular file)
  NoSignature,  // the file is not in the current format (empty files included)
  Damaged,      // the file ends early or holds a value out of range (error: the damage's number)
  WriteFailed,  // a save could not be completed; the previous file is whole (error: errno)
  Cancelled,    // a dialog was cancelled or a question declined: nothing changed
  BadDialog,    // the file dialog failed or gave no name
  Reported,     // the procedure has already told the user what failed (a message box)
  BadArguments, // command line: the arguments are wrong or out of range
};

struct Failure {
  Fault code = Fault::Reported;
  int error = 0;    // errno, or the error number the message shows; 0 when there is none
  std::string why;  // the detail the messages show (a Japanese description), may be empty
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}  // NOLINT: a value is a success
  Result(Failure f) : v_(std::move(f)) {}    // NOLINT: so is a failure
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(v_); }
  const T& value() const { return std::get<0>(v_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Failure& failure() const { return std::get<1>(v_); }
  // The failure's kind; only meaningful when !ok().
  Fault code() const { return failure().code; }
  bool is(Fault f) const { return !ok() && code() == f; }

 private:
  std::variant<T, Failure> v_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure f) : f_(std::move(f)) {}  // NOLINT: a failure
  bool ok() const { return !f_; }
  explicit operator bool() const { return ok(); }
  const Failure& failure() const { return *f_; }
  Fault code() const { return f_->code; }
  bool is(Fault f) const { return !ok() && code() == f; }

 private:
  std::optional<Failure> f_;
};

// True when r succeeded with the value v.
template <class T>
bool holds(const Result<T>& r, const T& v) {
  return r.ok() && r.value() == v;
}

// A failure of a system call: error is e, why the system's text for it.
Failure systemFailure(Fault code, int e);
// A read's failure: NotFound for ENOENT, Unreadable for any other errno value.
Failure readFailure(int e);

}  // namespace tly
