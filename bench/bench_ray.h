// The rays of the calculation benchmarks: a data folder with a small cable
// and block library (removed at the end), and long random rays over it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch::bench {

// A data folder with a small cable and block library, removed at the end.
class BenchData {
 public:
  // `long_names`: the block types have names of about 40 characters, as real
  // libraries do (see LongBlockName).
  explicit BenchData(bool long_names = false);
  ~BenchData();

  const std::filesystem::path& dir() const { return dir_; }

  CableLibrary cable_library;
  std::unique_ptr<BlockLibrary> block_library;

 private:
  std::filesystem::path dir_;
};

struct Ray {
  ProjectTable table;
  ProjectParameters params;
};

// The block of a row, chosen by a random number 0..7.
using Mix = std::array<const char*, 8>;
constexpr Mix kUsual = {"Оповещатель", "Модуль",     "Извещатель", "Извещатель",
                        "Извещатель",  "Извещатель", "Извещатель", "Извещатель"};

// The name a block type of `base` has in a library of long names.
std::string LongBlockName(const std::string& base);

// n rows of min_m..max_m metres with blocks of `mix`; a module is behind
// lightning protection half the time.
Ray MakeRay(int n, const char* cable, int min_m, int max_m, float step, uint32_t seed,
            const Mix& mix = kUsual, bool long_names = false);

}  // namespace luch::bench
