// The item delegate of the program's grids and lists: a cell whose text does
// not fit shows the whole text as its tooltip; a cell that fits shows none.
// It paints a cell as the style does, with the text laid out once for each
// text, font and width and kept (a grid repaints the same texts many times).
#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace luch {

class CutTextDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;

  // Whether the text of `index` is wider than its cell.
  static bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index,
                    const QWidget* view);

 private:
  // The text of a cell as drawn: cut with "…" to `width`, laid out.
  const QStaticText& LaidOut(const QString& text, const QFont& font, int width) const;

  struct Key {
    QString text;
    QString font;
    int width;
    bool operator==(const Key& other) const {
      return width == other.width && text == other.text && font == other.font;
    }
  };
  friend size_t qHash(const Key& key, size_t seed) {
    return qHashMulti(seed, key.text, key.font, key.width);
  }
  mutable QHash<Key, QStaticText> laid_out_;
  // QFont::key() forms a long text: kept for the font of the last cell.
  mutable QFont last_font_;
  mutable QString last_font_key_;
};

}  // namespace luch
