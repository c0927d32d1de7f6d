// The texts that the ray calculation and the minimum voltage search show.
#pragma once

namespace luch::calc_texts {

inline constexpr const char* kBlocks = "Блоков: ";
inline constexpr const char* kLength = "Длина луча: ";
inline constexpr const char* kMeters = " м";
inline constexpr const char* kResistance = "Сопротивление: ";
inline constexpr const char* kResistancePattern = "###.# Ом";
inline constexpr const char* kCapacitance = "Емкость: ";
inline constexpr const char* kPicoFaradPattern = "### пФ";
inline constexpr const char* kNanoFaradPattern = "#0.### нФ";
inline constexpr const char* kMicroFaradPattern = "0.### мкФ";
inline constexpr const char* kCapacitanceUnknown = "Емкость: ?";
inline constexpr const char* kInductance = "Индуктивность: ";
inline constexpr const char* kInductancePattern = "###0.### мГн";
inline constexpr const char* kInductanceUnknown = "Индуктивность: ?";
inline constexpr const char* kTooMuch = " (Много!)";
inline constexpr const char* kProblemsUnknown = "Проблем: ?";
inline constexpr const char* kProblems = "Проблем: ";
inline constexpr const char* kCurrentUnknown = "Ток: ?";
inline constexpr const char* kCurrent = "Ток: ";
inline constexpr const char* kMilliamps = " мА";
inline constexpr const char* kRunning = "Выполняется расчет...";
inline constexpr const char* kSucceeded = "Расчет успешно завершен...";
inline constexpr const char* kFailed = "Не удается выполнить расчет...";

inline constexpr const char* kCapacitanceWarning = "Превышена допустимая емкость кабеля!...\n";
inline constexpr const char* kInductanceWarning = "Превышена допустимая индуктивность кабеля!...\n";
inline constexpr const char* kCurrentWarning = "Превышен допустимый ток КМУ!...\n";
inline constexpr const char* kFailureMessage =
    "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...";
inline constexpr const char* kCaption = "Сообщение";

inline constexpr const char* kDefaultSupply = "28.0";
inline constexpr const char* kPreset28 = "28.00";
inline constexpr const char* kPreset24 = "24.00";

}  // namespace luch::calc_texts
