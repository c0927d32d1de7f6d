#include "common/ui/cut_text_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

namespace luch {

bool CutTextDelegate::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index,
                            const QWidget* view) {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return false;
  const QStyle* style = view ? view->style() : nullptr;
  // The text margin of Qt's item views, on either side.
  const int margin =
      (style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) : 2) + 1;
  return option.fontMetrics.horizontalAdvance(text) + 2 * margin > option.rect.width();
}

bool CutTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (!event || event->type() != QEvent::ToolTip) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  if (index.isValid() && IsCut(option, index, view)) {
    QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                       option.rect);
  } else {
    QToolTip::hideText();
  }
  return true;
}

}  // namespace luch
