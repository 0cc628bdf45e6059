// SPDX-License-Identifier: MIT
#pragma once
// Filter parameters. A filter item "[Name]" or "[Name]=default" declares a parameter; the
// parameter step collects them into a name=value list (one entry per distinct name, names
// compared ignoring case) and asks for their values through the run's prompts. The
// literal helpers write a value so that no typed text can change the statement's structure.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>

class TzelQuery;
class TzelModel;
class TzelGenerationHost;

// The name declared by a filter item: the text between a leading "[" and the first "]";
// a null string when the item does not begin with "[" or has no "]".
ZELCORE_EXPORT QString ParamItemName(const QString &item);
// The default an item gives its parameter: the text after "]=" with surrounding spaces
// removed, or a single space when there is none or it is empty.
ZELCORE_EXPORT QString ParamItemDefault(const QString &item);

// Every parameter of the query's live filters, as "name=default", in first-seen order; a
// later item with the same name overwrites the earlier default.
ZELCORE_EXPORT QStringList CollectParams(const TzelQuery &query);
// The value of the entry named name (ignoring case), or a null string when there is none.
ZELCORE_EXPORT QString ParamValue(const QStringList &params, const QString &name);
ZELCORE_EXPORT bool HasParam(const QStringList &params, const QString &name);
// Sets the value of the named entry (which keeps its first spelling), appending one when
// it is missing.
ZELCORE_EXPORT void SetParamValue(QStringList &params, const QString &name, const QString &value);
// The dialog's OK check: "Error: The [name] parameter cannot be blank" for the first entry
// with a non-blank name and a blank value, else an empty text.
ZELCORE_EXPORT QString CheckParamValues(const QStringList &nameValues);

// The parameter step of a generation run: params := CollectParams(query); when there are
// any, the host's beforeParams, then (with its displayParams) its prompts' askParams, then
// afterParams (also after a cancel). False only when the prompt was cancelled.
ZELCORE_EXPORT bool RunParamStep(const TzelQuery &query, QStringList &params, TzelModel *model,
                                 TzelGenerationHost &host);

// True for a plain SQL number: optional sign, digits with at most one ".", optional
// exponent ("12", "-0.5", "1e3"); surrounding spaces are not allowed.
ZELCORE_EXPORT bool IsSqlNumber(const QString &text);
// The text with the quote characters of a date quote (', " or # where the quote uses them)
// doubled, for a date text that may be written unconverted inside that quote.
ZELCORE_EXPORT QString EscapeForDateQuote(const QString &text, const QString &dateQuote);
