#include "app/data_folder.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace luch {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(DataFolder, OwnFolderFollowsTheBaseDirectoryRules) {
#ifdef _WIN32
  GTEST_SKIP() << "the base directory rules are the Linux desktop's; Windows keeps the "
                  "program's folder";
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
  fs::create_directories(dir.path() / "share" / "luch" / "examples");
  EXPECT_EQ(InstalledSamples(dir.path() / "bin" / "luch"),
            dir.path() / "share" / "luch" / "examples");
}

TEST(DataFolder, AFolderOfLibrariesIsKeptAndAnyOtherGivesTheOwnFolder) {
  TempDir current;
  const fs::path own = "/home/u/.local/share/luch";
  EXPECT_EQ(ChooseDataFolder(current.path(), "", own), current.path());  // not installed
  EXPECT_EQ(ChooseDataFolder(current.path(), "/usr/share/luch/examples", ""), current.path());
  EXPECT_EQ(ChooseDataFolder(current.path(), "/usr/share/luch/examples", own), own);
  current.Write("Блок.ini", "");
  EXPECT_EQ(ChooseDataFolder(current.path(), "/usr/share/luch/examples", own), current.path());
}

TEST(DataFolder, AnEmptyFolderIsSeededAndAUsedOneIsLeftAlone) {
  TempDir samples;
  samples.Write("Кабель.ini", "samples");
  samples.Write("Дом 5.луч", "project");
  TempDir home;
  const fs::path folder = home.path() / "share" / "luch";
  ASSERT_TRUE(PrepareDataFolder(folder, samples.path()));
  EXPECT_EQ(home.Read("share/luch/Кабель.ini"), "samples");
  EXPECT_EQ(home.Read("share/luch/Дом 5.луч"), "project");

  TempDir used;
  used.Write("Кабель.ini", "mine");
  ASSERT_TRUE(PrepareDataFolder(used.path(), samples.path()));
  EXPECT_EQ(used.Read("Кабель.ini"), "mine");
  EXPECT_FALSE(fs::exists(used / "Дом 5.луч"));

  home.Write("file", "");
  EXPECT_FALSE(PrepareDataFolder(home / "file", samples.path()));
}

}  // namespace
}  // namespace luch
