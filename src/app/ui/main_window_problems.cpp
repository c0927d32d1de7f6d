// The problems list "Проверка" under the grid of TMain: one line per problem,
// redrawn with the window; a double-click or Enter on a line selects its row.
#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QTableView>
#include <QVBoxLayout>

#include "app/ui/main_window.h"
#include "common/ui/cut_text_delegate.h"
#include "common/ui/text_rows_model.h"

namespace luch {
namespace {

// Enter on a line does what a double-click does.
class ProblemsView : public QListView {
 public:
  using QListView::QListView;
  std::function<void(int)> on_choose;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid() && on_choose) {
      on_choose(currentIndex().row());
      return;
    }
    QListView::keyPressEvent(event);
  }
};

}  // namespace

void TMain::BuildProblemsPanel(QWidget* parent) {
  auto* panel = new QGroupBox(QString::fromUtf8("Проверка"), parent);
  panel->setObjectName("GroupBoxProblems");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 2, 4, 4);
  auto* view = new ProblemsView(panel);
  view->setObjectName("ListBoxProblems");
  problems_model_ = new TextRowsModel(
      {}, [this] { return static_cast<int>(problems_.size()); },
      [this](int row, int) { return problems_[static_cast<size_t>(row)].text; }, this);
  view->setModel(problems_model_);
  view->setItemDelegate(new CutTextDelegate(view));
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setUniformItemSizes(true);
  // Three lines: the grid keeps most of the window (F7 hides the panel).
  view->setFixedHeight(3 * (view->fontMetrics().height() + 2) + 2 * view->frameWidth() + 4);
  view->on_choose = [this](int problem) { SelectProblemRow(problem); };
  connect(view, &QListView::doubleClicked, this,
          [this](const QModelIndex& index) { SelectProblemRow(index.row()); });
  layout->addWidget(view);
  problems_panel_ = panel;
  problems_view_ = view;
}

void TMain::RefreshProblems() {
  std::vector<Problem> now = state_.Problems();
  if (now.empty()) now.push_back({"Проблем не найдено.", 0});
  if (now == problems_) return;  // keeps the user's place in the list
  problems_ = std::move(now);
  problems_model_->Refresh();
}

void TMain::SelectProblemRow(int problem) {
  if (problem < 0 || problem >= static_cast<int>(problems_.size())) return;
  const int row = problems_[static_cast<size_t>(problem)].row;
  if (row < 1 || row > state_.table().BlockCount()) return;
  state_.SetCursor(row, row, row);
  RefreshFromState();
  StringGrid1->scrollTo(model_->index(row - 1, 0));
  StringGrid1->setFocus();
}

}  // namespace luch
