// SPDX-License-Identifier: MIT
#pragma once
// The joins editor over the samples: the sample data model read from its stored form, the
// query "Step 1" (five tables in a chain of joins), and the events a user sends the editor:
// drops as a real drag delivers them, mouse presses on the surface.

#include "editors/fielddrag.h"
#include "editors/joinseditor.h"
#include "editors/joinssurface.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelquery.h"
#include "support/samplefiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QTest>
#include <memory>

// The editor in query mode over "Step 1", shown.
struct Step1Editor {
  Step1Editor() : model(readSampleModel()) {
    querion.SetDataModel(model.get());
    loaded = querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel")));
    editor.resize(700, 260);
    editor.SetModel(model.get());
    editor.show();
    editor.activateWindow();
    windowActive = QTest::qWaitForWindowActive(&editor);
    editor.SetSchema(query());
  }
  TzelQuery *query() { return querion.CurrentQuery(); }
  TzelJoin *join(int j) { return query()->GetJoin(j); }
  TzelJoinField *pair(int j, int p) { return join(j)->GetJoinField(p); }
  TzelTableForm *window(const char *alias) { return editor.FindTableWindow(QLatin1String(alias)); }
  TzelTableList *list(const char *alias) {
    TzelTableForm *w = window(alias);
    return w ? w->list() : nullptr;
  }
  std::unique_ptr<TzelModel> model;
  TzelQuerion querion;
  TzelJoinsEditor editor;
  bool loaded = false;
  bool windowActive = false;
};

// The centre of a list row in the list's viewport; below the last row for row == count.
inline QPoint rowCentre(const TzelTableList &list, int row) {
  if (row >= list.count()) {
    const QRect last = list.visualItemRect(list.item(list.count() - 1));
    return {last.center().x(), last.bottom() + 3};
  }
  return list.visualItemRect(list.item(row)).center();
}

// Sends what a drag of table.field dropped at pos on target sends; true when the drop was
// accepted.
inline bool dropOn(QWidget *target, const QPoint &pos, const QString &table, const QString &field) {
  std::unique_ptr<QMimeData> mime(zelEncodeField({table, field}));
  const Qt::DropActions actions = Qt::CopyAction | Qt::LinkAction;
  QDragEnterEvent enter(pos, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDragMoveEvent move(pos, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  QDropEvent drop(pos, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

inline bool dropOnRow(TzelTableList *target, int row, const QString &table, const QString &field) {
  return dropOn(target->viewport(), rowCentre(*target, row), table, field);
}

// Selects a row of a window's list as a click does.
inline void clickRow(TzelTableList *list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(*list, row));
}

inline void pressSurface(TzelJoinsEditor &editor, const QPoint &pos,
                         Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(editor.surface()->viewport(), button, {}, pos);
  QTest::mouseRelease(editor.surface()->viewport(), button, {}, pos);
}

// Live pairs of the schema, in list order.
inline int livePairCount(const TzelSchema &schema) {
  int n = 0;
  for (int j = 0; j < schema.JoinCount(); ++j) {
    const TzelJoin *join = schema.GetJoin(j);
    for (int p = 0; !join->Deleted() && p < join->JoinFieldCount(); ++p)
      n += join->GetJoinField(p)->Deleted() ? 0 : 1;
  }
  return n;
}
