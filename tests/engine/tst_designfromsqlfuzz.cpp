// SPDX-License-Identifier: MIT
// SQL into the design fed mangled statements: the generator's own statements and the matrix's
// hand-written ones with words dropped, repeated and swapped, quotes, comments and line ends
// put in, nesting far past the reader's bound and lists of thousands. Whatever the input, the
// reader answers: a design that generates, or one refusal with a line and column inside the
// text. The number of random runs is $ZEL_FUZZ_RUNS (default 40); the sanitizer build in CI
// runs many more.

#include "engine/designfromsql.h"
#include "querymatrix.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Pieces a statement is made of, and the ones that break it.
const QStringList &pieces() {
  static const QStringList list{u"("_s,          u")"_s,          u","_s,
                                u"."_s,          u"*"_s,          u"-"_s,
                                u"'"_s,          u"\""_s,         u"["_s,
                                u"]"_s,          u"#"_s,          u"`"_s,
                                u"/*"_s,         u"*/"_s,         u"--"_s,
                                u"\r"_s,         u"\n"_s,         u"\r\n"_s,
                                u" not "_s,      u" and "_s,      u" or "_s,
                                u" join "_s,     u" on "_s,       u" in "_s,
                                u" between "_s,  u" case "_s,     u" when "_s,
                                u" end "_s,      u" is "_s,       u" null "_s,
                                u" select "_s,   u" from "_s,     u" where "_s,
                                u" group by "_s, u" having "_s,   u" order by "_s,
                                u":p"_s,         u"?"_s,          u"E'\\'"_s,
                                u"1e"_s,         u"::"_s,         u"\U0001D4B3"_s,
                                u"\U0001F600"_s, u"\xE9"_s,       QString(QChar(0xD800)),
                                u"\0"_s,         u"Sale Items"_s, u"\"unit price\""_s,
                                u"count(*)"_s,   u"max("_s,       u"t1"_s,
                                u"t1.qty"_s,     u"name"_s};
  return list;
}

// Nesting that each place of the grammar allows, around an inner part.
struct Nest {
  QString open, close;
};
const QList<Nest> &nests() {
  static const QList<Nest> list{{u"("_s, u")"_s},
                                {u"not "_s, QString()},
                                {u"- "_s, QString()},
                                {u"abs("_s, u")"_s},
                                {u"case when 1 = 1 then "_s, u" end"_s}};
  return list;
}

class Mangler {
public:
  explicit Mangler(quint32 seed) : m_rng(seed) {}

  QString mangle(const QString &sql) {
    QString out = sql;
    const int changes = 1 + int(m_rng.bounded(4));
    for (int i = 0; i < changes; ++i)
      out = once(out);
    return out;
  }

private:
  int below(qsizetype n) { return n > 0 ? int(m_rng.bounded(int(n))) : 0; }

  QString once(const QString &text) {
    const int at = below(text.size() + 1);
    const int length = below(qMin<qsizetype>(40, text.size() - at + 1));
    switch (m_rng.bounded(8)) {
    case 0:
      return text.left(at) + text.mid(at + length);
    case 1:
      return text.left(at) + pieces().at(below(pieces().size())) + text.mid(at);
    case 2:
      return text.left(at) + text.mid(at, length) + text.mid(at);
    case 3: // a part repeated thousands of times
      return text.left(at) + text.mid(at, length).repeated(1000 + below(4000)) + text.mid(at);
    case 4:
      return nested(text, at, length);
    case 5: { // two parts swapped
      const int other = below(text.size() - length + 1);
      QString out = text;
      const QString a = text.mid(at, length), b = text.mid(other, length);
      out.replace(at, a.size(), b);
      return out.left(other) + a + out.mid(other + a.size());
    }
    case 6:
      return text.left(at);
    default: // a line end of another system
      return QString(text).replace(u'\n', below(2) ? u"\r"_s : u"\r\n"_s);
    }
  }

  // The part wrapped in nesting, most often past the reader's bound.
  QString nested(const QString &text, int at, int length) {
    const Nest &nest = nests().at(below(nests().size()));
    const int depth = below(2) ? 1001 + below(3000) : 1 + below(50);
    return text.left(at) + nest.open.repeated(depth) + text.mid(at, length) +
           nest.close.repeated(depth) + text.mid(at + length);
  }

  QRandomGenerator m_rng;
};

// The line count of the text as the reader counts lines: LF, CR LF and a lone CR each end one.
int lineCount(const QString &text) {
  int lines = 1;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (text.at(i) == u'\n' ||
        (text.at(i) == u'\r' && (i + 1 == text.size() || text.at(i + 1) != u'\n')))
      ++lines;
  return lines;
}

} // namespace

class TstDesignFromSqlFuzz : public QObject {
  Q_OBJECT

  // The statements the mangling starts from, each with the dialect it is written in.
  QList<std::pair<QString, TzelDatabase>> m_seeds;

  // Reads the text and checks the answer; what describes the input.
  void check(const QString &sql, TzelDatabase dialect, const QString &what) {
    auto model = matrix::makeModel(dialect);
    matrix::Holder holder(model.get());
    const TzelSqlDesignResult result = zelDesignFromSql(sql, *model, dialect, *holder.query);
    const QString context = what + u": "_s + result.message.left(300) + u"\n"_s + sql.left(300);
    if (result.ok) {
      const QString again = matrix::generated(*holder.query, *model);
      QVERIFY2(!again.startsWith(u"ERROR"), qPrintable(again + u"\n"_s + context));
      return;
    }
    QVERIFY2(result.message.startsWith(
                 u"Error: Line %1, column %2: "_s.arg(result.line).arg(result.column)),
             qPrintable(context));
    QVERIFY2(result.line >= 1 && result.line <= lineCount(sql), qPrintable(context));
    QVERIFY2(result.column >= 1 && result.column <= sql.size() + 1, qPrintable(context));
  }

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    for (TzelDatabase dialect : {zelSQLite, zelPostgreSQL, zelMSSQL, zelAccess, zelParadox})
      for (const matrix::Shape &shape : matrix::shapes()) {
        const QString sql = matrix::generate(dialect, shape);
        if (!sql.startsWith(u"ERROR"))
          m_seeds.append({sql, dialect});
        if (dialect == zelSQLite)
          m_seeds.append({shape.hand, dialect});
      }
    QVERIFY(m_seeds.size() > 100);
  }

  // Every seed as it is: read, or refused with a position.
  void seeds() {
    for (const auto &[sql, dialect] : std::as_const(m_seeds)) {
      check(sql, dialect, u"seed"_s);
      if (QTest::currentTestFailed())
        return;
    }
  }

  void mangled() {
    const int runs = qEnvironmentVariableIntValue("ZEL_FUZZ_RUNS") > 0
                         ? qEnvironmentVariableIntValue("ZEL_FUZZ_RUNS")
                         : 40;
    for (int i = 0; i < runs * 10; ++i) {
      const auto seed = quint32(20261210 + i);
      Mangler mangler(seed);
      const auto &[sql, dialect] = m_seeds.at(int(seed % quint32(m_seeds.size())));
      check(mangler.mangle(sql), dialect, u"seed "_s + QString::number(seed));
      if (QTest::currentTestFailed())
        return;
    }
  }
};

QTEST_GUILESS_MAIN(TstDesignFromSqlFuzz)
#include "tst_designfromsqlfuzz.moc"
