// Whole-file reading and crash-safe whole-file writing. Paths are built from
// UTF-8 so that Кабель.ini works on every platform.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace luch {

// A path from a UTF-8 text, and back.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The file name of a path without its folder, as UTF-8 ("Дом 5.луч").
std::string FileNameOf(std::string_view utf8_path);

bool FileExists(const std::filesystem::path& path);  // a regular file is there
bool RemoveFile(const std::filesystem::path& path);   // true when none is left

// The largest file the program reads, and the most lines it takes from one
// file: far above the largest file it writes itself (a 4096-row project or a
// full block library take about 2 MB and 100 000 lines), low enough that any
// file opens or is refused within a second or two and a few hundred MB.
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{16} << 20;  // 16 MiB
inline constexpr size_t kMaxFileLines = size_t{1} << 20;                     // 1 048 576

// Reads the whole file. Returns false (and leaves `bytes` empty) when the file
// is missing, is not a regular file, is larger than kMaxFileBytes or cannot be
// read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// The number of lines of a text as the readers split it: CR LF, LF or CR ends
// a line; a last line without an end counts.
size_t CountLines(std::string_view bytes);

// Writes `bytes` to a temporary file in the same folder ("<name>.tmp<digits>")
// and renames it over `path`, so that a failure or a crash never leaves a
// half-written file: the file holds either its old or its new content. Returns
// false on failure (no folder, a folder at `path`, a full disk, no rights).
// After a successful write, temporary files of `path` that a crash left
// behind are removed once they are kStaleTemporaryAge old (a younger one may
// belong to a write of another instance in progress). In a folder where the
// user may not create a file, an existing file that he may write is written
// in place instead (truncated, written, synced): not crash-safe, but the
// only way to save it there.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};

// Text files of the program: UTF-8 lines written as Windows-1251 with CR LF
// after every line.
bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Reads a Windows-1251 text file as UTF-8 lines (CR LF, LF or CR ends a line;
// a last line without an end counts). Returns false when it cannot be read or
// holds more than kMaxFileLines lines.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines);

// Test hook: while set, every WriteFileAtomic fails before touching the disk,
// as on a full disk.
void SetWriteFailureForTesting(bool fail);

}  // namespace luch
