// SPDX-License-Identifier: MIT
#include "demo/touranimation.h"

#include <QWidget>

TourAnimation::TourAnimation(QObject *parent) : QObject(parent) {
  connect(&m_timer, &QTimer::timeout, this, &TourAnimation::step);
}

void TourAnimation::start(const QList<QWidget *> &pair, int intervalMs) {
  stop();
  if (pair.size() != 2)
    return;
  for (QWidget *w : pair)
    m_pair << w;
  m_running = true;
  m_firstShown = false;
  step();
  m_timer.start(intervalMs);
}

void TourAnimation::stop() {
  m_timer.stop();
  m_running = false;
  for (const QPointer<QWidget> &w : std::as_const(m_pair))
    if (w)
      w->show();
  m_pair.clear();
}

void TourAnimation::step() {
  if (!m_running || m_pair.size() != 2)
    return;
  m_firstShown = !m_firstShown;
  if (m_pair[0])
    m_pair[0]->setVisible(m_firstShown);
  if (m_pair[1])
    m_pair[1]->setVisible(!m_firstShown);
}
