#include "app/ui/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace luch {

THelp::THelp(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName("THelp");
  setWindowTitle(QString::fromUtf8(help_texts::kCaption));
  resize(720, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
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

void ShowHelp(QWidget* owner) {
  auto* help = owner->findChild<THelp*>(QString(), Qt::FindDirectChildrenOnly);
  if (help == nullptr) help = new THelp(owner);
  help->show();
  help->raise();
  help->activateWindow();
}

}  // namespace luch
