#include "library/carried_types.h"

#include <string_view>

#include "common/cp1251.h"
#include "library/block_file_format.h"
#include "library/cable_file_format.h"

namespace luch {
namespace {

// A carried type's section holds its library's keys: its name under that
// library's name key.
std::vector<CarriedType> ReadList(const ProfileFile& file, const std::string& prefix,
                                  const char* name_key) {
  std::vector<CarriedType> types;
  for (int k = 1;; ++k) {
    const std::string section = prefix + std::to_string(k);
    if (!file.SectionExists(section)) break;
    if (!file.KeyExists(section, name_key)) continue;
    CarriedType type;
    type.name = file.ReadString(section, name_key, "");
    for (const auto& [key, value] : file.SectionKeys(section)) type.keys.emplace_back(key, value);
    types.push_back(std::move(type));
  }
  return types;
}

void WriteList(ProfileFile& file, const std::string& prefix,
               const std::vector<CarriedType>& types) {
  for (size_t k = 0; k < types.size(); ++k) {
    const std::string section = prefix + std::to_string(k + 1);
    for (const auto& [key, value] : types[k].keys) {
      file.WriteString(section, key, QuotedIfNeeded(value));
    }
  }
}

}  // namespace

std::string CarriedType::Value(const std::string& key) const {
  for (const auto& [k, v] : keys) {
    if (k == key) return v;
  }
  return {};
}

CarriedTypes ReadCarriedTypes(const ProfileFile& file) {
  return {ReadList(file, kCarriedCableSection, cable_file::kName),
          ReadList(file, kCarriedBlockSection, block_file::kName)};
}

CarriedTypes ReadCarriedTypes(const std::filesystem::path& path, FileSystem& files) {
  const ProfileFile file(path, files);
  if (!file.existed()) return {};
  return ReadCarriedTypes(file);
}

void WriteCarriedTypes(ProfileFile& file, const CarriedTypes& types) {
  file.EraseNumberedSections(kCarriedCableSection);
  file.EraseNumberedSections(kCarriedBlockSection);
  WriteList(file, kCarriedCableSection, types.cables);
  WriteList(file, kCarriedBlockSection, types.blocks);
}

const CarriedType* FindCarried(const std::vector<CarriedType>& types, const std::string& name) {
  for (const CarriedType& type : types) {
    if (type.name == name) return &type;
  }
  return nullptr;
}

}  // namespace luch
