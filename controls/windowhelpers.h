// SPDX-License-Identifier: MIT
#pragma once
// Small routines the windows share: flat toolbar buttons, the F1 key, starting a program.

#include "zelwidgets_export.h"

#include <QString>
#include <QStringList>

class QAbstractButton;
class QIcon;
class QSize;
class QToolButton;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// A push button carrying its control name, by which tests and scripts find it.
ZELWIDGETS_EXPORT QPushButton *zelNamedButton(const QString &name, const QString &text,
                                              QWidget *parent);
// A dialog's OK (the default button), Cancel and Help stacked in a column, a stretch below
// them; the caller adds the layout beside its controls.
struct TzelButtonColumn {
  QPushButton *ok;
  QPushButton *cancel;
  QPushButton *help;
  QVBoxLayout *layout;
};
ZELWIDGETS_EXPORT TzelButtonColumn zelOkCancelHelpColumn(QWidget *parent);
// A flat toolbar button of the given size with its control name, a 16-pixel icon and its hint
// as tool tip and accessible name (what a screen reader says for a button without caption).
ZELWIDGETS_EXPORT QToolButton *zelToolbarButton(const QString &name, const QString &hint,
                                                const QIcon &icon, QSize size, QWidget *parent);
// A label with its control name whose accelerator ("&Tables") moves to buddy.
ZELWIDGETS_EXPORT QLabel *zelBuddyLabel(const QString &name, const QString &text, QWidget *buddy,
                                        QWidget *parent);

// Every QToolButton inside container (at any depth) gets the flat, raise-on-hover look.
ZELWIDGETS_EXPORT void SetButtonsFlat(QWidget &container);
// F1 anywhere in window (also inside an open cell editor) clicks button.
ZELWIDGETS_EXPORT void zelF1Clicks(QWidget &window, QAbstractButton &button);
// Starts program detached with the arguments; false when it could not be started.
ZELWIDGETS_EXPORT bool RunProgram(const QString &program, const QStringList &arguments = {});
