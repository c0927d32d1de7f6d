#include "reports/calculation_report.h"

#include "common/file_io.h"
#include "common/number_text.h"
#include "reports/report_texts.h"

namespace luch {

namespace t = report_texts;

std::vector<std::string> BuildReportHeader(const CalculationSummary& summary,
                                           std::string_view edit_u, std::string_view length_unit,
                                           std::string_view date_time) {
  const double current_ma = static_cast<double>(summary.TotalCurrent) * 1000.0;
  return {
      t::kTitle,
      t::kObject + FileNameOf(summary.project_file),
      t::kLength + std::to_string(summary.TotalLength) + std::string(length_unit),
      t::kSupply + std::string(edit_u) + t::kSupplyUnit,
      t::kCurrent + CFormat("%2.2f", {current_ma}) + t::kCurrentUnit,
      t::kDate + std::string(date_time),
      "",
  };
}

std::vector<std::string> BuildReport(const ProjectTable& table, const ProjectParameters& parameters,
                                     const CalculationSummary& summary,
                                     std::string_view date_time) {
  std::vector<std::string> lines =
      BuildReportHeader(summary, parameters.EditU, t::kReportLengthUnit, date_time);
  for (int i = 1; i <= table.BlockCount(); ++i) {
    lines.push_back(CFormat(t::kRowAddress, {i, table.Address(i)}));
    lines.push_back(CFormat(t::kRowBlock, {table.BlockName(i)}));
    lines.push_back(CFormat(t::kRowCable, {table.CableName(i), table.LengthM(i)}));
    lines.push_back(CFormat(t::kRowVoltage, {table.VoltageV(i), table.CurrentMA(i)}));
    if (table.HasZB(i)) {
      lines.push_back(CFormat(t::kRowZBVoltage, {CableVoltage(table, i, parameters.ZBResistance)}));
    }
    lines.emplace_back();
  }
  return lines;
}

double CableVoltage(const ProjectTable& table, int row, float zb_resistance) {
  const double voltage = table.VoltageV(row);
  if (!table.HasZB(row)) return voltage;
  return voltage + table.CurrentMA(row) * static_cast<double>(zb_resistance) * 0.001;
}

std::vector<std::string> BuildVoltageTable(const ProjectTable& table,
                                           const ProjectParameters& parameters,
                                           const CalculationSummary& summary,
                                           std::string_view date_time) {
  std::vector<std::string> lines =
      BuildReportHeader(summary, parameters.EditU, t::kTableLengthUnit, date_time);
  lines.emplace_back(t::kTableTitle);
  lines.emplace_back();
  lines.emplace_back(t::kTableColumns);
  const double supply = parameters.SupplyVoltage();
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const double cable_voltage = CableVoltage(table, i, parameters.ZBResistance);
    std::string line = CFormat(t::kTableRowAddress, {i, table.Address(i)});
    line += CFormat(t::kTableRowVoltage, {cable_voltage});
    if (supply > 0.9) line += CFormat(t::kTableRowPercent, {cable_voltage * 100.0 / supply});
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace luch
