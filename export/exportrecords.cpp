// SPDX-License-Identifier: MIT
#include "export/exportrecords.h"
#include "messages/busycursor.h"

#include "database/datasetwalk.h"
#include "database/exportsource.h"
#include "database/zeldataset.h"
#include "export/delimitedwriter.h"
#include "messages/zelmessages.h"
#include "model/safefile.h"
#include "model/supportfiles.h"
#include "model/vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

const QChar kQuote = u'"';

bool writtenAsIs(TFieldType type) {
  return IsNumericFieldType(type) || type == ftBoolean;
}

bool needsQuotes(const QString &text, QChar separator) {
  for (const QChar c : text)
    if (c == separator || c == kQuote || c == u'\r' || c == u'\n')
      return true;
  return false;
}

void appendQuoted(QString &line, const QString &text) {
  line += kQuote;
  for (const QChar c : text) {
    if (c == kQuote)
      line += kQuote;
    line += c;
  }
  line += kQuote;
}

void appendValue(QString &line, const QString &text, TFieldType dataType, QChar separator) {
  if (writtenAsIs(dataType) && !needsQuotes(text, separator))
    line += text;
  else
    appendQuoted(line, text);
}

} // namespace

int ExportFileTypeOfExtension(const QString &extension, bool clipper) {
  static const QHash<QString, int> types = {
      {u"adt"_s, zelExportAdt}, {u"csv"_s, zelExportCsv}, {u"xls"_s, zelExportXls},
      {u"dat"_s, zelExportDat}, {u"dif"_s, zelExportDif}, {u"htm"_s, zelExportHtm},
      {u"db"_s, zelExportDb},   {u"rtf"_s, zelExportRtf}, {u"pxo"_s, zelExportPxo},
      {u"slk"_s, zelExportSlk}, {u"tab"_s, zelExportTab}, {u"txt"_s, zelExportTxt},
      {u"doc"_s, zelExportDoc},
  };
  QString ext = extension.toLower();
  if (ext.startsWith(u'.'))
    ext.remove(0, 1);
  if (ext == u"dbf")
    return clipper ? zelExportClipper : zelExportDbf;
  return types.value(ext, zelExportNone);
}

QString UnknownExtensionMessage(const QString &extension) {
  return QStringLiteral("Error: Cannot translate file extension ") + extension.toUpper() +
         QStringLiteral(" to a known file format.");
}

QChar ExportSeparator(int fileType) {
  switch (fileType) {
  case zelExportCsv:
    return u',';
  case zelExportTab:
    return u'\t';
  default:
    return {};
  }
}

QString DelimitedValue(const QString &text, TFieldType dataType, QChar separator) {
  QString line;
  appendValue(line, text, dataType, separator);
  return line;
}

QString DelimitedLabel(const QString &label, QChar separator) {
  QString line;
  if (needsQuotes(label, separator))
    appendQuoted(line, label);
  else
    line = label;
  return line;
}

void WriteDelimitedRecords(TzelDataset &dataset, QIODevice &device, QChar separator,
                           bool includeNames) {
  TzelDelimitedWriter writer(dataset, device, separator);
  if (includeNames)
    writer.writeLabels();
  // Tested before the first record, so an empty result adds no line of empty values.
  dataset.WalkRecords(writer);
  writer.finish();
}

bool ExportRecords(TzelDataset *dataset, const QString &fileName, int fileType, bool includeNames,
                   bool showMessage) {
  if (IsBlank(fileName)) {
    zelShowError(QStringLiteral("Error: File Name cannot be blank."));
    return false;
  }
  const QString name = InProgramFolder(fileName);
  const QChar separator = ExportSeparator(fileType);
  if (separator.isNull()) {
    zelShowError(QStringLiteral("Error: The ExportRecords method does not support file type ") +
                 QString::number(fileType) + QStringLiteral("."));
    return false;
  }
  if (!dataset) {
    zelShowError(QStringLiteral("Error: cQuery parameter of ExportQuery method cannot be blank."));
    return false;
  }
  if (!zelCheckExportSource(*dataset) || !zelCheckExportTarget(*dataset, name))
    return false;
  QString failure;
  {
    const TzelBusyCursor busy;
    const TzelDatasetWalk walk(*dataset);
    const TzelFileOwner owner = TzelFileOwner::of(name);
    // Written beside and renamed into place: a failed export leaves no half-written file.
    QSaveFile file(name);
    try {
      if (const TzelWriteTarget target = zelWriteTarget(name); !target.refusal.isEmpty())
        throw EzelError(QStringLiteral("Error: Cannot create the file ") + name + u": "_s +
                        target.refusal);
      // Unbuffered (the records come in chunks already), so that a full disk fails the
      // write that met it, with the system's reason.
      if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EzelError(QStringLiteral("Error: Cannot create the file ") + name + u": "_s +
                        file.errorString());
      WriteDelimitedRecords(*dataset, file, separator, includeNames);
      if (!file.commit())
        throw EzelError(zelWriteFailure(file, 0));
      owner.giveTo(name);
    } catch (const EzelError &e) {
      failure = e.message();
    }
  }
  if (!failure.isEmpty()) {
    zelShowError(failure);
    return false;
  }
  if (showMessage)
    zelMessageBox(name + QStringLiteral(" has been successfully created."),
                  TzelMessageKind::Information);
  return true;
}
