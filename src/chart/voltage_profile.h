// The voltage along the ray after a calculation, as the chart window
// "График напряжения" draws it, and that window's logic without its widgets:
// its place in Tarvel.ini and the saving of the picture.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"
#include "common/settings_file.h"
#include "project/project_parameters.h"

namespace luch {

class ProjectTable;
class BlockLibrary;

namespace chart_texts {
inline constexpr const char* kCaption = "График напряжения";
inline constexpr const char* kButtonSave = "Сохранить как PNG...";
inline constexpr const char* kSaveTitle = "Сохранить график";
inline constexpr const char* kSaveFilter = "Рисунок PNG (*.png)|*.png";
inline constexpr const char* kSaveExtension = "png";
inline constexpr const char* kAxisX = "Расстояние от КМУ, м";
inline constexpr const char* kAxisY = "Напряжение, В";
inline constexpr const char* kFailed = "Не удается выполнить расчет...";
inline constexpr const char* kNoData = "Расчет еще не выполнен";
inline constexpr const char* kLegendLine = "Напряжение линии";
inline constexpr const char* kLegendInOrder = "Блок в норме";
inline constexpr const char* kLegendBelow = "Блок ниже Umin";
inline constexpr const char* kLegendUmin = "Umin блока";
inline constexpr const char* kSupplyLabel = "Напряжение КМУ %.2f В";
inline constexpr const char* kCannotCreate = "Cannot create file ";
}  // namespace chart_texts

inline constexpr const char* kChartSection = "Chart";

// One block of the ray.
struct VoltagePoint {
  int row = 0;                 // table row, 1-based
  double distance_m = 0.0;     // from the controller: LengthM of rows 1..row summed
  double block_voltage = 0.0;  // V: the VoltageV cell
  double line_voltage = 0.0;   // V at the node: block voltage plus the drop on ZB
  std::optional<double> umin;  // V: the stored Umin; none when the block type is unknown
  bool below_minimum = false;  // the grid colours this voltage as below Umin
  bool has_zb = false;
  std::string address, block_name, regime_name;
};

struct VoltageProfile {
  // False when the table holds no calculated voltages (after a failed
  // calculation every VoltageV cell is empty); `points` is then empty.
  bool valid = false;
  double supply_voltage = 0.0;  // V: the leading number of EditU
  std::vector<VoltagePoint> points;
  char decimal_separator = ',';  // of the numbers the chart writes (the locale's)
};

// Reads the result of the last calculation from the table: one point per row
// 1..BlockCount. Valid only when every row's VoltageV cell holds a text. The
// line voltage is Ub + CurrentMA × ZBResistance × 0.001 for a row with ZB, Ub
// otherwise; "below" follows the grid's colouring (u ≥ stored Umin or u = 0 is
// in order; a block type not in the library is never below).
VoltageProfile BuildVoltageProfile(const ProjectTable& table, const ProjectParameters& params,
                                   const BlockLibrary& blocks, char decimal_separator);

// The tooltip of a point: row, address, block, regime, U (and the line voltage
// for a row with ZB), Umin, distance; numbers with "." as in the table.
std::string PointToolTip(const VoltagePoint& point, char decimal_separator);

// An axis from `min` to `max` in steps of `step`; min and max are multiples of step.
struct AxisScale {
  double min = 0.0, max = 1.0, step = 1.0;
  int Decimals() const;  // decimals that the tick labels need (0..15)
};

// The smallest scale holding lo..hi with at most `max_intervals` (≥ 1) steps of
// 1, 2, 2.5 or 5 × 10^k, the step not below `min_step` (when > 0). An empty or
// non-finite range is widened to a unit around its value.
//   NiceScale(0, 27.9, 6) == {0, 30, 5}
AxisScale NiceScale(double lo, double hi, int max_intervals, double min_step = 0.0);

// The chart window (TChart) without its widgets.
class ChartWindow {
 public:
  // The design place: 700 × 420 at left 180, top 140.
  static constexpr WindowGeometry kDesign{.top = 140, .left = 180, .height = 420, .width = 700};

  ChartWindow(std::filesystem::path data_dir, Platform platform);

  // Reads the place from section "Chart" (design values as defaults, pulled
  // back onto the screen).
  WindowGeometry FormCreate();
  // Stores the place in section "Chart"; a failed write is reported.
  void FormClose(const WindowGeometry& geometry);

  // The project the chart's file is named after (a full path; empty: unnamed).
  void SetProjectPath(std::string path) { project_path_ = std::move(path); }

  // "Сохранить как PNG...": asks for a file name (beside the project, see
  // StartBesideProject); cancelled: does nothing. Otherwise writes the bytes that
  // `png` gives, whole and atomically; when they are empty or cannot be
  // written shows "Cannot create file <path>". Returns true when written.
  bool ButtonSaveClick(const std::function<std::string()>& png);

 private:
  std::filesystem::path data_dir_;
  Platform platform_;
  std::string project_path_;
};

}  // namespace luch
