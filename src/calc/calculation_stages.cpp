#include "calc/calculation_stages.h"

#include <cmath>
#include <limits>
#include <string>

#include "calc/calculation_texts.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "library/block_file_format.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {
namespace {

namespace t = calc_texts;

// len * Cm * Zw * Zw formed exactly (it can exceed 64 bits), then rounded once.
double InductanceProduct(int32_t len, int32_t cm, int32_t zw) {
  // NOLINTNEXTLINE(modernize-use-using): __extension__ (quiet -Wpedantic) takes no alias
  __extension__ typedef __int128 Wide;
  const Wide product =
      static_cast<Wide>(int64_t{len} * int64_t{cm}) * static_cast<Wide>(int64_t{zw} * int64_t{zw});
  return static_cast<double>(product);
}

// The capacitance panel and its limit check.
void ShowCapacitance(CalculationContext& c, CalculationState& s, bool available, float csum) {
  const char sep = c.platform.locale->DecimalSeparator();
  std::string& panel = c.status.bar2[2];
  if (!available) {
    panel = t::kCapacitanceUnknown;
    return;
  }
  if (csum < 1000.0f) {
    panel = t::kCapacitance + FormatPattern(csum, t::kPicoFaradPattern, sep);
  } else if (csum < 100000.0f) {
    panel = t::kCapacitance + FormatPattern(csum * 0.001, t::kNanoFaradPattern, sep);
  } else {
    panel = t::kCapacitance + FormatPattern(csum * 0.000001, t::kMicroFaradPattern, sep);
  }
  const float limit = c.params.MaxCapacitance;
  if (limit != 0.0f && csum * 0.000001 > limit) {
    panel += t::kTooMuch;
    s.WarningText += t::kCapacitanceWarning;
  }
}

// The inductance panel and its limit check.
void ShowInductance(CalculationContext& c, CalculationState& s, bool available, double lsum) {
  std::string& panel = c.status.bar2[3];
  if (!available) {
    panel = t::kInductanceUnknown;
    return;
  }
  const double mh = lsum * 0.001;
  panel = t::kInductance +
          FormatPattern(mh, t::kInductancePattern, c.platform.locale->DecimalSeparator());
  const float limit = c.params.MaxInductance;
  if (limit != 0.0f && mh > limit) {
    panel += t::kTooMuch;
    s.WarningText += t::kInductanceWarning;
  }
}

// Steps 10 and 11: out-of-range parameters are replaced for good.
void ReplaceParameters(CalculationContext& c, CalculationState& s) {
  ProjectParameters& p = c.params;
  s.SupplyVoltage = p.SupplyVoltage();
  if (!(s.SupplyVoltage > 1.0)) {
    s.SupplyVoltage = 28.0;
    p.EditU = t::kDefaultSupply;
  }
  if (!(p.MaxCurrent >= 1.0f)) p.MaxCurrent = 1000.0f;
  if (p.AccuracyStep > 0.5f) p.AccuracyStep = 0.05f;
  if (!(p.AccuracyStep >= 0.001f)) p.AccuracyStep = 0.05f;
  s.AccuracyStep = p.AccuracyStep;
}

}  // namespace

void PrepareCalculation(CalculationContext& c, CalculationState& s) {
  ProjectTable& table = c.table;
  const int n = table.BlockCount();
  const char sep = c.platform.locale->DecimalSeparator();
  s.N = n;
  s.WarningText.clear();
  c.status.bar1[1] = t::kBlocks + std::to_string(n);

  RayArrays& a = s.arrays;
  const size_t size = static_cast<size_t>(n) + 1;
  a.SegmentResistance.assign(size, 0.0f);
  a.RowPower.assign(size, 0.0f);
  a.RowZBResistance.assign(size, 0.0f);
  a.RowCurrent.assign(size, 0.0f);
  a.RowUmin.assign(size, 0.0f);
  c.totals.TotalLength = 0;
  float rsum = 0.0f;
  float csum = 0.0f;
  double lsum = 0.0;
  bool capacitance_available = true;
  bool inductance_available = true;

  c.platform.wait->Show();

  BlockLibrary::Batch batch(c.blocks);
  for (int i = 1; i <= n; ++i) {
    const size_t k = static_cast<size_t>(i);
    const std::string cable = table.CableName(i);
    const int32_t r = c.cables.CableResistanceByName(cable);
    const int32_t len = table.LengthM(i);
    // cppcheck-suppress constStatement ; int64_t{r} is a cast, not an array access
    a.SegmentResistance[k] =
        static_cast<float>(static_cast<double>(int64_t{r} * int64_t{len}) * 0.002);
    rsum += a.SegmentResistance[k];

    const int32_t cm = c.cables.CableCapacitanceByName(cable);
    const int32_t zw = c.cables.CableWaveImpedanceByName(cable);
    if (cm == 0) capacitance_available = inductance_available = false;
    if (zw == 0) inductance_available = false;
    if (capacitance_available) {
      csum = static_cast<float>(static_cast<double>(csum) +
                                static_cast<double>(int64_t{len} * int64_t{cm}));
    }
    if (inductance_available) lsum += InductanceProduct(len, cm, zw) * 0.000001;
    c.totals.TotalLength += len;

    table.UpdateResistance(i, c.cables, sep);

    const int b = c.blocks.BlockIndexByName(table.BlockName(i));
    if (b == -1) {
      table.SetBlockName(i, "");
      table.SetRegimeName(i, "");
      table.SetPowerMW(i, 0);
      a.RowPower[k] = 0.0f;
      a.RowCurrent[k] = 0.0f;
      a.RowUmin[k] = static_cast<float>(block_file::kDefaultUmin);
    } else {
      a.RowUmin[k] = static_cast<float>(c.blocks.BlockUmin(b));
      if (!(a.RowUmin[k] >= 1.0f)) a.RowUmin[k] = 1.0f;
      const std::string regime = table.RegimeName(i);
      const int32_t p = c.blocks.RegimePowerByName(b, regime);
      table.SetPowerMW(i, p);
      a.RowPower[k] = static_cast<float>(p * 0.001);
      a.RowCurrent[k] = 0.0f;
      if (p == 0) {
        a.RowCurrent[k] = static_cast<float>(c.blocks.RegimeCurrentByName(b, regime) * 0.001);
      }
    }
    a.RowZBResistance[k] = table.HasZB(i) ? c.params.ZBResistance : 0.0f;
  }

  c.status.bar2[0] = t::kLength + std::to_string(c.totals.TotalLength) + t::kMeters;
  c.status.bar2[1] = t::kResistance + FormatPattern(rsum, t::kResistancePattern, sep);
  ShowCapacitance(c, s, capacitance_available, csum);
  ShowInductance(c, s, inductance_available, lsum);
  ReplaceParameters(c, s);

  c.status.bar1[2] = t::kProblemsUnknown;
  c.status.bar1[3] = t::kCurrentUnknown;
  c.status.bar1[4] = t::kRunning;
  c.platform.wait->Repaint();
}

void FinishCalculation(CalculationContext& c, CalculationState& s, bool success) {
  // The controller current in mA as a 32-bit real: 0.01 A read back from
  // "10" mA shows as 10 mA, not 9.
  const float total_ma = c.totals.TotalCurrent * 1000.0f;
  const int64_t m = TruncateToInt64(total_ma);
  if (success) {
    c.status.bar1[3] = t::kCurrent + std::to_string(m) + t::kMilliamps;
    c.status.bar1[4] = t::kSucceeded;
  } else {
    c.status.bar1[3] = t::kCurrentUnknown;
    c.status.bar1[4] = t::kFailed;
  }
  c.report_enabled = success;
  c.platform.wait->Close();

  const int n = s.N;
  if (success) {
    int problems = 0;
    for (int i = 1; i <= n; ++i) {
      if (c.table.VoltageV(i) < s.arrays.RowUmin[static_cast<size_t>(i)]) ++problems;
    }
    c.status.bar1[2] = t::kProblems + std::to_string(problems);
    if (total_ma > c.params.MaxCurrent) s.WarningText += t::kCurrentWarning;
    if (!s.WarningText.empty()) {
      c.platform.messages->Show(s.WarningText, t::kCaption, MessageIcon::kWarning);
    }
  } else {
    c.status.bar1[2] = t::kProblemsUnknown;
    for (int i = 1; i <= n; ++i) {
      c.table.SetCell(i, kCurrentMA, "");
      c.table.SetCell(i, kVoltageV, "");
    }
    c.platform.messages->Show(t::kFailureMessage, t::kCaption, MessageIcon::kWarning);
  }
  s.arrays = RayArrays{};
}

namespace {
bool AllFinite(const std::vector<float>& values) {
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}
}  // namespace

bool SolverInputsUsable(const CalculationState& s) {
  const RayArrays& a = s.arrays;
  return AllFinite(a.SegmentResistance) && AllFinite(a.RowPower) &&
         AllFinite(a.RowZBResistance) && AllFinite(a.RowCurrent) &&
         std::isfinite(s.SupplyVoltage) && std::isfinite(s.AccuracyStep);
}

bool SupplyVoltageUsable(const CalculationState& s) {
  return std::isfinite(s.SupplyVoltage) && s.SupplyVoltage <= kMaxSupplyVoltage;
}

double SearchStartVoltage(const CalculationState& s) {
  const RayArrays& a = s.arrays;
  const size_t n = static_cast<size_t>(s.N);
  return static_cast<double>(a.RowPower[n]) / a.RowUmin[n] * a.RowZBResistance[n] + a.RowUmin[n];
}

bool SearchPassesBounded(const CalculationState& s) {
  if (!AllFinite(s.arrays.RowUmin)) return false;
  const double passes = (kMaxSupplyVoltage - SearchStartVoltage(s)) / s.AccuracyStep;
  return passes <= kMaxSearchPasses;
}

int64_t TruncateToInt64(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  if (x <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(x);
}

}  // namespace luch
