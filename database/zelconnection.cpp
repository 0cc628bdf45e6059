// SPDX-License-Identifier: MIT
#include "database/zelconnection.h"

#include "database/zelsession.h"
#include "model/zeltypes.h"

using namespace Qt::StringLiterals;

TzelConnection::TzelConnection(QObject *parent) : QObject(parent) {}

TzelConnection::~TzelConnection() {
  Close();
}

void TzelConnection::setDatabaseName(const QString &name) {
  if (name == m_databaseName)
    return;
  Close();
  m_databaseName = name;
}

bool TzelConnection::Open() {
  Close();
  m_lastError.clear();
  if (IsBlank(m_databaseName)) {
    m_lastError = u"Error: The connection has no database name"_s;
    return false;
  }
  if (!TzelSession::driverKind(m_driverName)) {
    m_lastError = u"Error: Unknown driver [%1]"_s.arg(m_driverName);
    return false;
  }
  TzelSession &session = TzelSession::defaultSession();
  session.registerAlias({m_databaseName, m_driverName, m_params});
  try {
    session.open(m_databaseName);
  } catch (const EzelError &e) {
    session.unregisterAlias(m_databaseName);
    session.close(m_databaseName);
    m_lastError = e.message();
    return false;
  }
  m_connected = true;
  return true;
}

void TzelConnection::Close() {
  if (!m_connected)
    return;
  TzelSession &session = TzelSession::defaultSession();
  session.close(m_databaseName);
  session.unregisterAlias(m_databaseName);
  m_connected = false;
}
