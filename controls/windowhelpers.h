#pragma once
// Small routines the windows share: flat toolbar buttons, the F1 key, starting a program.

#include <QString>
#include <QStringList>

class QAbstractButton;
class QWidget;

// Every QToolButton inside container (at any depth) gets the flat, raise-on-hover look.
void SetButtonsFlat(QWidget &container);
// F1 anywhere in window (also inside an open cell editor) clicks button.
void zelF1Clicks(QWidget &window, QAbstractButton &button);
// Starts program detached with the arguments; false when it could not be started.
bool RunProgram(const QString &program, const QStringList &arguments = {});
