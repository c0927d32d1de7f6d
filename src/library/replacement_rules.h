// Замена блоков.ini: the remembered block replacement rules. Despite its name
// a plain Windows-1251 text file, one rule per line: old name, ">", new name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_system.h"

namespace luch {

inline constexpr const char* kReplacementFileName = "Замена блоков.ini";

// Appends the line old + ">" + new to the file in `data_dir` (created when
// missing). Returns false, changing nothing, when the file cannot be written
// or is there but cannot be read.
bool AppendReplacementRule(const std::filesystem::path& data_dir, std::string_view old_name,
                           std::string_view new_name, FileSystem& files = RealFileSystem());

}  // namespace luch
