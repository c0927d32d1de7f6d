// Drives the real main window on the offscreen platform.
#include "app/ui/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cables.Add({"", "КСПВ 2х0,5", "48", "60", "120", ""});
    cables.Add({"", "ТРП 1х2х0,4", "148", "50", "130", ""});
  }

  // A window as the program starts it: created, shown, the deferred step run.
  std::unique_ptr<TMain> Start(const std::string& named_project = "") {
    state = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
    state->SetNamedProject(named_project);
    auto window = std::make_unique<TMain>(*state);
    window->show();
    QApplication::processEvents();
    return window;
  }

  QPoint CellCenter(TMain& window, int row, int col) {
    QTableView* grid = window.grid();
    return grid->visualRect(grid->model()->index(row - 1, col)).center();
  }

  void DoubleClickCell(TMain& window, int row, int col) {
    QWidget* viewport = window.grid()->viewport();
    const QPoint at = CellCenter(window, row, col);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  std::unique_ptr<MainState> state;
};

TEST_F(MainWindowTest, FirstStartShowsTheDesignWindow) {
  auto window = Start();
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Расчет луча ТЕРН-12 по постоянному току"));
  EXPECT_EQ(window->size(), QSize(873, 480));
  EXPECT_EQ(window->grid()->model()->rowCount(), 5);
  EXPECT_EQ(window->grid()->verticalHeader()->defaultSectionSize(), 22);
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: "));
  EXPECT_EQ(window->EditU->text(), "28.0");
  // The parameters of a new project, and the results at once: no table
  // without them (the rows have no block: their cells are the line's).
  EXPECT_EQ(state->params().ZBResistance, 40.0f);
  EXPECT_EQ(window->grid()->model()->index(0, kVoltageV).data().toString(), "27.95");
  EXPECT_TRUE(window->action("mInfo")->isEnabled());
  // Without the library files that result is not called a success.
  EXPECT_EQ(window->statusPanel(1, 4)->text(),
            QString::fromUtf8("Расчет выполнен без библиотек кабелей и блоков: см. Проверка"));
  // Columns share the width by their percentages.
  EXPECT_EQ(window->grid()->columnWidth(1), 13 * window->width() / 100);
  EXPECT_EQ(window->grid()->model()->headerData(3, Qt::Horizontal).toString(),
            QString::fromUtf8(" Длина (м)"));
  // Each header's tooltip explains it: " Длина (м)" by "Длина — ...".
  for (int col = 0; col < kColumnCount; ++col) {
    const auto header = [&](int role) {
      return window->grid()->model()->headerData(col, Qt::Horizontal, role).toString();
    };
    const QString name = header(Qt::DisplayRole).trimmed().section(" (", 0, 0);
    EXPECT_TRUE(header(Qt::ToolTipRole).startsWith(name + QString::fromUtf8(" — "))) << col;
  }
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
  auto window = Start();
  EXPECT_EQ(window->action("mFindUKMU")->text(),
            QString::fromUtf8("&Найти  минимальное напряжение КМУ"));
  EXPECT_EQ(window->action("mSaveAs")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
  EXPECT_EQ(window->action("mStart")->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_EQ(window->action("mTable")->text(), QString::fromUtf8("Таблица напряжений "));
  EXPECT_EQ(window->action("mReverse")->text(), QString::fromUtf8("Обратный порядок"));
}

TEST_F(MainWindowTest, PlacesRowHeightAndWidthsSurviveARestart) {
  {
    auto window = Start();
    window->move(0, 50);
    window->resize(fake.screen.width, 500);  // as wide as the screen
    QApplication::processEvents();
    for (int k = 0; k < 3; ++k) window->action("mStrH")->trigger();
    window->grid()->setColumnWidth(2, 333);
    window->close();
  }
  const ProfileFile settings(dir / "Tarvel.ini");
  EXPECT_EQ(settings.ReadInteger("Main", "DefaultRowHeight", 0), 25);
  EXPECT_EQ(settings.ReadInteger("Main", "ColWidths2", 0), 333);
  // Under a window manager the frame is known after the deferred step: the
  // window fitted to the screen then (a resize that is not the user's) keeps
  // the widths.
  state = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
  auto window = std::make_unique<TMain>(*state);
  window->ApplicationEvents1Message();
  window->show();
  QTest::qWait(50);
  const int frame = window->frameGeometry().width() - window->width();
  ASSERT_GT(frame, 0);
  EXPECT_EQ(window->size(), QSize(fake.screen.width - frame, 500));
  EXPECT_EQ(window->grid()->verticalHeader()->defaultSectionSize(), 25);
  EXPECT_EQ(window->grid()->columnWidth(2), 333);
  // A resize goes back to the percentages.
  window->resize(1000, 500);
  QApplication::processEvents();
  EXPECT_EQ(window->grid()->columnWidth(2), 160);
}

TEST_F(MainWindowTest, RowHeightNeverGoesBelowOnePixel) {
  auto window = Start();
  for (int k = 0; k < 40; ++k) window->action("mStrL")->trigger();
  EXPECT_EQ(window->grid()->verticalHeader()->defaultSectionSize(), 1);
}

TEST_F(MainWindowTest, KeepsAnyWidthFrom300AndNeverWidensItself) {
  {
    auto window = Start();
    const int width = window->width();
    for (int count = 1; count <= 30; ++count) {
      window->EditVsego->setValue(count * 100);
      QApplication::processEvents();
    }
    EXPECT_EQ(window->width(), width);
    window->resize(200, 400);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 300);
    window->resize(320, 400);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 320);
    fake.messages.choices = {Answer::kNo};  // the count changes are not kept
    window->close();
  }
  EXPECT_EQ(ProfileFile(dir / "Tarvel.ini").ReadInteger("Main", "Width", 0), 320);
  auto window = Start();
  EXPECT_EQ(window->width(), 320);
}

TEST_F(MainWindowTest, CountControlShowsAndHidesRows) {
  auto window = Start();
  QAbstractItemModelTester checked(window->grid()->model(),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
  window->EditVsego->setValue(12);
  EXPECT_EQ(window->grid()->model()->rowCount(), 12);
  EXPECT_EQ(window->statusPanel(1, 1)->text(), QString::fromUtf8("Блоков: 12"));
  window->EditVsego->setValue(5000);
  EXPECT_EQ(state->table().BlockCount(), 4096);
}

TEST_F(MainWindowTest, DoubleClicksEditTheRow) {
  auto window = Start();
  fake.prompter.Answer("Подъезд 2");
  DoubleClickCell(*window, 2, kAddress);
  EXPECT_EQ(state->table().Address(2), "Подъезд 2");
  EXPECT_EQ(fake.prompter.asked.back().caption, "Адрес блока ");

  DoubleClickCell(*window, 2, kHasZB);
  EXPECT_EQ(state->table().GetCell(2, kHasZB), "ДА");
  DoubleClickCell(*window, 2, kHasZB);
  EXPECT_EQ(state->table().GetCell(2, kHasZB), "");

  // The cable menu opens at the cell; choose its second item.
  QTimer::singleShot(50, [] {
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    menu->setActiveAction(menu->actions().at(1));
    QTest::keyClick(menu, Qt::Key_Return);
  });
  DoubleClickCell(*window, 2, kCableName);
  EXPECT_EQ(state->table().CableName(2), "ТРП 1х2х0,4");

  fake.prompter.Answer("100");
  DoubleClickCell(*window, 2, kLengthM);
  EXPECT_EQ(fake.prompter.asked.back().caption, "Длина кабеля от предыдущего блока");
  EXPECT_EQ(state->table().GetCell(2, kResistanceOhm), "29,6");
  const QModelIndex shown = window->grid()->model()->index(1, kResistanceOhm);
  EXPECT_EQ(window->grid()->model()->data(shown).toString(), QString::fromUtf8("29,6"));
}

TEST_F(MainWindowTest, NewAndVoltageButtonsRedrawTheWindow) {
  auto window = Start();
  window->action("mNew")->trigger();
  EXPECT_EQ(window->grid()->model()->rowCount(), 1);
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Новый проект"));
  QTest::mouseClick(window->Button24, Qt::LeftButton);
  EXPECT_EQ(window->EditU->text(), "24.00");
  window->EditU->clear();
  QTest::keyClicks(window->EditU, "30.5");
  EXPECT_EQ(state->params().EditU, "30.5");
}

TEST_F(MainWindowTest, NewFillSaveAsRestartBringsTheProjectBack) {
  {
    auto window = Start();
    window->action("mNew")->trigger();
    fake.prompter.Answer("Щитовая");
    DoubleClickCell(*window, 1, kAddress);
    fake.dialogs.answers.push_back(PathToUtf8(dir / "Дом.луч"));
    window->action("mSaveAs")->trigger();
    EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: Дом.луч"));
    window->close();
  }
  auto window = Start();
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: Дом.луч"));
  EXPECT_EQ(state->table().Address(1), "Щитовая");
  EXPECT_EQ(window->grid()->model()->rowCount(), 1);
}

TEST_F(MainWindowTest, ANamedProjectOpensAtStartAndADroppedOneReplacesIt) {
  {
    auto window = Start();
    window->action("mNew")->trigger();
    fake.dialogs.answers.push_back(PathToUtf8(dir / "Дом.луч"));
    window->action("mSaveAs")->trigger();
    window->action("mNew")->trigger();
    window->EditVsego->setValue(3);
    fake.dialogs.answers.push_back(PathToUtf8(dir / "Школа.луч"));
    window->action("mSaveAs")->trigger();
    window->action("mNew")->trigger();  // nothing remembered
    window->close();
  }
  auto window = Start(PathToUtf8(dir / "Дом.луч"));
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: Дом.луч"));

  const auto drop = [&](const char* name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(dir / name)))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window.get(), &dropped);
    QApplication::processEvents();
    return true;
  };
  dir.Write("Школа.txt", "");
  EXPECT_FALSE(drop("Школа.txt"));
  EXPECT_TRUE(drop("Школа.луч"));
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: Школа.луч"));
  EXPECT_EQ(window->grid()->model()->rowCount(), 3);
}

}  // namespace
}  // namespace luch
