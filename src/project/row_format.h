// The keys of one project row as the project file (section "Блок" + k) and
// the row clipboard Copy.ini (section k) store it. The clipboard also keeps
// the row's current under kCurrent; the project file does not.
#pragma once

namespace luch::row_format {

inline constexpr const char* kAddress = "Адрес";
inline constexpr const char* kCable = "Кабель";
inline constexpr const char* kLength = "Длина";
inline constexpr const char* kBlock = "Блок";
inline constexpr const char* kRegime = "Режим";
inline constexpr const char* kPower = "P";  // Latin
inline constexpr const char* kZB = "ЗБ";
inline constexpr const char* kCurrent = "I";  // Latin; Copy.ini only

}  // namespace luch::row_format
