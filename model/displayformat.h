// SPDX-License-Identifier: MIT
#pragma once
// Display-format patterns: numbers ("$#,#.00", "#,#.00", "#"), Boolean display values
// ("True;False") and dates and times ("ddddd", "c", "t", mm"/"dd"/"yyyy"). Separators, day
// and month names and the short date and time come from one locale. Result fields and SQL
// date literals both format through this class, with the same conventions.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariant>

class ZELCORE_EXPORT TzelDisplayFormatter {
public:
  // Which parts a value holds: "c" shows only those (a time field shows no date).
  enum class Parts { Date, Time, DateAndTime };

  // Separators, names and the short and long date and time come from the locale, as the
  // system sets them: "ddddd" is the locale's short date, always with a four-digit year.
  explicit TzelDisplayFormatter(const QLocale &locale = QLocale());

  // A number through a pattern of up to three sections (positive;negative;zero). The number
  // is the first run of the placeholders 0 and #, one decimal point and thousands commas;
  // text before and after it (quoted or not) is literal. An empty pattern gives the plain
  // text of the number (15 significant digits).
  QString number(const QString &format, double value) const;
  // "TrueText;FalseText"; an empty pattern gives "True" or "False".
  QString boolean(const QString &format, bool value) const;
  // A date and time through a pattern: d dd ddd dddd ddddd (short date) dddddd (long date),
  // m mm mmm mmmm (m and mm right after h are minutes), yy yyyy, h hh, n nn, s ss, z zzz,
  // t (short time) tt (long time), c (short date, then the long time unless it is midnight),
  // am/pm a/p ampm (12-hour clock), / for the date separator, literals in double or single
  // quotes; other characters (':' too) are copied. An empty pattern gives empty text.
  QString dateTime(const QString &format, const QDateTime &value,
                   Parts parts = Parts::DateAndTime) const;
  QString date(const QString &format, const QDate &value) const;
  QString time(const QString &format, const QTime &value) const;

  // The text a field of the given data type shows for a value: null is empty; numbers,
  // Booleans, dates and times go through the pattern (a blank one falls back to the plain
  // form of the type, currency to "#,##0.00"); binary data shows "(BLOB)"; anything else, or a
  // value that is not of its type, shows its own text.
  QString display(const QVariant &value, const QString &format, TFieldType type) const;

  // The locale's short date as a Qt pattern with its year widened to four digits ("M/d/yy"
  // gives "M/d/yyyy", "dd.MM.yy" "dd.MM.yyyy"), so that no date written or shown is
  // ambiguous; the C locale, which has no numeric short date, stands in with "M/d/yyyy".
  static QString shortDateFormat(const QLocale &locale);
  // The locale's long time as a Qt pattern without its time-zone name, which display patterns
  // never show, nor the brackets or comma that set the zone off.
  static QString longTimeFormat(const QLocale &locale);
  // The separator of a Qt date pattern: its first character outside quotes that is no letter,
  // or '/' when that is a space or there is none.
  static QChar dateSeparator(const QString &pattern);

private:
  QString format(const QString &pattern, const QDate &date, const QTime &time, Parts parts) const;

  QLocale m_locale;
  QString m_shortDate; // Qt patterns
  QString m_longDate;
  QString m_shortTime;
  QString m_longTime;
  QString m_dateSeparator;
};
