#include <cstdio>
#include <string>
#include <vector>

#include "cli/luch_calc_app.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  const luch::CliResult result = luch::RunLuchCalc(args);
  std::fwrite(result.out.data(), 1, result.out.size(), stdout);
  std::fwrite(result.err.data(), 1, result.err.size(), stderr);
  return result.exit_code;
}
