// SPDX-License-Identifier: MIT
#pragma once
// The one message window of the process: shows a list of collected messages without
// blocking, lets the user copy them or save them to a text file.

#include "zelwidgets_export.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QFileDialog;
class QKeyEvent;
class QPlainTextEdit;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelError : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(TfrmZelError)
public:
  explicit TfrmZelError(QWidget *parent = nullptr);

  // The process-wide window: null until first use; created on demand, then reused until
  // the application quits.
  static TfrmZelError *instance();
  static TfrmZelError &ensureInstance();

  void setLines(const QStringList &lines);
  QStringList lines() const;

  // Writes the lines to fileName, each ended by CR LF. The file is written beside and
  // renamed into place, so a failed save leaves any old file as it was; a failure is
  // shown as an error message and returns false.
  bool saveToFile(const QString &fileName);

  QPlainTextEdit *memLines;
  QWidget *panActions;
  QPushButton *cmdClose;
  QPushButton *cmdSave;
  QCheckBox *chkTop;
  QFileDialog *dlgSave;

public slots:
  void cmdCloseClick();
  void cmdSaveClick();
  void chkTopClick();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  bool memLinesKeyDown(QKeyEvent *event);

private:
};
