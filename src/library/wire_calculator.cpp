#include "library/wire_calculator.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "common/numbers.h"

namespace luch {
namespace {

constexpr double kPi = 3.141592653589793;

}  // namespace

float CopperWireResistance(float diameter_mm, int wires) {
  const double d = diameter_mm;
  const float section = static_cast<float>(kPi * d * d * 0.25);
  return static_cast<float>(kCopperResistivity / section / wires);
}

std::string CurrentCableText(int row, const std::string& name) {
  if (row < 1) return wire_texts::kNoCable;
  return std::string(wire_texts::kCurrentCable) + (name.empty() ? wire_texts::kNoName : name) +
         " (" + wire_texts::kRow + std::to_string(row) + ")";
}

WireCalculator::WireCalculator(const Locale& locale) : locale_(locale) {
  EditDChange(edit_d_text_);
}

void WireCalculator::EditDChange(std::string_view edit_d_text) {
  edit_d_text_ = std::string(edit_d_text);
  label1_caption_ = wire_texts::kLabel1;
  const float d = std::fabs(static_cast<float>(LeadingTypedReal(edit_d_text)));
  if (d == 0.0f) return;
  const float r = CopperWireResistance(d, wires_);
  // A wire too thin for the section to be told from 0 has no useful result.
  if (std::isinf(r)) return;
  wire_resistance_ = r;
  label1_caption_ += FormatPattern(r, wire_texts::kResultPattern, locale_.DecimalSeparator());
}

void WireCalculator::EditQChange(std::string_view edit_q_text) {
  int32_t count = 0;
  if (ParseInteger(edit_q_text, count) && count >= kMinWires && count <= kMaxWires) {
    wires_ = count;
  }
}

void WireCalculator::UpDownQClick(int position) {
  wires_ = std::clamp(position, kMinWires, kMaxWires);
  EditDChange(std::string(edit_d_text_));
}

}  // namespace luch
