// SPDX-License-Identifier: MIT
#include "engine/queryfile.h"

#include "engine/zelquerion.h"
#include "model/safefile.h"
#include "model/storedform.h"
#include "model/zeltypes.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

const QStringList &droppedNames() {
  static const QStringList names{QStringLiteral("DataModel"), QStringLiteral("DataQuery"),
                                 QStringLiteral("Preview"), QStringLiteral("DisplayParams")};
  return names;
}

const QStringList &measureNames() {
  static const QStringList names{
      QStringLiteral("Page.MarginBottom"),   QStringLiteral("Page.MarginLeft"),
      QStringLiteral("Page.MarginRight"),    QStringLiteral("Page.MarginTop"),
      QStringLiteral("Page.PageHeight"),     QStringLiteral("Page.PageWidth"),
      QStringLiteral("Labels.GutterAcross"), QStringLiteral("Labels.GutterDown"),
      QStringLiteral("Labels.LabelHeight"),  QStringLiteral("Labels.LabelWidth")};
  return names;
}

// The property name of a property line ("  Page.MarginTop = 0.3" gives Page.MarginTop), or
// empty text for any other line.
QStringView propertyName(const QString &line) {
  const auto isNameStart = [](QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
  };
  const auto isNameChar = [&](QChar c) {
    return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'.';
  };
  qsizetype start = 0;
  while (start < line.size() && line.at(start).isSpace())
    ++start;
  if (start == line.size() || !isNameStart(line.at(start)))
    return {};
  qsizetype end = start + 1;
  while (end < line.size() && isNameChar(line.at(end)))
    ++end;
  if (QStringView(line).mid(end, 3) != QLatin1String(" = "))
    return {};
  return QStringView(line).mid(start, end - start);
}

bool isWholeNumberText(QStringView text) {
  if (text.startsWith(u'-') || text.startsWith(u'+'))
    text = text.mid(1);
  return !text.isEmpty() &&
         std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A page measure's value as a query file holds it: a whole number marked with ".0", so that
// it reads back as a floating value. A number with an exponent is one already; older versions
// marked it too ("1e-05.0"), which no reader takes, so that mark is dropped again.
QString measureLine(const QString &line) {
  const qsizetype equals = line.indexOf(u'=');
  const QStringView value = QStringView(line).mid(equals + 1).trimmed();
  if (isWholeNumberText(value))
    return line + QStringLiteral(".0");
  const qsizetype e = value.lastIndexOf(u'e', -1, Qt::CaseInsensitive);
  if (e > 0 && value.endsWith(QLatin1String(".0")) &&
      isWholeNumberText(value.mid(e + 1).chopped(2)))
    return line.left(line.lastIndexOf(QLatin1String(".0")));
  return line;
}

} // namespace

bool IsDroppedQueryLine(const QString &line) {
  const QStringView name = propertyName(line);
  if (name.isEmpty())
    return false;
  return droppedNames().contains(name) || name.endsWith(QLatin1String("Font.Charset"));
}

QStringList CleanQueryText(const QStringList &lines) {
  QStringList out;
  bool beforeQueries = true;
  for (QString line : lines) {
    if (IsDroppedQueryLine(line))
      continue;
    if (line.contains(QLatin1String("object TzelQuery")))
      beforeQueries = false;
    if (beforeQueries) {
      if (measureNames().contains(propertyName(line)))
        line = measureLine(line);
    }
    out << line;
  }
  return out;
}

QString QueryFileName(const QString &name, bool reportMode) {
  // Only the file's own name counts: a dot in a folder name is no extension.
  if (QFileInfo(name).fileName().contains(u'.'))
    return name;
  return name + (reportMode ? QStringLiteral(".kvt") : QStringLiteral(".zel"));
}

QStringList QueryFileLines(const TzelQuerion &querion) {
  const QString text = StoredFormWriter(ZelChildHeader::ClassOnly).write(querion);
  QStringList lines = text.split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return CleanQueryText(lines);
}

void SaveQueryFile(const QString &fileName, const QStringList &lines) {
  const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
  const QString reason = WriteFileSafely(fileName, text.toUtf8());
  if (!reason.isEmpty())
    throw EzelError(QStringLiteral("Error: Cannot write the ") + fileName +
                    QStringLiteral(" file: ") + reason);
}

QStringList ReadQueryFileLines(const QString &fileName) {
  const QByteArray bytes = loadStoredFormFile(fileName);
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(bytes);
  if (utf8.hasError())
    text = QString::fromLatin1(bytes); // 8-bit files written elsewhere
  QStringList lines = text.split(u'\n');
  text = QString();
  for (QString &line : lines)
    if (line.endsWith(u'\r'))
      line.chop(1);
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines;
}

std::unique_ptr<TzelQuerion> ReadQueryText(QStringList lines) {
  if (lines.isEmpty() || IsBlank(lines.first()))
    throw EzelError(QStringLiteral("Error: The first line of the report is blank"));
  if (!lines.first().contains(QLatin1String("TzelQuerion")))
    throw EzelError(QStringLiteral("Error: Invalid file type"));
  // Files edited by hand may still name the host's components: those lines never apply.
  // A large file is held once at a time: as lines, then as one text while it is parsed.
  lines = CleanQueryText(lines);
  qsizetype size = 0;
  for (const QString &line : std::as_const(lines))
    size += line.size() + 1;
  QString text;
  text.reserve(size);
  for (const QString &line : std::as_const(lines))
    text.append(line).append(u'\n');
  lines = QStringList();
  std::unique_ptr<TzelComponent> root = StoredFormReader().read(text);
  auto *querion = qobject_cast<TzelQuerion *>(root.get());
  if (!querion)
    throw EzelError(QStringLiteral("Error: Invalid file type"));
  // The component is the querion; ownership passes to the typed pointer.
  return std::unique_ptr<TzelQuerion>(static_cast<TzelQuerion *>(root.release()));
}
