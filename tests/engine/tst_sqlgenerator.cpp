// SPDX-License-Identifier: MIT
// SQL generation: the worked examples, validation messages, dialects, join methods,
// conditions and the escaping of typed values.

#include "engine/sqlgenerator.h"
#include "engine/zelparams.h"
#include "engine/zelsync.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"
#include "tst_sqlgenerator_fixture.h"

#include <QLocale>
#include <QTest>
#include <functional>

namespace {

// Answers the parameter dialog from a script and remembers what it was shown.
class ScriptedParams : public ScriptedPrompts {
public:
  bool askParams(QStringList &nameValues, TzelModel *) override {
    shown.append(nameValues);
    if (!ok)
      return false;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
      SetParamValue(nameValues, it.key(), it.value());
    return true;
  }
  QList<QStringList> shown;
  QMap<QString, QString> answers;
  bool ok = true;
};

// Makes a prompts object the application's for one test and restores the previous one.
template <typename Prompt> class Installed {
public:
  Installed() : previous(zelSetQueryPrompts(&prompt)) {}
  ~Installed() { zelSetQueryPrompts(previous); }
  Prompt *operator->() { return &prompt; }
  Prompt prompt;

private:
  TzelQueryPrompts *previous;
};

class CountingHost : public TzelGenerationHost {
public:
  bool displayParams() const override { return display; }
  void beforeParams() override { events << QStringLiteral("beforeParams"); }
  void afterParams() override { events << QStringLiteral("afterParams"); }
  void beforeQuery() override { events << QStringLiteral("beforeQuery"); }
  void afterQuery() override { events << QStringLiteral("afterQuery"); }
  bool display = true;
  QStringList events;
};

// One query over the parts model, generated in one call.
struct Run {
  explicit Run(TzelDatabase type = zelParadox, bool fileNames = true)
      : model(makePartsModel(type, fileNames)), holder(model.get()), query(*holder.query) {}
  bool generate() {
    sql.clear();
    TzelSqlGenerator generator(query, *model);
    generator.SetToday(QDate(2026, 12, 8));
    return generator.GenerateSQL(sql, params, host);
  }
  QString text() const { return sql.join(QLatin1Char('\n')); }
  TzelQueryValue *manualValue(const QString &alias, const QString &table, const QString &expr) {
    auto *value = new TzelQueryValue;
    value->SetValueAlias(alias);
    value->SetTableAlias(table);
    value->SetExpression(expr);
    value->SetPosition(query.ValueCount());
    query.AttachValue(value);
    return value;
  }
  ScriptedPromptsScope prompts; // nobody chooses stale aliases; parameter defaults stand
  std::unique_ptr<PrefixModel> model;
  QueryHolder holder;
  TzelQuery &query;
  CountingHost host;
  QStringList sql;
  QStringList params;
};

using Setup = std::function<void(Run &)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TstSqlGenerator : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void workedExample1() {
    RecordingMessages rec;
    Run run(zelParadox, true);
    fillExample1(run.query);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), example1Sql);
    QCOMPARE(run.host.events, QStringList({"beforeQuery", "afterQuery"})); // no parameters
    QVERIFY(rec.messages.isEmpty());
  }

  void workedExample2() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    setExample2Dialect(*run.model);
    fillExample2(run.query);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), example2Sql);
    QVERIFY(rec.messages.isEmpty());
  }

  void joinMethods_data() {
    QTest::addColumn<int>("database");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("expected");
    const QString select = QStringLiteral("  SELECT Parts.PT_DES AS PartDesc\n");
    QTest::newRow("access from (worked example 3)")
        << int(zelAccess) << int(zelJoinFrom) << select + example3From;
    QTest::newRow("access mixed") << int(zelAccess) << int(zelJoinMixed)
                                  << select + QStringLiteral(
                                                  "    FROM ((PARTS AS Parts\n"
                                                  "         INNER JOIN VENDORS AS Vendors)\n"
                                                  "         LEFT OUTER JOIN ITEMS AS Items)\n"
                                                  "         INNER JOIN ORDERS AS Orders\n"
                                                  "   WHERE (Parts.VND_NO = Vendors.VND_NO\n"
                                                  "     AND Parts.PT_ITM_NO = Items.PT_ITM_NO\n"
                                                  "     AND Parts.VND_NO = Items.VND_NO\n"
                                                  "     AND Items.ORD_NO = Orders.ORD_NO)");
    QTest::newRow("access where") << int(zelAccess) << int(zelJoinWhere)
                                  << select + QStringLiteral(
                                                  "    FROM PARTS AS Parts,\n"
                                                  "         VENDORS AS Vendors,\n"
                                                  "         ITEMS AS Items,\n"
                                                  "         ORDERS AS Orders\n"
                                                  "   WHERE (Parts.VND_NO = Vendors.VND_NO\n"
                                                  "     AND Parts.PT_ITM_NO = Items.PT_ITM_NO\n"
                                                  "     AND Parts.VND_NO = Items.VND_NO\n"
                                                  "     AND Items.ORD_NO = Orders.ORD_NO)");
    // Engines that take no nesting parentheses in a joined FROM.
    for (TzelDatabase type : {zelApollo, zelDBISAM, zelXQuery}) {
      const QString sep = type == zelApollo ? QStringLiteral(" AS ") : QStringLiteral(" ");
      QString from = example3From;
      from.replace(QStringLiteral("((PARTS"), QStringLiteral("PARTS"))
          .replace(QStringLiteral("VND_NO)"), QStringLiteral("VND_NO"))
          .replace(QStringLiteral(" AS "), sep);
      const QString sel =
          QStringLiteral("  SELECT Parts.PT_DES") + sep + QStringLiteral("PartDesc\n");
      QTest::newRow(qPrintable(enumName(type))) << int(type) << int(zelJoinFrom) << sel + from;
    }
  }
  void joinMethods() {
    QFETCH(int, database);
    QFETCH(int, method);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(TzelDatabase(database), false);
    run.model->SetJoinMethod(TzelJoinMethod(method));
    fillExample3(run.query);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), expected);
  }

  void validation_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("message");
    const QString parts = QStringLiteral("Parts"), vendors = QStringLiteral("Vendors");
    const QString note =
        QStringLiteral("\r\rAggregate values include Sum, Min, Max, Count and Average.");
    QTest::newRow("empty query") << Setup([](Run &) {})
                                 << "Error: The query must show one or more values";
    QTest::newRow("tables but no values") << Setup([=](Run &r) { addTables(r.query, {parts}); })
                                          << "Error: The query must show one or more values";
    QTest::newRow("group without aggregate") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("PartDesc"), {}, zelShowGroup);
    }) << "Error: The Show property of [Group] must be used with an aggregate value." + note;
    QTest::newRow("group by select") << Setup([=](Run &r) {
      r.model->SetGroupBySelect(true);
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("PartDesc"), {}, zelShowGroup);
      addValue(r.query, parts, QStringLiteral("OnHand"), {}, zelShowSum);
      addValue(r.query, parts, QStringLiteral("PartNo"));
    })
                                     << "Error: The Show property must be set to [Group] or [Hide] "
                                        "for all non-aggregate values." +
                                            note;
    QTest::newRow("values without tables")
        << Setup([](Run &r) { r.manualValue(QStringLiteral("Two"), {}, QStringLiteral("1 + 1")); })
        << "Error: The query must include one or more tables";
    QTest::newRow("not joined") << Setup([=](Run &r) {
      addTables(r.query, {parts, vendors});
      addValue(r.query, parts, QStringLiteral("PartDesc"));
    }) << "Error: The [Parts] table is not joined";
    QTest::newRow("join to a missing table") << Setup([=](Run &r) {
      fillExample1(r.query);
      addJoin(r.query, parts, zelJoinInner, QStringLiteral("Ghost"),
              {{QStringLiteral("PartNo"), QStringLiteral("PartNo")}});
    }) << "Error: Table Alias [Ghost] does not exist";
    QTest::newRow("unbalanced expression") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      r.manualValue(QStringLiteral("Worth"), {}, QStringLiteral("(Parts.Cost * 2"));
    }) << "Error: Insufficient closing parenthesis";
    QTest::newRow("unbalanced brackets") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      r.manualValue(QStringLiteral("Worth"), {}, QStringLiteral("[Parts.Cost"));
    }) << "Error: Insufficient closing brackets";
    QTest::newRow("expression of tabs") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("PartDesc"));
      r.manualValue(QStringLiteral("Custom"), {}, QStringLiteral("\t\t"));
    }) << "Error: The [Custom] value has a blank Expression";
    QTest::newRow("hidden expression of spaces") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("PartDesc"));
      r.manualValue(QStringLiteral("Sorter"), {}, QStringLiteral("   "))->SetShow(zelHide);
    }) << "Error: The [Sorter] value has a blank Expression";
    QTest::newRow("unknown field in an expression") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      r.manualValue(QStringLiteral("Worth"), {}, QStringLiteral("Parts.Price * 2"));
    }) << "Error: Field Alias [Price] does not exist";
    QTest::newRow("value of a table not in the query") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      r.manualValue(QStringLiteral("Name"), QStringLiteral("Ghost"), QStringLiteral("Name"));
    }) << "Error: Table Alias [Ghost] does not exist";
    QTest::newRow("unknown join field") << Setup([=](Run &r) {
      addTables(r.query, {parts, vendors});
      addJoin(r.query, parts, zelJoinInner, vendors,
              {{QStringLiteral("VendorNo"), QStringLiteral("Nope")}});
      addValue(r.query, parts, QStringLiteral("PartDesc"));
    }) << "Error: Field Alias [Nope] does not exist";
    QTest::newRow("between with one item") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("PartDesc"))
          ->SetFilter(1, zelFilterBetween, QStringLiteral("A|"));
    }) << "Error: The Between filter of [PartDesc] must have exactly two values";
    QTest::newRow("not between with three items") << Setup([=](Run &r) {
      addTables(r.query, {parts});
      addValue(r.query, parts, QStringLiteral("OnHand"))
          ->SetFilter(2, zelFilterNotBetween, QStringLiteral("1|5|9|"));
    }) << "Error: The Between filter of [OnHand] must have exactly two values";
    QTest::newRow("stale table, nobody to choose") << Setup([=](Run &r) {
      fillExample1(r.query);
      r.query.GetTable(1)->SetTableName(QStringLiteral("Suppliers"));
    }) << "Error: The new name for [Suppliers] has not been assigned";
    QTest::newRow("stale field, nobody to choose") << Setup([=](Run &r) {
      fillExample1(r.query);
      r.query.GetValue(1)->SetExpression(QStringLiteral("Description"));
    }) << "Error: The new name for [Parts.Description] has not been assigned";
  }
  void validation() {
    QFETCH(Setup, setup);
    QFETCH(QString, message);
    RecordingMessages rec;
    Run run;
    setup(run);
    run.sql = QStringList{QStringLiteral("left over")};
    QVERIFY(!run.generate());
    QCOMPARE(rec.texts(), QStringList{message});
    QVERIFY(run.sql.isEmpty());
  }

  void conditions_data() {
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("oper");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("having");
    QTest::addColumn<QString>("expected");
    const QString name = QStringLiteral("Vendors.VND_NM"), hand = QStringLiteral("Parts.ON_HND");
    auto row = [](const char *tag, const QString &e, const char *f, TzelFilterOper o, TFieldType t,
                  const char *x, bool having = false) {
      QTest::newRow(tag) << e << QString::fromUtf8(f) << int(o) << int(t) << having
                         << QString::fromUtf8(x);
    };
    row("equal", name, "Acme|", zelFilterEqual, ftString, "Vendors.VND_NM = 'Acme'");
    row("list", name, "Acme|Zeus|", zelFilterEqual, ftString, "Vendors.VND_NM IN('Acme', 'Zeus')");
    row("not in", name, "Acme|Zeus|", zelFilterNotEqual, ftString,
        "Vendors.VND_NM NOT IN('Acme', 'Zeus')");
    row("between", name, "A|M|", zelFilterBetween, ftString, "Vendors.VND_NM BETWEEN 'A' AND 'M'");
    row("like wrapped", name, "Bo|", zelFilterLike, ftString, "Vendors.VND_NM LIKE '%Bo%'");
    row("like kept", name, "Bo%|Ze%|", zelFilterLike, ftString,
        "Vendors.VND_NM LIKE 'Bo%' OR Vendors.VND_NM LIKE 'Ze%'");
    row("like star kept", name, "Bo*|", zelFilterNotLike, ftString,
        "Vendors.VND_NM NOT LIKE 'Bo*'");
    row("blank", name, "BLANK|", zelFilterEqual, ftString, "Vendors.VND_NM IS NULL");
    row("blank negated", name, "blank|", zelFilterNotEqual, ftString, "Vendors.VND_NM IS NOT NULL");
    row("value or blank", name, "Acme|BLANK|", zelFilterEqual, ftString,
        "Vendors.VND_NM = 'Acme' OR Vendors.VND_NM IS NULL");
    row("value and not blank", name, "Acme|BLANK|", zelFilterNotEqual, ftString,
        "Vendors.VND_NM <> 'Acme' AND Vendors.VND_NM IS NOT NULL");
    row("parameter", name, "[Vendor]|", zelFilterEqual, ftString, "Vendors.VND_NM = 'Acme'");
    row("unknown parameter", name, "[Nobody]|", zelFilterEqual, ftString, "Vendors.VND_NM = ''");
    row("space", name, "SPACE|", zelFilterEqual, ftString, "Vendors.VND_NM = ' '");
    row("today as text", name, "today|", zelFilterEqual, ftString, "Vendors.VND_NM = '12/08/2026'");
    row("numbers", hand, "5|10|", zelFilterEqual, ftFloat, "Parts.ON_HND = 5 OR Parts.ON_HND = 10");
    row("numbers not equal", hand, "5|10|", zelFilterNotEqual, ftFloat,
        "Parts.ON_HND <> 5 AND Parts.ON_HND <> 10");
    row("numbers between", hand, "1|100|", zelFilterBetween, ftFloat,
        "Parts.ON_HND BETWEEN 1 AND 100");
    row("numeric parameter", hand, "[Least]|", zelFilterGE, ftFloat, "Parts.ON_HND >= 12.5");
    row("having raw", QStringLiteral("MAX(Vendors.VND_NM)"), "M|", zelFilterGT, ftString,
        "MAX(Vendors.VND_NM) > M", true);
    row("having list stays repeated", QStringLiteral("COUNT(Parts.ON_HND)"), "1|2|", zelFilterEqual,
        ftString, "COUNT(Parts.ON_HND) = 1 OR COUNT(Parts.ON_HND) = 2", true);
    row("empty cell", name, "|", zelFilterEqual, ftString, "");
  }
  void conditions() {
    QFETCH(QString, expr);
    QFETCH(QString, filter);
    QFETCH(int, oper);
    QFETCH(int, type);
    QFETCH(bool, having);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetDateFormat(QStringLiteral("mm\"/\"dd\"/\"yyyy"));
    TzelSqlGenerator generator(run.query, *run.model);
    generator.SetParams({QStringLiteral("Vendor=Acme"), QStringLiteral("Least=12.5")});
    generator.SetToday(QDate(2026, 12, 8));
    QString condition;
    QVERIFY(generator.BuildCondition(expr, filter, TzelFilterOper(oper), TFieldType(type),
                                     having ? TzelFilterKind::Having : TzelFilterKind::Where,
                                     QStringLiteral("Value"), condition));
    QCOMPARE(condition, expected);
    QVERIFY(rec.messages.isEmpty());
  }

  void dateLiterals_data() {
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("access #") << int(zelAccess) << "1/15/1998"
                              << "#01/15/1998#";
    QTest::newRow("apollo #") << int(zelApollo) << "1/15/1998"
                              << "#01/15/1998#";
    QTest::newRow("advantage iso") << int(zelAdvantage) << "1/15/1998"
                                   << "'1998-01-15'";
    QTest::newRow("oracle to_date") << int(zelOracle) << "1/15/1998"
                                    << "TO_DATE('15-Jan-1998', 'dd-mon-yyyy')";
    QTest::newRow("paradox") << int(zelParadox) << "1/15/1998"
                             << "\"01/15/1998\"";
    QTest::newRow("two-digit year before 2050") << int(zelMSSQL) << "1/1/49"
                                                << "'01/01/2049'";
    QTest::newRow("two-digit year from 2050") << int(zelMSSQL) << "1/1/55"
                                              << "'01/01/1955'";
    QTest::newRow("today oracle") << int(zelOracle) << "TODAY"
                                  << "TO_DATE('08-Dec-2026', 'dd-mon-yyyy')";
    QTest::newRow("today access") << int(zelAccess) << "Today"
                                  << "#12/08/2026#";
  }
  void dateLiterals() {
    QFETCH(int, database);
    QFETCH(QString, item);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(TzelDatabase(database), false);
    TzelSqlGenerator generator(run.query, *run.model);
    generator.SetToday(QDate(2026, 12, 8));
    QString condition;
    QVERIFY(generator.BuildCondition(QStringLiteral("Parts.ORD_DT"), item + QLatin1Char('|'),
                                     zelFilterEqual, ftDate, TzelFilterKind::Where,
                                     QStringLiteral("Ordered"), condition));
    QCOMPARE(condition, QStringLiteral("Parts.ORD_DT = ") + expected);
    QVERIFY(rec.messages.isEmpty()); // no conversion message, TODAY included
  }

  // One query in every dialect: name, string, date and Boolean quoting, column and table
  // aliases, LIKE wildcards and the ORDER BY form.
  void dialects_data() {
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("expected");
    auto row = [](TzelDatabase type, const char *column, const char *table, const char *like,
                  const char *date, const char *active, const char *order) {
      const QString text =
          QStringLiteral("  SELECT Parts.PT_DES%1\n"
                         "    FROM %2\n"
                         "   WHERE (((Parts.PT_DES LIKE %3)\n"
                         "     AND (Parts.ORD_DT = %4)\n"
                         "     AND (Parts.%5)))\n"
                         "ORDER BY %6 ASC")
              .arg(QLatin1String(column), QLatin1String(table), QLatin1String(like),
                   QLatin1String(date), QLatin1String(active), QLatin1String(order));
      // InterBase folds unquoted names to upper case: the mixed-case alias is quoted.
      QTest::newRow(qPrintable(enumName(type)))
          << int(type)
          << (type == zelInterBase
                  ? QString(text)
                        .replace(QStringLiteral(" Parts."), QStringLiteral(" \"Parts\"."))
                        .replace(QStringLiteral("(Parts."), QStringLiteral("(\"Parts\"."))
                  : text);
    };
    row(zelUnknown, " AS Parts.PartDesc", "PARTS AS Parts", "\"%Bo%\"", "\"01/15/1998\"",
        "\"ACTIVE\" = \"True\"", "Parts.PartDesc");
    row(zelAccess, " AS PartDesc", "PARTS AS Parts", "'*Bo*'", "#01/15/1998#", "[ACTIVE] = True",
        "Parts.PT_DES");
    row(zelAdvantage, " PartDesc", "PARTS Parts", "'%Bo%'", "'1998-01-15'", "\"ACTIVE\" = True",
        "Parts.PT_DES");
    row(zelAnywhere, " PartDesc", "PARTS Parts", "\"%Bo%\"", "\"01/15/1998\"", "\"ACTIVE\" = True",
        "Parts.PT_DES");
    row(zelApollo, " AS PartDesc", "PARTS AS Parts", "\"%Bo%\"", "#01/15/1998#", "[ACTIVE] = True",
        "Parts.PT_DES");
    row(zelBtrieve, " PartDesc", "PARTS Parts", "\"%Bo%\"", "\"01/15/1998\"", "\"ACTIVE\" = True",
        "Parts.PT_DES");
    row(zelDB2, " PartDesc", "PARTS Parts", "\"%Bo%\"", "'01/15/1998'", "\"ACTIVE\" = True",
        "PartDesc");
    row(zelDbase, " AS Parts.PartDesc", "\":PELLOX:PARTS\" AS Parts", "\"%Bo%\"", "\"01/15/1998\"",
        "\"ACTIVE\" = \"True\"", "Parts.PartDesc");
    row(zelDBISAM, " PartDesc", "PARTS Parts", "\"%Bo%\"", "\"01/15/1998\"",
        "\"ACTIVE\" = \"True\"", "PartDesc");
    row(zelInformix, " PartDesc", "PARTS Parts", "\"%Bo%\"", "\"01/15/1998\"", "\"ACTIVE\" = True",
        "Parts.PT_DES");
    row(zelInterBase, "", "PARTS \"Parts\"", "'%Bo%'", "'1998-01-15'", "\"ACTIVE\" = True",
        "\"Parts\".PT_DES");
    row(zelMSSQL, " AS PartDesc", "PARTS AS Parts", "'%Bo%'", "'01/15/1998'", "[ACTIVE] = True",
        "Parts.PT_DES");
    row(zelParadox, " AS Parts.PartDesc", "\":PELLOX:PARTS\" AS Parts", "\"%Bo%\"",
        "\"01/15/1998\"", "\"ACTIVE\" = \"True\"", "Parts.PartDesc");
    row(zelOracle, " PartDesc", "PARTS Parts", "'%Bo%'", "TO_DATE('15-Jan-1998', 'dd-mon-yyyy')",
        "\"ACTIVE\" = True", "Parts.PT_DES");
    row(zelSybase, " AS PartDesc", "PARTS AS Parts", "\"%Bo%\"", "\"01/15/1998\"",
        "\"ACTIVE\" = True", "Parts.PT_DES");
    row(zelXQuery, " PartDesc", "PARTS Parts", "\"%Bo%\"", "#01/15/1998#", "[ACTIVE] = True",
        "PartDesc");
    row(zelSQLite, " AS PartDesc", "PARTS AS Parts", "'%Bo%'", "'1998-01-15'", "\"ACTIVE\" = True",
        "Parts.PT_DES");
  }
  void dialects() {
    QFETCH(int, database);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(TzelDatabase(database), false);
    const QString parts = QStringLiteral("Parts");
    addTables(run.query, {parts});
    addValue(run.query, parts, QStringLiteral("PartDesc"), {}, zelShow, zelSortAscending)
        ->SetFilter(1, zelFilterLike, QStringLiteral("Bo|"));
    addValue(run.query, parts, QStringLiteral("Ordered"), {}, zelHide)
        ->SetFilter(1, zelFilterEqual, QStringLiteral("1/15/1998|"));
    addValue(run.query, parts, QStringLiteral("Active"), {}, zelHide)
        ->SetFilter(1, zelFilterEqual, QStringLiteral("True|"));
    QVERIFY(run.generate());
    QCOMPARE(run.text(), expected);
    QVERIFY(rec.messages.isEmpty());
  }

  // Typed text stays inside its literal whatever quotes it holds.
  void escaping_data() {
    QTest::addColumn<int>("quote");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("param");
    QTest::addColumn<QString>("expected");
    const int single = zelQuoteSingle, dbl = zelQuoteDouble, bracket = zelQuoteBracket;
    QTest::newRow("O'Brien single") << single << "O'Brien|"
                                    << ""
                                    << "'O''Brien'";
    QTest::newRow("O'Brien double") << dbl << "O'Brien|"
                                    << ""
                                    << "\"O'Brien\"";
    QTest::newRow("closing single") << single << "x'; DROP TABLE PARTS; --|"
                                    << ""
                                    << "'x''; DROP TABLE PARTS; --'";
    QTest::newRow("closing double") << dbl << "x\" OR \"1\" = \"1|"
                                    << ""
                                    << "\"x\"\" OR \"\"1\"\" = \"\"1\"";
    QTest::newRow("closing bracket") << bracket << "x] OR [a|"
                                     << ""
                                     << "[x]] OR [a]";
    QTest::newRow("parameter O'Brien") << single << "[Name]|"
                                       << "O'Brien"
                                       << "'O''Brien'";
    QTest::newRow("parameter closing single") << single << "[Name]|"
                                              << "'; DELETE FROM VENDORS; --"
                                              << "'''; DELETE FROM VENDORS; --'";
    QTest::newRow("parameter closing double") << dbl << "[Name]=x|"
                                              << "a\"; DROP TABLE PARTS; --"
                                              << "\"a\"\"; DROP TABLE PARTS; --\"";
  }
  void escaping() {
    QFETCH(int, quote);
    QFETCH(QString, filter);
    QFETCH(QString, param);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetStringQuote(TzelQuoteType(quote));
    run.model->SetVerifyNames(false);
    addTables(run.query, {QStringLiteral("Vendors")});
    addValue(run.query, QStringLiteral("Vendors"), QStringLiteral("VendorName"))
        ->SetFilter(1, zelFilterEqual, filter);
    Installed<ScriptedParams> prompt;
    if (!param.isEmpty())
      prompt->answers.insert(QStringLiteral("Name"), param);
    QVERIFY(run.generate());
    QCOMPARE(run.sql.at(2),
             QStringLiteral("   WHERE (((Vendors.VND_NM = ") + expected + QStringLiteral(")))"));
  }

  void dateAndBooleanEscaping() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetBooleanQuote(zelQuoteSingle);
    TzelSqlGenerator generator(run.query, *run.model);
    QString condition;
    QVERIFY(generator.BuildCondition(QStringLiteral("Parts.ORD_DT"),
                                     QStringLiteral("1/2/1999' OR '1|"), zelFilterEqual, ftDate,
                                     TzelFilterKind::Where, {}, condition));
    QCOMPARE(condition, QStringLiteral("Parts.ORD_DT = '1/2/1999'' OR ''1'"));
    QCOMPARE(rec.messages.size(), 1); // the text is no date, and says so
    QVERIFY(generator.BuildCondition(QStringLiteral("Parts.ACTIVE"), QStringLiteral("It's|"),
                                     zelFilterEqual, ftBoolean, TzelFilterKind::Where, {},
                                     condition));
    QCOMPARE(condition, QStringLiteral("Parts.ACTIVE = 'It''s'"));
  }

  // A parameter written unquoted must be a number.
  void unquotedParameters_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("show");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("line");
    QTest::newRow("number") << "OnHand" << int(zelShow) << " 25 "
                            << ""
                            << "   WHERE (((Parts.ON_HND > 25)))";
    QTest::newRow("exponent") << "OnHand" << int(zelShow) << "-1.5e3"
                              << ""
                              << "   WHERE (((Parts.ON_HND > -1.5e3)))";
    QTest::newRow("statement") << "OnHand" << int(zelShow) << "0; DROP TABLE PARTS"
                               << "Error: The [Qty] parameter must be a number"
                               << "";
    QTest::newRow("or true") << "OnHand" << int(zelShow) << "0 OR 1 = 1"
                             << "Error: The [Qty] parameter must be a number"
                             << "";
    QTest::newRow("left blank") << "OnHand" << int(zelShow) << " "
                                << "Error: The [Qty] parameter must be a number"
                                << "";
    QTest::newRow("having") << "OnHand" << int(zelShowSum) << "1) OR (1 = 1"
                            << "Error: The [Qty] parameter must be a number"
                            << "";
    QTest::newRow("boolean word") << "Active" << int(zelShow) << "false"
                                  << ""
                                  << "   WHERE (((Parts.[ACTIVE] > false)))";
    QTest::newRow("boolean statement")
        << "Active" << int(zelShow) << "1 OR 1 = 1"
        << "Error: The [Qty] parameter must be True, False or a number"
        << "";
  }
  void unquotedParameters() {
    QFETCH(QString, field);
    QFETCH(int, show);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QString, line);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetGroupBySelect(false);
    addTables(run.query, {QStringLiteral("Parts")});
    addValue(run.query, QStringLiteral("Parts"), field, {}, TzelShow(show))
        ->SetFilter(1, zelFilterGT, QStringLiteral("[Qty]|"));
    Installed<ScriptedParams> prompt;
    prompt->answers.insert(QStringLiteral("Qty"), value);
    QCOMPARE(run.generate(), message.isEmpty());
    if (message.isEmpty()) {
      QCOMPARE(run.sql.at(2), line);
    } else {
      QCOMPARE(rec.texts(), QStringList{message});
      QVERIFY(run.sql.isEmpty());
    }
  }

  void parameterStep() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    setExample2Dialect(*run.model);
    addTables(run.query, {QStringLiteral("Vendors")});
    TzelQueryValue *name =
        addValue(run.query, QStringLiteral("Vendors"), QStringLiteral("VendorName"));
    name->SetFilter(1, zelFilterEqual, QStringLiteral("[Vendor]|"));
    name->SetFilter(2, zelFilterLike, QStringLiteral("[vendor]=Acme|")); // the later default wins
    Installed<ScriptedParams> prompt;
    QVERIFY(run.generate());
    QCOMPARE(prompt->shown, QList<QStringList>{{QStringLiteral("Vendor=Acme")}}); // one row
    QCOMPARE(run.params, QStringList{QStringLiteral("Vendor=Acme")});
    QCOMPARE(run.host.events,
             QStringList({"beforeParams", "afterParams", "beforeQuery", "afterQuery"}));
    QCOMPARE(run.sql.at(3), QStringLiteral("      OR ((Vendors.VND_NM LIKE '%Acme%')))"));

    prompt->answers.insert(QStringLiteral("Vendor"), QStringLiteral("Zeus"));
    QVERIFY(run.generate());
    QCOMPARE(run.sql.at(2), QStringLiteral("   WHERE (((Vendors.VND_NM = 'Zeus'))"));

    prompt->ok = false; // cancelled: nothing built, the after event still fires
    run.host.events.clear();
    QVERIFY(!run.generate());
    QVERIFY(run.sql.isEmpty());
    QCOMPARE(run.host.events, QStringList({"beforeParams", "afterParams"}));

    run.host.display = false; // the defaults stand without asking
    prompt->shown.clear();
    QVERIFY(run.generate());
    QVERIFY(prompt->shown.isEmpty());
    QCOMPARE(run.sql.at(2), QStringLiteral("   WHERE (((Vendors.VND_NM = 'Acme'))"));
    QVERIFY(rec.messages.isEmpty());
  }

  void selectList() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetVerifyNames(false);
    const QString parts = QStringLiteral("Parts");
    addTables(run.query, {parts});
    // Equal to the physical name exactly: no alias; equal but for case: an alias.
    addValue(run.query, parts, QStringLiteral("PartNo"))
        ->SetValueAlias(QStringLiteral("PT_ITM_NO"));
    addValue(run.query, parts, QStringLiteral("PartDesc"), QStringLiteral("Pt_des"));
    addValue(run.query, parts, QStringLiteral("OnHand"), QStringLiteral("Hidden"), zelHide);
    run.manualValue(QStringLiteral("Worth"), {}, QStringLiteral("parts.cost * Parts.OnHand"));
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("  SELECT Parts.PT_ITM_NO,\n"
                                        "         Parts.PT_DES AS Pt_des,\n"
                                        "         Parts.CST * Parts.ON_HND AS Worth\n"
                                        "    FROM PARTS AS Parts"));
    run.query.SetIsDistinct(true);
    run.model->SetDatabaseType(zelInterBase);
    run.model->SetVerifyNames(false);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("  SELECT DISTINCT\n"
                                        "         Parts.PT_ITM_NO,\n"
                                        "         Parts.PT_DES,\n"
                                        "         Parts.CST * Parts.ON_HND\n"
                                        "    FROM PARTS Parts"));
  }

  void onlyHiddenValues() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    addTables(run.query, {QStringLiteral("Parts")});
    addValue(run.query, QStringLiteral("Parts"), QStringLiteral("PartDesc"), {}, zelHide);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("    FROM PARTS AS Parts"));
    run.query.SetIsDistinct(true);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("  SELECT DISTINCT\n    FROM PARTS AS Parts"));
  }

  void filterRows() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetVerifyNames(false);
    const QString parts = QStringLiteral("Parts");
    addTables(run.query, {parts});
    TzelQueryValue *desc = addValue(run.query, parts, QStringLiteral("PartDesc"));
    TzelQueryValue *hand = addValue(run.query, parts, QStringLiteral("OnHand"));
    desc->SetFilter(20, zelFilterEqual, QStringLiteral("D|"));
    desc->SetFilter(5, zelFilterEqual, QStringLiteral("B|"));
    hand->SetFilter(5, zelFilterLT, QStringLiteral("3|"));
    hand->SetFilter(1, zelFilterGT, QStringLiteral("1|"));
    desc->SetFilter(6, zelFilterEqual, QStringLiteral("C|"));
    // A second filter at row 6 (as a stored query may hold): only the first counts.
    auto *extra = new TzelQueryFilter;
    extra->SetPosition(6);
    extra->SetFilter(QStringLiteral("ignored|"));
    desc->AttachFilter(extra);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("  SELECT Parts.PT_DES AS PartDesc,\n"
                                        "         Parts.ON_HND AS OnHand\n"
                                        "    FROM PARTS AS Parts\n"
                                        "   WHERE (((Parts.ON_HND > 1))\n"
                                        "      OR ((Parts.PT_DES = 'B')\n"
                                        "     AND (Parts.ON_HND < 3))\n"
                                        "      OR ((Parts.PT_DES = 'C'))\n"
                                        "      OR ((Parts.PT_DES = 'D')))"));
  }

  void groupAndOrderForms() {
    RecordingMessages rec;
    Run run(zelParadox, false);
    const QString parts = QStringLiteral("Parts");
    addTables(run.query, {parts});
    addValue(run.query, parts, QStringLiteral("PartDesc"), {}, zelShowGroup, zelSortDescending);
    addValue(run.query, parts, QStringLiteral("OnHand"), QStringLiteral("Total"), zelShowSum,
             zelSortAscending);
    addValue(run.query, parts, QStringLiteral("PartNo"), {}, zelHideGroup, zelSortAscending);
    QVERIFY(run.generate());
    // Paradox groups by expressions; ORDER BY uses aliases of shown values only.
    QCOMPARE(run.text(), QStringLiteral("  SELECT Parts.PT_DES AS Parts.PartDesc,\n"
                                        "         SUM(Parts.ON_HND) AS Parts.Total\n"
                                        "    FROM \":PELLOX:PARTS\" AS Parts\n"
                                        "GROUP BY Parts.PT_DES,\n"
                                        "         Parts.PT_ITM_NO\n"
                                        "ORDER BY Parts.PartDesc DESC,\n"
                                        "         Parts.Total ASC,\n"
                                        "         Parts.PT_ITM_NO ASC"));
    run.model->SetDatabaseType(zelDB2); // OrderByAlias without AliasByTable
    QVERIFY(run.generate());
    // The hidden PartNo has no alias in the select list: it is grouped by its expression.
    QCOMPARE(run.sql.mid(3), QStringList({"GROUP BY PartDesc,", "         Parts.PT_ITM_NO",
                                          "ORDER BY PartDesc DESC,", "         Total ASC,",
                                          "         Parts.PT_ITM_NO ASC"}));
  }

  // Joins drawn out of chain order (A-B, C-D, then B-C) give the same FROM as in chain order:
  // every ON names tables already written, every condition stands once.
  void joinsOutOfChainOrder() {
    RecordingMessages rec;
    Run run(zelAccess, false);
    const QString partNo = QStringLiteral("PartNo"), vendorNo = QStringLiteral("VendorNo"),
                  orderNo = QStringLiteral("OrderNo");
    addTables(run.query, {QStringLiteral("Parts"), QStringLiteral("Vendors"),
                          QStringLiteral("Items"), QStringLiteral("Orders")});
    addJoin(run.query, QStringLiteral("Parts"), zelJoinInner, QStringLiteral("Vendors"),
            {{vendorNo, vendorNo}});
    addJoin(run.query, QStringLiteral("Items"), zelJoinInner, QStringLiteral("Orders"),
            {{orderNo, orderNo}});
    addJoin(run.query, QStringLiteral("Parts"), zelJoinLeft, QStringLiteral("Items"),
            {{partNo, partNo}, {vendorNo, vendorNo}});
    addValue(run.query, QStringLiteral("Parts"), QStringLiteral("PartDesc"));
    QVERIFY(run.generate());
    QCOMPARE(run.sql.mid(1).join(QLatin1Char('\n')), example3From);
    QVERIFY(rec.messages.isEmpty());
  }

  // The join that closes a cycle adds its condition to the ON of the later of its tables.
  void cycleOfJoins() {
    RecordingMessages rec;
    Run run(zelAccess, false);
    fillExample3(run.query);
    addJoin(run.query, QStringLiteral("Vendors"), zelJoinInner, QStringLiteral("Items"),
            {{QStringLiteral("VendorNo"), QStringLiteral("VendorNo")}});
    QVERIFY(run.generate());
    QString from = example3From;
    from.replace(QStringLiteral("AND Parts.VND_NO = Items.VND_NO)"),
                 QStringLiteral("AND Parts.VND_NO = Items.VND_NO\n"
                                "                     AND Vendors.VND_NO = Items.VND_NO)"));
    QCOMPARE(run.sql.mid(1).join(QLatin1Char('\n')), from);
  }

  // An outer join whose kept table is the one added is written the other way round.
  void outerJoinAddedFromItsKeptSide_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("line");
    QTest::newRow("left becomes right")
        << int(zelJoinLeft)
        << "         RIGHT OUTER JOIN ITEMS AS Items\n"
           "                       ON Items.VND_NO = Vendors.VND_NO";
    QTest::newRow("right becomes left") << int(zelJoinRight)
                                        << "         LEFT OUTER JOIN ITEMS AS Items\n"
                                           "                      ON Items.VND_NO = Vendors.VND_NO";
    QTest::newRow("inner stays") << int(zelJoinInner)
                                 << "         INNER JOIN ITEMS AS Items\n"
                                    "                 ON Items.VND_NO = Vendors.VND_NO";
  }
  void outerJoinAddedFromItsKeptSide() {
    QFETCH(int, type);
    QFETCH(QString, line);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    const QString vendorNo = QStringLiteral("VendorNo");
    addTables(run.query,
              {QStringLiteral("Parts"), QStringLiteral("Vendors"), QStringLiteral("Items")});
    addJoin(run.query, QStringLiteral("Parts"), zelJoinInner, QStringLiteral("Vendors"),
            {{vendorNo, vendorNo}});
    addJoin(run.query, QStringLiteral("Items"), TzelJoinType(type), QStringLiteral("Vendors"),
            {{vendorNo, vendorNo}});
    addValue(run.query, QStringLiteral("Parts"), QStringLiteral("PartDesc"));
    QVERIFY(run.generate());
    QCOMPARE(run.sql.mid(4).join(QLatin1Char('\n')), line);
  }

  void joinsThatCannotBeWritten_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("message");
    const QString parts = QStringLiteral("Parts"), vendors = QStringLiteral("Vendors"),
                  items = QStringLiteral("Items"), orders = QStringLiteral("Orders");
    QTest::newRow("join without fields") << int(zelJoinFrom) << Setup([=](Run &r) {
      addTables(r.query, {parts, vendors});
      addJoin(r.query, parts, zelJoinLeft, vendors, {});
    }) << "Error: The [Parts] and [Vendors] tables are joined without fields";
    QTest::newRow("two separate pairs") << int(zelJoinFrom) << Setup([=](Run &r) {
      addTables(r.query, {parts, vendors, items, orders});
      addJoin(r.query, parts, zelJoinInner, vendors,
              {{QStringLiteral("VendorNo"), QStringLiteral("VendorNo")}});
      addJoin(r.query, items, zelJoinInner, orders,
              {{QStringLiteral("OrderNo"), QStringLiteral("OrderNo")}});
    }) << "Error: The [Items] table is not joined";
    QTest::newRow("in WHERE a join without fields is no error")
        << int(zelJoinWhere) << Setup([=](Run &r) {
             addTables(r.query, {parts, vendors});
             addJoin(r.query, parts, zelJoinLeft, vendors, {});
           })
        << "";
  }
  void joinsThatCannotBeWritten() {
    QFETCH(int, method);
    QFETCH(Setup, setup);
    QFETCH(QString, message);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetJoinMethod(TzelJoinMethod(method));
    setup(run);
    addValue(run.query, QStringLiteral("Parts"), QStringLiteral("PartDesc"));
    QCOMPARE(run.generate(), message.isEmpty());
    QCOMPARE(rec.texts(), message.isEmpty() ? QStringList() : QStringList{message});
  }

  // Without OrderByAlias a sorted aggregate is ordered by its aggregate; a hidden grouped
  // value, which has no alias, is grouped by its expression.
  void aggregatesAndHiddenGroups() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetGroupBySelect(false);
    const QString parts = QStringLiteral("Parts");
    addTables(run.query, {parts});
    addValue(run.query, parts, QStringLiteral("PartDesc"), {}, zelShowGroup);
    addValue(run.query, parts, QStringLiteral("OnHand"), QStringLiteral("Total"), zelShowSum,
             zelSortDescending);
    addValue(run.query, parts, QStringLiteral("PartNo"), QStringLiteral("Counted"), zelHideCount,
             zelSortAscending);
    addValue(run.query, parts, QStringLiteral("VendorNo"), {}, zelHideGroup);
    QVERIFY(run.generate());
    QCOMPARE(run.sql.mid(3), QStringList({"GROUP BY Parts.PT_DES,", "         Parts.VND_NO",
                                          "ORDER BY SUM(Parts.ON_HND) DESC,",
                                          "         COUNT(Parts.PT_ITM_NO) ASC"}));
    run.model->SetDatabaseType(zelUnknown); // aliases where the select list defines them
    run.model->SetGroupBySelect(false);
    QVERIFY(run.generate());
    QCOMPARE(run.sql.mid(3),
             QStringList({"GROUP BY Parts.PartDesc,", "         Parts.VND_NO",
                          "ORDER BY Parts.Total DESC,", "         COUNT(Parts.PT_ITM_NO) ASC"}));
  }

  // A closing quote inside a quoted name is doubled, for every kind of name and quote.
  void namesWithQuotes_data() {
    QTest::addColumn<int>("quote");
    QTest::addColumn<QString>("select");
    QTest::addColumn<QString>("from");
    QTest::newRow("double") << int(zelQuoteDouble)
                            << "  SELECT \"Or\"\"d\".\"OR\"\"D\" AS \"x\"\" FROM CUSTOMERS --\","
                            << "    FROM \"ORD\"\"ERS\" AS \"Or\"\"d\"";
    QTest::newRow("bracket") << int(zelQuoteBracket)
                             << "  SELECT [Or\"d].[OR\"D] AS [x\" FROM CUSTOMERS --],"
                             << "    FROM [ORD\"ERS] AS [Or\"d]";
    QTest::newRow("single") << int(zelQuoteSingle)
                            << "  SELECT 'Or\"d'.'OR\"D' AS 'x\" FROM CUSTOMERS --',"
                            << "    FROM 'ORD\"ERS' AS 'Or\"d'";
  }
  void namesWithQuotes() {
    QFETCH(int, quote);
    QFETCH(QString, select);
    QFETCH(QString, from);
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetNameQuote(TzelQuoteType(quote));
    TzelTable *orders = run.model->GetTable(3);
    orders->SetTableName(QStringLiteral("ORD\"ERS"));
    orders->GetField(0)->SetFieldName(QStringLiteral("OR\"D"));
    orders->SetTableAlias(QStringLiteral("Or\"d"));
    addTables(run.query, {QStringLiteral("Or\"d")});
    addValue(run.query, QStringLiteral("Or\"d"), QStringLiteral("OrderNo"),
             QStringLiteral("x\" FROM CUSTOMERS --"));
    run.manualValue(QStringLiteral("a]b'c"), {}, QStringLiteral("1"));
    QVERIFY(run.generate());
    QCOMPARE(run.sql.at(0), select);
    QCOMPARE(run.sql.at(2), from);
    const QString last = quote == zelQuoteDouble    ? QStringLiteral("\"a]b'c\"")
                         : quote == zelQuoteBracket ? QStringLiteral("[a]]b'c]")
                                                    : QStringLiteral("'a]b''c'");
    QCOMPARE(run.sql.at(1), QStringLiteral("         1 AS ") + last);
  }

  // The header of the issue: it stays one name and the statement keeps its structure.
  void headerThatClosesItsQuote() {
    RecordingMessages rec;
    Run run(zelMSSQL, false);
    run.model->SetNameQuote(zelQuoteDouble);
    addTables(run.query, {QStringLiteral("Orders")});
    addValue(run.query, QStringLiteral("Orders"), QStringLiteral("OrderNo"),
             QStringLiteral("x\" FROM CUSTOMERS --"));
    addValue(run.query, QStringLiteral("Orders"), QStringLiteral("OrderNo"),
             QStringLiteral("Da\"te"));
    QVERIFY(run.generate());
    QCOMPARE(run.text(), QStringLiteral("  SELECT Orders.ORD_NO AS \"x\"\" FROM CUSTOMERS --\",\n"
                                        "         Orders.ORD_NO AS \"Da\"\"te\"\n"
                                        "    FROM ORDERS AS Orders"));
  }

  // Worked example 1 under the native dialects.
  void nativeDialects_data() {
    QTest::addColumn<int>("database");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SQLite") << int(zelSQLite)
                            << "  SELECT Vendors.VND_NM AS VendorName,\n"
                               "         Parts.PT_DES AS PartDesc\n"
                               "    FROM PARTS AS Parts\n"
                               "         INNER JOIN VENDORS AS Vendors\n"
                               "                 ON Parts.VND_NO = Vendors.VND_NO\n"
                               "   WHERE (((Parts.PT_DES LIKE '%Gear%')))\n"
                               "ORDER BY Vendors.VND_NM ASC";
    QTest::newRow("PostgreSQL")
        << int(zelPostgreSQL)
        << "  SELECT \"Vendors\".\"VND_NM\" AS \"VendorName\",\n"
           "         \"Parts\".\"PT_DES\" AS \"PartDesc\"\n"
           "    FROM \"PARTS\" AS \"Parts\"\n"
           "         INNER JOIN \"VENDORS\" AS \"Vendors\"\n"
           "                 ON \"Parts\".\"VND_NO\" = \"Vendors\".\"VND_NO\"\n"
           "   WHERE (((\"Parts\".\"PT_DES\" LIKE '%Gear%')))\n"
           "ORDER BY \"Vendors\".\"VND_NM\" ASC";
  }
  void nativeDialects() {
    QFETCH(int, database);
    QFETCH(QString, expected);
    RecordingMessages rec;
    Run run(TzelDatabase(database), false);
    fillExample1(run.query);
    QVERIFY(run.generate());
    QCOMPARE(run.text(), expected);
  }

  // Dates, Booleans and HAVING under the native dialects.
  void nativeLiterals_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("show");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("condition");
    QTest::newRow("date") << "Ordered" << int(zelShow) << "1/15/1998|"
                          << "   WHERE (((Parts.ORD_DT = '1998-01-15')))";
    QTest::newRow("today") << "Ordered" << int(zelShow) << "TODAY|"
                           << "   WHERE (((Parts.ORD_DT = '2026-12-08')))";
    QTest::newRow("boolean") << "Active" << int(zelShow) << "False|"
                             << "   WHERE (((Parts.\"ACTIVE\" = False)))";
    QTest::newRow("max of a date") << "Ordered" << int(zelShowMax) << "1/15/1998|"
                                   << "  HAVING (((MAX(Parts.ORD_DT) > '1998-01-15')))";
    QTest::newRow("min of a text") << "PartDesc" << int(zelHideMin) << "O'B|"
                                   << "  HAVING (((MIN(Parts.PT_DES) > 'O''B')))";
    QTest::newRow("count of a text") << "PartDesc" << int(zelShowCount) << "2|"
                                     << "  HAVING (((COUNT(Parts.PT_DES) > 2)))";
  }
  void nativeLiterals() {
    QFETCH(QString, field);
    QFETCH(int, show);
    QFETCH(QString, filter);
    QFETCH(QString, condition);
    RecordingMessages rec;
    Run run(zelSQLite, false);
    addTables(run.query, {QStringLiteral("Parts")});
    const TzelFilterOper oper = show == zelShow ? zelFilterEqual : zelFilterGT;
    addValue(run.query, QStringLiteral("Parts"), field, {}, TzelShow(show))
        ->SetFilter(1, oper, filter);
    QVERIFY(run.generate());
    QVERIFY2(run.sql.contains(condition), qPrintable(run.text()));
  }

  // Under PostgreSQL a backslash cannot end a literal early, whatever the server's
  // standard_conforming_strings: text becomes an escape string, and a date that could not
  // be read keeps its backslashes doubled.
  void postgresBackslashes_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("oper");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("literal");
    QTest::newRow("text") << "PartDesc" << int(zelFilterEqual) << "\\' OR 1=1 --|"
                          << " = E'\\\\'' OR 1=1 --'";
    QTest::newRow("like") << "PartDesc" << int(zelFilterLike) << "a\\b|"
                          << " LIKE E'%a\\\\b%'";
    QTest::newRow("date") << "Ordered" << int(zelFilterEqual) << "\\' OR 1=1 --|"
                          << " = '\\\\'' OR 1=1 --'";
    QTest::newRow("plain text") << "PartDesc" << int(zelFilterEqual) << "O'B|"
                                << " = 'O''B'";
  }
  void postgresBackslashes() {
    QFETCH(QString, field);
    QFETCH(int, oper);
    QFETCH(QString, filter);
    QFETCH(QString, literal);
    RecordingMessages rec;
    Run run(zelPostgreSQL, false);
    addTables(run.query, {QStringLiteral("Parts")});
    addValue(run.query, QStringLiteral("Parts"), field, {})
        ->SetFilter(1, TzelFilterOper(oper), filter);
    QVERIFY(run.generate());
    QVERIFY2(run.text().contains(literal + u')'), qPrintable(run.text()));
  }

  void translateExpression() {
    Run run(zelParadox, true);
    addTables(run.query, {QStringLiteral("Parts"), QStringLiteral("Vendors")});
    TzelSqlGenerator generator(run.query, *run.model);
    QString table;
    QCOMPARE(generator.TranslateExpression(QStringLiteral("Parts.Cost * Parts.OnHand"), &table),
             QStringLiteral("Parts.CST * Parts.ON_HND"));
    QCOMPARE(table, QStringLiteral("Parts"));
    QCOMPARE(
        generator.TranslateExpression(QStringLiteral("sum([Vendors].VendorName) + 'x'"), &table),
        QStringLiteral("SUM(Vendors.VND_NM) + 'x'"));
    QCOMPARE(table, QStringLiteral("Vendors"));
    // Text in single quotes is copied as written: keywords keep their case, names stay text.
    QCOMPARE(generator.TranslateExpression(
                 QStringLiteral("Parts.Cost || ' no Parts.Cost, it''s [x] Select'"), &table),
             QStringLiteral("Parts.CST || ' no Parts.Cost, it''s [x] Select'"));
    QCOMPARE(generator.TranslateExpression(QStringLiteral("(Parts.Cost) || ')'"), &table),
             QStringLiteral("(Parts.CST) || ')'"));
    QCOMPARE(generator.TranslateExpression(QStringLiteral("  "), &table), QString());
    QCOMPARE(table, QString());
    QVERIFY_THROWS_EXCEPTION(EzelError, generator.TranslateExpression(QStringLiteral("(a")));
    // A second instance's alias ends in a digit; its fields still resolve.
    run.query.AddTable(QString(), QStringLiteral("Parts"), QStringLiteral("Parts_2"));
    TzelSqlGenerator numbered(run.query, *run.model);
    QCOMPARE(numbered.TranslateExpression(QStringLiteral("Parts_2.Cost*1.5"), &table),
             QStringLiteral("Parts_2.CST*1.5"));
    QCOMPARE(table, QStringLiteral("Parts_2"));
  }
};

QTEST_GUILESS_MAIN(TstSqlGenerator)
#include "tst_sqlgenerator.moc"
