// A prompt whose answer must pass a check: a refused answer is said why, and
// the prompt comes back with the answer as typed, so that the user mends it
// instead of typing it again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform.h"

namespace luch {

// Why `text` is refused, or the empty text when it is accepted.
using TextCheck = std::function<std::string(std::string_view text)>;

// Prompter::Ask until `check` accepts the answer: each refused answer shows
// the check's message (caption "Сообщение", warning icon) and is asked for
// again, the field preset with it. The accepted answer on OK; nothing on
// Cancel, at the first prompt or a repeated one. With `typed`, the first
// prompt starts from `default_text` as text the user began typing on a cell
// (Prompter::AskTyped).
std::optional<std::string> AskChecked(const Platform& platform, std::string_view caption,
                                      std::string_view prompt, std::string_view default_text,
                                      const TextCheck& check, bool typed = false);

}  // namespace luch
