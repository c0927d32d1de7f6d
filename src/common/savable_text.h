// Texts the user types that go into a file. Every file is Windows-1251, so a
// character without a place there would come back as "?" (and a name written
// so no longer matches the one in memory): such a text is refused where it is
// typed, with a message naming the characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/platform.h"

namespace luch {

// "Символы «×», «ł» нельзя сохранить: файлы проекта пишутся в кодировке
// Windows-1251." for the characters UnsavableCharacters finds in `text`, each
// once, in order; empty when the whole text can be saved.
std::string UnsavableMessage(std::string_view text);

// True when the whole text can be saved; otherwise shows UnsavableMessage
// (caption "Сообщение", warning icon) and gives false.
bool CheckSavable(std::string_view text, MessageBoxes& messages);

// Prompter::Ask for a text that goes to a file: an answer CheckSavable refuses
// is asked for again, the field preset with the answer as typed. The accepted
// answer on OK; nothing on Cancel, at the first prompt or a repeated one.
// `typed`: as in AskChecked.
std::optional<std::string> AskSavable(const Platform& platform, std::string_view caption,
                                      std::string_view prompt, std::string_view default_text,
                                      bool typed = false);

// Prompter::TextPrompt likewise: Cancel gives `default_text` as passed in.
std::string SavableTextPrompt(const Platform& platform, std::string_view caption,
                              std::string_view prompt, std::string_view default_text);

}  // namespace luch
