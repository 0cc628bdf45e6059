// SPDX-License-Identifier: MIT
#pragma once
// The application object of a program with windows: a model error (EzelError) that escapes
// an event handler or a slot is shown as an error message instead of ending the program.
// Windows catch their own errors; this is the guard behind them.

#include "zelwidgets_export.h"

#include <QApplication>

class ZELWIDGETS_EXPORT GuardedApplication : public QApplication {
  Q_OBJECT
public:
  GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}
  bool notify(QObject *receiver, QEvent *event) override;
};
