// SPDX-License-Identifier: MIT
// The delimited-text writer over a dataset opened on a scratch SQLite file.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "database/zeldbasefile.h"
#include "database/zelparadoxfile.h"
#include "engine/exportprompt.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/smalldisk.h"
#include "support/stopat.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Notes whether, while records are being written, any file of the folder but the one being
// replaced may be read by group or others.
class WatchFolder : public ScopedInteraction {
public:
  WatchFolder(const QString &folder, const QString &kept) : m_folder(folder), m_kept(kept) {}
  void beginProgress(const QString &) override {}
  bool stepProgress(const QString &) override {
    const auto files = QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &f : files)
      if (f.fileName() != m_kept &&
          (f.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther)))
        shown = true;
    return true;
  }
  void endProgress() override {}
  bool shown = false;

private:
  QString m_folder;
  QString m_kept;
};

} // namespace

class TestExportRecords : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void typeNumbers_data();
  void typeNumbers();
  void values_data();
  void values();
  void worksExample_data();
  void worksExample();
  void quotingFaults();
  void emptyResult();
  void withoutNames();
  void utf8();
  void fileFailures();
  void successMessage();
  void querionDataQuery();
  void cancelledExportKeepsTheOldFile_data();
  void cancelledExportKeepsTheOldFile();
  void largeTableReadsBack_data();
  void largeTableReadsBack();
  void fullDiskFailsWithTheReason_data();
  void fullDiskFailsWithTheReason();
  void fourDigitYearsUnderEveryLocale_data();
  void fourDigitYearsUnderEveryLocale();
  void exportOverWhatTheQueryReadsIsRefused_data();
  void exportOverWhatTheQueryReadsIsRefused();
  void replacedFileKeepsItsAccess_data();
  void replacedFileKeepsItsAccess();
  void fullDiskNamesTheFileAndTheReason_data();
  void fullDiskNamesTheFileAndTheReason();
  void recordsPastTheFirstBlock_data();
  void recordsPastTheFirstBlock();

private:
  bool exportAs(TzelDataset &dataset, QString file, int fileType);
  QString run(const QString &sql, QChar separator, bool names);
  void openDataset(TzelDataset &dataset, const QString &sql);
  QTemporaryDir m_dir;
  QString m_db;
};

void TestExportRecords::initTestCase() {
  QVERIFY(m_dir.isValid());
  m_db = m_dir.filePath(u"orders.sqlite"_s);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"setup"_s);
    db.setDatabaseName(m_db);
    QVERIFY(db.open());
    QSqlQuery q(db);
    const QStringList statements = {
        u"CREATE TABLE Orders (Company VARCHAR(30), Orders INTEGER, LastOrder DATE, "
        "Amount CURRENCY, Note VARCHAR(60))"_s,
        u"INSERT INTO Orders VALUES ('Acme Supply', 12, '1999-03-01', 1250, "
        "'said \"hi\", left')"_s,
        u"INSERT INTO Orders VALUES ('Zeus Parts', 3, '1998-11-30', 3.5, NULL)"_s,
        u"INSERT INTO Orders VALUES ('Čapek & Söhne', 7, '2001-01-02', 0, "
        "'two' || char(13) || char(10) || 'lines')"_s,
    };
    for (const QString &s : statements)
      QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(u"setup"_s);
}

void TestExportRecords::openDataset(TzelDataset &dataset, const QString &sql) {
  dataset.setDatabaseName(m_db);
  dataset.setSQL({sql});
  dataset.Open();
  for (int i = 0; i < dataset.FieldCount(); ++i) {
    TzelDatasetField *f = dataset.Fields(i);
    if (f->DataType() == ftDate)
      f->setDisplayFormat(u"mm/dd/yyyy"_s);
  }
}

// Through the writer the export dialog picks for the type.
bool TestExportRecords::exportAs(TzelDataset &dataset, QString file, int fileType) {
  if (!ExportSeparator(fileType).isNull())
    return ExportRecords(&dataset, file, fileType, true, false);
  TzelDataModel model;
  return model.ExportTable(&dataset, file, fileType, false);
}

QString TestExportRecords::run(const QString &sql, QChar separator, bool names) {
  TzelDataset dataset;
  openDataset(dataset, sql);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteDelimitedRecords(dataset, buffer, separator, names);
  return QString::fromUtf8(buffer.data());
}

void TestExportRecords::typeNumbers_data() {
  QTest::addColumn<QString>("extension");
  QTest::addColumn<bool>("clipper");
  QTest::addColumn<int>("number");
  QTest::newRow("csv") << u"csv"_s << false << 3;
  QTest::newRow("tab upper with dot") << u".TAB"_s << false << 13;
  QTest::newRow("dbf") << u"dbf"_s << false << 5;
  QTest::newRow("dbf clipper") << u"dbf"_s << true << 2;
  QTest::newRow("db") << u"db"_s << false << 9;
  QTest::newRow("pxo") << u"pxo"_s << false << 11;
  QTest::newRow("doc") << u"doc"_s << false << 15;
  QTest::newRow("unknown") << u"xyz"_s << false << 0;
}

void TestExportRecords::typeNumbers() {
  QFETCH(QString, extension);
  QFETCH(bool, clipper);
  QFETCH(int, number);
  QCOMPARE(ExportFileTypeOfExtension(extension, clipper), number);
  QCOMPARE(ExportSeparator(number), number == 3    ? QChar(u',')
                                    : number == 13 ? QChar(u'\t')
                                                   : QChar());
}

void TestExportRecords::values_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("type");
  QTest::addColumn<QString>("written");
  QTest::newRow("text") << u"Acme"_s << int(ftString) << u"\"Acme\""_s;
  QTest::newRow("empty text") << QString() << int(ftString) << u"\"\""_s;
  QTest::newRow("integer") << u"12"_s << int(ftInteger) << u"12"_s;
  QTest::newRow("boolean") << u"True"_s << int(ftBoolean) << u"True"_s;
  QTest::newRow("date") << u"03/01/1999"_s << int(ftDate) << u"\"03/01/1999\""_s;
  QTest::newRow("text with comma") << u"a,b"_s << int(ftString) << u"\"a,b\""_s;
  QTest::newRow("quote doubled") << u"say \"hi\""_s << int(ftMemo) << u"\"say \"\"hi\"\"\""_s;
  QTest::newRow("currency with comma") << u"1,250.00"_s << int(ftCurrency) << u"\"1,250.00\""_s;
  QTest::newRow("float with line break") << u"1\n2"_s << int(ftFloat) << u"\"1\n2\""_s;
  QTest::newRow("float plain") << u"3.50"_s << int(ftFloat) << u"3.50"_s;
}

void TestExportRecords::values() {
  QFETCH(QString, text);
  QFETCH(int, type);
  QFETCH(QString, written);
  QCOMPARE(DelimitedValue(text, TFieldType(type), u','), written);
}

void TestExportRecords::worksExample_data() {
  QTest::addColumn<QChar>("separator");
  QTest::newRow("comma") << QChar(u',');
  QTest::newRow("tab") << QChar(u'\t');
}

void TestExportRecords::worksExample() {
  QFETCH(QChar, separator);
  QString expected = u"Company,Orders,LastOrder\r\n"
                     "\"Acme Supply\",12,\"03/01/1999\"\r\n"
                     "\"Zeus Parts\",3,\"11/30/1998\"\r\n"_s;
  expected.replace(u',', separator);
  QCOMPARE(run(u"SELECT Company, Orders, LastOrder FROM Orders WHERE Orders IN (12, 3) "
               "ORDER BY Orders DESC"_s,
               separator, true),
           expected);
}

void TestExportRecords::quotingFaults() {
  // The currency shows with its grouping comma: it stays one column under commas, and
  // stands unquoted under tabs.
  QCOMPARE(run(u"SELECT Amount, Note FROM Orders WHERE Orders = 12"_s, u',', false),
           u"\"1,250.00\",\"said \"\"hi\"\", left\"\r\n"_s);
  QCOMPARE(run(u"SELECT Amount, Note FROM Orders WHERE Orders = 12"_s, u'\t', false),
           u"1,250.00\t\"said \"\"hi\"\", left\"\r\n"_s);
  QCOMPARE(run(u"SELECT Note FROM Orders WHERE Orders = 7"_s, u',', false),
           u"\"two\r\nlines\"\r\n"_s);
  QCOMPARE(DelimitedLabel(u"Total, net"_s, u','), u"\"Total, net\""_s);
  QCOMPARE(DelimitedLabel(u"Total, net"_s, u'\t'), u"Total, net"_s);
}

void TestExportRecords::emptyResult() {
  QCOMPARE(run(u"SELECT Company, Orders FROM Orders WHERE 1 = 0"_s, u',', true),
           u"Company,Orders\r\n"_s);
  QCOMPARE(run(u"SELECT Company, Orders FROM Orders WHERE 1 = 0"_s, u',', false), QString());
}

void TestExportRecords::withoutNames() {
  QCOMPARE(run(u"SELECT Orders, Note FROM Orders WHERE Orders = 3"_s, u',', false),
           u"3,\"\"\r\n"_s);
}

void TestExportRecords::utf8() {
  TzelDataset dataset;
  openDataset(dataset, u"SELECT Company FROM Orders WHERE Orders = 7"_s);
  dataset.Fields(0)->setDisplayLabel(u"Firma"_s);
  const QString file = m_dir.filePath(u"utf8.csv"_s);
  RecordingMessages rec;
  QVERIFY(ExportRecords(&dataset, file, zelExportCsv, true, false));
  QVERIFY(rec.messages.isEmpty());
  QFile in(file);
  QVERIFY(in.open(QIODevice::ReadOnly));
  QCOMPARE(in.readAll(), u"Firma\r\n\"Čapek & Söhne\"\r\n"_s.toUtf8());
}

void TestExportRecords::fileFailures() {
  TzelDataset dataset;
  openDataset(dataset, u"SELECT Company FROM Orders"_s);
  dataset.Next();
  RecordingMessages rec;
  QVERIFY(!ExportRecords(&dataset, u"  "_s, zelExportCsv, true, true));
  QCOMPARE(rec.lastText(), u"Error: File Name cannot be blank."_s);
  QVERIFY(!ExportRecords(&dataset, m_dir.filePath(u"x.txt"_s), zelExportTxt, true, true));
  QCOMPARE(rec.lastText(), u"Error: The ExportRecords method does not support file type 14."_s);
  QVERIFY(!ExportRecords(nullptr, m_dir.filePath(u"x.csv"_s), zelExportCsv, true, true));
  QCOMPARE(rec.lastText(), u"Error: cQuery parameter of ExportQuery method cannot be blank."_s);

  // An existing file is kept whole when the new one cannot be written.
  const QString missingFolder = m_dir.filePath(u"no/such/folder/x.csv"_s);
  rec.clear();
  QVERIFY(!ExportRecords(&dataset, missingFolder, zelExportCsv, true, true));
  QCOMPARE(rec.messages.size(), 1);
  QCOMPARE(rec.messages[0].kind, TzelMessageKind::Error);
  QVERIFY(rec.lastText().startsWith(u"Error: Cannot create the file "_s + missingFolder));
  QCOMPARE(dataset.RecNo(), 0);
  QVERIFY(!dataset.ControlsDisabled());
}

void TestExportRecords::successMessage() {
  TzelDataset dataset;
  openDataset(dataset, u"SELECT Company FROM Orders"_s);
  const QString file = m_dir.filePath(u"sales.tab"_s);
  QFile old(file);
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write("old contents that are longer than the export");
  old.close();
  RecordingMessages rec;
  QVERIFY(ExportRecords(&dataset, file, zelExportTab, false, true));
  QCOMPARE(rec.messages.size(), 1);
  QCOMPARE(rec.messages[0].kind, TzelMessageKind::Information);
  QCOMPARE(rec.lastText(), file + u" has been successfully created."_s);
  QFile in(file);
  QVERIFY(in.open(QIODevice::ReadOnly));
  QCOMPARE(in.readAll().count("\r\n"), 3);
  QCOMPARE(dataset.RecNo(), 0);
}

void TestExportRecords::querionDataQuery() {
  TzelDataset dataset;
  openDataset(dataset, u"SELECT Company FROM Orders WHERE Orders = 3"_s);
  TzelQuerion querion;
  RecordingMessages rec;
  const QString file = m_dir.filePath(u"querion.csv"_s);
  QVERIFY(!ExportRecords(querion, file, zelExportCsv, true, false));
  QCOMPARE(rec.lastText(), u"Error: cQuery parameter of ExportQuery method cannot be blank."_s);
  querion.SetDataQuery(&dataset);
  QVERIFY(ExportRecords(querion, file, zelExportCsv, true, false));
  QFile in(file);
  QVERIFY(in.open(QIODevice::ReadOnly));
  QCOMPARE(in.readAll(), QByteArray("Company\r\n\"Zeus Parts\"\r\n"));
}

// A date without a format of its own shows the locale's short date, with the full year.
void TestExportRecords::fourDigitYearsUnderEveryLocale_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QByteArray>("line");
  QTest::newRow("en_US") << u"en_US"_s << QByteArray("\"Zeus Parts\",\"11/30/1998\"\r\n");
  QTest::newRow("de_DE") << u"de_DE"_s << QByteArray("\"Zeus Parts\",\"30.11.1998\"\r\n");
}

void TestExportRecords::fourDigitYearsUnderEveryLocale() {
  QFETCH(QString, locale);
  QFETCH(QByteArray, line);
  const QLocale before;
  QLocale::setDefault(QLocale(locale));
  TzelDataset dataset;
  dataset.setDatabaseName(m_db);
  dataset.setSQL({u"SELECT Company, LastOrder FROM Orders WHERE Orders = 3"_s});
  dataset.Open();
  QLocale::setDefault(before);
  const QString file = m_dir.filePath(u"dates.csv"_s);
  QVERIFY(ExportRecords(&dataset, file, zelExportCsv, false, false));
  QFile in(file);
  QVERIFY(in.open(QIODevice::ReadOnly));
  QCOMPARE(in.readAll(), line);
}

namespace {

QByteArray bytesOf(const QString &fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Writing over the SQLite file or a STANDARD table file that the query reads would replace
// the data itself: refused before anything is written, however the file is reached.
void TestExportRecords::exportOverWhatTheQueryReadsIsRefused_data() {
  QTest::addColumn<bool>("standard");
  QTest::addColumn<QString>("reach"); // the same name, a symbolic or a hard link
  QTest::addColumn<QString>("target");
  QTest::addColumn<int>("fileType");
  QTest::newRow("SQLite, csv") << false << u"same"_s << u"source.sqlite"_s << int(zelExportCsv);
  QTest::newRow("SQLite, dBase") << false << u"same"_s << u"source.sqlite"_s << int(zelExportDbf);
  QTest::newRow("SQLite by a symbolic link, Paradox")
      << false << u"symlink"_s << u"sales.db"_s << int(zelExportDb);
  QTest::newRow("SQLite by a hard link, tab")
      << false << u"hardlink"_s << u"sales.tab"_s << int(zelExportTab);
  QTest::newRow("STANDARD table, dBase")
      << true << u"same"_s << u"tables/CUSTOMER.dbf"_s << int(zelExportDbf);
  QTest::newRow("STANDARD table by a symbolic link, csv")
      << true << u"symlink"_s << u"customer.csv"_s << int(zelExportCsv);
  QTest::newRow("STANDARD table the query does not read")
      << true << u"same"_s << u"tables/OTHER.dbf"_s << int(zelExportDbf);
}

void TestExportRecords::exportOverWhatTheQueryReadsIsRefused() {
  QFETCH(bool, standard);
  QFETCH(QString, reach);
  QFETCH(QString, target);
  QFETCH(int, fileType);
  QTemporaryDir dir;
  QString source = dir.filePath(u"source.sqlite"_s);
  QVERIFY(QFile::copy(m_db, source));
  QString sql = u"SELECT Company FROM Orders"_s;
  QString database = source;
  if (standard) {
    QVERIFY(QDir(dir.path()).mkdir(u"tables"_s));
    database = dir.filePath(u"tables"_s);
    source = dir.filePath(u"tables/CUSTOMER.dbf"_s);
    const TzelTableData table{{{u"NAME"_s, {ftString, 20}}}, {{u"Acme"_s}, {u"Zeus"_s}}};
    QVERIFY(writeDbaseTable(source, table).ok);
    QVERIFY(writeDbaseTable(dir.filePath(u"tables/OTHER.dbf"_s), table).ok);
    sql = u"SELECT NAME FROM CUSTOMER"_s;
  }
  const QString file = dir.filePath(target);
  if (reach == u"symlink")
    QVERIFY(QFile::link(source, file));
  else if (reach == u"hardlink")
    QCOMPARE(::link(QFile::encodeName(source).constData(), QFile::encodeName(file).constData()), 0);
  const QByteArray before = bytesOf(file);
  TzelDataset dataset;
  dataset.setDatabaseName(database);
  dataset.setSQL({sql});
  dataset.Open();
  RecordingMessages rec;
  const bool other = target.contains(u"OTHER"_s);
  QCOMPARE(exportAs(dataset, file, fileType), other);
  if (other)
    return;
  QCOMPARE(rec.texts(), QStringList{u"Error: The export would replace ["_s + file +
                                    u"], a file the query reads"_s});
  QCOMPARE(bytesOf(file), before);
  QCOMPARE(bytesOf(source), before);
}

// A private file stays private when an export replaces it, and keeps its owner and group;
// a new file gets the process's umask.
void TestExportRecords::replacedFileKeepsItsAccess_data() {
  QTest::addColumn<int>("fileType");
  QTest::addColumn<QString>("name");
  QTest::newRow("comma-delimited") << int(zelExportCsv) << u"private.csv"_s;
  QTest::newRow("dBase") << int(zelExportDbf) << u"private.dbf"_s;
  QTest::newRow("Paradox") << int(zelExportDb) << u"private.db"_s;
}

void TestExportRecords::replacedFileKeepsItsAccess() {
  QFETCH(int, fileType);
  QFETCH(QString, name);
  if (fileType == zelExportDb)
    ZEL_SKIP_WITHOUT_PARADOX();
  TzelDataset dataset;
  openDataset(dataset, u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 1000) SELECT i AS Number, 'Name ' || i AS Name FROM n"_s);
  QTemporaryDir dir;
  const QString file = dir.filePath(name);
  const QByteArray path = QFile::encodeName(file);
  QFile old(file);
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.close();
  QCOMPARE(::chmod(path.constData(), 0600), 0);
  // Only root can give a file away; anyone else checks the mode alone.
  const bool root = ::geteuid() == 0;
  if (root)
    QCOMPARE(::chown(path.constData(), 4321, 4322), 0);
  WatchFolder watched(dir.path(), name);
  const bool replacedIt = exportAs(dataset, file, fileType);
  const bool shown = watched.shown;
  QVERIFY(replacedIt);
  QVERIFY(!shown); // nor was the new data while it was being written
  struct stat replaced = {};
  QCOMPARE(::stat(path.constData(), &replaced), 0);
  QCOMPARE(replaced.st_mode & 07777, mode_t(0600));
  if (root) {
    QCOMPARE(replaced.st_uid, uid_t(4321));
    QCOMPARE(replaced.st_gid, gid_t(4322));
  }

  QVERIFY(QFile::remove(file));
  const mode_t umask = ::umask(027);
  const bool exported = exportAs(dataset, file, fileType);
  ::umask(umask);
  QVERIFY(exported);
  struct stat created = {};
  QCOMPARE(::stat(path.constData(), &created), 0);
  QCOMPARE(created.st_mode & 07777, mode_t(0640));
  QCOMPARE(created.st_uid, ::geteuid());
}

// A full disk names the file and gives the system's reason; nothing is left on the disk.
void TestExportRecords::fullDiskNamesTheFileAndTheReason_data() {
  QTest::addColumn<int>("fileType");
  QTest::addColumn<QString>("name");
  QTest::newRow("comma-delimited") << int(zelExportCsv) << u"full.csv"_s;
  QTest::newRow("tab-delimited") << int(zelExportTab) << u"full.tab"_s;
}

void TestExportRecords::fullDiskNamesTheFileAndTheReason() {
  QFETCH(int, fileType);
  QFETCH(QString, name);
  const QString disk = m_dir.filePath(u"small-disk"_s);
  const SmallDisk small(disk, "64k");
  if (small.whyNot())
    QSKIP(small.whyNot());
  TzelDataset dataset;
  openDataset(dataset, u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 20000) SELECT i AS Number, 'Name ' || i AS Name FROM n"_s);
  const QString file = disk + u'/' + name;
  RecordingMessages rec;
  QVERIFY(!ExportRecords(&dataset, file, fileType, true, false));
  QCOMPARE(rec.texts(),
           QStringList{u"Error: Cannot write "_s + file + u": No space left on device"_s});
  QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestExportRecords::recordsPastTheFirstBlock_data() {
  QTest::addColumn<QString>("declared");
  QTest::addColumn<QString>("value"); // as SQL
  QTest::addColumn<QString>("format");
  QTest::addColumn<QString>("locale");
  QTest::addColumn<QChar>("separator");
  QTest::addColumn<QString>("text");
  const QChar csv = u',';
  const QChar tab = u'\t';
  const auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
  row("integer") << u"INTEGER"_s << u"1234567"_s << QString() << u"en_US"_s << csv << u"1234567"_s;
  row("integer #") << u"INTEGER"_s << u"-42"_s << u"#"_s << u"en_US"_s << csv << u"-42"_s;
  row("integer # past 2^53") << u"INTEGER"_s << u"9007199254740993"_s << u"#"_s << u"en_US"_s << csv
                             << u"9007199254740992"_s;
  row("integer #,# csv") << u"INTEGER"_s << u"1234567"_s << u"#,#"_s << u"en_US"_s << csv
                         << u"\"1,234,567\""_s;
  row("integer #,# tab") << u"INTEGER"_s << u"1234567"_s << u"#,#"_s << u"en_US"_s << tab
                         << u"1,234,567"_s;
  row("integer holding a half") << u"INTEGER"_s << u"2.5"_s << u"#"_s << u"en_US"_s << csv
                                << u"3"_s;
  row("integer holding text") << u"INTEGER"_s << u"'12a'"_s << QString() << u"en_US"_s << csv
                              << u"12a"_s;
  row("integer null") << u"INTEGER"_s << u"NULL"_s << u"#"_s << u"en_US"_s << csv << QString();
  row("float #,#.00") << u"FLOAT"_s << u"1234.5"_s << u"#,#.00"_s << u"en_US"_s << tab
                      << u"1,234.50"_s;
  row("float halfway") << u"FLOAT"_s << u"0.125"_s << u"#,#.00"_s << u"en_US"_s << csv << u"0.13"_s;
  row("float below a cent") << u"FLOAT"_s << u"-0.004"_s << u"#,#.00"_s << u"en_US"_s << csv
                            << u"0.00"_s;
  row("float with prefix") << u"FLOAT"_s << u"-98765432.1"_s << u"$#,#.00"_s << u"en_US"_s << tab
                           << u"-$98,765,432.10"_s;
  row("float 0.###") << u"FLOAT"_s << u"2.675"_s << u"0.###"_s << u"en_US"_s << csv << u"2.675"_s;
  row("float stored whole") << u"FLOAT"_s << u"7"_s << u"#,#.00"_s << u"en_US"_s << csv
                            << u"7.00"_s;
  row("float plain") << u"FLOAT"_s << u"2.5"_s << QString() << u"en_US"_s << csv << u"2.5"_s;
  row("float huge") << u"FLOAT"_s << u"1e20"_s << u"#,#.00"_s << u"en_US"_s << tab
                    << u"100,000,000,000,000,000,000.00"_s;
  row("float de_DE") << u"FLOAT"_s << u"1234.5"_s << u"#,#.00"_s << u"de_DE"_s << csv
                     << u"\"1.234,50\""_s;
  row("currency") << u"CURRENCY"_s << u"1250"_s << QString() << u"en_US"_s << csv
                  << u"\"1,250.00\""_s;
  row("text") << u"VARCHAR(20)"_s << u"'Acme'"_s << QString() << u"en_US"_s << csv << u"\"Acme\""_s;
  row("text quoted") << u"VARCHAR(20)"_s << u"'say \"hi\"'"_s << QString() << u"en_US"_s << tab
                     << u"\"say \"\"hi\"\"\""_s;
  row("text accented") << u"VARCHAR(20)"_s << u"'Čapek & Söhne'"_s << QString() << u"en_US"_s << csv
                       << u"\"Čapek & Söhne\""_s;
  row("text two lines") << u"VARCHAR(20)"_s << u"'a' || char(13, 10) || 'b'"_s << QString()
                        << u"en_US"_s << csv << u"\"a\r\nb\""_s;
  row("text empty") << u"VARCHAR(20)"_s << u"''"_s << QString() << u"en_US"_s << csv << u"\"\""_s;
  row("text null") << u"VARCHAR(20)"_s << u"NULL"_s << QString() << u"en_US"_s << csv << u"\"\""_s;
  row("memo holding a number") << u"MEMO"_s << u"12"_s << QString() << u"en_US"_s << csv
                               << u"\"12\""_s;
  row("flag true") << u"BOOLEAN"_s << u"1"_s << u"Yes;No"_s << u"en_US"_s << csv << u"Yes"_s;
  row("flag false") << u"BOOLEAN"_s << u"0"_s << u"Yes;No"_s << u"en_US"_s << csv << u"No"_s;
  row("date") << u"DATE"_s << u"'1999-03-01'"_s << u"yyyy-mm-dd"_s << u"en_US"_s << csv
              << u"\"1999-03-01\""_s;
  row("date de_DE") << u"DATE"_s << u"'1999-03-01'"_s << QString() << u"de_DE"_s << csv
                    << u"\"01.03.1999\""_s;
  row("date names") << u"DATE"_s << u"'2024-02-29'"_s << u"dddd, d mmmm yy"_s << u"en_US"_s << tab
                    << u"\"Thursday, 29 February 24\""_s;
  row("time") << u"TIME"_s << u"'13:45:07.5'"_s << u"hh:nn:ss.zzz am/pm"_s << u"en_US"_s << csv
              << u"\"01:45:07.500 pm\""_s;
  row("time long") << u"TIME"_s << u"'00:05:00'"_s << QString() << u"en_US"_s << csv
                   << u"\"12:05:00 AM\""_s;
  row("date-time") << u"TIMESTAMP"_s << u"'1999-03-01 13:45:07'"_s << QString() << u"en_US"_s << csv
                   << u"\"3/1/1999 1:45:07 PM\""_s;
  row("date not ISO") << u"DATE"_s << u"'1999-03-01 10:00'"_s << u"yyyy-mm-dd"_s << u"en_US"_s
                      << csv << u"\"1999-03-01\""_s;
  row("blob") << u"BLOB"_s << u"x'0102'"_s << QString() << u"en_US"_s << csv << u"\"(BLOB)\""_s;
}

// Past the first block a dataset keeps, records are written straight from the database's
// own values: each line is the same as those of the records kept.
void TestExportRecords::recordsPastTheFirstBlock() {
  QFETCH(QString, declared);
  QFETCH(QString, value);
  QFETCH(QString, format);
  QFETCH(QString, locale);
  QFETCH(QChar, separator);
  QFETCH(QString, text);
  RecordingMessages rec; // the progress window counts the records
  constexpr int Rows = 1100;
  const QString file = m_dir.filePath(u"walk.sqlite"_s);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"walk"_s);
    db.setDatabaseName(file);
    QVERIFY(db.open());
    QSqlQuery q(db);
    for (const QString &s : {u"DROP TABLE IF EXISTS W"_s, u"CREATE TABLE W (V %1)"_s.arg(declared),
                             u"INSERT INTO W VALUES (%1)"_s.arg(value)})
      QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
  }
  QSqlDatabase::removeDatabase(u"walk"_s);
  const QLocale before;
  QLocale::setDefault(QLocale(locale));
  TzelDataset dataset;
  dataset.setDatabaseName(file);
  dataset.setSQL({u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                  "SELECT V FROM W, n"_s.arg(Rows)});
  dataset.Open();
  QLocale::setDefault(before);
  TzelDatasetField *field = dataset.Fields(0);
  if (field->DataType() == ftBoolean)
    field->setDisplayValues(format);
  else
    field->setDisplayFormat(format);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteDelimitedRecords(dataset, buffer, separator, false);
  QCOMPARE(QString::fromUtf8(buffer.data()), (text + u"\r\n"_s).repeated(Rows));
  QVERIFY(rec.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestExportRecords)
#include "tst_exportrecords.moc"

void TestExportRecords::cancelledExportKeepsTheOldFile_data() {
  QTest::addColumn<int>("fileType");
  QTest::addColumn<QString>("name");
  QTest::newRow("comma-delimited") << int(zelExportCsv) << u"many.csv"_s;
  QTest::newRow("dBase") << int(zelExportDbf) << u"many.dbf"_s;
  QTest::newRow("Paradox") << int(zelExportDb) << u"many.db"_s;
}

void TestExportRecords::cancelledExportKeepsTheOldFile() {
  QFETCH(int, fileType);
  QFETCH(QString, name);
  if (fileType == zelExportDb)
    ZEL_SKIP_WITHOUT_PARADOX();
  TzelDataset dataset;
  openDataset(dataset, u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 5000) SELECT i AS Number FROM n"_s);
  QString file = m_dir.filePath(name);
  QFile old(file);
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write("the earlier export");
  old.close();
  RecordingMessages rec;
  StopAt stop(3);
  TzelDataModel model;
  const bool exported = fileType == zelExportCsv
                            ? ExportRecords(&dataset, file, fileType, true, true)
                            : model.ExportTable(&dataset, file, fileType, true);
  QVERIFY(!exported);
  QCOMPARE(rec.texts(), QStringList{u"Error: The export was cancelled; no file was written."_s});
  QFile kept(file);
  QVERIFY(kept.open(QIODevice::ReadOnly));
  QCOMPARE(kept.readAll(), QByteArray("the earlier export"));
  QCOMPARE(QDir(m_dir.path()).entryList({u"*part*"_s}), QStringList()); // no half-written file
  QCOMPARE(dataset.RecNo(), 0);
  QVERIFY(!dataset.ControlsDisabled());
}

void TestExportRecords::largeTableReadsBack_data() {
  QTest::addColumn<int>("fileType");
  QTest::addColumn<QString>("name");
  QTest::newRow("dBase") << int(zelExportDbf) << u"large.dbf"_s;
  QTest::newRow("Paradox") << int(zelExportDb) << u"large.db"_s;
}

// Several megabytes, far more than the writer keeps in memory, read back whole.
void TestExportRecords::largeTableReadsBack() {
  QFETCH(int, fileType);
  QFETCH(QString, name);
  if (fileType == zelExportDb)
    ZEL_SKIP_WITHOUT_PARADOX();
  constexpr int Rows = 30000;
  TzelDataset dataset;
  openDataset(dataset, u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 30000) SELECT i AS Number, printf('%0100d', i) AS Padding "
                       "FROM n"_s);
  QString file = m_dir.filePath(name);
  TzelDataModel model;
  QVERIFY(model.ExportTable(&dataset, file, fileType, true));
  TzelTableData table;
  const TzelFileResult read =
      fileType == zelExportDb ? readParadoxTable(file, table) : readDbaseTable(file, table);
  QVERIFY2(read.ok, qPrintable(read.text));
  QCOMPARE(table.rows.size(), Rows);
  for (int i = 0; i < Rows; i += 997) {
    QCOMPARE(table.rows[i].value(0).toInt(), i + 1);
    QCOMPARE(table.rows[i].value(1).toString(), QString::number(i + 1).rightJustified(100, u'0'));
  }
}

void TestExportRecords::fullDiskFailsWithTheReason_data() {
  QTest::addColumn<int>("fileType");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  QTest::newRow("dBase") << int(zelExportDbf) << u"full.dbf"_s << u"dBase"_s;
  QTest::newRow("Paradox") << int(zelExportDb) << u"full.db"_s << u"Paradox"_s;
}

// A table that does not fit on a small file system: the export stops with the system's
// reason and leaves nothing behind.
void TestExportRecords::fullDiskFailsWithTheReason() {
  QFETCH(int, fileType);
  QFETCH(QString, name);
  if (fileType == zelExportDb)
    ZEL_SKIP_WITHOUT_PARADOX();
  QFETCH(QString, kind);
  const QString disk = m_dir.filePath(u"disk"_s);
  const SmallDisk small(disk, "1m");
  if (small.whyNot())
    QSKIP(small.whyNot());
  TzelDataset dataset;
  openDataset(dataset, u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < 20000) SELECT i AS Number, printf('%0100d', i) AS Padding "
                       "FROM n"_s);
  QString file = QDir(disk).filePath(name);
  RecordingMessages rec;
  TzelDataModel model;
  QVERIFY(!model.ExportTable(&dataset, file, fileType, true));
  QCOMPARE(
      rec.texts(),
      QStringList{u"Error: Cannot write %1 table %2: No space left on device"_s.arg(kind, file)});
  QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList());
}
