// The window "Анализ луча" as the designer meets it: F8 shows the answers for
// the project, they follow its changes, and an answer applied is one command.
#include "calc/ui/analysis_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/ui/program_fixture.h"
#include "common/ui/qt_text.h"

namespace luch {
namespace {

class AnalysisWindowTest : public ProgramTest {
 protected:
  TMain& main() { return program->main_window(); }
  MainState& state() { return program->state(); }
  TAnalysis& window() { return program->analysis_window(); }

  void OpenWithF8() {
    Activate(main());
    QTest::keyClick(&main(), Qt::Key_F8);
    ASSERT_TRUE(window().isVisible());
  }
  [[nodiscard]] bool WaitForAnswers() {
    return QTest::qWaitFor([this] { return !window().busy() && !window().logic().stale(); }, 60000);
  }
  // The project's rows repeated up to `count` rows: work that takes a while.
  void LongRay(int count) {
    ProjectTable& table = state().mutable_table();
    const int rows = table.BlockCount();
    table.SetBlockCount(count);
    for (int r = rows + 1; r <= count; ++r) {
      for (int col = 0; col < kColumnCount; ++col) {
        table.SetCell(r, col, table.GetCell(1 + r % rows, col));
      }
    }
    main().RefreshFromState();
  }
  QString Cell(QTableView* view, int row, int col) {
    return view->model()->index(row, col).data().toString();
  }
  // The window shows what the analysis finds for the project as it is now.
  void ExpectTheAnswersOfTheProject() {
    const std::optional<RayAnalysis> direct = AnalyseRay(state().AnalysisInput());
    ASSERT_TRUE(direct.has_value());
    QTableView* cables = window().cablesView();
    ASSERT_EQ(cables->model()->rowCount(), static_cast<int>(direct->cables.size()));
    for (size_t i = 0; i < direct->cables.size(); ++i) {
      const CableAnswer& c = direct->cables[i];
      const int row = static_cast<int>(i);
      EXPECT_EQ(Cell(cables, row, kCableNameColumn), Q(c.name));
      EXPECT_EQ(Cell(cables, row, kCableVoltageColumn), Q(c.min_voltage.value_or("—")));
      EXPECT_EQ(Cell(cables, row, kCableResistanceColumn), Q(c.resistance));
    }
    const auto line = [](const char* caption, std::optional<int> value, const char* unit) {
      return QString::fromUtf8(caption) +
             (value ? QString::fromUtf8("до %1%2").arg(*value).arg(QString::fromUtf8(unit))
                    : QString::fromUtf8("—"));
    };
    EXPECT_EQ(window().findChild<QLabel*>("LabelLastSegment")->text(),
              line("Последний участок: ", direct->last_segment_m, " м"));
    EXPECT_TRUE(window()
                    .findChild<QLabel*>("LabelScale")
                    ->text()
                    .startsWith(line("Все участки: ", direct->scale_percent, " %")));
    QTableView* regimes = window().regimesView();
    ASSERT_EQ(regimes->model()->rowCount(), static_cast<int>(direct->regimes.size()));
    for (size_t i = 0; i < direct->regimes.size(); ++i) {
      EXPECT_EQ(Cell(regimes, static_cast<int>(i), kRegimeVoltageColumn),
                Q(direct->regimes[i].min_voltage.value_or("—")));
    }
  }
};

TEST_F(AnalysisWindowTest, F8ShowsTheAnswersForTheProject) {
  OpenWithF8();
  ASSERT_TRUE(WaitForAnswers());
  ExpectTheAnswersOfTheProject();
}

TEST_F(AnalysisWindowTest, ApplyingACableIsOneUndoStep) {
  OpenWithF8();
  ASSERT_TRUE(WaitForAnswers());
  const ProjectTable before = state().table();
  QTableView* cables = window().cablesView();
  int row = 0;
  while (row < cables->model()->rowCount() &&
         Cell(cables, row, kCableNameColumn) == Q(before.CableName(1))) {
    ++row;
  }
  ASSERT_LT(row, cables->model()->rowCount());
  const std::string chosen = Cell(cables, row, kCableNameColumn).toStdString();
  cables->selectRow(row);
  QTest::mouseClick(window().findChild<QPushButton*>("ButtonApplyCable"), Qt::LeftButton);
  for (int r = 1; r <= state().table().BlockCount(); ++r) {
    EXPECT_EQ(state().table().CableName(r), chosen) << r;
  }
  EXPECT_TRUE(window().logic().stale());  // the answers are for the former cables
  main().action("mUndo")->trigger();
  for (int r = 1; r <= before.BlockCount(); ++r) {
    EXPECT_EQ(state().table().CableName(r), before.CableName(r)) << r;
  }
  EXPECT_FALSE(state().CanUndo());
}

TEST_F(AnalysisWindowTest, AChangeDuringTheWorkStartsItAgainForTheNewProject) {
  LongRay(1000);
  OpenWithF8();
  ASSERT_TRUE(WaitForAnswers());
  main().EditU->clear();
  QTest::keyClicks(main().EditU, "26");
  EXPECT_TRUE(window().logic().stale());
  ASSERT_TRUE(QTest::qWaitFor([this] { return window().logic().percent() > 0; }, 10000));
  ASSERT_TRUE(window().busy());
  QTest::keyClicks(main().EditU, ",5");  // while the work for "26" runs
  EXPECT_TRUE(window().logic().stale());
  ASSERT_TRUE(WaitForAnswers());
  ASSERT_EQ(state().params().EditU, "26,5");
  ExpectTheAnswersOfTheProject();
}

TEST_F(AnalysisWindowTest, TheProgramEndsWhileTheWorkRuns) {
  LongRay(kMaxBlockCount);
  OpenWithF8();
  ASSERT_TRUE(QTest::qWaitFor([this] { return window().logic().percent() > 0; }, 10000));
  ASSERT_TRUE(window().busy());
  main().close();
  EXPECT_FALSE(window().busy());
  program.reset();
}

}  // namespace
}  // namespace luch
