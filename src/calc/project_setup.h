// The project parameters dialog TSetup without its window: the five edit
// texts, the preset buttons and the reading back on OK.
#pragma once

#include <string>

#include "project/project_parameters.h"

namespace luch {

// The dialog's texts.
namespace setup_texts {
inline constexpr const char* kCaption = "Параметры проекта";
inline constexpr const char* kGroupZB = "Сопротивление блоков грозозащиты (Ом)";
inline constexpr const char* kGroupStep = "Точность расчета напряжения (Вольт)";
inline constexpr const char* kGroupImax = "Максимальный ток КМУ (ма)";
inline constexpr const char* kGroupC = "Допустимая емкость кабеля (мкФ)";
inline constexpr const char* kGroupL = "Допустимая индуктивность кабеля (мГн)";
inline constexpr const char* kButtonZB2 = "ЗБ-2";
inline constexpr const char* kButtonZB3 = "ЗБ-3";
inline constexpr const char* kButtonUsual = "Обычная";
inline constexpr const char* kButtonHigh = "Высокая";
inline constexpr const char* kButtonTok = "Обычный";
inline constexpr const char* kButtonNoCheck = "Не проверять";  // Button3, Button4
inline constexpr const char* kButtonOK = "&ОК";                // Button2
inline constexpr const char* kButtonCancel = "&Отмена";        // Button1
}  // namespace setup_texts

class ProjectSetup {
 public:
  // Fills the edit texts from the parameters: "%2.1f", "%1.3f", "%3.1f",
  // "%1.3f", "%1.3f" ("." always).
  explicit ProjectSetup(const ProjectParameters& params);

  // The texts of the edit boxes, as shown and typed.
  std::string EditRZB;
  std::string EditStep;
  std::string EditImax;
  std::string EditC;
  std::string EditL;

  // Presets: each only replaces the text of its edit box.
  void ButtonZB2Click() { EditRZB = "40.0"; }
  void ButtonZB3Click() { EditRZB = "4.0"; }
  void ButtonUsualClick() { EditStep = "0.010"; }
  void ButtonHighClick() { EditStep = "0.001"; }
  void ButtonTokClick() { EditImax = "1000.0"; }
  void Button3Click() { EditC.clear(); }
  void Button4Click() { EditL.clear(); }

  // OK: reads the edit texts back, in the order EditRZB, EditStep, EditImax,
  // EditC, EditL, by the leading-number rule ("." only; no number gives 0),
  // each rounded to 32 bits. No range check; a number beyond the 32-bit range
  // is kept at the largest 32-bit value of its sign. The supply voltage stays.
  void Apply(ProjectParameters& params) const;
};

}  // namespace luch
