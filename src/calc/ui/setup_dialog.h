// TSetup, the modal dialog "Параметры проекта": five group boxes, each with its
// edit box on the right and its preset buttons on the left, OK and Cancel.
#pragma once

#include <QDialog>

#include "calc/project_setup.h"
#include "project/project_parameters.h"

class QLineEdit;
class QPushButton;

namespace luch {

class TSetup : public QDialog {
  Q_OBJECT
 public:
  // Fills the edit boxes from `params`; nothing is stored until Accept().
  explicit TSetup(const ProjectParameters& params, QWidget* parent = nullptr);

  // Reads the edit boxes back into `params` (what OK does).
  void ApplyTo(ProjectParameters& params);

  QLineEdit* EditRZB;
  QLineEdit* EditStep;
  QLineEdit* EditImax;
  QLineEdit* EditC;
  QLineEdit* EditL;
  QPushButton* ButtonZB2;
  QPushButton* ButtonZB3;
  QPushButton* ButtonUsual;
  QPushButton* ButtonHigh;
  QPushButton* ButtonTok;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button1;  // "&Отмена", Esc
  QPushButton* Button2;  // "&ОК", default

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Copies the logic's texts into the edit boxes, and back.
  void ShowTexts();
  void TakeTexts();
  // Runs a preset of the logic on the typed texts.
  void Preset(void (ProjectSetup::*click)());

  ProjectSetup logic_;
  bool centred_ = false;
};

// mProjectClick: shows TSetup over `parent` modally; on OK stores the five
// values into `params` and returns true; Cancel or closing changes nothing.
bool RunSetupDialog(QWidget* parent, ProjectParameters& params);

}  // namespace luch
