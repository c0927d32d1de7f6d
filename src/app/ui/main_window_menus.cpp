// The main menu and the grid's context menu of TMain.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QHeaderView>
#include <QTableView>

#include "app/ui/main_window.h"
#include "calc/ui/setup_dialog_qt.h"
#include "calc/ui/voltage_chart_qt.h"
#include "editing/block_replacement.h"
#include "editing/cable_replacement.h"
#include "editing/ui/change_blk_window.h"
#include "editing/ui/change_cbl_window.h"
#include "tools/ui/about_box_qt.h"

namespace luch {

void TMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QString::fromUtf8("&Файл"));
  QAction* open = AddAction(file, "mOpen", "&Открыть...", QKeySequence(Qt::Key_F3));
  QAction* save = AddAction(file, "mSave", "&Сохранить", QKeySequence(Qt::Key_F2));
  QAction* save_as =
      AddAction(file, "mSaveAs", "Сохр&анить как...", QKeySequence(Qt::CTRL | Qt::Key_F2));
  QAction* create = AddAction(file, "mNew", "Со&здать...");
  file->addSeparator();
  QAction* info = AddAction(file, "mInfo", "От&чет");
  QAction* text = AddAction(file, "mText", "Экспорт в текстовый файл");
  QAction* excel = AddAction(file, "mMicrosoftExcel", "Экспорт в Microsoft Excel");
  QAction* voltage_table = AddAction(file, "mTable", "Таблица напряжений ");
  file->addSeparator();
  QAction* exit = AddAction(file, "mExit", "&Выход");

  QMenu* edit = bar->addMenu(QString::fromUtf8("&Правка"));
  QAction* undo = AddAction(edit, "mUndo", "&Отменить", QKeySequence(Qt::CTRL | Qt::Key_Z));
  QAction* redo = AddAction(edit, "mRedo", "&Повторить", QKeySequence(Qt::CTRL | Qt::Key_Y));
  edit->addSeparator();
  QAction* cut = AddAction(edit, "mCut", "&Вырезать", QKeySequence(Qt::CTRL | Qt::Key_X));
  QAction* copy = AddAction(edit, "mCopy", "&Копировать", QKeySequence(Qt::CTRL | Qt::Key_C));
  QAction* paste = AddAction(edit, "mPaste", "В&ставить", QKeySequence(Qt::CTRL | Qt::Key_V));
  QAction* remove = AddAction(edit, "mDelete", "&Удалить", QKeySequence(Qt::Key_Delete));
  edit->addSeparator();
  QAction* fill = AddAction(edit, "mFillSpace", "Вс&тавить в свободные строки");
  QAction* many = AddAction(edit, "mMnogo", "Вставить &несколько раз");

  QMenu* act = bar->addMenu(QString::fromUtf8("&Действие"));
  QAction* start = AddAction(act, "mStart", "&Выполнить расчет...", QKeySequence(Qt::Key_F9));
  QAction* find = AddAction(act, "mFindUKMU", "&Найти  минимальное напряжение КМУ",
                            QKeySequence(Qt::Key_F10));
  act->addSeparator();
  QAction* change_cable = AddAction(act, "mChangeCbl", "Замена &кабеля");
  QAction* change_block = AddAction(act, "mBlkChng", "&Замена блоков");
  act->addSeparator();
  QAction* normal =
      AddAction(act, "mBlkNorma", "Установить блокам нормальный режим", QKeySequence(Qt::Key_F12));
  act->addSeparator();
  QAction* lengths = AddAction(act, "mLength", "Задать длину всех сегментов");

  QMenu* params = bar->addMenu(QString::fromUtf8("&Параметры"));
  AddAction(params, "mCabel", "Типы &кабеля...", QKeySequence(Qt::Key_F4));
  AddAction(params, "mBlock", "&Блоки...", QKeySequence(Qt::Key_F5));
  params->addSeparator();
  QAction* project = AddAction(params, "mProject", "&Проект ...", QKeySequence(Qt::Key_F6));
  params->addSeparator();
  QAction* taller = AddAction(params, "mStrH", "Увеличить высоту строки");
  QAction* lower = AddAction(params, "mStrL", "Уменьшить высоту строки");

  QMenu* window = bar->addMenu(QString::fromUtf8("О&кно"));
  AddAction(window, "mRast", "&Расстояние между домами");
  QAction* chart = AddAction(window, "mChart", "&График напряжения", QKeySequence(Qt::Key_F11));

  QAction* about = bar->addAction(QString::fromUtf8("&О программе"));
  about->setObjectName("mAbout");
  actions_["mAbout"] = about;

  // The grid's context menu; the first four share the main menu's handlers.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  const auto add_popup = [this](const char* name, const char* caption) {
    auto* item = new QAction(QString::fromUtf8(caption), this);
    item->setObjectName(name);
    PopupMenu1->addAction(item);
    actions_[name] = item;
    return item;
  };
  QAction* pm_cut = add_popup("pmCut", "&Вырезать");
  QAction* pm_copy = add_popup("pmCopy", "&Копировать");
  QAction* pm_paste = add_popup("pmPaste", "В&ставить");
  QAction* pm_delete = add_popup("pmDelete", "&Удалить");
  PopupMenu1->addSeparator();
  QAction* rename = add_popup("pmRename", "Переименовать");
  PopupMenu1->addSeparator();
  QAction* up = add_popup("pmUp", "Вве&рх");
  QAction* down = add_popup("pmDown", "В&низ");
  PopupMenu1->addSeparator();
  QAction* reverse = add_popup("mReverse", "Обратный порядок");

  // Every command starts disabled; each is enabled where it is connected.
  for (auto& [name, item] : actions_) item->setEnabled(false);
  const auto wire = [this](QAction* item, const std::function<void()>& command) {
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, [this, command] { Run(command); });
  };
  wire(open, [this] {
    state_.mOpenClick();
    ProjectReplaced();
  });
  wire(save, [this] { state_.mSaveClick(); });
  wire(save_as, [this] { state_.mSaveAsClick(); });
  wire(create, [this] {
    state_.mNewClick();
    ProjectReplaced();
  });
  chart->setEnabled(true);
  connect(chart, &QAction::triggered, this, [this] {
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
  });
  start->setEnabled(true);
  find->setEnabled(true);
  connect(start, &QAction::triggered, this, [this] { Calculate(false); });
  connect(find, &QAction::triggered, this, [this] { Calculate(true); });
  wire(info, [this] { state_.mInfoClick(); });
  wire(text, [this] { state_.mTextClick(); });
  wire(excel, [this] { state_.mMicrosoftExcelClick(); });
  wire(voltage_table, [this] { state_.mTableClick(); });
  exit->setEnabled(true);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  for (QAction* item : {cut, pm_cut}) wire(item, [this] { state_.mCutClick(); });
  for (QAction* item : {copy, pm_copy}) wire(item, [this] { state_.mCopyClick(); });
  for (QAction* item : {paste, pm_paste}) wire(item, [this] { state_.mPasteClick(); });
  for (QAction* item : {remove, pm_delete}) wire(item, [this] { state_.mDeleteClick(); });
  wire(fill, [this] { state_.mFillSpaceClick(); });
  wire(many, [this] { state_.mMnogoClick(); });
  wire(rename, [this] { state_.pmRenameClick(); });
  wire(up, [this] { state_.pmUpClick(); });
  wire(down, [this] { state_.pmDownClick(); });
  wire(reverse, [this] { state_.mReverseClick(); });
  wire(lengths, [this] { state_.mLengthClick(); });
  wire(normal, [this] { state_.mBlkNormaClick(); });
  wire(change_cable, [this] {
    ApplyCableReplacement(state_.table, TChangeCbl::Execute(state_.data_dir(), state_.cables(),
                                                            state_.platform(), this));
  });
  wire(change_block, [this] {
    ApplyBlockReplacement(state_.table, TChangeBlk::Execute(state_.data_dir(), state_.blocks(),
                                                            state_.platform(), this));
  });
  wire(project, [this] { RunSetupDialog(this, state_.params); });
  wire(about, [this] { ShowAboutBox(this); });
  connect(undo, &QAction::triggered, this, [this] {
    state_.Undo();
    RefreshFromState();
  });
  connect(redo, &QAction::triggered, this, [this] {
    state_.Redo();
    RefreshFromState();
  });
  wire(taller, [this] { SetRowHeight(StringGrid1->verticalHeader()->defaultSectionSize() + 1); });
  wire(lower, [this] { SetRowHeight(StringGrid1->verticalHeader()->defaultSectionSize() - 1); });
}

}  // namespace luch
