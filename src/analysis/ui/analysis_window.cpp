#include "analysis/ui/analysis_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "common/ui/qt_text.h"
#include "common/ui/text_rows_model.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

// How long the changes must pause before the work starts again: a burst of
// edits costs one analysis.
constexpr int kPauseMs = 300;
constexpr int kRowHeight = 22;

using namespace analysis_texts;

QPushButton* RightAligned(QPushButton* button, QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(button);
  layout->addLayout(row);
  return button;
}

}  // namespace

TAnalysis::TAnalysis(std::filesystem::path data_dir, Platform platform, Input input,
                     QWidget* parent)
    : QWidget(parent, Qt::Window),
      logic_(std::move(data_dir), platform),
      input_(std::move(input)),
      platform_(platform) {
  setObjectName("TAnalysis");
  setWindowTitle(Q(kCaption));

  cables_model_ = new TextRowsModel(
      std::vector<const char*>(std::begin(kCableHeaders), std::end(kCableHeaders)),
      [this] { return static_cast<int>(logic_.answers().cables.size()); },
      [this](int row, int col) { return logic_.CableCell(row, col); }, this);
  regimes_model_ = new TextRowsModel(
      std::vector<const char*>(std::begin(kRegimeHeaders), std::end(kRegimeHeaders)),
      [this] { return static_cast<int>(logic_.answers().regimes.size()); },
      [this](int row, int col) { return logic_.RegimeCell(row, col); }, this);

  status_ = new QLabel(Q(kComputing), this);
  status_->setObjectName("LabelStatus");
  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, 100);
  // The answers do not jump when the bar comes and goes.
  QSizePolicy keep = progress_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keep);
  auto* status_row = new QHBoxLayout;
  status_row->addWidget(status_);
  status_row->addWidget(progress_, 1);

  answers_ = new QWidget(this);
  auto* answers_layout = new QVBoxLayout(answers_);
  answers_layout->setContentsMargins(0, 0, 0, 0);

  auto* cables = new QGroupBox(Q(kCablesTitle), answers_);
  auto* cables_layout = new QVBoxLayout(cables);
  cables_view_ = MakeTable(cables_model_);
  cables_view_->setObjectName("GridCables");
  cables_layout->addWidget(cables_view_);
  apply_cable_ = RightAligned(new QPushButton(Q(kApplyCable), cables), cables_layout);
  apply_cable_->setObjectName("ButtonApplyCable");
  apply_cable_->setToolTip(Q(kApplyCableTip));

  auto* reserve = new QGroupBox(Q(kReserveTitle), answers_);
  auto* reserve_layout = new QVBoxLayout(reserve);
  const auto line = [&](const char* name, const char* tip) {
    auto* label = new QLabel(reserve);
    label->setObjectName(name);
    label->setToolTip(Q(tip));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reserve_layout->addWidget(label);
    return label;
  };
  last_segment_ = line("LabelLastSegment", kLastSegmentTip);
  scale_ = line("LabelScale", kScaleTip);
  extra_blocks_ = line("LabelExtraBlocks", kExtraBlocksTip);

  auto* regimes = new QGroupBox(Q(kRegimesTitle), answers_);
  auto* regimes_layout = new QVBoxLayout(regimes);
  regimes_view_ = MakeTable(regimes_model_);
  regimes_view_->setObjectName("GridRegimes");
  regimes_layout->addWidget(regimes_view_);
  apply_regime_ = RightAligned(new QPushButton(Q(kApplyRegime), regimes), regimes_layout);
  apply_regime_->setObjectName("ButtonApplyRegime");
  apply_regime_->setToolTip(Q(kApplyRegimeTip));

  answers_layout->addWidget(cables, 3);
  answers_layout->addWidget(reserve);
  answers_layout->addWidget(regimes, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(answers_, 1);
  layout->addLayout(status_row);

  connect(apply_cable_, &QPushButton::clicked, this, [this] {
    const int row = SelectedRow(cables_view_);
    if (row >= 0) emit ApplyCable(Q(logic_.CableCell(row, kCableNameColumn)));
  });
  connect(apply_regime_, &QPushButton::clicked, this, [this] {
    const int row = SelectedRow(regimes_view_);
    if (row >= 0) emit ApplyRegime(Q(logic_.RegimeCell(row, kRegimeNameColumn)));
  });
  for (QTableView* view : {cables_view_, regimes_view_}) {
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateControls(); });
  }

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &TAnalysis::StartWork);
  runner_ = std::make_unique<AnalysisRunner>(
      [this](std::function<void()> task) {
        // Dropped by Qt once the window is gone.
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
      },
      [this](int done, int total) {
        logic_.Progress(done, total);
        progress_->setValue(logic_.percent());
      },
      [this](RayAnalysis answers) {
        logic_.Finished(std::move(answers));
        Refresh();
      });

  // FormCreate
  ApplyPlace(*this, logic_.FormCreate(), *platform.screen);
  Refresh();
}

// The work stops and its threads end before any widget goes.
TAnalysis::~TAnalysis() { runner_.reset(); }

QTableView* TAnalysis::MakeTable(TextRowsModel* model) {
  auto* view = new QTableView(this);
  view->setModel(model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->setTabKeyNavigation(false);  // Tab goes on to the table's button
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(kRowHeight);
  view->horizontalHeader()->setStretchLastSection(true);
  view->horizontalHeader()->setHighlightSections(false);
  return view;
}

bool TAnalysis::busy() const { return pause_->isActive() || runner_->busy(); }

void TAnalysis::ProjectChanged() {
  if (!isVisible() || !logic_.NeedsWork(input_())) return;
  runner_->Stop();
  pause_->start();
  Refresh();
}

void TAnalysis::LibraryChanged() { logic_.Invalidate(); }

void TAnalysis::StartWork() {
  pause_->stop();
  runner_->Start(logic_.input());
}

void TAnalysis::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Shown: the answers for the project as it is now, without the pause.
  if (logic_.NeedsWork(input_())) {
    StartWork();
    Refresh();
  }
}

void TAnalysis::hideEvent(QHideEvent* event) {
  // Nobody looks: the work stops, and starts again when the window is shown.
  if (busy()) {
    pause_->stop();
    runner_->Stop();
    logic_.Invalidate();
  }
  QWidget::hideEvent(event);
}

void TAnalysis::closeEvent(QCloseEvent* event) {
  logic_.FormClose(PlaceOf(*this));
  event->accept();  // hides; the program keeps the window for the rest of the run
}

void TAnalysis::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TAnalysis::Refresh() {
  cables_model_->Refresh();
  regimes_model_->Refresh();
  // Every column as wide as its texts; the last one takes the rest.
  for (QTableView* view : {cables_view_, regimes_view_}) {
    for (int col = 0; col + 1 < view->model()->columnCount(); ++col) {
      view->resizeColumnToContents(col);
    }
  }
  last_segment_->setText(Q(logic_.LastSegmentLine()));
  scale_->setText(Q(logic_.ScaleLine()));
  extra_blocks_->setText(Q(logic_.ExtraBlocksLine()));
  progress_->setValue(logic_.percent());
  UpdateControls();
}

void TAnalysis::UpdateControls() {
  const bool fresh = !logic_.stale();
  status_->setText(Q(fresh ? kUpToDate : kComputing));
  progress_->setVisible(!fresh);
  answers_->setEnabled(fresh);
  apply_cable_->setEnabled(fresh && SelectedRow(cables_view_) >= 0);
  apply_regime_->setEnabled(fresh && SelectedRow(regimes_view_) >= 0);
}

int TAnalysis::SelectedRow(const QTableView* view) {
  const QModelIndexList rows = view->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

}  // namespace luch
