// TChangeCbl "Замена кабеля в проекте": picks the cable type to replace and the
// new one from two lists of the cable library. A thin view over ChangeCblLogic.
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/platform.h"
#include "editing/cable_replacement.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace luch {

class CableLibrary;

class TChangeCbl : public QDialog {
  Q_OBJECT
 public:
  // FormCreate runs here: both lists are filled and the saved place applied.
  TChangeCbl(std::filesystem::path data_dir, const CableLibrary& cables, Platform platform,
             QWidget* parent = nullptr);

  // Shows the dialog modally and gives how it closed and the two edit texts;
  // the caller replaces only when ShouldReplace(choice).
  static ReplacementChoice Execute(const std::filesystem::path& data_dir,
                                   const CableLibrary& cables, Platform platform,
                                   QWidget* parent = nullptr);

  ReplacementChoice Choice() const;

 public slots:
  void ListBoxFromDblClick();
  void ListBoxToDblClick();

 protected:
  // FormClose: every closing (OK, Cancel, Esc, close box) saves the place.
  void done(int result) override;

 private:
  ChangeCblLogic logic_;
  QGroupBox* GroupBox1;
  QLineEdit* EditFrom;
  QListWidget* ListBoxFrom;
  QGroupBox* GroupBox2;
  QLineEdit* EditTo;
  QListWidget* ListBoxTo;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace luch
