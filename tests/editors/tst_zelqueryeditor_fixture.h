// SPDX-License-Identifier: MIT
#pragma once
// The query editor panel over the sample model and "Step 1", shown, with the message, help
// and document-dialog seams answered from scripts.

#include "editors/frmzelvalue.h"
#include "editors/joinseditor.h"
#include "editors/tableform.h"
#include "editors/tablelist.h"
#include "editors/valuecolumns.h"
#include "editors/zelqueryeditor.h"
#include "engine/zelquerion.h"
#include "joinseditorfixture.h"
#include "messages/zelfiledialog.h"
#include "model/storedform.h"
#include "support/recordingmessages.h"
#include "support/scopedinteraction.h"
#include "support/scriptedprompts.h"

#include <QQueue>
#include <QTableWidget>
#include <optional>

// Answers the file dialogs and the save-method question; an empty script cancels.
class ScriptedDocumentDialogs : public ScriptedPrompts {
public:
  TzelSaveMethod askSaveMethod() override {
    ++methodQuestions;
    return methods.isEmpty() ? TzelSaveMethod::Cancel : methods.dequeue();
  }
  bool answer(const TzelFileRequest &request, QString &chosen) {
    requests << request;
    const QString next = files.isEmpty() ? QString() : files.dequeue();
    if (next.isEmpty())
      return false;
    chosen = next;
    return true;
  }
  QQueue<QString> files; // the next dialog's answer; an empty text cancels it
  QQueue<TzelSaveMethod> methods;
  QList<TzelFileRequest> requests;
  int methodQuestions = 0;
};

// The file dialogs answered by the scripted document dialogs.
class ScriptedFileDialogs : public ScopedInteraction {
public:
  explicit ScriptedFileDialogs(ScriptedDocumentDialogs &script) : m_script(script) {}
  bool openFileName(const TzelFileRequest &request, QString &chosen) override {
    return m_script.answer(request, chosen);
  }
  bool saveFileName(const TzelFileRequest &request, QString &chosen) override {
    return m_script.answer(request, chosen);
  }

private:
  ScriptedDocumentDialogs &m_script;
};

// Installs scripted document and file dialogs (the application's prompts) for the scope.
class DocumentDialogsScope {
public:
  DocumentDialogsScope() : m_previous(zelSetQueryPrompts(&m_script)), m_files(m_script) {}
  ~DocumentDialogsScope() { zelSetQueryPrompts(m_previous); }
  DocumentDialogsScope(const DocumentDialogsScope &) = delete;
  DocumentDialogsScope &operator=(const DocumentDialogsScope &) = delete;
  ScriptedDocumentDialogs &operator*() { return m_script; }
  ScriptedDocumentDialogs *operator->() { return &**this; }

private:
  ScriptedDocumentDialogs m_script;
  TzelQueryPrompts *m_previous;
  ScriptedFileDialogs m_files;
};

struct QueryEditorSetup {
  explicit QueryEditorSetup(bool step1 = true) : model(readSampleModel()) {
    querion.SetDataModel(model.get());
    if (step1)
      loaded = querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel")));
    editor.resize(900, 600);
    editor.show();
    windowExposed = QTest::qWaitForWindowExposed(&editor);
    editor.SetQuerion(&querion);
  }
  TzelQuery *query() { return querion.CurrentQuery(); }
  QTableWidget &grid() { return *editor.grdValues; }
  QString cell(int column, int row) const { return editor.cell(column, row); }
  // Headers of the non-empty columns from column 1, in grid order.
  QStringList headers() const {
    QStringList list;
    for (int c = 1; c < editor.grdValues->columnCount(); ++c)
      if (!IsBlank(cell(c, ValueRow::Header)))
        list << cell(c, ValueRow::Header);
    return list;
  }
  int columnOf(const QString &header) const {
    for (int c = 1; c < editor.grdValues->columnCount(); ++c)
      if (cell(c, ValueRow::Header) == header)
        return c;
    return -1;
  }
  TzelTableList *list(const char *alias) {
    TzelTableForm *w = editor.zelJoins->FindTableWindow(QLatin1String(alias));
    return w ? w->list() : nullptr;
  }
  bool active(const char *table, const char *field) {
    TzelTableList *l = list(table);
    return l && l->isActiveRow(l->rowOf(QLatin1String(field)));
  }
  TfrmZelValueEditor *openValueEditor(int column, int row = 0) {
    editor.SelectCell(column, row);
    editor.SetValueEditorStatus(zelDialogShow);
    return editor.valueEditor();
  }
  QString storedQuery() { return StoredFormWriter().write(*query()); }

  RecordingMessages rec;
  RecordingHelp help;
  std::unique_ptr<TzelModel> model;
  TzelQuerion querion;
  TzelQueryEditor editor;
  bool loaded = false;
  bool windowExposed = false;
};

// The centre of a grid cell in the grid's viewport.
inline QPoint cellCentre(const QTableWidget &grid, int column, int row = 0) {
  return grid.visualRect(grid.model()->index(row, column)).center();
}
