// Section "Main" of the settings file: the main window's place, the grid's row
// height and column widths, and the last project.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "common/platform.h"
#include "common/settings_file.h"

namespace luch {

inline constexpr WindowGeometry kMainDesignGeometry{166, 71, 480, 873};
inline constexpr int kDesignRowHeight = 22;
inline constexpr int kMinRowHeight = 1;
inline constexpr int kMaxRowHeight = 200;

// Column widths in per cent of the client width, columns 0..10.
inline constexpr std::array<int, 11> kColumnPercents = {4, 13, 16, 9, 6, 11, 11, 6, 6, 9, 9};

struct MainSettings {
  WindowGeometry geometry = kMainDesignGeometry;
  int row_height = kDesignRowHeight;
  std::array<int, 11> col_widths{};  // PendingColWidths; 0 leaves a column as it is
  std::string file_name;             // ProjectFileName
  bool live_calc = true;             // "Пересчитывать &сразу"
  bool problems_shown = true;        // the problems panel "Проверка"
};

// Reads section "Main" in the order Top, Left, Height, Width, DefaultRowHeight,
// ColWidths0..10, FileName, LiveCalc, Problems, each defaulting to `current`,
// then pulls the window back into view. A row height below 1 or above 200
// pixels keeps the current one. A path that Windows-1251 cannot hold comes back
// whole from "FileNameUtf8" (see WriteMainSettings) while "FileName" still
// holds its Windows-1251 form.
MainSettings ReadMainSettings(const ProfileFile& settings, const MainSettings& current,
                              const Screen& screen);

// Writes section "Main" in the order Top, Left, Height, Width, ColWidths0..10,
// FileName, DefaultRowHeight, LiveCalc, Problems. A path that Windows-1251
// cannot hold is written into "FileName" with "?" for those characters, and
// whole, in escaped ASCII, into "FileNameUtf8"; for any other path that key is
// removed.
void WriteMainSettings(ProfileFile& settings, const MainSettings& values);

// Proportional column widths for a client width (whole-number division).
std::array<int, 11> ProportionalColumnWidths(int client_width);

}  // namespace luch
