#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace luch {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipSpace(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return i;
}

// Rough power of ten of an unsigned decimal number text ("123e4" -> 6,
// "0.001" -> -3); only its sign matters.
int64_t DecimalMagnitude(std::string_view number) {
  const size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  const int64_t exponent = e == std::string_view::npos ? 0 : LeadingInteger(number.substr(e + 1));
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string_view::npos) return std::numeric_limits<int64_t>::min();
  const int64_t position = first < point ? static_cast<int64_t>(point - first - 1)
                                         : -static_cast<int64_t>(first - point);
  return position + exponent;
}

}  // namespace

int32_t LeadingInteger(std::string_view text) {
  size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;  // saturate; further digits change nothing
  }
  if (negative) return static_cast<int32_t>(-value);
  return value >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(value);
}

double LeadingReal(std::string_view text) {
  size_t i = SkipSpace(text);
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    size_t j = i + 1;
    size_t fraction = 0;
    while (j < text.size() && IsDigit(text[j])) ++j, ++fraction;
    if (digits + fraction > 0) {
      i = j;
      digits += fraction;
    }
  }
  if (digits == 0) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  // from_chars knows no leading "+"; strtod would follow the C locale.
  std::string number(text.substr(start, i - start));
  bool negative = false;
  if (number[0] == '+' || number[0] == '-') {
    negative = number[0] == '-';
    number.erase(0, 1);
  }
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small underflows to 0, too large overflows to infinity.
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

double LeadingTypedReal(std::string_view text) {
  std::string typed(text);
  std::replace(typed.begin(), typed.end(), ',', '.');
  return LeadingReal(typed);
}

}  // namespace luch
