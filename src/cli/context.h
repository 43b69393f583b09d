// What every subcommand shares: reading numbers from arguments, the error stream as the
// procedures' message box, and reading the data file a command works on.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/filelock.h"
#include "model/result.h"
#include "session/state/app.h"

namespace tly::cli {

// How a subcommand ended: done, or a Failure. Its exit status and its last message are
// decided by finish() alone: 0 when done, 2 for BadArguments (the arguments are wrong or
// out of range), 1 for any other failure; a failure's why, when it has one, is written on
// the error stream as its own line.
using Outcome = Result<void>;
int exitCode(const Outcome& r);
int finish(const Outcome& r, std::ostream& err);
// The failures subcommands make: wrong arguments, and a command that cannot go on. why
// (without its line end) is the message; "" when the message is already written.
Failure badArguments(std::string why = "");
Failure stopped(std::string why = "");
// A failure of a procedure that has shown its own message (on the error stream): it
// keeps its kind and number, and nothing more is written.
Failure shown(const Failure& f);
// The message for a failed read of the data file at path.
std::string readFailureText(const Failure& f, const std::string& path);

// Walks a subcommand's arguments after its name: next() moves to the next argument,
// value() takes the one after it as the current option's value.
class ArgWalk {
 public:
  explicit ArgWalk(const std::vector<std::string>& args) : args_(args) {}
  bool next() { return ++i_ < args_.size(); }
  const std::string& arg() const { return args_[i_]; }
  bool value(std::string& v) {
    if (i_ + 1 >= args_.size()) return false;
    v = args_[++i_];
    return true;
  }

 private:
  const std::vector<std::string>& args_;
  size_t i_ = 0;
};

// A whole number lo..hi written in decimal digits (a leading "-" allowed, at most six
// characters); nothing for anything else.
std::optional<int> parseNumber(const std::string& s, int lo, int hi);

// "M/D" with M 1..12 and D 1..31 (a day past its month's end is the caller's to handle).
bool parseMonthDay(const std::string& s, int& m, int& d);

// The procedures' messages go to the error stream, one line each. A question is answered
// No or Cancel: the command line replaces or converts nothing it was not told to.
class ErrorStream : public MessageBoxService {
 public:
  explicit ErrorStream(std::ostream& err) : err_(err) {}
  MsgResult show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override;
  int shown = 0;

 protected:
  std::ostream& err_;
};

// One command's session: the tables (on the heap, they are large) with the messages of
// the procedures going to the error stream.
struct Context {
  explicit Context(std::ostream& err);
  std::ostream& err;
  ErrorStream messages;
  std::unique_ptr<App> app;
  // Held from before the read to after the save of a command that changes the file.
  std::unique_ptr<HeldLock> changeLock;
};

// Before a command changes the data file at path: takes the file's lock, which a window
// that has it open holds too, and for a working file "JJTEMP3.DAT" also makes sure no
// window runs on its folder. Refuses (the message on c.err, nothing read or changed)
// while either is held; a file that cannot be opened is left to the read to report.
Outcome holdForChange(Context& c, const std::string& path);

// Reads a current-format data file. A missing file, another format or a damaged file is
// reported on err (nothing is created or converted): then nothing is returned.
std::unique_ptr<SchoolYear> readYear(const std::string& path, std::ostream& err);
// Reads it and opens it as the Open command would, with the view options it carries.
// A failure has been written on c.err.
Outcome openYear(Context& c, const std::string& path);

// A text as one line of output: tab, CR, LF and the other control characters are written
// as \t, \r, \n or \xHH.
std::string oneLine(const std::string& text);

// The working files' bare names would mean the program folder; on the command line they
// name files in the current folder, as any other name does.
std::string inCurrentFolder(const std::string& path);

}  // namespace tly::cli
