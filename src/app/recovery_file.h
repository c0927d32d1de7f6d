// The recovery file: the unsaved project written after every change, so that
// a program killed or crashed loses nothing. A project file of its own in the
// data folder, with one more section naming the project's file, the time of
// writing and the supply voltage field as typed.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "calc/project_parameters.h"
#include "common/file_system.h"
#include "library/carried_types.h"
#include "project/project_table.h"

namespace luch {

inline constexpr const char* kRecoveryFileName = "Несохраненный проект.bak";

struct RecoveryInfo {
  std::string project_file_name;  // as the project had it; empty: a new project
  std::chrono::system_clock::time_point written;
  CarriedTypes carried{};  // the types the project carried (carried_types.h)
};

std::filesystem::path RecoveryPath(const std::filesystem::path& data_dir);

// Writes the project whole and atomically (the file holds nothing else); false
// when it cannot.
bool WriteRecoveryFile(const std::filesystem::path& data_dir, const ProjectTable& table,
                       const ProjectParameters& params, const RecoveryInfo& info,
                       char decimal_separator, FileSystem& files);

// What a recovery file left in `data_dir` says of itself; nothing when there
// is none or it holds no project.
std::optional<RecoveryInfo> FindRecoveryFile(const std::filesystem::path& data_dir,
                                             FileSystem& files);

// Reads the recovered project as a project file is read, then gives EditU
// back as it was typed. False when it cannot be read.
bool LoadRecoveryFile(const std::filesystem::path& data_dir, ProjectTable& table,
                      ProjectParameters& params, FileSystem& files);

}  // namespace luch
