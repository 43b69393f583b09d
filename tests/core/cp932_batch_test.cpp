// Texts converted together give, text for text, what each gives converted alone, whatever
// stands next to it: a bad sequence at the end of one text never reaches into the next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/cp932.h"

namespace tly {
namespace {

std::string times(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

// CP932 bytes as a damaged or foreign file may hold them.
const std::vector<std::string> kFileTexts = {
    "",
    "abc 123~\\",
    "\x8d\x91\x8c\xea",          // 国語
    "\xb8\xd7\xcc\xde",          // ｸﾗﾌﾞ, half-width
    "\x80\xa0\xfd\xfe\xff",      // bytes that start no character
    "A\x81",                     // a lead byte at the end
    "\x81",                      // a lead byte alone
    "@A",                        // starts with a byte that may follow a lead byte
    "\x81\x20" "B",              // a lead byte before a byte that cannot follow it
    "\x81\x81\x81",              // lead bytes only
    "\x85\x40\x87\x40\xfc\xfc",  // unassigned, ①, the last lead byte
    times("\x82\xa0", 20000),    // 40000 bytes
};

// UTF-8 as the tables may hold it, and what is not UTF-8 at all.
const std::vector<std::string> kTableTexts = {
    "",
    "abc 123~\\",
    "国語ｸﾗﾌﾞ①髙",
    "a😀b€",              // CP932 cannot hold these
    "\xff\xfe",          // not UTF-8
    "x\xe3\x81",         // a character cut short at the end
    "\x81\x82y",         // continuation bytes first
    "\xc0\x80",          // over-long form
    "\xed\xa0\x80",      // a surrogate
    "\xf4\x90\x80\x80",  // past U+10FFFF
    times("あ", 20000),   // 40000 bytes in CP932
};

struct Direction {
  const char* name;
  const std::vector<std::string>& texts;
  bool encode;
};

// Converts texts as a batch and text by text; expects the same results and notes.
void expectSameAsOneByOne(const std::vector<std::string>& texts, bool encode, Cp932Pass pass) {
  Cp932Batch batch(pass);
  for (const auto& t : texts) batch.add(t);
  bool lossy = false, lossyEach = false;
  ASSERT_TRUE(encode ? batch.toCp932(&lossy) : batch.fromCp932());
  for (size_t i = 0; i < texts.size(); ++i) {
    std::string alone = encode ? toCp932(texts[i], &lossyEach) : fromCp932(texts[i]);
    ASSERT_EQ(batch.result(i), alone) << "text " << i;
  }
  EXPECT_EQ(lossy, lossyEach);
}

TEST(Cp932Batch, EveryTextConvertsAsItWouldAloneWhateverItsNeighbours) {
  const std::string withNul("a\0\x81", 3);
  for (const Direction& d : {Direction{"reading", kFileTexts, false}, Direction{"writing", kTableTexts, true}}) {
    SCOPED_TRACE(d.name);
    for (const auto& a : d.texts)
      for (const auto& b : d.texts) expectSameAsOneByOne({a, b, a}, d.encode, Cp932Pass::Joined);
    expectSameAsOneByOne(d.texts, d.encode, Cp932Pass::Joined);
    expectSameAsOneByOne(d.texts, d.encode, Cp932Pass::OneByOne);
    // A text holding the NUL that joins the texts: they cannot be joined, and one by one
    // they convert as ever.
    std::vector<std::string> nul = d.texts;
    nul.insert(nul.begin() + 3, withNul);
    Cp932Batch joined;
    for (const auto& t : nul) joined.add(t);
    EXPECT_FALSE(d.encode ? joined.toCp932() : joined.fromCp932());
    expectSameAsOneByOne(nul, d.encode, Cp932Pass::OneByOne);
  }
  Cp932Batch none;
  EXPECT_TRUE(none.fromCp932());
  EXPECT_EQ(none.size(), 0u);
}

TEST(Cp932Carriers, ASavedTextReadsBackAsSaved) {
  // Bytes of a file's text, what saving what was read writes, and whether it says it lost
  // something. Each saved text reads and saves again to the same bytes.
  struct Case {
    std::string file, saved;
    bool lossy;
  } cases[] = {
      {"\xEE\xEE", "\xEE\xEE", false},                 // an unassigned pair stays
      {"\x85\x41z", "\x85\x41z", false},               // a lead byte before a letter it cannot pair with
      {"\xEE\xEE\x5C", "?\xFB\x78", true},             // EE carried, then 砡 (EE 5C) written FB 78
      {"\x85\xEE\x5C", "\x85\xFB\x78", false},         // 85 FB is no character: 85 is kept
      {"\xEE\xEE\xEE\x5C", "\xEE?\xFB\x78", true},     // only the carrier next to 砡 goes
      {"\xEE", "\xEE", false},                         // a lone lead byte at the end
  };
  for (const Case& c : cases) {
    bool lossy = false;
    const std::string saved = toCp932(fromCp932(c.file), &lossy);
    EXPECT_EQ(saved, c.saved) << testing::PrintToString(c.file);
    EXPECT_EQ(lossy, c.lossy) << testing::PrintToString(c.file);
    bool again = false;
    EXPECT_EQ(toCp932(fromCp932(saved), &again), saved) << testing::PrintToString(c.file);
    EXPECT_FALSE(again);
  }
}

}  // namespace
}  // namespace tly
