// The design answers checked against their definitions: each answer is run
// again as a variant, which works at the answer and not one step beyond.
#include "analysis/ray_analysis.h"

#include <gtest/gtest.h>

#include "calc/calculation.h"
#include "common/file_io.h"
#include "common/headless_platform.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "project/project_file.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

class RayAnalysisTest : public ::testing::Test {
 protected:
  // F9 on a copy: success, no problem block, no message box at all.
  bool Works(const ProjectTable& variant) {
    Run(variant, false);
    return success_ && status_.bar1[2] == "Проблем: 0" && messages_ == 0;
  }
  std::optional<std::string> MinVoltage(const ProjectTable& variant) {
    ProjectParameters params = Run(variant, true);
    return success_ ? std::optional(params.EditU) : std::nullopt;
  }
  // `answer` works and answer + 1 does not (unless it is the bound).
  void ExpectBoundary(std::optional<int> answer, int bound,
                      const std::function<ProjectTable(int)>& variant) {
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(Works(variant(*answer))) << *answer;
    if (*answer < bound) {
      EXPECT_FALSE(Works(variant(*answer + 1))) << *answer;
    }
  }
  ProjectTable LastSegment(int length) {
    ProjectTable t = sources.table;
    t.SetLengthM(t.BlockCount(), length);
    return t;
  }
  ProjectTable Scaled(ProjectTable t, int percent) {
    for (int r = 1; r <= t.BlockCount(); ++r)
      t.SetLengthM(r, int64_t{t.LengthM(r)} * percent / 100);
    return t;
  }
  ProjectTable WithCable(const std::string& name) {
    ProjectTable t = sources.table;
    SetEveryCable(t, name, sources.cables, ',');
    return t;
  }
  ProjectTable WithCopies(int copies) {
    ProjectTable t = sources.table;
    const int n = t.BlockCount();
    t.SetBlockCount(n + copies);
    for (int r = n + 1; r <= n + copies; ++r) {
      for (const int col : {kCableName, kLengthM, kBlockName, kRegimeName, kPowerMW, kHasZB}) {
        t.SetCell(r, col, t.GetCell(n, col));
      }
    }
    return t;
  }

  void ExpectEveryAnswerHolds(const RayAnalysis& a) {
    ASSERT_EQ(a.cables.size(), static_cast<size_t>(sources.cables.CableCount()));
    for (const CableAnswer& c : a.cables) {
      SCOPED_TRACE(c.name);
      const ProjectTable variant = WithCable(c.name);
      EXPECT_EQ(c.works, Works(variant));
      EXPECT_EQ(c.resistance + "|" + c.capacitance,
                status_.bar2[1].substr(status_.bar2[1].find(": ") + 2) + "|" +
                    status_.bar2[2].substr(status_.bar2[2].find(": ") + 2));
      EXPECT_EQ(c.min_voltage, MinVoltage(variant));
      if (c.scale_percent) {
        ExpectBoundary(c.scale_percent, kMaxScalePercent,
                       [&](int p) { return Scaled(variant, p); });
      }
    }
    ExpectBoundary(a.last_segment_m, kMaxLastSegmentM, [&](int l) { return LastSegment(l); });
    ExpectBoundary(a.scale_percent, kMaxScalePercent,
                   [&](int p) { return Scaled(sources.table, p); });
    ExpectBoundary(a.extra_blocks, kMaxBlockCount - sources.table.BlockCount(),
                   [&](int n) { return WithCopies(n); });
  }

  void LoadSample() {
    for (const char* name : {"Кабель.ini", "Блок.ini", "Дом 5.луч"}) {
      std::filesystem::copy(kExamples / Utf8Path(name), dir / name);
    }
    sources.cables.LoadCables(dir.path());
    sources.data_dir = dir.path();
    blocks = std::make_unique<BlockLibrary>(dir.path());
    ASSERT_TRUE(LoadProjectFile(dir / "Дом 5.луч", sources.table, sources.params));
  }

  ProjectParameters Run(const ProjectTable& variant, bool search) {
    ProjectTable table = variant;
    ProjectParameters params = sources.params;
    status_ = StatusBars{};
    bool report = false;
    CalculationTotals totals;
    HeadlessPlatform headless;
    CalculationContext context{table,  params,         status_, report,
                               totals, sources.cables, *blocks, headless.platform()};
    success_ = search ? mFindUKMUClick(context) : BitBtnStartClick(context);
    messages_ = headless.messages().size();
    return params;
  }

  testing::TempDir dir;
  AnalysisSources sources;
  std::unique_ptr<BlockLibrary> blocks;
  StatusBars status_;
  bool success_ = false;
  size_t messages_ = 0;
};

TEST_F(RayAnalysisTest, TheMinimumVoltageHoldsUnderTheCalculationOnTheSampleProject) {
  LoadSample();
  // 12.58 V by the search's own pass, where the calculation leaves the last
  // block 11.96 V.
  const ProjectTable long_ray = LastSegment(1200);
  sources.params.EditU = "11";
  const std::optional<std::string> answer = MinVoltage(long_ray);
  ASSERT_TRUE(answer.has_value());
  sources.params.EditU = *answer;
  EXPECT_TRUE(Works(long_ray)) << *answer;
}

TEST_F(RayAnalysisTest, TheSampleProjectsAnswersHoldOnTheirVariants) {
  LoadSample();
  const std::optional<RayAnalysis> a = AnalyseRay(sources);
  ASSERT_TRUE(a.has_value());
  ExpectEveryAnswerHolds(*a);

  ASSERT_EQ(a->regimes.size(), RegimeNames(*blocks).size());
  for (const RegimeAnswer& r : a->regimes) {
    SCOPED_TRACE(r.name);
    ProjectTable variant = sources.table;
    SetRegimeEverywhere(variant, r.name, *blocks);
    EXPECT_EQ(r.works, Works(variant));
    EXPECT_EQ(r.min_voltage, MinVoltage(variant));
  }

  // A supply that no variant can work on: every boundary is "—"; the search
  // still finds each cable's voltage. Stopped work gives nothing.
  sources.params.EditU = "3.00";
  const std::optional<RayAnalysis> low = AnalyseRay(sources);
  ASSERT_TRUE(low.has_value());
  EXPECT_FALSE(low->last_segment_m || low->scale_percent || low->extra_blocks);
  EXPECT_TRUE(low->cables.front().min_voltage.has_value());
  EXPECT_FALSE(AnalyseRay(sources, [](int, int) { return false; }).has_value());
}

TEST_F(RayAnalysisTest, ALongRayAtTheFinestStepIsAnsweredExactly) {
  ProfileFile cable_file(dir / "Кабель.ini");
  for (int k = 1; k <= 3; ++k) {
    const std::string section = "Кабель" + std::to_string(k);
    cable_file.WriteString(section, "Название", "Шина " + std::to_string(k * k));
    cable_file.WriteString(section, "Сопротивление", std::to_string(k * k));
  }
  ASSERT_TRUE(cable_file.Save());
  ProfileFile block_file(dir / "Блок.ini");
  block_file.WriteString("Блок0", "Название", "Датчик");
  block_file.WriteString("Блок0", "Режим1", "Дежурный");
  block_file.WriteString("Блок0", "P1", "0");
  block_file.WriteString("Блок0", "I1", "0.1");
  ASSERT_TRUE(block_file.Save());
  sources.cables.LoadCables(dir.path());
  sources.data_dir = dir.path();
  blocks = std::make_unique<BlockLibrary>(dir.path());
  sources.table.SetBlockCount(kMaxBlockCount);
  for (int r = 1; r <= kMaxBlockCount; ++r) {
    sources.table.SetCableName(r, "Шина 1");
    sources.table.SetLengthM(r, 1 + r % 2);
    sources.table.SetBlockName(r, "Датчик");
    sources.table.SetRegimeName(r, "Дежурный");
  }
  sources.params.SetNewProjectValues();
  sources.params.AccuracyStep = 0.001f;
  const std::optional<RayAnalysis> a = AnalyseRay(sources);
  ASSERT_TRUE(a.has_value());
  ExpectEveryAnswerHolds(*a);
  EXPECT_LT(*a->scale_percent, kMaxScalePercent);  // a boundary inside the range
}

}  // namespace
}  // namespace luch
