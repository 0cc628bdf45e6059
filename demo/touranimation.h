// SPDX-License-Identifier: MIT
#pragma once
// The blinking arrows of a topic: a pair of pictures shown and hidden in turn on a timer.
// The timer only schedules the next change, so the event loop keeps running and any command
// of the window can stop the animation between two changes.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

class TourAnimation : public QObject {
  Q_OBJECT
public:
  explicit TourAnimation(QObject *parent = nullptr);

  // Starts blinking the pair (any animation before is stopped); a pair of other than two
  // pictures starts nothing.
  void start(const QList<QWidget *> &pair, int intervalMs);
  // Stops the timer and leaves both pictures shown.
  void stop();
  bool running() const { return m_running; }
  int interval() const { return m_timer.interval(); }
  // Shows the next state of the pair, as one timer tick does.
  void step();

private:
  QTimer m_timer;
  QList<QPointer<QWidget>> m_pair;
  bool m_running = false;
  bool m_firstShown = true;
};
