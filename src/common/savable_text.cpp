#include "common/savable_text.h"

#include <vector>

#include "common/checked_prompt.h"
#include "common/cp1251.h"

namespace luch {

std::string UnsavableMessage(std::string_view text) {
  const std::vector<std::string> characters = UnsavableCharacters(text);
  if (characters.empty()) return {};
  std::string message = "Символы ";
  for (size_t k = 0; k < characters.size(); ++k) {
    if (k > 0) message += ", ";
    message += "«" + characters[k] + "»";
  }
  return message + " нельзя сохранить: файлы проекта пишутся в кодировке Windows-1251.";
}

bool CheckSavable(std::string_view text, MessageBoxes& messages) {
  const std::string message = UnsavableMessage(text);
  if (message.empty()) return true;
  messages.Show(message, "Сообщение", MessageIcon::kWarning);
  return false;
}

std::optional<std::string> AskSavable(const Platform& platform, std::string_view caption,
                                      std::string_view prompt, std::string_view default_text,
                                      bool typed) {
  return AskChecked(platform, caption, prompt, default_text, UnsavableMessage, typed);
}

std::string SavableTextPrompt(const Platform& platform, std::string_view caption,
                              std::string_view prompt, std::string_view default_text) {
  return AskSavable(platform, caption, prompt, default_text).value_or(std::string(default_text));
}

}  // namespace luch
