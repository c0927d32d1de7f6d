// TChangeCbl "Замена кабеля в проекте": picks the cable type to replace and the
// new one from two lists of the cable library. A thin view over ChangeCblLogic.
#pragma once

#include <filesystem>

#include "common/platform.h"
#include "editing/cable_replacement.h"
#include "editing/ui/replacement_window.h"

class QGroupBox;
class QListWidget;
class QPushButton;

namespace luch {

class CableLibrary;

class TChangeCbl : public ReplacementWindow {
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

 public slots:
  void ListBoxFromDblClick();
  void ListBoxToDblClick();

 private:
  ChangeCblLogic logic_;
  QGroupBox* GroupBox1;
  QListWidget* ListBoxFrom;
  QGroupBox* GroupBox2;
  QListWidget* ListBoxTo;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace luch
