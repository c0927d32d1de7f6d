#include "chart/ui/voltage_chart.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <cstdlib>

#include "calc/calculation.h"
#include "common/file_io.h"
#include "common/settings_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// A long ray: `count` blocks 5 m apart, the line voltage falling from 27 V (every
// third block behind ZB, 0.4 V lower), every
// 97th block below its Umin of 10 V, every 50th of an unknown type.
VoltageProfile LongRay(int count) {
  VoltageProfile profile;
  profile.valid = true;
  profile.supply_voltage = 28.0;
  for (int i = 1; i <= count; ++i) {
    VoltagePoint& p = profile.points.emplace_back();
    p.row = i;
    p.distance_m = 5.0 * i;
    p.line_voltage = 27.0 - 15.0 * i / count;
    p.has_zb = i % 3 == 0;
    p.block_voltage = p.line_voltage - (p.has_zb ? 0.4 : 0.0);
    p.block_name = "Датчик";
    if (i % 50 != 0) p.umin = 10.0;
    p.below_minimum = i % 97 == 0;
    if (p.below_minimum) p.block_voltage = 9.0;
  }
  return profile;
}

void ShowAndWait(QWidget& window) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

TEST(TChartWindow, CaptionPlaceAndEsc) {
  TempDir dir;
  FakePlatform fake;
  TChart window(dir.path(), fake.platform());
  EXPECT_EQ(window.windowTitle(), "График напряжения");
  EXPECT_TRUE(window.isWindow());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.size(), QSize(700, 420));
  EXPECT_EQ(window.findChild<QPushButton*>("ButtonSave")->text(), "Сохранить как PNG...");
  EXPECT_FALSE(window.chart()->has_profile());

  ShowAndWait(window);
  window.move(250, 160);
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  const ProfileFile settings = OpenSettingsFile(dir.path());
  EXPECT_EQ(settings.ReadInteger("Chart", "Left", 0), window.x());
  EXPECT_EQ(settings.ReadInteger("Chart", "Width", 0), 700);
  EXPECT_EQ(settings.ReadInteger("Chart", "Height", 0), 420);
}

TEST(TChartWindow, LongRayPaintsQuicklyAndPointsAnswerTheMouse) {
  TempDir dir;
  FakePlatform fake;
  TChart window(dir.path(), fake.platform());
  ShowAndWait(window);
  VoltageChart* chart = window.chart();

  QElapsedTimer timer;
  timer.start();
  window.SetProfile(LongRay(4096));
  for (int i = 0; i < 10; ++i) {
    const QImage image = chart->grab().toImage();
    ASSERT_FALSE(image.isNull());
  }
  // Ten full paints of 4096 blocks (and one layout): far below what a user notices.
  EXPECT_LT(timer.elapsed(), 2000);

  QSignalSpy clicked(&window, &TChart::RowClicked);
  for (const int row : {1, 97, 2048, 4096}) {
    const std::optional<QPointF> at = chart->BlockPointAt(row);
    ASSERT_TRUE(at.has_value());
    EXPECT_TRUE(chart->rect().contains(at->toPoint())) << row;
    QTest::mouseMove(chart, at->toPoint());
    // Neighbours 5 m apart are a fraction of a pixel apart: any of them may be
    // nearest, but never one far away.
    EXPECT_NEAR(chart->hovered_row(), row, 8) << row;
    EXPECT_TRUE(QToolTip::text().startsWith("Строка ")) << row;
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at->toPoint());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_NEAR(clicked.takeFirst().at(0).toInt(), row, 8);
  }
  // Far from every point: nothing.
  const QPoint empty(chart->width() / 2, chart->height() - 5);
  QTest::mouseMove(chart, empty);
  EXPECT_EQ(chart->hovered_row(), 0);
  QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, empty);
  EXPECT_EQ(clicked.count(), 0);
}

TEST(TChartWindow, ShortRayHitsTheExactRow) {
  TempDir dir;
  FakePlatform fake;
  TChart window(dir.path(), fake.platform());
  ShowAndWait(window);
  VoltageChart* chart = window.chart();
  window.SetProfile(LongRay(12));
  QSignalSpy clicked(chart, &VoltageChart::RowClicked);
  const QPointF at = *chart->BlockPointAt(7);
  QTest::mouseMove(chart, (at + QPointF(3, -3)).toPoint());
  EXPECT_EQ(chart->hovered_row(), 7);
  EXPECT_TRUE(QToolTip::text().startsWith("Строка 7\n"));
  QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, (at + QPointF(0, 5)).toPoint());
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.at(0).at(0).toInt(), 7);
  EXPECT_FALSE(chart->BlockPointAt(13).has_value());
}

TEST(TChartWindow, InvalidOrOddProfilesDrawNoPoints) {
  TempDir dir;
  FakePlatform fake;
  TChart window(dir.path(), fake.platform());
  ShowAndWait(window);
  VoltageChart* chart = window.chart();
  VoltageProfile failed;
  failed.supply_voltage = 28.0;
  window.SetProfile(failed);
  EXPECT_TRUE(chart->has_profile());
  EXPECT_FALSE(chart->grab().isNull());
  EXPECT_FALSE(chart->BlockPointAt(1).has_value());
  EXPECT_EQ(chart->RowAt(QPointF(chart->width() / 2.0, chart->height() / 2.0)), 0);

  // Infinite, negative and backward values (texts read as numbers) must not
  // break the scales or the hit search.
  VoltageProfile odd = LongRay(4);
  odd.points[0].block_voltage = INFINITY;
  odd.points[1].distance_m = -300;
  odd.points[2].line_voltage = NAN;
  window.SetProfile(odd);
  EXPECT_FALSE(chart->grab().isNull());
  const QPointF at = *chart->BlockPointAt(4);
  EXPECT_EQ(chart->RowAt(at), 4);

  window.ClearProfile();
  EXPECT_FALSE(chart->has_profile());
}

TEST(TChartWindow, SavesThePictureAsPng) {
  TempDir dir;
  FakePlatform fake;
  TChart window(dir.path(), fake.platform());
  ShowAndWait(window);
  window.SetProfile(LongRay(12));
  const std::string path = PathToUtf8(dir / "Луч.png");
  fake.dialogs.answers.push_back(path);
  QTest::mouseClick(window.findChild<QPushButton*>("ButtonSave"), Qt::LeftButton);
  ASSERT_EQ(fake.dialogs.requests.size(), 1u);
  EXPECT_EQ(fake.dialogs.requests[0].title, "Сохранить график");
  ASSERT_TRUE(FileExists(Utf8Path(path)));
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path), "PNG"));
  EXPECT_EQ(image.size(), window.chart()->size() * window.chart()->devicePixelRatio());
  EXPECT_TRUE(fake.messages.shown.empty());
}

// The example project, calculated as F9 and F10 do. With LUCH_CHART_SCREENSHOT
// set to a file name the window's picture is written there (for looking at it).
TEST(TChartWindow, ExampleRayAfterCalculation) {
  const std::filesystem::path examples =
      std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
      "examples";
  ProjectTable table;
  ProjectParameters params;
  ASSERT_TRUE(LoadProjectFile(examples / Utf8Path("Дом 5.луч"), table, params));
  CableLibrary cables;
  cables.LoadCables(examples);
  const BlockLibrary blocks(examples);
  StatusBars status;
  bool report_enabled = false;
  CalculationTotals totals;
  FakePlatform fake;
  CalculationContext context{table,  params, status, report_enabled,
                             totals, cables, blocks, fake.platform()};
  ASSERT_TRUE(BitBtnStartClick(context));
  const VoltageProfile profile = BuildVoltageProfile(table, params, blocks, ',');
  ASSERT_TRUE(profile.valid);
  EXPECT_EQ(profile.points.size(), 12u);

  TempDir dir;
  TChart window(dir.path(), fake.platform());
  ShowAndWait(window);
  window.SetProfile(profile);
  EXPECT_FALSE(window.grab().isNull());

  // At the lowest working supply voltage every block is in order; a little
  // lower the far-end block falls below its Umin and turns red.
  ASSERT_TRUE(mFindUKMUClick(context));
  VoltageProfile lowest = BuildVoltageProfile(table, params, blocks, ',');
  ASSERT_TRUE(lowest.valid);
  for (const VoltagePoint& p : lowest.points) EXPECT_FALSE(p.below_minimum) << p.row;
  params.EditU = "12.3";
  ASSERT_TRUE(BitBtnStartClick(context));
  const VoltageProfile low = BuildVoltageProfile(table, params, blocks, ',');
  ASSERT_TRUE(low.valid);
  EXPECT_TRUE(low.points.back().below_minimum);
  window.SetProfile(low);
  const QImage picture = window.grab().toImage();
  ASSERT_FALSE(picture.isNull());
  if (const char* out = std::getenv("LUCH_CHART_SCREENSHOT")) {
    EXPECT_TRUE(picture.save(QString::fromUtf8(out), "PNG"));
  }
  if (const char* out = std::getenv("LUCH_CHART_SCREENSHOT_LONG")) {
    window.SetProfile(LongRay(4096));
    EXPECT_TRUE(window.grab().toImage().save(QString::fromUtf8(out), "PNG"));
  }
}

}  // namespace
}  // namespace luch
