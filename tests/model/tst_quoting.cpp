// SPDX-License-Identifier: MIT
#include "model/keywords.h"
#include "model/quoting.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestQuoting : public QObject {
  Q_OBJECT
private slots:
  void quoteText_data() {
    QTest::addColumn<int>("quote");
    QTest::addColumn<QString>("result");
    QTest::newRow("none") << int(zelQuoteNone) << "Order Items";
    QTest::newRow("single") << int(zelQuoteSingle) << "'Order Items'";
    QTest::newRow("double") << int(zelQuoteDouble) << "\"Order Items\"";
    QTest::newRow("bracket") << int(zelQuoteBracket) << "[Order Items]";
    QTest::newRow("backtick") << int(zelQuoteBacktick) << "`Order Items`";
  }
  void quoteText() {
    QFETCH(int, quote);
    QFETCH(QString, result);
    QCOMPARE(QuoteText(QStringLiteral("Order Items"), TzelQuoteType(quote)), result);
    QCOMPARE(QuoteIfKeyword(QStringLiteral("Order Items"), TzelQuoteType(quote)), result);
    QCOMPARE(QuoteIfKeyword(QStringLiteral("select"), TzelQuoteType(quote)),
             QuoteText(QStringLiteral("select"), TzelQuoteType(quote)));
    QCOMPARE(QuoteIfKeyword(QStringLiteral("Customer_2"), TzelQuoteType(quote)),
             QStringLiteral("Customer_2"));
  }

  void needsQuoting_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("needs");
    QTest::newRow("13-char keyword") << "smalldatetime" << true;
    QTest::newRow("14 chars") << "smalldatetimes" << false;
    QTest::newRow("Asc") << "Asc" << true;
    QTest::newRow("asc") << "asc" << true;
    QTest::newRow("ASCX") << "ASCX" << false;
    QTest::newRow("space") << "Order Items" << true;
    QTest::newRow("minus") << "unit-price" << true;
    QTest::newRow("hash") << "Item#" << true;
    QTest::newRow("tilde") << "a~b" << true;
    QTest::newRow("question mark") << "why?" << true;
    QTest::newRow("dot") << "owner.table" << true;
    QTest::newRow("letters digits underscore") << "Order_Items2" << false;
    QTest::newRow("keyword with underscore") << "user_name" << true;
    QTest::newRow("operator word") << "Between" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("non-ASCII") << QString::fromUtf8("Stra\u00dfe") << false;
  }
  void needsQuoting() {
    QFETCH(QString, name);
    QFETCH(bool, needs);
    QCOMPARE(NeedsQuoting(name), needs);
  }

  void everyForcingCharacterForcesQuoting() {
    for (int i = 0; i < ZelKeyword::QuoteCharCount; ++i)
      QVERIFY2(NeedsQuoting(QStringLiteral("ab") + Keyword(i) + QStringLiteral("cd")),
               qPrintable(Keyword(i)));
  }

  // A closing quote inside the name is doubled; nothing else changes.
  void quoteTextEscapes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("quote");
    QTest::addColumn<QString>("result");
    const QString injection = QStringLiteral("x\" FROM CUSTOMERS --");
    QTest::newRow("double injection")
        << injection << int(zelQuoteDouble) << "\"x\"\" FROM CUSTOMERS --\"";
    QTest::newRow("double Da\"te") << "Da\"te" << int(zelQuoteDouble) << "\"Da\"\"te\"";
    QTest::newRow("double keeps ] and '") << "a]b'c" << int(zelQuoteDouble) << "\"a]b'c\"";
    QTest::newRow("bracket") << "a]b" << int(zelQuoteBracket) << "[a]]b]";
    QTest::newRow("backtick") << "a`b\\" << int(zelQuoteBacktick) << "`a``b\\`";
    QTest::newRow("bracket keeps [ and \"") << "[a\"" << int(zelQuoteBracket) << "[[a\"]";
    QTest::newRow("single") << "O'Brien" << int(zelQuoteSingle) << "'O''Brien'";
    QTest::newRow("single keeps \"")
        << injection << int(zelQuoteSingle) << "'x\" FROM CUSTOMERS --'";
    QTest::newRow("none stays") << injection << int(zelQuoteNone) << injection;
    QTest::newRow("two in a row") << "a\"\"b" << int(zelQuoteDouble) << "\"a\"\"\"\"b\"";
  }
  void quoteTextEscapes() {
    QFETCH(QString, name);
    QFETCH(int, quote);
    QFETCH(QString, result);
    QCOMPARE(QuoteText(name, TzelQuoteType(quote)), result);
    QCOMPARE(QuoteIfKeyword(name, TzelQuoteType(quote)), NeedsQuoting(name) ? result : name);
    QCOMPARE(QuoteQualifiedName(name, TzelQuoteType(quote), zelParadox), result);
  }

  // A backslash cannot end a PostgreSQL or MySQL literal early, whatever the server's settings
  // say of backslashes: PostgreSQL's is an escape string with its backslashes doubled, MySQL's
  // holds no backslash at all.
  void literals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("literal");
    const QString payload = QStringLiteral("\\' OR 1=1)))--");
    QTest::newRow("postgres payload") << payload << int(zelPostgreSQL) << "E'\\\\'' OR 1=1)))--'";
    QTest::newRow("postgres lone backslash") << "\\" << int(zelPostgreSQL) << "E'\\\\'";
    QTest::newRow("postgres plain") << "O'Brien" << int(zelPostgreSQL) << "'O''Brien'";
    QTest::newRow("sqlite payload") << payload << int(zelSQLite) << "'\\'' OR 1=1)))--'";
    QTest::newRow("older payload") << payload << int(zelOracle) << "'\\'' OR 1=1)))--'";
    QTest::newRow("mysql payload")
        << payload << int(zelMySQL) << "CONCAT(CHAR(92 USING utf8mb4), ''' OR 1=1)))--')";
    QTest::newRow("mysql path")
        << "c:\\temp\\\\x\\" << int(zelMySQL)
        << "CONCAT('c:', CHAR(92 USING utf8mb4), 'temp', CHAR(92 USING utf8mb4), "
           "CHAR(92 USING utf8mb4), 'x', CHAR(92 USING utf8mb4))";
    QTest::newRow("mysql plain") << "O'Brien" << int(zelMySQL) << "'O''Brien'";
  }
  void literals() {
    QFETCH(QString, text);
    QFETCH(int, database);
    QFETCH(QString, literal);
    QCOMPARE(QuoteLiteral(text, zelQuoteSingle, TzelDatabase(database)), literal);
  }

  // A catalogue name with a quote in a dotted name: each part is escaped on its own.
  void qualifiedNamesEscapeEachPart() {
    QCOMPARE(QuoteQualifiedName(QStringLiteral("dbo.Or]ders"), zelQuoteBracket, zelMSSQL),
             QStringLiteral("[dbo].[Or]]ders]"));
    QCOMPARE(QuoteQualifiedKeywords(QStringLiteral("dbo.Or\"ders"), zelQuoteDouble, zelOracle),
             QStringLiteral("dbo.\"Or\"\"ders\""));
  }

  // The native dialects also quote their engine's keywords, names that start with a digit and,
  // for PostgreSQL, names with upper-case letters; the older dialects do not.
  void nativeDialectQuoting_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("older");
    QTest::addColumn<bool>("sqlite");
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<bool>("mysql");
    QTest::newRow("plain") << "qty" << false << false << false << false;
    QTest::newRow("limit") << "limit" << false << true << true << true;
    QTest::newRow("Offset") << "Offset" << false << true << true << true;
    QTest::newRow("pragma") << "pragma" << false << true << false << false;
    QTest::newRow("ilike") << "ilike" << false << false << true << false;
    QTest::newRow("current_user") << "current_user" << false << false << true << true;
    QTest::newRow("zerofill") << "zerofill" << false << false << false << true;
    QTest::newRow("longest") << "master_ssl_verify_server_cert" << false << false << false << true;
    QTest::newRow("table keyword") << "order" << true << true << true << true;
    QTest::newRow("starts with a digit") << "2nd" << false << true << true << true;
    QTest::newRow("digit inside") << "t2" << false << false << false << false;
    QTest::newRow("upper case") << "PARTS" << false << false << true << false;
    QTest::newRow("mixed case") << "Parts" << false << false << true << false;
    QTest::newRow("space") << "unit price" << true << true << true << true;
  }
  void nativeDialectQuoting() {
    QFETCH(QString, name);
    QFETCH(bool, older);
    QFETCH(bool, sqlite);
    QFETCH(bool, postgres);
    QFETCH(bool, mysql);
    QCOMPARE(QuoteIfKeyword(name, zelQuoteBacktick, zelMySQL), mysql ? u'`' + name + u'`' : name);
    for (TzelDatabase type : {zelUnknown, zelAccess, zelOracle, zelXQuery})
      QCOMPARE(NeedsQuoting(name, type), older);
    QCOMPARE(NeedsQuoting(name), older);
    QCOMPARE(NeedsQuoting(name, zelSQLite), sqlite);
    QCOMPARE(NeedsQuoting(name, zelPostgreSQL), postgres);
    QCOMPARE(QuoteIfKeyword(name, zelQuoteDouble, zelPostgreSQL),
             postgres ? u'"' + name + u'"' : name);
    QCOMPARE(QuoteQualifiedKeywords(u"main."_s + name, zelQuoteDouble, zelSQLite),
             u"main."_s + (sqlite ? u'"' + name + u'"' : name));
  }

  void qualifiedNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("quote");
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("always");
    QTest::addColumn<QString>("keywords");
    QTest::newRow("MSSQL owner.table")
        << "owner.Order Items" << int(zelQuoteBracket) << int(zelMSSQL) << "[owner].[Order Items]"
        << "owner.[Order Items]";
    QTest::newRow("Paradox file name")
        << "orders.db" << int(zelQuoteDouble) << int(zelParadox) << "\"orders.db\""
        << "\"orders.db\"";
    QTest::newRow("Sybase never quoted")
        << "dbo.Order Items" << int(zelQuoteDouble) << int(zelSybase) << "dbo.Order Items"
        << "dbo.Order Items";
    QTest::newRow("Oracle keyword field")
        << "orders.date" << int(zelQuoteDouble) << int(zelOracle) << "\"orders\".\"date\""
        << "orders.\"date\"";
    QTest::newRow("none quote") << "a.select" << int(zelQuoteNone) << int(zelInterBase)
                                << "a.select"
                                << "a.select";
    QTest::newRow("empty part") << "a..b" << int(zelQuoteSingle) << int(zelAccess) << "'a'.''.'b'"
                                << "a..b";
  }
  void qualifiedNames() {
    QFETCH(QString, name);
    QFETCH(int, quote);
    QFETCH(int, database);
    QFETCH(QString, always);
    QFETCH(QString, keywords);
    QCOMPARE(QuoteQualifiedName(name, TzelQuoteType(quote), TzelDatabase(database)), always);
    QCOMPARE(QuoteQualifiedKeywords(name, TzelQuoteType(quote), TzelDatabase(database)), keywords);
  }

  // The dot rule for every database type: file-based ones keep one part.
  void everyDatabaseType_data() {
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("always");
    QTest::addColumn<QString>("keywords");
    const QMetaEnum types = QMetaEnum::fromType<TzelDatabase>();
    QCOMPARE(types.keyCount(), 19);
    for (int i = 0; i < types.keyCount(); ++i) {
      const auto db = TzelDatabase(types.value(i));
      QString always = QStringLiteral("[cust].[order]"), keywords = QStringLiteral("cust.[order]");
      if (db == zelAdvantage || db == zelApollo || db == zelDbase || db == zelDBISAM ||
          db == zelParadox)
        always = keywords = QStringLiteral("[cust.order]");
      if (db == zelSybase)
        always = keywords = QStringLiteral("cust.order");
      if (db == zelInterBase) // folds unquoted names to upper case
        keywords = always;
      QTest::newRow(types.key(i)) << int(db) << always << keywords;
    }
  }
  void everyDatabaseType() {
    QFETCH(int, database);
    QFETCH(QString, always);
    QFETCH(QString, keywords);
    const QString name = QStringLiteral("cust.order");
    QCOMPARE(QuoteQualifiedName(name, zelQuoteBracket, TzelDatabase(database)), always);
    QCOMPARE(QuoteQualifiedKeywords(name, zelQuoteBracket, TzelDatabase(database)), keywords);
  }
};

QTEST_GUILESS_MAIN(TestQuoting)
#include "tst_quoting.moc"
