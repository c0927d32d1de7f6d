// Whole-file reading and crash-safe whole-file writing. Paths are built from
// UTF-8 so that Кабель.ini works on every platform.
#pragma once

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

// Reads the whole file. Returns false (and leaves `bytes` empty) when the file
// is missing, is not a regular file or cannot be read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// Writes `bytes` to a temporary file in the same folder and renames it over
// `path`, so that a failure or a crash never leaves a half-written file: the
// file holds either its old or its new content. Returns false on failure.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Text files of the program: UTF-8 lines written as Windows-1251 with CR LF
// after every line.
bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Reads a Windows-1251 text file as UTF-8 lines (CR LF, LF or CR ends a line;
// a last line without an end counts). Returns false when it cannot be read.
bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines);

// Test hook: while set, every WriteFileAtomic fails before touching the disk,
// as on a full disk.
void SetWriteFailureForTesting(bool fail);

}  // namespace luch
