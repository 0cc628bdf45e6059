// SPDX-License-Identifier: MIT
// Schema objects, exercised through the data model (the schema itself is abstract).
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "support/errorof.h"

#include <QtTest>

namespace {

// Customers(CustNo, Name) and Orders(OrderNo, CustNo), joined Customers -> Orders.
void fillSample(TzelModel &m) {
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("CUSTOMER.DB"), QStringLiteral("Customers"));
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("ORDERS.DB"), QStringLiteral("Orders"));
  TzelTable *c = m.GetTable(0);
  c->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  c->AddField(QStringLiteral("NAME"), QStringLiteral("Name"), ftString, 30);
  c->GetField(1)->SetPosition(1);
  TzelTable *o = m.GetTable(1);
  o->AddField(QStringLiteral("ORDER_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
  o->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  o->GetField(1)->SetPosition(1);
  const int j = m.AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  m.GetJoin(j)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));
}

// Every operation that takes an index, run on the sample with a given index; the result
// tells whether it gave an object (or true).
using IndexedOperation = std::function<bool(TzelModel &, int)>;

const QHash<QString, IndexedOperation> &indexedOperations() {
  static const QHash<QString, IndexedOperation> operations{
      {QStringLiteral("GetTable"), [](TzelModel &m, int i) { return m.GetTable(i) != nullptr; }},
      {QStringLiteral("GetJoin"), [](TzelModel &m, int i) { return m.GetJoin(i) != nullptr; }},
      {QStringLiteral("GetField"),
       [](TzelModel &m, int i) { return m.GetTable(0)->GetField(i) != nullptr; }},
      {QStringLiteral("SetField"),
       [](TzelModel &m, int i) {
         auto field = std::make_unique<TzelDataModelField>();
         m.GetTable(0)->SetField(i, field.get());
         if (!field->Table())
           return false;
         field.release(); // the table took it
         return true;
       }},
      {QStringLiteral("GetJoinField"),
       [](TzelModel &m, int i) { return m.GetJoin(0)->GetJoinField(i) != nullptr; }},
      {QStringLiteral("DeleteJoinField"),
       [](TzelModel &m, int i) {
         m.GetJoin(0)->DeleteJoinField(i);
         return m.GetJoin(0)->Deleted();
       }},
      {QStringLiteral("RenameTableAlias"),
       [](TzelModel &m, int i) { return m.RenameTableAlias(i, QStringLiteral("Clients")); }},
      {QStringLiteral("RenameFieldAlias"),
       [](TzelModel &m, int i) { return m.RenameFieldAlias(0, i, QStringLiteral("Number")); }},
      {QStringLiteral("RenameFieldAlias table"),
       [](TzelModel &m, int i) { return m.RenameFieldAlias(i, 0, QStringLiteral("Number")); }},
  };
  return operations;
}

// The table a linear walk finds: what the alias lookup must always answer.
int firstLiveTable(const TzelSchema &s, const QString &alias) {
  for (int i = 0; i < s.TableCount(); ++i)
    if (!s.GetTable(i)->Deleted() && zelSameText(s.GetTable(i)->TableAlias(), alias))
      return i;
  return -1;
}

} // namespace

class TestSchema : public QObject {
  Q_OBJECT
private slots:
  void fieldNamesAreCheckedAndCut();
  void tableNamesRefuseOnlyEmpty();
  void fieldDefaults();
  void deletedTableStillCounts();
  void lookupsIgnoreCaseAndRaise();
  void indexChecksRaiseWithIndex();
  void outOfRangeIndices_data();
  void outOfRangeIndices();
  void aliasLookupFollowsChanges();
  void aliasLookupIgnoresCaseLikeComparison_data();
  void aliasLookupIgnoresCaseLikeComparison();
  void renameTableAlias();
  void deleteJoinFieldAndTable();
  void indexOfJoinEitherDirection();
  void indexOfJoinField();
  void properCase_data();
  void properCase();
  void makeTableAlias_data();
  void makeTableAlias();
  void makeTableAliasCounts();
  void listAliases();
  void selectedJoinFields();
  void assignDropsDeleted();
  void assignRefusesOtherSources();
};

void TestSchema::fieldNamesAreCheckedAndCut() {
  TzelDataModelField f;
  f.SetFieldAlias(QStringLiteral("Name"));
  QCOMPARE(errorOf([&] { f.SetFieldAlias(QStringLiteral("   ")); }),
           QStringLiteral("Error: Field Alias cannot be blank."));
  QCOMPARE(f.FieldAlias(), QStringLiteral("Name"));
  QCOMPARE(errorOf([&] { f.SetFieldName(QString()); }),
           QStringLiteral("Error: Field Name cannot be blank."));
  f.SetFieldAlias(QString(200, QLatin1Char('a')));
  QCOMPARE(f.FieldAlias(), QString(128, QLatin1Char('a')));
  f.SetFormat(QString(40, QLatin1Char('#')));
  QCOMPARE(f.Format().size(), 35);
  f.SetLookup(QString(120, QLatin1Char('x')));
  QCOMPARE(f.Lookup().size(), 100);
}

void TestSchema::tableNamesRefuseOnlyEmpty() {
  TzelDataModelTable t;
  t.SetTableAlias(QStringLiteral("   "));
  QCOMPARE(t.TableAlias(), QStringLiteral("   "));
  QCOMPARE(errorOf([&] { t.SetTableAlias(QString()); }),
           QStringLiteral("Error: Table Alias cannot be blank."));
  QCOMPARE(t.TableAlias(), QStringLiteral("   "));
  QCOMPARE(errorOf([&] { t.SetTableName(QString()); }),
           QStringLiteral("Error: Table Name cannot be blank."));
  t.SetTableName(QString(200, QLatin1Char('T')));
  QCOMPARE(t.TableName(), QString(128, QLatin1Char('T')));
  QCOMPARE(errorOf([&] { t.SetDatabaseName(QString()); }),
           QStringLiteral("Error: Database Name cannot be blank."));
}

void TestSchema::fieldDefaults() {
  TzelDataModelField f;
  QCOMPARE(f.DataType(), ftString);
  QCOMPARE(f.DataSize(), 0);
  QCOMPARE(f.Alignment(), taLeftJustify);
  QVERIFY(f.IsNullable());
  QVERIFY(!f.IsReadOnly());
  QVERIFY(!f.IsKey());
  QCOMPARE(f.Position(), 0);
  TzelDataModelTable t;
  QCOMPARE(t.Height(), 165);
  QCOMPARE(t.Width(), 115);
  QVERIFY(t.RaiseOnMissing());
  TzelJoin j;
  QCOMPARE(j.JoinType(), zelJoinInner);
  QCOMPARE(j.Work1, -1);
  QCOMPARE(j.Work2, -1);
  TzelJoinField p;
  QCOMPARE(p.JoinOper(), zelJoinEqual);
  QCOMPARE(p.Point(3), QPoint(0, 0));
}

void TestSchema::deletedTableStillCounts() {
  TzelModel m;
  m.AddTable(QStringLiteral("DB"), QStringLiteral("CUSTOMER"), QStringLiteral("Customers"));
  QVERIFY(m.DeleteTable(QStringLiteral("Customers")));
  QCOMPARE(m.TableCount(), 1);
  QVERIFY(m.GetTable(0)->Deleted());
  QCOMPARE(errorOf([&] { m.IndexOfTableAlias(QStringLiteral("Customers")); }),
           QStringLiteral("Error: Table Alias [Customers] does not exist"));
  m.SetRaiseOnMissing(false);
  QCOMPARE(m.IndexOfTableAlias(QStringLiteral("Customers")), -1);
  QVERIFY(!m.DeleteTable(QStringLiteral("Customers")));
}

void TestSchema::lookupsIgnoreCaseAndRaise() {
  TzelModel m;
  fillSample(m);
  QCOMPARE(m.IndexOfTableAlias(QStringLiteral("customers")), 0);
  QCOMPARE(m.IndexOfTableName(QStringLiteral("orders.db")), 1);
  QCOMPARE(errorOf([&] { m.IndexOfTableName(QStringLiteral("X")); }),
           QStringLiteral("Error: Table Name [X] does not exist"));
  TzelTable *c = m.GetTable(0);
  QCOMPARE(c->IndexOfFieldAlias(QStringLiteral("custno")), 0);
  QCOMPARE(c->IndexOfFieldName(QStringLiteral("name")), 1);
  QCOMPARE(c->FieldByAlias(QStringLiteral("NAME")), c->GetField(1));
  QCOMPARE(c->FindField(QStringLiteral("NAME")), c->GetField(1));
  QCOMPARE(c->FieldByName(QStringLiteral("cust_no")), c->GetField(0));
  QCOMPARE(errorOf([&] { c->IndexOfFieldAlias(QStringLiteral("Zip")); }),
           QStringLiteral("Error: Field Alias [Zip] does not exist"));
  QCOMPARE(errorOf([&] { c->IndexOfFieldName(QStringLiteral("ZIP")); }),
           QStringLiteral("Error: Field Name [ZIP] does not exist"));
  c->GetField(0)->SetDeleted(true);
  c->SetRaiseOnMissing(false);
  QCOMPARE(c->IndexOfFieldAlias(QStringLiteral("CustNo")), -1);
  QCOMPARE(c->FieldByAlias(QStringLiteral("CustNo")), nullptr);
  QCOMPARE(c->FieldCount(), 2);
}

void TestSchema::indexChecksRaiseWithIndex() {
  TzelModel m;
  fillSample(m);
  QCOMPARE(errorOf([&] { m.GetTable(2); }),
           QStringLiteral("Error: Table Index [2] does not exist"));
  QCOMPARE(errorOf([&] { m.GetJoin(1); }), QStringLiteral("Error: Join Index [1] does not exist"));
  QCOMPARE(errorOf([&] { m.GetTable(0)->GetField(5); }),
           QStringLiteral("Error: Field Index [5] does not exist"));
  QCOMPARE(errorOf([&] { m.GetJoin(0)->GetJoinField(1); }),
           QStringLiteral("Error: Join Field Index [1] does not exist"));
  m.SetRaiseOnMissing(false);
  QCOMPARE(m.GetTable(2), nullptr);
  QVERIFY(!m.JoinIndexValid(3));
}

void TestSchema::outOfRangeIndices_data() {
  QTest::addColumn<QString>("operation");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("message");
  const struct {
    const char *operation;
    int pastTheEnd; // the first index past the sample's list
    const char *list;
  } lists[] = {{"GetTable", 2, "Table Index"},
               {"GetJoin", 1, "Join Index"},
               {"GetField", 2, "Field Index"},
               {"SetField", 2, "Field Index"},
               {"GetJoinField", 1, "Join Field Index"},
               {"DeleteJoinField", 1, "Join Field Index"},
               {"RenameTableAlias", 2, "Table Index"},
               {"RenameFieldAlias", 2, "Field Index"},
               {"RenameFieldAlias table", 2, "Table Index"}};
  for (const auto &l : lists)
    for (int index : {-1, -1000, l.pastTheEnd})
      QTest::addRow("%s(%d)", l.operation, index)
          << QString::fromLatin1(l.operation) << index
          << QStringLiteral("Error: %1 [%2] does not exist").arg(QLatin1String(l.list)).arg(index);
}

// A negative index is refused like one past the end: the list's message while errors are
// on, no object (or false) while they are off, and nothing changes either way.
void TestSchema::outOfRangeIndices() {
  QFETCH(QString, operation);
  QFETCH(int, index);
  QFETCH(QString, message);
  const IndexedOperation run = indexedOperations().value(operation);
  TzelModel m;
  fillSample(m);
  const QString before = StoredFormWriter().write(m);
  QCOMPARE(errorOf([&] { run(m, index); }), message);
  m.SetRaiseOnMissing(false);
  m.GetTable(0)->SetRaiseOnMissing(false);
  m.GetJoin(0)->SetRaiseOnMissing(false);
  QCOMPARE(errorOf([&] { QVERIFY(!run(m, index)); }), QString());
  QCOMPARE(StoredFormWriter().write(m), before);
}

void TestSchema::aliasLookupFollowsChanges() {
  TzelModel m;
  fillSample(m);
  m.SetRaiseOnMissing(false);
  const QStringList probes{"Customers", "ORDERS", "clients", "Parts", "parts", "Items", ""};
  const auto check = [&](const char *step) {
    for (const QString &alias : probes)
      QVERIFY2(m.IndexOfTableAlias(alias) == firstLiveTable(m, alias),
               qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(step), alias)));
  };
  check("sample");
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("PARTS.DB"), QStringLiteral("Parts"));
  check("added");
  m.GetTable(2)->SetTableAlias(QStringLiteral("Items"));
  check("alias set directly");
  QVERIFY(m.RenameTableAlias(0, QStringLiteral("Clients")));
  check("renamed");
  QVERIFY(m.DeleteTable(QStringLiteral("Items")));
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("ITEMS.DB"), QStringLiteral("ITEMS"));
  QCOMPARE(m.IndexOfTableAlias(QStringLiteral("items")), 3);
  m.GetTable(2)->SetDeleted(false); // the older table comes first again
  QCOMPARE(m.IndexOfTableAlias(QStringLiteral("items")), 2);
  check("undeleted");
  m.GetTable(2)->SetDeleted(true);
  m.GetTable(2)->SetTableAlias(QStringLiteral("Parts")); // renamed while deleted
  check("renamed while deleted");
  m.GetTable(2)->SetDeleted(false);
  check("back under its new alias");
  QCOMPARE(m.MakeTableAlias(QStringLiteral("PARTS.DB")), QStringLiteral("Parts_1"));

  TzelModel copy;
  copy.Assign(&m);
  copy.SetRaiseOnMissing(false);
  QCOMPARE(copy.IndexOfTableAlias(QStringLiteral("items")), 3);
  QCOMPARE(copy.IndexOfTableAlias(QStringLiteral("parts")), 2);
  QCOMPARE(copy.IndexOfTableAlias(QStringLiteral("clients")), 0);
  const auto read = StoredFormReader().read(StoredFormWriter().write(m));
  auto *stored = qobject_cast<TzelModel *>(read.get());
  QVERIFY(stored);
  QCOMPARE(stored->IndexOfTableAlias(QStringLiteral("PARTS")), 2);
  m.ClearTables();
  check("cleared");
  QCOMPARE(m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("X.DB"), QStringLiteral("Items")),
           0);
  check("after clearing");
}

void TestSchema::aliasLookupIgnoresCaseLikeComparison_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("probe");
  QTest::newRow("ascii") << "Customers"
                         << "cUSTOMERS";
  QTest::newRow("accented") << QStringLiteral("Élan") << QStringLiteral("éLAN");
  QTest::newRow("greek") << QStringLiteral("Σigma") << QStringLiteral("σIGMA");
  QTest::newRow("kelvin sign") << QStringLiteral("\u212Aelvin") << QStringLiteral("kelvin");
  QTest::newRow("long s") << QStringLiteral("Ship") << QStringLiteral("\u017Fhip");
  QTest::newRow("sharp s") << QStringLiteral("Straße") << QStringLiteral("STRASSE");
  QTest::newRow("deseret") << QStringLiteral("\U00010400x") << QStringLiteral("\U00010428X");
  QTest::newRow("different") << "Orders"
                             << "Order";
}

// The lookup finds exactly the tables whose aliases QString calls equal ignoring case.
void TestSchema::aliasLookupIgnoresCaseLikeComparison() {
  QFETCH(QString, stored);
  QFETCH(QString, probe);
  TzelModel m;
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("T.DB"), stored);
  m.SetRaiseOnMissing(false);
  const bool same = QString::compare(stored, probe, Qt::CaseInsensitive) == 0;
  QCOMPARE(zelSameText(stored, probe), same);
  QCOMPARE(zelSameText(probe, stored), same);
  QCOMPARE(m.IndexOfTableAlias(probe), same ? 0 : -1);
}

void TestSchema::renameTableAlias() {
  TzelModel m;
  fillSample(m);
  QVERIFY(m.RenameTableAlias(1, QStringLiteral("orders")));
  QCOMPARE(m.GetTable(1)->TableAlias(), QStringLiteral("orders"));
  QCOMPARE(m.GetJoin(0)->RightTableAlias(), QStringLiteral("orders"));
  QCOMPARE(errorOf([&] { m.RenameTableAlias(1, QStringLiteral("Customers")); }),
           QStringLiteral("Error: Table Alias [Customers] already exists"));
  QCOMPARE(m.GetTable(1)->TableAlias(), QStringLiteral("orders"));
  QVERIFY(m.RaiseOnMissing());
  QVERIFY(m.RenameTableAlias(0, QStringLiteral("Clients")));
  QCOMPARE(m.GetJoin(0)->LeftTableAlias(), QStringLiteral("Clients"));
  QCOMPARE(m.GetJoin(0)->RightTableAlias(), QStringLiteral("orders"));
  QCOMPARE(errorOf([&] { m.RenameTableAlias(0, QString()); }),
           QStringLiteral("Error: Table Alias cannot be blank."));
}

void TestSchema::deleteJoinFieldAndTable() {
  TzelModel m;
  fillSample(m);
  TzelJoin *j = m.GetJoin(0);
  j->DeleteJoinField(0);
  QVERIFY(j->Deleted());

  TzelModel n;
  fillSample(n);
  n.AddTable(QStringLiteral("PELLOX"), QStringLiteral("ITEMS.DB"), QStringLiteral("Items"));
  n.AddJoin(QStringLiteral("Items"), zelJoinLeft, 0, QStringLiteral("orders"));
  n.AddJoin(QStringLiteral("Customers"), zelJoinLeft, 0, QStringLiteral("Items"));
  QVERIFY(n.DeleteTable(QStringLiteral("Orders")));
  QVERIFY(n.GetJoin(0)->Deleted());
  QVERIFY(n.GetJoin(1)->Deleted());
  QVERIFY(!n.GetJoin(2)->Deleted());
  QVERIFY(!n.GetTable(1)->GetField(0)->Deleted());
}

void TestSchema::indexOfJoinEitherDirection() {
  TzelModel m;
  fillSample(m);
  QCOMPARE(m.IndexOfJoin(QStringLiteral("Orders"), QStringLiteral("Customers")), 0);
  QCOMPARE(m.IndexOfJoin(QStringLiteral("customers"), QStringLiteral("ORDERS")), 0);
  QCOMPARE(errorOf([&] { m.IndexOfJoin(QStringLiteral("A"), QStringLiteral("B")); }),
           QStringLiteral("Error: Join between [A] and [B] does not exist"));
}

void TestSchema::indexOfJoinField() {
  TzelJoin j;
  j.AddJoinField(QStringLiteral("A"), zelJoinEqual, QStringLiteral("B"));
  j.AddJoinField(QStringLiteral("C"), zelJoinGT, QStringLiteral("D"));
  QCOMPARE(j.IndexOfJoinField(QStringLiteral("d"), QStringLiteral("c")), 1);
  QCOMPARE(errorOf([&] { j.IndexOfJoinField(QStringLiteral("A"), QStringLiteral("D")); }),
           QStringLiteral("Error: Join fields between [A] and [D] does not exist"));
  j.DeleteJoinField(0);
  QVERIFY(!j.Deleted());
  j.SetRaiseOnMissing(false);
  QCOMPARE(j.IndexOfJoinField(QStringLiteral("A"), QStringLiteral("B")), -1);
  QCOMPARE(j.JoinFieldCount(), 2);
}

void TestSchema::properCase_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("expected");
  QTest::newRow("upper") << "CUSTOMER"
                         << "Customer";
  QTest::newRow("lower") << "customer"
                         << "Customer";
  QTest::newRow("mixed") << "CustNo"
                         << "CustNo";
  QTest::newRow("no letters") << "1234"
                              << "1234";
  QTest::newRow("digit first") << "T0492"
                               << "T0492";
  QTest::newRow("digit first lower") << "1abc"
                                     << "1abc";
  QTest::newRow("underscore") << "ORDER_ITEMS"
                              << "Order_items";
  QTest::newRow("empty") << ""
                         << "";
}

void TestSchema::properCase() {
  QFETCH(QString, text);
  QFETCH(QString, expected);
  QCOMPARE(TzelSchema::ProperCase(text), expected);
}

void TestSchema::makeTableAlias_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("expected");
  QTest::newRow("owner") << "dbo.CUSTOMERS"
                         << "Customers";
  QTest::newRow("txt") << "customer.txt"
                       << "Customer";
  QTest::newRow("db") << "T0492.DB"
                      << "T0492";
  QTest::newRow("dbf") << "CUSTOMER.DBF"
                       << "Customer";
  QTest::newRow("owner and extension") << "owner.items.dat"
                                       << "Items";
  QTest::newRow("unknown extension") << "data.csv"
                                     << "Csv";
  QTest::newRow("empty") << ""
                         << "";
}

void TestSchema::makeTableAlias() {
  QFETCH(QString, name);
  QFETCH(QString, expected);
  TzelModel m;
  QCOMPARE(m.MakeTableAlias(name), expected);
  QVERIFY(m.RaiseOnMissing());
}

void TestSchema::makeTableAliasCounts() {
  TzelModel m;
  m.AddTable(QStringLiteral("DB"), QStringLiteral("x"), QStringLiteral("Customer"));
  m.AddTable(QStringLiteral("DB"), QStringLiteral("x"), QStringLiteral("Customer_1"));
  QCOMPARE(m.MakeTableAlias(QStringLiteral("CUSTOMER.DB")), QStringLiteral("Customer_2"));
  m.DeleteTable(QStringLiteral("customer"));
  QCOMPARE(m.MakeTableAlias(QStringLiteral("CUSTOMER.DB")), QStringLiteral("Customer"));
}

void TestSchema::listAliases() {
  TzelModel m;
  fillSample(m);
  m.AddTable(QStringLiteral("DB"), QStringLiteral("P"), QStringLiteral("Parts"));
  m.DeleteTable(QStringLiteral("Orders"));
  QStringList list{QStringLiteral("stale")};
  m.ListTableAliases(list);
  QCOMPARE(list, QStringList({QStringLiteral("Customers"), QStringLiteral("Parts")}));

  TzelTable *c = m.GetTable(0);
  c->AddField(QStringLiteral("CITY"), QStringLiteral("City"), ftString, 15);
  c->AddField(QStringLiteral("ZIP"), QStringLiteral("Zip"), ftString, 5);
  c->GetField(0)->SetPosition(2); // CustNo third
  c->GetField(1)->SetPosition(0); // Name first
  c->GetField(2)->SetPosition(1); // City second
  c->GetField(3)->SetPosition(1); // Zip shares City's position: not listed
  m.ListFieldAliases(QStringLiteral("customers"), list);
  QCOMPARE(list,
           QStringList({QStringLiteral("Name"), QStringLiteral("City"), QStringLiteral("CustNo")}));
  c->GetField(0)->SetPosition(4); // beyond the count: not listed
  m.ListFieldAliases(QStringLiteral("Customers"), list);
  QCOMPARE(list, QStringList({QStringLiteral("Name"), QStringLiteral("City")}));
}

void TestSchema::selectedJoinFields() {
  TzelModel m;
  fillSample(m);
  m.AddJoin(QStringLiteral("Orders"), zelJoinInner, 0, QStringLiteral("Parts"));
  TzelJoin *j1 = m.GetJoin(1);
  j1->AddJoinField(QStringLiteral("A"), zelJoinEqual, QStringLiteral("B"));
  j1->AddJoinField(QStringLiteral("C"), zelJoinEqual, QStringLiteral("D"));
  int join = 0, pair = 0;
  m.GetSelectedJoinField(join, pair);
  QCOMPARE(join, -1);
  QCOMPARE(pair, -1);
  m.GetJoin(0)->GetJoinField(0)->SetSelected(true);
  j1->GetJoinField(1)->SetSelected(true);
  m.GetSelectedJoinField(join, pair);
  QCOMPARE(join, 1);
  QCOMPARE(pair, 1);
  j1->GetJoinField(0)->SetSelected(true);
  m.ClearSelectedJoinFields();
  QVERIFY(!m.GetJoin(0)->GetJoinField(0)->Selected());
  QVERIFY(!j1->GetJoinField(0)->Selected());
  QVERIFY(j1->GetJoinField(1)->Selected()); // only the first selected pair of a join
}

void TestSchema::assignDropsDeleted() {
  TzelModel m;
  fillSample(m);
  m.AddTable(QStringLiteral("OTHER"), QStringLiteral("PARTS.DB"), QStringLiteral("Parts"));
  TzelTable *parts = m.GetTable(2);
  parts->SetLeft(476);
  parts->SetTop(12);
  parts->SetHeight(200);
  parts->AddField(QStringLiteral("PT"), QStringLiteral("PartNo"), ftFloat, 0);
  parts->AddField(QStringLiteral("DESCR"), QStringLiteral("Description"), ftString, 30);
  TzelField *descr = parts->GetField(1);
  descr->SetAlignment(taCenter);
  descr->SetFormat(QStringLiteral("@"));
  descr->SetLookup(QStringLiteral("look"));
  descr->SetIsNullable(false);
  descr->SetIsReadOnly(true);
  descr->SetIsKey(true);
  descr->SetPosition(1);
  parts->GetField(0)->SetDeleted(true);
  m.AddJoin(QStringLiteral("Orders"), zelJoinRight, 7, QStringLiteral("Parts"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("X"), zelJoinLE, QStringLiteral("Y"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("Z"), zelJoinEqual, QStringLiteral("W"));
  m.GetJoin(1)->DeleteJoinField(0);
  m.DeleteTable(QStringLiteral("Customers"));

  TzelModel copy;
  copy.Assign(&m);
  QCOMPARE(copy.TableCount(), 2);
  QCOMPARE(copy.GetTable(0)->TableAlias(), QStringLiteral("Orders"));
  TzelTable *p = copy.GetTable(1);
  QCOMPARE(p->TableAlias(), QStringLiteral("Parts"));
  QCOMPARE(p->TableName(), QStringLiteral("PARTS.DB"));
  QCOMPARE(p->GetDatabaseName(), QStringLiteral("OTHER"));
  QCOMPARE(p->Left(), 476);
  QCOMPARE(p->Top(), 12);
  QCOMPARE(p->Height(), 200);
  QCOMPARE(p->FieldCount(), 1);
  const TzelField *f = p->GetField(0);
  QCOMPARE(f->FieldName(), QStringLiteral("DESCR"));
  QCOMPARE(f->FieldAlias(), QStringLiteral("Description"));
  QCOMPARE(f->DataSize(), 30);
  QCOMPARE(f->Alignment(), taCenter);
  QCOMPARE(f->Format(), QStringLiteral("@"));
  QCOMPARE(f->Lookup(), QStringLiteral("look"));
  QVERIFY(!f->IsNullable());
  QVERIFY(f->IsReadOnly());
  QVERIFY(f->IsKey());
  QCOMPARE(f->Position(), 1);
  QCOMPARE(copy.JoinCount(), 1); // the Customers join went with its table
  const TzelJoin *j = copy.GetJoin(0);
  QCOMPARE(j->JoinType(), zelJoinRight);
  QCOMPARE(j->Sequence(), 7);
  QCOMPARE(j->JoinFieldCount(), 1);
  QCOMPARE(j->GetJoinField(0)->LeftFieldAlias(), QStringLiteral("Z"));

  copy.Assign(&copy); // a copy of itself changes nothing
  QCOMPARE(copy.TableCount(), 2);
}

void TestSchema::assignRefusesOtherSources() {
  TzelModel m;
  TzelDisplay d;
  QCOMPARE(errorOf([&] { m.Assign(&d); }),
           QStringLiteral("Error: Cannot assign a TzelDisplay to a TzelModel"));
  QCOMPARE(errorOf([&] { m.Assign(nullptr); }),
           QStringLiteral("Error: Cannot assign a nil to a TzelModel"));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
