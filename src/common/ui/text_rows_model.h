// The Qt model of every grid and list of the program: rows of texts that live
// in the logic, read through two functions, never edited in place.
//   TextRowsModel model({" N", " Адрес"}, [&] { return table.BlockCount(); },
//                       [&](int row, int col) { return table.GetCell(row + 1, col); });
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace luch {

class TextRowsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using RowCount = std::function<int()>;
  // The text of a cell, row and column from 0.
  using Cell = std::function<std::string(int row, int col)>;

  // `headers` name the columns (a list without headers: one empty header).
  TextRowsModel(std::vector<const char*> headers, RowCount rows, Cell cell,
                QObject* parent = nullptr);

  // The background of every cell of column 0 (a fixed column of the design).
  void SetFirstColumnBackground(QColor colour) { first_column_background_ = colour; }
  // The tooltips of the column headers, one per column.
  void SetHeaderToolTips(std::vector<const char*> tool_tips) {
    header_tips_ = std::move(tool_tips);
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Tells the views that the rows changed: rows inserted or removed at the
  // end when their number changed (which keeps the selection and the scroll
  // position), and every cell's text.
  void Refresh();

 private:
  std::vector<const char*> headers_;
  std::vector<const char*> header_tips_;
  RowCount rows_;
  Cell cell_;
  int shown_rows_;
  std::optional<QColor> first_column_background_;
};

}  // namespace luch
