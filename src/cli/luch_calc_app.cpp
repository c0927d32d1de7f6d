#include "cli/luch_calc_app.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <system_error>

#include "analysis/ray_analysis.h"
#include "calc/calculation.h"
#include "calc/calculation_texts.h"
#include "cli/cli_output.h"
#include "common/file_io.h"
#include "common/headless_platform.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "library/carried_block_files.h"
#include "library/carried_library.h"
#include "project/project_file.h"
#include "reports/calculation_report.h"
#include "reports/problem_list.h"
#include "reports/quantities.h"
#include "reports/table_export.h"

namespace luch {
namespace {

constexpr const char* kHelp =
    "luch-calc: расчет луча без окон / ray calculation without windows\n"
    "\n"
    "Использование / Usage:\n"
    "  luch-calc calc PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]\n"
    "  luch-calc min-voltage PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]\n"
    "  luch-calc report PROJECT -o FILE [--data-dir DIR] [--decimal-point ,|.] [--date-time TEXT]\n"
    "  luch-calc table PROJECT -o FILE [--data-dir DIR] [--decimal-point ,|.] [--date-time TEXT]\n"
    "  luch-calc export PROJECT --csv|--txt -o FILE [--data-dir DIR] [--decimal-point ,|.]\n"
    "  luch-calc quantities PROJECT -o FILE [--data-dir DIR] [--date-time TEXT]\n"
    "  luch-calc pdf PROJECT -o FILE [--data-dir DIR] [--decimal-point ,|.] [--date-time TEXT]\n"
    "  luch-calc analyse PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]\n"
    "\n"
    "Команды / Commands:\n"
    "  calc         расчет луча (F9) / calculate the ray (F9)\n"
    "  min-voltage  поиск минимального напряжения КМУ (F10) /\n"
    "               find the minimum controller voltage (F10)\n"
    "  report       расчет (F9) и отчет в FILE, как \"Отчет\" /\n"
    "               calculate (F9) and write the report to FILE\n"
    "  table        расчет (F9) и таблица напряжений в FILE /\n"
    "               calculate (F9) and write the voltage table to FILE\n"
    "  export       расчет (F9) и экспорт таблицы в FILE (CSV или текст) /\n"
    "               calculate (F9) and export the table to FILE (CSV or text)\n"
    "  quantities   спецификация в FILE, как \"Спецификация\" (без расчета) /\n"
    "               write the bill of quantities to FILE (no calculation)\n"
    "  pdf          расчет (F9) и отчет в PDF в FILE, как \"Отчет в PDF\" /\n"
    "               calculate (F9) and write the PDF document to FILE\n"
    "  analyse      выбор кабеля, запас длины, еще блоки, режимы (\"Анализ луча\"; \"—\" и null:\n"
    "               ответа нет) / design answers: cable choice, length reserve, more blocks,\n"
    "               regimes (null: no answer)\n"
    "\n"
    "Параметры / Options:\n"
    "  PROJECT              файл проекта *.луч / the project file *.луч\n"
    "  --data-dir DIR       папка с Кабель.ini и Блок.ini (по умолчанию текущая) /\n"
    "                       folder holding Кабель.ini and Блок.ini (default: current)\n"
    "  --project-types      (любая команда) типы кабеля и блоков, которых нет в библиотеке,\n"
    "                       берутся из проекта / (any command) types the libraries lack\n"
    "                       are taken from those the project file carries\n"
    "  --decimal-point ,|.  десятичный разделитель (по умолчанию ,) /\n"
    "                       decimal separator of the status texts (default: ,)\n"
    "  --json               вывод одним документом JSON / print one JSON document\n"
    "  -o FILE              файл для записи / the file to write\n"
    "  --csv, --txt         формат экспорта / export format\n"
    "  --date-time TEXT     дата и время в заголовке (по умолчанию текущие) /\n"
    "                       date and time printed in the header (default: now)\n"
    "  -h, --help           эта справка / this help\n"
    "\n"
    "Коды завершения / Exit codes: 0 расчет выполнен / success, 1 расчет не удался /\n"
    "failure, 2 ошибка вызова или проекта / usage error, unreadable file or not a project.\n"
    "calc и min-voltage не записывают файлов; остальные команды пишут только FILE /\n"
    "calc and min-voltage write no file; the other commands write FILE only.\n";

CliResult UsageError(const std::string& message) {
  std::string line = message;
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return {2, "", "luch-calc: " + line + "\n"};
}

enum class Command { kCalc, kSearch, kReport, kTable, kExport, kQuantities, kPdf, kAnalyse };

struct Options {
  Command command = Command::kCalc;
  bool search = false;
  std::string output;
  bool csv = false;
  bool txt = false;
  std::string date_time;
  std::string project;
  std::string data_dir;
  std::string decimal_point = ",";
  bool json = false;
  bool project_types = false;
};

void AddOptions(CLI::App& command, Options& options) {
  command.add_option("PROJECT", options.project, "project file")->required();
  command.add_option("--data-dir", options.data_dir, "folder of Кабель.ini and Блок.ini");
  command.add_flag("--project-types", options.project_types,
                   "types the libraries lack are taken from the project");
  command.add_option("--decimal-point", options.decimal_point, "decimal separator")
      ->check(CLI::IsMember({",", "."}));
  if (options.command == Command::kCalc || options.command == Command::kSearch ||
      options.command == Command::kAnalyse) {
    command.add_flag("--json", options.json, "print one JSON document");
    return;
  }
  command.add_option("-o,--output", options.output, "file to write")->required();
  if (options.command == Command::kExport) {
    auto* csv = command.add_flag("--csv", options.csv, "CSV export");
    auto* txt = command.add_flag("--txt", options.txt, "tab-separated text export");
    csv->excludes(txt);
  } else {
    command.add_option("--date-time", options.date_time, "date and time in the header");
  }
}

// What the commands that write a file read.
struct Project {
  const ProjectTable& table;
  const ProjectParameters& params;
  const StatusBars& status;
  const CableLibrary& cables;
  const BlockLibrary& blocks;
  const CalculationTotals& totals;
};

CliResult NoDocument() {
  return {1, "", "luch-calc: расчет не удался, отчета нет / the calculation failed, no report\n"};
}

// An export after a failure would pass for a result, as the window knows.
CliResult NoExport() {
  return {1, "",
          std::string("luch-calc: ") + calc_texts::kFailureMessage +
              "\nэкспорт не записан / the calculation failed, nothing exported\n"};
}

// report, table, export, quantities, pdf: written as the window writes them.
// The report and the PDF need a successful calculation, as their menu items do.
CliResult WriteOutput(const Options& options, bool success, const Project& p,
                      HeadlessPlatform& headless, const PdfRenderer& pdf) {
  const std::string project_file = PathToUtf8(std::filesystem::absolute(Utf8Path(options.project)));
  const CalculationSummary summary{project_file, p.totals.TotalLength, p.totals.TotalCurrent};
  const std::string date_time =
      options.date_time.empty()
          ? headless.platform().locale->FormatDateTime(headless.platform().clock->Now())
          : options.date_time;
  bool written = false;
  if (options.command == Command::kPdf) {
    if (!success) return NoDocument();
    const std::vector<Problem> problems = CollectProblems(
        {p.table, p.params, p.cables, p.blocks, p.totals,
         ResultState{ResultState::Kind::kSucceeded, false, false}, options.decimal_point.front()});
    SetLastWriteNote({});
    const std::string bytes =
        pdf(BuildDesignDocument({p.table, p.params, p.status, p.cables, p.blocks, problems,
                                 project_file, date_time, options.decimal_point.front()}));
    written = !bytes.empty() && WriteFileAtomic(Utf8Path(options.output), bytes);
  } else {
    std::vector<std::string> lines;
    if (options.command == Command::kReport) {
      if (!success) return NoDocument();
      lines = BuildReport(p.table, p.params, summary, date_time);
    } else if (options.command == Command::kTable) {
      lines = BuildVoltageTable(p.table, p.params, summary, date_time);
    } else if (options.command == Command::kQuantities) {
      lines = BuildQuantitiesText(CountQuantities(p.table, p.cables, p.blocks), project_file,
                                  date_time);
    } else {
      if (!success) return NoExport();
      lines = BuildExport(p.table, options.csv ? ExportFormat::kCsv : ExportFormat::kText);
    }
    written = WriteTextLines(Utf8Path(options.output), lines);
  }
  if (!written) return UsageError(WithWriteNote("Cannot create file " + options.output));
  return {success ? 0 : 1, "", ""};
}

CliResult Run(const Options& options, const PdfRenderer& pdf) {
  const std::filesystem::path project = Utf8Path(options.project);
  std::error_code error;
  std::filesystem::path data_dir = std::filesystem::current_path(error);
  if (!options.data_dir.empty()) data_dir = Utf8Path(options.data_dir);
  if (!std::filesystem::is_directory(data_dir, error)) {
    return UsageError("нет папки данных / no data folder: " + options.data_dir);
  }
  RealFileSystem().SetSafetyCopyFolder(data_dir);
  ProjectTable table;
  ProjectParameters params;
  const ProjectLoadResult loaded = LoadProjectFile(project, table, params);
  if (loaded.outcome == ProjectLoad::kNotAProject) {
    return UsageError("файл не является проектом луча / not a ray project file: " +
                      options.project);
  }
  if (!loaded) {
    return UsageError("не удается прочитать проект / cannot read the project: " + options.project);
  }
  CableLibrary cables;
  cables.LoadCables(data_dir);
  std::unique_ptr<CarriedBlockFiles> carried_blocks;
  if (options.project_types) {
    // In memory only: the libraries on disk stay as they are.
    const BlockLibrary local_blocks(data_dir);
    const CarriedTypes missing =
        MissingTypes(NamesInColumn(table, kCableName), NamesInColumn(table, kBlockName), cables,
                     local_blocks, loaded.carried);
    for (const CarriedType& type : missing.cables) cables.Add(CableFromCarried(type));
    carried_blocks = std::make_unique<CarriedBlockFiles>(data_dir, missing.blocks);
  }
  BlockLibrary blocks(data_dir, carried_blocks ? *carried_blocks : RealFileSystem());
  StatusBars status;
  bool report_enabled = false;
  CalculationTotals totals;
  HeadlessPlatform headless(options.decimal_point.front());
  const Project project_view{table, params, status, cables, blocks, totals};
  if (options.command == Command::kAnalyse) {
    const AnalysisSources sources{table,
                                  params,
                                  cables,
                                  data_dir,
                                  carried_blocks ? carried_blocks.get() : &RealFileSystem(),
                                  options.decimal_point.front()};
    const std::optional<RayAnalysis> analysis = AnalyseRay(sources);
    return {0, options.json ? FormatJsonAnalysis(*analysis) : FormatTextAnalysis(*analysis), ""};
  }
  // The bill of quantities counts the rows as the file holds them.
  if (options.command == Command::kQuantities) {
    return WriteOutput(options, true, project_view, headless, pdf);
  }
  CalculationContext context{table,  params, status, report_enabled,
                             totals, cables, blocks, headless.platform()};
  const bool success = options.search ? mFindUKMUClick(context) : BitBtnStartClick(context);
  if (options.command != Command::kCalc && options.command != Command::kSearch) {
    return WriteOutput(options, success, project_view, headless, pdf);
  }

  CommandReport report{success, &table, &params, &status, headless.messages()};
  CliResult result;
  result.exit_code = success ? 0 : 1;
  result.out = options.json ? FormatJsonReport(report) : FormatTextReport(report);
  return result;
}

}  // namespace

CliResult RunLuchCalc(const std::vector<std::string>& args, const PdfRenderer& pdf) {
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "-h" || args[k] == "--help") return {0, kHelp, ""};
  }
  CLI::App app{"luch-calc"};
  app.set_help_flag();
  app.require_subcommand(1, 1);
  struct Entry {
    const char* name;
    const char* description;
    Command command;
    Options options;
    CLI::App* app = nullptr;
  };
  std::vector<Entry> commands = {
      {"calc", "ray calculation (F9)", Command::kCalc, {}},
      {"min-voltage", "minimum controller voltage (F10)", Command::kSearch, {}},
      {"report", "calculation report", Command::kReport, {}},
      {"table", "voltage table", Command::kTable, {}},
      {"export", "table export", Command::kExport, {}},
      {"quantities", "bill of quantities", Command::kQuantities, {}},
      {"pdf", "PDF document", Command::kPdf, {}},
      {"analyse",
       "design answers: cables, length reserve, more blocks, regimes",
       Command::kAnalyse,
       {}},
  };
  for (Entry& entry : commands) {
    entry.options.command = entry.command;
    entry.options.search = entry.command == Command::kSearch;
    entry.app = app.add_subcommand(entry.name, entry.description);
    entry.app->set_help_flag();
    AddOptions(*entry.app, entry.options);
  }

  std::vector<const char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  if (argv.empty()) argv.push_back("luch-calc");
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    if (args.size() <= 1)
      return UsageError(
          "нужна команда calc, min-voltage, report, table, export, quantities, pdf или analyse / "
          "a command is needed: calc, min-voltage, report, table, export, quantities, pdf or "
          "analyse (--help)");
    return UsageError(e.what());
  }
  for (const Entry& entry : commands) {
    if (!entry.app->parsed()) continue;
    if (entry.command == Command::kExport && !entry.options.csv && !entry.options.txt) {
      return UsageError("нужен --csv или --txt / --csv or --txt is needed");
    }
    if (entry.command == Command::kPdf && !pdf) {
      return UsageError("PDF недоступен в этой сборке / PDF is not available in this build");
    }
    return Run(entry.options, pdf);
  }
  return UsageError("нет команды / no command");
}

}  // namespace luch
