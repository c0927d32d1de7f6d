// The platform interfaces implemented with Qt, for the program.
#pragma once

#include <QPointer>
#include <QWidget>

#include "common/platform.h"

namespace luch {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  std::optional<std::string> Ask(std::string_view caption, std::string_view prompt,
                                 std::string_view default_text) override;
  std::optional<std::string> AskTyped(std::string_view caption, std::string_view prompt,
                                      std::string_view typed) override;

 private:
  QPointer<QWidget> owner_;
};

class QtMessages : public MessageBoxes {
 public:
  explicit QtMessages(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;
  bool AskYesNo(std::string_view text, std::string_view caption, MessageIcon icon) override;
  Answer AskYesNoCancel(std::string_view text, std::string_view caption, MessageIcon icon) override;
  int AskChoice(std::string_view text, std::string_view caption, MessageIcon icon,
                const std::vector<std::string>& buttons) override;
  void ShowError(std::string_view message) override;

 private:
  QPointer<QWidget> owner_;
};

class QtDialogs : public FileDialogs {
 public:
  explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::string DocumentsFolder() override;

 private:
  QPointer<QWidget> owner_;
};

// The desktop's default application (on Linux what xdg-open would start; on
// Windows the program of the type's "open" verb), named by its full path (on
// Linux through DesktopEntryProgram), started never through a shell command
// line. Where the desktop has none for a text file's type, the built-in viewer
// "Отчет" stands in for it; for any other type (a PDF) there is then no program.
class QtLauncher : public Launcher {
 public:
  std::optional<std::string> AssociatedProgram(const std::filesystem::path& file) override;
  void OpenWithAssociated(const std::filesystem::path& file) override;
  void OpenFolder(const std::filesystem::path& folder) override;
  // The desktop's program for the file's type, or nothing.
  virtual std::optional<std::string> DesktopProgram(const std::filesystem::path& file);
};

// QGuiApplication's clipboard.
class QtClipboard : public SystemClipboard {
 public:
  std::string Text() override;
  void SetText(std::string_view utf8) override;
};

class SystemClock : public Clock {
 public:
  std::chrono::system_clock::time_point Now() override { return std::chrono::system_clock::now(); }
};

// The system locale's decimal separator and date and time forms (on Windows
// the user's regional settings, asked of Windows itself).
class QtLocale : public Locale {
 public:
  char DecimalSeparator() const override;
  std::string FormatDateTime(std::chrono::system_clock::time_point when) const override;
};

class QtScreen : public Screen {
 public:
  int Width() const override;
  int Height() const override;
};

// A wait window that only repaints; the program replaces it by its own.
class NoWaitWindow : public WaitWindow {
 public:
  void Show() override {}
  void Repaint() override {}
  void Close() override {}
};

// The full path of the program that the desktop entry `entry` ("vim.desktop")
// starts: its Exec program found where the desktop keeps its entries and on
// PATH; the entry's name when either cannot be found. (Linux desktops.)
QString DesktopEntryProgram(const QString& entry);

// The owner of a dialog raised now: the modal dialog that is up, else the
// window the user works in (whose command raised it), else `fallback`. Right
// after a dialog has closed no window may be active yet (the window manager
// gives the activation back later): until the event loop runs again, the
// closed dialog's owner is then still the window the user works in.
QWidget* DialogOwner(QWidget* fallback);

// For the time a dialog of the platform is up: its owner (DialogOwner), which
// gets the activation back when the dialog has closed, so that the window
// whose command asked stays in front, a tool window included.
class OwnedDialog {
 public:
  explicit OwnedDialog(QWidget* fallback);
  ~OwnedDialog();
  OwnedDialog(const OwnedDialog&) = delete;
  OwnedDialog& operator=(const OwnedDialog&) = delete;
  QWidget* owner() const { return owner_; }

 private:
  QPointer<QWidget> owner_;
};

// Qt converts "Проект луча (*.луч)|*.луч" into its own filter form.
QString QtFilter(const std::string& filter);
// Appends ".ext" when the chosen name has no extension.
QString WithDefaultExtension(const QString& path, const std::string& extension);

}  // namespace luch
