// Whole-row moves of the project table. Columns 1..10 move as texts; column 0,
// the row number, stays with its place. The block count never leaves 1..4096.
#pragma once

#include "project/project_table.h"

namespace luch {

// Opens `count` empty rows in front of row r (1..BlockCount + 1): rows r and
// after move down by `count`, BlockCount grows by `count`. Inserts nothing and
// returns false when r is outside that range, `count` < 1, or the rows would
// take BlockCount beyond 4096 (the last row is never pushed out).
bool InsertEmptyRows(ProjectTable& table, int r, int count);
// One empty row in front of row r; see InsertEmptyRows.
inline bool InsertEmptyRow(ProjectTable& table, int r) { return InsertEmptyRows(table, r, 1); }

// Removes row r (1..BlockCount): the rows after it move up by one and
// BlockCount shrinks by one. The row that drops out of the table is hidden,
// not emptied (raising the count shows it again, holding the former last
// row). Does nothing for r outside 1..BlockCount and when only one row is left.
void DeleteRow(ProjectTable& table, int r);

// The same as DeleteRow(t) run `count` times, in one pass: deletes rows
// t..t + count - 1, clipped to the table, and never the last remaining row (a
// range over every row leaves one row holding the former last row). Returns
// the number of rows removed.
int DeleteRows(ProjectTable& table, int t, int count);

// Exchanges rows a and b. False, and nothing changed, when a == b or either is
// outside 1..BlockCount.
bool SwapRows(ProjectTable& table, int a, int b);

}  // namespace luch
