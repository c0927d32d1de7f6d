// The row clipboard: Copy.ini in the data directory, one profile section per
// copied row ("0", "1", ...), shared by every instance started in that folder.
// Number, ResistanceOhm and VoltageV are not kept; texts come back as they
// went, blanks and enclosing quotes included (QuotedIfNeeded).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/platform.h"
#include "common/profile_file.h"
#include "project/project_table.h"

namespace luch {

inline constexpr const char* kClipboardFileName = "Copy.ini";

// One copied row, as its keys hold it.
struct ClipboardRow {
  std::string address;      // "Адрес"
  std::string cable_name;   // "Кабель"
  int32_t length_m = 0;     // "Длина"
  std::string block_name;   // "Блок"
  std::string regime_name;  // "Режим"
  int32_t power_mw = 0;     // "P"
  bool has_zb = false;      // "ЗБ": "1" or "0"; read as set for any whole number but 0
  double current_ma = 0;    // "I": general real form with the locale separator
  bool operator==(const ClipboardRow&) const = default;
};

std::filesystem::path ClipboardPath(const std::filesystem::path& data_dir);

// The stored fields of row r, read through the typed accessors.
ClipboardRow RowFromTable(const ProjectTable& table, int r);
// Writes the stored fields into row r (CurrentMA as a 32-bit real, "%2.2f").
// ResistanceOhm and VoltageV are left as they are.
void RowToTable(const ClipboardRow& row, ProjectTable& table, int r);
// Only BlockName, RegimeName, PowerMW, HasZB and CurrentMA of row r.
void BlockToTable(const ClipboardRow& row, ProjectTable& table, int r);

// Section `k` of the clipboard file; a missing section or key, or an
// unreadable number, gives its default (empty text, 0, clear flag).
ClipboardRow ReadClipboardRow(const ProfileFile& file, int k);
// Sections "0", "1", ... up to the first missing one.
std::vector<ClipboardRow> ReadClipboardRows(const ProfileFile& file);
// ReadClipboardRows of the file at `path` (none for a file that cannot be
// read); a file as WriteClipboard wrote it (with `decimal_separator`) is read
// without forming a profile file.
std::vector<ClipboardRow> ReadClipboardFile(const std::filesystem::path& path, FileSystem& files,
                                            char decimal_separator);

// Replaces the clipboard file by `rows` alone: sections "0".."n-1", keys in
// their fixed order, and nothing else, whatever the file held before. A file
// that is there but cannot be read (too large, no access) is left as it is.
// On failure shows "Unable to write to <path>" and returns false. A character
// without a Windows-1251 form is written as "?": the caller refuses such texts.
bool WriteClipboard(const std::filesystem::path& data_dir, const std::vector<ClipboardRow>& rows,
                    const Platform& platform);

}  // namespace luch
