// The ray calculation (F9, BitBtnStartClick) and the minimum controller voltage
// search (F10, mFindUKMUClick): the commands as the main window runs them.
// Everything reaches the user through the table, the status bar texts, the
// report flag and the platform (wait window, message boxes); nothing throws.
#pragma once

#include <cstdint>

#include "common/platform.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "project/status_bars.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

// Results of the last calculation that the reports read.
struct CalculationTotals {
  float TotalCurrent = 0.0f;  // A; changed only by a successful calculation
  int64_t TotalLength = 0;    // m; set by every preparation
  // The cable totals of the last preparation (below 0: unknown, "?") and
  // whether they, and the controller current of the last success, broke
  // their limits.
  double CapacitanceUF = -1.0;
  double InductanceMH = -1.0;
  bool CapacitanceExceeded = false;
  bool InductanceExceeded = false;
  bool CurrentExceeded = false;
};

// What a calculation reads and writes; all references outlive the call.
struct CalculationContext {
  ProjectTable& table;
  ProjectParameters& params;  // EditU and the five reals; replacements persist
  StatusBars& status;
  bool& report_enabled;  // the menu item mInfo
  CalculationTotals& totals;
  const CableLibrary& cables;
  const BlockLibrary& blocks;
  Platform platform;
};

// Diagnostics for tests and benchmarks: how many passes the solver ran,
// counting the one that ended it (0 when it ended before the first pass).
struct CalculationStats {
  int64_t passes = 0;
  int64_t skipped = 0;  // passes the fast solver did not need to run
};

// F9: prepares, steps the far-end voltage down until the controller voltage it
// needs falls below the supply voltage, and finishes. Returns true on success;
// a failure leaves the PowerMW cells as they were before.
// A supply voltage above 1000 V or not finite, or a library or parameter value
// that is not finite, ends in the failure outcome before the first pass.
bool BitBtnStartClick(CalculationContext& context, CalculationStats* stats = nullptr);

// F10: prepares, raises the far-end voltage from the last block's minimum until
// every block gets its minimum, and writes into EditU the smallest two-decimal
// voltage, not below the controller voltage of that pass, at which F9's
// calculation finds no problem block: the cells, current and panels are that
// calculation's, so that F9 at the answer gives the same. Returns true on
// success. A search that would need more than 2 000 000 passes, or a value
// that is not finite, ends in the failure outcome before the first pass; so
// does an answer that F9 does not confirm within ten steps and a volt above
// it. A failure leaves EditU and the PowerMW cells as they were.
bool mFindUKMUClick(CalculationContext& context, CalculationStats* stats = nullptr);

// The higher preset voltage: a minimum controller voltage above it is more
// than the controller gives, and is said as a problem wherever it is shown.
inline constexpr double kHigherPresetVoltage = 28.0;

// The presets beside EditU: only the text changes.
inline void Button28Click(ProjectParameters& params) { params.EditU = "28.00"; }
inline void Button24Click(ProjectParameters& params) { params.EditU = "24.00"; }

}  // namespace luch
