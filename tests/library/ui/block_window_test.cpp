#include "library/ui/block_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/cp1251.h"
#include "common/profile_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

template <typename T>
T* Find(QWidget& window, const char* name) {
  T* child = window.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QString Cell(QTableView* grid, int row, int column) {
  return grid->model()->index(row, column).data().toString();
}

void DoubleClickCell(QTableView* grid, int row, int column) {
  const QPoint center = grid->visualRect(grid->model()->index(row, column)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, center);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, center);
}

TEST(TBlockWindow, AddsATypeARegimeAndUmin) {
  TempDir dir;
  FakePlatform fake;
  BlockLibrary library(dir.path());
  TBlock window(dir.path(), library, fake.platform());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Блоки");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  auto* list = Find<QListView>(window, "ListBox1");
  auto* grid = Find<QTableView>(window, "StringGrid1");
  auto* edit_umin = Find<QLineEdit>(window, "EditUmin");
  auto* status = Find<QLabel>(window, "StatusText");
  // Both views are models over the logic's rows, checked as Qt checks models.
  constexpr auto kFatal = QAbstractItemModelTester::FailureReportingMode::Fatal;
  QAbstractItemModelTester names_tester(list->model(), kFatal);
  QAbstractItemModelTester regimes_tester(grid->model(), kFatal);
  const auto header = [grid](int column) {
    return grid->model()->headerData(column, Qt::Horizontal).toString();
  };
  EXPECT_EQ(header(0), " Название");
  EXPECT_EQ(header(1), " P мвт");
  EXPECT_EQ(header(2), " I ма");
  EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 121);
  EXPECT_LE(window.minimumWidth(), 502);  // the design width can come back from Tarvel.ini
  EXPECT_EQ(status->text(), "Типов блоков: 0");
  // Nothing selected: the regimes cannot be edited.
  EXPECT_FALSE(Find<QPushButton>(window, "ButtonAddReg")->isEnabled());
  EXPECT_FALSE(grid->isEnabled());
  EXPECT_FALSE(edit_umin->isEnabled());
  EXPECT_FALSE(Find<QPushButton>(window, "ButtonDelBlock")->isEnabled());

  fake.prompter.Answer("Оповещатель");
  QTest::mouseClick(Find<QPushButton>(window, "ButtonAddBlk"), Qt::LeftButton);
  ASSERT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(list->model()->index(0, 0).data().toString(), "Оповещатель");
  EXPECT_EQ(list->currentIndex().row(), 0);
  EXPECT_EQ(Cell(grid, 0, 0), "Нормальный");
  EXPECT_EQ(edit_umin->text(), "8.0");
  EXPECT_EQ(status->text(), "Типов блоков: 1");
  EXPECT_TRUE(grid->isEnabled());

  fake.prompter.Answer("Включен");
  fake.prompter.Answer("0");
  fake.prompter.Answer("25");
  QTest::mouseClick(Find<QPushButton>(window, "ButtonAddReg"), Qt::LeftButton);
  ASSERT_EQ(grid->model()->rowCount(), 2);
  EXPECT_EQ(Cell(grid, 1, 0), "Включен");
  EXPECT_EQ(Cell(grid, 1, 2), "25.0");

  fake.prompter.Answer("10.5");
  QTest::mouseClick(edit_umin, Qt::LeftButton);
  EXPECT_EQ(edit_umin->text(), "10.5");

  fake.prompter.Answer("50");
  DoubleClickCell(grid, 0, 1);
  EXPECT_EQ(Cell(grid, 0, 1), "50");
  EXPECT_EQ(fake.prompter.asked.back().caption, "Изменение режима");
  fake.prompter.Answer("Дежурный");  // Enter on the current cell does the same
  grid->setCurrentIndex(grid->model()->index(0, 0));
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(Cell(grid, 0, 0), "Дежурный");

  const ProfileFile file(dir / kBlockFileName);
  EXPECT_EQ(file.ReadString("Блок0", "Режим2", ""), "Включен");
  EXPECT_EQ(library.BlockIndexByName("Оповещатель"), 0);
  EXPECT_EQ(library.BlockUmin(0), 10.5);
  EXPECT_EQ(library.RegimePowerAt(0, 1), 50);
  EXPECT_EQ(library.RegimePowerByName(0, "Включен"), 0);
  EXPECT_EQ(library.RegimeCurrentByName(0, "Включен"), 25.0);

  // Clicks on the list select an entry; a click on the selected one reads it again.
  fake.prompter.Answer("Реле");
  QTest::mouseClick(Find<QPushButton>(window, "ButtonAddBlk"), Qt::LeftButton);
  auto* del_block = Find<QPushButton>(window, "ButtonDelBlock");
  const auto click_entry = [list](int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
  };
  click_entry(0);
  EXPECT_EQ(window.logic().selected(), 0);
  EXPECT_EQ(edit_umin->text(), "10.5");
  EXPECT_FALSE(del_block->isEnabled());
  click_entry(1);
  EXPECT_TRUE(del_block->isEnabled());
  QTest::keyClicks(edit_umin, "9");
  EXPECT_EQ(window.logic().edit_umin(), "8.09");
  click_entry(1);
  EXPECT_EQ(edit_umin->text(), "8.0");
}

TEST(TBlockWindow, FitsItsButtonsKeepsItsGroupsAnchoredAndEscHidesAndSaves) {
  TempDir dir;
  FakePlatform fake;
  BlockLibrary library(dir.path());
  TBlock window(dir.path(), library, fake.platform());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* names = Find<QGroupBox>(window, "GroupBox1");
  auto* regimes = Find<QGroupBox>(window, "GroupBox2");
  auto* umin = Find<QGroupBox>(window, "GroupBox3");
  auto* add = Find<QPushButton>(window, "ButtonAddBlk");
  // At the design size the buttons of the narrow names group are whole.
  for (auto* button : {add, Find<QPushButton>(window, "ButtonDelBlock")}) {
    EXPECT_TRUE(names->contentsRect().contains(button->geometry()));
    EXPECT_GE(button->width(),
              button->fontMetrics().horizontalAdvance(button->text().remove('&')) + 8);
  }
  const QRect names0 = names->geometry(), regimes0 = regimes->geometry(), umin0 = umin->geometry();
  const int add_to_bottom = names0.height() - add->geometry().top();

  window.resize(window.width() + 100, window.height() + 80);
  EXPECT_EQ(names->geometry().width(), names0.width() + 100);
  EXPECT_EQ(names->geometry().height(), names0.height() + 80);
  EXPECT_EQ(names->height() - add->geometry().top(), add_to_bottom);
  EXPECT_EQ(regimes->geometry().left(), regimes0.left() + 100);
  EXPECT_EQ(regimes->geometry().width(), regimes0.width());
  EXPECT_EQ(regimes->geometry().height(), regimes0.height() + 80);
  EXPECT_EQ(umin->geometry().topLeft(), umin0.topLeft() + QPoint(100, 80));

  QTest::keyClick(Find<QListView>(window, "ListBox1"), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  const ProfileFile settings(dir / "Tarvel.ini");
  EXPECT_EQ(settings.ReadInteger("Block", "Width", 0), window.width());
  EXPECT_EQ(settings.ReadInteger("Block", "Height", 0), window.height());
}

// As the user meets the window: the list takes the focus when the window is
// shown and again by Tab, yet no type is chosen (the regime group has nothing
// to write into) until the user moves with the arrows.
TEST(TBlockWindow, NoTypeIsChosenUntilTheUserChoosesOne) {
  TempDir dir;
  FakePlatform fake;
  dir.Write(kBlockFileName, Utf8ToCp1251("[Блок0]\r\nНазвание=Реле\r\nРежим1=Нормальный\r\n"
                                         "[Блок1]\r\nНазвание=Сирена\r\nРежим1=Тревога\r\n"));
  BlockLibrary library(dir.path());
  TBlock window(dir.path(), library, fake.platform());
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* list = Find<QListView>(window, "ListBox1");
  auto* add_block = Find<QPushButton>(window, "ButtonAddBlk");
  for (const char* focus : {"shown", "Tab"}) {
    EXPECT_TRUE(list->hasFocus()) << focus;
    EXPECT_EQ(window.logic().selected(), -1) << focus;
    EXPECT_FALSE(Find<QPushButton>(window, "ButtonAddReg")->isEnabled()) << focus;
    add_block->setFocus();
    QTest::keyClick(add_block, Qt::Key_Backtab, Qt::ShiftModifier);
  }
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(window.logic().selected(), 0);
  EXPECT_EQ(Cell(Find<QTableView>(window, "StringGrid1"), 0, 0), "Нормальный");
}

}  // namespace
}  // namespace luch
