// The calculator of the cable length between two houses (TDomLen), a thin
// view over DomLenWindow. The main window creates it hidden at start-up and
// shows it with show() from "&Расстояние между домами"; closing it only hides
// it and stores its place, its entries stay.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "common/platform.h"
#include "tools/house_cable_length.h"

class QLabel;
class QLineEdit;

namespace luch {

class TDomLen : public QWidget {
  Q_OBJECT
 public:
  // Reads the window's place from Tarvel.ini in `data_dir` and shows L for
  // the design values. A failed write of the place at closing is reported
  // through `platform`.
  TDomLen(std::filesystem::path data_dir, Platform platform, QWidget* parent = nullptr);

  DomLenWindow& logic() { return logic_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void MaskEdit3Change();
  QLineEdit* AddMaskEdit(const char* name, const char* mask, const char* text, int left, int top,
                         int positions);

  DomLenWindow logic_;
  QLineEdit* MaskEdit1;
  QLineEdit* MaskEdit2;
  QLineEdit* MaskEdit3;
  QLabel* Label1;
};

// The fixed picture of the window (400 × 300): grey ground, a low house at
// the bottom left, a tall one at the right, the cable from roof to roof and
// the distance line between the houses.
QPixmap DrawHousesPicture();

}  // namespace luch
