#include "export/exportrecords.h"
#include "messages/busycursor.h"

#include "database/datasetwalk.h"
#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "messages/zelmessages.h"
#include "model/vocabulary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSaveFile>

namespace {

const QChar kQuote = u'"';
const QString kLineEnd = QStringLiteral("\r\n");

bool writtenAsIs(TFieldType type) {
  return IsNumericFieldType(type) || type == ftBoolean;
}

bool needsQuotes(const QString &text, QChar separator) {
  return text.contains(separator) || text.contains(kQuote) || text.contains(u'\r') ||
         text.contains(u'\n');
}

QString quoted(const QString &text) {
  QString doubled = text;
  doubled.replace(kQuote, QStringLiteral("\"\""));
  return kQuote + doubled + kQuote;
}

void writeLine(QIODevice &device, const QStringList &items, QChar separator) {
  const QByteArray bytes = (items.join(separator) + kLineEnd).toUtf8();
  if (device.write(bytes) != bytes.size())
    throw EzelError(QStringLiteral("Error: ") + device.errorString());
}

bool hasFolder(const QString &fileName) {
  return fileName.contains(u'/') || fileName.contains(u'\\');
}

} // namespace

int ExportFileTypeOfExtension(const QString &extension, bool clipper) {
  static const QHash<QString, int> types = {
      {u"adt"_qs, zelExportAdt}, {u"csv"_qs, zelExportCsv}, {u"xls"_qs, zelExportXls},
      {u"dat"_qs, zelExportDat}, {u"dif"_qs, zelExportDif}, {u"htm"_qs, zelExportHtm},
      {u"db"_qs, zelExportDb},   {u"rtf"_qs, zelExportRtf}, {u"pxo"_qs, zelExportPxo},
      {u"slk"_qs, zelExportSlk}, {u"tab"_qs, zelExportTab}, {u"txt"_qs, zelExportTxt},
      {u"doc"_qs, zelExportDoc},
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
  if (writtenAsIs(dataType) && !needsQuotes(text, separator))
    return text;
  return quoted(text);
}

QString DelimitedLabel(const QString &label, QChar separator) {
  return needsQuotes(label, separator) ? quoted(label) : label;
}

void WriteDelimitedRecords(TzelDataset &dataset, QIODevice &device, QChar separator,
                           bool includeNames) {
  const int count = dataset.FieldCount();
  if (includeNames) {
    QStringList labels;
    for (int i = 0; i < count; ++i)
      labels << DelimitedLabel(dataset.Fields(i)->DisplayLabel(), separator);
    writeLine(device, labels, separator);
  }
  // Tested before the first record, so an empty result adds no line of empty values.
  for (dataset.First(); !dataset.Eof(); dataset.Next()) {
    QStringList values;
    for (int i = 0; i < count; ++i) {
      const TzelDatasetField *field = dataset.Fields(i);
      values << DelimitedValue(field->DisplayText(), field->DataType(), separator);
    }
    writeLine(device, values, separator);
  }
}

bool ExportRecords(TzelDataset *dataset, const QString &fileName, int fileType, bool includeNames,
                   bool showMessage) {
  if (IsBlank(fileName)) {
    zelShowError(QStringLiteral("Error: File Name cannot be blank."));
    return false;
  }
  const QString name = hasFolder(fileName)
                           ? fileName
                           : QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
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
  QString failure;
  {
    const TzelBusyCursor busy;
    const TzelDatasetWalk walk(*dataset);
    // Written beside and renamed into place: a failed export leaves no half-written file.
    QSaveFile file(name);
    try {
      if (!file.open(QIODevice::WriteOnly))
        throw EzelError(QStringLiteral("Error: Cannot create the file ") + name + u": "_qs +
                        file.errorString());
      WriteDelimitedRecords(*dataset, file, separator, includeNames);
      if (!file.commit())
        throw EzelError(QStringLiteral("Error: Cannot write the file ") + name + u": "_qs +
                        file.errorString());
    } catch (const EzelError &e) {
      failure = e.message();
    }
  }
  if (!failure.isEmpty()) {
    zelShowError(failure);
    return false;
  }
  if (showMessage)
    zelMessageBox(name.toUpper() + QStringLiteral(" has been successfully created."),
                  TzelMessageKind::Information);
  return true;
}

bool ExportRecords(TzelQuerion &querion, const QString &fileName, int fileType, bool includeNames,
                   bool showMessage) {
  return ExportRecords(qobject_cast<TzelDataset *>(querion.DataQuery()), fileName, fileType,
                       includeNames, showMessage);
}
