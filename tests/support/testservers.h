// SPDX-License-Identifier: MIT
#pragma once
// The throw-away servers scripts/test.sh starts, as tests reach them: each is named by the
// prefix of its environment variables (HOST, PORT, USER, PASSWORD, DATABASE).

#include <QSqlDatabase>
#include <QString>

struct TestServer {
  const char *prefix;
  const char *qtDriver;
};
inline constexpr TestServer kTestPostgres{"ZEL_PG_", "QPSQL"};
inline constexpr TestServer kTestMariaDb{"ZEL_MY_", "QMYSQL"};
inline constexpr TestServer kTestFirebird{"ZEL_FB_", "QIBASE"};

inline QString testServerSetting(const TestServer &server, const char *key) {
  return qEnvironmentVariable((QByteArray(server.prefix) + key).constData());
}

// True when scripts/test.sh started the server for this run.
inline bool testServerStarted(const TestServer &server) {
  return !testServerSetting(server, "HOST").isEmpty();
}

// A connection, not yet open, to the server's test database or to the database named.
inline QSqlDatabase testServerConnection(const TestServer &server, const QString &name,
                                         const QString &database = {}) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(server.qtDriver), name);
  db.setHostName(testServerSetting(server, "HOST"));
  db.setPort(testServerSetting(server, "PORT").toInt());
  db.setUserName(testServerSetting(server, "USER"));
  db.setPassword(testServerSetting(server, "PASSWORD"));
  db.setDatabaseName(database.isEmpty() ? testServerSetting(server, "DATABASE") : database);
  return db;
}
