// SPDX-License-Identifier: MIT
#include "support/modaldriver.h"

#include <QApplication>
#include <QTimer>

void whenModal(std::function<void(QWidget *)> act) {
  auto *timer = new QTimer;
  auto tries = std::make_shared<int>(500);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
      timer->deleteLater();
      timer->stop();
      act(modal);
    } else if (--*tries <= 0) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start(10);
}
