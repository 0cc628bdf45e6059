// SPDX-License-Identifier: MIT
#include "workspace/guirecordprinter.h"

#include "engine/zelquerion.h"
#include "messages/busycursor.h"
#include "messages/zelmessages.h"
#include "print/printjob.h"
#include "workspace/frmzelprintprogress.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

namespace {

// Aborts the print run when the user cancels, so no partial job reaches the printer.
class AbortingProgress : public TzelPrintProgress {
public:
  explicit AbortingProgress(QPrinter &printer) : m_printer(printer) {}
  bool pagePrinted(int pageNumber) override {
    if (m_window.pagePrinted(pageNumber))
      return true;
    m_printer.abort();
    return false;
  }
  void jobFailed() override { m_printer.abort(); }

private:
  QPrinter &m_printer;
  TfrmZelPrintProgress m_window;
};

} // namespace

bool TzelDialogRecordPrinter::printRecords(TzelQuerion &querion, TzelDataset &dataset) {
  if (zelPrintingQuerion())
    return false;
  // Refused before the dialog rather than after the user chose a printer.
  if (const QString fault = ReportPageFault(*querion.Page()); !fault.isEmpty()) {
    zelShowError(fault);
    return false;
  }
  QPrinter printer(QPrinter::HighResolution);
  std::unique_ptr<QPrintDialog> dialog;
  {
    const TzelBusyCursor busy;
    const QPageLayout paper = ReportPageLayout(*querion.Page());
    printer.setPageSize(paper.pageSize());
    printer.setPageOrientation(paper.orientation());
    if (!m_outputFileName.isEmpty())
      printer.setOutputFileName(m_outputFileName);
    dialog = std::make_unique<QPrintDialog>(&printer);
    dialog->setObjectName(QStringLiteral("dlgPrint"));
  }
  if (dialog->exec() != QDialog::Accepted)
    return false;
  dialog.reset();
  // The layout measures from the paper's corner, and the page setting's orientation wins;
  // the paper is the one chosen, which the job lays out on.
  printer.setFullPage(true);
  printer.setPageOrientation(ReportPageLayout(*querion.Page()).orientation());
  AbortingProgress progress(printer);
  const TzelPrintResult result = PrintReport(querion, dataset, printer, &progress);
  // A run cancelled or failed into a file leaves nothing half-written behind.
  if (result != TzelPrintResult::Printed && !printer.outputFileName().isEmpty())
    QFile::remove(printer.outputFileName());
  return result == TzelPrintResult::Printed;
}
