// A project carries the cable and block types its rows use: what a save
// writes, what the old reader still reads, and what a received project keeps.
#include <gtest/gtest.h>

#include "app/main_state_fixture.h"
#include "library/carried_library.h"
#include "project/project_file.h"

namespace luch {
namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

CableType ChangedResistance(CableType type, const char* resistance) {
  type.resistance = resistance;
  return type;
}

class CarriedTypesTest : public MainStateTest {
 protected:
  void SetUp() override {
    for (const char* name : {"Кабель.ini", "Блок.ini", "Дом 5.луч"}) {
      std::filesystem::copy(kExamples / Utf8Path(name), dir / name);
    }
    cables.LoadCables(dir.path());
    ASSERT_TRUE(state.LoadProject(ProjectPath("Дом 5.луч")));
  }
  CarriedTypes Saved(const char* name) {
    EXPECT_TRUE(state.SaveProject(ProjectPath(name)));
    return ReadCarriedTypes(dir / name);
  }
};

TEST_F(CarriedTypesTest, ASaveCarriesTheUsedTypesAndReadsAsBeforeWithoutThem) {
  const CarriedTypes carried = Saved("Копия.луч");
  const std::vector<std::string> cable_names = NamesInColumn(state.table(), kCableName);
  const std::vector<std::string> block_names = NamesInColumn(state.table(), kBlockName);
  ASSERT_EQ(carried.cables.size(), cable_names.size());
  ASSERT_EQ(carried.blocks.size(), block_names.size());
  for (size_t k = 0; k < cable_names.size(); ++k) {
    EXPECT_EQ(carried.cables[k], CarriedCable(*cables.Row(cables.FindByName(cable_names[k]))));
  }
  for (size_t k = 0; k < block_names.size(); ++k) {
    EXPECT_EQ(carried.blocks[k], CarriedBlock(blocks, blocks.BlockIndexByName(block_names[k])));
  }

  // A reader that knows only the rows reads the project that a save without
  // the types writes.
  ASSERT_TRUE(SaveProjectFile(dir / "Без типов.луч", state.table(), state.params(), ','));
  ProjectTable original, copy;
  ProjectParameters original_params, copy_params;
  ASSERT_TRUE(LoadProjectFile(dir / "Без типов.луч", original, original_params));
  ASSERT_TRUE(LoadProjectFile(dir / "Копия.луч", copy, copy_params));
  EXPECT_EQ(copy, original);
  EXPECT_EQ(copy_params, original_params);

  // The next save replaces the sections: a shorter ray carries fewer types.
  state.SetBlockCount(1);
  const CarriedTypes shorter = Saved("Копия.луч");
  EXPECT_EQ(shorter.cables.size(), 1u);
  EXPECT_EQ(shorter.blocks.size(), 1u);
  EXPECT_EQ(dir.Read("Копия.луч").find("ТипКабеля2"), std::string::npos);
}

TEST_F(CarriedTypesTest, AReceivedTypeIsKeptAndADifferentOneIsNamedWithBothValues) {
  const std::string library_resistance = cables.Row(1)->resistance;
  // A colleague's file: a cable unknown here, and the first cable of this
  // library with another resistance.
  ProfileFile file(dir / "Чужой.луч");
  file.WriteString("Луч", "Блоков", "1");
  file.WriteString("Блок1", "Кабель", "Чужой кабель");
  file.WriteString("Блок1", "Длина", "10");
  CarriedTypes received{{CarriedCable({.number = "",
                                       .name = "Чужой кабель",
                                       .resistance = "77",
                                       .capacitance = "60",
                                       .wave_impedance = "110",
                                       .note = "из письма"}),
                         CarriedCable(ChangedResistance(*cables.Row(1), "1"))},
                        {}};
  WriteCarriedTypes(file, received);
  ASSERT_TRUE(file.Save());

  ASSERT_TRUE(state.LoadProject(ProjectPath("Чужой.луч")));
  const std::string line =
      "Тип кабеля «" + cables.CableNameAt(1) +
      "»: в проекте Сопротивление=1, в библиотеке Сопротивление=" + library_resistance;
  bool named = false;
  for (const Problem& problem : state.Problems()) named |= problem.text == line;
  EXPECT_TRUE(named);

  // Saving never drops a type the library lacks, nor changes it.
  const CarriedTypes saved = Saved("Чужой.луч");
  ASSERT_FALSE(saved.cables.empty());
  EXPECT_EQ(saved.cables.front(), received.cables.front());
}

}  // namespace
}  // namespace luch
