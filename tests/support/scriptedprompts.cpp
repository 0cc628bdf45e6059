// SPDX-License-Identifier: MIT
#include "support/scriptedprompts.h"

#include "messages/zelmessages.h"

bool ScriptedPrompts::askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows,
                                      TzelModel &model) {
  if (replacements)
    return replacements(mode, rows, model);
  // Nobody can choose: say which name is unmatched and cancel.
  const QString message = CheckSyncRows(rows);
  if (!message.isEmpty())
    zelShowError(message);
  return message.isEmpty();
}
