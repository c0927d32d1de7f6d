// What the two library windows ("Типы кабеля" and "Блоки") share: a tool
// window that only hides when closed, after its place (and the library) is
// saved; Esc that closes it; the status line; a grid of the library's rows
// whose cells are edited by a double click or an edit key; and the call after
// every redraw that may follow a change of the library.
#pragma once

#include <QWidget>
#include <functional>

#include "common/settings_file.h"

class QAbstractItemModel;
class QLabel;
class QStatusBar;
class QTableView;

namespace luch {

class LibraryWindow : public QWidget {
 public:
  // Called after every redraw that may follow a change of the library (the
  // main window recalculates).
  void SetOnChange(std::function<void()> on_change) { on_change_ = std::move(on_change); }
  // Redraws every control from the logic.
  virtual void Refresh() = 0;

 protected:
  LibraryWindow(const char* object_name, const char* caption, QWidget* parent);

  // What the logic does when the window closes: its place is `place`.
  virtual void FormClose(const WindowGeometry& place) = 0;
  // Places the controls for the window's size.
  virtual void FormResize() = 0;

  // Esc closes the window when `key_down(escape_key)` (the form sees the key
  // before its controls).
  void CloseOnEscape(bool (*key_down)(int), int escape_key);
  // The grid of the library's rows: whole rows selected one at a time, no
  // editing in place, no row header. A release of the mouse tells
  // `mouse_up(column, row)` (row 1-based; -1, -1 outside the cells); a double
  // click, or an edit key on the current cell, then runs `open` and redraws.
  // `take_double_click`: the grid itself never sees the double click.
  QTableView* MakeGrid(QWidget* parent, QAbstractItemModel* model, int row_height,
                       std::function<void(int column, int row)> mouse_up,
                       std::function<void()> open, bool take_double_click);
  // "StatusBar1" holding the status text "StatusText".
  QStatusBar* MakeStatusBar(QLabel*& text);
  // After a redraw: the main window hears of it.
  void Changed() const {
    if (on_change_) on_change_();
  }

  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The grid's part of eventFilter: true when the event is taken.
  bool GridEvent(QObject* watched, QEvent* event);

 private:
  std::function<void()> on_change_;
  QTableView* grid_ = nullptr;
  std::function<void(int, int)> mouse_up_;
  std::function<void()> open_;
  bool take_double_click_ = false;
};

}  // namespace luch
