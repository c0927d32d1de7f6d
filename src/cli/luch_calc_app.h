// luch-calc, the headless front end: runs the ray calculation (F9) or the
// minimum controller voltage search (F10) on a project file and prints the
// table, the status bar texts and the messages, as text or as one JSON
// document; or writes one file as a command of the window writes it (FILE,
// nothing else).
//
//   luch-calc calc PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]
//   luch-calc min-voltage PROJECT [--data-dir DIR] [--decimal-point ,|.] [--json]
//   luch-calc report|table|quantities|pdf PROJECT -o FILE [--date-time TEXT] [...]
//   luch-calc export PROJECT --csv|--txt -o FILE [...]
#pragma once

#include <string>
#include <vector>

#include "reports/document_commands.h"

namespace luch {

struct CliResult {
  int exit_code = 0;  // 0 success, 1 failure outcome, 2 usage error, unreadable or no project
  std::string out;    // what goes to standard output
  std::string err;    // what goes to standard error (one line on errors)
};

// Runs the front end on `args` (args[0] is the program name, the rest UTF-8).
// Starts from the state of a freshly started program: 5 empty rows, EditU
// "28.0", the five parameters 0; loads the project, with Кабель.ini and
// Блок.ini from DIR (default: the current directory).
// `pdf` draws the PDF document of the pdf command; without it that command
// is a usage error (a build without Qt).
CliResult RunLuchCalc(const std::vector<std::string>& args, const PdfRenderer& pdf = {});

}  // namespace luch
