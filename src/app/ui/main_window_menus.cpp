// The main menu and the grid's context menu of TMain, built menu by menu;
// which items are enabled is decided in UpdateActions alone.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>

#include "app/ui/help_window.h"
#include "app/ui/main_window.h"
#include "chart/ui/voltage_chart.h"
#include "reports/paint/design_pdf.h"
#include "tools/ui/about_box.h"

namespace luch {

void TMain::BuildMenus() {
  BuildFileMenu();
  BuildEditMenu();
  BuildActionMenu();
  BuildParametersMenu();
  BuildWindowMenu();
  QMenu* about = menuBar()->addMenu(QString::fromUtf8("&О программе"));
  connect(AddAction(about, "mHelp", "&Справка", QKeySequence(Qt::Key_F1)), &QAction::triggered,
          this, [this] { ShowHelp(this, state_.data_dir(), OpenFolder()); });
  Wire(AddAction(about, "mAbout", "&О программе..."),
       [this] { ShowAboutBox(this, state_.data_dir(), OpenFolder()); });
  BuildPopupMenu();
}

void TMain::Wire(QAction* item, const std::function<void()>& command) {
  connect(item, &QAction::triggered, this, [this, command] { Run(command); });
}

void TMain::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Файл"));
  Wire(AddAction(file, "mOpen", "&Открыть...", QKeySequence(Qt::Key_F3)), [this] {
    state_.mOpenClick();
    ProjectReplaced();
  });
  QAction* save = AddAction(file, "mSave", "&Сохранить", QKeySequence(Qt::Key_F2));
  // Ctrl+S as well: what users of other Windows programs press.
  save->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)});
  Wire(save, [this] { state_.mSaveClick(); });
  Wire(AddAction(file, "mSaveAs", "Сохр&анить как...", QKeySequence(Qt::CTRL | Qt::Key_F2)),
       [this] { state_.mSaveAsClick(); });
  Wire(AddAction(file, "mNew", "Со&здать..."), [this] {
    state_.mNewClick();
    ProjectReplaced();
  });
  file->addSeparator();
  Wire(AddAction(file, "mInfo", "От&чет"), [this] { state_.mInfoClick(); });
  Wire(AddAction(file, "mText", "Экспорт в текстовый файл"), [this] { state_.mTextClick(); });
  Wire(AddAction(file, "mMicrosoftExcel", "Экспорт в Microsoft Excel"),
       [this] { state_.mMicrosoftExcelClick(); });
  Wire(AddAction(file, "mTable", "Таблица напряжений "), [this] { state_.mTableClick(); });
  Wire(AddAction(file, "mQuantities", "&Спецификация"), [this] { state_.mQuantitiesClick(); });
  Wire(AddAction(file, "mPdf", "Отчет в &PDF..."), [this] { state_.mPdfClick(RenderDesignPdf); });
  file->addSeparator();
  connect(AddAction(file, "mExit", "&Выход"), &QAction::triggered, this, &QWidget::close);
}

void TMain::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu(QString::fromUtf8("&Правка"));
  connect(AddAction(edit, "mUndo", "&Отменить", QKeySequence(Qt::CTRL | Qt::Key_Z)),
          &QAction::triggered, this, [this] {
            state_.Undo();
            RefreshFromState();
          });
  connect(AddAction(edit, "mRedo", "&Повторить", QKeySequence(Qt::CTRL | Qt::Key_Y)),
          &QAction::triggered, this, [this] {
            state_.Redo();
            RefreshFromState();
          });
  edit->addSeparator();
  Wire(AddAction(edit, "mCut", "&Вырезать", QKeySequence(Qt::CTRL | Qt::Key_X)),
       [this] { state_.mCutClick(); });
  Wire(AddAction(edit, "mCopy", "&Копировать", QKeySequence(Qt::CTRL | Qt::Key_C)),
       [this] { state_.mCopyClick(); });
  Wire(AddAction(edit, "mPaste", "В&ставить", QKeySequence(Qt::CTRL | Qt::Key_V)),
       [this] { state_.mPasteClick(); });
  Wire(AddAction(edit, "mPasteTable", "Вставить из &таблицы",
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)),
       [this] { state_.mPasteTableClick(); });
  Wire(AddAction(edit, "mDelete", "&Удалить", QKeySequence(Qt::Key_Delete)),
       [this] { state_.mDeleteClick(); });
  edit->addSeparator();
  Wire(AddAction(edit, "mFillSpace", "Вс&тавить в свободные строки"),
       [this] { state_.mFillSpaceClick(); });
  Wire(AddAction(edit, "mMnogo", "Вставить &несколько раз"), [this] { state_.mMnogoClick(); });
}

void TMain::BuildActionMenu() {
  QMenu* act = menuBar()->addMenu(QString::fromUtf8("&Действие"));
  connect(AddAction(act, "mStart", "&Выполнить расчет...", QKeySequence(Qt::Key_F9)),
          &QAction::triggered, this, [this] { Calculate(false); });
  connect(
      AddAction(act, "mFindUKMU", "&Найти  минимальное напряжение КМУ", QKeySequence(Qt::Key_F10)),
      &QAction::triggered, this, [this] { Calculate(true); });
  act->addSeparator();
  Wire(AddAction(act, "mChangeCbl", "Замена &кабеля"), [this] { state_.mChangeCblClick(); });
  Wire(AddAction(act, "mBlkChng", "&Замена блоков"), [this] { state_.mBlkChngClick(); });
  act->addSeparator();
  Wire(AddAction(act, "mBlkNorma", "Установить блокам нормальный режим", QKeySequence(Qt::Key_F12)),
       [this] { state_.mBlkNormaClick(); });
  act->addSeparator();
  Wire(AddAction(act, "mLength", "Задать длину всех сегментов"), [this] { state_.mLengthClick(); });
}

void TMain::BuildParametersMenu() {
  QMenu* params = menuBar()->addMenu(QString::fromUtf8("&Параметры"));
  // Shown by SetToolWindows, which gives them their windows.
  AddAction(params, "mCabel", "Типы &кабеля...", QKeySequence(Qt::Key_F4));
  AddAction(params, "mBlock", "&Блоки...", QKeySequence(Qt::Key_F5));
  params->addSeparator();
  Wire(AddAction(params, "mProject", "&Проект ...", QKeySequence(Qt::Key_F6)),
       [this] { state_.mProjectClick(); });
  QAction* live = AddAction(params, "mLiveCalc", "Пересчитывать &сразу");
  live->setCheckable(true);
  connect(live, &QAction::toggled, this, [this](bool on) {
    if (refreshing_ || on == state_.live_calc()) return;
    Run([this, on] { state_.SetLiveCalc(on); });
  });
  params->addSeparator();
  Wire(AddAction(params, "mStrH", "Увеличить высоту строки"),
       [this] { SetRowHeight(StringGrid1->verticalHeader()->defaultSectionSize() + 1); });
  Wire(AddAction(params, "mStrL", "Уменьшить высоту строки"),
       [this] { SetRowHeight(StringGrid1->verticalHeader()->defaultSectionSize() - 1); });
}

void TMain::BuildWindowMenu() {
  QMenu* window = menuBar()->addMenu(QString::fromUtf8("О&кно"));
  AddAction(window, "mRast", "&Расстояние между домами");  // shown by SetToolWindows
  connect(AddAction(window, "mChart", "&График напряжения", QKeySequence(Qt::Key_F11)),
          &QAction::triggered, this, [this] {
            chart_->show();
            ProjectChanged();
            chart_->raise();
            chart_->activateWindow();
          });
  // F12 sets the normal regimes: the list has a key of its own.
  QAction* problems = AddAction(window, "mProblems", "&Проверка", QKeySequence(Qt::Key_F7));
  problems->setCheckable(true);
  connect(problems, &QAction::toggled, this, [this](bool on) { problems_panel_->setVisible(on); });
  AddAction(window, "mAnalysis", "&Анализ луча",
            QKeySequence(Qt::Key_F8));  // see SetAnalysisWindow
}

void TMain::BuildPopupMenu() {
  // The grid's context menu; the first four share the main menu's handlers.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  const auto add = [this](const char* name, const char* caption, const char* same_as) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(name);
    PopupMenu1->addAction(item);
    actions_[name] = item;
    if (same_as) connect(item, &QAction::triggered, action(same_as), &QAction::trigger);
    return item;
  };
  add("pmCut", "&Вырезать", "mCut");
  add("pmCopy", "&Копировать", "mCopy");
  add("pmPaste", "В&ставить", "mPaste");
  add("pmDelete", "&Удалить", "mDelete");
  PopupMenu1->addSeparator();
  Wire(add("pmRename", "Переименовать", nullptr), [this] { state_.pmRenameClick(); });
  PopupMenu1->addSeparator();
  Wire(add("pmUp", "Вве&рх", nullptr), [this] { state_.pmUpClick(); });
  Wire(add("pmDown", "В&низ", nullptr), [this] { state_.pmDownClick(); });
  PopupMenu1->addSeparator();
  Wire(add("mReverse", "Обратный порядок", nullptr), [this] { state_.mReverseClick(); });
}

OpenFolderFn TMain::OpenFolder() const {
  Launcher* launcher = state_.platform().launcher;
  return [launcher](const std::filesystem::path& folder) { launcher->OpenFolder(folder); };
}

void TMain::UpdateActions() {
  action("mInfo")->setEnabled(state_.report_enabled());
  action("mPdf")->setEnabled(state_.report_enabled());
  action("mTable")->setEnabled(state_.voltage_table_enabled());
  action("mText")->setEnabled(state_.export_enabled());
  action("mMicrosoftExcel")->setEnabled(state_.export_enabled());
  action("mUndo")->setEnabled(state_.CanUndo());
  action("mRedo")->setEnabled(state_.CanRedo());
  action("mCabel")->setEnabled(cables_window_ != nullptr);
  action("mBlock")->setEnabled(blocks_window_ != nullptr);
  action("mRast")->setEnabled(house_window_ != nullptr);
  action("mAnalysis")->setEnabled(analysis_window_ != nullptr);
}

}  // namespace luch
