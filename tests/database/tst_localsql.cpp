// The local SQL dialect of desktop tables rewritten for SQLite.
#include "database/zellocalsql.h"
#include "model/zeltypes.h"

#include <QTest>

class TstLocalSql : public QObject {
  Q_OBJECT

  TzelLocalSqlHooks hooks() {
    TzelLocalSqlHooks h;
    h.resolveTable = [](const QString &ref, bool explicitRef) -> std::optional<QString> {
      const QString upper = ref.toUpper();
      if (upper == u":PELLOX:T0492.DB" || upper == u"T0492.DB" || upper == u"T0492" ||
          upper == u"/DATA/T0492.DB" || upper == u"C:\\DATA\\T0492.DB")
        return u"T0492"_qs;
      if (upper == u":PELLOX:T0494.DB")
        return u"T0494"_qs;
      if (explicitRef)
        throw EzelError(u"Error: Table ["_qs + ref + u"] does not exist"_qs);
      return std::nullopt;
    };
    h.columnsOf = [](const QString &table) {
      if (table == u"T0492")
        return QSet<QString>{u"PT_ITM_NO"_qs, u"VND_NO"_qs, u"PT_DES"_qs};
      return QSet<QString>{u"VND_NO"_qs, u"VND_NM"_qs};
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
                                       "ORDER BY Vendors.VendorName ASC"_qs
                                    << u"  SELECT Vendors.VND_NM AS \"Vendors.VendorName\",\n"
                                       "         Parts.PT_DES AS \"Parts.PartDesc\"\n"
                                       "    FROM \"T0492\" AS Parts\n"
                                       "         INNER JOIN \"T0494\" AS Vendors\n"
                                       "                 ON Parts.VND_NO = Vendors.VND_NO\n"
                                       "   WHERE (((Parts.PT_DES LIKE '%Gear%')))\n"
                                       "ORDER BY \"Vendors.VendorName\" ASC"_qs;
    QTest::newRow("unquoted prefix") << u"SELECT * FROM :PELLOX:T0492.DB WHERE 1 = 0"_qs
                                     << u"SELECT * FROM \"T0492\" WHERE 1 = 0"_qs;
    QTest::newRow("folder path") << u"SELECT * FROM \"/data/T0492.DB\" P"_qs
                                 << u"SELECT * FROM \"T0492\" P"_qs;
    QTest::newRow("windows folder path")
        << u"SELECT * FROM \"C:\\DATA\\T0492.DB\" P"_qs << u"SELECT * FROM \"T0492\" P"_qs;
    QTest::newRow("bare file name")
        << u"SELECT * FROM T0492.DB"_qs << u"SELECT * FROM \"T0492\""_qs;
    QTest::newRow("quoted column stays")
        << u"SELECT \"PT_DES\" FROM T0492"_qs << u"SELECT \"PT_DES\" FROM \"T0492\""_qs;
    QTest::newRow("dates and flags")
        << u"SELECT * FROM T0492 WHERE D = \"01/15/1998\" AND F = \"TRUE\" AND "
           "E = '2/3/1999 7:05'"_qs
        << u"SELECT * FROM \"T0492\" WHERE D = '1998-01-15' AND F = 1 AND "
           "E = '1999-02-03 07:05:00'"_qs;
    QTest::newRow("quotes inside literals")
        << u"SELECT * FROM T0492 WHERE PT_DES = \"O'Brien \"\"2\"\"\""_qs
        << u"SELECT * FROM \"T0492\" WHERE PT_DES = 'O''Brien \"2\"'"_qs;
    QTest::newRow("alias in where stays")
        << u"SELECT A AS X.Y FROM T0492 WHERE X.Y = 1 ORDER BY X.Y"_qs
        << u"SELECT A AS \"X.Y\" FROM \"T0492\" WHERE X.Y = 1 ORDER BY \"X.Y\""_qs;
  }
  void translates() {
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(translateLocalSql(sql, hooks()), expected);
  }

  void missingPrefixedTableRaises() {
    try {
      translateLocalSql(u"SELECT * FROM \":PELLOX:NOPE.DB\""_qs, hooks());
      QFAIL("no error");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), u"Error: Table [:PELLOX:NOPE.DB] does not exist"_qs);
    }
  }
};

QTEST_APPLESS_MAIN(TstLocalSql)
#include "tst_localsql.moc"
