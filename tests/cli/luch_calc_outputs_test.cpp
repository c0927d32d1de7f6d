// report, table and export of luch-calc give the bytes the window writes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/main_state.h"
#include "cli/luch_calc_app.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

class LuchCalcOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Кабель.ini", "Блок.ini", "Дом 5.луч"}) {
      std::filesystem::copy(kExamples / Utf8Path(name), dir / name);
    }
    cables.LoadCables(dir.path());
    state = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
    ASSERT_TRUE(state->LoadProject(Project()));
  }

  std::string Project() { return PathToUtf8(dir / "Дом 5.луч"); }

  CliResult Run(std::vector<std::string> args, const PdfRenderer& pdf = {}) {
    args.insert(args.begin(), "luch-calc");
    args.insert(args.end(), {"--data-dir", PathToUtf8(dir.path())});
    return RunLuchCalc(args, pdf);
  }

  TempDir dir;
  TempDir out;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  std::unique_ptr<MainState> state;
};

TEST_F(LuchCalcOutputs, ReportAndTableEqualTheWindows) {
  state->BitBtnStartClick();
  state->mInfoClick();
  state->mTableClick();
  const std::string when = fake.locale.date_time;
  const CliResult report =
      Run({"report", Project(), "-o", PathToUtf8(out / "r.txt"), "--date-time", when});
  ASSERT_EQ(report.exit_code, 0) << report.err;
  EXPECT_EQ(out.Read("r.txt"), dir.Read("Отчет.txt"));
  const CliResult table =
      Run({"table", Project(), "-o", PathToUtf8(out / "t.txt"), "--date-time", when});
  ASSERT_EQ(table.exit_code, 0) << table.err;
  EXPECT_EQ(out.Read("t.txt"), dir.Read("Таблица напряжения.txt"));
}

TEST_F(LuchCalcOutputs, ExportEqualsTheWindowsInBothFormats) {
  state->BitBtnStartClick();
  fake.dialogs.answers.push_back(PathToUtf8(out / "window.csv"));
  fake.dialogs.answers.push_back(PathToUtf8(out / "window.txt"));
  state->mMicrosoftExcelClick();
  state->mTextClick();
  ASSERT_EQ(Run({"export", Project(), "--csv", "-o", PathToUtf8(out / "cli.csv")}).exit_code, 0);
  ASSERT_EQ(Run({"export", Project(), "--txt", "-o", PathToUtf8(out / "cli.txt")}).exit_code, 0);
  EXPECT_EQ(out.Read("cli.csv"), out.Read("window.csv"));
  EXPECT_EQ(out.Read("cli.txt"), out.Read("window.txt"));
}

TEST_F(LuchCalcOutputs, QuantitiesEqualTheWindowsWithoutCalculating) {
  state->mQuantitiesClick();
  const CliResult r = Run({"quantities", Project(), "-o", PathToUtf8(out / "q.txt"), "--date-time",
                           fake.locale.date_time});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(out.Read("q.txt"), dir.Read("Спецификация.txt"));
}

TEST_F(LuchCalcOutputs, PdfAndExportAreWrittenOnlyAfterASuccessfulCalculation) {
  int drawn = 0;
  const PdfRenderer pdf = [&drawn](const DesignDocument&) { return std::to_string(++drawn); };
  const std::string file = PathToUtf8(out / "d.pdf");
  EXPECT_EQ(Run({"pdf", Project(), "-o", file}).exit_code, 2);  // a build without Qt
  ASSERT_EQ(Run({"pdf", Project(), "-o", file}, pdf).exit_code, 0);
  EXPECT_EQ(out.Read("d.pdf"), "1");
  state->mutable_params().EditU = "3";  // a ray that does not work
  ASSERT_TRUE(state->SaveProject(Project()));
  EXPECT_EQ(Run({"pdf", Project(), "-o", PathToUtf8(out / "x.pdf")}, pdf).exit_code, 1);
  EXPECT_EQ(drawn, 1);
  EXPECT_FALSE(std::filesystem::exists(out / "x.pdf"));
  const CliResult exported = Run({"export", Project(), "--csv", "-o", PathToUtf8(out / "x.csv")});
  EXPECT_EQ(exported.exit_code, 1);
  EXPECT_NE(exported.err.find("Не удается выполнить расчет..."), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out / "x.csv"));
}

TEST_F(LuchCalcOutputs, AReceivedProjectComputesWithItsOwnTypesOnAnEmptyMachine) {
  const std::string received = PathToUtf8(out / "Дом 5.луч");
  ASSERT_TRUE(state->SaveProject(received));
  const CliResult here = Run({"calc", Project(), "--json"});
  ASSERT_EQ(here.exit_code, 0) << here.err;
  TempDir empty;
  const auto there = [&](std::vector<std::string> flags) {
    std::vector<std::string> args = {"luch-calc", "calc",       received,
                                     "--json",    "--data-dir", PathToUtf8(empty.path())};
    args.insert(args.end(), flags.begin(), flags.end());
    return RunLuchCalc(args);
  };
  EXPECT_EQ(there({"--project-types"}).out, here.out);
  EXPECT_NE(there({}).out, here.out);
  EXPECT_TRUE(std::filesystem::is_empty(empty.path()));  // the libraries stay as they are
}

TEST_F(LuchCalcOutputs, AnalyseGivesTheWindowsAnswersWithNullForNone) {
  const AnalysisSources sources = state->AnalysisInput();
  const std::optional<RayAnalysis> answers = AnalyseRay(sources);
  ASSERT_TRUE(answers.has_value());
  CliResult r = Run({"analyse", Project(), "--json"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  nlohmann::json doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["last_segment_m"], *answers->last_segment_m);
  EXPECT_EQ(doc["extra_blocks"], *answers->extra_blocks);
  EXPECT_EQ(doc["cables"][0]["name"], answers->cables[0].name);
  EXPECT_EQ(doc["cables"][0]["min_voltage"], *answers->cables[0].min_voltage);
  EXPECT_EQ(doc["regimes"].size(), answers->regimes.size());

  state->mutable_params().EditU = "3";  // no variant works
  ASSERT_TRUE(state->SaveProject(Project()));
  r = Run({"analyse", Project(), "--json"});
  doc = nlohmann::json::parse(r.out);
  EXPECT_TRUE(doc["last_segment_m"].is_null());
  EXPECT_TRUE(doc["scale_percent"].is_null());
}

TEST_F(LuchCalcOutputs, UsageAndWriteErrors) {
  EXPECT_EQ(Run({"export", Project(), "-o", PathToUtf8(out / "x")}).exit_code, 2);
  EXPECT_EQ(Run({"export", Project(), "--csv", "--txt", "-o", PathToUtf8(out / "x")}).exit_code, 2);
  EXPECT_EQ(Run({"report", Project()}).exit_code, 2);
  const CliResult onto_folder = Run({"table", Project(), "-o", PathToUtf8(out.path())});
  EXPECT_EQ(onto_folder.exit_code, 2);
  EXPECT_NE(onto_folder.err.find("Cannot create file"), std::string::npos);
}

}  // namespace
}  // namespace luch
