// The main window's state and commands, free of any window toolkit. The Qt
// window forwards its events here and redraws from here; the headless front
// end drives the same commands.
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
#include "app/recovery_file.h"
#include "app/undo_history.h"
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

inline constexpr const char* kMainCaption = "Расчет луча ТЕРН-12 по постоянному току";
inline constexpr const char* kProjectFilter = "Проект луча (*.луч)|*.луч";
inline constexpr const char* kProjectExtension = "луч";

class MainState {
 public:
  MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
            BlockLibrary& blocks);

  // --- what the window shows ------------------------------------------------
  const ProjectTable& table() const { return table_; }
  const ProjectParameters& params() const { return params_; }  // EditU and the five reals
  const StatusBars& status() const { return status_; }
  // The current project file's path as it was read or chosen; empty: unnamed.
  const std::string& ProjectFileName() const { return project_file_name_; }
  // The same as a full path (a name without a folder is in the data folder).
  std::string ProjectPathText() const;
  // True while the project holds changes that its file does not: a command
  // changed the rows, the count, EditU or the parameters since the last Save,
  // Open or New (what a calculation writes into the cells does not count), and
  // undo has not gone back to the saved state.
  bool modified() const { return revision_ != saved_revision_; }
  // The main window's caption: the program's, then the project's file name
  // (or "Новый проект"), " (только чтение)" for a project opened read-only,
  // and "*" while modified; the program's alone for a new, unmodified project.
  std::string WindowCaption() const;
  // The project was opened read-only because another copy of the program has
  // it open: Save asks for another file name (Save As).
  bool read_only() const { return read_only_; }
  // mInfo: after a successful calculation whose results still match.
  bool report_enabled() const { return report_enabled_ && !results_.stale; }
  // "Таблица напряжений ": not while the results are stale.
  bool voltage_table_enabled() const { return !results_.stale; }
  // The exports: not after a failed calculation, as the report (the table
  // would pass for a result).
  bool export_enabled() const { return results_.kind != ResultState::Kind::kFailed; }
  // TotalCurrent (A) and TotalLength (m) of the last calculation, for the reports.
  const CalculationTotals& totals() const { return totals_; }
  ClickedCell clicked() const { return clicked_; }
  int current_row() const { return current_row_; }
  int selection_top() const { return selection_top_; }
  int selection_bottom() const { return selection_bottom_; }

  // The project in place, for the headless front end and for tests that build
  // one; the window changes it only through the commands.
  ProjectTable& mutable_table() { return table_; }
  ProjectParameters& mutable_params() { return params_; }

  // --- what the window tells ---------------------------------------------------
  // The grid's cursor row and selected range (1-based, as the grid has them).
  void SetCursor(int current_row, int selection_top, int selection_bottom);
  // StringGrid1MouseUp: the cell under the mouse, (-1, -1) outside the cells.
  void SetClickedCell(ClickedCell cell) { clicked_ = cell; }
  // The text typed into EditU (a change of the project).
  void SetEditU(std::string text);
  // The dialogs of mChangeCblClick, mBlkChngClick and mProjectClick (must
  // outlive the state; without them those commands do nothing).
  void SetCommandDialogs(CommandDialogs* dialogs) { command_dialogs_ = dialogs; }
  // The dialog of mPasteTableClick for a table of unnamed columns (must
  // outlive the state; without it such a table is read in the grid's order).
  void SetPasteColumnsChooser(PasteColumnsChooser* chooser) { paste_columns_ = chooser; }

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
  const CarriedTypes& carried() const { return carried_; }
  // After Open, a drop or a project named on the command line, once the
  // window shows the project: the carried types that the rows use and the
  // libraries lack are offered in one question ("В проекте есть типы,
  // которых нет в библиотеке: ..."); Да adds them, Нет changes nothing.
  // Nothing when no such load came before.
  void OfferCarriedTypes();

  // --- unsaved changes and the recovery file ------------------------------
  // Before a command drops the project (close, New, Open): a modified project
  // asks "Сохранить изменения в проекте?" with Да (save, Save As for an
  // unnamed project), Нет and Отмена. True when the command may go on: the
  // project is unmodified, saved, or the user let it go.
  bool ConfirmDiscard();
  // True when the project holds changes that the recovery file does not have.
  bool RecoveryDue() const { return modified() && recovery_revision_ != revision_; }
  // Writes the project into this copy's own recovery file when due (taking a
  // free one at the first write). A failure is tried again after the next
  // change and said in Problems until a write succeeds.
  void WriteRecovery();
  // This copy's recovery file; empty before its first write.
  const std::filesystem::path& recovery_path() const { return recovery_.path; }
  // At start-up: every recovery file that no running copy holds is offered in
  // a question of its own, naming its project and time. Да opens it as a
  // modified project under its former file name (after ConfirmDiscard of one
  // restored before), and it becomes this copy's recovery file; Нет deletes
  // it. True when one was restored.
  bool OfferRecovery();

  // --- the count control EditVsego / UpDownVsego --------------------------
  // Sets the block count (kept inside 1..4096) and panel 1 "Блоков: N".
  void SetBlockCount(int count);
  // The typed text of EditVsego: a whole number inside 1..4096 moves the
  // count, anything else leaves it.
  void EditVsegoChange(const std::string& text);

  // --- project files --------------------------------------------------------
  // F3: ConfirmDiscard, then the open dialog "Выберите проект  для загрузки";
  // the chosen file is loaded (LoadProject). Cancel changes nothing.
  void mOpenClick();
  // A project dropped on the window: ConfirmDiscard, then LoadProject.
  bool OpenDroppedProject(const std::string& utf8_path);
  // F2: saves into ProjectFileName, or runs mSaveAsClick for an unnamed or
  // read-only project.
  void mSaveClick();
  // Ctrl+F2: the save dialog, then SaveProject into the chosen file.
  void mSaveAsClick();
  // "Со&здать...": ConfirmDiscard, then one empty row, "Новый проект", the
  // parameters of a new project; nothing of the former project is left.
  void mNewClick();
  // Loads a project file as Open does; false, changing nothing, when none is
  // there, when it cannot be read ("Cannot open file %s"), when it is not a
  // regular file ("Файл %s не является обычным файлом.") or when it is not a
  // project ("Файл %s не является проектом луча."). A project that another
  // copy of the program has open is opened read-only, for editing, or not at
  // all, as the user answers; otherwise this copy holds its lock while it is
  // the current project. A project of more than 4096 blocks opens its first
  // 4096 and says how many it holds. A relative name is found in the data
  // directory and kept as given in ProjectFileName.
  bool LoadProject(const std::string& utf8_path);
  // Saves as Save does, with the types the rows use (carried_types.h). Asks
  // first when another copy has the file open, or when the file changed since
  // this copy opened or saved it; refuses texts that Windows-1251 cannot hold
  // (the message of typing, naming the rows); reports "Unable to write to %s"
  // on failure. The project stays modified unless it was saved.
  bool SaveProject(const std::string& utf8_path);

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
  // "Применить" of a cable answer: every row's cable becomes `name`.
  void ApplyCableEverywhere(const std::string& name);
  // "Все блоки в режим...": every block whose type has the regime `regime`
  // is set to it; panel 4 then says "Заменено строк: N".
  void SetAllBlocksToRegime(const std::string& regime);

  // --- supply voltage presets ------------------------------------------------
  // "28" and "24": the preset texts into EditU, nothing else.
  void Button28Click() { luch::Button28Click(params_); }
  void Button24Click() { luch::Button24Click(params_); }

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

  // --- row commands (on the cursor row or the selected range) ------------------
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
  // "Замена &кабеля": the chosen cable name replaced in every row; panel 4
  // then says "Заменено строк: N" (see EndCommand).
  void mChangeCblClick();
  // "&Замена блоков": the chosen block name replaced in every row; the same
  // note in panel 4.
  void mBlkChngClick();
  // F6: the project parameters dialog over the parameters.
  void mProjectClick();
  // A block type renamed in the block window: every row of that name follows,
  // in the hidden rows and in every undo and redo step too, so that no undo
  // brings back a name the library no longer has.
  void RenameBlockType(const std::string& old_name, const std::string& new_name);

  // --- undo and redo -------------------------------------------------------------
  // Every command of the window runs between these two: a change of the table
  // or the parameters becomes one undo step, and a change of what the file
  // keeps makes the project modified. A note the command left (how many rows
  // a replacement changed) goes into panel 4 of StatusBar1 after the
  // calculation that follows the command, which writes that panel too.
  void BeginCommand();
  void EndCommand();
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void Undo();  // Ctrl+Z
  void Redo();  // Ctrl+Y

  // --- cell editing -----------------------------------------------------------
  // A double-click (or Enter) on the clicked cell: a prompt, a toggle, or the
  // choice menu to show (kind kNone: none).
  ChoiceMenu StringGrid1DblClick();
  // Text typed on the clicked cell: a cell whose double-click asks in a
  // prompt (OpensPrompt) opens it with the text; other cells do nothing.
  // What the prompt did (ChoiceMenu::edited).
  ChoiceMenu StringGrid1Typed(std::string typed);
  // An item of that menu was chosen: it goes into the clicked row.
  void ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item);

 private:
  CellEditContext CellContext(std::string typed = {});
  // "Заменено строк: N" when a replacement ran.
  void NoteReplacement(std::optional<int> changed);
  CalculationContext CalcContext();
  EditingContext EditContext();
  // After a command that moved the cursor: the selection collapses onto it.
  void CollapseSelection();
  // After New and Open: the former project's hidden rows, computed currents
  // and voltages and calculation panels are gone; every segment resistance is
  // computed afresh from its cable and length.
  void ForgetPreviousProject();
  std::filesystem::path ProjectPath(const std::string& utf8_path) const;
  // A new version of the saved content, or the project as its file holds it.
  void MarkChanged() { revision_ = ++last_revision_; }
  void MarkSaved();
  // Removes this copy's own recovery file; the slot stays this copy's.
  void RemoveRecovery();
  // The question for a project that another copy holds; false when the user
  // does not open it (`read_only` tells how he does).
  bool AskOpenHeld(const std::filesystem::path& path, const std::string& utf8_path,
                   bool& read_only);
  // Before a save into `path`: the lock to hold afterwards (null when another
  // copy holds it or none can be made); false when the user keeps the file
  // as it is.
  bool MaySaveOver(const std::filesystem::path& path, const std::string& utf8_path,
                   std::unique_ptr<FileLock>& lock);
  // The project file is now `path` (loaded or saved), held through `lock`.
  void HoldProjectFile(const std::filesystem::path& path, std::unique_ptr<FileLock> lock);
  void ReleaseProjectFile();
  // The line of Problems while the recovery file cannot be written.
  std::optional<std::string> RecoveryProblem() const;
  // After a change of what a calculation reads: the silent calculation, or
  // the results marked stale.
  void InputsChanged();
  // F9's calculation without wait window and messages; false when it failed.
  bool SilentCalculation();
  // After a calculation or search: its outcome, and panel 4 says when a
  // library file is missing (the result is then not the ray's).
  void CalculationDone(bool success, bool search);

  ProjectTable table_;
  ProjectParameters params_;
  StatusBars status_;
  std::string project_file_name_;
  std::string named_project_;
  std::string remembered_file_name_;  // Tarvel.ini's, for the deferred step
  bool report_enabled_ = false;
  CalculationTotals totals_;
  ClickedCell clicked_;
  int current_row_ = 1;
  int selection_top_ = 1;
  int selection_bottom_ = 1;
  int paste_repeat_count_ = 2;  // of "Вставить &несколько раз"

  std::filesystem::path data_dir_;
  Platform platform_;
  CableLibrary& cables_;
  BlockLibrary& blocks_;
  CommandDialogs* command_dialogs_ = nullptr;
  PasteColumnsChooser* paste_columns_ = nullptr;
  bool last_calculation_succeeded_ = false;
  UndoHistory history_;
  uint64_t revision_ = 0;
  uint64_t saved_revision_ = 0;
  uint64_t last_revision_ = 0;
  // The revision that the recovery file holds; none after it was removed.
  static constexpr uint64_t kNoRecovery = UINT64_MAX;
  uint64_t recovery_revision_ = kNoRecovery;
  RecoverySlot recovery_;         // this copy's own recovery file
  bool recovery_failed_ = false;  // its last write failed
  // The current project file as this copy last read or wrote it, and its
  // lock while this copy holds it.
  std::filesystem::path held_path_;
  FileStamp held_stamp_;
  std::unique_ptr<FileLock> project_lock_;
  bool read_only_ = false;
  bool calculation_command_ = false;  // the running command is F9 or F10
  std::string command_note_;          // for panel 4 when the command ends
  bool live_calc_ = true;
  ResultState results_;
  // The types the project file carried when it was opened or last saved.
  CarriedTypes carried_;
  TypeAdder add_types_;
  bool types_offer_due_ = false;  // a project was opened by the user

  ProjectSnapshot Snapshot() const { return ProjectSnapshot{table_, params_, revision_}; }
  void Restore(ProjectSnapshot snapshot);
};

}  // namespace luch
