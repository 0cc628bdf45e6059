#pragma once
// Literals of a statement read back into the filter items the value editor writes: texts
// unquoted, dates from the model's date format into the system's short date, parameters as
// [Name]. Each returns false, with the reason in what, for a literal no item can hold.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QDate>
#include <QString>
#include <optional>

// The date a literal's text (inside its date quote) stands for under the model's date
// format: the text must be exactly what the format writes for that date.
ZELCORE_EXPORT std::optional<QDate> ReadSqlDate(const QString &format, const QString &text);
// The inside of a date literal written with the date quote (a prefix;suffix pair or one
// character on both sides), or a null string when the text is not so wrapped.
ZELCORE_EXPORT QString StripDateQuote(const QString &text, const QString &quote);
// True when the text can stand as one filter item of a text value: not empty, without '|',
// not one of the words BLANK, TODAY and SPACE, not starting with '['.
ZELCORE_EXPORT bool IsPlainFilterText(const QString &text);
