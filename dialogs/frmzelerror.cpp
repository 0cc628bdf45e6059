// SPDX-License-Identifier: MIT
#include "dialogs/frmzelerror.h"
#include "dialogs/guiscreen.h"
#include "messages/zelmessages.h"
#include "model/safefile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<TfrmZelError> theWindow;
}

TfrmZelError::TfrmZelError(QWidget *parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmZelError"));
  setWindowTitle(QStringLiteral("System Messages"));
  setWindowFlag(Qt::WindowStaysOnTopHint);

  memLines = new QPlainTextEdit(this);
  memLines->setObjectName(QStringLiteral("memLines"));
  memLines->setReadOnly(true);
  memLines->setLineWrapMode(QPlainTextEdit::NoWrap);
  memLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memLines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memLines->installEventFilter(this);

  panActions = new QWidget(this);
  panActions->setObjectName(QStringLiteral("panActions"));
  cmdClose = new QPushButton(QStringLiteral("&Close"), panActions);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  cmdSave = new QPushButton(QStringLiteral("&Save"), panActions);
  cmdSave->setObjectName(QStringLiteral("cmdSave"));
  chkTop = new QCheckBox(QStringLiteral("Stay on top"), panActions);
  chkTop->setObjectName(QStringLiteral("chkTop"));
  chkTop->setChecked(true);

  auto *actions = new QVBoxLayout(panActions);
  actions->setContentsMargins(6, 4, 6, 4);
  actions->setSpacing(4);
  actions->addWidget(cmdClose);
  actions->addWidget(cmdSave);
  actions->addWidget(chkTop);
  actions->addStretch();

  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(memLines, 1);
  layout->addWidget(panActions);

  dlgSave = new QFileDialog(this, QStringLiteral("Save Messages"));
  dlgSave->setObjectName(QStringLiteral("dlgSave"));
  dlgSave->setAcceptMode(QFileDialog::AcceptSave);
  dlgSave->setFileMode(QFileDialog::AnyFile);
  dlgSave->setDefaultSuffix(QStringLiteral("txt"));
  dlgSave->setNameFilter(QStringLiteral("Text files (*.txt)"));
  dlgSave->selectFile(QStringLiteral("Messages.txt"));

  connect(cmdClose, &QPushButton::clicked, this, &TfrmZelError::cmdCloseClick);
  connect(cmdSave, &QPushButton::clicked, this, &TfrmZelError::cmdSaveClick);
  connect(chkTop, &QCheckBox::clicked, this, &TfrmZelError::chkTopClick);

  resize(527, 113);
  zelCentreOnScreen(*this);
}

TfrmZelError *TfrmZelError::instance() {
  return theWindow;
}

TfrmZelError &TfrmZelError::ensureInstance() {
  if (!theWindow) {
    theWindow = new TfrmZelError;
    // Owned by the application: freed when its event loop ends.
    if (qApp)
      connect(qApp, &QCoreApplication::aboutToQuit, theWindow.data(), &QObject::deleteLater);
  }
  return *theWindow;
}

void TfrmZelError::setLines(const QStringList &lines) {
  memLines->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList TfrmZelError::lines() const {
  const QString text = memLines->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool TfrmZelError::saveToFile(const QString &fileName) {
  QByteArray bytes;
  for (const QString &line : lines())
    bytes += line.toUtf8() + "\r\n";
  const QString reason = WriteFileSafely(fileName, bytes);
  if (reason.isEmpty())
    return true;
  zelShowError(QStringLiteral("Error: The messages could not be saved to [") + fileName +
               QStringLiteral("]: ") + reason);
  return false;
}

void TfrmZelError::cmdCloseClick() {
  hide();
}

void TfrmZelError::cmdSaveClick() {
  if (dlgSave->exec() != QDialog::Accepted)
    return;
  const QStringList files = dlgSave->selectedFiles();
  if (!files.isEmpty())
    saveToFile(files.first());
}

void TfrmZelError::chkTopClick() {
  // Changing the window flags hides a shown window; show it again where it was.
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, chkTop->isChecked());
  if (shown)
    show();
}

bool TfrmZelError::eventFilter(QObject *watched, QEvent *event) {
  if (watched == memLines && event->type() == QEvent::KeyPress)
    return memLinesKeyDown(static_cast<QKeyEvent *>(event));
  return QWidget::eventFilter(watched, event);
}

bool TfrmZelError::memLinesKeyDown(QKeyEvent *event) {
  if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
    memLines->copy();
    return true;
  }
  return false;
}
