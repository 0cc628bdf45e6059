// SPDX-License-Identifier: MIT
#include "database/aliasoption.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

std::optional<TzelAlias> postgresAlias(const QString &name, const QString &target, QString &error) {
  static const QRegularExpression form(uR"(^([^:/?]+)(?::(\d+))?/([^?/]+)(?:\?(.*))?$)"_s);
  const auto m = form.match(target);
  if (!m.hasMatch()) {
    error = QStringLiteral("expected postgresql:HOST:PORT/DB?user=U");
    return std::nullopt;
  }
  TzelAlias alias{
      name,
      QStringLiteral("POSTGRESQL"),
      {QStringLiteral("HOST=") + m.captured(1), QStringLiteral("DATABASE=") + m.captured(3)}};
  if (!m.captured(2).isEmpty())
    alias.params << QStringLiteral("PORT=") + m.captured(2);
  const auto items = QUrlQuery(m.captured(4)).queryItems(QUrl::FullyDecoded);
  for (const auto &[key, value] : items) {
    if (key.compare(u"user"_s, Qt::CaseInsensitive) == 0) {
      alias.params << QStringLiteral("USER NAME=") + value;
    } else if (key.compare(u"connect_timeout"_s, Qt::CaseInsensitive) == 0) {
      alias.params << QStringLiteral("CONNECT TIMEOUT=") + value;
    } else if (key.compare(u"password"_s, Qt::CaseInsensitive) == 0) {
      error = QStringLiteral("a password is taken only from the environment variable ") +
              QString::fromLatin1(PasswordVariable);
      return std::nullopt;
    } else {
      error = QStringLiteral("unknown setting [") + key + QStringLiteral("]");
      return std::nullopt;
    }
  }
  if (qEnvironmentVariableIsSet(PasswordVariable))
    alias.params << QStringLiteral("PASSWORD=") + qEnvironmentVariable(PasswordVariable);
  return alias;
}

} // namespace

std::optional<TzelAlias> parseAliasOption(const QString &value, QString &error) {
  const qsizetype eq = value.indexOf(u'=');
  const qsizetype colon = value.indexOf(u':', eq + 1);
  if (eq <= 0 || colon < 0 || value.left(eq).trimmed().isEmpty()) {
    error = QStringLiteral("expected NAME=sqlite:FILE, NAME=standard:FOLDER or "
                           "NAME=postgresql:HOST:PORT/DB?user=U");
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
  if (driver == u"postgresql")
    return postgresAlias(name, target, error);
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
  static const QRegularExpression driverForm(u"^(sqlite|standard|postgresql):"_s,
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
  QString base = alias.driverName == u"POSTGRESQL"_s ? database
                 : path.isEmpty()                    ? QFileInfo(database).completeBaseName()
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
