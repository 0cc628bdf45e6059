// SPDX-License-Identifier: MIT
// A data model read from the catalogue of an SQLite file and of a PostgreSQL database: tables,
// views, columns, primary keys and foreign keys as default joins. The PostgreSQL rows need
// ZEL_PG_HOST, ZEL_PG_PORT, ZEL_PG_USER and ZEL_PG_DATABASE (scripts/postgres.sh).
#include "database/cataloguemodel.h"
#include "database/cataloguerefresh.h"
#include "database/zeldatamodel.h"
#include "database/zelsession.h"
#include "model/storedform.h"
#include "model/zelquery.h"
#include "support/sqlexec.h"
#include "support/testservers.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <libpq-fe.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Keys of several columns listed out of their columns' order, a key to a primary key that
// names no columns, two keys between the same tables, a table referring to itself, names
// with spaces and capitals, a view and a table without a key.
const QStringList Tables{
    uR"(CREATE TABLE "Customer List" ("Cust No" INTEGER PRIMARY KEY, "Name" VARCHAR(40) NOT NULL))"_s,
    u"CREATE TABLE parts (maker INTEGER NOT NULL, code VARCHAR(10) NOT NULL, "
    "price NUMERIC(10,2), PRIMARY KEY (code, maker))"_s,
    u"CREATE TABLE staff (id INTEGER PRIMARY KEY, boss INTEGER REFERENCES staff (id))"_s,
    uR"(CREATE TABLE orders (id INTEGER PRIMARY KEY, customer INTEGER REFERENCES "Customer List" ("Cust No"), )"
    uR"(billed_to INTEGER REFERENCES "Customer List" ("Cust No"), taken_by INTEGER REFERENCES staff))"_s,
    u"CREATE TABLE lines (qty INTEGER, part_maker INTEGER, part_code VARCHAR(10), "
    "order_id INTEGER REFERENCES orders (id), "
    "FOREIGN KEY (part_code, part_maker) REFERENCES parts)"_s,
    uR"(CREATE TABLE "Returns" (id INTEGER PRIMARY KEY, part_maker INTEGER, part_code VARCHAR(10), )"
    uR"(FOREIGN KEY (part_maker, part_code) REFERENCES parts (maker, code)))"_s,
    u"CREATE TABLE notes (body TEXT)"_s,
    u"CREATE VIEW big_orders AS SELECT id, customer FROM orders"_s};
// A second schema holding a table of the same name.
const QStringList PgTables{
    u"CREATE SCHEMA sales"_s,
    uR"(CREATE TABLE sales.orders (id INTEGER PRIMARY KEY, "Region" VARCHAR(20), )"
    uR"(customer INTEGER REFERENCES "Customer List" ("Cust No")))"_s};

// MariaDB and Firebird: a composite key out of its columns' order and a table referring to
// itself, under names of their own (other tests share the server's database).
const QStringList MyTables{
    u"DROP TABLE IF EXISTS zc_items, zc_staff, zc_parts"_s,
    u"CREATE TABLE zc_parts (maker INTEGER NOT NULL, code VARCHAR(10) NOT NULL, "
    "price DECIMAL(10,2), PRIMARY KEY (code, maker))"_s,
    u"CREATE TABLE zc_staff (id INTEGER PRIMARY KEY, boss INTEGER, "
    "FOREIGN KEY (boss) REFERENCES zc_staff (id))"_s,
    u"CREATE TABLE zc_items (qty INTEGER, part_maker INTEGER, part_code VARCHAR(10), "
    "FOREIGN KEY (part_code, part_maker) REFERENCES zc_parts (code, maker))"_s};
const QStringList FbTables{
    uR"(CREATE TABLE "zc_parts" ("maker" INTEGER NOT NULL, "code" VARCHAR(10) NOT NULL, )"
    uR"("price" NUMERIC(10,2), PRIMARY KEY ("code", "maker")))"_s,
    uR"(CREATE TABLE "zc_staff" ("id" INTEGER NOT NULL PRIMARY KEY, )"
    uR"("boss" INTEGER REFERENCES "zc_staff" ("id")))"_s,
    uR"(CREATE TABLE "zc_items" ("qty" INTEGER, "part_maker" INTEGER, "part_code" VARCHAR(10), )"
    uR"(FOREIGN KEY ("part_code", "part_maker") REFERENCES "zc_parts" ("code", "maker")))"_s};

const QString PgDatabase = u"zelcatalogue"_s;
const QString PgAlias = u"CATALOGUEPG"_s;

QSqlDatabase pgConnection(const QString &name, const QString &database) {
  return testServerConnection(kTestPostgres, name, database);
}

QStringList tableList(const TzelModel &model) {
  QStringList list;
  for (int i = 0; i < model.TableCount(); ++i)
    list << model.GetTable(i)->TableAlias() + u'=' + model.GetTable(i)->TableName();
  return list;
}

QString fieldText(const TzelField &f) {
  return u"%1 %2 %3%4%5%6"_s.arg(f.FieldName(), enumName(f.DataType()))
      .arg(f.DataSize())
      .arg(f.IsKey() ? u" key"_s : QString(), f.IsNullable() ? QString() : u" not null"_s,
           f.IsReadOnly() ? u" read-only"_s : QString());
}

QStringList fieldList(const TzelModel &model, const QString &alias) {
  const TzelTable *table = model.GetTable(model.IndexOfTableAlias(alias));
  QStringList list;
  for (int i = 0; i < table->FieldCount(); ++i)
    list << fieldText(*table->GetField(i));
  return list;
}

// "Left(a, b) = Right(c, d)", sorted.
QStringList joinList(const TzelSchema &model) {
  QStringList list;
  for (int i = 0; i < model.JoinCount(); ++i) {
    const TzelJoin *join = model.GetJoin(i);
    QStringList left;
    QStringList right;
    for (int k = 0; k < join->JoinFieldCount(); ++k) {
      left << join->GetJoinField(k)->LeftFieldAlias();
      right << join->GetJoinField(k)->RightFieldAlias();
    }
    list << join->LeftTableAlias() + u'(' + left.join(u", "_s) + u") = "_s +
                join->RightTableAlias() + u'(' + right.join(u", "_s) + u')' +
                (join->JoinType() == zelJoinInner ? QString() : u" outer"_s);
  }
  list.sort();
  return list;
}

// Counts the statements the program runs; the work a pragma function does for each table
// inside one of them is traced as a comment ("-- PRAGMA table_info='t1'").
int onStatement(unsigned, void *count, void *, void *text) {
  if (qstrncmp(static_cast<const char *>(text), "--", 2) != 0)
    ++*static_cast<int *>(count);
  return 0;
}

// The statements work sends through a connection's native handle: SQLite's trace, or the
// messages libpq traces that start a statement (F for the client, then Query or Parse).
template <typename Work> int countStatements(const QVariant &handle, Work work) {
  int count = 0;
  if (qstrcmp(handle.typeName(), "sqlite3*") == 0) {
    sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, onStatement, &count);
    work();
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    return count;
  }
  PGconn *conn = *static_cast<PGconn *const *>(handle.constData());
  FILE *trace = std::tmpfile();
  PQtrace(conn, trace);
  work();
  PQuntrace(conn);
  std::rewind(trace);
  QFile file;
  file.open(trace, QIODevice::ReadOnly);
  for (const QByteArray &line : file.readAll().split('\n')) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() > 3 && fields.at(1) == "F" &&
        (fields.at(3) == "Query" || fields.at(3) == "Parse"))
      ++count;
  }
  file.close();
  std::fclose(trace);
  return count;
}

// Each change's line, "(offered)" after one not proposed.
QStringList changeTexts(const QList<TzelCatalogueChange> &changes) {
  QStringList texts;
  for (const TzelCatalogueChange &change : changes)
    texts << change.text + (change.proposed ? QString() : u" (offered)"_s);
  return texts;
}

class ModelOwner : public QObject, public TzelQueryOwner {
public:
  explicit ModelOwner(TzelModel &model) : m_model(model) {}
  TzelModel *queryDataModel() const override { return &m_model; }

private:
  TzelModel &m_model;
};

} // namespace

class TestCatalogueModel : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase();
  void readsTablesKeysAndJoins_data();
  void readsTablesKeysAndJoins();
  void choosesTablesAndSchemas_data();
  void choosesTablesAndSchemas();
  void statementsDoNotGrowWithTables_data();
  void statementsDoNotGrowWithTables();
  void keysJoinTablesAddedToAQuery();
  void keysJoinTablesAddedToAModel_data();
  void keysJoinTablesAddedToAModel();
  void refreshFromDatabase_data();
  void refreshFromDatabase();
  void readsServerCatalogues_data();
  void readsServerCatalogues();

private:
  QString sqliteFile(const QString &name, const QStringList &statements);
  bool usePostgres();
  QString pgChain(int tables, const QStringList &ddl);
  QString pgDatabase(const QString &name, const QStringList &ddl);

  QTemporaryDir m_dir;
  QString m_sqlite;
  bool m_pgReady = false;
};

QString TestCatalogueModel::sqliteFile(const QString &name, const QStringList &statements) {
  const QString file = m_dir.filePath(name);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
    db.setDatabaseName(file);
    QString error;
    if (!db.open() || !execAll(db, statements, error))
      qWarning() << error;
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return file;
}

void TestCatalogueModel::initTestCase() {
  QVERIFY(m_dir.isValid());
  m_sqlite = sqliteFile(u"shop.db"_s, Tables);
}

bool TestCatalogueModel::usePostgres() {
  if (m_pgReady || !qEnvironmentVariableIsSet("ZEL_PG_HOST"))
    return m_pgReady;
  QString error;
  {
    QSqlDatabase admin =
        pgConnection(u"catalogue-admin"_s, qEnvironmentVariable("ZEL_PG_DATABASE"));
    if (!admin.open() ||
        !execAll(admin,
                 {u"DROP DATABASE IF EXISTS "_s + PgDatabase, u"CREATE DATABASE "_s + PgDatabase},
                 error))
      qFatal("%s", qPrintable(error + admin.lastError().text()));
    admin.close();
    QSqlDatabase db = pgConnection(u"catalogue-fill"_s, PgDatabase);
    if (!db.open() || !execAll(db, Tables + PgTables, error))
      qFatal("%s", qPrintable(error + db.lastError().text()));
    db.close();
  }
  QSqlDatabase::removeDatabase(u"catalogue-admin"_s);
  QSqlDatabase::removeDatabase(u"catalogue-fill"_s);
  TzelSession::defaultSession().registerAlias(
      {PgAlias,
       u"POSTGRESQL"_s,
       {u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
        u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"), u"DATABASE="_s + PgDatabase,
        u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")}});
  return m_pgReady = true;
}

void TestCatalogueModel::cleanupTestCase() {
  TzelSession::defaultSession().closeAll();
}

void TestCatalogueModel::readsTablesKeysAndJoins_data() {
  QTest::addColumn<bool>("postgres");
  QTest::addColumn<QStringList>("tables");
  QTest::addColumn<QStringList>("joins");
  QTest::addColumn<QStringList>("notJoined");
  const auto joins = [](const QString &orders, const QStringList &more) {
    QStringList list = QStringList{orders + u"(id) = lines(order_id)"_s,
                                   u"parts(code, maker) = lines(part_code, part_maker)"_s,
                                   u"Customer List(Cust No) = "_s + orders + u"(customer)"_s,
                                   u"staff(id) = "_s + orders + u"(taken_by)"_s,
                                   u"parts(maker, code) = Returns(part_maker, part_code)"_s,
                                   u"staff(id) = staff(boss)"_s} +
                       more;
    list.sort();
    return list;
  };
  QTest::newRow("SQLite")
      << false << QStringList{u"big_orders=big_orders"_s, u"Customer List=Customer List"_s,
                              u"lines=lines"_s,           u"notes=notes"_s,
                              u"orders=orders"_s,         u"parts=parts"_s,
                              u"Returns=Returns"_s,       u"staff=staff"_s}
      << joins(u"orders"_s, {}) << QStringList{u"orders (billed_to) -> Customer List (Cust No)"_s};
  QTest::newRow("PostgreSQL") << true
                              << QStringList{u"big_orders=big_orders"_s,
                                             u"Customer List=Customer List"_s,
                                             u"lines=lines"_s,
                                             u"notes=notes"_s,
                                             u"public.orders=orders"_s,
                                             u"sales.orders=sales.orders"_s,
                                             u"parts=parts"_s,
                                             u"Returns=Returns"_s,
                                             u"staff=staff"_s}
                              << joins(u"public.orders"_s,
                                       {u"Customer List(Cust No) = sales.orders(customer)"_s})
                              << QStringList{
                                     u"public.orders (billed_to) -> Customer List (Cust No)"_s};
}

void TestCatalogueModel::readsTablesKeysAndJoins() {
  QFETCH(bool, postgres);
  QFETCH(QStringList, tables);
  QFETCH(QStringList, joins);
  QFETCH(QStringList, notJoined);
  if (postgres && !usePostgres())
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  const QString database = postgres ? PgAlias : m_sqlite;
  TzelDataModel model;
  model.setObjectName(u"zelDataModel1"_s);
  QCOMPARE(zelModelFromCatalogue(model, database), notJoined);
  QCOMPARE(model.DatabaseType(), postgres ? zelPostgreSQL : zelSQLite);
  QCOMPARE(tableList(model), tables);
  QCOMPARE(joinList(model), joins);
  QCOMPARE(fieldList(model, u"parts"_s),
           (QStringList{u"maker ftInteger 0 key not null"_s, u"code ftString 10 key not null"_s,
                        u"price ftBCD 2"_s}));
  QCOMPARE(fieldList(model, u"notes"_s), QStringList{u"body ftMemo 0"_s});
  QCOMPARE(fieldList(model, u"big_orders"_s),
           (QStringList{u"id ftInteger 0 read-only"_s, u"customer ftInteger 0 read-only"_s}));
  QCOMPARE(model.GetTable(0)->GetDatabaseName(), database);
  if (postgres)
    QCOMPARE(fieldList(model, u"sales.orders"_s).at(1), u"Region ftString 20"_s);

  // The stored form read back is the same model.
  const QString text = StoredFormWriter().write(model);
  const std::unique_ptr<TzelComponent> read = StoredFormReader().read(text);
  auto *back = qobject_cast<TzelModel *>(read.get());
  QVERIFY(back);
  QCOMPARE(tableList(*back), tables);
  QCOMPARE(joinList(*back), joins);
  QCOMPARE(fieldList(*back, u"parts"_s), fieldList(model, u"parts"_s));
  QCOMPARE(StoredFormWriter().write(*back), text);
}

void TestCatalogueModel::choosesTablesAndSchemas_data() {
  QTest::addColumn<bool>("postgres");
  QTest::addColumn<QStringList>("patterns");
  QTest::addColumn<QStringList>("schemas");
  QTest::addColumn<QStringList>("tables");
  QTest::addColumn<int>("joins");
  // A key to a table not read is left out.
  QTest::newRow("SQLite, patterns")
      << false << QStringList{u"ORDERS"_s, u"cust*"_s} << QStringList{}
      << QStringList{u"Customer List=Customer List"_s, u"orders=orders"_s} << 1;
  QTest::newRow("SQLite, its one schema") << false << QStringList{u"s*"_s} << QStringList{u"main"_s}
                                          << QStringList{u"staff=staff"_s} << 1;
  QTest::newRow("PostgreSQL, one schema") << true << QStringList{} << QStringList{u"sales"_s}
                                          << QStringList{u"orders=sales.orders"_s} << 0;
  QTest::newRow("PostgreSQL, qualified pattern")
      << true << QStringList{u"sales.*"_s, u"Customer*"_s} << QStringList{}
      << QStringList{u"Customer List=Customer List"_s, u"orders=sales.orders"_s} << 1;
}

void TestCatalogueModel::choosesTablesAndSchemas() {
  QFETCH(bool, postgres);
  QFETCH(QStringList, patterns);
  QFETCH(QStringList, schemas);
  QFETCH(QStringList, tables);
  QFETCH(int, joins);
  if (postgres && !usePostgres())
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  TzelDataModel model;
  zelModelFromCatalogue(model, postgres ? PgAlias : m_sqlite, {patterns, schemas});
  QCOMPARE(tableList(model), tables);
  QCOMPARE(model.JoinCount(), joins);
}

// Tables, columns and keys: one statement each, for 3 tables as for 60.
void TestCatalogueModel::statementsDoNotGrowWithTables_data() {
  QTest::addColumn<bool>("postgres");
  QTest::newRow("SQLite") << false;
  QTest::newRow("PostgreSQL") << true;
}

void TestCatalogueModel::statementsDoNotGrowWithTables() {
  QFETCH(bool, postgres);
  if (postgres && !usePostgres())
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  for (const int tables : {3, 60}) {
    QStringList ddl{u"CREATE TABLE t0 (id INTEGER PRIMARY KEY)"_s};
    for (int i = 1; i < tables; ++i)
      ddl << u"CREATE TABLE t%1 (id INTEGER PRIMARY KEY, up INTEGER REFERENCES t%2, note TEXT)"_s
                 .arg(i)
                 .arg(i - 1);
    const QString database =
        postgres ? pgChain(tables, ddl) : sqliteFile(u"chain%1.db"_s.arg(tables), ddl);
    TzelOpenDatabase &open = TzelSession::defaultSession().open(database);
    const QVariant handle = QSqlDatabase::database(open.connectionName, false).driver()->handle();
    TzelDataModel model;
    const int statements = countStatements(handle, [&] { zelModelFromCatalogue(model, database); });
    QCOMPARE(model.TableCount(), tables);
    QCOMPARE(model.JoinCount(), tables - 1);
    QCOMPARE(statements, 3);
  }
}

// A database of its own holding the statements' tables, by an alias.
QString TestCatalogueModel::pgChain(int tables, const QStringList &ddl) {
  return pgDatabase(u"zelchain%1"_s.arg(tables), ddl);
}

QString TestCatalogueModel::pgDatabase(const QString &name, const QStringList &ddl) {
  {
    QString error;
    QSqlDatabase admin = pgConnection(u"chain-admin"_s, qEnvironmentVariable("ZEL_PG_DATABASE"));
    QSqlDatabase db = pgConnection(u"chain-fill"_s, name);
    if (!admin.open() ||
        !execAll(admin, {u"DROP DATABASE IF EXISTS "_s + name, u"CREATE DATABASE "_s + name},
                 error) ||
        !db.open() || !execAll(db, ddl, error))
      qFatal("%s", qPrintable(error));
    admin.close();
    db.close();
  }
  QSqlDatabase::removeDatabase(u"chain-admin"_s);
  QSqlDatabase::removeDatabase(u"chain-fill"_s);
  TzelSession::defaultSession().registerAlias(
      {name,
       u"POSTGRESQL"_s,
       {u"HOST="_s + qEnvironmentVariable("ZEL_PG_HOST"),
        u"PORT="_s + qEnvironmentVariable("ZEL_PG_PORT"), u"DATABASE="_s + name,
        u"USER NAME="_s + qEnvironmentVariable("ZEL_PG_USER")}});
  return name;
}

// With AutoJoin on, a table added to a query is joined to those its keys relate it to; a table
// referring to itself is joined to a second instance of it, never to itself.
void TestCatalogueModel::keysJoinTablesAddedToAQuery() {
  TzelDataModel model;
  zelModelFromCatalogue(model, m_sqlite);
  ModelOwner owner(model);
  TzelQuery query;
  query.SetQuerion(&owner);
  const auto add = [&query](const QString &table) {
    const int index = query.AddTable(QString(), table, QString());
    query.AddAutoJoins(table, query.GetTable(index)->TableAlias());
  };
  add(u"staff"_s);
  QCOMPARE(query.JoinCount(), 0);
  add(u"orders"_s);
  add(u"Customer List"_s);
  add(u"staff"_s);
  QCOMPARE(joinList(query),
           (QStringList{u"Customer List(Cust No) = Orders(customer)"_s,
                        u"Staff(id) = Orders(taken_by)"_s, u"Staff(id) = Staff_1(boss)"_s,
                        u"Staff_1(id) = Orders(taken_by)"_s}));
}

// With AutoJoin on, a table the data model window adds from the database is joined at once to
// those of the model its keys relate it to, through the fields as the user renamed them; the
// second key between two tables is left to the user.
void TestCatalogueModel::keysJoinTablesAddedToAModel_data() {
  QTest::addColumn<bool>("autoJoin");
  QTest::addColumn<QStringList>("joins");
  QTest::newRow("AutoJoin on") << true
                               << QStringList{u"Customer List(Cust No) = orders(Client)"_s,
                                              u"Staff(id) = Staff(boss)"_s,
                                              u"Staff(id) = orders(taken_by)"_s};
  QTest::newRow("AutoJoin off") << false << QStringList{};
}

void TestCatalogueModel::keysJoinTablesAddedToAModel() {
  QFETCH(bool, autoJoin);
  QFETCH(QStringList, joins);
  TzelDataModel model;
  zelModelFromCatalogue(model, m_sqlite, {{u"orders"_s}, {}});
  model.SetAutoJoin(autoJoin);
  model.RenameFieldAlias(0, 1, u"Client"_s);
  for (const QString &table : {u"Customer List"_s, u"staff"_s}) {
    const int index = model.AddTableFromDatabase(m_sqlite, table);
    QVERIFY(index > 0);
    zelAddKeyJoins(model, index);
  }
  QCOMPARE(joinList(model), joins);
}

// A model made from a database, edited by its user, then the database altered: the changes
// listed as a person reads them, and the model after applying them.
void TestCatalogueModel::refreshFromDatabase_data() {
  QTest::addColumn<bool>("postgres");
  QTest::addColumn<QStringList>("alter");
  const QStringList common{u"ALTER TABLE customers ADD COLUMN email VARCHAR(60)"_s,
                           u"ALTER TABLE customers DROP COLUMN city"_s, u"DROP TABLE old_stuff"_s,
                           u"CREATE TABLE returns (id INTEGER PRIMARY KEY, "
                           "order_id INTEGER REFERENCES orders (id))"_s};
  // SQLite changes a column's type or a table's keys by making the table again.
  QTest::newRow("SQLite") << false
                          << QStringList{u"CREATE TABLE o2 (id INTEGER PRIMARY KEY, customer "
                                         "INTEGER, note VARCHAR(80), qty INTEGER NOT NULL)"_s,
                                         u"DROP TABLE orders"_s,
                                         u"ALTER TABLE o2 RENAME TO orders"_s,
                                         u"CREATE TABLE i2 (id INTEGER PRIMARY KEY, "
                                         "order_id INTEGER REFERENCES orders (id))"_s,
                                         u"DROP TABLE items"_s,
                                         u"ALTER TABLE i2 RENAME TO items"_s} +
                                 common;
  QTest::newRow("PostgreSQL")
      << true
      << QStringList{u"ALTER TABLE orders DROP CONSTRAINT "
                     "orders_customer_fkey"_s,
                     u"ALTER TABLE orders ALTER COLUMN note TYPE VARCHAR(80)"_s,
                     u"ALTER TABLE orders ALTER COLUMN qty SET NOT NULL"_s,
                     u"ALTER TABLE items ADD FOREIGN KEY (order_id) "
                     "REFERENCES orders (id)"_s} +
             common;
}

void TestCatalogueModel::refreshFromDatabase() {
  QFETCH(bool, postgres);
  QFETCH(QStringList, alter);
  if (postgres && !usePostgres())
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  const QStringList ddl{
      u"CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(40) NOT NULL, "
      "city VARCHAR(20))"_s,
      u"CREATE TABLE orders (id INTEGER PRIMARY KEY, customer INTEGER REFERENCES customers (id), "
      "note VARCHAR(10), qty INTEGER)"_s,
      u"CREATE TABLE items (id INTEGER PRIMARY KEY, order_id INTEGER)"_s,
      u"CREATE TABLE old_stuff (id INTEGER)"_s};
  const QString database =
      postgres ? pgDatabase(u"zelrefresh"_s, ddl) : sqliteFile(u"refresh.db"_s, ddl);
  TzelDataModel model;
  zelModelFromCatalogue(model, database);
  const int orders = model.IndexOfTableAlias(u"orders"_s);
  TzelTable *table = model.GetTable(orders);
  model.RenameFieldAlias(orders, 3, u"Quantity"_s);
  table->GetField(3)->SetFormat(u"#,##0"_s);
  table->SetLeft(300);
  model.RenameFieldAlias(0, 1, u"Customer Name"_s);
  QCOMPARE(changeTexts(zelCatalogueChanges(model, {zelReadDatabaseCatalogue(database)})),
           QStringList());

  TzelOpenDatabase &open = TzelSession::defaultSession().open(database);
  QString error;
  QVERIFY2(execAll(QSqlDatabase::database(open.connectionName, false), alter, error),
           qPrintable(error));
  const QList<TzelDatabaseCatalogue> catalogues{zelReadDatabaseCatalogue(database)};
  QList<TzelCatalogueChange> changes = zelCatalogueChanges(model, catalogues);
  QCOMPARE(changeTexts(changes),
           (QStringList{u"Column [customers.city] dropped"_s,
                        u"Column [customers.email] added (String(60))"_s,
                        u"Table [old_stuff] dropped from the database"_s,
                        u"Column [orders.note] retyped: String(10) to String(80)"_s,
                        u"Column [orders.qty] no longer allows nulls"_s,
                        u"Foreign key dropped: orders (customer) -> customers (id)"_s,
                        u"Foreign key added: items (order_id) -> orders (id)"_s,
                        u"Table [returns] added to the database (offered)"_s}));

  // The proposed ones, then the table offered: the model then matches the database.
  const TzelCatalogueChange offered = changes.takeLast();
  zelApplyCatalogueChanges(model, changes, catalogues);
  QCOMPARE(changeTexts(zelCatalogueChanges(model, catalogues)),
           QStringList{u"Table [returns] added to the database (offered)"_s});
  zelApplyCatalogueChanges(model, {offered}, catalogues);
  QCOMPARE(changeTexts(zelCatalogueChanges(model, catalogues)), QStringList());

  // What the user set is kept, through the stored form too.
  const std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(StoredFormWriter().write(model));
  auto *back = qobject_cast<TzelModel *>(read.get());
  QVERIFY(back);
  QCOMPARE(tableList(*back), (QStringList{u"customers=customers"_s, u"items=items"_s,
                                          u"orders=orders"_s, u"returns=returns"_s}));
  QCOMPARE(joinList(*back),
           (QStringList{u"orders(id) = items(order_id)"_s, u"orders(id) = returns(order_id)"_s}));
  QStringList aliases;
  back->ListFieldAliases(u"customers"_s, aliases);
  QCOMPARE(aliases, (QStringList{u"id"_s, u"Customer Name"_s, u"email"_s}));
  // SQLite's INTEGER PRIMARY KEY takes nulls, PostgreSQL's not: from the second field on.
  QCOMPARE(fieldList(*back, u"orders"_s).mid(1),
           (QStringList{u"customer ftInteger 0"_s, u"note ftString 80"_s,
                        u"qty ftInteger 0 not null"_s}));
  const TzelTable *ordersBack = back->GetTable(back->IndexOfTableAlias(u"orders"_s));
  QCOMPARE(ordersBack->GetField(3)->FieldAlias(), u"Quantity"_s);
  QCOMPARE(ordersBack->GetField(3)->Format(), u"#,##0"_s);
  QCOMPARE(ordersBack->Left(), 300);
  const TzelTable *returns = back->GetTable(back->IndexOfTableAlias(u"returns"_s));
  QCOMPARE(QPoint(returns->Left(), returns->Top()), QPoint(300 + 115 + 20, 12));
}

void TestCatalogueModel::readsServerCatalogues_data() {
  QTest::addColumn<QString>("engine");
  QTest::addColumn<QString>("driver");
  QTest::addColumn<QStringList>("ddl");
  QTest::addColumn<int>("dialect");
  QTest::newRow("MariaDB") << u"MY"_s << u"MARIADB"_s << MyTables << int(zelMySQL);
  QTest::newRow("Firebird") << u"FB"_s << u"FIREBIRD"_s << FbTables << int(zelInterBase);
}

void TestCatalogueModel::readsServerCatalogues() {
  QFETCH(QString, engine);
  QFETCH(QString, driver);
  QFETCH(QStringList, ddl);
  QFETCH(int, dialect);
  const auto env = [&engine](const char *key) {
    return qEnvironmentVariable(("ZEL_" + engine.toLatin1() + '_' + key).constData());
  };
  if (env("HOST").isEmpty())
    QSKIP("No server of this engine was started for this run (ZEL_MY_HOST, ZEL_FB_HOST)");
  const QString alias = u"CATALOGUE"_s + engine;
  TzelSession::defaultSession().registerAlias(
      {alias,
       driver,
       {u"HOST="_s + env("HOST"), u"PORT="_s + env("PORT"), u"DATABASE="_s + env("DATABASE"),
        u"USER NAME="_s + env("USER"), u"PASSWORD="_s + env("PASSWORD")}});
  {
    const QSqlDatabase db =
        QSqlDatabase::database(TzelSession::defaultSession().open(alias).connectionName, false);
    QSqlQuery q(db);
    if (engine == u"FB")
      for (const char *table : {"zc_items", "zc_staff", "zc_parts"})
        q.exec(u"DROP TABLE \"%1\""_s.arg(QLatin1String(table))); // absent the first time
    QString error;
    QVERIFY2(execAll(db, ddl, error), qPrintable(error));
  }
  TzelSession::defaultSession().close(alias); // the catalogue as a new connection reads it
  TzelDataModel model;
  zelModelFromCatalogue(model, alias);
  QCOMPARE(int(model.DatabaseType()), dialect);
  QCOMPARE(fieldList(model, u"zc_parts"_s),
           (QStringList{u"maker ftInteger 0 key not null"_s, u"code ftString 10 key not null"_s,
                        u"price ftBCD 2"_s}));
  QCOMPARE(
      fieldList(model, u"zc_items"_s),
      (QStringList{u"qty ftInteger 0"_s, u"part_maker ftInteger 0"_s, u"part_code ftString 10"_s}));
  QStringList ours;
  for (const QString &join : joinList(model))
    if (join.contains(u"zc_"_s))
      ours << join;
  QCOMPARE(ours, (QStringList{u"zc_parts(code, maker) = zc_items(part_code, part_maker)"_s,
                              u"zc_staff(id) = zc_staff(boss)"_s}));
  QVERIFY(TzelSession::defaultSession()
              .tableNames(alias, u"zc_*"_s, false, false)
              .contains(u"zc_items"_s));
}

QTEST_GUILESS_MAIN(TestCatalogueModel)
#include "tst_cataloguemodel.moc"
