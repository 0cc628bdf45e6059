// SPDX-License-Identifier: MIT
#pragma once
// The message operations every part of the library reports through. The core calls
// these functions only; the installed interaction (zelinteraction.h) decides how they appear
// (modal Qt dialogs in the program, a recording script in tests, standard error in tools).

#include "zelcore_export.h"

#include <QString>
#include <QStringList>
#include <functional>

enum class TzelMessageKind { Error, Information, Confirmation };

enum class TzelButtons { Ok, YesNo, YesNoCancel };

enum class TzelAnswer { Ok, Yes, No, Cancel };

// The answer of a box closed without a button, or of one nobody can answer: its last
// choice (OK, No for Yes/No, Cancel for Yes/No/Cancel).
ZELCORE_EXPORT TzelAnswer zelDecliningAnswer(TzelButtons buttons);

// The text cut to a readable length for a message: a name in square brackets longer than
// 200 characters keeps its first 200 and "…", and so does a line longer than 1,000 beyond
// its 1,000th. Every message operation below shows its text through it.
ZELCORE_EXPORT QString zelReadableText(const QString &text);

ZELCORE_EXPORT TzelAnswer zelMessageBox(const QString &text,
                                        TzelMessageKind kind = TzelMessageKind::Error,
                                        TzelButtons buttons = TzelButtons::Ok);
inline void zelShowError(const QString &text) {
  zelMessageBox(text, TzelMessageKind::Error);
}
ZELCORE_EXPORT bool zelInputBox(const QString &caption, const QString &prompt, QString &text);
// The same with a Help button and F1 that call help.
ZELCORE_EXPORT bool zelInputBox(const QString &caption, const QString &prompt, QString &text,
                                const std::function<void()> &help);
// Asks whether an existing file, named without its folder, may be replaced: true for Yes.
ZELCORE_EXPORT bool zelConfirmReplace(const QString &fileName);

// Shows a non-empty list in the message window and empties it (true); an empty list
// hides the window (false). Callers stop their operation on true.
ZELCORE_EXPORT bool ShowMessages(QStringList &lines, const QString &title);

// Runs the action; an EzelError it throws is shown as an error message instead of leaving
// the caller. The guard for every place an exception must not pass: slots and event
// handlers of windows, a program's main. True when the action ended normally.
ZELCORE_EXPORT bool zelCatchToMessage(const std::function<void()> &action);
