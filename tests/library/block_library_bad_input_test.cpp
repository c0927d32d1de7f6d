// Блок.ini as a user may have it after editing by hand or a damaged copy: every
// lookup gives its default and nothing crashes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "common/cp1251.h"
#include "library/block_library.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

void WriteBlocks(const TempDir& dir, std::string_view text) {
  dir.Write(kBlockFileName, Utf8ToCp1251(text));
}

void ExpectDefaults(const BlockLibrary& library, int b) {
  EXPECT_EQ(library.RegimeNameAt(b, 1), "");
  EXPECT_EQ(library.RegimePowerAt(b, 1), 100);
  EXPECT_EQ(library.RegimeCurrentAt(b, 1), 0.0);
  EXPECT_EQ(library.BlockUmin(b), 8.0);
  EXPECT_EQ(library.RegimePowerByName(b, ""), 0);
  EXPECT_EQ(library.RegimeCurrentByName(b, ""), 0.0);
}

TEST(BlockLibraryBadInput, EmptyFileIsAnEmptyLibrary) {
  TempDir dir;
  WriteBlocks(dir, "");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockCount(), 0);
  EXPECT_EQ(library.BlockIndexByName(""), -1);
  EXPECT_EQ(library.BlockNameAt(0), "");
  ExpectDefaults(library, 0);
}

TEST(BlockLibraryBadInput, SectionWithoutNameOrRegimes) {
  TempDir dir;
  WriteBlocks(dir, "[Блок0]\r\nUmin=11\r\n[Блок1]\r\nНазвание=Пустой\r\n");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.BlockCount(), 2);
  EXPECT_EQ(library.BlockNameAt(0), "");  // the window lists it as "?"
  EXPECT_EQ(library.BlockIndexByName(""), 0);
  EXPECT_EQ(library.BlockIndexByName("?"), -1);
  EXPECT_EQ(library.BlockUmin(0), 11.0);
  EXPECT_EQ(library.BlockIndexByName("Пустой"), 1);
  ExpectDefaults(library, 1);
  EXPECT_EQ(library.RegimePowerByName(1, "Нормальный"), 0);
}

TEST(BlockLibraryBadInput, NumbersThatDoNotReadGiveTheDefaults) {
  TempDir dir;
  WriteBlocks(dir,
              "[Блок0]\r\nНазвание=X\r\n"
              "Режим1=A\r\nP1=12abc\r\nI1=1..5\r\n"
              "Режим2=B\r\nP2=99999999999\r\nI2=1e999\r\n"
              "Режим3=C\r\nP3=\r\nI3=\r\n"
              "Режим4=D\r\nP4=0x10\r\nI4= 2,5 \r\n"
              "Umin=восемь\r\n");
  const BlockLibrary library(dir.path());
  EXPECT_EQ(library.RegimePowerAt(0, 1), 100);
  EXPECT_EQ(library.RegimePowerByName(0, "A"), 0);
  EXPECT_EQ(library.RegimeCurrentAt(0, 1), 0.0);
  EXPECT_EQ(library.RegimePowerAt(0, 2), 100);  // beyond 32 bits
  EXPECT_EQ(library.RegimeCurrentByName(0, "B"), 0.0);
  EXPECT_EQ(library.RegimePowerAt(0, 3), 100);
  EXPECT_EQ(library.RegimeCurrentAt(0, 3), 0.0);
  EXPECT_EQ(library.RegimePowerAt(0, 4), 16);
  EXPECT_EQ(library.RegimeCurrentByName(0, "D"), 2.5);
  EXPECT_EQ(library.BlockUmin(0), 8.0);
}

TEST(BlockLibraryBadInput, GarbageBytesNeverCrash) {
  TempDir dir;
  const std::vector<std::string> pieces = {"[Блок0]",
                                           "[Блок1]",
                                           "[Блок",
                                           "]",
                                           "[",
                                           "Название=",
                                           "Режим1=",
                                           "Режим2=",
                                           "P1=",
                                           "I1=",
                                           "Umin=",
                                           "=",
                                           "\r\n",
                                           "\n",
                                           "\r",
                                           ";",
                                           "Нормальный",
                                           "12",
                                           "-3.5e2",
                                           std::string(1, '\0'),
                                           "\xff\xfe",
                                           "\x98",
                                           std::string(3000, 'x')};
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int count = static_cast<int>(random() % 60);
    for (int k = 0; k < count; ++k) {
      if (random() % 4 == 0) {
        bytes += static_cast<char>(random() % 256);
      } else {
        bytes += Utf8ToCp1251(pieces[random() % pieces.size()]);
      }
    }
    dir.Write(kBlockFileName, bytes);
    const BlockLibrary library(dir.path());
    const int count_read = library.BlockCount();
    ASSERT_GE(count_read, 0);
    ASSERT_LE(count_read, kMaxBlockTypes);
    for (int b = -1; b <= count_read + 1; ++b) {
      const std::string name = library.BlockNameAt(b);
      if (b >= 0 && b < count_read) {
        const int found = library.BlockIndexByName(name);
        ASSERT_GE(found, 0);
        ASSERT_LE(found, b);
      }
      ASSERT_TRUE(std::isfinite(library.BlockUmin(b)));
      for (int r = 0; r <= 2; ++r) {
        ASSERT_TRUE(std::isfinite(library.RegimeCurrentAt(b, r)));
        library.RegimePowerAt(b, r);
        library.RegimePowerByName(b, library.RegimeNameAt(b, r));
      }
    }
  }
}

}  // namespace
}  // namespace luch
