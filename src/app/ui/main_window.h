// TMain, the main window: tool panel, the project grid, two status bars, the
// main menu and the grid's context menu. A thin view: every command runs in
// MainState, and the window redraws from it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QThreadPool>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/ui/analysis_window.h"
#include "app/main_state.h"
#include "app/ui/qt_command_dialogs.h"
#include "tools/ui/about_box.h"

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace luch {

class TextRowsModel;
class TChart;

class TMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMain(MainState& state, QWidget* parent = nullptr);
  ~TMain() override;

  MainState& state() { return state_; }
  QTableView* grid() const { return StringGrid1; }
  TChart* chart() const { return chart_; }
  QAction* action(const std::string& name) const;  // by control name, e.g. "mOpen"
  QLabel* statusPanel(int bar, int panel) const;   // bar 1 or 2
  QListView* problemsView() const { return problems_view_; }

  // Windows created at start-up and shown by their commands (may be null).
  void SetToolWindows(QWidget* cables, QWidget* blocks, QWidget* house);
  // The window "Анализ луча" (may be null): F8 shows it, it follows every
  // change of the project, and its answers are applied as commands.
  void SetAnalysisWindow(TAnalysis* window);
  // Extra work to run when the window closes (the tool windows' own close).
  void SetOnClose(std::function<void()> on_close) { on_close_ = std::move(on_close); }

  // Redraws everything from the state: grid, count, voltage field, panels,
  // menu states, current row and selection.
  void RefreshFromState();
  // The settings the window would write now (geometry, row height, widths).
  MainSettings CurrentSettings() const;
  // The deferred start-up step; runs once, after the window is first shown.
  void ApplicationEvents1Message();
  // The saved widths of the previous run, as the deferred step gives them.
  void ApplySavedColumnWidths();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A project file dropped from a file manager opens as Open would open it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildToolPanel(QWidget* parent);
  void BuildGrid(QWidget* parent);
  void BuildStatusBars(QWidget* parent);
  void BuildMenus();
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildActionMenu();
  void BuildParametersMenu();
  void BuildWindowMenu();
  void BuildPopupMenu();
  // The problems list "Проверка" under the grid.
  void BuildProblemsPanel(QWidget* parent);
  void RefreshProblems();
  // The row a problem names (its index in the list) becomes the current row.
  void SelectProblemRow(int problem);
  // Runs `command` through Run when `item` is triggered.
  void Wire(QAction* item, const std::function<void()>& command);
  // The one place that enables and disables menu items, from the state.
  void UpdateActions();
  QAction* AddAction(QMenu* menu, const char* name, const char* caption,
                     const QKeySequence& shortcut = {});
  void ApplySettings(const MainSettings& settings);
  void FormResize();
  void SetRowHeight(int height);
  void ReadSelectionIntoState();
  // The double-click on the clicked cell: a prompt, a choice menu at the cell,
  // or a toggle, by column. From the keyboard (`from_keys`) an answer moves
  // the cursor to the next cell to fill; `typed` starts a menu's type-ahead.
  void StringGrid1DblClick(bool from_keys = false, const QString& typed = {});
  // True when an item was chosen.
  bool ShowChoiceMenu(const ChoiceMenu& menu, const QModelIndex& cell, const QString& typed);
  // The cursor to the cell to fill after `from`: the row's next one, or the
  // next row's first (a new row after the last).
  void MoveToNextEntry(const QModelIndex& from);
  // F9 (or F10 when `search`): runs, redraws, and gives the grid the focus.
  void Calculate(bool search);
  // After New or Open: the chart forgets the former project's result.
  void ProjectReplaced();
  // Runs a command of the state and redraws.
  void Run(const std::function<void()>& command);
  // Shows a folder in the file manager, through the state's platform.
  OpenFolderFn OpenFolder() const;
  // After anything that may have changed the project: the caption, and the
  // recovery file written soon (not on the keystroke's own path).
  void ProjectChanged();
  // The recovery file written on a worker thread from a copy of the project,
  // so that the window never waits for the disk; what came of it is taken in
  // on the window's thread.
  void StartRecoveryWrite();

  MainState& state_;
  QtCommandDialogs command_dialogs_;
  TextRowsModel* model_ = nullptr;  // StringGrid1 over the project table
  std::map<std::string, QAction*> actions_;
  std::array<QLabel*, 5> status1_{};
  std::array<QLabel*, 4> status2_{};
  QPointer<QWidget> cables_window_;
  QPointer<QWidget> blocks_window_;
  QPointer<QWidget> house_window_;
  QPointer<TAnalysis> analysis_window_;
  TChart* chart_ = nullptr;  // "График напряжения", follows every calculation
  QWidget* problems_panel_ = nullptr;
  QListView* problems_view_ = nullptr;
  TextRowsModel* problems_model_ = nullptr;
  std::vector<Problem> problems_;  // as the list shows them
  std::function<void()> on_close_;
  QTimer* recovery_timer_ = nullptr;
  QThreadPool recovery_writer_;  // one write at a time; waited for at the end
  std::array<int, 11> pending_col_widths_{};
  bool started_ = false;
  bool start_posted_ = false;
  // The size the frame fitting shrinks the window to, until that resize comes.
  std::optional<QSize> fitted_size_;
  bool refreshing_ = false;

 public:
  // Controls, named as in the window's design.
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtnStart = nullptr;
  QPushButton* BitBtnOpen = nullptr;
  QPushButton* BitBtnSave = nullptr;
  QSpinBox* EditVsego = nullptr;  // with its arrows UpDownVsego
  QLineEdit* EditU = nullptr;
  QPushButton* Button28 = nullptr;
  QPushButton* Button24 = nullptr;
  QTableView* StringGrid1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
};

}  // namespace luch
