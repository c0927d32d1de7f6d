#include "support/fake_platform.h"

namespace luch::testing {

std::optional<std::string> FakePrompter::Ask(std::string_view caption, std::string_view prompt,
                                             std::string_view default_text) {
  asked.push_back({std::string(caption), std::string(prompt), std::string(default_text)});
  if (answers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

void FakeMessages::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
  shown.push_back({std::string(text), std::string(caption), icon, false});
}

bool FakeMessages::AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) {
  shown.push_back({std::string(text), std::string(caption), icon, true});
  if (answers.empty()) return false;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

Answer FakeMessages::AskYesNoCancel(std::string_view text, std::string_view caption,
                                    MessageIcon icon) {
  shown.push_back({std::string(text), std::string(caption), icon, true});
  if (choices.empty()) return Answer::kCancel;
  const Answer answer = choices.front();
  choices.pop_front();
  return answer;
}

int FakeMessages::AskChoice(std::string_view text, std::string_view caption, MessageIcon icon,
                            const std::vector<std::string>& buttons) {
  shown.push_back({std::string(text), std::string(caption), icon, true});
  button_sets.push_back(buttons);
  if (picks.empty()) return static_cast<int>(buttons.size()) - 1;
  const int pick = picks.front();
  picks.pop_front();
  return pick;
}

void FakeMessages::ShowError(std::string_view message) {
  shown.push_back({std::string(message) + ".", "Расчет луча ТЕРН-12", MessageIcon::kStop, false});
}

std::optional<std::string> FakeDialogs::OpenFile(const FileDialogRequest& request) {
  requests.push_back(request);
  if (answers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

std::optional<std::string> FakeDialogs::SaveFile(const FileDialogRequest& request) {
  return OpenFile(request);
}

std::optional<std::string> FakeLauncher::AssociatedProgram(const std::filesystem::path&) {
  return program;
}

void FakeLauncher::OpenWithAssociated(const std::filesystem::path& file) {
  if (program) opened.push_back(file);
}

}  // namespace luch::testing
