// The query matrix under the sixteen older dialects writes the text it wrote before the
// native dialects and the mends of joined FROM, ORDER BY and GROUP BY and escaped names; the
// cases those mends change are listed below with the reason. data/dialects-before.txt holds
// the earlier text; ZEL_WRITE_DIALECTS=<file> writes the current text there instead.

#include "querymatrix.h"

#include <QFile>
#include <QLocale>
#include <QMap>
#include <QMetaEnum>
#include <QTest>

namespace {

const QString kDataFile = QStringLiteral(ZEL_SOURCE_DIR "/tests/engine/data/dialects-before.txt");

// The sixteen dialects that existed before the native ones.
QList<TzelDatabase> olderDialects() {
  QList<TzelDatabase> list;
  for (int i = zelUnknown; i <= zelXQuery; ++i)
    list << TzelDatabase(i);
  return list;
}

// The dialects that write joins as JOIN lines in FROM, and those that order by expressions.
const char *const kJoinedFrom = "Access Anywhere Apollo DB2 DBISAM Dbase Informix InterBase MSSQL "
                                "Paradox Sybase Unknown XQuery";
const char *const kOrderByExpression =
    "Access Advantage Anywhere Apollo Btrieve Informix InterBase MSSQL Oracle Sybase";

// Every text that the mends change, by shape; every other text stays as it was.
struct Change {
  const char *shape;
  const char *dialects; // names without the "zel" prefix
  const char *why;
};
const Change kChanges[] = {
    {"chain 3 interleaved", kJoinedFrom,
     "joins out of chain order: each ON names written tables only and no condition is lost"},
    {"chain 5 interleaved", kJoinedFrom, "joins out of chain order"},
    {"chain 10 interleaved", kJoinedFrom, "joins out of chain order"},
    {"chain and star", kJoinedFrom, "joins out of chain order"},
    {"left chain 4 interleaved", kJoinedFrom, "joins out of chain order"},
    {"left chain 3 reversed", kJoinedFrom,
     "each added table is the kept one of its left join, which becomes a right join"},
    {"right join written backwards", kJoinedFrom,
     "the added table is the dropped one: RIGHT becomes LEFT so that the same rows are kept"},
    {"cycle", kJoinedFrom, "the condition that closes the cycle joins the ON of the later table"},
    {"cycle out of order", kJoinedFrom, "joins out of chain order, and a cycle"},
    {"left join written backwards", kJoinedFrom,
     "the added table is the kept one: LEFT becomes RIGHT so that the same rows are kept"},
    {"group sum sorted by the sum", kOrderByExpression,
     "a sorted aggregate is ordered by its aggregate, not by its bare column"},
    {"keywords and spaces in names", kOrderByExpression, "a sorted aggregate"},
    {"hidden sum sorted with having",
     "Access Advantage Anywhere Apollo Btrieve DB2 DBISAM Dbase Informix InterBase MSSQL "
     "Oracle Paradox Sybase Unknown XQuery",
     "a hidden sorted aggregate has no alias and is ordered by its aggregate"},
    {"hidden group sorted", "DB2 DBISAM Unknown XQuery",
     "a hidden grouped value has no alias to group by and is grouped by its expression"},
    {"headers that hold quotes",
     "Access Advantage Anywhere Apollo Btrieve DB2 DBISAM Dbase Informix MSSQL Oracle Paradox "
     "Sybase Unknown XQuery",
     "a closing quote inside a quoted name is doubled"},
};

bool listedAsChanged(TzelDatabase type, const QString &shape) {
  const QString dialect = enumName(type).mid(3);
  for (const Change &change : kChanges)
    if (shape == QLatin1String(change.shape) &&
        QString::fromLatin1(change.dialects).split(QLatin1Char(' ')).contains(dialect))
      return true;
  return false;
}

QString key(TzelDatabase type, const QString &shape) {
  return enumName(type) + QStringLiteral(" | ") + shape;
}

matrix::Shape shape(const QString &name) {
  for (const matrix::Shape &s : matrix::shapes())
    if (s.name == name)
      return s;
  return {};
}

QMap<QString, QString> currentTexts() {
  QMap<QString, QString> texts;
  const QList<matrix::Shape> shapes = matrix::shapes();
  for (TzelDatabase type : olderDialects())
    for (const matrix::Shape &shape : shapes)
      texts.insert(key(type, shape.name), matrix::generate(type, shape));
  return texts;
}

// Entries start with "== " and the key; the text follows on its own lines.
QMap<QString, QString> parse(const QString &data) {
  QMap<QString, QString> texts;
  QString current;
  QStringList lines;
  auto flush = [&] {
    if (!current.isEmpty())
      texts.insert(current, lines.join(QLatin1Char('\n')));
    lines.clear();
  };
  QStringList all = data.split(QLatin1Char('\n'));
  if (!all.isEmpty() && all.last().isEmpty())
    all.removeLast(); // the newline that ends the file
  for (const QString &line : std::as_const(all)) {
    if (line.startsWith(QStringLiteral("== "))) {
      flush();
      current = line.mid(3);
    } else {
      lines << line;
    }
  }
  flush();
  return texts;
}

QString format(const QMap<QString, QString> &texts) {
  QString data;
  for (auto it = texts.cbegin(); it != texts.cend(); ++it)
    data += QStringLiteral("== ") + it.key() + QLatin1Char('\n') + it.value() + QLatin1Char('\n');
  return data;
}

} // namespace

class TstSqlGeneratorDialects : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void textsAsBefore() {
    const QMap<QString, QString> now = currentTexts();
    const QByteArray target = qgetenv("ZEL_WRITE_DIALECTS");
    if (!target.isEmpty()) {
      QFile out(QString::fromLocal8Bit(target));
      QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
      out.write(format(now).toUtf8());
      QSKIP("the texts were written, not compared");
    }
    QFile in(kDataFile);
    QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(kDataFile));
    const QMap<QString, QString> before = parse(QString::fromUtf8(in.readAll()));
    QCOMPARE(before.keys(), now.keys());
    int changed = 0;
    for (TzelDatabase type : olderDialects())
      for (const matrix::Shape &shape : matrix::shapes()) {
        const QString k = key(type, shape.name);
        const bool listed = listedAsChanged(type, shape.name);
        changed += listed ? 1 : 0;
        QVERIFY2((before.value(k) != now.value(k)) == listed,
                 qPrintable(k + (listed ? QStringLiteral(" was listed as changed") : QString()) +
                            QStringLiteral(":\n") + now.value(k) + QStringLiteral("\nwas:\n") +
                            before.value(k)));
      }
    QCOMPARE(changed, 185); // of 1,328 texts
  }

  // The listed changes, spelled out for one dialect.
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
};

QTEST_GUILESS_MAIN(TstSqlGeneratorDialects)
#include "tst_sqlgenerator_dialects.moc"
