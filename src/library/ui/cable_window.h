// The cable window "Типы кабеля" (TCabels): the grid of cable types with its
// buttons and status line, a thin view over CableWindow. The main window
// creates it hidden at start-up (which loads Кабель.ini), shows it with show()
// and calls OnProgramEnd() when the program ends; closing it only hides it.
#pragma once

#include <filesystem>

#include "common/platform.h"
#include "library/cable_library.h"
#include "library/cable_window.h"
#include "library/ui/library_window.h"

class QLabel;
class QPushButton;
class QTableView;

namespace luch {

class TextRowsModel;

class TCabels : public LibraryWindow {
  Q_OBJECT
 public:
  // Reads the window's place and loads Кабель.ini from `data_dir` into
  // `library`, which must outlive the window. Prompts and questions go through
  // `platform`. The window starts hidden.
  TCabels(std::filesystem::path data_dir, CableLibrary& library, Platform platform,
          QWidget* parent = nullptr);
  ~TCabels() override;

  CableWindow& logic() { return logic_; }
  // Saves a change that Кабель.ini does not have yet (a deletion, a taken
  // over resistance); for the main window at the end of the program.
  void OnProgramEnd() { logic_.OnProgramEnd(); }

  // The selected row of the grid, 1-based; 0 when none.
  int SelectedRow() const;
  // Redraws the grid and the status line from the library.
  void Refresh() override;

  void ButtonAddClick();
  void ButtonDelClick();
  // Opens the copper wire calculator modally and takes its result over.
  void Button1Click();

 protected:
  void FormClose(const WindowGeometry& place) override { logic_.FormClose(place); }
  void FormResize() override;

 private:
  void SelectRow(int row);

  CableWindow logic_;
  Platform platform_;
  TextRowsModel* model_;
  QTableView* StringGrid1;
  QLabel* status_;
  QPushButton* ButtonAdd;
  QPushButton* ButtonDel;
  QPushButton* Button1;
};

}  // namespace luch
