// SPDX-License-Identifier: MIT
// Export runs from the query component's export operation through the dialog to the file,
// read back by readers that are not ours: Python's csv module and the dbf package.

#include "database/zeldatamodel.h"
#include "database/zeldataset.h"
#include "dialogs/frmzelexport.h"
#include "engine/exportprompt.h"
#include "engine/zelquerion.h"
#include "export/exportrecords.h"
#include "support/modaldriver.h"
#include "support/recordingmessages.h"
#include "support/samplefiles.h"
#include "support/scriptedprompts.h"
#include "support/stopat.h"
#include "workspace/queryprompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kPython = u"/usr/bin/python3"_s;

// The rows a Python script prints as one JSON array; a failed script fails the test.
QJsonArray runPython(const QString &script, const QString &file) {
  QProcess python;
  python.start(kPython, {u"-W"_s, u"ignore"_s, u"-c"_s, script, file});
  if (!python.waitForFinished(60000) || python.exitCode() != 0) {
    qWarning() << python.readAllStandardError();
    return {};
  }
  return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

bool pythonHas(const QString &module) {
  QProcess python;
  python.start(kPython, {u"-W"_s, u"ignore"_s, u"-c"_s, u"import "_s + module});
  return python.waitForFinished(60000) && python.exitStatus() == QProcess::NormalExit &&
         python.exitCode() == 0;
}

const QString kReadCsv = uR"(import csv, json, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    print(json.dumps(list(csv.reader(f))))
)"_s;

const QString kReadDbf = uR"(import dbf, json, sys, datetime, decimal
t = dbf.Table(sys.argv[1])
t.open()
def cell(v):
    if isinstance(v, (datetime.date, datetime.datetime)): return v.isoformat()[:10]
    if isinstance(v, str): return v.rstrip()
    if isinstance(v, decimal.Decimal): return float(v)
    return v
rows = [list(t.field_names)] + [[cell(r[n]) for n in t.field_names] for r in t]
t.close()
print(json.dumps(rows))
)"_s;

// A text as an 8-bit dBase file holds it: characters outside it become "?".
QString inCodePage(QString text) {
  for (QChar &c : text)
    if (c.unicode() > 0xFF)
      c = u'?';
  return text;
}

// Answers the export dialog with a type and a name.
void answerExport(const QString &entry, const QString &name) {
  whenModal([entry, name](QWidget *w) {
    auto *dialog = qobject_cast<TfrmZelExport *>(w);
    if (!dialog) {
      w->close();
      return;
    }
    dialog->cmbFileType->setCurrentIndex(dialog->cmbFileType->findText(entry));
    dialog->txtFileName->setText(name);
    dialog->cmdOk->click();
    if (dialog->isVisible()) // refused: leave no modal behind
      dialog->cmdCancel->click();
  });
}

QByteArray contentsOf(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// 5000 numbers; with failAt, reading fails at that record (SQLite's integer overflow).
QString numbersSql(int failAt) {
  return u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
         "SELECT CASE WHEN i = %1 THEN abs(-9223372036854775808) ELSE i END AS Number FROM n"_s.arg(
             failAt);
}

const QString kNoRecords =
    u"Error: There are no records to export: the query has not run, or its statement failed."_s;

} // namespace

class TestFrmZelExportRun : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    zelInstallQueryPrompts();
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
          u"INSERT INTO Orders VALUES ('Zeus Parts', 3, '1998-11-30', 3.5, 'plain')"_s,
          u"INSERT INTO Orders VALUES ('Čapek & Söhne', 7, '2001-01-02', 0, "
          "'two' || char(13) || char(10) || 'lines')"_s,
      };
      for (const QString &s : statements)
        QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(u"setup"_s);
  }

  void init() {
    m_dataset = std::make_unique<TzelDataset>();
    m_dataset->setObjectName(u"Query1"_s);
    m_dataset->setDatabaseName(m_db);
    m_dataset->setSQL({u"SELECT Company, Orders, LastOrder, Amount, Note FROM Orders "
                       "ORDER BY Orders DESC"_s});
    m_dataset->Open();
    m_dataset->Fields(2)->setDisplayFormat(u"mm/dd/yyyy"_s);
    m_model = std::make_unique<TzelDataModel>();
    m_querion = std::make_unique<TzelQuerion>();
    m_querion->setObjectName(u"zelQuerion1"_s);
    m_querion->SetDataModel(m_model.get());
    m_querion->SetDataQuery(m_dataset.get());
  }
  void cleanup() {
    m_querion.reset();
    m_model.reset();
    m_dataset.reset();
  }

  void csvReadBackCellForCell() {
    if (!pythonHas(u"csv"_s))
      QSKIP("Python 3 is not installed at /usr/bin/python3");
    const QString file = m_dir.filePath(u"orders.csv"_s);
    RecordingMessages rec;
    answerExport(u"Comma Delimited (*.csv)"_s, file);
    QVERIFY(m_querion->Export());
    QCOMPARE(rec.texts(), QStringList{file + u" has been successfully created."_s});
    const QJsonArray rows = runPython(kReadCsv, file);
    QCOMPARE(rows.size(), 1 + m_dataset->RecordCount());
    TzelDataset &data = *m_dataset;
    for (int f = 0; f < data.FieldCount(); ++f)
      QCOMPARE(rows[0].toArray()[f].toString(), data.Fields(f)->DisplayLabel());
    for (int r = 0; r < data.RecordCount(); ++r) {
      const QJsonArray row = rows[r + 1].toArray();
      QCOMPARE(row.size(), data.FieldCount());
      for (int f = 0; f < data.FieldCount(); ++f)
        QCOMPARE(row[f].toString(), data.Fields(f)->displayTextAt(r));
    }
    QCOMPARE(rows[1].toArray()[2].toString(), u"03/01/1999"_s);
    QCOMPARE(data.RecNo(), 0);
  }

  void dbfReadBackByAnotherReader() {
    if (!pythonHas(u"dbf"_s))
      QSKIP("The dbf package of Python 3 is missing (python3-dbf, scripts/install-deps.sh)");
    const QString file = m_dir.filePath(u"orders.dbf"_s);
    RecordingMessages rec;
    answerExport(u"dBase table (*.dbf)"_s, file);
    QVERIFY(m_querion->Export());
    QCOMPARE(rec.texts(), QStringList{file + u" has been successfully created."_s});
    const QJsonArray rows = runPython(kReadDbf, file);
    QCOMPARE(rows.size(), 1 + m_dataset->RecordCount());
    TzelDataset &data = *m_dataset;
    for (int f = 0; f < data.FieldCount(); ++f)
      QCOMPARE(rows[0].toArray()[f].toString().toUpper(), data.Fields(f)->FieldName().toUpper());
    for (int r = 0; r < data.RecordCount(); ++r) {
      const QJsonArray row = rows[r + 1].toArray();
      QCOMPARE(row[0].toString(), inCodePage(data.value(r, 0).toString()));
      QCOMPARE(row[1].toDouble(), data.value(r, 1).toDouble());
      QCOMPARE(row[2].toString(), data.value(r, 2).toDate().toString(Qt::ISODate));
      QCOMPARE(row[3].toDouble(), data.value(r, 3).toDouble());
      QCOMPARE(row[4].toString(), data.value(r, 4).toString().trimmed());
    }
  }

  void tabWithoutNames() {
    const QString file = m_dir.filePath(u"orders.tab"_s);
    RecordingMessages rec;
    whenModal([file](QWidget *w) {
      auto *dialog = qobject_cast<TfrmZelExport *>(w);
      dialog->cmbFileType->setCurrentIndex(
          dialog->cmbFileType->findText(u"Tab Delimited (*.tab)"_s));
      dialog->txtFileName->setText(file);
      whenModal([](QWidget *options) {
        options->findChild<QCheckBox *>(u"chkFieldNames"_s)->setChecked(false);
        options->findChild<QPushButton *>(u"cmdOk"_s)->click();
      });
      dialog->cmdOptions->click();
      dialog->cmdOk->click();
    });
    QVERIFY(m_querion->Export());
    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QVERIFY(in.readLine().startsWith("\"Acme Supply\"\t12\t\"03/01/1999\"\t"));
  }

  void cancelWritesNothing() {
    RecordingMessages rec;
    whenModal([](QWidget *w) { qobject_cast<TfrmZelExport *>(w)->cmdCancel->click(); });
    QVERIFY(!m_querion->Export());
    QVERIFY(rec.messages.isEmpty());
  }

  void nameOfSpacesIsRefusedAndNothingWritten() {
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    RecordingMessages rec;
    answerExport(u"Comma Delimited (*.csv)"_s, u"   "_s);
    QVERIFY(!m_querion->Export());
    QCOMPARE(rec.texts(), QStringList{u"Error: File name must be assigned."_s});
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
  }

  void reportExportHasNoBehaviour() {
    m_querion->SetReportMode(true);
    const QString file = m_dir.filePath(u"orders.pxo"_s);
    RecordingMessages rec;
    answerExport(u"Pellox Report (*.pxo)"_s, file);
    QVERIFY(!m_querion->Export());
    QVERIFY(rec.messages.isEmpty());
    QVERIFY(!QFile::exists(file));
  }

  void dispatchByNumber_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("paradox") << 9 << true << QString();
    QTest::newRow("adt goes to the engine") << 1 << false
                                            << u"Error: The Borland Database Engine cannot export "
                                               "file type 1."_s;
    QTest::newRow("dat goes to the engine") << 6 << false
                                            << u"Error: The Borland Database Engine cannot export "
                                               "file type 6."_s;
    QTest::newRow("xls goes to the writer")
        << 4 << false << u"Error: The ExportRecords method does not support file type 4."_s;
    QTest::newRow("doc goes to the writer")
        << 15 << false << u"Error: The ExportRecords method does not support file type 15."_s;
    QTest::newRow("none") << 0 << false << QString();
  }

  void dispatchByNumber() {
    QFETCH(int, type);
    QFETCH(bool, result);
    QFETCH(QString, message);
    if (type == zelExportDb)
      ZEL_SKIP_WITHOUT_PARADOX();
    const QString file = m_dir.filePath(u"dispatch%1.db"_s.arg(type));
    ScriptedPrompts fixedChoice; // gives back the choice without a window
    fixedChoice.exportChoice = TzelExportChoice{file, type, true, {}};
    m_querion->SetPrompts(&fixedChoice);
    RecordingMessages rec;
    QCOMPARE(m_querion->Export(), result);
    m_querion->SetPrompts(nullptr);
    if (result)
      QCOMPARE(rec.lastText(), file + u" has been successfully created."_s);
    else
      QCOMPARE(rec.lastText(), message);
    QCOMPARE(QFile::exists(file), result);
  }

  // Yes to "replace" only allows the replacement: the old file stays, byte for byte, until
  // a new one is complete, so a cancelled or failed export loses nothing.
  void replacedFileSurvivesAFailedExport_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("failAt"); // 0: the user cancels instead
    QTest::addColumn<QString>("message");
    const QString cancelled = u"Error: The export was cancelled; no file was written."_s;
    const QString failed = u"Error: integer overflow"_s;
    const QString csv = u"Comma Delimited (*.csv)"_s, dbf = u"dBase table (*.dbf)"_s,
                  db = u"Paradox table (*.db)"_s;
    QTest::newRow("csv cancelled") << csv << u"old.csv"_s << 0 << cancelled;
    QTest::newRow("dBase cancelled") << dbf << u"old.dbf"_s << 0 << cancelled;
    QTest::newRow("Paradox cancelled") << db << u"old.db"_s << 0 << cancelled;
    QTest::newRow("csv failed") << csv << u"old.csv"_s << 4000 << failed;
    QTest::newRow("Paradox failed") << db << u"old.db"_s << 4000 << failed;
  }
  void replacedFileSurvivesAFailedExport() {
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(int, failAt);
    QFETCH(QString, message);
    if (name.endsWith(u".db"_s))
      ZEL_SKIP_WITHOUT_PARADOX();
    m_dataset->Close();
    m_dataset->setSQL({numbersSql(failAt)});
    m_dataset->Open();
    const QString file = m_dir.filePath(name);
    const QByteArray old("the earlier export\r\n\x00\xff", 22);
    writeFile(file, old);
    RecordingMessages rec;
    rec.answers << TzelAnswer::Yes;
    StopAt stop(failAt ? 1000 : 3);
    answerExport(entry, file);
    const bool exported = m_querion->Export();
    QVERIFY(!exported);
    QCOMPARE(contentsOf(file), old);
    QCOMPARE(rec.texts(), (QStringList{u"The file "_s + name +
                                           u" already exists.\r\rDo you want to replace it?"_s,
                                       message}));
    QCOMPARE(QDir(m_dir.path()).entryList({u"*part*"_s, u"*probe*"_s}), QStringList());
  }

  // Nothing to give (the query never ran, or its statement failed): every path refuses with
  // the reason and writes nothing, the export dialog before it asks for a name.
  void exportWithoutRecordsIsRefused_data() {
    QTest::addColumn<QString>("sql"); // empty: the dataset is only closed
    QTest::newRow("closed") << QString();
    QTest::newRow("failed statement") << u"SELECT Nothing FROM Orders"_s;
  }
  void exportWithoutRecordsIsRefused() {
    QFETCH(QString, sql);
    m_dataset->Close();
    if (!sql.isEmpty()) {
      m_dataset->setSQL({sql});
      QVERIFY_THROWS_EXCEPTION(EzelError, m_dataset->Open());
    }
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    RecordingMessages rec;
    bool asked = false;
    QObject guard; // drops the timer when the test ends
    QTimer::singleShot(1000, &guard, [&asked] {
      if (QWidget *dialog = QApplication::activeModalWidget()) {
        asked = true;
        dialog->close();
      }
    });
    QVERIFY(!m_querion->Export());
    QCOMPARE(rec.texts(), QStringList{kNoRecords});
    QVERIFY(!asked);
    for (const int type :
         {int(zelExportCsv), int(zelExportTab), int(zelExportDbf), int(zelExportDb)}) {
      rec.clear();
      const QString file = m_dir.filePath(u"nothing%1.out"_s.arg(type));
      QVERIFY(!RunExport(*m_querion, {file, type, true, {}}));
      QCOMPARE(rec.texts(), QStringList{kNoRecords});
    }
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
  }

  // The database the records come from, chosen as the output: refused while the dialog is
  // open, before any question about replacing it, and left as it was.
  void databaseReadIsRefusedInTheDialog() {
    const QByteArray before = contentsOf(m_db);
    RecordingMessages rec;
    answerExport(u"Comma Delimited (*.csv)"_s, m_db + u".csv"_s);
    QFile::link(m_db, m_db + u".csv"_s); // the same file under a name the type accepts
    QVERIFY(!m_querion->Export());
    QCOMPARE(rec.texts(), QStringList{u"Error: The export would replace ["_s + m_db +
                                      u".csv], a file the query reads"_s});
    QCOMPARE(contentsOf(m_db), before);
    QFile::remove(m_db + u".csv"_s);
  }

  void tableExportNeedsADataModel() {
    m_querion->SetDataModel(nullptr);
    RecordingMessages rec;
    QVERIFY(!m_querion->ExportTable(m_dir.filePath(u"x.dbf"_s), zelExportDbf, true));
    QCOMPARE(rec.lastText(),
             u"Error: The DataModel property of zelQuerion1 has not been assigned"_s);
  }

private:
  QTemporaryDir m_dir;
  QString m_db;
  std::unique_ptr<TzelDataset> m_dataset;
  std::unique_ptr<TzelDataModel> m_model;
  std::unique_ptr<TzelQuerion> m_querion;
};

QTEST_MAIN(TestFrmZelExportRun)
#include "tst_frmzelexportrun.moc"
