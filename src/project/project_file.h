// The project file "*.луч": a profile file with section "Луч" (block count and
// project parameters) and one section per row, "Блок" followed by its number.
#pragma once

#include <filesystem>

#include "calc/project_parameters.h"
#include "common/file_system.h"
#include "common/profile_file.h"
#include "project/project_table.h"

namespace luch {

// Writes the project into the profile file at `path`: the seven keys of "Луч"
// (the supply voltage as the leading number of EditU, the five parameters as
// their 32-bit values widened to 64 bits, reals with `decimal_separator`),
// then the seven keys of Блок1..БлокN, each through the typed accessors. Other
// sections and keys already in the file stay (a longer earlier project's rows
// remain). A text with blanks at its ends is written in quotes so that it
// reads back unchanged. The file is written whole and atomically: returns
// false, leaving the file byte for byte as it was, when it cannot be written
// or when an existing file cannot be read (its other sections would be lost).
bool SaveProjectFile(const std::filesystem::path& path, const ProjectTable& table,
                     const ProjectParameters& params, char decimal_separator,
                     FileSystem& files = RealFileSystem());

// The keys that SaveProjectFile writes, written into `file` (which keeps its
// other sections and keys).
void WriteProjectKeys(ProfileFile& file, const ProjectTable& table, const ProjectParameters& params,
                      char decimal_separator);

// Reads the project from the file at `path`. Returns false and changes nothing
// when no file is there or it cannot be read. Otherwise sets the block count
// ("Блоков", default 1, taken as a 16-bit signed number, kept inside 1..4096),
// EditU ("%2.2f" of "Напряжение", default 28), the five parameters (defaults
// 40, 0.05, 1000, 0, 0; rounded to 32 bits, a value beyond the 32-bit range
// kept at the largest one) and the stored fields of rows 1..count (a missing
// section or key gives empty texts, 0 and false). Reals are read with "," or
// "." as separator; unreadable values take their defaults. ResistanceOhm,
// CurrentMA and VoltageV stay; sections above the count are ignored.
bool LoadProjectFile(const std::filesystem::path& path, ProjectTable& table,
                     ProjectParameters& params, FileSystem& files = RealFileSystem());

}  // namespace luch
