// The main window's state and commands, free of any window toolkit. The Qt
// window forwards its events here and redraws from here; the headless front
// end drives the same commands. It composes the project document (the file
// and its modified state) and the commands that change the project, and owns
// what follows from them: start-up, the calculations and their results, live
// recalculation, the problems list, the reports and the design answers'
// sources.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/ray_analysis.h"
#include "app/command_dialogs.h"
#include "app/main_settings.h"
#include "app/project_commands.h"
#include "app/project_document.h"
#include "calc/calculation.h"
#include "common/platform.h"
#include "editing/row_commands.h"
#include "library/carried_types.h"
#include "project/cell_editing.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "project/status_bars.h"
#include "reports/document_commands.h"
#include "reports/problem_list.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

class MainState : private ProjectDocument::Observer {
 public:
  MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
            BlockLibrary& blocks);

  // --- what the window shows ------------------------------------------------
  const ProjectTable& table() const { return document_.table(); }
  const ProjectParameters& params() const {
    return document_.params();
  }  // EditU and the five reals
  const StatusBars& status() const { return status_; }
  // The current project file's path as it was read or chosen; empty: unnamed.
  const std::string& ProjectFileName() const { return document_.ProjectFileName(); }
  // The same as a full path (a name without a folder is in the data folder).
  std::string ProjectPathText() const { return document_.ProjectPathText(); }
  // True while the project holds changes that its file does not: a command
  // changed the rows, the count, EditU or the parameters since the last Save,
  // Open or New (what a calculation writes into the cells does not count), and
  // undo has not gone back to the saved state.
  bool modified() const { return document_.modified(); }
  // See ProjectDocument.
  std::string WindowCaption() const { return document_.WindowCaption(); }
  // The project was opened read-only because another copy of the program has
  // it open: Save asks for another file name (Save As).
  bool read_only() const { return document_.read_only(); }
  // mInfo: after a successful calculation whose results still match.
  bool report_enabled() const { return report_enabled_ && !results_.stale; }
  // "Таблица напряжений ": not while the results are stale.
  bool voltage_table_enabled() const { return !results_.stale; }
  // The exports: not after a failed calculation, as the report (the table
  // would pass for a result).
  bool export_enabled() const { return results_.kind != ResultState::Kind::kFailed; }
  // TotalCurrent (A) and TotalLength (m) of the last calculation, for the reports.
  const CalculationTotals& totals() const { return totals_; }
  ClickedCell clicked() const { return commands_.clicked(); }
  int current_row() const { return commands_.current_row(); }
  int selection_top() const { return commands_.selection_top(); }
  int selection_bottom() const { return commands_.selection_bottom(); }

  // The project in place, for the headless front end and for tests that build
  // one; the window changes it only through the commands.
  ProjectTable& mutable_table() { return document_.mutable_table(); }
  ProjectParameters& mutable_params() { return document_.mutable_params(); }

  // --- what the window tells ---------------------------------------------------
  // The grid's cursor row and selected range (1-based, as the grid has them).
  void SetCursor(int current_row, int selection_top, int selection_bottom) {
    commands_.SetCursor(current_row, selection_top, selection_bottom);
  }
  // StringGrid1MouseUp: the cell under the mouse, (-1, -1) outside the cells.
  void SetClickedCell(ClickedCell cell) { commands_.SetClickedCell(cell); }
  // The text typed into EditU (a change of the project).
  void SetEditU(std::string text);
  // The dialogs of mChangeCblClick, mBlkChngClick and mProjectClick (must
  // outlive the state; without them those commands do nothing).
  void SetCommandDialogs(CommandDialogs* dialogs) { commands_.SetCommandDialogs(dialogs); }
  // The dialog of mPasteTableClick for a table of unnamed columns (must
  // outlive the state; without it such a table is read in the grid's order).
  void SetPasteColumnsChooser(PasteColumnsChooser* chooser) {
    commands_.SetPasteColumnsChooser(chooser);
  }

  const std::filesystem::path& data_dir() const { return data_dir_; }
  Platform platform() const { return platform_; }
  CableLibrary& cables() { return cables_; }
  BlockLibrary& blocks() { return blocks_; }

  // --- start-up and settings ----------------------------------------------
  // Reads section "Main" of Tarvel.ini over `current` (the window's values).
  MainSettings FormCreate(const MainSettings& current);
  // The deferred start-up step, whole: what killed writes left in the data
  // folder goes, the recovery files that no running copy holds are offered
  // (OfferRecovery); then the project named on the command line is opened
  // (after ConfirmDiscard of a restored one), or, when none is named and
  // nothing was restored, the last project (DeferredStartUp).
  void StartUp();
  // Reopens the last project, or forgets a name that no longer exists
  // ("Проект: ").
  void DeferredStartUp();
  // Writes section "Main"; reports a failure through the error box. The
  // recovery file goes: the program ends cleanly.
  void FormClose(MainSettings values);
  // Before the window closes: see ConfirmDiscard.
  bool FormCloseQuery() { return ConfirmDiscard(); }
  // A project named on the command line, set before the window is shown: the
  // deferred start-up step opens it with OpenNamedProject instead of the
  // remembered one.
  void SetNamedProject(std::string utf8_path) { named_project_ = std::move(utf8_path); }
  const std::string& NamedProject() const { return named_project_; }
  // The libraries that the data folder lacks, one line each:
  // "Библиотека кабелей не найдена: <path>", "Библиотека блоков не найдена:
  // <path>" (the file's full path). Empty when both files are there.
  std::vector<std::string> MissingLibraries() const;
  // At start-up: one box (caption "Сообщение", warning icon) with the lines of
  // MissingLibraries; nothing when both libraries are there.
  void ReportMissingLibraries();
  // Loads the named project as Open does ("Cannot open file" for one that is
  // there but cannot be read); when it is not loaded an unmodified project is
  // unnamed ("Проект: ").
  void OpenNamedProject();

  // --- types a project carries ---------------------------------------------
  // Adds a received project's types to the libraries through their own add
  // paths (the library windows then show them).
  using TypeAdder = std::function<void(const CarriedTypes&)>;
  void SetTypeAdder(TypeAdder adder) { add_types_ = std::move(adder); }
  // The types the project file carried (or its last save wrote).
  const CarriedTypes& carried() const { return document_.carried(); }
  // After Open, a drop or a project named on the command line, once the
  // window shows the project: the carried types that the rows use and the
  // libraries lack are offered in one question ("В проекте есть типы,
  // которых нет в библиотеке: ..."); Да adds them, Нет changes nothing.
  // Nothing when no such load came before.
  void OfferCarriedTypes();

  // --- unsaved changes and the recovery file (see ProjectDocument) ------------
  bool ConfirmDiscard() { return document_.ConfirmDiscard(); }
  bool RecoveryDue() const { return document_.RecoveryDue(); }
  void WriteRecovery() { document_.WriteRecovery(); }
  std::optional<RecoveryWrite> BeginRecoveryWrite() { return document_.BeginRecoveryWrite(); }
  void RecoveryWriteDone(const RecoveryWrite& write, bool written) {
    document_.RecoveryWriteDone(write, written);
  }
  const std::filesystem::path& recovery_path() const { return document_.recovery_path(); }
  bool OfferRecovery() { return document_.OfferRecovery(); }

  // --- the count control EditVsego / UpDownVsego (see ProjectCommands) --------
  void SetBlockCount(int count) { commands_.SetBlockCount(count); }
  void EditVsegoChange(const std::string& text) { commands_.EditVsegoChange(text); }

  // --- project files (see ProjectDocument) -------------------------------------
  // F3; a project opened by the user has its carried types offered.
  void mOpenClick();
  // A project dropped on the window: ConfirmDiscard, then LoadProject.
  bool OpenDroppedProject(const std::string& utf8_path);
  void mSaveClick() { document_.Save(); }      // F2
  void mSaveAsClick() { document_.SaveAs(); }  // Ctrl+F2
  void mNewClick() { document_.New(); }        // "Со&здать..."
  bool LoadProject(const std::string& utf8_path) { return document_.LoadProject(utf8_path); }
  bool SaveProject(const std::string& utf8_path) { return document_.SaveProject(utf8_path); }

  // --- calculation -------------------------------------------------------------
  // F9 and "    &Расчет"; true on success.
  bool BitBtnStartClick();
  // F10: the lowest controller voltage that still works, into EditU.
  bool mFindUKMUClick();
  // Whether the last calculation or search succeeded (false before any).
  bool last_calculation_succeeded() const { return last_calculation_succeeded_; }

  // --- live recalculation and the problems list ------------------------------
  // "Пересчитывать &сразу": every change of the rows, the count, EditU, the
  // parameters or a library is followed by a silent calculation (F9's code and
  // results without wait window, message box, undo step or modified state).
  // Where it cannot run (off, or a parameter would be replaced) the results
  // are marked stale instead.
  bool live_calc() const { return live_calc_; }
  void SetLiveCalc(bool on);
  // The results on screen: what found them, and whether they still match.
  const ResultState& results() const { return results_; }
  // A library changed (an edit in "Типы кабеля" or "Блоки").
  void LibraryChanged() { InputsChanged(); }
  // The problems list "Проверка", as the project and its results are now:
  // the missing libraries first (MissingLibraries); a carried type that differs from the library's
  // type of its name is named there too, with both values.
  std::vector<Problem> Problems() const;
  // The tooltip of row `row`'s I or U cell (`col`): the block's margin in U,
  // or why the cells are not the block's (no block, or a type the library
  // lacks); empty while the results are stale.
  std::string ResultTooltip(int row, int col) const;

  // --- design answers (the window "Анализ луча") ----------------------------
  // Copies of what the analysis reads: the project as it is now and the
  // cable library; Блок.ini is read from the data folder.
  AnalysisSources AnalysisInput() const;
  // "Применить" of a cable answer and "Все блоки в режим..." (see ProjectCommands).
  void ApplyCableEverywhere(const std::string& name) { commands_.ApplyCableEverywhere(name); }
  void SetAllBlocksToRegime(const std::string& regime) { commands_.SetAllBlocksToRegime(regime); }

  // --- supply voltage presets ------------------------------------------------
  // "28" and "24": the preset texts into EditU, nothing else.
  void Button28Click() { commands_.Button28Click(); }
  void Button24Click() { commands_.Button24Click(); }

  // --- reports and export ------------------------------------------------------
  // "От&чет": Отчет.txt in the data directory, opened in its program.
  void mInfoClick();
  // "Таблица напряжений ": Таблица напряжения.txt, opened in its program.
  void mTableClick();
  // The table as tab-separated text, into a file the user chooses.
  void mTextClick();
  // The table as CSV, into a file the user chooses.
  void mMicrosoftExcelClick();
  // "&Спецификация": Спецификация.txt in the data directory, opened in its
  // program. It counts the rows, so it needs no calculation.
  void mQuantitiesClick();
  // "Отчет в &PDF...": the design document, drawn by `render`, into a file the
  // user chooses. Enabled as mInfo is (report_enabled()).
  void mPdfClick(const PdfRenderer& render);
  // The design document of the project and its results as they are now.
  DesignDocument Document() const;

  // --- row commands (see ProjectCommands) ---------------------------------------
  void mCopyClick() { commands_.mCopyClick(); }
  void mCutClick() { commands_.mCutClick(); }
  void mPasteClick() { commands_.mPasteClick(); }
  void mPasteTableClick() { commands_.mPasteTableClick(); }
  void mDeleteClick() { commands_.mDeleteClick(); }
  void mFillSpaceClick() { commands_.mFillSpaceClick(); }
  void mMnogoClick() { commands_.mMnogoClick(); }
  void pmUpClick() { commands_.pmUpClick(); }
  void pmDownClick() { commands_.pmDownClick(); }
  void mReverseClick() { commands_.mReverseClick(); }
  void pmRenameClick() { commands_.pmRenameClick(); }
  void mLengthClick() { commands_.mLengthClick(); }
  void mBlkNormaClick() { commands_.mBlkNormaClick(); }
  void mChangeCblClick() { commands_.mChangeCblClick(); }
  void mBlkChngClick() { commands_.mBlkChngClick(); }
  void mProjectClick() { commands_.mProjectClick(); }
  // A block type renamed in the block window: the rows and every undo step follow.
  void RenameBlockType(const std::string& old_name, const std::string& new_name);

  // --- undo and redo -------------------------------------------------------------
  // Every command of the window runs between these two: a change of the table
  // or the parameters becomes one undo step, and a change of what the file
  // keeps makes the project modified. A note the command left (how many rows
  // a replacement changed) goes into panel 4 of StatusBar1 after the
  // calculation that follows the command, which writes that panel too.
  void BeginCommand();
  void EndCommand();
  bool CanUndo() const { return commands_.CanUndo(); }
  bool CanRedo() const { return commands_.CanRedo(); }
  void Undo();  // Ctrl+Z
  void Redo();  // Ctrl+Y

  // --- cell editing (see ProjectCommands) -----------------------------------------
  ChoiceMenu StringGrid1DblClick() { return commands_.StringGrid1DblClick(); }
  ChoiceMenu StringGrid1Typed(std::string typed) {
    return commands_.StringGrid1Typed(std::move(typed));
  }
  void ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item) {
    commands_.ChoiceMenuClick(kind, item);
  }

 private:
  // ProjectDocument::Observer: the undo steps, the count's panel, the former
  // project's hidden rows and results go; then the new one is computed.
  void ProjectReplaced() override;
  void ProjectShown() override { InputsChanged(); }
  CalculationContext CalcContext();
  // After New and Open: the former project's hidden rows, computed currents
  // and voltages and calculation panels are gone; every segment resistance is
  // computed afresh from its cable and length.
  void ForgetPreviousProject();
  // After a change of what a calculation reads: the silent calculation, or
  // the results marked stale.
  void InputsChanged();
  // F9's calculation without wait window and messages; false when it failed.
  bool SilentCalculation();
  // After a calculation or search: its outcome, and panel 4 says when a
  // library file is missing (the result is then not the ray's).
  void CalculationDone(bool success, bool search);

  std::filesystem::path data_dir_;
  Platform platform_;
  CableLibrary& cables_;
  BlockLibrary& blocks_;
  StatusBars status_;
  ProjectDocument document_;
  ProjectCommands commands_;

  std::string named_project_;
  std::string remembered_file_name_;  // Tarvel.ini's, for the deferred step
  bool report_enabled_ = false;
  CalculationTotals totals_;
  bool last_calculation_succeeded_ = false;
  bool live_calc_ = true;
  ResultState results_;
  TypeAdder add_types_;
  bool types_offer_due_ = false;  // a project was opened by the user
};

}  // namespace luch
