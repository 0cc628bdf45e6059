// SPDX-License-Identifier: MIT
// The Paradox module: loaded from the core's folder when the build has it; without it, Paradox
// tables are refused with the reason and nothing is written.
#include "database/zelparadoxfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TstParadoxModule : public QObject {
  Q_OBJECT

private slots:
  void loadedWhenBuilt() {
    QCOMPARE(zelParadoxAvailable(), bool(ZEL_WITH_PARADOX));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"one.db"_s);
    const TzelTableData written{{{u"ID"_s, {ftInteger, 0}}}, {{7}}};
    const TzelFileResult write = writeParadoxTable(path, written);
    TzelTableData read;
    const TzelFileResult result = readParadoxTable(path, read);
    if (zelParadoxAvailable()) {
      QVERIFY2(write.ok && result.ok, qPrintable(write.text + result.text));
      QCOMPARE(read.rows, written.rows);
      return;
    }
    QVERIFY2(result.text.startsWith(u"The Paradox module cannot be loaded: "_s),
             qPrintable(result.text));
    QVERIFY(!result.ok && !write.ok);
    QCOMPARE(write.text, result.text);
    QVERIFY(!QFile::exists(path));
  }
};

QTEST_GUILESS_MAIN(TstParadoxModule)
#include "tst_paradoxmodule.moc"
