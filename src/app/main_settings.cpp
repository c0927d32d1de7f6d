#include "app/main_settings.h"

namespace luch {
namespace {
const char* kMain = "Main";
std::string ColKey(size_t i) { return "ColWidths" + std::to_string(i); }
}  // namespace

MainSettings ReadMainSettings(const ProfileFile& settings, const MainSettings& current,
                              const Screen& screen) {
  MainSettings values = current;
  values.geometry.top = settings.ReadInteger(kMain, "Top", current.geometry.top);
  values.geometry.left = settings.ReadInteger(kMain, "Left", current.geometry.left);
  values.geometry.height = settings.ReadInteger(kMain, "Height", current.geometry.height);
  values.geometry.width = settings.ReadInteger(kMain, "Width", current.geometry.width);
  const int row_height = settings.ReadInteger(kMain, "DefaultRowHeight", current.row_height);
  values.row_height =
      row_height >= kMinRowHeight && row_height <= kMaxRowHeight ? row_height : current.row_height;
  for (size_t i = 0; i < values.col_widths.size(); ++i) {
    values.col_widths[i] = settings.ReadInteger(kMain, ColKey(i), current.col_widths[i]);
  }
  values.file_name = settings.ReadString(kMain, "FileName", current.file_name);
  if (values.geometry.left >= screen.Width()) {
    values.geometry.left = screen.Width() - values.geometry.width;
  }
  if (values.geometry.top >= screen.Height()) {
    values.geometry.top = screen.Height() - values.geometry.height;
  }
  return values;
}

void WriteMainSettings(ProfileFile& settings, const MainSettings& values) {
  settings.WriteInteger(kMain, "Top", values.geometry.top);
  settings.WriteInteger(kMain, "Left", values.geometry.left);
  settings.WriteInteger(kMain, "Height", values.geometry.height);
  settings.WriteInteger(kMain, "Width", values.geometry.width);
  for (size_t i = 0; i < values.col_widths.size(); ++i) {
    settings.WriteInteger(kMain, ColKey(i), values.col_widths[i]);
  }
  settings.WriteString(kMain, "FileName", values.file_name);
  settings.WriteInteger(kMain, "DefaultRowHeight", values.row_height);
}

std::array<int, 11> ProportionalColumnWidths(int client_width) {
  std::array<int, 11> widths{};
  for (size_t i = 0; i < widths.size(); ++i) widths[i] = kColumnPercents[i] * client_width / 100;
  return widths;
}

}  // namespace luch
