// A UTF-8 text as plain ASCII, for a Windows-1251 file that must keep it
// whole: every byte other than a Latin letter, a digit or one of "/\\:._-"
// written as "%" and two hex digits.
//   PercentEscaped("Папка 2×2") == "%D0%9F%D0%B0%D0%BF%D0%BA%D0%B0%202%C3%972"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace luch {

std::string PercentEscaped(std::string_view text);

// The text of a PercentEscaped one; nothing when it is not one.
std::optional<std::string> PercentUnescaped(std::string_view text);

}  // namespace luch
