// SPDX-License-Identifier: MIT
#include "editors/zeldatamodeldialog.h"

#include "editors/frmzeldatamodel.h"
#include "editors/joinseditor.h"
#include "messages/zelmessages.h"
#include "model/zelregistry.h"

#include <memory>

namespace {
const ZelRegisterClass<TzelDataModelDialog> registerDataModelDialog;
} // namespace

TzelDataModelDialog::TzelDataModelDialog(QObject *parent) : TzelComponent(parent) {}

bool TzelDataModelDialog::setupFailed() {
  m_messages.clear();
  if (!m_dataModel)
    m_messages << QStringLiteral("Error 1: The DataModel property of ") + objectName() +
                      QStringLiteral(" has not been assigned");
  else if (m_dataModel->DatabaseType() == zel::zelUnknown)
    m_messages << QStringLiteral("Error 2: The DatabaseType property of ") +
                      m_dataModel->objectName() + QStringLiteral(" = zelUnknown");
  return ShowMessages(m_messages, QString::fromLatin1(metaObject()->className()));
}

bool TzelDataModelDialog::Execute() {
  if (setupFailed())
    return false;
  if (!m_readOnly)
    zelMessageBox(QStringLiteral("The ReadOnly property of ") + objectName() +
                      QStringLiteral(" is False.\r\rAny changes made to the Data Model at "
                                     "run-time will be lost."),
                  TzelMessageKind::Information, TzelButtons::Ok);
  emit OnBeforeExecute(this);
  // The copy lives for this run only, so repeated runs do not pile up copies.
  const std::unique_ptr<TzelModel> copy(newCopy());
  runWindow(*copy);
  emit OnAfterExecute(this);
  return true;
}

TzelModel *TzelDataModelDialog::newCopy() const {
  const QString className = QString::fromLatin1(m_dataModel->metaObject()->className());
  std::unique_ptr<TzelComponent> made(ZelRegistry::instance().create(className));
  auto *copy = qobject_cast<TzelModel *>(made.get());
  if (!copy)
    throw EzelError(QStringLiteral("Error: Class ") + className + QStringLiteral(" not found"));
  made.release();
  copy->setObjectName(m_dataModel->objectName());
  copy->Assign(m_dataModel);
  return copy;
}

void TzelDataModelDialog::runWindow(TzelModel &copy) {
  TfrmZelDataModel window;
  window.zelJoinsEditor->SetModel(&copy);
  window.zelJoinsEditor->SetSchema(&copy);
  if (m_readOnly)
    window.SetReadOnly();
  const bool kept = window.exec() == QDialog::Accepted;
  // The model may have been destroyed while the window was open.
  if (kept && !m_readOnly && m_dataModel) {
    m_changed = true;
    m_dataModel->Assign(&copy);
  }
}
