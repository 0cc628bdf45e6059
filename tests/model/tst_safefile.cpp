#include "model/safefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray contents(const QString &fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowers the largest file this process may write, for the length of a scope; writes past it
// fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit lowered = m_old;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
  rlimit m_old{};
};

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
