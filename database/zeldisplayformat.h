#pragma once
// Display formats of the dataset layer's fields.
//  Numbers: "#,#.00", "$#,##0.00;($#,##0.00)", "0.0" — sections positive;negative;zero,
//  0 a digit always written, # a digit written when significant, "," thousands grouping,
//  "." the decimal point, other characters and quoted texts literal.
//  Dates and times: "ddddd" short date, "dddddd" long date, "c" short date and long time,
//  "t" short time, "tt" long time, d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss
//  (m right after h is minutes), "/" and ":" the locale's separators, am/pm.

#include <QDateTime>
#include <QString>

QString formatFloatText(const QString &format, double value);
QString formatDateTimeText(const QString &format, const QDateTime &value, bool hasDate = true,
                           bool hasTime = true);
