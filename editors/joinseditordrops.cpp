// SPDX-License-Identifier: MIT
// The joins editor's drops: a field on a field makes a join, a model table a window.
#include "editors/joinseditor.h"
#include "editors/joinseditorshared.h"

#include "database/cataloguemodel.h"
#include "editors/fieldcompare.h"
#include "editors/frmzeladdtable.h"
#include "editors/frmzeljointo.h"
#include "editors/joinpairs.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/tableplace.h"
#include "messages/zelmessages.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

using namespace ZelJoins;

namespace {

TFieldType fieldType(TzelTable *table, const QString &alias) {
  if (!table)
    return ftUnknown;
  try {
    TzelProbe probe(*table);
    const TzelField *field = table->FindField(alias);
    return field ? field->DataType() : ftUnknown;
  } catch (const EzelError &) {
    return ftUnknown; // a table missing from the model: nothing to compare against
  }
}

} // namespace

void TzelJoinsEditor::DropField(TzelTableList *target, const TzelDraggedField &from, int row) {
  const QList<TzelTableForm *> windows = tableWindows();
  const auto found = std::find_if(windows.cbegin(), windows.cend(),
                                  [target](const TzelTableForm *w) { return w->list() == target; });
  const TzelTableForm *targetWindow = found == windows.cend() ? nullptr : *found;
  const TzelTableForm *source = FindTableWindow(from.tableAlias);
  // No pair within one window, on the "*" row or below the last row; and "*" is no field.
  if (!m_schema || m_readOnly || !targetWindow || !source || source == targetWindow || row <= 0 ||
      row >= target->count() || source->list()->rowOf(from.fieldAlias) < 1)
    return;
  target->setItemIndex(row);
  JoinFields({source->windowTitle(), from.fieldAlias},
             {targetWindow->windowTitle(), target->item(row)->text()});
}

namespace {
// The type as seen from the table the user started at: a join reused in the other direction
// (as a drop reuses it) keeps that table's records with the mirrored outer join.
void setJoinTypeFrom(TzelJoin &join, const QString &fromAlias, TzelJoinType type) {
  const bool reversed = join.LeftTableAlias().compare(fromAlias, Qt::CaseInsensitive) != 0;
  if (reversed && type != zelJoinInner)
    type = type == zelJoinLeft ? zelJoinRight : zelJoinLeft;
  join.SetJoinType(type);
}
} // namespace

bool TzelJoinsEditor::JoinFields(const TzelDraggedField &from, const TzelDraggedField &to,
                                 std::optional<TzelJoinType> type) {
  if (!m_schema || m_readOnly || !confirmComparable(from, to))
    return false;
  try {
    const int index = zelAddJoinPair(*m_schema, from, to);
    if (index < 0)
      return false;
    if (type)
      setJoinTypeFrom(*m_schema->GetJoin(index), from.tableAlias, *type);
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return false;
  }
  CalculateJoinLines();
  designChanged(QStringLiteral("Add Join ") + from.tableAlias + QStringLiteral(" – ") +
                to.tableAlias);
  return true;
}

void TzelJoinsEditor::JoinTo() {
  TzelTableForm *window = ActiveTableWindow();
  const int row = window ? window->list()->ItemIndex() : -1;
  if (!m_schema || m_readOnly || row < 1) {
    if (m_schema && !m_readOnly)
      zelMessageBox(QStringLiteral("Select a field to join"), TzelMessageKind::Information);
    return;
  }
  QList<TfrmZelJoinTo::Table> tables;
  for (const std::unique_ptr<TzelTablePlace> &other : m_places) {
    if (other->window == window)
      continue;
    if (!other->window) { // a table out of view lists the fields it was loaded with
      tables.append({other->alias, other->fields});
      continue;
    }
    QStringList fields;
    for (int i = 1; i < other->window->list()->count(); ++i)
      fields << other->window->list()->item(i)->text();
    tables.append({other->alias, fields});
  }
  const TzelDraggedField from{window->windowTitle(), window->list()->item(row)->text()};
  TfrmZelJoinTo dialog(this);
  dialog.setModel(m_model);
  dialog.setSource(from.tableAlias, from.fieldAlias);
  dialog.setTables(tables);
  if (dialog.exec() == QDialog::Accepted && !dialog.fieldAlias().isEmpty())
    JoinFields(from, {dialog.tableAlias(), dialog.fieldAlias()}, dialog.joinType());
}

bool TzelJoinsEditor::confirmComparable(const TzelDraggedField &from,
                                        const TzelDraggedField &to) const {
  const TFieldType fromType = fieldType(tableOf(FindTableWindow(from.tableAlias)), from.fieldAlias);
  const TFieldType toType = fieldType(tableOf(FindTableWindow(to.tableAlias)), to.fieldAlias);
  if (zelComparableFieldTypes(fromType, toType) || zelHasJoinPair(*m_schema, from, to))
    return true;
  const auto describe = [](const TzelDraggedField &field, TFieldType type) {
    return u'[' + field.tableAlias + u'.' + field.fieldAlias + QStringLiteral("] field (") +
           zelFieldTypeName(type) + u')';
  };
  return confirm(QStringLiteral("The ") + describe(from, fromType) + QStringLiteral(" and the ") +
                 describe(to, toType) +
                 QStringLiteral(" cannot be compared.\r\rJoin them anyway?"));
}

void TzelJoinsEditor::DropTable(const QString &name, const QPoint &pos) {
  if (!m_model || !m_schema || m_readOnly || m_zoom < 1)
    return;
  const QPoint at = surfacePoint(pos);
  if (m_modelEditing)
    dropModelTable(name, at);
  else
    AddTableWindow(name, true, at.x(), at.y(), 0, 0);
}

void TzelJoinsEditor::dropModelTable(const QString &name, const QPoint &at) {
  int existing;
  {
    TzelProbe probe(*m_model);
    existing = m_model->IndexOfTableName(name);
  }
  if (existing >= 0 && !confirm(QStringLiteral("The [") + name +
                                QStringLiteral("] table already exists in the Data Model.\r\r"
                                               "Do you want to add another instance?")))
    return;
  const QString database = m_addTableDialog ? m_addTableDialog->selectedDatabase() : QString();
  try {
    const int index = m_model->AddTableFromDatabase(database, name);
    if (index < 0)
      return;
    AddTableWindow(m_model->GetTable(index)->TableAlias(), false, at.x(), at.y(), 0, 0);
    // The table is in: a catalogue that cannot be read costs only its joins.
    zelCatchToMessage([&] {
      if (zelAddKeyJoins(*m_model, index) > 0)
        CalculateJoinLines();
    });
  } catch (const EzelError &e) {
    zelShowError(e.message());
    return;
  }
  designChanged(QStringLiteral("Add Table ") + name);
}
