#include "calc/project_setup.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

namespace luch {
namespace {

std::vector<std::string> Texts(const ProjectSetup& setup) {
  return {setup.EditRZB, setup.EditStep, setup.EditImax, setup.EditC, setup.EditL};
}

TEST(ProjectSetup, ShowsValuesInTheirFormats) {
  const ProjectParameters at_start;  // program start, no project yet
  EXPECT_EQ(Texts(ProjectSetup(at_start)),
            (std::vector<std::string>{"0.0", "0.000", "0.0", "0.000", "0.000"}));

  ProjectParameters params;
  params.SetNewProjectValues();
  EXPECT_EQ(Texts(ProjectSetup(params)),
            (std::vector<std::string>{"40.0", "0.050", "1000.0", "0.000", "0.000"}));

  params.ZBResistance = 4.25f;
  params.AccuracyStep = 0.0015f;
  params.MaxCurrent = 12345.67f;
  params.MaxCapacitance = -0.5f;
  params.MaxInductance = 1.9996f;
  EXPECT_EQ(Texts(ProjectSetup(params)),
            (std::vector<std::string>{"4.2", "0.002", "12345.7", "-0.500", "2.000"}));
}

TEST(ProjectSetup, PresetsOnlyReplaceTheirOwnText) {
  ProjectParameters params;
  params.SetNewProjectValues();
  ProjectSetup setup(params);
  setup.ButtonZB3Click();
  EXPECT_EQ(Texts(setup), (std::vector<std::string>{"4.0", "0.050", "1000.0", "0.000", "0.000"}));
  setup.ButtonZB2Click();
  setup.ButtonHighClick();
  EXPECT_EQ(setup.EditStep, "0.001");
  setup.ButtonUsualClick();
  EXPECT_EQ(setup.EditStep, "0.010");
  setup.EditImax = "5";
  setup.ButtonTokClick();
  setup.EditC = setup.EditL = "1.5";
  setup.Button3Click();
  EXPECT_EQ(Texts(setup), (std::vector<std::string>{"40.0", "0.010", "1000.0", "", "1.5"}));
  setup.Button4Click();
  EXPECT_EQ(setup.EditL, "");
  // Nothing reaches the parameters before OK.
  EXPECT_EQ(params.ZBResistance, 40.0f);
  EXPECT_EQ(params.AccuracyStep, 0.05f);
}

TEST(ProjectSetup, OkReadsLeadingNumbersAsTyped) {
  ProjectParameters params;
  params.SetNewProjectValues();
  params.EditU = "24.5";
  params.MaxCapacitance = 2.0f;
  ProjectSetup setup(params);
  setup.Button3Click();      // "Не проверять": the check goes off
  setup.EditStep = "0.7";    // out of range, kept as typed
  setup.EditRZB = "сорок";   // no number
  setup.EditImax = " 12,5";  // typed under Russian settings
  setup.EditL = "1e50";      // beyond 32 bits
  setup.Apply(params);
  EXPECT_EQ(params.ZBResistance, 0.0f);
  EXPECT_EQ(params.AccuracyStep, 0.7f);
  EXPECT_EQ(params.MaxCurrent, 12.5f);
  EXPECT_EQ(params.MaxCapacitance, 0.0f);
  EXPECT_EQ(params.MaxInductance, FLT_MAX);
  EXPECT_EQ(params.EditU, "24.5");
  EXPECT_EQ(Texts(ProjectSetup(params))[3], "0.000");

  setup.EditL = "-1e400";
  setup.Apply(params);
  EXPECT_EQ(params.MaxInductance, -FLT_MAX);
}

}  // namespace
}  // namespace luch
