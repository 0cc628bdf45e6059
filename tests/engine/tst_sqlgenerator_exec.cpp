// SPDX-License-Identifier: MIT
// Generated statements run on real engines: worked example 2 on SQLite and PostgreSQL,
// worked example 1 through the STANDARD driver on Paradox tables, and typed values that
// try to break out of their literal.

#include "database/zelconnection.h"
#include "database/zeldataset.h"
#include "database/zelparadoxfile.h"
#include "engine/sqlgenerator.h"
#include "engine/zelparams.h"
#include "engine/zelquerion.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/scriptedprompts.h"
#include "support/testservers.h"
#include "tst_sqlgenerator_fixture.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#define QVERIFY_SQL(q, call) QVERIFY2((q).call, qPrintable((q).lastError().text()))

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QPair<QString, int>>;

const QStringList kCreate{
    QStringLiteral("CREATE TABLE VENDORS (VND_NO INTEGER, VND_NM VARCHAR(30))"),
    QStringLiteral("CREATE TABLE PARTS (PT_ITM_NO INTEGER, VND_NO INTEGER, PT_DES VARCHAR(30), "
                   "ON_HND INTEGER)"),
    QStringLiteral("INSERT INTO VENDORS VALUES (1, 'Acme'), (2, 'Zeus'), (3, 'Bolt Works'), "
                   "(4, 'Other'), (5, 'O''Brien')"),
    QStringLiteral(
        "INSERT INTO PARTS VALUES (1, 1, 'Gear', 60), (2, 1, 'Cog', 50), "
        "(3, 2, 'Gear', 30), (4, 3, 'Bolt', 200), (5, 4, 'Nut', 500), (6, 5, 'Gear box', 5)")};

// Acme (60 + 50) and Bolt Works (LIKE '%Bo%') have more than 100 on hand; Zeus has 30.
const Rows kExample2Rows{{QStringLiteral("Acme"), 110}, {QStringLiteral("Bolt Works"), 200}};

QStringList generate(TzelModel &model, const std::function<void(TzelQuery &)> &fill,
                     QStringList params = {}) {
  QueryHolder holder(&model);
  fill(*holder.query);
  TzelSqlGenerator generator(*holder.query, model);
  QStringList sql;
  TzelGenerationHost host;
  if (!generator.GenerateSQL(sql, params, host))
    return {};
  return sql;
}

bool fillTables(QSqlDatabase db) {
  QSqlQuery q(db);
  for (const QString &statement : kCreate)
    if (!q.exec(statement)) {
      qWarning() << q.lastError().text();
      return false;
    }
  return true;
}

// Scores of three groups: averages 2.5, 108.5 and 2000; amounts of two decimals averaging
// 0.175, 1.5 and 15.
bool fillScores(QSqlDatabase db) {
  QSqlQuery q(db);
  for (const char *statement :
       {"DROP TABLE IF EXISTS zel_scores",
        "CREATE TABLE zel_scores (grp INTEGER, pts SMALLINT, amt DECIMAL(10, 2))",
        "INSERT INTO zel_scores VALUES (1, 2, 0.10), (1, 3, 0.25), (2, 108, 1), (2, 109, 2), "
        "(3, 1500, 10), (3, 2500, 20)"})
    if (!q.exec(QString::fromLatin1(statement))) {
      qWarning() << q.lastError().text();
      return false;
    }
  return true;
}

Rows rowsOf(QSqlQuery &q) {
  Rows rows;
  while (q.next())
    rows.append({q.value(0).toString(), q.value(1).toInt()});
  return rows;
}

QSqlDatabase postgres() {
  return testServerConnection(kTestPostgres, u"sqlgenpg"_s);
}

// Answers every parameter with one value, for the scope.
struct FixedParams : ScriptedPromptsScope {
  explicit FixedParams(const QString &value) {
    params = [value](QStringList &nameValues, TzelModel *) {
      for (QString &entry : nameValues)
        entry = entry.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') + value;
      return true;
    };
  }
};

} // namespace

class TstSqlGeneratorExec : public QObject {
  Q_OBJECT
  QSqlDatabase sqlite;

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    sqlite = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sqlgen"));
    sqlite.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY2(sqlite.open(), qPrintable(sqlite.lastError().text()));
    QVERIFY(fillTables(sqlite));
  }

  void example2OnSqlite() {
    RecordingMessages rec;
    auto model = makePartsModel(zelMSSQL, false);
    setExample2Dialect(*model);
    const QStringList sql = generate(*model, fillExample2);
    QCOMPARE(sql.join(QLatin1Char('\n')), example2Sql);
    QSqlQuery q(sqlite);
    QVERIFY_SQL(q, exec(sql.join(QLatin1Char('\n'))));
    QCOMPARE(rowsOf(q), kExample2Rows);
  }

  // A typed value that closes the literal and appends a statement stays one literal.
  void typedValuesStayLiterals_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("O'Brien") << "O'Brien" << Rows{{QStringLiteral("O'Brien"), 5}};
    QTest::newRow("close and drop") << "x'); DROP TABLE PARTS; --" << Rows{};
    QTest::newRow("close and widen") << "x' OR '1' = '1" << Rows{};
  }
  void typedValuesStayLiterals() {
    QFETCH(QString, value);
    QFETCH(Rows, rows);
    RecordingMessages rec;
    std::optional<FixedParams> answers(std::in_place, value);
    auto model = makePartsModel(zelMSSQL, false);
    setExample2Dialect(*model);
    const QStringList sql = generate(*model, [](TzelQuery &query) {
      fillExample2(query);
      query.GetValue(0)->ClearFilters();
      query.GetValue(0)->SetFilter(1, zelFilterEqual, QStringLiteral("[Vendor]|"));
      query.GetValue(1)->ClearFilters();
    });
    answers.reset();
    QVERIFY(!sql.isEmpty());
    QSqlQuery q(sqlite);
    QVERIFY_SQL(q, exec(sql.join(QLatin1Char('\n'))));
    QCOMPARE(rowsOf(q), rows);
    QVERIFY_SQL(q, exec(QStringLiteral("SELECT COUNT(*) FROM PARTS")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 6);
  }

  void example2OnPostgres() {
    const QByteArray host = qgetenv("ZEL_PG_HOST");
    if (host.isEmpty())
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server to run on (scripts/test.sh starts one)");
    QSqlDatabase pg = postgres();
    QVERIFY2(pg.open(), qPrintable(pg.lastError().text()));
    {
      QSqlQuery q(pg);
      QVERIFY_SQL(q, exec(QStringLiteral("DROP SCHEMA IF EXISTS sqlgen CASCADE")));
      QVERIFY_SQL(q, exec(QStringLiteral("CREATE SCHEMA sqlgen")));
      QVERIFY_SQL(q, exec(QStringLiteral("SET search_path TO sqlgen")));
      QVERIFY(fillTables(pg));
      auto model = makePartsModel(zelMSSQL, false);
      setExample2Dialect(*model);
      const QStringList sql = generate(*model, fillExample2);
      QCOMPARE(sql.join(QLatin1Char('\n')), example2Sql);
      QVERIFY_SQL(q, exec(sql.join(QLatin1Char('\n'))));
      QCOMPARE(rowsOf(q), kExample2Rows);
      QVERIFY_SQL(q, exec(QStringLiteral("DROP SCHEMA sqlgen CASCADE")));
    }
    pg.close();
    pg = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("sqlgenpg"));
  }

  // An average is not of its field's scale: its records show every digit the database gives,
  // not rounded by the type or format of the field (whole numbers, or two decimals); a count
  // is a whole number; SUM, MIN and MAX keep the field's format. Group 3's averages are whole
  // on their own.
  void averagesOfWholeNumbers_data() {
    QTest::addColumn<TzelDatabase>("dialect");
    QTest::newRow("SQLite") << zelSQLite;
    QTest::newRow("PostgreSQL") << zelPostgreSQL;
    QTest::newRow("MySQL on MariaDB") << zelMySQL;
  }
  void averagesOfWholeNumbers() {
    QFETCH(TzelDatabase, dialect);
    TzelConnection connection;
    connection.setDatabaseName(QStringLiteral("AVERAGES"));
    QTemporaryDir folder;
    if (dialect == zelSQLite) {
      const QString file = folder.filePath(QStringLiteral("averages.sqlite"));
      {
        QSqlDatabase setup = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "averages");
        setup.setDatabaseName(file);
        QVERIFY(setup.open());
        QVERIFY(fillScores(setup));
      }
      QSqlDatabase::removeDatabase(QStringLiteral("averages"));
      connection.setDriverName(QStringLiteral("SQLITE"));
      connection.setParams({QStringLiteral("DATABASE=") + file});
    } else {
      const TestServer &server = dialect == zelMySQL ? kTestMariaDb : kTestPostgres;
      if (!testServerStarted(server))
        QSKIP("No server of this engine is named: scripts/test.sh starts one");
      {
        QSqlDatabase db = testServerConnection(server, u"sqlgenpg"_s);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QVERIFY(fillScores(db));
      }
      QSqlDatabase::removeDatabase(QStringLiteral("sqlgenpg"));
      const auto env = [&](const char *key) { return testServerSetting(server, key); };
      connection.setDriverName(dialect == zelMySQL ? u"MARIADB"_s : u"POSTGRESQL"_s);
      connection.setParams({u"HOST="_s + env("HOST"), u"PORT="_s + env("PORT"),
                            u"DATABASE="_s + env("DATABASE"), u"USER NAME="_s + env("USER"),
                            u"PASSWORD="_s + env("PASSWORD")});
    }
    connection.setLoginPrompt(false);
    connection.setConnected(true);
    QVERIFY2(connection.Connected(), qPrintable(connection.lastError()));

    RecordingMessages rec;
    TzelModel model;
    model.SetDatabaseType(dialect);
    model.Display()->SetFormatFloat(QString()); // fractions as the database gives them
    TzelTable *scores = model.GetTable(
        model.AddTable(QStringLiteral("AVERAGES"), "zel_scores", QStringLiteral("Scores")));
    scores->AddField(QStringLiteral("grp"), QStringLiteral("Grp"), ftInteger, 0);
    scores->AddField(QStringLiteral("pts"), QStringLiteral("Pts"), ftSmallint, 0);
    scores->GetField(1)->SetFormat(QStringLiteral("#,##0"));
    scores->AddField(QStringLiteral("amt"), QStringLiteral("Amount"), ftCurrency, 0);
    scores->GetField(2)->SetFormat(QStringLiteral("#,##0.00"));
    TzelDataset dataset;
    dataset.setDatabaseName(QStringLiteral("AVERAGES"));
    TzelQuerion querion;
    querion.SetDataModel(&model);
    querion.SetDataQuery(&dataset);
    TzelQuery &query = *querion.CurrentQuery();
    query.AddTable(QString(), QStringLiteral("Scores"), QStringLiteral("Scores"));
    const auto add = [&](const QString &field, TzelShow show) {
      query.GetValue(query.AddValue(QStringLiteral("Scores"), field, {}))->SetShow(show);
    };
    add(QStringLiteral("Grp"), zelShowGroup);
    for (TzelShow show : {zelShowAverage, zelShowSum, zelShowMin, zelShowMax})
      add(QStringLiteral("Pts"), show);
    for (TzelShow show : {zelShowAverage, zelShowCount, zelShowSum})
      add(QStringLiteral("Amount"), show);
    // A quotient of a currency is not of its scale either.
    query.GetValue(query.AddValue(QString(), u"SUM(Scores.Amount) / 4.0"_s, u"Share"_s))
        ->SetDataType(ftCurrency);
    query.GetValue(0)->SetSort(zelSortAscending);
    QVERIFY2(querion.Execute(), qPrintable(rec.texts().join(u'\n')));
    QStringList rows;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
      QStringList texts;
      for (int i = 0; i < dataset.FieldCount(); ++i)
        texts << dataset.Fields(i)->DisplayText();
      rows << texts.join(QLatin1Char('/'));
    }
    QCOMPARE(rows,
             QStringList({"1/2.5/5/2/3/0.175/2/0.35/0.0875", "2/108.5/217/108/109/1.5/2/3.00/0.75",
                          "3/2000/4,000/1,500/2,500/15/2/30.00/7.5"}));
    dataset.Close();
  }

  void example1ThroughStandardDriver() {
    ZEL_SKIP_WITHOUT_PARADOX();
    QTemporaryDir folder;
    qputenv("ZEL_ALIASES_FILE", folder.filePath(QStringLiteral("aliases.ini")).toLocal8Bit());
    TzelTableData parts;
    parts.columns = {{QStringLiteral("PT_ITM_NO"), {ftFloat, 0}},
                     {QStringLiteral("VND_NO"), {ftFloat, 0}},
                     {QStringLiteral("PT_DES"), {ftString, 30}}};
    parts.rows = {{1.0, 1.0, QStringLiteral("Gear")},
                  {2.0, 1.0, QStringLiteral("Cog")},
                  {3.0, 2.0, QStringLiteral("Gear Box")},
                  {4.0, 3.0, QStringLiteral("Big Gearwheel")}};
    TzelTableData vendors;
    vendors.columns = {{QStringLiteral("VND_NO"), {ftFloat, 0}},
                       {QStringLiteral("VND_NM"), {ftString, 30}}};
    vendors.rows = {{1.0, QStringLiteral("Zeus")},
                    {2.0, QStringLiteral("Acme")},
                    {3.0, QStringLiteral("Moon")}};
    QVERIFY(writeParadoxTable(folder.filePath(QStringLiteral("T0492.DB")), parts).ok);
    QVERIFY(writeParadoxTable(folder.filePath(QStringLiteral("T0494.DB")), vendors).ok);
    TzelConnection connection;
    connection.setDatabaseName(QStringLiteral("PELLOX"));
    connection.setDriverName(QStringLiteral("STANDARD"));
    connection.setParams(
        {QStringLiteral("PATH=") + folder.path(), QStringLiteral("DEFAULT DRIVER=PARADOX")});
    connection.setLoginPrompt(false);
    connection.setConnected(true);
    QVERIFY2(connection.Connected(), qPrintable(connection.lastError()));

    RecordingMessages rec;
    auto model = makePartsModel(zelParadox, true);
    const QStringList sql = generate(*model, fillExample1);
    QCOMPARE(sql.join(QLatin1Char('\n')), example1Sql);
    TzelDataset ds;
    ds.setDatabaseName(QStringLiteral("PELLOX"));
    ds.setSQL(sql);
    ds.Open();
    QStringList rows;
    for (ds.First(); !ds.Eof(); ds.Next())
      rows << ds.Fields(0)->DisplayText() + QLatin1Char('/') + ds.Fields(1)->DisplayText();
    QCOMPARE(rows, QStringList({"Acme/Gear Box", "Moon/Big Gearwheel", "Zeus/Gear"}));
    QVERIFY(rec.messages.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TstSqlGeneratorExec)
#include "tst_sqlgenerator_exec.moc"
