#include "app/ui/choice_popup.h"

#include <QKeyEvent>

#include "common/ui/grid_keys.h"
#include "common/ui/qt_text.h"
#include "project/entry_keys.h"

namespace luch {
namespace {

constexpr qint64 kTypingPauseMs = 1000;

}  // namespace

ChoicePopup::ChoicePopup(const ChoiceMenu& menu, int opening, QWidget* parent)
    : QMenu(parent), menu_(menu), opening_(opening) {
  for (size_t k = 0; k < menu.items.size(); ++k) {
    QAction* item = addAction(MenuCaption(menu.items[k].caption));
    item->setData(static_cast<int>(k));
    items_.push_back(item);
  }
}

void ChoicePopup::showEvent(QShowEvent* event) {
  QMenu::showEvent(event);
  if (opening_ >= 0 && static_cast<size_t>(opening_) < items_.size() && !activeAction()) {
    setActiveAction(items_[static_cast<size_t>(opening_)]);
  }
}

int ChoicePopup::ActiveItem() const {
  QAction* active = activeAction();
  return active ? active->data().toInt() : -1;
}

bool ChoicePopup::Typing() const {
  return !typed_.isEmpty() && since_.isValid() && since_.elapsed() <= kTypingPauseMs;
}

void ChoicePopup::Type(const QString& text) {
  if (!Typing()) typed_.clear();
  since_.start();
  typed_ += text;
  // A first letter looks on from the item after the highlighted one, so that
  // the same letter again goes to the next name that begins with it.
  const int from = typed_.size() == text.size() ? ActiveItem() + 1 : std::max(0, ActiveItem());
  int found = TypeAheadItem(menu_, typed_.toStdString(), from);
  // The same letter again and again goes round the names beginning with it.
  if (found < 0 && typed_.count(typed_.front()) == typed_.size()) {
    found = TypeAheadItem(menu_, QString(typed_.front()).toStdString(), ActiveItem() + 1);
  }
  if (found >= 0) setActiveAction(items_[static_cast<size_t>(found)]);
}

void ChoicePopup::keyPressEvent(QKeyEvent* event) {
  if (const QString typed = TypedText(*event); !typed.isEmpty()) {
    Type(typed);
    return;
  }
  // A blank within a name being typed ("КСПВ 2х0,5") is part of it; Space
  // alone chooses, as in any menu.
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && Typing()) {
    Type(" ");
    return;
  }
  QMenu::keyPressEvent(event);
}

}  // namespace luch
