// SPDX-License-Identifier: MIT
#include "model/datasetprops.h"
#include "model/supportfiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class Dataset : public QObject {
  Q_OBJECT
  Q_PROPERTY(QStringList SQL MEMBER sql)
  Q_PROPERTY(QString DatabaseName MEMBER databaseName)
public:
  QStringList sql;
  QString databaseName;
};

class OddDataset : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString SQL MEMBER sql)
  Q_PROPERTY(int DatabaseName MEMBER databaseName)
public:
  QString sql;
  int databaseName = 0;
};

} // namespace

class TestSupportFiles : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY(config.isValid());
    // The user's configuration folder is the second place support files are looked for.
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  }

  void absolutePaths_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<QString>("withSeparator");
    QTest::newRow("drive") << "C:\\data" << true << "C:\\data\\";
    QTest::newRow("drive with backslash") << "C:\\data\\" << true << "C:\\data\\";
    QTest::newRow("UNC") << "\\\\server\\share" << true << "\\\\server\\share\\";
    QTest::newRow("relative") << "data\\file" << false << "data\\file";
    QTest::newRow("rooted without drive") << "\\data" << false << "\\data";
    QTest::newRow("drive relative") << "C:data" << false << "C:data";
    QTest::newRow("slash") << "/usr/share" << true << "/usr/share/";
    QTest::newRow("slash ended") << "/usr/share/" << true << "/usr/share/";
    QTest::newRow("relative slash") << "share/help" << false << "share/help";
    QTest::newRow("empty") << "" << false << "";
  }
  void absolutePaths() {
    QFETCH(QString, path);
    QFETCH(bool, absolute);
    QFETCH(QString, withSeparator);
    QCOMPARE(IsAbsolutePath(path), absolute);
    QCOMPARE(AddTrailingBackslash(path), withSeparator);
  }

  void supportFilesAndHelp() {
    QCOMPARE(SupportFolders().at(1), config.path());
    QCOMPARE(SupportFolders().last(), QStringLiteral("/etc"));
    QCOMPARE(FindSupportFile(QStringLiteral("NO_SUCH_FILE.INI")),
             QStringLiteral("NO_SUCH_FILE.INI"));
    // No settings file yet: the file comes back unchanged.
    QCOMPARE(LocateHelpFile(QStringLiteral("C:\\Pellox\\VIZADUZ.HLP")),
             QStringLiteral("C:\\Pellox\\VIZADUZ.HLP"));

    const QString ini = config.filePath(QStringLiteral("PELLOX.INI"));
    writeFile(ini, "[Settings]\nHELP=/opt/pellox/help\n");
    QCOMPARE(FindSupportFile(QStringLiteral("PELLOX.INI")), ini);
    QCOMPARE(LocateHelpFile(QStringLiteral("C:\\Pellox\\VIZADUZ.HLP")),
             QStringLiteral("/opt/pellox/help/VIZADUZ.HLP"));
    QCOMPARE(LocateHelpFile(QStringLiteral("docs/ZOZEROD.HLP")),
             QStringLiteral("/opt/pellox/help/ZOZEROD.HLP"));

    writeFile(ini, "[settings]\nhelp=/opt/help/\n");
    QCOMPARE(LocateHelpFile(QStringLiteral("ZOZEROD.HLP")),
             QStringLiteral("/opt/help/ZOZEROD.HLP"));

    writeFile(ini, "[Settings]\nHELP=\n");
    QCOMPARE(LocateHelpFile(QStringLiteral("ZOZEROD.HLP")), QStringLiteral("ZOZEROD.HLP"));
    QFile::remove(ini);
  }

  // The settings file is read as written: a backslash is part of the folder's name.
  void helpFolderAsWritten_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("located");
    QTest::newRow("drive") << QByteArray("[Settings]\r\nHELP=C:\\HELP\r\n")
                           << QStringLiteral("C:\\HELP\\VIZADUZ.HLP");
    QTest::newRow("drive ended") << QByteArray("[Settings]\nHELP=C:\\HELP\\\n")
                                 << QStringLiteral("C:\\HELP\\VIZADUZ.HLP");
    QTest::newRow("escape-like letters") << QByteArray("[Settings]\nHELP=D:\\new\\tables\\x\n")
                                         << QStringLiteral("D:\\new\\tables\\x\\VIZADUZ.HLP");
    QTest::newRow("server") << QByteArray("[Settings]\nHELP=\\\\srv\\help\n")
                            << QStringLiteral("\\\\srv\\help\\VIZADUZ.HLP");
    QTest::newRow("quoted with spaces")
        << QByteArray("[Settings]\nHELP = \"C:\\Program Files\\Help\"  \n")
        << QStringLiteral("C:\\Program Files\\Help\\VIZADUZ.HLP");
    QTest::newRow("other sections and comments")
        << QByteArray("[Other]\nHELP=/wrong\n[SETTINGS]\n;HELP=/comment\nKey=1\nhelp=/right\n")
        << QStringLiteral("/right/VIZADUZ.HLP");
    QTest::newRow("only in another section")
        << QByteArray("[Other]\nHELP=/wrong\n") << QStringLiteral("C:\\Pellox\\VIZADUZ.HLP");
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf[Settings]\nHELP=C:\\H\xc3\xa4\n")
                                     << QStringLiteral("C:\\H\u00e4\\VIZADUZ.HLP");
    QTest::newRow("latin-1") << QByteArray("[Settings]\nHELP=C:\\Hilfe\xe4\n")
                             << QStringLiteral("C:\\Hilfe\u00e4\\VIZADUZ.HLP");
  }
  void helpFolderAsWritten() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, located);
    const QString ini = config.filePath(QStringLiteral("PELLOX.INI"));
    writeFile(ini, settings);
    QCOMPARE(LocateHelpFile(QStringLiteral("C:\\Pellox\\VIZADUZ.HLP")), located);
    QFile::remove(ini);
  }

  void scaling() {
    QCOMPARE(ScaleToScreen(100, 96), 100);
    QCOMPARE(ScaleToScreen(100, 120), 125);
    QCOMPARE(ScaleToScreen(10, 144), 15);
    QCOMPARE(ScaleToScreen(7, 100), 7); // integer division
  }

  void datasetSql() {
    Dataset dataset;
    dataset.sql = QStringList{QStringLiteral("SELECT 1")};
    QCOMPARE(GetDatasetSql(&dataset), std::optional(QStringList{QStringLiteral("SELECT 1")}));
    QVERIFY(SetDatasetSql(&dataset, {QStringLiteral("SELECT 2")}));
    QCOMPARE(dataset.sql, QStringList{QStringLiteral("SELECT 2")});

    OddDataset odd;
    QCOMPARE(GetDatasetSql(&odd), std::nullopt);
    QVERIFY(!SetDatasetSql(&odd, {QStringLiteral("x")}));
    QCOMPARE(odd.sql, QString());

    QObject plain;
    QCOMPARE(GetDatasetSql(&plain), std::nullopt);
    QVERIFY(!SetDatasetSql(&plain, {QStringLiteral("x")}));
    QVERIFY(!plain.property("SQL").isValid());
    plain.setProperty("SQL", QStringList{QStringLiteral("a")});
    QVERIFY(SetDatasetSql(&plain, {QStringLiteral("b")}));
    QCOMPARE(GetDatasetSql(&plain), std::optional(QStringList{QStringLiteral("b")}));
    QCOMPARE(GetDatasetSql(nullptr), std::nullopt);
  }

  void datasetDatabaseName() {
    Dataset dataset;
    QCOMPARE(GetDatasetDatabaseName(&dataset), QString());
    QVERIFY(!DatasetHasDatabaseName(&dataset));
    dataset.databaseName = QStringLiteral("DBDEMOS");
    QCOMPARE(GetDatasetDatabaseName(&dataset), QStringLiteral("DBDEMOS"));
    QVERIFY(DatasetHasDatabaseName(&dataset));

    OddDataset odd; // not a string
    QCOMPARE(GetDatasetDatabaseName(&odd), QString());
    QVERIFY(DatasetHasDatabaseName(&odd));
    QObject plain; // missing
    QCOMPARE(GetDatasetDatabaseName(&plain), QString());
    QVERIFY(DatasetHasDatabaseName(&plain));
  }

private:
  static void writeFile(const QString &name, const QByteArray &text) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }

  QTemporaryDir config;
};

QTEST_GUILESS_MAIN(TestSupportFiles)
#include "tst_supportfiles.moc"
