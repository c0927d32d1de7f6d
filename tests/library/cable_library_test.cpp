#include "library/cable_library.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

void WriteCableFile(const TempDir& dir, std::string_view utf8_text) {
  dir.Write(kCableFileName, Utf8ToCp1251(utf8_text));
}

TEST(CableLibrary, LoadStopsAtTheFirstGapOrEmptySection) {
  TempDir dir;
  WriteCableFile(dir,
                 "[Кабель1]\r\nНазвание=КСПВ 2х0,5\r\nСопротивление=93\r\n"
                 "[Кабель2]\r\nНазвание=ТРП\r\nСопротивление=x12\r\n"
                 "[Кабель4]\r\nНазвание=Лишний\r\n");
  CableLibrary library;
  EXPECT_EQ(library.LoadCables(dir.path()), 2);
  ASSERT_EQ(library.CableCount(), 2);
  EXPECT_EQ(library.Row(2)->number, "2");
  EXPECT_EQ(library.Row(2)->resistance, "0");  // not a whole number
  ASSERT_TRUE(library.SaveCables(dir.path()));
  const ProfileFile saved(dir / kCableFileName);
  EXPECT_EQ(saved.SectionNames(), (std::vector<std::string>{"Кабель1", "Кабель2"}));

  WriteCableFile(dir, "[Кабель1]\r\nНазвание=А\r\n[Кабель2]\r\n[Кабель3]\r\nНазвание=В\r\n");
  EXPECT_EQ(library.LoadCables(dir.path()), 1);
  EXPECT_EQ(library.CableCount(), 1);
}

TEST(CableLibrary, NumericCellsKeepTheFileTextButCountAndSaveWholeNumbers) {
  TempDir dir;
  WriteCableFile(dir,
                 "[Кабель1]\r\nНазвание=А\r\nСопротивление=36\r\nЕмкость=33.3\r\n"
                 "Волновое=abc\r\nПримечание=экран\r\n");
  CableLibrary library;
  library.LoadCables(dir.path());
  EXPECT_EQ(library.Row(1)->capacitance, "33.3");
  EXPECT_EQ(library.CableCapacitanceAt(1), 33);
  EXPECT_EQ(library.CableWaveImpedanceByName("А"), 0);
  library.SaveCables(dir.path());
  const ProfileFile saved(dir / kCableFileName);
  EXPECT_EQ(saved.ReadString("Кабель1", "Емкость", "?"), "33");
  EXPECT_EQ(saved.ReadString("Кабель1", "Волновое", "?"), "0");
  EXPECT_EQ(saved.ReadString("Кабель1", "Примечание", "?"), "экран");
}

TEST(CableLibrary, MissingFileGivesOneEmptyRowThatSavesAndLoadsAgain) {
  TempDir dir;
  CableLibrary library;
  EXPECT_EQ(library.LoadCables(dir.path()), 0);
  EXPECT_EQ(library.CableCount(), 1);
  EXPECT_EQ(library.CableNameAt(1), "");
  ASSERT_TRUE(library.SaveCables(dir.path()));
  EXPECT_EQ(dir.Read(kCableFileName),
            Utf8ToCp1251("[Кабель1]\r\nНазвание=\r\nСопротивление=0\r\nЕмкость=0\r\n"
                         "Волновое=0\r\nПримечание=\r\n"));
  CableLibrary again;
  EXPECT_EQ(again.LoadCables(dir.path()), 1);
  EXPECT_EQ(again.CableNameAt(1), "");
}

TEST(CableLibrary, LookupsTakeTheFirstExactNameAndGuardPositions) {
  CableLibrary library;
  library.Add({"", "ТРП", "148", "50", "120", ""});
  library.Add({"", "ТРП", "95", "60", "110", ""});
  EXPECT_EQ(library.CableResistanceByName("ТРП"), 148);
  EXPECT_EQ(library.CableCapacitanceByName("ТРП"), 50);
  EXPECT_EQ(library.CableResistanceByName("трп"), 0);
  EXPECT_EQ(library.CableResistanceByName("ТРП "), 0);
  EXPECT_EQ(library.CableResistanceAt(0), 0);
  EXPECT_EQ(library.CableResistanceAt(3), 0);
  EXPECT_EQ(library.CableNameAt(3), "");
}

TEST(CableLibrary, AddFillsOnlyTheEmptyLibrarysRow) {
  CableLibrary library;
  EXPECT_EQ(library.Add({"", "А", "1", "", "", ""}), 1);
  EXPECT_EQ(library.Add({"", "Б", "2", "", "", ""}), 2);
  // A type whose name was emptied is still a type: the next one is appended
  // and nothing is overwritten.
  library.MutableRow(1)->name = "";
  EXPECT_EQ(library.Add({"", "В", "3", "", "", ""}), 3);
  EXPECT_EQ(library.CableResistanceAt(1), 1);
  EXPECT_EQ(library.CableNameAt(2), "Б");
  EXPECT_EQ(library.Row(3)->number, "3");
}

TEST(CableLibrary, DeleteMovesRowsUpAndEmptiesTheLastOne) {
  CableLibrary library;
  for (const char* name : {"1", "2", "3", "4"}) library.Add({"", name, name, "", "", ""});
  library.Delete(2);
  ASSERT_EQ(library.CableCount(), 3);
  EXPECT_EQ(library.CableNameAt(2), "3");
  EXPECT_EQ(library.Row(3)->number, "3");
  library.Delete(1);
  library.Delete(1);
  library.Delete(1);
  EXPECT_EQ(library.CableCount(), 1);
  EXPECT_EQ(library.Row(1)->number, "");
  EXPECT_EQ(library.CableNameAt(1), "");
}

TEST(CableLibrary, TheSampleLibraryLoadsAndSavesUnchanged) {
  const std::filesystem::path examples =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";
  TempDir dir;
  std::string sample;
  ASSERT_TRUE(ReadFileBytes(examples / Utf8Path(kCableFileName), sample));
  dir.Write(kCableFileName, sample);
  CableLibrary library;
  ASSERT_GE(library.LoadCables(dir.path()), 10);
  for (int i = 1; i <= library.CableCount(); ++i) {
    EXPECT_FALSE(library.CableNameAt(i).empty()) << i;
    EXPECT_GT(library.CableResistanceAt(i), 0) << i;
    EXPECT_GT(library.CableCapacitanceAt(i), 0) << i;
    EXPECT_GT(library.CableWaveImpedanceAt(i), 0) << i;
  }
  ASSERT_TRUE(library.SaveCables(dir.path()));
  EXPECT_EQ(dir.Read(kCableFileName), sample);
}

}  // namespace
}  // namespace luch
