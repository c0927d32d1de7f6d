#include "chart/voltage_profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc/calculation.h"
#include "chart/voltage_cell_colours.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/settings_file.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;

// Three known block types and one row of a type that is not in the library.
struct SmallRay : CalcFixture {
  SmallRay()
      : CalcFixture({{"КСПВ", 100, 50, 100}}, {{"Датчик", "9.0", {{"Норма", "0", "2"}}},
                                               {"Без Umin", "", {{"Норма", "0", "1"}}},
                                               {"Низкий", "0.5", {{"Норма", "0", "1"}}}}) {
    SetRows({{"КСПВ", 35, "Датчик", "Норма", true},
             {"КСПВ", 40, "Датчик", "Норма"},
             {"КСПВ", 0, "Без Umin", "Норма"},
             {"КСПВ", 12, "Нет такого", ""},
             {"КСПВ", 3, "Низкий", "Норма", true}});
    params.ZBResistance = 40.0f;
    params.EditU = "27.5 В";
  }
};

void SetResult(CalcFixture& f, int row, const char* current, const char* voltage) {
  f.table.SetCell(row, kCurrentMA, current);
  f.table.SetCell(row, kVoltageV, voltage);
}

TEST(BuildVoltageProfile, DistancesVoltagesAndTexts) {
  SmallRay f;
  f.table.SetAddress(1, "Щитовая");
  SetResult(f, 1, "25.00", "26.50");
  SetResult(f, 2, "2.00", "8.99");
  SetResult(f, 3, "1.00", "7.50");
  SetResult(f, 4, "0.00", "7.40");
  SetResult(f, 5, "1.00", "0.00");

  const VoltageProfile profile = BuildVoltageProfile(f.table, f.params, *f.blocks, ',');
  ASSERT_TRUE(profile.valid);
  EXPECT_DOUBLE_EQ(profile.supply_voltage, 27.5);
  ASSERT_EQ(profile.points.size(), 5u);
  const double distances[] = {35, 75, 75, 87, 90};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(profile.points[i].row, i + 1);
    EXPECT_DOUBLE_EQ(profile.points[i].distance_m, distances[i]) << i;
  }
  const VoltagePoint& first = profile.points[0];
  EXPECT_EQ(first.address, "Щитовая");
  EXPECT_EQ(first.block_name, "Датчик");
  EXPECT_EQ(first.regime_name, "Норма");
  EXPECT_TRUE(first.has_zb);
  EXPECT_DOUBLE_EQ(first.block_voltage, 26.5);
  // The drop on ZB: 25 mA through 40 Ohm.
  EXPECT_NEAR(first.line_voltage, 26.5 + 25.0 * 40.0 * 0.001, 1e-6);
  EXPECT_DOUBLE_EQ(profile.points[1].line_voltage, 8.99);  // no ZB: the node itself
}

TEST(BuildVoltageProfile, BelowMinimumFollowsTheGrid) {
  SmallRay f;
  SetResult(f, 1, "1", "9.00");  // equal to Umin: in order
  SetResult(f, 2, "1", "8.99");  // below
  SetResult(f, 3, "1", "7.99");  // no Umin key: 8.0 stored by default, below
  SetResult(f, 4, "1", "1.00");  // unknown type: never coloured
  SetResult(f, 5, "1", "0.00");  // zero counts as in order
  const VoltageProfile profile = BuildVoltageProfile(f.table, f.params, *f.blocks, ',');
  ASSERT_TRUE(profile.valid);
  const bool below[] = {false, true, true, false, false};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(profile.points[i].below_minimum, below[i]) << i;
    EXPECT_EQ(profile.points[i].below_minimum,
              VoltageCellColours(f.table, *f.blocks, kVoltageV, i + 1, false).below_minimum);
  }
  EXPECT_DOUBLE_EQ(profile.points[0].umin.value(), 9.0);
  EXPECT_DOUBLE_EQ(profile.points[2].umin.value(), 8.0);
  EXPECT_FALSE(profile.points[3].umin.has_value());
  EXPECT_DOUBLE_EQ(profile.points[4].umin.value(), 0.5);  // stored, not raised to 1.0
}

TEST(BuildVoltageProfile, InvalidWithoutCalculatedVoltages) {
  SmallRay f;
  EXPECT_FALSE(BuildVoltageProfile(f.table, f.params, *f.blocks, ',').valid);  // never calculated
  for (int row = 1; row <= 4; ++row) SetResult(f, row, "1", "20.00");
  const VoltageProfile partial = BuildVoltageProfile(f.table, f.params, *f.blocks, ',');
  EXPECT_FALSE(partial.valid);
  EXPECT_TRUE(partial.points.empty());
  EXPECT_DOUBLE_EQ(partial.supply_voltage, 27.5);
}

TEST(BuildVoltageProfile, FollowsTheCalculation) {
  SmallRay f;
  f.params.EditU = "28.0";
  CalculationContext context = f.Context();
  ASSERT_TRUE(BitBtnStartClick(context));
  VoltageProfile profile = BuildVoltageProfile(f.table, f.params, *f.blocks, ',');
  ASSERT_TRUE(profile.valid);
  EXPECT_EQ(profile.points.size(), 5u);
  EXPECT_GT(profile.points[0].line_voltage, profile.points[0].block_voltage);
  // Line voltages fall from the controller outwards.
  for (size_t i = 1; i < profile.points.size(); ++i) {
    EXPECT_LE(profile.points[i].line_voltage, profile.points[i - 1].line_voltage + 1e-9);
  }

  f.params.EditU = "28.0";
  f.SetRows({{"КСПВ", 1000000, "Датчик", "Норма"}});  // a ray that cannot work
  CalculationContext failing = f.Context();
  ASSERT_FALSE(BitBtnStartClick(failing));
  profile = BuildVoltageProfile(f.table, f.params, *f.blocks, ',');
  EXPECT_FALSE(profile.valid);
}

TEST(PointToolTip, NamesTheRowAndItsVoltages) {
  VoltagePoint point;
  point.row = 7;
  point.address = "Подъезд 2";
  point.block_name = "Датчик";
  point.regime_name = "Пожар";
  point.block_voltage = 8.5;
  point.line_voltage = 9.25;
  point.has_zb = true;
  point.umin = 9.0;
  point.below_minimum = true;
  point.distance_m = 120;
  // With the locale's separator, as every number of the windows that no
  // described text fixes.
  EXPECT_EQ(PointToolTip(point, ','),
            "Строка 7\nАдрес: Подъезд 2\nБлок: Датчик\nРежим: Пожар\n"
            "U = 8,50 В (линия 9,25 В, через ЗБ)\nUmin = 9,00 В  — ниже Umin!\n"
            "Расстояние от КМУ: 120 м");
  point.umin.reset();
  point.has_zb = false;
  point.address.clear();
  EXPECT_EQ(PointToolTip(point, '.'),
            "Строка 7\nБлок: Датчик\nРежим: Пожар\nU = 8.50 В\n"
            "Umin: блок не найден в библиотеке\nРасстояние от КМУ: 120 м");
}

TEST(NiceScale, RoundStepsThatHoldTheRange) {
  const AxisScale volts = NiceScale(0, 27.9, 6);
  EXPECT_EQ(volts.min, 0);
  EXPECT_EQ(volts.max, 30);
  EXPECT_EQ(volts.step, 5);
  EXPECT_EQ(volts.Decimals(), 0);
  const AxisScale quarter = NiceScale(0, 1.1, 5);
  EXPECT_DOUBLE_EQ(quarter.step, 0.25);
  EXPECT_EQ(quarter.Decimals(), 2);
  EXPECT_DOUBLE_EQ(quarter.max, 1.25);
  EXPECT_EQ(NiceScale(0, 3, 10, 1.0).step, 1.0);  // whole metres at least
  const AxisScale far = NiceScale(-120, 98765, 8);
  EXPECT_LE(far.min, -120);
  EXPECT_GE(far.max, 98765);
  EXPECT_LE((far.max - far.min) / far.step, 8.0 + 1e-9);
  // Degenerate ranges still give a usable axis.
  const AxisScale single = NiceScale(5, 5, 4);
  EXPECT_LT(single.min, 5);
  EXPECT_GT(single.max, 5);
  const AxisScale bad = NiceScale(NAN, INFINITY, 4);
  EXPECT_TRUE(std::isfinite(bad.min) && std::isfinite(bad.max) && bad.step > 0);
  const AxisScale huge = NiceScale(-1e308, 1e308, 4);  // ends, whatever it gives
  EXPECT_GE(huge.max, 1e308);
}

TEST(ChartWindow, PlaceInSectionChart) {
  testing::TempDir dir;
  testing::FakePlatform fake;
  ChartWindow window(dir.path(), fake.platform());
  EXPECT_EQ(window.FormCreate(), ChartWindow::kDesign);
  window.FormClose({.top = 10, .left = 2000, .height = 300, .width = 500});
  EXPECT_EQ(OpenSettingsFile(dir.path()).ReadInteger("Chart", "Left", 0), 2000);
  // Saved on a wider screen: pulled back into view.
  EXPECT_EQ(window.FormCreate(),
            (WindowGeometry{.top = 10, .left = 780, .height = 300, .width = 500}));
}

TEST(ChartWindow, SavesThePictureWhereTheDialogSays) {
  testing::TempDir dir;
  testing::FakePlatform fake;
  ChartWindow window(dir.path(), fake.platform());
  window.SetProjectPath(PathToUtf8(dir / "Школа 3.луч"));
  EXPECT_FALSE(window.ButtonSaveClick([] { return std::string("png"); }));  // cancelled
  ASSERT_EQ(fake.dialogs.requests.size(), 1u);
  const FileDialogRequest& request = fake.dialogs.requests[0];
  EXPECT_EQ(request.title, "Сохранить график");
  EXPECT_EQ(request.filter, "Рисунок PNG (*.png)|*.png");
  EXPECT_EQ(request.default_extension, "png");
  EXPECT_EQ(request.initial_directory, PathToUtf8(dir.path()));
  EXPECT_EQ(request.initial_name, "Школа 3.png");

  const std::string path = PathToUtf8(dir / "График.png");
  fake.dialogs.answers.push_back(path);
  EXPECT_TRUE(window.ButtonSaveClick([] { return std::string("\x89PNG bytes"); }));
  EXPECT_EQ(dir.Read("График.png"), "\x89PNG bytes");
  EXPECT_TRUE(fake.messages.shown.empty());

  const std::string bad = PathToUtf8(dir / "нет папки" / "1.png");
  fake.dialogs.answers.push_back(bad);
  EXPECT_FALSE(window.ButtonSaveClick([] { return std::string("x"); }));
  fake.dialogs.answers.push_back(path);
  EXPECT_FALSE(window.ButtonSaveClick([] { return std::string(); }));  // encoding failed
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot create file " + bad + ".");
  EXPECT_EQ(fake.messages.shown[1].text, "Cannot create file " + path + ".");
  EXPECT_EQ(dir.Read("График.png"), "\x89PNG bytes");  // the old picture stays
}

}  // namespace
}  // namespace luch
