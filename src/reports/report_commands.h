// The commands of the report, the voltage table and the export, as the main
// window runs them. They reach the user only through the Platform.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "reports/calculation_report.h"
#include "reports/table_export.h"

namespace luch {

// Writes `lines` to `path` (Windows-1251, CR LF, replacing the file) and
// opens it with the associated program without asking. A file that cannot be
// written shows the error box "Cannot create file <path>", opens nothing and
// returns false.
bool WriteAndOpen(const std::filesystem::path& path, const std::vector<std::string>& lines,
                  const Platform& platform);

// Writes the report to data_dir/"Отчет.txt" (replacing it), dated by the
// platform clock in the locale's writing, then opens it with the associated
// program without asking. A file that cannot be written shows the error box
// "Cannot create file <path>", opens nothing and returns false.
bool mInfoClick(const ProjectTable& table, const ProjectParameters& parameters,
                const CalculationSummary& summary, const Platform& platform,
                const std::filesystem::path& data_dir);

// The same for the voltage table, data_dir/"Таблица напряжения.txt".
bool mTableClick(const ProjectTable& table, const ProjectParameters& parameters,
                 const CalculationSummary& summary, const Platform& platform,
                 const std::filesystem::path& data_dir);

// Asks for a file name (the save dialog starts beside the project: see
// StartBesideProject), writes the export there and confirms it with the
// file's full path; when the platform names an associated program asks
// whether to open the file (caption: that program) and opens it on Yes, and
// when it names none offers to show the file's folder (OfferFolder).
// Returns true when the file was written; false on Cancel (nothing shown) or
// on a write failure (the error box "Cannot create file <path>", nothing else).
bool ExportTable(const ProjectTable& table, ExportFormat format, const Platform& platform,
                 std::string_view project_path);

}  // namespace luch
