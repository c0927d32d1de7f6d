// TMain: a project file dropped onto the window.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "app/ui/main_window.h"

namespace luch {
namespace {

// The first local "*.луч" file among the dropped ones; empty when none.
QString DroppedProject(const QMimeData* data) {
  if (data == nullptr) return {};
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    QString path = url.toLocalFile();
    if (QFileInfo(path).suffix().compare(QString::fromUtf8(kProjectExtension),
                                         Qt::CaseInsensitive) == 0) {
      return path;
    }
  }
  return {};
}

}  // namespace

void TMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedProject(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedProject(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Loaded after the drop has ended: an error box shown inside the drop would
  // hold the file manager until it closes.
  QMetaObject::invokeMethod(
      this,
      [this, utf8_path = path.toStdString()] {
        bool loaded = false;
        Run([this, &utf8_path, &loaded] { loaded = state_.OpenDroppedProject(utf8_path); });
        if (loaded) ProjectReplaced();
        activateWindow();
      },
      Qt::QueuedConnection);
}

}  // namespace luch
