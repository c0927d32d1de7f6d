#include "app/ui/voltage_cell_delegate.h"

#include <QPainter>

#include "calc/voltage_cell_colours.h"

namespace luch {
namespace {
QColor ToQt(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }
}  // namespace

void VoltageCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const VoltageCellLook look =
      VoltageCellColours(table_, blocks_, index.column(), index.row() + 1, selected);
  if (look.standard) {
    QStyledItemDelegate::paint(painter, option, index);
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

}  // namespace luch
