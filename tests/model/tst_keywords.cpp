// SPDX-License-Identifier: MIT
#include "model/keywords.h"
#include "model/zeltypes.h"

#include <QFile>
#include <QTemporaryFile>
#include <QtTest>

class TestKeywords : public QObject {
  Q_OBJECT
private slots:
  void storedFormHasTheReferenceLayout() {
    QFile file(QStringLiteral(":/TZELRESOURCE/TZELKEYWORDS"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QCOMPARE(data.size(), 3129);
    // First record: id 1, length 1, a space; the table ends with id 0.
    QCOMPARE(data.left(4), QByteArray("\x01\x00\x01 ", 4));
    QCOMPARE(data.right(2), QByteArray("\x00\x00", 2));
  }

  void resourceMatchesTheReadableList() {
    QFile source(QStringLiteral(ZEL_SOURCE_DIR "/resources/keywords/keywords.txt"));
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList expected;
    while (!source.atEnd()) {
      const QString line = QString::fromLatin1(source.readLine()).chopped(1);
      if (line.startsWith(QLatin1String("# ")))
        continue;
      expected << (line == QLatin1String("<space>")  ? QStringLiteral(" ")
                   : line == QLatin1String("<hash>") ? QStringLiteral("#")
                                                     : line);
    }
    QCOMPARE(zelKeywords(), expected);
  }

  // Words an engine reserves beyond the table count only for that engine's dialect.
  void dialectKeywords_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("sqlite");
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<bool>("mysql");
    QTest::addColumn<bool>("firebird");
    QTest::newRow("limit") << "limit" << true << true << true << false;
    QTest::newRow("OFFSET") << "OFFSET" << true << true << true << true;
    QTest::newRow("Window") << "Window" << true << true << true << false;
    QTest::newRow("glob") << "glob" << true << false << false << false;
    QTest::newRow("autoincrement") << "autoincrement" << true << false << false << false;
    QTest::newRow("ilike") << "ilike" << false << true << false << false;
    QTest::newRow("localtimestamp") << "localtimestamp" << false << true << true << false;
    QTest::newRow("zerofill") << "zerofill" << false << false << true << false;
    QTest::newRow("row_count") << "row_count" << false << false << false << true;
    QTest::newRow("rdb$db_key") << "rdb$db_key" << false << false << false << true;
    QTest::newRow("not a keyword") << "quantity" << false << false << false << false;
    QTest::newRow("in the table only") << "select" << false << false << false << false;
  }
  void dialectKeywords() {
    QFETCH(QString, word);
    QFETCH(bool, sqlite);
    QFETCH(bool, postgres);
    QFETCH(bool, mysql);
    QFETCH(bool, firebird);
    QCOMPARE(IsDialectKeyword(word, zelSQLite), sqlite);
    QCOMPARE(IsDialectKeyword(word, zelPostgreSQL), postgres);
    QCOMPARE(IsDialectKeyword(word, zelMySQL), mysql);
    QCOMPARE(IsDialectKeyword(word, zelInterBase), firebird);
    for (int type = zelUnknown; type <= zelXQuery; ++type)
      if (type != zelInterBase)
        QVERIFY(!IsDialectKeyword(word, TzelDatabase(type)));
    if (sqlite || postgres || mysql || firebird)
      QCOMPARE(KeywordIndex(word), -1); // the table itself stays as it is
  }

  void entriesThatCarryMeaning_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("space") << 0 << " ";
    QTest::newRow("<") << 1 << "<";
    QTest::newRow("=") << 2 << "=";
    QTest::newRow(">") << 3 << ">";
    QTest::newRow("[") << 8 << "[";
    QTest::newRow("]") << 9 << "]";
    QTest::newRow(";") << 23 << ";";
    QTest::newRow("?") << 24 << "?";
    QTest::newRow("~") << 30 << "~";
    QTest::newRow("<=") << 31 << "<=";
    QTest::newRow(">=") << 32 << ">=";
    QTest::newRow("<>") << 33 << "<>";
    QTest::newRow("OR") << 34 << "OR";
    QTest::newRow("ASC") << 36 << "ASC";
    QTest::newRow("NOT") << 71 << "NOT";
    QTest::newRow("LIKE") << 104 << "LIKE";
    QTest::newRow("BETWEEN") << 229 << "BETWEEN";
    QTest::newRow("SMALLDATETIME") << 363 << "SMALLDATETIME";
  }
  void entriesThatCarryMeaning() {
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(zelKeywords().size(), ZelKeyword::Count);
    QCOMPARE(Keyword(index), text);
    QCOMPARE(KeywordIndex(text.toLower()), index);
  }

  void lookupIgnoresCaseOnly() {
    QCOMPARE(KeywordIndex(u"Select"), zelKeywords().indexOf(QStringLiteral("SELECT")));
    QCOMPARE(KeywordIndex(u"SELECTX"), -1);
    QCOMPARE(KeywordIndex(u""), -1);
    QCOMPARE(KeywordIndex(u"s\u00e9lect"), -1);
    QCOMPARE(SymbolCode(QLatin1Char(';')), 23);
    QCOMPARE(SymbolCode(QLatin1Char('?')), -1); // forces quoting, but is no symbol
    QVERIFY(IsQuoteForcingChar(QLatin1Char('?')));
    QVERIFY(!IsQuoteForcingChar(QLatin1Char('_')));
  }

  void readerFetchesOneTextById() {
    const TzelStringResource keywords(QStringLiteral("TZELKEYWORDS"));
    QCOMPARE(keywords.read(1), QStringLiteral(" "));
    QCOMPARE(keywords.read(230), QStringLiteral("BETWEEN"));
    QCOMPARE(keywords.read(364), QStringLiteral("SMALLDATETIME"));
  }

  void readerFailures_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("message");
    const QByteArray table("\x01\x00\x02OR\x02\x00\x00\x00\x00", 10);
    QTest::newRow("id past the end")
        << table << 3 << "Error: String [3] does not exist in resource [test]";
    QTest::newRow("empty text") << table << 2
                                << "Error: String [2] does not exist in resource [test]";
    QTest::newRow("cut short") << QByteArray("\x01\x00\x05OR", 5) << 7
                               << "Error: Cannot load string resource [test]";
    QTest::newRow("no end record")
        << QByteArray("\x01\x00\x02OR", 5) << 7 << "Error: Cannot load string resource [test]";
  }
  void readerFailures() {
    QFETCH(QByteArray, data);
    QFETCH(int, id);
    QFETCH(QString, message);
    try {
      TzelStringResource::parseOne(data, id, QStringLiteral("test"));
      QFAIL("no error raised");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), message);
    }
  }

  void missingResourceIsReported() {
    try {
      TzelStringResource(QStringLiteral("NOSUCHTABLE")).readAll();
      QFAIL("no error raised");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), QStringLiteral("Error: Cannot find string resource [NOSUCHTABLE]"));
    }
  }

  void fileTableReadsInOrder() {
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(QByteArray("\x01\x00\x02OR\x02\x00\x03"
                          "AND\x00\x00",
                          13));
    file.close();
    QCOMPARE(TzelStringResource(file.fileName()).readAll(),
             QStringList({QStringLiteral("OR"), QStringLiteral("AND")}));
  }
};

QTEST_GUILESS_MAIN(TestKeywords)
#include "tst_keywords.moc"
