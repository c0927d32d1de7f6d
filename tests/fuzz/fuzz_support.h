// Shared pieces of the fuzz targets: a private data folder for the process,
// the split of one input into several files, and a check that aborts (so that
// libFuzzer keeps the input) when a property of the code does not hold.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251.h"

namespace luch::fuzz {

// A fresh folder for this process (luch-fuzz-PID in /dev/shm or the temporary
// folder), removed by the next fuzz process that starts after this one ended.
const std::filesystem::path& DataDir();

// Writes `bytes` as the file `utf8_name` of DataDir() and returns its path.
std::filesystem::path PutFile(std::string_view utf8_name, std::string_view bytes);

// Removes the file `utf8_name` of DataDir() when it is there.
void DropFile(std::string_view utf8_name);

// The parts of an input separated by the line "#--next-file--#" (at most
// `max_parts`; the last part takes the rest). An input without the separator
// is one part.
std::vector<std::string_view> SplitParts(std::string_view input, size_t max_parts);
inline constexpr std::string_view kPartSeparator = "\n#--next-file--#\n";

// The bytes of a file of the repository's examples/ (read once).
const std::string& ExampleFile(std::string_view utf8_name);

// Whether a text read from a file comes back unchanged once written: every
// character has a Windows-1251 form (a UTF-8 file may hold others, which are
// written as "?").
inline bool SurvivesCp1251(std::string_view utf8) {
  return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8;
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", what, file, line);
  std::abort();
}

}  // namespace luch::fuzz

#define LUCH_FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::luch::fuzz::Fail(#condition, __FILE__, __LINE__))
