#include "common/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace luch {
namespace {

TEST(CFormat, RealsAlwaysUseAPoint) {
  EXPECT_EQ(CFormat("%2.2f", {12.5}), "12.50");
  EXPECT_EQ(CFormat("%2.2f", {0.0}), "0.00");
  EXPECT_EQ(CFormat("%2.2f", {5.0f}), "5.00");
  EXPECT_EQ(CFormat("%2.1f", {8.0}), "8.0");
  EXPECT_EQ(CFormat("%1.3f", {0.05f}), "0.050");
  EXPECT_EQ(CFormat("%3.1f", {1000.0}), "1000.0");
  EXPECT_EQ(CFormat("%2.2f", {-0.001}), "-0.00");
  EXPECT_EQ(CFormat("%8.3f|", {3.14159}), "   3.142|");
}

TEST(CFormat, TheCellFormatIsTheFormatsOwn) {
  std::mt19937 random(7);
  std::vector<double> values = {0.0,
                                -0.0,
                                0.005,
                                0.015,
                                0.125,
                                -0.125,
                                2.675,
                                1e38,
                                -1e300,
                                std::numeric_limits<double>::max(),
                                std::nan(""),
                                -std::nan(""),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  for (int k = 0; k < 2000; ++k) {
    uint32_t bits = static_cast<uint32_t>(random());
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    values.push_back(value);
    values.push_back(std::ldexp(static_cast<double>(random() % 100000), -static_cast<int>(k % 12)));
    values.push_back(static_cast<float>(random() % 20000000) / 1024.0f - 9000.0f);
  }
  for (double value : values) EXPECT_EQ(FormatFixed2(value), CFormat("%2.2f", {value})) << value;
}

TEST(CFormat, RoundsTheExactBinaryValue) {
  EXPECT_EQ(CFormat("%2.2f", {8.996}), "9.00");
  EXPECT_EQ(CFormat("%2.2f", {0.125}), "0.12");  // a tie rounds to even, as C does
  EXPECT_EQ(CFormat("%2.2f", {static_cast<double>(10.018f)}), "10.02");
}

TEST(CFormat, IgnoresTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    EXPECT_EQ(CFormat("%2.2f", {1.5}), "1.50");
    EXPECT_EQ(FormatGeneralReal(0.5, ','), "0,5");
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CFormat, WholeNumbersAndTexts) {
  EXPECT_EQ(CFormat("%3d.", {7}), "  7.");
  EXPECT_EQ(CFormat("%-5d|", {-3}), "-3   |");
  EXPECT_EQ(CFormat("%4d [м]", {1200}), "1200 [м]");
  EXPECT_EQ(CFormat("%05d", {42}), "00042");
  EXPECT_EQ(CFormat("100%%", {}), "100%");
}

TEST(CFormat, TextWidthsCountCharacters) {
  EXPECT_EQ(CFormat("%-6s|", {"Дом"}), "Дом   |");
  EXPECT_EQ(CFormat("%-6s|", {"abc"}), "abc   |");
  EXPECT_EQ(CFormat("%6s|", {"Дом"}), "   Дом|");
  EXPECT_EQ(CFormat("%-2s|", {"длинный"}), "длинный|");  // wider texts are not cut
  EXPECT_EQ(CFormat("%.2s", {"Дом"}), "До");
}

TEST(CFormat, MissingArgumentsPrintNothingHarmful) {
  EXPECT_EQ(CFormat("%d %s %2.2f", {}), "0  0.00");
  EXPECT_EQ(CFormat("%d", {"text"}), "0");
  EXPECT_EQ(CFormat("trailing %", {1}), "trailing ");
}

TEST(FormatPattern, HashPlacesPrintOnlySignificantDigits) {
  EXPECT_EQ(FormatPattern(12.5, "#.##", ','), "12,5");
  EXPECT_EQ(FormatPattern(3.0, "#.##", ','), "3");
  EXPECT_EQ(FormatPattern(0.25, "#.##", ','), ",25");
  EXPECT_EQ(FormatPattern(0.0, "#.##", ','), "");
  EXPECT_EQ(FormatPattern(0.004, "#.##", ','), "");
  EXPECT_EQ(FormatPattern(24.0, "#.##", '.'), "24");
  EXPECT_EQ(FormatPattern(12345.678, "#.##", ','), "12345,68");
}

TEST(FormatPattern, UnitPatterns) {
  EXPECT_EQ(FormatPattern(12.34, "###.# Ом", ','), "12,3 Ом");
  EXPECT_EQ(FormatPattern(0.44, "###.# Ом", ','), ",4 Ом");
  EXPECT_EQ(FormatPattern(0.0, "###.# Ом", ','), " Ом");
  EXPECT_EQ(FormatPattern(470, "### пФ", ','), "470 пФ");
  EXPECT_EQ(FormatPattern(999, "### пФ", ','), "999 пФ");
  EXPECT_EQ(FormatPattern(12.5, "#0.### нФ", ','), "12,5 нФ");
  EXPECT_EQ(FormatPattern(0.1, "0.### мкФ", ','), "0,1 мкФ");
  EXPECT_EQ(FormatPattern(0.25, "###0.### мГн", ','), "0,25 мГн");
  EXPECT_EQ(FormatPattern(0.0, "###0.### мГн", ','), "0 мГн");
  EXPECT_EQ(FormatPattern(86.58028, "###.#", ','), "86,6");
  EXPECT_EQ(FormatPattern(0.8658, "###.#", ','), ",9");
  EXPECT_EQ(FormatPattern(0.8658, "###.#", '.'), ".9");
}

TEST(FormatPattern, RoundsHalfAwayFromZeroAndCarries) {
  EXPECT_EQ(FormatPattern(0.25, "###.#", ','), ",3");
  EXPECT_EQ(FormatPattern(9.96, "###.#", ','), "10");
  EXPECT_EQ(FormatPattern(99.999, "#.##", ','), "100");
  EXPECT_EQ(FormatPattern(-12.5, "#.##", ','), "-12,5");
  EXPECT_EQ(FormatPattern(static_cast<double>(24.0f), "#.##", ','), "24");
  EXPECT_EQ(FormatPattern(static_cast<double>(0.3f), "#.##", ','), ",3");
}

TEST(FormatGeneralReal, FifteenSignificantDigitsWithTheSeparator) {
  EXPECT_EQ(FormatGeneralReal(28, ','), "28");
  EXPECT_EQ(FormatGeneralReal(27.35, ','), "27,35");
  EXPECT_EQ(FormatGeneralReal(27.35, '.'), "27.35");
  EXPECT_EQ(FormatGeneralReal(static_cast<double>(0.05f), ','), "0,0500000007450581");
  EXPECT_EQ(FormatGeneralReal(1000, ','), "1000");
  EXPECT_EQ(FormatGeneralReal(-0.5, ','), "-0,5");
  EXPECT_EQ(FormatGeneralReal(0, ','), "0");
  EXPECT_EQ(FormatGeneralReal(0.0001, ','), "0,0001");
  EXPECT_EQ(FormatGeneralReal(0.000001, ','), "1E-6");
  EXPECT_EQ(FormatGeneralReal(1.5e20, ','), "1,5E20");
  EXPECT_EQ(FormatGeneralReal(123456789012345.0, ','), "123456789012345");
}

TEST(ParseReal, AcceptsBothSeparatorsAndRejectsTheRest) {
  double v = -1;
  EXPECT_TRUE(ParseReal("27,35", v));
  EXPECT_DOUBLE_EQ(v, 27.35);
  EXPECT_TRUE(ParseReal(" 27.35 ", v));
  EXPECT_DOUBLE_EQ(v, 27.35);
  EXPECT_TRUE(ParseReal("1E-6", v));
  EXPECT_DOUBLE_EQ(v, 1e-6);
  EXPECT_TRUE(ParseReal("-5", v));
  EXPECT_DOUBLE_EQ(v, -5);
  for (const char* bad : {"", "abc", "12abc", "1,2,3", "1e", ",", "1e400", "nan", "inf", "1 2"}) {
    EXPECT_FALSE(ParseReal(bad, v)) << bad;
  }
}

TEST(ParseReal, GeneralFormReadsBackToTheSameValue) {
  for (const double value : {0.05, 27.35, 1e-7, 123456.789, 0.0500000007450581}) {
    for (const char separator : {',', '.'}) {
      double back = 0;
      ASSERT_TRUE(ParseReal(FormatGeneralReal(value, separator), back));
      EXPECT_DOUBLE_EQ(back, value);
    }
  }
  double back = 0;
  ASSERT_TRUE(ParseReal(FormatGeneralReal(static_cast<double>(0.05f), ','), back));
  EXPECT_EQ(static_cast<float>(back), 0.05f);
}

TEST(ParseInteger, DecimalAndHexadecimalWholeTexts) {
  int32_t v = 0;
  EXPECT_TRUE(ParseInteger("42", v));
  EXPECT_EQ(v, 42);
  EXPECT_TRUE(ParseInteger(" -5 ", v));
  EXPECT_EQ(v, -5);
  EXPECT_TRUE(ParseInteger("0x1F", v));
  EXPECT_EQ(v, 31);
  EXPECT_TRUE(ParseInteger("0XFFFFFFFF", v));
  EXPECT_EQ(v, -1);
  EXPECT_TRUE(ParseInteger("+3", v));
  EXPECT_EQ(v, 3);
  for (const char* bad : {"", "1.5", "12a", "abc", "0x", "0xG", "2147483648", "--1", "+-1"}) {
    EXPECT_FALSE(ParseInteger(bad, v)) << bad;
  }
}

}  // namespace
}  // namespace luch
