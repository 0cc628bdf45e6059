// SPDX-License-Identifier: MIT
#pragma once
// Models and queries for the SQL generation tests and benchmark: the Parts and Vendors
// tables of the demonstration model (plus Items and Orders), under file or server names.

#include "database/zeldatamodel.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QObject>
#include <memory>

// The database-bound model: it writes the table prefixes (:PELLOX: for file databases).
using PrefixModel = TzelDataModel;

// Stands where the query component holds a query: it gives the query its data model.
class QueryHolder : public QObject, public TzelQueryOwner {
public:
  explicit QueryHolder(TzelModel *dataModel) : model(dataModel) {
    query = new TzelQuery(this);
    query->SetQuerion(this);
  }
  TzelModel *queryDataModel() const override { return model; }
  TzelModel *model;
  TzelQuery *query;
};

// fileNames: T0492.DB-style physical names; otherwise PARTS, VENDORS, ITEMS, ORDERS.
inline std::unique_ptr<PrefixModel> makePartsModel(TzelDatabase type, bool fileNames) {
  auto model = std::make_unique<PrefixModel>();
  model->SetDatabaseType(type);
  const QString db = QStringLiteral("PELLOX");
  auto table = [&](const char *file, const char *server, const char *alias) {
    const int i =
        model->AddTable(db, QLatin1String(fileNames ? file : server), QLatin1String(alias));
    return model->GetTable(i);
  };
  TzelTable *parts = table("T0492.DB", "PARTS", "Parts");
  parts->AddField(QStringLiteral("PT_ITM_NO"), QStringLiteral("PartNo"), ftFloat, 0);
  parts->AddField(QStringLiteral("VND_NO"), QStringLiteral("VendorNo"), ftFloat, 0);
  parts->AddField(QStringLiteral("PT_DES"), QStringLiteral("PartDesc"), ftString, 30);
  parts->AddField(QStringLiteral("ON_HND"), QStringLiteral("OnHand"), ftFloat, 0);
  parts->AddField(QStringLiteral("CST"), QStringLiteral("Cost"), ftCurrency, 0);
  parts->AddField(QStringLiteral("ORD_DT"), QStringLiteral("Ordered"), ftDate, 0);
  parts->AddField(QStringLiteral("ACTIVE"), QStringLiteral("Active"), ftBoolean, 0);
  TzelTable *vendors = table("T0494.DB", "VENDORS", "Vendors");
  vendors->AddField(QStringLiteral("VND_NO"), QStringLiteral("VendorNo"), ftFloat, 0);
  vendors->AddField(QStringLiteral("VND_NM"), QStringLiteral("VendorName"), ftString, 30);
  TzelTable *items = table("T0495.DB", "ITEMS", "Items");
  items->AddField(QStringLiteral("PT_ITM_NO"), QStringLiteral("PartNo"), ftFloat, 0);
  items->AddField(QStringLiteral("VND_NO"), QStringLiteral("VendorNo"), ftFloat, 0);
  items->AddField(QStringLiteral("ORD_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
  TzelTable *orders = table("T0496.DB", "ORDERS", "Orders");
  orders->AddField(QStringLiteral("ORD_NO"), QStringLiteral("OrderNo"), ftFloat, 0);
  return model;
}

inline void addTables(TzelQuery &query, const QStringList &aliases) {
  for (const QString &alias : aliases)
    query.AddTable(QString(), alias, alias);
}

inline TzelJoin *addJoin(TzelQuery &query, const QString &left, TzelJoinType type,
                         const QString &right, const QList<QPair<QString, QString>> &pairs) {
  TzelJoin *join = query.GetJoin(query.AddJoin(left, type, 0, right));
  for (const auto &pair : pairs)
    join->AddJoinField(pair.first, zelJoinEqual, pair.second);
  return join;
}

inline TzelQueryValue *addValue(TzelQuery &query, const QString &table, const QString &field,
                                const QString &alias = {}, TzelShow show = zelShow,
                                TzelSort sort = zelSortNone) {
  const int index = query.AddValue(table, field, alias);
  TzelQueryValue *value = index >= 0 ? query.GetValue(index) : nullptr;
  if (value) {
    value->SetShow(show);
    value->SetSort(sort);
  }
  return value;
}

// Worked example 1: Paradox, joins in FROM, Parts joined to Vendors, a LIKE filter.
inline void fillExample1(TzelQuery &query) {
  addTables(query, {QStringLiteral("Parts"), QStringLiteral("Vendors")});
  addJoin(query, QStringLiteral("Parts"), zelJoinInner, QStringLiteral("Vendors"),
          {{QStringLiteral("VendorNo"), QStringLiteral("VendorNo")}});
  addValue(query, QStringLiteral("Vendors"), QStringLiteral("VendorName"), {}, zelShow,
           zelSortAscending);
  addValue(query, QStringLiteral("Parts"), QStringLiteral("PartDesc"))
      ->SetFilter(1, zelFilterLike, QStringLiteral("Gear|"));
}

// Worked example 2: grouped and summed, filters in two rows and a HAVING condition.
inline void fillExample2(TzelQuery &query) {
  addTables(query, {QStringLiteral("Parts"), QStringLiteral("Vendors")});
  addJoin(query, QStringLiteral("Parts"), zelJoinInner, QStringLiteral("Vendors"),
          {{QStringLiteral("VendorNo"), QStringLiteral("VendorNo")}});
  TzelQueryValue *name = addValue(query, QStringLiteral("Vendors"), QStringLiteral("VendorName"),
                                  {}, zelShowGroup, zelSortAscending);
  name->SetFilter(1, zelFilterEqual, QStringLiteral("Acme|Zeus|"));
  name->SetFilter(2, zelFilterLike, QStringLiteral("Bo|"));
  addValue(query, QStringLiteral("Parts"), QStringLiteral("OnHand"), QStringLiteral("TotalOnHand"),
           zelShowSum)
      ->SetFilter(1, zelFilterGT, QStringLiteral("100|"));
}

inline void setExample2Dialect(TzelModel &model) {
  model.SetJoinMethod(zelJoinWhere);
  model.SetAliasAs(true);
  model.SetAliasByTable(false);
  model.SetOrderByAlias(false);
  model.SetVerifyNames(false);
  model.SetStringQuote(zelQuoteSingle);
}

// Worked example 3: three joins, one of them left outer on two field pairs.
inline void fillExample3(TzelQuery &query) {
  addTables(query, {QStringLiteral("Parts"), QStringLiteral("Vendors"), QStringLiteral("Items"),
                    QStringLiteral("Orders")});
  const QString partNo = QStringLiteral("PartNo"), vendorNo = QStringLiteral("VendorNo"),
                orderNo = QStringLiteral("OrderNo");
  addJoin(query, QStringLiteral("Parts"), zelJoinInner, QStringLiteral("Vendors"),
          {{vendorNo, vendorNo}});
  addJoin(query, QStringLiteral("Parts"), zelJoinLeft, QStringLiteral("Items"),
          {{partNo, partNo}, {vendorNo, vendorNo}});
  addJoin(query, QStringLiteral("Items"), zelJoinInner, QStringLiteral("Orders"),
          {{orderNo, orderNo}});
  addValue(query, QStringLiteral("Parts"), QStringLiteral("PartDesc"));
}

inline const QString example1Sql =
    QStringLiteral("  SELECT Vendors.VND_NM AS Vendors.VendorName,\n"
                   "         Parts.PT_DES AS Parts.PartDesc\n"
                   "    FROM \":PELLOX:T0492.DB\" AS Parts\n"
                   "         INNER JOIN \":PELLOX:T0494.DB\" AS Vendors\n"
                   "                 ON Parts.VND_NO = Vendors.VND_NO\n"
                   "   WHERE (((Parts.PT_DES LIKE \"%Gear%\")))\n"
                   "ORDER BY Vendors.VendorName ASC");

inline const QString example2Sql =
    QStringLiteral("  SELECT Vendors.VND_NM AS VendorName,\n"
                   "         SUM(Parts.ON_HND) AS TotalOnHand\n"
                   "    FROM PARTS AS Parts,\n"
                   "         VENDORS AS Vendors\n"
                   "   WHERE (Parts.VND_NO = Vendors.VND_NO)\n"
                   "     AND (((Vendors.VND_NM IN('Acme', 'Zeus')))\n"
                   "      OR ((Vendors.VND_NM LIKE '%Bo%')))\n"
                   "GROUP BY Vendors.VND_NM\n"
                   "  HAVING (((SUM(Parts.ON_HND) > 100)))\n"
                   "ORDER BY Vendors.VND_NM ASC");

inline const QString example3From =
    QStringLiteral("    FROM ((PARTS AS Parts\n"
                   "         INNER JOIN VENDORS AS Vendors\n"
                   "                 ON Parts.VND_NO = Vendors.VND_NO)\n"
                   "         LEFT OUTER JOIN ITEMS AS Items\n"
                   "                      ON Parts.PT_ITM_NO = Items.PT_ITM_NO\n"
                   "                     AND Parts.VND_NO = Items.VND_NO)\n"
                   "         INNER JOIN ORDERS AS Orders\n"
                   "                 ON Items.ORD_NO = Orders.ORD_NO");
