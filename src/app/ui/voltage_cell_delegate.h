// Draws the voltage cells of the main grid in the colours of the calculation:
// green when the block gets its minimum voltage, red when it does not. Like
// every cell of the grid, a cut text shows whole as the tooltip.
#pragma once

#include "common/ui/cut_text_delegate.h"

namespace luch {

class ProjectTable;
class BlockLibrary;

class VoltageCellDelegate : public CutTextDelegate {
  Q_OBJECT
 public:
  VoltageCellDelegate(const ProjectTable& table, const BlockLibrary& blocks, QObject* parent)
      : CutTextDelegate(parent), table_(table), blocks_(blocks) {}

  // StringGrid1DrawCell.
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  const ProjectTable& table_;
  const BlockLibrary& blocks_;
};

}  // namespace luch
