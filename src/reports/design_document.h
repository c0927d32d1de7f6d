// What the PDF document for the design file shows, as texts and colours: the
// project, the inputs, the results, the table with its voltage cells coloured
// as the grid colours them, the problems, the voltage chart and the bill of
// quantities. Pure: the document is drawn elsewhere (reports/paint/).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chart/voltage_cell_colours.h"
#include "chart/voltage_profile.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "project/status_bars.h"
#include "reports/problem_list.h"
#include "reports/quantities.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

struct DesignDocument {
  std::string caption;       // the program's caption
  std::string project;       // "Проект: Дом 5.луч", or the new project's label
  std::string project_path;  // the full path; empty for a project never saved
  std::string date_time;     // as the locale writes it
  std::vector<std::pair<std::string, std::string>> inputs;  // label, value
  std::vector<std::string> results;                         // the status panels of the calculation
  std::vector<std::string> headers;                         // the grid's 11 column titles
  std::vector<BlockRow> rows;            // rows 1..BlockCount as the grid shows them
  std::vector<VoltageCellLook> voltage;  // per row: the U cell's colours, not selected
  std::vector<std::string> problems;  // never empty: "Проблем не найдено." stands alone
  VoltageProfile profile;
  std::vector<QuantityLine> quantities;
  bool quantities_marked = false;  // the table marks a name that the library lacks
};

struct DesignSources {
  const ProjectTable& table;
  const ProjectParameters& params;
  const StatusBars& status;
  const CableLibrary& cables;
  const BlockLibrary& blocks;
  const std::vector<Problem>& problems;
  std::string project_file;  // UTF-8 path; empty for a project never saved
  std::string date_time;
  char decimal_separator = ',';  // of the chart's numbers (the locale's)
};

// The inputs are EditU as typed and the five parameters as the parameters
// window shows them ("40.0", "0.050", ...), under that window's titles; a
// capacitance or inductance limit of 0 is marked as not checked. The results
// are the texts of the status panels: length, resistance, capacitance,
// inductance, then blocks, problems, current and the calculation's state.
DesignDocument BuildDesignDocument(const DesignSources& sources);

}  // namespace luch
