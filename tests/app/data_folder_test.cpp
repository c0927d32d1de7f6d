#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/profile_file.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(DataFolder, OwnFolderFollowsTheBaseDirectoryRules) {
#ifdef _WIN32
  GTEST_SKIP() << "the base directory rules are the Linux desktop's; Windows has %APPDATA%";
#endif
  EXPECT_EQ(OwnDataFolder("/data", "/home/u"), fs::path("/data/luch"));
  // Unset, empty and relative values fall back to the home folder.
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "data"}) {
    EXPECT_EQ(OwnDataFolder(xdg, "/home/u"), fs::path("/home/u/.local/share/luch"));
  }
  EXPECT_EQ(OwnDataFolder(nullptr, nullptr), fs::path());
  EXPECT_EQ(OwnDataFolder("", "home"), fs::path());
}

TEST(DataFolder, SamplesAreFoundOnlyBesideAnInstalledProgram) {
  TempDir dir;
  EXPECT_EQ(InstalledSamples(dir.path() / "bin" / "luch"), fs::path());
  const fs::path samples = (dir.path() / "bin" / kSamplesBesideProgram).lexically_normal();
  fs::create_directories(samples);
  EXPECT_EQ(InstalledSamples(dir.path() / "bin" / "luch"), samples);
}

TEST(DataFolder, TheFirstFolderOfLibrariesWinsThenTheOwnFolder) {
  struct Case {  // a file in the current and in the program's folder; 0 current, 1 program, 2 own
    const char *current_file, *program_file;
    bool writable;  // whether the folders may be written
    int chosen;
  } const cases[] = {
      {"Блок.ini", "Кабель.ini", true, 0},
      {"Tarvel.ini", "Кабель.ini", true, 1},
      {"Tarvel.ini", "Блок.ini", false, 2},
      {"Блок.ini", "Блок.ini", false, 2},  // a zip under Program Files, started there
      {"Tarvel.ini", "Tarvel.ini", true, 2}};
  for (const Case& c : cases) {
    TempDir current, program;
    current.Write(c.current_file, "");
    program.Write(c.program_file, "");
    const fs::path folders[] = {current.path(), program.path(), "/home/u/.local/share/luch"};
    EXPECT_EQ(ChooseDataFolder(current.path(), program.path(), folders[2],
                               [&c](const fs::path&) { return c.writable; }),
              folders[c.chosen])
        << c.current_file << " " << c.program_file;
  }
}

TEST(DataFolder, TheOwnFolderGetsTheSamplesWhileItHoldsNoLibraryAndKeepsItsFiles) {
  TempDir root;  // <root>/bin/luch, its samples where an installation puts them
  const fs::path samples = (root / "bin" / kSamplesBesideProgram).lexically_normal();
  fs::create_directories(samples);
  std::ofstream(samples / Utf8Path("Блок.ini")) << "samples";
  std::ofstream(samples / Utf8Path("Дом 5.луч")) << "project";
  const fs::path own = root / "home" / "luch";
  const auto open = [&root, &own] {
    return OpenDataFolder(root / "work", root / "bin" / "luch", own);
  };
  EXPECT_EQ(open(), own);
  EXPECT_EQ(root.Read("home/luch/Дом 5.луч"), "project");
  // The first start opens the sample.
  EXPECT_EQ(ProfileFile(own / "Tarvel.ini").ReadString("Main", "FileName", ""), "Дом 5.луч");
  fs::remove(own / Utf8Path("Блок.ini"));  // settings and a project, but no library
  root.Write("home/luch/Дом 5.луч", "mine");
  open();
  EXPECT_EQ(root.Read("home/luch/Блок.ini"), "samples");
  EXPECT_EQ(root.Read("home/luch/Дом 5.луч"), "mine");
  fs::remove(own / Utf8Path("Дом 5.луч"));  // with a library: nothing comes back
  open();
  EXPECT_FALSE(fs::exists(own / Utf8Path("Дом 5.луч")));
}

TEST(DataFolder, AZipWithoutSamplesSeedsTheOwnFolderWithTheLibrariesBesideTheProgram) {
  TempDir root;
  fs::create_directory(root / "zip");
  for (const char* name : {"luch.exe", "Кабель.ini", "Блок.ini", "Дом 5.луч", "Прочтите.txt"}) {
    root.Write(std::string("zip/") + name, name);
  }
  const fs::path own = root / "own";
  ASSERT_EQ(InstalledSamples(root / "zip" / "luch.exe"), root / "zip");
  ASSERT_TRUE(PrepareDataFolder(own, InstalledSamples(root / "zip" / "luch.exe")));
  std::vector<std::string> seeded;
  for (const auto& entry : fs::directory_iterator(own)) {
    seeded.push_back(PathToUtf8(entry.path().filename()));
  }
  std::sort(seeded.begin(), seeded.end());
  EXPECT_EQ(seeded,
            (std::vector<std::string>{"Tarvel.ini", "Блок.ini", "Дом 5.луч", "Кабель.ini"}));
}

}  // namespace
}  // namespace luch
