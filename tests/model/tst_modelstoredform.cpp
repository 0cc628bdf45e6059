// SPDX-License-Identifier: MIT
#include "database/zeldatamodel.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelregistry.h"

#include <QtTest>

namespace {

QString join(const QStringList &lines) {
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The demonstration model's excerpt: one table with one field and the Customers-Orders join.
std::unique_ptr<TzelDataModel> excerptModel() {
  auto model = std::make_unique<TzelDataModel>();
  model->setObjectName(QStringLiteral("zelDataModel1"));
  model->SetDatabaseType(zelParadox);
  const int t = model->AddTable(QStringLiteral("PELLOX"), QStringLiteral("T0492.DB"),
                                QStringLiteral("Parts"));
  TzelTable *parts = model->GetTable(t);
  parts->SetLeft(476);
  parts->SetTop(12);
  const int f = parts->AddField(QStringLiteral("PT_ITM_NO"), QStringLiteral("PartNo"), ftFloat, 0);
  parts->GetField(f)->SetAlignment(taRightJustify);
  const int j =
      model->AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  model->GetJoin(j)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));
  return model;
}

// The excerpt as printed, which leaves out some of the lines the model writes.
const QStringList excerpt = {
    "object zelDataModel1: TzelDataModel",
    "  About.HelpContext = 0",
    "  About.HelpCaption = '&Help'",
    "  About.HelpFile = 'VIZADUZ.HLP;ZOZEROD.HLP'",
    "  Display.FormatCurrency = '$#,#.00'",
    "  AutoJoin = True",
    "  AliasAs = True",
    "  DatabaseType = zelParadox",
    "  DateFormat = 'mm\"/\"dd\"/\"yyyy'",
    "  DateQuote = '\"'",
    "  DefaultExtension = 'zel;kvt'",
    "  NameQuote = zelQuoteDouble",
    "  JoinMethod = zelJoinFrom",
    "  VerifyNames = True",
    "  object : TzelDataModelTable",
    "    TableAlias = 'Parts'",
    "    TableName = 'T0492.DB'",
    "    Left = 476",
    "    Top = 12",
    "    DatabaseName = 'PELLOX'",
    "    object : TzelDataModelField",
    "      FieldAlias = 'PartNo'",
    "      FieldName = 'PT_ITM_NO'",
    "      DataType = ftFloat",
    "      Alignment = taRightJustify",
    "      Position = 0",
    "    end",
    "  end",
    "  object : TzelJoin",
    "    LeftTableAlias = 'Customers'",
    "    RightTableAlias = 'Orders'",
    "    JoinType = zelJoinInner",
    "    Sequence = 0",
    "    object : TzelJoinField",
    "      LeftFieldAlias = 'CustNo'",
    "      RightFieldAlias = 'CustNo'",
    "      JoinOper = zelJoinEqual",
    "    end",
    "  end",
    "end",
};

// The whole text: the model's properties have no stored defaults, so every one is written
// (texts when not empty), About and Display included.
const QStringList fullText = {
    "object zelDataModel1: TzelDataModel",
    "  About.HelpContext = 0",
    "  About.HelpCaption = '&Help'",
    "  About.HelpFile = 'VIZADUZ.HLP;ZOZEROD.HLP'",
    "  About.ProgramTitle = 'Pellox'",
    "  About.ProgramVersion = 'Version 4.0'",
    "  Display.FormatCurrency = '$#,#.00'",
    "  Display.FormatDate = 'ddddd'",
    "  Display.FormatDateTime = 'c'",
    "  Display.FormatFloat = '#,#.00'",
    "  Display.FormatTime = 't'",
    "  AutoJoin = True",
    "  AliasAs = True",
    "  AliasByTable = True",
    "  BooleanQuote = zelQuoteDouble",
    "  DatabaseType = zelParadox",
    "  DateFormat = 'mm\"/\"dd\"/\"yyyy'",
    "  DateQuote = '\"'",
    "  DefaultExtension = 'zel;kvt'",
    "  NameQuote = zelQuoteDouble",
    "  StringQuote = zelQuoteDouble",
    "  GroupBySelect = False",
    "  JoinMethod = zelJoinFrom",
    "  OrderByAlias = True",
    "  VerifyNames = True",
    "  object : TzelDataModelTable",
    "    TableAlias = 'Parts'",
    "    TableName = 'T0492.DB'",
    "    Left = 476",
    "    Top = 12",
    "    DatabaseName = 'PELLOX'",
    "    object : TzelDataModelField",
    "      FieldAlias = 'PartNo'",
    "      FieldName = 'PT_ITM_NO'",
    "      DataType = ftFloat",
    "      Alignment = taRightJustify",
    "      Position = 0",
    "    end",
    "  end",
    "  object : TzelJoin",
    "    LeftTableAlias = 'Customers'",
    "    RightTableAlias = 'Orders'",
    "    JoinType = zelJoinInner",
    "    Sequence = 0",
    "    object : TzelJoinField",
    "      LeftFieldAlias = 'CustNo'",
    "      RightFieldAlias = 'CustNo'",
    "      JoinOper = zelJoinEqual",
    "    end",
    "  end",
    "end",
};

template <typename T> T *as(const std::unique_ptr<TzelComponent> &p) {
  return qobject_cast<T *>(p.get());
}

} // namespace

class TestModelStoredForm : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    ZelRegistry &r = ZelRegistry::instance();
    r.registerClass<TzelDataModel>();
    r.registerClass<TzelModel>();
    r.registerClass<TzelDataModelTable>();
    r.registerClass<TzelDataModelField>();
    r.registerClass<TzelJoin>();
    r.registerClass<TzelJoinField>();
  }

  void writesTheDemonstrationExcerpt() {
    const QString text = StoredFormWriter().write(*excerptModel());
    QCOMPARE(text.split(QLatin1Char('\n')), join(fullText).split(QLatin1Char('\n')));
    // Every line of the excerpt stands in the full text, in the same order.
    qsizetype at = 0;
    for (const QString &line : excerpt) {
      at = fullText.indexOf(line, at);
      QVERIFY2(at >= 0, qPrintable(line));
    }
  }

  void readsTheExcerptBackIntoAnEqualModel() {
    const auto read = StoredFormReader().read(join(fullText));
    auto *model = as<TzelDataModel>(read);
    QVERIFY(model);
    QCOMPARE(StoredFormWriter().write(*model), join(fullText));
    QCOMPARE(model->TableCount(), 1);
    QCOMPARE(model->JoinCount(), 1);
    TzelTable *parts = model->GetTable(0);
    QCOMPARE(parts->Schema(), model);
    QCOMPARE(parts->GetDatabaseName(), QStringLiteral("PELLOX"));
    QCOMPARE(parts->FieldCount(), 1);
    QCOMPARE(parts->GetField(0)->Table(), parts);
    QCOMPARE(model->GetJoin(0)->JoinFieldCount(), 1);
    QVERIFY(!model->isLoading());
  }

  // A printed excerpt (lines left out) reads too: what it omits keeps the creation values.
  void readsThePrintedExcerpt() {
    const auto read = StoredFormReader().read(join(excerpt));
    QCOMPARE(StoredFormWriter().write(*read), join(fullText));
  }

  void roundTripOfEveryPropertyAwayFromItsDefault() {
    TzelModel model;
    model.setObjectName(QStringLiteral("zelModel2"));
    model.SetDatabaseType(zelOracle);
    TzelAbout *about = model.About();
    about->SetComments(QStringLiteral("Line one\r\nline 'two'"));
    about->SetCopyright(QStringLiteral("(c) Zoë"));
    about->SetHelpContext(-7);
    about->SetHelpCaption(QString());
    about->SetHelpFile(QStringLiteral("ONE.HLP"));
    about->SetLegalNotice(QStringLiteral("None"));
    about->SetProgramTitle(QStringLiteral("Demo"));
    about->SetProgramVersion(QString());
    TzelDisplay *display = model.Display();
    display->SetFormatCurrency(QStringLiteral("0.00 €"));
    display->SetFormatDate(QString());
    display->SetFormatDateTime(QStringLiteral("dd hh"));
    display->SetFormatFloat(QStringLiteral("0.0"));
    display->SetFormatTime(QStringLiteral("hh:nn"));
    model.SetAutoJoin(false);
    model.SetAliasAs(true); // away from the Oracle row, which must survive reading
    model.SetAliasByTable(true);
    model.SetBooleanQuote(zelQuoteSingle);
    model.SetDateFormat(QString());
    model.SetDateQuote(QStringLiteral("'"));
    model.SetDefaultFolder(QStringLiteral("/data/queries"));
    model.SetDefaultExtension(QStringLiteral("sql"));
    model.SetModelName(QStringLiteral("Sales"));
    model.SetNameQuote(zelQuoteBracket);
    model.SetStringQuote(zelQuoteNone);
    model.SetGroupBySelect(true);
    model.SetJoinMethod(zelJoinMixed);
    model.SetOrderByAlias(true);
    model.SetVerifyNames(false);
    for (int t = 0; t < 2; ++t) {
      const int i = model.AddTable(t ? QStringLiteral("pellox") : QStringLiteral("PELLOX"),
                                   QStringLiteral("T%1.DB").arg(t), QStringLiteral("Tab%1").arg(t));
      TzelTable *table = model.GetTable(i);
      table->SetLeft(-5);
      table->SetTop(9);
      table->SetHeight(200);
      table->SetWidth(0);
      const int f = table->AddField(QStringLiteral("F_1"), QStringLiteral("Field"), ftDateTime, 12);
      TzelField *field = table->GetField(f);
      field->SetAlignment(taCenter);
      field->SetFormat(QStringLiteral("dd/mm"));
      field->SetLookup(QStringLiteral("x=1"));
      field->SetIsKey(true);
      field->SetIsReadOnly(true);
      field->SetIsNullable(false);
      field->SetPosition(3);
    }
    const int j = model.AddJoin(QStringLiteral("Tab0"), zelJoinRight, 7, QStringLiteral("Tab1"));
    model.GetJoin(j)->AddJoinField(QString(), zelJoinGE, QStringLiteral("Field"));
    const QString text = StoredFormWriter().write(model);
    for (const char *line : {"About.HelpCaption = ''", "About.ProgramVersion = ''",
                             "Display.FormatDate = ''", "DateFormat = ''", "Height = 200",
                             "Width = 0", "IsNullable = False", "JoinOper = zelJoinGE"})
      QVERIFY2(text.contains(QLatin1String(line)), line);

    const auto read = StoredFormReader().read(text);
    auto *copy = as<TzelModel>(read);
    QVERIFY(copy);
    QCOMPARE(StoredFormWriter().write(*copy), text);
    QCOMPARE(copy->DatabaseType(), zelOracle);
    QVERIFY(copy->AliasAs());
    QCOMPARE(copy->About()->HelpCaption(), QString());
    QCOMPARE(copy->DatabaseNames(), QStringList({QStringLiteral("PELLOX")}));
  }

  void readIntoLeavesTheModelOnError() {
    TzelModel model;
    model.SetModelName(QStringLiteral("Keep"));
    QStringList bad = fullText;
    bad[0] = QStringLiteral("object zelDataModel1: TzelModel");
    bad.insert(30, QStringLiteral("    DatabaseName = ''"));
    try {
      StoredFormReader().readInto(&model, join(bad));
      QFAIL("no error");
    } catch (const EzelError &e) {
      QCOMPARE(e.message(), QStringLiteral("Error: Line 31: Database Name cannot be blank."));
    }
    QCOMPARE(model.ModelName(), QStringLiteral("Keep"));
    QCOMPARE(model.TableCount(), 0);
  }
};

QTEST_GUILESS_MAIN(TestModelStoredForm)
#include "tst_modelstoredform.moc"
