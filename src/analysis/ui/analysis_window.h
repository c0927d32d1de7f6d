// The window "Анализ луча" (TAnalysis): the design answers for the project as
// it is now — which cable, how far, how many more blocks, which regime —
// computed on a thread of their own while the window is shown.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "analysis/analysis_runner.h"
#include "analysis/analysis_window.h"
#include "common/platform.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace luch {

class TextRowsModel;

// Modeless; closing or Esc hides it, stops the work and stores its place in
// Tarvel.ini, section "Analysis".
class TAnalysis : public QWidget {
  Q_OBJECT
 public:
  // Copies of what the analysis reads, as the project is now.
  using Input = std::function<AnalysisSources()>;

  // Reads the window's place from Tarvel.ini in `data_dir`; starts hidden.
  TAnalysis(std::filesystem::path data_dir, Platform platform, Input input,
            QWidget* parent = nullptr);
  ~TAnalysis() override;

  // The project or a library may have changed. While the window is shown,
  // answers that no longer belong to the project are marked stale at once,
  // the work for them stops, and new work starts once the changes pause.
  void ProjectChanged();
  // Блок.ini changed: the answers are computed again even for equal rows.
  void LibraryChanged();

  AnalysisWindow& logic() { return logic_; }
  // Work is running, or waits for the changes to pause.
  bool busy() const;
  QTableView* cablesView() const { return cables_view_; }
  QTableView* regimesView() const { return regimes_view_; }

 signals:
  // "Применить": every row's cable becomes `name`.
  void ApplyCable(const QString& name);
  // "Все блоки в режим...": every block that has the regime `name` is set to it.
  void ApplyRegime(const QString& name);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTableView* MakeTable(TextRowsModel* model);
  // Starts the work for the latest input.
  void StartWork();
  // Redraws everything from the logic.
  void Refresh();
  // The one place that enables the buttons and the answers.
  void UpdateControls();
  // The selected row of `view`, -1 when none.
  static int SelectedRow(const QTableView* view);

  AnalysisWindow logic_;
  Input input_;
  Platform platform_;
  TextRowsModel* cables_model_ = nullptr;
  TextRowsModel* regimes_model_ = nullptr;
  QTableView* cables_view_ = nullptr;
  QTableView* regimes_view_ = nullptr;
  QPushButton* apply_cable_ = nullptr;
  QPushButton* apply_regime_ = nullptr;
  QLabel* last_segment_ = nullptr;
  QLabel* scale_ = nullptr;
  QLabel* extra_blocks_ = nullptr;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QWidget* answers_ = nullptr;  // everything that shows answers
  QTimer* pause_ = nullptr;     // the pause after the last change
  std::unique_ptr<AnalysisRunner> runner_;
};

}  // namespace luch
