// SPDX-License-Identifier: MIT
#include "workspace/frmzelprintprogress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmZelPrintProgress::TfrmZelPrintProgress(QWidget *parent)
    : QDialog(parent), m_labPages(new QLabel(this)), m_cmdCancel(new QPushButton(this)) {
  setObjectName(QStringLiteral("frmZelPrintProgress"));
  setWindowTitle(QStringLiteral("Printing"));
  m_labPages->setObjectName(QStringLiteral("labPages"));
  m_labPages->setMinimumWidth(220);
  m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  m_cmdCancel->setText(QStringLiteral("Cancel"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(m_labPages);
  layout->addWidget(m_cmdCancel, 0, Qt::AlignHCenter);
  connect(m_cmdCancel, &QPushButton::clicked, this, &TfrmZelPrintProgress::cmdCancelClick);
}

bool TfrmZelPrintProgress::pagePrinted(int pageNumber) {
  m_labPages->setText(QStringLiteral("Pages printed: %1").arg(pageNumber));
  if (!isVisible())
    show();
  // Lets the Cancel click through; a second job cannot start meanwhile (one job at a time).
  QCoreApplication::processEvents();
  return !m_cancelled;
}

void TfrmZelPrintProgress::cmdCancelClick() {
  m_cancelled = true;
  m_cmdCancel->setEnabled(false);
}
