#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/shell.h"
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
  // 1 report + 3 grades x 12 months + 3 tally tables + 2 timetable sheets, then for each of
  // the 3 class timetables 12 months and its tally.
  EXPECT_NE(got.find("SHEETS 81 1年4月 2年1組 集計"), std::string::npos) << got;
  // 5 April 1998 is a Sunday, 29 April a holiday, 6 April a Monday.
  EXPECT_NE(got.find("FILL 日 5 FFD9D9D9 FFD9D9D9 00000000"), std::string::npos) << got;
}

// The sheets of each class: every month equals `tly month --class N` cell by cell; the
// tally by subject and month adds up to `tly tally --class N` and to the report's 年間計画;
// every sheet has frozen heads, print titles, A4 landscape one page wide and a header.
TEST(ExportCommand, ClassSheetsEqualTheCommandLinesViews) {
  test::TempDir tmp;
  const std::string xlsx = tmp.file("out.xlsx");
  runOk({"export", kRich, "--xlsx", xlsx, "--to", "7/17"});
  struct Case {
    int number, grade;
    const char* name;
    int month;
  } cases[] = {{1, 1, "1年1組", 4}, {1, 1, "1年1組", 2}, {2, 3, "3年2組", 10}, {3, 2, "2年1組", 3}};
  const std::string script = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
def text(v):
    if v is None: return ""
    if isinstance(v, float): return str(int(v))
    return str(v)
if sys.argv[2] == "month":
    for row in wb[sys.argv[3]].iter_rows(min_row=2, values_only=True):
        print("\t".join(text(v) for v in row))
elif sys.argv[2] == "tally":
    ws = wb[sys.argv[3]]
    for row in ws.iter_rows(min_row=3, values_only=True):
        months = [int(v) for v in row[1:13]]
        print("%s\t%d\t%d" % (row[0], int(row[13]), sum(months)))
else:
    for ws in wb.worksheets:
        ps = ws.page_setup
        print(ws.title, ws.freeze_panes, ws.print_title_rows, ps.orientation, ps.paperSize, ps.fitToWidth,
              ps.fitToHeight, ws.sheet_properties.pageSetUpPr.fitToPage, ws.oddHeader.center.text)
)";
  test::writeBytes(tmp.file("read.py"), script);
  auto python = [&](const std::string& what, const std::string& sheet) {
    return test::shellOutput("/usr/bin/python3 " + tmp.file("read.py") + " " + xlsx + " " + what + " " +
                             test::shellQuoted(sheet));
  };
  for (const Case& c : cases) {
    const std::string sheet = std::string(c.name) + " " + std::to_string(c.month) + "月";
    std::string want = runOk({"month", kRich, "--grade", std::to_string(c.grade), "--month", std::to_string(c.month),
                              "--class", std::to_string(c.number)});
    // The view's text ends its lines with CR LF and leaves a trailing tab off no cell.
    std::string got = python("month", sheet), norm;
    for (char ch : want)
      if (ch != '\r') norm += ch;
    EXPECT_EQ(got, norm) << sheet;
  }
  int compared = 0;
  for (const Case& c : {cases[0], cases[2], cases[3]}) {
    // The timetable tally as name<TAB>hours for every entry and item, then the total.
    const std::string tally =
        runOk({"tally", kRich, "--grade", std::to_string(c.grade), "--class", std::to_string(c.number)});
    std::istringstream in(tally);
    std::string line, entries, items, total;
    std::getline(in, line);  // heads
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> f;
      std::istringstream cells(line);
      for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
      f.resize(5);
      if (f[1] == "総時間数")
        total = f[2];
      else if (!f[1].empty())
        entries += f[1] + "\t" + f[2] + "\t" + f[2] + "\n";
      if (!f[3].empty()) items += f[3] + "\t" + f[4] + "\t" + f[4] + "\n";
    }
    const std::string want = entries + items + "総時間数\t" + total + "\t" + total + "\n";
    const std::string got = python("tally", std::string(c.name) + " 集計");
    EXPECT_EQ(got, want) << c.name;

    // The report's 年間計画 of each subject is what the sheet's rows of that name add up to.
    const std::string report = runOk({"report", kRich, "--class", std::to_string(c.number)});
    std::istringstream rin(report);
    while (std::getline(rin, line)) {
      std::vector<std::string> f;
      std::istringstream cells(line);
      for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
      if (f.size() != 7 || f[0] == "教科" || f[0] == "総授業時数" || f[1].empty()) continue;
      int sum = 0;
      bool found = false;
      std::istringstream gin(got);
      for (std::string g; std::getline(gin, g);)
        if (g.rfind(f[0] + "\t", 0) == 0) {
          sum += std::stoi(g.substr(f[0].size() + 1));
          found = true;
        }
      if (!found) continue;
      EXPECT_EQ(std::to_string(sum), f[2]) << c.name << " " << f[0];
      ++compared;
    }
  }
  EXPECT_GE(compared, 10);  // 2年1組 of this file has no lessons planned
  // One page wide (fitToWidth left out: Excel's default of 1), any number of pages down.
  const std::string setup = python("setup", "");
  for (const char* want :
       {"1年4月 C3 $1:$2 landscape 9 None 0 True 1998年度 1年\n", "1年1組 4月 C3 $1:$2 landscape 9 None 0 True 1998年度 1年1組\n",
        "3年2組 集計 B3 $1:$2 landscape 9 None 0 True 1998年度 3年2組\n", "集計 2年 B3 $1:$2 landscape 9 None 0 True 1998年度 2年\n",
        "標準時数との比較 B3 $1:$2 landscape 9 None 0 True 1998年度 標準時数との比較\n"})
    EXPECT_NE(setup.find(want), std::string::npos) << want << setup;
}

TEST(ExportCommand, CsvFolderWithByteOrderMarkAndRefusals) {
  test::TempDir tmp;
  const std::string dir = tmp.file("csv");
  runOk({"export", kRich, "--csv", dir, "--to", "7/17"});
  size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) files += e.path().extension() == ".csv";
  EXPECT_EQ(files, 81u);
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
