// Live recalculation and the problems list as the user meets them: edits in
// the grid, the supply voltage, undo and the cable library leave the results
// of a fresh F9 on screen, or mark them stale when live recalculation is off.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>
#include <functional>

#include "app/ui/program_fixture.h"
#include "common/headless_platform.h"
#include "library/ui/cable_window.h"

namespace luch {
namespace {

class LiveCalculationWindow : public ProgramTest {
 protected:
  TMain& main() { return program->main_window(); }
  MainState& state() { return program->state(); }

  // The U column as a fresh F9 computes it for the project as it is now.
  std::vector<std::string> FreshVoltages() {
    ProjectTable table = state().table();
    ProjectParameters params = state().params();
    StatusBars status;
    bool report = false;
    CalculationTotals totals;
    HeadlessPlatform headless;
    CalculationContext context{table,  params,           status,           report,
                               totals, state().cables(), state().blocks(), headless.platform()};
    BitBtnStartClick(context);
    return Voltages(table);
  }
  static std::vector<std::string> Voltages(const ProjectTable& table) {
    std::vector<std::string> column;
    for (int r = 1; r <= table.BlockCount(); ++r) column.push_back(table.GetCell(r, kVoltageV));
    return column;
  }
  QString Panel4() { return main().statusPanel(1, 4)->text(); }

  // The four edits of the designer, through the real widgets and prompts.
  void EditLengthInTheGrid() {
    Activate(main());
    main().grid()->setFocus();
    main().grid()->setCurrentIndex(main().grid()->model()->index(2, kLengthM));
    AnswerPrompt("250", true);
    QTest::keyClick(main().grid(), Qt::Key_Return);
  }
  void TypeSupplyVoltage() {
    main().EditU->clear();
    QTest::keyClicks(main().EditU, "24,5");
  }
  void Undo() { main().action("mUndo")->trigger(); }
  void EditCableResistance() {
    TCabels& cables = program->cables_window();
    Activate(cables);
    auto* grid = cables.findChild<QTableView*>("StringGrid1");
    const QPoint point = grid->visualRect(grid->model()->index(0, 2)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, point);
    AnswerPrompt("300", true);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, point);
  }
  std::vector<std::pair<const char*, std::function<void()>>> Edits() {
    return {{"grid", [this] { EditLengthInTheGrid(); }},
            {"EditU", [this] { TypeSupplyVoltage(); }},
            {"undo", [this] { Undo(); }},
            {"cable library", [this] { EditCableResistance(); }}};
  }
};

TEST_F(LiveCalculationWindow, EveryEditLeavesTheResultsOfAFreshCalculation) {
  ASSERT_TRUE(state().live_calc());
  ASSERT_EQ(Panel4(), QString::fromUtf8("Расчет успешно завершен..."));
  for (const auto& [name, edit] : Edits()) {
    const std::vector<std::string> before = Voltages(state().table());
    edit();
    EXPECT_NE(Voltages(state().table()), before) << name;
    EXPECT_EQ(Voltages(state().table()), FreshVoltages()) << name;
    EXPECT_FALSE(state().results().stale) << name;
    EXPECT_TRUE(main().action("mInfo")->isEnabled()) << name;
  }
}

TEST_F(LiveCalculationWindow, WithoutItEveryEditMarksTheResultsStale) {
  main().action("mLiveCalc")->trigger();
  ASSERT_FALSE(state().live_calc());
  for (const auto& [name, edit] : Edits()) {
    main().action("mStart")->trigger();  // fresh results first
    ASSERT_FALSE(state().results().stale) << name;
    const std::vector<std::string> before = Voltages(state().table());
    edit();
    EXPECT_TRUE(state().results().stale) << name;
    EXPECT_EQ(Panel4(), QString::fromUtf8("Данные изменены, нажмите F9")) << name;
    EXPECT_FALSE(main().action("mInfo")->isEnabled()) << name;
    EXPECT_FALSE(main().action("mTable")->isEnabled()) << name;
  }
}

TEST_F(LiveCalculationWindow, TheProblemsListSelectsItsRow) {
  main().grid()->setCurrentIndex(main().grid()->model()->index(0, kAddress));
  AnswerPrompt(QString::fromUtf8("Котельная во дворе"), true);
  Activate(main());
  QTest::keyClick(main().grid(), Qt::Key_Return);
  QListView* list = main().problemsView();
  ASSERT_TRUE(list->isVisible());
  int line = -1;
  for (int k = 0; k < list->model()->rowCount(); ++k) {
    if (list->model()->index(k, 0).data().toString().contains(QString::fromUtf8("одинаковый")))
      line = k;
  }
  ASSERT_GE(line, 0);
  const QModelIndex item = list->model()->index(line, 0);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
  EXPECT_EQ(main().grid()->currentIndex().row(), 0);
  main().grid()->setCurrentIndex(main().grid()->model()->index(5, 0));
  list->setFocus();
  list->setCurrentIndex(item);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(main().grid()->currentIndex().row(), 0);
}

}  // namespace
}  // namespace luch
