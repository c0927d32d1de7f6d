// Number texts written by the program: the printf family (always "."), the
// number patterns (the user's decimal separator) and the general real form of
// profile files.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace luch {

// One argument of CFormat: a whole number, a real or a UTF-8 text.
class CArg {
 public:
  CArg(int v) : value_(static_cast<int64_t>(v)) {}
  CArg(long v) : value_(static_cast<int64_t>(v)) {}
  CArg(long long v) : value_(static_cast<int64_t>(v)) {}
  CArg(unsigned v) : value_(static_cast<int64_t>(v)) {}
  CArg(double v) : value_(v) {}
  CArg(float v) : value_(static_cast<double>(v)) {}
  CArg(std::string_view v) : value_(v) {}
  CArg(const std::string& v) : value_(std::string_view(v)) {}
  CArg(const char* v) : value_(std::string_view(v)) {}
  const std::variant<int64_t, double, std::string_view>& value() const { return value_; }

 private:
  std::variant<int64_t, double, std::string_view> value_;
};

// printf with the C rules, independent of the process locale: "." is always
// the decimal point. Supports %d %i %u %f %e %g %s %c %% with the flags
// "-+ 0#", width and precision. Widths and precisions of %s count characters,
// not bytes, so a Cyrillic text pads like a Latin one. A missing or mistyped
// argument is printed as 0 or the empty text, never read out of bounds.
//   CFormat("%2.2f", {12.5}) == "12.50";  CFormat("%-4s|", {"Ом"}) == "Ом  |"
std::string CFormat(std::string_view format, std::initializer_list<CArg> args);

// CFormat("%2.2f", {value}) without the format's parsing: the text of every
// current and voltage cell, written thousands of times per calculation.
std::string FormatFixed2(double value);

// A value in a number pattern ("#.##", "###.# Ом", "### пФ", "#0.### нФ",
// "0.### мкФ", "###0.### мГн", "###.#"): rounded (half away from zero) to as
// many decimals as the pattern has digit places after its point; a "0" place
// always prints a digit, a "#" place only a significant one; the integer part
// is printed in full; the separator is left out when no decimal digit follows;
// other characters are copied as they stand.
//   FormatPattern(0.25, "#.##", ',') == ",25";  FormatPattern(0, "#.##", ',') == ""
std::string FormatPattern(double value, std::string_view pattern, char decimal_separator);

// General real form of profile files: up to 15 significant digits, no trailing
// zeros, exponent form only below 0.00001 or from 1e15 on ("1E-6", "1,5E20").
//   FormatGeneralReal(27.35, ',') == "27,35";  FormatGeneralReal(28, ',') == "28"
std::string FormatGeneralReal(double value, char decimal_separator);

// Reads a whole text (blanks around it allowed) as a real with "," or "." as
// decimal separator and an optional exponent. Returns false for anything else,
// and for a value too large for a double.
bool ParseReal(std::string_view text, double& value);

// Reads a whole text (blanks around it allowed) as a 32-bit whole number:
// decimal with an optional sign, or hexadecimal after "0x"/"0X". Returns false
// for anything else and for a decimal value outside 32 bits.
bool ParseInteger(std::string_view text, int32_t& value);

}  // namespace luch
