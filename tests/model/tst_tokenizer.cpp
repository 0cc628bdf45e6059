// SPDX-License-Identifier: MIT
#include "model/keywords.h"
#include "model/quoting.h"
#include "model/tokenizer.h"
#include "model/zeltypes.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The tokens as readable text: keywords as themselves, values as {text}.
QStringList describe(const TzelTokenList &tokens, const QStringList &lines) {
  QStringList out;
  for (int i = 0; i < tokens.count(); ++i)
    out << (tokens.isValue(i) ? QLatin1Char('{') + tokens.text(i, lines) + QLatin1Char('}')
                              : tokens.text(i, lines));
  return out;
}

QStringList tokenize(const QString &line) {
  TzelTokenList tokens;
  const QStringList lines{line};
  const int count = TokenizeExpression(lines, tokens);
  if (count != tokens.count())
    return {QStringLiteral("count mismatch")};
  return describe(tokens, lines);
}

} // namespace

class TestTokenizer : public QObject {
  Q_OBJECT
private slots:
  void tokens_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("a <> b") << "a <> b" << QStringList{"{a}", " ", "<>", " ", "{b}"};
    QTest::newRow("a<=(b)") << "a<=(b)" << QStringList{"{a}", "<=", "(", "{b}", ")"};
    QTest::newRow(">= and < >") << "x>=1<2" << QStringList{"{x}", ">=", "{1}", "<", "{2}"};
    QTest::newRow("decimal") << "12.5" << QStringList{"{12.5}"};
    QTest::newRow("thousands") << "1,000" << QStringList{"{1,000}"};
    QTest::newRow("both") << "1,250.75" << QStringList{"{1,250.75}"};
    QTest::newRow("a,b") << "a,b" << QStringList{"{a}", ",", "{b}"};
    QTest::newRow("name ending in a digit") << "T6.Qty" << QStringList{"{T6}", ".", "{Qty}"};
    QTest::newRow("numbered alias, then a number")
        << "Parts_2.Cost*1.5" << QStringList{"{Parts_2}", ".", "{Cost}", "*", "{1.5}"};
    QTest::newRow("list of numbered names")
        << "f(a1,b2)" << QStringList{"{f}", "(", "{a1}", ",", "{b2}", ")"};
    QTest::newRow("keyword") << "not Like x" << QStringList{"NOT", " ", "LIKE", " ", "{x}"};
    QTest::newRow("keyword prefix") << "notes" << QStringList{"{notes}"};
    QTest::newRow("brackets") << "[Order Items].Qty"
                              << QStringList{"[", "{Order Items}", "]", ".", "{Qty}"};
    QTest::newRow("double quotes") << "\"a (b\"" << QStringList{"\"", "{a (b}", "\""};
    QTest::newRow("single quotes") << "'or x'" << QStringList{"'", "OR", " ", "{x}", "'"};
    QTest::newRow("function") << "SUM(Price*2)"
                              << QStringList{"SUM", "(", "{Price}", "*", "{2}", ")"};
    QTest::newRow("non-symbol char") << "a?b" << QStringList{"{a?b}"};
    QTest::newRow("lone non-symbol keyword") << "?" << QStringList{"?"};
    QTest::newRow("empty") << "" << QStringList{};
  }
  void tokens() {
    QFETCH(QString, line);
    QFETCH(QStringList, tokens);
    QCOMPARE(tokenize(line), tokens);
  }

  void valueTokensKnowWhereTheyStand() {
    const QStringList lines{QStringLiteral("a +"), QStringLiteral("  total")};
    TzelTokenList tokens;
    QCOMPARE(TokenizeExpression(lines, tokens), 6); // a, space, +, space, space, total
    QVERIFY(tokens.isValue(5));
    QCOMPARE(tokens.index(5), TzelValue::Marker);
    QCOMPARE(tokens.value(5).line, 1);
    QCOMPARE(tokens.value(5).column, 3);
    QCOMPARE(tokens.value(5).length, 5);
    QCOMPARE(tokens.value(5).text(lines), QStringLiteral("total"));
    QCOMPARE(tokens.index(1), ZelKeyword::Space);
  }

  void longLinesKeepTheirColumns() {
    const QString line = QString(300, QLatin1Char(' ')) + QStringLiteral("far");
    QCOMPARE(tokenize(line).last(), QStringLiteral("{far}"));
  }

  void unbalanced_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("((a)") << "((a)"
                          << "Error: Insufficient closing parenthesis";
    QTest::newRow("(a))") << "(a))"
                          << "Error: Insufficient opening parenthesis";
    QTest::newRow("[a") << "[a"
                        << "Error: Insufficient closing brackets";
    QTest::newRow("a]") << "a]"
                        << "Error: Insufficient opening brackets";
    QTest::newRow("\"abc") << "\"abc"
                           << "Error: Insufficient closing quotes";
    QTest::newRow("parenthesis wins") << "(\"abc"
                                      << "Error: Insufficient closing parenthesis";
    QTest::newRow("parenthesis wins over brackets") << ")[a"
                                                    << "Error: Insufficient opening parenthesis";
    QTest::newRow("quoted parenthesis does not count") << "\"(\" [a"
                                                       << "Error: Insufficient closing brackets";
  }
  void unbalanced() {
    QFETCH(QString, line);
    QFETCH(QString, message);
    TzelTokenList tokens;
    try {
      TokenizeExpression({line}, tokens);
      QFAIL("no error raised");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), message);
    }
  }

  void startsFromAnEmptyList() {
    TzelTokenList tokens;
    TokenizeExpression({QStringLiteral("a b c")}, tokens);
    QCOMPARE(TokenizeExpression({QStringLiteral("x")}, tokens), 1);
  }

  // Random and truncated input: only clean results or EzelError (a hang is ctest's timeout).
  void robustAgainstArbitraryText() {
    QRandomGenerator random(20261208);
    const QByteArray sample("SELECT [Order Items].\"Qty\" <= (1,250.75 + 'x') AND a<>b");
    int errors = 0;
    for (int round = 0; round < 4000; ++round) {
      QByteArray bytes;
      if (round % 2 == 0) {
        bytes = sample.left(random.bounded(sample.size() + 1));
      } else {
        bytes.resize(random.bounded(120));
        for (char &b : bytes)
          b = char(random.bounded(256));
      }
      const QString text = round % 4 == 1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
      const QStringList lines = text.split(QLatin1Char('\n'));
      TzelTokenList tokens;
      try {
        const int count = TokenizeExpression(lines, tokens);
        QCOMPARE(count, tokens.count());
        for (int i = 0; i < tokens.count(); ++i)
          (void)tokens.text(i, lines);
      } catch (const EzelError &e) {
        QVERIFY(e.message().startsWith(QLatin1String("Error: Insufficient ")));
        ++errors;
      }
      (void)NeedsQuoting(text);
      (void)QuoteIfKeyword(text, zelQuoteBracket);
      (void)QuoteQualifiedName(text, zelQuoteDouble, zelOracle);
      (void)QuoteQualifiedKeywords(text, zelQuoteSingle, zelParadox);
    }
    QVERIFY(errors > 0);
  }
};

QTEST_GUILESS_MAIN(TestTokenizer)
#include "tst_tokenizer.moc"
