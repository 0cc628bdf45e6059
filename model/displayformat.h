#pragma once
// The display formats of result fields: number patterns ("$#,#.00", "#,#.00", "#"), Boolean
// display values ("True;False") and date-time patterns ("ddddd", "c", "t", mm"/"dd"/"yyyy).
// Separators, day and month names and the short date and time come from the given locale.

#include "model/zeltypes.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

class TzelDisplayFormatter {
public:
  explicit TzelDisplayFormatter(QLocale locale = QLocale()) : m_locale(std::move(locale)) {}

  // A number through a pattern of up to three sections (positive;negative;zero) made of the
  // placeholders 0 and #, one decimal point, thousands commas and literal text (quoted or
  // not). An empty pattern gives the shortest plain text of the number.
  QString number(const QString &format, double value) const;
  // "TrueText;FalseText"; an empty pattern gives "True" or "False".
  QString boolean(const QString &format, bool value) const;
  // A date and time through a pattern (d..dddddd, m..mmmm, yy, yyyy, h, hh, n, nn, s, ss,
  // z, zzz, am/pm, a/p, ampm, c, t, tt, / and : for the locale's separators, quoted
  // literals). hasTime false treats the value as a date only ("c" then omits the time).
  QString dateTime(const QString &format, const QDateTime &value, bool hasTime = true) const;

  // The text a field of the given kind shows for a value: the pattern is applied by tag as
  // the dataset layer does (numbers, Booleans, dates and times); other kinds show the value's
  // own text. A null value shows as empty text.
  QString display(const QVariant &value, const QString &format, TFieldType tag) const;

private:
  // The locale's short date (with a four-digit year), short time and long time, as Qt patterns.
  QString shortDatePattern() const;
  QString shortTimePattern() const;
  QString longTimePattern() const;
  QString dateTimeSection(const QString &format, const QDateTime &value, bool hasTime) const;

  QLocale m_locale;
};
