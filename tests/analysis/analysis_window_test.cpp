// The window "Анализ луча" without its widgets: how answers read, and when
// they must be computed again.
#include "analysis/analysis_window.h"

#include <gtest/gtest.h>

#include <functional>

namespace luch {
namespace {

TEST(AnalysisWindow, AnswersReadAsTheDesignerExpects) {
  RayAnalysis answers;
  answers.cables = {{"КСПВ 2х0,5", true, "21,60", "12,5 Ом", "3,2 нФ", "?", 135},
                    {"Шина", false, std::nullopt, "90 Ом", "1 нФ", "2 мкГн", std::nullopt}};
  answers.regimes = {{"Тревога", false, std::nullopt}};
  AnalysisWindow window(".", Platform{});
  window.Finished(answers);
  const auto row = [&](int r) {
    std::string text;
    for (int c = 0; c < kCableColumnCount; ++c) text += window.CableCell(r, c) + "|";
    return text;
  };
  EXPECT_EQ(row(0), "КСПВ 2х0,5|Да|21,60|12,5 Ом|3,2 нФ|?|135|");
  EXPECT_EQ(row(1), "Шина|Нет|—|90 Ом|1 нФ|2 мкГн|—|");
  EXPECT_EQ(window.RegimeCell(0, kRegimeWorksColumn) + window.RegimeCell(0, kRegimeVoltageColumn),
            "Нет—");

  EXPECT_EQ(window.LastSegmentLine() + "|" + window.ScaleLine() + "|" + window.ExtraBlocksLine(),
            "Последний участок: —|Все участки: —|Еще блоков: —");
  answers.last_segment_m = 240;
  answers.scale_percent = 100;
  answers.extra_blocks = 0;
  window.Finished(answers);
  EXPECT_EQ(window.LastSegmentLine() + "|" + window.ScaleLine() + "|" + window.ExtraBlocksLine(),
            "Последний участок: до 240 м|Все участки: до 100 %|Еще блоков: 0");
  answers.scale_percent = 99;
  window.Finished(answers);
  EXPECT_EQ(window.ScaleLine(), "Все участки: до 99 % (луч нужно укоротить)");
}

TEST(AnalysisWindow, WorkStartsAgainOnlyWhenWhatItReadsChanged) {
  AnalysisSources project;
  project.table.SetBlockCount(2);
  project.table.SetCell(2, kLengthM, "100");
  project.cables.Add({.number = "",
                      .name = "КСПВ",
                      .resistance = "90",
                      .capacitance = "",
                      .wave_impedance = "",
                      .note = ""});
  struct Case {
    const char* change;
    std::function<void(AnalysisSources&)> apply;
    bool again;
  };
  for (const Case& c : std::vector<Case>{
           {"nothing", [](AnalysisSources&) {}, false},
           {"a computed voltage", [](AnalysisSources& s) { s.table.SetVoltageV(2, 20); }, false},
           {"a computed current", [](AnalysisSources& s) { s.table.SetCurrentMA(1, 3); }, false},
           {"a length", [](AnalysisSources& s) { s.table.SetCell(2, kLengthM, "101"); }, true},
           {"an address", [](AnalysisSources& s) { s.table.SetCell(1, kAddress, "7"); }, true},
           {"the count", [](AnalysisSources& s) { s.table.SetBlockCount(3); }, true},
           {"EditU", [](AnalysisSources& s) { s.params.EditU = "24"; }, true},
           {"a cable type", [](AnalysisSources& s) { s.cables.rows()[0].resistance = "91"; },
            true}}) {
    AnalysisWindow window(".", Platform{});
    ASSERT_TRUE(window.NeedsWork(project));
    window.Finished({});
    AnalysisSources now = project;
    c.apply(now);
    EXPECT_EQ(window.NeedsWork(now), c.again) << c.change;
    EXPECT_EQ(window.stale(), c.again) << c.change;
  }
  // Блок.ini is not compared: a change of it asks for the work by itself.
  AnalysisWindow window(".", Platform{});
  window.NeedsWork(project);
  window.Invalidate();
  EXPECT_TRUE(window.NeedsWork(project));
  EXPECT_FALSE(window.NeedsWork(project));
}

}  // namespace
}  // namespace luch
