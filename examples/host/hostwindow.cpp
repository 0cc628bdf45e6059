// SPDX-License-Identifier: MIT
#include "hostwindow.h"

#include "database/zeldatasource.h"
#include "workspace/zelquerydialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

HostWindow::HostWindow(HostComponents &components, QWidget *parent)
    : QMainWindow(parent), m_components(components), m_queryDialog(new TzelQueryDialog(this)),
      m_records(new TzelDataSource(this)),
      cmdDesignQuery(new QPushButton(QStringLiteral("Design Query"))), labRecords(new QLabel),
      grdRecords(new QTableView) {
  setWindowTitle(QStringLiteral("Pellox Host Example"));
  resize(860, 520);

  // The dialog component opens the workspace on a working copy of the query component;
  // the host's query changes only when the user saves (see cmdDesignQueryClick).
  m_queryDialog->setObjectName(QStringLiteral("zelQueryDialog1"));
  m_queryDialog->SetQuerion(&m_components.querion());
  m_queryDialog->SetWindowCaption(QStringLiteral("Sales Query"));

  // The data source is the grid's item model over the dataset: it follows every open,
  // close and refill of the dataset and reads records as the grid scrolls.
  m_records->setDataSet(&m_components.dataset());
  grdRecords->setObjectName(QStringLiteral("grdRecords"));
  grdRecords->setAccessibleName(QStringLiteral("Records"));
  grdRecords->setModel(m_records);
  grdRecords->verticalHeader()->setDefaultSectionSize(grdRecords->fontMetrics().height() + 6);
  grdRecords->horizontalHeader()->setStretchLastSection(true);

  cmdDesignQuery->setObjectName(QStringLiteral("cmdDesignQuery"));
  labRecords->setObjectName(QStringLiteral("labRecords"));
  connect(cmdDesignQuery, &QPushButton::clicked, this, &HostWindow::cmdDesignQueryClick);

  auto *central = new QWidget;
  auto *top = new QHBoxLayout;
  top->addWidget(cmdDesignQuery);
  top->addWidget(labRecords, 1);
  auto *layout = new QVBoxLayout(central);
  layout->addLayout(top);
  layout->addWidget(grdRecords, 1);
  setCentralWidget(central);
}

void HostWindow::cmdDesignQueryClick() {
  // False when a setup check failed; the message window has said why.
  if (!m_queryDialog->Execute())
    return;
  // A query the user saved to a file becomes the host's query.
  if (!m_queryDialog->FileName().isEmpty())
    m_components.querion().LoadFromFile(m_queryDialog->FileName());
  showRecords();
}

void HostWindow::showRecords() {
  TzelQuerion &querion = m_components.querion();
  const QString name = querion.CurrentQuery()->QueryName();
  if (!m_components.run()) {
    labRecords->setText(name + QStringLiteral(": no records"));
    return;
  }
  labRecords->setText(name + QStringLiteral(": ") +
                      QString::number(m_components.dataset().RecordCount()) +
                      QStringLiteral(" records"));
  grdRecords->resizeColumnsToContents();
}
