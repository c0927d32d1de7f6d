// TChangeBlk "Замена блоков в текущем проекте...": picks the block type to
// replace and the new one, typed, chosen from the block library or taken from
// the remembered pairs of Замена блоков.ini. A thin view over ChangeBlkLogic.
#pragma once

#include <QDialog>
#include <filesystem>

#include "common/platform.h"
#include "editing/block_replacement.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;

namespace luch {

class BlockLibrary;

class TChangeBlk : public QDialog {
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

  // How it closed (after exec or a button) and the edits' texts.
  ReplacementChoice Choice() const;

 public slots:
  void ListBox1Click();
  void ButtonSelFromClick();
  void ButtonSelToClick();
  void BitBtnSaveClick();
  void pmDelClick();

 protected:
  // FormClose: every closing (OK, Cancel, Esc, close box) saves the place.
  void done(int result) override;

 private:
  void ShowBlockChoiceMenu(QLineEdit* target, QPoint at);
  void ShowItems();
  void ShowEdits();

  ChangeBlkLogic logic_;
  QListWidget* ListBox1;
  QLabel* Label1;
  QLineEdit* EditFrom;
  QPushButton* ButtonSelFrom;
  QLabel* Label2;
  QLineEdit* EditTo;
  QPushButton* ButtonSelTo;
  QPushButton* BitBtnSave;
  QPushButton* Button1;
  QPushButton* Button2;
  QMenu* PopupMenu1;
  QAction* pmDel;
  QMenu* PopupMenuBlockName;
};

}  // namespace luch
