// A project file "*.луч" received from someone else: open it, save and reopen
// it (nothing stored may change), then run the calculation (F9) and the
// minimum voltage search (F10) on it, headless. The input may carry its own
// Кабель.ini and Блок.ini after the project (parts split by the separator
// line of fuzz_support.h); otherwise the examples' libraries are used.
//
// The ray is cut after loading so that rows x possible passes stays within
// kMaxRowVisits: a pass visits every row, and a ray at up to 1000 V with a
// 0.001 V step may take 10^6 passes, so a 4096-row ray takes seconds by
// design (about 9 s in a release build), and ~100 times longer under the
// sanitizers. That is not a finding. Loading and saving see every row.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/calculation.h"
#include "common/file_io.h"
#include "common/headless_platform.h"
#include "fuzz_support.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"

namespace {

using namespace luch;

constexpr int kMaxFuzzRows = 64;
constexpr double kMaxRowVisits = 2.0e6;

// The rows the solver may visit within kMaxRowVisits: the step as the
// calculation replaces it, and at most 1000 V to cover.
int RowsWithinBudget(const ProjectParameters& params) {
  float step = params.AccuracyStep;
  if (step > 0.5f || !(step >= 0.001f)) step = 0.05f;
  const double passes = 1000.0 / static_cast<double>(step) + 2.0;
  return static_cast<int>(std::clamp(kMaxRowVisits / passes, 1.0, double{kMaxFuzzRows}));
}
constexpr int kStoredColumns[] = {kAddress,    kBlockName, kCableName, kLengthM,
                                  kRegimeName, kPowerMW,   kHasZB};

void CheckSameProject(const ProjectTable& a, const ProjectParameters& pa, const ProjectTable& b,
                      const ProjectParameters& pb) {
  LUCH_FUZZ_CHECK(a.BlockCount() == b.BlockCount());
  for (int r = 1; r <= a.BlockCount(); ++r) {
    for (int c : kStoredColumns) LUCH_FUZZ_CHECK(a.GetCell(r, c) == b.GetCell(r, c));
  }
  // EditU holds "%2.2f" of the stored voltage; saved with 15 significant
  // digits it comes back exactly while it has at most 15 digits.
  if (std::fabs(pa.SupplyVoltage()) < 1e12) {
    LUCH_FUZZ_CHECK(pa.SupplyVoltage() == pb.SupplyVoltage());
  }
  LUCH_FUZZ_CHECK(pa.ZBResistance == pb.ZBResistance);
  LUCH_FUZZ_CHECK(pa.AccuracyStep == pb.AccuracyStep);
  LUCH_FUZZ_CHECK(pa.MaxCurrent == pb.MaxCurrent);
  LUCH_FUZZ_CHECK(pa.MaxCapacitance == pb.MaxCapacitance);
  LUCH_FUZZ_CHECK(pa.MaxInductance == pb.MaxInductance);
}

void CheckTableShape(const ProjectTable& table) {
  LUCH_FUZZ_CHECK(table.BlockCount() >= kMinBlockCount && table.BlockCount() <= kMaxBlockCount);
  for (int r = 1; r <= table.BlockCount(); ++r) {
    LUCH_FUZZ_CHECK(table.GetCell(r, kNumber) == std::to_string(r));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts =
      fuzz::SplitParts(std::string_view(reinterpret_cast<const char*>(data), size), 3);
  const std::string_view project = parts[0];
  const std::string_view cables_file =
      parts.size() > 1 ? parts[1] : std::string_view(fuzz::ExampleFile(kCableFileName));
  const std::string_view blocks_file =
      parts.size() > 2 ? parts[2] : std::string_view(fuzz::ExampleFile(kBlockFileName));

  const auto path = fuzz::PutFile("проект.луч", project);
  fuzz::PutFile(kCableFileName, cables_file);
  fuzz::PutFile(kBlockFileName, blocks_file);
  fuzz::DropFile("копия.луч");

  ProjectTable table;
  ProjectParameters params;
  if (!LoadProjectFile(path, table, params)) {
    // Not a project: nothing of it reached the table.
    LUCH_FUZZ_CHECK(table == ProjectTable());
    return 0;
  }
  CheckTableShape(table);
  table.SetBlockCount(std::min(table.BlockCount(), RowsWithinBudget(params)));

  // Saved and opened again, the project is the same.
  const auto copy = fuzz::DataDir() / Utf8Path("копия.луч");
  LUCH_FUZZ_CHECK(SaveProjectFile(copy, table, params, ','));
  if (project.find('\x98') == std::string_view::npos &&
      fuzz::SurvivesCp1251(FileTextToUtf8(project))) {
    ProjectTable reopened;
    ProjectParameters reopened_params;
    LUCH_FUZZ_CHECK(LoadProjectFile(copy, reopened, reopened_params));
    CheckSameProject(table, params, reopened, reopened_params);
  }

  CableLibrary cables;
  cables.LoadCables(fuzz::DataDir());
  const BlockLibrary blocks(fuzz::DataDir());
  HeadlessPlatform headless(',');
  StatusBars status;
  bool report_enabled = false;
  CalculationTotals totals;
  CalculationContext context{table,  params, status, report_enabled,
                             totals, cables, blocks, headless.platform()};

  const ProjectParameters before_run = params;
  const bool calculated = BitBtnStartClick(context);
  LUCH_FUZZ_CHECK(report_enabled == calculated);
  CheckTableShape(table);
  if (calculated) LUCH_FUZZ_CHECK(std::isfinite(totals.TotalCurrent));

  params = before_run;
  const bool found = mFindUKMUClick(context);
  LUCH_FUZZ_CHECK(report_enabled == found);
  CheckTableShape(table);
  if (found) LUCH_FUZZ_CHECK(std::isfinite(params.SupplyVoltage()));
  return 0;
}
