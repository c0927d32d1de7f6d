#include "common/ui/cut_text_delegate.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <string>

namespace luch {
namespace {

TEST(CutTextDelegate, OnlyATextWiderThanItsCellCountsAsCut) {
  QStandardItemModel model(1, 2);
  model.setItem(0, 0, new QStandardItem("Подъезд 1, этаж 1, щит пожарной сигнализации"));
  model.setItem(0, 1, new QStandardItem("1"));
  QTableView view;
  view.setModel(&model);
  QStyleOptionViewItem option;
  option.initFrom(&view);
  option.rect = QRect(0, 0, 60, 20);
  EXPECT_TRUE(CutTextDelegate::IsCut(option, model.index(0, 0), &view));
  EXPECT_FALSE(CutTextDelegate::IsCut(option, model.index(0, 1), &view));
  option.rect.setWidth(2000);
  EXPECT_FALSE(CutTextDelegate::IsCut(option, model.index(0, 0), &view));
}

// The view as it looks with `delegate`, every texture of a cell in it: cut
// and whole texts, a selected row, the current cell, an empty cell, wrapped
// and unwrapped rows.
QImage Look(QAbstractItemView& view, QAbstractItemDelegate* delegate) {
  view.setItemDelegate(delegate);
  view.resize(260, 120);
  view.show();
  QApplication::processEvents();
  return view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels differ ("size" when the images differ in size).
std::string Difference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "size";
  int differ = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
  }
  return std::to_string(differ) + " pixels";
}

TEST(CutTextDelegate, PaintsEveryCellAsTheStyleDoes) {
  QStandardItemModel model(4, 3);
  const char* texts[] = {"Подъезд 1, этаж 1, щит пожарной сигнализации",
                         "КСПВ 2х0,5",
                         "",
                         "<b>1</b>",
                         "Нормальный режим работы блока",
                         "27.91"};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 3; ++c) model.setItem(r, c, new QStandardItem(texts[(r * 3 + c) % 6]));
  }
  for (const bool wrap : {false, true}) {
    QTableView table;
    table.setModel(&model);
    table.setWordWrap(wrap);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.selectRow(1);
    table.setCurrentIndex(model.index(1, 1));
    QStyledItemDelegate style_alone;
    CutTextDelegate kept;
    const QImage expected = Look(table, &style_alone);
    EXPECT_EQ(Difference(Look(table, &kept), expected), "0 pixels") << "wrap " << wrap;
  }
  QListView list;
  list.setModel(&model);
  list.setCurrentIndex(model.index(2, 0));
  QStyledItemDelegate style_alone;
  CutTextDelegate kept;
  const QImage expected = Look(list, &style_alone);
  EXPECT_EQ(Difference(Look(list, &kept), expected), "0 pixels");
}

}  // namespace
}  // namespace luch
