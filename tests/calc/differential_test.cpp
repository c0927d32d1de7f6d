// The fast solver against the step-by-step reference on random projects: every
// cell text, panel, message, EditU and parameter must agree bit for bit. Then
// the fast solver loops against the plain ones and, where they are quick
// enough, the literal ones, on rays shaped where the bounds that let the fast
// loops skip passes are tight (solver_rays.h): cells, outcome, pass count,
// EditU and the controller current must agree bit for bit.
// LUCH_DIFF_RAYS=N runs N projects (default 300) and N rays of each shape
// (default 1000), with larger ones allowed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "calc/reference_solver.h"
#include "calc/solver_rays.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;
using testing::kRayShapes;
using testing::Loop;
using testing::Observe;
using testing::Observed;
using testing::RayShape;
using testing::RunLoop;
using testing::SolverOutcome;
using testing::SolverRays;
using testing::TestBlock;
using testing::TestCable;
using testing::TestRegime;
using testing::TestRow;

class RayGenerator {
 public:
  explicit RayGenerator(uint32_t seed) : random_(seed) {}

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  template <class T>
  const T& OneOf(const std::vector<T>& values) {
    return values[static_cast<size_t>(Pick(0, static_cast<int>(values.size()) - 1))];
  }

  std::vector<TestCable> Cables() {
    std::vector<TestCable> cables;
    const int count = Pick(1, 5);
    for (int k = 0; k < count; ++k) {
      cables.push_back({"Кабель " + std::to_string(k), Pick(0, 120),
                        Chance(0.15) ? 0 : Pick(1, 120), Chance(0.15) ? 0 : Pick(1, 150)});
    }
    return cables;
  }

  std::vector<TestBlock> Blocks() {
    std::vector<TestBlock> blocks;
    const int count = Pick(1, 5);
    const std::vector<std::string> umins = {"", "0.5", "8", "9", "10,5", "12", "20", "1500"};
    for (int b = 0; b < count; ++b) {
      TestBlock block{"Блок " + std::to_string(b), OneOf(umins), {}};
      if (block.umin == "1500" && !Chance(0.2)) block.umin = "9";
      const int regimes = Pick(1, 4);
      for (int r = 0; r < regimes; ++r) {
        TestRegime regime{"Режим " + std::to_string(r), "0", "0"};
        if (Chance(0.5)) {
          regime.current =
              CFormat("%.3f", {std::uniform_real_distribution<double>(0, 40)(random_)});
        } else {
          regime.power = std::to_string(Pick(1, 3000));
        }
        if (Chance(0.05)) regime.power = "";  // missing P: 0
        if (Chance(0.04)) regime.current = "-" + std::to_string(Pick(1, 30));
        if (Chance(0.03)) regime.power = "-" + std::to_string(Pick(1, 1000));
        block.regimes.push_back(regime);
      }
      blocks.push_back(block);
    }
    // A heavy block that has no solution behind lightning protection below
    // about 35 V: searches that reach it late fail after many passes.
    blocks.push_back({"Гроза", "9", {{"Мощный", "3000", "0"}}});
    return blocks;
  }

  std::vector<TestRow> Rows(const std::vector<TestCable>& cables,
                            const std::vector<TestBlock>& blocks, int n, bool staircase) {
    std::vector<TestRow> rows;
    const double zb_share = OneOf(std::vector<double>{0.0, 0.1, 0.5});
    const int max_length = OneOf(std::vector<int>{5, 30, 200});
    for (int i = 0; i < n; ++i) {
      TestRow row;
      row.cable = Chance(0.1) ? "Неизвестный" : OneOf(cables).name;
      row.length = Chance(0.05) ? 0 : Pick(1, max_length);
      if (Chance(0.02)) row.length = -row.length;
      if (Chance(0.08)) {
        row.block = "Неизвестный";
      } else {
        const TestBlock& block = OneOf(blocks);
        row.block = block.name;
        row.regime = Chance(0.05) ? "Нет режима" : OneOf(block.regimes).name;
      }
      row.zb = Chance(zb_share);
      rows.push_back(row);
    }
    if (staircase) {
      // Higher minimum voltages near the controller: the passes of a search
      // leave at rows ever nearer to it, then reach the heavy block of row 1.
      auto umin_of = [&](const TestRow& row) {
        for (const TestBlock& b : blocks) {
          if (b.name == row.block) return b.umin.empty() ? 8.0 : LeadingReal(b.umin);
        }
        return 8.0;
      };
      std::stable_sort(rows.begin(), rows.end(),
                       [&](const TestRow& x, const TestRow& y) { return umin_of(x) > umin_of(y); });
      rows[0] = {OneOf(cables).name, Pick(1, 50), "Гроза", "Мощный", true};
    }
    return rows;
  }

  void Parameters(ProjectParameters& p) {
    p.EditU = OneOf(
        std::vector<std::string>{"28.0", "24.00", "30", "12", "1", "abc", "40.5", "9.5", "60"});
    p.ZBResistance = OneOf(std::vector<float>{0.0f, 4.0f, 40.0f, 100.0f});
    p.AccuracyStep = OneOf(std::vector<float>{0.05f, 0.05f, 0.01f, 0.001f, 0.6f, 0.0005f});
    p.MaxCurrent = OneOf(std::vector<float>{0.0f, 100.0f, 1000.0f});
    p.MaxCapacitance = OneOf(std::vector<float>{0.0f, 0.01f, 1.0f});
    p.MaxInductance = OneOf(std::vector<float>{0.0f, 0.5f, 10.0f});
  }

 private:
  std::mt19937 random_;
};

struct Figures {
  int compared = 0, skipped = 0, calculations = 0, searches = 0, successes = 0, failures = 0;
  int max_rows = 0;
  int64_t max_passes = 0;
};

// Runs one command with the fast and with the reference loops from the same
// start; false when they differ.
bool CompareOnce(CalcFixture& f, bool search, int64_t budget, Figures& figures, bool& skipped) {
  const ProjectTable table = f.table;
  const ProjectParameters params = f.params;
  CalculationStats stats;
  CalculationContext fast_context = f.Context();
  const bool fast_outcome =
      search ? mFindUKMUClick(fast_context, &stats) : BitBtnStartClick(fast_context, &stats);
  const Observed fast = Observe(f, fast_outcome);
  skipped = stats.passes * f.table.BlockCount() > budget;
  if (skipped) return true;

  f.table = table;
  f.params = params;
  f.status = StatusBars{};
  f.totals = CalculationTotals{};
  f.report_enabled = false;
  f.fake.messages.shown.clear();
  f.fake.wait.events.clear();
  CalculationContext reference_context = f.Context();
  const bool reference_outcome = search ? ReferenceFindUKMUClick(reference_context)
                                        : ReferenceBitBtnStartClick(reference_context);
  const Observed reference = Observe(f, reference_outcome);

  ++figures.compared;
  ++(search ? figures.searches : figures.calculations);
  ++(fast_outcome ? figures.successes : figures.failures);
  figures.max_rows = std::max(figures.max_rows, f.table.BlockCount());
  figures.max_passes = std::max(figures.max_passes, stats.passes);
  return fast == reference;
}

TEST(FastSolver, MatchesTheReferenceOnRandomRays) {
  const char* env = std::getenv("LUCH_DIFF_RAYS");
  const int rays = env ? std::max(1, std::atoi(env)) : 300;
  const int64_t budget = env ? 3000000 : 150000;  // rows x passes of one ray
  Figures figures;
  uint32_t seed = 1;
  while (figures.compared < rays) {
    ++seed;
    RayGenerator gen(seed);
    const std::vector<TestCable> cables = gen.Cables();
    const std::vector<TestBlock> blocks = gen.Blocks();
    CalcFixture f(cables, blocks);
    const int n = gen.Chance(0.3) ? gen.Pick(1, 10) : gen.Pick(10, env ? 1000 : 300);
    const bool search = gen.Chance(0.5);
    f.SetRows(gen.Rows(cables, blocks, n, search && gen.Chance(0.3)));
    gen.Parameters(f.params);
    f.fake.locale.separator = gen.Chance(0.5) ? ',' : '.';
    bool skipped = false;
    ASSERT_TRUE(CompareOnce(f, search, budget, figures, skipped))
        << "seed " << seed << (search ? " search" : " calculation") << ", " << n << " rows";
    if (skipped) ++figures.skipped;
  }
  std::printf(
      "differential: %d rays compared (%d calculations, %d searches; %d successes, %d "
      "failures), up to %d rows and %lld passes; %d larger rays skipped\n",
      figures.compared, figures.calculations, figures.searches, figures.successes, figures.failures,
      figures.max_rows, static_cast<long long>(figures.max_passes), figures.skipped);
  EXPECT_GT(figures.successes, rays / 10);
  EXPECT_GT(figures.failures, rays / 10);
}

TEST(FastSolver, MatchesThePlainLoopsOnTightRays) {
  const char* env = std::getenv("LUCH_DIFF_RAYS");
  const int per_shape = env ? std::max(1, std::atoi(env)) : 1000;
  const int64_t plain_budget = env ? 400000000 : 3000000;  // rows x passes of one ray
  const int64_t literal_budget = env ? 3000000 : 15000;
  const char* names[kRayShapes] = {"mixed", "collapse", "protected edge", "climb"};
  int64_t passes = 0, skipped = 0;
  for (int shape = 0; shape < kRayShapes; ++shape) {
    int compared = 0, literal = 0, successes = 0;
    for (uint32_t seed = 1; compared < per_shape; ++seed) {
      SolverRays rays(seed * kRayShapes + static_cast<uint32_t>(shape));
      const bool search = shape == static_cast<int>(RayShape::kClimb) || seed % 2 == 0;
      const CalculationState state = rays.Make(static_cast<RayShape>(shape), search, 4096);
      const SolverOutcome fast = RunLoop(state, search, Loop::kFast);
      const int64_t cost = fast.result.passes * state.N;
      if (cost > plain_budget) continue;
      const SolverOutcome plain = RunLoop(state, search, Loop::kPlain);
      ASSERT_TRUE(fast == plain) << names[shape] << (search ? " search" : " calculation")
                                 << ", seed " << seed << ", " << state.N << " rows";
      if (cost <= literal_budget) {
        ASSERT_TRUE(RunLoop(state, search, Loop::kLiteral) == plain)
            << names[shape] << ", seed " << seed << ": the plain loop differs from the literal one";
        ++literal;
      }
      ++compared;
      successes += fast.result.success ? 1 : 0;
      passes += fast.result.passes;
      skipped += fast.result.skipped;
    }
    std::printf("%s: %d rays (%d also against the literal loop), %d successes\n", names[shape],
                compared, literal, successes);
    EXPECT_GT(successes, per_shape / 20) << names[shape];
    EXPECT_LT(successes, per_shape - per_shape / 20) << names[shape];
  }
  // Most of the work must have been skipped, or the bounds were hardly put to the test.
  std::printf("%lld of %lld passes skipped on bounds\n", static_cast<long long>(skipped),
              static_cast<long long>(passes));
  EXPECT_GT(skipped, passes / 2);
}

}  // namespace
}  // namespace luch
