// SPDX-License-Identifier: MIT
#pragma once
// A whole desktop table in memory: its columns and its rows, as read from or written to
// a Paradox or dBase file. Values are QString, int, double, bool, QDate, QTime, QDateTime
// or QByteArray by column type; a null QVariant is an empty field.

#include "database/zelfieldtype.h"
#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QVariant>

struct ZELCORE_EXPORT TzelTableColumn {
  QString name;
  TzelColumnType type;
};

struct ZELCORE_EXPORT TzelTableData {
  QList<TzelTableColumn> columns;
  QList<QVariantList> rows;
};

// Rows handed out one at a time from the first, and again from the first after rewind():
// a table in memory, or a dataset walked record by record so that a large result is never
// held whole. next() may raise EzelError when the rows cannot be read.
class ZELCORE_EXPORT TzelRowSource {
public:
  virtual ~TzelRowSource() = default;
  virtual void rewind() = 0;
  // The next row into row; false after the last.
  virtual bool next(QVariantList &row) = 0;
};

// The rows of a table in memory.
class ZELCORE_EXPORT TzelTableRows : public TzelRowSource {
public:
  explicit TzelTableRows(const QList<QVariantList> &rows) : m_rows(rows) {}
  void rewind() override { m_next = 0; }
  bool next(QVariantList &row) override {
    if (m_next >= m_rows.size())
      return false;
    row = m_rows[m_next++];
    return true;
  }

private:
  const QList<QVariantList> &m_rows;
  qsizetype m_next = 0;
};

// Per column, the longest text (in Latin-1 bytes, at least 1) among the rows, for the columns
// that need it (the others keep 1); walks the rows only when some column needs it.
ZELCORE_EXPORT QList<int> zelLongestTexts(bool (*needsLongest)(const TzelColumnType &),
                                          const QList<TzelTableColumn> &columns,
                                          TzelRowSource &rows);

// The outcome of reading or writing a table file; text holds the reason on failure.
struct ZELCORE_EXPORT TzelFileResult {
  bool ok = true;
  QString text;
  static TzelFileResult failure(const QString &why) { return {false, why}; }
};
