// SPDX-License-Identifier: MIT
#pragma once
// A matrix of query shapes over eleven linked tables: one table; chains and stars of 2 to 10
// joins in several join orders; a cycle; inner, left and right joins; every show mode with
// grouping, HAVING and sorting; DISTINCT; top values; every filter operator on text, numbers, dates
// and Booleans; BLANK, TODAY, SPACE and parameters; keywords, spaces and quotes in names.
//
// Each shape fills a query (and may adjust the model) and carries a hand-written statement
// that returns the same rows on SQLite and PostgreSQL. Table i is stored as t<i> ("order"
// and "offset" for 3 and 5) with the columns id, hub (a key of table 0), nxt (a key of table
// i + 1), name, qty, "unit price", added, active and "limit".

#include "database/zeldatamodel.h"
#include "engine/sqlgenerator.h"
#include "model/dialects.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "support/recordingmessages.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace matrix {

constexpr int TableCount = 11;
// The date TODAY stands for in every generated statement.
inline QDate today() {
  return QDate(2026, 12, 8);
}

inline QString physical(int i) {
  return i == 3 ? QStringLiteral("order") : i == 5 ? QStringLiteral("offset") : u"t%1"_s.arg(i);
}
// The physical name as the hand-written statements write it.
inline QString handTable(int i) {
  return i == 3 || i == 5 ? u"\"%1\""_s.arg(physical(i)) : physical(i);
}
inline QString alias(int i) {
  switch (i) {
  case 0:
    return QStringLiteral("Main");
  case 3:
    return QStringLiteral("Order");
  case 4:
    return QStringLiteral("Sale Items");
  case 5:
    return QStringLiteral("Offset");
  default:
    return u"T%1"_s.arg(i);
  }
}

enum class Engine { Sqlite, Postgres, MariaDb, Firebird };

struct Column {
  const char *name;  // physical
  const char *alias; // in the model
  TFieldType type;
  const char *sqlite;
  const char *postgres; // also MariaDB's and Firebird's
};

inline const QList<Column> &columns() {
  static const QList<Column> list{{"id", "Id", ftInteger, "INTEGER", "INTEGER"},
                                  {"hub", "Hub", ftInteger, "INTEGER", "INTEGER"},
                                  {"nxt", "Next", ftInteger, "INTEGER", "INTEGER"},
                                  {"name", "Name", ftString, "VARCHAR(30)", "VARCHAR(30)"},
                                  {"qty", "Count", ftInteger, "INTEGER", "INTEGER"},
                                  {"unit price", "Unit Price", ftFloat, "REAL", "DOUBLE PRECISION"},
                                  {"added", "Date", ftDate, "DATE", "DATE"},
                                  {"active", "Active", ftBoolean, "BOOLEAN", "BOOLEAN"},
                                  {"limit", "Limit", ftInteger, "INTEGER", "INTEGER"}};
  return list;
}

// True for the names the hand-written statements write unquoted.
inline bool plainName(const QString &name) {
  return name != u"limit" && name != u"order" && name != u"offset" && !name.contains(u' ');
}

// The model: every table with every column, no joins of its own. Its names are those a
// catalogue gives: where the engine folds unquoted names to upper case, the plain ones are
// upper case.
inline std::unique_ptr<TzelDataModel> makeModel(TzelDatabase type) {
  auto model = std::make_unique<TzelDataModel>();
  model->SetDatabaseType(type);
  model->SetAutoJoin(false);
  const bool upper = zelDialect(type).foldsToUpperCase;
  const auto stored = [upper](const QString &name) {
    return upper && plainName(name) ? name.toUpper() : name;
  };
  for (int i = 0; i < TableCount; ++i) {
    TzelTable *table =
        model->GetTable(model->AddTable(QStringLiteral("MATRIX"), stored(physical(i)), alias(i)));
    for (const Column &c : columns())
      table->AddField(stored(QLatin1String(c.name)), QLatin1String(c.alias), c.type, 0);
  }
  return model;
}

// A column as CREATE writes it. Firebird folds an unquoted name to upper case as the
// hand-written statements' unquoted names are, so only the names that need it are quoted.
inline QString columnName(const Column &c, Engine engine) {
  const QString name = QLatin1String(c.name);
  return engine == Engine::Firebird && plainName(name) ? name : u'"' + name + u'"';
}

// CREATE and INSERT statements of the eleven tables. Firebird takes one row per INSERT.
inline QStringList createStatements(Engine engine) {
  QStringList sql;
  const QStringList names{QStringLiteral("'Acme'"),       QStringLiteral("'Zeus'"),
                          QStringLiteral("'Bolt Works'"), QStringLiteral("'O''Brien'"),
                          QStringLiteral("NULL"),         QStringLiteral("' '"),
                          QStringLiteral("'Gear box'")};
  const QStringList dates{QStringLiteral("'1998-01-15'"), QStringLiteral("'2026-12-08'"),
                          QStringLiteral("'1999-03-01'"), QStringLiteral("NULL"),
                          QStringLiteral("'2001-07-04'")};
  const QStringList flags{QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("NULL")};
  for (int i = 0; i < TableCount; ++i) {
    QStringList defs;
    for (const Column &c : columns())
      defs << columnName(c, engine) + u' ' +
                  QLatin1String(engine == Engine::Sqlite ? c.sqlite : c.postgres);
    sql << u"CREATE TABLE %1 (%2)"_s.arg(handTable(i), defs.join(QStringLiteral(", ")));
    QStringList rows;
    for (int id = 1; id <= 5; ++id) {
      // Even tables give key 2 of table 0 two rows, so that stars multiply a little.
      const QString hub = id <= 3                 ? QString::number(id)
                          : id == 4 && i % 2 == 0 ? u"2"_s
                                                  : u"NULL"_s;
      const QString nxt = id == 2   ? u"3"_s
                          : id == 4 ? u"NULL"_s
                          : id == 5 ? u"7"_s
                                    : u"%1"_s.arg(id);
      const QString qty = (id + i) % 5 == 0 ? u"NULL"_s : QString::number((id * 3 + i) % 11);
      rows << u"(%1, %2, %3, %4, %5, %6, %7, %8, %9)"_s.arg(
          QString::number(id), hub, nxt, names.at((id + i) % names.size()), qty,
          QString::number(0.75 * id + i), dates.at((id + i) % dates.size()),
          flags.at((id + i) % flags.size()), QString::number(100 - id * i));
    }
    if (engine == Engine::Firebird) {
      for (const QString &row : std::as_const(rows))
        sql << u"INSERT INTO %1 VALUES %2"_s.arg(handTable(i), row);
    } else {
      sql << u"INSERT INTO %1 VALUES %2"_s.arg(handTable(i), rows.join(QStringLiteral(", ")));
    }
  }
  return sql;
}
inline QStringList createStatements(bool postgres) {
  return createStatements(postgres ? Engine::Postgres : Engine::Sqlite);
}

using Fill = std::function<void(TzelQuery &, TzelModel &)>;

struct Shape {
  QString name;
  Fill fill;
  QString hand;         // the same rows, written by hand
  bool ordered = false; // the rows' order counts
};

// Building blocks of the fills.
inline void addTables(TzelQuery &q, const QList<int> &tables) {
  for (int i : tables)
    q.AddTable(QString(), alias(i), alias(i));
}
inline TzelJoin *join(TzelQuery &q, int left, const char *leftField, TzelJoinType type, int right,
                      const char *rightField) {
  TzelJoin *j = q.GetJoin(q.AddJoin(alias(left), type, 0, alias(right)));
  j->AddJoinField(QLatin1String(leftField), zelJoinEqual, QLatin1String(rightField));
  return j;
}
// Table i's Next to table i + 1's Id.
inline void chainJoin(TzelQuery &q, int i, TzelJoinType type = zelJoinInner) {
  join(q, i, "Next", type, i + 1, "Id");
}
// The hub's Id to table i's Hub; spokeLeft writes the join from the spoke's side.
inline void starJoin(TzelQuery &q, int i, bool spokeLeft = false) {
  if (spokeLeft)
    join(q, i, "Hub", zelJoinInner, 0, "Id");
  else
    join(q, 0, "Id", zelJoinInner, i, "Hub");
}
inline TzelQueryValue *value(TzelQuery &q, int table, const char *field, TzelShow show = zelShow,
                             TzelSort sort = zelSortNone, const QString &header = {}) {
  TzelQueryValue *v = q.GetValue(q.AddValue(alias(table), QLatin1String(field), QString()));
  v->SetShow(show);
  v->SetSort(sort);
  if (!header.isEmpty())
    v->SetValueAlias(header);
  return v;
}
inline TzelQueryValue *calculated(TzelQuery &q, const QString &header, const QString &expression,
                                  TzelShow show = zelShow, TzelSort sort = zelSortNone) {
  TzelQueryValue *v = q.GetValue(q.AddValue(QString(), expression, header));
  v->SetValueAlias(header);
  v->SetShow(show);
  v->SetSort(sort);
  return v;
}

// Join orders of a chain or star of n joins: as drawn, backwards, and every other join first
// (A-B, C-D, then B-C).
enum class Order { Forward, Reversed, Interleaved };
inline QList<int> joinOrder(int n, Order order) {
  QList<int> list;
  for (int i = 0; i < n; ++i)
    list << i;
  if (order == Order::Reversed)
    std::reverse(list.begin(), list.end());
  if (order == Order::Interleaved) {
    QList<int> even, odd;
    for (int i : list)
      (i % 2 == 0 ? even : odd) << i;
    list = even + odd;
  }
  return list;
}
inline const char *orderName(Order order) {
  return order == Order::Forward    ? "forward"
         : order == Order::Reversed ? "reversed"
                                    : "interleaved";
}

// Hand-written parts: table i as a<i>.
inline QString from(int i) {
  return handTable(i) + u" a%1"_s.arg(i);
}
inline QString chainHand(int n) {
  QString sql = u"SELECT a0.name, a%1.name FROM "_s.arg(n) + from(0);
  for (int i = 0; i < n; ++i)
    sql += u" JOIN %1 ON a%2.nxt = a%3.id"_s.arg(from(i + 1)).arg(i).arg(i + 1);
  return sql;
}
inline QString starHand(int n) {
  QString select = QStringLiteral("SELECT a0.name");
  QString joins;
  for (int i = 1; i <= n; ++i) {
    select += u", a%1.qty"_s.arg(i);
    joins += u" JOIN %1 ON a0.id = a%2.hub"_s.arg(from(i)).arg(i);
  }
  return select + QStringLiteral(" FROM ") + from(0) + joins;
}

inline QList<Shape> joinShapes() {
  QList<Shape> shapes;
  shapes << Shape{QStringLiteral("one table"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {1});
                    value(q, 1, "Name");
                    value(q, 1, "Count");
                    value(q, 1, "Date");
                    value(q, 1, "Active");
                  },
                  QStringLiteral("SELECT name, qty, added, active FROM t1")};
  for (int n : {2, 3, 5, 10})
    for (Order order : {Order::Forward, Order::Reversed, Order::Interleaved})
      shapes << Shape{u"chain %1 %2"_s.arg(n).arg(QLatin1String(orderName(order))),
                      [n, order](TzelQuery &q, TzelModel &) {
                        QList<int> tables;
                        for (int i = 0; i <= n; ++i)
                          tables << i;
                        addTables(q, tables);
                        for (int i : joinOrder(n, order))
                          chainJoin(q, i);
                        value(q, 0, "Name");
                        value(q, n, "Name");
                      },
                      chainHand(n)};
  for (int n : {2, 5, 10})
    for (Order order : {Order::Forward, Order::Reversed, Order::Interleaved})
      shapes << Shape{u"star %1 %2"_s.arg(n).arg(QLatin1String(orderName(order))),
                      [n, order](TzelQuery &q, TzelModel &) {
                        QList<int> tables;
                        for (int i = 0; i <= n; ++i)
                          tables << i;
                        addTables(q, tables);
                        // Interleaved stars draw every other join from the spoke's side.
                        for (int i : joinOrder(n, order))
                          starJoin(q, i + 1, order == Order::Interleaved && i % 2 == 1);
                        value(q, 0, "Name");
                        for (int i = 1; i <= n; ++i)
                          value(q, i, "Count");
                      },
                      starHand(n)};
  shapes << Shape{QStringLiteral("cycle"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    chainJoin(q, 0);
                    chainJoin(q, 1);
                    join(q, 2, "Hub", zelJoinInner, 0, "Id");
                    value(q, 0, "Name");
                    value(q, 2, "Name");
                  },
                  QStringLiteral("SELECT a0.name, a2.name FROM t0 a0 JOIN t1 a1 ON a0.nxt = a1.id "
                                 "JOIN t2 a2 ON a1.nxt = a2.id AND a2.hub = a0.id")};
  shapes << Shape{QStringLiteral("cycle out of order"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    join(q, 2, "Hub", zelJoinInner, 0, "Id");
                    chainJoin(q, 1);
                    chainJoin(q, 0);
                    value(q, 0, "Name");
                    value(q, 2, "Name");
                  },
                  QStringLiteral("SELECT a0.name, a2.name FROM t0 a0 JOIN t1 a1 ON a0.nxt = a1.id "
                                 "JOIN t2 a2 ON a1.nxt = a2.id AND a2.hub = a0.id")};
  shapes << Shape{QStringLiteral("left chain"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    chainJoin(q, 0, zelJoinLeft);
                    chainJoin(q, 1, zelJoinLeft);
                    value(q, 0, "Id");
                    value(q, 1, "Id");
                    value(q, 2, "Id");
                  },
                  QStringLiteral("SELECT a0.id, a1.id, a2.id FROM t0 a0 LEFT JOIN t1 a1 ON a0.nxt "
                                 "= a1.id LEFT JOIN t2 a2 ON a1.nxt = a2.id")};
  // Outer chains drawn out of order and backwards: every added table keeps the rows the
  // drawn joins keep, so the result is the left chain of Main, T1, T2, Order (, Sale Items).
  shapes << Shape{
      QStringLiteral("left chain 4 interleaved"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {0, 1, 2, 3, 4});
        for (int i : joinOrder(4, Order::Interleaved))
          chainJoin(q, i, zelJoinLeft);
        for (int i = 0; i <= 4; ++i)
          value(q, i, "Id");
      },
      QStringLiteral("SELECT a0.id, a1.id, a2.id, a3.id, a4.id FROM t0 a0 LEFT JOIN t1 "
                     "a1 ON a0.nxt = a1.id LEFT JOIN t2 a2 ON a1.nxt = a2.id LEFT JOIN "
                     "\"order\" a3 ON a2.nxt = a3.id LEFT JOIN t4 a4 ON a3.nxt = a4.id")};
  shapes << Shape{QStringLiteral("left chain 3 reversed"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2, 3});
                    for (int i : joinOrder(3, Order::Reversed))
                      chainJoin(q, i, zelJoinLeft);
                    for (int i = 0; i <= 3; ++i)
                      value(q, i, "Id");
                  },
                  QStringLiteral("SELECT a0.id, a1.id, a2.id, a3.id FROM t0 a0 LEFT JOIN t1 a1 ON "
                                 "a0.nxt = a1.id LEFT JOIN t2 a2 ON a1.nxt = a2.id LEFT JOIN "
                                 "\"order\" a3 ON a2.nxt = a3.id")};
  shapes << Shape{
      QStringLiteral("right join"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {1, 2});
        chainJoin(q, 1, zelJoinRight);
        value(q, 1, "Id");
        value(q, 2, "Id");
      },
      QStringLiteral("SELECT a1.id, a2.id FROM t2 a2 LEFT JOIN t1 a1 ON a1.nxt = a2.id")};
  shapes << Shape{QStringLiteral("left then right"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    chainJoin(q, 0, zelJoinLeft);
                    chainJoin(q, 1, zelJoinRight);
                    value(q, 0, "Id");
                    value(q, 1, "Id");
                    value(q, 2, "Id");
                  },
                  QStringLiteral("SELECT a0.id, a1.id, a2.id FROM t2 a2 LEFT JOIN (t0 a0 LEFT JOIN "
                                 "t1 a1 ON a0.nxt = a1.id) ON a1.nxt = a2.id")};
  shapes << Shape{QStringLiteral("right join written backwards"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    chainJoin(q, 1);
                    chainJoin(q, 0, zelJoinRight);
                    value(q, 0, "Id");
                    value(q, 1, "Id");
                    value(q, 2, "Id");
                  },
                  QStringLiteral("SELECT a0.id, a1.id, a2.id FROM t1 a1 JOIN t2 a2 ON a1.nxt = "
                                 "a2.id LEFT JOIN t0 a0 ON a0.nxt = a1.id")};
  shapes << Shape{
      QStringLiteral("chain and star"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {0, 1, 2, 3});
        chainJoin(q, 2);
        starJoin(q, 1);
        starJoin(q, 2);
        value(q, 0, "Name");
        value(q, 1, "Count");
        value(q, 3, "Name");
      },
      QStringLiteral("SELECT a0.name, a1.qty, a3.name FROM t0 a0 JOIN t1 a1 ON a0.id = "
                     "a1.hub JOIN t2 a2 ON a0.id = a2.hub JOIN \"order\" a3 ON a2.nxt = "
                     "a3.id")};
  // The outer join comes last and its kept table is the one added: all rows of Main stay.
  shapes << Shape{QStringLiteral("left join written backwards"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1, 2});
                    chainJoin(q, 1);
                    chainJoin(q, 0, zelJoinLeft);
                    value(q, 0, "Id");
                    value(q, 1, "Id");
                    value(q, 2, "Id");
                  },
                  QStringLiteral("SELECT a0.id, a1.id, a2.id FROM t0 a0 LEFT JOIN (t1 a1 JOIN t2 "
                                 "a2 ON a1.nxt = a2.id) ON a0.nxt = a1.id")};
  return shapes;
}

inline QList<Shape> showShapes() {
  QList<Shape> shapes;
  shapes << Shape{QStringLiteral("group sum sorted by the sum"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {1});
                    value(q, 1, "Active", zelShowGroup);
                    value(q, 1, "Count", zelShowSum, zelSortDescending);
                  },
                  QStringLiteral("SELECT active, SUM(qty) FROM t1 GROUP BY active ORDER BY 2 DESC"),
                  true};
  shapes << Shape{QStringLiteral("group with every aggregate"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0, 1});
                    chainJoin(q, 0);
                    value(q, 0, "Active", zelShowGroup, zelSortAscending);
                    value(q, 1, "Id", zelShowCount, zelSortNone, QStringLiteral("Rows"));
                    value(q, 1, "Date", zelShowMin, zelSortNone, QStringLiteral("First"));
                    value(q, 1, "Unit Price", zelShowMax, zelSortNone, QStringLiteral("Max"));
                    value(q, 1, "Count", zelShowAverage, zelSortNone, QStringLiteral("Avg"));
                    value(q, 1, "Limit", zelShowSum, zelSortNone, QStringLiteral("Sum"));
                  },
                  QStringLiteral("SELECT a0.active, COUNT(a1.id), MIN(a1.added), MAX(a1.\"unit "
                                 "price\"), AVG(a1.qty), SUM(a1.\"limit\") FROM t0 a0 JOIN t1 a1 "
                                 "ON a0.nxt = a1.id GROUP BY a0.active")};
  shapes << Shape{
      QStringLiteral("having on shown and hidden aggregates"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {2});
        value(q, 2, "Active", zelShowGroup);
        value(q, 2, "Count", zelShowSum)->SetFilter(1, zelFilterGT, QStringLiteral("3|"));
        value(q, 2, "Id", zelHideCount)->SetFilter(1, zelFilterGE, QStringLiteral("1|"));
      },
      QStringLiteral("SELECT active, SUM(qty) FROM t2 GROUP BY active HAVING SUM(qty) "
                     "> 3 AND COUNT(id) >= 1")};
  shapes << Shape{QStringLiteral("hidden group sorted"),
                  [](TzelQuery &q, TzelModel &m) {
                    m.SetGroupBySelect(false);
                    addTables(q, {3});
                    value(q, 3, "Count", zelShowSum, zelSortNone, QStringLiteral("Total"));
                    value(q, 3, "Active", zelHideGroup, zelSortAscending);
                  },
                  QStringLiteral("SELECT SUM(qty) FROM \"order\" GROUP BY active ORDER BY active"),
                  true};
  shapes << Shape{QStringLiteral("hidden sum sorted with having"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {4});
                    value(q, 4, "Active", zelShowGroup);
                    value(q, 4, "Limit", zelHideSum, zelSortDescending)
                        ->SetFilter(1, zelFilterLT, QStringLiteral("1000|"));
                  },
                  QStringLiteral("SELECT active FROM t4 GROUP BY active HAVING SUM(\"limit\") < "
                                 "1000 ORDER BY SUM(\"limit\") DESC"),
                  true};
  // Table aliases that end in a digit cannot stand before a dot in an expression (the
  // tokenizer reads "T6." as the start of a number), so Main is used.
  shapes << Shape{QStringLiteral("calculated group and sum"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {0});
                    calculated(q, QStringLiteral("Double"), QStringLiteral("Main.[Count] * 2"),
                               zelShowGroup, zelSortAscending);
                    calculated(q, QStringLiteral("Value"), QStringLiteral("Main.[Unit Price] + 1"),
                               zelShowSum);
                  },
                  QStringLiteral("SELECT qty * 2, SUM(\"unit price\" + 1) FROM t0 GROUP BY qty * 2 "
                                 "ORDER BY qty * 2"),
                  true};
  // Where || means OR, the generator writes CONCAT.
  shapes << Shape{QStringLiteral("calculated text joined"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {1});
                    value(q, 1, "Id");
                    calculated(
                        q, QStringLiteral("Label"),
                        QStringLiteral("[T1].[Name] || ' (' || ([T1].[Unit Price] * 2) || ')'"));
                  },
                  QStringLiteral("SELECT id, name || ' (' || (\"unit price\" * 2) || ')' FROM t1")};
  shapes << Shape{
      QStringLiteral("hidden min, max and average in having"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {7});
        value(q, 7, "Active", zelShowGroup);
        value(q, 7, "Date", zelHideMin)->SetFilter(1, zelFilterGE, QStringLiteral("1/1/1990|"));
        value(q, 7, "Name", zelHideMax)->SetFilter(1, zelFilterGT, QStringLiteral("B|"));
        value(q, 7, "Count", zelHideAverage)->SetFilter(2, zelFilterGT, QStringLiteral("6|"));
      },
      QStringLiteral("SELECT active FROM t7 GROUP BY active HAVING (MIN(added) >= "
                     "'1990-01-01' AND MAX(name) > 'B') OR AVG(qty) > 6")};
  shapes << Shape{QStringLiteral("distinct"),
                  [](TzelQuery &q, TzelModel &) {
                    q.SetIsDistinct(true);
                    addTables(q, {1});
                    value(q, 1, "Active", zelShow, zelSortAscending);
                  },
                  QStringLiteral("SELECT DISTINCT active FROM t1 ORDER BY active"), true};
  shapes << Shape{QStringLiteral("distinct over a join"),
                  [](TzelQuery &q, TzelModel &) {
                    q.SetIsDistinct(true);
                    addTables(q, {0, 1});
                    chainJoin(q, 0);
                    value(q, 0, "Active");
                    value(q, 1, "Hub");
                  },
                  QStringLiteral("SELECT DISTINCT a0.active, a1.hub FROM t0 a0 JOIN t1 a1 ON "
                                 "a0.nxt = a1.id")};
  shapes << Shape{QStringLiteral("sorted shown and hidden values"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {1});
                    value(q, 1, "Name", zelShow, zelSortDescending);
                    value(q, 1, "Id", zelHide, zelSortAscending);
                  },
                  QStringLiteral("SELECT name FROM t1 ORDER BY name DESC, id"), true};
  // The hand-written statements name the same records by their keys, as every engine reads.
  shapes << Shape{QStringLiteral("top values"),
                  [](TzelQuery &q, TzelModel &) {
                    q.SetTopValues(3);
                    addTables(q, {1});
                    value(q, 1, "Id", zelShow, zelSortDescending);
                    value(q, 1, "Name");
                  },
                  QStringLiteral("SELECT id, name FROM t1 WHERE id >= 3 ORDER BY id DESC"), true};
  shapes << Shape{QStringLiteral("distinct top values after an offset"),
                  [](TzelQuery &q, TzelModel &) {
                    q.SetIsDistinct(true);
                    q.SetTopValues(2);
                    q.SetTopOffset(1);
                    addTables(q, {2});
                    value(q, 2, "Id", zelShow, zelSortAscending);
                  },
                  QStringLiteral("SELECT id FROM t2 WHERE id BETWEEN 2 AND 3 ORDER BY id"), true};
  return shapes;
}

struct FilterCase {
  const char *name;
  const char *field;
  TzelFilterOper oper;
  const char *filter;
  const char *condition; // on column c of t1
};

inline QList<Shape> filterShapes() {
  static const FilterCase cases[] = {
      {"text equal", "Name", zelFilterEqual, "Acme|", "name = 'Acme'"},
      {"text list", "Name", zelFilterEqual, "Acme|Zeus|", "name IN ('Acme', 'Zeus')"},
      {"text between", "Name", zelFilterBetween, "A|M|", "name BETWEEN 'A' AND 'M'"},
      {"text greater", "Name", zelFilterGT, "M|", "name > 'M'"},
      {"text at least", "Name", zelFilterGE, "Zeus|", "name >= 'Zeus'"},
      {"text less", "Name", zelFilterLT, "B|", "name < 'B'"},
      {"text at most", "Name", zelFilterLE, "Acme|", "name <= 'Acme'"},
      {"text like", "Name", zelFilterLike, "e|", "name LIKE '%e%'"},
      {"text not in", "Name", zelFilterNotEqual, "Acme|Zeus|", "name NOT IN ('Acme', 'Zeus')"},
      {"text not between", "Name", zelFilterNotBetween, "A|M|", "name NOT BETWEEN 'A' AND 'M'"},
      {"text not like", "Name", zelFilterNotLike, "B%|", "name NOT LIKE 'B%'"},
      {"text quote", "Name", zelFilterEqual, "O'Brien|", "name = 'O''Brien'"},
      {"number equal", "Count", zelFilterEqual, "4|7|", "qty = 4 OR qty = 7"},
      {"number between", "Count", zelFilterBetween, "2|6|", "qty BETWEEN 2 AND 6"},
      {"number greater", "Count", zelFilterGT, "5|", "qty > 5"},
      {"number at least", "Unit Price", zelFilterGE, "2.25|", "\"unit price\" >= 2.25"},
      {"number less", "Count", zelFilterLT, "5|", "qty < 5"},
      {"number at most", "Limit", zelFilterLE, "97|", "\"limit\" <= 97"},
      {"number not equal", "Count", zelFilterNotEqual, "4|7|", "qty <> 4 AND qty <> 7"},
      {"number not between", "Count", zelFilterNotBetween, "2|6|", "qty NOT BETWEEN 2 AND 6"},
      {"date equal", "Date", zelFilterEqual, "1/15/1998|", "added = '1998-01-15'"},
      {"date between", "Date", zelFilterBetween, "1/1/1998|12/31/2000|",
       "added BETWEEN '1998-01-01' AND '2000-12-31'"},
      {"date greater", "Date", zelFilterGT, "3/1/1999|", "added > '1999-03-01'"},
      {"date at least", "Date", zelFilterGE, "3/1/1999|", "added >= '1999-03-01'"},
      {"date less", "Date", zelFilterLT, "3/1/1999|", "added < '1999-03-01'"},
      {"date at most", "Date", zelFilterLE, "3/1/1999|", "added <= '1999-03-01'"},
      {"date not equal", "Date", zelFilterNotEqual, "1/15/1998|", "added <> '1998-01-15'"},
      {"date not between", "Date", zelFilterNotBetween, "1/1/1998|12/31/2000|",
       "added NOT BETWEEN '1998-01-01' AND '2000-12-31'"},
      {"boolean true", "Active", zelFilterEqual, "True|", "active = TRUE"},
      {"boolean not false", "Active", zelFilterNotEqual, "False|", "active <> FALSE"},
      {"blank", "Name", zelFilterEqual, "BLANK|", "name IS NULL"},
      {"value or blank", "Name", zelFilterEqual, "Acme|BLANK|", "name = 'Acme' OR name IS NULL"},
      {"not blank", "Date", zelFilterNotEqual, "BLANK|", "added IS NOT NULL"},
      {"today", "Date", zelFilterEqual, "TODAY|", "added = '2026-12-08'"},
      {"space", "Name", zelFilterEqual, "SPACE|", "name = ' '"},
      {"text parameter", "Name", zelFilterEqual, "[Vendor]=Zeus|", "name = 'Zeus'"},
      {"number parameter", "Count", zelFilterGE, "[Least]=5|", "qty >= 5"},
      {"date parameter", "Date", zelFilterLT, "[Before]=1/1/2000|", "added < '2000-01-01'"},
  };
  QList<Shape> shapes;
  for (const FilterCase &c : cases) {
    const FilterCase fc = c;
    shapes << Shape{
        QLatin1String(c.name),
        [fc](TzelQuery &q, TzelModel &) {
          addTables(q, {1});
          value(q, 1, "Id");
          value(q, 1, fc.field, zelHide)->SetFilter(1, fc.oper, QString::fromUtf8(fc.filter));
        },
        u"SELECT id FROM t1 WHERE "_s + QString::fromUtf8(c.condition)};
  }
  shapes << Shape{
      QStringLiteral("filter rows on two tables"),
      [](TzelQuery &q, TzelModel &) {
        addTables(q, {0, 1});
        chainJoin(q, 0);
        value(q, 0, "Id");
        value(q, 1, "Name")->SetFilter(1, zelFilterEqual, QStringLiteral("Zeus|"));
        value(q, 0, "Count")->SetFilter(1, zelFilterGT, QStringLiteral("2|"));
        value(q, 0, "Active", zelHide)->SetFilter(2, zelFilterEqual, QStringLiteral("False|"));
      },
      QStringLiteral("SELECT a0.id, a1.name, a0.qty FROM t0 a0 JOIN t1 a1 ON a0.nxt = "
                     "a1.id WHERE (a1.name = 'Zeus' AND a0.qty > 2) OR a0.active = "
                     "FALSE")};
  return shapes;
}

inline QList<Shape> nameShapes() {
  QList<Shape> shapes;
  shapes << Shape{QStringLiteral("keywords and spaces in names"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {3, 4, 5});
                    chainJoin(q, 3);
                    chainJoin(q, 4, zelJoinLeft);
                    value(q, 3, "Name", zelShowGroup, zelSortAscending, QStringLiteral("Order"));
                    value(q, 4, "Date", zelShowMax, zelSortNone, QStringLiteral("Sale Date"));
                    value(q, 5, "Count", zelShowCount, zelSortDescending, QStringLiteral("Count"));
                    value(q, 4, "Limit", zelShowSum, zelSortNone, QStringLiteral("Value"))
                        ->SetFilter(1, zelFilterGT, QStringLiteral("0|"));
                  },
                  QStringLiteral("SELECT a3.name, MAX(a4.added), COUNT(a5.qty), SUM(a4.\"limit\") "
                                 "FROM \"order\" a3 JOIN t4 a4 ON a3.nxt = a4.id LEFT JOIN "
                                 "\"offset\" a5 ON a4.nxt = a5.id GROUP BY a3.name HAVING "
                                 "SUM(a4.\"limit\") > 0 ORDER BY a3.name, 3 DESC"),
                  true};
  shapes << Shape{QStringLiteral("headers that hold quotes"),
                  [](TzelQuery &q, TzelModel &) {
                    addTables(q, {1});
                    value(q, 1, "Id", zelShow, zelSortAscending,
                          QStringLiteral("x\" FROM CUSTOMERS --"));
                    value(q, 1, "Date", zelShow, zelSortNone, QStringLiteral("Da\"te"));
                    value(q, 1, "Name", zelShow, zelSortNone, QStringLiteral("a]b"));
                  },
                  QStringLiteral("SELECT id, added, name FROM t1 ORDER BY id"), true};
  return shapes;
}

inline QList<Shape> shapes() {
  return joinShapes() + showShapes() + filterShapes() + nameShapes();
}

// Every database type, the unknown one included (it writes the generic dialect).
inline QList<TzelDatabase> dialects() {
  QList<TzelDatabase> list;
  for (int i = zelUnknown; i <= zelLastDialect; ++i)
    list << TzelDatabase(i);
  return list;
}

// Data rows "<dialect> | <shape>" over every dialect and shape: the columns type and name.
inline void addDialectShapeRows() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("name");
  for (TzelDatabase type : dialects())
    for (const Shape &s : shapes())
      QTest::addRow("%s | %s", qPrintable(enumName(type).mid(3)), qPrintable(s.name))
          << int(type) << s.name;
}

// A generator host that asks nothing: parameters keep their defaults.
class QuietHost : public TzelGenerationHost {
public:
  bool displayParams() const override { return false; }
};

// Stands where the query component holds a query.
class Holder : public QObject, public TzelQueryOwner {
public:
  explicit Holder(TzelModel *dataModel) : model(dataModel), query(new TzelQuery(this)) {
    query->SetQuerion(this);
  }
  TzelModel *queryDataModel() const override { return model; }
  TzelModel *model;
  TzelQuery *query;
};

// The query's statement, lines joined with '\n', or "ERROR: " and the messages shown when
// generation refused it.
inline QString generated(TzelQuery &query, TzelModel &model) {
  RecordingMessages rec;
  TzelSqlGenerator generator(query, model);
  generator.SetToday(today());
  QStringList sql, params;
  QuietHost host;
  if (!generator.GenerateSQL(sql, params, host))
    return QStringLiteral("ERROR: ") + rec.texts().join(QStringLiteral(" / "));
  return sql.join(QLatin1Char('\n'));
}

// The shape's statement under the database type's dialect, as generated() gives it; a
// message's CR written "\\r" so that golden files keep one line per message.
inline QString generate(TzelDatabase type, const Shape &shape) {
  auto model = makeModel(type);
  Holder holder(model.get());
  shape.fill(*holder.query, *model);
  QString text = generated(*holder.query, *model);
  if (text.startsWith(QStringLiteral("ERROR: ")))
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  return text;
}

} // namespace matrix
