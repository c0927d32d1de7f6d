// The row commands of the main window's menus "&Правка" and "&Действие" and of
// the grid's context menu: copy, cut, paste and delete of a row range, paste
// into free rows, paste several times, move up and down, reverse, rename and
// set all lengths. Copied rows go through the clipboard file Copy.ini.
//
// Nothing is recomputed: no resistance is updated and no calculation starts.
// A command that changes the block count writes "Блоков: N" into panel 1 of
// StatusBar1; the main window then shows table.BlockCount() in its count
// control.
#pragma once

#include <filesystem>
#include <string>

#include "common/platform.h"
#include "editing/paste_columns.h"
#include "project/project_table.h"
#include "project/status_bars.h"

namespace luch {

class CableLibrary;

// What a row command works on: the main window's table, status bars and grid
// state, made afresh for each command.
struct EditingContext {
  ProjectTable& table;
  StatusBars& status;
  int& current_row;         // CurrentRow, the grid's cursor row
  int selection_top;        // Selection: first selected row
  int selection_bottom;     //            last selected row (= top when not extended)
  int& paste_repeat_count;  // PasteRepeatCount: 2 at program start, never saved
  std::filesystem::path data_dir;
  Platform platform;
  const CableLibrary& cables;  // for the resistance of rows pasted from a table
  // Asks which field each column of a pasted table fills; without it such a
  // table is read in the grid's column order.
  PasteColumnsChooser* paste_columns = nullptr;
};

// "Блоков: " followed by the count: the text of panel 1 of StatusBar1.
std::string BlockCountPanelText(int block_count);

// Copy (Ctrl+C): the selected rows into Copy.ini, replacing the whole former
// clipboard, and onto the desktop's clipboard as tab-separated text
// (RowsAsTabText, numbers with the locale's separator). A selection beyond the last row is cut at
// the last row; nothing happens when it starts before row 1 or after the last row. A file that
// cannot be written is reported ("Unable to write to <path>"). Texts that
// Windows-1251 cannot hold are refused, nothing written: a warning box
// (caption "Сообщение") shows UnsavableMessage of them and "Строки: 3, 7",
// the numbers of their rows (the first ten, then "и ещё N").
void mCopyClick(EditingContext& context);

// Cut (Ctrl+X): Copy, then Delete of the same selection, when CurrentRow is
// not negative. When Copy refuses or Copy.ini cannot be written nothing is
// deleted.
void mCutClick(EditingContext& context);

// Paste (Ctrl+V): the clipboard rows inserted in front of CurrentRow, which
// then marks the first pasted row. Nothing happens without Copy.ini, without
// its section "0", or for a CurrentRow outside 1..BlockCount. At 4096 rows the
// rows that fit are inserted and an information box says how many did not.
void mPasteClick(EditingContext& context);

// Delete: removes the selected rows; the last remaining row is never removed.
// A CurrentRow after the new last row moves onto it.
void mDeleteClick(EditingContext& context);

// Paste from a table (Ctrl+Shift+V): the rows of the tab-separated text on
// the desktop's clipboard inserted in front of CurrentRow as Paste inserts
// them, with their resistance computed; P, I and U stay empty. The columns
// are taken by the names of a header line (HeaderFields), else in the grid's
// order for a text of 11 columns, else as the user chooses them in
// context.paste_columns, preset with the choice that Tarvel.ini keeps for that
// column count (RememberedPasteColumns) and kept there again on OK; Cancel
// pastes nothing. A length with a fraction of a metre is pasted whole metres,
// and one warning box (caption "Сообщение") names those rows with the length
// they got. A text that Windows-1251 cannot hold is refused with its message;
// at 4096 rows Paste's information box says how many did not fit.
void mPasteTableClick(EditingContext& context);

// Paste into free rows: fills, in every row, each empty address, empty cable
// and zero length from clipboard row "0"; a row without a block gets block,
// regime, power, flag and current from it. Nothing happens without Copy.ini.
void mFillSpaceClick(EditingContext& context);

// Paste several times: asks for the count (default PasteRepeatCount), keeps
// the answer's LeadingInteger as the new PasteRepeatCount and pastes that many
// times (none for 0 or less). The result equals that many Pastes; any count
// stops at 4096 rows at once, with one information box.
void mMnogoClick(EditingContext& context);

// Move up / down: the current row changes place with its neighbour; returns
// the new current row, which is also written into context.current_row (the
// selection then collapses onto it). Nothing moves at the table's ends.
int pmUpClick(EditingContext& context);
int pmDownClick(EditingContext& context);

// Reverse order of the selected rows.
void mReverseClick(EditingContext& context);

// Rename: asks for an address (default the first selected row's address) and
// gives it to every selected row.
void pmRenameClick(EditingContext& context);

// Set all lengths: asks for a length in metres (default row 1's length) until
// it is a whole number, 0 or more (AskLength), and writes it into every row;
// Cancel keeps every length.
void mLengthClick(EditingContext& context);

}  // namespace luch
