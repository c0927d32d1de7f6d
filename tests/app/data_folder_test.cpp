#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "common/file_io.h"
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
  fs::create_directories(dir.path() / "share" / "luch" / "examples");
  EXPECT_EQ(InstalledSamples(dir.path() / "bin" / "luch"),
            dir.path() / "share" / "luch" / "examples");
}

TEST(DataFolder, TheFirstFolderOfLibrariesWinsThenTheOwnFolder) {
  struct Case {
    const char* name;
    const char* current_file;  // written into the current folder, when set
    const char* program_file;  // into the program's folder
    bool program_writable;
    const char* chosen;  // "current", "program" or "own"
  };
  const Case cases[] = {
      {"current holds a library", "Блок.ini", "Кабель.ini", true, "current"},
      {"only the program's folder, writable", "Tarvel.ini", "Кабель.ini", true, "program"},
      {"the program's folder may not be written", nullptr, "Блок.ini", false, "own"},
      {"neither holds one", nullptr, "Tarvel.ini", true, "own"},
  };
  for (const Case& c : cases) {
    TempDir current, program;
    const fs::path own = "/home/u/.local/share/luch";
    if (c.current_file) current.Write(c.current_file, "");
    if (c.program_file) program.Write(c.program_file, "");
    const auto writable = [&c](const fs::path&) { return c.program_writable; };
    const std::map<std::string, fs::path> folders = {
        {"current", current.path()}, {"program", program.path()}, {"own", own}};
    EXPECT_EQ(ChooseDataFolder(current.path(), program.path(), own, writable), folders.at(c.chosen))
        << c.name;
  }
  TempDir current;  // no own folder known: the current one
  EXPECT_EQ(ChooseDataFolder(current.path(), "", "", FolderIsWritable), current.path());
}

TEST(DataFolder, WritableMeansAFileCanBeCreatedThere) {
  TempDir dir;
  EXPECT_TRUE(FolderIsWritable(dir.path()));
  EXPECT_TRUE(fs::is_empty(dir.path()));  // the trial file is gone
  EXPECT_FALSE(FolderIsWritable(dir / "missing"));
}

TEST(DataFolder, TheOwnFolderIsSeededWhileItHoldsNoLibrary) {
  TempDir samples;
  samples.Write("Кабель.ini", "samples");
  samples.Write("Дом 5.луч", "project");
  TempDir home;
  const fs::path folder = home.path() / "share" / "luch";
  ASSERT_TRUE(PrepareDataFolder(folder, samples.path()));
  EXPECT_EQ(home.Read("share/luch/Кабель.ini"), "samples");
  EXPECT_EQ(home.Read("share/luch/Дом 5.луч"), "project");

  // Settings alone (a run before the program was installed) are no library.
  TempDir settings_only;
  settings_only.Write("Tarvel.ini", "mine");
  settings_only.Write("Дом 5.луч", "mine");
  ASSERT_TRUE(PrepareDataFolder(settings_only.path(), samples.path()));
  EXPECT_EQ(settings_only.Read("Кабель.ini"), "samples");
  EXPECT_EQ(settings_only.Read("Дом 5.луч"), "mine");

  TempDir used;
  used.Write("Блок.ini", "mine");
  ASSERT_TRUE(PrepareDataFolder(used.path(), samples.path()));
  EXPECT_FALSE(fs::exists(used / "Кабель.ini"));

  home.Write("file", "");
  EXPECT_FALSE(PrepareDataFolder(home / "file", samples.path()));
}

TEST(DataFolder, AnInstalledProgramStartedElsewhereOpensItsSeededOwnFolder) {
  TempDir root;  // <root>/bin/luch with its samples where an installation puts them
  const fs::path samples = (root / "bin" / kSamplesBesideProgram).lexically_normal();
  fs::create_directories(samples);
  std::ofstream(samples / Utf8Path("Блок.ini")) << "samples";
  const fs::path own = root / "home" / "luch";
  EXPECT_EQ(OpenDataFolder(root / "work", root / "bin" / "luch", own), own);
  EXPECT_EQ(root.Read("home/luch/Блок.ini"), "samples");
  // An own folder that cannot be made gives none.
  root.Write("blocked", "");
  EXPECT_EQ(OpenDataFolder(root / "work", root / "bin" / "luch", root / "blocked" / "luch"),
            fs::path());
}

}  // namespace
}  // namespace luch
