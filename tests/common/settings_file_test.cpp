#include "common/settings_file.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(WindowGeometry, MissingKeysKeepTheDesignValues) {
  FakePlatform fake;
  const WindowGeometry design{51, 98, 337, 535};
  EXPECT_EQ(ReadWindowGeometry(ProfileFile(), "Cabels", design, fake.screen), design);
}

TEST(WindowGeometry, APlaceSavedOnALargerScreenIsPulledBack) {
  FakePlatform fake;
  fake.screen.width = 1280;
  fake.screen.height = 1024;
  ProfileFile file;
  WriteWindowGeometry(file, "Main", {1024, 2000, 480, 873});
  const WindowGeometry g = ReadWindowGeometry(file, "Main", {}, fake.screen);
  EXPECT_EQ(g.left, 1280 - 873);
  EXPECT_EQ(g.top, 1024 - 480);
  WriteWindowGeometry(file, "Main", {-20, -30, 480, 873});
  EXPECT_EQ(ReadWindowGeometry(file, "Main", {}, fake.screen),
            (WindowGeometry{-20, -30, 480, 873}));
}

TEST(WindowGeometry, AWindowLargerThanTheScreenIsFittedThenPulledBack) {
  FakePlatform fake;
  fake.screen.width = 1024;
  fake.screen.height = 600;
  ProfileFile file;
  WriteWindowGeometry(file, "Main", {166, 71, 749, 1366});
  EXPECT_EQ(ReadWindowGeometry(file, "Main", {}, fake.screen), (WindowGeometry{0, 0, 600, 1024}));
  // One that fits but hangs off the far edges comes back as far as it must.
  WriteWindowGeometry(file, "Main", {300, 500, 480, 873});
  EXPECT_EQ(ReadWindowGeometry(file, "Main", {}, fake.screen),
            (WindowGeometry{120, 151, 480, 873}));
  WriteWindowGeometry(file, "Main", {700, 2000, 749, 1366});
  EXPECT_EQ(ReadWindowGeometry(file, "Main", {}, fake.screen), (WindowGeometry{0, 0, 600, 1024}));
}

TEST(WindowGeometry, StoredInTheKeyOrderTopLeftHeightWidth) {
  TempDir dir;
  FakePlatform fake;
  ASSERT_TRUE(StoreWindowGeometry(dir.path(), "DomLen", {1, 2, 3, 4}, fake.platform()));
  EXPECT_EQ(dir.Read("Tarvel.ini"), "[DomLen]\r\nTop=1\r\nLeft=2\r\nHeight=3\r\nWidth=4\r\n");
  EXPECT_EQ(LoadWindowGeometry(dir.path(), "DomLen", {}, fake.platform()),
            (WindowGeometry{1, 2, 3, 4}));
}

TEST(SettingsFile, AFailedWriteIsReported) {
  TempDir dir;
  FakePlatform fake;
  std::filesystem::create_directory(dir / "Tarvel.ini");  // a folder stands in the way
  EXPECT_FALSE(StoreWindowGeometry(dir.path(), "Main", {1, 2, 3, 4}, fake.platform()));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Unable to write to " + (dir.path() / "Tarvel.ini").string() + ".");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kStop);
}

}  // namespace
}  // namespace luch
