#include "library/ui/cable_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "common/profile_file.h"
#include "common/settings_file.h"
#include "library/ui/wire_window.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "support/ui/answer_dialog.h"

namespace luch {
namespace {

using testing::AnswerWhenShown;
using testing::FakePlatform;
using testing::TempDir;

class TCabelsTest : public ::testing::Test {
 protected:
  TCabelsTest() {
    CableLibrary source;
    source.Add({"", "КСПВ 2х0,5", "93", "60", "120", ""});
    source.Add({"", "ТРП 1х2х0,4", "148", "50", "140", "телефонный"});
    source.SaveCables(dir_.path());
    window_ = std::make_unique<TCabels>(dir_.path(), library_, fake_.platform());
    grid_ = window_->findChild<QTableView*>("StringGrid1");
  }

  QString Cell(int row, int column) const {
    return grid_->model()->index(row - 1, column).data().toString();
  }
  QString Status() const { return window_->findChild<QLabel*>("StatusText")->text(); }
  void DoubleClick(int row, int column) {
    const QPoint point = grid_->visualRect(grid_->model()->index(row - 1, column)).center();
    QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, point);
  }
  QPushButton* Button(const char* name) const { return window_->findChild<QPushButton*>(name); }

  TempDir dir_;
  FakePlatform fake_;
  CableLibrary library_;
  std::unique_ptr<TCabels> window_;
  QTableView* grid_ = nullptr;
};

TEST_F(TCabelsTest, StartsHiddenWithTheLoadedLibrary) {
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Типы кабеля");
  ASSERT_NE(grid_, nullptr);
  EXPECT_EQ(grid_->model()->columnCount(), 6);
  EXPECT_EQ(grid_->model()->headerData(2, Qt::Horizontal).toString(), " Сопротивление (Ом/км)");
  EXPECT_EQ(Cell(2, 0), "2");
  EXPECT_EQ(Cell(2, 5), "телефонный");
  EXPECT_EQ(Status(), "Типов кабеля: 2");
  EXPECT_EQ(Button("ButtonAdd")->text(), "&Добавить");
  EXPECT_EQ(window_->pos(), QPoint(98, 51));
  EXPECT_EQ(library_.CableResistanceByName("ТРП 1х2х0,4"), 148);

  window_->show();
  window_->resize(500, 337);
  QApplication::processEvents();
  EXPECT_EQ(grid_->horizontalHeader()->sectionSize(1), 100);
  EXPECT_EQ(grid_->horizontalHeader()->sectionSize(5), 125);
  window_->resize(100, 337);  // the computed widths, however small
  QApplication::processEvents();
  EXPECT_EQ(grid_->horizontalHeader()->sectionSize(0), 5);
  EXPECT_EQ(grid_->horizontalHeader()->sectionSize(3), 12);
}

TEST_F(TCabelsTest, DoubleClickEditsTheCellThroughThePrompt) {
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  fake_.prompter.Answer("КСПВ 2х0,8");
  DoubleClick(1, 1);
  ASSERT_EQ(fake_.prompter.asked.size(), 1u);
  EXPECT_EQ(fake_.prompter.asked[0].default_text, "КСПВ 2х0,5");
  EXPECT_EQ(Cell(1, 1), "КСПВ 2х0,8");
  EXPECT_EQ(library_.CableNameAt(1), "КСПВ 2х0,8");
  EXPECT_EQ(ProfileFile(dir_ / kCableFileName).ReadString("Кабель1", "Название", ""), "КСПВ 2х0,8");
  DoubleClick(2, 0);
  EXPECT_EQ(fake_.prompter.asked.size(), 1u);
  // Enter on the current cell does what a double-click does.
  grid_->setCurrentIndex(grid_->model()->index(1, 1));
  fake_.prompter.Answer("ТРП");
  QTest::keyClick(grid_, Qt::Key_Return);
  EXPECT_EQ(Cell(2, 1), "ТРП");
}

TEST_F(TCabelsTest, AddAndDeleteUpdateTheGridAndStatus) {
  QAbstractItemModelTester checked(grid_->model(),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
  fake_.prompter.Answer("ШВВП 2х0,5");
  QTest::mouseClick(Button("ButtonAdd"), Qt::LeftButton);
  EXPECT_EQ(Cell(3, 1), "ШВВП 2х0,5");
  EXPECT_EQ(Cell(3, 2), "50");
  EXPECT_EQ(Status(), "Типов кабеля: 3");

  grid_->selectRow(0);
  fake_.messages.answers.push_back(true);
  QTest::mouseClick(Button("ButtonDel"), Qt::LeftButton);
  EXPECT_EQ(grid_->model()->rowCount(), 2);
  EXPECT_EQ(Cell(1, 1), "ТРП 1х2х0,4");
  EXPECT_EQ(Cell(1, 0), "1");
  EXPECT_EQ(Status(), "Типов кабеля: 2");
  EXPECT_EQ(window_->SelectedRow(), 1);
}

TEST_F(TCabelsTest, WireCalculatorResultGoesIntoTheSelectedRow) {
  grid_->selectRow(1);
  QTimer::singleShot(0, [] {
    QWidget* wire = QApplication::activeModalWidget();
    ASSERT_NE(wire, nullptr);
    QTest::mouseClick(wire->findChild<QPushButton*>("Button2"), Qt::LeftButton);
  });
  QTest::mouseClick(Button("Button1"), Qt::LeftButton);
  EXPECT_EQ(Cell(2, 2), "86");
  EXPECT_EQ(library_.CableResistanceAt(2), 86);
  EXPECT_TRUE(window_->logic().changed());
  window_->OnProgramEnd();
  EXPECT_EQ(ProfileFile(dir_ / kCableFileName).ReadInteger("Кабель2", "Сопротивление", 0), 86);
}

TEST_F(TCabelsTest, WireCalculatorNamesTheCableItWritesToWhichIsInSight) {
  for (int k = 3; k <= 40; ++k) library_.Add({"", "Кабель " + std::to_string(k), "50", "", "", ""});
  window_->Refresh();
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  const auto open_wire = [this] {  // the cable named, its button, row 35 in sight
    QString shown;
    AnswerWhenShown<TWire>([this, &shown](TWire* wire) {
      const auto* label = wire->findChild<QLabel*>("LabelCable");
      const QRect row = grid_->visualRect(grid_->model()->index(34, 1));
      shown = (label ? label->text() : "") + "|" +
              (wire->findChild<QPushButton*>("Button2")->isEnabled() ? "on" : "off") + "|" +
              (grid_->viewport()->rect().contains(row) ? "in sight" : "hidden");
      wire->reject();
    });
    QTest::mouseClick(Button("Button1"), Qt::LeftButton);
    return shown;
  };
  grid_->selectRow(34);
  grid_->scrollToTop();
  EXPECT_EQ(open_wire(), "Текущий кабель: Кабель 35 (строка 35)|on|in sight");
  grid_->clearSelection();  // the cursor row alone is no choice
  EXPECT_EQ(open_wire(), "Кабель не выбран|off|in sight");
}

TEST_F(TCabelsTest, EscHidesAndStoresThePlaceAndTheLibrary) {
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  grid_->setFocus();
  library_.MutableRow(1)->note = "в памяти";
  QTest::keyClick(grid_, Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
  const ProfileFile settings = OpenSettingsFile(dir_.path());
  EXPECT_EQ(settings.ReadInteger("Cabels", "Width", 0), window_->width());
  EXPECT_EQ(ProfileFile(dir_ / kCableFileName).ReadString("Кабель1", "Примечание", ""), "в памяти");
}

}  // namespace
}  // namespace luch
