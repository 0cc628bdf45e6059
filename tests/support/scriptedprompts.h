// SPDX-License-Identifier: MIT
#pragma once
// Query prompts for tests that answer without windows: parameter values stand, stale aliases
// are reported (the first unassigned name) and the step cancels, the export runs the given
// choice or cancels, the page setup confirms nothing, records print through the given
// printer (none: the missing-prompts error) and the save method is Cancel. Each answer can
// be replaced by a script. ScriptedPromptsScope makes them the application's for its scope.

#include "engine/exportprompt.h"
#include "engine/queryprompts.h"
#include "engine/recordprinting.h"

#include <functional>
#include <memory>
#include <optional>

class ScriptedPrompts : public TzelQueryPrompts {
public:
  bool askParams(QStringList &nameValues, TzelModel *model) override {
    return params ? params(nameValues, model) : true;
  }
  bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model) override;
  bool exportRecords(TzelQuerion &querion) override {
    return exportChoice && RunExport(querion, *exportChoice);
  }
  bool editPage(TzelQuerion &) override { return false; }
  bool printRecords(TzelQuerion &querion, TzelDataset &dataset) override {
    return printer ? printer->printRecords(querion, dataset)
                   : TzelQueryPrompts::printRecords(querion, dataset);
  }
  TzelSaveMethod askSaveMethod() override { return TzelSaveMethod::Cancel; }

  std::function<bool(QStringList &, TzelModel *)> params;
  std::function<bool(TzelSyncMode, QList<TzelSyncRow> &, TzelModel &)> replacements;
  std::optional<TzelExportChoice> exportChoice;
  std::unique_ptr<TzelRecordPrinter> printer;
};

class ScriptedPromptsScope : public ScriptedPrompts {
public:
  ScriptedPromptsScope() : m_previous(zelSetQueryPrompts(this)) {}
  ~ScriptedPromptsScope() override { zelSetQueryPrompts(m_previous); }
  ScriptedPromptsScope(const ScriptedPromptsScope &) = delete;
  ScriptedPromptsScope &operator=(const ScriptedPromptsScope &) = delete;

private:
  TzelQueryPrompts *m_previous;
};
