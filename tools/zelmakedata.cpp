// SPDX-License-Identifier: MIT
// Builds Paradox tables from CSV seeds: zelmakedata SEED_FOLDER OUTPUT_FOLDER.
// SEED_FOLDER/tables.txt lists "FILE.DB seed.csv" pairs; a seed's header names each
// column as NAME:TYPE (ALPHA(n), SHORT, LONG, NUMBER, CURRENCY, DATE, LOGICAL).

#include "database/zelparadoxfile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QStringList splitCsv(const QString &line) {
  QStringList cells;
  QString cell;
  bool quoted = false;
  for (int i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
        cell += c;
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == u'"') {
      quoted = true;
    } else if (c == u',') {
      cells.append(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.append(cell);
  return cells;
}

TzelColumnType columnType(const QString &typeText) {
  static const QRegularExpression alpha(uR"(^ALPHA\((\d+)\)$)"_s);
  if (const auto m = alpha.match(typeText); m.hasMatch())
    return {ftString, m.captured(1).toInt()};
  if (typeText == u"SHORT")
    return {ftSmallint, 0};
  if (typeText == u"LONG")
    return {ftInteger, 0};
  if (typeText == u"NUMBER")
    return {ftFloat, 0};
  if (typeText == u"CURRENCY")
    return {ftCurrency, 0};
  if (typeText == u"DATE")
    return {ftDate, 0};
  if (typeText == u"LOGICAL")
    return {ftBoolean, 0};
  return {ftUnknown, 0};
}

QVariant valueOf(const QString &text, TFieldType type) {
  if (text.isEmpty())
    return {};
  switch (type) {
  case ftSmallint:
  case ftInteger:
    return text.toInt();
  case ftFloat:
  case ftCurrency:
    return text.toDouble();
  case ftDate:
    return QDate::fromString(text, Qt::ISODate);
  case ftBoolean:
    return text == u"T";
  default:
    return text;
  }
}

bool build(const QString &seed, const QString &target, QString &why) {
  QFile file(seed);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    why = u"cannot read "_s + seed;
    return false;
  }
  QTextStream in(&file);
  TzelTableData table;
  const QStringList header = splitCsv(in.readLine());
  for (const QString &h : header) {
    const TzelColumnType t = columnType(h.section(u':', 1));
    if (t.type == ftUnknown) {
      why = u"unknown column type in "_s + h;
      return false;
    }
    table.columns.append({h.section(u':', 0, 0), t});
  }
  while (!in.atEnd()) {
    const QString line = in.readLine();
    if (line.isEmpty())
      continue;
    const QStringList cells = splitCsv(line);
    QVariantList row;
    for (int i = 0; i < table.columns.size(); ++i)
      row.append(valueOf(cells.value(i), table.columns[i].type.type));
    table.rows.append(row);
  }
  const TzelFileResult r = writeParadoxTable(target, table);
  why = r.text;
  return r.ok;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zelmakedata SEED_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir seeds(QString::fromLocal8Bit(argv[1]));
  const QDir output(QString::fromLocal8Bit(argv[2]));
  QDir().mkpath(output.path());
  QFile list(seeds.filePath(u"tables.txt"_s));
  if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "zelmakedata: no tables.txt in %s\n", argv[1]);
    return 1;
  }
  QTextStream in(&list);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(u'#'))
      continue;
    const QStringList parts = line.split(QRegularExpression(u"\\s+"_s));
    QString why;
    if (parts.size() != 2 || !build(seeds.filePath(parts[1]), output.filePath(parts[0]), why)) {
      std::fprintf(stderr, "zelmakedata: %s: %s\n", qPrintable(line), qPrintable(why));
      return 1;
    }
  }
  return 0;
}
