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

}  // namespace luch
