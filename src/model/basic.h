// Number and text helpers with the semantics the stored data and the rules rely on:
// BASIC-style Val, banker's rounding, half-width-blank trimming, UTF-8 character walking.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tly {

// The number at the start of s (leading half-width blanks and tabs skipped, optional sign,
// digits, optional fraction and exponent). 0 when s does not start with a number.
double Val(std::string_view s);
// Round half to even, as the old integer conversion did.
double roundHalfEven(double v);
// roundHalfEven clamped into int16_t range.
int16_t cint16(double v);
// Trim half-width blanks (U+0020) only, both ends.
std::string trimBlanks(std::string_view s);
// The same, as a view into s.
inline std::string_view trimBlanksView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
// Decimal text of n; with signSpace a non-negative number gets one leading blank.
std::string numText(long n, bool signSpace = false);
// Split UTF-8 text into characters (invalid bytes become single-byte pieces).
std::vector<std::string> utf8Chars(std::string_view s);
// Byte length of the first UTF-8 character of s (1 for an invalid lead byte, 0 for empty).
size_t utf8CharLen(std::string_view s);
// Replace invalid UTF-8 sequences by U+FFFD so the text is safe to hand to any toolkit.
std::string sanitizeUtf8(std::string_view s);
// Grade digit a text starts with: 1..9 for a half- or full-width digit 1..9, else 0.
int leadingGradeDigit(std::string_view s);

}  // namespace tly
