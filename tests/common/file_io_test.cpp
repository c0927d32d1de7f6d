#include "common/file_io.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "common/cp1251.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

// The names in a folder, as UTF-8.
std::set<std::string> NamesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(PathToUtf8(entry.path().filename()));
  }
  return names;
}

TEST(FileIo, CyrillicFolderAndFileNamesReachTheDiskUnchanged) {
  TempDir dir;
  const std::filesystem::path folder = dir / "Проекты Луч";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::filesystem::path file = folder / Utf8Path("Дом 5.луч");
  ASSERT_TRUE(WriteTextLines(file, {"[Луч]", "Адрес1=Щитовая, подвал", "ё№"}));

  EXPECT_EQ(NamesIn(dir.path()), std::set<std::string>{"Проекты Луч"});
  EXPECT_EQ(NamesIn(folder), std::set<std::string>{"Дом 5.луч"});
  EXPECT_TRUE(FileExists(file));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(file, bytes));
  EXPECT_EQ(bytes, Utf8ToCp1251("[Луч]\r\nАдрес1=Щитовая, подвал\r\nё№\r\n"));
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(file, lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"[Луч]", "Адрес1=Щитовая, подвал", "ё№"}));

  EXPECT_TRUE(RemoveFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(RemoveFile(file));  // nothing left is success
}

TEST(FileIo, AUtf8TextFileIsReadAsUtf8) {
  TempDir dir;
  dir.Write("Замена блоков.ini", "ДИП>ДИП-34\r\n");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir / "Замена блоков.ini", lines));
  EXPECT_EQ(lines, std::vector<std::string>{"ДИП>ДИП-34"});
}

TEST(FileIo, ReplacingAFileLeavesOnlyItsNewContent) {
  TempDir dir;
  const std::filesystem::path file = dir / "Кабель.ini";
  ASSERT_TRUE(WriteFileAtomic(file, "old content, longer than the new one"));
  ASSERT_TRUE(WriteFileAtomic(file, "new"));
  EXPECT_EQ(dir.Read("Кабель.ini"), "new");
  ASSERT_TRUE(WriteFileAtomic(file, ""));
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(dir.Read("Кабель.ini"), "");
  EXPECT_EQ(NamesIn(dir.path()), std::set<std::string>{"Кабель.ini"});  // no temporary left
}

TEST(FileIo, FailuresAreReportedAndTouchNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Блок.ini");
  EXPECT_FALSE(WriteFileAtomic(dir / "Блок.ini", "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Блок.ini"));
  EXPECT_FALSE(WriteFileAtomic(dir / "нет папки" / Utf8Path("f.ini"), "x"));
  EXPECT_EQ(NamesIn(dir.path()), std::set<std::string>{"Блок.ini"});

  std::string bytes = "stale";
  EXPECT_FALSE(ReadFileBytes(dir / "Блок.ini", bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_FALSE(ReadFileBytes(dir / "нет.ini", bytes));
  std::vector<std::string> lines{"stale"};
  EXPECT_FALSE(ReadTextLines(dir / "нет.ini", lines));
  EXPECT_TRUE(lines.empty());
}

TEST(FileIo, PathsAndNamesFromUtf8) {
  EXPECT_EQ(PathToUtf8(Utf8Path("Проекты Луч/Дом 5.луч")), "Проекты Луч/Дом 5.луч");
  EXPECT_EQ(FileNameOf("C:\\Проекты\\Дом 5.луч"), "Дом 5.луч");
  EXPECT_EQ(FileNameOf("/home/Проекты/Дом 5.луч"), "Дом 5.луч");
  EXPECT_EQ(FileNameOf("Дом 5.луч"), "Дом 5.луч");
#ifdef _WIN32
  EXPECT_EQ(PathToUtf8(Utf8Path("C:\\Проекты\\Дом 5.луч").filename()), "Дом 5.луч");
#endif
}

#ifdef _WIN32
// Another program holding the file open without sharing its deletion (as the
// C library's fopen does) keeps it from being replaced: the write fails, the
// file keeps its content and no temporary is left beside it.
TEST(FileIo, AFileHeldOpenElsewhereIsNotReplacedAndTheFailureIsReported) {
  TempDir dir;
  const std::filesystem::path file = dir / "Дом 5.луч";
  ASSERT_TRUE(WriteFileAtomic(file, "old"));
  {
    std::ifstream held(file, std::ios::binary);
    ASSERT_TRUE(held.is_open());
    EXPECT_FALSE(WriteFileAtomic(file, "new"));
  }
  EXPECT_EQ(dir.Read("Дом 5.луч"), "old");
  EXPECT_EQ(NamesIn(dir.path()), std::set<std::string>{"Дом 5.луч"});
  EXPECT_TRUE(WriteFileAtomic(file, "new"));
  EXPECT_EQ(dir.Read("Дом 5.луч"), "new");
}
#endif

}  // namespace
}  // namespace luch
