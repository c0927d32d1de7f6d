#include "project/project_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <bit>
#include <cfloat>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "support/fake_files.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

// A file as the program writes it: Windows-1251, CR LF after every line.
std::string FileBytes(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return Utf8ToCp1251(text);
}

void FillRow(ProjectTable& table, int row, const std::string& address, const std::string& cable,
             int64_t length, const std::string& block, const std::string& regime, int64_t power,
             bool zb) {
  table.SetAddress(row, address);
  table.SetCableName(row, cable);
  table.SetLengthM(row, length);
  table.SetBlockName(row, block);
  table.SetRegimeName(row, regime);
  table.SetPowerMW(row, power);
  table.SetHasZB(row, zb);
}

ProjectParameters NewProjectParameters() {
  ProjectParameters params;
  params.SetNewProjectValues();
  return params;
}

TEST(ProjectFile, WritesKeysInOrderWithWideningError) {
  TempDir dir;
  ProjectTable table;
  table.SetBlockCount(2);
  FillRow(table, 1, "Дом 5", "КСПВ 2x0.5", 120, "ИБ-1", "Дежурный", 35, true);
  FillRow(table, 2, "", "", 0, "", "", 0, false);
  ProjectParameters params = NewProjectParameters();
  params.EditU = "27.35";
  ASSERT_TRUE(SaveProjectFile(dir / "п.луч", table, params, ','));
  EXPECT_EQ(dir.Read("п.луч"), FileBytes({"[Луч]",
                                          "Блоков=2",
                                          "Напряжение=27,35",
                                          "Грозозащита=40",
                                          "Точность=0,0500000007450581",
                                          "Ток=1000",
                                          "C=0",
                                          "L=0",
                                          "",
                                          "[Блок1]",
                                          "Адрес=Дом 5",
                                          "Кабель=КСПВ 2x0.5",
                                          "Длина=120",
                                          "Блок=ИБ-1",
                                          "Режим=Дежурный",
                                          "P=35",
                                          "ЗБ=1",
                                          "",
                                          "[Блок2]",
                                          "Адрес=",
                                          "Кабель=",
                                          "Длина=0",
                                          "Блок=",
                                          "Режим=",
                                          "P=0",
                                          "ЗБ=0"}));

  ASSERT_TRUE(SaveProjectFile(dir / "p.луч", table, params, '.'));
  EXPECT_NE(dir.Read("p.луч").find(Utf8ToCp1251("Точность=0.0500000007450581\r\n")),
            std::string::npos);
}

TEST(ProjectFile, WritesCellsThroughTypedAccessors) {
  TempDir dir;
  ProjectTable table;
  table.SetBlockCount(1);
  table.SetCell(1, kLengthM, " 12,5 м");
  table.SetCell(1, kPowerMW, "abc");
  table.SetCell(1, kHasZB, "да");
  ProjectParameters params = NewProjectParameters();
  params.EditU = "27,5";  // typed with a decimal comma
  ASSERT_TRUE(SaveProjectFile(dir / "a.луч", table, params, ','));
  const std::string bytes = dir.Read("a.луч");
  for (const char* line : {"Длина=12\r\n", "P=0\r\n", "ЗБ=1\r\n", "Напряжение=27,5\r\n"}) {
    EXPECT_NE(bytes.find(Utf8ToCp1251(line)), std::string::npos) << line;
  }
  params.EditU = "0.1";  // written from the 64-bit value: no widening error
  ASSERT_TRUE(SaveProjectFile(dir / "a.луч", table, params, ','));
  EXPECT_NE(dir.Read("a.луч").find(Utf8ToCp1251("Напряжение=0,1\r\n")), std::string::npos);
}

TEST(ProjectFile, RoundTripsEveryFieldUnderEitherSeparator) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> real(-1e6f, 1e6f);
  std::uniform_int_distribution<int32_t> whole(INT32_MIN, INT32_MAX);
  const std::vector<std::string> texts = {"",        "Дом 5, кв. 12",  "  ведущие пробелы",
                                          "хвост  ", "\"в кавычках\"", "'одинарные'",
                                          "a=b;c",   "ЁёЪъ №1"};
  for (const char separator : {',', '.'}) {
    TempDir dir;
    ProjectTable table;
    table.SetBlockCount(40);
    for (int row = 1; row <= 40; ++row) {
      FillRow(table, row, texts[row % texts.size()], texts[(row + 3) % texts.size()], whole(random),
              texts[(row + 5) % texts.size()], texts[(row + 1) % texts.size()], whole(random),
              row % 3 == 0);
    }
    ProjectParameters params;
    params.EditU = "27.35";
    params.ZBResistance = real(random);
    params.AccuracyStep = 0.05f;
    params.MaxCurrent = 1.0e-7f;
    params.MaxCapacitance = FLT_MAX;
    params.MaxInductance = -FLT_MIN;
    ASSERT_TRUE(SaveProjectFile(dir / "r.луч", table, params, separator));

    ProjectTable loaded;
    ProjectParameters read;
    ASSERT_TRUE(LoadProjectFile(dir / "r.луч", loaded, read));
    ASSERT_EQ(loaded.BlockCount(), 40);
    for (int row = 1; row <= 40; ++row) {
      for (const int col :
           {kNumber, kAddress, kCableName, kLengthM, kBlockName, kRegimeName, kPowerMW, kHasZB}) {
        EXPECT_EQ(loaded.GetCell(row, col), table.GetCell(row, col)) << row << ":" << col;
      }
    }
    EXPECT_EQ(read.EditU, "27.35");
    EXPECT_EQ(std::bit_cast<uint32_t>(read.ZBResistance),
              std::bit_cast<uint32_t>(params.ZBResistance));
    EXPECT_EQ(std::bit_cast<uint32_t>(read.AccuracyStep), std::bit_cast<uint32_t>(0.05f));
    EXPECT_EQ(std::bit_cast<uint32_t>(read.MaxCurrent), std::bit_cast<uint32_t>(1.0e-7f));
    EXPECT_EQ(read.MaxCapacitance, FLT_MAX);
    EXPECT_EQ(std::bit_cast<uint32_t>(read.MaxInductance), std::bit_cast<uint32_t>(-FLT_MIN));
  }
}

TEST(ProjectFile, LoadsFileOfTheEarlierProgram) {
  TempDir dir;
  dir.Write("Дом 5.луч", FileBytes({"[Луч]",
                                    "Блоков=3",
                                    "Напряжение=27,5",
                                    "Грозозащита=40",
                                    "Точность=0,0500000007450581",
                                    "Ток=1000",
                                    "C=0,5",
                                    "L=0",
                                    "[Блок1]",
                                    "Адрес=Подъезд 1",
                                    "Кабель=КСПВ 2х0,5",
                                    "Длина=150",
                                    "Блок=БИС-01",
                                    "Режим=Норма",
                                    "P=120",
                                    "ЗБ=1",
                                    "[Блок2]",
                                    "Адрес=2",
                                    "Кабель=КСПВ 2х0,5",
                                    "Длина=0x20",
                                    "Блок=БИС-01",
                                    "Режим=Тревога",
                                    "P=abc",
                                    "ЗБ=2",
                                    "[Блок3]",
                                    "Адрес=3",
                                    "Длина=12,5",
                                    "ЗБ=да",
                                    "Лишний=ключ",
                                    "[Прочее]",
                                    "Блоков=7"}));
  ProjectTable table;
  table.SetCell(1, kResistanceOhm, "0,3");
  table.SetCell(2, kCurrentMA, "4.50");
  table.SetCell(3, kVoltageV, "26.10");
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(dir / "Дом 5.луч", table, params));

  EXPECT_EQ(table.BlockCount(), 3);
  EXPECT_EQ(params.EditU, "27.50");
  EXPECT_EQ(params.ZBResistance, 40.0f);
  EXPECT_EQ(params.AccuracyStep, 0.05f);
  EXPECT_EQ(params.MaxCurrent, 1000.0f);
  EXPECT_EQ(params.MaxCapacitance, 0.5f);
  EXPECT_EQ(params.MaxInductance, 0.0f);
  EXPECT_EQ(table.GetRow(1), (BlockRow{"1", "Подъезд 1", "КСПВ 2х0,5", "150", "0,3", "БИС-01",
                                       "Норма", "120", "ДА", "", ""}));
  EXPECT_EQ(table.GetRow(2), (BlockRow{"2", "2", "КСПВ 2х0,5", "32", "", "БИС-01", "Тревога", "0",
                                       "ДА", "4.50", ""}));
  // Unreadable whole numbers and booleans take their defaults.
  EXPECT_EQ(table.GetRow(3), (BlockRow{"3", "3", "", "0", "", "", "", "0", "", "", "26.10"}));
}

TEST(ProjectFile, CountIsKeptInRangeAndACutIsTold) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"3", 3},        {"0", 1},          {"-5", 1},     {"4096", 4096}, {"4097", 4096},
      {"40000", 4096}, {"0x10002", 4096}, {"дюжина", 1}, {"", 1},        {"4294967296", 1}};
  for (const auto& [stored, expected] : cases) {
    TempDir dir;
    dir.Write("c.луч", FileBytes({"[Луч]", "Блоков=" + stored}));
    ProjectTable table;
    ProjectParameters params;
    const ProjectLoadResult loaded = LoadProjectFile(dir / "c.луч", table, params);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(table.BlockCount(), expected) << stored;
    EXPECT_EQ(loaded.cut(), loaded.stored_count > 4096) << stored;
  }
}

TEST(ProjectFile, OnlyAProjectFileOpensWhateverItsEncoding) {
  const std::vector<std::string> not_projects = {
      "", std::string("\x00\x01\xFF junk", 8), "Заметки к проекту\r\n",
      FileBytes({"[Другое]", "Блоков=9"}), FileBytes({"[Луч]", "[Блок1]", "[Блок2]", "Адрес=А"})};
  TempDir dir;
  for (const std::string& bytes : not_projects) {
    dir.Write("не проект.луч", bytes);
    ProjectTable table;
    ProjectParameters params;
    EXPECT_EQ(LoadProjectFile(dir / "не проект.луч", table, params).outcome,
              ProjectLoad::kNotAProject);
    EXPECT_EQ(table, ProjectTable());
  }
  // UTF-8 opens, and is saved in Windows-1251 without its mark.
  dir.Write("utf8.луч", "\xEF\xBB\xBF[Блок1]\r\nАдрес=Щитовая\r\n");
  ProjectTable table;
  ProjectParameters params = NewProjectParameters();
  ASSERT_TRUE(LoadProjectFile(dir / "utf8.луч", table, params));
  EXPECT_EQ(table.Address(1), "Щитовая");
  ASSERT_TRUE(SaveProjectFile(dir / "utf8.луч", table, params, ','));
  EXPECT_EQ(dir.Read("utf8.луч").rfind(FileBytes({"[Блок1]", "Адрес=Щитовая"}), 0), 0u);
}

TEST(ProjectFile, MissingValuesTakeDefaults) {
  TempDir dir;
  dir.Write("d.луч", FileBytes({"[Другое]", "Блоков=9", "[Блок1]", "Адрес="}));
  ProjectTable table;
  FillRow(table, 1, "было", "было", 5, "было", "было", 5, true);
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(dir / "d.луч", table, params));
  EXPECT_EQ(table.BlockCount(), 1);
  EXPECT_EQ(params.EditU, "28.00");
  EXPECT_EQ(params.ZBResistance, 40.0f);
  EXPECT_EQ(params.AccuracyStep, 0.05f);
  EXPECT_EQ(params.MaxCurrent, 1000.0f);
  EXPECT_EQ(params.MaxCapacitance, 0.0f);
  EXPECT_EQ(params.MaxInductance, 0.0f);
  EXPECT_EQ(table.GetRow(1), (BlockRow{"1", "", "", "0", "", "", "", "0", "", "", ""}));
}

TEST(ProjectFile, RowsAboveCountStayOutOfTheTable) {
  TempDir dir;
  dir.Write("e.луч", FileBytes({"[Луч]", "Блоков=2", "[Блок3]", "Адрес=из файла"}));
  ProjectTable table;
  table.SetAddress(3, "прежний");
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(dir / "e.луч", table, params));
  ASSERT_EQ(table.BlockCount(), 2);
  table.SetBlockCount(3);  // a hidden row comes back as it was
  EXPECT_EQ(table.Address(3), "прежний");
}

TEST(ProjectFile, SavingShorterProjectKeepsStaleRows) {
  TempDir dir;
  ProjectTable table;
  table.SetBlockCount(10);
  for (int row = 1; row <= 10; ++row) table.SetAddress(row, "A" + std::to_string(row));
  const ProjectParameters params = NewProjectParameters();
  ASSERT_TRUE(SaveProjectFile(dir / "s.луч", table, params, ','));
  table.SetBlockCount(3);
  table.SetAddress(2, "новый");
  ASSERT_TRUE(SaveProjectFile(dir / "s.луч", table, params, ','));

  const std::string bytes = dir.Read("s.луч");
  EXPECT_NE(bytes.find(Utf8ToCp1251("Блоков=3\r\n")), std::string::npos);
  EXPECT_NE(bytes.find(Utf8ToCp1251("[Блок10]\r\nАдрес=A10\r\n")), std::string::npos);
  ProjectTable loaded;
  ProjectParameters read;
  ASSERT_TRUE(LoadProjectFile(dir / "s.луч", loaded, read));
  EXPECT_EQ(loaded.BlockCount(), 3);
  EXPECT_EQ(loaded.Address(2), "новый");
}

TEST(ProjectFile, MissingFileChangesNothing) {
  TempDir dir;
  ProjectTable table;
  table.SetAddress(1, "своё");
  ProjectParameters params;
  EXPECT_FALSE(LoadProjectFile(dir / "нет.луч", table, params));
  EXPECT_FALSE(LoadProjectFile(dir.path(), table, params));  // a folder
  EXPECT_EQ(table.BlockCount(), 5);
  EXPECT_EQ(table.Address(1), "своё");
  EXPECT_EQ(params.EditU, "28.0");
  EXPECT_EQ(params.ZBResistance, 0.0f);
}

TEST(ProjectFile, FailedSaveLeavesEarlierFileIntact) {
  TempDir dir;
  const std::string earlier = FileBytes({"[Луч]", "Блоков=1", "; комментарий"});
  dir.Write("f.луч", earlier);
  ProjectTable table;
  const ProjectParameters params = NewProjectParameters();

  testing::FaultyFileSystem files;
  files.Fail(testing::WriteStep::kRename);
  EXPECT_FALSE(SaveProjectFile(dir / "f.луч", table, params, ',', files));
  EXPECT_EQ(dir.Read("f.луч"), earlier);

  std::filesystem::create_directory(dir / "папка.луч");
  EXPECT_FALSE(SaveProjectFile(dir / "папка.луч", table, params, ','));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "папка.луч"));
}

TEST(ProjectFile, SaveIntoReadOnlyPlaceLeavesEarlierFileIntact) {
  TempDir dir;
  const std::string earlier = FileBytes({"[Луч]", "Блоков=1", "; комментарий"});
  dir.Write("f.луч", earlier);
  ProjectTable table;
  const ProjectParameters params = NewProjectParameters();
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no permission bits that forbid creating a file in a folder";
#else
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
#endif
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(SaveProjectFile(dir / "f.луч", table, params, ','));
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(dir.Read("f.луч"), earlier);

  std::filesystem::permissions(dir / "f.луч", std::filesystem::perms::none);
  EXPECT_FALSE(SaveProjectFile(dir / "f.луч", table, params, ','));  // unreadable
  std::filesystem::permissions(dir / "f.луч", std::filesystem::perms::owner_read);
  EXPECT_EQ(dir.Read("f.луч"), earlier);
}

TEST(ProjectFile, OutOfRangeRealsReadSafely) {
  TempDir dir;
  dir.Write("g.луч", FileBytes({"[Луч]", "Напряжение=1e999", "Грозозащита=1e39", "Точность=-1e39",
                                "Ток=INF", "C=nan", "L=1e-60"}));
  ProjectTable table;
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(dir / "g.луч", table, params));
  EXPECT_EQ(params.EditU, "28.00");  // overflow does not parse
  EXPECT_EQ(params.ZBResistance, FLT_MAX);
  EXPECT_EQ(params.AccuracyStep, -FLT_MAX);
  EXPECT_EQ(params.MaxCurrent, 1000.0f);
  EXPECT_EQ(params.MaxCapacitance, 0.0f);
  EXPECT_EQ(params.MaxInductance, 0.0f);

  dir.Write("h.луч", FileBytes({"[Луч]", "Напряжение=1e300"}));
  ASSERT_TRUE(LoadProjectFile(dir / "h.луч", table, params));
  EXPECT_EQ(params.EditU.size(), 304u);  // 301 digits, the point and two decimals
}

TEST(ProjectFile, HostileFilesOpenWithoutHarm) {
  TempDir dir;
  std::mt19937 random(11);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  dir.Write("garbage.луч", Utf8ToCp1251("[Луч]\r\nБлоков=2\r\n") + garbage);
  ProjectTable table;
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(dir / "garbage.луч", table, params));
  EXPECT_GE(table.BlockCount(), 1);
  EXPECT_LE(table.BlockCount(), 4096);

  // A last line without its line end still counts.
  dir.Write("cut.луч", Utf8ToCp1251("[Луч]\r\nБлоков=2\r\n[Блок2]\r\nАдрес=Дом"));
  ASSERT_TRUE(LoadProjectFile(dir / "cut.луч", table, params));
  EXPECT_EQ(table.Address(2), "Дом");

  const std::string long_value(5000, 'x');
  dir.Write("long.луч", FileBytes({"[Луч]", "Блоков=1", "Напряжение=" + long_value, "[Блок1]",
                                   "Адрес=" + long_value}));
  ASSERT_TRUE(LoadProjectFile(dir / "long.луч", table, params));
  EXPECT_EQ(table.Address(1), std::string(2047, 'x'));
  EXPECT_EQ(params.EditU, "28.00");

  std::string many = Utf8ToCp1251("[Луч]\r\nБлоков=4096\r\n");
  for (int k = 1; k <= 100000; ++k) {
    many += Utf8ToCp1251("[Блок" + std::to_string(k) + "]\r\nАдрес=" + std::to_string(k) + "\r\n");
  }
  dir.Write("many.луч", many);
  ASSERT_TRUE(LoadProjectFile(dir / "many.луч", table, params));
  EXPECT_EQ(table.BlockCount(), 4096);
  EXPECT_EQ(table.Address(4096), "4096");
}

}  // namespace
}  // namespace luch
