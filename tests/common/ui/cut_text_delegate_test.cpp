#include "common/ui/cut_text_delegate.h"

#include <gtest/gtest.h>

#include <QStandardItemModel>
#include <QTableView>

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

}  // namespace
}  // namespace luch
