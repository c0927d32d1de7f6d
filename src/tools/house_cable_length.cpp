#include "tools/house_cable_length.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/numbers.h"

namespace luch {

int32_t MaskedFieldValue(std::string_view text) {
  std::string shown(text);
  std::replace(shown.begin(), shown.end(), '_', ' ');
  return LeadingInteger(shown);
}

int64_t HouseCableLength(int32_t h1, int32_t h2, int32_t d) {
  const int64_t dh = std::llabs(int64_t{h1} - h2);
  if (dh == 0) return d;
  // The squares are exact in double for any field value; computing them in
  // double keeps the whole 32-bit range free of overflow.
  const double dhd = static_cast<double>(dh);
  const double dd = d;
  const float s = static_cast<float>(std::sqrt(9.0 * (dhd * dhd) + dd * dd));
  return static_cast<int64_t>(static_cast<double>(s) + 0.99);
}

std::string HouseCableLengthText(int64_t length_m) {
  return "L=" + std::to_string(length_m) + " м";
}

DomLenWindow::DomLenWindow(std::filesystem::path data_dir, Platform platform)
    : data_dir_(std::move(data_dir)), platform_(platform) {}

WindowGeometry DomLenWindow::FormCreate() {
  const WindowGeometry geometry = LoadWindowGeometry(data_dir_, kDomLenSection, kDesign, platform_);
  MaskEdit3Change(dom_len_texts::kMaskEdit1, dom_len_texts::kMaskEdit2, dom_len_texts::kMaskEdit3);
  return geometry;
}

void DomLenWindow::MaskEdit3Change(std::string_view mask_edit1, std::string_view mask_edit2,
                                   std::string_view mask_edit3) {
  label1_caption_ = HouseCableLengthText(HouseCableLength(
      MaskedFieldValue(mask_edit1), MaskedFieldValue(mask_edit2), MaskedFieldValue(mask_edit3)));
}

void DomLenWindow::FormClose(const WindowGeometry& geometry) {
  StoreWindowGeometry(data_dir_, kDomLenSection, geometry, platform_);
}

}  // namespace luch
