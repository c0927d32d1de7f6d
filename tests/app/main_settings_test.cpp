#include "app/main_settings.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace luch {
namespace {

TEST(MainSettings, ARememberedPathComesBackWholeThroughTheWindows1251File) {
  const testing::FakeScreen screen;
  ProfileFile file;
  MainSettings values;
  for (const char* path : {"/home/ира/Дом 2×2 😀.луч", "C:\\Проекты\\Дом 5.луч"}) {
    values.file_name = path;
    WriteMainSettings(file, values);
    file = ProfileFile::FromBytes(file.ToBytes());
    EXPECT_EQ(ReadMainSettings(file, {}, screen).file_name, path);
  }
  EXPECT_FALSE(file.KeyExists("Main", "FileNameUtf8"));  // no longer needed
  // A name written since by a program that does not know the kept path wins.
  values.file_name = "/home/ира/Дом 2×2.луч";
  WriteMainSettings(file, values);
  file.WriteString("Main", "FileName", "/home/ира/Дом 3.луч");
  EXPECT_EQ(ReadMainSettings(file, {}, screen).file_name, "/home/ира/Дом 3.луч");
}

}  // namespace
}  // namespace luch
