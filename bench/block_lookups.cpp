// The block lookups as the calculation makes them (BlockIndexByName, BlockUmin,
// RegimePowerByName, RegimeCurrentByName for each of 4096 rows) on a library of
// 1024 types with 31 regimes each: the cached BlockLibrary against a plain
// reader that parses Блок.ini once and answers every lookup from that parse,
// and against the literal one that opens and parses the file on every lookup.
// The literal side is timed on the first kLiteralRows rows and scaled to 4096;
// its answers are checked against the cached ones on those rows, and the
// cached answers for all rows against the plain ones.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_harness.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/block_library.h"

namespace luch::bench {
namespace {

constexpr int kRows = 4096;
constexpr int kLiteralRows = 8;

struct Row {
  std::string block;
  std::string regime;
};

struct Answer {
  int index;
  double umin;
  int32_t power;
  double current;
  bool operator==(const Answer&) const = default;
};

std::string TypeName(int b) { return "Блок сопряжения адресный № " + std::to_string(b); }
std::string RegimeName(int r) { return "Режим работы " + std::to_string(r); }

std::string GenerateLibrary() {
  std::string text;
  for (int b = 0; b < kMaxBlockTypes; ++b) {
    text += "[Блок" + std::to_string(b) + "]\r\nНазвание=" + TypeName(b) + "\r\n";
    for (int r = 1; r <= kMaxRegimes; ++r) {
      const std::string n = std::to_string(r);
      const bool power = (b + r) % 2 == 0;
      text += "Режим" + n + "=" + RegimeName(r) + "\r\n";
      text += "P" + n + "=" + (power ? std::to_string(10 + (b * 7 + r) % 300) : "0") + "\r\n";
      text += "I" + n + "=" + (power ? "0" : std::to_string((b + r) % 40) + ",5") + "\r\n";
    }
    text += "Umin=" + std::to_string(8 + b % 5) + ",5\r\n\r\n";
  }
  return Utf8ToCp1251(text);
}

std::vector<Row> GenerateRows() {
  std::vector<Row> rows;
  uint32_t state = 2463534242u;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  for (int k = 0; k < kRows; ++k) {
    const uint32_t value = next();
    Row row;
    row.block = value % 16 == 0 ? "Нет такого блока" : TypeName(static_cast<int>(value % 1024));
    row.regime = (value >> 8) % 16 == 0 ? "Нет такого режима"
                                        : RegimeName(1 + static_cast<int>((value >> 12) % 31));
    rows.push_back(std::move(row));
  }
  return rows;
}

// ---- The plain reader: every answer from one reading of the file.
std::string Section(int b) { return "Блок" + std::to_string(b); }

int PlainIndexByName(const ProfileFile& file, const std::string& name) {
  for (int b = 0; b < kMaxBlockTypes; ++b) {
    if (!file.SectionExists(Section(b))) break;
    if (file.ReadString(Section(b), "Название", "") == name) return b;
  }
  return -1;
}

double PlainUmin(const ProfileFile& file, int b) {
  if (b < 0 || b >= kMaxBlockTypes) return 8.0;
  return file.ReadReal(Section(b), "Umin", 8.0);
}

// The key "P"+r or "I"+r of the first regime named `regime`; empty when none.
std::string PlainRegimeKey(const ProfileFile& file, int b, const std::string& regime,
                           const char* prefix) {
  if (b < 0 || b >= kMaxBlockTypes) return {};
  for (int r = 1; r <= kMaxRegimes; ++r) {
    const std::string name = file.ReadString(Section(b), "Режим" + std::to_string(r), "");
    if (name.empty()) return {};
    if (name == regime) return prefix + std::to_string(r);
  }
  return {};
}

int32_t PlainPowerByName(const ProfileFile& file, int b, const std::string& regime) {
  const std::string key = PlainRegimeKey(file, b, regime, "P");
  return key.empty() ? 0 : file.ReadInteger(Section(b), key, 0);
}

double PlainCurrentByName(const ProfileFile& file, int b, const std::string& regime) {
  const std::string key = PlainRegimeKey(file, b, regime, "I");
  return key.empty() ? 0.0 : file.ReadReal(Section(b), key, 0.0);
}

Answer PlainOnce(const ProfileFile& file, const Row& row) {
  const int b = PlainIndexByName(file, row.block);
  return {b, PlainUmin(file, b), PlainPowerByName(file, b, row.regime),
          PlainCurrentByName(file, b, row.regime)};
}

// Each lookup opens and parses the file anew.
Answer LiteralRereading(const std::filesystem::path& path, const Row& row) {
  const int b = PlainIndexByName(ProfileFile(path), row.block);
  return {b, PlainUmin(ProfileFile(path), b), PlainPowerByName(ProfileFile(path), b, row.regime),
          PlainCurrentByName(ProfileFile(path), b, row.regime)};
}

Answer Cached(const BlockLibrary& library, const Row& row) {
  const int b = library.BlockIndexByName(row.block);
  return {b, library.BlockUmin(b), library.RegimePowerByName(b, row.regime),
          library.RegimeCurrentByName(b, row.regime)};
}

// Times the cached lookups with a check of the file per lookup (block_lookups)
// and inside one Batch (block_lookups_batch), against the same plain and
// literal timings.
void Run() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("luch-bench-blocks-" + std::to_string(::rand()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / Utf8Path(kBlockFileName);
  WriteFileAtomic(path, GenerateLibrary());
  // A library as the designer has it: written long before (a file written
  // within the timestamps' granularity has its bytes compared at each check).
  std::filesystem::last_write_time(path,
                                   std::filesystem::last_write_time(path) - std::chrono::hours(1));
  const std::vector<Row> rows = GenerateRows();
  const BlockLibrary library(dir);

  std::vector<Answer> cached(rows.size());
  std::vector<Answer> batched(rows.size());
  const double fast_ms = MedianMs(7, [&] {
    for (size_t k = 0; k < rows.size(); ++k) cached[k] = Cached(library, rows[k]);
  });
  const double batch_ms = MedianMs(7, [&] {
    BlockLibrary::Batch batch(library);
    for (size_t k = 0; k < rows.size(); ++k) batched[k] = Cached(library, rows[k]);
  });

  std::vector<Answer> plain(rows.size());
  const double plain_ms = MedianMs(3, [&] {
    const ProfileFile once(path);
    for (size_t k = 0; k < rows.size(); ++k) plain[k] = PlainOnce(once, rows[k]);
  });

  std::vector<Answer> literal(kLiteralRows);
  const double literal_subset_ms = MedianMs(3, [&] {
    for (size_t k = 0; k < literal.size(); ++k) literal[k] = LiteralRereading(path, rows[k]);
  });
  const double literal_ms = literal_subset_ms * (static_cast<double>(kRows) / kLiteralRows);

  bool identical = plain == cached;
  for (size_t k = 0; k < literal.size(); ++k) identical = identical && literal[k] == cached[k];
  Report("block_lookups", fast_ms, plain_ms, literal_ms, identical);
  Report("block_lookups_batch", batch_ms, plain_ms, literal_ms, identical && batched == cached);
  std::error_code error;
  std::filesystem::remove_all(dir, error);
}

Register r("block_lookups", Run);

}  // namespace
}  // namespace luch::bench
