#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace luch {
namespace {

TEST(LeadingInteger, TakesSignAndLeadingDigits) {
  EXPECT_EQ(LeadingInteger("120м"), 120);
  EXPECT_EQ(LeadingInteger("  -35 "), -35);
  EXPECT_EQ(LeadingInteger("+7"), 7);
  EXPECT_EQ(LeadingInteger("12,5"), 12);
  EXPECT_EQ(LeadingInteger("12.7"), 12);
  EXPECT_EQ(LeadingInteger("1e3"), 1);
  EXPECT_EQ(LeadingInteger("\t\n42"), 42);
}

TEST(LeadingInteger, NoDigitGivesZero) {
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("abc"), 0);
  EXPECT_EQ(LeadingInteger("-"), 0);
  EXPECT_EQ(LeadingInteger("- 5"), 0);
  EXPECT_EQ(LeadingInteger(".5"), 0);
}

TEST(LeadingInteger, SaturatesInsteadOfWrapping) {
  EXPECT_EQ(LeadingInteger("2147483647"), 2147483647);
  EXPECT_EQ(LeadingInteger("2147483648"), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(LeadingInteger("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(LeadingInteger("-99999999999999999999999"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(LeadingInteger(std::string(10000, '9')), std::numeric_limits<int32_t>::max());
}

TEST(LeadingTypedReal, TakesACommaAsTheDecimalPointToo) {
  EXPECT_DOUBLE_EQ(LeadingTypedReal("27,5"), 27.5);
  EXPECT_DOUBLE_EQ(LeadingTypedReal(" 0,8 мм"), 0.8);
  EXPECT_DOUBLE_EQ(LeadingTypedReal("10.5"), 10.5);
  EXPECT_DOUBLE_EQ(LeadingTypedReal("В"), 0.0);
}

TEST(LeadingReal, TakesTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingReal("27.5"), 27.5);
  EXPECT_DOUBLE_EQ(LeadingReal("1,5"), 1.0);
  EXPECT_DOUBLE_EQ(LeadingReal(" -.5e1x"), -5.0);
  EXPECT_DOUBLE_EQ(LeadingReal("5."), 5.0);
  EXPECT_DOUBLE_EQ(LeadingReal("1e"), 1.0);
  EXPECT_DOUBLE_EQ(LeadingReal("1e+"), 1.0);
  EXPECT_DOUBLE_EQ(LeadingReal("2E-1В"), 0.2);
  EXPECT_DOUBLE_EQ(LeadingReal("12.50"), 12.5);
}

TEST(LeadingReal, NoNumberGivesZero) {
  EXPECT_EQ(LeadingReal(""), 0.0);
  EXPECT_EQ(LeadingReal("."), 0.0);
  EXPECT_EQ(LeadingReal("abc"), 0.0);
  EXPECT_EQ(LeadingReal("-e5"), 0.0);
  EXPECT_EQ(LeadingReal("nan"), 0.0);
  EXPECT_EQ(LeadingReal("inf"), 0.0);
}

TEST(LeadingReal, OverflowIsInfiniteAndUnderflowIsZero) {
  EXPECT_TRUE(std::isinf(LeadingReal("1e400")));
  EXPECT_TRUE(std::isinf(LeadingReal("-1.5e400")));
  EXPECT_EQ(LeadingReal("1.5e-400"), 0.0);
  EXPECT_EQ(LeadingReal("0.0000e999"), 0.0);
}

}  // namespace
}  // namespace luch
