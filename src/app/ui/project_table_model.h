// A thin Qt model over the project table: rows 1..BlockCount, 11 columns,
// the cell texts as they stand, the header texts of row 0.
#pragma once

#include <QAbstractTableModel>

#include "project/project_table.h"

namespace luch {

class ProjectTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ProjectTableModel(const ProjectTable& table, QObject* parent = nullptr)
      : QAbstractTableModel(parent), table_(table), shown_rows_(table.BlockCount()) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Tells the view that the table changed: rows inserted or removed at the
  // end when the count changed, and every cell's text.
  void Refresh();

 private:
  const ProjectTable& table_;
  int shown_rows_;
};

}  // namespace luch
