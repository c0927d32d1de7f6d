// Кабель.ini and Блок.ini received from someone else: load both and make every
// lookup the program makes, by position and by name. The input is the cable
// file, the separator line of fuzz_support.h, then the block file; without
// the separator the same bytes serve as both.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "fuzz_support.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace {

using namespace luch;

void CheckCables(const CableLibrary& cables, int loaded) {
  LUCH_FUZZ_CHECK(loaded >= 0 && loaded <= kMaxCablesRead);
  LUCH_FUZZ_CHECK(cables.CableCount() == std::max(loaded, 1));
  for (int i = -1; i <= cables.CableCount() + 1; ++i) {
    const std::string name = cables.CableNameAt(i);
    const int32_t r = cables.CableResistanceAt(i);
    const int32_t c = cables.CableCapacitanceAt(i);
    const int32_t z = cables.CableWaveImpedanceAt(i);
    if (i < 1 || i > cables.CableCount()) {
      LUCH_FUZZ_CHECK(name.empty() && r == 0 && c == 0 && z == 0);
      continue;
    }
    // The first row of that name answers a lookup by name.
    int first = 1;
    while (cables.CableNameAt(first) != name) ++first;
    LUCH_FUZZ_CHECK(cables.CableResistanceByName(name) == cables.CableResistanceAt(first));
    LUCH_FUZZ_CHECK(cables.CableCapacitanceByName(name) == cables.CableCapacitanceAt(first));
    LUCH_FUZZ_CHECK(cables.CableWaveImpedanceByName(name) == cables.CableWaveImpedanceAt(first));
  }
  LUCH_FUZZ_CHECK(cables.CableResistanceByName("нет такого кабеля\x01") == 0);
}

void CheckBlocks(const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  const int count = blocks.BlockCount();
  LUCH_FUZZ_CHECK(count >= 0 && count <= kMaxBlockTypes);
  for (int b = -1; b <= kMaxBlockTypes; ++b) {
    const std::string name = blocks.BlockNameAt(b);
    const double umin = blocks.BlockUmin(b);
    LUCH_FUZZ_CHECK(std::isfinite(umin));
    if (b < 0 || b >= kMaxBlockTypes) {
      // Beyond the name search: read from the file, never found by name.
      if (!name.empty()) LUCH_FUZZ_CHECK(blocks.BlockIndexByName(name) != b);
      continue;
    }
    const int found = blocks.BlockIndexByName(name);
    if (b < count) {
      LUCH_FUZZ_CHECK(found >= 0 && found <= b && blocks.BlockNameAt(found) == name);
    } else if (found >= 0) {
      LUCH_FUZZ_CHECK(found < count && blocks.BlockNameAt(found) == name);
    }
    // A type the file does not hold: one regime lookup stands for all 31
    // (every lookup of every index would dominate the time of a run).
    const bool absent = name.empty() && umin == 8.0 && blocks.RegimeNameAt(b, 1).empty() &&
                        blocks.RegimePowerAt(b, 1) == 100 && blocks.RegimeCurrentAt(b, 1) == 0.0;
    for (int r = 0; r <= (absent ? 1 : kMaxRegimes + 1); ++r) {
      const std::string regime = blocks.RegimeNameAt(b, r);
      static_cast<void>(blocks.RegimePowerAt(b, r));  // any whole number is a valid answer
      const double current = blocks.RegimeCurrentAt(b, r);
      LUCH_FUZZ_CHECK(std::isfinite(current));
      if (r < 1 || r > kMaxRegimes) continue;  // read from the file, not searched by name
      const int32_t by_name_power = blocks.RegimePowerByName(b, regime);
      const double by_name_current = blocks.RegimeCurrentByName(b, regime);
      LUCH_FUZZ_CHECK(std::isfinite(by_name_current));
      if (regime.empty()) LUCH_FUZZ_CHECK(by_name_power == 0 && by_name_current == 0.0);
    }
  }
  LUCH_FUZZ_CHECK(blocks.BlockIndexByName("нет такого блока\x01") == -1 ||
                  blocks.BlockNameAt(blocks.BlockIndexByName("нет такого блока\x01")) ==
                      "нет такого блока\x01");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts =
      fuzz::SplitParts(std::string_view(reinterpret_cast<const char*>(data), size), 2);
  fuzz::PutFile(kCableFileName, parts[0]);
  fuzz::PutFile(kBlockFileName, parts.back());

  CableLibrary cables;
  const int loaded = cables.LoadCables(fuzz::DataDir());
  CheckCables(cables, loaded);

  // Saved and loaded again, the library is the same (names keep their blanks
  // and quotes; a character of a UTF-8 file without a Windows-1251 form comes
  // back as "?"), and saving it again writes the same bytes.
  const auto cable_file = fuzz::DataDir() / Utf8Path(kCableFileName);
  LUCH_FUZZ_CHECK(cables.SaveCables(fuzz::DataDir()));
  std::string first_save;
  LUCH_FUZZ_CHECK(ReadFileBytes(cable_file, first_save));
  CableLibrary again;
  again.LoadCables(fuzz::DataDir());
  LUCH_FUZZ_CHECK(again.CableCount() == cables.CableCount());
  if (parts[0].find('\x98') == std::string_view::npos &&
      fuzz::SurvivesCp1251(FileTextToUtf8(parts[0]))) {
    for (int i = 1; i <= cables.CableCount(); ++i) {
      LUCH_FUZZ_CHECK(again.CableNameAt(i) == cables.CableNameAt(i));
      LUCH_FUZZ_CHECK(again.Row(i)->note == cables.Row(i)->note);
      LUCH_FUZZ_CHECK(again.CableResistanceAt(i) == cables.CableResistanceAt(i));
    }
  }
  LUCH_FUZZ_CHECK(again.SaveCables(fuzz::DataDir()));
  std::string second_save;
  LUCH_FUZZ_CHECK(ReadFileBytes(cable_file, second_save));
  LUCH_FUZZ_CHECK(first_save == second_save);

  const BlockLibrary blocks(fuzz::DataDir());
  CheckBlocks(blocks);
  return 0;
}
