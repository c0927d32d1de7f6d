#include "app/command_line.h"

#include "common/file_io.h"
#include "luch_version.h"

namespace luch {

CommandLine ReadCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (!options_ended && (arg == "--help" || arg == "-h"))
      return {CommandLineAction::kHelp, "", ""};
    if (!options_ended && arg == "--version") return {CommandLineAction::kVersion, "", ""};
    if (line.action == CommandLineAction::kError) continue;  // a later --help still counts
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (!options_ended && arg.size() > 1 && arg[0] == '-') {
      line = {CommandLineAction::kError, "", "luch: неизвестный параметр / unknown option: " + arg};
    } else if (!line.project.empty()) {
      line = {CommandLineAction::kError, "",
              "luch: можно открыть только один проект / only one project can be opened"};
    } else {
      line.project = arg;
    }
  }
  return line;
}

std::string HelpLine(const std::filesystem::path& data_folder) {
  return "Использование / usage: luch [ПРОЕКТ.луч]; папка данных / data folder: " +
         PathToUtf8(data_folder);
}

std::string VersionLine() { return "luch " LUCH_VERSION; }

}  // namespace luch
