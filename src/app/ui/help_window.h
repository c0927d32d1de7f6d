// The help window "Справка": the manual that travels inside the program,
// shown in a text browser. Nothing is fetched from outside.
#pragma once

#include <QWidget>
#include <filesystem>

#include "tools/ui/about_box.h"

class QTextBrowser;

namespace luch {

namespace help_texts {
inline constexpr const char* kCaption = "Справка";
// The manual as a Qt resource (Markdown).
inline constexpr const char* kManual = ":/manual/luch.ru.md";
}  // namespace help_texts

class THelp : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by `owner` (closed with it), naming the data
  // folder above the manual with a button that shows it (`open_folder`).
  THelp(QWidget* owner, const std::filesystem::path& data_dir, OpenFolderFn open_folder);

  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// F1: shows the help window of `owner`, created the first time, in front.
void ShowHelp(QWidget* owner, const std::filesystem::path& data_dir, OpenFolderFn open_folder);

}  // namespace luch
