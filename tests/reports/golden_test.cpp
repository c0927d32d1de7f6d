// The four files of a fixed project compared byte for byte with expected files
// built by hand from the layouts (Windows-1251, CR LF).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "reports/report_commands.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

std::string Golden(const char* name) {
  const std::filesystem::path path =
      std::filesystem::path(__FILE__).parent_path() / "golden" / name;
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  return bytes;
}

std::string WrittenFile(const std::filesystem::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  return bytes;
}

// Cyrillic addresses, a cable name of 24 characters, rows with and without
// lightning protection, an empty row, an address of more than 32 characters,
// an address with ";" and quotes, a regime with a TAB, resistances written
// under both separators.
ProjectTable SampleTable() {
  ProjectTable table;
  table.SetBlockCount(5);
  const BlockRow rows[] = {
      {"1", "ул. Ленина, д. 5, подъезд 1", "КСПВ 2х0,5", "120", "2,88", "БИС-Р", "Дежурный", "150",
       "", "5.36", "27.12"},
      {"2", "Школа №3", "ТРП 2х0,4 экранированный", "350", "16.8", "ИП-212", "Тревога", "300", "ДА",
       "10.00", "24.50"},
      {"3", "", "", "", "", "", "", "", "", "", ""},
      {"4", "г. Москва, ул. Профсоюзная, д. 123, корп. 4", "КСПВ 2х0,5", "1234", "29,62", "БИС-Р",
       "Дежурный\t2", "150", "ДА", "7.25", "23.01"},
      {"5", "Склад; ворота \"Север\"", "КСПВ 4х0,5", "5", "0,12", "БИС-Р", "Дежурный", "150", "",
       "3.10", "22.75"},
  };
  for (int r = 1; r <= 5; ++r) {
    for (int c = 0; c < kColumnCount; ++c) table.SetCell(r, c, rows[r - 1][c]);
  }
  return table;
}

class GoldenFiles : public ::testing::Test {
 protected:
  GoldenFiles() {
    parameters.SetNewProjectValues();
    parameters.EditU = "27.5";
    summary.project_file = "/home/проектировщик/Проекты/Дом 5.луч";
    summary.TotalLength = 1709;
    summary.TotalCurrent = 0.03571f;
    fake.locale.date_time = "08.12.2026 21:15:30";
    fake.locale.separator = ',';
    fake.clock.now = std::chrono::system_clock::time_point(std::chrono::seconds(1796764530));
  }

  testing::TempDir dir;
  testing::FakePlatform fake;
  ProjectTable table = SampleTable();
  ProjectParameters parameters;
  CalculationSummary summary;
};

TEST_F(GoldenFiles, Report) {
  ASSERT_TRUE(mInfoClick(table, parameters, summary, fake.platform(), dir.path()));
  EXPECT_EQ(WrittenFile(dir / "Отчет.txt"), Golden("report.txt"));
}

TEST_F(GoldenFiles, VoltageTable) {
  ASSERT_TRUE(mTableClick(table, parameters, summary, fake.platform(), dir.path()));
  EXPECT_EQ(WrittenFile(dir / "Таблица напряжения.txt"), Golden("voltage_table.txt"));
}

TEST_F(GoldenFiles, CsvAndTextExport) {
  fake.dialogs.answers.push_back(PathToUtf8(dir / "Луч.csv"));
  fake.dialogs.answers.push_back(PathToUtf8(dir / "Луч.txt"));
  ASSERT_TRUE(ExportTable(table, ExportFormat::kCsv, fake.platform(), ""));
  ASSERT_TRUE(ExportTable(table, ExportFormat::kText, fake.platform(), ""));
  EXPECT_EQ(WrittenFile(dir / "Луч.csv"), Golden("export.csv"));
  EXPECT_EQ(WrittenFile(dir / "Луч.txt"), Golden("export.txt"));
}

}  // namespace
}  // namespace luch
