// Texts converted together give, text for text, what each gives converted alone, whatever
// stands next to it: a bad sequence at the end of one text never reaches into the next.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/cp932.h"
#include "model/os.h"

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

// One character, or the pair of bytes that may be one, through the system conversion.
bool systemConverts(os::Cp932Way way, std::string_view in, std::string* out) {
  const char* ip = in.data();
  size_t il = in.size();
  char buf[16];
  char* op = buf;
  size_t ol = sizeof buf;
  if (os::convertCp932(way, &ip, &il, &op, &ol) != os::Cp932Stop::Done) return false;
  out->append(buf, static_cast<size_t>(op - buf));
  return true;
}

// The conversions worked out a character at a time: reading takes two bytes where they
// are a character and carries a byte that begins none; writing gives back the byte of a
// carrier (of a byte that begins no character: no lead byte) and makes "?" of what CP932
// cannot hold.
std::string readByCharacter(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    if (i + 1 < s.size() && systemConverts(os::Cp932Way::FromCp932, s.substr(i, 2), &out)) {
      i += 2;
    } else if (!isCp932Lead(static_cast<unsigned char>(s[i])) &&
               systemConverts(os::Cp932Way::FromCp932, s.substr(i, 1), &out)) {
      i += 1;
    } else {
      const unsigned cp = kCp932CarrierBase + static_cast<unsigned char>(s[i++]);
      out += {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
              static_cast<char>(0x80 | (cp & 0x3F))};
    }
  }
  return out;
}

std::string writeByCharacter(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (c == 0xEF && i + 2 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xFE) == 0x9E) {
      // A carrier of a byte that begins no character: the byte.
      out += static_cast<char>(((static_cast<unsigned char>(s[i + 1]) & 1) << 6 | (s[i + 2] & 0x3F)) + 0x80);
    } else if (!systemConverts(os::Cp932Way::ToCp932, s.substr(i, n), &out)) {
      out += '?';
    }
    i += n;
  }
  return out;
}

TEST(Cp932Batch, LongAsciiRunsAmongOtherCharactersConvertAsCharacterByCharacter) {
  // Texts pieced together at random from pieces that meet ASCII in every way: a run of
  // ASCII (or of NULs, as between empty texts) after a lead byte that takes its first byte
  // as its second, before and after double-byte and unconvertible characters.
  const std::vector<std::string> filePieces = {
      "abcdefghijklmnopqrstuvwxyz", std::string(20, '\0'), "@ABC", "\\", "\x81", "\x82", "\xEE", "\xFC",
      "\x8d\x91\x8c\xea", "\x83\x5c", "\xb8", "\x80", "\xfd\xff", "\x85\x40", "\x81\x20"};
  const std::vector<std::string> tablePieces = {"abcdefghijklmnopqrstuvwxyz", std::string(20, '\0'), "@A",
                                                "国語", "ソ", "ｸﾗﾌﾞ", "😀", "①", "€", "~",
                                                "\uF780", "\uF7A0", "\uF7FD"};  // carriers of 80, A0, FD
  std::mt19937 random(20241);
  for (bool encode : {false, true}) {
    const auto& pieces = encode ? tablePieces : filePieces;
    std::vector<std::string> texts;
    for (int t = 0; t < 3000; ++t) {
      std::string text;
      const int n = static_cast<int>(random() % 9);
      for (int k = 0; k < n; ++k) text += pieces[random() % pieces.size()];
      texts.push_back(text);
    }
    // Text by text, and joined (only the texts without NULs: a joined text cannot hold one).
    std::vector<std::string> noNul;
    for (const auto& t : texts)
      if (t.find('\0') == std::string::npos) noNul.push_back(t);
    for (auto [pass, batchTexts] : {std::pair{Cp932Pass::OneByOne, &texts}, {Cp932Pass::Joined, &noNul}}) {
      Cp932Batch batch(pass);
      for (const auto& t : *batchTexts) batch.add(t);
      ASSERT_TRUE(encode ? batch.toCp932() : batch.fromCp932());
      for (size_t i = 0; i < batchTexts->size(); ++i) {
        const std::string& t = (*batchTexts)[i];
        const std::string expected = encode ? writeByCharacter(t) : readByCharacter(t);
        ASSERT_EQ(batch.result(i), expected) << testing::PrintToString(t);
        ASSERT_EQ(encode ? toCp932(t) : fromCp932(t), expected) << testing::PrintToString(t);
      }
    }
  }
}

}  // namespace
}  // namespace tly
