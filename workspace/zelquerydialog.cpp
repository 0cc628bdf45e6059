// SPDX-License-Identifier: MIT
#include "workspace/zelquerydialog.h"

#include "database/zeldataset.h"
#include "editors/zelqueryeditor.h"
#include "engine/queryprompts.h"
#include "engine/zelquerion.h"
#include "engine/zelsync.h"
#include "messages/zelmessages.h"
#include "model/zelregistry.h"
#include "workspace/frmzelquerydialog.h"

#include <QFileInfo>

namespace {
const ZelRegisterClass<TzelQueryDialog> registerQueryDialog;

Qt::WindowStates windowStates(TzelQueryDialog::TzelWindowState state) {
  switch (state) {
  case TzelQueryDialog::wsMinimized:
    return Qt::WindowMinimized;
  case TzelQueryDialog::wsMaximized:
    return Qt::WindowMaximized;
  case TzelQueryDialog::wsNormal:
    break;
  }
  return Qt::WindowNoState;
}
} // namespace

TzelQueryDialog::TzelQueryDialog(QObject *parent) : TzelComponent(parent) {}

bool TzelQueryDialog::setupFailed(const QString &fileName) {
  m_messages.clear();
  if (!m_querion)
    m_messages << QStringLiteral("Error 1: The Querion property of ") + objectName() +
                      QStringLiteral(" has not been assigned");
  if (!IsBlank(fileName) && !QFileInfo::exists(fileName))
    m_messages << QStringLiteral("Error 2: File ") + fileName + QStringLiteral(" does not exist");
  return ShowMessages(m_messages, QString::fromLatin1(metaObject()->className()));
}

bool TzelQueryDialog::queryChecked() {
  if (!m_querion->CheckSetup())
    return false;
  bool synced = false;
  const bool ran = zelCatchToMessage([this, &synced] {
    TzelQuery &query = *m_querion->CurrentQuery();
    TzelModel &model = *m_querion->DataModel();
    TzelQueryPrompts &prompts = m_querion->Prompts();
    synced = SyncTableAliases(query, model, prompts) && SyncFieldAliases(query, model, prompts);
  });
  return ran && synced;
}

bool TzelQueryDialog::Execute(const QString &fileName) {
  if (setupFailed(fileName) || !queryChecked())
    return false;
  emit OnBeforeExecute(this);
  // A query file that cannot be read has been reported; without a document there is no
  // window to show, which the caller must not take for success.
  std::unique_ptr<TzelQuerion> copy = workingCopy(fileName);
  if (copy)
    runWindow(*copy, fileName);
  emit OnAfterExecute(this);
  return copy != nullptr;
}

std::unique_ptr<TzelQuerion> TzelQueryDialog::workingCopy(const QString &fileName) const {
  auto copy = std::make_unique<TzelQuerion>();
  TzelQuerion &source = *m_querion;
  copy->setObjectName(source.objectName());
  copy->SetDataModel(source.DataModel());
  copy->SetDataQuery(source.DataQuery());
  copy->SetDisplayParams(source.DisplayParams());
  copy->SetPrompts(&source.Prompts()); // the window asks as the component would
  // The host's handlers hear the working copy's events as they would the component's.
  QObject::connect(copy.get(), &TzelQuerion::OnBeforeParams, &source, &TzelQuerion::OnBeforeParams);
  QObject::connect(copy.get(), &TzelQuerion::OnAfterParams, &source, &TzelQuerion::OnAfterParams);
  QObject::connect(copy.get(), &TzelQuerion::OnBeforeQuery, &source, &TzelQuerion::OnBeforeQuery);
  QObject::connect(copy.get(), &TzelQuerion::OnAfterQuery, &source, &TzelQuerion::OnAfterQuery);
  if (IsBlank(fileName)) {
    if (!zelCatchToMessage([&] { copy->Assign(&source); }))
      return nullptr;
  } else if (!copy->LoadFromFile(fileName)) {
    return nullptr;
  }
  return copy;
}

void TzelQueryDialog::runWindow(TzelQuerion &copy, const QString &fileName) {
  TfrmZelQueryDialog window;
  m_window = &window;
  window.SetCaptionBase(m_windowCaption);
  window.setWindowState(windowStates(m_windowState));
  TzelQueryEditor &editor = *window.zelQueryEditor;
  editor.EnableExport = m_enableExport;
  editor.EnablePrint = m_enablePrint;
  editor.EnableSave = m_enableSave;
  editor.FileName = fileName;
  editor.SaveToForm = m_saveToForm;
  window.zelQueryEditorUpdateCaption(this);
  editor.SetSourceQuerion(m_querion);
  editor.SetQuerion(&copy);
  window.SetPreviewDataSet(qobject_cast<TzelDataset *>(m_querion->DataQuery()));
  window.exec();
  m_fileName = editor.FileName;
  m_ran = true;
  m_window = nullptr;
  // The dataset still shows the working copy's fields: the grid lets go of it first.
  window.SetPreviewDataSet(nullptr);
}
