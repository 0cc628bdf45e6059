// SPDX-License-Identifier: MIT
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "support/errorof.h"

#include <QtTest>

namespace {

// Stands in for the query component: it only hands out its data model.
class StubOwner : public QObject, public TzelQueryOwner {
public:
  TzelModel *model = nullptr;
  TzelModel *queryDataModel() const override { return model; }
};

// Customers(CustNo, Name, City), Orders(OrderNo, CustNo), Items(OrderNo, PartNo, Qty);
// joins Customers -> Orders and Orders -> Items (left, two pairs, sequence 3).
void fillModel(TzelModel &m) {
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("CUSTOMER.DB"), QStringLiteral("Customers"));
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("ORDERS.DB"), QStringLiteral("Orders"));
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("ITEMS.DB"), QStringLiteral("Items"));
  TzelTable *c = m.GetTable(0);
  c->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  c->AddField(QStringLiteral("NAME"), QStringLiteral("Name"), ftString, 30);
  c->AddField(QStringLiteral("CITY"), QStringLiteral("City"), ftString, 15);
  c->GetField(0)->SetAlignment(taRightJustify);
  c->GetField(0)->SetFormat(QStringLiteral("0"));
  TzelTable *o = m.GetTable(1);
  o->AddField(QStringLiteral("ORDER_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
  o->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  TzelTable *i = m.GetTable(2);
  i->AddField(QStringLiteral("ORDER_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
  i->AddField(QStringLiteral("PART_NO"), QStringLiteral("PartNo"), ftFloat, 0);
  m.AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  m.GetJoin(0)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));
  m.AddJoin(QStringLiteral("Orders"), zelJoinLeft, 3, QStringLiteral("Items"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("OrderNo"), zelJoinEqual, QStringLiteral("OrderNo"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("X"), zelJoinGE, QStringLiteral("Y"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("Gone"), zelJoinEqual, QStringLiteral("Gone"));
  m.GetJoin(1)->DeleteJoinField(2);
}

struct Fixture {
  TzelModel model;
  StubOwner owner;
  TzelQuery query;
  Fixture() {
    fillModel(model);
    owner.model = &model;
    query.SetQuerion(&owner);
  }
};

} // namespace

class TestQuery : public QObject {
  Q_OBJECT
private slots:
  void addTableAliases();
  void addTableBlankName();
  void resolveDelegatesToModelTable();
  void unresolvedTables();
  void resolutionFollowsTableNameAndModel();
  void ownerIsCleared();
  void addValueField();
  void addValueCalculated();
  void addValueMissing();
  void valueAliasSetter();
  void setFilterReuse();
  void clearFiltersReuse();
  void filterBar();
  void splitFilter_data();
  void splitFilter();
  void filterIndex_data();
  void filterIndex();
  void valueIndex_data();
  void valueIndex();
  void valueAliasLookupFollowsChanges();
  void deleteTableMarksValues();
  void renameTableAliasOfValues();
  void autoJoinsOff();
  void autoJoinsOn();
  void makeValueAliasAfterChanges();
  void listValueAliases();
  void assign();
  void assignWithoutOwnerKeepsValues();
  void storedChildren();
  void storedFormExample();
};

void TestQuery::addTableAliases() {
  Fixture f;
  QCOMPARE(f.query.AddTable(QStringLiteral("ignored"), QStringLiteral("Customers"), QString()), 0);
  QCOMPARE(f.query.AddTable(QString(), QStringLiteral("Customers"), QString()), 1);
  QCOMPARE(f.query.GetTable(1)->TableAlias(), QStringLiteral("Customers_1"));
  QCOMPARE(f.query.GetTable(1)->TableName(), QStringLiteral("Customers"));
  QVERIFY(qobject_cast<TzelQueryTable *>(f.query.GetTable(1)));
  QCOMPARE(errorOf([&] {
             f.query.AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("CUSTOMERS"));
           }),
           QStringLiteral("Error: Table Alias [CUSTOMERS] already exists."));
  QCOMPARE(f.query.TableCount(), 2);
}

void TestQuery::addTableBlankName() {
  Fixture f;
  QCOMPARE(errorOf([&] { f.query.AddTable(QString(), QString(), QStringLiteral("A")); }),
           QStringLiteral("Error: Table Name cannot be blank."));
  f.query.SetRaiseOnMissing(false);
  QCOMPARE(f.query.AddTable(QString(), QString(), QStringLiteral("A")), -1);
  QCOMPARE(f.query.TableCount(), 0);
}

void TestQuery::resolveDelegatesToModelTable() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("orders"), QStringLiteral("O"));
  auto *t = qobject_cast<TzelQueryTable *>(f.query.GetTable(0));
  QCOMPARE(t->ModelTableIndex(), -1);
  QCOMPARE(t->FieldCount(), 2);
  QCOMPARE(t->ModelTableIndex(), 1);
  QCOMPARE(t->Model(), &f.model);
  QCOMPARE(t->GetDatabaseName(), QStringLiteral("PELLOX"));
  QCOMPARE(t->IndexOfFieldAlias(QStringLiteral("custno")), 1);
  QCOMPARE(t->IndexOfFieldName(QStringLiteral("ORDER_NO")), 0);
  QCOMPARE(t->GetField(1), f.model.GetTable(1)->GetField(1));
  QCOMPARE(t->FindField(QStringLiteral("OrderNo")), f.model.GetTable(1)->GetField(0));
  QCOMPARE(t->FieldByName(QStringLiteral("cust_no")), f.model.GetTable(1)->GetField(1));
  QCOMPARE(errorOf([&] { t->IndexOfFieldAlias(QStringLiteral("Zip")); }),
           QStringLiteral("Error: Field Alias [Zip] does not exist"));
  QCOMPARE(errorOf([&] { t->GetField(9); }),
           QStringLiteral("Error: Field Index [9] does not exist"));
  QCOMPARE(t->AddField(QStringLiteral("A"), QStringLiteral("A"), ftString, 1), -1);
  QCOMPARE(f.model.GetTable(1)->FieldCount(), 2);
  t->SetDatabaseName(QStringLiteral("OTHER"));
  QCOMPARE(f.model.GetTable(1)->GetDatabaseName(), QStringLiteral("OTHER"));
}

void TestQuery::unresolvedTables() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Nowhere"), QStringLiteral("N"));
  TzelTable *t = f.query.GetTable(0);
  QCOMPARE(errorOf([&] { t->FieldCount(); }),
           QStringLiteral("Error: Table Alias [Nowhere] does not exist"));
  f.model.SetRaiseOnMissing(false);
  QCOMPARE(t->FieldCount(), -1);
  QCOMPARE(t->IndexOfFieldAlias(QStringLiteral("X")), -1);
  QCOMPARE(t->IndexOfFieldName(QStringLiteral("X")), -1);
  QCOMPARE(t->GetField(0), nullptr);
  QCOMPARE(t->FieldByAlias(QStringLiteral("X")), nullptr);
  QVERIFY(t->GetDatabaseName().isEmpty());
  QVERIFY(!t->FieldIndexValid(0));

  TzelQuery orphan; // no owner at all
  orphan.AddTable(QString(), QStringLiteral("Customers"), QString());
  QCOMPARE(orphan.GetTable(0)->FieldCount(), -1);
  TzelModel empty;
  StubOwner owner;
  owner.model = &empty;
  orphan.SetQuerion(&owner);
  QCOMPARE(orphan.GetTable(0)->FieldCount(), -1); // a model without tables
}

void TestQuery::resolutionFollowsTableNameAndModel() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("T"));
  TzelTable *t = f.query.GetTable(0);
  QCOMPARE(t->FieldCount(), 2);
  t->SetTableName(QStringLiteral("Customers"));
  QCOMPARE(t->FieldCount(), 3);
  {
    TzelModel other;
    other.AddTable(QStringLiteral("DB"), QStringLiteral("C"), QStringLiteral("Customers"));
    f.owner.model = &other;
    QCOMPARE(t->FieldCount(), 3); // resolved once, stays resolved
    t->SetTableName(QStringLiteral("customers"));
    QCOMPARE(t->FieldCount(), 0); // a new name resolves afresh, now in the other model
  }
  // The remembered model is gone: the table resolves afresh instead of dangling.
  f.owner.model = &f.model;
  QCOMPARE(t->FieldCount(), 3);
}

void TestQuery::ownerIsCleared() {
  TzelQuery query;
  {
    StubOwner owner;
    query.SetQuerion(&owner);
    QCOMPARE(query.Querion(), static_cast<TzelQueryOwner *>(&owner));
  }
  QCOMPARE(query.Querion(), nullptr);
  QCOMPARE(query.DataModel(), nullptr);
  StubOwner parent;
  auto *child = new TzelQuery(&parent);
  QCOMPARE(child->Querion(), static_cast<TzelQueryOwner *>(&parent));
}

void TestQuery::addValueField() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Customers"), QString());
  f.query.AddValue(QString(), QStringLiteral("1"), QStringLiteral("One"));
  QCOMPARE(f.query.AddValue(QStringLiteral("customers"), QStringLiteral("City"), QString()), 1);
  TzelQueryValue *v = f.query.GetValue(1);
  QCOMPARE(v->ValueAlias(), QStringLiteral("City"));
  QCOMPARE(v->TableAlias(), QStringLiteral("customers"));
  QCOMPARE(v->Expression(), QStringLiteral("City"));
  QCOMPARE(v->DataType(), ftString);
  QCOMPARE(v->Width(), 15);
  QCOMPARE(v->Position(), 1);
  QCOMPARE(v->Show(), zelShow);
  QCOMPARE(v->Sort(), zelSortNone);
  QCOMPARE(v->Query(), &f.query);
  QCOMPARE(f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("City"), QString()), 2);
  QCOMPARE(f.query.GetValue(2)->ValueAlias(), QStringLiteral("City_1"));
  QCOMPARE(f.query.GetValue(2)->Position(), 2);
  f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("CustNo"), QStringLiteral("NUMBER"));
  TzelQueryValue *n = f.query.GetValue(3);
  QCOMPARE(n->ValueAlias(), QStringLiteral("Number"));
  QCOMPARE(n->DataType(), ftFloat);
  QCOMPARE(n->Width(), 0);
  QCOMPARE(n->Alignment(), taRightJustify);
  QCOMPARE(n->Format(), QStringLiteral("0"));
}

void TestQuery::addValueCalculated() {
  Fixture f;
  QCOMPARE(f.query.AddValue(QString(), QStringLiteral("SUM(Qty)"), QStringLiteral("TOTAL")), 0);
  TzelQueryValue *v = f.query.GetValue(0);
  QCOMPARE(v->ValueAlias(), QStringLiteral("Total"));
  QVERIFY(v->TableAlias().isEmpty());
  QCOMPARE(v->DataType(), ftString);
  QCOMPARE(v->Width(), 25);
  QCOMPARE(v->Alignment(), taLeftJustify);
  QVERIFY(v->Format().isEmpty());
  QCOMPARE(errorOf([&] { f.query.AddValue(QStringLiteral("  "), QStringLiteral("1"), QString()); }),
           QStringLiteral("Error: The Value Header cannot be blank"));
  QCOMPARE(f.query.ValueCount(), 1);
}

void TestQuery::addValueMissing() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Customers"), QString());
  QCOMPARE(
      errorOf([&] { f.query.AddValue(QStringLiteral("X"), QStringLiteral("City"), QString()); }),
      QStringLiteral("Error: Table Alias [X] does not exist"));
  QCOMPARE(errorOf([&] {
             f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("Zip"), QString());
           }),
           QStringLiteral("Error: Field Alias [Zip] does not exist"));
  f.query.SetRaiseOnMissing(false);
  QCOMPARE(f.query.AddValue(QStringLiteral("X"), QStringLiteral("City"), QString()), -1);
  f.model.GetTable(0)->SetRaiseOnMissing(false);
  QCOMPARE(f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("Zip"), QString()), -1);
  QCOMPARE(f.query.ValueCount(), 0);
}

void TestQuery::valueAliasSetter() {
  TzelQueryValue v;
  v.SetValueAlias(QStringLiteral("A"));
  QCOMPARE(errorOf([&] { v.SetValueAlias(QStringLiteral("   ")); }),
           QStringLiteral("Error: Header cannot be blank"));
  QCOMPARE(v.ValueAlias(), QStringLiteral("A"));
  v.SetValueAlias(QString(200, QLatin1Char('v')));
  QCOMPARE(v.ValueAlias().size(), 128);
  v.SetTableAlias(QString(130, QLatin1Char(' ')));
  QCOMPARE(v.TableAlias().size(), 128);
}

void TestQuery::setFilterReuse() {
  TzelQueryValue v;
  QCOMPARE(v.SetFilter(3, zelFilterLike, QStringLiteral("A%")), 0);
  QCOMPARE(v.SetFilter(3, zelFilterLike, QStringLiteral("A%")), 0);
  QCOMPARE(v.FilterCount(), 1);
  QCOMPARE(v.GetFilter(0)->Position(), 3);
  QCOMPARE(v.GetFilter(0)->Operator(), zelFilterLike);
  QCOMPARE(v.GetFilter(0)->Filter(), QStringLiteral("A%|"));
  QCOMPARE(v.GetFilter(0)->Value(), &v);
  QCOMPARE(v.SetFilter(1, zelFilterEqual, QStringLiteral("x|")), 1);
  v.GetFilter(0)->SetDeleted(true);
  QCOMPARE(v.SetFilter(5, zelFilterGT, QStringLiteral("9")), 0); // the deleted one is reused
  QVERIFY(!v.GetFilter(0)->Deleted());
  QCOMPARE(v.GetFilter(0)->Position(), 5);
  QCOMPARE(v.FilterCount(), 2);
}

void TestQuery::clearFiltersReuse() {
  TzelQueryValue v;
  v.SetFilter(1, zelFilterEqual, QStringLiteral("a"));
  v.SetFilter(2, zelFilterEqual, QStringLiteral("b"));
  TzelQueryFilter *first = v.GetFilter(0);
  v.ClearFilters();
  QVERIFY(v.GetFilter(0)->Deleted());
  QVERIFY(v.GetFilter(1)->Deleted());
  QVERIFY(v.storedChildren().isEmpty());
  QCOMPARE(v.SetFilter(2, zelFilterLT, QStringLiteral("c")), 0);
  QCOMPARE(v.GetFilter(0), first);
  QCOMPARE(v.FilterCount(), 2);
}

void TestQuery::filterBar() {
  TzelQueryFilter f;
  QCOMPARE(f.Position(), 1);
  QCOMPARE(f.Operator(), zelFilterEqual);
  f.SetFilter(QString());
  QCOMPARE(f.Filter(), QStringLiteral("|"));
  f.SetFilter(QStringLiteral("Vancouver|Bogota|"));
  QCOMPARE(f.Filter(), QStringLiteral("Vancouver|Bogota|"));
}

void TestQuery::splitFilter_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("items");
  QTest::newRow("two") << "Vancouver|Bogota|" << QStringList{"Vancouver", "Bogota"};
  QTest::newRow("empty items dropped") << "|a||b|" << QStringList{"a", "b"};
  QTest::newRow("tail ignored") << "a|b" << QStringList{"a"};
  QTest::newRow("untrimmed") << " a |" << QStringList{" a "};
  QTest::newRow("bar only") << "|" << QStringList{};
  QTest::newRow("empty") << "" << QStringList{};
}

void TestQuery::splitFilter() {
  QFETCH(QString, filter);
  QFETCH(QStringList, items);
  QCOMPARE(TzelQueryFilter::SplitFilter(filter), items);
}

void TestQuery::filterIndex_data() {
  QTest::addColumn<int>("index");
  for (int index : {1, -1, -7})
    QTest::addRow("%d", index) << index;
}

void TestQuery::filterIndex() {
  QFETCH(int, index);
  TzelQueryValue v;
  v.SetFilter(1, zelFilterEqual, QStringLiteral("a"));
  QCOMPARE(errorOf([&] { v.GetFilter(index); }),
           QStringLiteral("Error: Filter Index [%1] does not exist").arg(index));
  v.SetRaiseOnMissing(false);
  QCOMPARE(v.GetFilter(index), nullptr);
  QVERIFY(!v.FilterIndexValid(index));
}

void TestQuery::valueIndex_data() {
  QTest::addColumn<int>("index");
  for (int index : {2, -1, 100})
    QTest::addRow("%d", index) << index;
}

// Outside the list a value index raises, also while the query's lookup errors are off.
void TestQuery::valueIndex() {
  QFETCH(int, index);
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Customers"), QString());
  f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("City"), QString());
  f.query.AddValue(QString(), QStringLiteral("1"), QStringLiteral("One"));
  QCOMPARE(f.query.GetValue(1)->ValueAlias(), QStringLiteral("One"));
  const QString message = QStringLiteral("Error: Value Index [%1] does not exist").arg(index);
  QCOMPARE(errorOf([&] { f.query.GetValue(index); }), message);
  f.query.SetRaiseOnMissing(false);
  QCOMPARE(errorOf([&] { f.query.GetValue(index); }), message);
}

void TestQuery::valueAliasLookupFollowsChanges() {
  Fixture f;
  TzelQuery &q = f.query;
  q.AddTable(QString(), QStringLiteral("Customers"), QString());
  for (int i = 0; i < 3; ++i)
    q.AddValue(QStringLiteral("Customers"), QStringLiteral("City"), QString());
  q.SetRaiseOnMissing(false);
  const auto firstLive = [&](const QString &alias) {
    for (int i = 0; i < q.ValueCount(); ++i)
      if (!q.GetValue(i)->Deleted() && zelSameText(q.GetValue(i)->ValueAlias(), alias))
        return i;
    return -1;
  };
  const auto check = [&](const char *step) {
    for (const char *text : {"City", "city_1", "CITY_2", "Town", "Total"}) {
      const QString alias = QString::fromLatin1(text);
      QVERIFY2(q.IndexOfValueAlias(alias) == firstLive(alias),
               qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(step), alias)));
    }
  };
  check("added");
  q.GetValue(0)->SetValueAlias(QStringLiteral("Town"));
  check("renamed");
  QCOMPARE(q.MakeValueAlias(QStringLiteral("CITY")), QStringLiteral("City"));
  q.GetValue(1)->SetDeleted(true);
  q.GetValue(2)->SetValueAlias(QStringLiteral("city_1"));
  QCOMPARE(q.IndexOfValueAlias(QStringLiteral("City_1")), 2);
  q.GetValue(1)->SetDeleted(false);
  QCOMPARE(q.IndexOfValueAlias(QStringLiteral("City_1")), 1);
  check("undeleted");

  TzelQuery copy;
  copy.SetQuerion(&f.owner);
  copy.Assign(&q);
  copy.SetRaiseOnMissing(false);
  QCOMPARE(copy.IndexOfValueAlias(QStringLiteral("TOWN")), 0);
  QCOMPARE(copy.IndexOfValueAlias(QStringLiteral("city_1")), 1);
  const auto read = StoredFormReader().read(StoredFormWriter().write(q));
  auto *stored = qobject_cast<TzelQuery *>(read.get());
  QVERIFY(stored);
  QCOMPARE(stored->IndexOfValueAlias(QStringLiteral("town")), 0);

  QVERIFY(q.DeleteTable(QStringLiteral("customers")));
  check("table deleted");
  QCOMPARE(q.MakeValueAlias(QStringLiteral("town")), QStringLiteral("Town"));
  q.ClearValues();
  check("cleared");
  QCOMPARE(q.AddValue(QString(), QStringLiteral("1"), QStringLiteral("Town")), 0);
  check("after clearing");
}

void TestQuery::deleteTableMarksValues() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Orders"), QString());
  f.query.AddTable(QString(), QStringLiteral("Customers"), QString());
  f.query.AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  f.query.AddValue(QStringLiteral("Orders"), QStringLiteral("OrderNo"), QString());
  f.query.AddValue(QStringLiteral("Customers"), QStringLiteral("Name"), QString());
  f.query.AddValue(QString(), QStringLiteral("1"), QStringLiteral("One"));
  f.query.GetValue(2)->SetTableAlias(QStringLiteral("ORDERS")); // case differs
  QVERIFY(f.query.DeleteTable(QStringLiteral("Orders")));
  QVERIFY(f.query.GetValue(0)->Deleted());
  QVERIFY(!f.query.GetValue(1)->Deleted());
  QVERIFY(f.query.GetValue(2)->Deleted());
  QVERIFY(f.query.GetJoin(0)->Deleted());
  f.query.SetRaiseOnMissing(false);
  QVERIFY(!f.query.DeleteTable(QStringLiteral("Orders")));
}

void TestQuery::renameTableAliasOfValues() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Orders"), QString());
  f.query.AddValue(QStringLiteral("Orders"), QStringLiteral("OrderNo"), QString());
  f.query.AddValue(QStringLiteral("orders"), QStringLiteral("CustNo"), QString());
  f.query.AddValue(QStringLiteral("Orders"), QStringLiteral("CustNo"), QStringLiteral("Gone"));
  f.query.GetValue(2)->SetDeleted(true);
  QVERIFY(f.query.RenameTableAlias(0, QStringLiteral("Sales")));
  QCOMPARE(f.query.GetTable(0)->TableAlias(), QStringLiteral("Sales"));
  QCOMPARE(f.query.GetValue(0)->TableAlias(), QStringLiteral("Sales"));
  QCOMPARE(f.query.GetValue(1)->TableAlias(), QStringLiteral("Sales"));
  QCOMPARE(f.query.GetValue(2)->TableAlias(), QStringLiteral("Orders"));
  QVERIFY(f.query.RenameTableAlias(0, QStringLiteral("SALES"))); // case only
  QCOMPARE(f.query.GetTable(0)->TableAlias(), QStringLiteral("SALES"));
  QCOMPARE(f.query.GetValue(0)->TableAlias(), QStringLiteral("Sales"));
}

void TestQuery::autoJoinsOff() {
  Fixture f;
  f.model.SetAutoJoin(false);
  f.query.AddTable(QString(), QStringLiteral("Orders"), QString());
  f.query.AddTable(QString(), QStringLiteral("Items"), QString());
  f.query.AddAutoJoins(QStringLiteral("Items"), QStringLiteral("Items"));
  QCOMPARE(f.query.JoinCount(), 0);
}

void TestQuery::autoJoinsOn() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("O"));
  f.query.AddTable(QString(), QStringLiteral("Items"), QStringLiteral("I"));
  f.query.AddAutoJoins(QStringLiteral("Items"), QStringLiteral("I"));
  QCOMPARE(f.query.JoinCount(), 1);
  const TzelJoin *j = f.query.GetJoin(0);
  QCOMPARE(j->LeftTableAlias(), QStringLiteral("O"));
  QCOMPARE(j->RightTableAlias(), QStringLiteral("I"));
  QCOMPARE(j->JoinType(), zelJoinLeft);
  QCOMPARE(j->Sequence(), 0);
  QCOMPARE(j->JoinFieldCount(), 2); // the deleted model pair is not copied
  QCOMPARE(j->GetJoinField(1)->LeftFieldAlias(), QStringLiteral("X"));
  QCOMPARE(j->GetJoinField(1)->JoinOper(), zelJoinGE);
  QCOMPARE(j->GetJoinField(1)->RightFieldAlias(), QStringLiteral("Y"));
  f.query.AddAutoJoins(QStringLiteral("Items"), QStringLiteral("I")); // already joined
  QCOMPARE(f.query.JoinCount(), 1);

  // Customers added after Orders: the model join Customers -> Orders keeps its direction.
  f.query.AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("C"));
  f.query.AddAutoJoins(QStringLiteral("Customers"), QStringLiteral("C"));
  QCOMPARE(f.query.JoinCount(), 2);
  QCOMPARE(f.query.GetJoin(1)->LeftTableAlias(), QStringLiteral("C"));
  QCOMPARE(f.query.GetJoin(1)->RightTableAlias(), QStringLiteral("O"));
  // A second Items, named in other letters: the model's join is found all the same.
  f.query.AddTable(QString(), QStringLiteral("Items"), QStringLiteral("I2"));
  f.query.AddAutoJoins(QStringLiteral("ITEMS"), QStringLiteral("I2"));
  QCOMPARE(f.query.JoinCount(), 3);
  QCOMPARE(f.query.GetJoin(2)->LeftTableAlias(), QStringLiteral("O"));
  QCOMPARE(f.query.GetJoin(2)->RightTableAlias(), QStringLiteral("I2"));
  QVERIFY(f.query.RaiseOnMissing());
  QVERIFY(f.model.RaiseOnMissing());
}

// Making an alias remembers how far a base's numbered aliases are taken; deleting, renaming
// and clearing values free names again, and the result is always the first free one.
void TestQuery::makeValueAliasAfterChanges() {
  Fixture f;
  TzelQuery &q = f.query;
  const auto firstFree = [&](const QString &base) {
    const TzelProbe probe(q);
    QString candidate = TzelSchema::ProperCase(base);
    for (int n = 1; q.IndexOfValueAlias(candidate) >= 0; ++n)
      candidate = TzelSchema::ProperCase(base) + QLatin1Char('_') + QString::number(n);
    return candidate;
  };
  const QStringList bases{QStringLiteral("city"), QStringLiteral("CITY_1"), QStringLiteral("Town"),
                          QStringLiteral("city_01")};
  QRandomGenerator random(23);
  for (int step = 0; step < 600; ++step) {
    const QString base = bases.at(random.bounded(int(bases.size())));
    const int index = q.ValueCount() ? random.bounded(q.ValueCount()) : 0;
    switch (random.bounded(5)) {
    case 0:
    case 1:
      q.AddValue(QString(), QStringLiteral("1"), base);
      break;
    case 2:
      if (q.ValueCount())
        q.GetValue(index)->SetDeleted(!q.GetValue(index)->Deleted());
      break;
    case 3:
      if (q.ValueCount())
        q.GetValue(index)->SetValueAlias(base.toUpper() + QLatin1Char('_') +
                                         QString::number(random.bounded(8)));
      break;
    default:
      if (random.bounded(40) == 0)
        q.ClearValues();
    }
    const QString expected = firstFree(base);
    QVERIFY2(q.MakeValueAlias(base) == expected, qPrintable(QString::number(step)));
  }
  q.ClearValues();
  for (int i = 0; i < 4; ++i)
    q.AddValue(QString(), QStringLiteral("1"), QStringLiteral("city"));
  q.GetValue(2)->SetValueAlias(QStringLiteral("Town"));
  QCOMPARE(q.MakeValueAlias(QStringLiteral("CITY")), QStringLiteral("City_2"));
  q.GetValue(1)->SetDeleted(true);
  QCOMPARE(q.MakeValueAlias(QStringLiteral("CITY")), QStringLiteral("City_1"));
  QCOMPARE(q.MakeValueAlias(QStringLiteral("town")), QStringLiteral("Town_1"));
}

void TestQuery::listValueAliases() {
  Fixture f;
  f.query.AddValue(QString(), QStringLiteral("1"), QStringLiteral("A"));
  f.query.AddValue(QString(), QStringLiteral("2"), QStringLiteral("B"));
  f.query.AddValue(QString(), QStringLiteral("3"), QStringLiteral("C"));
  f.query.GetValue(0)->SetPosition(2);
  f.query.GetValue(2)->SetPosition(0);
  f.query.GetValue(1)->SetDeleted(true);
  QStringList list{QStringLiteral("stale")};
  f.query.ListValueAliases(list);
  QCOMPARE(list, QStringList({QStringLiteral("C"), QStringLiteral("A")}));
  QCOMPARE(f.query.IndexOfValueAlias(QStringLiteral("c")), 2);
  QCOMPARE(errorOf([&] { f.query.IndexOfValueAlias(QStringLiteral("B")); }),
           QStringLiteral("Error: Value Alias [B] does not exist"));
  QCOMPARE(f.query.MakeValueAlias(QStringLiteral("b")), QStringLiteral("B"));
  QCOMPARE(f.query.MakeValueAlias(QStringLiteral("a")), QStringLiteral("A_1"));
}

void TestQuery::assign() {
  Fixture f;
  f.query.SetQueryName(QStringLiteral("Step 1"));
  f.query.SetQueryType(zelUpdate);
  f.query.SetIsDistinct(true);
  f.query.SetTopValues(10);
  f.query.SetTopPercent(true);
  f.query.SetTopOffset(3);
  f.query.AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("C"));
  f.query.AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("O"));
  f.query.AddTable(QString(), QStringLiteral("Items"), QStringLiteral("I"));
  f.query.GetTable(1)->SetLeft(19);
  f.query.AddJoin(QStringLiteral("C"), zelJoinRight, 4, QStringLiteral("O"));
  f.query.GetJoin(0)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual,
                                   QStringLiteral("CustNo"));
  f.query.AddValue(QStringLiteral("C"), QStringLiteral("Name"), QString());
  f.query.AddValue(QStringLiteral("I"), QStringLiteral("PartNo"), QString());
  f.query.AddValue(QStringLiteral("C"), QStringLiteral("City"), QString());
  TzelQueryValue *city = f.query.GetValue(2);
  city->SetShow(zelShowGroup);
  city->SetSort(zelSortDescending);
  city->SetWidth(40);
  city->SetPosition(1);
  city->SetFilter(1, zelFilterEqual, QStringLiteral("Vancouver|Bogota|"));
  city->SetFilter(2, zelFilterLike, QStringLiteral("P%"));
  city->GetFilter(0)->SetDeleted(true);
  f.query.DeleteTable(QStringLiteral("I"));

  TzelQuery copy;
  copy.SetQuerion(&f.owner);
  copy.Assign(&f.query);
  QCOMPARE(copy.QueryName(), QStringLiteral("Step 1"));
  QCOMPARE(copy.QueryType(), zelUpdate);
  QVERIFY(copy.IsDistinct());
  QCOMPARE(copy.TopValues(), 10);
  QVERIFY(copy.TopPercent());
  QCOMPARE(copy.TopOffset(), 3);
  QCOMPARE(copy.TableCount(), 2);
  QCOMPARE(copy.GetTable(1)->TableAlias(), QStringLiteral("O"));
  QCOMPARE(copy.GetTable(1)->TableName(), QStringLiteral("Orders"));
  QCOMPARE(copy.GetTable(1)->Left(), 19);
  QCOMPARE(copy.JoinCount(), 1);
  QCOMPARE(copy.GetJoin(0)->Sequence(), 4);
  QCOMPARE(copy.ValueCount(), 2);
  const TzelQueryValue *c = copy.GetValue(1);
  QCOMPARE(c->ValueAlias(), QStringLiteral("City"));
  QCOMPARE(c->Show(), zelShowGroup);
  QCOMPARE(c->Sort(), zelSortDescending);
  QCOMPARE(c->Width(), 40);
  QCOMPARE(c->Position(), 1);
  QCOMPARE(c->FilterCount(), 1);
  QCOMPARE(c->GetFilter(0)->Position(), 2);
  QCOMPARE(c->GetFilter(0)->Operator(), zelFilterLike);
  QCOMPARE(c->GetFilter(0)->Filter(), QStringLiteral("P%|"));
  QCOMPARE(c->Query(), &copy);
}

void TestQuery::assignWithoutOwnerKeepsValues() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("C"));
  f.query.AddValue(QStringLiteral("C"), QStringLiteral("City"), QString());
  f.query.GetValue(0)->SetFilter(1, zelFilterEqual, QStringLiteral("Bogota"));
  TzelQuery copy; // not yet held by a query component
  copy.Assign(&f.query);
  QCOMPARE(copy.ValueCount(), 1);
  QCOMPARE(copy.GetValue(0)->ValueAlias(), QStringLiteral("City"));
  QCOMPARE(copy.GetValue(0)->Width(), 15);
  QCOMPARE(copy.GetValue(0)->GetFilter(0)->Filter(), QStringLiteral("Bogota|"));
}

void TestQuery::storedChildren() {
  Fixture f;
  f.query.AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("C"));
  f.query.AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("O"));
  f.query.AddJoin(QStringLiteral("C"), zelJoinInner, 0, QStringLiteral("O"));
  f.query.AddValue(QStringLiteral("C"), QStringLiteral("City"), QString());
  f.query.AddValue(QStringLiteral("O"), QStringLiteral("OrderNo"), QString());
  f.query.GetValue(0)->SetDeleted(true);
  const QList<TzelComponent *> children = f.query.storedChildren();
  QCOMPARE(children, (QList<TzelComponent *>{f.query.GetTable(0), f.query.GetTable(1),
                                             f.query.GetJoin(0), f.query.GetValue(1)}));
  auto *value = new TzelQueryValue;
  QVERIFY(f.query.attachStoredChild(value));
  QCOMPARE(value->Query(), &f.query);
  auto *table = new TzelQueryTable;
  QVERIFY(f.query.attachStoredChild(table));
  QCOMPARE(table->Schema(), &f.query);
  TzelDataModelTable modelTable;
  QVERIFY(!f.query.attachStoredChild(&modelTable));
  auto *filter = new TzelQueryFilter;
  QVERIFY(value->attachStoredChild(filter));
  QCOMPARE(filter->Value(), value);
  TzelQueryTable queryTable;
  QVERIFY(!f.model.attachStoredChild(&queryTable));
}

void TestQuery::storedFormExample() {
  const QString text = QStringLiteral("object : TzelQuery\n"
                                      "  QueryName = 'Step 1'\n"
                                      "  QueryType = zelSelect\n"
                                      "  IsDistinct = True\n"
                                      "  object : TzelQueryTable\n"
                                      "    TableAlias = 'Customers'\n"
                                      "    TableName = 'Customers'\n"
                                      "    Left = 19\n"
                                      "    Top = 12\n"
                                      "  end\n"
                                      "  object : TzelQueryValue\n"
                                      "    ValueAlias = 'City'\n"
                                      "    TableAlias = 'Customers'\n"
                                      "    Expression = 'City'\n"
                                      "    DataType = ftString\n"
                                      "    Width = 15\n"
                                      "    Position = 2\n"
                                      "    object : TzelQueryFilter\n"
                                      "      Position = 1\n"
                                      "      Filter = 'Vancouver|Bogota|Portland|'\n"
                                      "    end\n"
                                      "  end\n"
                                      "end\n");
  const std::unique_ptr<TzelComponent> read = StoredFormReader().read(text);
  auto *q = qobject_cast<TzelQuery *>(read.get());
  QVERIFY(q);
  QVERIFY(q->IsDistinct());
  QCOMPARE(q->GetTable(0)->Schema(), q);
  QCOMPARE(q->GetValue(0)->Query(), q);
  QCOMPARE(q->GetValue(0)->GetFilter(0)->Value(), q->GetValue(0));
  QCOMPARE(q->GetValue(0)->GetFilter(0)->Operator(), zelFilterEqual);
  QCOMPARE(StoredFormWriter().write(*q), text);

  // A new query writes QueryType always, and IsDistinct and the top values only when set.
  TzelQuery fresh;
  QCOMPARE(StoredFormWriter().write(fresh),
           QStringLiteral("object : TzelQuery\n  QueryType = zelSelect\nend\n"));
  fresh.SetTopValues(5);
  fresh.SetTopOffset(20);
  const QString top = QStringLiteral(
      "object : TzelQuery\n  QueryType = zelSelect\n  TopValues = 5\n  TopOffset = 20\nend\n");
  QCOMPARE(StoredFormWriter().write(fresh), top);
  const std::unique_ptr<TzelComponent> again = StoredFormReader().read(top);
  QCOMPARE(qobject_cast<TzelQuery *>(again.get())->TopOffset(), 20);
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
