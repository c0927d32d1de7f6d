#include "common/ui/cut_text_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QtMath>
#include <utility>

namespace luch {
namespace {

// Beyond this many laid-out texts the cache starts afresh.
constexpr qsizetype kMaxLaidOut = 20000;

// The style's margin of an item's text, on either side.
int TextMargin(const QStyle& style, const QWidget* widget) {
  return style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

// Whether `option` is a plain cell of text that the style lays out on one
// line over the whole cell: the cases where the text is drawn here. Only the
// Fusion style of the Linux build is known to give the same pixels so: the
// Windows styles place and colour the text their own way, and on Windows even
// Fusion's glyphs come out a shade apart. Their cells stay the style's.
bool PlainTextCell(const QStyleOptionViewItem& option, const QStyle& style, qreal line_height) {
#ifdef Q_OS_WIN
  return false;
#endif
  if (style.name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) return false;
  const auto extras = QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator;
  return !(option.features & extras) && option.showDecorationSelected &&
         option.direction == Qt::LeftToRight && option.textElideMode == Qt::ElideRight &&
         !option.text.contains(QLatin1Char('\n')) &&
         // The style draws the focus over the text: the one focused cell is its own.
         !(option.state & (QStyle::State_Editing | QStyle::State_HasFocus)) &&
         (!(option.features & QStyleOptionViewItem::WrapText) ||
          option.rect.height() < 2 * line_height);
}

}  // namespace

const QStaticText& CutTextDelegate::LaidOut(const QString& text, const QFont& font,
                                            int width) const {
  if (last_font_key_.isEmpty() || !(font == last_font_)) {
    last_font_ = font;
    last_font_key_ = font.key();
  }
  Key key{text, last_font_key_, width};
  if (const auto found = laid_out_.constFind(key); found != laid_out_.cend()) return *found;
  if (laid_out_.size() >= kMaxLaidOut) laid_out_.clear();
  // As the style cuts a line that is wider than its room.
  const QFontMetricsF metrics(font);
  QStaticText laid_out(metrics.horizontalAdvance(text) > width
                           ? metrics.elidedText(text, Qt::ElideRight, width)
                           : text);
  laid_out.setTextFormat(Qt::PlainText);
  laid_out.prepare(QTransform(), font);
  return *laid_out_.insert(std::move(key), std::move(laid_out));
}

void CutTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QFontMetricsF metrics(cell.font);
  const qreal line_height = metrics.ascent() + metrics.descent();
  const QWidget* widget = cell.widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  if (cell.text.isEmpty() || !PlainTextCell(cell, *style, line_height)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // The style draws the cell without its text (background, selection,
  // focus); the text goes where and as the style would draw it.
  const QString text = std::exchange(cell.text, QString());
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
  QPalette::ColorGroup group =
      cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(cell.state & QStyle::State_Active)) group = QPalette::Inactive;
  const int margin = TextMargin(*style, widget);
  const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
  const QStaticText& laid_out = LaidOut(text, cell.font, room.width());
  const QRect line = QStyle::alignedRect(cell.direction, cell.displayAlignment,
                                         QSize(room.width(), qCeil(line_height)), room);
  painter->save();
  painter->setClipRect(cell.rect);
  painter->setPen(cell.palette.color(
      group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(cell.font);
  painter->drawStaticText(line.topLeft(), laid_out);
  painter->restore();
}

bool CutTextDelegate::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index,
                            const QWidget* view) {
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return false;
  const QStyle* style = view ? view->style() : nullptr;
  // The text margin of Qt's item views, on either side.
  const int margin = style ? TextMargin(*style, view) : 3;
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
