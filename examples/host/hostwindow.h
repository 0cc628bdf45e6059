// SPDX-License-Identifier: MIT
#pragma once
// The host's main window: a "Design Query" button that opens the query workspace on the
// host's query component, and a grid with the records of that query, run again each time
// the workspace closes.

#include "hostcomponents.h"

#include <QMainWindow>

class QLabel;
class QPushButton;
class QTableView;
class TzelDataSource;
class TzelQueryDialog;

class HostWindow : public QMainWindow {
  Q_OBJECT
public:
  // The components must outlive the window.
  explicit HostWindow(HostComponents &components, QWidget *parent = nullptr);

  // Runs the query and shows its records in the grid.
  void showRecords();

private:
  void cmdDesignQueryClick();

  HostComponents &m_components;
  TzelQueryDialog *m_queryDialog;
  TzelDataSource *m_records;
  QPushButton *cmdDesignQuery;
  QLabel *labRecords;
  QTableView *grdRecords;
};
