// SPDX-License-Identifier: MIT
#include "model/vocabulary.h"

#include <QtTest>

class TestVocabulary : public QObject {
  Q_OBJECT
private slots:
  void showTexts() {
    const QStringList expected{"Show",         "Group",         "Sum",          "Count",
                               "Min",          "Max",           "Average",      "Hide",
                               "Group (Hide)", "Sum (Hide)",    "Count (Hide)", "Min (Hide)",
                               "Max (Hide)",   "Average (Hide)"};
    for (int i = 0; i < expected.size(); ++i)
      QCOMPARE(ShowDisplayText(TzelShow(i)), expected.at(i));
    QCOMPARE(ShowDisplayText(TzelShow(14)), QString());
  }

  void otherDisplayTexts() {
    QCOMPARE(SortDisplayText(zelSortNone, true), QStringLiteral("Unsorted"));
    QCOMPARE(SortDisplayText(zelSortNone, false), QString());
    QCOMPARE(SortDisplayText(zelSortAscending, false), QStringLiteral("Ascending"));
    QCOMPARE(SortDisplayText(zelSortDescending, true), QStringLiteral("Descending"));
    QCOMPARE(BooleanDisplayText(false), QStringLiteral("False"));
    QCOMPARE(BooleanDisplayText(true), QStringLiteral("True"));
    QCOMPARE(AlignmentDisplayText(taLeftJustify), QStringLiteral("Left"));
    QCOMPARE(AlignmentDisplayText(taRightJustify), QStringLiteral("Right"));
    QCOMPARE(AlignmentDisplayText(taCenter), QStringLiteral("Center"));
  }

  void fieldTypeNames() {
    QStringList names{QStringLiteral("old")};
    FieldTypeNames(names);
    QCOMPARE(names.size(), 23);
    QCOMPARE(names.first(), QStringLiteral("Unknown"));
    QCOMPARE(names.mid(1, 2), QStringList({"String", "Smallint"}));
    QCOMPARE(names.at(ftFmtMemo), QStringLiteral("FmtMemo"));
    QCOMPARE(names.last(), QStringLiteral("Cursor"));
  }

  void aggregatePrefix_data() {
    QTest::addColumn<int>("show");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("withHidden");
    const QStringList aggregates{"SUM(", "COUNT(", "MIN(", "MAX(", "AVG("};
    for (int i = 0; i < 14; ++i) {
      const int k = i % 7;
      const QString text = k >= 2 ? aggregates.at(k - 2) : QString();
      QTest::newRow(qPrintable(enumName(TzelShow(i)))) << i << (i < 7 ? text : QString()) << text;
    }
  }
  void aggregatePrefix() {
    QFETCH(int, show);
    QFETCH(QString, shown);
    QFETCH(QString, withHidden);
    QCOMPARE(AggregatePrefix(TzelShow(show), false), shown);
    QCOMPARE(AggregatePrefix(TzelShow(show), true), withHidden);
  }

  void sqlFragments() {
    const QStringList joinOpers{" = ", " > ", " >= ", " < ", " <= ", " <> "};
    for (int i = 0; i < joinOpers.size(); ++i)
      QCOMPARE(JoinOperatorSql(TzelJoinOper(i)), joinOpers.at(i));
    QCOMPARE(JoinTypeSql(zelJoinInner), QStringLiteral("INNER JOIN "));
    QCOMPARE(JoinTypeSql(zelJoinLeft), QStringLiteral("LEFT OUTER JOIN "));
    QCOMPARE(JoinTypeSql(zelJoinRight), QStringLiteral("RIGHT OUTER JOIN "));
    const QStringList filterOpers{"=",  "BETWEEN", ">",  ">=",          "<",
                                  "<=", "LIKE",    "<>", "NOT BETWEEN", "NOT LIKE"};
    for (int i = 0; i < filterOpers.size(); ++i)
      QCOMPARE(FilterOperatorSql(TzelFilterOper(i)), filterOpers.at(i));
  }

  void fieldTypeClasses() {
    const QList<TFieldType> numeric{ftSmallint, ftInteger, ftWord,   ftFloat,
                                    ftCurrency, ftBCD,     ftAutoInc};
    const QList<TFieldType> text{ftUnknown, ftString,   ftBoolean, ftDate,
                                 ftTime,    ftDateTime, ftMemo,    ftFmtMemo};
    for (int i = ftUnknown; i <= ftCursor; ++i) {
      const auto type = TFieldType(i);
      QCOMPARE(IsNumericFieldType(type), numeric.contains(type));
      QCOMPARE(IsTextFieldType(type), text.contains(type));
    }
  }

  void smallHelpers() {
    QCOMPARE(RepeatChar(QLatin1Char('-'), 3), QStringLiteral("---"));
    QCOMPARE(RepeatChar(QLatin1Char('-'), 0), QString());
    QCOMPARE(RepeatChar(QLatin1Char('-'), -2), QString());
    // left, bottom, right, top; all bounds inclusive.
    QVERIFY(PointInRect(10, 20, 10, 20, 30, 5));
    QVERIFY(PointInRect(30, 5, 10, 20, 30, 5));
    QVERIFY(!PointInRect(9, 10, 10, 20, 30, 5));
    QVERIFY(!PointInRect(15, 21, 10, 20, 30, 5));
    QVERIFY(!PointInRect(15, 4, 10, 20, 30, 5));
  }
};

QTEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
