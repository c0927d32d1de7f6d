// The copper wire calculator "Расчет сопротивления медного провода" (TWire),
// a modal dialog over WireCalculator. exec() gives QDialog::Accepted for
// "&Текущий кабель" and QDialog::Rejected for "&Закрыть" or Esc; the caller
// then reads logic().wire_resistance().
#pragma once

#include <QDialog>

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

  WireCalculator& logic() { return logic_; }
  const WireCalculator& logic() const { return logic_; }

 private:
  void EditDChange();
  void ShowResult();

  WireCalculator logic_;
  QLineEdit* EditD;
  QSpinBox* UpDownQ;
  QLabel* Label1;
};

}  // namespace luch
