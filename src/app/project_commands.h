// The commands that change the project of the main window: the rows (on the
// cursor row or the selected range), the cells, the count, EditU, the
// replacements and the parameters dialog, with undo and redo. Each runs
// between Begin and End; what a change means for the results is the caller's
// (End and the others tell it).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/command_dialogs.h"
#include "app/project_document.h"
#include "app/undo_history.h"
#include "common/platform.h"
#include "editing/row_commands.h"
#include "project/cell_editing.h"
#include "project/status_bars.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

class ProjectCommands {
 public:
  // All of them must outlive the commands.
  ProjectCommands(ProjectDocument& document, StatusBars& status, std::filesystem::path data_dir,
                  Platform platform, CableLibrary& cables, BlockLibrary& blocks);

  // --- the grid's cursor --------------------------------------------------------
  ClickedCell clicked() const { return clicked_; }
  int current_row() const { return current_row_; }
  int selection_top() const { return selection_top_; }
  int selection_bottom() const { return selection_bottom_; }
  // The grid's cursor row and selected range (1-based, as the grid has them).
  void SetCursor(int current_row, int selection_top, int selection_bottom);
  // StringGrid1MouseUp: the cell under the mouse, (-1, -1) outside the cells.
  void SetClickedCell(ClickedCell cell) { clicked_ = cell; }
  // The dialogs of mChangeCblClick, mBlkChngClick and mProjectClick (must
  // outlive the commands; without them those commands do nothing).
  void SetCommandDialogs(CommandDialogs* dialogs) { command_dialogs_ = dialogs; }
  // The dialog of mPasteTableClick for a table of unnamed columns (must
  // outlive the commands; without it such a table is read in the grid's order).
  void SetPasteColumnsChooser(PasteColumnsChooser* chooser) { paste_columns_ = chooser; }

  // --- a command's frame --------------------------------------------------------
  struct Ended {
    bool inputs_changed = false;  // what a calculation reads changed
    std::string note;             // for panel 4: "Заменено строк: N", or empty
  };
  // A change of the table or the parameters between Begin and End becomes one
  // undo step, and a change of what the file keeps makes the project modified.
  void Begin();
  // The running command is F9 or F10: what it writes is a calculation's, no
  // change of the inputs, and the parameters it replaces are changes only of
  // the file.
  void CountAsCalculation() { calculation_command_ = true; }
  // None when no command was open (New or Open replaced the project).
  std::optional<Ended> End();

  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Ctrl+Z and Ctrl+Y; true when the project changed.
  bool Undo();
  bool Redo();
  // Another project came: no step leads back to the former one.
  void ForgetHistory() { history_.Clear(); }

  // --- the count, EditU and the presets ----------------------------------------
  // Sets the block count (kept inside 1..4096) and panel 1 "Блоков: N".
  void SetBlockCount(int count);
  // The typed text of EditVsego: a whole number inside 1..4096 moves the
  // count, anything else leaves it.
  void EditVsegoChange(const std::string& text);
  // The text typed into EditU; true when it changed the project.
  bool SetEditU(std::string text);
  // "28" and "24": the preset texts into EditU, nothing else.
  void Button28Click();
  void Button24Click();

  // --- row commands ----------------------------------------------------------------
  void mCopyClick();        // the rows into Copy.ini
  void mCutClick();         // copied, then deleted; kept when the copy fails
  void mPasteClick();       // Copy.ini's rows in front of the cursor row
  void mPasteTableClick();  // the desktop clipboard's table rows in front of it
  void mDeleteClick();      // the selected rows
  void mFillSpaceClick();   // Copy.ini's first row into the empty fields
  void mMnogoClick();       // Paste as often as asked; Cancel pastes nothing
  void pmUpClick();         // the cursor row with the one above; row 1: nothing
  void pmDownClick();       // the cursor row with the one below; the last: nothing
  void mReverseClick();     // the selected rows in reverse order
  void pmRenameClick();     // one address for the range; Cancel keeps them
  void mLengthClick();      // one length for every row; Cancel keeps them
  // F12: every block into the first regime of its type.
  void mBlkNormaClick();
  // "Замена &кабеля": the chosen cable name replaced in every row; End's note
  // then says "Заменено строк: N".
  void mChangeCblClick();
  // "&Замена блоков": the chosen block name replaced in every row; the same note.
  void mBlkChngClick();
  // F6: the project parameters dialog over the parameters.
  void mProjectClick();
  // "Применить" of a cable answer: every row's cable becomes `name`.
  void ApplyCableEverywhere(const std::string& name);
  // "Все блоки в режим...": every block whose type has the regime `regime`
  // is set to it; End's note then says "Заменено строк: N".
  void SetAllBlocksToRegime(const std::string& regime);
  // A block type renamed in the block window: every row of that name follows,
  // in the hidden rows and in every undo and redo step too, so that no undo
  // brings back a name the library no longer has. True when the project's
  // rows changed.
  bool RenameBlockType(const std::string& old_name, const std::string& new_name);

  // --- cell editing ------------------------------------------------------------------
  // A double-click (or Enter) on the clicked cell: a prompt, a toggle, or the
  // choice menu to show (kind kNone: none).
  ChoiceMenu StringGrid1DblClick();
  // Text typed on the clicked cell: a cell whose double-click asks in a
  // prompt (OpensPrompt) opens it with the text; other cells do nothing.
  ChoiceMenu StringGrid1Typed(std::string typed);
  // An item of that menu was chosen: it goes into the clicked row.
  void ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item);

 private:
  CellEditContext CellContext(std::string typed = {});
  EditingContext EditContext();
  // After a command that moved the cursor: the selection collapses onto it.
  void CollapseSelection();
  // "Заменено строк: N" when a replacement ran.
  void NoteReplacement(std::optional<int> changed);
  // The project an undo or redo step gives back.
  void Restore(ProjectSnapshot snapshot);

  ProjectDocument& document_;
  StatusBars& status_;
  std::filesystem::path data_dir_;
  Platform platform_;
  CableLibrary& cables_;
  BlockLibrary& blocks_;
  CommandDialogs* command_dialogs_ = nullptr;
  PasteColumnsChooser* paste_columns_ = nullptr;

  ClickedCell clicked_;
  int current_row_ = 1;
  int selection_top_ = 1;
  int selection_bottom_ = 1;
  int paste_repeat_count_ = 2;  // of "Вставить &несколько раз"

  UndoHistory history_;
  bool calculation_command_ = false;  // the running command is F9 or F10
  std::string command_note_;          // for panel 4 when the command ends
};

}  // namespace luch
