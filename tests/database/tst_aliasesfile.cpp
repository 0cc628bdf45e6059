// SPDX-License-Identifier: MIT
// The user's aliases file: values as written, a password only in a private file, and
// PostgreSQL settings left to libpq when the alias does not name them; MariaDB and Firebird
// aliases with their passwords from the alias, the environment or MariaDB's option file,
// and a Firebird file opened by the embedded engine.
#include "database/aliasoption.h"
#include "database/zelsession.h"
#include "model/zeltypes.h"
#include "support/errorof.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr auto Private = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The character set the connection talks in, as the server sees it.
const char *const MariaDbCharset = "SELECT @@character_set_client";
const char *const FirebirdCharset =
    "SELECT TRIM(c.RDB$CHARACTER_SET_NAME) FROM MON$ATTACHMENTS a JOIN RDB$CHARACTER_SETS c "
    "ON c.RDB$CHARACTER_SET_ID = a.MON$CHARACTER_SET_ID "
    "WHERE a.MON$ATTACHMENT_ID = CURRENT_CONNECTION";

QString firstValue(const QString &connection, const QString &sql) {
  QSqlQuery q(QSqlDatabase::database(connection, false));
  if (!q.exec(sql) || !q.next())
    return u"failed: "_s + q.lastError().text();
  return q.value(0).toString();
}

} // namespace

class TstAliasesFile : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;
  QString file;

  void writeAliases(const QByteArray &text, QFileDevice::Permissions permissions) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    out.close();
    QVERIFY(QFile::setPermissions(file, permissions));
  }

private slots:
  void initTestCase() {
    QVERIFY(scratch.isValid());
    file = scratch.filePath(u"aliases.ini"_s);
    qputenv("ZEL_ALIASES_FILE", file.toLocal8Bit());
    // The embedded Firebird engine keeps its locks apart from any server's.
    QVERIFY(QDir().mkpath(scratch.filePath(u"fblock"_s)));
    qputenv("FIREBIRD_LOCK", scratch.filePath(u"fblock"_s).toLocal8Bit());
  }

  void valuesAsWritten() {
    writeAliases("[WIN]\r\nDriver=STANDARD\r\nPath=D:\\tables\\new\r\n; Path=/comment\r\n"
                 "[Quoted]\nDriver = SQLITE\nDatabase = \" /x y.sqlite\"\n",
                 Private | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    TzelSession session;
    const auto win = session.alias(u"win"_s);
    QVERIFY(win);
    QCOMPARE(win->driverName, u"STANDARD"_s);
    QCOMPARE(win->params, QStringList{u"PATH=D:\\tables\\new"_s});
    const auto quoted = session.alias(u"QUOTED"_s);
    QVERIFY(quoted);
    QCOMPARE(quoted->params, QStringList{u"DATABASE= /x y.sqlite"_s});
    QCOMPARE(session.aliasNames(), (QStringList{u"WIN"_s, u"Quoted"_s}));
  }

  // As PostgreSQL treats ~/.pgpass: mode & 077 must be 0 when the file holds a password.
  void passwordOnlyInPrivateFile_data() {
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("refused");
    const int owner = int(Private);
    QTest::newRow("private") << QByteArray("secret") << owner << false;
    QTest::newRow("owner may run it") << QByteArray("secret") << (owner | 0x0100) << false;
    QTest::newRow("group reads") << QByteArray("secret") << (owner | 0x0040) << true;
    QTest::newRow("others read") << QByteArray("secret") << (owner | 0x0004) << true;
    QTest::newRow("group writes") << QByteArray("secret") << (owner | 0x0020) << true;
    QTest::newRow("others run") << QByteArray("secret") << (owner | 0x0001) << true;
    QTest::newRow("no password") << QByteArray() << (owner | 0x0044) << false;
  }
  void passwordOnlyInPrivateFile() {
    QFETCH(QByteArray, password);
    QFETCH(int, permissions);
    QFETCH(bool, refused);
    writeAliases("[PLAIN]\nDriver=STANDARD\nPath=/tmp\n[SALES]\nDriver=POSTGRESQL\nHost=h\n"
                 "Password=" +
                     password + "\n",
                 QFileDevice::Permissions::fromInt(permissions));
    TzelSession session;
    const QString expected = u"Error: The aliases file [%1] holds a password but other users "
                             "can read it; make it private with: chmod 600 %1"_s.arg(file);
    for (const QString &name : {u"SALES"_s, u"plain"_s}) {
      QString message;
      std::optional<TzelAlias> alias;
      try {
        alias = session.alias(name);
      } catch (const EzelError &e) {
        message = e.message();
      }
      QCOMPARE(message, refused ? expected : QString());
      QCOMPARE(alias.has_value(), !refused);
      if (refused)
        QCOMPARE(errorOf([&] { session.open(name); }), expected);
    }
    // Names of other databases and the list of names are still given.
    QVERIFY(!session.alias(u"OTHER"_s));
    QCOMPARE(session.aliasNames(), (QStringList{u"PLAIN"_s, u"SALES"_s}));
    QCOMPARE(session.folderOf(u"PLAIN"_s), refused ? QString() : u"/tmp"_s);
  }

  // A file that cannot be used, or a key libpq would refuse without naming it: the message
  // says which file or which key and value (%1 stands for the file).
  void unusableFileOrKeySaysWhy_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray sales = "[SALES]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPassword=pw\n";
    QTest::newRow("port not a number")
        << sales + "Port=notaport\n"
        << u"Error: The Port [notaport] of database [SALES] is not a port number (1 to 65535)"_s;
    QTest::newRow("port out of range")
        << sales + "Port=70000\n"
        << u"Error: The Port [70000] of database [SALES] is not a port number (1 to 65535)"_s;
    const QString unreadable =
        u"Error: Unknown database [SALES]: the aliases file [%1] could not be read (%2)"_s;
    QTest::newRow("garbage") << QByteArray("\x7f"
                                           "ELF\x02\x01\0\0[x]=\xff\xfe",
                                           14)
                             << unreadable.arg(u"%1"_s, u"it holds no [alias] section"_s);
    QTest::newRow("no section") << QByteArray("Driver=POSTGRESQL\nHost=h\n")
                                << unreadable.arg(u"%1"_s, u"it holds no [alias] section"_s);
    QTest::newRow("a folder") << QByteArray() << unreadable.arg(u"%1"_s, u"it is a folder"_s);
    QTest::newRow("empty") << QByteArray("\n") << u"Error: Unknown database [SALES]"_s;
  }
  void unusableFileOrKeySaysWhy() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = content.isEmpty() ? scratch.path() : file;
    if (!content.isEmpty())
      writeAliases(content, Private);
    qputenv("ZEL_ALIASES_FILE", path.toLocal8Bit());
    TzelSession session;
    const QString error = errorOf([&] { session.open(u"SALES"_s); });
    qputenv("ZEL_ALIASES_FILE", file.toLocal8Bit());
    QCOMPARE(error, message.contains(u"%1"_s) ? message.arg(path) : message);
  }

  void pathWithSpacesIsQuotedInTheAdvice() {
    const QString spaced = scratch.filePath(u"my aliases.ini"_s);
    qputenv("ZEL_ALIASES_FILE", spaced.toLocal8Bit());
    QFile out(spaced);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("[A]\nDriver=POSTGRESQL\nPassword=x\n");
    out.close();
    QVERIFY(QFile::setPermissions(spaced, Private | QFileDevice::ReadOther));
    TzelSession session;
    const QString message = errorOf([&] { session.alias(u"A"_s); });
    qputenv("ZEL_ALIASES_FILE", file.toLocal8Bit());
    QVERIFY2(message.endsWith(u"chmod 600 '"_s + spaced + u"'"_s), qPrintable(message));
  }

  // Settings the alias leaves out come from libpq's service file (and so would the
  // password, from ~/.pgpass or PGPASSFILE): none is passed empty over them.
  void postgresServiceFile() {
    if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
    const QString services = scratch.filePath(u"pg_service.conf"_s);
    QFile out(services);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("[zelreports]\nhost=" + qgetenv("ZEL_PG_HOST") + "\nport=" + qgetenv("ZEL_PG_PORT") +
              "\ndbname=" + qgetenv("ZEL_PG_DATABASE") + "\nuser=" + qgetenv("ZEL_PG_USER") + "\n");
    out.close();
    qputenv("PGSERVICEFILE", services.toLocal8Bit());
    writeAliases("[REPORTS]\nDriver=POSTGRESQL\nService=zelreports\n", Private);
    TzelSession session;
    const QString connection = session.open(u"REPORTS"_s).connectionName;
    QSqlQuery q(QSqlDatabase::database(connection, false));
    QVERIFY(q.exec(u"SELECT current_database()"_s));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), qEnvironmentVariable("ZEL_PG_DATABASE"));
    q = QSqlQuery();
    session.closeAll();
    qunsetenv("PGSERVICEFILE");
  }

  // The --alias forms of the servers and of Firebird's embedded engine.
  void aliasOptionForms_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("params");
    QTest::newRow("mariadb") << u"S=mariadb:db.example:3307/sales?user=ann"_s << u"MARIADB"_s
                             << QStringList{u"HOST=db.example"_s, u"DATABASE=sales"_s,
                                            u"PORT=3307"_s, u"USER NAME=ann"_s};
    QTest::newRow("mysql, no port")
        << u"S=mysql:db/sales"_s << u"MARIADB"_s << QStringList{u"HOST=db"_s, u"DATABASE=sales"_s};
    QTest::newRow("firebird alias")
        << u"S=firebird:db:3050/employee?user=SYSDBA"_s << u"FIREBIRD"_s
        << QStringList{u"HOST=db"_s, u"DATABASE=employee"_s, u"PORT=3050"_s, u"USER NAME=SYSDBA"_s};
    QTest::newRow("firebird path on the server")
        << u"S=firebird:db/srv/data/shop.fdb"_s << u"FIREBIRD"_s
        << QStringList{u"HOST=db"_s, u"DATABASE=/srv/data/shop.fdb"_s};
    QTest::newRow("firebird path, double slash")
        << u"S=firebird:db:3050//srv/shop.fdb"_s << u"FIREBIRD"_s
        << QStringList{u"HOST=db"_s, u"DATABASE=/srv/shop.fdb"_s, u"PORT=3050"_s};
    QTest::newRow("firebird file, embedded") << u"S=firebird:/data/shop.fdb"_s << u"FIREBIRD"_s
                                             << QStringList{u"DATABASE=/data/shop.fdb"_s};
  }

  void aliasOptionForms() {
    QFETCH(QString, value);
    QFETCH(QString, driver);
    QFETCH(QStringList, params);
    QString error;
    const auto alias = parseAliasOption(value, error);
    QCOMPARE(error, QString());
    QVERIFY(alias);
    QCOMPARE(alias->name, u"S"_s);
    QCOMPARE(alias->driverName, driver);
    QCOMPARE(alias->params, params);
    QVERIFY(TzelSession::driverKind(driver));
  }

  // The engine's prefix in the environment names the server: ZEL_MY_* or ZEL_FB_*. The
  // password comes from where the row says, never twice.
  void serverAliasOpens_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("passwordFrom");
    QTest::addColumn<QString>("charset");
    QTest::newRow("MariaDB, password of the alias")
        << u"MY"_s << u"MARIADB"_s << u"alias"_s << u"utf8mb4"_s;
    QTest::newRow("MySQL, password of MYSQL_PWD")
        << u"MY"_s << u"MYSQL"_s << u"MYSQL_PWD"_s << u"utf8mb4"_s;
    QTest::newRow("MariaDB, password of ~/.my.cnf")
        << u"MY"_s << u"MARIADB"_s << u"option file"_s << u"utf8mb4"_s;
    QTest::newRow("Firebird, password of the alias")
        << u"FB"_s << u"FIREBIRD"_s << u"alias"_s << u"UTF8"_s;
    QTest::newRow("Firebird, user and password of ISC_USER and ISC_PASSWORD")
        << u"FB"_s << u"FIREBIRD"_s << u"ISC_PASSWORD"_s << u"UTF8"_s;
  }

  void serverAliasOpens() {
    QFETCH(QString, engine);
    QFETCH(QString, driver);
    QFETCH(QString, passwordFrom);
    QFETCH(QString, charset);
    const auto env = [&engine](const char *key) {
      return qgetenv(("ZEL_" + engine.toLatin1() + '_' + key).constData());
    };
    if (env("HOST").isEmpty())
      QSKIP("No server of this engine was started for this run (ZEL_MY_HOST, ZEL_FB_HOST)");
    QByteArray text = "[SERVER]\nDriver=" + driver.toLatin1() + "\nServer Name=" + env("HOST") +
                      "\nPort=" + env("PORT") + "\nDatabase=" + env("DATABASE") + "\n";
    if (passwordFrom != u"ISC_PASSWORD")
      text += "User Name=" + env("USER") + "\n";
    if (passwordFrom == u"alias")
      text += "Password=" + env("PASSWORD") + "\n";
    writeAliases(text, Private);
    const QByteArray home = qgetenv("HOME");
    if (passwordFrom == u"MYSQL_PWD") {
      qputenv("MYSQL_PWD", env("PASSWORD"));
    } else if (passwordFrom == u"ISC_PASSWORD") {
      qputenv("ISC_USER", env("USER"));
      qputenv("ISC_PASSWORD", env("PASSWORD"));
    } else if (passwordFrom == u"option file") {
      QFile cnf(scratch.filePath(u".my.cnf"_s));
      QVERIFY(cnf.open(QIODevice::WriteOnly));
      cnf.write("[mysqld]\npassword=not this\n[client]\npassword = \"" + env("PASSWORD") + "\"\n");
      cnf.close();
      qputenv("HOME", scratch.path().toLocal8Bit());
    }
    TzelSession session;
    QString opened;
    QString connection;
    try {
      connection = session.open(u"SERVER"_s).connectionName;
    } catch (const EzelError &e) {
      opened = e.message();
    }
    for (const char *variable : {"MYSQL_PWD", "ISC_USER", "ISC_PASSWORD"})
      qunsetenv(variable);
    qputenv("HOME", home);
    QCOMPARE(opened, QString());
    QCOMPARE(firstValue(connection,
                        QString::fromLatin1(engine == u"MY" ? MariaDbCharset : FirebirdCharset)),
             charset);
    session.closeAll();
  }

  // The server's refusal is passed on; the password given is not in it.
  void wrongPasswordIsNotRepeated_data() {
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("driver");
    QTest::newRow("MariaDB") << u"MY"_s << u"MARIADB"_s;
    QTest::newRow("Firebird") << u"FB"_s << u"FIREBIRD"_s;
  }

  void wrongPasswordIsNotRepeated() {
    QFETCH(QString, engine);
    QFETCH(QString, driver);
    const auto env = [&engine](const char *key) {
      return qgetenv(("ZEL_" + engine.toLatin1() + '_' + key).constData());
    };
    if (env("HOST").isEmpty())
      QSKIP("No server of this engine was started for this run (ZEL_MY_HOST, ZEL_FB_HOST)");
    writeAliases("[SERVER]\nDriver=" + driver.toLatin1() + "\nHost=" + env("HOST") +
                     "\nPort=" + env("PORT") + "\nDatabase=" + env("DATABASE") +
                     "\nUser Name=" + env("USER") + "\nPassword=Wr0ngS3cret\n",
                 Private);
    TzelSession session;
    const QString message = errorOf([&] { session.open(u"SERVER"_s); });
    QVERIFY2(message.startsWith(u"Error: "_s) && message.size() > 10, qPrintable(message));
    QVERIFY2(!message.contains(u"Wr0ngS3cret"_s), qPrintable(message));
  }

  // A Firebird database named by its file with no server opens the embedded engine as
  // SYSDBA. The file is a copy made for the test: a file a server has open is never used so.
  void firebirdFileOpensEmbedded() {
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the embedded engine's threads outlive the test and stop LeakSanitizer's exit check");
#endif
    const QString isql = QStandardPaths::findExecutable(u"isql-fb"_s);
    if (isql.isEmpty())
      QSKIP("isql-fb is not installed: no embedded Firebird engine");
    const QString lock = scratch.filePath(u"fblock"_s);
    QVERIFY(QDir().mkpath(lock));
    QProcess make;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FIREBIRD_LOCK"_s, lock);
    make.setProcessEnvironment(environment);
    make.start(isql, {u"-q"_s});
    const QString made = scratch.filePath(u"made.fdb"_s);
    make.write(u"CREATE DATABASE '%1' USER 'SYSDBA' DEFAULT CHARACTER SET UTF8;\n"
               "CREATE TABLE PARTS (NAME VARCHAR(20));\n"
               "INSERT INTO PARTS VALUES ('Grüße');\nCOMMIT;\n"_s.arg(made)
                   .toUtf8());
    make.closeWriteChannel();
    QVERIFY(make.waitForFinished(30000));
    QVERIFY2(QFile::exists(made), make.readAllStandardError().constData());
    const QString copy = scratch.filePath(u"copy.fdb"_s);
    QVERIFY(QFile::copy(made, copy));
    writeAliases("[LOCALFB]\nDriver=FIREBIRD\nDatabase=" + copy.toUtf8() + "\n", Private);
    TzelSession session;
    QString connection;
    QCOMPARE(errorOf([&] { connection = session.open(u"LOCALFB"_s).connectionName; }), QString());
    QCOMPARE(firstValue(connection, u"SELECT NAME FROM PARTS"_s), u"Grüße"_s);
    QCOMPARE(firstValue(connection, u"SELECT CURRENT_USER FROM RDB$DATABASE"_s), u"SYSDBA"_s);
    QCOMPARE(session.filesRead(u"LOCALFB"_s, u"SELECT 1 FROM RDB$DATABASE"_s), QStringList{copy});
    session.closeAll();
  }
};

QTEST_GUILESS_MAIN(TstAliasesFile)
#include "tst_aliasesfile.moc"
