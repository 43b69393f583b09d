#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/tempdir.h"

namespace tly {
namespace {

const std::string kRich = std::string(TLY_GOLDEN_DIR) + "/inputs/rich.dat";

std::string runOk(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  EXPECT_EQ(cli::run(args, out, err), 0) << err.str();
  return out.str();
}

std::string runPython(const std::string& script, const std::string& dir) {
  const std::string path = dir + "/read.py";
  test::writeBytes(path, script);
  std::string out;
  // Debian's interpreter, where python3-openpyxl is installed.
  FILE* p = popen(("/usr/bin/python3 " + path + " 2>&1").c_str(), "r");
  if (!p) return "popen failed";
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

// The report's rows as "class<TAB>subject<TAB>...": the class name from each block's first line.
std::string reportRows(const std::string& tsv) {
  std::istringstream in(tsv);
  std::string line, cls, out;
  while (std::getline(in, line)) {
    const size_t tabs = static_cast<size_t>(std::count(line.begin(), line.end(), '\t'));
    if (tabs == 1) cls = line.substr(0, line.find('\t'));
    if (tabs == 6 && line.rfind("教科\t", 0) != 0) out += cls + "\t" + line + "\n";
  }
  return out;
}

// The workbook opens in openpyxl; its report sheet holds the values `tly report` prints,
// the schedules shade Sundays and holidays, and every sheet is there.
TEST(ExportCommand, WorkbookReadsBackInASpreadsheetLibrary) {
  test::TempDir tmp;
  const std::string xlsx = tmp.file("out.xlsx");
  const std::string tsv = runOk({"report", kRich, "--to", "7/17"});
  runOk({"export", kRich, "--xlsx", xlsx, "--to", "7/17"});

  const std::string script = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1] if len(sys.argv) > 1 else ")" + xlsx + R"(")
ws = wb["標準時数との比較"]
for row in ws.iter_rows(min_row=3, values_only=True):
    cls, grade, subject, std, planned, held, rem, surplus, rate = row
    num = lambda v: "" if v is None else str(int(v))
    r = "" if rate is None or rate == "" else "%.1f%%" % (rate * 100)
    print("\t".join([cls, subject, num(std), num(planned), num(held), num(rem), num(surplus), r]))
print("SHEETS", len(wb.sheetnames), wb.sheetnames[1], wb.sheetnames[-1])
m = wb["1年4月"]
def fill(d): return m.cell(row=d + 2, column=4).fill.fgColor.rgb
print("FILL", m.cell(row=2, column=1).value, m.cell(row=7, column=1).value, fill(5), fill(29), fill(6))
)";
  const std::string got = runPython(script, tmp.path());
  const std::string rows = got.substr(0, got.find("SHEETS"));
  EXPECT_EQ(rows, reportRows(tsv)) << got;
  EXPECT_FALSE(rows.empty());
  // 1 report + 3 grades x 12 months + 3 tally tables + 2 timetable sheets.
  EXPECT_NE(got.find("SHEETS 42 1年4月 教師時間割"), std::string::npos) << got;
  // 5 April 1998 is a Sunday, 29 April a holiday, 6 April a Monday.
  EXPECT_NE(got.find("FILL 日 5 FFD9D9D9 FFD9D9D9 00000000"), std::string::npos) << got;
}

TEST(ExportCommand, CsvFolderWithByteOrderMarkAndRefusals) {
  test::TempDir tmp;
  const std::string dir = tmp.file("csv");
  runOk({"export", kRich, "--csv", dir, "--to", "7/17"});
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) files += e.path().extension() == ".csv";
  EXPECT_EQ(files, 42u);
  const std::string first = test::readBytes(dir + "/01_標準時数との比較.csv");
  EXPECT_EQ(first.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_NE(first.find("\r\n学級,学年,教科,標準時数,年間計画,実施済み,残り,過不足,消化率\r\n"), std::string::npos) << first;

  std::ostringstream out, err;
  EXPECT_EQ(cli::run({"export", kRich}, out, err), 2);
  EXPECT_EQ(cli::run({"export", kRich, "--xlsx", tmp.file("a.xlsx"), "--csv", dir}, out, err), 2);
  EXPECT_EQ(cli::run({"export", kRich, "--xlsx", tmp.file("no/such/dir/a.xlsx")}, out, err), 1);
  EXPECT_FALSE(std::filesystem::exists(tmp.file("a.xlsx")));
}

}  // namespace
}  // namespace tly
