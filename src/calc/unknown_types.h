// Rows whose cable, block or regime the libraries do not know. Such rows are
// calculated all the same (no resistance, no current), so they are named to
// the user: in the calculation's warning and in the problems list.
#pragma once

#include <string>
#include <vector>

#include "project/project_table.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

struct UnknownTypeRows {
  std::vector<int> cable;   // a length but no cable of that name (empty included)
  std::vector<int> block;   // no block type of that name (empty included)
  std::vector<int> regime;  // a known block type without a regime of that name
};

// The rows 1..BlockCount of `table`, in increasing order.
UnknownTypeRows FindUnknownTypeRows(const ProjectTable& table, const CableLibrary& cables,
                                    const BlockLibrary& blocks);

// Row numbers (increasing) as the user reads them: a run of two or more is
// "first-last", items joined by ", ", more than ten items cut after the tenth
// with ", ...".
//   RowListText({2, 5, 6, 7, 8}) == "2, 5-8"
std::string RowListText(const std::vector<int>& rows);

// The warning lines of a successful calculation for these rows: one line per
// kind that has rows, "Нет в библиотеке кабеля (строки: 2, 5-8)!...\n" and so on.
std::string UnknownTypeWarnings(const UnknownTypeRows& rows);

// How many named types the result leaves out: the distinct cable and block
// names and block regimes of these rows that the libraries lack (an empty
// name is no type).
int LeftOutTypeCount(const ProjectTable& table, const UnknownTypeRows& rows);

// Panel 4 of a successful calculation that left types out: "Расчет выполнен
// без 1 типа: см. Проверка", "... без 3 типов: ...".
std::string LeftOutTypesText(int count);

// Whether row `row`'s block was left out of the calculation (no block, or a
// type the library lacks): its I and U cells are not the block's.
bool BlockLeftOut(const ProjectTable& table, const BlockLibrary& blocks, int row);

}  // namespace luch
