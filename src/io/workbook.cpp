#include "io/workbook.h"


#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>
#include <algorithm>
#include <vector>

#include <xlsxwriter.h>

#include "io/safesave.h"
#include "model/basic.h"
#include "model/os.h"

namespace tly {

std::string csvField(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

namespace {

// A sheet name Excel accepts: no []:*?/\, at most 31 characters, not empty.
std::string safeSheetName(const std::string& name) {
  std::string out;
  size_t chars = 0;
  for (const auto& ch : utf8Chars(sanitizeUtf8(name))) {
    if (chars == 31) break;
    out += ch.size() == 1 && std::strchr("[]:*?/\\", ch[0]) ? "_" : ch;
    ++chars;
  }
  return out.empty() ? "Sheet" : out;
}

std::string fileSafe(const std::string& name) {
  std::string out;
  for (const auto& ch : utf8Chars(sanitizeUtf8(name)))
    out += ch.size() == 1 && std::strchr("/\\:*?\"<>|", ch[0]) ? "_" : ch;
  return out;
}

}  // namespace

std::string excelCellText(const std::string& text, bool* cut) {
  const char* const kNote = "…(Excel のセルに入りきらないため、以下 %zu 文字を省略)";
  std::string shown;
  shown.reserve(text.size());
  for (char b : text)
    if (static_cast<unsigned char>(b) < 0x20 && b != '\t' && b != '\n' && b != '\r')
      shown += "\xEF\xBF\xBD";
    else
      shown += b;
  const std::vector<std::string> chars = utf8Chars(sanitizeUtf8(shown));
  auto units = [](const std::string& ch) -> size_t { return ch.size() == 4 ? 2 : 1; };  // UTF-16 units
  size_t total = 0;
  for (const auto& ch : chars) total += units(ch);
  std::string out;
  if (total <= kExcelCellChars) {
    for (const auto& ch : chars) out += ch;
    return out;
  }
  *cut = true;
  const size_t room = kExcelCellChars - 80;  // the note is well under 80 units
  size_t used = 0, kept = 0;
  for (; kept < chars.size() && used + units(chars[kept]) <= room; ++kept) {
    used += units(chars[kept]);
    out += chars[kept];
  }
  char note[160];
  std::snprintf(note, sizeof note, kNote, chars.size() - kept);
  return out + note;
}

std::string excelHeaderText(const std::string& header) {
  std::string out = "&C";
  for (const auto& ch : utf8Chars(sanitizeUtf8(header))) {
    const std::string piece = ch == "&" ? "&&" : ch;
    if (out.size() + piece.size() > 255) break;
    out += piece;
  }
  return out;
}

std::string workCellText(const WorkCell& c) {
  if (!c.number) return c.text;
  char buf[64];
  if (c.style == WorkCell::Style::Percent || c.style == WorkCell::Style::RedPercent)
    std::snprintf(buf, sizeof buf, "%.1f%%", *c.number * 100.0);
  else
    std::snprintf(buf, sizeof buf, "%.15g", *c.number);
  return buf;
}

std::string sheetToCsv(const WorkSheet& s) {
  std::string out = "\xEF\xBB\xBF";
  for (const auto& row : s.rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i) out += ",";
      out += csvField(workCellText(row[i]));
    }
    out += "\r\n";
  }
  return out;
}

std::string writeXlsx(const std::string& path, const Workbook& wb, std::string* warning) {
  size_t cutCells = 0;
  const std::string target = replacementTarget(path);
  // The library writes into an empty file made beside the old one, which already has
  // the old file's permissions.
  std::string tmp;
  if (const int e = os::writeNewFileBeside(target, "", &tmp); e != 0)
    return "Excel ファイルを作れません: " + path + " (" + ioErrorText(e) + ")";

  lxw_workbook* book = workbook_new(tmp.c_str());
  if (!book) {
    os::removeFile(tmp);
    return "Excel ファイルを作れません: " + path;
  }
  using S = WorkCell::Style;
  lxw_format* head = workbook_add_format(book);
  format_set_bold(head);
  format_set_bg_color(head, 0xD9E1F2);
  format_set_border(head, LXW_BORDER_THIN);
  lxw_format* plain = workbook_add_format(book);
  format_set_border(plain, LXW_BORDER_THIN);
  lxw_format* shaded = workbook_add_format(book);
  format_set_bg_color(shaded, 0xD9D9D9);
  format_set_border(shaded, LXW_BORDER_THIN);
  lxw_format* red = workbook_add_format(book);
  format_set_font_color(red, LXW_COLOR_RED);
  format_set_border(red, LXW_BORDER_THIN);
  lxw_format* percent = workbook_add_format(book);
  format_set_num_format(percent, "0.0%");
  format_set_border(percent, LXW_BORDER_THIN);
  lxw_format* redPercent = workbook_add_format(book);
  format_set_num_format(redPercent, "0.0%");
  format_set_font_color(redPercent, LXW_COLOR_RED);
  format_set_border(redPercent, LXW_BORDER_THIN);
  auto formatOf = [&](S s) {
    switch (s) {
      case S::Head: return head;
      case S::Shaded: return shaded;
      case S::Red: return red;
      case S::Percent: return percent;
      case S::RedPercent: return redPercent;
      case S::Plain: break;
    }
    return plain;
  };

  std::string error;
  for (size_t k = 0; k < wb.sheets.size() && error.empty(); ++k) {
    const WorkSheet& s = wb.sheets[k];
    lxw_worksheet* ws = workbook_add_worksheet(book, safeSheetName(s.name).c_str());
    if (!ws) ws = workbook_add_worksheet(book, nullptr);  // a repeated name: Excel's own "SheetN"
    if (!ws) {
      error = "シートを追加できません: " + s.name;
      break;
    }
    constexpr uint8_t kPaperA4 = 9;
    worksheet_set_paper(ws, kPaperA4);
    worksheet_set_landscape(ws);
    worksheet_fit_to_pages(ws, 1, 0);
    if (s.freezeRows > 0 || s.freezeCols > 0)
      worksheet_freeze_panes(ws, static_cast<lxw_row_t>(std::max(s.freezeRows, 0)),
                             static_cast<lxw_col_t>(std::max(s.freezeCols, 0)));
    if (s.headRows > 0) worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(s.headRows - 1));
    if (!s.header.empty() && worksheet_set_header(ws, excelHeaderText(s.header).c_str()) != LXW_NO_ERROR)
      error = "ヘッダーを設定できません: " + s.name;
    for (size_t c = 0; c < s.colWidths.size(); ++c)
      worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), s.colWidths[c], nullptr);
    for (size_t r = 0; r < s.rows.size(); ++r) {
      for (size_t c = 0; c < s.rows[r].size(); ++c) {
        const WorkCell& cell = s.rows[r][c];
        lxw_format* f = formatOf(cell.style);
        const auto row = static_cast<lxw_row_t>(r);
        const auto col = static_cast<lxw_col_t>(c);
        if (cell.number)
          worksheet_write_number(ws, row, col, *cell.number, f);
        else if (cell.text.empty())
          worksheet_write_blank(ws, row, col, f);
        else {
          bool cut = false;
          const std::string text = excelCellText(cell.text, &cut);
          if (cut) ++cutCells;
          if (worksheet_write_string(ws, row, col, text.c_str(), f) != LXW_NO_ERROR && error.empty())
            error = "セルを書けません: " + s.name;
        }
      }
    }
  }
  const lxw_error e = workbook_close(book);
  if (error.empty() && e != LXW_NO_ERROR) error = std::string("Excel ファイルを書けません: ") + lxw_strerror(e);
  if (!error.empty()) {
    os::removeFile(tmp);
    return error + " (" + path + ")";
  }
  // The library closes its file without a flush to the disk: flushed here before the
  // rename, so that a replaced workbook survives a power loss.
  if (const int serr = os::flushFileToDisk(tmp); serr != 0) {
    os::removeFile(tmp);
    return "Excel ファイルを保存できません: " + path + " (" + ioErrorText(serr) + ")";
  }
  if (Result<void> c = commitTempFile(tmp, target); !c)
    return "Excel ファイルを保存できません: " + path + " (" + c.failure().why + ")";
  if (cutCells && warning)
    *warning = "Excel のセルの上限 (" + std::to_string(kExcelCellChars) + " 文字) を超える文字列を " +
               std::to_string(cutCells) + " か所で切り詰めました: " + path;
  return "";
}

std::string writeCsvFolder(const std::string& dir, const Workbook& wb) {
  if (const int e = os::makeFolder(dir); e != 0)
    return "フォルダを作れません: " + dir + " (" + ioErrorText(e) + ")";
  // The whole set replaces the files of an earlier export together, as the older
  // three-file save does: every new file is written beside the old ones first, and a
  // failure anywhere puts every old file back, so the folder never mixes two exports.
  std::vector<std::string> contents;
  contents.reserve(wb.sheets.size());
  std::vector<FileReplacement> files;
  files.reserve(wb.sheets.size());
  std::set<std::string> names;
  for (size_t k = 0; k < wb.sheets.size(); ++k) {
    char num[32];
    std::snprintf(num, sizeof num, "%02zu_", k + 1);
    contents.push_back(sheetToCsv(wb.sheets[k]));
    const std::string name = num + fileSafe(wb.sheets[k].name) + ".csv";
    names.insert(name);
    files.push_back({replacementTarget(dir + "/" + name), contents.back()});
  }
  std::vector<std::string> leftAside;
  if (Result<void> r = replaceFilesTogether(files, &leftAside); !r) {
    std::string msg = "CSV ファイルを保存できません: " + dir + " (" + ioErrorText(r.failure().error) + ")";
    if (leftAside.empty()) return msg + "。フォルダーの中のファイルはすべて前のままです。";
    msg += "。次の前のファイルを元の名前に戻せなかったため、この名前で残しています:";
    for (const std::string& a : leftAside) msg += "\n  " + a;
    return msg;
  }
  // A sheet of the earlier export that this one does not have (a class renamed or gone)
  // would stay beside the new set: the folder is to hold one export, so it goes. Only
  // names of the export's own form ("NN_....csv") are touched.
  std::error_code ec;
  std::vector<std::string> stale;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::u8path(dir), ec)) {
    const std::u8string u = e.path().filename().u8string();
    const std::string n(u.begin(), u.end());
    const bool ours = n.size() > 7 && n[0] >= '0' && n[0] <= '9' && n[1] >= '0' && n[1] <= '9' &&
                      n.find('_') != std::string::npos && n.compare(n.size() - 4, 4, ".csv") == 0 &&
                      std::all_of(n.begin(), n.begin() + static_cast<long>(n.find('_')), [](char c) { return c >= '0' && c <= '9'; });
    if (ours && !names.count(n)) stale.push_back(dir + "/" + n);
  }
  std::string notRemoved;
  for (const std::string& f : stale) {
    os::removeFile(f);
    if (os::anythingAt(f)) notRemoved += "\n  " + f;
  }
  if (!notRemoved.empty())
    return "CSV ファイルはすべて新しくなりましたが、前の書き出しの次のファイルを削除できませんでした:" + notRemoved;
  return "";
}

}  // namespace tly
