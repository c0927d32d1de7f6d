// What the program asks of its surroundings. The logic talks to the user and
// the desktop only through these; the windows implement them with Qt
// (src/common/ui/), the tests with scripted fakes (tests/support/).
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace luch {

// The modal one-line prompt (caption, prompt line, a field preset with a
// default, OK and Cancel).
class Prompter {
 public:
  virtual ~Prompter() = default;
  // The edited text on OK; nothing on Cancel. For the commands in which Cancel
  // must change nothing.
  virtual std::optional<std::string> Ask(std::string_view caption, std::string_view prompt,
                                         std::string_view default_text) = 0;
  // As Ask, but the field holds `typed`, what the user began typing on a grid
  // cell, with the cursor after it and nothing selected, so that typing goes
  // on into the field.
  virtual std::optional<std::string> AskTyped(std::string_view caption, std::string_view prompt,
                                              std::string_view typed) {
    return Ask(caption, prompt, typed);
  }
  // OK gives the edited text, Cancel the default unchanged (so the caller
  // cannot tell Cancel from OK on an unchanged default).
  std::string TextPrompt(std::string_view caption, std::string_view prompt,
                         std::string_view default_text) {
    return Ask(caption, prompt, default_text).value_or(std::string(default_text));
  }
};

enum class MessageIcon { kNone, kWarning, kInformation, kStop, kQuestion };
enum class Answer { kYes, kNo, kCancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with an OK button. "\n" in the text breaks the line.
  virtual void Show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
  // A modal box with Yes and No; true only for Yes.
  virtual bool AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
  // A modal box with Yes, No and Cancel; closing it answers Cancel.
  virtual Answer AskYesNoCancel(std::string_view text, std::string_view caption,
                                MessageIcon icon) = 0;
  // A modal box with a button for each of `buttons`, the first the default
  // and the last the one that Esc presses; the number of the button pressed
  // (0-based), the last one's when the box is closed.
  virtual int AskChoice(std::string_view text, std::string_view caption, MessageIcon icon,
                        const std::vector<std::string>& buttons) = 0;
  // The standard error box of a file error: the message and a full stop, under
  // the application title, with the stop icon.
  virtual void ShowError(std::string_view message) = 0;
};

// A file dialog. `filter` is "description|pattern" ("Проект луча (*.луч)|*.луч").
// No dialog ever changes the current directory.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string default_extension;  // without the dot; added when the name has none
  std::string initial_directory;  // UTF-8; empty: the current directory
  std::string initial_name;       // the file name a save dialog proposes; empty: none
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen existing file (UTF-8 path), or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  // The chosen file name (UTF-8 path), or nothing when cancelled; never asks
  // before an existing file is overwritten.
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  // The user's documents folder (UTF-8), where a file of an unnamed project
  // is proposed.
  virtual std::string DocumentsFolder() = 0;
};

// Opening a written file with the program associated with its type.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // A name of the associated program (its path where the platform can tell),
  // or nothing when no program is associated with the file's type.
  virtual std::optional<std::string> AssociatedProgram(const std::filesystem::path& file) = 0;
  // Starts the associated program on the file, its window shown normally.
  // Nothing happens when none is associated. Never goes through a shell.
  virtual void OpenWithAssociated(const std::filesystem::path& file) = 0;
  // Shows the folder in the desktop's file manager.
  virtual void OpenFolder(const std::filesystem::path& folder) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::system_clock::time_point Now() = 0;
};

class Locale {
 public:
  virtual ~Locale() = default;
  // The decimal separator of number patterns and of reals in profile files.
  virtual char DecimalSeparator() const = 0;
  // Short date, a blank, long time, as the user's locale writes them.
  virtual std::string FormatDateTime(std::chrono::system_clock::time_point when) const = 0;
};

// The part of the screen that windows may cover (without the task bar).
class Screen {
 public:
  virtual ~Screen() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

// The wait window shown while a calculation runs.
class WaitWindow {
 public:
  virtual ~WaitWindow() = default;
  // Shows the window and lets the screen repaint once.
  virtual void Show() = 0;
  // Lets the screen repaint once more (the status panels changed).
  virtual void Repaint() = 0;
  virtual void Close() = 0;
};

// The desktop's clipboard, as plain text (what spreadsheets exchange).
class SystemClipboard {
 public:
  virtual ~SystemClipboard() = default;
  // The clipboard's text (UTF-8); empty when it holds none.
  virtual std::string Text() = 0;
  virtual void SetText(std::string_view utf8) = 0;
};

class FileSystem;

// Everything together, as the logic receives it. All members are non-null.
struct Platform {
  Prompter* prompter;
  MessageBoxes* messages;
  FileDialogs* dialogs;
  Launcher* launcher;
  Clock* clock;
  Locale* locale;
  Screen* screen;
  WaitWindow* wait;
  FileSystem* files;  // every file the logic reads and writes
  SystemClipboard* clipboard;
};

}  // namespace luch
