// Every CP932 code both ways: each byte 00..FF, each lead byte with each second byte, and
// each character of the Basic Multilingual Plane. The whole table is pinned by one digest,
// the same on Linux (iconv) and on Windows (code page 932 of the Win32 API): a difference
// in either conversion changes it. With TLY_CP932_DUMP=FILE the table is also written out,
// one line a code, so that two systems' tables can be compared line by line.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "model/cp932.h"

namespace tly {
namespace {

std::string hex(std::string_view s) {
  static const char* d = "0123456789ABCDEF";
  std::string h;
  for (unsigned char c : s) {
    h += d[c >> 4];
    h += d[c & 15];
  }
  return h;
}

std::string utf8Of(unsigned cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

bool isLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

struct Table {
  std::string text;      // one line a code: input, its conversion, and that converted back
  int roundTrips = 0;    // CP932 codes read and written back unchanged
  int duplicates = 0;    // two-byte codes written back as another code of the same character
  std::vector<std::string> broken;  // codes whose conversion back gives another character
};

Table buildTable() {
  Table t;
  auto cp932Code = [&](const std::string& bytes) {
    const std::string u = fromCp932(bytes);
    const std::string back = toCp932(u);
    t.text += "R " + hex(bytes) + " " + hex(u) + " " + hex(back) + "\n";
    if (back == bytes)
      ++t.roundTrips;
    else if (fromCp932(back) == u)
      ++t.duplicates;
    else
      t.broken.push_back(hex(bytes));
  };
  for (unsigned b = 0; b < 0x100; ++b) cp932Code(std::string(1, static_cast<char>(b)));
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!isLead(lead)) continue;
    for (unsigned trail = 0; trail < 0x100; ++trail)
      cp932Code(std::string{static_cast<char>(lead), static_cast<char>(trail)});
  }
  for (unsigned cp = 0; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    bool lossy = false;
    const std::string bytes = toCp932(utf8Of(cp), &lossy);
    t.text += "W " + hex(utf8Of(cp)) + " " + hex(bytes) + (lossy ? " ?" : "") + "\n";
  }
  return t;
}

uint64_t fnv1a(std::string_view s) {
  uint64_t h = 0xcbf29ce484222325ULL;
  for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ULL;
  return h;
}

TEST(Cp932Table, EveryCodeBothWaysGivesThePinnedTable) {
  const Table t = buildTable();
  if (const char* dump = std::getenv("TLY_CP932_DUMP")) std::ofstream(dump, std::ios::binary) << t.text;
  // Every code reads and writes back unchanged, but for the NEC and IBM duplicates,
  // which are written as the one code Windows writes for their character.
  EXPECT_TRUE(t.broken.empty()) << "first: " << t.broken.front();
  EXPECT_EQ(t.duplicates, 398);
  EXPECT_EQ(t.roundTrips, 256 + 60 * 256 - 398);
  char digest[17];
  std::snprintf(digest, sizeof digest, "%016llX", static_cast<unsigned long long>(fnv1a(t.text)));
  EXPECT_STREQ(digest, "4F4F462D8F474437");
}

}  // namespace
}  // namespace tly
