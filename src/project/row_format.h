// The project file's layout: its section "Луч" with the count and the
// parameters, and the keys of one project row as the project file (section
// "Блок" + k) and the row clipboard Copy.ini (section k) store it. The
// clipboard also keeps the row's current under kCurrent; the project file
// does not.
#pragma once

namespace luch::ray_format {

inline constexpr const char* kSection = "Луч";
inline constexpr const char* kCount = "Блоков";
inline constexpr const char* kVoltage = "Напряжение";
inline constexpr const char* kZB = "Грозозащита";
inline constexpr const char* kAccuracy = "Точность";
inline constexpr const char* kCurrent = "Ток";
inline constexpr const char* kCapacitance = "C";  // Latin
inline constexpr const char* kInductance = "L";

}  // namespace luch::ray_format

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
