// SPDX-License-Identifier: MIT
#include "dialogs/frmzelprogress.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kEventsEveryMs = 40;

QPointer<TfrmZelProgress> &shownWindow() {
  static QPointer<TfrmZelProgress> window;
  return window;
}

} // namespace

TfrmZelProgress::TfrmZelProgress(QWidget *parent)
    : QDialog(parent), labText(new QLabel(this)), barBusy(new QProgressBar(this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
  setObjectName(QStringLiteral("frmZelProgress"));
  setWindowModality(Qt::ApplicationModal);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  labText->setObjectName(QStringLiteral("labText"));
  labText->setMinimumWidth(300);
  barBusy->setObjectName(QStringLiteral("barBusy"));
  barBusy->setAccessibleName(QStringLiteral("Working"));
  barBusy->setRange(0, 0); // no end known: the bar shows activity
  barBusy->setTextVisible(false);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel->setDefault(true);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdCancel);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(labText);
  layout->addWidget(barBusy);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(cmdCancel, &QPushButton::clicked, this, &TfrmZelProgress::reject);
}

void TfrmZelProgress::setText(const QString &text) {
  labText->setText(text);
}

void TfrmZelProgress::reject() {
  if (m_cancelled)
    return;
  m_cancelled = true;
  cmdCancel->setEnabled(false);
  labText->setText(QStringLiteral("Cancelling..."));
}

TzelGuiProgress::~TzelGuiProgress() {
  delete shownWindow().data();
}

TfrmZelProgress *TzelGuiProgress::window() {
  return shownWindow();
}

void TzelGuiProgress::begin(const QString &caption) {
  if (m_depth++ > 0)
    return;
  m_caption = caption;
  m_started.start();
  m_lastEvents.start();
}

bool TzelGuiProgress::step(const QString &text) {
  if (m_depth == 0)
    return true;
  TfrmZelProgress *window = shownWindow();
  if (!window && m_started.elapsed() >= kShowAfterMs) {
    showWindow();
    window = shownWindow();
  }
  if (m_lastEvents.elapsed() >= kEventsEveryMs) {
    if (window && !window->cancelled())
      window->setText(text);
    // While the window is up it is application-modal: only Cancel can be clicked. Before,
    // the screen repaints but clicks and keys wait until the work is done.
    QCoreApplication::processEvents(window ? QEventLoop::AllEvents
                                           : QEventLoop::ExcludeUserInputEvents);
    m_lastEvents.restart();
  }
  return !(window && window->cancelled());
}

void TzelGuiProgress::end() {
  if (m_depth == 0 || --m_depth > 0)
    return;
  delete shownWindow().data();
  if (m_arrowCursor) {
    QGuiApplication::restoreOverrideCursor();
    m_arrowCursor = false;
  }
}

void TzelGuiProgress::showWindow() {
  if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
    return;
  auto *window = new TfrmZelProgress(QApplication::activeWindow());
  window->setWindowTitle(m_caption);
  shownWindow() = window;
  // The busy cursor of the work would hide that Cancel can be clicked.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  m_arrowCursor = true;
  window->show();
  window->raise();
}
