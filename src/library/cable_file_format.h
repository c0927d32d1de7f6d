// The layout of Кабель.ini, shared by its reader and writer (CableLibrary) and
// by the cable types a project carries: one section per cable type, "Кабель"
// followed by the 1-based number, with the name, the resistance of one
// conductor (Ohm/km), the capacitance (pF/m), the wave impedance (Ohm) and a
// note.
//   [Кабель1]  Название=...  Сопротивление=...  Емкость=...  Волновое=...  Примечание=...
#pragma once

#include <string>

namespace luch::cable_file {

inline constexpr const char* kName = "Название";
inline constexpr const char* kResistance = "Сопротивление";
inline constexpr const char* kCapacitance = "Емкость";
inline constexpr const char* kWave = "Волновое";
inline constexpr const char* kNote = "Примечание";

// "Кабель" + n: the section of cable type n.
inline std::string Section(int n) { return "Кабель" + std::to_string(n); }

}  // namespace luch::cable_file
