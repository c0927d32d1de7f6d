// A segment length as the user types it into a prompt: a whole number of
// metres, 0 or more. (Lengths read from files keep LeadingInteger.)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform.h"

namespace luch {

// The metres of a typed length: digits with an optional "+", blanks around
// them, and the unit "м", "м." or "m" after them (with or without a blank).
// A fraction of zeros ("35,0") is a whole number too. Anything else gives
// nothing and, into `refusal` when given, the message that says why:
//   "-5"                 "Длина не может быть отрицательной."
//   "35,5", "35.5 м"     "Длина задается в целых метрах."
//   "", "abc", "35 км"   "Введите длину в метрах."
// Digits beyond 32 bits saturate as LeadingInteger's do.
std::optional<int32_t> ReadTypedLength(std::string_view text, std::string* refusal = nullptr);

// Asks for a length until ReadTypedLength accepts the answer (AskChecked):
// the length on OK, nothing on Cancel. `typed` as in AskChecked.
std::optional<int32_t> AskLength(const Platform& platform, std::string_view caption,
                                 std::string_view prompt, std::string_view default_text,
                                 bool typed = false);

}  // namespace luch
