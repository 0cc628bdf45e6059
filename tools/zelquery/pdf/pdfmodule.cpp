// SPDX-License-Identifier: MIT
#include "pdfmodule.h"

#include "print/printjob.h"

#include <QGuiApplication>

extern "C" Q_DECL_EXPORT QCoreApplication *zelqueryMakeGuiApplication(int &argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  return new QGuiApplication(argc, argv);
}

extern "C" Q_DECL_EXPORT TzelRecordPrinter *zelqueryMakePdfPrinter(const QString &fileName) {
  return new TzelPdfRecordPrinter(fileName);
}
