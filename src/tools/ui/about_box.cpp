#include "tools/ui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "common/file_io.h"
#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"
#include "tools/ui/program_icon.h"

namespace luch {
namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromUtf8(name));
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

TAboutBox::TAboutBox(std::filesystem::path data_dir, OpenFolderFn open_folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("TAboutBox");
  setWindowTitle(QString::fromUtf8(about_texts::kCaption));
  setFixedSize(298, 275);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(8, 8, 281, 153);
  // A lowered outer and a raised inner edge.
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(1);

  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setObjectName("ProgramIcon");
  ProgramIcon->setGeometry(24, 16, 32, 32);
  ProgramIcon->setPixmap(ProgramIconPixmap(32));

  ProductName = MakeLabel(Panel1, "ProductName", about_texts::kProductName, 88, 16);
  Version = MakeLabel(Panel1, "Version", about_texts::kVersion, 88, 32);
  Label2 = MakeLabel(Panel1, "Label2", about_texts::kDate, 88, 120);

  // Where the libraries, settings and reports are: the user may look for them.
  // The path on a line of its own, where a long one has room to wrap.
  LabelDataFolder = new QLabel(
      QString::fromUtf8(about_texts::kDataFolder) + "\n" + Q(PathToUtf8(data_dir)), this);
  LabelDataFolder->setObjectName("LabelDataFolder");
  LabelDataFolder->setGeometry(8, 166, 281, 40);
  LabelDataFolder->setWordWrap(true);
  LabelDataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ButtonDataFolder = new QPushButton(QString::fromUtf8(about_texts::kOpenDataFolder), this);
  ButtonDataFolder->setObjectName("ButtonDataFolder");
  ButtonDataFolder->setGeometry(8, 210, 281, 25);
  connect(ButtonDataFolder, &QPushButton::clicked, this,
          [data_dir, open_folder] { open_folder(data_dir); });

  OKButton = new QPushButton(QString::fromUtf8(about_texts::kOK), this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(111, 242, 75, 25);
  OKButton->setDefault(true);
  OKButton->setFocus();
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (QWidget* owner = parentWidget()) CentreOver(*this, owner->window()->frameGeometry());
}

void ShowAboutBox(QWidget* parent, const std::filesystem::path& data_dir,
                  OpenFolderFn open_folder) {
  TAboutBox box(data_dir, std::move(open_folder), parent);
  box.exec();
}

}  // namespace luch
