// Rows as tab-separated text, the form spreadsheets put on and take from the
// clipboard: one line per row, the grid's 11 columns separated by tabs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/project_table.h"

namespace luch {

// Rows top..bottom with every column's cell text, each line ended by CR LF.
// A tab or line break inside a cell becomes a blank: the grid's cells are one
// line (and a spreadsheet drops a tab when it gives the cell back). A cell
// holding a double quote is written in quotes, every quote doubled, as
// spreadsheets write it: "Луч" корп. 2 as """Луч"" корп. 2".
std::string RowsAsTabText(const ProjectTable& table, int top, int bottom);

// The stored fields of a row as a spreadsheet gives them back.
struct TabRow {
  std::string address, cable_name, length, block_name, regime_name, zb;
  bool operator==(const TabRow&) const = default;
};

// The rows of a tab-separated text in the grid's column order: the columns
// N, R, P, I and U are ignored; a line with fewer columns fills what it has.
// Lines may end in CR LF, LF or CR. A cell in double quotes (as spreadsheets
// write a cell holding a tab, a line break or a quote, "" for a quote) is
// taken whole, a tab or line break in it read as a blank; it ends at a quote
// followed by blanks and a tab or a line break. A cell that only begins with
// a quote and is not closed so is read as it stands, as spreadsheets read it:
// "Луч" корп. 2 stays "Луч" корп. 2. Blanks around a cell are dropped; empty
// lines and a first line of column headers (" N", " Адрес", ...) are skipped.
std::vector<TabRow> ParseTabText(std::string_view text);

}  // namespace luch
