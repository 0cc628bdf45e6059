// SPDX-License-Identifier: MIT
#include "chainquery.h"

#include "model/zelmodel.h"
#include "model/zelquery.h"

#include <QStringList>

namespace chainquery {

TFieldType fieldType(int f) {
  static const TFieldType types[] = {ftString, ftInteger, ftFloat, ftDate, ftCurrency};
  return types[f % 5];
}

QString sqliteType(TFieldType type) {
  switch (type) {
  case ftString:
  case ftDate:
    return QStringLiteral("TEXT");
  case ftInteger:
    return QStringLiteral("INTEGER");
  default:
    return QStringLiteral("REAL");
  }
}

QString tableName(int t) {
  return QStringLiteral("TBL_%1").arg(t);
}

QString tableAlias(int t) {
  return QStringLiteral("Table%1").arg(t);
}

QString sqliteTables() {
  QString text;
  for (int t = 0; t < Tables; ++t) {
    QStringList columns{QStringLiteral("ID INTEGER"), QStringLiteral("NEXT_ID INTEGER")};
    for (int f = 0; f < FieldsPerTable; ++f)
      columns << QStringLiteral("F_%1 %2").arg(f).arg(sqliteType(fieldType(f)));
    text += QStringLiteral("CREATE TABLE %1 (%2);\n").arg(tableName(t), columns.join(u", "));
  }
  return text;
}

std::unique_ptr<TzelModel> makeModel(TzelDatabase type, TzelJoinMethod joins) {
  auto model = std::make_unique<TzelModel>();
  model->setObjectName(QStringLiteral("zelDataModel1"));
  model->SetDatabaseType(type);
  model->SetJoinMethod(joins);
  model->SetAliasAs(true);
  model->SetAliasByTable(false);
  model->SetOrderByAlias(false);
  model->SetVerifyNames(true);
  model->SetNameQuote(zelQuoteDouble);
  model->SetStringQuote(zelQuoteSingle);
  model->SetDateQuote(QStringLiteral("'"));
  model->SetDateFormat(QStringLiteral("yyyy-mm-dd"));
  for (int t = 0; t < Tables; ++t) {
    TzelTable *table =
        model->GetTable(model->AddTable(QStringLiteral("BENCH"), tableName(t), tableAlias(t)));
    table->AddField(QStringLiteral("ID"), QStringLiteral("Id"), ftInteger, 0);
    table->AddField(QStringLiteral("NEXT_ID"), QStringLiteral("NextId"), ftInteger, 0);
    for (int f = 0; f < FieldsPerTable; ++f)
      table->AddField(QStringLiteral("F_%1").arg(f), QStringLiteral("Field%1").arg(f), fieldType(f),
                      fieldType(f) == ftString ? 30 : 0);
  }
  return model;
}

namespace {

QString filterFor(TFieldType type, int k) {
  switch (type) {
  case ftString:
    return QStringLiteral("A%|B%|C%|");
  case ftInteger:
    return QStringLiteral("%1|%2|%3|").arg(k).arg(k + 10).arg(k + 20);
  case ftDate: // the system's short date format, as a user types it
    return QStringLiteral("1/15/1998|12/31/1999|");
  default:
    return QStringLiteral("1.5|99.5|");
  }
}

TzelFilterOper operatorFor(TFieldType type) {
  switch (type) {
  case ftString:
    return zelFilterLike;
  case ftInteger:
    return zelFilterEqual;
  default:
    return zelFilterBetween;
  }
}

} // namespace

void fillQuery(TzelQuery &query) {
  for (int t = 0; t < Tables; ++t)
    query.AddTable(QString(), tableAlias(t), tableAlias(t));
  for (int t = 0; t + 1 < Tables; ++t) {
    TzelJoin *join =
        query.GetJoin(query.AddJoin(tableAlias(t), zelJoinInner, 0, tableAlias(t + 1)));
    join->AddJoinField(QStringLiteral("NextId"), zelJoinEqual, QStringLiteral("Id"));
  }
  int position = 0;
  for (int t = 0; t < Tables; ++t)
    for (int f = 0; f < FieldsPerTable; ++f) {
      TzelQueryValue *value =
          query.GetValue(query.AddValue(tableAlias(t), QStringLiteral("Field%1").arg(f), {}));
      value->SetPosition(position++);
    }
  for (int k = 0; k < 3; ++k)
    query.GetValue(k * 7)->SetSort(zelSortAscending);
  for (int k = 0; k < FilteredValues; ++k) {
    const int f = k % FieldsPerTable;
    TzelQueryValue *value = query.GetValue(k * FieldsPerTable + f);
    const TFieldType type = fieldType(f);
    value->SetFilter(k % FilterRows + 1, operatorFor(type), filterFor(type, k));
  }
}

} // namespace chainquery
