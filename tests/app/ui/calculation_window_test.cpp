// F9 and F10 on the sample project, through the real main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <cstdlib>

#include "app/ui/main_window.h"
#include "chart/ui/voltage_chart.h"
#include "chart/voltage_cell_colours.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
    "examples";

class CalculationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
      std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    }
    cables.LoadCables(dir.path());
    state = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
    window = std::make_unique<TMain>(*state);
    window->show();
    QApplication::processEvents();
  }

  void Grab(const char* name, QWidget* what = nullptr) {
    if (const char* folder = std::getenv("LUCH_SCREENSHOTS")) {
      (what ? what : window.get())->grab().save(QString::fromUtf8(folder) + "/" + name);
    }
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  std::unique_ptr<MainState> state;
  std::unique_ptr<TMain> window;
};

TEST_F(CalculationWindowTest, SampleProjectOpensAtStart) {
  EXPECT_EQ(window->statusPanel(1, 0)->text(), QString::fromUtf8("Проект: Дом 5.луч"));
  EXPECT_EQ(state->table().BlockCount(), 12);
}

TEST_F(CalculationWindowTest, F9ShowsVoltagesTotalsAndCurrent) {
  QTest::keyClick(window.get(), Qt::Key_F9);
  QApplication::processEvents();
  Grab("main_after_f9.png");
  EXPECT_EQ(window->statusPanel(1, 4)->text(), QString::fromUtf8("Расчет успешно завершен..."));
  EXPECT_TRUE(window->statusPanel(1, 3)->text().startsWith(QString::fromUtf8("Ток: ")));
  EXPECT_TRUE(window->statusPanel(1, 3)->text().endsWith(QString::fromUtf8(" мА")));
  EXPECT_EQ(window->statusPanel(2, 0)->text(), QString::fromUtf8("Длина луча: 279 м"));
  EXPECT_TRUE(window->action("mInfo")->isEnabled());
  for (int row = 1; row <= 12; ++row) {
    EXPECT_GT(state->table().VoltageV(row), 20.0) << row;
    const QModelIndex cell = window->grid()->model()->index(row - 1, kVoltageV);
    EXPECT_FALSE(window->grid()->model()->data(cell).toString().isEmpty());
    const VoltageCellLook look = VoltageCellColours(state->table(), blocks, kVoltageV, row, false);
    EXPECT_FALSE(look.standard);
    EXPECT_FALSE(look.below_minimum);
  }
  EXPECT_TRUE(window->grid()->hasFocus());
}

TEST_F(CalculationWindowTest, F10PutsTheMinimumVoltageIntoTheField) {
  window->action("mFindUKMU")->trigger();
  QApplication::processEvents();
  const double found = window->EditU->text().toDouble();
  EXPECT_GT(found, 10.0);
  EXPECT_LT(found, 28.0);
  EXPECT_EQ(window->statusPanel(1, 2)->text(), QString::fromUtf8("Проблем: 0"));
  EXPECT_EQ(window->EditU->text().toStdString(), state->params().EditU);
}

TEST_F(CalculationWindowTest, AFailedCalculationClearsTheCellsAndShowsTheMessage) {
  window->action("mStart")->trigger();
  ASSERT_TRUE(window->action("mInfo")->isEnabled());
  std::vector<std::string> power;
  for (int row = 1; row <= 12; ++row) power.push_back(state->table().GetCell(row, kPowerMW));
  window->EditU->clear();
  QTest::keyClicks(window->EditU, "1e9");  // far beyond any controller
  window->action("mStart")->trigger();
  ASSERT_FALSE(fake.messages.shown.empty());
  EXPECT_EQ(fake.messages.shown.back().text,
            "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...");
  EXPECT_EQ(window->statusPanel(1, 4)->text(), QString::fromUtf8("Не удается выполнить расчет..."));
  EXPECT_FALSE(window->action("mInfo")->isEnabled());
  EXPECT_EQ(state->table().GetCell(1, kVoltageV), "");
  // Nothing of the failure passes for a result: P as before, no export.
  for (int row = 1; row <= 12; ++row) {
    EXPECT_EQ(state->table().GetCell(row, kPowerMW), power[static_cast<size_t>(row - 1)]) << row;
  }
  EXPECT_FALSE(window->action("mMicrosoftExcel")->isEnabled());
  EXPECT_FALSE(window->action("mText")->isEnabled());
}

TEST_F(CalculationWindowTest, ReportAfterF9WritesTheFile) {
  window->action("mStart")->trigger();
  window->action("mInfo")->trigger();
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(dir / "Отчет.txt", lines));
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(lines[1], "Объект:             Дом 5.луч");
  EXPECT_EQ(fake.launcher.opened.size(), 1u);
}

TEST_F(CalculationWindowTest, TheChartFollowsEveryCalculation) {
  EXPECT_EQ(window->action("mChart")->shortcut(), QKeySequence(Qt::Key_F11));
  window->action("mChart")->trigger();
  ASSERT_TRUE(window->chart()->isVisible());
  EXPECT_EQ(window->chart()->windowTitle(), QString::fromUtf8("График напряжения"));
  window->action("mStart")->trigger();
  ASSERT_TRUE(window->chart()->chart()->profile().valid);
  EXPECT_EQ(window->chart()->chart()->profile().points.size(), 12u);
  Grab("voltage-chart.png", window->chart());
  Grab("main-window.png");
  window->EditU->clear();
  QTest::keyClick(window->EditU, Qt::Key_1);
  QTest::keyClicks(window->EditU, "e9");
  window->action("mStart")->trigger();
  EXPECT_FALSE(window->chart()->chart()->profile().valid);
  // A click on a block's point selects its row in the grid.
  emit window->chart()->RowClicked(7);
  EXPECT_EQ(window->grid()->currentIndex().row(), 6);
  fake.messages.choices = {Answer::kNo};  // the typed voltage is not kept
  window->close();
  EXPECT_FALSE(window->chart()->isVisible());
}

}  // namespace
}  // namespace luch
