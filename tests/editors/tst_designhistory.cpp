// SPDX-License-Identifier: MIT
// The design history: random steps through the calls the windows make, on the sample query and
// on a generated 50-table design; every undo restores the stored form of the step before it,
// byte for byte, and redo the one after.

#include "../support/gridmodel.h"
#include "../support/randomdesignsteps.h"
#include "../support/recordingmessages.h"
#include "../support/samplefiles.h"
#include "editors/designhistory.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelquery.h"

#include <QUndoStack>
#include <QtTest>

namespace {

QString formOf(const TzelComponent &design) {
  return StoredFormWriter().write(design);
}

} // namespace

class TestDesignHistory : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { useSampleData(); }
  void randomStepsUndoAndRedoExactly_data();
  void randomStepsUndoAndRedoExactly();
  void unchangedDesignRecordsNothing();
};

void TestDesignHistory::randomStepsUndoAndRedoExactly_data() {
  QTest::addColumn<int>("gridTables"); // 0: the sample model and query
  QTest::newRow("sample query") << 0;
  QTest::newRow("50 tables") << 50;
}

void TestDesignHistory::randomStepsUndoAndRedoExactly() {
  QFETCH(int, gridTables);
  std::unique_ptr<TzelModel> model;
  if (gridTables) {
    model = std::make_unique<TzelModel>();
    fillGridModel(*model, gridTables);
  } else {
    model = readSampleModel();
    QVERIFY(model);
  }
  TzelQuerion querion;
  querion.SetDataModel(model.get());
  if (!gridTables)
    QVERIFY(querion.LoadFromFile(examplesFile(QStringLiteral("step1.zel"))));
  TzelQuery *query = querion.Queries(0);
  const quint32 seed = QRandomGenerator::global()->generate();
  const QByteArray where = "seed " + QByteArray::number(seed);
  TzelDesignHistory history;
  history.setDesign(query);
  QStringList forms{formOf(*query)};
  RandomDesignSteps steps(*query, seed);
  for (int i = 0; i < 500; ++i)
    if (history.record(steps.step()))
      forms.append(formOf(*query));
  QUndoStack *stack = history.stack();
  QCOMPARE(stack->count(), forms.size() - 1);
  QVERIFY2(stack->count() > 100, where.constData());
  for (int i = int(forms.size()) - 2; i >= 0; --i) {
    stack->undo();
    QVERIFY2(formOf(*query) == forms.at(i), where.constData());
  }
  for (int i = 1; i < forms.size(); ++i) {
    stack->redo();
    QVERIFY2(formOf(*query) == forms.at(i), where.constData());
  }
  const int half = stack->count() / 2;
  stack->setIndex(half);
  QVERIFY2(formOf(*query) == forms.at(half), where.constData());
  query->SetIsDistinct(!query->IsDistinct());
  QVERIFY(history.record(QStringLiteral("Distinct")));
  QCOMPARE(stack->count(), half + 1);
  QVERIFY(!stack->canRedo());
  QCOMPARE(stack->undoText(), QStringLiteral("Distinct"));
  stack->undo();
  QVERIFY2(formOf(*query) == forms.at(half), where.constData());
}

void TestDesignHistory::unchangedDesignRecordsNothing() {
  TzelModel model;
  fillGridModel(model, 4);
  TzelQuerion querion;
  querion.SetDataModel(&model);
  TzelDesignHistory history;
  history.setDesign(querion.Queries(0));
  QVERIFY(!history.record(QStringLiteral("Nothing")));
  QCOMPARE(history.stack()->count(), 0);
  QVERIFY(history.stack()->isClean());
  // A form that cannot be read is said, and changes nothing.
  TzelQuery &query = *querion.Queries(0);
  query.AddTable({}, gridTableAlias(0), gridTableAlias(0));
  const QString form = StoredFormWriter().write(query);
  RecordingMessages rec;
  history.restore(qCompress("object Q: TzelQuery\n  object : TzelQueryTable\n    Nonsense = 1\n"
                            "  end\nend\n"));
  QCOMPARE(rec.messages.size(), 1);
  QCOMPARE(StoredFormWriter().write(query), form);
}

QTEST_MAIN(TestDesignHistory)
#include "tst_designhistory.moc"
