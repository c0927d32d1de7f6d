// Draws the current and voltage cells of the main grid: the voltage in the
// colours of the calculation (green when the block gets its minimum voltage,
// red when it does not), both in grey while the results no longer match the
// project, and in grey for a row whose block the calculation left out (none,
// or a type the library lacks). A voltage cell's tooltip gives the block's
// margin, a left-out row's cells say why; like every cell of the grid, a cut
// text shows whole in the tooltip.
#pragma once

#include <functional>
#include <string>

#include "common/ui/cut_text_delegate.h"

namespace luch {

class ProjectTable;
class BlockLibrary;

class VoltageCellDelegate : public CutTextDelegate {
  Q_OBJECT
 public:
  using Stale = std::function<bool()>;
  // The tooltip of a row's current or voltage cell (row 1-based, the grid's
  // column); empty: none.
  using Tooltip = std::function<std::string(int row, int col)>;

  VoltageCellDelegate(const ProjectTable& table, const BlockLibrary& blocks, Stale stale,
                      Tooltip tooltip, QObject* parent)
      : CutTextDelegate(parent),
        table_(table),
        blocks_(blocks),
        stale_(std::move(stale)),
        tooltip_(std::move(tooltip)) {}

  // StringGrid1DrawCell.
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

 private:
  const ProjectTable& table_;
  const BlockLibrary& blocks_;
  Stale stale_;
  Tooltip tooltip_;
};

}  // namespace luch
