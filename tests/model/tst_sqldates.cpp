// SPDX-License-Identifier: MIT
#include "model/sqldates.h"
#include "support/recordingmessages.h"

#include <QLocale>
#include <QtTest>

namespace {

const QLocale unitedStates(QLocale::English, QLocale::UnitedStates); // M/d/yy
const QLocale germany(QLocale::German, QLocale::Germany);            // dd.MM.yy
const QLocale sweden(QLocale::Swedish, QLocale::Sweden);             // yyyy-MM-dd

// Sets the process's default locale for one test and restores it afterwards.
class DefaultLocale {
public:
  explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
  ~DefaultLocale() { QLocale::setDefault(previous); }

private:
  QLocale previous;
};

} // namespace

class TestSqlDates : public QObject {
  Q_OBJECT
private slots:
  void systemConventions_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("order");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QChar>("decimal");
    QTest::newRow("en_US") << unitedStates << 0 << QChar('/') << QChar('.');
    QTest::newRow("de_DE") << germany << 1 << QChar('.') << QChar(',');
    QTest::newRow("sv_SE") << sweden << 2 << QChar('-') << QChar(',');
    QTest::newRow("C stands in with M/d/yyyy") << QLocale::c() << 0 << QChar('/') << QChar('.');
  }
  void systemConventions() {
    QFETCH(QLocale, locale);
    QFETCH(int, order);
    QFETCH(QChar, separator);
    QFETCH(QChar, decimal);
    DefaultLocale scope(locale);
    QCOMPARE(SystemDateOrder(), order);
    QCOMPARE(SystemDateSeparator(), separator);
    QCOMPARE(SystemDecimalSeparator(), decimal);
  }

  void formatSqlDate_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("55 is 1955") << unitedStates << "yyyy-mm-dd"
                                << "'"
                                << "1/1/55"
                                << "'1955-01-01'";
    QTest::newRow("49 is 2049") << unitedStates << "yyyy-mm-dd"
                                << "'"
                                << "1/1/49"
                                << "'2049-01-01'";
    QTest::newRow("four-digit year stays") << unitedStates << "yyyy-mm-dd"
                                           << "'"
                                           << "12/31/2075"
                                           << "'2075-12-31'";
    QTest::newRow("Oracle TO_DATE") << unitedStates << "dd-mmm-yyyy"
                                    << "TO_DATE(';', 'dd-mon-yyyy')"
                                    << "3/1/1999"
                                    << "TO_DATE('01-Mar-1999', 'dd-mon-yyyy')";
    QTest::newRow("# with quoted slashes") << unitedStates << "mm\"/\"dd\"/\"yyyy"
                                           << "#"
                                           << "3/1/1999"
                                           << "#03/01/1999#";
    QTest::newRow("quoted slashes under de_DE") << germany << "mm\"/\"dd\"/\"yyyy"
                                                << "\""
                                                << "01.03.1999"
                                                << "\"03/01/1999\"";
    QTest::newRow("bare slash is the system separator") << germany << "mm/dd/yyyy"
                                                        << "'"
                                                        << "1.3.99"
                                                        << "'03.01.1999'";
    QTest::newRow("year first") << sweden << "dd-mm-yy"
                                << "'"
                                << "1999-03-01"
                                << "'01-03-99'";
  }
  void formatSqlDate() {
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QFETCH(QString, quote);
    QFETCH(QString, text);
    QFETCH(QString, result);
    DefaultLocale scope(locale);
    RecordingMessages rec;
    QCOMPARE(FormatSqlDate(format, quote, text), result);
    QVERIFY(rec.messages.isEmpty());
  }

  void unreadableDateIsShownAndQuoted() {
    DefaultLocale scope(unitedStates);
    RecordingMessages rec;
    QCOMPARE(FormatSqlDate(QStringLiteral("mm/dd/yyyy"), QStringLiteral("#"),
                           QStringLiteral("2/30/1999")),
             QStringLiteral("#2/30/1999#"));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: '2/30/1999' is not a valid date")});
    QCOMPARE(rec.messages.first().kind, TzelMessageKind::Error);
    QCOMPARE(
        FormatSqlDate(QStringLiteral("mm/dd/yyyy"), QStringLiteral("'"), QStringLiteral("today")),
        QStringLiteral("'today'"));
  }

  void applyDateQuote() {
    QCOMPARE(ApplyDateQuote(QStringLiteral("x"), QStringLiteral("#")), QStringLiteral("#x#"));
    QCOMPARE(ApplyDateQuote(QStringLiteral("x"), QStringLiteral("{d ';'}")),
             QStringLiteral("{d 'x'}"));
    QCOMPARE(ApplyDateQuote(QStringLiteral("x"), QStringLiteral("a;b;c")), QStringLiteral("axb;c"));
    QCOMPARE(ApplyDateQuote(QStringLiteral("x"), QString()), QStringLiteral("x"));
  }

  void convertDateOrder_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("result");
    QTest::newRow("month first to day first")
        << germany << "12/31/1999" << QChar('/') << 0 << "31.12.1999";
    QTest::newRow("parts cut to 4") << germany << "12/31/199999" << QChar('/') << 0 << "31.12.1999";
    QTest::newRow("day first to month first")
        << unitedStates << "31.12.1999" << QChar('.') << 1 << "12/31/1999";
    QTest::newRow("year first to day first")
        << germany << "1999-12-31" << QChar('-') << 2 << "31.12.1999";
    QTest::newRow("day first to year first")
        << sweden << "31.12.1999" << QChar('.') << 1 << "1999-12-31";
    QTest::newRow("month first to year first")
        << sweden << "12/31/1999" << QChar('/') << 0 << "1999-12-31";
    QTest::newRow("same order") << unitedStates << "1-2-2000" << QChar('-') << 0 << "1/2/2000";
    QTest::newRow("missing part") << germany << "12/31" << QChar('/') << 0 << "31.12.";
  }
  void convertDateOrder() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(int, order);
    QFETCH(QString, result);
    DefaultLocale scope(locale);
    QCOMPARE(ConvertDateOrder(text, separator, order), result);
  }
};

QTEST_GUILESS_MAIN(TestSqlDates)
#include "tst_sqldates.moc"
