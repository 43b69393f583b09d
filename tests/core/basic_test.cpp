#include <gtest/gtest.h>

#include "model/basic.h"
#include "model/cp932.h"

namespace tly {
namespace {

TEST(Basic, ValReadsTheNumberAtTheStart) {
  EXPECT_EQ(Val("1999年"), 1999);
  EXPECT_EQ(Val("  2001"), 2001);
  EXPECT_EQ(Val("平成11"), 0);
  EXPECT_EQ(Val(""), 0);
  EXPECT_DOUBLE_EQ(Val("6.5x"), 6.5);
  EXPECT_EQ(Val("-3"), -3);
  EXPECT_EQ(Val("1e999"), 0);  // overflow is no number, never infinity
}

TEST(Basic, RoundingGoesToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(6.5), 6);
  EXPECT_EQ(roundHalfEven(5.5), 6);
  EXPECT_EQ(roundHalfEven(4.4), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(cint16(1e9), 32767);
  EXPECT_EQ(cint16(9.5 * 22), 209);
}

TEST(Basic, TrimTouchesHalfWidthBlanksOnly) {
  EXPECT_EQ(trimBlanks("  国語 "), "国語");
  EXPECT_EQ(trimBlanks("　国語　"), "　国語　");
  EXPECT_EQ(numText(3, true), " 3");
  EXPECT_EQ(numText(-3, true), "-3");
  EXPECT_EQ(leadingGradeDigit("３年1組"), 3);
  EXPECT_EQ(leadingGradeDigit("2年"), 2);
  EXPECT_EQ(leadingGradeDigit("０年"), 0);
  EXPECT_EQ(leadingGradeDigit("A組"), 0);
}

TEST(Cp932, RoundTripsJapaneseAndMarksWhatItCannotHold) {
  std::string s = "行　事ｸﾗﾌﾞ①";
  bool lossy = false;
  std::string b = toCp932(s, &lossy);
  EXPECT_FALSE(lossy);
  EXPECT_EQ(b.substr(0, 2), "\x8d\x73");  // 行
  EXPECT_EQ(fromCp932(b), s);
  lossy = false;
  EXPECT_EQ(toCp932("a😀b", &lossy), "a?b");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(fromCp932(std::string("\x8d", 1)), "\xEF\x9E\x8D");  // carried as U+F78D
  EXPECT_EQ(cutCp932(toCp932("あいう"), 5), toCp932("あい"));
  EXPECT_EQ(sanitizeUtf8("a\xff" "b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace tly
