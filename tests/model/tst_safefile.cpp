// SPDX-License-Identifier: MIT
#include "model/safefile.h"
#include "support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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

  // A replaced file passes on its mode and (as root, who may) its owner and group.
  void replacementKeepsAccess_data() {
    QTest::addColumn<bool>("rename");
    QTest::newRow("WriteFileSafely") << false;
    QTest::newRow("ReplaceFileWith") << true;
  }

  void replacementKeepsAccess() {
    QFETCH(bool, rename);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("private.zel"));
    QCOMPARE(WriteFileSafely(name, "old\r\n"), QString());
    const QByteArray path = QFile::encodeName(name);
    QCOMPARE(::chmod(path.constData(), 0600), 0);
    const bool root = ::geteuid() == 0;
    if (root)
      QCOMPARE(::chown(path.constData(), 4321, 4322), 0);
    if (rename) {
      const QString temporary = dir.filePath(QStringLiteral("new.part"));
      QFile file(temporary);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("new\r\n");
      file.close();
      QCOMPARE(ReplaceFileWith(temporary, name), QString());
    } else {
      QCOMPARE(WriteFileSafely(name, "new\r\n"), QString());
    }
    QCOMPARE(contents(name), QByteArray("new\r\n"));
    struct stat st = {};
    QCOMPARE(::stat(path.constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0600));
    if (root) {
      QCOMPARE(st.st_uid, uid_t(4321));
      QCOMPARE(st.st_gid, gid_t(4322));
    }
  }

  // A write goes through a link (a chain of them, or one to a file not yet made) to the file
  // it names, and the link stays; a FIFO or a folder is refused and stays as it is.
  void writeTarget() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.dbf"));
    const QString link = dir.filePath(QStringLiteral("link.dbf"));
    const QString chain = dir.filePath(QStringLiteral("chain.dbf"));
    const QString dangling = dir.filePath(QStringLiteral("dangling.dbf"));
    const QString fifo = dir.filePath(QStringLiteral("fifo.dbf"));
    QCOMPARE(WriteFileSafely(file, "old"), QString());
    QVERIFY(QFile::link(file, link));
    QVERIFY(QFile::link(link, chain));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("new.dbf")), dangling));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    for (const QString &name : {link, chain})
      QCOMPARE(zelWriteTarget(name).path, file);
    QCOMPARE(zelWriteTarget(dangling).path, dir.filePath(QStringLiteral("new.dbf")));
    for (const QString &name : {file, link, chain, dangling})
      QCOMPARE(zelWriteTarget(name).refusal, QString());
    for (const QString &name : {fifo, dir.path()})
      QCOMPARE(zelWriteTarget(name).refusal, QStringLiteral("it is not a regular file"));

    QCOMPARE(WriteFileSafely(chain, "new"), QString());
    QCOMPARE(contents(file), QByteArray("new"));
    QVERIFY(QFileInfo(chain).isSymLink() && QFileInfo(link).isSymLink());
    QCOMPARE(WriteFileSafely(fifo, "new"), QStringLiteral("it is not a regular file"));
    QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
  }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
