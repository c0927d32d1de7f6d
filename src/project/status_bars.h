// The texts of the main window's two status bars.
#pragma once

#include <array>
#include <string>

namespace luch {

struct StatusBars {
  // StatusBar1: 0 project file, 1 block count, 2 problems, 3 current, 4 state.
  std::array<std::string, 5> bar1{"Файл:", "Блоков:", "Проблем:", "Ток:", ""};
  // StatusBar2: 0 length, 1 resistance, 2 capacitance, 3 inductance.
  std::array<std::string, 4> bar2{"Длина", "Сопротивление", "Ёмкость", "Индуктивность"};

  // The panels a calculation writes go back to their design texts.
  void ClearCalculation() {
    const StatusBars design;
    for (size_t i = 2; i < bar1.size(); ++i) bar1[i] = design.bar1[i];
    bar2 = design.bar2;
  }
};

}  // namespace luch
