// The item delegate of the program's grids and lists: a cell whose text does
// not fit shows the whole text as its tooltip; a cell that fits shows none.
#pragma once

#include <QStyledItemDelegate>

namespace luch {

class CutTextDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // Whether the text of `index` is wider than its cell.
  static bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index,
                    const QWidget* view);
};

}  // namespace luch
