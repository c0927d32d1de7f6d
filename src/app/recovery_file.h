// The recovery files: the unsaved project written after every change, so that
// a program killed or crashed loses nothing. Each is a project file of its own
// in the data folder, with one more section naming the project's file, the
// time of writing and the supply voltage field as typed. Every running copy
// of the program has one ("Несохраненный проект.bak", "Несохраненный проект
// 2.bak", ...), held through its lock file (LockPathOf) for as long as the
// copy runs; a file whose lock nobody holds is what a killed copy left.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "library/carried_types.h"
#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

inline constexpr int kMaxRecoverySlots = 64;

struct RecoveryInfo {
  std::string project_file_name;  // as the project had it; empty: a new project
  std::chrono::system_clock::time_point written;
  CarriedTypes carried{};  // the types the project carried (carried_types.h)
};

// The recovery file of slot `slot` (1..kMaxRecoverySlots): "Несохраненный
// проект.bak" for 1, "Несохраненный проект <slot>.bak" for the others.
std::filesystem::path RecoveryPath(const std::filesystem::path& data_dir, int slot = 1);

// A recovery file and the lock that makes it one copy's own.
struct RecoverySlot {
  std::filesystem::path path;  // empty: none
  std::unique_ptr<FileLock> lock;
  std::optional<RecoveryInfo> info;  // what a left file says of itself
};

// A slot for this copy: the first whose lock is free and that holds no
// recovery file; an empty path when none is.
RecoverySlot TakeFreeRecoverySlot(const std::filesystem::path& data_dir, FileSystem& files);

// The recovery files that no running copy holds and that hold a project, in
// slot order, each now held by the caller (so that a copy starting meanwhile
// does not offer it too).
std::vector<RecoverySlot> TakeLeftRecoveryFiles(const std::filesystem::path& data_dir,
                                                FileSystem& files);

// Writes the project whole and atomically (the file holds nothing else); false
// when it cannot.
bool WriteRecoveryFile(const std::filesystem::path& path, const ProjectTable& table,
                       const ProjectParameters& params, const RecoveryInfo& info,
                       char decimal_separator, FileSystem& files);

// What a recovery file says of itself; nothing when there is none or it holds
// no project.
std::optional<RecoveryInfo> FindRecoveryFile(const std::filesystem::path& path, FileSystem& files);

// Reads the recovered project as a project file is read, then gives EditU
// back as it was typed. False when it cannot be read.
bool LoadRecoveryFile(const std::filesystem::path& path, ProjectTable& table,
                      ProjectParameters& params, FileSystem& files);

}  // namespace luch
