// Scripted fakes of the platform interfaces: prompts answered from a queue,
// every message box recorded, dialogs answered from a queue, a fixed clock and
// locale.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/platform.h"
#include "support/fake_files.h"

namespace luch::testing {

struct RecordedPrompt {
  std::string caption, prompt, default_text;
};

struct RecordedMessage {
  std::string text, caption;
  MessageIcon icon;
  bool yes_no;  // a Yes/No question
};

class FakePrompter : public Prompter {
 public:
  // Queue an answer: a text (as if typed and OK pressed) or nothing (Cancel).
  void Answer(std::optional<std::string> answer) { answers.push_back(std::move(answer)); }
  std::optional<std::string> Ask(std::string_view caption, std::string_view prompt,
                                 std::string_view default_text) override;
  std::deque<std::optional<std::string>> answers;  // an empty queue answers Cancel
  std::vector<RecordedPrompt> asked;
};

class FakeMessages : public MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
  bool AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view caption, MessageIcon icon) override;
  int AskChoice(std::string_view text, std::string_view caption, MessageIcon icon,
                const std::vector<std::string>& buttons) override;
  void ShowError(std::string_view message) override;
  std::deque<bool> answers;    // Yes/No answers; an empty queue answers No
  std::deque<Answer> choices;  // Yes/No/Cancel answers; an empty queue answers Cancel
  std::deque<int> picks;       // AskChoice's buttons; an empty queue picks the last
  std::vector<std::vector<std::string>> button_sets;  // AskChoice's, in order
  std::vector<RecordedMessage> shown;
};

class FakeDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string DocumentsFolder() override { return documents; }
  std::deque<std::optional<std::string>> answers;  // an empty queue cancels
  std::vector<FileDialogRequest> requests;
  std::string documents = "/home/designer/Документы";
};

class FakeLauncher : public Launcher {
 public:
  std::optional<std::string> AssociatedProgram(const std::filesystem::path& file) override;
  void OpenWithAssociated(const std::filesystem::path& file) override;
  void OpenFolder(const std::filesystem::path& folder) override { folders.push_back(folder); }
  std::vector<std::filesystem::path> folders;  // shown in the file manager
  std::optional<std::string> program = "/usr/bin/viewer";
  std::vector<std::filesystem::path> opened;
};

class FakeClock : public Clock {
 public:
  std::chrono::system_clock::time_point Now() override { return now; }
  std::chrono::system_clock::time_point now{};
};

class FakeLocale : public Locale {
 public:
  char DecimalSeparator() const override { return separator; }
  std::string FormatDateTime(std::chrono::system_clock::time_point) const override {
    return date_time;
  }
  char separator = ',';
  std::string date_time = "08.12.2026 21:15:30";
};

class FakeScreen : public Screen {
 public:
  int Width() const override { return width; }
  int Height() const override { return height; }
  int width = 1280, height = 1024;
};

class FakeWaitWindow : public WaitWindow {
 public:
  void Show() override { events.push_back("show"); }
  void Repaint() override { events.push_back("repaint"); }
  void Close() override { events.push_back("close"); }
  std::vector<std::string> events;
};

class FakeClipboard : public SystemClipboard {
 public:
  std::string Text() override { return text; }
  void SetText(std::string_view utf8) override { text = std::string(utf8); }
  std::string text;
};

// All fakes together; platform() hands them to the logic.
class FakePlatform {
 public:
  Platform platform() {
    return Platform{&prompter, &messages, &dialogs, &launcher, &clock,
                    &locale,   &screen,   &wait,    &files,    &clipboard};
  }
  FakePrompter prompter;
  FakeMessages messages;
  FakeDialogs dialogs;
  FakeLauncher launcher;
  FakeClock clock;
  FakeLocale locale;
  FakeScreen screen;
  FakeWaitWindow wait;
  FakeClipboard clipboard;
  FaultyFileSystem files;  // the computer's files, failing where a test says
};

}  // namespace luch::testing
