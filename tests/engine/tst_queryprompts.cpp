// SPDX-License-Identifier: MIT
// The prompts a query run asks through: without any, every question says what to install
// and gives no; a component's own prompts win over the application's.

#include "database/zeldataset.h"
#include "engine/queryprompts.h"
#include "engine/zelquerion.h"
#include "support/querionfixture.h"
#include "support/recordingmessages.h"
#include "support/scriptedprompts.h"

#include <QtTest>
#include <functional>

using Question = std::function<bool(TzelQueryPrompts &)>;
Q_DECLARE_METATYPE(Question)

class TestQueryPrompts : public QObject {
  Q_OBJECT

private slots:
  void missingPromptsFailLoudly_data() {
    QTest::addColumn<Question>("ask");
    QTest::addColumn<QString>("what");
    QTest::newRow("parameters") << Question([](TzelQueryPrompts &p) {
      QStringList values{QStringLiteral("State=CA")};
      return p.askParams(values, nullptr);
    }) << "the parameter values";
    QTest::newRow("replacements") << Question([this](TzelQueryPrompts &p) {
      QList<TzelSyncRow> rows;
      return p.askReplacements(TzelSyncMode::Tables, rows, *makeCustomersModel(&m_owner));
    }) << "the alias replacements";
    QTest::newRow("export") << Question([this](TzelQueryPrompts &p) {
      return p.exportRecords(m_querion);
    }) << "the export file";
    QTest::newRow("page setup") << Question([this](TzelQueryPrompts &p) {
      return p.editPage(m_querion);
    }) << "the page setup";
    QTest::newRow("printer") << Question([this](TzelQueryPrompts &p) {
      return p.printRecords(m_querion, m_dataset);
    }) << "the printer";
    QTest::newRow("save method") << Question([](TzelQueryPrompts &p) {
      return p.askSaveMethod() != TzelSaveMethod::Cancel;
    }) << "the save method";
  }
  void missingPromptsFailLoudly() {
    QFETCH(Question, ask);
    QFETCH(QString, what);
    RecordingMessages rec;
    QVERIFY(!ask(zelQueryPrompts()));
    QCOMPARE(rec.texts(), QStringList{MissingPromptsMessage(what)});
    QVERIFY(rec.texts().constFirst().startsWith(QStringLiteral("Error: No query prompts")));
  }

  void componentPromptsWinOverTheApplications() {
    TzelQuerion querion;
    QCOMPARE(&querion.Prompts(), &zelQueryPrompts());
    ScriptedPromptsScope application;
    QCOMPARE(&querion.Prompts(), static_cast<TzelQueryPrompts *>(&application));
    ScriptedPrompts own;
    querion.SetPrompts(&own);
    QCOMPARE(&querion.Prompts(), static_cast<TzelQueryPrompts *>(&own));
  }

  // The page setup asks the component's prompts, not the application's.
  void pageSetupAsksTheComponentsPrompts() {
    RecordingMessages rec;
    ScriptedPromptsScope application;
    TzelQueryPrompts none;
    TzelQuerion querion;
    querion.SetPrompts(&none);
    QVERIFY(!querion.PageSetup());
    QCOMPARE(rec.texts(), QStringList{MissingPromptsMessage(QStringLiteral("the page setup"))});
  }

private:
  QObject m_owner;
  TzelQuerion m_querion;
  TzelDataset m_dataset;
};

QTEST_GUILESS_MAIN(TestQueryPrompts)
#include "tst_queryprompts.moc"
