// The layout of Блок.ini, shared by its reader (BlockLibrary), its editor
// (BlockWindow) and the calculation: one section per block type, "Блок"
// followed by the 0-based index, with the name, regimes 1.. and Umin.
//   [Блок0]  Название=...  Режим1=...  P1=...  I1=...  Umin=...
#pragma once

#include <string>
#include <string_view>

namespace luch::block_file {

inline constexpr const char* kName = "Название";
inline constexpr const char* kUmin = "Umin";

// The defaults of a missing or unreadable key, as the window and the lookups
// by index read them (the lookups by regime name read 0 for P).
inline constexpr int kDefaultPower = 100;       // "P"+r, mW
inline constexpr double kDefaultCurrent = 0.0;  // "I"+r, mA
inline constexpr double kDefaultUmin = 8.0;     // "Umin", V

// "Блок" + b: the section of block type b.
inline std::string Section(int b) { return "Блок" + std::to_string(b); }
// "Режим" + r, "P" + r, "I" + r: the keys of regime r.
inline std::string RegimeKey(int r) { return "Режим" + std::to_string(r); }
inline std::string PowerKey(int r) { return "P" + std::to_string(r); }
inline std::string CurrentKey(int r) { return "I" + std::to_string(r); }

}  // namespace luch::block_file
