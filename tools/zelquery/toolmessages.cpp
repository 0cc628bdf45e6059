// SPDX-License-Identifier: MIT
#include "toolmessages.h"

#include "engine/zelparams.h"

#include <cstdio>

void printError(const QString &text) {
  const QByteArray bytes = zelReadableText(text).toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

TzelAnswer ToolInteraction::messageBox(const QString &text, TzelMessageKind kind,
                                       TzelButtons buttons) {
  printError(text);
  if (kind == TzelMessageKind::Information && buttons == TzelButtons::Ok)
    return TzelAnswer::Ok;
  ToolFailures::note();
  return zelDecliningAnswer(buttons);
}

bool ToolInteraction::inputBox(const QString &caption, const QString &prompt, QString &text) {
  Q_UNUSED(text);
  printError(caption + QStringLiteral(": ") + prompt);
  ToolFailures::note();
  return false;
}

void ToolInteraction::showMessageList(const QStringList &lines, const QString &title) {
  Q_UNUSED(title);
  for (const QString &line : lines)
    printError(line);
  if (!lines.isEmpty())
    ToolFailures::note();
}

bool ToolPrompts::askParams(QStringList &nameValues, TzelModel *model) {
  Q_UNUSED(model);
  for (const QString &given : std::as_const(m_given)) {
    const QString name = given.section(u'=', 0, 0);
    if (HasParam(nameValues, name))
      SetParamValue(nameValues, name, given.section(u'=', 1));
  }
  if (!m_strict)
    return true;
  bool complete = true;
  for (const QString &entry : std::as_const(nameValues)) {
    const QString message = CheckParamValues({entry});
    if (!message.isEmpty()) {
      zelShowError(message);
      complete = false;
    }
  }
  return complete;
}

bool ToolPrompts::askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) {
  Q_UNUSED(model);
  printError(SyncCaption(mode));
  for (const TzelSyncRow &row : std::as_const(rows))
    zelShowError(CheckSyncRows({row}));
  return false;
}

bool ToolPrompts::printRecords(TzelQuerion &querion, TzelDataset &dataset) {
  return m_printer ? m_printer->printRecords(querion, dataset)
                   : TzelQueryPrompts::printRecords(querion, dataset);
}
