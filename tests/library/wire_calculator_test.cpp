#include "library/wire_calculator.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace luch {
namespace {

using testing::FakeLocale;

std::string Caption(std::string_view number) {
  return std::string(wire_texts::kLabel1) + std::string(number);
}

TEST(WireCalculator, ComputesInSinglePrecisionFromTheInitialInputs) {
  FakeLocale locale;  // decimal comma
  WireCalculator wire(locale);
  // S is rounded to float before the division: a double S would give 86.5802917.
  EXPECT_EQ(wire.wire_resistance(), 86.5802841f);
  EXPECT_EQ(wire.label1_caption(), Caption("86,6"));
  locale.separator = '.';
  wire.EditDChange("1");
  EXPECT_EQ(wire.wire_resistance(), 21.645071f);
  EXPECT_EQ(wire.label1_caption(), Caption("21.6"));
  wire.EditDChange("5");
  EXPECT_EQ(wire.wire_resistance(), 0.865802884f);
  EXPECT_EQ(wire.label1_caption(), Caption(".9"));
  wire.EditDChange("0,5");  // typed with a decimal comma
  EXPECT_EQ(wire.wire_resistance(), 86.5802841f);
}

TEST(WireCalculator, TheArrowsRecomputeButTypingTheCountDoesNot) {
  FakeLocale locale;
  WireCalculator wire(locale);
  wire.UpDownQClick(2);
  EXPECT_EQ(wire.wire_resistance(), 43.2901421f);
  EXPECT_EQ(wire.label1_caption(), Caption("43,3"));
  wire.EditQChange("4");
  EXPECT_EQ(wire.wire_count(), 4);
  EXPECT_EQ(wire.wire_resistance(), 43.2901421f);
  wire.EditQChange("0");
  wire.EditQChange("1001");
  wire.EditQChange("3x");
  EXPECT_EQ(wire.wire_count(), 4);
  wire.UpDownQClick(5000);
  EXPECT_EQ(wire.wire_count(), 1000);
}

TEST(WireCalculator, AnUnreadableDiameterKeepsTheLastResult) {
  FakeLocale locale;
  WireCalculator wire(locale);
  for (const char* text : {"", "abc", "0", "1e-30"}) {
    wire.EditDChange(text);
    EXPECT_EQ(wire.label1_caption(), Caption("")) << text;
    EXPECT_EQ(wire.wire_resistance(), 86.5802841f) << text;
  }
  wire.EditDChange("1e300");  // too thick to matter: 0 Ohm/km, shown as nothing
  EXPECT_EQ(wire.wire_resistance(), 0.0f);
  EXPECT_EQ(wire.label1_caption(), Caption(""));
}

TEST(WireCalculator, ANegativeDiameterCountsAsItsAbsoluteValue) {
  FakeLocale locale;
  WireCalculator wire(locale);
  wire.EditDChange("-1");
  EXPECT_EQ(wire.wire_resistance(), 21.645071f);
  EXPECT_EQ(CopperWireResistance(0.5f, 2), 43.2901421f);
}

}  // namespace
}  // namespace luch
