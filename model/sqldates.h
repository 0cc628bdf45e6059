// SPDX-License-Identifier: MIT
#pragma once
// Date literals for SQL and the system's date conventions. The conventions come from the
// default QLocale (QLocale()), so QLocale::setDefault changes them for the whole process.

#include "zelcore_export.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

// The system short date format as a Qt pattern with a four-digit year ("M/d/yyyy",
// "dd.MM.yyyy"). The C locale, which has no numeric short date, stands in with
// month-day-year and '/': "M/d/yyyy".
ZELCORE_EXPORT QString SystemShortDateFormat();
// The separator of the system short date format ('/' when it has none).
ZELCORE_EXPORT QChar SystemDateSeparator();
ZELCORE_EXPORT QChar SystemDecimalSeparator();
// 0 when the system short date puts the month first, 1 the day, 2 the year.
ZELCORE_EXPORT int SystemDateOrder();

// Reads a date typed in the system's short date conventions: numbers in the system order,
// split by the system date separator (day and month alone mean this year). A one- or
// two-digit year lies in this century; such a year of 2050 or later goes back 100 years.
ZELCORE_EXPORT std::optional<QDate> ParseSystemDate(const QString &text);

// The text wrapped in the quote: the part before the first ';' in front and the part after it
// behind, or the whole quote on both sides when it has no ';'.
ZELCORE_EXPORT QString ApplyDateQuote(const QString &text, const QString &quote);
// The date literal of a date text typed in the system conventions: formatted with the model's
// date format (TzelDisplayFormatter) and wrapped in its date quote. A text that is no
// date is reported through zelShowError and comes back wrapped but unconverted.
ZELCORE_EXPORT QString FormatSqlDate(const QString &format, const QString &quote,
                                     const QString &text);
// The date text (parts split by separator, in order 0/1/2 as SystemDateOrder) rewritten in
// the system order with the system date separator; each part keeps at most 4 characters.
// An order outside 0..2 leaves the text unchanged.
ZELCORE_EXPORT QString ConvertDateOrder(const QString &text, QChar separator, int order);
