// The cable length between two houses (TDomLen) without its widgets: a cable
// strung from roof to roof, each storey counting 3 m of height.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "common/settings_file.h"

namespace luch {

namespace dom_len_texts {
inline constexpr const char* kCaption = "Расчет длины кабеля между домами";
inline constexpr const char* kLabel1Design = "L=000 м";
inline constexpr const char* kMaskEdit1 = "12";
inline constexpr const char* kMaskEdit2 = "18";
inline constexpr const char* kMaskEdit3 = "100";
}  // namespace dom_len_texts

inline constexpr const char* kDomLenSection = "DomLen";

// The whole number of a masked field's text as shown: each of the mask's
// blanks "_" is a blank, then LeadingInteger, so "_5" and "5_" read 5, "1_5"
// reads 1 (the digits end at the blank) and "__" reads 0.
int32_t MaskedFieldValue(std::string_view text);

// L in whole metres for house heights h1, h2 (storeys) and distance d (m):
// equal heights give d itself; otherwise sqrt(9·dh² + d²), narrowed to float,
// plus 0.99 and truncated, i.e. rounded up unless the fraction is below 0.01.
int64_t HouseCableLength(int32_t h1, int32_t h2, int32_t d);

// "L=" + L + " м".
std::string HouseCableLengthText(int64_t length_m);

class DomLenWindow {
 public:
  // The design place: 487 × 420 at left 246, top 123.
  static constexpr WindowGeometry kDesign{.top = 123, .left = 246, .height = 420, .width = 487};

  DomLenWindow(std::filesystem::path data_dir, Platform platform);

  const std::string& label1_caption() const { return label1_caption_; }

  // Reads the window's place from section "DomLen" (design values as
  // defaults, pulled back onto the screen) and computes for the design values.
  WindowGeometry FormCreate();
  // A change of any of the three fields: recomputes Label1 from their texts.
  void MaskEdit3Change(std::string_view mask_edit1, std::string_view mask_edit2,
                       std::string_view mask_edit3);
  // Stores the place in section "DomLen"; a failed write is reported.
  void FormClose(const WindowGeometry& geometry);

 private:
  std::filesystem::path data_dir_;
  Platform platform_;
  std::string label1_caption_ = dom_len_texts::kLabel1Design;
};

}  // namespace luch
