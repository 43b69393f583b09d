// Texts written into Excel cells: never dropped, never cut silently at a NUL.
#include <gtest/gtest.h>

#include <string>

#include "io/workbook.h"
#include "support/tempdir.h"

namespace tly {
namespace {

struct CellCase {
  const char* name;
  std::string in;
  std::string starts;  // what the cell begins with
  std::string ends;    // and ends with
  bool cut;
};

TEST(ExcelCell, TextsAreKeptReplacedOrCutWithANote) {
  const std::string longText(65535, 'a');
  const std::string longKana = [] {
    std::string s;
    for (int i = 0; i < 40000; ++i) s += "あ";
    return s;
  }();
  const CellCase cases[] = {
      {"plain", "国語", "国語", "国語", false},
      {"NUL kept visible", std::string("前\0後", 7), "前\xEF\xBF\xBD後", "後", false},
      {"other controls", "a\x01" "b\x1F" "c", "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c", "c", false},
      {"line ends and tabs stay", "a\tb\r\nc", "a\tb\r\nc", "c", false},
      {"65535 bytes", longText, "aaaa", "文字を省略)", true},
      {"wide characters", longKana, "ああ", "文字を省略)", true},
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.name);
    bool cut = false;
    const std::string out = excelCellText(c.in, &cut);
    EXPECT_EQ(cut, c.cut);
    EXPECT_EQ(out.rfind(c.starts, 0), 0u);
    ASSERT_GE(out.size(), c.ends.size());
    EXPECT_EQ(out.substr(out.size() - c.ends.size()), c.ends);
    size_t units = 0;
    for (unsigned char b : out) units += (b & 0xC0) != 0x80;
    EXPECT_LE(units, kExcelCellChars);
  }
}

TEST(ExcelCell, AWorkbookWithACutTextIsWrittenWithAWarning) {
  test::TempDir dir;
  Workbook wb;
  wb.sheets.push_back({"月", {{WorkCell{std::string(65535, 'x'), {}, {}}, WorkCell{"行事", {}, {}}}}, {}});
  std::string warning;
  EXPECT_EQ(writeXlsx(dir.file("a.xlsx"), wb, &warning), "");
  EXPECT_NE(warning.find("切り詰めました"), std::string::npos);
  warning.clear();
  wb.sheets[0].rows[0][0].text = "短い";
  EXPECT_EQ(writeXlsx(dir.file("a.xlsx"), wb, &warning), "");
  EXPECT_EQ(warning, "");
}

// The page header: centred, "&" printed as written, never longer than Excel takes.
TEST(Workbook, HeaderText) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"2024年度 1年1組", "&C2024年度 1年1組"},
      {"A&B", "&CA&&B"},
      {"", "&C"},
      {std::string(300, 'x'), "&C" + std::string(253, 'x')},
      {std::string(200, '&'), "&C" + std::string(252, '&')},
      {"年" + std::string(300, 'y'), "&C年" + std::string(250, 'y')},
  };
  for (const Case& c : cases) {
    const std::string h = excelHeaderText(c.in);
    EXPECT_EQ(h, c.out) << c.in.substr(0, 20);
    EXPECT_LE(h.size(), 255u);
  }
}

}  // namespace
}  // namespace tly
