// SPDX-License-Identifier: MIT
#pragma once
// Opens the data model window on a copy of a data model with one call. The copy is written
// back only when the user keeps the changes on closing; in read-only mode the window only
// shows the model.

#include "model/zelcomponent.h"
#include "model/zelmodel.h"
#include "zelwidgets_export.h"

#include <QPointer>
#include <QStringList>

class ZELWIDGETS_EXPORT TzelDataModelDialog : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(TzelModel *DataModel READ DataModel WRITE SetDataModel)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_CLASSINFO("zel.reference.DataModel", "True")
  Q_CLASSINFO("zel.default.ReadOnly", "False")
public:
  explicit TzelDataModelDialog(QObject *parent = nullptr);

  // Cleared when the model is destroyed.
  TzelModel *DataModel() const { return m_dataModel; }
  void SetDataModel(TzelModel *model) { m_dataModel = model; }
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool on) { m_readOnly = on; }
  // Set once a run has written changes back into DataModel.
  bool Changed() const { return m_changed; }

  // True when the window was shown (whether or not changes were kept), false when a setup
  // check failed.
  bool Execute();

signals:
  void OnBeforeExecute(QObject *sender);
  void OnAfterExecute(QObject *sender);

private:
  bool setupFailed();
  TzelModel *newCopy() const;
  void runWindow(TzelModel &copy);

  QPointer<TzelModel> m_dataModel;
  bool m_readOnly = false;
  bool m_changed = false;
  QStringList m_messages;
};
