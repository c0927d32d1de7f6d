// The choice menu of a cell (cables, blocks, regimes) as the keyboard uses it:
// it opens on the item the cell holds, and typed letters jump to the first
// item whose name begins with them, as in a spreadsheet's lists.
#pragma once

#include <QElapsedTimer>
#include <QMenu>
#include <vector>

#include "project/cell_editing.h"

namespace luch {

class ChoicePopup : public QMenu {
  Q_OBJECT
 public:
  // `opening`: the item to highlight first (OpeningItem); -1: none.
  ChoicePopup(const ChoiceMenu& menu, int opening, QWidget* parent);

  // Text typed on the menu: added to what was typed within the last second
  // (a longer pause starts afresh), and the matching item highlighted.
  void Type(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int ActiveItem() const;
  bool Typing() const;  // a name is being typed: the last key within the pause

  const ChoiceMenu& menu_;
  std::vector<QAction*> items_;
  int opening_;
  QString typed_;
  QElapsedTimer since_;
};

}  // namespace luch
