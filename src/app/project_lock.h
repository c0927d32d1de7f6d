// Who has a project open for editing: the copy of the program that holds the
// project's lock file (LockPathOf, ".~Дом 5.луч.lock" beside it). The file
// names the user, the computer and the time, for a copy that finds it held;
// a copy that was killed holds nothing (the system frees its lock).
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/platform.h"

namespace luch {

struct LockHolder {
  std::string user;
  std::string computer;
  std::chrono::system_clock::time_point since;
};

// This process's user and computer, opening now.
LockHolder ThisHolder(std::chrono::system_clock::time_point now);

// The lock file's text (a profile file, Windows-1251).
std::string LockHolderText(const LockHolder& holder);

// What the lock file at `lock_path` says; nothing when it is missing or
// names nobody.
std::optional<LockHolder> ReadLockHolder(const std::filesystem::path& lock_path, FileSystem& files);

// "пользователь ivanov, компьютер PC-12, с 09.12.2026 19:40:12", or "" for
// nobody known.
std::string HolderDescription(const std::optional<LockHolder>& holder, const Locale& locale);

}  // namespace luch
