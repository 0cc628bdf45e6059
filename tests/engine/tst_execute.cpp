// SPDX-License-Identifier: MIT
// The query component's Execute on the sample PELLOX tables: the stored query Step 1 gives
// the rows of a hand-written query over the same data, filter parameters are asked for (or
// not), result fields are dressed from the query's values, hand-edited SQL runs as typed,
// and every failure leaves the dataset as it was.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"
#include "dialogs/frmzelparams.h"
#include "engine/zelparams.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "model/zelregistry.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

namespace {

using Rows = QList<QStringList>;

const QString kOracle = QStringLiteral("execute-oracle");

// One value as text, the same whether the engine typed it or SQLite returned it raw.
QString textOf(const QVariant &value) {
  if (value.isNull())
    return QStringLiteral("<null>");
  switch (value.typeId()) {
  case QMetaType::QDate:
    return value.toDate().toString(Qt::ISODate);
  case QMetaType::Bool:
    return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
  case QMetaType::Double:
    return QString::number(value.toDouble(), 'g', 15);
  default:
    return value.toString();
  }
}

Rows rowsOf(TzelDataset &dataset) {
  Rows rows;
  for (dataset.First(); !dataset.Eof(); dataset.Next()) {
    QStringList row;
    for (int i = 0; i < dataset.FieldCount(); ++i)
      row << textOf(dataset.Fields(i)->Value());
    rows << row;
  }
  dataset.First();
  return rows;
}

Rows rowsOf(QSqlQuery &query) {
  Rows rows;
  while (query.next()) {
    QStringList row;
    for (int i = 0; i < query.record().count(); ++i)
      row << textOf(query.value(i));
    rows << row;
  }
  return rows;
}

QStringList column(const Rows &rows, int index) {
  QStringList values;
  for (const QStringList &row : rows)
    values << row.value(index);
  return values;
}

Rows sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

QString sqliteType(const TzelColumnType &type) {
  switch (type.type) {
  case ftString:
  case ftDate:
  case ftTime:
  case ftDateTime:
    return QStringLiteral("TEXT");
  case ftFloat:
  case ftCurrency:
  case ftBCD:
    return QStringLiteral("REAL");
  default:
    return QStringLiteral("INTEGER");
  }
}

QVariant sqliteValue(const QVariant &value) {
  if (value.isNull())
    return value;
  if (value.typeId() == QMetaType::QDate)
    return value.toDate().toString(Qt::ISODate);
  if (value.typeId() == QMetaType::Bool)
    return value.toBool() ? 1 : 0;
  return value;
}

// Copies one sample Paradox file into the oracle database under a plain table name.
bool copyTable(QSqlDatabase db, const QString &file, const QString &table) {
  TzelTableData data;
  const TzelFileResult read = readParadoxTable(sampleDataFolder() + u'/' + file, data);
  if (!read.ok) {
    qWarning() << read.text;
    return false;
  }
  QStringList columns, marks;
  for (const TzelTableColumn &c : std::as_const(data.columns)) {
    columns << c.name + u' ' + sqliteType(c.type);
    marks << QStringLiteral("?");
  }
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(table, columns.join(u", ")))) {
    qWarning() << q.lastError().text();
    return false;
  }
  if (!q.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(table, marks.join(u", "))))
    return false;
  for (const QVariantList &row : std::as_const(data.rows)) {
    for (int i = 0; i < row.size(); ++i)
      q.bindValue(i, sqliteValue(row.at(i)));
    if (!q.exec()) {
      qWarning() << q.lastError().text();
      return false;
    }
  }
  return true;
}

Rows oracleRows(const QString &sql) {
  QSqlQuery q(QSqlDatabase::database(kOracle));
  if (!q.exec(sql)) {
    qWarning() << q.lastError().text();
    return {};
  }
  return rowsOf(q);
}

// Answers the parameter prompt from a script, one answer per request (each answer is the
// value given to every parameter), and records what it was shown. An empty script cancels.
class ScriptedParams : public ScriptedPrompts {
public:
  bool askParams(QStringList &nameValues, TzelModel *) override {
    shown << nameValues;
    if (answers.isEmpty())
      return false;
    const QString answer = answers.takeFirst();
    for (QString &entry : nameValues)
      entry = entry.section(u'=', 0, 0) + u'=' + answer;
    return true;
  }
  QStringList answers;
  QList<QStringList> shown;
};

// Asks for the parameters with the parameter dialog.
class DialogParams : public ScriptedPrompts {
public:
  bool askParams(QStringList &nameValues, TzelModel *model) override {
    return TfrmZelParams::Ask(nameValues, model);
  }
};

// Makes a prompts object the application's for the current scope.
template <typename Prompt> class PromptScope {
public:
  PromptScope() : m_previous(zelSetQueryPrompts(&m_prompt)) {}
  ~PromptScope() { zelSetQueryPrompts(m_previous); }
  Prompt &prompt() { return m_prompt; }

private:
  Prompt m_prompt;
  TzelQueryPrompts *m_previous;
};

// The sample model, a dataset on PELLOX and a query component wired to both.
struct Setup {
  Setup() : model(readSampleModel()) {
    dataset.setObjectName(QStringLiteral("Query1"));
    dataset.setDatabaseName(QStringLiteral("PELLOX"));
    querion.setObjectName(QStringLiteral("zelQuerion1"));
    querion.SetDataModel(model.get());
    querion.SetDataQuery(&dataset);
  }
  TzelQuery &query() { return *querion.CurrentQuery(); }
  std::unique_ptr<TzelModel> model;
  TzelDataset dataset;
  TzelQuerion querion;
};

TzelQueryValue *addValue(TzelQuery &query, const QString &table, const QString &field,
                         const QString &alias = {}) {
  return query.GetValue(query.AddValue(table, field, alias));
}

// Customers' Company (ascending) and State, the State filter given.
void fillStateQuery(TzelQuery &query, const QString &filter) {
  query.AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("Customers"));
  addValue(query, QStringLiteral("Customers"), QStringLiteral("Company"))
      ->SetSort(zelSortAscending);
  addValue(query, QStringLiteral("Customers"), QStringLiteral("State"))
      ->SetFilter(1, zelFilterEqual, filter);
}

Rows customersOf(const QString &state) {
  return oracleRows(QStringLiteral("SELECT CST_CO, CST_ST FROM customers WHERE CST_ST = '%1' "
                                   "ORDER BY CST_CO")
                        .arg(state));
}

// Customers to Parts in a chain with values of every kind the sample tables hold; the first
// record is order 1001, item 1 (part 5084: 4 at $158.98, sold 2/3/1998, paid).
void fillDressQuery(TzelQuery &query) {
  for (const char *table : {"Customers", "Orders", "Items", "Parts"})
    query.AddTable(QString(), QLatin1String(table), QLatin1String(table));
  auto join = [&](const char *left, const char *right, QStringList fields) {
    TzelJoin *j =
        query.GetJoin(query.AddJoin(QLatin1String(left), zelJoinInner, 0, QLatin1String(right)));
    for (const QString &f : fields)
      j->AddJoinField(f, zelJoinEqual, f);
  };
  join("Customers", "Orders", {QStringLiteral("CustNo")});
  join("Orders", "Items", {QStringLiteral("OrderNo")});
  join("Items", "Parts", {QStringLiteral("PartNo"), QStringLiteral("VendorNo")});

  const QString customers = QStringLiteral("Customers"), orders = QStringLiteral("Orders"),
                items = QStringLiteral("Items"), parts = QStringLiteral("Parts");
  int position = 0;
  auto value = [&](const QString &table, const char *field, const char *alias = nullptr) {
    TzelQueryValue *v =
        addValue(query, table, QLatin1String(field), alias ? QLatin1String(alias) : QString());
    v->SetPosition(position++);
    return v;
  };
  value(orders, "OrderNo")->SetSort(zelSortAscending);
  TzelQueryValue *item = value(items, "ItemNo");
  item->SetShow(zelHide);
  item->SetSort(zelSortAscending);
  value(customers, "Company")->SetFormat(QStringLiteral(">aaaaaaaaaa;0;_"));
  TzelQueryValue *qty = value(items, "Qty", "Quantity");
  qty->SetWidth(7);
  qty->SetAlignment(taCenter);
  value(parts, "Cost");
  value(items, "Discount");
  value(orders, "SaleDate");
  value(orders, "Paid");
  value(orders, "ShipDate")->SetFormat(QStringLiteral("yyyy-mm-dd"));
  value(customers, "City")->SetDataType(ftUnknown);
  value(customers, "Zip")->SetDataType(ftDate);
  value(parts, "PartNo")->SetDataType(ftCurrency);
  value(orders, "Paid", "PaidText")->SetFormat(QStringLiteral("Yes;No"));
  TzelQueryValue *total = query.GetValue(
      query.AddValue(QString(), QStringLiteral("Items.Qty * Parts.Cost"), QStringLiteral("Total")));
  total->SetDataType(ftCurrency);
  total->SetWidth(12);
  total->SetAlignment(taRightJustify);
  total->SetPosition(position++);
  value(orders, "SaleDate", "SaleStamp")->SetDataType(ftDateTime);
  value(orders, "SaleDate", "SaleTime")->SetDataType(ftTime);
  value(items, "Discount", "DiscountBcd")->SetDataType(ftBCD);
  value(items, "ItemNo", "ItemWord")->SetDataType(ftWord);
  value(customers, "Phone")->SetDataType(ftMemo);
}

// The parameter dialog, driven as a user would: each answer typed into the State row, then
// OK. Records whether the dialog was still open after each OK.
void answerParamsDialog(const QStringList &answers, QList<bool> &stillOpen) {
  whenModal([answers, &stillOpen](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelParams *>(w);
    if (!dialog) {
      w->close();
      return;
    }
    for (const QString &answer : answers) {
      dialog->grdParams->item(0, 1)->setText(answer);
      dialog->cmdOk->click();
      stillOpen << dialog->isVisible();
    }
    if (dialog->isVisible())
      dialog->cmdCancel->click();
  });
}

} // namespace

class TstExecute : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase();

  void step1GivesTheHandWrittenRows();
  void step1FieldsAreDressed();

  void promptedParameter();
  void presetParameterWithoutPrompt();
  void presetParameterIsOffered();
  void cancelledPromptLeavesTheDataset();
  void blankAnswerIsRefused();

  void fieldsDressed_data();
  void fieldsDressed();
  void displayedTexts_data();
  void displayedTexts();

  void editedSqlRunsAsTyped();
  void failedEditedSqlStaysEdited();

  void failuresLeaveTheDataset_data();
  void failuresLeaveTheDataset();
  void databaseErrorIsShown();
};

void TstExecute::initTestCase() {
  // Formats such as "ddddd" follow the default locale; fix it for exact texts.
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  ZEL_SKIP_WITHOUT_PARADOX();
  QVERIFY2(useSampleData(), qPrintable(sampleDataFolder()));
  QVERIFY(readSampleModel());

  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kOracle);
  db.setDatabaseName(QStringLiteral(":memory:"));
  QVERIFY2(db.open(), qPrintable(db.lastError().text()));
  QVERIFY(copyTable(db, QStringLiteral("T0490.DB"), QStringLiteral("customers")));
  QVERIFY(copyTable(db, QStringLiteral("T0491.DB"), QStringLiteral("orders")));
  QVERIFY(copyTable(db, QStringLiteral("T0492.DB"), QStringLiteral("parts")));
  QVERIFY(copyTable(db, QStringLiteral("T0493.DB"), QStringLiteral("items")));
  QVERIFY(copyTable(db, QStringLiteral("T0494.DB"), QStringLiteral("vendors")));
}

void TstExecute::cleanupTestCase() {
  QSqlDatabase::database(kOracle).close();
  QSqlDatabase::removeDatabase(kOracle);
  TzelSession::defaultSession().unregisterAlias(QStringLiteral("PELLOX"));
}

void TstExecute::step1GivesTheHandWrittenRows() {
  Setup s;
  RecordingMessages rec;
  QVERIFY(s.querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel"))));
  QVERIFY2(s.querion.Execute(), qPrintable(rec.texts().join(u'\n')));
  QVERIFY(rec.messages.isEmpty());

  const Rows expected = oracleRows(
      QStringLiteral("SELECT c.CST_CO, c.CST_ST, o.SL_DT, p.PT_DES, i.QTY, p.CST, v.VND_NM"
                     "  FROM customers c"
                     "  JOIN orders o ON o.CST_NO = c.CST_NO"
                     "  JOIN items i ON i.ORD_NO = o.ORD_NO"
                     "  JOIN parts p ON p.PT_ITM_NO = i.PT_ITM_NO AND p.VND_NO = i.VND_NO"
                     "  JOIN vendors v ON v.VND_NO = p.VND_NO"
                     " WHERE c.CST_ST IN ('NE', 'WA', 'NY') AND p.PT_DES LIKE '%Gear%'"
                     " ORDER BY c.CST_CO"));
  const Rows rows = rowsOf(s.dataset);
  QCOMPARE(rows.size(), 36);
  QCOMPARE(rows.size(), expected.size());
  // Only Company is sorted: its sequence must match exactly; rows of one company may come
  // in any order, so the records are compared whole once sorted.
  QCOMPARE(column(rows, 0), column(expected, 0));
  QCOMPARE(sorted(rows), sorted(expected));
}

void TstExecute::step1FieldsAreDressed() {
  Setup s;
  RecordingMessages rec;
  QVERIFY(s.querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel"))));
  QVERIFY(s.querion.Execute());
  QCOMPARE(s.dataset.FieldCount(), 7);
  QStringList labels, widths, tags, formats;
  for (int i = 0; i < s.dataset.FieldCount(); ++i) {
    const TzelDatasetField *f = s.dataset.Fields(i);
    labels << f->DisplayLabel();
    widths << QString::number(f->DisplayWidth());
    tags << enumName<TFieldType>(TFieldType(f->Tag()));
    formats << f->DisplayFormat();
  }
  QCOMPARE(labels,
           QStringList({"Company", "State", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"}));
  QCOMPARE(widths, QStringList({"30", "2", "10", "30", "5", "10", "30"}));
  QCOMPARE(tags, QStringList({"ftString", "ftString", "ftDate", "ftString", "ftSmallint",
                              "ftCurrency", "ftString"}));
  QCOMPARE(formats, QStringList({"", "", "ddddd", "", "#", "$#,#.00", ""}));
  QCOMPARE(s.dataset.Fields(4)->Alignment(), taRightJustify);
  QCOMPARE(s.dataset.Fields(0)->Alignment(), taLeftJustify);
}

void TstExecute::promptedParameter() {
  Setup s;
  RecordingMessages rec;
  PromptScope<ScriptedParams> scope;
  scope.prompt().answers << QStringLiteral("WA");
  fillStateQuery(s.query(), QStringLiteral("[State]|"));
  int before = 0, after = 0;
  connect(&s.querion, &TzelQuerion::OnBeforeParams, this, [&] { ++before; });
  connect(&s.querion, &TzelQuerion::OnAfterParams, this, [&] { ++after; });
  QVERIFY(s.querion.Execute());
  // The prompt shows a parameter without default as an empty-looking value.
  QCOMPARE(scope.prompt().shown, QList<QStringList>({{QStringLiteral("State=")}}));
  QCOMPARE(before, 1);
  QCOMPARE(after, 1);
  QCOMPARE(s.querion.Params(), QStringList({"State=WA"}));
  const Rows expected = customersOf(QStringLiteral("WA"));
  QCOMPARE(expected.size(), 4);
  QCOMPARE(rowsOf(s.dataset), expected);
}

void TstExecute::presetParameterWithoutPrompt() {
  Setup s;
  RecordingMessages rec;
  PromptScope<ScriptedParams> scope;
  fillStateQuery(s.query(), QStringLiteral("[State]=OR|"));
  s.querion.SetDisplayParams(false);
  QVERIFY(s.querion.Execute());
  QVERIFY(scope.prompt().shown.isEmpty());
  const Rows expected = customersOf(QStringLiteral("OR"));
  QCOMPARE(expected.size(), 3);
  QCOMPARE(rowsOf(s.dataset), expected);
}

void TstExecute::presetParameterIsOffered() {
  Setup s;
  RecordingMessages rec;
  PromptScope<ScriptedParams> scope;
  scope.prompt().answers << QStringLiteral("NE");
  fillStateQuery(s.query(), QStringLiteral("[State]=OR|"));
  QVERIFY(s.querion.Execute());
  QCOMPARE(scope.prompt().shown, QList<QStringList>({{QStringLiteral("State=OR")}}));
  QCOMPARE(rowsOf(s.dataset), customersOf(QStringLiteral("NE")));
}

void TstExecute::cancelledPromptLeavesTheDataset() {
  Setup s;
  RecordingMessages rec;
  PromptScope<ScriptedParams> scope;
  scope.prompt().answers << QStringLiteral("WA");
  fillStateQuery(s.query(), QStringLiteral("[State]|"));
  QVERIFY(s.querion.Execute());
  const QStringList sql = s.dataset.SQL();
  const Rows rows = rowsOf(s.dataset);

  int after = 0;
  connect(&s.querion, &TzelQuerion::OnAfterParams, this, [&] { ++after; });
  QVERIFY(!s.querion.Execute()); // the script is empty now: the prompt is cancelled
  QCOMPARE(after, 1);
  QVERIFY(s.dataset.Active());
  QCOMPARE(s.dataset.SQL(), sql);
  QCOMPARE(rowsOf(s.dataset), rows);
  QVERIFY(rec.messages.isEmpty());
}

void TstExecute::blankAnswerIsRefused() {
  Setup s;
  RecordingMessages rec;
  PromptScope<DialogParams> scope;
  fillStateQuery(s.query(), QStringLiteral("[State]|"));
  QList<bool> stillOpen;
  answerParamsDialog({QStringLiteral("  "), QStringLiteral("WA")}, stillOpen);
  QVERIFY(s.querion.Execute());
  QCOMPARE(stillOpen, QList<bool>({true, false}));
  QCOMPARE(rec.texts(), QStringList({"Error: The [State] parameter cannot be blank"}));
  QCOMPARE(rowsOf(s.dataset), customersOf(QStringLiteral("WA")));
}

void TstExecute::fieldsDressed_data() {
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("label");
  QTest::addColumn<int>("width");
  QTest::addColumn<TAlignment>("alignment");
  QTest::addColumn<TFieldType>("tag");
  QTest::addColumn<QString>("displayFormat");
  QTest::addColumn<QString>("editMask");
  QTest::addColumn<QString>("displayValues");
  const QString tf = QStringLiteral("True;False");
  // Field 1 is Company: the hidden ItemNo between OrderNo and Company dresses nothing.
  QTest::newRow("integer: #") << 0 << "OrderNo" << 0 << taRightJustify << ftInteger << "#"
                              << "" << tf;
  QTest::newRow("string: its format is the edit mask")
      << 1 << "Company" << 30 << taLeftJustify << ftString << ""
      << ">aaaaaaaaaa;0;_" << tf;
  QTest::newRow("own label, width and alignment")
      << 2 << "Quantity" << 7 << taCenter << ftSmallint << "#"
      << "" << tf;
  QTest::newRow("currency: the model's currency format")
      << 3 << "Cost" << 0 << taRightJustify << ftCurrency << "$#,#.00"
      << "" << tf;
  QTest::newRow("float: the model's float format")
      << 4 << "Discount" << 0 << taRightJustify << ftFloat << "#,#.00"
      << "" << tf;
  QTest::newRow("date: the model's date format")
      << 5 << "SaleDate" << 0 << taLeftJustify << ftDate << "ddddd"
      << "" << tf;
  QTest::newRow("boolean: True;False") << 6 << "Paid" << 0 << taLeftJustify << ftBoolean << ""
                                       << "" << tf;
  QTest::newRow("date with its own format")
      << 7 << "ShipDate" << 0 << taLeftJustify << ftDate << "yyyy-mm-dd"
      << "" << tf;
  QTest::newRow("unknown type: the field's own")
      << 8 << "City" << 20 << taLeftJustify << ftString << ""
      << "" << tf;
  QTest::newRow("date tag on a text field: no format")
      << 9 << "Zip" << 10 << taLeftJustify << ftDate << ""
      << "" << tf;
  QTest::newRow("currency tag on an integer field")
      << 10 << "PartNo" << 0 << taRightJustify << ftCurrency << "$#,#.00"
      << "" << tf;
  QTest::newRow("boolean with its own texts")
      << 11 << "PaidText" << 0 << taLeftJustify << ftBoolean << ""
      << ""
      << "Yes;No";
  QTest::newRow("calculated currency")
      << 12 << "Total" << 12 << taRightJustify << ftCurrency << "$#,#.00"
      << "" << tf;
  QTest::newRow("date-time tag on a date field")
      << 13 << "SaleStamp" << 0 << taLeftJustify << ftDateTime << "c"
      << "" << tf;
  QTest::newRow("time tag on a date field")
      << 14 << "SaleTime" << 0 << taLeftJustify << ftTime << "t"
      << "" << tf;
  QTest::newRow("BCD: the model's float format")
      << 15 << "DiscountBcd" << 0 << taRightJustify << ftBCD << "#,#.00"
      << "" << tf;
  QTest::newRow("word: #") << 16 << "ItemWord" << 0 << taRightJustify << ftWord << "#"
                           << "" << tf;
  QTest::newRow("memo: no default format") << 17 << "Phone" << 15 << taLeftJustify << ftMemo << ""
                                           << "" << tf;
}

void TstExecute::fieldsDressed() {
  QFETCH(int, field);
  QFETCH(QString, label);
  QFETCH(int, width);
  QFETCH(TAlignment, alignment);
  QFETCH(TFieldType, tag);
  QFETCH(QString, displayFormat);
  QFETCH(QString, editMask);
  QFETCH(QString, displayValues);
  Setup s;
  RecordingMessages rec;
  fillDressQuery(s.query());
  QVERIFY2(s.querion.Execute(), qPrintable(rec.texts().join(u'\n')));
  QCOMPARE(s.dataset.FieldCount(), 18);
  const TzelDatasetField *f = s.dataset.Fields(field);
  QCOMPARE(f->DisplayLabel(), label);
  QCOMPARE(f->DisplayWidth(), width);
  QCOMPARE(f->Alignment(), alignment);
  QCOMPARE(TFieldType(f->Tag()), tag);
  QCOMPARE(f->DisplayFormat(), displayFormat);
  QCOMPARE(f->EditMask(), editMask);
  QCOMPARE(f->DisplayValues(), displayValues);
}

void TstExecute::displayedTexts_data() {
  QTest::addColumn<int>("record");
  QTest::addColumn<int>("field");
  QTest::addColumn<QString>("text");
  QTest::newRow("$#,#.00") << 0 << 3 << "$158.98";
  QTest::newRow("ddddd") << 0 << 5 << "2/3/1998"; // en_US's short date, with the full year
  QTest::newRow("True;False") << 0 << 6 << "True";
  QTest::newRow("Yes;No") << 0 << 11 << "Yes";
  QTest::newRow("yyyy-mm-dd") << 0 << 7 << "1998-02-10";
  QTest::newRow("thousands of a calculated currency") << 1 << 12 << "$3,835.50";
}

void TstExecute::displayedTexts() {
  QFETCH(int, record);
  QFETCH(int, field);
  QFETCH(QString, text);
  Setup s;
  RecordingMessages rec;
  fillDressQuery(s.query());
  QVERIFY(s.querion.Execute());
  QCOMPARE(s.dataset.Fields(0)->displayTextAt(record), QString::number(1001));
  QCOMPARE(s.dataset.Fields(field)->displayTextAt(record), text);
}

void TstExecute::editedSqlRunsAsTyped() {
  Setup s;
  RecordingMessages rec;
  // The current query has no values: generating SQL from it would fail.
  const QStringList typed{
      QStringLiteral("SELECT CST_CO, CST_ST"), QStringLiteral("  FROM \":PELLOX:T0490.DB\""),
      QStringLiteral(" WHERE CST_ST = \"WA\""), QStringLiteral(" ORDER BY CST_CO")};
  s.querion.SQL() = typed;
  s.querion.SetSqlEdited(true);
  int generations = 0;
  connect(&s.querion, &TzelQuerion::OnBeforeQuery, this, [&] { ++generations; });
  QVERIFY2(s.querion.Execute(), qPrintable(rec.texts().join(u'\n')));
  QCOMPARE(generations, 0);
  QVERIFY(!s.querion.SqlEdited());
  QCOMPARE(s.querion.SQL(), typed);
  QCOMPARE(s.dataset.SQL(), typed);
  QCOMPARE(rowsOf(s.dataset), customersOf(QStringLiteral("WA")));

  // Cleared, so the next run generates again (and fails on the empty query).
  QVERIFY(!s.querion.Execute());
  QCOMPARE(generations, 0);
  QCOMPARE(rec.lastText(), QStringLiteral("Error: The query must show one or more values"));
}

void TstExecute::failedEditedSqlStaysEdited() {
  Setup s;
  RecordingMessages rec;
  s.querion.SQL() = QStringList{QStringLiteral("SELECT NO_SUCH_COLUMN FROM \":PELLOX:T0490.DB\"")};
  s.querion.SetSqlEdited(true);
  QVERIFY(!s.querion.Execute());
  QCOMPARE(rec.messages.size(), 1);
  QVERIFY(rec.lastText().startsWith(QStringLiteral("Error: ")));
  QVERIFY(s.querion.SqlEdited()); // the user's text waits for a correction
}

void TstExecute::failuresLeaveTheDataset_data() {
  QTest::addColumn<QString>("failure");
  QTest::addColumn<QString>("message");
  QTest::newRow("no data model") << "model"
                                 << "Error 1: The DataModel property of zelQuerion1 has not "
                                    "been assigned";
  QTest::newRow("no database name")
      << "databaseName"
      << "Error 4: The DatabaseName property of Query1 has not been assigned";
  QTest::newRow("missing query file") << "file"
                                      << "Error: The %1 file does not exist";
  QTest::newRow("generation") << "generation"
                              << "Error: The query must show one or more values";
  QTest::newRow("unjoined table") << "unjoined"
                                  << "Error: The [Customers] table is not joined";
}

void TstExecute::failuresLeaveTheDataset() {
  QFETCH(QString, failure);
  QFETCH(QString, message);
  Setup s;
  RecordingMessages rec;
  fillStateQuery(s.query(), QStringLiteral("WA|"));
  QVERIFY(s.querion.Execute());
  const QStringList sql = s.dataset.SQL();
  const Rows rows = rowsOf(s.dataset);
  rec.clear();

  QString file;
  if (failure == u"model") {
    s.querion.SetDataModel(nullptr);
  } else if (failure == u"databaseName") {
    s.dataset.setDatabaseName(QString());
  } else if (failure == u"file") {
    file = QStringLiteral(ZEL_SOURCE_DIR "/examples/no-such-query.zel");
    message = message.arg(file);
  } else if (failure == u"generation") {
    s.query().ClearValues();
  } else if (failure == u"unjoined") {
    s.query().AddTable(QString(), QStringLiteral("Orders"), QStringLiteral("Orders"));
  }
  const QStringList querionSql = s.querion.SQL();
  QVERIFY(!s.querion.Execute(file));
  const QStringList shown =
      rec.texts() + (rec.lists.isEmpty() ? QStringList() : rec.lists.last().lines);
  QCOMPARE(shown, QStringList{message});
  QVERIFY(s.dataset.Active());
  QCOMPARE(s.dataset.SQL(), sql);
  QCOMPARE(rowsOf(s.dataset), rows);
  if (failure != u"generation" && failure != u"unjoined")
    QCOMPARE(s.querion.SQL(), querionSql);
}

void TstExecute::databaseErrorIsShown() {
  Setup s;
  RecordingMessages rec;
  fillStateQuery(s.query(), QStringLiteral("WA|"));
  // The model's Customers table names a file the folder does not hold.
  s.model->GetTable(0)->SetTableName(QStringLiteral("T9999.DB"));
  s.querion.SetDataModel(s.model.get());
  QVERIFY(!s.querion.Execute());
  QCOMPARE(rec.messages.size(), 1);
  QVERIFY2(rec.lastText().startsWith(QStringLiteral("Error: ")), qPrintable(rec.lastText()));
  QVERIFY(!s.dataset.Active());
  QCOMPARE(s.dataset.SQL(), s.querion.SQL()); // the statement went in before it failed
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TstExecute)
#include "tst_execute.moc"
