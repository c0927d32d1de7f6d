#include "common/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "common/cp1251.h"
#include "common/numbers.h"

namespace luch {
namespace {

struct Conversion {
  bool left = false, plus = false, space = false, zero = false, alt = false;
  int width = 0;
  int precision = -1;
  char type = 0;  // d, f, s, ...
};

std::string Pad(std::string body, const Conversion& conv, bool numeric) {
  const size_t length = Utf8Length(body);
  if (conv.width <= 0 || length >= static_cast<size_t>(conv.width)) return body;
  const size_t fill = static_cast<size_t>(conv.width) - length;
  if (conv.left) return body + std::string(fill, ' ');
  if (numeric && conv.zero) {
    size_t sign = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
    return body.substr(0, sign) + std::string(fill, '0') + body.substr(sign);
  }
  return std::string(fill, ' ') + body;
}

std::string SignPrefix(bool negative, const Conversion& conv) {
  if (negative) return "-";
  if (conv.plus) return "+";
  if (conv.space) return " ";
  return "";
}

std::string FormatReal(double value, const Conversion& conv) {
  const int precision = conv.precision < 0 ? 6 : conv.precision;
  if (std::isnan(value)) return Pad(SignPrefix(std::signbit(value), conv) + "nan", conv, false);
  if (std::isinf(value)) return Pad(SignPrefix(value < 0, conv) + "inf", conv, false);
  char buffer[512];
  std::chars_format format = std::chars_format::fixed;
  if (conv.type == 'e') format = std::chars_format::scientific;
  if (conv.type == 'g') format = std::chars_format::general;
  const int digits = std::min(precision, 100);
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), format,
                              conv.type == 'g' && digits == 0 ? 1 : digits);
  std::string body(buffer, result.ptr);
  if (result.ec != std::errc()) body.assign(1, '0');
  if (conv.type == 'e' || conv.type == 'g') {
    // C prints at least two exponent digits: 1e+05, not 1e+5.
    const size_t e = body.find('e');
    if (e != std::string::npos && body.size() - e == 3) body.insert(e + 2, 1, '0');
  }
  if (conv.alt && body.find('.') == std::string::npos && conv.type == 'f') body += '.';
  return Pad(SignPrefix(std::signbit(value), conv) + body, conv, true);
}

std::string FormatWhole(int64_t value, const Conversion& conv) {
  std::string digits =
      std::to_string(value < 0 ? -static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  if (conv.precision >= 0 && digits.size() < static_cast<size_t>(conv.precision)) {
    digits.insert(0, static_cast<size_t>(conv.precision) - digits.size(), '0');
  }
  if (conv.precision == 0 && value == 0) digits.clear();
  Conversion padding = conv;
  if (conv.precision >= 0) padding.zero = false;
  return Pad(SignPrefix(value < 0, conv) + digits, padding, true);
}

int64_t AsWhole(const CArg* arg) {
  if (!arg) return 0;
  if (auto* v = std::get_if<int64_t>(&arg->value())) return *v;
  if (auto* v = std::get_if<double>(&arg->value())) {
    if (!std::isfinite(*v)) return 0;
    if (*v >= 9.2e18 || *v <= -9.2e18) return 0;
    return static_cast<int64_t>(*v);
  }
  return 0;
}

double AsReal(const CArg* arg) {
  if (!arg) return 0.0;
  if (auto* v = std::get_if<double>(&arg->value())) return *v;
  if (auto* v = std::get_if<int64_t>(&arg->value())) return static_cast<double>(*v);
  return 0.0;
}

std::string_view AsText(const CArg* arg) {
  if (!arg) return {};
  if (auto* v = std::get_if<std::string_view>(&arg->value())) return *v;
  return {};
}

}  // namespace

std::string CFormat(std::string_view format, std::initializer_list<CArg> args) {
  std::string out;
  const CArg* next = args.begin();
  const auto take = [&]() -> const CArg* { return next != args.end() ? next++ : nullptr; };
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    Conversion conv;
    for (; i < format.size(); ++i) {
      const char f = format[i];
      if (f == '-')
        conv.left = true;
      else if (f == '+')
        conv.plus = true;
      else if (f == ' ')
        conv.space = true;
      else if (f == '0')
        conv.zero = true;
      else if (f == '#')
        conv.alt = true;
      else
        break;
    }
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) {
      conv.width = std::min(conv.width * 10 + (format[i] - '0'), 100000);
    }
    if (i < format.size() && format[i] == '.') {
      ++i;
      conv.precision = 0;
      for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i) {
        conv.precision = std::min(conv.precision * 10 + (format[i] - '0'), 100000);
      }
    }
    while (i < format.size() && (format[i] == 'l' || format[i] == 'h' || format[i] == 'L')) ++i;
    if (i >= format.size()) break;
    conv.type = format[i++];
    switch (conv.type) {
      case 'd':
      case 'i':
      case 'u':
        out += FormatWhole(AsWhole(take()), conv);
        break;
      case 'f':
      case 'F':
      case 'e':
      case 'g':
        conv.type = conv.type == 'F' ? 'f' : conv.type;
        out += FormatReal(AsReal(take()), conv);
        break;
      case 's': {
        std::string_view text = AsText(take());
        if (conv.precision >= 0) text = Utf8Prefix(text, static_cast<size_t>(conv.precision));
        conv.zero = false;
        out += Pad(std::string(text), conv, false);
        break;
      }
      case 'c': {
        const int64_t code = AsWhole(take());
        out += Pad(std::string(1, static_cast<char>(code)), conv, false);
        break;
      }
      default:
        out += '%';
        out += conv.type;
    }
  }
  return out;
}

std::string FormatFixed2(double value) {
  const char* sign = std::signbit(value) ? "-" : "";
  if (std::isnan(value)) return std::string(sign) + "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  const double magnitude = std::fabs(value);
  if (magnitude < 1e7 && static_cast<double>(static_cast<float>(value)) == value) {
    // A 32-bit real times 100 is exact in a double: rounded to a whole number
    // (ties to even, as printf rounds the exact value), it gives the digits.
    const auto cents = static_cast<int64_t>(std::nearbyint(magnitude * 100.0));
    std::string text(sign);
    text += std::to_string(cents / 100);
    text += '.';
    text += static_cast<char>('0' + cents % 100 / 10);
    text += static_cast<char>('0' + cents % 10);
    return text;
  }
  char buffer[352];  // the longest double, 309 digits, its point and two decimals
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, 2);
  std::string text(sign);
  text.append(buffer, result.ptr);
  return text;
}

namespace {

// Decimal digits of |value| rounded half away from zero at `decimals` places
// after the point, taken from its shortest exact-enough form (17 significant
// digits). Returns the integer digits and the fraction digits.
void RoundDecimal(double value, int decimals, std::string& integer, std::string& fraction) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, 16);
  std::string text(buffer, result.ptr);
  const size_t e = text.find('e');
  int exponent = std::stoi(text.substr(e + 1));
  std::string digits;
  for (size_t k = 0; k < e; ++k) {
    if (text[k] != '.') digits += text[k];
  }
  // Place the point: digits[0] has weight 10^exponent.
  int point = exponent + 1;  // number of integer digits
  if (point <= 0) {
    digits.insert(0, static_cast<size_t>(-point) + 0, '0');
    point = 0;
  }
  // Both are 0 or more here.
  const size_t kept = static_cast<size_t>(point) + static_cast<size_t>(decimals);
  if (digits.size() < kept + 1) digits.append(kept + 1 - digits.size(), '0');
  const bool round_up = digits[kept] >= '5';
  digits.resize(kept);
  if (round_up) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0 && digits[static_cast<size_t>(k)] == '9') digits[static_cast<size_t>(k--)] = '0';
    if (k >= 0) {
      ++digits[static_cast<size_t>(k)];
    } else {
      digits = std::string(1, '1') + digits;
      ++point;
    }
  }
  integer = digits.substr(0, static_cast<size_t>(point));
  fraction = digits.substr(static_cast<size_t>(point));
  const size_t nonzero = integer.find_first_not_of('0');
  integer = nonzero == std::string::npos ? "" : integer.substr(nonzero);
}

bool IsPlace(char c) { return c == '#' || c == '0'; }

}  // namespace

std::string FormatPattern(double value, std::string_view pattern, char decimal_separator) {
  const size_t first = pattern.find_first_of("#0");
  if (first == std::string_view::npos) return std::string(pattern);
  size_t last = first;
  while (last + 1 < pattern.size() && (IsPlace(pattern[last + 1]) || pattern[last + 1] == '.')) {
    ++last;
  }
  const std::string_view places = pattern.substr(first, last - first + 1);
  const size_t point = places.find('.');
  const std::string_view before = places.substr(0, point);
  const std::string_view after =
      point == std::string_view::npos ? std::string_view() : places.substr(point + 1);
  const int decimals = static_cast<int>(after.size());
  const size_t min_integer = before.size() - std::min(before.size(), before.find('0'));
  const size_t min_fraction = after.rfind('0') == std::string_view::npos ? 0 : after.rfind('0') + 1;

  std::string number;
  if (std::isfinite(value)) {
    std::string integer, fraction;
    RoundDecimal(value, decimals, integer, fraction);
    while (fraction.size() > min_fraction && fraction.back() == '0') fraction.pop_back();
    if (integer.size() < min_integer) integer.insert(0, min_integer - integer.size(), '0');
    const bool is_zero = integer.find_first_not_of('0') == std::string::npos &&
                         fraction.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !is_zero) number += '-';
    number += integer;
    if (!fraction.empty()) {
      number += decimal_separator;
      number += fraction;
    }
  } else {
    number = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  }
  return std::string(pattern.substr(0, first)) + number + std::string(pattern.substr(last + 1));
}

std::string FormatGeneralReal(double value, char decimal_separator) {
  if (value == 0.0) return "0";
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific, 14);
  std::string text(buffer, result.ptr);
  const size_t e = text.find('e');
  const int exponent = std::stoi(text.substr(e + 1));
  std::string digits;
  for (size_t k = 0; k < e; ++k) {
    if (text[k] != '.') digits += text[k];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = value < 0 ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += decimal_separator;
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += '0';
    out += decimal_separator;
    out += std::string(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const size_t integer_digits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      out += digits + std::string(integer_digits - digits.size(), '0');
    } else {
      out += digits.substr(0, integer_digits);
      out += decimal_separator;
      out += digits.substr(integer_digits);
    }
  }
  return out;
}

namespace {
std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}
}  // namespace

bool ParseReal(std::string_view text, double& value) {
  text = Trim(text);
  if (text.empty()) return false;
  std::string number(text);
  size_t i = 0;
  if (number[i] == '+' || number[i] == '-') ++i;
  size_t digits = 0;
  while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) ++i, ++digits;
  if (i < number.size() && (number[i] == ',' || number[i] == '.')) {
    number[i] = '.';
    ++i;
    while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) {
      ++i, ++exponent_digits;
    }
    if (exponent_digits == 0) return false;
  }
  if (i != number.size()) return false;
  bool negative = number[0] == '-';
  const size_t start = (number[0] == '+' || number[0] == '-') ? 1 : 0;
  double parsed = 0.0;
  const auto result = std::from_chars(number.data() + start, number.data() + number.size(), parsed);
  if (result.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0; overflow is not a readable value.
    if (std::isinf(LeadingReal(std::string_view(number).substr(start)))) return false;
    parsed = 0.0;
  } else if (result.ec != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

bool ParseInteger(std::string_view text, int32_t& value) {
  text = Trim(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view hex = text.substr(2);
    if (hex.size() > 8) return false;
    uint32_t parsed = 0;
    const auto result = std::from_chars(hex.data(), hex.data() + hex.size(), parsed, 16);
    if (result.ec != std::errc() || result.ptr != hex.data() + hex.size()) return false;
    value = static_cast<int32_t>(parsed);
    return true;
  }
  size_t start = 0;
  if (!text.empty() && text[0] == '+') start = 1;
  int64_t parsed = 0;
  const std::string_view digits = text.substr(start);
  if (digits.empty() || digits[0] == '+' || (start == 1 && digits[0] == '-')) return false;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return false;
  if (parsed < std::numeric_limits<int32_t>::min() ||
      parsed > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = static_cast<int32_t>(parsed);
  return true;
}

}  // namespace luch
