// SPDX-License-Identifier: MIT
#include "controls/zeltimerspeedbutton.h"

#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>

TzelTimerSpeedButton::TzelTimerSpeedButton(QWidget *parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
}

void TzelTimerSpeedButton::SetTimeBtnStates(TimeBtnState state) {
  if (state == m_state)
    return;
  m_state = state;
  update();
}

void TzelTimerSpeedButton::mousePressEvent(QMouseEvent *event) {
  QToolButton::mousePressEvent(event);
  if (event->button() != Qt::LeftButton)
    return;
  m_held = true;
  if (!m_state.testFlag(tbAllowTimer))
    return;
  if (!m_timer) {
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &TzelTimerSpeedButton::timerExpired);
  }
  m_timer->setInterval(FirstRepeatMs);
  m_timer->start();
}

void TzelTimerSpeedButton::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) {
    m_held = false;
    if (m_timer)
      m_timer->stop();
  }
  QToolButton::mouseReleaseEvent(event);
}

void TzelTimerSpeedButton::timerExpired() {
  m_timer->setInterval(RepeatMs);
  // isDown() turns false while the pressed mouse is outside the button.
  if (m_held && isDown())
    emit clicked(false);
}

void TzelTimerSpeedButton::paintEvent(QPaintEvent *event) {
  QToolButton::paintEvent(event);
  if (!m_state.testFlag(tbFocusRect))
    return;
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.state |= QStyle::State_KeyboardFocusChange;
  option.rect = rect().adjusted(3, 3, -3, -3);
  if (isDown())
    option.rect.translate(1, 1);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
