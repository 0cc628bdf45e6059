// SPDX-License-Identifier: MIT
#pragma once
// The window of a running print job: how many pages are printed, and Cancel. It appears
// once the first page is done, so a short report prints without it.

#include "engine/recordprinting.h"
#include "zelwidgets_export.h"

#include <QDialog>

class QLabel;
class QPushButton;

class ZELWIDGETS_EXPORT TfrmZelPrintProgress : public QDialog, public TzelPrintProgress {
  Q_OBJECT
public:
  explicit TfrmZelPrintProgress(QWidget *parent = nullptr);

  // Shows the count, lets a Cancel click arrive, and answers whether to go on.
  bool pagePrinted(int pageNumber) override;
  bool cancelled() const { return m_cancelled; }

private:
  void cmdCancelClick();

  QLabel *m_labPages;
  QPushButton *m_cmdCancel;
  bool m_cancelled = false;
};
