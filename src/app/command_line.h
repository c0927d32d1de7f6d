// The program's command line: luch [PROJECT.луч], luch --help, luch --version.
// The texts are Russian and English on one line, as luch-calc's.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace luch {

enum class CommandLineAction { kRun, kHelp, kVersion, kError };

struct CommandLine {
  CommandLineAction action = CommandLineAction::kRun;
  std::string project;  // kRun: the project to open, as given; empty for none
  std::string error;    // kError: the line to print, without its line end
};

// Reads the arguments after the program's name. --help (-h) and --version win
// over everything else; "--" ends the options, so that a project whose name
// starts with "-" can be named; at most one project.
CommandLine ReadCommandLine(const std::vector<std::string>& args);

// The answers to --help (naming the data folder in use) and --version.
std::string HelpLine(const std::filesystem::path& data_folder);
std::string VersionLine();

}  // namespace luch
