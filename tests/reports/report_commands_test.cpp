#include "reports/report_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class ReportCommands : public ::testing::Test {
 protected:
  ReportCommands() {
    parameters.SetNewProjectValues();
    table.SetBlockCount(1);
    table.SetAddress(1, "Дом 1");
    table.SetCell(1, kVoltageV, "24.57");
    fake.locale.date_time = "01.02.2027 3:04:05";
  }
  ~ReportCommands() override { fake.files.Heal(); }

  std::string Project() const {
    return PathToUtf8(dir.path() / Utf8Path("Школа 3") / Utf8Path("Школа 3.луч"));
  }

  TempDir dir;
  FakePlatform fake;
  ProjectTable table;
  ProjectParameters parameters;
  CalculationSummary summary{"", 10, 0.01f};
};

TEST_F(ReportCommands, ReportAndTableAreWrittenThenOpenedWithoutQuestion) {
  ASSERT_TRUE(mInfoClick(table, parameters, summary, fake.platform(), dir.path()));
  ASSERT_TRUE(mTableClick(table, parameters, summary, fake.platform(), dir.path()));
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_EQ(fake.launcher.opened.size(), 2u);
  EXPECT_EQ(fake.launcher.opened[0], dir / "Отчет.txt");
  EXPECT_EQ(fake.launcher.opened[1], dir / "Таблица напряжения.txt");
  // Windows-1251, CR LF, dated by the locale.
  const std::string report = dir.Read("Отчет.txt");
  EXPECT_EQ(report.substr(0, 14), "            \xD0\xE0");
  EXPECT_NE(report.find("01.02.2027 3:04:05\r\n"), std::string::npos);
  EXPECT_NE(dir.Read("Таблица напряжения.txt").find("24.57                "), std::string::npos);
}

TEST_F(ReportCommands, NothingOpensWithoutAssociatedProgram) {
  fake.launcher.program.reset();
  ASSERT_TRUE(mInfoClick(table, parameters, summary, fake.platform(), dir.path()));
  EXPECT_TRUE(fake.launcher.opened.empty());
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_FALSE(dir.Read("Отчет.txt").empty());
}

TEST_F(ReportCommands, UnwritableReportShowsErrorAndOpensNoOldFile) {
  dir.Write("Отчет.txt", "old");
  fake.files.Fail(testing::WriteStep::kWrite);
  EXPECT_FALSE(mInfoClick(table, parameters, summary, fake.platform(), dir.path()));
  fake.files.Heal();
  EXPECT_EQ(dir.Read("Отчет.txt"), "old");
  EXPECT_TRUE(fake.launcher.opened.empty());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Cannot create file " + PathToUtf8(dir / "Отчет.txt") + ".");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kStop);
}

TEST_F(ReportCommands, TableInMissingFolderOrOverFolderShowsError) {
  const std::filesystem::path missing = dir / "нет такой папки";
  EXPECT_FALSE(mTableClick(table, parameters, summary, fake.platform(), missing));
  std::filesystem::create_directory(dir / "Таблица напряжения.txt");
  EXPECT_FALSE(mTableClick(table, parameters, summary, fake.platform(), dir.path()));
  EXPECT_TRUE(fake.launcher.opened.empty());
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Cannot create file " + PathToUtf8(missing / Utf8Path("Таблица напряжения.txt")) + ".");
  const std::string over_folder = PathToUtf8(dir / "Таблица напряжения.txt");
  EXPECT_EQ(fake.messages.shown[1].text,
            "Cannot create file " + over_folder + "\n" + NotAFileText(over_folder) + ".");
}

TEST_F(ReportCommands, CsvExportAsksDialogConfirmsAndOpensOnYes) {
  const std::string target = PathToUtf8(dir / "Журнал.csv");
  fake.dialogs.answers.push_back(target);
  fake.messages.answers.push_back(true);
  ASSERT_TRUE(ExportTable(table, ExportFormat::kCsv, fake.platform(), Project()));

  ASSERT_EQ(fake.dialogs.requests.size(), 1u);
  const FileDialogRequest& request = fake.dialogs.requests[0];
  EXPECT_EQ(request.title, "Экспорт данных в CSV файл");
  EXPECT_EQ(request.filter, "Файл экспорта (*.csv)|*.csv");
  EXPECT_EQ(request.default_extension, "csv");
  // Beside the project, named after it.
  EXPECT_EQ(request.initial_directory, PathToUtf8(dir.path() / Utf8Path("Школа 3")));
  EXPECT_EQ(request.initial_name, "Школа 3.csv");

  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Журнал сохранен в виде файла \nдля Microsoft Excel...\n" + target);
  EXPECT_EQ(fake.messages.shown[0].caption, "Сообщение");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kNone);
  EXPECT_FALSE(fake.messages.shown[0].yes_no);
  EXPECT_EQ(fake.messages.shown[1].text, "Открыть сохраненный файл ?");
  EXPECT_EQ(fake.messages.shown[1].caption, "/usr/bin/viewer");
  EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::kNone);
  EXPECT_TRUE(fake.messages.shown[1].yes_no);
  ASSERT_EQ(fake.launcher.opened.size(), 1u);
  EXPECT_EQ(fake.launcher.opened[0], Utf8Path(target));
  EXPECT_EQ(dir.Read("Журнал.csv").substr(0, 4), " N; ");
}

TEST_F(ReportCommands, TextExportOnNoIsNotOpened) {
  fake.dialogs.answers.push_back(PathToUtf8(dir / "Журнал.txt"));
  fake.messages.answers.push_back(false);
  ASSERT_TRUE(ExportTable(table, ExportFormat::kText, fake.platform(), Project()));
  const FileDialogRequest& request = fake.dialogs.requests.at(0);
  EXPECT_EQ(request.title, "Экспорт данных в текстовый файл");
  EXPECT_EQ(request.filter, "Текстовый файл (*.txt)|*.txt");
  EXPECT_EQ(request.default_extension, "txt");
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Журнал сохранен в виде текстовоко файла...\n" + PathToUtf8(dir / "Журнал.txt"));
  EXPECT_TRUE(fake.launcher.opened.empty());
  EXPECT_EQ(dir.Read("Журнал.txt").substr(0, 4), " N\t ");
}

TEST_F(ReportCommands, AnExportNoProgramOpensSaysWhereItIsAndShowsItsFolder) {
  fake.launcher.program.reset();
  const std::string target = PathToUtf8(dir / "Журнал.csv");
  fake.dialogs.answers.push_back(target);
  fake.messages.answers.push_back(true);
  ASSERT_TRUE(ExportTable(table, ExportFormat::kCsv, fake.platform(), ""));
  // An unnamed project's file is proposed in the documents folder.
  EXPECT_EQ(fake.dialogs.requests.at(0).initial_directory, fake.dialogs.documents);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_TRUE(fake.messages.shown[0].text.starts_with(
      "Журнал сохранен в виде файла \nдля Microsoft Excel...\n" + target + "\n"));
  EXPECT_EQ(fake.launcher.folders, (std::vector<std::filesystem::path>{dir.path()}));
}

TEST_F(ReportCommands, CancelledExportDoesNothing) {
  EXPECT_FALSE(ExportTable(table, ExportFormat::kCsv, fake.platform(), Project()));
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ReportCommands, UnwritableExportShowsOnlyTheError) {
  std::filesystem::create_directory(dir / "папка.csv");
  const std::string target = PathToUtf8(dir / "папка.csv");
  fake.dialogs.answers.push_back(target);
  fake.messages.answers.push_back(true);
  EXPECT_FALSE(ExportTable(table, ExportFormat::kCsv, fake.platform(), Project()));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Cannot create file " + target + "\n" + NotAFileText(target) + ".");
  EXPECT_TRUE(fake.launcher.opened.empty());
}

}  // namespace
}  // namespace luch
