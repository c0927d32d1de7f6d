// Answers a real dialog that the code under test is about to open: a timer
// looks for a visible top-level widget of type T every 10 ms and hands it to
// `answer`. The test fails when none appears within five seconds, or when the
// answer leaves a modal dialog open (which is then closed, so that no test
// waits for ever).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace luch::testing {

template <typename T>
void AnswerWhenShown(std::function<void(T*)> answer) {
  auto* timer = new QTimer;
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, answer = std::move(answer)] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
        timer->stop();
        timer->deleteLater();
        QPointer<T> shown(dialog);
        answer(dialog);
        if (shown && shown->isVisible() && QApplication::activeModalWidget() == shown) {
          ADD_FAILURE() << "the answer left the " << T::staticMetaObject.className() << " open";
          shown->close();
        }
        return;
      }
    }
    if (clock->elapsed() > 5000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no " << T::staticMetaObject.className() << " appeared";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }
  });
  timer->start(10);
}

}  // namespace luch::testing
