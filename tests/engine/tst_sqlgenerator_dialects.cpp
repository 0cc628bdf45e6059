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

QString key(TzelDatabase type, const QString &shape) {
  return enumName(type) + QStringLiteral(" | ") + shape;
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
    for (auto it = now.cbegin(); it != now.cend(); ++it)
      QVERIFY2(before.value(it.key()) == it.value(),
               qPrintable(it.key() + QStringLiteral(" changed:\n") + it.value() +
                          QStringLiteral("\nwas:\n") + before.value(it.key())));
  }
};

QTEST_GUILESS_MAIN(TstSqlGeneratorDialects)
#include "tst_sqlgenerator_dialects.moc"
