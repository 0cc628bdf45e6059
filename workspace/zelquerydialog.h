// SPDX-License-Identifier: MIT
#pragma once
// Opens the query workspace with one call: checks the setup, makes a working copy of a query
// component (or loads a query file into it) and shows the workspace on it. The component it
// edits changes only when the user saves into it from the workspace.

#include "engine/zelquerion.h"
#include "model/zelcomponent.h"
#include "workspace/frmzelquerydialog.h"
#include "zelwidgets_export.h"

#include <QPointer>
#include <QStringList>

class ZELWIDGETS_EXPORT TzelQueryDialog : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(TzelQuerion *Querion READ Querion WRITE SetQuerion)
  Q_PROPERTY(bool EnableExport READ EnableExport WRITE SetEnableExport)
  Q_PROPERTY(bool EnablePrint READ EnablePrint WRITE SetEnablePrint)
  Q_PROPERTY(bool EnableSave READ EnableSave WRITE SetEnableSave)
  Q_PROPERTY(QString WindowCaption READ WindowCaption WRITE SetWindowCaption)
  Q_PROPERTY(TzelWindowState WindowState READ WindowState WRITE SetWindowState)
  Q_CLASSINFO("zel.reference.Querion", "True")
  Q_CLASSINFO("zel.default.EnableExport", "True")
  Q_CLASSINFO("zel.default.EnablePrint", "True")
  Q_CLASSINFO("zel.default.EnableSave", "True")
  Q_CLASSINFO("zel.default.WindowCaption", "'Querion'")
  Q_CLASSINFO("zel.default.WindowState", "wsNormal")
public:
  enum TzelWindowState { wsNormal, wsMinimized, wsMaximized };
  Q_ENUM(TzelWindowState)

  explicit TzelQueryDialog(QObject *parent = nullptr);

  // Cleared when the query component is destroyed.
  TzelQuerion *Querion() const { return m_querion; }
  void SetQuerion(TzelQuerion *querion) { m_querion = querion; }
  bool EnableExport() const { return m_enableExport; }
  void SetEnableExport(bool on) { m_enableExport = on; }
  bool EnablePrint() const { return m_enablePrint; }
  void SetEnablePrint(bool on) { m_enablePrint = on; }
  bool EnableSave() const { return m_enableSave; }
  void SetEnableSave(bool on) { m_enableSave = on; }
  QString WindowCaption() const { return m_windowCaption; }
  void SetWindowCaption(const QString &caption) { m_windowCaption = caption; }
  TzelWindowState WindowState() const { return m_windowState; }
  void SetWindowState(TzelWindowState state) { m_windowState = state; }

  // The document's file name when the last run ended, and whether a run showed the window.
  QString FileName() const { return m_fileName; }
  bool Ran() const { return m_ran; }
  // The workspace while Execute shows it, else null (for hosts and tests that drive it).
  TfrmZelQueryDialog *Window() const { return m_window; }

  // True when the workspace was shown, false when a check failed. A blank fileName edits the
  // component's own query; otherwise that query file is loaded into the working copy.
  bool Execute(const QString &fileName = QString());

signals:
  void OnBeforeExecute(QObject *sender);
  void OnAfterExecute(QObject *sender);

private:
  bool setupFailed(const QString &fileName);
  bool queryChecked();
  std::unique_ptr<TzelQuerion> workingCopy(const QString &fileName) const;
  void runWindow(TzelQuerion &copy, const QString &fileName);

  QPointer<TzelQuerion> m_querion;
  bool m_enableExport = true;
  bool m_enablePrint = true;
  bool m_enableSave = true;
  QString m_windowCaption = QStringLiteral("Querion");
  TzelWindowState m_windowState = wsNormal;
  bool m_saveToForm = false;
  QString m_fileName;
  bool m_ran = false;
  QPointer<TfrmZelQueryDialog> m_window;
  QStringList m_messages;
};
