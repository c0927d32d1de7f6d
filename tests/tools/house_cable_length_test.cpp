#include "tools/house_cable_length.h"

#include <gtest/gtest.h>

#include "common/profile_file.h"
#include "common/settings_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(HouseCableLength, RoundsTheSlantUpToWholeMetres) {
  EXPECT_EQ(HouseCableLength(12, 18, 100), 102);
  EXPECT_EQ(HouseCableLength(1, 2, 4), 5);  // exactly 5: not rounded up
  EXPECT_EQ(HouseCableLength(3, 5, 0), 6);
  EXPECT_EQ(HouseCableLength(0, 99, 999), 1043);
  EXPECT_EQ(HouseCableLength(-5, 5, 0), 30);  // dh = 10
  EXPECT_EQ(HouseCableLength(2, 1, -4), 5);
}

TEST(HouseCableLength, EqualHeightsGiveTheDistanceItself) {
  EXPECT_EQ(HouseCableLength(10, 10, 50), 50);
  EXPECT_EQ(HouseCableLength(10, 10, -50), -50);
  // No overflow at the ends of the 32-bit range.
  EXPECT_GT(HouseCableLength(INT32_MIN, INT32_MAX, INT32_MIN), 0);
}

TEST(HouseCableLength, MaskBlanksAreNoCharacters) {
  EXPECT_EQ(MaskedFieldValue("12"), 12);
  EXPECT_EQ(MaskedFieldValue("1_"), 1);
  EXPECT_EQ(MaskedFieldValue("_5"), 5);
  EXPECT_EQ(MaskedFieldValue("1_5"), 1);  // the digits end at the blank
  EXPECT_EQ(MaskedFieldValue("-5"), -5);
  EXPECT_EQ(MaskedFieldValue("5-"), 5);
  EXPECT_EQ(MaskedFieldValue("__"), 0);
  EXPECT_EQ(MaskedFieldValue(""), 0);
  EXPECT_EQ(HouseCableLengthText(102), "L=102 м");
}

TEST(DomLenWindow, OpensWithTheDesignResultAndKeepsItsPlace) {
  TempDir dir;
  FakePlatform fake;
  DomLenWindow window(dir.path(), fake.platform());
  EXPECT_EQ(window.FormCreate(), DomLenWindow::kDesign);
  EXPECT_EQ(window.label1_caption(), "L=102 м");
  window.MaskEdit3Change("10", "10", "-50");
  EXPECT_EQ(window.label1_caption(), "L=-50 м");

  window.FormClose({.top = 900, .left = 2000, .height = 420, .width = 487});
  const ProfileFile settings = OpenSettingsFile(dir.path());
  EXPECT_EQ(settings.ReadInteger("DomLen", "Top", 0), 900);
  DomLenWindow reopened(dir.path(), fake.platform());
  EXPECT_EQ(reopened.FormCreate(),
            (WindowGeometry{.top = 1024 - 420, .left = 1280 - 487, .height = 420, .width = 487}));
  EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace luch
