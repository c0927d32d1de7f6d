// TAboutBox, the fixed dialog "О программе": the program's picture, name,
// version and date in a framed panel, the data folder with a button that shows
// it in the file manager, and an OK button.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "luch_version.h"

class QFrame;
class QLabel;
class QPushButton;

namespace luch {

namespace about_texts {
inline constexpr const char* kCaption = "О программе";
inline constexpr const char* kProductName = "Расчет луча системы ТЕРН-12";
inline constexpr const char* kVersion = "Версия  " LUCH_VERSION_SHORT;
inline constexpr const char* kDate = "Январь 2007 года";
inline constexpr const char* kOK = "OK";
inline constexpr const char* kDataFolder = "Папка данных:";
inline constexpr const char* kOpenDataFolder = "Открыть папку данных";
}  // namespace about_texts

// Shows a folder in the file manager (Launcher::OpenFolder).
using OpenFolderFn = std::function<void(const std::filesystem::path&)>;

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  // Client area 298 wide, not resizable; centred on `parent` when shown.
  // `data_dir` is named under the panel; its button calls `open_folder`.
  TAboutBox(std::filesystem::path data_dir, OpenFolderFn open_folder, QWidget* parent = nullptr);

  // The picture and texts lie on Panel1; their places are Panel1's.
  QFrame* Panel1;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Label2;
  QLabel* LabelDataFolder;
  QPushButton* ButtonDataFolder;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool centred_ = false;
};

// mAboutClick: shows a new about box over `parent` modally until it closes.
void ShowAboutBox(QWidget* parent, const std::filesystem::path& data_dir, OpenFolderFn open_folder);

}  // namespace luch
