#include "model/displayformat.h"

#include <QtTest>

class TestDisplayFormat : public QObject {
  Q_OBJECT
  const TzelDisplayFormatter us{QLocale(QLocale::English, QLocale::UnitedStates)};
  const TzelDisplayFormatter german{QLocale(QLocale::German, QLocale::Germany)};

private slots:
  void numbers_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("currency") << "$#,#.00" << 1234567.891 << "$1,234,567.89";
    QTest::newRow("currency small") << "$#,#.00" << 5.0 << "$5.00";
    QTest::newRow("currency negative") << "$#,#.00" << -1234.5 << "-$1,234.50";
    QTest::newRow("currency zero") << "$#,#.00" << 0.0 << "$0.00";
    QTest::newRow("float") << "#,#.00" << 0.5 << "0.50";
    QTest::newRow("float rounds") << "#,#.00" << 2.675 << "2.67";
    QTest::newRow("float negative zero") << "#,#.00" << -0.001 << "0.00";
    QTest::newRow("integer") << "#" << 12345.0 << "12345";
    QTest::newRow("integer zero") << "#" << 0.0 << "0";
    QTest::newRow("padded") << "000" << 7.0 << "007";
    QTest::newRow("optional decimals") << "0.0#" << 1.5 << "1.5";
    QTest::newRow("optional decimals kept") << "0.0#" << 1.257 << "1.26";
    QTest::newRow("sections negative") << "#,#.00;(#,#.00)" << -12.0 << "(12.00)";
    QTest::newRow("sections zero") << "#.00;-#.00;'nil'" << 0.0 << "nil";
    QTest::newRow("quoted suffix") << "0.0\" kg\"" << 3.24 << "3.2 kg";
    QTest::newRow("plain") << "" << 2.5 << "2.5";
    QTest::newRow("plain big") << "" << 1234567.0 << "1234567";
  }
  void numbers() {
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(us.number(format, value), text);
  }

  void separatorsComeFromTheLocale() {
    QCOMPARE(german.number(QStringLiteral("$#,#.00"), 1234.5), QStringLiteral("$1.234,50"));
  }

  void booleans() {
    QCOMPARE(us.boolean(QStringLiteral("True;False"), true), QStringLiteral("True"));
    QCOMPARE(us.boolean(QStringLiteral("True;False"), false), QStringLiteral("False"));
    QCOMPARE(us.boolean(QStringLiteral("Yes;No"), false), QStringLiteral("No"));
    QCOMPARE(us.boolean(QString(), true), QStringLiteral("True"));
  }

  void dates_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<bool>("hasTime");
    QTest::addColumn<QString>("text");
    const QDateTime noon(QDate(1999, 3, 1), QTime(14, 5, 9));
    const QDateTime midnight(QDate(1999, 12, 31), QTime(0, 0));
    QTest::newRow("quoted slashes") << "mm\"/\"dd\"/\"yyyy" << noon << true << "03/01/1999";
    QTest::newRow("iso") << "yyyy-mm-dd" << noon << true << "1999-03-01";
    QTest::newRow("month name") << "dd-mmm-yyyy" << noon << true << "01-Mar-1999";
    QTest::newRow("long names") << "dddd, mmmm d, yy" << noon << true << "Monday, March 1, 99";
    QTest::newRow("short date") << "ddddd" << midnight << false << "12/31/1999";
    QTest::newRow("date and time") << "c" << noon << true << "3/1/1999 2:05:09 PM";
    QTest::newRow("c at midnight") << "c" << midnight << true << "12/31/1999";
    QTest::newRow("short time") << "t" << noon << true << "2:05 PM";
    QTest::newRow("minutes after hours") << "hh:mm" << noon << true << "14:05";
    QTest::newRow("am/pm") << "h:nn am/pm" << noon << true << "2:05 pm";
    QTest::newRow("separator") << "m/d/yyyy" << noon << true << "3/1/1999";
  }
  void dates() {
    QFETCH(QString, format);
    QFETCH(QDateTime, value);
    QFETCH(bool, hasTime);
    QFETCH(QString, text);
    QCOMPARE(us.dateTime(format, value, hasTime), text);
  }

  void displayByTag_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("text");
    QTest::newRow("currency") << QVariant(19.9) << "$#,#.00" << int(ftCurrency) << "$19.90";
    QTest::newRow("integer text") << QVariant(QStringLiteral("42")) << "#" << int(ftInteger)
                                  << "42";
    QTest::newRow("boolean") << QVariant(false) << "True;False" << int(ftBoolean) << "False";
    QTest::newRow("iso text date")
        << QVariant(QStringLiteral("1998-01-15")) << "ddddd" << int(ftDate) << "1/15/1998";
    QTest::newRow("date value") << QVariant(QDate(1998, 1, 15)) << "mm\"/\"dd\"/\"yyyy"
                                << int(ftDate) << "01/15/1998";
    QTest::newRow("unparsable date")
        << QVariant(QStringLiteral("soon")) << "ddddd" << int(ftDate) << "soon";
    QTest::newRow("string") << QVariant(QStringLiteral("Acme")) << "" << int(ftString) << "Acme";
    QTest::newRow("null") << QVariant() << "$#,#.00" << int(ftCurrency) << "";
  }
  void displayByTag() {
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(int, tag);
    QFETCH(QString, text);
    QCOMPARE(us.display(value, format, TFieldType(tag)), text);
  }
};

QTEST_APPLESS_MAIN(TestDisplayFormat)
#include "tst_displayformat.moc"
