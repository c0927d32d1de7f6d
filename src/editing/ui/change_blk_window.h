// TChangeBlk "Замена блоков в текущем проекте...": picks the block type to
// replace and the new one, typed, chosen from the block library or taken from
// the remembered pairs of Замена блоков.ini. A thin view over ChangeBlkLogic.
#pragma once

#include <filesystem>

#include "common/platform.h"
#include "editing/block_replacement.h"
#include "editing/ui/replacement_window.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;

namespace luch {

class BlockLibrary;

class TChangeBlk : public ReplacementWindow {
  Q_OBJECT
 public:
  // FormCreate runs here: the list is loaded and the saved place applied.
  TChangeBlk(std::filesystem::path data_dir, const BlockLibrary& blocks, Platform platform,
             QWidget* parent = nullptr);

  // Shows the dialog modally and gives how it closed and the two edit texts;
  // the caller replaces only when ShouldReplace(choice).
  static ReplacementChoice Execute(const std::filesystem::path& data_dir,
                                   const BlockLibrary& blocks, Platform platform,
                                   QWidget* parent = nullptr);

 public slots:
  void ListBox1Click();
  void ButtonSelFromClick();
  void ButtonSelToClick();
  void BitBtnSaveClick();
  void pmDelClick();

 private:
  void ShowBlockChoiceMenu(QLineEdit* target, QPoint at);
  void ShowItems();

  ChangeBlkLogic logic_;
  QListWidget* ListBox1;
  QLabel* Label1;
  QPushButton* ButtonSelFrom;
  QLabel* Label2;
  QPushButton* ButtonSelTo;
  QPushButton* BitBtnSave;
  QPushButton* Button1;
  QPushButton* Button2;
  QMenu* PopupMenu1;
  QAction* pmDel;
  QMenu* PopupMenuBlockName;
};

}  // namespace luch
