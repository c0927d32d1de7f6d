#include "editing/table_text.h"

#include <algorithm>
#include <optional>

#include "common/cp1251.h"

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

bool IsNumericColumn(int col) {
  return col == kNumber || col == kLengthM || col == kResistanceOhm || col == kPowerMW ||
         col == kCurrentMA || col == kVoltageV;
}

// A header cell folded for comparison: small letters, no blanks.
std::string HeaderKey(std::string_view text) {
  std::string key = FoldCase(text);
  std::erase(key, ' ');
  return key;
}

struct NamedField {
  const char* name;
  Column column;
  TabField field;
};
constexpr NamedField kNamedFields[] = {
    {"Адрес", kAddress, TabField::kAddress},       {"Кабель", kCableName, TabField::kCableName},
    {"Длина", kLengthM, TabField::kLength},        {"Блок", kBlockName, TabField::kBlockName},
    {"Режим", kRegimeName, TabField::kRegimeName}, {"ЗБ", kHasZB, TabField::kZB},
};

TabField FieldNamed(std::string_view cell) {
  const std::string key = HeaderKey(cell);
  for (const NamedField& named : kNamedFields) {
    if (key == HeaderKey(named.name) || key == HeaderKey(kColumnHeaders[named.column])) {
      return named.field;
    }
  }
  return TabField::kNone;
}

bool IsEmptyLine(const std::vector<std::string>& cells) {
  return std::all_of(cells.begin(), cells.end(),
                     [](const std::string& cell) { return cell.empty(); });
}

}  // namespace

std::string RowsAsTabText(const ProjectTable& table, int top, int bottom, char decimal_separator) {
  std::string text;
  for (int r = top; r <= bottom; ++r) {
    for (int col = 0; col < kColumnCount; ++col) {
      if (col > 0) text += '\t';
      const std::string& cell = table.GetCell(r, col);
      text += TabCell(
          OneLine(IsNumericColumn(col) ? SpreadsheetNumber(cell, decimal_separator) : cell));
    }
    text += "\r\n";
  }
  return text;
}

std::string SpreadsheetNumber(std::string_view text, char decimal_separator) {
  const auto all_digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::string_view sign = text.substr(0, text.starts_with('-') ? 1 : 0);
  const std::string_view rest = text.substr(sign.size());
  const size_t point = rest.find_first_of(".,");
  const std::string_view whole = rest.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !all_digits(whole) || !all_digits(fraction)) {
    return std::string(text);
  }
  std::string number(sign);
  number += whole.empty() ? std::string_view("0") : whole;
  if (!fraction.empty()) (number += decimal_separator) += fraction;
  return number;
}

const char* TabFieldName(TabField field) {
  for (const NamedField& named : kNamedFields) {
    if (named.field == field) return named.name;
  }
  return "—";
}

std::vector<TabField> HeaderFields(const std::vector<std::string>& cells) {
  std::vector<TabField> fields;
  for (const std::string& cell : cells) fields.push_back(FieldNamed(cell));
  const bool names_any = std::any_of(fields.begin(), fields.end(),
                                     [](TabField field) { return field != TabField::kNone; });
  return names_any ? fields : std::vector<TabField>();
}

TabText SplitTabText(std::string_view text) {
  TabText tab;
  for (std::vector<std::string>& cells : Cells(text)) {
    if (IsEmptyLine(cells)) continue;
    tab.columns = std::max(tab.columns, cells.size());
    if (tab.lines.empty() && tab.named.empty()) {
      tab.named = HeaderFields(cells);
      if (!tab.named.empty()) continue;
    }
    tab.lines.push_back(std::move(cells));
  }
  return tab;
}

std::vector<TabField> GridFields() {
  std::vector<TabField> fields(kColumnCount, TabField::kNone);
  for (const NamedField& named : kNamedFields) fields[named.column] = named.field;
  return fields;
}

std::vector<TabRow> RowsOfFields(const TabText& text, const std::vector<TabField>& fields) {
  // Indexed by TabField.
  constexpr std::string TabRow::*kTargets[] = {
      nullptr,         &TabRow::address,    &TabRow::cable_name,
      &TabRow::length, &TabRow::block_name, &TabRow::regime_name,
      &TabRow::zb};
  std::vector<TabRow> rows;
  for (const std::vector<std::string>& cells : text.lines) {
    TabRow& row = rows.emplace_back();
    for (size_t k = 0; k < cells.size() && k < fields.size(); ++k) {
      if (std::string TabRow::*target = kTargets[static_cast<size_t>(fields[k])]) {
        row.*target = cells[k];
      }
    }
  }
  return rows;
}

std::vector<TabRow> ParseTabText(std::string_view text) {
  const TabText tab = SplitTabText(text);
  return RowsOfFields(tab, tab.named.empty() ? GridFields() : tab.named);
}

}  // namespace luch
