// The block window "Блоки" (TBlock): the list of block types, the regime grid
// of the selected type, its Umin and the status line, a thin view over
// BlockWindow. The main window creates it hidden at start-up (which loads the
// names from Блок.ini) and shows it with show(); closing it (or Esc) only hides
// it, after its place and the names are saved.
#pragma once

#include <filesystem>

#include "common/platform.h"
#include "library/block_library.h"
#include "library/block_window.h"
#include "library/ui/library_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStatusBar;
class QTableView;

namespace luch {

class TextRowsModel;

class TBlock : public LibraryWindow {
  Q_OBJECT
 public:
  // Reads the window's place from Tarvel.ini in `data_dir` and the names from
  // Блок.ini there. `library` serves every block lookup of the program and must
  // outlive the window; it is invalidated after each write. Prompts and
  // messages go through `platform`. The window starts hidden.
  TBlock(std::filesystem::path data_dir, BlockLibrary& library, Platform platform,
         QWidget* parent = nullptr);
  ~TBlock() override;

  BlockWindow& logic() { return logic_; }
  // Renames of a type reach the open project through this (the main window
  // passes the project table's ReplaceBlockName).
  void SetRenameCallback(BlockWindow::RenameCallback callback) {
    logic_.SetRenameCallback(std::move(callback));
  }
  // Redraws every control from the logic.
  void Refresh() override;

 protected:
  // Saves the place and the names.
  void FormClose(const WindowGeometry& place) override { logic_.FormClose(place); }
  // Places the controls for the client size (anchors of the design).
  void FormResize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The user selected entry `row`.
  void OnListSelected(int row);
  void OnListClicked(int row);
  // Runs a handler of the logic and redraws.
  template <typename Handler>
  void Run(Handler handler);

  BlockWindow logic_;
  bool refreshing_ = false;
  int row_at_press_ = -1;  // the selected entry when the mouse went down on the list
  QGroupBox* GroupBox1;
  QListView* ListBox1;
  TextRowsModel* names_model_;
  QPushButton* ButtonAddBlk;
  QPushButton* ButtonDelBlock;
  QGroupBox* GroupBox2;
  QTableView* StringGrid1;
  TextRowsModel* regimes_model_;
  QPushButton* ButtonAddReg;
  QPushButton* ButtonDelReg;
  QGroupBox* GroupBox3;
  QLineEdit* EditUmin;
  QStatusBar* StatusBar1;
  QLabel* status_;
};

}  // namespace luch
