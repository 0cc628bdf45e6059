// SPDX-License-Identifier: MIT
#include "controls/windowhelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <QAbstractButton>
#include <QProcess>
#include <QShortcut>
#include <QToolButton>

void SetButtonsFlat(QWidget &container) {
  const QList<QToolButton *> buttons = container.findChildren<QToolButton *>();
  for (QToolButton *button : buttons)
    button->setAutoRaise(true);
}

void zelF1Clicks(QWidget &window, QAbstractButton &button) {
  // A shortcut, not a key handler: a grid's cell editor would swallow the key first.
  auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), &window);
  f1->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(f1, &QShortcut::activated, &button, &QAbstractButton::click);
}

bool RunProgram(const QString &program, const QStringList &arguments) {
  return !program.trimmed().isEmpty() && QProcess::startDetached(program, arguments);
}

QPushButton *zelNamedButton(const QString &name, const QString &text, QWidget *parent) {
  auto *button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

TzelButtonColumn zelOkCancelHelpColumn(QWidget *parent) {
  TzelButtonColumn column{
      zelNamedButton(QStringLiteral("cmdOk"), QStringLiteral("&OK"), parent),
      zelNamedButton(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), parent),
      zelNamedButton(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), parent), new QVBoxLayout};
  column.ok->setDefault(true);
  column.layout->setSpacing(4);
  for (QPushButton *b : {column.ok, column.cancel, column.help})
    column.layout->addWidget(b);
  column.layout->addStretch();
  return column;
}

QLabel *zelBuddyLabel(const QString &name, const QString &text, QWidget *buddy, QWidget *parent) {
  auto *label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  return label;
}

QToolButton *zelToolbarButton(const QString &name, const QString &hint, const QIcon &icon,
                              QSize size, QWidget *parent) {
  auto *button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setIcon(icon);
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(size);
  return button;
}
