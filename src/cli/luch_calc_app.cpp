#include "cli/luch_calc_app.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <system_error>

#include "calc/calculation.h"
#include "calc/headless_platform.h"
#include "cli/cli_output.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"

namespace luch {
namespace {

constexpr const char* kHelp =
    "luch-calc: расчет луча без окон / ray calculation without windows\n"
    "\n"
    "Использование / Usage:\n"
    "  luch-calc calc PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]\n"
    "  luch-calc min-voltage PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]\n"
    "\n"
    "Команды / Commands:\n"
    "  calc         расчет луча (F9) / calculate the ray (F9)\n"
    "  min-voltage  поиск минимального напряжения КМУ (F10) /\n"
    "               find the minimum controller voltage (F10)\n"
    "\n"
    "Параметры / Options:\n"
    "  PROJECT              файл проекта *.луч / the project file *.луч\n"
    "  --data-dir DIR       папка с Кабель.ini и Блок.ini (по умолчанию текущая) /\n"
    "                       folder holding Кабель.ini and Блок.ini (default: current)\n"
    "  --decimal-point ,|.  десятичный разделитель (по умолчанию ,) /\n"
    "                       decimal separator of the status texts (default: ,)\n"
    "  --json               вывод одним документом JSON / print one JSON document\n"
    "  -h, --help           эта справка / this help\n"
    "\n"
    "Коды завершения / Exit codes: 0 расчет выполнен / success, 1 расчет не удался /\n"
    "failure, 2 ошибка вызова или проекта / usage error or unreadable project.\n"
    "Программа не записывает файлов / The program writes no file.\n";

CliResult UsageError(const std::string& message) {
  std::string line = message;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return {2, "", "luch-calc: " + line + "\n"};
}

struct Options {
  bool search = false;
  std::string project;
  std::string data_dir;
  std::string decimal_point = ",";
  bool json = false;
};

void AddOptions(CLI::App& command, Options& options) {
  command.add_option("PROJECT", options.project, "project file")->required();
  command.add_option("--data-dir", options.data_dir, "folder of Кабель.ini and Блок.ini");
  command.add_option("--decimal-point", options.decimal_point, "decimal separator")
      ->check(CLI::IsMember({",", "."}));
  command.add_flag("--json", options.json, "print one JSON document");
}

CliResult Run(const Options& options) {
  const std::filesystem::path project = Utf8Path(options.project);
  std::error_code error;
  std::filesystem::path data_dir = std::filesystem::current_path(error);
  if (!options.data_dir.empty()) data_dir = Utf8Path(options.data_dir);
  if (!std::filesystem::is_directory(data_dir, error)) {
    return UsageError("нет папки данных / no data folder: " + options.data_dir);
  }
  ProjectTable table;
  ProjectParameters params;
  if (!FileExists(project) || !LoadProjectFile(project, table, params)) {
    return UsageError("не удается прочитать проект / cannot read the project: " + options.project);
  }
  CableLibrary cables;
  cables.LoadCables(data_dir);
  BlockLibrary blocks(data_dir);
  StatusBars status;
  bool report_enabled = false;
  CalculationTotals totals;
  HeadlessPlatform headless(options.decimal_point.front());
  CalculationContext context{table,  params, status, report_enabled,
                             totals, cables, blocks, headless.platform()};
  const bool success = options.search ? mFindUKMUClick(context) : BitBtnStartClick(context);

  CommandReport report{success, &table, &params, &status, headless.messages()};
  CliResult result;
  result.exit_code = success ? 0 : 1;
  result.out = options.json ? FormatJsonReport(report) : FormatTextReport(report);
  return result;
}

}  // namespace

CliResult RunLuchCalc(const std::vector<std::string>& args) {
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "-h" || args[k] == "--help") return {0, kHelp, ""};
  }
  CLI::App app{"luch-calc"};
  app.set_help_flag();
  app.require_subcommand(1, 1);
  Options calc_options, search_options;
  search_options.search = true;
  CLI::App* calc = app.add_subcommand("calc", "ray calculation (F9)");
  CLI::App* search = app.add_subcommand("min-voltage", "minimum controller voltage (F10)");
  calc->set_help_flag();
  search->set_help_flag();
  AddOptions(*calc, calc_options);
  AddOptions(*search, search_options);

  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  if (argv.empty()) argv.push_back("luch-calc");
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    if (args.size() <= 1)
      return UsageError(
          "нужна команда calc или min-voltage / "
          "a command is needed: calc or min-voltage "
          "(--help)");
    return UsageError(e.what());
  }
  return Run(calc->parsed() ? calc_options : search_options);
}

}  // namespace luch
