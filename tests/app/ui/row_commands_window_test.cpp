// Row commands, block and regime menus, and undo through the real main window:
// a range selected in the grid, the commands run by menu items and shortcuts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/ui/main_window.h"
#include "common/profile_file.h"
#include "editing/ui/paste_columns_window.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "support/ui/answer_dialog.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class RowCommandsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProfileFile file(dir / "Блок.ini");
    file.WriteString("Блок0", "Название", "БРА");
    file.WriteString("Блок0", "Режим1", "Нормальный");
    file.WriteInteger("Блок0", "P1", 60);
    file.WriteString("Блок0", "Режим2", "Тревога");
    file.WriteInteger("Блок0", "P2", 0);
    file.WriteString("Блок0", "I2", "12,5");
    ASSERT_TRUE(file.Save());
    state = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
    window = std::make_unique<TMain>(*state);
    window->show();
    QApplication::processEvents();
    for (int row = 1; row <= 5; ++row)
      state->mutable_table().SetAddress(row, "Адрес " + std::to_string(row));
    window->RefreshFromState();
  }

  // Selects rows top..bottom with the mouse: a click, then a shift-click.
  void SelectRows(int top, int bottom) {
    QWidget* viewport = window->grid()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Center(top, 1));
    if (bottom != top)
      QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, Center(bottom, 1));
  }

  QPoint Center(int row, int col) {
    return window->grid()->visualRect(window->grid()->model()->index(row - 1, col)).center();
  }

  std::vector<std::string> Addresses() {
    std::vector<std::string> out;
    for (int row = 1; row <= state->table().BlockCount(); ++row)
      out.push_back(state->table().Address(row));
    return out;
  }

  // Chooses item `index` of the choice menu that the next double-click opens.
  void ChooseFromMenu(int index) {
    QTimer::singleShot(50, [index] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      menu->setActiveAction(menu->actions().at(index));
      QTest::keyClick(menu, Qt::Key_Return);
    });
  }

  void DoubleClick(int row, int col) {
    QWidget* viewport = window->grid()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Center(row, col));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, Center(row, col));
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  std::unique_ptr<MainState> state;
  std::unique_ptr<TMain> window;
};

TEST_F(RowCommandsWindowTest, CopyARangeAndPasteItWithShortcuts) {
  SelectRows(3, 4);
  EXPECT_EQ(state->selection_top(), 3);
  EXPECT_EQ(state->selection_bottom(), 4);
  QTest::keyClick(window->grid(), Qt::Key_C, Qt::ControlModifier);
  SelectRows(2, 2);
  QTest::keyClick(window->grid(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"Адрес 1", "Адрес 3", "Адрес 4", "Адрес 2",
                                                   "Адрес 3", "Адрес 4", "Адрес 5"}));
  EXPECT_EQ(window->grid()->model()->rowCount(), 7);
  EXPECT_EQ(window->EditVsego->value(), 7);
}

TEST_F(RowCommandsWindowTest, DeleteAndReverseTheSelectedRange) {
  SelectRows(2, 5);
  window->action("mReverse")->trigger();
  EXPECT_EQ(Addresses(),
            (std::vector<std::string>{"Адрес 1", "Адрес 5", "Адрес 4", "Адрес 3", "Адрес 2"}));
  SelectRows(2, 3);
  QTest::keyClick(window->grid(), Qt::Key_Delete);
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"Адрес 1", "Адрес 3", "Адрес 2"}));
}

TEST_F(RowCommandsWindowTest, CtrlArrowsMoveTheRowAndTheCursorFollows) {
  SelectRows(2, 2);
  QTest::keyClick(window->grid(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(state->table().Address(3), "Адрес 2");
  EXPECT_EQ(window->grid()->currentIndex().row(), 2);
  QTest::keyClick(window->grid(), Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(window->grid(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(state->table().Address(1), "Адрес 2");
  QTest::keyClick(window->grid(), Qt::Key_Up, Qt::ControlModifier);  // first row: nothing moves
  EXPECT_EQ(state->table().Address(1), "Адрес 2");
  EXPECT_EQ(state->table().Address(2), "Адрес 1");
}

TEST_F(RowCommandsWindowTest, RenameGivesTheRangeOneAddress) {
  SelectRows(1, 3);
  fake.prompter.Answer("Корпус Б");
  window->action("pmRename")->trigger();
  EXPECT_EQ(fake.prompter.asked.back().caption, "Адрес блоков");
  EXPECT_EQ(Addresses(),
            (std::vector<std::string>{"Корпус Б", "Корпус Б", "Корпус Б", "Адрес 4", "Адрес 5"}));
}

TEST_F(RowCommandsWindowTest, BlockAndRegimeMenusFillTheRow) {
  ChooseFromMenu(0);
  DoubleClick(2, kBlockName);
  EXPECT_EQ(state->table().BlockName(2), "БРА");
  EXPECT_EQ(state->table().GetCell(2, kPowerMW), "60");
  ChooseFromMenu(1);
  DoubleClick(2, kRegimeName);
  EXPECT_EQ(state->table().RegimeName(2), "Тревога");
  EXPECT_EQ(state->table().GetCell(2, kPowerMW), "349");  // the live calculation's U × I
  EXPECT_EQ(state->table().GetCell(2, kCurrentMA), "12.50");
  QTest::keyClick(window.get(), Qt::Key_F12);  // every block back to its first regime
  EXPECT_EQ(state->table().RegimeName(2), "Нормальный");
}

TEST_F(RowCommandsWindowTest, UndoAndRedoWithTheKeys) {
  SelectRows(1, 1);
  fake.prompter.Answer("Новый");
  window->action("pmRename")->trigger();
  QTest::keyClick(window->grid(), Qt::Key_Delete);
  EXPECT_EQ(state->table().BlockCount(), 4);
  QTest::keyClick(window->grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(state->table().BlockCount(), 5);
  EXPECT_EQ(state->table().Address(1), "Новый");
  QTest::keyClick(window->grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(state->table().Address(1), "Адрес 1");
  EXPECT_FALSE(window->action("mUndo")->isEnabled());
  QTest::keyClick(window->grid(), Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(window->grid(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(state->table().BlockCount(), 4);
  EXPECT_EQ(window->grid()->model()->rowCount(), 4);
}

TEST_F(RowCommandsWindowTest, ATableOfUnnamedColumnsIsPastedAsTheDialogMapsThem) {
  fake.clipboard.text = "ИПР\tКорпус 1\t15\nДИП\tКорпус 2\t20\n";
  SelectRows(2, 2);
  testing::AnswerWhenShown<TPasteColumns>([](TPasteColumns* dialog) {
    auto* first = dialog->findChild<QComboBox*>("Column1");
    auto* second = dialog->findChild<QComboBox*>("Column2");
    QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->currentText(), "Адрес");  // preset in the usual order
    QTest::keyClick(first, Qt::Key_Down);      // Кабель, as column 2 has
    EXPECT_EQ(dialog->findChild<QLabel*>("Note")->text(),
              "Поле «Кабель» выбрано для столбцов 1 и 2.");
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClick(first, Qt::Key_Down);  // Длина, as column 3 has
    QTest::keyClick(first, Qt::Key_Down);  // Блок
    QTest::keyClick(second, Qt::Key_Up);   // Адрес
    ok->click();
  });
  QTest::keyClick(window->grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"Адрес 1", "Корпус 1", "Корпус 2", "Адрес 2",
                                                   "Адрес 3", "Адрес 4", "Адрес 5"}));
  EXPECT_EQ(state->table().BlockName(3), "ДИП");
  EXPECT_EQ(state->table().LengthM(3), 20);
  EXPECT_EQ(state->table().CableName(3), "");
}

}  // namespace
}  // namespace luch
