// The number and text rules that every cell, field, prompt answer and file
// value passes through: LeadingInteger, LeadingReal, ParseInteger, ParseReal,
// the printf family with a fuzzed format, the number patterns, the general
// real form, and the Windows-1251 / UTF-8 conversions.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "fuzz_support.h"

namespace {

using namespace luch;

void CheckReaders(std::string_view text) {
  const int32_t leading_integer = LeadingInteger(text);
  const double leading_real = LeadingReal(text);
  LUCH_FUZZ_CHECK(!std::isnan(leading_real));

  int32_t integer = 0;
  if (ParseInteger(text, integer)) {
    // A whole decimal text reads the same by both rules.
    const size_t first = text.find_first_not_of(" \t\r\n");
    const bool hex = text.substr(first).starts_with("0x") || text.substr(first).starts_with("0X");
    if (!hex) LUCH_FUZZ_CHECK(leading_integer == integer);
  }
  double real = 0.0;
  if (ParseReal(text, real)) {
    LUCH_FUZZ_CHECK(std::isfinite(real));
    if (text.find(',') == std::string_view::npos &&
        text.find_first_of("\v\f") == std::string_view::npos) {
      LUCH_FUZZ_CHECK(real == leading_real);
    }
  }
}

void CheckTexts(std::string_view bytes) {
  const std::string utf8 = Cp1251ToUtf8(bytes);
  const std::string back = Utf8ToCp1251(utf8);
  LUCH_FUZZ_CHECK(back.size() == bytes.size());
  for (size_t k = 0; k < bytes.size(); ++k) {
    LUCH_FUZZ_CHECK(back[k] == bytes[k] || (bytes[k] == '\x98' && back[k] == '?'));
  }
  LUCH_FUZZ_CHECK(Utf8Length(utf8) == bytes.size());
  // Arbitrary bytes as UTF-8: never read past the end.
  const size_t length = Utf8Length(bytes);
  LUCH_FUZZ_CHECK(length <= bytes.size());
  for (size_t count : {size_t{0}, size_t{1}, length / 2, length, length + 1}) {
    const std::string_view prefix = Utf8Prefix(bytes, count);
    LUCH_FUZZ_CHECK(prefix.size() <= bytes.size() && bytes.starts_with(prefix));
    LUCH_FUZZ_CHECK(Utf8Length(prefix) == std::min(count, length));
  }
  LUCH_FUZZ_CHECK(FoldCase(FoldCase(utf8)) == FoldCase(utf8));
  FoldCase(bytes);
}

void CheckWriters(std::string_view bytes) {
  double value = 0.0;
  if (bytes.size() >= sizeof value) std::memcpy(&value, bytes.data(), sizeof value);
  int64_t whole = 0;
  if (bytes.size() >= sizeof whole)
    std::memcpy(&whole, bytes.data() + bytes.size() - sizeof whole, sizeof whole);

  // General real form: 15 significant digits read back under both separators.
  for (char separator : {',', '.'}) {
    const std::string text = FormatGeneralReal(value, separator);
    double parsed = 0.0;
    if (std::isfinite(value)) {
      LUCH_FUZZ_CHECK(ParseReal(text, parsed) || std::fabs(value) > 1e308);
      if (std::fabs(value) > 1e-300 && std::fabs(value) < 1e300) {
        LUCH_FUZZ_CHECK(std::fabs(parsed - value) <= std::fabs(value) * 1e-14);
      }
    }
  }

  // A format of at most 64 bytes (the program's own are constants) with
  // arguments of each kind; widths and precisions are capped inside.
  const std::string_view format = bytes.substr(0, std::min<size_t>(bytes.size(), 64));
  const std::string text(bytes.substr(std::min<size_t>(bytes.size(), 64)));
  const std::string formatted = CFormat(format, {whole, value, text, 42, -1.5, "Ом"});
  LUCH_FUZZ_CHECK(formatted.size() <= format.size() * 100200 + text.size() * 32 + 4096);
  CFormat(format, {});

  // Number patterns: a pattern from the input, and the program's own.
  const std::string_view pattern = bytes.substr(0, std::min<size_t>(bytes.size(), 32));
  FormatPattern(value, pattern, ',');
  for (const char* own :
       {"#.##", "###.# Ом", "### пФ", "#0.### нФ", "0.### мкФ", "###0.### мГн", "###.#"}) {
    const std::string shown = FormatPattern(value, own, ',');
    LUCH_FUZZ_CHECK(!shown.empty() || std::fabs(value) < 0.05);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckReaders(bytes);
  CheckReaders(Cp1251ToUtf8(bytes));
  CheckTexts(bytes);
  CheckWriters(bytes);
  return 0;
}
