// SPDX-License-Identifier: MIT
// The joins editor's commands: tables added, removed and renamed, joins and fields edited.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "editors/frmzeladdtable.h"
#include "editors/frmzelfield.h"
#include "editors/frmzeljoin.h"
#include "editors/frmzelrename.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tablenames.h"
#include "editors/tableplace.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTimer>

using namespace ZelJoins;

namespace {

// "Tables and joins" says what renaming a table of a query changes (its alias only).
constexpr int kRenameHelpContext = 1016;

void inform(const QString &text) {
  zelMessageBox(text, TzelMessageKind::Information);
}

QString outerJoinText(const QString &all, const QString &matching) {
  return QStringLiteral("Return all records from \"") + all +
         QStringLiteral("\" AND only matching records from \"") + matching + u'"';
}

} // namespace

void TzelJoinsEditor::AddTable() {
  if (!m_schema || m_readOnly)
    return;
  SetZoom(1); // tables are placed and dropped at full size
  if (!m_addTableDialog) {
    m_addTableDialog = new TfrmZelAddTable(this);
    connect(m_addTableDialog, &TfrmZelAddTable::addTableRequested, this,
            [this](const QString &table) {
              DropTable(table, newTableSpot() + m_surface->pos());
              if (!m_places.empty())
                ensureWidgetVisible(realize(*m_places.back()), 0, 0);
            });
  }
  fillAddTableDialog();
  const size_t before = m_places.size();
  m_addTableDialog->exec();
  // The keys go on with the table added last, once the menu that ran the command has given
  // the focus back to where it found it.
  if (m_places.size() > before) {
    TzelTableForm *last = realize(*m_places.back());
    QTimer::singleShot(0, last, [this, last] { focusWindow(last, Qt::TabFocusReason); });
  }
}

void TzelJoinsEditor::fillAddTableDialog() {
  TfrmZelAddTable &dialog = *m_addTableDialog;
  dialog.setModel(m_model);
  dialog.setModelEditing(m_modelEditing);
  dialog.chkSystem->setChecked(false);
  QComboBox *databases = dialog.databaseList();
  databases->clear();
  dialog.tableNames()->clear(); // nothing left from the last use
  if (!m_model)
    return;
  if (!m_modelEditing) {
    const QString name = m_model->ModelName();
    databases->addItem(IsBlank(name) ? QStringLiteral("Data Model") : name);
    databases->setCurrentIndex(0);
    QStringList tables;
    m_model->ListTableAliases(tables);
    dialog.tableNames()->setNames(std::move(tables)); // sorted once, as the list shows them
    return;
  }
  QStringList names;
  m_model->GetDatabaseNames(names);
  databases->addItems(names);
  databases->setCurrentIndex(names.size() == 1 ? 0 : -1);
  dialog.fillTables();
}

bool TzelJoinsEditor::RemoveTable() {
  if (!m_schema || m_readOnly)
    return false;
  TzelTableForm *window = ActiveTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to remove"));
    return false;
  }
  window->close();
  return true;
}

void TzelJoinsEditor::RenameTable() {
  if (!m_schema || m_readOnly)
    return;
  TzelTableForm *window = ActiveTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to rename"));
    return;
  }
  if (m_modelEditing)
    renameInModel(window);
  else
    renameInQuery(window);
}

void TzelJoinsEditor::renameInQuery(TzelTableForm *window) {
  QString alias = window->windowTitle();
  const auto help = [this] {
    if (m_model)
      m_model->ShowHelp(0, kRenameHelpContext);
  };
  if (!zelInputBox(QStringLiteral("Rename Table"), QStringLiteral("Enter new table name"), alias,
                   help))
    return;
  // The schema accepts an alias of spaces, which no SQL statement could use.
  if (IsBlank(alias)) {
    zelShowError(QStringLiteral("Error: Table Alias cannot be blank."));
    return;
  }
  try {
    if (!m_schema->RenameTableAlias(window->TableIndex(), alias))
      return;
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  const QString newAlias = m_schema->GetTable(window->TableIndex())->TableAlias();
  emit OnRenameTable(this, window->windowTitle(), newAlias);
  window->setWindowTitle(newAlias);
  designChanged(QStringLiteral("Rename Table ") + newAlias);
}

void TzelJoinsEditor::renameInModel(TzelTableForm *window) {
  TzelTable *table = tableOf(window);
  if (!table)
    return;
  TfrmZelRename dialog(this);
  dialog.setModel(m_model);
  try {
    dialog.setValues(table->TableAlias(), table->TableName(), table->GetDatabaseName());
    if (dialog.exec() != QDialog::Accepted)
      return;
    if (!m_schema->RenameTableAlias(window->TableIndex(), dialog.tableAlias()))
      return;
    window->setWindowTitle(table->TableAlias());
    table->SetTableName(dialog.tableName());
    table->SetDatabaseName(dialog.databaseName());
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  designChanged(QStringLiteral("Rename Table ") + window->windowTitle());
}

TzelJoinField *TzelJoinsEditor::selectedPair() const {
  int joinIndex = -1;
  int pairIndex = -1;
  m_schema->GetSelectedJoinField(joinIndex, pairIndex);
  if (joinIndex < 0 || pairIndex < 0)
    return nullptr;
  return m_schema->GetJoin(joinIndex)->GetJoinField(pairIndex);
}

void TzelJoinsEditor::EditJoin(bool showMessage) {
  if (!m_schema || m_readOnly)
    return;
  TzelJoinField *pair = selectedPair();
  if (!pair) {
    if (showMessage)
      inform(QStringLiteral("Select a join to edit"));
    return;
  }
  if (!m_joinDialog) {
    m_joinDialog = new TfrmZelJoin(this);
    m_joinDialog->onRemoveJoin = [this] { return RemoveJoin(); };
  }
  fillJoinDialog(*pair);
  if (m_joinDialog->exec() != QDialog::Accepted)
    return;
  pair->Join()->SetJoinType(m_joinDialog->JoinType());
  pair->SetJoinOper(m_joinDialog->joinOper());
  designChanged(QStringLiteral("Edit Join ") + pair->Join()->LeftTableAlias() +
                QStringLiteral(" – ") + pair->Join()->RightTableAlias());
}

void TzelJoinsEditor::fillJoinDialog(const TzelJoinField &pair) {
  const TzelJoin *join = pair.Join();
  const QString left = join->LeftTableAlias();
  const QString right = join->RightTableAlias();
  m_joinDialog->setModel(m_model);
  m_joinDialog->setPair(left, pair.LeftFieldAlias(), pair.JoinOper(), right,
                        pair.RightFieldAlias());
  m_joinDialog->setJoinType(join->JoinType());
  m_joinDialog->setJoinTypeTexts(outerJoinText(left, right), outerJoinText(right, left));
}

bool TzelJoinsEditor::RemoveJoin() {
  if (!m_schema || m_readOnly)
    return false;
  int joinIndex = -1;
  int pairIndex = -1;
  m_schema->GetSelectedJoinField(joinIndex, pairIndex);
  if (joinIndex < 0 || pairIndex < 0) {
    inform(QStringLiteral("Select a join to remove"));
    return false;
  }
  if (!confirm(QStringLiteral("Remove the selected join?")))
    return false;
  TzelJoin *join = m_schema->GetJoin(joinIndex);
  join->DeleteJoinField(pairIndex);
  CalculateJoinLines();
  designChanged(QStringLiteral("Delete Join ") + join->LeftTableAlias() + QStringLiteral(" – ") +
                join->RightTableAlias());
  return true;
}

void TzelJoinsEditor::EditFields() {
  if (!m_modelEditing || !m_schema || m_readOnly)
    return;
  TzelTableForm *window = ActiveTableWindow();
  if (!window) {
    inform(QStringLiteral("Select a table to edit fields"));
    return;
  }
  if (!m_fieldDialog) {
    m_fieldDialog = new TfrmZelField(this);
    m_fieldDialog->onRenameTable = [this] { RenameTable(); };
    connect(m_fieldDialog, &TfrmZelField::fieldsSaved, this, &TzelJoinsEditor::CalculateJoinLines);
  }
  m_fieldDialog->setModel(m_model);
  m_fieldDialog->setTable(window->TableIndex(), window->list());
  m_fieldDialog->LoadFields();
  m_fieldDialog->exec();
  designChanged(QStringLiteral("Edit Fields ") + window->windowTitle());
}

void TzelJoinsEditor::ClearFieldsActive() {
  for (const std::unique_ptr<TzelTablePlace> &place : m_places) {
    place->activeFields.clear();
    if (place->window)
      for (int row = 1; row < place->window->list()->count(); ++row)
        place->window->list()->setRowActive(row, false);
  }
}

// A table without a window keeps the mark in its place: marking a big query's values makes no
// windows beyond those the view shows.
void TzelJoinsEditor::SetFieldActive(const QString &tableAlias, const QString &fieldAlias,
                                     bool active) {
  if (IsBlank(tableAlias) || IsBlank(fieldAlias))
    return;
  auto *place = const_cast<TzelTablePlace *>(windowIndex().value(tableAlias.toCaseFolded()));
  if (!place)
    return;
  const TzelTableForm *window = place->window;
  if (!window) {
    place->setFieldActive(fieldAlias, active);
    return;
  }
  TzelTableList *list = window->list();
  for (int row = 1; row < list->count(); ++row)
    if (zelSameText(list->item(row)->text(), fieldAlias)) {
      list->setRowActive(row, active);
      return;
    }
}
