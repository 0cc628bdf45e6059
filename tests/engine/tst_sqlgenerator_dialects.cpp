// SPDX-License-Identifier: MIT
// The query matrix under every dialect writes the text kept in golden/<dialect>.sql, each
// shape's text under a "-- <shape name>" line, an empty line between two shapes. A change of the
// generated SQL is reviewed as a change of those files: scripts/golden-sql.sh writes them again
// (ZEL_WRITE_GOLDEN=<folder> makes this test write the files there instead of comparing).

#include "querymatrix.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kGoldenDir = QStringLiteral(ZEL_SOURCE_DIR "/tests/engine/golden");
const QString kHeader = QStringLiteral("-- ");

QString goldenFile(const QString &dir, TzelDatabase type) {
  return dir + QLatin1Char('/') + enumName(type).mid(3) + QStringLiteral(".sql");
}

matrix::Shape shape(const QString &name) {
  for (const matrix::Shape &s : matrix::shapes())
    if (s.name == name)
      return s;
  return {};
}

QString format(TzelDatabase type) {
  QStringList entries;
  for (const matrix::Shape &s : matrix::shapes())
    entries << kHeader + s.name + QLatin1Char('\n') + matrix::generate(type, s) + QLatin1Char('\n');
  return entries.join(QLatin1Char('\n'));
}

// The texts by shape name; a text ends before the empty line that precedes the next "-- " line.
QMap<QString, QString> parse(const QString &data) {
  QMap<QString, QString> texts;
  const QString separator = QStringLiteral("\n\n") + kHeader;
  QString rest = QStringLiteral("\n\n") + data;
  while (rest.startsWith(separator)) {
    const qsizetype nameEnd = rest.indexOf(QLatin1Char('\n'), separator.size());
    qsizetype next = rest.indexOf(separator, nameEnd);
    if (next < 0)
      next = rest.size() - 1; // the newline that ends the file
    texts.insert(rest.mid(separator.size(), nameEnd - separator.size()),
                 rest.mid(nameEnd + 1, next - nameEnd - 1));
    rest = rest.mid(next);
  }
  return texts;
}

QMap<QString, QString> read(TzelDatabase type) {
  QFile in(goldenFile(kGoldenDir, type));
  return in.open(QIODevice::ReadOnly) ? parse(QString::fromUtf8(in.readAll()))
                                      : QMap<QString, QString>();
}

// The lines that differ, between the lines both texts share at their start and end.
QString diff(const QString &expected, const QString &actual) {
  const QStringList a = expected.split(QLatin1Char('\n'));
  const QStringList b = actual.split(QLatin1Char('\n'));
  qsizetype head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head])
    ++head;
  qsizetype tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
    ++tail;
  QString text = u"golden (-) and generated (+) text differ from line %1:\n"_s.arg(head + 1);
  for (qsizetype i = head; i < a.size() - tail; ++i)
    text += QStringLiteral("- ") + a[i] + QLatin1Char('\n');
  for (qsizetype i = head; i < b.size() - tail; ++i)
    text += QStringLiteral("+ ") + b[i] + QLatin1Char('\n');
  return text;
}

} // namespace

class TstSqlGeneratorDialects : public QObject {
  Q_OBJECT
  QMap<TzelDatabase, QMap<QString, QString>> golden;

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    const QString target = qEnvironmentVariable("ZEL_WRITE_GOLDEN");
    if (!target.isEmpty()) {
      QVERIFY(QDir().mkpath(target));
      for (TzelDatabase type : matrix::dialects()) {
        QFile out(goldenFile(target, type));
        QVERIFY2(out.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(out.fileName()));
        out.write(format(type).toUtf8());
      }
      QSKIP("the golden files were written, not compared");
    }
    for (TzelDatabase type : matrix::dialects())
      golden.insert(type, read(type));
  }

  // Each file holds the matrix's shapes, no more and no fewer.
  void goldenShapes() {
    QStringList names;
    for (const matrix::Shape &s : matrix::shapes())
      names << s.name;
    names.sort();
    for (TzelDatabase type : matrix::dialects())
      QVERIFY2(golden.value(type).keys() == names, qPrintable(goldenFile(kGoldenDir, type)));
  }

  void goldenTexts_data() { matrix::addDialectShapeRows(); }
  void goldenTexts() {
    QFETCH(int, type);
    QFETCH(QString, name);
    const auto dialect = TzelDatabase(type);
    const QMap<QString, QString> &texts = golden[dialect];
    QVERIFY2(texts.contains(name),
             qPrintable(goldenFile(kGoldenDir, dialect) + QStringLiteral(" has no \"-- ") + name +
                        QStringLiteral("\"")));
    const QString expected = texts.value(name);
    const QString actual = matrix::generate(dialect, shape(name));
    QVERIFY2(actual == expected, qPrintable(diff(expected, actual)));
  }

  // The mends of join order, of outer joins written backwards, of sorted aggregates and of
  // quotes in names, spelled out for one dialect each.
  void changedTexts() {
    QCOMPARE(matrix::generate(zelAccess, shape(QStringLiteral("chain 3 interleaved"))),
             QStringLiteral("  SELECT Main.name AS Name,\n"
                            "         [Order].name AS Name_1\n"
                            "    FROM ((t0 AS Main\n"
                            "         INNER JOIN t1 AS T1\n"
                            "                 ON Main.nxt = T1.id)\n"
                            "         INNER JOIN t2 AS T2\n"
                            "                 ON T1.nxt = T2.id)\n"
                            "         INNER JOIN [order] AS [Order]\n"
                            "                 ON T2.nxt = [Order].id"));
    QCOMPARE(matrix::generate(zelMSSQL, shape(QStringLiteral("left join written backwards"))),
             QStringLiteral("  SELECT Main.id AS Id,\n"
                            "         T1.id AS Id_1,\n"
                            "         T2.id AS Id_2\n"
                            "    FROM (t1 AS T1\n"
                            "         INNER JOIN t2 AS T2\n"
                            "                 ON T1.nxt = T2.id)\n"
                            "         RIGHT OUTER JOIN t0 AS Main\n"
                            "                       ON Main.nxt = T1.id"));
    QCOMPARE(matrix::generate(zelOracle, shape(QStringLiteral("hidden sum sorted with having")))
                 .split(QLatin1Char('\n'))
                 .last(),
             QStringLiteral("ORDER BY SUM(\"Sale Items\".limit) DESC"));
    QCOMPARE(matrix::generate(zelUnknown, shape(QStringLiteral("headers that hold quotes"))),
             QStringLiteral("  SELECT T1.id AS T1.\"x\"\" FROM CUSTOMERS --\",\n"
                            "         T1.added AS T1.\"Da\"\"te\",\n"
                            "         T1.name AS T1.\"a]b\"\n"
                            "    FROM t1 AS T1\n"
                            "ORDER BY T1.\"x\"\" FROM CUSTOMERS --\" ASC"));
  }

  // Top values beyond the matrix: a percentage where the dialect can say it, and the
  // refusals of what a dialect cannot say, never a statement that reads more records.
  void topValueForms_data() {
    QTest::addColumn<TzelDatabase>("dialect");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text"); // the head and tail lines, or the refusal
    QTest::newRow("Access percent")
        << zelAccess << 25 << true << 0 << u"  SELECT DISTINCT TOP 25 PERCENT|ORDER BY T1.id ASC"_s;
    QTest::newRow("Oracle percent after an offset")
        << zelOracle << 10 << true << 4
        << u"  SELECT DISTINCT|ORDER BY T1.id ASC|  OFFSET 4 ROWS|   FETCH FIRST 10 PERCENT ROWS ONLY"_s;
    QTest::newRow("Informix first")
        << zelInformix << 7 << false << 0 << u"  SELECT FIRST 7 DISTINCT|ORDER BY T1.id ASC"_s;
    QTest::newRow("PostgreSQL percent")
        << zelPostgreSQL << 10 << true << 0
        << u"ERROR: Error: The PostgreSQL dialect cannot limit a query to a percentage of its values"_s;
    QTest::newRow("MSSQL offset")
        << zelMSSQL << 10 << false << 5
        << u"ERROR: Error: The MSSQL dialect cannot skip values before the top values"_s;
    QTest::newRow("Paradox")
        << zelParadox << 10 << false << 0
        << u"ERROR: Error: The Paradox dialect cannot limit a query to its top values"_s;
    QTest::newRow("offset alone")
        << zelSQLite << 0 << false << 5
        << u"ERROR: Error: Values can be skipped only before a number of top values"_s;
    QTest::newRow("percent over 100")
        << zelMSSQL << 101 << true << 0
        << u"ERROR: Error: A percentage of top values must be from 1 to 100"_s;
  }
  void topValueForms() {
    QFETCH(TzelDatabase, dialect);
    QFETCH(int, top);
    QFETCH(bool, percent);
    QFETCH(int, offset);
    QFETCH(QString, text);
    const matrix::Shape s{u"top"_s,
                          [&](TzelQuery &q, TzelModel &) {
                            q.SetIsDistinct(true);
                            q.SetTopValues(top);
                            q.SetTopPercent(percent);
                            q.SetTopOffset(offset);
                            matrix::addTables(q, {1});
                            matrix::value(q, 1, "Id", zelShow, zelSortAscending);
                          },
                          QString()};
    const QString sql = matrix::generate(dialect, s);
    if (text.startsWith(u"ERROR: ")) {
      QCOMPARE(sql, text);
      return;
    }
    const QStringList lines = sql.split(u'\n');
    const qsizetype from =
        std::find_if(lines.cbegin(), lines.cend(),
                     [](const QString &line) { return line.startsWith(u"    FROM "); }) -
        lines.cbegin();
    QVERIFY2(from > 0, qPrintable(sql));
    QCOMPARE(QStringList{lines.first()} + lines.mid(from + 1), text.split(u'|'));
  }
};

QTEST_GUILESS_MAIN(TstSqlGeneratorDialects)
#include "tst_sqlgenerator_dialects.moc"
