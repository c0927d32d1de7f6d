// The project file "*.луч": a profile file with section "Луч" (block count and
// project parameters) and one section per row, "Блок" followed by its number.
#pragma once

#include <filesystem>

#include "calc/project_parameters.h"
#include "project/project_table.h"

namespace luch {

// Writes the project into the profile file at `path`: the seven keys of "Луч",
// then the seven keys of Блок1..БлокN, each through the typed accessors. Other
// sections and keys already in the file stay (a longer earlier project's rows
// remain). The file is written whole and atomically: returns false, leaving
// the file as it was, when it cannot be written.
bool SaveProjectFile(const std::filesystem::path& path, const ProjectTable& table,
                     const ProjectParameters& params, char decimal_separator);

// Reads the project from the file at `path`. Returns false and changes nothing
// when no file is there. Otherwise sets the block count ("Блоков" taken as a
// 16-bit number, clamped to 1..4096), EditU ("%2.2f" of "Напряжение"), the
// five parameters (rounded to 32 bits) and the stored fields of every row,
// with the documented defaults; ResistanceOhm, CurrentMA and VoltageV stay.
bool LoadProjectFile(const std::filesystem::path& path, ProjectTable& table,
                     ProjectParameters& params);

}  // namespace luch
