// SPDX-License-Identifier: MIT
// The user's aliases file: values as written, a password only in a private file, and
// PostgreSQL settings left to libpq when the alias does not name them.
#include "database/zelsession.h"
#include "model/zeltypes.h"
#include "support/errorof.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr auto Private = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

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
};

QTEST_GUILESS_MAIN(TstAliasesFile)
#include "tst_aliasesfile.moc"
