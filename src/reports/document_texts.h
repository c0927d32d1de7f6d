// The Russian texts of the bill of quantities and of the PDF document, in one
// place. Blanks inside and at the ends of the texts are part of the layouts.
#pragma once

namespace luch::document_texts {

// The bill of quantities, written into the data directory.
inline constexpr const char* kQuantitiesFileName = "Спецификация.txt";
inline constexpr const char* kQuantitiesTitle = "            Спецификация луча";
inline constexpr const char* kColumnPosition = "N";
inline constexpr const char* kColumnName = "Наименование";
inline constexpr const char* kColumnUnit = "Ед.";
inline constexpr const char* kColumnAmount = "Кол-во";
inline constexpr const char* kCablesHeading = "Кабель";
inline constexpr const char* kBlocksHeading = "Блоки";
inline constexpr const char* kCablesTotal = "Итого кабеля";
inline constexpr const char* kBlocksTotal = "Итого блоков";
inline constexpr const char* kZBBlocks = "Блоки грозозащиты (ЗБ)";
inline constexpr const char* kRegime = "  режим «%s»";
inline constexpr const char* kMetres = "м";
inline constexpr const char* kPieces = "шт.";
inline constexpr const char* kNoCable = "(кабель не указан)";
inline constexpr const char* kNoBlock = "(блок не указан)";
inline constexpr const char* kNoRegime = "(режим не указан)";
inline constexpr const char* kUnknownMark = " *";
inline constexpr const char* kUnknownNote = "* нет в библиотеке";

// The PDF document.
inline constexpr const char* kCaption = "Расчет луча ТЕРН-12 по постоянному току";
inline constexpr const char* kPdfTitle = "Сохранить отчет в PDF";
inline constexpr const char* kPdfFilter = "PDF (*.pdf)|*.pdf";
inline constexpr const char* kPdfExtension = "pdf";
inline constexpr const char* kPdfWritten = "Отчет в PDF записан в файл";
inline constexpr const char* kMessageCaption = "Сообщение";
inline constexpr const char* kProject = "Проект: ";
inline constexpr const char* kNewProject = "Новый проект";
inline constexpr const char* kDate = "Дата и время: ";
inline constexpr const char* kInputsHeading = "Исходные данные";
inline constexpr const char* kSupply = "Напряжение КМУ (Вольт)";
inline constexpr const char* kNoCheck = " (не проверяется)";
inline constexpr const char* kResultsHeading = "Итоги расчета";
inline constexpr const char* kTableHeading = "Таблица луча";
inline constexpr const char* kProblemsHeading = "Проверка";
inline constexpr const char* kNoProblems = "Проблем не найдено.";
inline constexpr const char* kChartHeading = "График напряжения";
inline constexpr const char* kQuantitiesHeading = "Спецификация";
inline constexpr const char* kPage = "Страница %d";

}  // namespace luch::document_texts
