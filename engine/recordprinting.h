// SPDX-License-Identifier: MIT
#pragma once
// Printing the records of a query component as seen by the core: the printer a prompts
// object prints through (the program's asks through the print dialog; the command-line
// tool's writes a PDF file), the progress a long report reports to, and the
// one-job-at-a-time rule.

#include "zelcore_export.h"

#include <QString>

class TzelDataset;
class TzelQuerion;

// Told after each finished page of a running report; the window that shows it offers Cancel.
class ZELCORE_EXPORT TzelPrintProgress {
public:
  virtual ~TzelPrintProgress() = default;
  // False cancels the job: no further page is printed and the output is discarded.
  virtual bool pagePrinted(int pageNumber) = 0;
  // The job was given up after the device began: what it holds is to be discarded.
  virtual void jobFailed() {}
};

// Where the records go. printRecords returns true when the job was printed, false when the
// user cancelled (the print dialog or the progress) or the job failed after a message.
class ZELCORE_EXPORT TzelRecordPrinter {
public:
  virtual ~TzelRecordPrinter() = default;
  virtual bool printRecords(TzelQuerion &querion, TzelDataset &dataset) = 0;
};

// The component whose records are being printed, or null: one job at a time per process.
ZELCORE_EXPORT TzelQuerion *zelPrintingQuerion();

// Claims the process's print job for a component for the scope; claimed() is false when
// another job runs already (the printer is busy).
class ZELCORE_EXPORT TzelPrintJobClaim {
public:
  explicit TzelPrintJobClaim(TzelQuerion &querion);
  ~TzelPrintJobClaim();
  bool claimed() const { return m_claimed; }
  TzelPrintJobClaim(const TzelPrintJobClaim &) = delete;
  TzelPrintJobClaim &operator=(const TzelPrintJobClaim &) = delete;

private:
  bool m_claimed;
};
