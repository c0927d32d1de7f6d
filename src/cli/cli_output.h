// What luch-calc prints after a command: a readable table with the status bar
// texts and the messages, or one JSON document.
#pragma once

#include <string>
#include <vector>

#include "analysis/ray_analysis.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "project/status_bars.h"

namespace luch {

struct CommandReport {
  bool success = false;
  const ProjectTable* table = nullptr;
  const ProjectParameters* params = nullptr;
  const StatusBars* status = nullptr;
  std::vector<std::string> messages;
};

// The rows as an aligned table (column widths in characters), then the panel
// texts of both status bars, EditU and every message box text.
std::string FormatTextReport(const CommandReport& report);

// One JSON document: outcome, status, messages, supply_voltage, parameters,
// rows (each an array of the 11 cell texts). Ends with a line break.
std::string FormatJsonReport(const CommandReport& report);

// The design answers of `luch-calc analyse`: one JSON document (null for
// "—"), or readable lines.
std::string FormatJsonAnalysis(const RayAnalysis& analysis);
std::string FormatTextAnalysis(const RayAnalysis& analysis);

}  // namespace luch
