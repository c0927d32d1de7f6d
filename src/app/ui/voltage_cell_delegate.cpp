#include "app/ui/voltage_cell_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "calc/unknown_types.h"
#include "chart/voltage_cell_colours.h"
#include "common/ui/qt_text.h"
#include "project/project_table.h"

namespace luch {
namespace {
QColor ToQt(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
}  // namespace

void VoltageCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  if ((stale_ && stale_()) || BlockLeftOut(table_, blocks_, index.row() + 1)) {
    // Results of a project that has changed since, or a node without its
    // block: shown, but not to be trusted as the block's.
    QStyleOptionViewItem grey = option;
    grey.palette.setColor(QPalette::Text, Qt::gray);
    grey.palette.setColor(QPalette::HighlightedText, Qt::lightGray);
    CutTextDelegate::paint(painter, grey, index);
    return;
  }
  const bool selected = option.state & QStyle::State_Selected;
  const VoltageCellLook look =
      VoltageCellColours(table_, blocks_, index.column(), index.row() + 1, selected);
  if (look.standard) {
    CutTextDelegate::paint(painter, option, index);
    return;
  }
  painter->save();
  const QColor background = look.highlight_background
                                ? option.palette.color(QPalette::Active, QPalette::Highlight)
                                : ToQt(look.background);
  painter->fillRect(option.rect, background);
  painter->setPen(ToQt(look.text));
  painter->setFont(option.font);
  const QRect text_rect = option.rect.adjusted(2, 2, 0, 0);
  painter->drawText(text_rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data().toString());
  painter->restore();
}

bool VoltageCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
  const std::string margin = event && event->type() == QEvent::ToolTip && tooltip_
                                 ? tooltip_(index.row() + 1, index.column())
                                 : std::string();
  if (margin.empty()) return CutTextDelegate::helpEvent(event, view, option, index);
  QString text = Q(margin);
  if (IsCut(option, index, view)) text = index.data().toString() + "\n" + text;
  QToolTip::showText(event->globalPos(), text, view, option.rect);
  return true;
}

}  // namespace luch
