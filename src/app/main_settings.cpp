#include "app/main_settings.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "common/cp1251.h"

namespace luch {
namespace {

const char* kMain = "Main";
// "FileName" is Windows-1251, as the whole file is. A path with characters
// outside that code page (a Linux folder may be named anything) is kept beside
// it under this key too: its UTF-8 bytes, each byte other than a letter, a
// digit or one of "/\\:._-" written as "%" and two hex digits.
const char* kFileNameUtf8 = "FileNameUtf8";

std::string ColKey(size_t i) { return "ColWidths" + std::to_string(i); }

bool KeptAsIs(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("/\\:._-").find(c) != std::string_view::npos;
}

std::string Escaped(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsIs(c)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

// The path of an Escaped text; nothing when it is not one.
std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
    if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
    out += static_cast<char>(value);
    i += 2;
  }
  return out;
}

// The remembered project: the kept UTF-8 path while "FileName" still holds
// its Windows-1251 form (a program that does not know the key may have
// written another name since), else "FileName" itself.
std::string ReadFileName(const ProfileFile& settings, const std::string& fallback) {
  std::string file_name = settings.ReadString(kMain, "FileName", fallback);
  const std::optional<std::string> kept = Unescaped(settings.ReadString(kMain, kFileNameUtf8, ""));
  if (kept && !kept->empty() && Cp1251ToUtf8(Utf8ToCp1251(*kept)) == file_name) return *kept;
  return file_name;
}

}  // namespace

MainSettings ReadMainSettings(const ProfileFile& settings, const MainSettings& current,
                              const Screen& screen) {
  MainSettings values = current;
  // Read and pulled back into view as every window's place is.
  values.geometry = ReadWindowGeometry(settings, kMain, current.geometry, screen);
  const int row_height = settings.ReadInteger(kMain, "DefaultRowHeight", current.row_height);
  values.row_height =
      row_height >= kMinRowHeight && row_height <= kMaxRowHeight ? row_height : current.row_height;
  for (size_t i = 0; i < values.col_widths.size(); ++i) {
    values.col_widths[i] = settings.ReadInteger(kMain, ColKey(i), current.col_widths[i]);
  }
  values.file_name = ReadFileName(settings, current.file_name);
  values.live_calc = settings.ReadBool(kMain, "LiveCalc", current.live_calc);
  values.problems_shown = settings.ReadBool(kMain, "Problems", current.problems_shown);
  return values;
}

void WriteMainSettings(ProfileFile& settings, const MainSettings& values) {
  WriteWindowGeometry(settings, kMain, values.geometry);
  for (size_t i = 0; i < values.col_widths.size(); ++i) {
    settings.WriteInteger(kMain, ColKey(i), values.col_widths[i]);
  }
  settings.WriteString(kMain, "FileName", values.file_name);
  if (UnsavableCharacters(values.file_name).empty()) {
    settings.DeleteKey(kMain, kFileNameUtf8);
  } else {
    settings.WriteString(kMain, kFileNameUtf8, Escaped(values.file_name));
  }
  settings.WriteInteger(kMain, "DefaultRowHeight", values.row_height);
  settings.WriteBool(kMain, "LiveCalc", values.live_calc);
  settings.WriteBool(kMain, "Problems", values.problems_shown);
}

std::array<int, 11> ProportionalColumnWidths(int client_width) {
  std::array<int, 11> widths{};
  for (size_t i = 0; i < widths.size(); ++i) widths[i] = kColumnPercents[i] * client_width / 100;
  return widths;
}

}  // namespace luch
