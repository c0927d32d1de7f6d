#include "app/ui/help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

constexpr int kHelpWidth = 720;
constexpr int kHelpHeight = 640;

}  // namespace

THelp::THelp(QWidget* owner, const std::filesystem::path& data_dir, OpenFolderFn open_folder)
    : QWidget(owner, Qt::Window) {
  setObjectName("THelp");
  setWindowTitle(QString::fromUtf8(help_texts::kCaption));
  // In the middle of the screen, and on it, frame and all, however small.
  static const QtScreen screen;
  const int width = std::min(kHelpWidth, screen.Width());
  const int height = std::min(kHelpHeight, screen.Height());
  ApplyPlace(*this,
             {std::max(0, (screen.Height() - height) / 2),
              std::max(0, (screen.Width() - width) / 2), height, width},
             screen);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* folder_bar = new QHBoxLayout;
  folder_bar->setContentsMargins(12, 8, 12, 0);
  auto* folder =
      new QLabel(QString::fromUtf8(about_texts::kDataFolder) + " " + Q(PathToUtf8(data_dir)), this);
  folder->setObjectName("LabelDataFolder");
  folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* open = new QPushButton(QString::fromUtf8(about_texts::kOpenDataFolder), this);
  open->setObjectName("ButtonDataFolder");
  connect(open, &QPushButton::clicked, this, [data_dir, open_folder] { open_folder(data_dir); });
  folder_bar->addWidget(folder, 1);
  folder_bar->addWidget(open);
  layout->addLayout(folder_bar);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("BrowserHelp");
  // Links inside the manual only: no other program is started from here.
  browser_->setOpenExternalLinks(false);
  browser_->document()->setDocumentMargin(12);
  QFile manual(QString::fromUtf8(help_texts::kManual));
  if (manual.open(QIODevice::ReadOnly)) {
    browser_->setMarkdown(QString::fromUtf8(manual.readAll()));
  }
  layout->addWidget(browser_);
}

void ShowHelp(QWidget* owner, const std::filesystem::path& data_dir, OpenFolderFn open_folder) {
  auto* help = owner->findChild<THelp*>(QString(), Qt::FindDirectChildrenOnly);
  if (help == nullptr) help = new THelp(owner, data_dir, std::move(open_folder));
  help->show();
  help->raise();
  help->activateWindow();
}

}  // namespace luch
