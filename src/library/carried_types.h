// The library types a project file carries with it, so that a project mailed
// to a colleague computes there as here: sections "ТипКабеля1", ... with the
// keys of Кабель.ini and "ТипБлока1", ... with the keys of Блок.ini. A reader
// that knows only "Луч" and "Блок1".."БлокN" ignores them.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/file_system.h"
#include "common/profile_file.h"

namespace luch {

// One type: its keys in the library's order, values as the library writes
// them ("Название" first).
struct CarriedType {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;
  bool operator==(const CarriedType&) const = default;
  // The value of `key`; empty when the type has none.
  std::string Value(const std::string& key) const;
};

struct CarriedTypes {
  std::vector<CarriedType> cables;
  std::vector<CarriedType> blocks;
  bool empty() const { return cables.empty() && blocks.empty(); }
  bool operator==(const CarriedTypes&) const = default;
};

inline constexpr const char* kCarriedCableSection = "ТипКабеля";
inline constexpr const char* kCarriedBlockSection = "ТипБлока";

// Sections ТипКабеля1.. and ТипБлока1.., each up to the first missing one; a
// section without "Название" is skipped.
CarriedTypes ReadCarriedTypes(const ProfileFile& file);
// The same from the file at `path`; nothing when it cannot be read.
CarriedTypes ReadCarriedTypes(const std::filesystem::path& path,
                              FileSystem& files = RealFileSystem());

// Removes every numbered section of both names, then writes `types`.
void WriteCarriedTypes(ProfileFile& file, const CarriedTypes& types);

// The type named `name` in `types`; nullptr when none.
const CarriedType* FindCarried(const std::vector<CarriedType>& types, const std::string& name);

}  // namespace luch
