#include "common/cp1251.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

TEST(Cp1251, AFileIsTakenAsUtf8WhenItsMarkOrItsCyrillicLettersSaySo) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\xCB\xF3\xF7", "Луч"},              // Windows-1251
      {"\xD0\x9B\xD1\x83\xD1\x87", "Луч"},  // UTF-8 with Cyrillic letters
      {"\xEF\xBB\xBF"
       "caf\xC3\xA9",
       "café"},                            // the mark alone tells, and is dropped
      {"\xEF\xBB\xBF\xCB\xD0\x9B", "ЛЛ"},  // a byte out of place after it
      {"caf\xC3\xA9", "cafГ©"},            // valid, but no Cyrillic letter
      {"\xD0\x9B \xCB", "Р› Л"}};          // not valid UTF-8 throughout
  for (const auto& [bytes, text] : cases) EXPECT_EQ(FileTextToUtf8(bytes), text) << bytes;
}

TEST(Cp1251, CharactersWithoutAFormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a€b"),
            "a\x88"
            "b");  // the euro sign has a form
  EXPECT_EQ(Utf8ToCp1251("日本"), "??");
  EXPECT_EQ(Utf8ToCp1251("x\xFFy"), "x?y");  // malformed UTF-8
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");      // truncated sequence
  EXPECT_EQ(Utf8ToCp1251("😀"), "?");
  // The check before a save agrees with the list of what cannot be saved.
  for (const std::string text : {"Щит №1 «А» ёЁ", "a€b", "日本", "x\xFFy", "\xD0",
                                 "\xD0"
                                 "A",
                                 "😀", ""}) {
    const bool fits = UnsavableCharacters(text).empty();
    EXPECT_EQ(FitsCp1251(text), fits) << text;
    EXPECT_EQ(ExactCp1251(text), fits ? std::optional(Utf8ToCp1251(text)) : std::nullopt) << text;
  }
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
