// SPDX-License-Identifier: MIT
#include "database/aliasoption.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

// A server's --alias form: the driver's name, the form's placeholder for its database and
// where the password comes from (never the command line).
struct ServerForm {
  const char *driver;     // the aliases file's driver name
  const char *scheme;     // as written before the first colon
  const char *database;   // the placeholder after the slash
  const char *passwordIn; // where the password is taken from instead
};

constexpr ServerForm Servers[] = {
    {"POSTGRESQL", "postgresql", "DB", "the environment variable ZEL_PG_PASSWORD"},
    {"MARIADB", "mariadb", "DB", "the environment variable MYSQL_PWD or ~/.my.cnf"},
    {"MARIADB", "mysql", "DB", "the environment variable MYSQL_PWD or ~/.my.cnf"},
    {"FIREBIRD", "firebird", "PATH-OR-ALIAS", "the environment variable ISC_PASSWORD"},
};

const ServerForm *serverForm(const QString &scheme) {
  for (const ServerForm &form : Servers)
    if (scheme == QLatin1String(form.scheme))
      return &form;
  return nullptr;
}

// HOST[:PORT]/DB[?settings]; Firebird's database may be an alias or a path, slashes and all.
std::optional<TzelAlias> serverAlias(const QString &name, const ServerForm &server,
                                     const QString &target, QString &error) {
  static const QRegularExpression form(uR"(^([^:/?]+)(?::(\d+))?/([^?/]+)(?:\?(.*))?$)"_s);
  static const QRegularExpression pathForm(uR"(^([^:/?]+)(?::(\d+))?/([^?]+)(?:\?(.*))?$)"_s);
  const bool firebird = qstrcmp(server.driver, "FIREBIRD") == 0;
  const auto m = (firebird ? pathForm : form).match(target);
  if (!m.hasMatch()) {
    error = u"expected %1:HOST:PORT/%2?user=U"_s.arg(QLatin1String(server.scheme),
                                                     QLatin1String(server.database));
    return std::nullopt;
  }
  // A Firebird alias holds no slash: a name that does is a path from the root.
  QString database = m.captured(3);
  if (firebird && database.contains(u'/') && !database.startsWith(u'/'))
    database.prepend(u'/');
  TzelAlias alias{
      name,
      QString::fromLatin1(server.driver),
      {QStringLiteral("HOST=") + m.captured(1), QStringLiteral("DATABASE=") + database}};
  if (!m.captured(2).isEmpty())
    alias.params << QStringLiteral("PORT=") + m.captured(2);
  const auto items = QUrlQuery(m.captured(4)).queryItems(QUrl::FullyDecoded);
  for (const auto &[key, value] : items) {
    if (key.compare(u"user"_s, Qt::CaseInsensitive) == 0) {
      alias.params << QStringLiteral("USER NAME=") + value;
    } else if (key.compare(u"connect_timeout"_s, Qt::CaseInsensitive) == 0 && !firebird) {
      alias.params << QStringLiteral("CONNECT TIMEOUT=") + value;
    } else if (key.compare(u"password"_s, Qt::CaseInsensitive) == 0) {
      error = QStringLiteral("a password is taken only from ") + QLatin1String(server.passwordIn);
      return std::nullopt;
    } else {
      error = QStringLiteral("unknown setting [") + key + QStringLiteral("]");
      return std::nullopt;
    }
  }
  if (alias.driverName == u"POSTGRESQL" && qEnvironmentVariableIsSet(PasswordVariable))
    alias.params << QStringLiteral("PASSWORD=") + qEnvironmentVariable(PasswordVariable);
  return alias;
}

// firebird:/path/file.fdb is a file for the embedded engine; anything else names a server.
std::optional<TzelAlias> firebirdAlias(const QString &name, const QString &target, QString &error) {
  if (!target.startsWith(u'/'))
    return serverAlias(name, *serverForm(u"firebird"_s), target, error);
  return TzelAlias{name,
                   QStringLiteral("FIREBIRD"),
                   {QStringLiteral("DATABASE=") + QFileInfo(target).absoluteFilePath()}};
}

} // namespace

std::optional<TzelAlias> parseAliasOption(const QString &value, QString &error) {
  const qsizetype eq = value.indexOf(u'=');
  const qsizetype colon = value.indexOf(u':', eq + 1);
  if (eq <= 0 || colon < 0 || value.left(eq).trimmed().isEmpty()) {
    error = QStringLiteral("expected NAME=sqlite:FILE, NAME=standard:FOLDER, "
                           "NAME=postgresql:HOST:PORT/DB?user=U, NAME=mariadb:HOST:PORT/DB?user=U "
                           "(or mysql:), NAME=firebird:HOST:PORT/PATH-OR-ALIAS?user=U or "
                           "NAME=firebird:/FILE.fdb");
    return std::nullopt;
  }
  const QString name = value.left(eq).trimmed();
  const QString driver = value.mid(eq + 1, colon - eq - 1).trimmed().toLower();
  const QString target = value.mid(colon + 1);
  if (target.isEmpty()) {
    error = QStringLiteral("nothing after ") + driver + u':';
    return std::nullopt;
  }
  if (driver == u"sqlite")
    return TzelAlias{name,
                     QStringLiteral("SQLITE"),
                     {QStringLiteral("DATABASE=") + QFileInfo(target).absoluteFilePath()}};
  if (driver == u"standard")
    return TzelAlias{name,
                     QStringLiteral("STANDARD"),
                     {QStringLiteral("PATH=") + QFileInfo(target).absoluteFilePath()}};
  if (driver == u"firebird")
    return firebirdAlias(name, target, error);
  if (const ServerForm *server = serverForm(driver))
    return serverAlias(name, *server, target, error);
  error = QStringLiteral("unknown driver [") + driver + QStringLiteral("]");
  return std::nullopt;
}

QString aliasOptionForMessage(const QString &value) {
  static const QRegularExpression userInfo(uR"((:[^:/?@]*:)[^/?@]*@)"_s);
  static const QRegularExpression keyed(uR"(((?:password|passwd|pwd)\s*=\s*)[^&;\s]*)"_s,
                                        QRegularExpression::CaseInsensitiveOption);
  const qsizetype question = value.indexOf(u'?');
  QString head = question < 0 ? value : value.left(question);
  head.replace(userInfo, u"\\1***@"_s).replace(keyed, u"\\1***"_s);
  if (question < 0)
    return head;
  QStringList items = value.mid(question + 1).split(u'&');
  for (QString &item : items) {
    const qsizetype eq = item.indexOf(u'=');
    const QString key = QUrl::fromPercentEncoding(item.left(eq).toUtf8());
    if (eq >= 0 && key.compare(u"user"_s, Qt::CaseInsensitive) != 0)
      item = item.left(eq + 1) + u"***"_s;
  }
  return head + u'?' + items.join(u'&');
}

std::optional<TzelAlias> zelDatabaseAlias(const QString &value, QString &error) {
  static const QRegularExpression driverForm(
      u"^(sqlite|standard|postgresql|mariadb|mysql|firebird):"_s,
      QRegularExpression::CaseInsensitiveOption);
  const bool unnamed = driverForm.match(value).hasMatch();
  if (!unnamed && !value.contains(u'=')) {
    const QFileInfo file(value);
    if (!file.exists())
      return TzelAlias{value, {}, {}};
    const QString path = file.absoluteFilePath();
    return TzelAlias{path,
                     file.isDir() ? u"STANDARD"_s : u"SQLITE"_s,
                     {(file.isDir() ? u"PATH="_s : u"DATABASE="_s) + path}};
  }
  auto alias = parseAliasOption(unnamed ? u"_="_s + value : value, error);
  if (!alias || !unnamed)
    return alias;
  const QString path = TzelSession::paramValue(alias->params, u"PATH"_s);
  const QString database = TzelSession::paramValue(alias->params, u"DATABASE"_s);
  alias->name = path.isEmpty() ? database : path;
  return alias;
}

QString zelReadableAliasName(const TzelAlias &alias) {
  const QString path = TzelSession::paramValue(alias.params, u"PATH"_s);
  const QString database = TzelSession::paramValue(alias.params, u"DATABASE"_s);
  const bool named = alias.driverName == u"POSTGRESQL"_s || alias.driverName == u"MARIADB"_s;
  QString base = named            ? database
                 : path.isEmpty() ? QFileInfo(database).completeBaseName()
                                  : QFileInfo(path).fileName();
  if (base.isEmpty())
    base = u"Database"_s;
  QStringList taken = TzelSession::defaultSession().aliasNames();
  QString name = base;
  for (int n = 2; taken.contains(name, Qt::CaseInsensitive); ++n)
    name = base + u'_' + QString::number(n);
  return name;
}

QString zelDatabaseError(const QString &value, QString why) {
  if (why.startsWith(u"Error: "_s))
    why.remove(0, 7);
  return u"Error: Database ["_s + aliasOptionForMessage(value) + u"]: "_s + why;
}
