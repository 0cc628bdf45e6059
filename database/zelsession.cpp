// SPDX-License-Identifier: MIT
#include "database/zelsession.h"

#include "database/tablecatalogue.h"
#include "database/zelcancel.h"
#include "database/zelpq.h"
#include "database/zelstandarddb.h"
#include "model/supportfiles.h"
#include "model/zeltypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

bool isFolderPath(const QString &name) {
  static const QRegularExpression windows(uR"(^([A-Za-z]:[\\/]|\\\\))"_s);
  return name.startsWith(u'/') || windows.match(name).hasMatch();
}

QStringList fileAliasParams(const TzelIniSection &section) {
  QStringList params;
  for (const auto &[key, value] : section.entries)
    if (key.compare(u"Driver"_s, Qt::CaseInsensitive) != 0)
      params.append(key.toUpper() + u'=' + value);
  return params;
}

bool holdsPassword(const QList<TzelIniSection> &sections) {
  for (const TzelIniSection &section : sections)
    if (!section.value(u"Password"_s).value_or(QString()).isEmpty())
      return true;
  return false;
}

// Group or others may read, write or run it (mode & 077), as PostgreSQL checks .pgpass.
bool openToOthers(const QString &fileName) {
  const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                      QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
  return (QFileInfo(fileName).permissions() & others) != 0;
}

QString shellQuoted(const QString &path) {
  static const QRegularExpression plain(uR"(^[A-Za-z0-9_./+-]+$)"_s);
  return plain.match(path).hasMatch() ? path
                                      : u'\'' + QString(path).replace(u'\'', u"'\\''"_s) + u'\'';
}

// The aliases file's section of the alias, as written. A file holding a password that
// others can read is refused, not used: the message says how to make it private.
std::optional<TzelIniSection> aliasSection(const QString &name) {
  const QString file = TzelSession::aliasesFile();
  const QList<TzelIniSection> sections = ReadIniFile(file);
  for (const TzelIniSection &section : sections) {
    if (section.name.compare(name, Qt::CaseInsensitive) != 0)
      continue;
    if (holdsPassword(sections) && openToOthers(file))
      throw EzelError(u"Error: The aliases file [%1] holds a password but other users can read "
                      "it; make it private with: chmod 600 %2"_s.arg(file, shellQuoted(file)));
    return section;
  }
  return std::nullopt;
}

// Only what the alias gives: anything left unset (password, user, host, port, database)
// comes from libpq's own environment, ~/.pgpass or PGPASSFILE, and service files.
void setPostgresParams(QSqlDatabase &db, const QStringList &params) {
  const auto value = [&params](const QString &key) { return TzelSession::paramValue(params, key); };
  const auto first = [&value](const QString &key, const QString &other) {
    const QString given = value(key);
    return given.isEmpty() ? value(other) : given;
  };
  if (const QString host = first(u"HOST"_s, u"SERVER NAME"_s); !host.isEmpty())
    db.setHostName(host);
  if (const QString port = value(u"PORT"_s); !port.isEmpty())
    db.setPort(port.toInt());
  if (const QString user = first(u"USER NAME"_s, u"USER"_s); !user.isEmpty())
    db.setUserName(user);
  if (const QString password = value(u"PASSWORD"_s); !password.isEmpty())
    db.setPassword(password);
  QStringList options;
  if (const QString service = value(u"SERVICE"_s); !service.isEmpty())
    options << u"service="_s + service;
  // A server that takes the connection and never answers would keep the program waiting for
  // ever: without a setting of the alias or of libpq's environment, it waits this long.
  QString timeout = value(u"CONNECT TIMEOUT"_s);
  if (timeout.isEmpty() && !qEnvironmentVariableIsSet("PGCONNECT_TIMEOUT"))
    timeout = QString::number(TzelSession::DefaultConnectTimeout);
  if (!timeout.isEmpty())
    options << u"connect_timeout="_s + timeout;
  db.setConnectOptions(options.join(u';'));
}

// A value of MariaDB's own option file (~/.my.cnf), from the groups every client reads, the
// last given winning as the client library takes it; quotes around it left out.
QString myCnfValue(const QString &key) {
  QFile file(QDir::homePath() + u"/.my.cnf"_s);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return {};
  QString value;
  bool inClient = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith(u'[')) {
      const QString group = line.mid(1, line.indexOf(u']') - 1).trimmed().toLower();
      inClient = group == u"client" || group == u"client-mariadb";
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (!inClient || eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
      continue;
    value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
      value = value.mid(1, value.size() - 2);
  }
  return value;
}

// The alias's value, else the environment's, else (for MariaDB) the option file's.
QString serverSetting(const QStringList &params, const QString &key, const QString &other,
                      const char *variable, const QString &optionKey) {
  QString value = TzelSession::paramValue(params, key);
  if (value.isEmpty() && !other.isEmpty())
    value = TzelSession::paramValue(params, other);
  if (value.isEmpty() && variable)
    value = qEnvironmentVariable(variable);
  if (value.isEmpty() && !optionKey.isEmpty())
    value = myCnfValue(optionKey);
  return value;
}

void setMariaDbParams(QSqlDatabase &db, const QStringList &params) {
  const auto value = [&params](const QString &key) { return TzelSession::paramValue(params, key); };
  const QString host = serverSetting(params, u"HOST"_s, u"SERVER NAME"_s, nullptr, u"host"_s);
  db.setHostName(host.isEmpty() ? u"localhost"_s : host);
  if (const QString port = value(u"PORT"_s); !port.isEmpty())
    db.setPort(port.toInt());
  db.setUserName(serverSetting(params, u"USER NAME"_s, u"USER"_s, "USER", u"user"_s));
  db.setPassword(serverSetting(params, u"PASSWORD"_s, {}, "MYSQL_PWD", u"password"_s));
  QString timeout = value(u"CONNECT TIMEOUT"_s);
  if (timeout.isEmpty())
    timeout = QString::number(TzelSession::DefaultConnectTimeout);
  db.setConnectOptions(u"MYSQL_OPT_CONNECT_TIMEOUT="_s + timeout);
}

// A file path with no host opens the embedded engine, which trusts the user it is given.
void setFirebirdParams(QSqlDatabase &db, const QStringList &params) {
  const auto value = [&params](const QString &key) { return TzelSession::paramValue(params, key); };
  const QString host = value(u"HOST"_s).isEmpty() ? value(u"SERVER NAME"_s) : value(u"HOST"_s);
  if (!host.isEmpty())
    db.setHostName(host);
  if (const QString port = value(u"PORT"_s); !port.isEmpty())
    db.setPort(port.toInt());
  if (host.isEmpty()) {
    const QString user = serverSetting(params, u"USER NAME"_s, u"USER"_s, nullptr, {});
    db.setUserName(user.isEmpty() ? u"SYSDBA"_s : user);
    return;
  }
  db.setUserName(serverSetting(params, u"USER NAME"_s, u"USER"_s, "ISC_USER", {}));
  db.setPassword(serverSetting(params, u"PASSWORD"_s, {}, "ISC_PASSWORD", {}));
}

// Our statements go out as UTF-8, whatever client encoding the server, the database or the
// role sets: a server reading them in another encoding could take the last byte of a
// multibyte character and the backslash after it as one character. Firebird's driver asks
// for UTF8 when it attaches.
QSqlError useUtf8(const QSqlDatabase &db) {
  QString statement;
  if (db.driverName() == u"QPSQL")
    statement = u"SET client_encoding TO 'UTF8'"_s;
  else if (db.driverName() == u"QMYSQL")
    statement = u"SET NAMES utf8mb4"_s;
  if (statement.isEmpty())
    return {};
  QSqlQuery q(db);
  return q.exec(statement) ? QSqlError() : q.lastError();
}

QString qtDriverOf(TzelDriverKind kind) {
  switch (kind) {
  case TzelDriverKind::Postgres:
    return u"QPSQL"_s;
  case TzelDriverKind::MariaDB:
    return u"QMYSQL"_s;
  case TzelDriverKind::Firebird:
    return u"QIBASE"_s;
  default:
    return u"QSQLITE"_s;
  }
}

// What a client library would refuse with a message that names neither the key nor the value.
void checkServerParams(const QStringList &params, const QString &databaseName) {
  const QString port = TzelSession::paramValue(params, u"PORT"_s);
  bool number = false;
  const int value = port.toInt(&number);
  if (!port.isEmpty() && (!number || value < 1 || value > 65535))
    throw EzelError(
        u"Error: The Port [%1] of database [%2] is not a port number (1 to 65535)"_s.arg(
            port, databaseName));
  const QString timeout = TzelSession::paramValue(params, u"CONNECT TIMEOUT"_s);
  const int seconds = timeout.toInt(&number);
  if (!timeout.isEmpty() && (!number || seconds < 0))
    throw EzelError(u"Error: The Connect Timeout [%1] of database [%2] is not a number of "
                    "seconds (0 waits for ever)"_s.arg(timeout, databaseName));
}

// Why the aliases file cannot be used at all, or an empty text: it cannot be opened, or it
// holds something but no [alias] section (a binary or foreign file).
QString aliasesFileFault(const QString &fileName) {
  QFile file(fileName);
  if (!file.exists())
    return {};
  if (QFileInfo(fileName).isDir())
    return u"it is a folder"_s;
  if (!file.open(QIODevice::ReadOnly))
    return file.errorString();
  const QByteArray bytes = file.readAll();
  if (bytes.contains('\0') || (!bytes.trimmed().isEmpty() && ReadIniFile(fileName).isEmpty()))
    return u"it holds no [alias] section"_s;
  return {};
}

QString definitionText(const TzelAlias &a) {
  return a.driverName.toUpper() + u'|' + a.params.join(u'|');
}

} // namespace

TzelOpenDatabase::~TzelOpenDatabase() {
  if (!standard) {
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
  }
}

TzelSession &TzelSession::defaultSession() {
  // Never destroyed: Qt SQL's own globals may be gone by then. Its connections close
  // with the application object instead.
  static TzelSession *session = [] {
    auto *s = new TzelSession;
    qAddPostRoutine([] { defaultSession().closeAll(); });
    return s;
  }();
  return *session;
}

void TzelSession::closeAll() {
  m_open.clear();
}

TzelSession::TzelSession() = default;
TzelSession::~TzelSession() = default;

QString TzelSession::aliasesFile() {
  QString fromEnv = qEnvironmentVariable("ZEL_ALIASES_FILE");
  if (!fromEnv.isEmpty())
    return fromEnv;
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         u"/Pellox/aliases.ini"_s;
}

std::optional<TzelDriverKind> TzelSession::driverKind(const QString &driverName) {
  const QString d = driverName.trimmed().toUpper();
  if (d == u"STANDARD" || d == u"PARADOX" || d == u"DBASE")
    return TzelDriverKind::Standard;
  if (d == u"SQLITE" || d == u"QSQLITE")
    return TzelDriverKind::Sqlite;
  if (d == u"POSTGRESQL" || d == u"POSTGRES" || d == u"QPSQL")
    return TzelDriverKind::Postgres;
  if (d == u"MARIADB" || d == u"MYSQL" || d == u"QMYSQL" || d == u"QMARIADB")
    return TzelDriverKind::MariaDB;
  if (d == u"FIREBIRD" || d == u"INTERBASE" || d == u"QIBASE")
    return TzelDriverKind::Firebird;
  return std::nullopt;
}

QString TzelSession::paramValue(const QStringList &params, const QString &key) {
  for (const QString &p : params) {
    const int eq = int(p.indexOf(u'='));
    if (eq > 0 && p.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
      return p.mid(eq + 1).trimmed();
  }
  return {};
}

void TzelSession::registerAlias(const TzelAlias &alias) {
  unregisterAlias(alias.name);
  m_aliases.append(alias);
}

void TzelSession::unregisterAlias(const QString &name) {
  for (qsizetype i = m_aliases.size() - 1; i >= 0; --i)
    if (m_aliases[i].name.compare(name, Qt::CaseInsensitive) == 0)
      m_aliases.removeAt(i);
}

std::optional<TzelAlias> TzelSession::alias(const QString &name) const {
  for (const TzelAlias &a : m_aliases)
    if (a.name.compare(name, Qt::CaseInsensitive) == 0)
      return a;
  if (const auto section = aliasSection(name))
    return TzelAlias{section->name, section->value(u"Driver"_s).value_or(QString()),
                     fileAliasParams(*section)};
  return std::nullopt;
}

QStringList TzelSession::aliasNames() const {
  QStringList names;
  auto add = [&names](const QString &n) {
    if (!names.contains(n, Qt::CaseInsensitive))
      names.append(n);
  };
  for (const TzelAlias &a : m_aliases)
    add(a.name);
  // Names only: listing them reads no password, so a refused file still shows its aliases.
  const QList<TzelIniSection> sections = ReadIniFile(aliasesFile());
  for (const TzelIniSection &section : sections)
    add(section.name);
  return names;
}

std::optional<TzelAlias> TzelSession::definitionOf(const QString &databaseName) const {
  if (auto a = alias(databaseName))
    return a;
  const QString name = databaseName.trimmed();
  if (isFolderPath(name)) {
    QString path = name;
    path.replace(u'\\', u'/');
    if (QFileInfo(path).isDir())
      return TzelAlias{name, u"STANDARD"_s, {u"PATH="_s + path}};
    if (QFileInfo(path).isFile())
      return TzelAlias{name, u"SQLITE"_s, {u"DATABASE="_s + path}};
  }
  return std::nullopt;
}

QString TzelSession::folderOf(const QString &databaseName) const {
  std::optional<TzelAlias> a;
  try {
    a = definitionOf(databaseName);
  } catch (const EzelError &) {
    return {}; // a refused aliases file names no folder; opening the alias says why
  }
  if (!a || driverKind(a->driverName) != TzelDriverKind::Standard)
    return {};
  return paramValue(a->params, u"PATH"_s);
}

QString TzelSession::unknownDatabaseMessage(const QString &databaseName) {
  const QString file = aliasesFile();
  if (const QString fault = aliasesFileFault(file); !fault.isEmpty())
    return u"Error: Unknown database [%1]: the aliases file [%2] could not be read (%3)"_s.arg(
        databaseName, file, fault);
  return u"Error: Unknown database [%1]"_s.arg(databaseName);
}

QString TzelSession::openConnection(QSqlDatabase &db) {
  QSqlError error = db.open() ? QSqlError() : db.lastError();
  if (!error.isValid())
    error = useUtf8(db);
  if (!error.isValid())
    return {};
  db.close();
  // The client library never repeats the password; the Qt driver's own words add nothing.
  return zelPqMessageText(error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

TzelOpenDatabase &TzelSession::open(const QString &databaseName) {
  const auto a = definitionOf(databaseName);
  if (IsBlank(databaseName) || !a)
    throw EzelError(unknownDatabaseMessage(databaseName));
  const auto kind = driverKind(a->driverName);
  if (!kind)
    throw EzelError(
        u"Error: Unknown driver [%1] of database [%2]"_s.arg(a->driverName, databaseName));
  const QString key = databaseName.trimmed().toUpper();
  const QString definition = definitionText(*a);
  if (auto it = m_open.find(key); it != m_open.end()) {
    // A connection given up while a statement ran is closed: it is made again.
    if ((*it)->definition == definition &&
        ((*it)->standard || QSqlDatabase::database((*it)->connectionName, false).isOpen()))
      return **it;
    m_open.erase(it);
  }
  auto db = std::make_shared<TzelOpenDatabase>();
  db->kind = *kind;
  db->definition = definition;
  db->connectionName = u"zel-%1-%2"_s.arg(++m_counter).arg(key);
  if (*kind == TzelDriverKind::Standard) {
    QString folder = paramValue(a->params, u"PATH"_s);
    folder.replace(u'\\', u'/');
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
      throw EzelError(
          u"Error: The folder [%1] of database [%2] does not exist"_s.arg(folder, databaseName));
    db->standard = std::make_unique<TzelStandardDatabase>(
        folder, db->connectionName, [this](const QString &other) { return folderOf(other); });
  } else {
    if (*kind != TzelDriverKind::Sqlite)
      checkServerParams(a->params, databaseName);
    QSqlDatabase q = QSqlDatabase::addDatabase(qtDriverOf(*kind), db->connectionName);
    const QString file = paramValue(a->params, u"DATABASE"_s).isEmpty()
                             ? paramValue(a->params, u"PATH"_s)
                             : paramValue(a->params, u"DATABASE"_s);
    q.setDatabaseName(file);
    if (*kind == TzelDriverKind::Sqlite) {
      // An alias names an existing file; SQLite would otherwise create an empty one.
      if (!QFileInfo(file).isFile()) {
        q = QSqlDatabase();
        db.reset();
        throw EzelError(u"Error: The database file [%1] does not exist"_s.arg(file));
      }
    } else if (*kind == TzelDriverKind::MariaDB) {
      setMariaDbParams(q, a->params);
    } else if (*kind == TzelDriverKind::Firebird) {
      setFirebirdParams(q, a->params);
    } else {
      setPostgresParams(q, a->params);
    }
    // Connecting cannot be cancelled, and leaves nothing behind if the program ends.
    const TzelStopAtOnce stoppable("Error: The connection was cancelled");
    if (const QString text = openConnection(q); !text.isEmpty()) {
      q = QSqlDatabase();
      db.reset();
      throw EzelError(u"Error: "_s + text);
    }
  }
  m_open.insert(key, db);
  return *db;
}

void TzelSession::close(const QString &databaseName) {
  m_open.remove(databaseName.trimmed().toUpper());
}

QStringList TzelSession::filesRead(const QString &databaseName, const QString &sql) {
  TzelOpenDatabase &db = open(databaseName);
  if (db.standard)
    return db.standard->filesOf(sql);
  const QSqlDatabase q = QSqlDatabase::database(db.connectionName, false);
  if (db.kind == TzelDriverKind::Sqlite ||
      (db.kind == TzelDriverKind::Firebird && q.hostName().isEmpty()))
    return {q.databaseName()};
  return {};
}

QStringList TzelSession::tableNames(const QString &databaseName, const QString &pattern,
                                    bool extensions, bool systemTables) {
  TzelOpenDatabase &db = open(databaseName);
  const QString wildcard = IsBlank(pattern) ? u"*"_s : pattern.trimmed();
  // "*" takes every name: no expression to run 100,000 times.
  const bool all = wildcard == u"*"_s;
  const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(wildcard),
                                 QRegularExpression::CaseInsensitiveOption);
  QStringList names;
  if (db.standard) {
    const auto files = db.standard->tableFiles();
    names.reserve(files.size());
    for (const QString &f : files) {
      const QString name = extensions ? f : QFileInfo(f).completeBaseName();
      if (all || match.match(f).hasMatch() || match.match(name).hasMatch())
        names.append(name);
    }
    return names;
  }
  const QStringList listed =
      zelCatalogueTables(QSqlDatabase::database(db.connectionName, false), db.kind, systemTables);
  for (const QString &t : listed)
    if (all || match.match(t).hasMatch())
      names.append(t);
  names.sort(Qt::CaseInsensitive);
  return names;
}
