// The project file "*.луч": a profile file with section "Луч" (block count and
// project parameters) and one section per row, "Блок" followed by its number.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/profile_file.h"
#include "library/carried_types.h"
#include "project/project_parameters.h"
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
// With `carried`, the file's carried types are replaced by those
// (carried_types.h); without, they stay as they are.
bool SaveProjectFile(const std::filesystem::path& path, const ProjectTable& table,
                     const ProjectParameters& params, char decimal_separator,
                     FileSystem& files = RealFileSystem(), const CarriedTypes* carried = nullptr);

// The keys that SaveProjectFile writes, written into `file` (which keeps its
// other sections and keys).
void WriteProjectKeys(ProfileFile& file, const ProjectTable& table, const ProjectParameters& params,
                      char decimal_separator);

// What LoadProjectFile found at the path.
enum class ProjectLoad {
  kLoaded,       // the project is in the table
  kMissing,      // nothing there (or it vanished): nothing changed
  kUnreadable,   // a file that cannot be read (too large, no access): nothing changed
  kNotAProject,  // a file with neither section "Луч" nor "Блок1": nothing changed
  kNotAFile,     // a folder, a pipe or a device: never read, nothing changed
};

struct ProjectLoadResult {
  ProjectLoad outcome = ProjectLoad::kMissing;
  // The block count that the file gives ("Блоков", default 1). Above
  // kMaxBlockCount only the first kMaxBlockCount rows are in the table.
  int32_t stored_count = 0;
  // The library types the file carries (carried_types.h).
  CarriedTypes carried{};

  explicit operator bool() const { return outcome == ProjectLoad::kLoaded; }
  bool cut() const { return outcome == ProjectLoad::kLoaded && stored_count > kMaxBlockCount; }
};

// Reads the project from the file at `path` (Windows-1251, or UTF-8 as
// IsUtf8File tells). Changes nothing unless it is a project file: one with a
// section "Луч" or "Блок1" holding a key. Then sets the block count
// ("Блоков", default 1, kept inside 1..4096), EditU ("%2.2f" of "Напряжение",
// default 28), the five parameters (defaults 40, 0.05, 1000, 0, 0; rounded to
// 32 bits, a value beyond the 32-bit range kept at the largest one) and the
// stored fields of rows 1..count (a missing section or key gives empty texts,
// 0 and false). Reals are read with "," or "." as separator; unreadable
// values take their defaults. ResistanceOhm, CurrentMA and VoltageV stay;
// sections above the count are ignored.
ProjectLoadResult LoadProjectFile(const std::filesystem::path& path, ProjectTable& table,
                                  ProjectParameters& params, FileSystem& files = RealFileSystem());

// The messages of a load that the main window shows, with this caption.
namespace project_texts {
inline constexpr const char* kMessageCaption = "Сообщение";
// "Файл <path> не является проектом луча." (the path as the user gave it).
std::string NotAProject(std::string_view utf8_path);
// "Блоков в проекте: 5000; открыты первые 4096." (no plural to agree with N)
std::string FirstBlocksOnly(int32_t stored_count);
}  // namespace project_texts

// Why rows top..bottom cannot go into a file: the message that typing gets
// for the characters Windows-1251 lacks in their texts (address, cable, block,
// regime), and a line naming those rows ("Строки: 3, 7", the first ten, then
// "и ещё N"); empty when every text fits.
std::string UnsavableRowsMessage(const ProjectTable& table, int top, int bottom);

}  // namespace luch
