#include "bench_ray.h"

#include <chrono>
#include <random>
#include <string>
#include <system_error>

#include "common/file_io.h"
#include "common/profile_file.h"

namespace luch::bench {

std::string LongBlockName(const std::string& base) {
  return base + " адресный двухпроводный ИП-212/3 исп. 2";
}

BenchData::BenchData(bool long_names) {
  std::random_device device;
  dir_ = std::filesystem::temp_directory_path() / ("luch-bench-" + std::to_string(device()));
  std::filesystem::create_directories(dir_);
  ProfileFile cables(dir_ / Utf8Path(kCableFileName));
  const auto cable = [&](int n, const char* name, int r, int c, int z) {
    const std::string section = "Кабель" + std::to_string(n);
    cables.WriteString(section, "Название", name);
    cables.WriteInteger(section, "Сопротивление", r);
    cables.WriteInteger(section, "Емкость", c);
    cables.WriteInteger(section, "Волновое", z);
  };
  cable(1, "Шина 3", 3, 60, 90);
  cable(2, "Провод 24", 24, 55, 100);
  cables.Save();
  ProfileFile blocks(dir_ / Utf8Path(kBlockFileName));
  const auto block = [&](int b, const char* name, const char* umin, const char* p, const char* i) {
    const std::string section = "Блок" + std::to_string(b);
    blocks.WriteString(section, "Название", long_names ? LongBlockName(name) : name);
    blocks.WriteString(section, "Режим1", "Нормальный");
    blocks.WriteString(section, "P1", p);
    blocks.WriteString(section, "I1", i);
    blocks.WriteString(section, "Umin", umin);
  };
  block(0, "Извещатель", "9", "0", "0.05");
  block(1, "Оповещатель", "9", "2", "0");
  block(2, "Модуль", "9", "3", "0");
  block(3, "Пульт", "18", "0", "0.2");
  block(4, "Изолятор", "9", "0", "0");
  block(5, "Щит", "995", "0", "0.2");
  blocks.Save();
  // A library in use was written long ago: its stamp alone tells a change.
  const std::filesystem::path block_file = dir_ / Utf8Path(kBlockFileName);
  std::filesystem::last_write_time(
      block_file, std::filesystem::last_write_time(block_file) - std::chrono::hours(1));
  cable_library.LoadCables(dir_);
  block_library = std::make_unique<BlockLibrary>(dir_);
}

BenchData::~BenchData() {
  std::error_code error;
  std::filesystem::remove_all(dir_, error);
}

Ray MakeRay(int n, const char* cable, int min_m, int max_m, float step, uint32_t seed,
            const Mix& mix, bool long_names) {
  std::mt19937 random(seed);
  Ray ray;
  ray.params.SetNewProjectValues();
  ray.params.AccuracyStep = step;
  ray.table.SetBlockCount(n);
  for (int i = 1; i <= n; ++i) {
    ray.table.SetCableName(i, cable);
    ray.table.SetLengthM(i, min_m + static_cast<int>(random() % uint32_t(max_m - min_m + 1)));
    const std::string block = mix[random() % 8];
    ray.table.SetBlockName(i, long_names ? LongBlockName(block) : block);
    ray.table.SetRegimeName(i, "Нормальный");
    ray.table.SetHasZB(i, block == "Модуль" && random() % 2 == 0);
  }
  return ray;
}

}  // namespace luch::bench
