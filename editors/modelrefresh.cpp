// SPDX-License-Identifier: MIT
#include "editors/modelrefresh.h"

#include "database/cataloguerefresh.h"
#include "editors/frmzelrefresh.h"
#include "editors/joinseditor.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"

#include <QSet>

namespace {

// The tables the changes touched and those they added: their windows are made again.
QSet<const TzelComponent *>
touchedTables(const TzelModel &model, const QList<TzelCatalogueChange> &changes, int tablesBefore) {
  QSet<const TzelComponent *> touched;
  const TzelProbe<TzelSchema> probe(const_cast<TzelModel &>(model));
  for (const TzelCatalogueChange &change : changes)
    if (const int index = model.IndexOfTableAlias(change.tableAlias); index >= 0)
      touched.insert(model.GetTable(index));
  for (int i = tablesBefore; i < model.TableCount(); ++i)
    touched.insert(model.GetTable(i));
  return touched;
}

void refresh(TzelJoinsEditor &editor, TzelModel &model, QWidget *parent) {
  QList<TzelDatabaseCatalogue> catalogues;
  for (const QString &database : zelModelDatabases(model))
    catalogues.append(zelReadDatabaseCatalogue(database));
  TfrmZelRefresh dialog(parent);
  dialog.setChanges(zelCatalogueChanges(model, catalogues));
  if (dialog.exec() != QDialog::Accepted)
    return;
  const QList<TzelCatalogueChange> chosen = dialog.checkedChanges();
  if (chosen.isEmpty())
    return;
  const int tablesBefore = model.TableCount();
  zelApplyCatalogueChanges(model, chosen, catalogues);
  editor.SyncTables(touchedTables(model, chosen, tablesBefore));
  editor.SetModified(true);
  emit editor.OnDesignStep(QStringLiteral("Refresh from Database"));
}

} // namespace

void zelRefreshFromDatabase(TzelJoinsEditor &editor, QWidget *parent) {
  TzelModel *model = editor.Model();
  if (!model || editor.ReadOnly())
    return;
  zelCatchToMessage([&] { refresh(editor, *model, parent); });
}
