#pragma once
// A whole desktop table in memory: its columns and its rows, as read from or written to
// a Paradox or dBase file. Values are QString, int, double, bool, QDate, QTime, QDateTime
// or QByteArray by column type; a null QVariant is an empty field.

#include "database/zelfieldtype.h"

#include <QList>
#include <QString>
#include <QVariant>

struct TzelTableColumn {
  QString name;
  TzelColumnType type;
};

struct TzelTableData {
  QList<TzelTableColumn> columns;
  QList<QVariantList> rows;
};

// The outcome of reading or writing a table file; text holds the reason on failure.
struct TzelFileResult {
  bool ok = true;
  QString text;
  static TzelFileResult failure(const QString &why) { return {false, why}; }
};
