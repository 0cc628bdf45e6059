// SPDX-License-Identifier: MIT
#pragma once
// One print job of a query component's records: the report's pages painted on a paged
// device from the first record to the last, with the progress told after each page. The
// system printer and PDF files go through the same job.

#include "engine/recordprinting.h"
#include "zelprint_export.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class TzelDataset;
class TzelPage;

enum class TzelPrintResult { Printed, Cancelled, Failed };

// Why the page cannot be printed (a width or height not above zero), or an empty text.
// Margins that leave no room for a record line are allowed: each page then takes one record
// (the job refuses only a page where that record would not be on the paper).
ZELPRINT_EXPORT QString ReportPageFault(const TzelPage &page);
// The orientation the page setting asks for; it wins over the print dialog's.
ZELPRINT_EXPORT QPageLayout::Orientation ReportOrientation(const TzelPage &page);
// The paper of the page: its two lengths in inches, the shorter one across in portrait; a
// standard paper when they are (about) its lengths.
ZELPRINT_EXPORT QPageSize ReportPageSize(const TzelPage &page);
// The paper the report is printed on, without margins: the page's paper in the page's
// orientation. The print dialog starts from it and the PDF file is written on it, so both
// print the same pages.
ZELPRINT_EXPORT QPageLayout ReportPageLayout(const TzelPage &page);

// Paints the whole report on the device (not yet painted on), one job per process at a
// time, laid out on the device's page as it is, whatever the page setting's size. Leaves the
// dataset on its first record with its controls resumed. Failed after a message (busy printer,
// unprintable page, no record whole on the paper, device refusing to paint); Cancelled when the
// progress asked so (the pages painted so far stay on the device).
ZELPRINT_EXPORT TzelPrintResult PrintReport(TzelQuerion &querion, TzelDataset &dataset,
                                            QPagedPaintDevice &device,
                                            TzelPrintProgress *progress = nullptr);

// Writes the report to a PDF file at 1200 pixels per inch on the page's own paper. The file
// appears whole or not at all (also when cancelled). Failures are shown; true when written.
ZELPRINT_EXPORT bool PrintReportToPdf(TzelQuerion &querion, TzelDataset &dataset,
                                      const QString &fileName,
                                      TzelPrintProgress *progress = nullptr);

// The printer that writes PDF files: for the command-line tool, scripts and tests.
class ZELPRINT_EXPORT TzelPdfRecordPrinter : public TzelRecordPrinter {
public:
  explicit TzelPdfRecordPrinter(QString fileName, TzelPrintProgress *progress = nullptr)
      : m_fileName(std::move(fileName)), m_progress(progress) {}
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override {
    return PrintReportToPdf(querion, dataset, m_fileName, m_progress);
  }

private:
  QString m_fileName;
  TzelPrintProgress *m_progress;
};
