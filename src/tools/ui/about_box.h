// TAboutBox, the fixed dialog "О программе": the program's picture, name,
// version and date in a framed panel, and an OK button.
#pragma once

#include <QDialog>

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
}  // namespace about_texts

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  // Client area 298 x 213, not resizable; centred on `parent` when shown.
  explicit TAboutBox(QWidget* parent = nullptr);

  // The picture and texts lie on Panel1; their places are Panel1's.
  QFrame* Panel1;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Label2;
  QPushButton* OKButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool centred_ = false;
};

// mAboutClick: shows a new about box over `parent` modally until it closes.
void ShowAboutBox(QWidget* parent);

}  // namespace luch
