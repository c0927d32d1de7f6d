#include "cli/luch_calc_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>

#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

constexpr const char* kFailure =
    "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...";

// A data folder with a cable, a block type and projects.
class LuchCalc : public ::testing::Test {
 protected:
  LuchCalc() {
    ProfileFile cables(dir / kCableFileName);
    cables.WriteString("Кабель1", "Название", "КСПВ");
    cables.WriteInteger("Кабель1", "Сопротивление", 50);
    cables.WriteInteger("Кабель1", "Емкость", 50);
    cables.WriteInteger("Кабель1", "Волновое", 100);
    cables.Save();
    ProfileFile blocks(dir / kBlockFileName);
    blocks.WriteString("Блок0", "Название", "Датчик");
    blocks.WriteString("Блок0", "Режим1", "Нормальный");
    blocks.WriteString("Блок0", "P1", "0");
    blocks.WriteString("Блок0", "I1", "10");
    blocks.WriteString("Блок0", "Umin", "9");
    blocks.WriteString("Блок0", "Режим2", "Мощный");
    blocks.WriteString("Блок0", "P2", "5000");
    blocks.Save();
  }

  // A one-row project: КСПВ 100 m (10 Ohm) to a Датчик in `regime`.
  std::string Project(const std::string& name, const std::string& regime, bool zb = false) {
    ProjectTable table;
    table.SetBlockCount(1);
    table.SetAddress(1, "Подъезд 1");
    table.SetCableName(1, "КСПВ");
    table.SetLengthM(1, 100);
    table.SetBlockName(1, "Датчик");
    table.SetRegimeName(1, regime);
    table.SetHasZB(1, zb);
    ProjectParameters params;
    params.SetNewProjectValues();
    EXPECT_TRUE(SaveProjectFile(dir / name, table, params, ','));
    return Utf8String(dir / name);
  }

  CliResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), "luch-calc");
    return RunLuchCalc(args);
  }

  static std::string Utf8String(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  }

  testing::TempDir dir;
};

TEST_F(LuchCalc, CalcPrintsTheTableAndPanels) {
  const CliResult r =
      Run({"calc", Project("Луч 1.луч", "Нормальный"), "--data-dir", Utf8String(dir.path())});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("N  Адрес      Кабель  Длина (м)  R (Ом)  Блок    Режим"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("1  Подъезд 1  КСПВ    100        10      Датчик  Нормальный"),
            std::string::npos);
  EXPECT_NE(r.out.find("Блоков: 1 | Проблем: 0 | Ток: 10 мА | Расчет успешно завершен...\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Длина луча: 100 м | Сопротивление: 10 Ом | Емкость: 5 нФ | "
                       "Индуктивность: 0,05 мГн\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("Напряжение КМУ: 28.00\n"), std::string::npos);
}

TEST_F(LuchCalc, RowsTheLibrariesLackAreWarnedAbout) {
  // "Тревога" is no regime of Датчик; the cable and block of a colleague's
  // library are missing here.
  const std::string project = Project("Чужой.луч", "Тревога");
  ProfileFile file(Utf8Path(project));
  file.WriteString("Луч", "Блоков", "3");
  for (const char* section : {"Блок2", "Блок3"}) {
    file.WriteString(section, "Кабель", "КПСЭнг");
    file.WriteString(section, "Длина", "10");
    file.WriteString(section, "Блок", "ИП 212-45");
  }
  ASSERT_TRUE(file.Save());
  const CliResult r = Run({"calc", project, "--data-dir", Utf8String(dir.path())});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("Сообщение:\n"
                       "  Нет в библиотеке кабеля (строки: 2-3)!...\n"
                       "  Нет в библиотеке блока (строки: 2-3)!...\n"
                       "  Нет режима блока (строки: 1)!...\n"),
            std::string::npos)
      << r.out;
}

TEST_F(LuchCalc, JsonDocument) {
  const CliResult r = Run({"calc", Project("p.луч", "Нормальный"), "--data-dir",
                           Utf8String(dir.path()), "--json", "--decimal-point", "."});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const nlohmann::json doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["outcome"], "success");
  EXPECT_EQ(doc["status"]["blocks"], "Блоков: 1");
  EXPECT_EQ(doc["status"]["problems"], "Проблем: 0");
  EXPECT_EQ(doc["status"]["current"], "Ток: 10 мА");
  EXPECT_EQ(doc["status"]["state"], "Расчет успешно завершен...");
  EXPECT_EQ(doc["status"]["inductance"], "Индуктивность: 0.05 мГн");
  EXPECT_EQ(doc["messages"], nlohmann::json::array());
  EXPECT_EQ(doc["supply_voltage"], "28.00");
  EXPECT_EQ(doc["parameters"]["AccuracyStep"], 0.05);
  EXPECT_EQ(doc["parameters"]["ZBResistance"], 40.0);
  EXPECT_EQ(doc["parameters"]["MaxCurrent"], 1000.0);
  EXPECT_EQ(doc["parameters"]["MaxCapacitance"], 0.0);
  ASSERT_EQ(doc["rows"].size(), 1u);
  ASSERT_EQ(doc["rows"][0].size(), 11u);
  EXPECT_EQ(doc["rows"][0][0], "1");
  EXPECT_EQ(doc["rows"][0][9], "10.00");
  EXPECT_EQ(doc["rows"][0][10], "27.90");  // 27.95 V would need 28.05 V
}

TEST_F(LuchCalc, MinVoltageWritesTheFoundVoltage) {
  const CliResult r = Run({"min-voltage", Project("p.луч", "Нормальный"), "--data-dir",
                           Utf8String(dir.path()), "--json"});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const nlohmann::json doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["supply_voltage"], "9.10");
  EXPECT_EQ(doc["status"]["current"], "Ток: 10 мА");
}

TEST_F(LuchCalc, FailureOutcomeExitsWithOne) {
  // 5 W behind 40 Ohm of lightning protection has no solution below 28.3 V.
  const std::string project = Project("p.луч", "Мощный", true);
  const CliResult r = Run({"calc", project, "--data-dir", Utf8String(dir.path()), "--json"});
  EXPECT_EQ(r.exit_code, 1);
  const nlohmann::json doc = nlohmann::json::parse(r.out);
  EXPECT_EQ(doc["outcome"], "failure");
  EXPECT_EQ(doc["messages"], nlohmann::json::array({kFailure}));
  EXPECT_EQ(doc["rows"][0][10], "");
  const CliResult text = Run({"calc", project, "--data-dir", Utf8String(dir.path())});
  EXPECT_EQ(text.exit_code, 1);
  EXPECT_NE(text.out.find("Сообщение:\n  Не удается выполнить расчет...\n"
                          "  Луч неработоспособен...\n  Или недостаточно данных...\n"),
            std::string::npos);
}

TEST_F(LuchCalc, UsageErrorsExitWithTwoAndOneLine) {
  const std::string project = Project("p.луч", "Нормальный");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"solve", project},
      {"calc"},
      {"calc", project, "--decimal-point", ";"},
      {"calc", project, "--bogus"},
      {"calc", Utf8String(dir / "нет.луч")},
      {"calc", Utf8String(dir.path())},
      {"calc", project, "--data-dir", Utf8String(dir / "нет")},
  };
  for (const auto& args : cases) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.exit_code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(r.err.rfind("luch-calc: ", 0), 0u);
  }
}

TEST_F(LuchCalc, AFileThatIsNoProjectIsRefused) {
  dir.Write("заметки.луч", "Заметки\r\n");
  const CliResult r = Run({"calc", Utf8String(dir / "заметки.луч")});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.err, "luch-calc: файл не является проектом луча / not a ray project file: " +
                       Utf8String(dir / "заметки.луч") + "\n");
}

TEST_F(LuchCalc, HelpInBothLanguages) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"calc", "-h"}, {"min-voltage", "x", "--help"}}) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_NE(r.out.find("Использование / Usage:"), std::string::npos);
    EXPECT_NE(r.out.find("поиск минимального напряжения КМУ"), std::string::npos);
    EXPECT_NE(r.out.find("find the minimum controller voltage"), std::string::npos);
  }
}

TEST_F(LuchCalc, NeverWritesAFile) {
  const std::string project = Project("p.луч", "Нормальный");
  auto listing = [&] {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      files[Utf8String(entry.path())] = dir.Read(Utf8String(entry.path().filename()));
    }
    return files;
  };
  const auto before = listing();
  Run({"calc", project, "--data-dir", Utf8String(dir.path())});
  Run({"min-voltage", project, "--data-dir", Utf8String(dir.path()), "--json"});
  EXPECT_EQ(listing(), before);
}

}  // namespace
}  // namespace luch
