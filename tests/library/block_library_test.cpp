#include "library/block_library.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/cp1251.h"
#include "support/fake_files.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

// Writes Блок.ini from UTF-8 lines joined by "\n", as Windows-1251 with CR LF.
void WriteBlocks(const TempDir& dir, std::string_view text) {
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  dir.Write(kBlockFileName, Utf8ToCp1251(crlf));
}

constexpr const char* kTwoTypes =
    "[Блок0]\n"
    "Название=Расширитель\n"
    "Режим1=Нормальный\nP1=60\nI1=0\n"
    "Режим2=Тревога\nP2=0\nI2=12,5\n"
    "Umin=9,5\n"
    "\n"
    "[Блок1]\n"
    "Название=Оповещатель\n"
    "Режим1=Нормальный\nI1=0.5\n"
    "Режим2=Включен\nP2=abc\nI2=25\n";

TEST(BlockLibrary, MissingFileGivesEveryDefault) {
  TempDir dir;
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockNameAt(0), "");
  EXPECT_EQ(library.BlockIndexByName(""), -1);
  EXPECT_EQ(library.RegimeNameAt(0, 1), "");
  EXPECT_EQ(library.RegimePowerAt(0, 1), 100);
  EXPECT_EQ(library.RegimeCurrentAt(0, 1), 0.0);
  EXPECT_EQ(library.BlockUmin(0), 8.0);
  EXPECT_EQ(library.RegimePowerByName(0, ""), 0);
  EXPECT_EQ(library.RegimeCurrentByName(0, ""), 0.0);
  EXPECT_EQ(library.BlockCount(), 0);
}

TEST(BlockLibrary, ReadsTypesRegimesAndUmin) {
  TempDir dir;
  WriteBlocks(dir, kTwoTypes);
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockCount(), 2);
  EXPECT_EQ(library.BlockNameAt(1), "Оповещатель");
  EXPECT_EQ(library.BlockIndexByName("Оповещатель"), 1);
  EXPECT_EQ(library.RegimeNameAt(0, 2), "Тревога");
  EXPECT_EQ(library.RegimePowerAt(0, 1), 60);
  EXPECT_EQ(library.RegimeCurrentAt(0, 2), 12.5);
  EXPECT_EQ(library.BlockUmin(0), 9.5);
  EXPECT_EQ(library.BlockUmin(1), 8.0);
  EXPECT_EQ(library.RegimePowerByName(0, "Нормальный"), 60);
  EXPECT_EQ(library.RegimeCurrentByName(1, "Включен"), 25.0);
  EXPECT_EQ(library.RegimeCurrentByName(1, "Нормальный"), 0.5);
  EXPECT_EQ(library.RegimeNameAt(1, 3), "");
  // A missing or unreadable P: 100 by number, 0 by name.
  EXPECT_EQ(library.RegimePowerAt(1, 1), 100);  // no P1
  EXPECT_EQ(library.RegimePowerByName(1, "Нормальный"), 0);
  EXPECT_EQ(library.RegimePowerAt(1, 2), 100);  // P2=abc
  EXPECT_EQ(library.RegimePowerByName(1, "Включен"), 0);
  EXPECT_EQ(library.RegimeCurrentByName(0, "Нет такого"), 0.0);
}

TEST(BlockLibrary, GapEndsTheListButNotTheLookupsByIndex) {
  TempDir dir;
  WriteBlocks(dir,
              "[Блок0]\nНазвание=A\n[Блок1]\nНазвание=B\n[Блок2]\n"
              "[Блок3]\nНазвание=C\nРежим1=Пожар\nP1=40\n");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockCount(), 2);  // Блок2 has no key
  EXPECT_EQ(library.BlockIndexByName("C"), -1);
  EXPECT_EQ(library.BlockNameAt(3), "C");
  EXPECT_EQ(library.RegimePowerAt(3, 1), 40);
  EXPECT_EQ(library.RegimePowerByName(3, "Пожар"), 40);
}

TEST(BlockLibrary, NamesMatchExactlyAndTheFirstMatchWins) {
  TempDir dir;
  WriteBlocks(dir,
              "[Блок0]\nНазвание=Реле\nРежим1=Вкл\nP1=1\nРежим2=Вкл\nP2=2\n"
              "[Блок1]\nНазвание=Реле\n"
              "[Блок2]\nНазвание=реле\n");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockIndexByName("Реле"), 0);
  EXPECT_EQ(library.BlockIndexByName("реле"), 2);
  EXPECT_EQ(library.BlockIndexByName("РЕЛЕ"), -1);
  EXPECT_EQ(library.BlockIndexByName("Реле "), -1);
  EXPECT_EQ(library.RegimePowerByName(0, "Вкл"), 1);
  EXPECT_EQ(library.RegimePowerByName(0, "вкл"), 0);
}

TEST(BlockLibrary, RegimeSearchByNameStopsAtTheFirstEmptyName) {
  TempDir dir;
  WriteBlocks(dir, "[Блок0]\nНазвание=A\nРежим1=Норма\nP1=5\nРежим2=\nРежим3=Тревога\nP3=7\n");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.RegimeNameAt(0, 3), "Тревога");
  EXPECT_EQ(library.RegimePowerAt(0, 3), 7);
  EXPECT_EQ(library.RegimePowerByName(0, "Тревога"), 0);
  EXPECT_EQ(library.RegimePowerByName(0, "Норма"), 5);
}

TEST(BlockLibrary, NameLookupsSearch0To1023AndRegimes1To31LookupsByIndexReadAny) {
  TempDir dir;
  std::string text;
  for (int b = 0; b <= 1024; ++b) {
    text += "[Блок" + std::to_string(b) + "]\nНазвание=T" + std::to_string(b) + "\n";
  }
  text += "[Блок5]\nРежим31=R31\nP31=31\nРежим32=R32\nP32=32\n";  // a second [Блок5] is ignored
  text = "[Блок7]\nРежим31=R31\nP31=31\nРежим32=R32\nP32=32\nI32=3,5\n" + text;
  WriteBlocks(dir, text);
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockCount(), 1024);
  EXPECT_EQ(library.BlockIndexByName("T1023"), 1023);
  EXPECT_EQ(library.BlockIndexByName("T1024"), -1);
  EXPECT_EQ(library.BlockNameAt(1024), "T1024");
  EXPECT_EQ(library.BlockNameAt(-1), "");
  EXPECT_EQ(library.BlockUmin(-1), 8.0);
  EXPECT_EQ(library.RegimePowerAt(1024, 1), 100);
  EXPECT_EQ(library.RegimePowerAt(7, 31), 31);
  EXPECT_EQ(library.RegimeNameAt(7, 32), "R32");
  EXPECT_EQ(library.RegimePowerAt(7, 32), 32);
  EXPECT_EQ(library.RegimeCurrentAt(7, 32), 3.5);
  EXPECT_EQ(library.RegimePowerByName(7, "R32"), 0);  // beyond the search
  EXPECT_EQ(library.RegimePowerAt(7, 0), 100);
  EXPECT_EQ(library.RegimeNameAt(5, 31), "");
}

TEST(BlockLibrary, ASameSizeRewriteWithinTheTimestampStepIsSeen) {
  TempDir dir;
  testing::CoarseStampFileSystem coarse;  // as FAT, or Windows without change times
  WriteBlocks(dir, "[Блок0]\nНазвание=A\nUmin=9\n");
  const auto path = dir / kBlockFileName;
  // Written "at once": however slow the machine, every look below comes
  // within the stamp's step (a stamp rounded down to its step can be almost
  // a step old at once).
  const auto written = std::filesystem::file_time_type::clock::now() + 2 * kStampGranularity;
  std::filesystem::last_write_time(path, written);
  const BlockLibrary library(dir.path(), coarse);
  EXPECT_EQ(library.BlockUmin(0), 9.0);
  // Another program rewrites it at once, same size; the stamp stays the same.
  WriteBlocks(dir, "[Блок0]\nНазвание=B\nUmin=7\n");
  std::filesystem::last_write_time(path, written);
  EXPECT_EQ(library.BlockUmin(0), 7.0);
  EXPECT_EQ(library.BlockIndexByName("B"), 0);
}

TEST(BlockLibrary, SeesChangesMadeBehindItsBack) {
  TempDir dir;
  WriteBlocks(dir, "[Блок0]\nНазвание=A\nUmin=9\n");
  const BlockLibrary library(dir.path());
  ASSERT_EQ(library.BlockUmin(0), 9.0);

  WriteBlocks(dir, "[Блок0]\nНазвание=A\nUmin=10.5\n");  // another size
  EXPECT_EQ(library.BlockUmin(0), 10.5);

  // The same size, the time of change moved: also seen.
  const auto path = dir / kBlockFileName;
  const auto time = std::filesystem::last_write_time(path);
  WriteBlocks(dir, "[Блок0]\nНазвание=B\nUmin=10.5\n");
  std::filesystem::last_write_time(path, time + std::chrono::seconds(3));
  EXPECT_EQ(library.BlockIndexByName("B"), 0);

  std::filesystem::remove(path);
  EXPECT_EQ(library.BlockIndexByName("B"), -1);
  EXPECT_EQ(library.BlockUmin(0), 8.0);
}

TEST(BlockLibrary, BatchChecksTheFileOnceButInvalidateStillCounts) {
  TempDir dir;
  WriteBlocks(dir, "[Блок0]\nНазвание=A\n");
  const BlockLibrary library(dir.path());
  {
    BlockLibrary::Batch batch(library);
    EXPECT_EQ(library.BlockIndexByName("A"), 0);
    WriteBlocks(dir, "[Блок0]\nНазвание=Bb\n");
    EXPECT_EQ(library.BlockIndexByName("A"), 0);  // one command sees one version
    {
      BlockLibrary::Batch nested(library);
      EXPECT_EQ(library.BlockIndexByName("Bb"), -1);
    }
    EXPECT_EQ(library.BlockIndexByName("Bb"), -1);  // the outer batch still holds
    library.Invalidate();
    EXPECT_EQ(library.BlockIndexByName("Bb"), 0);
    WriteBlocks(dir, "[Блок0]\nНазвание=Ccc\n");
    EXPECT_EQ(library.BlockIndexByName("Bb"), 0);
  }
  EXPECT_EQ(library.BlockIndexByName("Ccc"), 0);
}

TEST(BlockLibrary, ExampleLibraryIsConsistent) {
  const BlockLibrary library(std::filesystem::path(__FILE__).parent_path() / "../../examples");
  ASSERT_GE(library.BlockCount(), 10);
  for (int b = 0; b < library.BlockCount(); ++b) {
    SCOPED_TRACE(library.BlockNameAt(b));
    EXPECT_EQ(library.BlockIndexByName(library.BlockNameAt(b)), b);
    EXPECT_EQ(library.RegimeNameAt(b, 1), "Нормальный");
    EXPECT_NE(library.RegimeNameAt(b, 2), "");
    EXPECT_GE(library.BlockUmin(b), 8.0);
    EXPECT_LE(library.BlockUmin(b), 12.0);
    for (int r = 1; !library.RegimeNameAt(b, r).empty(); ++r) {
      const bool power = library.RegimePowerAt(b, r) > 0;
      const bool current = library.RegimeCurrentAt(b, r) > 0;
      EXPECT_NE(power, current) << r;
    }
  }
}

}  // namespace
}  // namespace luch
