#include "common/ui/text_rows_model.h"

#include "common/ui/qt_text.h"

namespace luch {

TextRowsModel::TextRowsModel(std::vector<const char*> headers, RowCount rows, Cell cell,
                             QObject* parent)
    : QAbstractTableModel(parent),
      headers_(headers.empty() ? std::vector<const char*>{""} : std::move(headers)),
      rows_(std::move(rows)),
      cell_(std::move(cell)),
      shown_rows_(rows_()) {}

int TextRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_rows_;
}

int TextRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= shown_rows_) return {};
  if (role == Qt::BackgroundRole && index.column() == 0 && first_column_background_) {
    return *first_column_background_;
  }
  if (role != Qt::DisplayRole) return {};
  return Q(cell_(index.row(), index.column()));
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical)
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  if (section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return Q(headers_[static_cast<size_t>(section)]);
  if (role == Qt::ToolTipRole && static_cast<size_t>(section) < header_tips_.size()) {
    return Q(header_tips_[static_cast<size_t>(section)]);
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags TextRowsModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TextRowsModel::Refresh() {
  const int rows = rows_();
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
    emit dataChanged(index(0, 0), index(shown_rows_ - 1, columnCount() - 1), {Qt::DisplayRole});
  }
}

}  // namespace luch
