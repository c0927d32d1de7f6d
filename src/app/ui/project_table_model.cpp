#include "app/ui/project_table_model.h"

namespace luch {

int ProjectTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_rows_;
}

int ProjectTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ProjectTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return QString::fromStdString(table_.GetCell(index.row() + 1, index.column()));
}

QVariant ProjectTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal && section >= 0 && section < kColumnCount) {
    return QString::fromUtf8(kColumnHeaders[static_cast<size_t>(section)]);
  }
  if (orientation == Qt::Vertical) return section + 1;
  return {};
}

Qt::ItemFlags ProjectTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;  // never edited in place
}

void ProjectTableModel::Refresh() {
  const int rows = table_.BlockCount();
  if (rows > shown_rows_) {
    beginInsertRows(QModelIndex(), shown_rows_, rows - 1);
    shown_rows_ = rows;
    endInsertRows();
  } else if (rows < shown_rows_) {
    beginRemoveRows(QModelIndex(), rows, shown_rows_ - 1);
    shown_rows_ = rows;
    endRemoveRows();
  }
  if (shown_rows_ > 0) {
    emit dataChanged(index(0, 0), index(shown_rows_ - 1, kColumnCount - 1), {Qt::DisplayRole});
  }
}

}  // namespace luch
