#include "editing/table_text.h"

#include <algorithm>

namespace luch {
namespace {

std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// Splits the text into lines of cells, honouring quoted cells.
std::vector<std::vector<std::string>> Cells(std::string_view text) {
  std::vector<std::vector<std::string>> lines(1);
  std::string cell;
  bool quoted = false;
  bool cell_started = false;
  const auto end_cell = [&] {
    // A quoted cell keeps its blanks, but a tab or a line break inside it
    // (a multi-line spreadsheet cell, an unclosed quote) would break the
    // project file's line: they become blanks, as Copy writes them.
    lines.back().push_back(quoted ? OneLine(cell) : Trimmed(cell));
    cell.clear();
    quoted = false;
    cell_started = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!cell_started && c == '"') {
      quoted = true;
      cell_started = true;
      for (++i; i < text.size(); ++i) {
        if (text[i] != '"') {
          cell += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          cell += '"';
          ++i;
        } else {
          break;
        }
      }
      continue;
    }
    if (c == '\t') {
      end_cell();
    } else if (c == '\r' || c == '\n') {
      end_cell();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (!quoted) {
      if (c != ' ' || !cell.empty()) cell_started = true;
      cell += c;
    }
  }
  if (cell_started || !cell.empty() || !lines.back().empty()) end_cell();
  return lines;
}

bool IsHeaderLine(const std::vector<std::string>& cells) {
  return cells.size() >= 2 && cells[0] == Trimmed(kColumnHeaders[kNumber]) &&
         cells[1] == Trimmed(kColumnHeaders[kAddress]);
}

}  // namespace

std::string RowsAsTabText(const ProjectTable& table, int top, int bottom) {
  std::string text;
  for (int r = top; r <= bottom; ++r) {
    for (int col = 0; col < kColumnCount; ++col) {
      if (col > 0) text += '\t';
      text += OneLine(table.GetCell(r, col));
    }
    text += "\r\n";
  }
  return text;
}

std::vector<TabRow> ParseTabText(std::string_view text) {
  std::vector<TabRow> rows;
  const std::vector<std::vector<std::string>> lines = Cells(text);
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::vector<std::string>& cells = lines[k];
    const bool empty = std::all_of(cells.begin(), cells.end(),
                                   [](const std::string& cell) { return cell.empty(); });
    if (empty || (k == 0 && IsHeaderLine(cells))) continue;
    const auto cell = [&cells](Column col) {
      return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)]
                                                     : std::string();
    };
    rows.push_back({cell(kAddress), cell(kCableName), cell(kLengthM), cell(kBlockName),
                    cell(kRegimeName), cell(kHasZB)});
  }
  return rows;
}

}  // namespace luch
