// SPDX-License-Identifier: MIT
// The tool fed mangled model and query files: whatever the input, it ends normally with
// status 0, 1 or 2, and every failure says why on standard error. The number of random
// runs is $ZEL_FUZZ_RUNS (default 40); the sanitizer build in CI runs many more.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
  bool crashed = true;
  int status = -1;
  QString err;
};

QByteArray examplesFile(const char *name) {
  QFile file(QStringLiteral(ZEL_SOURCE_DIR "/examples/") + QLatin1String(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One random change of a stored text: lines dropped, repeated or swapped, values replaced,
// bytes flipped, the text cut short.
class Mangler {
public:
  explicit Mangler(quint32 seed) : m_rng(seed) {}

  QByteArray mangle(const QByteArray &text) {
    QByteArray out = text;
    const int changes = 1 + int(m_rng.bounded(4));
    for (int i = 0; i < changes; ++i)
      out = once(out);
    return out;
  }

private:
  QByteArray once(const QByteArray &text) {
    QList<QByteArray> lines = text.split('\n');
    const qsizetype at = m_rng.bounded(int(lines.size()));
    switch (m_rng.bounded(6)) {
    case 0:
      lines.removeAt(at);
      break;
    case 1:
      lines.insert(at, lines.at(m_rng.bounded(int(lines.size()))));
      break;
    case 2:
      lines.swapItemsAt(at, m_rng.bounded(int(lines.size())));
      break;
    case 3:
      lines[at] = replacedValue(lines.at(at));
      break;
    case 4:
      return flipped(text);
    default:
      return text.left(m_rng.bounded(int(text.size()) + 1));
    }
    return lines.join('\n');
  }

  QByteArray replacedValue(const QByteArray &line) {
    static const QList<QByteArray> values{"",     "''",         "-1",  "2147483648", "'x'",
                                          "[]",   "zelNothing", "(",   "'a''",       "1.5e999",
                                          "''''", "#0",         "True"};
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
      return line + " = " + values.at(m_rng.bounded(int(values.size())));
    return line.left(eq + 1) + ' ' + values.at(m_rng.bounded(int(values.size())));
  }

  QByteArray flipped(QByteArray text) {
    for (int i = 0; i < 4 && !text.isEmpty(); ++i)
      text[m_rng.bounded(int(text.size()))] = char(m_rng.bounded(256));
    return text;
  }

  QRandomGenerator m_rng;
};

} // namespace

class TstZelQueryFuzz : public QObject {
  Q_OBJECT
  QTemporaryDir m_dir;
  QString m_tool;
  QString m_data;
  QByteArray m_model;
  QByteArray m_query;

  QString write(const QString &name, const QByteArray &text) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      return {};
    file.write(text);
    return path;
  }

  ToolRun tool(const QStringList &args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ZEL_ALIASES_FILE"_s, m_dir.filePath(u"no-aliases.ini"_s));
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(m_tool, args);
    ToolRun run;
    if (!process.waitForFinished(60000)) {
      process.kill();
      process.waitForFinished();
      run.err = u"timed out"_s;
      return run;
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.status = process.exitCode();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
  }

  // Runs the command on the two texts and checks the outcome; what describes the input.
  void check(const QString &command, const QByteArray &model, const QByteArray &query,
             const QString &what) {
    const QString modelFile = write(u"model.txt"_s, model);
    const QString queryFile = write(u"query.zel"_s, query);
    const ToolRun run =
        tool({command, modelFile, queryFile, u"--alias"_s, u"PELLOX=standard:"_s + m_data});
    const QString context = what + u": "_s + run.err.left(300);
    QVERIFY2(!run.crashed, qPrintable(u"crashed, "_s + context));
    QVERIFY2(run.status >= 0 && run.status <= 2, qPrintable(u"status, "_s + context));
    if (run.status != 0) {
      QVERIFY2(run.err.contains(u"Error"_s), qPrintable(u"no message, "_s + context));
    }
  }

private slots:
  void initTestCase() {
    QVERIFY(m_dir.isValid());
    m_tool = QCoreApplication::applicationDirPath() + u"/zelquery"_s;
    QVERIFY2(QFileInfo(m_tool).isExecutable(), qPrintable(m_tool));
    m_data = QCoreApplication::applicationDirPath() + u"/Data"_s;
    m_model = examplesFile("pellox-model.txt");
    m_query = examplesFile("step1.zel");
    QVERIFY(!m_model.isEmpty() && !m_query.isEmpty());
  }

  // A model table without a database name used to end the tool with an uncaught error.
  void tableWithoutDatabaseName_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("sql") << u"sql"_s;
    QTest::newRow("run") << u"run"_s;
    QTest::newRow("check") << u"check"_s;
  }
  void tableWithoutDatabaseName() {
    QFETCH(QString, command);
    QByteArray model = m_model;
    model.replace("DatabaseName = 'PELLOX'", "");
    const QString modelFile = write(u"nodb.txt"_s, model);
    const QString queryFile = write(u"nodb.zel"_s, m_query);
    const ToolRun run = tool({command, modelFile, queryFile});
    QVERIFY2(!run.crashed, qPrintable(run.err));
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.startsWith(u"Error: "_s), qPrintable(run.err));
  }

  void mangledFiles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("mangleModel");
    QTest::addColumn<bool>("mangleQuery");
    for (const QString &command : {u"sql"_s, u"run"_s, u"check"_s}) {
      QTest::addRow("%s, model", qPrintable(command)) << command << true << false;
      QTest::addRow("%s, query", qPrintable(command)) << command << false << true;
      QTest::addRow("%s, both", qPrintable(command)) << command << true << true;
    }
  }
  void mangledFiles() {
    QFETCH(QString, command);
    QFETCH(bool, mangleModel);
    QFETCH(bool, mangleQuery);
    const int runs = qMax(1, qEnvironmentVariableIntValue("ZEL_FUZZ_RUNS") > 0
                                 ? qEnvironmentVariableIntValue("ZEL_FUZZ_RUNS") / 9
                                 : 40 / 9);
    const auto base = quint32(qHash(QString::fromLatin1(QTest::currentDataTag())) % 100000u);
    for (int i = 0; i < runs; ++i) {
      const quint32 seed = base + quint32(i);
      Mangler mangler(seed);
      const QByteArray model = mangleModel ? mangler.mangle(m_model) : m_model;
      const QByteArray query = mangleQuery ? mangler.mangle(m_query) : m_query;
      check(command, model, query, u"seed "_s + QString::number(seed));
      if (QTest::currentTestFailed())
        return;
    }
  }
};

QTEST_GUILESS_MAIN(TstZelQueryFuzz)
#include "tst_zelqueryfuzz.moc"
