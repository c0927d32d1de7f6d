// The main window's state and commands, free of any window toolkit. The Qt
// window forwards its events here and redraws from here; the headless front
// end drives the same commands.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "app/main_settings.h"
#include "app/undo_history.h"
#include "calc/calculation.h"
#include "calc/project_parameters.h"
#include "common/platform.h"
#include "editing/row_commands.h"
#include "project/cell_editing.h"
#include "project/project_table.h"
#include "project/status_bars.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

inline constexpr const char* kMainCaption = "Расчет луча ТЕРН-12 по постоянному току";
inline constexpr const char* kProjectFilter = "Проект луча (*.луч)|*.луч";
inline constexpr const char* kProjectExtension = "луч";

class MainState {
 public:
  MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
            BlockLibrary& blocks);

  // --- the project and what the window shows -------------------------------
  ProjectTable table;
  ProjectParameters params;  // EditU text and the five reals
  StatusBars status;
  std::string ProjectFileName;
  bool report_enabled = false;  // mInfo
  CalculationTotals totals;     // TotalCurrent (A) and TotalLength (m) for the reports
  ClickedCell clicked;
  int current_row = 1;
  int selection_top = 1;
  int selection_bottom = 1;
  int PasteRepeatCount = 2;

  const std::filesystem::path& data_dir() const { return data_dir_; }
  Platform platform() const { return platform_; }
  CableLibrary& cables() { return cables_; }
  BlockLibrary& blocks() { return blocks_; }

  // --- start-up and settings ----------------------------------------------
  // Reads section "Main" of Tarvel.ini over `current` (the window's values).
  MainSettings FormCreate(const MainSettings& current);
  // The deferred start-up step: reopens the last project, or forgets a name
  // that no longer exists ("Проект: ").
  void DeferredStartUp();
  // Writes section "Main"; reports a failure through the error box.
  void FormClose(MainSettings values);

  // --- the count control EditVsego / UpDownVsego --------------------------
  // Sets the block count (kept inside 1..4096) and panel 1 "Блоков: N".
  void SetBlockCount(int count);
  // The typed text of EditVsego: a whole number inside 1..4096 moves the
  // count, anything else leaves it.
  void EditVsegoChange(const std::string& text);

  // --- project files --------------------------------------------------------
  void mOpenClick();
  void mSaveClick();
  void mSaveAsClick();
  void mNewClick();
  // Loads a project file as Open does; false when none is there or it cannot
  // be read ("Cannot open file %s"). A relative name is found in the data
  // directory and kept as given in ProjectFileName.
  bool LoadProject(const std::string& utf8_path);
  // Saves as Save does; reports "Unable to write to %s" on failure.
  bool SaveProject(const std::string& utf8_path);

  // --- calculation -------------------------------------------------------------
  // F9 and "    &Расчет"; true on success.
  bool BitBtnStartClick();
  // F10: the lowest controller voltage that still works, into EditU.
  bool mFindUKMUClick();
  // Whether the last calculation or search succeeded (false before any).
  bool last_calculation_succeeded() const { return last_calculation_succeeded_; }

  // --- supply voltage presets ------------------------------------------------
  void Button28Click() { luch::Button28Click(params); }
  void Button24Click() { luch::Button24Click(params); }

  // --- reports and export ------------------------------------------------------
  void mInfoClick();
  void mTableClick();
  void mTextClick();
  void mMicrosoftExcelClick();

  // --- row commands --------------------------------------------------------------
  void mCopyClick();
  void mCutClick();
  void mPasteClick();
  void mDeleteClick();
  void mFillSpaceClick();
  void mMnogoClick();
  void pmUpClick();
  void pmDownClick();
  void mReverseClick();
  void pmRenameClick();
  void mLengthClick();
  // F12: every block into the first regime of its type.
  void mBlkNormaClick();

  // --- undo and redo -------------------------------------------------------------
  // Every command of the window runs between these two: a change of the table
  // or the parameters becomes one undo step.
  void BeginCommand();
  void EndCommand();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void Undo();  // Ctrl+Z
  void Redo();  // Ctrl+Y

  // --- cell editing -----------------------------------------------------------
  ChoiceMenu StringGrid1DblClick();
  void ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item);

 private:
  CellEditContext CellContext();
  CalculationContext CalcContext();
  EditingContext EditContext();
  // After a command that moved the cursor: the selection collapses onto it.
  void CollapseSelection();
  // After New and Open: the former project's hidden rows, computed currents
  // and voltages and calculation panels are gone; every segment resistance is
  // computed afresh from its cable and length.
  void ForgetPreviousProject();
  std::filesystem::path ProjectPath(const std::string& utf8_path) const;

  std::filesystem::path data_dir_;
  Platform platform_;
  CableLibrary& cables_;
  BlockLibrary& blocks_;
  bool last_calculation_succeeded_ = false;
  UndoHistory history_;

  ProjectSnapshot Snapshot() const { return ProjectSnapshot{table, params}; }
  void Restore(ProjectSnapshot snapshot);
};

}  // namespace luch
