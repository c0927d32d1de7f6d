// What a replacement dialog gives back: how it was closed and the two names.
#pragma once

#include <string>

namespace luch {

struct ReplacementChoice {
  bool accepted = false;  // closed with "&Выполнить замену"
  std::string from;       // the text of EditFrom
  std::string to;         // the text of EditTo
  bool operator==(const ReplacementChoice&) const = default;
};

// True when the dialog was closed with OK and both names are non-empty: the
// only case in which a replacement runs.
inline bool ShouldReplace(const ReplacementChoice& choice) {
  return choice.accepted && !choice.from.empty() && !choice.to.empty();
}

}  // namespace luch
