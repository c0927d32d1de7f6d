// Profile (INI) files as a colleague may send them: parse, read every section
// and key, write, and check that the written bytes read back the same.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251.h"
#include "common/profile_file.h"
#include "fuzz_support.h"

namespace {

using luch::ProfileFile;

// Key names to ask for: those the file seems to hold and the program's own.
std::vector<std::string> CandidateKeys(std::string_view bytes) {
  std::set<std::string> keys = {"Название", "Блоков", "P1", "missing"};
  const std::string text = luch::FileTextToUtf8(bytes);
  size_t start = 0;
  while (start < text.size() && keys.size() < 12) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos && equals <= 64) keys.emplace(line.substr(0, equals));
    start = end + 1;
  }
  return {keys.begin(), keys.end()};
}

// Every read of every section/key pair, as one text.
// (The first 8 sections and 12 keys: a run must stay short, and more find
// nothing new.)
std::string ReadEverything(const ProfileFile& file, const std::vector<std::string>& keys) {
  std::string all;
  std::vector<std::string> sections = file.SectionNames();
  if (sections.size() > 8) sections.resize(8);
  for (const std::string& section : sections) {
    all += section;
    all += file.SectionExists(section) ? "+" : "-";
    for (const std::string& key : keys) {
      all += file.KeyExists(section, key) ? "k" : "_";
      all += file.ReadString(section, key, "<none>");
      all += '|';
      all += std::to_string(file.ReadInteger(section, key, -7));
      const double real = file.ReadReal(section, key, -7.5);
      LUCH_FUZZ_CHECK(std::isfinite(real));
      all += std::to_string(real);
      all += '\n';
    }
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ProfileFile file = ProfileFile::FromBytes(bytes);
  const std::vector<std::string> keys = CandidateKeys(bytes);
  const std::string reads = ReadEverything(file, keys);

  for (const std::string& key : keys) {
    LUCH_FUZZ_CHECK(luch::Utf8Length(file.ReadString("Луч", key, "")) <= 2047);
  }

  // The written form (Windows-1251) is a fixed point: writing what was read
  // changes nothing, and it reads as the original did (the one byte without a
  // character, 0x98, comes back as "?"; a character of a UTF-8 file without a
  // Windows-1251 form as "?" too). Written bytes that happen to be valid
  // UTF-8 with a Cyrillic letter read as UTF-8 (IsUtf8File): not a fixed point.
  const std::string once = file.ToBytes();
  const bool survives = bytes.find('\x98') == std::string_view::npos &&
                        luch::fuzz::SurvivesCp1251(luch::FileTextToUtf8(bytes));
  if (!luch::IsUtf8File(once)) {
    const ProfileFile reread = ProfileFile::FromBytes(once);
    LUCH_FUZZ_CHECK(reread.ToBytes() == once);
    if (survives) LUCH_FUZZ_CHECK(ReadEverything(reread, keys) == reads);
  }

  // Writing keys into sections the file holds, and into a new one.
  std::vector<std::string> sections = file.SectionNames();
  if (sections.size() > 8) sections.resize(8);
  sections.push_back("Новая секция");
  double real = 0.0;
  if (size >= sizeof real) std::memcpy(&real, data, sizeof real);
  for (const std::string& section : sections) {
    file.WriteString(section, "ФаззКлюч", " текст = с пробелами ");
    file.WriteInteger(section, "ФаззЧисло", static_cast<int64_t>(size) - 100);
    file.WriteReal(section, "ФаззВещ", real, ',');
    LUCH_FUZZ_CHECK(file.ReadString(section, "фаззключ", "") == "текст = с пробелами");
    LUCH_FUZZ_CHECK(file.ReadInteger(section, "ФАЗЗЧИСЛО", 0) == static_cast<int>(size) - 100);
    LUCH_FUZZ_CHECK(file.SectionExists(section));
    const double back = file.ReadReal(section, "ФаззВещ", -1.0);
    if (std::isfinite(real) && std::fabs(real) > 1e-300 && std::fabs(real) < 1e300) {
      LUCH_FUZZ_CHECK(std::fabs(back - real) <= std::fabs(real) * 1e-14);
    }
  }
  if (survives) {
    const ProfileFile written = ProfileFile::FromBytes(file.ToBytes());
    for (const std::string& section : sections) {
      LUCH_FUZZ_CHECK(written.ReadString(section, "ФаззКлюч", "") == "текст = с пробелами");
    }
  }
  for (const std::string& section : sections) {
    file.DeleteKey(section, "ФаззКлюч");
    LUCH_FUZZ_CHECK(!file.KeyExists(section, "ФаззКлюч"));
    file.EraseSection(section);
    LUCH_FUZZ_CHECK(!file.SectionExists(section));
  }
  file.Clear();
  LUCH_FUZZ_CHECK(file.ToBytes().empty());
  return 0;
}
