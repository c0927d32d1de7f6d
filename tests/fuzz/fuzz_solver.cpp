// The fast solver loops (F9 and F10) judged by the plain and the literal
// loops on rays built from the bytes: a header (which loop, step, supply, row
// count) and five bytes per row (kind and lightning protection, segment
// resistance, load, minimum voltage). Every ray the commands would hand to a
// solver must leave the same cells, outcome, pass count, EditU and current.
#include <cstddef>
#include <cstdint>

#include "calc/solver_rays.h"
#include "fuzz_support.h"

namespace {

using namespace luch;
using testing::Loop;
using testing::RunLoop;
using testing::SolverOutcome;

// rows x passes up to which the judges run (the literal one writes the cells
// of every pass, and the fuzz build is instrumented).
constexpr int64_t kPlainBudget = 300000;
constexpr int64_t kLiteralBudget = 5000;
constexpr double kMaxPasses = 50000.0;

constexpr float kSteps[] = {0.001f, 0.5f, 0.05f, 0.01f, 0.003f, 0.1f, 0.25f, 0.0017f};
constexpr float kZB[] = {0.0f, 4.0f, 40.0f, 100.0f, 0.5f, 1000.0f, 1e-3f, -4.0f};

// The bytes one after another; zeros after the end.
struct Bytes {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  unsigned Byte() { return at < size ? data[at++] : 0u; }
  int Signed16() { return static_cast<int16_t>(Byte() | Byte() << 8); }
};

CalculationState Ray(Bytes& in, bool& search) {
  CalculationState s;
  const unsigned head = in.Byte();
  search = (head & 1u) != 0;
  s.AccuracyStep = kSteps[head >> 5];
  s.N = 1 + static_cast<int>(in.Byte() % 24);
  s.SupplyVoltage = 1.0 + static_cast<uint16_t>(in.Signed16()) * 0.0152;
  RayArrays& a = s.arrays;
  const size_t size = static_cast<size_t>(s.N) + 1;
  for (auto* array :
       {&a.SegmentResistance, &a.RowPower, &a.RowZBResistance, &a.RowCurrent, &a.RowUmin}) {
    array->assign(size, 0.0f);
  }
  for (size_t i = 1; i < size; ++i) {
    const unsigned kind = in.Byte();
    a.SegmentResistance[i] = static_cast<float>(in.Signed16() * 0.01);
    const int load = in.Signed16();
    if ((kind & 3u) == 0) {
      a.RowCurrent[i] = static_cast<float>(load * 1e-5);  // A, up to 0.33
    } else {
      a.RowPower[i] = static_cast<float>(load * 0.001);  // W, up to 32.8
    }
    a.RowZBResistance[i] = kZB[(kind >> 2) & 7u];
    const unsigned umin = in.Byte();
    a.RowUmin[i] = static_cast<float>((kind & 0x80u) ? 985.0 + umin * 0.1 : 1.0 + umin * 0.25);
  }
  // At most kMaxPasses passes, so that one input stays well within a second.
  const double span = search ? kMaxSupplyVoltage - SearchStartVoltage(s) : s.SupplyVoltage - 1.0;
  if (span / s.AccuracyStep > kMaxPasses) s.AccuracyStep = static_cast<float>(span / kMaxPasses);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in{data, size};
  bool search = false;
  const CalculationState state = Ray(in, search);
  // The guards of the commands: only these rays reach a solver.
  if (!SolverInputsUsable(state)) return 0;
  if (search ? !SearchPassesBounded(state) : !SupplyVoltageUsable(state)) return 0;
  const SolverOutcome fast = RunLoop(state, search, Loop::kFast);
  const int64_t cost = fast.result.passes * state.N;
  if (cost > kPlainBudget) return 0;
  const SolverOutcome plain = RunLoop(state, search, Loop::kPlain);
  LUCH_FUZZ_CHECK(fast == plain);
  if (cost <= kLiteralBudget) LUCH_FUZZ_CHECK(RunLoop(state, search, Loop::kLiteral) == plain);
  return 0;
}
