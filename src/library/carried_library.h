// Library types to and from the form a project file carries them in
// (carried_types.h), and what a received project's types mean here.
#pragma once

#include <string>
#include <vector>

#include "library/cable_library.h"
#include "library/carried_types.h"

namespace luch {

class BlockLibrary;
class BlockWindow;
class CableWindow;

// A cable type as Кабель.ini holds it (whole numbers for the three values).
CarriedType CarriedCable(const CableType& type);
CableType CableFromCarried(const CarriedType& type);
// Block type b as Блок.ini holds it: "Название", the regime keys it has, "Umin".
CarriedType CarriedBlock(const BlockLibrary& blocks, int b);

// The types to write with a project whose rows name `cable_names` and
// `block_names` (each name once, in row order): a name the library knows as
// the library has it (first match), else as `previous` carried it; then every
// type of `previous` that the library lacks and that is not written yet.
CarriedTypes TypesToCarry(const std::vector<std::string>& cable_names,
                          const std::vector<std::string>& block_names, const CableLibrary& cables,
                          const BlockLibrary& blocks, const CarriedTypes& previous);

// The carried types that the rows name and the library lacks.
CarriedTypes MissingTypes(const std::vector<std::string>& cable_names,
                          const std::vector<std::string>& block_names, const CableLibrary& cables,
                          const BlockLibrary& blocks, const CarriedTypes& carried);

// "В проекте есть типы, которых нет в библиотеке: кабель «A», блок «B».
// Добавить их в библиотеку?"
std::string MissingTypesQuestion(const CarriedTypes& missing);

// Adds `types` through the library windows' add paths (Кабель.ini and
// Блок.ini are written as the windows write them).
void AddCarriedTypes(const CarriedTypes& types, CableWindow& cables, BlockWindow& blocks);

// One line for each carried type whose values differ from the library's type
// of the same name, naming both: "Тип кабеля «КСПВ»: в проекте
// Сопротивление=92, в библиотеке Сопротивление=100".
std::vector<std::string> DifferingTypes(const CableLibrary& cables, const BlockLibrary& blocks,
                                        const CarriedTypes& carried);

}  // namespace luch
