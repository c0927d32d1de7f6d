#include "app/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "analysis/ui/analysis_window.h"
#include "app/ui/voltage_cell_delegate.h"
#include "chart/ui/voltage_chart.h"
#include "chart/voltage_profile.h"
#include "common/ui/qt_text.h"
#include "common/ui/text_rows_model.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

constexpr std::array<int, 5> kStatus1Widths = {170, 80, 100, 100, 50};
constexpr std::array<int, 4> kStatus2Widths = {170, 150, 150, 50};
// How long after a change the recovery file is written (a burst of edits
// costs one write).
constexpr int kRecoveryDelayMs = 500;

// The tool panel: its controls keep the width they need; a window narrower
// than that cuts them off at the right instead of squeezing them, and never
// has to be wider on their account.
class ClippingPanel : public QWidget {
 public:
  using QWidget::QWidget;
  void SetContent(QWidget* content) { content_ = content; }
  QSize sizeHint() const override { return content_ ? content_->sizeHint() : QWidget::sizeHint(); }
  QSize minimumSizeHint() const override { return {1, height()}; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (content_) {
      content_->setGeometry(0, 0, std::max(width(), content_->minimumSizeHint().width()), height());
    }
  }

 private:
  QWidget* content_ = nullptr;
};

// A status panel: its design width, wider when its text needs more, but never
// a lower bound of the window's width (a narrow window cuts the panels).
class StatusPanel : public QLabel {
 public:
  StatusPanel(const QString& text, int design_width, QWidget* parent)
      : QLabel(text, parent), design_width_(design_width) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
  }
  QSize sizeHint() const override {
    const int text_width = fontMetrics().horizontalAdvance(text()) + 2 * frameWidth() + 8;
    return {std::max(design_width_, text_width), QLabel::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 private:
  int design_width_;
};

}  // namespace

TMain::TMain(MainState& state, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      command_dialogs_(state.data_dir(), state.platform(), this) {
  state_.SetCommandDialogs(&command_dialogs_);
  state_.SetPasteColumnsChooser(&command_dialogs_);
  setObjectName("TMain");
  setWindowTitle(QString::fromUtf8(kMainCaption));
  setAcceptDrops(true);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolPanel(central);
  BuildGrid(central);
  BuildProblemsPanel(central);
  layout->addWidget(Panel1);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(problems_panel_);
  BuildStatusBars(central);
  setCentralWidget(central);
  BuildMenus();
  // Tab goes round the grid, the count, the supply voltage and the problems
  // list; the tool buttons are reached by their keys and leave the focus
  // where it is.
  for (QPushButton* button : {BitBtnStart, BitBtnOpen, BitBtnSave, Button28, Button24}) {
    button->setFocusPolicy(Qt::NoFocus);
  }
  setTabOrder(StringGrid1, EditVsego);
  setTabOrder(EditVsego, EditU);
  setTabOrder(EditU, problems_view_);
  setTabOrder(problems_view_, StringGrid1);
  // The recovery file is written shortly after a change, so that a burst of
  // edits costs one write and no keystroke waits for the disk.
  recovery_timer_ = new QTimer(this);
  recovery_timer_->setSingleShot(true);
  recovery_timer_->setInterval(kRecoveryDelayMs);
  recovery_writer_.setMaxThreadCount(1);
  connect(recovery_timer_, &QTimer::timeout, this, &TMain::StartRecoveryWrite);
  chart_ = new TChart(state_.data_dir(), state_.platform(), this);
  connect(chart_, &TChart::RowClicked, this, [this](int row) {
    state_.SetCursor(row, row, row);
    RefreshFromState();
    StringGrid1->scrollTo(model_->index(row - 1, 0));
  });

  // FormCreate: the settings over the design values; the column widths wait
  // for the deferred step, which runs once the event loop shows the window.
  MainSettings design;
  design.row_height = kDesignRowHeight;
  const MainSettings settings = state_.FormCreate(design);
  ApplySettings(settings);
  pending_col_widths_ = settings.col_widths;
  problems_panel_->setVisible(settings.problems_shown);
  action("mProblems")->setChecked(settings.problems_shown);
  action("mLiveCalc")->setChecked(state_.live_calc());
  state_.SetBlockCount(state_.table().BlockCount());
  RefreshFromState();
}

// The write under way ends before the window goes: its answer is for it.
TMain::~TMain() { recovery_writer_.waitForDone(); }

void TMain::StartRecoveryWrite() {
  std::optional<RecoveryWrite> write = state_.BeginRecoveryWrite();
  if (!write) {
    RefreshProblems();  // no recovery file to be had is said there
    return;
  }
  auto job = std::make_shared<const RecoveryWrite>(std::move(*write));
  recovery_writer_.start([this, job] {
    const bool written = job->Run();
    QMetaObject::invokeMethod(
        this,
        [this, job, written] {
          state_.RecoveryWriteDone(*job, written);
          RefreshProblems();
          ProjectChanged();  // changes made meanwhile are written soon
        },
        Qt::QueuedConnection);
  });
}

void TMain::BuildToolPanel(QWidget* parent) {
  auto* panel = new ClippingPanel(parent);
  Panel1 = panel;
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(80);
  auto* content = new QWidget(Panel1);
  panel->SetContent(content);
  auto* row = new QHBoxLayout(content);
  const auto make_button = [&](const char* name, const char* caption, QStyle::StandardPixmap icon) {
    auto* button =
        new QPushButton(style()->standardIcon(icon), QString::fromUtf8(caption), content);
    button->setObjectName(name);
    button->setMinimumHeight(48);
    button->setIconSize(QSize(24, 24));
    row->addWidget(button);
    return button;
  };
  BitBtnStart = make_button("BitBtnStart", "    &Расчет", QStyle::SP_MediaPlay);
  BitBtnOpen = make_button("BitBtnOpen", "    &Открыть", QStyle::SP_DialogOpenButton);
  BitBtnSave = make_button("BitBtnSave", "    &Сохранить", QStyle::SP_DialogSaveButton);

  auto* group1 = new QGroupBox(QString::fromUtf8("Блоков"), content);
  group1->setObjectName("GroupBox1");
  auto* group1_layout = new QHBoxLayout(group1);
  EditVsego = new QSpinBox(group1);
  EditVsego->setObjectName("EditVsego");
  EditVsego->setRange(kMinBlockCount, kMaxBlockCount);
  EditVsego->setWrapping(false);
  EditVsego->setValue(state_.table().BlockCount());
  EditVsego->setMinimumWidth(80);
  group1_layout->addWidget(EditVsego);
  row->addWidget(group1);

  auto* group2 = new QGroupBox(QString::fromUtf8("Напряжение КМУ"), content);
  group2->setObjectName("GroupBox2");
  auto* group2_layout = new QHBoxLayout(group2);
  EditU = new QLineEdit(group2);
  EditU->setObjectName("EditU");
  EditU->setMaximumWidth(90);
  Button28 = new QPushButton("28", group2);
  Button28->setObjectName("Button28");
  Button24 = new QPushButton("24", group2);
  Button24->setObjectName("Button24");
  for (QPushButton* b : {Button28, Button24}) b->setMaximumWidth(40);
  group2_layout->addWidget(EditU);
  group2_layout->addWidget(Button28);
  group2_layout->addWidget(Button24);
  row->addWidget(group2);
  row->addStretch(1);

  connect(BitBtnStart, &QPushButton::clicked, this, [this] { Calculate(false); });
  connect(BitBtnOpen, &QPushButton::clicked, this, [this] {
    Run([this] { state_.mOpenClick(); });
    ProjectReplaced();
  });
  connect(BitBtnSave, &QPushButton::clicked, this,
          [this] { Run([this] { state_.mSaveClick(); }); });
  connect(EditVsego, &QSpinBox::valueChanged, this, [this](int value) {
    if (refreshing_) return;
    Run([this, value] { state_.SetBlockCount(value); });
  });
  connect(EditU, &QLineEdit::textEdited, this, [this](const QString& text) {
    state_.SetEditU(text.toStdString());
    RefreshFromState();  // recalculated as typed, or stale
  });
  connect(Button28, &QPushButton::clicked, this,
          [this] { Run([this] { state_.Button28Click(); }); });
  connect(Button24, &QPushButton::clicked, this,
          [this] { Run([this] { state_.Button24Click(); }); });
}

void TMain::BuildStatusBars(QWidget* parent) {
  auto* layout = static_cast<QVBoxLayout*>(parent->layout());
  const auto build = [&](const char* name, auto& labels, const auto& widths, const auto& texts) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(name);
    bar->setSizeGripEnabled(false);
    for (size_t i = 0; i < labels.size(); ++i) {
      labels[i] = new StatusPanel(Q(texts[i]), widths[i], bar);
      labels[i]->setObjectName(QString("%1Panel%2").arg(name).arg(i));
      bar->addWidget(labels[i], i + 1 == labels.size() ? 1 : 0);
    }
    return bar;
  };
  QStatusBar* bar2 = build("StatusBar2", status2_, kStatus2Widths, state_.status().bar2);
  QStatusBar* bar1 = build("StatusBar1", status1_, kStatus1Widths, state_.status().bar1);
  layout->addWidget(bar2);
  layout->addWidget(bar1);
}

QAction* TMain::AddAction(QMenu* menu, const char* name, const char* caption,
                          const QKeySequence& shortcut) {
  auto* action = new QAction(QString::fromUtf8(caption), this);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  menu->addAction(action);
  actions_[name] = action;
  return action;
}

QAction* TMain::action(const std::string& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QLabel* TMain::statusPanel(int bar, int panel) const {
  if (bar == 1 && panel >= 0 && panel < 5) return status1_[static_cast<size_t>(panel)];
  if (bar == 2 && panel >= 0 && panel < 4) return status2_[static_cast<size_t>(panel)];
  return nullptr;
}

void TMain::SetToolWindows(QWidget* cables, QWidget* blocks, QWidget* house) {
  cables_window_ = cables;
  blocks_window_ = blocks;
  house_window_ = house;
  const auto show = [](QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
  };
  connect(action("mCabel"), &QAction::triggered, this, [this, show] { show(cables_window_); });
  connect(action("mBlock"), &QAction::triggered, this, [this, show] { show(blocks_window_); });
  connect(action("mRast"), &QAction::triggered, this, [this, show] { show(house_window_); });
  UpdateActions();
}

void TMain::SetAnalysisWindow(TAnalysis* window) {
  analysis_window_ = window;
  if (!window) return;
  connect(action("mAnalysis"), &QAction::triggered, window, [window] {
    window->show();
    window->raise();
    window->activateWindow();
  });
  connect(window, &TAnalysis::ApplyCable, this, [this](const QString& name) {
    Run([this, name] { state_.ApplyCableEverywhere(name.toStdString()); });
  });
  connect(window, &TAnalysis::ApplyRegime, this, [this](const QString& name) {
    Run([this, name] { state_.SetAllBlocksToRegime(name.toStdString()); });
  });
  UpdateActions();
}

void TMain::Run(const std::function<void()>& command) {
  state_.BeginCommand();
  command();
  state_.EndCommand();
  RefreshFromState();
}

void TMain::ProjectChanged() {
  setWindowTitle(Q(state_.WindowCaption()));
  chart_->logic().SetProjectPath(state_.ProjectPathText());
  if (state_.RecoveryDue()) {
    if (!recovery_timer_->isActive()) recovery_timer_->start();
  } else {
    recovery_timer_->stop();
  }
  if (analysis_window_) analysis_window_->ProjectChanged();
  // The chart follows the results, whatever calculation made them (drawn when
  // it is shown: see mChart).
  if (!chart_->isVisible()) return;
  if (state_.results().kind != ResultState::Kind::kNone && !state_.results().stale) {
    chart_->SetProfile(BuildVoltageProfile(state_.table(), state_.params(), state_.blocks(),
                                           state_.platform().locale->DecimalSeparator()));
  } else {
    chart_->ClearProfile();
  }
}

void TMain::Calculate(bool search) {
  Run([this, search] {
    if (search) {
      state_.mFindUKMUClick();
    } else {
      state_.BitBtnStartClick();
    }
  });
  StringGrid1->setFocus();
}

void TMain::ProjectReplaced() {
  StringGrid1->setFocus();  // the designer goes on in the table
  // Asked over the project already shown.
  Run([this] { state_.OfferCarriedTypes(); });
}

void TMain::RefreshFromState() {
  refreshing_ = true;
  model_->Refresh();
  if (EditVsego->value() != state_.table().BlockCount())
    EditVsego->setValue(state_.table().BlockCount());
  if (EditU->text().toStdString() != state_.params().EditU)
    EditU->setText(Q(state_.params().EditU));
  for (size_t i = 0; i < status1_.size(); ++i) status1_[i]->setText(Q(state_.status().bar1[i]));
  for (size_t i = 0; i < status2_.size(); ++i) status2_[i]->setText(Q(state_.status().bar2[i]));
  UpdateActions();
  RefreshProblems();
  ProjectChanged();

  // The cursor and the selected range as the state holds them.
  const int rows = state_.table().BlockCount();
  const int current = std::clamp(state_.current_row(), 1, rows) - 1;
  const int top = std::clamp(state_.selection_top(), 1, rows) - 1;
  const int bottom = std::clamp(state_.selection_bottom(), 1, rows) - 1;
  QItemSelectionModel* selection = StringGrid1->selectionModel();
  const QModelIndex current_index =
      model_->index(current, std::max(0, StringGrid1->currentIndex().column()));
  selection->setCurrentIndex(current_index, QItemSelectionModel::NoUpdate);
  selection->select(QItemSelection(model_->index(std::min(top, bottom), 0),
                                   model_->index(std::max(top, bottom), kColumnCount - 1)),
                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  StringGrid1->viewport()->update();
  refreshing_ = false;
}

MainSettings TMain::CurrentSettings() const {
  MainSettings values;
  values.geometry = PlaceOf(*this);
  values.row_height = StringGrid1->verticalHeader()->defaultSectionSize();
  for (int i = 0; i < kColumnCount; ++i) {
    values.col_widths[static_cast<size_t>(i)] = StringGrid1->columnWidth(i);
  }
  values.file_name = state_.ProjectFileName();
  values.live_calc = state_.live_calc();
  values.problems_shown = !problems_panel_->isHidden();
  return values;
}

void TMain::ApplySettings(const MainSettings& settings) {
  // The fitting of the frame to the screen may come after the deferred step
  // has given the columns their saved widths: that resize keeps them.
  ApplyPlace(*this, settings.geometry, *state_.platform().screen,
             [this](const QSize& fitted) { fitted_size_ = fitted; });
  SetRowHeight(settings.row_height);
}

void TMain::SetRowHeight(int height) {
  height = std::clamp(height, kMinRowHeight, kMaxRowHeight);
  StringGrid1->verticalHeader()->setDefaultSectionSize(height);
}

void TMain::ApplySavedColumnWidths() {
  for (int i = 0; i < kColumnCount; ++i) {
    const int width = pending_col_widths_[static_cast<size_t>(i)];
    if (width != 0) StringGrid1->setColumnWidth(i, width);
  }
}

void TMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Posted when the window is first shown, not when it is made: a box that a
  // library shows while the other windows are made runs the event loop, and
  // the step must not run before the program has been told its project.
  if (!start_posted_) {
    start_posted_ = true;
    QMetaObject::invokeMethod(this, &TMain::ApplicationEvents1Message, Qt::QueuedConnection);
  }
}

void TMain::ApplicationEvents1Message() {
  if (started_) return;
  started_ = true;
  ApplySavedColumnWidths();
  Run([this] { state_.StartUp(); });
  // Said over the project it explains, whose types are then unknown.
  state_.ReportMissingLibraries();
  ProjectReplaced();
}

void TMain::FormResize() {
  if (width() < 300) resize(300, height());
  const std::array<int, 11> widths = ProportionalColumnWidths(width());
  for (int i = 0; i < kColumnCount; ++i) {
    StringGrid1->setColumnWidth(i, widths[static_cast<size_t>(i)]);
  }
  // The frame fitted to the screen: no resize of the user's.
  if (fitted_size_ && *fitted_size_ == size()) {
    fitted_size_.reset();
    if (started_) ApplySavedColumnWidths();
  }
}

void TMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TMain::closeEvent(QCloseEvent* event) {
  if (!state_.FormCloseQuery()) {
    event->ignore();
    RefreshFromState();  // a save may have named the project
    return;
  }
  recovery_timer_->stop();
  recovery_writer_.waitForDone();  // then the recovery file goes for good
  state_.FormClose(CurrentSettings());
  if (chart_->isVisible()) chart_->close();  // keeps its place in the settings
  if (analysis_window_ && analysis_window_->isVisible()) analysis_window_->close();
  if (on_close_) on_close_();
  event->accept();
}

}  // namespace luch
