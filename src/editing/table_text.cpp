#include "editing/table_text.h"

#include <algorithm>
#include <optional>

namespace luch {
namespace {

bool IsCellEnd(char c) { return c == '\t' || c == '\r' || c == '\n'; }

std::string OneLine(std::string text) {
  std::replace_if(text.begin(), text.end(), IsCellEnd, ' ');
  return text;
}

// A cell as spreadsheets write one: in quotes, every quote doubled, when it
// holds a quote; as it is otherwise.
std::string TabCell(std::string_view text) {
  if (text.find('"') == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

// The quoted cell that begins with the quote at `open`, as spreadsheets read
// it: "" is a quote; the closing quote is one followed by blanks and a tab, a
// line break or the end; any other quote is kept as it is, but the cell must
// then close before a tab or a line break (which also keeps the reading
// linear: a failed attempt never looks past its own cell then). `end` is
// where the blanks after the closing quote end. Nothing when no closing quote
// comes: the cell is then read as it stands ("Луч" корп. 2 is a text of its
// own, not Луч).
struct QuotedCell {
  std::string text;
  size_t end = 0;
};
std::optional<QuotedCell> ReadQuoted(std::string_view text, size_t open) {
  QuotedCell cell;
  bool stray_quote = false;
  for (size_t i = open + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      cell.text += '"';
      ++i;
    } else if (c == '"') {
      const size_t after = std::min(text.find_first_not_of(' ', i + 1), text.size());
      if (after == text.size() || IsCellEnd(text[after])) {
        cell.end = after;
        return cell;
      }
      cell.text += c;
      stray_quote = true;
    } else if (stray_quote && IsCellEnd(c)) {
      return std::nullopt;
    } else {
      cell.text += c;
    }
  }
  return std::nullopt;
}

// Splits the text into lines of cells.
std::vector<std::vector<std::string>> Cells(std::string_view text) {
  std::vector<std::vector<std::string>> lines(1);
  size_t i = 0;
  while (true) {
    const size_t first = std::min(text.find_first_not_of(' ', i), text.size());
    const std::optional<QuotedCell> quoted =
        first < text.size() && text[first] == '"' ? ReadQuoted(text, first) : std::nullopt;
    if (quoted) {
      // A quoted cell keeps its blanks, but a tab or a line break inside it
      // (a multi-line spreadsheet cell) would break the project file's line.
      lines.back().push_back(OneLine(quoted->text));
      i = quoted->end;
    } else {
      const size_t end = std::min(text.find_first_of("\t\r\n", i), text.size());
      lines.back().push_back(Trimmed(text.substr(i, end - i)));
      i = end;
    }
    if (i == text.size()) return lines;
    if (text[i] != '\t') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    }
    ++i;
  }
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
      text += TabCell(OneLine(table.GetCell(r, col)));
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
