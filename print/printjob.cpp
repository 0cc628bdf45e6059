// SPDX-License-Identifier: MIT
#include "print/printjob.h"

#include "database/datasetwalk.h"
#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "messages/busycursor.h"
#include "messages/zelmessages.h"
#include "model/zelpage.h"
#include "print/printlayout.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int kPdfResolution = 1200;

// Steps 5 and 6 of a job: title, then pages until the records end; false when cancelled.
bool paintPages(TzelReportLayout &layout, QPagedPaintDevice &device, TzelDataset &dataset,
                TzelPrintProgress *progress) {
  layout.penToTop();
  layout.title();
  do {
    layout.beginPage();
    if (layout.state().pageNumber > 1)
      device.newPage();
    layout.pageHeader();
    layout.columnHeadings();
    layout.selectRecordFont();
    // The first record of a page is always printed, so a page without room still advances.
    do {
      layout.recordLine();
      dataset.Next();
    } while (!layout.pageFull() && !dataset.Eof());
    layout.footer();
    layout.penToTop();
    if (progress && !progress->pagePrinted(layout.state().pageNumber))
      return false;
  } while (!dataset.Eof());
  return true;
}

} // namespace

QString ReportPageFault(const TzelPage &page) {
  if (page.PageWidth() > 0 && page.PageHeight() > 0)
    return {};
  return QStringLiteral("Error: A page of %1 x %2 inches cannot be printed")
      .arg(page.PageWidth())
      .arg(page.PageHeight());
}

QPageLayout::Orientation ReportOrientation(const TzelPage &page) {
  return page.PageOrientation() == zelPageLandscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait;
}

QPageSize ReportPageSize(const TzelPage &page) {
  const double across = qMin(page.PageWidth(), page.PageHeight());
  const double down = qMax(page.PageWidth(), page.PageHeight());
  // Lengths of a standard paper, rounded to three decimals in the table, name that paper:
  // printers and the print dialog know it, where a custom size may fall back to another.
  return QPageSize(QSizeF(across, down), QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
}

QPageLayout ReportPageLayout(const TzelPage &page) {
  return QPageLayout(ReportPageSize(page), ReportOrientation(page), QMarginsF());
}

TzelPrintResult PrintReport(TzelQuerion &querion, TzelDataset &dataset, QPagedPaintDevice &device,
                            TzelPrintProgress *progress) {
  const TzelPrintJobClaim job(querion);
  if (!job.claimed())
    return TzelPrintResult::Failed;
  const TzelPage &page = *querion.Page();
  const QString fault = ReportPageFault(page);
  if (!fault.isEmpty()) {
    zelShowError(fault);
    return TzelPrintResult::Failed;
  }
  const int resolution = device.logicalDpiX();
  if (resolution <= 0) {
    zelShowError(QStringLiteral("Error: The printer's resolution cannot be read"));
    return TzelPrintResult::Failed;
  }
  TzelBusyCursor busy;
  QPainter painter;
  if (!painter.begin(&device)) {
    busy.restore();
    zelShowError(QStringLiteral("Error: The printer cannot print"));
    return TzelPrintResult::Failed;
  }
  TzelPrintResult result = TzelPrintResult::Printed;
  {
    const TzelDatasetWalk walk(dataset);
    dataset.First();
    TzelReportLayout layout(painter, page, dataset);
    layout.prepare(resolution, QSize(device.width(), device.height()));
    if (const QString pageFault = layout.pageFault(); !pageFault.isEmpty()) {
      if (progress)
        progress->jobFailed();
      painter.end();
      busy.restore();
      zelShowError(pageFault);
      return TzelPrintResult::Failed;
    }
    if (!paintPages(layout, device, dataset, progress))
      result = TzelPrintResult::Cancelled;
  }
  painter.end();
  return result;
}

bool PrintReportToPdf(TzelQuerion &querion, TzelDataset &dataset, const QString &fileName,
                      TzelPrintProgress *progress) {
  const QString fault = ReportPageFault(*querion.Page());
  if (!fault.isEmpty()) {
    zelShowError(fault);
    return false;
  }
  // Written beside and renamed into place: a failed or cancelled job leaves no partial file.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    zelShowError(QStringLiteral("Error: Cannot create the file ") + fileName + u": "_s +
                 file.errorString());
    return false;
  }
  TzelPrintResult result;
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Pellox"));
    writer.setPageLayout(ReportPageLayout(*querion.Page()));
    result = PrintReport(querion, dataset, writer, progress);
  }
  if (result != TzelPrintResult::Printed) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    zelShowError(QStringLiteral("Error: Cannot write the file ") + fileName + u": "_s +
                 file.errorString());
    return false;
  }
  return true;
}
