#include "library/carried_library.h"

#include "common/numbers.h"
#include "library/block_library.h"
#include "library/block_window.h"
#include "library/cable_file_format.h"
#include "library/cable_window.h"

namespace luch {
namespace {

using cable_file::kCapacitance;
using cable_file::kName;
using cable_file::kNote;
using cable_file::kResistance;
using cable_file::kWave;

// The keys whose values differ, "key=value" for each side.
std::string Difference(const CarriedType& project, const CarriedType& library) {
  std::string ours, theirs;
  const auto differs = [&](const std::string& key) {
    const std::string a = project.Value(key), b = library.Value(key);
    if (a == b) return;
    ours += (ours.empty() ? "" : ", ") + key + "=" + a;
    theirs += (theirs.empty() ? "" : ", ") + key + "=" + b;
  };
  for (const auto& [key, value] : project.keys) differs(key);
  for (const auto& [key, value] : library.keys) {
    if (project.Value(key).empty()) differs(key);
  }
  if (ours.empty() && theirs.empty()) return {};
  return "в проекте " + ours + ", в библиотеке " + theirs;
}

}  // namespace

CarriedType CarriedCable(const CableType& type) {
  return {type.name,
          {{kName, type.name},
           {kResistance, std::to_string(LeadingInteger(type.resistance))},
           {kCapacitance, std::to_string(LeadingInteger(type.capacitance))},
           {kWave, std::to_string(LeadingInteger(type.wave_impedance))},
           {kNote, type.note}}};
}

CableType CableFromCarried(const CarriedType& type) {
  CableType cable;
  cable.name = type.name;
  cable.resistance = std::to_string(LeadingInteger(type.Value(kResistance)));
  cable.capacitance = std::to_string(LeadingInteger(type.Value(kCapacitance)));
  cable.wave_impedance = std::to_string(LeadingInteger(type.Value(kWave)));
  cable.note = type.Value(kNote);
  return cable;
}

CarriedType CarriedBlock(const BlockLibrary& blocks, int b) {
  CarriedType type;
  type.name = blocks.BlockNameAt(b);
  type.keys = blocks.SectionKeys(b);
  return type;
}

CarriedTypes TypesToCarry(const std::vector<std::string>& cable_names,
                          const std::vector<std::string>& block_names, const CableLibrary& cables,
                          const BlockLibrary& blocks, const CarriedTypes& previous) {
  CarriedTypes carry;
  BlockLibrary::Batch batch(blocks);
  for (const std::string& name : cable_names) {
    if (const int i = name.empty() ? 0 : cables.FindByName(name); i > 0) {
      carry.cables.push_back(CarriedCable(*cables.Row(i)));
    } else if (const CarriedType* kept = FindCarried(previous.cables, name)) {
      carry.cables.push_back(*kept);
    }
  }
  for (const std::string& name : block_names) {
    if (const int b = name.empty() ? -1 : blocks.BlockIndexByName(name); b >= 0) {
      carry.blocks.push_back(CarriedBlock(blocks, b));
    } else if (const CarriedType* kept = FindCarried(previous.blocks, name)) {
      carry.blocks.push_back(*kept);
    }
  }
  // A type the project brought and the library lacks is never dropped.
  for (const CarriedType& type : previous.cables) {
    if (!cables.Contains(type.name) && !FindCarried(carry.cables, type.name)) {
      carry.cables.push_back(type);
    }
  }
  for (const CarriedType& type : previous.blocks) {
    if (blocks.BlockIndexByName(type.name) < 0 && !FindCarried(carry.blocks, type.name)) {
      carry.blocks.push_back(type);
    }
  }
  return carry;
}

CarriedTypes MissingTypes(const std::vector<std::string>& cable_names,
                          const std::vector<std::string>& block_names, const CableLibrary& cables,
                          const BlockLibrary& blocks, const CarriedTypes& carried) {
  CarriedTypes missing;
  for (const std::string& name : cable_names) {
    const CarriedType* type = FindCarried(carried.cables, name);
    if (type && !cables.Contains(name)) missing.cables.push_back(*type);
  }
  BlockLibrary::Batch batch(blocks);
  for (const std::string& name : block_names) {
    const CarriedType* type = FindCarried(carried.blocks, name);
    if (type && blocks.BlockIndexByName(name) < 0) missing.blocks.push_back(*type);
  }
  return missing;
}

std::string MissingTypesQuestion(const CarriedTypes& missing) {
  std::string names;
  const auto name = [&](const char* kind, const CarriedType& type) {
    names += (names.empty() ? "" : ", ") + std::string(kind) + " «" + type.name + "»";
  };
  for (const CarriedType& type : missing.cables) name("кабель", type);
  for (const CarriedType& type : missing.blocks) name("блок", type);
  return "В проекте есть типы, которых нет в библиотеке: " + names + ". Добавить их в библиотеку?";
}

void AddCarriedTypes(const CarriedTypes& types, CableWindow& cables, BlockWindow& blocks) {
  std::vector<CableType> cable_types;
  for (const CarriedType& type : types.cables) cable_types.push_back(CableFromCarried(type));
  cables.AddTypes(cable_types);
  std::vector<std::vector<std::pair<std::string, std::string>>> block_types;
  for (const CarriedType& type : types.blocks) block_types.push_back(type.keys);
  blocks.AddTypes(block_types);
}

std::vector<std::string> DifferingTypes(const CableLibrary& cables, const BlockLibrary& blocks,
                                        const CarriedTypes& carried) {
  std::vector<std::string> lines;
  for (const CarriedType& type : carried.cables) {
    const int i = type.name.empty() ? 0 : cables.FindByName(type.name);
    if (i == 0) continue;
    const std::string difference = Difference(type, CarriedCable(*cables.Row(i)));
    if (!difference.empty()) lines.push_back("Тип кабеля «" + type.name + "»: " + difference);
  }
  BlockLibrary::Batch batch(blocks);
  for (const CarriedType& type : carried.blocks) {
    const int b = type.name.empty() ? -1 : blocks.BlockIndexByName(type.name);
    if (b < 0) continue;
    const std::string difference = Difference(type, CarriedBlock(blocks, b));
    if (!difference.empty()) lines.push_back("Тип блока «" + type.name + "»: " + difference);
  }
  return lines;
}

}  // namespace luch
