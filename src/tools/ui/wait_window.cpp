#include "tools/ui/wait_window.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "common/ui/window_place.h"

namespace luch {

TMess::TMess(QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TMess");
  setWindowTitle(QString::fromUtf8(wait_texts::kCaption));
  setFixedSize(431, 163);
  setAttribute(Qt::WA_ShowWithoutActivating);

  Label1 = new QLabel(QString::fromUtf8(wait_texts::kMessage), this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(27);  // pixels: not scaled with the screen's font size
  font.setBold(true);
  Label1->setFont(font);
  Label1->setAutoFillBackground(true);
  QPalette palette = Label1->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
  Label1->setPalette(palette);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Label1);
}

void TMess::CentreOnOwner() {
  QRect over;
  if (QWidget* owner = parentWidget()) {
    over = owner->window()->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    over = screen->availableGeometry();
  }
  if (over.isValid()) CentreOver(*this, over);
}

QtWaitWindow::~QtWaitWindow() { QtWaitWindow::Close(); }

void QtWaitWindow::Show() {
  Close();
  window_ = new TMess(owner_);
  window_->CentreOnOwner();
  window_->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWaitWindow::Repaint() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtWaitWindow::Close() {
  // The owner may already have destroyed the window with itself.
  delete window_.data();
}

}  // namespace luch
