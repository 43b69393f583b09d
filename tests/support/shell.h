// Runs a shell command and returns what it wrote (standard output and error together),
// for tests that read a written file back with an outside tool (pdftotext, python3).
#pragma once

#include <cstdio>
#include <string>

namespace tly::test {

inline std::string shellOutput(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return "popen failed";
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int st = pclose(p);
  if (status) *status = st;
  return out;
}

// A path or word as one shell argument.
inline std::string shellQuoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace tly::test
