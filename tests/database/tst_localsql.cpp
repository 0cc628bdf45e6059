// SPDX-License-Identifier: MIT
// The local SQL dialect of desktop tables rewritten for SQLite.
#include "database/zellocalsql.h"
#include "model/zeltypes.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstLocalSql : public QObject {
  Q_OBJECT

  TzelLocalSqlHooks hooks() {
    TzelLocalSqlHooks h;
    h.resolveTable = [](const QString &ref, bool explicitRef) -> std::optional<QString> {
      const QString upper = ref.toUpper();
      if (upper == u":PELLOX:T0492.DB" || upper == u"T0492.DB" || upper == u"T0492" ||
          upper == u"/DATA/T0492.DB" || upper == u"C:\\DATA\\T0492.DB")
        return u"T0492"_s;
      if (upper == u":PELLOX:T0494.DB")
        return u"T0494"_s;
      if (explicitRef)
        throw EzelError(u"Error: Table ["_s + ref + u"] does not exist"_s);
      return std::nullopt;
    };
    h.columnsOf = [](const QString &table) {
      if (table == u"T0492")
        return QSet<QString>{u"PT_ITM_NO"_s, u"VND_NO"_s, u"PT_DES"_s};
      return QSet<QString>{u"VND_NO"_s, u"VND_NM"_s};
    };
    return h;
  }

private slots:
  void translates_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("worked example") << u"  SELECT Vendors.VND_NM AS Vendors.VendorName,\n"
                                       "         Parts.PT_DES AS Parts.PartDesc\n"
                                       "    FROM \":PELLOX:T0492.DB\" AS Parts\n"
                                       "         INNER JOIN \":PELLOX:T0494.DB\" AS Vendors\n"
                                       "                 ON Parts.VND_NO = Vendors.VND_NO\n"
                                       "   WHERE (((Parts.PT_DES LIKE \"%Gear%\")))\n"
                                       "ORDER BY Vendors.VendorName ASC"_s
                                    << u"  SELECT Vendors.VND_NM AS \"Vendors.VendorName\",\n"
                                       "         Parts.PT_DES AS \"Parts.PartDesc\"\n"
                                       "    FROM \"T0492\" AS Parts\n"
                                       "         INNER JOIN \"T0494\" AS Vendors\n"
                                       "                 ON Parts.VND_NO = Vendors.VND_NO\n"
                                       "   WHERE (((Parts.PT_DES LIKE '%Gear%')))\n"
                                       "ORDER BY \"Vendors.VendorName\" ASC"_s;
    QTest::newRow("common table expression")
        << u"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT COUNT(*) FROM c"_s
        << u"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT COUNT(*) FROM c"_s;
    QTest::newRow("unquoted prefix") << u"SELECT * FROM :PELLOX:T0492.DB WHERE 1 = 0"_s
                                     << u"SELECT * FROM \"T0492\" WHERE 1 = 0"_s;
    QTest::newRow("folder path") << u"SELECT * FROM \"/data/T0492.DB\" P"_s
                                 << u"SELECT * FROM \"T0492\" P"_s;
    QTest::newRow("windows folder path")
        << u"SELECT * FROM \"C:\\DATA\\T0492.DB\" P"_s << u"SELECT * FROM \"T0492\" P"_s;
    QTest::newRow("bare file name") << u"SELECT * FROM T0492.DB"_s << u"SELECT * FROM \"T0492\""_s;
    QTest::newRow("quoted column stays")
        << u"SELECT \"PT_DES\" FROM T0492"_s << u"SELECT \"PT_DES\" FROM \"T0492\""_s;
    QTest::newRow("dates and flags")
        << u"SELECT * FROM T0492 WHERE D = \"01/15/1998\" AND F = \"TRUE\" AND "
           "E = '2/3/1999 7:05'"_s
        << u"SELECT * FROM \"T0492\" WHERE D = '1998-01-15' AND F = 1 AND "
           "E = '1999-02-03 07:05:00'"_s;
    QTest::newRow("quotes inside literals")
        << u"SELECT * FROM T0492 WHERE PT_DES = \"O'Brien \"\"2\"\"\""_s
        << u"SELECT * FROM \"T0492\" WHERE PT_DES = 'O''Brien \"2\"'"_s;
    QTest::newRow("alias in where stays")
        << u"SELECT A AS X.Y FROM T0492 WHERE X.Y = 1 ORDER BY X.Y"_s
        << u"SELECT A AS \"X.Y\" FROM \"T0492\" WHERE X.Y = 1 ORDER BY \"X.Y\""_s;
  }
  void translates() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(translateLocalSql(sql, hooks()), expected);
  }

  // Names as generation writes them: quoted on either side of the dot after AS and in the
  // sorts, keywords as aliases, doubled quote characters; texts in quotes left as texts.
  void quotedNames_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quoted column alias part")
        << u"SELECT Parts.PT_DES AS Parts.\"Part Desc\" FROM \":PELLOX:T0492.DB\" AS Parts "
           "ORDER BY Parts.\"Part Desc\" ASC"_s
        << u"SELECT Parts.PT_DES AS \"Parts.Part Desc\" FROM \"T0492\" AS Parts "
           "ORDER BY \"Parts.Part Desc\" ASC"_s;
    QTest::newRow("quoted table alias part")
        << u"SELECT \"Order\".PT_DES AS \"Order\".PartDesc FROM \":PELLOX:T0492.DB\" AS "
           "\"Order\" ORDER BY \"Order\".PartDesc DESC"_s
        << u"SELECT \"Order\".PT_DES AS \"Order.PartDesc\" FROM \"T0492\" AS \"Order\" "
           "ORDER BY \"Order.PartDesc\" DESC"_s;
    QTest::newRow("both parts quoted")
        << u"SELECT \"Order\".PT_DES AS \"Order\".\"Part Desc\" FROM T0492.DB AS \"Order\" "
           "ORDER BY \"Order\".\"Part Desc\""_s
        << u"SELECT \"Order\".PT_DES AS \"Order.Part Desc\" FROM \"T0492\" AS \"Order\" "
           "ORDER BY \"Order.Part Desc\""_s;
    QTest::newRow("keywords unquoted")
        << u"SELECT Order.PT_DES AS Order.Date, COUNT(Order.VND_NO) AS Order.Count\n"
           "FROM :PELLOX:T0492.DB AS Order\nGROUP BY Order.PT_DES\nORDER BY Order.Count DESC"_s
        << u"SELECT \"Order\".PT_DES AS \"Order.Date\", COUNT(\"Order\".VND_NO) AS "
           "\"Order.Count\"\nFROM \"T0492\" AS \"Order\"\nGROUP BY \"Order\".PT_DES\n"
           "ORDER BY \"Order.Count\" DESC"_s;
    QTest::newRow("keyword column aliases alone")
        << u"SELECT P.PT_DES AS Value, COUNT(P.VND_NO) AS Count, P.VND_NO AS Date FROM T0492 P "
           "GROUP BY P.PT_DES, P.VND_NO ORDER BY Value, Count DESC, Date"_s
        << u"SELECT P.PT_DES AS \"Value\", COUNT(P.VND_NO) AS \"Count\", P.VND_NO AS "
           "\"Date\" FROM \"T0492\" P GROUP BY P.PT_DES, P.VND_NO ORDER BY \"Value\", "
           "\"Count\" DESC, \"Date\""_s;
    QTest::newRow("function named like an alias")
        << u"SELECT COUNT(P.VND_NO) AS Count FROM T0492 P ORDER BY COUNT(P.VND_NO)"_s
        << u"SELECT COUNT(P.VND_NO) AS \"Count\" FROM \"T0492\" P ORDER BY COUNT(P.VND_NO)"_s;
    QTest::newRow("AS inside parentheses")
        << u"SELECT CAST(P.VND_NO AS INTEGER) AS Count, (P.PT_DES) P.Des FROM T0492 P"_s
        << u"SELECT CAST(P.VND_NO AS INTEGER) AS \"Count\", (P.PT_DES) \"P.Des\" FROM \"T0492\" P"_s;
    QTest::newRow("keyword alias after a space")
        << u"SELECT P.PT_DES Order, P.VND_NO Date FROM T0492 P ORDER BY Order"_s
        << u"SELECT P.PT_DES \"Order\", P.VND_NO \"Date\" FROM \"T0492\" P ORDER BY \"Order\""_s;
    QTest::newRow("keywords inside a value stay")
        << u"SELECT CASE WHEN P.VND_NO IS NULL THEN 0 ELSE 1 END AS X FROM T0492 P"_s
        << u"SELECT CASE WHEN P.VND_NO IS NULL THEN 0 ELSE 1 END AS X FROM \"T0492\" P"_s;
    QTest::newRow("doubled quotes")
        << u"SELECT \"Or\"\"der\".PT_DES AS \"Or\"\"der\".\"Da\"\"te\" FROM T0492 AS "
           "\"Or\"\"der\" ORDER BY \"Or\"\"der\".\"Da\"\"te\""_s
        << u"SELECT \"Or\"\"der\".PT_DES AS \"Or\"\"der.Da\"\"te\" FROM \"T0492\" AS "
           "\"Or\"\"der\" ORDER BY \"Or\"\"der.Da\"\"te\""_s;
    QTest::newRow("doubled brackets")
        << u"SELECT [P].PT_DES AS [Da]]te] FROM T0492 AS [P] ORDER BY [Da]]te]"_s
        << u"SELECT \"P\".PT_DES AS \"Da]te\" FROM \"T0492\" AS \"P\" ORDER BY \"Da]te\""_s;
    QTest::newRow("alias without AS")
        << u"SELECT P.PT_DES P.\"Part Desc\", SUM(P.VND_NO) Total FROM \":PELLOX:T0492.DB\" "
           "\"Order\" ORDER BY P.\"Part Desc\""_s
        << u"SELECT P.PT_DES \"P.Part Desc\", SUM(P.VND_NO) Total FROM \"T0492\" \"Order\" "
           "ORDER BY \"P.Part Desc\""_s;
    QTest::newRow("keyword table alias without AS")
        << u"SELECT Order.PT_DES FROM T0492 Order INNER JOIN :PELLOX:T0494.DB Date ON Order.VND_NO "
           u"= "
           "Date.VND_NO ORDER BY Order.PT_DES"_s
        << u"SELECT \"Order\".PT_DES FROM \"T0492\" \"Order\" INNER JOIN \"T0494\" \"Date\" "
           "ON \"Order\".VND_NO = \"Date\".VND_NO ORDER BY \"Order\".PT_DES"_s;
    QTest::newRow("texts stay texts")
        << u"SELECT P.PT_DES AS X FROM T0492 AS P WHERE P.PT_DES = \"x AS P.\"\"y\"\" ORDER "
           "BY\" OR P.PT_DES = 'Order.Date' OR P.PT_DES IN(\"P\", \"Order\", \"X\") OR "
           "P.PT_DES = 'it''s [a]'"_s
        << u"SELECT P.PT_DES AS X FROM \"T0492\" AS P WHERE P.PT_DES = 'x AS P.\"y\" "
           "ORDER BY' OR P.PT_DES = 'Order.Date' OR P.PT_DES IN('P', 'Order', 'X') OR "
           "P.PT_DES = 'it''s [a]'"_s;
    QTest::newRow("nested join parentheses")
        << u"SELECT P.PT_DES FROM ((\":PELLOX:T0492.DB\" AS P INNER JOIN \":PELLOX:T0494.DB\" "
           "AS \"Value\" ON P.VND_NO = \"Value\".VND_NO) INNER JOIN T0492.DB AS Q ON "
           "Q.VND_NO = P.VND_NO) WHERE (((P.PT_DES LIKE \"%Gear%\")))"_s
        << u"SELECT P.PT_DES FROM ((\"T0492\" AS P INNER JOIN \"T0494\" AS \"Value\" ON "
           "P.VND_NO = \"Value\".VND_NO) INNER JOIN \"T0492\" AS Q ON Q.VND_NO = P.VND_NO) "
           "WHERE (((P.PT_DES LIKE '%Gear%')))"_s;
  }
  void quotedNames() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(translateLocalSql(sql, hooks()), expected);
  }

  // Statements cut short or out of order are passed on for the engine to refuse.
  void oddStatementsPassThrough_data() {
    QTest::addColumn<QString>("sql");
    for (const char *sql :
         {"SELECT * FROM", "SELECT * FROM ,", "SELECT * FROM )", "FROM , ( )", "SELECT a AS",
          "SELECT a AS .", "SELECT \"open", "SELECT [open", "SELECT 'open", "ORDER BY Order",
          "AS AS AS", "SELECT a. b", "", ". . .", "SELECT ((((", "))))"})
      QTest::newRow(sql) << QString::fromLatin1(sql);
  }
  void oddStatementsPassThrough() {
    QFETCH(QString, sql);
    const QString out = translateLocalSql(sql, hooks());
    QVERIFY(!sql.isEmpty() || out.isEmpty());
    QVERIFY(out.size() >= sql.size() - 1);
  }

  void missingPrefixedTableRaises() {
    try {
      translateLocalSql(u"SELECT * FROM \":PELLOX:NOPE.DB\""_s, hooks());
      QFAIL("no error");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), u"Error: Table [:PELLOX:NOPE.DB] does not exist"_s);
    }
  }
};

QTEST_APPLESS_MAIN(TstLocalSql)
#include "tst_localsql.moc"
