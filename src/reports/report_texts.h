// The Russian texts of the report, the voltage table and the export, in one
// place. Blanks inside and at the ends of the texts are part of the layouts.
#pragma once

namespace luch::report_texts {

// Files written into the data directory.
inline constexpr const char* kReportFileName = "Отчет.txt";
inline constexpr const char* kVoltageTableFileName = "Таблица напряжения.txt";

// Header shared by the report and the voltage table.
inline constexpr const char* kTitle = "            Расчет луча по постоянному току";
inline constexpr const char* kObject = "Объект:             ";
inline constexpr const char* kLength = "Длина луча:         ";
inline constexpr const char* kReportLengthUnit = "  [М]";
inline constexpr const char* kTableLengthUnit = "  [м]";
inline constexpr const char* kSupply = "Напряжение питания: ";
inline constexpr const char* kSupplyUnit = "  [Вольт]";
inline constexpr const char* kCurrent = "Ток потребления:    ";
inline constexpr const char* kCurrentUnit = " [мА]";
inline constexpr const char* kDate = "Дата выполнения:    ";

// Per-row lines of the report (printf formats).
inline constexpr const char* kRowAddress = "%3d.  Адрес: %-32s";
inline constexpr const char* kRowBlock = "      Блок:  %-32s";
inline constexpr const char* kRowCable = "      Кабель: %-20s Длина:  %4d [м]";
inline constexpr const char* kRowVoltage = "      Напряжение: %2.2f [Вольт]    Ток:    %2.2f [мА]";
inline constexpr const char* kRowZBVoltage =
    "      Напряжение на входе блока грозозащиты: %2.2f [Вольт]";

// The voltage table below the header.
inline constexpr const char* kTableTitle = "            Таблица напряжений в кабеле";
inline constexpr const char* kTableColumns =
    "  N   Адрес                             Напряжение [Вольт]   %";
inline constexpr const char* kTableRowAddress = "%3d.  %-32s  ";
inline constexpr const char* kTableRowVoltage = "%3.2f ";
inline constexpr const char* kTableRowPercent = "               %3.1f";

// Export.
inline constexpr const char* kCsvTitle = "Экспорт данных в CSV файл";
inline constexpr const char* kCsvFilter = "Файл экспорта (*.csv)|*.csv";
inline constexpr const char* kCsvExtension = "csv";
inline constexpr const char* kCsvDone = "Журнал сохранен в виде файла \nдля Microsoft Excel...";
inline constexpr const char* kTextTitle = "Экспорт данных в текстовый файл";
inline constexpr const char* kTextFilter = "Текстовый файл (*.txt)|*.txt";
inline constexpr const char* kTextExtension = "txt";
inline constexpr const char* kTextDone = "Журнал сохранен в виде текстовоко файла...";
inline constexpr const char* kMessageCaption = "Сообщение";
inline constexpr const char* kAskOpen = "Открыть сохраненный файл ?";

// The platform's file error, completed with the file's path.
inline constexpr const char* kCannotCreate = "Cannot create file ";

}  // namespace luch::report_texts
