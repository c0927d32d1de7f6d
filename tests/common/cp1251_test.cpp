#include "common/cp1251.h"

#include <gtest/gtest.h>

namespace luch {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1251, CyrillicLettersMapToTheirCodePoints) {
  EXPECT_EQ(Cp1251ToUtf8("\xCA\xE0\xE1\xE5\xEB\xFC"), "Кабель");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xB9"), "Ёё№");
  EXPECT_EQ(Utf8ToCp1251("Блок.ini"), "\xC1\xEB\xEE\xEA.ini");
  EXPECT_EQ(Utf8ToCp1251("ЁЯяё"), "\xA8\xDF\xFF\xB8");
}

TEST(Cp1251, CharactersWithoutAFormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a€b"),
            "a\x88"
            "b");  // the euro sign has a form
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("x\xFFy"), "x?y");  // malformed UTF-8
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");      // truncated sequence
  EXPECT_EQ(Utf8ToCp1251("😀"), "?");
}

TEST(Cp1251, LengthAndPrefixCountCharacters) {
  EXPECT_EQ(Utf8Length("Адрес"), 5u);
  EXPECT_EQ(Utf8Length("ab"), 2u);
  EXPECT_EQ(Utf8Prefix("Адрес", 2), "Ад");
  EXPECT_EQ(Utf8Prefix("ab", 10), "ab");
}

TEST(Cp1251, FoldCaseCoversLatinAndCyrillic) {
  EXPECT_EQ(FoldCase("МАИН Main Ёж ЇҐ"), "маин main ёж їґ");
  EXPECT_EQ(FoldCase("Блок1"), FoldCase("БЛОК1"));
}

}  // namespace
}  // namespace luch
