// SPDX-License-Identifier: MIT
#pragma once
// The input box: a small fixed dialog that asks for one line of text, laid out in
// dialog units of its font.

#include "zelwidgets_export.h"

#include <QDialog>
#include <QSize>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelInputBox : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY(TfrmZelInputBox)
public:
  // With help set, a "&Help" button beside OK and Cancel and the F1 key call it.
  TfrmZelInputBox(const QString &caption, const QString &prompt, const QString &text,
                  QWidget *parent = nullptr, std::function<void()> help = {});

  // Runs the dialog; OK writes the edited text back and returns true, Cancel or closing
  // leaves text unchanged and returns false.
  static bool ask(const QString &caption, const QString &prompt, QString &text,
                  std::function<void()> help = {});

  QString value() const;

  // One horizontal unit = average letter width / 4, one vertical unit = letter height / 8;
  // returned as the average letter width and the letter height, in pixels.
  static QSize dialogUnits(const QFont &font);
  // "MS Sans Serif" 8 points, or the application font where that face is missing.
  static QFont dialogFont();

  QLabel *labPrompt;
  QLineEdit *txtValue;
  QPushButton *cmdOk;
  QPushButton *cmdCancel;
  QPushButton *cmdHelp = nullptr; // only when the box was given help

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  std::function<void()> m_help;
};
