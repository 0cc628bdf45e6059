// The command-line tool run as a process on the sample model and its stored query over the
// sample PELLOX tables. Every expectation is what the components give in this process for
// the same files.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zelparadoxfile.h"
#include "database/zelsession.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "model/storedform.h"
#include "model/zelmodel.h"
#include "model/zelquery.h"
#include "model/zelregistry.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/smalldisk.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
  int status = -1;
  QByteArray out;
  QString err;
};

} // namespace

class TestZelQuery : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void sqlEqualsGenerateSQL();
  void runEqualsEngineRows_data();
  void runEqualsEngineRows();
  void readmeExampleUnderEveryLocale_data();
  void readmeExampleUnderEveryLocale();
  void aliasesFile();
  void aliasesFileWithPasswordMustBePrivate();
  void exportDelimited_data();
  void exportDelimited();
  void exportTables_data();
  void exportTables();
  void brokenModel();
  void brokenQueryFile();
  void missingQueryFile();
  void parameters();
  void unknownQueryName();
  void check();
  void design();
  void wrongCommandLine_data();
  void wrongCommandLine();
  void help_data();
  void help();
  void interruptCancelsTheStatement();
  void exportOverATableTheQueryReadsIsRefused();
  void signalDuringTableExportLeavesNoFile_data();
  void signalDuringTableExportLeavesNoFile();
  void fullDiskExitsWithTheReason_data();
  void fullDiskExitsWithTheReason();

private:
  void makeBigDatabase(const QString &db);
  ToolRun tool(const QStringList &args, const QString &aliasesFile = QString(),
               const QString &lang = QString());
  QStringList aliasArgs() const;
  std::unique_ptr<TzelModel> readModel(const QString &file) const;
  QString firstDatabase(TzelQuerion &querion) const;
  QByteArray engineRows(const QString &queryFile, QChar separator, bool names,
                        QList<QVariantList> *rows = nullptr);
  QString writeParamQuery(const QString &filter);

  QTemporaryDir m_dir;
  QString m_tool;
  QString m_model;
  QString m_query;
  QString m_data; // the folder of the sample tables
};

void TestZelQuery::initTestCase() {
  QVERIFY(m_dir.isValid());
  // The sample model is a database-bound one, which its host registers (as the tool does).
  if (!ZelRegistry::instance().contains(u"TzelDataModel"_s))
    ZelRegistry::instance().registerClass<TzelDataModel>();
  m_tool = QCoreApplication::applicationDirPath() + u"/zelquery"_s;
  QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
  m_model = examplesFile(u"pellox-model.txt"_s);
  m_query = examplesFile(u"step1.zel"_s);
  QVERIFY(QFileInfo::exists(m_model));
  QVERIFY(QFileInfo::exists(m_query));

  // The sample tables are built beside the executables.
  m_data = QCoreApplication::applicationDirPath() + u"/Data"_s;
  QVERIFY2(QFileInfo::exists(m_data + u"/T0490.DB"_s), qPrintable(m_data));
  TzelSession::defaultSession().registerAlias({u"PELLOX"_s, u"STANDARD"_s, {u"PATH="_s + m_data}});
  QVERIFY(readModel(m_model));
}

ToolRun TestZelQuery::tool(const QStringList &args, const QString &aliasesFile,
                           const QString &lang) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!lang.isEmpty()) {
    env.insert(u"LANG"_s, lang);
    env.insert(u"LC_ALL"_s, lang);
  }
  env.insert(u"ZEL_ALIASES_FILE"_s,
             aliasesFile.isEmpty() ? m_dir.filePath(u"no-aliases.ini"_s) : aliasesFile);
  process.setProcessEnvironment(env);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(m_tool, args);
  ToolRun run;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QStringList TestZelQuery::aliasArgs() const {
  return {u"--alias"_s, u"PELLOX=standard:"_s + m_data};
}

std::unique_ptr<TzelModel> TestZelQuery::readModel(const QString &file) const {
  std::unique_ptr<TzelComponent> read = StoredFormReader().read(loadStoredFormFile(file));
  if (!qobject_cast<TzelModel *>(read.get()))
    return nullptr;
  return std::unique_ptr<TzelModel>(static_cast<TzelModel *>(read.release()));
}

QString TestZelQuery::firstDatabase(TzelQuerion &querion) const {
  TzelQuery *query = querion.CurrentQuery();
  return query->TableCount() > 0 ? query->GetTable(0)->GetDatabaseName() : QString();
}

// The records the engine returns for the query file, as the writer lays them out.
QByteArray TestZelQuery::engineRows(const QString &queryFile, QChar separator, bool names,
                                    QList<QVariantList> *rows) {
  const std::unique_ptr<TzelModel> model = readModel(m_model);
  TzelDataset dataset;
  TzelQuerion querion;
  querion.SetDataModel(model.get());
  querion.SetDataQuery(&dataset);
  RecordingMessages rec;
  if (!querion.LoadFromFile(queryFile))
    return "load failed";
  dataset.setDatabaseName(firstDatabase(querion));
  if (!querion.Execute())
    return "execute failed: " + rec.texts().join(u'\n').toUtf8();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteDelimitedRecords(dataset, buffer, separator, names);
  if (rows)
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
      QVariantList r;
      for (int i = 0; i < dataset.FieldCount(); ++i)
        r.append(dataset.Fields(i)->Value());
      rows->append(r);
    }
  return buffer.data();
}

QString TestZelQuery::writeParamQuery(const QString &filter) {
  const std::unique_ptr<TzelModel> model = readModel(m_model);
  TzelQuerion querion;
  querion.setObjectName(u"zelQuerion1"_s);
  querion.SetDataModel(model.get());
  RecordingMessages rec;
  if (!querion.LoadFromFile(m_query))
    return {};
  TzelQuery *query = querion.CurrentQuery();
  for (int i = 0; i < query->ValueCount(); ++i) {
    TzelQueryValue *value = query->GetValue(i);
    if (!value->Deleted() && value->Show() < zelHide && !IsBlank(value->TableAlias())) {
      value->SetFilter(1, zelFilterEqual, filter);
      break;
    }
  }
  const QString file = m_dir.filePath(u"param-"_s + QString::number(qHash(filter)) + u".zel"_s);
  return querion.SaveToFile(file) ? file : QString();
}

void TestZelQuery::sqlEqualsGenerateSQL() {
  const std::unique_ptr<TzelModel> model = readModel(m_model);
  TzelQuerion querion;
  querion.SetDataModel(model.get());
  RecordingMessages rec;
  QVERIFY(querion.LoadFromFile(m_query));
  QVERIFY(querion.GenerateSQL());
  QVERIFY(!querion.SQL().isEmpty());

  const ToolRun run = tool({u"sql"_s, m_model, m_query});
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QCOMPARE(QString::fromUtf8(run.out), querion.SQL().join(u'\n') + u'\n');
}

void TestZelQuery::runEqualsEngineRows_data() {
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<bool>("names");
  QTest::newRow("csv") << QStringList() << QChar(u',') << false;
  QTest::newRow("csv with names") << QStringList{u"--names"_s} << QChar(u',') << true;
  QTest::newRow("tab with names") << QStringList{u"--format"_s, u"tab"_s, u"--names"_s}
                                  << QChar(u'\t') << true;
}

void TestZelQuery::runEqualsEngineRows() {
  QFETCH(QStringList, options);
  QFETCH(QChar, separator);
  QFETCH(bool, names);
  const QByteArray expected = engineRows(m_query, separator, names);
  QVERIFY2(!expected.startsWith("execute failed") && !expected.startsWith("load failed"),
           expected.constData());
  const ToolRun run = tool(QStringList{u"run"_s, m_model, m_query} + options + aliasArgs());
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QCOMPARE(run.out, expected);
  if (names)
    QVERIFY(run.out.contains("\r\n"));
}

// The README shows the first records of "run --names": the tool prints exactly them under an
// English/US or C locale, and four-digit years under every locale.
void TestZelQuery::readmeExampleUnderEveryLocale_data() {
  QTest::addColumn<QString>("lang");
  QTest::addColumn<QString>("firstDate");
  QTest::newRow("C") << u"C.UTF-8"_s << u"3/26/1998"_s;
  QTest::newRow("en_US") << u"en_US.UTF-8"_s << u"3/26/1998"_s;
  QTest::newRow("en_GB") << u"en_GB.UTF-8"_s << u"26/03/1998"_s;
  QTest::newRow("de_DE") << u"de_DE.UTF-8"_s << u"26.03.1998"_s;
}

void TestZelQuery::readmeExampleUnderEveryLocale() {
  QFETCH(QString, lang);
  QFETCH(QString, firstDate);
  QFile readme(QStringLiteral(ZEL_SOURCE_DIR "/README.md"));
  QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
  const qsizetype command = lines.indexOf(
      u"    $ zelquery run examples/pellox-model.txt examples/step1.zel --names \\"_s);
  QVERIFY(command >= 0);
  QStringList shown; // after the command's continuation line, up to "..."
  for (qsizetype i = command + 2; i < lines.size() && lines[i] != u"    ..."; ++i)
    shown << lines[i].mid(4);
  QVERIFY(shown.size() > 1);
  const ToolRun run =
      tool(QStringList{u"run"_s, m_model, m_query, u"--names"_s} + aliasArgs(), {}, lang);
  QCOMPARE(run.status, 0);
  QStringList printed = QString::fromUtf8(run.out).split(u"\r\n"_s).mid(0, shown.size());
  QCOMPARE(printed[1].section(u',', 2, 2), u'"' + firstDate + u'"');
  if (firstDate == u"3/26/1998")
    QCOMPARE(printed, shown);
}

void TestZelQuery::aliasesFile() {
  const QString ini = m_dir.filePath(u"aliases.ini"_s);
  {
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("[PELLOX]\nDriver=STANDARD\nPATH=" + m_data + "\n").toUtf8());
  }
  const ToolRun run = tool({u"run"_s, m_model, m_query, u"--names"_s}, ini);
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QCOMPARE(run.out, engineRows(m_query, u',', true));
}

// A password in an aliases file that others can read: refused, with the way to mend it.
void TestZelQuery::aliasesFileWithPasswordMustBePrivate() {
  const QString ini = m_dir.filePath(u"secret-aliases.ini"_s);
  {
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("[PELLOX]\nDriver=STANDARD\nPath=" + m_data + "\nPassword=x\n").toUtf8());
  }
  const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
  QVERIFY(QFile::setPermissions(ini, ownerOnly | QFileDevice::ReadGroup));
  ToolRun run = tool({u"run"_s, m_model, m_query}, ini);
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, u"Error: The aliases file [%1] holds a password but other users can read it; "
                    "make it private with: chmod 600 %1\n"_s.arg(ini));
  QVERIFY(QFile::setPermissions(ini, ownerOnly));
  run = tool({u"run"_s, m_model, m_query}, ini);
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
}

void TestZelQuery::exportDelimited_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<bool>("names");
  QTest::newRow("csv") << u"out.csv"_s << QStringList() << QChar(u',') << true;
  QTest::newRow("tab without names")
      << u"out.tab"_s << QStringList{u"--no-names"_s} << QChar(u'\t') << false;
}

void TestZelQuery::exportDelimited() {
  QFETCH(QString, file);
  QFETCH(QStringList, options);
  QFETCH(QChar, separator);
  QFETCH(bool, names);
  const QString path = m_dir.filePath(file);
  const ToolRun run =
      tool(QStringList{u"export"_s, m_model, m_query, u"--out"_s, path} + options + aliasArgs());
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QVERIFY(run.out.isEmpty());
  QFile written(path);
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readAll(), engineRows(m_query, separator, names));
}

void TestZelQuery::exportTables_data() {
  QTest::addColumn<QString>("file");
  QTest::newRow("dBase") << u"out.dbf"_s;
  QTest::newRow("Paradox") << u"out.db"_s;
}

void TestZelQuery::exportTables() {
  QFETCH(QString, file);
  if (QString::fromLatin1(readModel(m_model)->metaObject()->className()) == u"TzelModel")
    QSKIP("The sample model is no database-bound data model; it cannot export tables");
  const QString path = m_dir.filePath(file);
  const ToolRun run =
      tool(QStringList{u"export"_s, m_model, m_query, u"--out"_s, path} + aliasArgs());
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QList<QVariantList> expected;
  engineRows(m_query, u',', false, &expected);
  TzelTableData data;
  const TzelFileResult read =
      file.endsWith(u".dbf") ? readDbaseTable(path, data) : readParadoxTable(path, data);
  QVERIFY2(read.ok, qPrintable(read.text));
  QCOMPARE(data.rows.size(), expected.size());
  for (int r = 0; r < expected.size(); ++r)
    for (int c = 0; c < data.columns.size(); ++c)
      QCOMPARE(data.rows[r].value(c).toString(), expected[r].value(c).toString());
}

void TestZelQuery::brokenModel() {
  const QString broken = m_dir.filePath(u"broken-model.txt"_s);
  {
    QFile model(m_model);
    QVERIFY(model.open(QIODevice::ReadOnly));
    QByteArray text = model.readAll();
    text.replace("end", "ned"); // every block loses its end
    QFile out(broken);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
  }
  QString message;
  try {
    StoredFormReader().read(loadStoredFormFile(broken));
  } catch (const EzelError &error) {
    message = error.message();
  }
  QVERIFY(message.startsWith(u"Error: Line "_s));
  for (const QString &command : {u"sql"_s, u"run"_s, u"check"_s}) {
    const ToolRun run = tool({command, broken, m_query});
    QCOMPARE(run.status, 1);
    // The message names the model file, not to be taken for the query file.
    QCOMPARE(run.err, u"Error: "_s + broken + u": "_s + message.mid(7) + u'\n');
    QVERIFY(run.out.isEmpty());
  }
}

void TestZelQuery::brokenQueryFile() {
  const QString broken = m_dir.filePath(u"broken.zel"_s);
  {
    QFile query(m_query);
    QVERIFY(query.open(QIODevice::ReadOnly));
    QByteArray text = query.readAll();
    text.replace("QueryName = '", "QueryName = "); // an unclosed text
    QFile out(broken);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
  }
  const std::unique_ptr<TzelModel> model = readModel(m_model);
  TzelQuerion querion;
  querion.SetDataModel(model.get());
  RecordingMessages rec;
  QVERIFY(!querion.LoadFromFile(broken));
  QCOMPARE(rec.messages.size(), 1);
  QVERIFY2(rec.lastText().startsWith(u"Error: "_s + broken + u": Line "_s),
           qPrintable(rec.lastText()));
  const ToolRun run = tool(QStringList{u"run"_s, m_model, broken} + aliasArgs());
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, rec.lastText() + u'\n');
  QVERIFY(run.out.isEmpty());
}

void TestZelQuery::missingQueryFile() {
  const QString missing = m_dir.filePath(u"missing.zel"_s);
  const ToolRun run = tool({u"sql"_s, m_model, missing});
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, u"Error: The "_s + missing + u" file does not exist\n"_s);
}

void TestZelQuery::parameters() {
  const QString bare = writeParamQuery(u"[Vendor]|"_s);
  QVERIFY(!bare.isEmpty());
  ToolRun run = tool({u"sql"_s, m_model, bare});
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, u"Error: The [Vendor] parameter cannot be blank\n"_s);
  QVERIFY(run.out.isEmpty());

  run = tool({u"sql"_s, m_model, bare, u"--param"_s, u"vendor=O'Brien"_s});
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QVERIFY2(run.out.contains("O'Brien") || run.out.contains("O''Brien"), run.out.constData());

  run = tool({u"sql"_s, m_model, bare, u"--param"_s, u"Vendor=x"_s, u"--param"_s, u"Colour=red"_s});
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, u"Error: The query has no [Colour] parameter\n"_s);

  const QString preset = writeParamQuery(u"[Vendor]=Acme|"_s);
  run = tool({u"sql"_s, m_model, preset});
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QVERIFY(run.out.contains("Acme"));
}

void TestZelQuery::unknownQueryName() {
  const ToolRun named = tool({u"sql"_s, m_model, m_query, u"--query"_s, u"step 1"_s});
  QCOMPARE(named.status, 0);
  QCOMPARE(named.out, tool({u"sql"_s, m_model, m_query}).out);
  const ToolRun run = tool({u"sql"_s, m_model, m_query, u"--query"_s, u"Step 9"_s});
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err, u"Error: The [Step 9] query does not exist in "_s + m_query + u'\n');
}

void TestZelQuery::check() {
  ToolRun run = tool(QStringList{u"check"_s, m_model} + aliasArgs());
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  run = tool(QStringList{u"check"_s, m_model, m_query} + aliasArgs());
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);

  run = tool({u"check"_s, m_model});
  QCOMPARE(run.status, 1);
  QVERIFY2(run.err.startsWith(u"Error: Unknown database [PELLOX]\n"_s), qPrintable(run.err));
  // An aliases file that is no aliases file at all is named, with why it could not be read.
  const QString garbage = m_dir.filePath(u"garbage-aliases.ini"_s);
  {
    QFile out(garbage);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
  }
  run = tool({u"check"_s, m_model}, garbage);
  QVERIFY2(run.err.startsWith(u"Error: Unknown database [PELLOX]: the aliases file ["_s + garbage +
                              u"] could not be read (it holds no [alias] section)\n"_s),
           qPrintable(run.err));

  // A model without a dialect fails the setup check, numbered as the component numbers it.
  const QString unknown = m_dir.filePath(u"unknown-model.txt"_s);
  {
    QFile model(m_model);
    QVERIFY(model.open(QIODevice::ReadOnly));
    QByteArray text = model.readAll();
    const qsizetype at = text.indexOf("DatabaseType = ");
    QVERIFY(at > 0);
    text.replace(at, text.indexOf('\n', at) - at, "DatabaseType = zelUnknown");
    QFile out(unknown);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(text);
  }
  run = tool(QStringList{u"check"_s, unknown} + aliasArgs());
  QCOMPARE(run.status, 1);
  QVERIFY2(run.err.startsWith(u"Error 2: The DatabaseType property of "_s), qPrintable(run.err));
  QVERIFY(run.err.contains(u" = zelUnknown\n"_s));
}

// The statement the tool prints, read back as a design and written to a query file, prints
// the same; a statement no design holds gives status 1, the message and no file.
void TestZelQuery::design() {
  const ToolRun sql = tool({u"sql"_s, m_model, m_query});
  QCOMPARE(sql.status, 0);
  const QString sqlFile = m_dir.filePath(u"step1.sql"_s);
  const QString designed = m_dir.filePath(u"designed.zel"_s);
  QFile out(sqlFile);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write(sql.out);
  out.close();
  const ToolRun design = tool({u"design"_s, m_model, sqlFile, u"--out"_s, designed});
  QCOMPARE(design.err, QString());
  QCOMPARE(design.status, 0);
  QCOMPARE(tool({u"sql"_s, m_model, designed}).out, sql.out);

  QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
  out.write("select CST_NO\n  from \":PELLOX:T0490.DB\"\n limit 3");
  out.close();
  const QString refused = m_dir.filePath(u"refused.zel"_s);
  const ToolRun refusal =
      tool({u"design"_s, m_model, sqlFile, u"--out"_s, refused, u"--dialect"_s, u"SQLite"_s});
  QCOMPARE(refusal.status, 1);
  QCOMPARE(refusal.err, u"Error: Line 3, column 2: LIMIT cannot be shown in the design\n"_s);
  QVERIFY(!QFileInfo::exists(refused));
}

void TestZelQuery::wrongCommandLine_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("message");
  const QString model = examplesFile(u"pellox-model.txt"_s);
  const QString query = examplesFile(u"step1.zel"_s);
  QTest::newRow("nothing") << QStringList() << u"Error: No command given"_s;
  QTest::newRow("unknown command") << QStringList{u"go"_s} << u"Error: Unknown command go"_s;
  QTest::newRow("no query file") << QStringList{u"sql"_s, model} << u"Error: Missing QUERYFILE"_s;
  QTest::newRow("too many") << QStringList{u"check"_s, model, query, u"x"_s}
                            << u"Error: Unexpected argument x"_s;
  QTest::newRow("unknown option") << QStringList{u"sql"_s, model, query, u"--fast"_s}
                                  << u"Error: Unknown option 'fast'."_s;
  QTest::newRow("option of another command")
      << QStringList{u"sql"_s, model, query, u"--names"_s} << u"Error: Unknown option 'names'."_s;
  QTest::newRow("format") << QStringList{u"run"_s, model, query, u"--format"_s, u"xml"_s}
                          << u"Error: Invalid --format xml: expected csv or tab"_s;
  QTest::newRow("param") << QStringList{u"sql"_s, model, query, u"--param"_s, u"Vendor"_s}
                         << u"Error: Invalid --param Vendor: expected NAME=VALUE"_s;
  QTest::newRow("no out") << QStringList{u"export"_s, model, query}
                          << u"Error: The export command needs --out FILE"_s;
  QTest::newRow("extension") << QStringList{u"export"_s, model, query, u"--out"_s, u"a.xyz"_s}
                             << u"Error: Cannot translate file extension XYZ to a known file "
                                "format."_s;
  QTest::newRow("refused type")
      << QStringList{u"export"_s, model, query, u"--out"_s, u"a.txt"_s}
      << u"Error: The export command writes .csv, .tab, .dbf or .db files, not .txt"_s;
  QTest::newRow("alias form") << QStringList{u"check"_s, model, u"--alias"_s, u"PELLOX"_s}
                              << u"Error: Invalid --alias PELLOX: expected NAME=sqlite:FILE, "
                                 "NAME=standard:FOLDER or NAME=postgresql:HOST:PORT/DB?user=U"_s;
  QTest::newRow("alias driver") << QStringList{u"check"_s, model, u"--alias"_s, u"A=odbc:x"_s}
                                << u"Error: Invalid --alias A=odbc:x: unknown driver [odbc]"_s;
  QTest::newRow("password") << QStringList{u"check"_s, model, u"--alias"_s,
                                           u"A=postgresql:db:5432/sales?user=u&password=p"_s}
                            << u"Error: Invalid --alias A=postgresql:db:5432/sales?user=u&"
                               "password=***: a password is taken only from the environment "
                               "variable ZEL_PG_PASSWORD"_s;
  QTest::newRow("encoded password")
      << QStringList{u"check"_s, model, u"--alias"_s,
                     u"A=postgresql:db/sales?PASS%57ORD=s3cret&user=u"_s}
      << u"Error: Invalid --alias A=postgresql:db/sales?PASS%57ORD=***&user=u: a password is "
         "taken only from the environment variable ZEL_PG_PASSWORD"_s;
  QTest::newRow("password in user info")
      << QStringList{u"check"_s, model, u"--alias"_s, u"A=postgresql:u:s3cret@db/sales"_s}
      << u"Error: Invalid --alias A=postgresql:u:***@db/sales: expected "
         "postgresql:HOST:PORT/DB?user=U"_s;
  const QString longName(100000, u'A');
  QTest::newRow("long name cut") << QStringList{u"check"_s, model, u"--alias"_s,
                                                longName + u"=odbc:x"_s}
                                 << u"Error: Invalid --alias "_s + longName.left(977) +
                                        QChar(0x2026);
  QTest::newRow("password without a driver")
      << QStringList{u"check"_s, model, u"--alias"_s, u"password=s3cret"_s}
      << u"Error: Invalid --alias password=***: expected NAME=sqlite:FILE, "
         "NAME=standard:FOLDER or NAME=postgresql:HOST:PORT/DB?user=U"_s;
}

void TestZelQuery::wrongCommandLine() {
  QFETCH(QStringList, args);
  QFETCH(QString, message);
  const ToolRun run = tool(args);
  QCOMPARE(run.status, 2);
  QVERIFY(run.out.isEmpty());
  QCOMPARE(run.err.section(u'\n', 0, 0), message);
  QVERIFY2(run.err.contains(u"\n\nUsage: zelquery "_s), qPrintable(run.err));
}

void TestZelQuery::help_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("usage");
  QTest::newRow("general") << QStringList{u"--help"_s}
                           << u"Usage: zelquery COMMAND [options] MODEL [QUERYFILE]"_s;
  QTest::newRow("sql") << QStringList{u"sql"_s, u"--help"_s}
                       << u"Usage: zelquery sql [options] MODEL QUERYFILE"_s;
  QTest::newRow("run") << QStringList{u"run"_s, u"-h"_s}
                       << u"Usage: zelquery run [options] MODEL QUERYFILE"_s;
  QTest::newRow("export") << QStringList{u"export"_s, u"--help"_s}
                          << u"Usage: zelquery export [options] MODEL QUERYFILE --out FILE"_s;
  QTest::newRow("check") << QStringList{u"check"_s, u"--help"_s}
                         << u"Usage: zelquery check [options] MODEL [QUERYFILE]"_s;
}

void TestZelQuery::help() {
  QFETCH(QStringList, args);
  QFETCH(QString, usage);
  const ToolRun run = tool(args);
  QCOMPARE(run.status, 0);
  QCOMPARE(run.err, QString());
  QCOMPARE(QString::fromUtf8(run.out).section(u'\n', 0, 0), usage);
}

// Ctrl+C while records are being written stops the statement: status 130 and the cancel
// message.
// 300,000 rows of the streaming benchmark's table, made once.
void TestZelQuery::makeBigDatabase(const QString &db) {
  if (QFileInfo::exists(db))
    return;
  {
    QSqlDatabase setup = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"big-setup"_s);
    setup.setDatabaseName(db);
    QVERIFY(setup.open());
    QSqlQuery q(setup);
    QVERIFY(q.exec(u"CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), AMOUNT FLOAT)"_s));
    QVERIFY(q.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                   "WHERE i < 300000) INSERT INTO BIG SELECT i, 'Name ' || i, i / 100.0 FROM n"_s));
  }
  QSqlDatabase::removeDatabase(u"big-setup"_s);
}

void TestZelQuery::interruptCancelsTheStatement() {
  const QString db = m_dir.filePath(u"big.sqlite"_s);
  makeBigDatabase(db);
  if (QTest::currentTestFailed())
    return;
  const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
  process.setProcessEnvironment(env);
  process.start(m_tool, {u"run"_s, bench + u"big-model.txt"_s, bench + u"big.zel"_s, u"--alias"_s,
                         u"BIGDB=sqlite:"_s + db});
  QVERIFY(process.waitForReadyRead(30000));
  ::kill(pid_t(process.processId()), SIGINT);
  QVERIFY(process.waitForFinished(30000));
  QCOMPARE(process.exitStatus(), QProcess::NormalExit);
  QCOMPARE(process.exitCode(), 130);
  QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
           u"Error: The statement was cancelled\n"_s);
}

// The output may not be a table file the query reads: status 1, the file named, the table
// untouched.
void TestZelQuery::exportOverATableTheQueryReadsIsRefused() {
  QTemporaryDir dir;
  const auto tables = QDir(m_data).entryList(QDir::Files);
  for (const QString &f : tables)
    QVERIFY(QFile::copy(m_data + u'/' + f, dir.filePath(f)));
  const QString table = dir.filePath(u"T0490.DB"_s);
  QFile file(table);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  const ToolRun run = tool({u"export"_s, m_model, m_query, u"--out"_s, table, u"--alias"_s,
                            u"PELLOX=standard:"_s + dir.path()});
  QCOMPARE(run.status, 1);
  QCOMPARE(run.err,
           u"Error: The export would replace ["_s + table + u"], a file the query reads\n"_s);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), before);
}

// SIGTERM and SIGHUP stop a table export as Ctrl+C does: the partial table is removed and the
// status says which signal (128 + its number).
void TestZelQuery::signalDuringTableExportLeavesNoFile_data() {
  QTest::addColumn<QString>("out");
  QTest::addColumn<QString>("part");
  QTest::addColumn<int>("signal");
  QTest::newRow("dBase, SIGTERM") << u"out.dbf"_s << u"out.part.dbf"_s << SIGTERM;
  QTest::newRow("Paradox, SIGTERM") << u"out.db"_s << u"out.db.part"_s << SIGTERM;
  QTest::newRow("dBase, SIGHUP") << u"out.dbf"_s << u"out.part.dbf"_s << SIGHUP;
}

void TestZelQuery::signalDuringTableExportLeavesNoFile() {
  QFETCH(QString, out);
  QFETCH(QString, part);
  QFETCH(int, signal);
  const QString db = m_dir.filePath(u"big.sqlite"_s);
  makeBigDatabase(db);
  if (QTest::currentTestFailed())
    return;
  QTemporaryDir dir;
  const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
  process.setProcessEnvironment(env);
  process.start(m_tool, {u"export"_s, bench + u"big-model.txt"_s, bench + u"big.zel"_s,
                         u"--alias"_s, u"BIGDB=sqlite:"_s + db, u"--out"_s, dir.filePath(out)});
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath(part)), 60000);
  ::kill(pid_t(process.processId()), signal);
  QVERIFY(process.waitForFinished(30000));
  QCOMPARE(process.exitStatus(), QProcess::NormalExit);
  QCOMPARE(process.exitCode(), 128 + signal);
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void TestZelQuery::fullDiskExitsWithTheReason_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  QTest::newRow("dBase") << u"big.dbf"_s << u"dBase"_s;
  QTest::newRow("Paradox") << u"big.db"_s << u"Paradox"_s;
}

// An export that does not fit on a small file system: status 1, the system's reason, no file.
void TestZelQuery::fullDiskExitsWithTheReason() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  const QString db = m_dir.filePath(u"full.sqlite"_s);
  if (!QFileInfo::exists(db)) {
    QSqlDatabase setup = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"full-setup"_s);
    setup.setDatabaseName(db);
    QVERIFY(setup.open());
    QSqlQuery q(setup);
    QVERIFY(q.exec(u"CREATE TABLE BIG (ID INTEGER, NAME VARCHAR(30), AMOUNT FLOAT)"_s));
    QVERIFY(q.exec(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                   "WHERE i < 50000) INSERT INTO BIG SELECT i, 'Name ' || i, i / 100.0 FROM n"_s));
  }
  QSqlDatabase::removeDatabase(u"full-setup"_s);
  const QString disk = m_dir.filePath(u"disk"_s);
  const SmallDisk small(disk, "1m");
  if (small.whyNot())
    QSKIP(small.whyNot());
  const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
  const QString out = QDir(disk).filePath(name);
  const ToolRun run = tool({u"export"_s, bench + u"big-model.txt"_s, bench + u"big.zel"_s,
                            u"--out"_s, out, u"--alias"_s, u"BIGDB=sqlite:"_s + db});
  QCOMPARE(run.err, u"Error: Cannot write %1 table %2: No space left on device\n"_s.arg(kind, out));
  QCOMPARE(run.status, 1);
  QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestZelQuery)
#include "tst_zelquery.moc"
