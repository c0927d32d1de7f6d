#include "analysis/analysis_window.h"

#include <algorithm>
#include <utility>

#include "calc/calculation.h"
#include "common/numbers.h"

namespace luch {
namespace {

std::string YesNo(bool works) { return works ? analysis_texts::kYes : analysis_texts::kNo; }

std::string OrNone(const std::optional<std::string>& text) {
  return text ? *text : analysis_texts::kNone;
}

// A minimum voltage, marked when it is above what the controller gives.
std::string VoltageAnswer(const std::optional<std::string>& text) {
  if (text && LeadingReal(*text) > kHigherPresetVoltage) {
    return *text + analysis_texts::kAbovePreset;
  }
  return OrNone(text);
}

std::string OrNone(std::optional<int> value) {
  return value ? std::to_string(*value) : analysis_texts::kNone;
}

bool SameCables(const CableLibrary& a, const CableLibrary& b) {
  if (a.CableCount() != b.CableCount()) return false;
  for (size_t i = 0; i < a.rows().size(); ++i) {
    const CableType& x = a.rows()[i];
    const CableType& y = b.rows()[i];
    if (x.name != y.name || x.resistance != y.resistance || x.capacitance != y.capacitance ||
        x.wave_impedance != y.wave_impedance) {
      return false;
    }
  }
  return true;
}

bool SameRows(const ProjectTable& a, const ProjectTable& b) {
  if (a.BlockCount() != b.BlockCount()) return false;
  for (int r = 1; r <= a.BlockCount(); ++r) {
    // The current and the voltage are what a calculation writes.
    for (int col = 0; col < kCurrentMA; ++col) {
      if (a.GetCell(r, col) != b.GetCell(r, col)) return false;
    }
  }
  return true;
}

}  // namespace

bool SameAnalysisInput(const AnalysisSources& a, const AnalysisSources& b) {
  return a.params == b.params && a.data_dir == b.data_dir &&
         a.decimal_separator == b.decimal_separator && SameRows(a.table, b.table) &&
         SameCables(a.cables, b.cables);
}

AnalysisWindow::AnalysisWindow(std::filesystem::path data_dir, Platform platform)
    : data_dir_(std::move(data_dir)), platform_(platform) {}

WindowGeometry AnalysisWindow::FormCreate() {
  return LoadWindowGeometry(data_dir_, kAnalysisSection, kDesign, platform_);
}

void AnalysisWindow::FormClose(const WindowGeometry& geometry) {
  StoreWindowGeometry(data_dir_, kAnalysisSection, geometry, platform_);
}

std::string AnalysisWindow::CableCell(int row, int col) const {
  if (row < 0 || static_cast<size_t>(row) >= answers_.cables.size()) return {};
  const CableAnswer& answer = answers_.cables[static_cast<size_t>(row)];
  switch (col) {
    case kCableNameColumn:
      return answer.name;
    case kCableWorksColumn:
      return YesNo(answer.works);
    case kCableVoltageColumn:
      return VoltageAnswer(answer.min_voltage);
    case kCableResistanceColumn:
      return answer.resistance;
    case kCableCapacitanceColumn:
      return answer.capacitance;
    case kCableInductanceColumn:
      return answer.inductance;
    case kCableScaleColumn:
      return OrNone(answer.scale_percent);
    default:
      return {};
  }
}

std::string AnalysisWindow::RegimeCell(int row, int col) const {
  if (row < 0 || static_cast<size_t>(row) >= answers_.regimes.size()) return {};
  const RegimeAnswer& answer = answers_.regimes[static_cast<size_t>(row)];
  switch (col) {
    case kRegimeNameColumn:
      return answer.name;
    case kRegimeWorksColumn:
      return YesNo(answer.works);
    case kRegimeVoltageColumn:
      return VoltageAnswer(answer.min_voltage);
    default:
      return {};
  }
}

std::string AnalysisWindow::LastSegmentLine() const {
  const std::optional<int>& length = answers_.last_segment_m;
  return std::string(analysis_texts::kLastSegment) +
         (length ? "до " + std::to_string(*length) + " м" : analysis_texts::kNone);
}

std::string AnalysisWindow::ScaleLine() const {
  const std::optional<int>& percent = answers_.scale_percent;
  if (!percent) return std::string(analysis_texts::kScale) + analysis_texts::kNone;
  return std::string(analysis_texts::kScale) + "до " + std::to_string(*percent) + " %" +
         (*percent < 100 ? analysis_texts::kShorten : "");
}

std::string AnalysisWindow::ExtraBlocksLine() const {
  return std::string(analysis_texts::kExtraBlocks) + OrNone(answers_.extra_blocks);
}

bool AnalysisWindow::NeedsWork(const AnalysisSources& now) {
  if (input_ && !invalidated_ && SameAnalysisInput(*input_, now)) return false;
  input_ = now;
  invalidated_ = false;
  fresh_ = false;
  percent_ = 0;
  return true;
}

void AnalysisWindow::Progress(int done, int total) {
  percent_ = total > 0 ? std::clamp(done * 100 / total, 0, 100) : 0;
}

void AnalysisWindow::Finished(RayAnalysis answers) {
  answers_ = std::move(answers);
  fresh_ = true;
  percent_ = 100;
}

}  // namespace luch
