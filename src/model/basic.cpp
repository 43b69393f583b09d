#include "model/basic.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace tly {

double Val(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  size_t start = i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j, ++expDigits;
    if (expDigits) i = j;
  }
  std::string num(s.substr(start, i - start));
  double v = std::strtod(num.c_str(), nullptr);
  if (!std::isfinite(v)) return 0;
  return v;
}

double roundHalfEven(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);  // default rounding mode is to nearest, ties to even
  return r;
}

int16_t cint16(double v) {
  double r = roundHalfEven(v);
  if (r > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (r < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(r);
}

std::string trimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return std::string(s.substr(b));
}

std::string trimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return std::string(s.substr(0, e));
}

std::string trimBlanks(std::string_view s) { return std::string(trimBlanksView(s)); }

std::string numText(long n, bool signSpace) {
  std::string t = std::to_string(n);
  if (signSpace && n >= 0) t.insert(t.begin(), ' ');
  return t;
}

size_t utf8CharLen(std::string_view s) {
  if (s.empty()) return 0;
  auto c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  if (n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) return 1;
  return n;
}

std::vector<std::string> utf8Chars(std::string_view s) {
  std::vector<std::string> out;
  while (!s.empty()) {
    size_t n = utf8CharLen(s);
    out.emplace_back(s.substr(0, n));
    s.remove_prefix(n);
  }
  return out;
}

std::string sanitizeUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  while (!s.empty()) {
    size_t n = utf8CharLen(s);
    auto c = static_cast<unsigned char>(s[0]);
    bool ok = !(n == 1 && c >= 0x80);
    if (ok && n == 3) {
      // Reject overlong forms and surrogates.
      unsigned cp = ((c & 0x0F) << 12) | ((static_cast<unsigned char>(s[1]) & 0x3F) << 6) |
                    (static_cast<unsigned char>(s[2]) & 0x3F);
      ok = cp >= 0x800 && !(cp >= 0xD800 && cp <= 0xDFFF);
    } else if (ok && n == 2) {
      ok = c >= 0xC2;
    } else if (ok && n == 4) {
      unsigned cp = ((c & 0x07) << 18) | ((static_cast<unsigned char>(s[1]) & 0x3F) << 12) |
                    ((static_cast<unsigned char>(s[2]) & 0x3F) << 6) | (static_cast<unsigned char>(s[3]) & 0x3F);
      ok = cp >= 0x10000 && cp <= 0x10FFFF;
    }
    if (ok)
      out.append(s.substr(0, n));
    else
      out.append("\xEF\xBF\xBD");
    s.remove_prefix(n);
  }
  return out;
}

int leadingGradeDigit(std::string_view s) {
  if (s.empty()) return 0;
  auto c = static_cast<unsigned char>(s[0]);
  if (c >= '1' && c <= '9') return c - '0';
  // Full-width digits U+FF11..U+FF19 are EF BC 91..99.
  if (s.size() >= 3 && c == 0xEF && static_cast<unsigned char>(s[1]) == 0xBC) {
    auto d = static_cast<unsigned char>(s[2]);
    if (d >= 0x91 && d <= 0x99) return d - 0x90;
  }
  return 0;
}

}  // namespace tly
