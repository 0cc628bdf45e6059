// SPDX-License-Identifier: MIT
#pragma once
// What the tool puts where a window would show a message or ask a question: the text on
// standard error, never a wait for an answer. Every error, question or input request is
// remembered, so the tool can end with status 1.

#include "engine/queryprompts.h"
#include "engine/recordprinting.h"
#include "messages/zelconsoleinteraction.h"

#include <QStringList>
#include <memory>

// Failures noticed through the seams since the tool started.
class ToolFailures {
public:
  static void note() { ++s_count; }
  static bool any() { return s_count > 0; }

private:
  static inline int s_count = 0;
};

// Writes one line of text to standard error at once.
void printError(const QString &text);

// The console's interaction, with messages written at once. Questions are answered No (Cancel
// where offered), input boxes are cancelled; both count as failures, as do errors and message
// lists.
class ToolInteraction : public TzelConsoleInteraction {
public:
  TzelAnswer messageBox(const QString &text, TzelMessageKind kind, TzelButtons buttons) override;
  bool inputBox(const QString &caption, const QString &prompt, QString &text) override;
  void showMessageList(const QStringList &lines, const QString &title) override;
};

// The tool's query prompts. Parameter values come from the command line ("NAME=VALUE",
// names ignoring case) over the query's defaults; with strict set, every parameter left
// blank is reported by name and the step fails, otherwise the defaults stand. No one chooses
// replacements: every stale alias is reported and the step is cancelled. Records print
// through the printer given (the print command's PDF printer).
class ToolPrompts : public TzelQueryPrompts {
public:
  ToolPrompts(QStringList given, bool strict) : m_given(std::move(given)), m_strict(strict) {}
  bool askParams(QStringList &nameValues, TzelModel *model) override;
  bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) override;
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override;
  void setPrinter(std::unique_ptr<TzelRecordPrinter> printer) { m_printer = std::move(printer); }

private:
  QStringList m_given;
  bool m_strict;
  std::unique_ptr<TzelRecordPrinter> m_printer;
};
