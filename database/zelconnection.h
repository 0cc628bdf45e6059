// SPDX-License-Identifier: MIT
#pragma once
// The host program's database connection object: while Connected it registers its
// DatabaseName as an alias of the default session, with DriverName and Params.

#include "zelcore_export.h"

#include <QObject>
#include <QStringList>

class ZELCORE_EXPORT TzelConnection : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString DatabaseName READ DatabaseName WRITE setDatabaseName)
  Q_PROPERTY(QString DriverName READ DriverName WRITE setDriverName)
  Q_PROPERTY(QStringList Params READ Params WRITE setParams)
  Q_PROPERTY(bool LoginPrompt READ LoginPrompt WRITE setLoginPrompt)
  Q_PROPERTY(bool Connected READ Connected WRITE setConnected)
public:
  explicit TzelConnection(QObject *parent = nullptr);
  ~TzelConnection() override;
  Q_DISABLE_COPY(TzelConnection)

  QString DatabaseName() const { return m_databaseName; }
  void setDatabaseName(const QString &name);
  QString DriverName() const { return m_driverName; }
  void setDriverName(const QString &name) { m_driverName = name; }
  QStringList Params() const { return m_params; }
  void setParams(const QStringList &params) { m_params = params; }
  // Kept for the host's settings; there is no login dialog, credentials come from Params.
  bool LoginPrompt() const { return m_loginPrompt; }
  void setLoginPrompt(bool on) { m_loginPrompt = on; }

  bool Connected() const { return m_connected; }
  void setConnected(bool on) { on ? (void)Open() : Close(); }
  // Registers the alias and opens the database; false with lastError() on failure
  // (the alias is then not registered).
  bool Open();
  void Close();
  QString lastError() const { return m_lastError; }

private:
  QString m_databaseName;
  QString m_driverName = QStringLiteral("STANDARD");
  QStringList m_params;
  bool m_loginPrompt = true;
  bool m_connected = false;
  QString m_lastError;
};
