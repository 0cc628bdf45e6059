// SPDX-License-Identifier: MIT
// The query editor panel's values: grid cells in step with the query, drops, value editor.
#include "editors/zelqueryeditor.h"

#include "controls/stringgrid.h"
#include "editors/designhistory.h"
#include "editors/frmzelvalue.h"
#include "editors/joinseditor.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/valuecolumns.h"
#include "engine/zelquerion.h"
#include "messages/busycursor.h"
#include "messages/zelmessages.h"
#include "model/storedformpatch.h"
#include "model/vocabulary.h"
#include "model/zelquery.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <array>
#include <bitset>

namespace {

constexpr int MinimumColumns = 30;
constexpr int AddedColumns = 10;
constexpr int LastSelectableRow = ValueRow::LastFilter;

// The cells of a value's column, by row; `filled` marks the rows the value gives a text.
struct ValueColumnTexts {
  std::array<QString, ValueRow::Count> text;
  std::bitset<ValueRow::Count> filled;
  void put(int row, const QString &t) {
    text[size_t(row)] = t;
    filled.set(size_t(row));
  }
};

ValueColumnTexts valueColumnTexts(const TzelQueryValue &value, int valueIndex) {
  ValueColumnTexts c;
  c.put(ValueRow::Header, value.ValueAlias());
  c.put(ValueRow::Table, value.TableAlias());
  c.put(ValueRow::Field, value.Expression());
  c.put(ValueRow::Show, ShowDisplayText(value.Show()));
  c.put(ValueRow::Sort, SortDisplayText(value.Sort(), false));
  c.put(ValueRow::Index, QString::number(valueIndex));
  c.put(ValueRow::ShowOrdinal, QString::number(int(value.Show())));
  c.put(ValueRow::SortOrdinal, QString::number(int(value.Sort())));
  c.put(ValueRow::Align, QString::number(int(value.Alignment())));
  c.put(ValueRow::Type, QString::number(int(value.DataType())));
  c.put(ValueRow::Format, value.Format());
  c.put(ValueRow::Width, QString::number(value.Width()));
  c.put(ValueRow::Pos, QString::number(value.Position()));
  for (int f = 0; f < value.FilterCount(); ++f) {
    const TzelQueryFilter *filter = value.GetFilter(f);
    if (filter->Deleted() || filter->Position() < TzelFilterPositionMin ||
        filter->Position() > TzelFilterPositionMax)
      continue;
    const QString raw =
        QString::number(int(filter->Operator())) + QLatin1Char('|') + filter->Filter();
    c.put(ValueRow::Pos + filter->Position(), raw);
    c.put(ValueRow::Sort + filter->Position(), FilterDisplayText(raw, value.DataType()));
  }
  return c;
}

} // namespace

QString TzelQueryEditor::cell(int column, int row) const {
  return zelCellText(*grdValues, row, column);
}

void TzelQueryEditor::setCell(int column, int row, const QString &text) {
  zelSetCellText(*grdValues, row, column, text);
}

int TzelQueryEditor::columnIndex(int column) const {
  const QString text = cell(column, ValueRow::Index);
  return IsBlank(text) ? -1 : text.trimmed().toInt();
}

void TzelQueryEditor::ensureColumns(int minimum) {
  if (grdValues->columnCount() < minimum)
    grdValues->setColumnCount(minimum);
}

int TzelQueryEditor::firstEmptyColumn() const {
  for (int column = 1; column < grdValues->columnCount(); ++column)
    if (IsBlank(cell(column, ValueRow::Header)))
      return column;
  return -1;
}

void TzelQueryEditor::LoadQuery() {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return;
  zelJoins->SetModel(m_querion->DataModel());
  zelJoins->SetSchema(query);
  zelJoins->horizontalScrollBar()->setValue(0);
  zelJoins->verticalScrollBar()->setValue(0);
  fillValuesGrid();
  m_history->setDesign(query);
  SetModified(false);
  m_history->dropPending();
}

void TzelQueryEditor::ShowRewrittenQuery(const QString &step) {
  zelJoins->SetSchema(CurrentQuery());
  fillValuesGrid();
  // A statement says nothing of where the table windows stand.
  ArrangeTables();
  m_history->record(step);
  m_history->dropPending();
}

// After an undo or redo: the joins editor keeps the windows of tables the step left alone; the
// grid is filled again when the step touched a value (their indices close up over removed
// values), else only the new windows learn which of their fields are values.
void TzelQueryEditor::showRestored() {
  const ZelFormPatch &patch = *m_history->patch();
  zelJoins->SyncTables(patch.added);
  if (touchesValues(patch)) {
    zelJoins->ClearFieldsActive();
    refillValuesGrid();
    RefreshValueEditor();
  } else {
    markValueFields(patch.added);
  }
  syncModified();
}

bool TzelQueryEditor::touchesValues(const ZelFormPatch &patch) {
  const auto isValue = [](const TzelComponent *c) {
    return qobject_cast<const TzelQueryValue *>(c);
  };
  return patch.propertiesChanged ||
         std::any_of(patch.added.cbegin(), patch.added.cend(), isValue) ||
         std::any_of(patch.released.cbegin(), patch.released.cend(),
                     [&](const auto &c) { return isValue(c.get()); });
}

void TzelQueryEditor::markValueFields(const QSet<const TzelComponent *> &tables) {
  forEachShownValue([&](int, const TzelQueryValue &value) {
    TzelQuery *query = CurrentQuery();
    const int table = query->IndexOfTableAlias(value.TableAlias());
    if (table >= 0 && tables.contains(query->GetTable(table)))
      zelJoins->SetFieldActive(value.TableAlias(), value.Expression(), true);
  });
}

// The values the grid shows, in its order, with their indices.
void TzelQueryEditor::forEachShownValue(
    const std::function<void(int index, const TzelQueryValue &value)> &visit) {
  TzelQuery *query = CurrentQuery();
  QStringList aliases;
  query->ListValueAliases(aliases);
  const TzelProbe<TzelQuery> quiet(*query);
  for (const QString &alias : std::as_const(aliases))
    if (const int index = query->IndexOfValueAlias(alias); index >= 0)
      visit(index, *query->GetValue(index));
}

void TzelQueryEditor::fillValuesGrid() {
  zelClearGridFrom(*grdValues, 1, 0);
  int column = 1;
  forEachShownValue([&](int index, const TzelQueryValue &) {
    ensureColumns(column + 1);
    fillValueColumn(column++, index);
  });
}

// The grid brought to the query's values after an undo or redo, cell by cell.
void TzelQueryEditor::refillValuesGrid() {
  int column = 1;
  forEachShownValue([&](int index, const TzelQueryValue &) {
    ensureColumns(column + 1);
    refillValueColumn(column++, index);
  });
  zelClearGridFrom(*grdValues, column, 0);
}

void TzelQueryEditor::fillValueColumn(int column, int valueIndex) {
  const TzelQueryValue *value = CurrentQuery()->GetValue(valueIndex);
  const ValueColumnTexts texts = valueColumnTexts(*value, valueIndex);
  for (int row = 0; row < ValueRow::Count; ++row)
    if (texts.filled.test(size_t(row)))
      setCell(column, row, texts.text[size_t(row)]);
  zelJoins->SetFieldActive(value->TableAlias(), value->Expression(), true);
}

// Writes only the cells whose text differs: an undo over hundreds of values touches few.
void TzelQueryEditor::refillValueColumn(int column, int valueIndex) {
  const TzelQueryValue *value = CurrentQuery()->GetValue(valueIndex);
  const ValueColumnTexts texts = valueColumnTexts(*value, valueIndex);
  for (int row = 0; row < ValueRow::Count; ++row) {
    const QString &text = texts.text[size_t(row)];
    if (cell(column, row) == text)
      continue;
    if (texts.filled.test(size_t(row)))
      setCell(column, row, text);
    else
      delete grdValues->takeItem(row, column);
  }
  zelJoins->SetFieldActive(value->TableAlias(), value->Expression(), true);
}

bool TzelQueryEditor::duplicateHeader(QString &header) const {
  const int columns = grdValues->columnCount();
  for (int a = 1; a < columns; ++a) {
    if (IsBlank(cell(a, ValueRow::Index)))
      continue;
    for (int b = a + 1; b < columns; ++b)
      if (!IsBlank(cell(b, ValueRow::Index)) &&
          zelSameText(cell(a, ValueRow::Header), cell(b, ValueRow::Header))) {
        header = cell(a, ValueRow::Header);
        return true;
      }
  }
  return false;
}

bool TzelQueryEditor::ApplyValues() {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return false;
  // Edits still in the value editor, shown or hidden, belong to the grid that is written.
  if (m_valueEditor && !m_valueEditor->Closing && !m_valueEditor->ApplyValue())
    return false;
  QString header;
  if (duplicateHeader(header)) {
    zelShowError(QStringLiteral("Error: The [") + header +
                 QStringLiteral("] Header is duplicated"));
    return false;
  }
  try {
    int position = 0;
    for (int column = 1; column < grdValues->columnCount(); ++column) {
      if (IsBlank(cell(column, ValueRow::Index)))
        continue;
      setCell(column, ValueRow::Pos, QString::number(position++));
      if (cell(column, ValueRow::Index).trimmed() == NewValueIndex()) {
        const int index = query->AddValue(QString(), cell(column, ValueRow::Field),
                                          cell(column, ValueRow::Header));
        setCell(column, ValueRow::Header, query->GetValue(index)->ValueAlias());
        setCell(column, ValueRow::Index, QString::number(index));
      }
    }
    for (int column = 1; column < grdValues->columnCount(); ++column)
      if (!IsBlank(cell(column, ValueRow::Index)))
        writeColumn(column);
  } catch (const EzelError &error) {
    zelShowError(error.message());
    return false;
  }
  return true;
}

void TzelQueryEditor::writeColumn(int column) {
  TzelQueryValue *value = CurrentQuery()->GetValue(columnIndex(column));
  if (!value)
    return;
  const auto number = [this, column](int row) { return cell(column, row).trimmed().toInt(); };
  value->SetValueAlias(cell(column, ValueRow::Header));
  value->SetTableAlias(cell(column, ValueRow::Table));
  value->SetExpression(cell(column, ValueRow::Field));
  value->SetShow(TzelShow(number(ValueRow::ShowOrdinal)));
  value->SetSort(TzelSort(number(ValueRow::SortOrdinal)));
  value->SetDataType(TFieldType(number(ValueRow::Type)));
  value->SetFormat(cell(column, ValueRow::Format).left(TzelFormat::MaxLength));
  value->SetWidth(number(ValueRow::Width));
  value->SetAlignment(TAlignment(number(ValueRow::Align)));
  value->SetPosition(number(ValueRow::Pos));
  value->ClearFilters();
  for (int position = TzelFilterPositionMin; position <= TzelFilterPositionMax; ++position) {
    const QString raw = cell(column, ValueRow::Pos + position);
    if (IsBlank(raw))
      continue;
    const qsizetype bar = raw.indexOf(QLatin1Char('|'));
    value->SetFilter(position, TzelFilterOper(raw.left(bar).trimmed().toInt()),
                     bar < 0 ? QString() : raw.mid(bar + 1));
  }
}

void TzelQueryEditor::InsertValue() {
  const int column = qMax(1, grdValues->currentColumn());
  zelInsertGridColumn(*grdValues, column);
  SelectCell(column, qMax(0, grdValues->currentRow()));
  recordStep(QStringLiteral("Insert Value"));
  SetModified(true);
}

void TzelQueryEditor::RemoveValue() {
  const int column = grdValues->currentColumn();
  if (column < 1)
    return;
  const QString index = cell(column, ValueRow::Index).trimmed();
  const QString table = cell(column, ValueRow::Table);
  const QString field = cell(column, ValueRow::Field);
  if (!IsBlank(index) && index != NewValueIndex())
    if (TzelQueryValue *value = CurrentQuery() ? CurrentQuery()->GetValue(index.toInt()) : nullptr)
      value->SetDeleted(true);
  const int row = qMax(0, grdValues->currentRow());
  zelDeleteGridColumn(*grdValues, column);
  if (!IsBlank(index) && index != NewValueIndex())
    ReleaseField(table, field);
  ensureColumns(MinimumColumns);
  SelectCell(qMin(column, grdValues->columnCount() - 1), row); // the column number stays current
  RefreshValueEditor();
  recordStep(QStringLiteral("Remove Value"));
  SetModified(true);
}

void TzelQueryEditor::ReleaseField(const QString &table, const QString &field) {
  for (int c = 1; c < grdValues->columnCount(); ++c)
    if (zelSameText(cell(c, ValueRow::Table), table) &&
        zelSameText(cell(c, ValueRow::Field), field))
      return;
  zelJoins->SetFieldActive(table, field, false);
}

void TzelQueryEditor::DropField(const TzelDraggedField &field, int column) {
  TzelQuery *query = CurrentQuery();
  if (!query)
    return;
  int target = column;
  if (target <= 0) {
    target = firstEmptyColumn();
    if (target < 0) {
      target = grdValues->columnCount();
      grdValues->setColumnCount(target + 1 + AddedColumns);
    }
  }
  const int first = target;
  QStringList fields{field.fieldAlias};
  const TzelProbe<TzelQuery> quiet(*query);
  if (field.fieldAlias == u"*") {
    fields.clear();
    query->ListFieldAliases(field.tableAlias, fields);
  }
  std::optional<TzelBusyCursor> busy;
  if (fields.size() > 1)
    busy.emplace();
  for (const QString &alias : std::as_const(fields)) {
    if (addFieldValue(*query, field.tableAlias, alias) < 0)
      continue;
    const int index = query->ValueCount() - 1;
    zelJoins->SetFieldActive(field.tableAlias, alias, true);
    if (target >= grdValues->columnCount() || !IsBlank(cell(target, ValueRow::Header)))
      zelInsertGridColumn(*grdValues, target);
    fillDroppedColumn(target++, field.tableAlias, alias, index);
  }
  SelectCell(first, qMax(0, grdValues->currentRow()));
  RefreshValueEditor();
  recordStep(QStringLiteral("Add Value ") + field.tableAlias + u'.' + field.fieldAlias);
  SetModified(true);
}

int TzelQueryEditor::addFieldValue(TzelQuery &query, const QString &table, const QString &field) {
  try {
    return query.AddValue(table, field, field);
  } catch (const EzelError &) {
    return -1; // a field the query refuses is skipped
  }
}

void TzelQueryEditor::fillDroppedColumn(int column, const QString &table, const QString &field,
                                        int valueIndex) {
  fillValueColumn(column, valueIndex);
  setCell(column, ValueRow::Table, table);
  setCell(column, ValueRow::Field, field);
  setCell(column, ValueRow::Show, ShowDisplayText(zelShow));
  setCell(column, ValueRow::Sort, QString());
  setCell(column, ValueRow::ShowOrdinal, QStringLiteral("0"));
  setCell(column, ValueRow::SortOrdinal, QStringLiteral("0"));
}

void TzelQueryEditor::zelJoinsDblClickField(TzelTableList *sender) {
  const int row = sender ? sender->ItemIndex() : -1;
  if (row < 0)
    return;
  DropField({sender->tableAlias(), sender->item(row)->text()}, 0);
}

void TzelQueryEditor::zelJoinsDeleteTable(TzelTableForm *sender) {
  const TzelBusyCursor busy;
  const QString alias = sender->windowTitle();
  for (int column = grdValues->columnCount() - 1; column >= 1; --column)
    if (zelSameText(cell(column, ValueRow::Table), alias))
      zelDeleteGridColumn(*grdValues, column);
  ensureColumns(MinimumColumns);
  RefreshValueEditor();
}

void TzelQueryEditor::zelJoinsRenameTable(const QString &oldAlias, const QString &newAlias) {
  const TzelBusyCursor busy;
  for (int column = grdValues->columnCount() - 1; column >= 1; --column) {
    QString field = cell(column, ValueRow::Field);
    if (IsBlank(field))
      continue;
    if (IsBlank(cell(column, ValueRow::Table))) {
      if (!oldAlias.isEmpty())
        setCell(column, ValueRow::Field, field.replace(oldAlias, newAlias, Qt::CaseSensitive));
    } else if (zelSameText(cell(column, ValueRow::Table), oldAlias)) {
      setCell(column, ValueRow::Table, newAlias);
    }
  }
  RefreshValueEditor();
}

void TzelQueryEditor::grdValuesColumnMoved(int, int oldVisual, int newVisual) {
  QHeaderView *header = grdValues->horizontalHeader();
  {
    // The view order stays the grid order: the cells move instead.
    const QSignalBlocker blocker(header);
    header->moveSection(newVisual, oldVisual);
  }
  if (oldVisual < 1 || newVisual < 1)
    return;
  QList<QTableWidgetItem *> moved;
  for (int row = 0; row < grdValues->rowCount(); ++row)
    moved << grdValues->takeItem(row, oldVisual);
  grdValues->removeColumn(oldVisual);
  grdValues->insertColumn(newVisual);
  for (int row = 0; row < grdValues->rowCount(); ++row)
    if (moved[row])
      grdValues->setItem(row, newVisual, moved[row]);
  SelectCell(newVisual, qMax(0, grdValues->currentRow()));
  RefreshValueEditor();
  recordStep(QStringLiteral("Move Value"));
  SetModified(true);
}

void TzelQueryEditor::grdValuesSelectCell(int row, int column) {
  if (row < 0 || column < 0)
    return;
  if (row > LastSelectableRow || column == 0) {
    SelectCell(qMax(1, column), qMin(row, LastSelectableRow));
    return;
  }
  SelectCell(column, row);
}

void TzelQueryEditor::SelectCell(int column, int row) {
  if (column < 1 || column >= grdValues->columnCount())
    return;
  row = qBound(0, row, LastSelectableRow);
  if (grdValues->currentRow() != row || grdValues->currentColumn() != column) {
    const QSignalBlocker blocker(grdValues);
    grdValues->setCurrentCell(row, column);
  }
  if (!m_valueEditor || m_valueEditor->Closing)
    return;
  const int index = columnIndex(column);
  m_valueEditor->ShowValue(column, row, index);
  if (index == -1) {
    m_valueEditor->panNames->show();
    m_valueEditor->tabMain->setCurrentIndex(TfrmZelValueEditor::pageExpression);
  }
}

void TzelQueryEditor::RefreshValueEditor() {
  if (!m_valueEditor || m_valueEditor->Closing)
    return;
  QStringList headers;
  for (int column = 1; column < grdValues->columnCount(); ++column)
    if (!IsBlank(cell(column, ValueRow::Header)))
      headers << cell(column, ValueRow::Header);
  m_valueEditor->SetHeaders(headers);
  m_valueEditor->ReloadTables();
  const int column = grdValues->currentColumn() < 1 ? 1 : grdValues->currentColumn();
  SelectCell(column, qMax(0, grdValues->currentRow()));
}

void TzelQueryEditor::SetValueEditorStatus(TzelDialogStatus status) {
  switch (status) {
  case zelDialogClose:
    if (!closeValueEditor()) {
      // The window refused to close: the status says what it still is.
      m_valueEditorStatus = m_valueEditor->isVisible() ? zelDialogShow : zelDialogHide;
      return;
    }
    break;
  case zelDialogShow: {
    const TzelBusyCursor busy;
    if (!m_valueEditor) {
      m_valueEditor = new TfrmZelValueEditor(this);
      m_valueEditor->setFont(font());
      RefreshValueEditor();
    }
    m_valueEditor->show();
    m_valueEditor->raise();
    m_valueEditor->activateWindow();
    break;
  }
  case zelDialogHide:
    if (m_valueEditor)
      m_valueEditor->hide();
    break;
  }
  m_valueEditorStatus = status;
}

bool TzelQueryEditor::closeValueEditor() {
  if (m_valueEditor && !m_valueEditor->Closing) {
    m_valueEditor->Closing = true;
    if (!m_valueEditor->close()) {
      // Its edits could not be applied: the window stays open with them.
      m_valueEditor->Closing = false;
      return false;
    }
  }
  m_valueEditor = nullptr;
  return true;
}
