// Rows as tab-separated text, the form spreadsheets put on and take from the
// clipboard: one line per row, the grid's 11 columns separated by tabs, or a
// designer's own sheet whose columns a header line or the user names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_table.h"

namespace luch {

// Rows top..bottom with every column's cell text, each line ended by CR LF.
// A tab or line break inside a cell becomes a blank: the grid's cells are one
// line (and a spreadsheet drops a tab when it gives the cell back). A cell
// holding a double quote is written in quotes, every quote doubled, as
// spreadsheets write it: "Луч" корп. 2 as """Луч"" корп. 2". A number of the
// columns N, Длина, R, P, I and U is written with `decimal_separator` and a
// leading zero (SpreadsheetNumber), so that a spreadsheet of that locale takes
// it as a number: ",86" and "2.24" become "0,86" and "2,24" for ','.
std::string RowsAsTabText(const ProjectTable& table, int top, int bottom, char decimal_separator);

// `text` as a number a spreadsheet reads under `decimal_separator` when it is
// one (an optional "-", digits, "." or "," and digits: "-.5" gives "-0,5",
// "7," gives "7"); any other text as it is.
std::string SpreadsheetNumber(std::string_view text, char decimal_separator);

// The stored fields of a row as a spreadsheet gives them back.
struct TabRow {
  std::string address, cable_name, length, block_name, regime_name, zb;
  bool operator==(const TabRow&) const = default;
};

// What a column of pasted text fills in a row; kNone: nothing.
enum class TabField { kNone, kAddress, kCableName, kLength, kBlockName, kRegimeName, kZB };
inline constexpr int kTabFieldCount = 7;

// The field's name in a header line: "Адрес", "Кабель", "Длина", "Блок",
// "Режим", "ЗБ"; "—" for kNone.
const char* TabFieldName(TabField field);

// The rows of a tab-separated text as cells, split as ParseTabText describes.
struct TabText {
  std::vector<std::vector<std::string>> lines;  // without empty lines and the header line
  // Each column's field when the first line names columns (HeaderFields);
  // empty when it does not.
  std::vector<TabField> named;
  size_t columns = 0;  // the most cells of a line (the header line's included)
};
TabText SplitTabText(std::string_view text);

// The fields of a line that names columns: "Адрес", "Кабель", "Длина",
// "Блок", "Режим", "ЗБ" or the grid's own headers (" Длина (м)"), letter case
// and blanks ignored; kNone for any other cell. Empty when no cell names a
// field.
std::vector<TabField> HeaderFields(const std::vector<std::string>& cells);

// The grid's 11 columns as fields: N, R, P, I and U fill nothing.
std::vector<TabField> GridFields();

// The rows of `text`, column k filling fields[k]; columns beyond `fields` and
// fields beyond a line's cells fill nothing.
std::vector<TabRow> RowsOfFields(const TabText& text, const std::vector<TabField>& fields);

// The rows of a tab-separated text, columns taken by the names of its header
// line, else in the grid's column order: the columns N, R, P, I and U are
// ignored; a line with fewer columns fills what it has. Lines may end in CR LF, LF or CR. A cell in
// double quotes (as spreadsheets write a cell holding a tab, a line break or a quote, "" for a
// quote) is taken whole, a tab or line break in it read as a blank; it ends at a quote followed by
// blanks and a tab or a line break. A cell that only begins with a quote and is not closed so is
// read as it stands, as spreadsheets read it: "Луч" корп. 2 stays "Луч" корп. 2. Blanks around a
// cell are dropped; empty lines and a first line that names columns (HeaderFields) are skipped.
std::vector<TabRow> ParseTabText(std::string_view text);

}  // namespace luch
