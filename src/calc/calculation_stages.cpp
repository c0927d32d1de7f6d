#include "calc/calculation_stages.h"

#include <cmath>
#include <limits>
#include <string>

#include "calc/calculation_texts.h"
#include "calc/recent_lookup.h"
#include "calc/unknown_types.h"
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
void ShowCapacitance(CalculationContext& context, CalculationState& state, bool available,
                     float csum) {
  const char sep = context.platform.locale->DecimalSeparator();
  std::string& panel = context.status.bar2[2];
  context.totals.CapacitanceUF = available ? csum * 0.000001 : -1.0;
  context.totals.CapacitanceExceeded = false;
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
  const float limit = context.params.MaxCapacitance;
  if (limit != 0.0f && csum * 0.000001 > limit) {
    context.totals.CapacitanceExceeded = true;
    panel += t::kTooMuch;
    state.WarningText += t::kCapacitanceWarning;
  }
}

// The inductance panel and its limit check.
void ShowInductance(CalculationContext& context, CalculationState& state, bool available,
                    double lsum) {
  std::string& panel = context.status.bar2[3];
  const double mh = lsum * 0.001;
  context.totals.InductanceMH = available ? mh : -1.0;
  context.totals.InductanceExceeded = false;
  if (!available) {
    panel = t::kInductanceUnknown;
    return;
  }
  panel = t::kInductance +
          FormatPattern(mh, t::kInductancePattern, context.platform.locale->DecimalSeparator());
  const float limit = context.params.MaxInductance;
  if (limit != 0.0f && mh > limit) {
    context.totals.InductanceExceeded = true;
    panel += t::kTooMuch;
    state.WarningText += t::kInductanceWarning;
  }
}

// Steps 10 and 11: out-of-range parameters are replaced for good.
void ReplaceParameters(CalculationContext& context, CalculationState& state) {
  ProjectParameters& p = context.params;
  state.SupplyVoltage = p.SupplyVoltage();
  if (!(state.SupplyVoltage > 1.0)) {
    state.SupplyVoltage = 28.0;
    p.EditU = t::kDefaultSupply;
  }
  if (!(p.MaxCurrent >= 1.0f)) p.MaxCurrent = 1000.0f;
  if (p.AccuracyStep > 0.5f) p.AccuracyStep = 0.05f;
  if (!(p.AccuracyStep >= 0.001f)) p.AccuracyStep = 0.05f;
  state.AccuracyStep = p.AccuracyStep;
}

}  // namespace

void PrepareCalculation(CalculationContext& context, CalculationState& state) {
  ProjectTable& table = context.table;
  const int n = table.BlockCount();
  const char sep = context.platform.locale->DecimalSeparator();
  state.N = n;
  state.WarningText.clear();
  state.unknown_block_rows.clear();
  context.status.bar1[1] = t::kBlocks + std::to_string(n);

  RayArrays& arrays = state.arrays;
  const size_t size = static_cast<size_t>(n) + 1;
  arrays.SegmentResistance.assign(size, 0.0f);
  arrays.RowPower.assign(size, 0.0f);
  arrays.RowZBResistance.assign(size, 0.0f);
  arrays.RowCurrent.assign(size, 0.0f);
  arrays.RowUmin.assign(size, 0.0f);
  context.totals.TotalLength = 0;
  float rsum = 0.0f;
  float csum = 0.0f;
  double lsum = 0.0;
  bool capacitance_available = true;
  bool inductance_available = true;

  context.platform.wait->Show();

  struct CableFacts {
    int32_t r = 0, cm = 0, zw = 0;
  };
  struct BlockFacts {
    int b = -1;
    float umin = 0.0f;
    int32_t p = 0;
    double current_ma = 0.0;
  };
  RecentLookup<CableFacts> cable_lookup;
  RecentLookup<BlockFacts> block_lookup;

  BlockLibrary::Batch batch(context.blocks);
  for (int i = 1; i <= n; ++i) {
    const size_t k = static_cast<size_t>(i);
    const std::string& cable = table.CableName(i);
    const CableFacts cable_facts = cable_lookup.Get(cable, {}, [&] {
      return CableFacts{context.cables.CableResistanceByName(cable),
                        context.cables.CableCapacitanceByName(cable),
                        context.cables.CableWaveImpedanceByName(cable)};
    });
    const int32_t r = cable_facts.r;
    const int32_t len = table.LengthM(i);
    // cppcheck-suppress constStatement ; int64_t{r} is a cast, not an array access
    arrays.SegmentResistance[k] =
        static_cast<float>(static_cast<double>(int64_t{r} * int64_t{len}) * 0.002);
    rsum += arrays.SegmentResistance[k];

    const int32_t cm = cable_facts.cm;
    const int32_t zw = cable_facts.zw;
    if (cm == 0) capacitance_available = inductance_available = false;
    if (zw == 0) inductance_available = false;
    if (capacitance_available) {
      csum = static_cast<float>(static_cast<double>(csum) +
                                static_cast<double>(int64_t{len} * int64_t{cm}));
    }
    if (inductance_available) lsum += InductanceProduct(len, cm, zw) * 0.000001;
    context.totals.TotalLength += len;

    table.UpdateResistance(i, r, sep);

    const std::string& block = table.BlockName(i);
    const std::string& regime = table.RegimeName(i);
    const BlockFacts block_facts = block_lookup.Get(block, regime, [&] {
      BlockFacts facts;
      facts.b = context.blocks.BlockIndexByName(block);
      facts.umin = CountedUmin(context.blocks, facts.b);
      if (facts.b != -1) {
        facts.p = context.blocks.RegimePowerByName(facts.b, regime);
        facts.current_ma = facts.p == 0 ? context.blocks.RegimeCurrentByName(facts.b, regime) : 0.0;
      }
      return facts;
    });
    const int b = block_facts.b;
    arrays.RowUmin[k] = block_facts.umin;
    if (b == -1) {
      // A type this library lacks (a colleague's project) keeps its name,
      // regime and power, so that a save does not lose them (the calculation
      // runs at every change and at every opening); it takes no current.
      state.unknown_block_rows.push_back(i);
      arrays.RowPower[k] = 0.0f;
      arrays.RowCurrent[k] = 0.0f;
    } else {
      const int32_t p = block_facts.p;
      arrays.RowPower[k] = static_cast<float>(p * 0.001);
      arrays.RowCurrent[k] = 0.0f;
      if (p == 0) arrays.RowCurrent[k] = static_cast<float>(block_facts.current_ma * 0.001);
    }
    arrays.RowZBResistance[k] = table.HasZB(i) ? context.params.ZBResistance : 0.0f;
    if (b != -1) table.SetPowerMW(i, block_facts.p);
  }

  context.status.bar2[0] = t::kLength + std::to_string(context.totals.TotalLength) + t::kMeters;
  context.status.bar2[1] = t::kResistance + FormatPattern(rsum, t::kResistancePattern, sep);
  ShowCapacitance(context, state, capacitance_available, csum);
  ShowInductance(context, state, inductance_available, lsum);
  ReplaceParameters(context, state);

  context.status.bar1[2] = t::kProblemsUnknown;
  context.status.bar1[3] = t::kCurrentUnknown;
  context.status.bar1[4] = t::kRunning;
  context.platform.wait->Repaint();
}

void FinishCalculation(CalculationContext& context, CalculationState& state, bool success) {
  // The controller current in mA as a 32-bit real: 0.01 A read back from
  // "10" mA shows as 10 mA, not 9.
  const float total_ma = context.totals.TotalCurrent * 1000.0f;
  const int64_t m = TruncateToInt64(total_ma);
  if (success) {
    context.status.bar1[3] = t::kCurrent + std::to_string(m) + t::kMilliamps;
    context.status.bar1[4] = t::kSucceeded;
  } else {
    context.status.bar1[3] = t::kCurrentUnknown;
    context.status.bar1[4] = t::kFailed;
  }
  context.report_enabled = success;
  context.platform.wait->Close();

  const int n = state.N;
  if (success) {
    context.status.bar1[2] = t::kProblems + std::to_string(CountProblems(context.table, state));
    context.totals.CurrentExceeded = total_ma > context.params.MaxCurrent;
    if (context.totals.CurrentExceeded) state.WarningText += t::kCurrentWarning;
    // Rows the libraries do not know were calculated without resistance or
    // current: said after the limits, and the result is not called a success.
    const UnknownTypeRows unknown =
        FindUnknownTypeRows(context.table, context.cables, context.blocks);
    state.WarningText += UnknownTypeWarnings(unknown);
    if (const int left_out = LeftOutTypeCount(context.table, unknown); left_out > 0) {
      context.status.bar1[4] = LeftOutTypesText(left_out);
    }
    if (!state.WarningText.empty()) {
      context.platform.messages->Show(state.WarningText, t::kCaption, MessageIcon::kWarning);
    }
  } else {
    context.status.bar1[2] = t::kProblemsUnknown;
    for (int i = 1; i <= n; ++i) {
      context.table.SetCell(i, kCurrentMA, "");
      context.table.SetCell(i, kVoltageV, "");
    }
    context.platform.messages->Show(t::kFailureMessage, t::kCaption, MessageIcon::kWarning);
  }
  state.arrays = RayArrays{};
}

namespace {
bool AllFinite(const std::vector<float>& values) {
  for (float v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}
}  // namespace

bool SolverInputsUsable(const CalculationState& state) {
  const RayArrays& arrays = state.arrays;
  return AllFinite(arrays.SegmentResistance) && AllFinite(arrays.RowPower) &&
         AllFinite(arrays.RowZBResistance) && AllFinite(arrays.RowCurrent) &&
         std::isfinite(state.SupplyVoltage) && std::isfinite(state.AccuracyStep);
}

bool SupplyVoltageUsable(const CalculationState& state) {
  return std::isfinite(state.SupplyVoltage) && state.SupplyVoltage <= kMaxSupplyVoltage;
}

double SearchStartVoltage(const CalculationState& state) {
  const RayArrays& arrays = state.arrays;
  const size_t n = static_cast<size_t>(state.N);
  return static_cast<double>(arrays.RowPower[n]) / arrays.RowUmin[n] * arrays.RowZBResistance[n] +
         arrays.RowUmin[n];
}

bool SearchPassesBounded(const CalculationState& state) {
  if (!AllFinite(state.arrays.RowUmin)) return false;
  const double passes = (kMaxSupplyVoltage - SearchStartVoltage(state)) / state.AccuracyStep;
  return passes <= kMaxSearchPasses;
}

int CountProblems(const ProjectTable& table, const CalculationState& state) {
  int problems = 0;
  for (int i = 1; i <= state.N; ++i) {
    if (table.VoltageV(i) < state.arrays.RowUmin[static_cast<size_t>(i)]) ++problems;
  }
  return problems;
}

bool ParametersNeedReplacement(const ProjectParameters& params) {
  return !(params.SupplyVoltage() > 1.0) || !(params.MaxCurrent >= 1.0f) ||
         params.AccuracyStep > 0.5f || !(params.AccuracyStep >= 0.001f);
}

float CountedUmin(const BlockLibrary& blocks, int b) {
  if (b == -1) return static_cast<float>(block_file::kDefaultUmin);
  const float umin = static_cast<float>(blocks.BlockUmin(b));
  return umin >= 1.0f ? umin : 1.0f;
}

int64_t TruncateToInt64(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
  if (x <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(x);
}

}  // namespace luch
