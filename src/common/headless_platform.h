// A platform for running the calculation without a desktop (luch-calc, the
// benchmarks): message boxes are collected, never shown; prompts give their
// default; no file is chosen or opened; the wait window does nothing.
#pragma once

#include <string>
#include <vector>

#include "common/platform.h"

namespace luch {

class HeadlessPlatform {
 public:
  explicit HeadlessPlatform(char decimal_separator = ',');
  Platform platform();

  // The texts of every message box, in order (errors with their full stop).
  const std::vector<std::string>& messages() const { return messages_.shown; }

 private:
  struct Prompts : Prompter {
    // Nobody answers: every prompt is cancelled.
    std::optional<std::string> Ask(std::string_view, std::string_view, std::string_view) override {
      return std::nullopt;
    }
  };
  struct Messages : MessageBoxes {
    void Show(std::string_view text, std::string_view, MessageIcon) override {
      shown.emplace_back(text);
    }
    bool AskYesNo(std::string_view text, std::string_view, MessageIcon) override {
      shown.emplace_back(text);
      return false;
    }
    Answer AskYesNoCancel(std::string_view text, std::string_view, MessageIcon) override {
      shown.emplace_back(text);
      return Answer::kCancel;
    }
    int AskChoice(std::string_view text, std::string_view, MessageIcon,
                  const std::vector<std::string>& buttons) override {
      shown.emplace_back(text);
      return static_cast<int>(buttons.size()) - 1;
    }
    void ShowError(std::string_view message) override {
      shown.push_back(std::string(message) + ".");
    }
    std::vector<std::string> shown;
  };
  struct Dialogs : FileDialogs {
    std::optional<std::string> OpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFile(const FileDialogRequest&) override { return {}; }
    std::string DocumentsFolder() override { return {}; }
  };
  struct NoLauncher : Launcher {
    std::optional<std::string> AssociatedProgram(const std::filesystem::path&) override {
      return {};
    }
    void OpenWithAssociated(const std::filesystem::path&) override {}
    void OpenFolder(const std::filesystem::path&) override {}
  };
  struct SystemClock : Clock {
    std::chrono::system_clock::time_point Now() override {
      return std::chrono::system_clock::now();
    }
  };
  struct FixedLocale : Locale {
    char DecimalSeparator() const override { return separator; }
    std::string FormatDateTime(std::chrono::system_clock::time_point when) const override;
    char separator = ',';
  };
  struct FixedScreen : Screen {
    int Width() const override { return 1280; }
    int Height() const override { return 1024; }
  };
  struct NoWaitWindow : WaitWindow {
    void Show() override {}
    void Repaint() override {}
    void Close() override {}
  };
  // A clipboard of this process alone.
  struct OwnClipboard : SystemClipboard {
    std::string Text() override { return text; }
    void SetText(std::string_view utf8) override { text = std::string(utf8); }
    std::string text;
  };

  Prompts prompts_;
  Messages messages_;
  Dialogs dialogs_;
  NoLauncher launcher_;
  SystemClock clock_;
  FixedLocale locale_;
  FixedScreen screen_;
  NoWaitWindow wait_;
  OwnClipboard clipboard_;
};

}  // namespace luch
