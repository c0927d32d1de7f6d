// Paths from UTF-8 (so that Кабель.ini works on every platform), and the file
// functions of the program over a FileSystem (file_system.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace luch {

// A path from a UTF-8 text, and back.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// The file name of a path without its folder, as UTF-8 ("Дом 5.луч").
std::string FileNameOf(std::string_view utf8_path);

// The lock file beside `path` that tells other copies of the program that
// one of them has it: ".~<name>.lock" (".~Дом 5.луч.lock"), hidden.
std::filesystem::path LockPathOf(const std::filesystem::path& path);

// The file functions below work on `files`, the computer's own by default.
bool FileExists(const std::filesystem::path& path, FileSystem& files = RealFileSystem());
// True when no file is left at `path`.
bool RemoveFile(const std::filesystem::path& path, FileSystem& files = RealFileSystem());

// The largest file the program reads, and the most lines it takes from one
// file: far above the largest file it writes itself (a 4096-row project or a
// full block library take about 2 MB and 100 000 lines), low enough that any
// file opens or is refused within a second or two and a few hundred MB.
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{16} << 20;  // 16 MiB
inline constexpr size_t kMaxFileLines = size_t{1} << 20;                   // 1 048 576

// Reads the whole file. Returns false (and leaves `bytes` empty) when the file
// is missing, is not a regular file, is larger than kMaxFileBytes or cannot be
// read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes,
                   FileSystem& files = RealFileSystem());

// The number of lines of a text as the readers split it: CR LF, LF or CR ends
// a line; a last line without an end counts.
size_t CountLines(std::string_view bytes);

// WriteFileAtomic (file_system.h) on the computer's own files.
inline bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  return WriteFileAtomic(RealFileSystem(), path, bytes);
}

// Text files of the program: UTF-8 lines written as Windows-1251 with CR LF
// after every line, atomically. False, writing nothing, when a line holds a
// character that Windows-1251 lacks (LastWriteNote names it).
bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    FileSystem& files = RealFileSystem());

// Reads a Windows-1251 text file as UTF-8 lines (CR LF, LF or CR ends a line;
// a last line without an end counts); a UTF-8 file (IsUtf8File) is read as
// UTF-8. Returns false when it cannot be read or
// holds more than kMaxFileLines lines.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines,
                   FileSystem& files = RealFileSystem());

}  // namespace luch
