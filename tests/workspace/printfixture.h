// SPDX-License-Identifier: MIT
#pragma once
// What the printing tests share: a SQLite file with a table of numbered lines, a data model
// and a query component over it (Nr, Item and Amount, sorted by Nr), the report's text read
// back from a PDF with pdftotext, and the font heights the layout works with.

#include "database/zeldataset.h"
#include "engine/zelquerion.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QFont>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

// The text of item number n: the record lines are recognised by it.
inline QString printItem(int n) {
  return QStringLiteral("Item %1").arg(n, 5, 10, QChar(u'0'));
}

inline bool writeLinesTable(const QString &file, int rows) {
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(file);
    ok = db.open();
    QSqlQuery q(db);
    ok = ok && q.exec(QStringLiteral("CREATE TABLE Lines (Nr INTEGER, Item VARCHAR(30), "
                                     "Amount FLOAT, Note VARCHAR(255))"));
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO Lines VALUES (?, ?, ?, ?)"));
    for (int i = 1; ok && i <= rows; ++i) {
      q.bindValue(0, i);
      q.bindValue(1, printItem(i));
      q.bindValue(2, i * 1.5);
      q.bindValue(3, QString(300, QChar(u'a' + i % 26)));
      ok = q.exec();
    }
    db.commit();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fill"));
  return ok;
}

// A query component over the Lines table of file, showing Nr, Item and Amount.
struct PrintFixture {
  std::unique_ptr<TzelModel> model = std::make_unique<TzelModel>();
  std::unique_ptr<TzelDataset> dataset = std::make_unique<TzelDataset>();
  std::unique_ptr<TzelQuerion> querion = std::make_unique<TzelQuerion>();

  explicit PrintFixture(const QString &file) {
    model->setObjectName(QStringLiteral("zelDataModel1"));
    model->SetDatabaseType(zelSQLite);
    model->AddTable(file, QStringLiteral("Lines"), QStringLiteral("Lines"));
    TzelTable *table = model->GetTable(0);
    table->AddField(QStringLiteral("Nr"), QStringLiteral("Nr"), ftInteger, 0);
    table->AddField(QStringLiteral("Item"), QStringLiteral("Item"), ftString, 30);
    table->AddField(QStringLiteral("Amount"), QStringLiteral("Amount"), ftFloat, 0);
    table->AddField(QStringLiteral("Note"), QStringLiteral("Note"), ftString, 255);
    dataset->setObjectName(QStringLiteral("zelQuery1"));
    dataset->setDatabaseName(file);
    querion->setObjectName(QStringLiteral("zelQuerion1"));
    querion->SetDataModel(model.get());
    querion->SetDataQuery(dataset.get());
    querion->SetDisplayParams(false);
    TzelQuery *query = querion->CurrentQuery();
    query->AddTable(QString(), QStringLiteral("Lines"), QStringLiteral("Lines"));
    addValue(QStringLiteral("Nr"), 8)->SetSort(zelSortAscending);
    addValue(QStringLiteral("Item"), 20);
    addValue(QStringLiteral("Amount"), 10)->SetAlignment(taRightJustify);
  }
  TzelQueryValue *addValue(const QString &field, int width) {
    TzelQuery *query = querion->CurrentQuery();
    TzelQueryValue *value =
        query->GetValue(query->AddValue(QStringLiteral("Lines"), field, QString()));
    value->SetWidth(width);
    return value;
  }
};

// The pages of a PDF as pdftotext lays them out (empty when it cannot be read).
inline QStringList pdfPages(const QString &pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!process.waitForFinished(120000) || process.exitCode() != 0)
    return {};
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
  if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
    pages.removeLast();
  return pages;
}

inline bool havePoppler() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
         !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// pdfinfo's "Page size" line, e.g. "612 x 792 pts (letter)".
inline QString pdfPageSize(const QString &pdf) {
  QProcess process;
  process.start(QStringLiteral("pdfinfo"), {pdf});
  process.waitForFinished(60000);
  for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
    if (line.startsWith(u"Page size:"))
      return line.mid(10).trimmed();
  return {};
}

// The height of a line of "Arial" text at the point size on a 1200 dpi PDF page.
inline int pdfLineHeight(int points, bool bold = false) {
  QPdfWriter writer(QStringLiteral("/dev/null"));
  writer.setResolution(1200);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setBold(bold);
  return QFontMetrics(font, &writer).height();
}
