// SPDX-License-Identifier: MIT
#pragma once
// The window of long work: what runs, a busy bar and Cancel. It appears only when the work
// has lasted half a second, so that quick work never flashes a window.

#include "zelwidgets_export.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelProgress : public QDialog {
  Q_OBJECT
public:
  explicit TfrmZelProgress(QWidget *parent = nullptr);

  void setText(const QString &text);
  bool cancelled() const { return m_cancelled; }

  QLabel *labText;
  QProgressBar *barBusy;
  QPushButton *cmdCancel;

protected:
  // Closing the window asks to stop, as Cancel does; the work closes it when it ends.
  void reject() override;

private:
  bool m_cancelled = false;
};

// The program's progress: one TfrmZelProgress over the active window for the outermost
// task, application-modal while shown so that nothing else starts meanwhile. Tasks nest; each
// begin has its end, and step is false once the user has asked to stop.
class ZELWIDGETS_EXPORT TzelGuiProgress {
public:
  TzelGuiProgress() = default;
  ~TzelGuiProgress();
  TzelGuiProgress(const TzelGuiProgress &) = delete;
  TzelGuiProgress &operator=(const TzelGuiProgress &) = delete;
  void begin(const QString &caption);
  bool step(const QString &text);
  void end();

  // The window while it is shown (tests find Cancel through it).
  static TfrmZelProgress *window();

private:
  void showWindow();

  int m_depth = 0;
  QString m_caption;
  bool m_arrowCursor = false;
  QElapsedTimer m_started;
  QElapsedTimer m_lastEvents;
};
