// The calculation report (Отчет.txt) and the voltage table
// (Таблица напряжения.txt) as lines of text. Pure: no file, no clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

// What the project file and the last calculation add to the header.
struct CalculationSummary {
  std::string project_file;   // UTF-8 full path; empty for a project never saved
  int64_t TotalLength = 0;    // m, of the last prepared calculation
  float TotalCurrent = 0.0f;  // A, of the last successful calculation
};

// The header lines both files share: title, object (the file name without its
// folder), ray length followed by `length_unit`, EditU as typed, the current in
// mA ("%2.2f"), `date_time` as the locale wrote it, and a blank line.
std::vector<std::string> BuildReportHeader(const CalculationSummary& summary,
                                           std::string_view edit_u, std::string_view length_unit,
                                           std::string_view date_time);

// The report: the header with "[М]", then per row 1..BlockCount four lines
// (address, block, cable and length, voltage and current), a fifth with the
// voltage in front of the lightning-protection block when the row has one,
// and a blank line. Fields only pad, long texts are kept whole; empty cells
// print as empty texts and 0.
std::vector<std::string> BuildReport(const ProjectTable& table, const ProjectParameters& parameters,
                                     const CalculationSummary& summary, std::string_view date_time);

// The voltage on the cable at a row's node: VoltageV, plus the drop over the
// lightning-protection block (CurrentMA x ZBResistance / 1000) when it has one.
double CableVoltage(const ProjectTable& table, int row, float zb_resistance);

// The voltage table: the header with "[м]", its title and column header, then
// one line per row: number, address, cable voltage and, only when the supply
// voltage (leading number of EditU) exceeds 0.9 V, the percentage of it.
std::vector<std::string> BuildVoltageTable(const ProjectTable& table,
                                           const ProjectParameters& parameters,
                                           const CalculationSummary& summary,
                                           std::string_view date_time);

}  // namespace luch
