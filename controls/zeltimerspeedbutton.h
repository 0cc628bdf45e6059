// SPDX-License-Identifier: MIT
#pragma once
// A flat glyph button that repeats its click while held down: the first repeat comes 400 ms
// after the press, then one every 100 ms until the button is released or the mouse leaves it.

#include "zelwidgets_export.h"

#include <QToolButton>

class QTimer;

class ZELWIDGETS_EXPORT TzelTimerSpeedButton : public QToolButton {
  Q_OBJECT
public:
  enum TimeBtnStateFlag { tbFocusRect = 0x1, tbAllowTimer = 0x2 };
  Q_DECLARE_FLAGS(TimeBtnState, TimeBtnStateFlag)
  Q_FLAG(TimeBtnState)

  static constexpr int FirstRepeatMs = 400;
  static constexpr int RepeatMs = 100;

  explicit TzelTimerSpeedButton(QWidget *parent = nullptr);

  TimeBtnState TimeBtnStates() const { return m_state; }
  void SetTimeBtnStates(TimeBtnState state);
  // The repeat timer, or nullptr before the first press that allowed it.
  QTimer *repeatTimer() const { return m_timer; }

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;

private:
  void timerExpired();

  TimeBtnState m_state;
  QTimer *m_timer = nullptr;
  bool m_held = false;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TzelTimerSpeedButton::TimeBtnState)
