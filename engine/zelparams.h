#pragma once
// Filter parameters. A filter item "[Name]" or "[Name]=default" declares a parameter; the
// parameter step collects them into a name=value list (one entry per distinct name, names
// compared ignoring case) and asks for their values through the installed prompt. The
// literal helpers write a value so that no typed text can change the statement's structure.

#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TzelQuery;
class TzelModel;

// The parameter dialog as the core sees it. askParams shows one row per "name=value" entry
// (the value with its surrounding spaces removed); OK writes the entered values back into
// nameValues and returns true, cancel returns false and leaves them. model (may be null) is
// where the dialog's help comes from. A dialog checks its rows with CheckParamValues.
class ZELCORE_EXPORT TzelParamPrompt {
public:
  virtual ~TzelParamPrompt() = default;
  virtual bool askParams(QStringList &nameValues, TzelModel *model) = 0;
};

// Installs the process's prompt (ownership passes; null restores the default, which keeps
// the values and answers OK without blocking) and returns the previous one.
ZELCORE_EXPORT std::unique_ptr<TzelParamPrompt>
zelSetParamPrompt(std::unique_ptr<TzelParamPrompt> prompt);
ZELCORE_EXPORT TzelParamPrompt &zelParamPrompt();

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
// any, beforeParams, then (displayParams) the prompt, then afterParams (also after a
// cancel). False only when the prompt was cancelled.
struct ZELCORE_EXPORT TzelParamStepEvents {
  std::function<void()> beforeParams;
  std::function<void()> afterParams;
};
ZELCORE_EXPORT bool RunParamStep(const TzelQuery &query, QStringList &params, bool displayParams,
                                 TzelModel *model, const TzelParamStepEvents &events = {});

// True for a plain SQL number: optional sign, digits with at most one ".", optional
// exponent ("12", "-0.5", "1e3"); surrounding spaces are not allowed.
ZELCORE_EXPORT bool IsSqlNumber(const QString &text);
// The text with the quote characters of a date quote (', " or # where the quote uses them)
// doubled, for a date text that may be written unconverted inside that quote.
ZELCORE_EXPORT QString EscapeForDateQuote(const QString &text, const QString &dateQuote);
