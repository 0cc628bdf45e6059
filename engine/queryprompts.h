// SPDX-License-Identifier: MIT
#pragma once
// Everything a query run asks of the person running it, as one object: parameter values,
// alias replacements, the export, the page setup, the printer and the save method. A query
// component asks through its own prompts object or, without one, the application's (the
// program's windows install theirs once at start-up). Each question not answered by an
// implementation fails loudly: it shows an "Error: ..." naming what to install and gives
// no (false or Cancel), so a host that forgot its prompts sees why nothing happens.

#include "engine/zelsync.h"
#include "zelcore_export.h"

#include <QList>
#include <QString>
#include <QStringList>

class TzelDataset;
class TzelModel;
class TzelQuerion;

enum class TzelSaveMethod { Form, File, No, Cancel };

class ZELCORE_EXPORT TzelQueryPrompts {
public:
  virtual ~TzelQueryPrompts() = default;

  // One row per "name=value" entry; OK writes the entered values back and gives true.
  // model (may be null) is where the dialog's help comes from.
  virtual bool askParams(QStringList &nameValues, TzelModel *model);
  // OK writes the chosen replacements into the rows and gives true; cancel gives false.
  virtual bool askReplacements(TzelSyncMode mode, QList<TzelSyncRow> &rows, TzelModel &model);
  // Asks for a file name and type and runs that type's writer (RunExport); false when
  // cancelled or when the writer failed (it has said why).
  virtual bool exportRecords(TzelQuerion &querion);
  // Edits the component's page settings; true when confirmed and written back.
  virtual bool editPage(TzelQuerion &querion);
  // Prints the dataset's records as the component's report; false when cancelled or failed.
  virtual bool printRecords(TzelQuerion &querion, TzelDataset &dataset);
  // Where the query editor saves a document that came from a form.
  virtual TzelSaveMethod askSaveMethod();
};

// The application's prompts, for components without their own (not owned; null removes
// them); returns the previous ones.
ZELCORE_EXPORT TzelQueryPrompts *zelSetQueryPrompts(TzelQueryPrompts *prompts);
// The application's prompts, or the one whose every question fails loudly.
ZELCORE_EXPORT TzelQueryPrompts &zelQueryPrompts();

// The message a question gets when no prompts answer it; what names the question.
ZELCORE_EXPORT QString MissingPromptsMessage(const QString &what);
