#include "model/safefile.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contents(const QString &fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSafeFile : public QObject {
  Q_OBJECT
private slots:
  void replacesAndRefuses() {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("query.zel"));
    QCOMPARE(WriteFileSafely(name, "first\r\n"), QString());
    QCOMPARE(WriteFileSafely(name, "second\r\n"), QString());
    QCOMPARE(contents(name), QByteArray("second\r\n"));
    QVERIFY(!WriteFileSafely(dir.filePath(QStringLiteral("no/such/x.zel")), "x").isEmpty());
  }

  // A write cut short (here by a size limit, as by a full disk) keeps the good file and
  // leaves nothing beside it.
  void shortWriteKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("query.zel"));
    QCOMPARE(WriteFileSafely(name, "good\r\n"), QString());
    QString reason;
    {
      const FileSizeLimit limit(1024);
      reason = WriteFileSafely(name, QByteArray(64 * 1024, 'x'));
    }
    QVERIFY(!reason.isEmpty());
    QCOMPARE(contents(name), QByteArray("good\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("query.zel")});
  }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
