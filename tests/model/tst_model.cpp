// SPDX-License-Identifier: MIT
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "support/errorof.h"
#include "support/recordingmessages.h"
#include "support/scopedinteraction.h"

#include <QtTest>
#include <functional>

namespace {

// Shows a model's about box with show for the scope's lifetime.
class AboutBox : public ScopedInteraction {
public:
  explicit AboutBox(std::function<void(TzelModel &)> show) : m_show(std::move(show)) {}
  void showAbout(TzelModel &model) override { m_show(model); }

private:
  std::function<void(TzelModel &)> m_show;
};

// Restores the default locale when the test ends.
struct LocaleScope {
  explicit LocaleScope(const QLocale &locale) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

class TestModel : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void newModelDefaults();
  void dialectRows_data();
  void dialectRows();
  void localDatePattern_data();
  void localDatePattern();
  void databaseTypeReappliesButNotWhileLoading();
  void settingsObjectsAreCopied();
  void helpFileIgnoresMagicName();
  void databaseNamesShared();
  void addTableAliases();
  void addTableBlankName();
  void renameFieldAlias();
  void showHelp_data();
  void showHelp();
  void checkExportArguments_data();
  void checkExportArguments();
  void checkExportArgumentsPath();
  void assignCopiesDialectOnly();
  void storedChildren();
  void databaseOperationsAreHarmless();
  void storedFormKeepsDialect();
  void storedFormRoundTrip();
  void databaseTypesByName_data();
  void databaseTypesByName();
};

void TestModel::newModelDefaults() {
  TzelModel m;
  QCOMPARE(m.DatabaseType(), zelUnknown);
  QCOMPARE(m.NameQuote(), zelQuoteDouble);
  QCOMPARE(m.StringQuote(), zelQuoteDouble);
  QCOMPARE(m.BooleanQuote(), zelQuoteDouble);
  QCOMPARE(m.DateFormat(), QStringLiteral("mm\"/\"dd\"/\"yyyy"));
  QCOMPARE(m.DateQuote(), QStringLiteral("\""));
  QVERIFY(m.AutoJoin());
  QVERIFY(m.AliasAs());
  QVERIFY(m.AliasByTable());
  QVERIFY(m.OrderByAlias());
  QVERIFY(m.VerifyNames());
  QVERIFY(!m.GroupBySelect());
  QCOMPARE(m.JoinMethod(), zelJoinFrom);
  QCOMPARE(m.DefaultExtension(), QStringLiteral("zel;kvt"));
  QVERIFY(m.DatabaseNames().isEmpty());
  QCOMPARE(m.About()->HelpCaption(), QStringLiteral("&Help"));
  QCOMPARE(m.About()->HelpFile(), QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP"));
  QCOMPARE(m.About()->ProgramTitle(), QStringLiteral("Pellox"));
  QCOMPARE(m.About()->ProgramVersion(), QStringLiteral("Version 4.0"));
  QCOMPARE(m.Display()->FormatCurrency(), QStringLiteral("$#,#.00"));
  QCOMPARE(m.Display()->FormatDate(), QStringLiteral("ddddd"));
  QCOMPARE(m.Display()->FormatDateTime(), QStringLiteral("c"));
  QCOMPARE(m.Display()->FormatFloat(), QStringLiteral("#,#.00"));
  QCOMPARE(m.Display()->FormatTime(), QStringLiteral("t"));
}

void TestModel::dialectRows_data() {
  QTest::addColumn<TzelDatabase>("type");
  QTest::addColumn<QString>(
      "row"); // AliasAs AliasByTable Bool Name String GroupBy Join OrderBy Verify
  QTest::addColumn<QString>("dateFormat");
  QTest::addColumn<QString>("dateQuote");
  const QString slash = QStringLiteral("mm\"/\"dd\"/\"yyyy");
  const QString local = QStringLiteral("mm/dd/yyyy"); // the C locale: month first, '/'
  QTest::newRow("Unknown") << zelUnknown << "TT DDD F from TT" << slash << "\"";
  QTest::newRow("Access") << zelAccess << "TF NBS T from FT" << local << "#";
  QTest::newRow("Advantage") << zelAdvantage << "FF NDS F where FT"
                             << "yyyy-mm-dd"
                             << "'";
  QTest::newRow("Anywhere") << zelAnywhere << "FF NDD F from FT" << local << "\"";
  QTest::newRow("Apollo") << zelApollo << "TF NBD T from FT" << slash << "#";
  QTest::newRow("Btrieve") << zelBtrieve << "FF NDD T where FT" << local << "\"";
  QTest::newRow("DB2") << zelDB2 << "FF NDD F from TT" << local << "'";
  QTest::newRow("Dbase") << zelDbase << "TT DDD F from TT" << slash << "\"";
  QTest::newRow("DBISAM") << zelDBISAM << "FF DDD T from TT" << slash << "\"";
  QTest::newRow("Informix") << zelInformix << "FF NDD F mixed FT" << local << "\"";
  QTest::newRow("InterBase") << zelInterBase << "FF NDS F from FT"
                             << "yyyy-mm-dd"
                             << "'";
  QTest::newRow("MSSQL") << zelMSSQL << "TF NBS T from FT" << local << "'";
  QTest::newRow("Paradox") << zelParadox << "TT DDD F from TT" << slash << "\"";
  QTest::newRow("Oracle") << zelOracle << "FF NDS F where FT"
                          << "dd-mmm-yyyy"
                          << "TO_DATE(';', 'dd-mon-yyyy')";
  QTest::newRow("Sybase") << zelSybase << "TF NDD T from FT" << local << "\"";
  QTest::newRow("XQuery") << zelXQuery << "FF NBD T from TT" << slash << "#";
  QTest::newRow("SQLite") << zelSQLite << "TF NDS F from FT"
                          << "yyyy-mm-dd"
                          << "'";
  QTest::newRow("PostgreSQL") << zelPostgreSQL << "TF NDS T from FT"
                              << "yyyy-mm-dd"
                              << "'";
  QTest::newRow("MySQL") << zelMySQL << "TF NKS T from FT"
                         << "yyyy-mm-dd"
                         << "'";
}

void TestModel::dialectRows() {
  QFETCH(TzelDatabase, type);
  QFETCH(QString, row);
  QFETCH(QString, dateFormat);
  QFETCH(QString, dateQuote);
  const QStringList parts = row.split(QLatin1Char(' '));
  auto quote = [](QChar c) {
    switch (c.toLatin1()) {
    case 'N':
      return zelQuoteNone;
    case 'S':
      return zelQuoteSingle;
    case 'D':
      return zelQuoteDouble;
    case 'K':
      return zelQuoteBacktick;
    default:
      return zelQuoteBracket;
    }
  };
  const TzelJoinMethod method = parts[3] == QLatin1String("from")    ? zelJoinFrom
                                : parts[3] == QLatin1String("where") ? zelJoinWhere
                                                                     : zelJoinMixed;
  TzelModel m;
  m.SetAutoJoin(false);
  m.SetModelName(QStringLiteral("kept"));
  m.SetDatabaseType(type);
  QCOMPARE(m.DatabaseType(), type);
  QCOMPARE(m.AliasAs(), parts[0][0] == QLatin1Char('T'));
  QCOMPARE(m.AliasByTable(), parts[0][1] == QLatin1Char('T'));
  QCOMPARE(m.BooleanQuote(), quote(parts[1][0]));
  QCOMPARE(m.NameQuote(), quote(parts[1][1]));
  QCOMPARE(m.StringQuote(), quote(parts[1][2]));
  QCOMPARE(m.GroupBySelect(), parts[2] == QLatin1String("T"));
  QCOMPARE(m.JoinMethod(), method);
  QCOMPARE(m.OrderByAlias(), parts[4][0] == QLatin1Char('T'));
  QCOMPARE(m.VerifyNames(), parts[4][1] == QLatin1Char('T'));
  QCOMPARE(m.DateFormat(), dateFormat);
  QCOMPARE(m.DateQuote(), dateQuote);
  QVERIFY(!m.AutoJoin()); // not part of the dialect
  QCOMPARE(m.ModelName(), QStringLiteral("kept"));
}

void TestModel::localDatePattern_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QString>("pattern");
  QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << "dd.mm.yyyy";
  QTest::newRow("english US") << QLocale(QLocale::English, QLocale::UnitedStates) << "mm/dd/yyyy";
  QTest::newRow("swedish") << QLocale(QLocale::Swedish, QLocale::Sweden) << "yyyy-mm-dd";
}

void TestModel::localDatePattern() {
  QFETCH(QLocale, locale);
  QFETCH(QString, pattern);
  LocaleScope scope(locale);
  TzelModel m;
  m.SetDatabaseType(zelAccess);
  QCOMPARE(m.DateFormat(), pattern);
  QCOMPARE(m.DateQuote(), QStringLiteral("#"));
}

void TestModel::databaseTypeReappliesButNotWhileLoading() {
  TzelModel m;
  m.SetDatabaseType(zelMSSQL);
  m.SetNameQuote(zelQuoteDouble);
  m.SetDatabaseType(zelMSSQL);
  QCOMPARE(m.NameQuote(), zelQuoteBracket);

  m.SetNameQuote(zelQuoteNone);
  m.SetDateFormat(QStringLiteral("yyyy"));
  m.setLoading(true);
  m.SetDatabaseType(zelParadox);
  m.setLoading(false);
  QCOMPARE(m.DatabaseType(), zelParadox);
  QCOMPARE(m.NameQuote(), zelQuoteNone);
  QCOMPARE(m.DateFormat(), QStringLiteral("yyyy"));
}

void TestModel::settingsObjectsAreCopied() {
  TzelModel m;
  TzelAbout about;
  about.SetHelpFile(QStringLiteral("A.HLP;B.HLP"));
  about.SetComments(QStringLiteral("notes"));
  about.SetHelpContext(7);
  TzelAbout *own = m.About();
  m.SetAbout(&about);
  QCOMPARE(m.About(), own);
  QCOMPARE(own->HelpFile(), QStringLiteral("A.HLP;B.HLP"));
  QCOMPARE(own->Comments(), QStringLiteral("notes"));
  QCOMPARE(own->HelpContext(), 7);
  about.SetComments(QStringLiteral("changed"));
  QCOMPARE(own->Comments(), QStringLiteral("notes"));

  TzelDisplay display;
  display.SetFormatFloat(QStringLiteral("0.0"));
  m.SetDisplay(&display);
  QCOMPARE(m.Display()->FormatFloat(), QStringLiteral("0.0"));
  QVERIFY(m.Display() != &display);
  // Through the property system, as the stored-form reader assigns.
  TzelDisplay other;
  other.SetFormatTime(QStringLiteral("hh:nn"));
  QVERIFY(m.setProperty("Display", QVariant::fromValue(&other)));
  QCOMPARE(m.Display()->FormatTime(), QStringLiteral("hh:nn"));
}

void TestModel::helpFileIgnoresMagicName() {
  TzelAbout about;
  about.SetHelpFile(QStringLiteral("RODIDIR.UZO"));
  QCOMPARE(about.HelpFile(), QStringLiteral("VIZADUZ.HLP;ZOZEROD.HLP"));
  about.SetHelpFile(QStringLiteral("X.HLP"));
  QCOMPARE(about.HelpFile(), QStringLiteral("X.HLP"));
}

void TestModel::databaseNamesShared() {
  TzelModel m;
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("A.DB"), QString());
  m.AddTable(QStringLiteral("pellox"), QStringLiteral("B.DB"), QString());
  m.AddTable(QStringLiteral("OTHER"), QStringLiteral("C.DB"), QString());
  QCOMPARE(m.DatabaseNames(), QStringList({QStringLiteral("PELLOX"), QStringLiteral("OTHER")}));
  QCOMPARE(m.GetTable(1)->GetDatabaseName(), QStringLiteral("PELLOX"));
  auto *t = qobject_cast<TzelDataModelTable *>(m.GetTable(2));
  QCOMPARE(t->DatabaseIndex(), 1);
  QCOMPARE(m.DatabaseNameAt(0), QStringLiteral("PELLOX"));
  QCOMPARE(errorOf([&] { m.DatabaseNameAt(2); }),
           QStringLiteral("Error: List index out of bounds (2)"));
  QCOMPARE(m.InternDatabaseName(QStringLiteral("other")), 1);
  QCOMPARE(m.InternDatabaseName(QStringLiteral("NEW")), 2);
  // A table read before it belongs to a model keeps its name until attached.
  auto *loose = new TzelDataModelTable;
  loose->setProperty("DatabaseName", QStringLiteral("Pellox"));
  QCOMPARE(loose->DatabaseName(), QStringLiteral("Pellox"));
  QVERIFY(m.attachStoredChild(loose));
  QCOMPARE(loose->DatabaseIndex(), 0);
  QCOMPARE(loose->DatabaseName(), QStringLiteral("PELLOX"));
}

void TestModel::addTableAliases() {
  TzelModel m;
  QCOMPARE(m.AddTable(QStringLiteral("DB"), QStringLiteral("CUSTOMER.DB"), QString()), 0);
  QCOMPARE(m.AddTable(QStringLiteral("DB"), QStringLiteral("CUSTOMER.DB"), QString()), 1);
  QCOMPARE(m.GetTable(0)->TableAlias(), QStringLiteral("Customer"));
  QCOMPARE(m.GetTable(1)->TableAlias(), QStringLiteral("Customer_1"));
  QCOMPARE(m.GetTable(1)->TableName(), QStringLiteral("CUSTOMER.DB"));
  QCOMPARE(m.GetTable(1)->Schema(), &m);
  QCOMPARE(errorOf([&] {
             m.AddTable(QStringLiteral("DB"), QStringLiteral("X.DB"), QStringLiteral("customer"));
           }),
           QStringLiteral("Error: Table Alias [customer] already exists."));
  QCOMPARE(m.TableCount(), 2);
  QVERIFY(m.RaiseOnMissing());
}

void TestModel::addTableBlankName() {
  TzelModel m;
  QCOMPARE(errorOf([&] { m.AddTable(QStringLiteral("DB"), QString(), QStringLiteral("A")); }),
           QStringLiteral("Error: Table Name cannot be blank."));
  QCOMPARE(errorOf([&] { m.AddTable(QString(), QStringLiteral("T"), QStringLiteral("A")); }),
           QStringLiteral("Error: Database Name cannot be blank."));
  QCOMPARE(m.TableCount(), 0);
  m.SetRaiseOnMissing(false);
  QCOMPARE(m.AddTable(QString(), QStringLiteral("T"), QStringLiteral("A")), -1);
  QCOMPARE(m.TableCount(), 0);
  QCOMPARE(m.children().size(), 2); // About and Display only: the failed table was freed
}

void TestModel::renameFieldAlias() {
  TzelModel m;
  m.AddTable(QStringLiteral("DB"), QStringLiteral("C"), QStringLiteral("Customers"));
  m.AddTable(QStringLiteral("DB"), QStringLiteral("O"), QStringLiteral("Orders"));
  m.AddTable(QStringLiteral("DB"), QStringLiteral("I"), QStringLiteral("Invoices"));
  m.GetTable(0)->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  m.GetTable(0)->AddField(QStringLiteral("NAME"), QStringLiteral("Name"), ftString, 30);
  m.GetTable(1)->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  m.GetTable(2)->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  m.AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  m.GetJoin(0)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));
  m.AddJoin(QStringLiteral("Invoices"), zelJoinInner, 0, QStringLiteral("customers"));
  m.GetJoin(1)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("custno"));
  m.AddJoin(QStringLiteral("Orders"), zelJoinInner, 0, QStringLiteral("Invoices"));
  m.GetJoin(2)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));

  QVERIFY(m.RenameFieldAlias(0, 0, QStringLiteral("ClientNo")));
  QCOMPARE(m.GetTable(0)->GetField(0)->FieldAlias(), QStringLiteral("ClientNo"));
  QCOMPARE(m.GetJoin(0)->GetJoinField(0)->LeftFieldAlias(), QStringLiteral("ClientNo"));
  QCOMPARE(m.GetJoin(0)->GetJoinField(0)->RightFieldAlias(), QStringLiteral("CustNo"));
  QCOMPARE(m.GetJoin(1)->GetJoinField(0)->LeftFieldAlias(), QStringLiteral("CustNo"));
  QCOMPARE(m.GetJoin(1)->GetJoinField(0)->RightFieldAlias(), QStringLiteral("ClientNo"));
  QCOMPARE(m.GetJoin(2)->GetJoinField(0)->LeftFieldAlias(), QStringLiteral("CustNo"));
  QCOMPARE(m.GetJoin(2)->GetJoinField(0)->RightFieldAlias(), QStringLiteral("CustNo"));

  QCOMPARE(errorOf([&] { m.RenameFieldAlias(0, 0, QStringLiteral("name")); }),
           QStringLiteral("Error: Field Alias [name] already exists"));
  QVERIFY(m.GetTable(0)->RaiseOnMissing());
  QVERIFY(m.RenameFieldAlias(0, 0, QStringLiteral("CLIENTNO"))); // case only
  QCOMPARE(m.GetJoin(0)->GetJoinField(0)->LeftFieldAlias(), QStringLiteral("CLIENTNO"));
  QCOMPARE(errorOf([&] { m.RenameFieldAlias(0, 0, QStringLiteral("  ")); }),
           QStringLiteral("Error: Field Alias cannot be blank."));
}

void TestModel::showHelp_data() {
  QTest::addColumn<QString>("helpFile");
  QTest::addColumn<int>("fileIndex");
  QTest::addColumn<QString>("expected");
  QTest::newRow("report help") << "VIZADUZ.HLP;ZOZEROD.HLP" << 1 << "ZOZEROD.HLP";
  QTest::newRow("query help") << "VIZADUZ.HLP;ZOZEROD.HLP" << 0 << "VIZADUZ.HLP";
  QTest::newRow("blank means default") << "  " << 1 << "ZOZEROD.HLP";
  QTest::newRow("one file") << "MINE.HLP" << 1 << "MINE.HLP";
}

void TestModel::showHelp() {
  QFETCH(QString, helpFile);
  QFETCH(int, fileIndex);
  QFETCH(QString, expected);
  RecordingHelp help;
  TzelModel m;
  m.About()->SetHelpFile(helpFile);
  m.ShowHelp(fileIndex, 0);
  m.ShowHelp(fileIndex, -1);
  QCOMPARE(help.calls.size(), 2);
  QCOMPARE(help.calls[0].helpFile, expected);
  QCOMPARE(help.calls[0].context, 0);
  QCOMPARE(help.calls[1].context, -1);
}

void TestModel::checkExportArguments_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<bool>("accepted");
  for (int type = 0; type <= 15; ++type)
    QTest::addRow("type %d", type)
        << type << (type == 1 || type == 2 || type == 5 || type == 6 || type == 9);
}

void TestModel::checkExportArguments() {
  QFETCH(int, type);
  QFETCH(bool, accepted);
  RecordingMessages rec;
  TzelModel m;
  QObject query;
  QString name = QStringLiteral("/tmp/out.dbf");
  QCOMPARE(m.CheckExportArguments(&query, name, type), accepted);
  if (accepted) {
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(name, QStringLiteral("/tmp/out.dbf"));
  } else {
    QCOMPARE(
        rec.texts(),
        QStringList(QStringLiteral("Error: The ExportTable method does not support file type ") +
                    QString::number(type) + QStringLiteral(".")));
    QCOMPARE(rec.messages[0].kind, TzelMessageKind::Error);
    QCOMPARE(rec.messages[0].buttons, TzelButtons::Ok);
  }
}

void TestModel::checkExportArgumentsPath() {
  RecordingMessages rec;
  TzelModel m;
  QObject query;
  QString name = QStringLiteral("out.dbf");
  QVERIFY(m.CheckExportArguments(&query, name, 5));
  QCOMPARE(name, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("out.dbf")));
  QString blank = QStringLiteral("  ");
  QVERIFY(!m.CheckExportArguments(&query, blank, 9));
  QVERIFY(!m.CheckExportArguments(nullptr, name, 5));
  QCOMPARE(rec.texts(),
           QStringList({QStringLiteral("Error: Table Name cannot be blank."),
                        QStringLiteral("Error: cQuery parameter of ExportQuery method cannot be "
                                       "blank.")}));
}

void TestModel::assignCopiesDialectOnly() {
  TzelModel source;
  source.SetDatabaseType(zelOracle);
  source.SetDateFormat(QStringLiteral("yyyy"));
  source.SetAutoJoin(false);
  source.SetDefaultFolder(QStringLiteral("/q"));
  source.SetModelName(QStringLiteral("Source"));
  source.About()->SetComments(QStringLiteral("about"));
  source.Display()->SetFormatDate(QStringLiteral("dd"));
  source.AddTable(QStringLiteral("DB"), QStringLiteral("T"), QStringLiteral("A"));

  TzelModel target;
  target.Assign(&source);
  QCOMPARE(target.DatabaseType(), zelOracle);
  QCOMPARE(target.DateFormat(), QStringLiteral("yyyy")); // not re-derived from the type
  QCOMPARE(target.JoinMethod(), zelJoinWhere);
  QCOMPARE(target.StringQuote(), zelQuoteSingle);
  QCOMPARE(target.DateQuote(), QStringLiteral("TO_DATE(';', 'dd-mon-yyyy')"));
  QVERIFY(target.AutoJoin());
  QVERIFY(target.DefaultFolder().isEmpty());
  QVERIFY(target.ModelName().isEmpty());
  QVERIFY(target.About()->Comments().isEmpty());
  QCOMPARE(target.Display()->FormatDate(), QStringLiteral("ddddd"));
  QCOMPARE(target.TableCount(), 1);
  QCOMPARE(target.GetTable(0)->GetDatabaseName(), QStringLiteral("DB"));
}

void TestModel::storedChildren() {
  TzelModel m;
  m.AddTable(QStringLiteral("DB"), QStringLiteral("A"), QStringLiteral("A"));
  m.AddTable(QStringLiteral("DB"), QStringLiteral("B"), QStringLiteral("B"));
  m.AddJoin(QStringLiteral("A"), zelJoinInner, 0, QStringLiteral("B"));
  m.AddJoin(QStringLiteral("B"), zelJoinInner, 0, QStringLiteral("C"));
  m.GetTable(0)->AddField(QStringLiteral("F"), QStringLiteral("F"), ftString, 1);
  m.GetTable(0)->AddField(QStringLiteral("G"), QStringLiteral("G"), ftString, 1);
  m.GetTable(0)->GetField(0)->SetDeleted(true);
  m.DeleteTable(QStringLiteral("A"));
  const QList<TzelComponent *> children = m.storedChildren();
  QCOMPARE(children.size(), 2);
  QCOMPARE(children[0], m.GetTable(1));
  QCOMPARE(children[1], m.GetJoin(1));
  QCOMPARE(m.GetTable(0)->storedChildren(), QList<TzelComponent *>{m.GetTable(0)->GetField(1)});
  // Attachment accepts the model's own kinds only.
  TzelJoin *join = new TzelJoin;
  QVERIFY(m.attachStoredChild(join));
  QCOMPARE(join->Schema(), &m);
  TzelDataModelField field;
  QVERIFY(!m.attachStoredChild(&field));
  auto *f = new TzelDataModelField;
  QVERIFY(m.GetTable(1)->attachStoredChild(f));
  QCOMPARE(f->Table(), m.GetTable(1));
  QCOMPARE(m.GetTable(1)->FieldCount(), 1);
}

void TestModel::databaseOperationsAreHarmless() {
  TzelModel m;
  QStringList list{QStringLiteral("x")};
  m.GetDatabaseNames(list);
  QVERIFY(list.isEmpty());
  QVERIFY(m.DatabasePrefix(QStringLiteral("PELLOX")).isEmpty());
  QCOMPARE(m.AddTableFromDatabase(QStringLiteral("PELLOX"), QStringLiteral("T.DB")), -1);
  QCOMPARE(m.FirstWorkQuery(), nullptr);
  m.ShowAbout(); // no about box installed: nothing happens
  int shown = 0;
  {
    AboutBox box([&](TzelModel &model) {
      QCOMPARE(&model, &m);
      ++shown;
    });
    m.ShowAbout();
  }
  QCOMPARE(shown, 1);
}

// The demonstration model's excerpt, with AliasAs changed from the Paradox default.
static const char *const kStoredModel = R"(object zelDataModel1: TzelModel
  About.HelpContext = 0
  About.HelpCaption = '&Help'
  About.HelpFile = 'VIZADUZ.HLP;ZOZEROD.HLP'
  Display.FormatCurrency = '$#,#.00'
  AutoJoin = True
  AliasAs = False
  DatabaseType = zelParadox
  DateFormat = 'mm"/"dd"/"yyyy'
  DateQuote = '"'
  DefaultExtension = 'zel;kvt'
  NameQuote = zelQuoteDouble
  JoinMethod = zelJoinFrom
  VerifyNames = True
  object : TzelDataModelTable
    TableAlias = 'Parts'
    TableName = 'T0492.DB'
    Left = 476
    Top = 12
    DatabaseName = 'PELLOX'
    object : TzelDataModelField
      FieldAlias = 'PartNo'
      FieldName = 'PT_ITM_NO'
      DataType = ftFloat
      Alignment = taRightJustify
      Position = 0
    end
  end
  object : TzelJoin
    LeftTableAlias = 'Customers'
    RightTableAlias = 'Orders'
    JoinType = zelJoinInner
    Sequence = 0
    object : TzelJoinField
      LeftFieldAlias = 'CustNo'
      RightFieldAlias = 'CustNo'
      JoinOper = zelJoinEqual
    end
  end
end
)";

void TestModel::storedFormKeepsDialect() {
  const std::unique_ptr<TzelComponent> read =
      StoredFormReader().read(QString::fromUtf8(kStoredModel));
  auto *m = qobject_cast<TzelModel *>(read.get());
  QVERIFY(m);
  QCOMPARE(m->objectName(), QStringLiteral("zelDataModel1"));
  QCOMPARE(m->DatabaseType(), zelParadox);
  QVERIFY(!m->AliasAs()); // the type's defaults were not applied while reading
  QVERIFY(!m->isLoading());
  QCOMPARE(m->TableCount(), 1);
  TzelTable *parts = m->GetTable(0);
  QCOMPARE(parts->Schema(), m);
  QCOMPARE(parts->TableName(), QStringLiteral("T0492.DB"));
  QCOMPARE(parts->Left(), 476);
  QCOMPARE(parts->Height(), 165);
  QCOMPARE(parts->GetDatabaseName(), QStringLiteral("PELLOX"));
  QCOMPARE(m->DatabaseNames(), QStringList(QStringLiteral("PELLOX")));
  const TzelField *f = parts->GetField(0);
  QCOMPARE(f->Table(), parts);
  QCOMPARE(f->FieldName(), QStringLiteral("PT_ITM_NO"));
  QCOMPARE(f->DataType(), ftFloat);
  QCOMPARE(f->Alignment(), taRightJustify);
  QVERIFY(f->IsNullable());
  QCOMPARE(m->JoinCount(), 1);
  QCOMPARE(m->GetJoin(0)->Schema(), m);
  QCOMPARE(m->GetJoin(0)->GetJoinField(0)->Join(), m->GetJoin(0));
  QCOMPARE(m->GetJoin(0)->GetJoinField(0)->RightFieldAlias(), QStringLiteral("CustNo"));
}

void TestModel::storedFormRoundTrip() {
  TzelModel m;
  m.setObjectName(QStringLiteral("zelDataModel1"));
  m.SetDatabaseType(zelParadox);
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("T0492.DB"), QStringLiteral("Parts"));
  m.AddTable(QStringLiteral("PELLOX"), QStringLiteral("GONE.DB"), QStringLiteral("Gone"));
  TzelTable *parts = m.GetTable(0);
  parts->SetLeft(476);
  parts->SetTop(12);
  parts->AddField(QStringLiteral("PT_ITM_NO"), QStringLiteral("PartNo"), ftFloat, 0);
  parts->GetField(0)->SetAlignment(taRightJustify);
  m.DeleteTable(QStringLiteral("Gone"));
  m.AddJoin(QStringLiteral("Customers"), zelJoinInner, 0, QStringLiteral("Orders"));
  m.GetJoin(0)->AddJoinField(QStringLiteral("CustNo"), zelJoinEqual, QStringLiteral("CustNo"));

  const QString text = StoredFormWriter().write(m);
  const QStringList lines = text.split(QLatin1Char('\n'));
  // The example's lines, in its order (the writer adds the properties the excerpt leaves out).
  qsizetype at = 0;
  for (const QString &expected : QString::fromUtf8(kStoredModel).split(QLatin1Char('\n'))) {
    if (expected.contains(QLatin1String("AliasAs")))
      continue;
    const qsizetype found = lines.indexOf(expected, at);
    QVERIFY2(found >= 0, qPrintable(expected));
    at = found + 1;
  }
  QVERIFY(!text.contains(QLatin1String("Gone")));
  QVERIFY(!text.contains(QLatin1String("Height")));
  QVERIFY(text.contains(QLatin1String("  AliasByTable = True\n")));
  QVERIFY(text.contains(QLatin1String("  About.ProgramTitle = 'Pellox'\n")));

  const std::unique_ptr<TzelComponent> read = StoredFormReader().read(text);
  QCOMPARE(StoredFormWriter().write(*read), text);
}

// Every database type is stored by name and read back as the same ordinal: the sixteen older
// ones keep their places, the native ones come after them.
void TestModel::databaseTypesByName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("ordinal");
  const QMetaEnum types = QMetaEnum::fromType<TzelDatabase>();
  QCOMPARE(types.keyCount(), 19);
  for (int i = 0; i < types.keyCount(); ++i)
    QTest::newRow(types.key(i)) << QString::fromLatin1(types.key(i)) << types.value(i);
}

void TestModel::databaseTypesByName() {
  QFETCH(QString, name);
  QFETCH(int, ordinal);
  QCOMPARE(ordinal, QMetaEnum::fromType<TzelDatabase>().keyToValue(qPrintable(name)));
  if (name == QLatin1String("zelXQuery"))
    QCOMPARE(ordinal, 15);
  if (name == QLatin1String("zelSQLite") || name == QLatin1String("zelPostgreSQL") ||
      name == QLatin1String("zelMySQL"))
    QVERIFY(ordinal > int(zelXQuery));
  QString text = QString::fromUtf8(kStoredModel);
  text.replace(QStringLiteral("zelParadox"), name);
  const std::unique_ptr<TzelComponent> read = StoredFormReader().read(text);
  auto *m = qobject_cast<TzelModel *>(read.get());
  QVERIFY(m);
  QCOMPARE(int(m->DatabaseType()), ordinal);
  QVERIFY(StoredFormWriter().write(*m).contains(QStringLiteral("  DatabaseType = ") + name + '\n'));
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
