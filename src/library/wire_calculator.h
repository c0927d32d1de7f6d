// The copper wire calculator "Расчет сопротивления медного провода" (TWire)
// without its widgets: the resistance per kilometre of a bundle of copper
// wires from the diameter of one wire and the number of wires.
#pragma once

#include <string>
#include <string_view>

#include "common/platform.h"
#include "common/settings_file.h"

namespace luch {

namespace wire_texts {
inline constexpr const char* kCaption = "Расчет сопротивления медного провода";
inline constexpr const char* kGroupBox1 = "Диаметр одной жилы (мм)";
inline constexpr const char* kGroupBox2 = "Количество жил";
inline constexpr const char* kEditD = "0.50";
inline constexpr const char* kEditQ = "1";
inline constexpr const char* kLabel1 = "Сопротивление (Ом/км): ";
inline constexpr const char* kResultPattern = "###.#";
inline constexpr const char* kButton1 = "&Закрыть";
inline constexpr const char* kButton2 = "&Текущий кабель";
inline constexpr const char* kCurrentCable = "Текущий кабель: ";
inline constexpr const char* kNoName = "без названия";
inline constexpr const char* kRow = "строка ";
inline constexpr const char* kNoCable = "Кабель не выбран";
}  // namespace wire_texts

// The line beside "&Текущий кабель" naming the cable type it writes to: row
// `row` (1-based) of the cable window, named `name`:
//   "Текущий кабель: КСПВ 2х0,5 (строка 3)", "Текущий кабель: без названия (строка 1)";
// "Кабель не выбран" when row < 1 (the button is then disabled).
std::string CurrentCableText(int row, const std::string& name);

// 17 Ohm·mm²/km, the resistivity of copper.
inline constexpr double kCopperResistivity = 17.0;

// R = 17 / S / n in Ohm per km with S = π·d²/4 (mm², rounded to float) and R
// rounded to float; `diameter_mm` has already been rounded to float. A
// diameter so small that S rounds to 0 gives +infinity.
float CopperWireResistance(float diameter_mm, int wires);

class WireCalculator {
 public:
  // The design place: Left 254, Top 164, Width 573, Height 283.
  static constexpr WindowGeometry kDesign{.top = 164, .left = 254, .height = 283, .width = 573};
  static constexpr int kMinWires = 1;
  static constexpr int kMaxWires = 1000;

  // Computes at once for the initial inputs "0.50" and 1 wire.
  explicit WireCalculator(const Locale& locale);

  // The last computed resistance, Ohm per km; 0 before the first result.
  float wire_resistance() const { return wire_resistance_; }
  const std::string& label1_caption() const { return label1_caption_; }
  int wire_count() const { return wires_; }

  // EditD changed: d = LeadingTypedReal of the text ("," or "."), rounded to float.
  // A diameter of 0 (or one too small to compute) shows the caption alone and
  // keeps the last result; a negative one counts as its absolute value.
  void EditDChange(std::string_view edit_d_text);
  // Text typed into EditQ: a whole number 1..1000 becomes the wire count,
  // anything else keeps the last one. Computes nothing.
  void EditQChange(std::string_view edit_q_text);
  // An arrow of UpDownQ moved the count to `position` (held to 1..1000):
  // computes again with the current diameter text.
  void UpDownQClick(int position);

 private:
  const Locale& locale_;
  std::string edit_d_text_ = wire_texts::kEditD;
  int wires_ = kMinWires;
  float wire_resistance_ = 0.0f;
  std::string label1_caption_ = wire_texts::kLabel1;
};

}  // namespace luch
