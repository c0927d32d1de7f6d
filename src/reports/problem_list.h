// The problems list ("Проверка"): every problem of the project and of its last
// results, one line each, naming the row(s) it concerns.
#pragma once

#include <string>
#include <vector>

#include "calc/calculation.h"
#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

struct Problem {
  std::string text;
  int row = 0;  // the row to select (the first one named); 0: none
  bool operator==(const Problem&) const = default;
};

// What the results on screen are.
struct ResultState {
  enum class Kind { kNone, kSucceeded, kFailed };
  Kind kind = Kind::kNone;
  bool search = false;  // found by the minimum voltage search (F10)
  bool stale = false;   // the project or a library changed since
};

struct ProblemSources {
  const ProjectTable& table;
  const ProjectParameters& params;
  const CableLibrary& cables;
  const BlockLibrary& blocks;
  const CalculationTotals& totals;  // of the results on screen
  ResultState results;
  char decimal_separator;
};

// In this order: what the results say (a failure, the search's answer, broken
// limits, blocks below their minimum voltage; while they are stale, only that
// they are),
// then what the rows say (unknown cables, blocks and regimes, negative
// lengths, repeated addresses).
std::vector<Problem> CollectProblems(const ProblemSources& sources);

// The margin of row `row`'s block in its U cell's tooltip,
// "Запас 2,31 В (Umin 9,0 В)"; empty for an empty cell or an unknown type.
std::string VoltageMarginText(const ProjectTable& table, const BlockLibrary& blocks, int row,
                              char decimal_separator);

}  // namespace luch
