#include "rules/clipboardtext.h"

#include <algorithm>

#include "model/basic.h"

namespace tly {

std::string gridToClipboardText(const Grid& g, int top, int left, int bottom, int right) {
  top = std::max(top, 0);
  left = std::max(left, 0);
  bottom = std::min(bottom, g.rows() - 1);
  right = std::min(right, g.cols() - 1);
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += '\t';
      out += trimBlanks(g.text(r, c));
    }
    out += "\r\n";
  }
  return out;
}

std::string gridToClipboardText(const Grid& g) { return gridToClipboardText(g, 0, 0, g.rows() - 1, g.cols() - 1); }

std::string clipboardText(const std::vector<std::vector<std::string>>& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      if (i) out += '\t';
      out += row[i];
    }
    out += "\r\n";
  }
  return out;
}

std::string gridRectText(const Grid& g, int top, int left, int bottom, int right) {
  std::vector<std::vector<std::string>> rows;
  for (int r = top; r <= bottom; ++r) {
    std::vector<std::string> cells;
    for (int c = left; c <= right; ++c) cells.push_back(g.text(r, c));
    rows.push_back(std::move(cells));
  }
  return clipboardText(rows);
}

namespace {

// The next line end at or after pos: CR LF, or a lone LF or CR (what most Linux programs
// put on the clipboard). Returns npos when there is none; *len is its length.
size_t nextLineEnd(std::string_view text, size_t pos, size_t* len) {
  size_t e = text.find_first_of("\r\n", pos);
  if (e == std::string_view::npos) return e;
  *len = text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n' ? 2 : 1;
  return e;
}

}  // namespace

PasteShape pasteShape(std::string_view text) {
  PasteShape s;
  size_t len = 0;
  size_t firstBreak = nextLineEnd(text, 0, &len);
  std::string_view head = firstBreak == std::string_view::npos ? text : text.substr(0, firstBreak);
  s.cols = 1 + static_cast<size_t>(std::count(head.begin(), head.end(), '\t'));
  for (size_t p = firstBreak; p != std::string_view::npos; p = nextLineEnd(text, p + len, &len)) ++s.rows;
  return s;
}

std::vector<std::vector<std::string_view>> pasteFields(std::string_view text, size_t maxRows, size_t maxCols) {
  std::vector<std::vector<std::string_view>> out;
  size_t pos = 0;
  while (out.size() < maxRows) {
    size_t len = 0;
    size_t end = nextLineEnd(text, pos, &len);
    if (end == std::string_view::npos) break;  // text after the last line break is ignored
    std::string_view line = text.substr(pos, end - pos);
    std::vector<std::string_view> fields;
    size_t f = 0;
    while (fields.size() < maxCols) {
      size_t tab = line.find('\t', f);
      if (tab == std::string_view::npos) {
        fields.push_back(line.substr(f));
        break;
      }
      fields.push_back(line.substr(f, tab - f));
      f = tab + 1;
    }
    out.push_back(std::move(fields));
    pos = end + len;
  }
  return out;
}

}  // namespace tly
