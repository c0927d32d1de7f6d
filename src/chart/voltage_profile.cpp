#include "chart/voltage_profile.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/voltage_cell_colours.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/save_place.h"
#include "library/block_library.h"
#include "project/project_table.h"

namespace luch {

VoltageProfile BuildVoltageProfile(const ProjectTable& table, const ProjectParameters& params,
                                   const BlockLibrary& blocks, char decimal_separator) {
  VoltageProfile profile;
  profile.decimal_separator = decimal_separator;
  profile.supply_voltage = params.SupplyVoltage();
  const int count = table.BlockCount();
  for (int row = 1; row <= count; ++row) {
    if (table.GetCell(row, kVoltageV).empty()) return profile;
  }
  profile.valid = true;
  profile.points.reserve(count);
  const BlockLibrary::Batch batch(blocks);
  int64_t distance = 0;  // 4096 rows of 32-bit lengths cannot overflow it
  for (int row = 1; row <= count; ++row) {
    VoltagePoint& point = profile.points.emplace_back();
    distance += table.LengthM(row);
    point.row = row;
    point.distance_m = static_cast<double>(distance);
    point.block_voltage = table.VoltageV(row);
    point.has_zb = table.HasZB(row);
    point.line_voltage = point.block_voltage;
    if (point.has_zb) {
      point.line_voltage += table.CurrentMA(row) * params.ZBResistance * 0.001;
    }
    point.address = table.Address(row);
    point.block_name = table.BlockName(row);
    point.regime_name = table.RegimeName(row);
    const int b = blocks.BlockIndexByName(point.block_name);
    if (b != -1) point.umin = blocks.BlockUmin(b);
    // The grid's own rule, so that the chart and the grid never disagree.
    point.below_minimum =
        VoltageCellColours(table, blocks, kVoltageV, row, /*selected=*/false).below_minimum;
  }
  return profile;
}

std::string PointToolTip(const VoltagePoint& point, char sep) {
  const auto volts = [sep](double v) { return FormatPattern(v, "0.00", sep) + " В"; };
  std::string text = CFormat("Строка %d", {point.row});
  if (!point.address.empty()) text += CFormat("\nАдрес: %s", {point.address});
  text += CFormat("\nБлок: %s", {point.block_name.empty() ? "(нет)" : point.block_name});
  if (!point.regime_name.empty()) text += CFormat("\nРежим: %s", {point.regime_name});
  text += "\nU = " + volts(point.block_voltage);
  if (point.has_zb) text += " (линия " + volts(point.line_voltage) + ", через ЗБ)";
  if (point.umin) {
    text += "\nUmin = " + volts(*point.umin);
    if (point.below_minimum) text += "  — ниже Umin!";
  } else {
    text += "\nUmin: блок не найден в библиотеке";
  }
  text += "\nРасстояние от КМУ: " + FormatPattern(point.distance_m, "0", sep) + " м";
  return text;
}

int AxisScale::Decimals() const {
  if (!(step > 0.0) || !std::isfinite(step)) return 0;
  // The step is m × 10^k with m in {1, 2, 2.5, 5}: 2.5 needs one decimal more.
  const double exponent = std::floor(std::log10(step) + 1e-9);
  const double mantissa = step / std::pow(10.0, exponent);
  int decimals = exponent < 0 ? static_cast<int>(-exponent) : 0;
  if (std::fabs(mantissa - 2.5) < 1e-6) ++decimals;
  return std::clamp(decimals, 0, 15);
}

AxisScale NiceScale(double lo, double hi, int max_intervals, double min_step) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) {
    lo = std::isfinite(lo) ? lo : (std::isfinite(hi) ? hi : 0.0);
    hi = lo;
  }
  if (lo > hi) std::swap(lo, hi);
  if (hi - lo < 1e-12 * std::max(1.0, std::fabs(hi))) {
    lo -= 0.5;
    hi += 0.5;
  }
  max_intervals = std::max(1, max_intervals);
  const double raw = std::max((hi - lo) / max_intervals, min_step > 0.0 ? min_step : 0.0);
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  AxisScale scale;
  // A finite range ends within a few decades; a range beyond double's reach
  // (hi - lo overflowing) falls through to the plain scale below.
  for (int decade = 0; decade < 4 && std::isfinite(power); ++decade) {
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
      const double step = m * power;
      if (step < min_step) continue;
      const double first = std::floor(lo / step + 1e-9) * step;
      const double last = std::ceil(hi / step - 1e-9) * step;
      if ((last - first) / step <= max_intervals + 1e-9) {
        scale.min = first;
        scale.max = last;
        scale.step = step;
        return scale;
      }
    }
    power *= 10.0;
  }
  scale.min = lo;
  scale.max = hi;
  scale.step = std::isfinite(hi - lo) ? (hi - lo) / max_intervals : hi;
  return scale;
}

ChartWindow::ChartWindow(std::filesystem::path data_dir, Platform platform)
    : data_dir_(std::move(data_dir)), platform_(platform) {}

WindowGeometry ChartWindow::FormCreate() {
  return LoadWindowGeometry(data_dir_, kChartSection, kDesign, platform_);
}

void ChartWindow::FormClose(const WindowGeometry& geometry) {
  StoreWindowGeometry(data_dir_, kChartSection, geometry, platform_);
}

bool ChartWindow::ButtonSaveClick(const std::function<std::string()>& png) {
  FileDialogRequest request;
  request.title = chart_texts::kSaveTitle;
  request.filter = chart_texts::kSaveFilter;
  request.default_extension = chart_texts::kSaveExtension;
  StartBesideProject(request, project_path_, *platform_.dialogs);
  const std::optional<std::string> path = platform_.dialogs->SaveFile(request);
  if (!path || path->empty()) return false;
  const std::string bytes = png();
  SetLastWriteNote({});
  if (bytes.empty() || !WriteFileAtomic(*platform_.files, Utf8Path(*path), bytes)) {
    platform_.messages->ShowError(WithWriteNote(chart_texts::kCannotCreate + *path));
    return false;
  }
  return true;
}

}  // namespace luch
