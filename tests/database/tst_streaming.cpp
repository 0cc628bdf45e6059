// SPDX-License-Identifier: MIT
// The dataset reads its records on demand on SQLite, STANDARD, PostgreSQL, MariaDB and
// Firebird (the servers when ZEL_PG_HOST, ZEL_MY_HOST and ZEL_FB_HOST name them,
// scripts/test.sh): a 100,000-record result walked whole, a grid that shows the first block
// only, export after scrolling, cancelling a slow statement and failures in the middle of a
// result.
#include "database/zelconnection.h"
#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zeldatasource.h"
#include "database/zeldbasefile.h"
#include "export/exportrecords.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"

#include <QBuffer>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

constexpr int Rows = 100000;

QString nameOf(int id) {
  return u"Name %1"_s.arg(id);
}

bool havePostgres() {
  return !qEnvironmentVariableIsEmpty("ZEL_PG_HOST");
}

// The variable naming the server a database of this test needs, or null.
const char *serverVariable(const QString &database) {
  if (database == u"STREAMPG")
    return "ZEL_PG_HOST";
  if (database == u"STREAMMY")
    return "ZEL_MY_HOST";
  if (database == u"STREAMFB")
    return "ZEL_FB_HOST";
  return nullptr;
}

bool haveServer(const QString &database) {
  const char *variable = serverVariable(database);
  return !variable || !qEnvironmentVariableIsEmpty(variable);
}

// The settings of a server alias from ZEL_<engine>_* variables.
QStringList serverParams(const char *engine) {
  const auto env = [engine](const char *key) {
    return qEnvironmentVariable(("ZEL_"_ba + engine + '_' + key).constData());
  };
  return {u"HOST="_s + env("HOST"), u"PORT="_s + env("PORT"), u"DATABASE="_s + env("DATABASE"),
          u"USER NAME="_s + env("USER"), u"PASSWORD="_s + env("PASSWORD")};
}

// A macro: QSKIP has to leave the test function itself.
#define SKIP_WITHOUT_SERVER(database)                                                              \
  if (!haveServer(database))                                                                       \
  QSKIP("No server of this engine was started for this run (ZEL_PG_HOST, ZEL_MY_HOST, "            \
        "ZEL_FB_HOST)")

// A statement that runs until it is stopped, in each dialect.
QString endlessStatement(const QString &database) {
  if (database == u"STREAMPG")
    return u"SELECT pg_sleep(60)"_s;
  if (database == u"STREAMMY")
    return u"SELECT SLEEP(60)"_s;
  if (database == u"STREAMFB")
    return u"SELECT COUNT(*) FROM RDB$FIELDS a, RDB$FIELDS b, RDB$FIELDS c, RDB$FIELDS d"_s;
  return u"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
         "SELECT COUNT(*) FROM c"_s;
}

// The table's name as each database's SQL reaches it.
QString tableOf(const QString &database) {
  return database == u"STREAMSTD" ? u"\"SEQ.DBF\""_s : u"SEQ"_s;
}

} // namespace

class TstStreaming : public QObject {
  Q_OBJECT
  QTemporaryDir scratch;
  TzelConnection lite;
  TzelConnection standard;
  TzelConnection pg;
  TzelConnection my;
  TzelConnection fb;

  void open(TzelDataset &ds, const QString &database, const QString &sql) {
    ds.setDatabaseName(database);
    ds.setSQL({sql});
    ds.Open();
  }
  void addDatabases() {
    QTest::addColumn<QString>("database");
    QTest::newRow("sqlite") << u"STREAMLITE"_s;
    QTest::newRow("standard") << u"STREAMSTD"_s;
    QTest::newRow("postgresql") << u"STREAMPG"_s;
    QTest::newRow("mariadb") << u"STREAMMY"_s;
    QTest::newRow("firebird") << u"STREAMFB"_s;
  }
  void valueByType(const QString &database, const QString &from, const QString &name);
  void openServer(TzelConnection &connection, const QString &name, const QString &driver,
                  const char *engine, const QStringList &setup);

private slots:
  void initTestCase();
  void walkEqualsTheTable_data() { addDatabases(); }
  void walkEqualsTheTable();
  void sourceShowsTheFirstBlockOnly_data() { addDatabases(); }
  void sourceShowsTheFirstBlockOnly();
  void recordsBehindTheWindowAreReadAgain();
  void exportAfterScrollingWritesEveryRecordOnce_data() { addDatabases(); }
  void exportAfterScrollingWritesEveryRecordOnce();
  void cancelFromATimer_data();
  void cancelFromATimer();
  void cancelWhileIdleStopsTheNextRead_data();
  void cancelWhileIdleStopsTheNextRead();
  void postgresValuesByType_data();
  void postgresValuesByType();
  void postgresExportByType_data();
  void postgresExportByType();
  void postgresConnectionServesTheNextStatement();
  void failureInTheMiddle_data();
  void failureInTheMiddle();
  void droppedConnectionIsReported();
  void mariadbValuesByType();
  void firebirdValuesByType_data();
  void firebirdValuesByType();
  void cancelStopsTheStatementInTheServer_data();
  void cancelStopsTheStatementInTheServer();
  void serverGoneMidRunIsReported_data();
  void serverGoneMidRunIsReported();
  void generatedResultStreams_data();
  void generatedResultStreams();
  void smallResultsAreCountedAtOnce();
  void gridGrowsWhileScrolled();
  void gridReportsAFailedRead();
  void tableExportStreams_data();
  void tableExportStreams();
};

void TstStreaming::initTestCase() {
  QVERIFY(scratch.isValid());
  const QString file = scratch.filePath(u"seq.sqlite"_s);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup-lite"_s);
    db.setDatabaseName(file);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(u"CREATE TABLE SEQ (ID INTEGER, NAME VARCHAR(30), SOLD DATE)"_s));
    QVERIFY2(
        q.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
               "WHERE i < %1) INSERT INTO SEQ SELECT i, 'Name ' || i, "
               "CASE WHEN i = 70000 THEN 'no date' ELSE date('1999-01-01') END FROM n"_s.arg(Rows)),
        qPrintable(q.lastError().text()));
    db.close();
  }
  QSqlDatabase::removeDatabase(u"setup-lite"_s);
  lite.setDatabaseName(u"STREAMLITE"_s);
  lite.setDriverName(u"SQLITE"_s);
  lite.setParams({u"DATABASE="_s + file});
  QVERIFY2(lite.Open(), qPrintable(lite.lastError()));

  TzelTableData seq;
  seq.columns = {{u"ID"_s, {ftInteger, 0}}, {u"NAME"_s, {ftString, 30}}};
  for (int i = 1; i <= Rows; ++i)
    seq.rows.append({i, nameOf(i)});
  QVERIFY(scratch.path().size() > 0);
  QDir().mkpath(scratch.filePath(u"std"_s));
  QVERIFY(writeDbaseTable(scratch.filePath(u"std/SEQ.DBF"_s), seq).ok);
  standard.setDatabaseName(u"STREAMSTD"_s);
  standard.setDriverName(u"STANDARD"_s);
  standard.setParams({u"PATH="_s + scratch.filePath(u"std"_s)});
  QVERIFY2(standard.Open(), qPrintable(standard.lastError()));

  if (haveServer(u"STREAMMY"_s))
    openServer(my, u"STREAMMY"_s, u"MARIADB"_s, "MY",
               {u"DROP TABLE IF EXISTS SEQ"_s, u"CREATE TABLE SEQ (ID INTEGER, NAME VARCHAR(30))"_s,
                u"INSERT INTO SEQ SELECT seq, CONCAT('Name ', seq) FROM seq_1_to_%1"_s.arg(Rows),
                u"DROP TABLE IF EXISTS TYPES"_s,
                u"CREATE TABLE TYPES (I INTEGER, V VARCHAR(20), D DOUBLE, W DATE, B BOOLEAN, "
                "N DECIMAL(10,2), T DATETIME, X TEXT, Z INTEGER)"_s,
                u"INSERT INTO TYPES VALUES (-7, 'Grüße 東京', 2.5, '1998-01-15', TRUE, 12.75, "
                "'1998-01-15 08:30:00', 'memo', NULL)"_s});
  if (haveServer(u"STREAMFB"_s))
    openServer(fb, u"STREAMFB"_s, u"FIREBIRD"_s, "FB",
               {u"RECREATE TABLE SEQ (ID INTEGER, NAME VARCHAR(30))"_s,
                u"EXECUTE BLOCK AS DECLARE i INTEGER = 1; BEGIN WHILE (i <= %1) DO BEGIN "
                "INSERT INTO SEQ VALUES (:i, 'Name ' || :i); i = i + 1; END END"_s.arg(Rows)});
  if (!havePostgres())
    return;
  pg.setDatabaseName(u"STREAMPG"_s);
  pg.setDriverName(u"POSTGRESQL"_s);
  pg.setParams({u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
                u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"),
                u"DATABASE="_s + qEnvironmentVariable("ZEL_PG_DATABASE"),
                u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")});
  QVERIFY2(pg.Open(), qPrintable(pg.lastError()));
  TzelDataset setup;
  setup.setDatabaseName(u"STREAMPG"_s);
  for (const QString &sql :
       {u"DROP TABLE IF EXISTS SEQ"_s, u"CREATE TABLE SEQ (ID INTEGER, NAME VARCHAR(30))"_s,
        u"INSERT INTO SEQ SELECT i, 'Name ' || i FROM generate_series(1, %1) AS i"_s.arg(Rows)}) {
    setup.setSQL({sql});
    setup.ExecSQL();
  }
}

// Opens a server alias of the test and runs the statements that make its tables.
void TstStreaming::openServer(TzelConnection &connection, const QString &name,
                              const QString &driver, const char *engine, const QStringList &setup) {
  connection.setDatabaseName(name);
  connection.setDriverName(driver);
  connection.setParams(serverParams(engine));
  QVERIFY2(connection.Open(), qPrintable(connection.lastError()));
  TzelDataset run;
  run.setDatabaseName(name);
  for (const QString &sql : setup) {
    run.setSQL({sql});
    run.ExecSQL();
  }
}

void TstStreaming::walkEqualsTheTable() {
  QFETCH(QString, database);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  open(ds, database, u"SELECT ID, NAME FROM "_s + tableOf(database) + u" ORDER BY ID"_s);
  QVERIFY(!ds.AllFetched());
  QVERIFY(ds.FetchedCount() < Rows);
  int expected = 1;
  for (ds.First(); !ds.Eof(); ds.Next(), ++expected) {
    if (ds.Fields(0)->Value().toInt() != expected ||
        ds.Fields(1)->Value().toString() != nameOf(expected))
      QFAIL(qPrintable(u"record %1: %2 %3"_s.arg(expected).arg(ds.Fields(0)->Value().toString(),
                                                               ds.Fields(1)->Value().toString())));
  }
  QCOMPARE(expected - 1, Rows);
  QVERIFY(ds.AllFetched());
  QCOMPARE(ds.RecordCount(), Rows);
  // A second walk gives the same records again.
  ds.First();
  QCOMPARE(ds.Fields(0)->Value().toInt(), 1);
  int second = 0;
  for (; !ds.Eof(); ds.Next())
    ++second;
  QCOMPARE(second, Rows);
}

void TstStreaming::sourceShowsTheFirstBlockOnly() {
  QFETCH(QString, database);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  TzelDataSource source;
  source.setDataSet(&ds);
  open(ds, database, u"SELECT ID, NAME FROM "_s + tableOf(database) + u" ORDER BY ID"_s);
  const int first = ds.FetchedCount();
  QVERIFY2(first > 0 && first <= 1024, qPrintable(QString::number(first)));
  QCOMPARE(source.rowCount(), first);
  QVERIFY(source.canFetchMore());
  QCOMPARE(source.data(source.index(first - 1, 1)).toString(), nameOf(first));

  source.fetchMore();
  QCOMPARE(source.rowCount(), first + TzelDataSource::FetchBlock);
  QCOMPARE(ds.FetchedCount(), first + TzelDataSource::FetchBlock);
  QCOMPARE(source.data(source.index(first + 10, 0)).toString(), QString::number(first + 11));

  // The total is counted when asked for; the grid keeps what it shows.
  QCOMPARE(source.TotalRowCount(), Rows);
  QCOMPARE(source.rowCount(), first + TzelDataSource::FetchBlock);
  QCOMPARE(source.data(source.index(first + 20, 0)).toString(), QString::number(first + 21));
}

void TstStreaming::recordsBehindTheWindowAreReadAgain() {
  TzelDataset ds;
  open(ds, u"STREAMLITE"_s, u"SELECT ID, NAME FROM SEQ ORDER BY ID"_s);
  QCOMPARE(ds.value(Rows - 1, 0).toInt(), Rows);
  QVERIFY(ds.value(Rows, 0).isNull());
  QCOMPARE(ds.value(5000, 1).toString(), nameOf(5001));
  QCOMPARE(ds.value(2, 0).toInt(), 3);
  QCOMPARE(ds.value(60000, 0).toInt(), 60001);
  QCOMPARE(ds.value(59000, 0).toInt(), 59001);
  QCOMPARE(ds.RecordCount(), Rows);
}

void TstStreaming::exportAfterScrollingWritesEveryRecordOnce() {
  QFETCH(QString, database);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  TzelDataSource source;
  source.setDataSet(&ds);
  open(ds, database, u"SELECT ID, NAME FROM "_s + tableOf(database) + u" ORDER BY ID"_s);
  for (int i = 0; i < 40; ++i)
    source.fetchMore();
  QCOMPARE(source.data(source.index(source.rowCount() - 1, 0)).toString(),
           QString::number(source.rowCount()));
  ds.Next();
  ds.Next();
  RecordingMessages rec;
  const QString file = scratch.filePath(database + u".csv"_s);
  QVERIFY2(ExportRecords(&ds, file, zelExportCsv, true, false), qPrintable(rec.lastText()));
  QCOMPARE(ds.RecNo(), 0);
  QVERIFY(ds.Active());
  QFile written(file);
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readLine().toUpper(), QByteArray("ID,NAME\r\n"));
  int expected = 1;
  while (!written.atEnd()) {
    const QByteArray line = written.readLine();
    if (line != u"%1,\"%2\"\r\n"_s.arg(expected).arg(nameOf(expected)).toUtf8())
      QFAIL(line.constData());
    ++expected;
  }
  QCOMPARE(expected - 1, Rows);
  // The grid still shows its records after the walk.
  QCOMPARE(source.data(source.index(3, 0)).toString(), u"4"_s);
}

void TstStreaming::cancelFromATimer_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<bool>("fromThread");
  QTest::newRow("sqlite, timer of the waiting window") << u"STREAMLITE"_s << false;
  QTest::newRow("sqlite, timer of another thread") << u"STREAMLITE"_s << true;
  QTest::newRow("standard, timer of the waiting window") << u"STREAMSTD"_s << false;
  QTest::newRow("postgresql, timer of the waiting window") << u"STREAMPG"_s << false;
  QTest::newRow("postgresql, timer of another thread") << u"STREAMPG"_s << true;
  QTest::newRow("mariadb, timer of the waiting window") << u"STREAMMY"_s << false;
  QTest::newRow("mariadb, timer of another thread") << u"STREAMMY"_s << true;
  QTest::newRow("firebird, timer of the waiting window") << u"STREAMFB"_s << false;
  QTest::newRow("firebird, timer of another thread") << u"STREAMFB"_s << true;
}

void TstStreaming::cancelFromATimer() {
  QFETCH(QString, database);
  QFETCH(bool, fromThread);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  ds.setDatabaseName(database);
  ds.setSQL({endlessStatement(database)});
  // The waiting window lets its timers run while the database works; the dataset refuses
  // to run another statement meanwhile.
  bool refused = false;
  connect(&ds, &TzelDataset::waiting, this, [&] {
    QCoreApplication::processEvents();
    try {
      ds.Open();
    } catch (const EzelError &e) {
      refused = e.message() == u"Error: The dataset is still running its statement"_s;
    }
  });
  // Both timers go with this function, so neither can fire on a dataset that is gone.
  QTimer timer;
  timer.setSingleShot(true);
  connect(&timer, &QTimer::timeout, this, [&ds] { ds.Cancel(); });
  if (!fromThread)
    timer.start(300);
  std::unique_ptr<QThread> canceller(QThread::create([&ds] {
    QThread::msleep(300);
    ds.Cancel();
  }));
  if (fromThread)
    canceller->start();
  bool cancelled = false;
  QString failure;
  try {
    ds.Open();
  } catch (const EzelCancelled &) {
    cancelled = true;
  } catch (const EzelError &e) {
    failure = e.message();
  }
  canceller->wait();
  QVERIFY2(failure.isEmpty(), qPrintable(u"failed instead of cancelled: "_s + failure));
  QVERIFY(cancelled);
  QVERIFY(refused);
  QVERIFY(ds.Cancelled());
  QVERIFY(!ds.Active());
  // The same connection runs the next statement.
  ds.setSQL({u"SELECT COUNT(*) FROM "_s + tableOf(database)});
  ds.Open();
  QVERIFY(!ds.Cancelled());
  QCOMPARE(ds.Fields(0)->Value().toInt(), Rows);
}

void TstStreaming::cancelWhileIdleStopsTheNextRead_data() {
  QTest::addColumn<QString>("database");
  QTest::newRow("sqlite") << u"STREAMLITE"_s;
  QTest::newRow("postgresql") << u"STREAMPG"_s;
  QTest::newRow("mariadb") << u"STREAMMY"_s;
  QTest::newRow("firebird") << u"STREAMFB"_s;
}

void TstStreaming::cancelWhileIdleStopsTheNextRead() {
  QFETCH(QString, database);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  TzelDataset other;
  open(ds, database, u"SELECT ID FROM SEQ ORDER BY ID"_s);
  open(other, database, u"SELECT ID FROM SEQ ORDER BY ID"_s);
  ds.Cancel();
  QVERIFY_THROWS_EXCEPTION(EzelCancelled, ds.value(50000, 0));
  QVERIFY(!ds.Active());
  QVERIFY(ds.Cancelled());
  // Only that dataset's statement stopped: the other one reads on.
  QCOMPARE(other.value(50000, 0).toInt(), 50001);
  QVERIFY(!other.Cancelled());
  // The cancelled statement's connection runs the next one.
  open(ds, database, u"SELECT MAX(ID) FROM SEQ"_s);
  QCOMPARE(ds.Fields(0)->Value().toInt(), Rows);
}

void TstStreaming::postgresValuesByType_data() {
  QTest::addColumn<QString>("expression");
  QTest::addColumn<int>("type");
  QTest::addColumn<int>("size");
  QTest::addColumn<QVariant>("value");
  const QDate day(1998, 1, 15);
  QTest::newRow("int2") << u"4::int2"_s << int(ftSmallint) << 0 << QVariant(4);
  QTest::newRow("int4") << u"-7"_s << int(ftInteger) << 0 << QVariant(-7);
  QTest::newRow("int8") << u"9000000000::int8"_s << int(ftInteger) << 0 << QVariant(9000000000LL);
  QTest::newRow("float4") << u"2.5::float4"_s << int(ftFloat) << 0 << QVariant(2.5);
  QTest::newRow("float8 infinity")
      << u"'-Infinity'::float8"_s << int(ftFloat) << 0 << QVariant(-qInf());
  QTest::newRow("numeric") << u"12.75::numeric(10,2)"_s << int(ftBCD) << 2 << QVariant(12.75);
  QTest::newRow("bool") << u"TRUE"_s << int(ftBoolean) << 0 << QVariant(true);
  QTest::newRow("date") << u"DATE '1998-01-15'"_s << int(ftDate) << 0 << QVariant(day);
  QTest::newRow("time") << u"TIME '08:30:15.5'"_s << int(ftTime) << 0
                        << QVariant(QTime(8, 30, 15, 500));
  QTest::newRow("timestamp") << u"TIMESTAMP '1998-01-15 08:30:00'"_s << int(ftDateTime) << 0
                             << QVariant(QDateTime(day, QTime(8, 30), Qt::UTC));
  QTest::newRow("timestamptz") << u"TIMESTAMPTZ '1998-01-15 08:30:00+02'"_s << int(ftDateTime) << 0
                               << QVariant(QDateTime(day, QTime(6, 30), Qt::UTC));
  QTest::newRow("text") << u"'Grüße'::text"_s << int(ftMemo) << 0 << QVariant(u"Grüße"_s);
  QTest::newRow("varchar") << u"'Bolt'::varchar(30)"_s << int(ftString) << 30
                           << QVariant(u"Bolt"_s);
  QTest::newRow("bpchar") << u"'ab'::char(4)"_s << int(ftString) << 4 << QVariant(u"ab  "_s);
  QTest::newRow("bytea") << uR"('\x00ff'::bytea)"_s << int(ftBlob) << 0
                         << QVariant(QByteArray("\x00\xff", 2));
  QTest::newRow("json as text") << uR"('{"a": 1}'::json)"_s << int(ftString) << 0
                                << QVariant(uR"({"a": 1})"_s);
  QTest::newRow("null") << u"NULL::integer"_s << int(ftInteger) << 0 << QVariant();
}

void TstStreaming::postgresValuesByType() {
  SKIP_WITHOUT_SERVER(u"STREAMPG"_s);
  valueByType(u"STREAMPG"_s, {}, u"v"_s);
}

// The value of the row's expression, selected from the given table, with its field's type.
void TstStreaming::valueByType(const QString &database, const QString &from, const QString &name) {
  QFETCH(QString, expression);
  QFETCH(int, type);
  QFETCH(int, size);
  QFETCH(QVariant, value);
  TzelDataset ds;
  open(ds, database, u"SELECT "_s + expression + u" AS V"_s + from);
  QCOMPARE(ds.Fields(0)->FieldName(), name);
  QCOMPARE(int(ds.Fields(0)->DataType()), type);
  QCOMPARE(ds.Fields(0)->Size(), size);
  const QVariant got = ds.Fields(0)->Value();
  QCOMPARE(got.typeId(), value.typeId());
  QCOMPARE(got, value);
}

void TstStreaming::postgresExportByType_data() {
  QTest::addColumn<QString>("expression");
  QTest::addColumn<QString>("format");
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QByteArray>("line");
  const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
  row("int4") << u"-7"_s << u"#"_s << u"en_US"_s << QByteArray("-7");
  row("int4 #,#") << u"1234567"_s << u"#,#"_s << u"en_US"_s << QByteArray("\"1,234,567\"");
  row("int8 past 2^53") << u"9007199254740993::int8"_s << u"#"_s << u"en_US"_s
                        << QByteArray("9007199254740992");
  row("int2 plain") << u"4::int2"_s << QString() << u"en_US"_s << QByteArray("4");
  row("numeric") << u"1234.5::numeric(10,2)"_s << u"#,##0.00"_s << u"en_US"_s
                 << QByteArray("\"1,234.50\"");
  row("numeric de_DE") << u"-1234.5::numeric(10,2)"_s << u"#,##0.00"_s << u"de_DE"_s
                       << QByteArray("\"-1.234,50\"");
  row("numeric halfway") << u"0.125::numeric(10,3)"_s << u"0.00"_s << u"en_US"_s
                         << QByteArray("0.13");
  row("numeric plain") << u"2.50::numeric(10,2)"_s << QString() << u"en_US"_s << QByteArray("2.5");
  row("numeric NaN") << u"'NaN'::numeric"_s << u"#.00"_s << u"en_US"_s << QByteArray("nan");
  row("float8") << u"2.675::float8"_s << u"0.###"_s << u"en_US"_s << QByteArray("2.675");
  row("float8 infinity") << u"'-Infinity'::float8"_s << u"#.00"_s << u"en_US"_s
                         << QByteArray("-inf");
  row("bool") << u"TRUE"_s << u"Yes;No"_s << u"en_US"_s << QByteArray("Yes");
  row("bool false") << u"FALSE"_s << QString() << u"en_US"_s << QByteArray("False");
  row("date") << u"DATE '1998-01-15'"_s << QString() << u"en_US"_s << QByteArray("\"1/15/1998\"");
  row("date de_DE") << u"DATE '1998-01-15'"_s << QString() << u"de_DE"_s
                    << QByteArray("\"15.01.1998\"");
  row("date names") << u"DATE '2024-02-29'"_s << u"dddd d mmmm yyyy"_s << u"fr_FR"_s
                    << QByteArray("\"jeudi 29 février 2024\"");
  row("date BC") << u"DATE '0044-03-15 BC'"_s << u"yyyy-mm-dd"_s << u"en_US"_s
                 << QByteArray("\"0044-03-15\"");
  row("date infinity") << u"'infinity'::date"_s << u"yyyy-mm-dd"_s << u"en_US"_s
                       << QByteArray("\"\"");
  row("time") << u"TIME '08:30:15.5'"_s << u"hh:nn:ss.zzz"_s << u"en_US"_s
              << QByteArray("\"08:30:15.500\"");
  row("time micro") << u"TIME '08:30:15.123456'"_s << u"tt"_s << u"en_US"_s
                    << QByteArray("\"8:30:15 AM\"");
  row("timestamp") << u"TIMESTAMP '1998-01-15 08:30:00'"_s << QString() << u"en_US"_s
                   << QByteArray("\"1/15/1998 8:30:00 AM\"");
  row("timestamp midnight") << u"TIMESTAMP '1998-01-15 00:00:00'"_s << QString() << u"de_DE"_s
                            << QByteArray("\"15.01.1998\"");
  row("timestamptz") << u"TIMESTAMPTZ '1998-01-15 08:30:00+02'"_s << u"yyyy-mm-dd hh:nn"_s
                     << u"en_US"_s << QByteArray("\"1998-01-15 06:30\"");
  row("text") << u"'say \"hi\", left'::text"_s << QString() << u"en_US"_s
              << QByteArray("\"say \"\"hi\"\", left\"");
  row("text accented") << u"'Grüße'::text"_s << QString() << u"en_US"_s << QByteArray("\"Grüße\"");
  row("bpchar") << u"'ab'::char(4)"_s << QString() << u"en_US"_s << QByteArray("\"ab  \"");
  row("json") << uR"('{"a": 1}'::json)"_s << QString() << u"en_US"_s
              << QByteArray(R"("{""a"": 1}")");
  row("bytea") << uR"('\x00ff'::bytea)"_s << QString() << u"en_US"_s << QByteArray("\"(BLOB)\"");
  row("oid") << u"3000000000::oid"_s << QString() << u"en_US"_s << QByteArray("\"0\"");
  row("null integer") << u"NULL::integer"_s << u"#"_s << u"en_US"_s << QByteArray();
  row("null text") << u"NULL::text"_s << QString() << u"en_US"_s << QByteArray("\"\"");
}

// Past the first block the dataset keeps, PostgreSQL's records are written straight from the
// server's texts: every line is the same as those of the records kept.
void TstStreaming::postgresExportByType() {
  SKIP_WITHOUT_SERVER(u"STREAMPG"_s);
  QFETCH(QString, expression);
  QFETCH(QString, format);
  QFETCH(QString, locale);
  QFETCH(QByteArray, line);
  constexpr int Records = 1500;
  const QLocale before;
  QLocale::setDefault(QLocale(locale));
  TzelDataset ds;
  open(ds, u"STREAMPG"_s,
       u"SELECT "_s + expression + u" AS V FROM generate_series(1, %1)"_s.arg(Records));
  QLocale::setDefault(before);
  TzelDatasetField *field = ds.Fields(0);
  if (field->DataType() == ftBoolean)
    field->setDisplayValues(format.isEmpty() ? u"True;False"_s : format);
  else
    field->setDisplayFormat(format);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteDelimitedRecords(ds, buffer, u',', false);
  QCOMPARE(buffer.data(), (line + "\r\n").repeated(Records));
}

// Every statement leaves the dataset's connection idle: after a failure in a later statement
// of the text, after a statement that returns no records and after a result left early.
void TstStreaming::postgresConnectionServesTheNextStatement() {
  SKIP_WITHOUT_SERVER(u"STREAMPG"_s);
  TzelDataset ds;
  ds.setDatabaseName(u"STREAMPG"_s);
  ds.setSQL({u"SELECT 1; SELECT 1 / 0"_s});
  QString message;
  try {
    ds.ExecSQL();
  } catch (const EzelError &e) {
    message = e.message();
  }
  QCOMPARE(message, u"Error: division by zero (22012)"_s);
  // A statement run without records is not interrupted by a second one from a waiting slot.
  bool refused = false;
  connect(&ds, &TzelDataset::waiting, this, [&] {
    try {
      ds.Open();
    } catch (const EzelError &e) {
      refused = e.message() == u"Error: The dataset is still running its statement"_s;
    }
  });
  ds.setSQL({u"SELECT pg_sleep(0.3)"_s});
  ds.ExecSQL();
  QVERIFY(refused);
  disconnect(&ds, &TzelDataset::waiting, this, nullptr);
  ds.setSQL({u"SET search_path TO public"_s});
  QVERIFY_THROWS_EXCEPTION(EzelError, ds.Open());
  open(ds, u"STREAMPG"_s, u"SELECT ID FROM SEQ ORDER BY ID"_s);
  QCOMPARE(ds.value(3000, 0).toInt(), 3001);
  QVERIFY(!ds.AllFetched());
  ds.Close();
  open(ds, u"STREAMPG"_s, u"SELECT COUNT(*) FROM SEQ"_s);
  QCOMPARE(ds.Fields(0)->Value().toInt(), Rows);
}

void TstStreaming::failureInTheMiddle_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("sql");
  QTest::newRow("sqlite: malformed value in the database")
      << u"STREAMLITE"_s
      << u"SELECT ID, json(CASE WHEN ID < 50000 THEN '1' ELSE '{' END) FROM SEQ"_s;
  QTest::newRow("sqlite: text of a date field that is no date")
      << u"STREAMLITE"_s << u"SELECT ID, SOLD FROM SEQ"_s;
  QTest::newRow("postgresql: conversion fails in the server")
      << u"STREAMPG"_s
      << u"SELECT ID, (CASE WHEN ID < 50000 THEN ID::text ELSE 'x' END)::integer FROM SEQ"_s;
  QTest::newRow("firebird: division by zero in the server")
      << u"STREAMFB"_s << u"SELECT ID, 1 / (ID - 50000) FROM SEQ"_s;
  QTest::newRow("mariadb: a subquery gives two rows in the server")
      << u"STREAMMY"_s
      << u"SELECT ID, CASE WHEN ID < 50000 THEN 1 ELSE (SELECT 1 UNION ALL SELECT 2) END "
         "FROM SEQ ORDER BY ID"_s;
}

void TstStreaming::failureInTheMiddle() {
  QFETCH(QString, database);
  QFETCH(QString, sql);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  open(ds, database, sql);
  int walked = 0;
  QString message;
  try {
    for (ds.First(); !ds.Eof(); ds.Next())
      ++walked;
  } catch (const EzelError &e) {
    message = e.message();
  }
  QVERIFY2(message.startsWith(u"Error: "_s), qPrintable(message));
  QVERIFY(walked > 1000 && walked < Rows);
  QVERIFY(!ds.Active());
  QVERIFY(!ds.Cancelled());

  // Exported, the same failure leaves no file behind.
  open(ds, database, sql);
  RecordingMessages rec;
  const QString file = scratch.filePath(u"partial.csv"_s);
  QVERIFY(!ExportRecords(&ds, file, zelExportCsv, true, false));
  QCOMPARE(rec.texts(), QStringList{message});
  QVERIFY(!QFile::exists(file));
}

void TstStreaming::droppedConnectionIsReported() {
  if (!havePostgres())
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  TzelDataset ds;
  open(ds, u"STREAMPG"_s,
       u"SELECT pg_backend_pid(), ID FROM SEQ CROSS JOIN generate_series(1, 5) ORDER BY ID"_s);
  const int pid = ds.Fields(0)->Value().toInt();
  TzelDataset killer;
  open(killer, u"STREAMPG"_s, u"SELECT pg_terminate_backend(%1)"_s.arg(pid));
  QVERIFY(killer.Fields(0)->Value().toBool());
  QString message;
  try {
    for (ds.First(); !ds.Eof(); ds.Next()) {
    }
  } catch (const EzelError &e) {
    message = e.message();
  }
  QVERIFY2(message.startsWith(u"Error: "_s), "the broken result was taken as complete");
  QVERIFY(!ds.Active());
}

// Each column type the query matrix uses, as MariaDB sends it.
void TstStreaming::mariadbValuesByType() {
  SKIP_WITHOUT_SERVER(u"STREAMMY"_s);
  TzelDataset ds;
  open(ds, u"STREAMMY"_s, u"SELECT * FROM TYPES"_s);
  const QDate day(1998, 1, 15);
  const QList<std::tuple<TFieldType, int, QVariant>> expected{
      {ftInteger, 0, QVariant(-7)},
      {ftString, 20, QVariant(u"Grüße 東京"_s)},
      {ftFloat, 0, QVariant(2.5)},
      {ftDate, 0, QVariant(day)},
      {ftBoolean, 0, QVariant(true)},
      {ftBCD, 2, QVariant(12.75)},
      {ftDateTime, 0, QVariant(QDateTime(day, QTime(8, 30), Qt::UTC))},
      {ftMemo, 0, QVariant(u"memo"_s)},
      {ftInteger, 0, QVariant()}};
  QCOMPARE(ds.FieldCount(), int(expected.size()));
  for (int i = 0; i < ds.FieldCount(); ++i) {
    const auto &[type, size, value] = expected[i];
    QCOMPARE(ds.Fields(i)->DataType(), type);
    QCOMPARE(ds.Fields(i)->Size(), size);
    QCOMPARE(ds.Fields(i)->Value().typeId(), value.typeId());
    QCOMPARE(ds.Fields(i)->Value(), value);
  }
}

void TstStreaming::firebirdValuesByType_data() {
  QTest::addColumn<QString>("expression");
  QTest::addColumn<int>("type");
  QTest::addColumn<int>("size");
  QTest::addColumn<QVariant>("value");
  const QDate day(1998, 1, 15);
  QTest::newRow("smallint") << u"CAST(4 AS SMALLINT)"_s << int(ftSmallint) << 0 << QVariant(4);
  QTest::newRow("integer") << u"-7"_s << int(ftInteger) << 0 << QVariant(-7);
  QTest::newRow("bigint") << u"CAST(9000000000 AS BIGINT)"_s << int(ftInteger) << 0
                          << QVariant(9000000000LL);
  QTest::newRow("double") << u"CAST(2.5 AS DOUBLE PRECISION)"_s << int(ftFloat) << 0
                          << QVariant(2.5);
  QTest::newRow("float") << u"CAST(-0.25 AS FLOAT)"_s << int(ftFloat) << 0 << QVariant(-0.25);
  QTest::newRow("numeric") << u"CAST(12.75 AS NUMERIC(10,2))"_s << int(ftBCD) << 2
                           << QVariant(12.75);
  QTest::newRow("decimal, 64 bits")
      << u"CAST(-3.1416 AS DECIMAL(18,4))"_s << int(ftBCD) << 4 << QVariant(-3.1416);
  QTest::newRow("varchar") << u"CAST('Grüße 東京' AS VARCHAR(20))"_s << int(ftString) << 20
                           << QVariant(u"Grüße 東京"_s);
  QTest::newRow("char, blank-padded")
      << u"CAST('ab' AS CHAR(4))"_s << int(ftString) << 4 << QVariant(u"ab  "_s);
  QTest::newRow("char of multibyte characters")
      << u"CAST('東京' AS CHAR(3))"_s << int(ftString) << 3 << QVariant(u"東京 "_s);
  QTest::newRow("date") << u"DATE '1998-01-15'"_s << int(ftDate) << 0 << QVariant(day);
  QTest::newRow("time") << u"TIME '08:30:15.5'"_s << int(ftTime) << 0
                        << QVariant(QTime(8, 30, 15, 500));
  QTest::newRow("timestamp") << u"TIMESTAMP '1998-01-15 08:30:00'"_s << int(ftDateTime) << 0
                             << QVariant(QDateTime(day, QTime(8, 30), Qt::UTC));
  QTest::newRow("boolean") << u"TRUE"_s << int(ftBoolean) << 0 << QVariant(true);
  QTest::newRow("blob text") << u"'memo ' || LPAD(CAST('' AS BLOB SUB_TYPE TEXT), 40000, 'x')"_s
                             << int(ftMemo) << 0 << QVariant(u"memo "_s + QString(40000, u'x'));
  QTest::newRow("null") << u"CAST(NULL AS INTEGER)"_s << int(ftInteger) << 0 << QVariant();
}

void TstStreaming::firebirdValuesByType() {
  SKIP_WITHOUT_SERVER(u"STREAMFB"_s);
  valueByType(u"STREAMFB"_s, u" FROM RDB$DATABASE"_s, u"V"_s);
}

void TstStreaming::cancelStopsTheStatementInTheServer_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QString>("running"); // counts the statement while the server runs it
  QTest::newRow("mariadb") << u"STREAMMY"_s << u"SELECT SLEEP(10)"_s
                           << u"SELECT COUNT(*) FROM information_schema.processlist "
                              "WHERE INFO = 'SELECT SLEEP(10)'"_s;
  // About 10 s of joining on this machine.
  QTest::newRow("firebird")
      << u"STREAMFB"_s
      << u"SELECT COUNT(*) FROM RDB$FIELDS a, RDB$FIELDS b, RDB$FIELDS c, "
         "(SELECT FIRST 12 1 AS N FROM RDB$FIELDS) d"_s
      << u"SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$STATE = 1 "
         "AND MON$SQL_TEXT STARTING WITH 'SELECT COUNT(*) FROM RDB$FIELDS a'"_s;
}

// Cancel during a statement of 10 s: the call returns, and the server no longer runs it,
// within 1 s.
void TstStreaming::cancelStopsTheStatementInTheServer() {
  QFETCH(QString, database);
  QFETCH(QString, sql);
  QFETCH(QString, running);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  ds.setDatabaseName(database);
  ds.setSQL({sql});
  TzelDataset watch;
  int seen = 0;
  QElapsedTimer sinceCancel;
  QTimer timer;
  timer.setSingleShot(true);
  connect(&timer, &QTimer::timeout, this, [&] {
    open(watch, database, running);
    seen = watch.Fields(0)->Value().toInt();
    sinceCancel.start();
    ds.Cancel();
  });
  connect(&ds, &TzelDataset::waiting, this, [] { QCoreApplication::processEvents(); });
  timer.start(500);
  QVERIFY_THROWS_EXCEPTION(EzelCancelled, ds.Open());
  QVERIFY2(sinceCancel.elapsed() < 1000, qPrintable(QString::number(sinceCancel.elapsed())));
  QCOMPARE(seen, 1);
  watch.Close();
  open(watch, database, running);
  QCOMPARE(watch.Fields(0)->Value().toInt(), 0);
  QVERIFY2(sinceCancel.elapsed() < 1000, qPrintable(QString::number(sinceCancel.elapsed())));
}

// The server ends the connection while records are read: a failure with the server's
// words, and the next statement opens a new connection.
void TstStreaming::serverGoneMidRunIsReported_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("sql");  // the connection's number first
  QTest::addColumn<QString>("kill"); // ends the connection of that number
  QTest::newRow("mariadb") << u"STREAMMY"_s
                           << u"SELECT CONNECTION_ID(), ID FROM SEQ CROSS JOIN seq_1_to_5 "
                              "ORDER BY ID"_s
                           << u"KILL CONNECTION %1"_s;
  // A user may end an attachment of its own without SYSDBA.
  QTest::newRow("firebird") << u"STREAMFB"_s
                            << u"SELECT CURRENT_CONNECTION, a.ID FROM SEQ a "
                               "CROSS JOIN (SELECT FIRST 5 ID FROM SEQ) b ORDER BY a.ID"_s
                            << u"DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = %1"_s;
}

void TstStreaming::serverGoneMidRunIsReported() {
  QFETCH(QString, database);
  QFETCH(QString, sql);
  QFETCH(QString, kill);
  SKIP_WITHOUT_SERVER(database);
  TzelDataset ds;
  open(ds, database, sql);
  TzelDataset killer;
  killer.setDatabaseName(database);
  killer.setSQL({kill.arg(ds.Fields(0)->Value().toLongLong())});
  try {
    killer.ExecSQL();
  } catch (const EzelError &e) {
    // Firebird lets only the database's owner end attachments, its own ones included.
    if (e.message().contains(u"no permission"_s))
      QSKIP(qPrintable(u"The test's user may not end a connection here: "_s + e.message()));
    throw;
  }
  QString message;
  try {
    for (ds.First(); !ds.Eof(); ds.Next()) {
    }
  } catch (const EzelError &e) {
    message = e.message();
  }
  QVERIFY2(message.startsWith(u"Error: "_s) && message.size() > 10,
           "the broken result was taken as complete");
  QVERIFY(!ds.Active());
  QVERIFY(!ds.Cancelled());
  open(ds, database, u"SELECT COUNT(*) FROM SEQ"_s);
  QCOMPARE(ds.Fields(0)->Value().toInt(), Rows);
}

void TstStreaming::generatedResultStreams_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("sql");
  QTest::newRow("mariadb") << u"STREAMMY"_s << u"SELECT seq FROM seq_1_to_200000"_s;
  QTest::newRow("firebird") << u"STREAMFB"_s
                            << u"EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN N = 1; "
                               "WHILE (N <= 200000) DO BEGIN SUSPEND; N = N + 1; END END"_s;
}

// A result larger than the table, made by the server, read in blocks to its end.
void TstStreaming::generatedResultStreams() {
  QFETCH(QString, database);
  QFETCH(QString, sql);
  SKIP_WITHOUT_SERVER(database);
  constexpr int Generated = 200000;
  TzelDataset ds;
  open(ds, database, sql);
  QVERIFY(ds.FetchedCount() < 2000);
  QCOMPARE(ds.value(150000, 0).toInt(), 150001);
  QCOMPARE(ds.value(Generated - 1, 0).toInt(), Generated);
  QVERIFY(ds.value(Generated, 0).isNull());
  QCOMPARE(ds.RecordCount(), Generated);
}

void TstStreaming::smallResultsAreCountedAtOnce() {
  TzelDataset ds;
  open(ds, u"STREAMLITE"_s, u"SELECT ID FROM SEQ WHERE ID <= 300"_s);
  QVERIFY(ds.AllFetched());
  QCOMPARE(ds.FetchedCount(), 300);
  QCOMPARE(ds.RecordCount(), 300);
  QVERIFY(!ds.IsEmpty());
  ds.Close();
  open(ds, u"STREAMLITE"_s, u"SELECT ID FROM SEQ WHERE ID < 0"_s);
  QVERIFY(ds.IsEmpty());
  QVERIFY(ds.Eof());
  QCOMPARE(ds.RecordCount(), 0);
}

void TstStreaming::gridGrowsWhileScrolled() {
  TzelDataset ds;
  TzelDataSource source;
  source.setDataSet(&ds);
  QTableView view;
  view.resize(400, 300);
  view.setModel(&source);
  open(ds, u"STREAMLITE"_s, u"SELECT ID, NAME FROM SEQ ORDER BY ID"_s);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  const int first = ds.FetchedCount();
  QCOMPARE(source.rowCount(), first);
  // Dragged to the end, the grid asks for one more block each time.
  for (int i = 1; i <= 3; ++i) {
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    QCOMPARE(source.rowCount(), first + i * TzelDataSource::FetchBlock);
  }
  QVERIFY(ds.FetchedCount() < 2 * first);
  QCOMPARE(view.model()->data(view.model()->index(source.rowCount() - 1, 0)).toInt(),
           source.rowCount());
}

void TstStreaming::gridReportsAFailedRead() {
  TzelDataset ds;
  TzelDataSource source;
  source.setDataSet(&ds);
  QSignalSpy failures(&source, &TzelDataSource::fetchFailed);
  RecordingMessages rec;
  open(ds, u"STREAMLITE"_s,
       u"SELECT ID, json(CASE WHEN ID < 1500 THEN '1' ELSE '{' END) FROM SEQ"_s);
  const int shown = source.rowCount();
  while (source.canFetchMore())
    source.fetchMore();
  QVERIFY(!ds.Active());
  QVERIFY(failures.wait(2000));
  QCOMPARE(failures.size(), 1);
  QVERIFY(failures.at(0).at(0).toString().contains(u"malformed JSON"_s));
  QCOMPARE(rec.texts(), QStringList{failures.at(0).at(0).toString()});
  // The grid drops the records of the broken result rather than show part of it.
  QCOMPARE(source.rowCount(), 0);
  QVERIFY(shown > 0);
}

void TstStreaming::tableExportStreams_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("sql");
  QTest::addColumn<int>("records"); // -1: the walk fails in the middle
  // Larger than the first block and the window together, so the walk reads the statement
  // anew; smaller than the other tests' results, as the table writers are slow.
  constexpr int Exported = 20000;
  const QString all = u"SELECT ID, NAME FROM SEQ WHERE ID <= %1"_s.arg(Exported);
  const QString failing = u"SELECT ID, json(CASE WHEN ID < 50000 THEN '1' ELSE '{' END) AS J "
                          "FROM SEQ"_s;
  QTest::newRow("dBase") << u"out.dbf"_s << 5 << all << Exported;
  QTest::newRow("Paradox") << u"out.db"_s << 9 << all << Exported;
  QTest::newRow("dBase, failing") << u"out.dbf"_s << 5 << failing << -1;
  QTest::newRow("Paradox, failing") << u"out.db"_s << 9 << failing << -1;
}

void TstStreaming::tableExportStreams() {
  QFETCH(QString, file);
  if (file.endsWith(u".db"_s))
    ZEL_SKIP_WITHOUT_PARADOX();
  QFETCH(int, type);
  QFETCH(QString, sql);
  QFETCH(int, records);
  QTemporaryDir dir;
  TzelDataset ds;
  open(ds, u"STREAMLITE"_s, sql);
  if (records > 0)
    QCOMPARE(ds.value(15000, 0).toInt(), 15001); // scrolled on before the export
  TzelDataModel model;
  RecordingMessages rec;
  QString name = dir.filePath(file);
  QCOMPARE(model.ExportTable(&ds, name, type, false), records > 0);
  if (records < 0) {
    QVERIFY2(rec.lastText().startsWith(u"Error: "_s), qPrintable(rec.lastText()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    return;
  }
  QVERIFY(rec.messages.isEmpty());
  QCOMPARE(ds.RecNo(), 0);
  QVERIFY(ds.Active());
  TzelDataset back;
  open(back, dir.path(),
       u"SELECT COUNT(*), MIN(ID), MAX(ID), COUNT(DISTINCT ID) FROM \""_s + file + u"\""_s);
  for (int i = 0; i < 4; ++i)
    QCOMPARE(back.Fields(i)->Value().toInt(), i == 1 ? 1 : records);
}

QTEST_MAIN(TstStreaming)
#include "tst_streaming.moc"
