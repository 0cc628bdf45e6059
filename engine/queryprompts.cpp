// SPDX-License-Identifier: MIT
#include "engine/queryprompts.h"

#include "messages/zelmessages.h"

namespace {

TzelQueryPrompts *&installed() {
  static TzelQueryPrompts *prompts = nullptr;
  return prompts;
}

bool refuse(const QString &what) {
  zelShowError(MissingPromptsMessage(what));
  return false;
}

} // namespace

QString MissingPromptsMessage(const QString &what) {
  return QStringLiteral("Error: No query prompts are installed to ask for ") + what +
         QStringLiteral(": call zelInstallQueryPrompts() or give the query component its "
                        "prompts with SetPrompts()");
}

bool TzelQueryPrompts::askParams(QStringList &, TzelModel *) {
  return refuse(QStringLiteral("the parameter values"));
}

bool TzelQueryPrompts::askReplacements(TzelSyncMode, QList<TzelSyncRow> &, TzelModel &) {
  return refuse(QStringLiteral("the alias replacements"));
}

bool TzelQueryPrompts::exportRecords(TzelQuerion &) {
  return refuse(QStringLiteral("the export file"));
}

bool TzelQueryPrompts::editPage(TzelQuerion &) {
  return refuse(QStringLiteral("the page setup"));
}

bool TzelQueryPrompts::printRecords(TzelQuerion &, TzelDataset &) {
  return refuse(QStringLiteral("the printer"));
}

TzelSaveMethod TzelQueryPrompts::askSaveMethod() {
  refuse(QStringLiteral("the save method"));
  return TzelSaveMethod::Cancel;
}

TzelQueryPrompts *zelSetQueryPrompts(TzelQueryPrompts *prompts) {
  return std::exchange(installed(), prompts);
}

TzelQueryPrompts &zelQueryPrompts() {
  static TzelQueryPrompts none;
  return installed() ? *installed() : none;
}
