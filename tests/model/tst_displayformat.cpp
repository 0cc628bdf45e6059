// SPDX-License-Identifier: MIT
#include "model/displayformat.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using Parts = TzelDisplayFormatter::Parts;

class TestDisplayFormat : public QObject {
  Q_OBJECT
  const QLocale unitedStates{QLocale::English, QLocale::UnitedStates};
  const TzelDisplayFormatter us{unitedStates};
  const TzelDisplayFormatter german{QLocale(QLocale::German, QLocale::Germany)};
  const TzelDisplayFormatter finnish{QLocale(QLocale::Finnish, QLocale::Finland)};

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
    QTest::newRow("grouped negative") << "#,##0.00" << -1234567.891 << "-1,234,567.89";
    QTest::newRow("grouped large") << "#,#" << 1e15 << "1,000,000,000,000,000";
    QTest::newRow("integer") << "#" << 12345.0 << "12345";
    QTest::newRow("integer zero") << "#" << 0.0 << "0";
    QTest::newRow("padded") << "000" << 7.0 << "007";
    QTest::newRow("optional decimals") << "0.0#" << 1.5 << "1.5";
    QTest::newRow("optional decimals kept") << "0.0#" << 1.257 << "1.26";
    QTest::newRow("sections negative") << "#,#.00;(#,#.00)" << -12.0 << "(12.00)";
    QTest::newRow("sections zero") << "#.00;-#.00;'nil'" << 0.0 << "nil";
    QTest::newRow("quoted suffix") << "0.0\" kg\"" << 3.24 << "3.2 kg";
    QTest::newRow("point after the number is text") << "#,##0.00 Stk." << 1234.5 << "1,234.50 Stk.";
    QTest::newRow("literal only") << "'n/a'" << 5.0 << "n/a";
    QTest::newRow("plain") << "" << 2.5 << "2.5";
    QTest::newRow("plain big") << "" << 1234567.0 << "1234567";
    QTest::newRow("plain hides binary noise") << "" << 0.1 + 0.2 << "0.3";
  }
  void numbers() {
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(us.number(format, value), text);
  }

  void separatorsComeFromTheLocale() {
    QCOMPARE(german.number(QStringLiteral("$#,#.00"), 1234.5), QStringLiteral("$1.234,50"));
    QCOMPARE(german.number(QString(), 2.5), QStringLiteral("2,5"));
    const QDateTime noon(QDate(1999, 3, 1), QTime(14, 5, 9));
    QCOMPARE(german.dateTime(QStringLiteral("m/d/yyyy"), noon), QStringLiteral("3.1.1999"));
    QCOMPARE(german.dateTime(QStringLiteral("ddddd"), noon), QStringLiteral("01.03.1999"));
    // ':' is copied, as it is in SQL date literals: a pattern's own separator stays.
    QCOMPARE(finnish.dateTime(QStringLiteral("hh:nn"), noon), QStringLiteral("14:05"));
  }

  void booleans() {
    QCOMPARE(us.boolean(QStringLiteral("True;False"), true), QStringLiteral("True"));
    QCOMPARE(us.boolean(QStringLiteral("True;False"), false), QStringLiteral("False"));
    QCOMPARE(us.boolean(QStringLiteral("Yes;No"), false), QStringLiteral("No"));
    QCOMPARE(us.boolean(QString(), true), QStringLiteral("True"));
    QCOMPARE(us.boolean(QString(), false), QStringLiteral("False"));
  }

  void dates_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<int>("parts");
    QTest::addColumn<QString>("text");
    const QDateTime noon(QDate(1999, 3, 1), QTime(14, 5, 9));
    const QDateTime midnight(QDate(1999, 12, 31), QTime(0, 0));
    const QDateTime afterMidnight(QDate(1999, 12, 31), QTime(0, 5));
    const int date = int(Parts::Date), both = int(Parts::DateAndTime);
    QTest::newRow("quoted slashes") << "mm\"/\"dd\"/\"yyyy" << noon << both << "03/01/1999";
    QTest::newRow("iso") << "yyyy-mm-dd" << noon << both << "1999-03-01";
    QTest::newRow("month name") << "dd-mmm-yyyy" << noon << both << "01-Mar-1999";
    QTest::newRow("long names") << "dddd, mmmm d, yy" << noon << both << "Monday, March 1, 99";
    QTest::newRow("short date") << "ddddd" << midnight << date << "12/31/1999";
    QTest::newRow("date and time") << "c" << noon << both << "3/1/1999 2:05:09 PM";
    QTest::newRow("c at midnight") << "c" << midnight << both << "12/31/1999";
    QTest::newRow("c of a date") << "c" << noon << date << "3/1/1999";
    QTest::newRow("short time") << "t" << noon << both << "2:05 PM";
    QTest::newRow("minutes after hours") << "hh:mm" << noon << both << "14:05";
    QTest::newRow("am/pm") << "h:nn am/pm" << noon << both << "2:05 pm";
    QTest::newRow("am/pm after midnight") << "h:nn am/pm" << afterMidnight << both << "12:05 am";
    QTest::newRow("separator") << "m/d/yyyy" << noon << both << "3/1/1999";
    QTest::newRow("empty") << "" << noon << both << "";
  }
  void dates() {
    QFETCH(QString, format);
    QFETCH(QDateTime, value);
    QFETCH(int, parts);
    QFETCH(QString, text);
    QCOMPARE(us.dateTime(format, value, Parts(parts)), text);
  }

  // The patterns of SQL date formats (TODAY and FormatSqlDate write dates through them).
  void patterns_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("result");
    // Friday, 5 March 1999, 14:07:09.042 under en_US.
    QTest::newRow("d m yy") << "d/m/yy"
                            << "5/3/99";
    QTest::newRow("names") << "ddd dddd mmm mmmm"
                           << "Fri Friday Mar March";
    QTest::newRow("ddddd") << "ddddd"
                           << "3/5/1999";
    QTest::newRow("dddddd") << "dddddd"
                            << "Friday, March 5, 1999";
    QTest::newRow("time") << "hh:mm:ss.zzz"
                          << "14:07:09.042";
    QTest::newRow("n for minutes") << "h:n:s"
                                   << "14:7:9";
    QTest::newRow("minutes after another separator") << "hh.mm"
                                                     << "14.07";
    QTest::newRow("minutes after a quoted hour mark") << "hh'h'mm"
                                                      << "14h07";
    QTest::newRow("a month name after the hour") << "h mmm"
                                                 << "14 Mar";
    QTest::newRow("a letter ends the hour") << "hxm"
                                            << "14x3";
    QTest::newRow("am/pm") << "h:nn am/pm"
                           << "2:07 pm";
    QTest::newRow("AM/PM") << "hh AM/PM"
                           << "02 PM";
    QTest::newRow("Am/Pm keeps its case") << "h Am/Pm"
                                          << "2 Pm";
    QTest::newRow("a/p") << "h a/p"
                         << "2 p";
    QTest::newRow("ampm") << "h ampm"
                          << "2 PM";
    QTest::newRow("literals") << "yyyy'y'\"m\""
                              << "1999ym";
    QTest::newRow("c") << "c"
                       << "3/5/1999 2:07:09 PM";
    QTest::newRow("t") << "t"
                       << "2:07 PM";
    QTest::newRow("tt") << "tt"
                        << "2:07:09 PM";
  }
  void patterns() {
    QFETCH(QString, pattern);
    QFETCH(QString, result);
    const QDateTime moment(QDate(1999, 3, 5), QTime(14, 7, 9, 42));
    QCOMPARE(us.dateTime(pattern, moment), result);
  }

  void dateAndTimeAlone() {
    QCOMPARE(us.date(QStringLiteral("yyyy-mm-dd hh:nn"), QDate(1999, 3, 5)),
             QStringLiteral("1999-03-05 00:00"));
    QCOMPARE(us.date(QStringLiteral("c"), QDate(1999, 3, 5)), QStringLiteral("3/5/1999"));
    QCOMPARE(us.time(QStringLiteral("c"), QTime(0, 0)), QStringLiteral("12:00:00 AM"));
    QCOMPARE(us.date(QStringLiteral("ddddd"), QDate()), QString());
  }

  // The C locale has no numeric short date: month-day-year with '/' stands in.
  void cLocaleStandIn() {
    QCOMPARE(TzelDisplayFormatter::shortDateFormat(QLocale::c()), QStringLiteral("M/d/yyyy"));
    const TzelDisplayFormatter c{QLocale::c()};
    QCOMPARE(c.date(QStringLiteral("ddddd"), QDate(1999, 3, 5)), QStringLiteral("3/5/1999"));
    QCOMPARE(c.date(QStringLiteral("c"), QDate(1999, 3, 5)), QStringLiteral("3/5/1999"));
    QCOMPARE(c.date(QStringLiteral("dd/mm/yyyy"), QDate(1999, 3, 5)), QStringLiteral("05/03/1999"));
  }

  // The short date ("ddddd", "c") writes four-digit years under every locale: exports and
  // prints must not leave a reader guessing the century.
  void shortDateHasFourDigitYears_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("en_US") << u"en_US"_s << u"M/d/yyyy"_s << u"3/26/1998"_s;
    QTest::newRow("de_DE") << u"de_DE"_s << u"dd.MM.yyyy"_s << u"26.03.1998"_s;
    QTest::newRow("en_GB") << u"en_GB"_s << u"dd/MM/yyyy"_s << u"26/03/1998"_s;
  }
  void shortDateHasFourDigitYears() {
    QFETCH(QString, locale);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(TzelDisplayFormatter::shortDateFormat(QLocale(locale)), pattern);
    const TzelDisplayFormatter formatter{QLocale(locale)};
    QCOMPARE(formatter.date(u"ddddd"_s, QDate(1998, 3, 26)), text);
    QCOMPARE(formatter.dateTime(u"c"_s, QDateTime(QDate(1998, 3, 26), QTime(0, 0))), text);
  }
  void noLocaleWritesTwoDigitYears() {
    for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
      const QString text = TzelDisplayFormatter(locale).date(u"ddddd"_s, QDate(1998, 3, 26));
      QVERIFY2(text.contains(locale.toString(1998).remove(locale.groupSeparator())) ||
                   text.contains(u"1998"_s),
               qPrintable(locale.name() + u": "_s + text));
    }
  }

  void dateSeparators_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("slash") << "M/d/yy" << QChar('/');
    QTest::newRow("dot") << "dd.MM.yy" << QChar('.');
    QTest::newRow("dash") << "yyyy-MM-dd" << QChar('-');
    QTest::newRow("quoted text skipped") << "'Le'd.M" << QChar('.');
    QTest::newRow("space first") << "d MMM yyyy" << QChar('/');
    QTest::newRow("none") << "dMy" << QChar('/');
  }
  void dateSeparators() {
    QFETCH(QString, pattern);
    QFETCH(QChar, separator);
    QCOMPARE(TzelDisplayFormatter::dateSeparator(pattern), separator);
  }

  // No time-zone name, nor the brackets or comma around it, in the long time of any locale.
  void longTimeHasNoZone() {
    const QTime time(14, 7, 9);
    for (const QLocale &locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
      const QString text = TzelDisplayFormatter(locale).time(QStringLiteral("tt"), time);
      QVERIFY2(!text.contains(QLatin1String("()")) && !text.contains(QLatin1String("[]")) &&
                   !text.endsWith(u',') && !text.contains(QLatin1String("UTC")),
               qPrintable(locale.name() + QStringLiteral(": ") + text));
    }
  }

  void displayByType_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    const QTime clock(14, 5, 9);
    QTest::newRow("currency") << QVariant(19.9) << "$#,#.00" << int(ftCurrency) << "$19.90";
    QTest::newRow("currency without format")
        << QVariant(1234.5) << "" << int(ftCurrency) << "1,234.50";
    QTest::newRow("float without format") << QVariant(0.1 + 0.2) << "" << int(ftFloat) << "0.3";
    QTest::newRow("integer text") << QVariant(QStringLiteral("42")) << "#" << int(ftInteger)
                                  << "42";
    QTest::newRow("integer grouped") << QVariant(1234567) << "#,#" << int(ftInteger) << "1,234,567";
    QTest::newRow("integer without format, exact")
        << QVariant(qlonglong(12345678901234567)) << "" << int(ftInteger) << "12345678901234567";
    QTest::newRow("number that is no number")
        << QVariant(QStringLiteral("n/a")) << "#,#.00" << int(ftFloat) << "n/a";
    QTest::newRow("boolean") << QVariant(false) << "True;False" << int(ftBoolean) << "False";
    QTest::newRow("boolean without values") << QVariant(true) << "" << int(ftBoolean) << "True";
    QTest::newRow("iso text date")
        << QVariant(QStringLiteral("1998-01-15")) << "ddddd" << int(ftDate) << "1/15/1998";
    QTest::newRow("date value") << QVariant(QDate(1998, 1, 15)) << "mm\"/\"dd\"/\"yyyy"
                                << int(ftDate) << "01/15/1998";
    QTest::newRow("date without format")
        << QVariant(QDate(1998, 1, 15)) << "" << int(ftDate) << "1/15/1998";
    QTest::newRow("unparsable date")
        << QVariant(QStringLiteral("soon")) << "ddddd" << int(ftDate) << "soon";
    QTest::newRow("time with c shows no date")
        << QVariant(clock) << "c" << int(ftTime) << "2:05:09 PM";
    QTest::newRow("time without format") << QVariant(clock) << "" << int(ftTime) << "2:05:09 PM";
    QTest::newRow("iso text time")
        << QVariant(QStringLiteral("14:05:09")) << "hh:nn" << int(ftTime) << "14:05";
    QTest::newRow("date-time without format") << QVariant(QDateTime(QDate(1999, 3, 1), clock)) << ""
                                              << int(ftDateTime) << "3/1/1999 2:05:09 PM";
    QTest::newRow("iso text date-time with zone")
        << QVariant(QStringLiteral("1999-03-01T14:05:09Z")) << "c" << int(ftDateTime)
        << "3/1/1999 2:05:09 PM";
    QTest::newRow("string") << QVariant(QStringLiteral("Acme")) << "" << int(ftString) << "Acme";
    QTest::newRow("memo") << QVariant(QStringLiteral("two\nlines")) << "" << int(ftMemo)
                          << "two\nlines";
    QTest::newRow("blob") << QVariant(QByteArray("\x01\x02")) << "" << int(ftBlob) << "(BLOB)";
    QTest::newRow("null") << QVariant() << "$#,#.00" << int(ftCurrency) << "";
    QTest::newRow("typed null") << QVariant(QMetaType::fromType<QDate>()) << "ddddd" << int(ftDate)
                                << "";
  }
  void displayByType() {
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(us.display(value, format, TFieldType(type)), text);
  }
};

QTEST_APPLESS_MAIN(TestDisplayFormat)
#include "tst_displayformat.moc"
