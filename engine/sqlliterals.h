// SPDX-License-Identifier: MIT
#pragma once
// Literals of a statement read back into the filter items the value editor writes: texts
// unquoted, dates from the model's date format into the system's short date, parameters as
// [Name]. Each returns false, with the reason in what, for a literal no item can hold.

#include "engine/sqlreader.h"
#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QDate>
#include <QString>
#include <optional>

class TzelModel;

// The date a literal's text (inside its date quote) stands for under the model's date
// format: the text must be exactly what the format writes for that date.
ZELCORE_EXPORT std::optional<QDate> ReadSqlDate(const QString &format, const QString &text);
// The inside of a date literal written with the date quote (a prefix;suffix pair or one
// character on both sides), or a null string when the text is not so wrapped.
ZELCORE_EXPORT QString StripDateQuote(const QString &text, const QString &quote);
// True when the text can stand as one filter item of a text value: not empty, without '|',
// not one of the words BLANK, TODAY and SPACE, not starting with '['.
ZELCORE_EXPORT bool IsPlainFilterText(const QString &text);

// Reads a statement's literals as filter items, in the quoting and date format of a model
// (or of the defaults of another dialect).
class TzelFilterItemReader {
public:
  TzelFilterItemReader(const QString &sql, const TzelModel &model, TzelDatabase dialect);

  // A double-quoted word standing alone where the dialect quotes texts so.
  bool isTextLiteral(const TzelSqlExpr &e) const;
  // True when a HAVING item is kept as the text written: the model's dialect writes HAVING
  // items as typed, and the statement is in that dialect.
  bool keepsHavingText() const;
  // The item of the literal for a value of the type (of a HAVING condition when having);
  // raises TzelSqlRefusal for a literal no item can hold.
  QString item(const TzelSqlExpr &e, TFieldType type, bool having, TzelFilterOper oper);
  // The type a calculated value compared with the literal takes.
  static TFieldType inferredType(const TzelSqlExpr &e);

private:
  struct Settings {
    TzelDatabase dialect = zelUnknown;
    TzelQuoteType stringQuote = zelQuoteNone;
    TzelQuoteType booleanQuote = zelQuoteNone;
    QString dateFormat, dateQuote;
  };
  static Settings settingsOf(const TzelModel &model);
  void readSettings(const TzelModel &model);
  QString typedItem(const TzelSqlExpr &e, const QString &raw, TFieldType type,
                    TzelFilterOper oper) const;
  std::optional<QDate> date(const TzelSqlExpr &e, const QString &raw) const;
  QString havingLiteral(const TzelSqlExpr &e, const QString &raw, TFieldType type,
                        TzelFilterOper oper) const;

  const QString &m_sql;
  TzelDatabase m_dialect;
  Settings m_model; // of the dialect the design is written in again
  TzelQuoteType m_booleanQuote = zelQuoteNone;
  QString m_dateFormat, m_dateQuote;
  bool m_doubleTexts = false;
  int m_params = 0; // the ? parameters named so far
};
