#include "app/main_settings.h"

namespace luch {
namespace {
const char* kMain = "Main";
std::string ColKey(size_t i) { return "ColWidths" + std::to_string(i); }
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
  values.file_name = settings.ReadString(kMain, "FileName", current.file_name);
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
