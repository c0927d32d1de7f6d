#include "project/typed_length.h"

#include <algorithm>
#include <array>

#include "common/checked_prompt.h"
#include "common/numbers.h"

namespace luch {
namespace {

constexpr const char* kNegative = "Длина не может быть отрицательной.";
constexpr const char* kFraction = "Длина задается в целых метрах.";
constexpr const char* kNoLength = "Введите длину в метрах.";

constexpr std::array<std::string_view, 6> kUnits = {"м", "м.", "М", "М.", "m", "M"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int32_t> Refuse(const char* message, std::string* refusal) {
  if (refusal) *refusal = message;
  return std::nullopt;
}

}  // namespace

std::optional<int32_t> ReadTypedLength(std::string_view text, std::string* refusal) {
  const std::string_view number = Trimmed(text);
  size_t k = 0;
  const bool negative = k < number.size() && number[k] == '-';
  if (k < number.size() && (number[k] == '-' || number[k] == '+')) ++k;
  const size_t digits = k;
  while (k < number.size() && IsDigit(number[k])) ++k;
  if (k == digits) return Refuse(kNoLength, refusal);
  bool fraction = false;
  if (k + 1 < number.size() && (number[k] == ',' || number[k] == '.') && IsDigit(number[k + 1])) {
    for (++k; k < number.size() && IsDigit(number[k]); ++k) fraction |= number[k] != '0';
  }
  const std::string_view unit = Trimmed(number.substr(k));
  if (!unit.empty() && std::find(kUnits.begin(), kUnits.end(), unit) == kUnits.end()) {
    return Refuse(kNoLength, refusal);
  }
  const int32_t metres = LeadingInteger(number);
  if (negative && metres != 0) return Refuse(kNegative, refusal);
  if (fraction) return Refuse(kFraction, refusal);
  return metres;
}

std::optional<int32_t> AskLength(const Platform& platform, std::string_view caption,
                                 std::string_view prompt, std::string_view default_text,
                                 bool typed) {
  const auto check = [](std::string_view answer) {
    std::string refusal;
    ReadTypedLength(answer, &refusal);
    return refusal;
  };
  const std::optional<std::string> answer =
      AskChecked(platform, caption, prompt, default_text, check, typed);
  if (!answer) return std::nullopt;
  return ReadTypedLength(*answer);
}

}  // namespace luch
