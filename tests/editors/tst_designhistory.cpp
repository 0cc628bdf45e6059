// The design history: random steps through the calls the windows make, on the sample query and
// on a generated 50-table design; every undo restores the stored form of the step before it,
// byte for byte, and redo the one after.

#include "../support/gridmodel.h"
#include "../support/samplefiles.h"
#include "editors/designhistory.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "model/zelquery.h"

#include <QRandomGenerator>
#include <QUndoStack>
#include <QtTest>

namespace {

QString formOf(const TzelComponent &design) {
  return StoredFormWriter().write(design);
}

// One random step on the query, as a window would make it; returns the step's name.
class RandomSteps {
public:
  RandomSteps(TzelQuery &query, quint32 seed) : m_query(query), m_random(seed) {
    m_query.DataModel()->ListTableAliases(m_modelTables);
  }
  QString step() {
    switch (m_random.bounded(10)) {
    case 0:
      return addTable();
    case 1:
      return deleteTable();
    case 2:
      return renameTable();
    case 3:
      return moveTable();
    case 4:
      return addJoin();
    case 5:
      return changeOrDeleteJoin();
    case 6:
      return addValue();
    case 7:
      return editCell();
    case 8:
      return deleteValue();
    default:
      m_query.SetIsDistinct(!m_query.IsDistinct());
      return QStringLiteral("Distinct");
    }
  }

private:
  int pick(int count) { return count > 0 ? int(m_random.bounded(count)) : -1; }
  TzelTable *liveTable() {
    QStringList aliases;
    m_query.ListTableAliases(aliases);
    const int i = pick(int(aliases.size()));
    return i < 0 ? nullptr : m_query.GetTable(m_query.IndexOfTableAlias(aliases.at(i)));
  }
  QString addTable() {
    const QString name = m_modelTables.at(pick(int(m_modelTables.size())));
    const QString alias = m_query.MakeTableAlias(name);
    m_query.AddTable({}, name, alias);
    m_query.AddAutoJoins(name, alias);
    return QStringLiteral("Add Table ") + alias;
  }
  QString deleteTable() {
    TzelTable *table = liveTable();
    if (table)
      m_query.DeleteTable(table->TableAlias());
    return QStringLiteral("Delete Table");
  }
  QString renameTable() {
    if (TzelTable *table = liveTable())
      m_query.RenameTableAlias(m_query.IndexOfTableAlias(table->TableAlias()),
                               m_query.MakeTableAlias(QStringLiteral("Renamed")));
    return QStringLiteral("Rename Table");
  }
  QString moveTable() {
    if (TzelTable *table = liveTable()) {
      table->SetLeft(pick(2000));
      table->SetTop(pick(2000));
    }
    return QStringLiteral("Move Table");
  }
  bool joined(const TzelTable &left, const TzelTable &right) {
    TzelProbe probe(m_query);
    return m_query.IndexOfJoin(left.TableAlias(), right.TableAlias()) >= 0;
  }
  QString addJoin() {
    TzelTable *left = liveTable();
    TzelTable *right = liveTable();
    if (!left || !right || left == right || joined(*left, *right))
      return QStringLiteral("Add Join");
    const int j = m_query.AddJoin(left->TableAlias(), zelJoinInner, 0, right->TableAlias());
    QStringList leftFields, rightFields;
    m_query.ListFieldAliases(left->TableAlias(), leftFields);
    m_query.ListFieldAliases(right->TableAlias(), rightFields);
    if (!leftFields.isEmpty() && !rightFields.isEmpty())
      m_query.GetJoin(j)->AddJoinField(leftFields.at(pick(int(leftFields.size()))), zelJoinEqual,
                                       rightFields.at(pick(int(rightFields.size()))));
    return QStringLiteral("Add Join");
  }
  QString changeOrDeleteJoin() {
    const int j = pick(m_query.JoinCount());
    if (j < 0 || m_query.GetJoin(j)->Deleted())
      return QStringLiteral("Delete Join");
    if (m_random.bounded(2))
      m_query.GetJoin(j)->SetDeleted(true);
    else
      m_query.GetJoin(j)->SetJoinType(TzelJoinType(pick(3)));
    return QStringLiteral("Join");
  }
  QString addValue() {
    TzelTable *table = liveTable();
    if (!table)
      return QStringLiteral("Add Value");
    QStringList fields;
    m_query.ListFieldAliases(table->TableAlias(), fields);
    if (!fields.isEmpty())
      m_query.AddValue(table->TableAlias(), fields.at(pick(int(fields.size()))), {});
    return QStringLiteral("Add Value");
  }
  TzelQueryValue *liveValue() {
    const int v = pick(m_query.ValueCount());
    return v < 0 || m_query.GetValue(v)->Deleted() ? nullptr : m_query.GetValue(v);
  }
  QString editCell() {
    if (TzelQueryValue *value = liveValue()) {
      switch (m_random.bounded(3)) {
      case 0:
        value->SetSort(TzelSort(pick(3)));
        break;
      case 1:
        value->SetFormat(QStringLiteral("F%1").arg(pick(9)));
        break;
      default:
        value->SetFilter(pick(4) + 1, TzelFilterOper(pick(3)), QString::number(pick(100)));
      }
    }
    return QStringLiteral("Edit Cell");
  }
  QString deleteValue() {
    if (TzelQueryValue *value = liveValue())
      value->SetDeleted(true);
    return QStringLiteral("Delete Value");
  }

  TzelQuery &m_query;
  QRandomGenerator m_random;
  QStringList m_modelTables;
};

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
  RandomSteps steps(*query, seed);
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
}

QTEST_MAIN(TestDesignHistory)
#include "tst_designhistory.moc"
