#include "common/checked_prompt.h"

namespace luch {

std::optional<std::string> AskChecked(const Platform& platform, std::string_view caption,
                                      std::string_view prompt, std::string_view default_text,
                                      const TextCheck& check, bool typed) {
  Prompter& prompter = *platform.prompter;
  std::optional<std::string> answer = typed ? prompter.AskTyped(caption, prompt, default_text)
                                            : prompter.Ask(caption, prompt, default_text);
  while (answer) {
    const std::string refusal = check(*answer);
    if (refusal.empty()) break;
    platform.messages->Show(refusal, "Сообщение", MessageIcon::kWarning);
    answer = prompter.Ask(caption, prompt, *answer);
  }
  return answer;
}

}  // namespace luch
