// SPDX-License-Identifier: MIT
// A date-time display pattern read once gives the same text (and UTF-8 bytes) as the display
// formatter reading it for every value, under every locale Qt knows; ISO texts read as the
// record readers read them.
#include "database/zeldatepattern.h"
#include "database/zelrecordstream.h"
#include "model/displayformat.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstDatePattern : public QObject {
  Q_OBJECT

private slots:
  void sameTextAsTheFormatter_data();
  void sameTextAsTheFormatter();
  void isoTexts_data();
  void isoTexts();
};

namespace {

QList<QLocale> everyLocale() {
  QList<QLocale> locales =
      QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
  locales.prepend(QLocale::c());
  return locales;
}

QList<QVariant> valuesOf(TFieldType type) {
  const QDate dates[] = {{1999, 3, 1}, {2001, 12, 31}, {987, 7, 4}, {2024, 2, 29}, {1, 1, 1}};
  const QTime times[] = {{0, 0},   {0, 0, 0, 1},      {9, 5, 3, 7},
                         {12, 30}, {13, 45, 59, 999}, {23, 59, 59, 500},
                         {12, 0},  {0, 59, 1}};
  QList<QVariant> values;
  for (const QDate &d : dates) {
    if (type == ftDate)
      values << QVariant(d);
    for (const QTime &t : times)
      if (type == ftDateTime)
        values << QVariant(QDateTime(d, t, Qt::UTC));
  }
  for (const QTime &t : times)
    if (type == ftTime)
      values << QVariant(t);
  return values;
}

} // namespace

void TstDatePattern::sameTextAsTheFormatter_data() {
  QTest::addColumn<QString>("pattern");
  QTest::addColumn<int>("type");
  const struct {
    const char *pattern;
    TFieldType type;
  } rows[] = {
      {"", ftDate},
      {"", ftTime},
      {"", ftDateTime},
      {"ddddd", ftDateTime},
      {"dddddd", ftDate},
      {"c", ftDate},
      {"c", ftTime},
      {"t", ftTime},
      {"tt", ftDateTime},
      {"mm/dd/yyyy", ftDate},
      {"d/m/yy", ftDate},
      {"ddd dddd mmm mmmm", ftDate},
      {"DD.MM.YYYY hh:nn:ss.zzz", ftDateTime},
      {"hh:mm", ftTime},
      {"h:m:s z", ftTime},
      {"h:mm am/pm", ftTime},
      {"hh a/p", ftTime},
      {"H:MM AMPM", ftDateTime},
      {"\"on\" dddd', at' t", ftDateTime},
      {"yyy-mmmmm ddddddd", ftDate},
      {"dddddd c", ftDateTime},
  };
  for (const auto &row : rows)
    QTest::newRow(qPrintable(u"%1 (%2)"_s.arg(QLatin1String(row.pattern)).arg(int(row.type))))
        << QString::fromLatin1(row.pattern) << int(row.type);
}

void TstDatePattern::sameTextAsTheFormatter() {
  QFETCH(QString, pattern);
  QFETCH(int, type);
  const auto t = TFieldType(type);
  const QList<QVariant> values = valuesOf(t);
  int usable = 0;
  for (const QLocale &locale : everyLocale()) {
    const TzelDisplayFormatter formatter(locale);
    const TzelDatePattern compiled(pattern, t, locale);
    if (!compiled.usable())
      continue;
    ++usable;
    for (const QVariant &v : values) {
      const std::optional<QString> text = compiled.text(v);
      QVERIFY2(text, qPrintable(locale.name()));
      QCOMPARE(*text + u" "_s + locale.name(),
               formatter.display(v, pattern, t) + u" "_s + locale.name());
    }
  }
  QVERIFY(TzelDatePattern(pattern, t, QLocale(u"en_US"_s)).usable());
  QVERIFY(TzelDatePattern(pattern, t, QLocale(u"de_DE"_s)).usable());
  QVERIFY2(usable > 500, qPrintable(QString::number(usable)));
}

// Each text read as the cursors read it: the same moment, or left to them.
void TstDatePattern::isoTexts_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<int>("type");
  QTest::addColumn<bool>("read");
  QTest::newRow("date") << QByteArray("1999-03-01") << int(ftDate) << true;
  QTest::newRow("date year 1") << QByteArray("0001-01-01") << int(ftDate) << true;
  QTest::newRow("date year 0") << QByteArray("0000-01-01") << int(ftDate) << false;
  QTest::newRow("date 30 February") << QByteArray("1999-02-30") << int(ftDate) << false;
  QTest::newRow("date with a time") << QByteArray("1999-03-01 10:00") << int(ftDate) << false;
  QTest::newRow("date signed") << QByteArray("1999-+3-01") << int(ftDate) << false;
  QTest::newRow("date short") << QByteArray("1999-3-1") << int(ftDate) << false;
  QTest::newRow("time") << QByteArray("13:45:07") << int(ftTime) << true;
  QTest::newRow("time .5") << QByteArray("13:45:07.5") << int(ftTime) << true;
  QTest::newRow("time .25") << QByteArray("13:45:07.25") << int(ftTime) << true;
  QTest::newRow("time .123") << QByteArray("13:45:07.123") << int(ftTime) << true;
  QTest::newRow("time .1234") << QByteArray("13:45:07.1234") << int(ftTime) << false;
  QTest::newRow("time no seconds") << QByteArray("13:45") << int(ftTime) << false;
  QTest::newRow("time 24:00") << QByteArray("24:00:00") << int(ftTime) << false;
  QTest::newRow("date-time T") << QByteArray("1999-03-01T13:45:07") << int(ftDateTime) << true;
  QTest::newRow("date-time space .5")
      << QByteArray("1999-03-01 13:45:07.5") << int(ftDateTime) << true;
  QTest::newRow("date-time zone") << QByteArray("1999-03-01 13:45:07+02") << int(ftDateTime)
                                  << false;
  QTest::newRow("date-time date only") << QByteArray("1999-03-01") << int(ftDateTime) << false;
}

void TstDatePattern::isoTexts() {
  QFETCH(QByteArray, text);
  QFETCH(int, type);
  QFETCH(bool, read);
  TzelMoment moment;
  QCOMPARE(TzelDatePattern::readIso(text, TFieldType(type), moment), read);
  if (!read)
    return;
  const QDate date(moment.year, moment.month, moment.day);
  const QTime time(moment.hour, moment.minute, moment.second, moment.msec);
  const QVariant typed =
      zelTypedValue(QString::fromLatin1(text), TzelFieldDef{u"V"_s, TFieldType(type), 0});
  if (type == ftDate)
    QCOMPARE(date, typed.toDate());
  else if (type == ftTime)
    QCOMPARE(time, typed.toTime());
  else
    QCOMPARE(QDateTime(date, time), typed.toDateTime());
}

QTEST_APPLESS_MAIN(TstDatePattern)
#include "tst_datepattern.moc"
