// SPDX-License-Identifier: MIT
#pragma once
// The entry points of zelquery's PDF module. The module links the painting library (QtGui);
// the tool loads it only for its print command, so the other commands start without the GUI
// libraries.

#include <QString>

class QCoreApplication;
class TzelRecordPrinter;

// The names the tool resolves in the module.
inline constexpr char zelPdfModuleName[] = "zelquerypdf";
inline constexpr char zelMakeGuiApplicationSymbol[] = "zelqueryMakeGuiApplication";
inline constexpr char zelMakePdfPrinterSymbol[] = "zelqueryMakePdfPrinter";

extern "C" {
// The GUI application the report's fonts need, on the offscreen platform unless the caller
// chose one. The caller owns it.
using ZelMakeGuiApplication = QCoreApplication *(*)(int &argc, char **argv);
// A printer that writes the report into a PDF file. The caller owns it.
using ZelMakePdfPrinter = TzelRecordPrinter *(*)(const QString &fileName);
}
