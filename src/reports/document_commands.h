// The commands of the bill of quantities and of the PDF document, as the main
// window runs them. They reach the user only through the Platform.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "project/project_table.h"
#include "reports/design_document.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

// Writes the bill of quantities to data_dir/"Спецификация.txt" (replacing it),
// dated by the platform clock in the locale's writing, then opens it as the
// report is opened (WriteAndOpen). `project_file` is the project's path, empty
// for one never saved. False when the file could not be written (error box).
bool mQuantitiesClick(const ProjectTable& table, const CableLibrary& cables,
                      const BlockLibrary& blocks, std::string_view project_file,
                      const Platform& platform, const std::filesystem::path& data_dir);

// Draws a document as the bytes of a PDF file; empty bytes when it cannot.
using PdfRenderer = std::function<std::string(const DesignDocument&)>;

// "Отчет в PDF...": asks for a file name (save dialog "Сохранить отчет в PDF",
// filter "PDF (*.pdf)", starting beside the project: StartBesideProject);
// Cancel does nothing. Otherwise writes what `render` makes of `document`
// there, whole, and opens it with the associated program, or, where there is
// none, says where it was written ("Отчет в PDF записан в файл\n<path>") and
// offers to show its folder. Returns true when written; on a failure shows
// "Cannot create file <path>" and opens nothing.
bool mPdfClick(const DesignDocument& document, const PdfRenderer& render, const Platform& platform,
               std::string_view project_path);

}  // namespace luch
