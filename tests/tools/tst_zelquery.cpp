// SPDX-License-Identifier: MIT
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
#include "support/sqlexec.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
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
  void modelFromDatabaseDrivesDesignAndRun_data();
  void modelFromDatabaseDrivesDesignAndRun();
  void modelOfUnreadableDatabase_data();
  void modelOfUnreadableDatabase();
  void wrongCommandLine_data();
  void wrongCommandLine();
  void help_data();
  void help();
  void interruptCancelsTheStatement();
  void signalStopsADesignAtOnce();
  void exportOverATableTheQueryReadsIsRefused();
  void signalDuringTableExportLeavesNoFile_data();
  void signalDuringTableExportLeavesNoFile();
  void fullDiskExitsWithTheReason_data();
  void fullDiskExitsWithTheReason();
  void unwritableOutputExitsWithTheReason_data();
  void exportOntoWhatItMayNotReplace_data();
  void exportOntoWhatItMayNotReplace();
  void serverThatNeverAnswers_data();
  void serverThatNeverAnswers();
  void stoppedServer_data();
  void stoppedServer();
  void cleanupTestCase();
  void unwritableOutputExitsWithTheReason();

private:
  void makeBigDatabase(const QString &db);
  ToolRun tool(const QStringList &args, const QString &aliasesFile = QString(),
               const QString &lang = QString(), const QString &outFile = QString());
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
  QString m_data;         // the folder of the sample tables
  QString m_runAs;        // the user the tool runs as, when not this process's
  bool m_pgReady = false; // the streaming database on the test server
};

namespace {

const QString PgDatabase = u"zel_tool_wait"_s;
const QString PgApplication = u"zelquery-under-test"_s;

QSqlDatabase pgConnection(const QString &database) {
  const QString name = u"pg-"_s + database;
  QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                 : QSqlDatabase::addDatabase(u"QPSQL"_s, name);
  db.setHostName(qEnvironmentVariable("ZEL_PG_HOST"));
  db.setPort(qEnvironmentVariableIntValue("ZEL_PG_PORT"));
  db.setDatabaseName(database);
  db.setUserName(qEnvironmentVariable("ZEL_PG_USER"));
  return db;
}

// A port on 127.0.0.1 whose connections the system completes and nobody ever answers.
class SilentListener {
public:
  SilentListener() : m_fd(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const auto *any = reinterpret_cast<sockaddr *>(&address);
    if (::bind(m_fd, any, size) == 0 && ::listen(m_fd, 8) == 0 &&
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size) == 0)
      m_port = ntohs(address.sin_port);
  }
  ~SilentListener() { ::close(m_fd); }
  SilentListener(const SilentListener &) = delete;
  SilentListener &operator=(const SilentListener &) = delete;

  int port() const { return m_port; } // 0 when it could not listen
  bool waitForConnection(int ms) const {
    pollfd waiting{m_fd, POLLIN, 0};
    return ::poll(&waiting, 1, ms) == 1;
  }

private:
  int m_fd;
  int m_port = 0;
};

// The backend serving the tool run under that application name, once it runs the statement;
// 0 until then.
qint64 toolBackend(const QString &application) {
  QSqlQuery q(pgConnection(qEnvironmentVariable("ZEL_PG_DATABASE")));
  q.prepare(u"SELECT pid FROM pg_stat_activity WHERE application_name = ? AND state = 'active'"_s);
  q.addBindValue(application);
  return q.exec() && q.next() ? q.value(0).toLongLong() : 0;
}

} // namespace

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
  ZEL_SKIP_WITHOUT_PARADOX();
  m_data = QCoreApplication::applicationDirPath() + u"/Data"_s;
  QVERIFY2(QFileInfo::exists(m_data + u"/T0490.DB"_s), qPrintable(m_data));
  TzelSession::defaultSession().registerAlias({u"PELLOX"_s, u"STANDARD"_s, {u"PATH="_s + m_data}});
  QVERIFY(readModel(m_model));
}

ToolRun TestZelQuery::tool(const QStringList &args, const QString &aliasesFile, const QString &lang,
                           const QString &outFile) {
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
  if (!outFile.isEmpty())
    process.setStandardOutputFile(outFile);
  if (m_runAs.isEmpty())
    process.start(m_tool, args);
  else
    process.start(u"runuser"_s, QStringList{u"-u"_s, m_runAs, u"--"_s, m_tool} + args);
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
  out.write("select CST_NO\n  from \":PELLOX:T0490.DB\"\n limit :n");
  out.close();
  const QString refused = m_dir.filePath(u"refused.zel"_s);
  const ToolRun refusal =
      tool({u"design"_s, m_model, sqlFile, u"--out"_s, refused, u"--dialect"_s, u"SQLite"_s});
  QCOMPARE(refusal.status, 1);
  QCOMPARE(refusal.err, u"Error: Line 3, column 8: a number of records other than a whole number "
                        "cannot be shown in the design\n"_s);
  QVERIFY(!QFileInfo::exists(refused));
}

namespace {

const QStringList ShopTables{
    uR"(CREATE TABLE "Customer List" ("Cust No" INTEGER PRIMARY KEY, name VARCHAR(20)))"_s,
    uR"(CREATE TABLE orders (id INTEGER PRIMARY KEY, cust INTEGER REFERENCES "Customer List", )"
    uR"(total NUMERIC(8,2)))"_s,
    uR"(INSERT INTO "Customer List" VALUES (1, 'Ada'), (2, 'Bo'))"_s,
    u"INSERT INTO orders VALUES (10, 2, 5.50), (11, 1, 7.25), (12, 2, 1.00)"_s};

// The shop on a MariaDB or a Firebird test server under names of this test's own, made again;
// the alias of the database for --alias, or empty when no server was started.
QString serverShop(const QString &kind) {
  const bool maria = kind == u"mariadb";
  const char *engine = maria ? "MY" : "FB";
  const auto env = [engine](const char *key) {
    return qEnvironmentVariable(("ZEL_"_ba + engine + '_' + key).constData());
  };
  if (env("HOST").isEmpty())
    return {};
  QSqlDatabase db = QSqlDatabase::addDatabase(maria ? u"QMYSQL"_s : u"QIBASE"_s, kind);
  db.setHostName(env("HOST"));
  db.setPort(env("PORT").toInt());
  db.setDatabaseName(env("DATABASE"));
  db.setUserName(env("USER"));
  db.setPassword(env("PASSWORD"));
  if (!db.open())
    return {};
  // Dropping what is not there fails: it is not checked.
  for (const char *table : {"zq_orders", "\"Zq Customer\"", "`Zq Customer`"})
    QSqlQuery(db).exec(u"DROP TABLE "_s + QLatin1StringView(table));
  const QStringList tables =
      maria ? QStringList{u"CREATE TABLE `Zq Customer` (`Cust No` INTEGER PRIMARY KEY, "
                          "name VARCHAR(20))"_s,
                          u"CREATE TABLE zq_orders (id INTEGER PRIMARY KEY, cust INTEGER "
                          "REFERENCES `Zq Customer` (`Cust No`), total DECIMAL(8,2))"_s}
            : QStringList{u"CREATE TABLE \"Zq Customer\" (\"Cust No\" INTEGER NOT NULL "
                          "PRIMARY KEY, name VARCHAR(20))"_s,
                          u"CREATE TABLE zq_orders (id INTEGER NOT NULL PRIMARY KEY, cust "
                          "INTEGER REFERENCES \"Zq Customer\", total NUMERIC(8,2))"_s};
  const QString customer = maria ? u"`Zq Customer`"_s : u"\"Zq Customer\""_s;
  const QStringList rows{u"INSERT INTO %1 VALUES (1, 'Ada')"_s.arg(customer),
                         u"INSERT INTO %1 VALUES (2, 'Bo')"_s.arg(customer),
                         u"INSERT INTO zq_orders VALUES (10, 2, 5.50)"_s,
                         u"INSERT INTO zq_orders VALUES (11, 1, 7.25)"_s,
                         u"INSERT INTO zq_orders VALUES (12, 2, 1.00)"_s};
  for (const QString &sql : tables + rows)
    if (QSqlQuery q(db); !q.exec(sql)) {
      qWarning() << sql << q.lastError().text();
      return {};
    }
  db.close();
  // The tool takes the password from the engine's own variable.
  qputenv(maria ? "MYSQL_PWD" : "ISC_PASSWORD", env("PASSWORD").toUtf8());
  return u"%1:%2:%3/%4?user=%5"_s.arg(kind, env("HOST"), env("PORT"), env("DATABASE"), env("USER"));
}

bool execAll(QSqlDatabase db, const QStringList &statements) {
  QString error;
  if (execAll(db, statements, error))
    return true;
  qWarning() << error;
  return false;
}

} // namespace

// The model read from a database's catalogue, as the command writes it, takes a statement
// designed over it and runs it: a foreign key is the join the design finds; a folder's table
// keeps its file name.
void TestZelQuery::modelFromDatabaseDrivesDesignAndRun_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<QByteArray>("statement");
  QTest::addColumn<QByteArray>("records");
  const QByteArray shop = "SELECT c.name, o.total FROM \"Customer List\" c "
                          "INNER JOIN orders o ON c.\"Cust No\" = o.cust ORDER BY o.id";
  const QByteArray shopRecords = "\"Bo\",5.50\r\n\"Ada\",7.25\r\n\"Bo\",1.00\r\n";
  QTest::newRow("SQLite") << u"sqlite"_s << QStringList() << shop << shopRecords;
  QTest::newRow("PostgreSQL") << u"postgresql"_s << QStringList() << shop << shopRecords;
  QTest::newRow("MariaDB") << u"mariadb"_s << QStringList{u"--tables"_s, u"zq*"_s}
                           << QByteArray("SELECT c.name, o.total FROM `Zq Customer` c INNER JOIN "
                                         "zq_orders o ON c.`Cust No` = o.cust ORDER BY o.id")
                           << shopRecords;
  QTest::newRow("Firebird") << u"firebird"_s << QStringList{u"--tables"_s, u"ZQ*"_s}
                            << QByteArray("SELECT c.name, o.total FROM \"Zq Customer\" c INNER "
                                          "JOIN zq_orders o ON c.\"Cust No\" = o.cust "
                                          "ORDER BY o.id")
                            << shopRecords;
  QTest::newRow("folder of tables")
      << u"standard"_s << QStringList{u"--tables"_s, u"t0490*"_s}
      << QByteArray("SELECT c.CST_NO FROM \"T0490.DB\" c WHERE c.CST_NO < 1240")
      << QByteArray("1221\r\n1232\r\n");
}

void TestZelQuery::modelFromDatabaseDrivesDesignAndRun() {
  QFETCH(QString, kind);
  QFETCH(QStringList, options);
  QFETCH(QByteArray, statement);
  QFETCH(QByteArray, records);
  QString database = u"standard:"_s + m_data;
  QStringList aliases;
  if (kind == u"postgresql") {
    if (!qEnvironmentVariableIsSet("ZEL_PG_HOST"))
      QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
    QSqlDatabase admin = pgConnection(qEnvironmentVariable("ZEL_PG_DATABASE"));
    QVERIFY(admin.open());
    QVERIFY(execAll(
        admin, {u"DROP DATABASE IF EXISTS zel_tool_model"_s, u"CREATE DATABASE zel_tool_model"_s}));
    QSqlDatabase shop = pgConnection(u"zel_tool_model"_s);
    QVERIFY(shop.open());
    QVERIFY(execAll(shop, ShopTables));
    shop.close();
    database = u"postgresql:%1:%2/zel_tool_model?user=%3"_s.arg(
        qEnvironmentVariable("ZEL_PG_HOST"), qEnvironmentVariable("ZEL_PG_PORT"),
        qEnvironmentVariable("ZEL_PG_USER"));
    aliases = QStringList{u"--alias"_s, u"zel_tool_model="_s + database};
  } else if (kind == u"mariadb" || kind == u"firebird") {
    const QString url = serverShop(kind);
    if (url.isEmpty())
      QSKIP("No server of this engine was started for this run (ZEL_MY_HOST, ZEL_FB_HOST)");
    database = u"zqshop="_s + url;
    aliases = QStringList{u"--alias"_s, database};
  } else if (kind == u"sqlite") {
    const QString file = m_dir.filePath(u"shop.db"_s);
    {
      QSqlDatabase shop = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"shop"_s);
      shop.setDatabaseName(file);
      QVERIFY(shop.open());
      QVERIFY(execAll(shop, ShopTables));
      shop.close();
    }
    QSqlDatabase::removeDatabase(u"shop"_s);
    database = u"sqlite:"_s + file;
  }
  const QString model = m_dir.filePath(u"shop-model.txt"_s);
  const ToolRun made = tool(QStringList{u"model"_s, database, u"--out"_s, model} + options);
  QCOMPARE(made.err, QString());
  QCOMPARE(made.status, 0);

  const QString sqlFile = m_dir.filePath(u"shop.sql"_s);
  QFile sql(sqlFile);
  QVERIFY(sql.open(QIODevice::WriteOnly | QIODevice::Truncate));
  sql.write(statement);
  sql.close();
  const QString query = m_dir.filePath(u"shop.zel"_s);
  const ToolRun design = tool({u"design"_s, model, sqlFile, u"--out"_s, query});
  QCOMPARE(design.err, QString());
  QCOMPARE(design.status, 0);
  const ToolRun run = tool(QStringList{u"run"_s, model, query} + aliases);
  QCOMPARE(run.err, QString());
  QCOMPARE(run.status, 0);
  QCOMPARE(run.out, records);

  // Exported, the same records.
  const QString csv = m_dir.filePath(kind + u"-shop.csv"_s);
  const ToolRun exported =
      tool(QStringList{u"export"_s, model, query, u"--out"_s, csv, u"--no-names"_s} + aliases);
  QCOMPARE(exported.err, QString());
  QCOMPARE(exported.status, 0);
  QFile written(csv);
  QVERIFY(written.open(QIODevice::ReadOnly));
  QCOMPARE(written.readAll(), records);
}

// A database that cannot be read: status 1, a message naming it, and no model.
void TestZelQuery::modelOfUnreadableDatabase_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("message");
  QTest::newRow("missing file") << u"sqlite:/nonexistent/shop.db"_s
                                << u"Error: Database [sqlite:/nonexistent/shop.db]: "_s;
  QTest::newRow("no server") << u"postgresql:127.0.0.1:1/shop?user=zel"_s
                             << u"Error: Database [postgresql:127.0.0.1:1/shop?user=zel]: "_s;
  QTest::newRow("unknown alias") << u"NO_SUCH_ALIAS"_s << u"Error: Database [NO_SUCH_ALIAS]: "_s;
}

void TestZelQuery::modelOfUnreadableDatabase() {
  QFETCH(QString, database);
  QFETCH(QString, message);
  const QString model = m_dir.filePath(u"unread-model.txt"_s);
  const ToolRun run = tool({u"model"_s, database, u"--out"_s, model});
  QCOMPARE(run.status, 1);
  QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
  QVERIFY(!QFileInfo::exists(model));
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
  QTest::newRow("model without database")
      << QStringList{u"model"_s, u"--out"_s, u"m.txt"_s} << u"Error: Missing DATABASE"_s;
  QTest::newRow("model without out") << QStringList{u"model"_s, u"sqlite:shop.db"_s}
                                     << u"Error: The model command needs --out MODEL"_s;
  QTest::newRow("alias form")
      << QStringList{u"check"_s, model, u"--alias"_s, u"PELLOX"_s}
      << u"Error: Invalid --alias PELLOX: expected NAME=sqlite:FILE, "
         "NAME=standard:FOLDER, NAME=postgresql:HOST:PORT/DB?user=U, "
         "NAME=mariadb:HOST:PORT/DB?user=U (or mysql:), "
         "NAME=firebird:HOST:PORT/PATH-OR-ALIAS?user=U or NAME=firebird:/FILE.fdb"_s;
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
  QTest::newRow("mariadb password")
      << QStringList{u"check"_s, model, u"--alias"_s, u"A=mariadb:db/sales?password=p"_s}
      << u"Error: Invalid --alias A=mariadb:db/sales?password=***: a password is taken only "
         "from the environment variable MYSQL_PWD or ~/.my.cnf"_s;
  QTest::newRow("firebird password")
      << QStringList{u"check"_s, model, u"--alias"_s, u"A=firebird:db/sales?password=p"_s}
      << u"Error: Invalid --alias A=firebird:db/sales?password=***: a password is taken only "
         "from the environment variable ISC_PASSWORD"_s;
  QTest::newRow("mysql form") << QStringList{u"check"_s, model, u"--alias"_s, u"A=mysql:db"_s}
                              << u"Error: Invalid --alias A=mysql:db: expected "
                                 "mysql:HOST:PORT/DB?user=U"_s;
  QTest::newRow("firebird form") << QStringList{u"check"_s, model, u"--alias"_s,
                                                u"A=firebird:db:x/sales"_s}
                                 << u"Error: Invalid --alias A=firebird:db:x/sales: expected "
                                    "firebird:HOST:PORT/PATH-OR-ALIAS?user=U"_s;
  const QString longName(100000, u'A');
  QTest::newRow("long name cut") << QStringList{u"check"_s, model, u"--alias"_s,
                                                longName + u"=odbc:x"_s}
                                 << u"Error: Invalid --alias "_s + longName.left(977) +
                                        QChar(0x2026);
  QTest::newRow("password without a driver")
      << QStringList{u"check"_s, model, u"--alias"_s, u"password=s3cret"_s}
      << u"Error: Invalid --alias password=***: expected NAME=sqlite:FILE, "
         "NAME=standard:FOLDER, NAME=postgresql:HOST:PORT/DB?user=U, "
         "NAME=mariadb:HOST:PORT/DB?user=U (or mysql:), "
         "NAME=firebird:HOST:PORT/PATH-OR-ALIAS?user=U or NAME=firebird:/FILE.fdb"_s;
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
  QTest::newRow("version") << QStringList{u"--version"_s} << u"zelquery " ZEL_VERSION ""_s;
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

// SIGTERM while a statement is read into a design ends the tool at once, and no query file is
// written. The statement comes through a FIFO, so the signal finds the tool reading it.
void TestZelQuery::signalStopsADesignAtOnce() {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(u"statement.sql"_s);
  const QString designed = dir.filePath(u"designed.zel"_s);
  QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
  process.setProcessEnvironment(env);
  process.start(m_tool, {u"design"_s, m_model, fifo, u"--out"_s, designed});
  // Opening the FIFO returns once the tool has opened it to read.
  const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
  QVERIFY(fd >= 0);
  const QByteArray sql = "SELECT CST_NO FROM \":PELLOX:T0490.DB\"\n";
  QCOMPARE(::write(fd, sql.constData(), size_t(sql.size())), ssize_t(sql.size()));
  ::kill(pid_t(process.processId()), SIGTERM);
  const bool ended = process.waitForFinished(10000);
  ::close(fd); // a tool still reading gets the end of the statement and finishes
  if (!ended)
    process.waitForFinished(60000);
  QVERIFY2(ended, "the tool ran on after SIGTERM");
  QCOMPARE(process.exitStatus(), QProcess::NormalExit);
  QCOMPARE(process.exitCode(), 128 + SIGTERM);
  QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
           u"Error: The design was cancelled\n"_s);
  QVERIFY(!QFileInfo::exists(designed));
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

void TestZelQuery::unwritableOutputExitsWithTheReason_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<bool>("smallDisk");
  QTest::newRow("sql to /dev/full") << u"sql"_s << false;
  QTest::newRow("run to /dev/full") << u"run"_s << false;
  QTest::newRow("help to /dev/full") << u"--help"_s << false;
  QTest::newRow("run to a full disk") << u"run"_s << true;
}

// Standard output that refuses records (a full device, a full file system): status 1 and the
// system's reason, however few records were lost.
void TestZelQuery::unwritableOutputExitsWithTheReason() {
  QFETCH(QString, command);
  QFETCH(bool, smallDisk);
  QStringList args{command, m_model, m_query};
  args += aliasArgs();
  QString out = u"/dev/full"_s;
  std::optional<SmallDisk> disk;
  if (smallDisk) {
    const QString db = m_dir.filePath(u"big.sqlite"_s);
    makeBigDatabase(db);
    const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
    args = {command, bench + u"big-model.txt"_s, bench + u"big.zel"_s, u"--alias"_s,
            u"BIGDB=sqlite:"_s + db};
    disk.emplace(m_dir.filePath(u"output-disk"_s), "1m");
    if (disk->whyNot())
      QSKIP(disk->whyNot());
    out = m_dir.filePath(u"output-disk/records.csv"_s);
  }
  if (command == u"--help")
    args = {command};
  const ToolRun run = tool(args, {}, {}, out);
  QCOMPARE(run.err, u"Error: Cannot write standard output: No space left on device\n"_s);
  QCOMPARE(run.status, 1);
}

void TestZelQuery::exportOntoWhatItMayNotReplace_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("kind"); // "read-only", "fifo" or "link"
  QTest::addColumn<QString>("message");
  for (const QString &kind : {u"read-only"_s, u"fifo"_s}) {
    const QString why = kind == u"fifo" ? u"it is not a regular file"_s : u"Permission denied"_s;
    QTest::addRow("dBase onto %s", qPrintable(kind))
        << u"out.dbf"_s << kind << u"Error: Cannot write dBase table %1: "_s + why;
    QTest::addRow("Paradox onto %s", qPrintable(kind))
        << u"out.db"_s << kind << u"Error: Cannot write Paradox table %1: "_s + why;
  }
  QTest::newRow("csv onto a fifo")
      << u"out.csv"_s << u"fifo"_s
      << u"Error: Cannot create the file %1: it is not a regular file"_s;
  QTest::newRow("dBase through a link") << u"out.dbf"_s << u"link"_s << QString();
  QTest::newRow("Paradox through a link") << u"out.db"_s << u"link"_s << QString();
}

// A file the user may not write, or one that is no regular file, is refused and stays as it
// was; a symbolic link is written through to its file. Read-only files are tried as a user
// who is not root, since root may write them.
void TestZelQuery::exportOntoWhatItMayNotReplace() {
  QFETCH(QString, file);
  QFETCH(QString, kind);
  QFETCH(QString, message);
  QTemporaryDir dir;
  QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
  const QString out = dir.filePath(file);
  const QString target = dir.filePath(u"target."_s + QFileInfo(file).suffix());
  const QByteArray outName = QFile::encodeName(out);
  if (kind == u"fifo") {
    QCOMPARE(::mkfifo(outName.constData(), 0666), 0);
  } else {
    QFile made(kind == u"link" ? target : out);
    QVERIFY(made.open(QIODevice::WriteOnly));
    made.write("kept");
    made.close();
    if (kind == u"link")
      QVERIFY(QFile::link(target, out));
    else
      QCOMPARE(::chmod(outName.constData(), 0444), 0);
  }
  const auto runAs = qScopeGuard([this] { m_runAs.clear(); });
  QStringList alias = aliasArgs();
  QTemporaryDir tables;
  if (kind == u"read-only" && ::geteuid() == 0) {
    if (QStandardPaths::findExecutable(u"runuser"_s).isEmpty())
      QSKIP("root may write a read-only file, and runuser is missing to try it as another user");
    m_runAs = u"nobody"_s;
    // The sample tables, where that user may open them to read and write.
    QVERIFY(QFile::setPermissions(tables.path(), QFileDevice::Permissions(0x7777)));
    for (const QString &f : QDir(m_data).entryList(QDir::Files)) {
      QVERIFY(QFile::copy(m_data + u'/' + f, tables.filePath(f)));
      QVERIFY(QFile::setPermissions(tables.filePath(f), QFileDevice::Permissions(0x6666)));
    }
    alias = QStringList{u"--alias"_s, u"PELLOX=standard:"_s + tables.path()};
  }
  const ToolRun run = tool(QStringList{u"export"_s, m_model, m_query, u"--out"_s, out} + alias);
  if (message.isEmpty()) {
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QVERIFY(QFileInfo(out).isSymLink());
    TzelTableData data;
    const TzelFileResult read =
        file.endsWith(u".dbf") ? readDbaseTable(out, data) : readParadoxTable(out, data);
    QVERIFY2(read.ok, qPrintable(read.text));
    QVERIFY(!data.rows.isEmpty());
    return;
  }
  QCOMPARE(run.err, message.arg(out) + u'\n');
  QCOMPARE(run.status, 1);
  const QFileInfo after(out);
  QCOMPARE(after.isFile(), kind != u"fifo");
  if (kind == u"read-only") {
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("kept"));
  }
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 1);
}

void TestZelQuery::serverThatNeverAnswers_data() {
  QTest::addColumn<QString>("setting"); // "alias", "aliases file" or "" (the default)
  QTest::newRow("timeout of --alias") << u"alias"_s;
  QTest::newRow("timeout of the aliases file") << u"aliases file"_s;
  QTest::newRow("SIGTERM while connecting") << QString();
}

// A server that takes the connection and never answers: the tool gives up after the alias's
// connect timeout, or at once on SIGTERM.
void TestZelQuery::serverThatNeverAnswers() {
  QFETCH(QString, setting);
  const SilentListener listener;
  QVERIFY(listener.port() > 0);
  const QString port = QString::number(listener.port());
  QString alias = u"BIGDB=postgresql:127.0.0.1:"_s + port + u"/db?user=u"_s;
  const QString ini = m_dir.filePath(u"silent-aliases.ini"_s);
  {
    QFile file(ini);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(("[BIGDB]\nDriver=POSTGRESQL\nHost=127.0.0.1\nPort=" + port.toUtf8() +
                "\nDatabase=db\nUser=u\nConnect Timeout=1\n"));
  }
  const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
  QStringList args{u"run"_s, bench + u"big-model.txt"_s, bench + u"big.zel"_s};
  if (setting != u"aliases file")
    args << u"--alias"_s << alias + (setting == u"alias" ? u"&connect_timeout=1"_s : QString());
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s,
             setting == u"aliases file" ? ini : m_dir.filePath(u"no-aliases.ini"_s));
  env.remove(u"PGCONNECT_TIMEOUT"_s);
  process.setProcessEnvironment(env);
  process.start(m_tool, args);
  QVERIFY(listener.waitForConnection(30000));
  if (setting.isEmpty())
    ::kill(pid_t(process.processId()), SIGTERM);
  const bool ended = process.waitForFinished(10000);
  if (!ended) {
    process.kill();
    process.waitForFinished();
  }
  QVERIFY2(ended, "the tool waited on");
  const QString err = QString::fromUtf8(process.readAllStandardError());
  if (setting.isEmpty()) {
    QCOMPARE(err, u"Error: The connection was cancelled\n"_s);
    QCOMPARE(process.exitCode(), 128 + SIGTERM);
  } else {
    QCOMPARE(err, u"Error: connection to server at \"127.0.0.1\", port "_s + port +
                      u" failed: timeout expired\n"_s);
    QCOMPARE(process.exitCode(), 1);
  }
}

void TestZelQuery::stoppedServer_data() {
  QTest::addColumn<bool>("terminate");
  QTest::addColumn<QString>("delay"); // of each row
  QTest::newRow("SIGTERM while the backend is stopped") << false << QString();
  QTest::newRow("backend terminated mid-stream") << true << u"0.002"_s;
  QTest::newRow("backend terminated while the tool reads behind") << true << QString();
}

// A statement streaming from a backend that is stopped (SIGSTOP): SIGTERM ends the tool at
// once. One that an administrator ends: the server's own reason. A backend that is waiting
// for the tool to take its rows sends no reason (the server leaves a message it cannot
// finish unsent): then the client library's account of the loss, and nothing else.
void TestZelQuery::stoppedServer() {
  QFETCH(bool, terminate);
  QFETCH(QString, delay);
  if (qEnvironmentVariableIsEmpty("ZEL_PG_HOST"))
    QSKIP("ZEL_PG_HOST is not set: no PostgreSQL server was started for this run");
  if (!m_pgReady) {
    QSqlDatabase admin = pgConnection(qEnvironmentVariable("ZEL_PG_DATABASE"));
    QVERIFY2(admin.open(), qPrintable(admin.lastError().text()));
    QSqlQuery q(admin);
    QVERIFY(q.exec(u"DROP DATABASE IF EXISTS "_s + PgDatabase + u" WITH (FORCE)"_s));
    QVERIFY(q.exec(u"CREATE DATABASE "_s + PgDatabase));
    QSqlDatabase db = pgConnection(PgDatabase);
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    // Rows without end, made one at a time as they are sent; PGOPTIONS "-c zel.delay=S"
    // makes each take S seconds.
    QSqlQuery make(db);
    QVERIFY2(make.exec(u"CREATE FUNCTION slow(i int) RETURNS int AS $$ BEGIN IF "
                       "current_setting('zel.delay', true) IS NOT NULL THEN PERFORM "
                       "pg_sleep(current_setting('zel.delay')::float); END IF; RETURN i; END $$ "
                       "LANGUAGE plpgsql"_s),
             qPrintable(make.lastError().text()));
    QVERIFY2(make.exec(u"CREATE VIEW big AS SELECT slow(i) AS id, 'Name ' || i AS name, "
                       "i / 100.0 AS amount FROM (SELECT generate_series(1, 2000000000) AS i) n"_s),
             qPrintable(make.lastError().text()));
    db.close();
    m_pgReady = true;
  }
  const QString bench = QStringLiteral(ZEL_SOURCE_DIR "/bench/streaming/");
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
  // Named for this run alone: the backend of an earlier run may not have ended yet.
  const QString application =
      PgApplication + u'-' + QString::number(qHash(QByteArray(QTest::currentDataTag())));
  env.insert(u"PGAPPNAME"_s, application);
  if (!delay.isEmpty())
    env.insert(u"PGOPTIONS"_s, u"-c zel.delay="_s + delay);
  process.setProcessEnvironment(env);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(m_tool,
                {u"run"_s, bench + u"big-model.txt"_s, bench + u"big.zel"_s, u"--alias"_s,
                 u"BIGDB=postgresql:%1:%2/%3?user=%4"_s.arg(
                     qEnvironmentVariable("ZEL_PG_HOST"), qEnvironmentVariable("ZEL_PG_PORT"),
                     PgDatabase, qEnvironmentVariable("ZEL_PG_USER"))});
  const auto ending = qScopeGuard([&process] {
    process.kill();
    process.waitForFinished();
  });
  qint64 backend = 0;
  QTRY_VERIFY_WITH_TIMEOUT(
      (backend = toolBackend(application)) > 0 || process.state() == QProcess::NotRunning, 30000);
  QVERIFY2(backend > 0, process.readAllStandardError().constData());
  if (terminate) {
    QSqlQuery q(pgConnection(qEnvironmentVariable("ZEL_PG_DATABASE")));
    QVERIFY(q.exec(u"SELECT pg_terminate_backend(%1)"_s.arg(backend)));
  } else {
    if (::kill(pid_t(backend), SIGSTOP) != 0)
      QSKIP("the server's processes cannot be stopped by this user");
    const auto resume = qScopeGuard([backend] { ::kill(pid_t(backend), SIGCONT); });
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY2(process.waitForFinished(10000), "the tool waited for the stopped server");
  }
  QVERIFY(process.state() == QProcess::NotRunning || process.waitForFinished(30000));
  const QString err = QString::fromUtf8(process.readAllStandardError());
  const QString reason = u"Error: terminating connection due to administrator command (57P01)\n"_s;
  if (!terminate) {
    QCOMPARE(err, u"Error: The statement was cancelled\n"_s);
    QCOMPARE(process.exitCode(), 128 + SIGTERM);
    return;
  }
  QCOMPARE(process.exitCode(), 1);
  if (!delay.isEmpty() || err == reason)
    QCOMPARE(err, reason);
  else
    QCOMPARE(err, u"Error: server closed the connection unexpectedly\nThis probably means the "
                  "server terminated abnormally before or while processing the request.\n"_s);
}

void TestZelQuery::cleanupTestCase() {
  if (!m_pgReady)
    return;
  QSqlQuery q(pgConnection(qEnvironmentVariable("ZEL_PG_DATABASE")));
  q.exec(u"DROP DATABASE IF EXISTS "_s + PgDatabase + u" WITH (FORCE)"_s);
}

QTEST_GUILESS_MAIN(TestZelQuery)
#include "tst_zelquery.moc"
