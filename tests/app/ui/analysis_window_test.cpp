// The window "Анализ луча" as the designer meets it: F8 shows the answers for
// the project, they follow its changes, and an answer applied is one command.
#include "analysis/ui/analysis_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/ui/program_fixture.h"
#include "common/numbers.h"
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
    QString shown, expected;
    for (int row = 0; row < window().cablesView()->model()->rowCount(); ++row) {
      shown += Cell(window().cablesView(), row, kCableNameColumn) + " " +
               Cell(window().cablesView(), row, kCableVoltageColumn) + "; ";
    }
    // A voltage above the higher preset is marked.
    const auto voltage = [](const std::optional<std::string>& v) {
      return v ? *v + (LeadingReal(*v) > kHigherPresetVoltage ? analysis_texts::kAbovePreset : "")
               : std::string("—");
    };
    for (const CableAnswer& c : direct->cables)
      expected += Q(c.name + " " + voltage(c.min_voltage) + "; ");
    for (int row = 0; row < window().regimesView()->model()->rowCount(); ++row) {
      shown += Cell(window().regimesView(), row, kRegimeVoltageColumn) + "; ";
    }
    for (const RegimeAnswer& r : direct->regimes) expected += Q(voltage(r.min_voltage) + "; ");
    shown += window().findChild<QLabel*>("LabelLastSegment")->text();
    expected += QString::fromUtf8("Последний участок: ") +
                (direct->last_segment_m ? QString::fromUtf8("до %1 м").arg(*direct->last_segment_m)
                                        : QString::fromUtf8("—"));
    EXPECT_EQ(shown.toStdString(), expected.toStdString());
  }
};

TEST_F(AnalysisWindowTest, ApplyingACableIsOneUndoStep) {
  OpenWithF8();
  ASSERT_TRUE(WaitForAnswers());
  const auto cables_laid = [this] {
    std::vector<std::string> names;
    for (int r = 1; r <= state().table().BlockCount(); ++r)
      names.push_back(state().table().CableName(r));
    return names;
  };
  const std::vector<std::string> before = cables_laid();
  QTableView* cables = window().cablesView();
  const int row = cables->model()->rowCount() - 1;
  const std::string chosen = Cell(cables, row, kCableNameColumn).toStdString();
  ASSERT_NE(chosen, before.front());
  cables->selectRow(row);
  QTest::mouseClick(window().findChild<QPushButton*>("ButtonApplyCable"), Qt::LeftButton);
  EXPECT_EQ(cables_laid(), std::vector<std::string>(before.size(), chosen));
  EXPECT_TRUE(window().logic().stale());  // the answers are for the former cables
  main().action("mUndo")->trigger();
  EXPECT_EQ(cables_laid(), before);
  EXPECT_FALSE(state().CanUndo());
}

TEST_F(AnalysisWindowTest, F8ShowsTheAnswersAndEveryChangeComputesThemAgain) {
  OpenWithF8();
  ASSERT_TRUE(WaitForAnswers());
  ExpectTheAnswersOfTheProject();
  LongRay(1000);  // long enough to be changed again while it is computed
  EXPECT_TRUE(window().logic().stale());
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
