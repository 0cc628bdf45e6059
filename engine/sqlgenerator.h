// SPDX-License-Identifier: MIT
#pragma once
// SQL generation: turns a query over a data model into one SELECT statement in the model's
// dialect, laid out for reading: every clause word right-aligned so that its first item
// starts in column 10, every further list item on its own line indented by nine spaces.

#include "engine/generationhost.h"
#include "model/zeltypes.h"
#include "zelcore_export.h"

#include <QDate>
#include <QString>
#include <QStringList>

class TzelQuery;
class TzelModel;
class TzelQueryValue;
class TzelJoin;
class TzelJoinField;

// An expression of white space only (spaces, tabs, line breaks): nothing a statement can hold.
inline bool zelBlankExpression(const QString &expression) {
  return expression.trimmed().isEmpty();
}

enum class TzelFilterKind { Where, Having };

// One table of a joined FROM: the joins whose conditions go into its ON.
struct ZELCORE_EXPORT TzelJoinStep {
  QString alias;
  TzelJoinType type;
  QList<const TzelJoin *> conditions;
};

// One generator serves one query and model; it is not re-entrant.
class ZELCORE_EXPORT TzelSqlGenerator {
public:
  TzelSqlGenerator(TzelQuery &query, TzelModel &model);

  // The whole run: ValidateQuery, table and field alias synchronisation, the parameter step
  // (which fills params), then the statement. True: sql holds it. False: a message was shown
  // or a dialog was cancelled, and sql is empty. The sync dialogs may change the query.
  bool GenerateSQL(QStringList &sql, QStringList &params, TzelGenerationHost &host);
  // Checks the query and shows the first failure's message; nothing is changed.
  bool ValidateQuery();
  // Builds the statement with the given parameter values, without validation or dialogs.
  // False (after a message) leaves sql empty.
  bool BuildStatement(const QStringList &params, QStringList &sql);

  // A calculated value's expression with field aliases turned into physical names; table
  // receives the first query table named in it. Raises EzelError when it is unbalanced.
  QString TranslateExpression(const QString &expression, QString *table = nullptr);
  // One filter cell as a condition on expr (without the enclosing parentheses); an empty
  // condition when the filter holds no item. False (after a message) for a parameter value
  // that is no number where one is written unquoted, or a Between with other than two items.
  bool BuildCondition(const QString &expr, const QString &filter, TzelFilterOper oper,
                      TFieldType dataType, TzelFilterKind kind, const QString &valueAlias,
                      QString &condition);

  void SetParams(const QStringList &params) { m_params = params; }
  // The date TODAY stands for (the current date unless set).
  void SetToday(QDate today) { m_today = today; }

private:
  bool BuildSelect();
  bool BuildFrom();
  bool BuildJoinedFrom();
  // False (after a message) for a join without field pairs, which no ON can express.
  bool CheckJoinFields(const QList<TzelJoin *> &joins);
  // The tables in writing order; false (after a message) when linked and some tables are
  // not joined to the others.
  bool PlanJoins(const QList<TzelJoin *> &joins, bool linked, QList<TzelJoinStep> &steps);
  bool WriteJoinStep(const TzelJoinStep &step, bool writeOn);
  bool BuildJoinCondition(const TzelJoin &join, const TzelJoinField &pair, QString &text);
  bool BuildJoinWhere(int &count);
  bool BuildFilterClause(TzelFilterKind kind);
  bool BuildGroupBy();
  bool BuildOrderBy();
  // The words between SELECT and the first value: DISTINCT, and TOP or FIRST where the
  // dialect limits the records there.
  QString SelectHead() const;
  // LIMIT, ROWS or FETCH after ORDER BY where the dialect limits the records there.
  bool BuildTopValues();
  // Alias to physical name (false after a message when a name is unknown).
  bool ResolveFieldRef(QString &tableAlias, QString &fieldAlias);
  bool ResolveTableRef(QString &tableAlias, QString &tableName);
  bool ValueExpression(const TzelQueryValue &value, QString &expr, QString *table = nullptr);
  QString AliasForm(const TzelQueryValue &value);
  bool LiteralItem(const QString &item, TzelFilterOper oper, TFieldType dataType,
                   TzelFilterKind kind, QString &literal);
  QList<TzelQueryValue *> ValuesByPosition() const;
  QString Name(const QString &name) const;
  void AppendLine();
  void CloseLastLine(const QString &text);

  TzelQuery &m_query;
  TzelModel &m_model;
  QStringList m_params;
  QDate m_today;
  QStringList m_sql;
  QString m_line;
  QString m_aliasSeparator = QStringLiteral(" AS ");
};
