// SPDX-License-Identifier: MIT
// The query editor panel's document commands: new, open, save and save as of query files.
#include "editors/zelqueryeditor.h"

#include "controls/stringgrid.h"
#include "controls/zeltabletree.h"
#include "editors/designhistory.h"
#include "editors/joinseditor.h"
#include "engine/queryfile.h"
#include "engine/queryprompts.h"
#include "engine/zelquerion.h"
#include "messages/zelfiledialog.h"
#include "messages/zelmessages.h"

#include <QFileInfo>

QString TzelQueryEditor::fileExtension() const {
  QString pair =
      m_querion && m_querion->DataModel() ? m_querion->DataModel()->DefaultExtension() : QString();
  if (IsBlank(pair))
    pair = QStringLiteral("zel;kvt");
  const qsizetype semi = pair.indexOf(QLatin1Char(';'));
  if (semi < 0)
    return pair;
  const bool report = m_querion && m_querion->ReportMode();
  return report ? pair.mid(semi + 1) : pair.left(semi);
}

QString TzelQueryEditor::fileFilter() const {
  const QString ext = fileExtension();
  const QString kind =
      m_querion && m_querion->ReportMode() ? QStringLiteral("Report") : QStringLiteral("Query");
  return kind + QStringLiteral(" (*.") + ext + QStringLiteral(")|*.") + ext +
         QStringLiteral("|All Files (*.*)|*.*");
}

void TzelQueryEditor::updateCaption() {
  emit OnUpdateCaption(this);
}

bool TzelQueryEditor::saveTo(bool toForm) {
  if (!toForm)
    return m_querion->SaveToFile(FileName);
  if (m_sourceQuerion)
    m_sourceQuerion->Assign(m_querion);
  return true;
}

bool TzelQueryEditor::FileSave(bool saveAs, bool ask) {
  if (!EnableSave)
    return true;
  if (!m_querion || !ApplyValues())
    return false;
  if (!saveAs && !Modified())
    return true;
  if (m_querion->HasCustomSave()) {
    if (m_sourceQuerion)
      m_sourceQuerion->Assign(m_querion);
    emit m_querion->OnCustomSave(this);
    updateCaption();
    SetModified(false);
    return true;
  }
  bool saved = false;
  if (!saveAs) {
    if (AskSaveMethod) {
      switch (m_querion->Prompts().askSaveMethod()) {
      case TzelSaveMethod::Cancel:
        return false;
      case TzelSaveMethod::No:
        return true;
      case TzelSaveMethod::Form:
        SaveToForm = true;
        FileName.clear();
        break;
      case TzelSaveMethod::File:
        SaveToForm = false;
        break;
      }
      AskSaveMethod = false;
    } else if (ask) {
      const QString name = SaveToForm          ? QStringLiteral("Form")
                           : IsBlank(FileName) ? QStringLiteral("Untitled")
                                               : FileName;
      const TzelAnswer answer =
          zelMessageBox(QStringLiteral("Save changes to ") + name + QStringLiteral("?"),
                        TzelMessageKind::Confirmation, TzelButtons::YesNoCancel);
      if (answer == TzelAnswer::Cancel)
        return false;
      if (answer == TzelAnswer::No)
        return true;
    }
    if (SaveToForm || !IsBlank(FileName)) {
      if (!saveTo(SaveToForm))
        return false;
      saved = true;
    }
  }
  if (!saved) {
    SetValueEditorStatus(zelDialogClose);
    TzelFileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = fileFilter();
    request.folder = defaultFolder();
    request.fileName = FileName;
    request.confirmOverwrite = true;
    QString chosen;
    if (!zelSaveFileName(request, chosen) || !replaceWithExtension(chosen))
      return false;
    if (!m_querion->SaveToFile(chosen))
      return false; // the file name stays that of the document as it was
    FileName = QueryFileName(chosen, m_querion->ReportMode()); // with the extension written
    SaveToForm = false;
  }
  updateCaption();
  SetModified(false);
  return true;
}

bool TzelQueryEditor::replaceWithExtension(const QString &chosen) const {
  // The dialog asked about the name typed; the file written may be another one.
  const QString written = QueryFileName(chosen, m_querion->ReportMode());
  if (written == chosen || !QFileInfo::exists(written))
    return true;
  return zelConfirmReplace(QFileInfo(written).fileName());
}

// Where the file dialogs open: the data model's default folder.
QString TzelQueryEditor::defaultFolder() const {
  return m_querion && m_querion->DataModel() ? m_querion->DataModel()->DefaultFolder() : QString();
}

bool TzelQueryEditor::FileOpen() {
  if (!FileSave(false, true) || !m_querion)
    return false;
  if (m_querion->HasCustomOpen()) {
    SetValueEditorStatus(zelDialogClose);
    emit m_querion->OnCustomOpen(this);
    if (m_sourceQuerion)
      m_querion->Assign(m_sourceQuerion);
  } else {
    SetValueEditorStatus(zelDialogClose);
    TzelFileRequest request;
    request.filter = fileFilter();
    request.folder = defaultFolder();
    request.fileName = FileName;
    QString chosen;
    if (!zelOpenFileName(request, chosen))
      return false;
    // The file is read in full before the open document changes, so a broken file leaves
    // it as it was.
    if (!m_querion->LoadFromFile(chosen))
      return false;
    m_querion->Labels()->Reset(); // what starting a new query does; the file brings the page
    FileName = chosen;
    AskSaveMethod = SaveToForm;
  }
  SetModified(false);
  updateCaption();
  LoadQuery();
  return true;
}

bool TzelQueryEditor::FileNew(bool askSave, bool resetFile) {
  if (askSave && !FileSave(false, true))
    return false;
  if (!m_querion)
    return false;
  outTables->ClearNodes();
  zelJoins->ClearTables();
  zelClearGridFrom(*grdValues, 1, 0);
  m_querion->NewQuery();
  zelJoins->update();
  RefreshValueEditor();
  // A new design starts a history of its own: the old one's steps would bring its tables back.
  m_history->setDesign(CurrentQuery());
  m_history->dropPending();
  if (resetFile) {
    FileName.clear();
    updateCaption();
  }
  SetModified(false);
  return true;
}
