#include "app/main_settings.h"

#include <optional>
#include <string_view>

#include "common/cp1251.h"
#include "common/percent_escape.h"

namespace luch {
namespace {

const char* kMain = "Main";
// "FileName" is Windows-1251, as the whole file is. A path with characters
// outside that code page (a Linux folder may be named anything) is kept beside
// it under this key too: its UTF-8 bytes, each byte other than a letter, a
// digit or one of "/\\:._-" written as "%" and two hex digits.
const char* kFileNameUtf8 = "FileNameUtf8";

std::string ColKey(size_t i) { return "ColWidths" + std::to_string(i); }

// The remembered project: the kept UTF-8 path while "FileName" still holds
// its Windows-1251 form (a program that does not know the key may have
// written another name since), else "FileName" itself.
std::string ReadFileName(const ProfileFile& settings, const std::string& fallback) {
  std::string file_name = settings.ReadString(kMain, "FileName", fallback);
  const std::optional<std::string> kept =
      PercentUnescaped(settings.ReadString(kMain, kFileNameUtf8, ""));
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
    settings.WriteString(kMain, kFileNameUtf8, PercentEscaped(values.file_name));
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
