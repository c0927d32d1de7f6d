// Reading numbers from cell texts, edit fields and prompt answers. Neither rule
// reports an error: a text without a number reads as 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace luch {

// Skips leading white space, takes an optional "+" or "-" and the decimal
// digits that follow, up to the first other character. No digit gives 0.
// A value beyond 32 bits saturates at INT32_MIN / INT32_MAX.
//   LeadingInteger(" 12,5") == 12;  LeadingInteger("1e3") == 1
int32_t LeadingInteger(std::string_view text);

// Skips leading white space and takes the longest leading decimal number:
// optional sign, digits, a fraction after ".", an optional exponent. "." is the
// only decimal separator. No number gives 0. A number too large for a double
// gives +-infinity; callers that compute with it must check (std::isfinite).
//   LeadingReal("1,5") == 1.0;  LeadingReal("-.5e1x") == -5.0
double LeadingReal(std::string_view text);

// A number the user typed into a field or a prompt: as LeadingReal, but "," is
// a decimal point too, so "27,5" typed under Russian settings is 27.5.
// Texts the program writes and the readers of files keep LeadingReal.
//   LeadingTypedReal("27,5 В") == 27.5;  LeadingTypedReal("0,8") == 0.8
double LeadingTypedReal(std::string_view text);

}  // namespace luch
