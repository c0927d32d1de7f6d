// The copper wire calculator "Расчет сопротивления медного провода" (TWire),
// a modal dialog over WireCalculator. exec() gives QDialog::Accepted for
// "&Текущий кабель" and QDialog::Rejected for "&Закрыть" or Esc; the caller
// then reads logic().wire_resistance().
#pragma once

#include <QDialog>
#include <string>

#include "common/platform.h"
#include "library/wire_calculator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace luch {

class TWire : public QDialog {
  Q_OBJECT
 public:
  // Shows the result for the initial inputs at once; numbers use the
  // decimal separator of `locale`.
  explicit TWire(const Locale& locale, QWidget* parent = nullptr);

  // Names the cable type that "&Текущий кабель" writes to (CurrentCableText)
  // beside the button, which is disabled when no row is selected (row < 1).
  void SetCurrentCable(int row, const std::string& name);

  WireCalculator& logic() { return logic_; }
  const WireCalculator& logic() const { return logic_; }

 private:
  void EditDChange();
  void ShowResult();

  WireCalculator logic_;
  QLineEdit* EditD;
  QSpinBox* UpDownQ;
  QLabel* Label1;
  QLabel* LabelCable;
  QPushButton* Button2;
};

}  // namespace luch
