// A save killed at any moment leaves the project file whole: either its old
// or its new content, never a mixture or a truncated file. POSIX only (fork,
// SIGKILL).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/file_io.h"
#include "project/project_file.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

// A project of `rows` rows whose texts carry `tag`, so two projects differ in
// every section and in length.
void MakeProject(ProjectTable& table, ProjectParameters& params, int rows, const std::string& tag) {
  table.SetBlockCount(rows);
  params.SetNewProjectValues();
  params.EditU = tag == "A" ? "28.00" : "24.00";
  for (int r = 1; r <= rows; ++r) {
    table.SetAddress(r, "Подъезд " + std::to_string(r) + ", " + tag + std::string(r % 7, '*'));
    table.SetCableName(r, "КСПВ 2х0,8 " + tag);
    table.SetLengthM(r, r * (tag == "A" ? 3 : 5));
    table.SetBlockName(r, "Изолятор короткого замыкания " + tag);
    table.SetRegimeName(r, "Нормальный");
    table.SetPowerMW(r, 60);
    table.SetHasZB(r, r % 2 == 0);
  }
}

// Names in `folder` that start with `prefix`.
std::vector<std::filesystem::path> FilesStartingWith(const std::filesystem::path& folder,
                                                     const std::string& prefix) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (PathToUtf8(entry.path().filename()).starts_with(prefix)) found.push_back(entry.path());
  }
  return found;
}

TEST(CrashSafeSave, AKilledSaveLeavesOneOfTheTwoWholeProjects) {
  TempDir dir;
  const std::filesystem::path path = dir / "Дом 5.луч";
  ProjectTable a, b;
  ProjectParameters pa, pb;
  MakeProject(a, pa, 400, "A");
  MakeProject(b, pb, 400, "B");
  // Saving one project over the other keeps no section of the other: the
  // file alternates between exactly these two byte strings.
  ASSERT_TRUE(SaveProjectFile(path, a, pa, ','));
  const std::string bytes_a = dir.Read("Дом 5.луч");
  ASSERT_TRUE(SaveProjectFile(path, b, pb, ','));
  const std::string bytes_b = dir.Read("Дом 5.луч");
  ASSERT_TRUE(SaveProjectFile(path, a, pa, ','));
  ASSERT_EQ(dir.Read("Дом 5.луч"), bytes_a);
  ASSERT_NE(bytes_a.size(), bytes_b.size());

  std::mt19937 random(20261208);
  constexpr int kKills = 50;
  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int k = 0;; ++k) {
        SaveProjectFile(path, k % 2 ? a : b, k % 2 ? pa : pb, ',');
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 30000));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    const std::string on_disk = dir.Read("Дом 5.луч");
    ASSERT_TRUE(on_disk == bytes_a || on_disk == bytes_b)
        << "after kill " << kill << " the file holds " << on_disk.size() << " bytes";
  }

  // Each kill leaves at most the one temporary file of the write it broke.
  const auto litter = FilesStartingWith(dir.path(), "Дом 5.луч.tmp");
  EXPECT_LE(litter.size(), static_cast<size_t>(kKills));
  std::cout << "[ note     ] " << litter.size() << " of " << kKills
            << " kills broke a write in progress\n";

  // Once they are old, the next save clears them away.
  const auto long_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
  for (const auto& file : litter) std::filesystem::last_write_time(file, long_ago);
  ASSERT_TRUE(SaveProjectFile(path, a, pa, ','));
  EXPECT_TRUE(FilesStartingWith(dir.path(), "Дом 5.луч.tmp").empty());
  EXPECT_EQ(dir.Read("Дом 5.луч"), bytes_a);
}

TEST(CrashSafeSave, WhatKilledWritesLeftGoesButNotWhatAWriteHoldsOpen) {
  TempDir dir;
  for (const char* name : {"Кабель.ini.tmp12345", "Кабель.ini.tmp7", "Кабель.ini.tmpx1",
                           "Кабель.ini.tmp", "Блок.ini.tmp99", "заметки.tmp5"}) {
    dir.Write(name, "left by a killed write");
  }
  std::filesystem::create_directory(dir / "Кабель.ini.tmp42");
  // Another copy's write of the same file, in progress.
  FileSystem::OpenFailure failure{};
  const std::unique_ptr<WritableFile> in_progress =
      RealFileSystem().OpenForWriting(dir / "Кабель.ini.tmp555", /*create=*/true, failure);
  ASSERT_TRUE(in_progress && in_progress->Write("being written"));

  const auto left = [&dir] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      names.push_back(PathToUtf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  ASSERT_TRUE(WriteFileAtomic(dir / "Кабель.ini", "[Кабель1]\r\n"));
  EXPECT_EQ(left(), (std::vector<std::string>{"Блок.ini.tmp99", "Кабель.ini", "Кабель.ini.tmp",
                                              "Кабель.ini.tmp42", "Кабель.ini.tmp555",
                                              "Кабель.ini.tmpx1", "заметки.tmp5"}));
  // At start-up: every file of the program's kinds in the data folder.
  RealFileSystem().RemoveLeftTemporaries(dir.path());
  EXPECT_EQ(left(),
            (std::vector<std::string>{"Кабель.ini", "Кабель.ini.tmp", "Кабель.ini.tmp42",
                                      "Кабель.ini.tmp555", "Кабель.ini.tmpx1", "заметки.tmp5"}));
  EXPECT_EQ(dir.Read("Кабель.ini.tmp555"), "being written");
}

}  // namespace
}  // namespace luch

#endif  // _WIN32
