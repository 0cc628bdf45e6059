// SPDX-License-Identifier: MIT
#pragma once
// A small data model and query component for the query component's tests: the Customers
// table of the sample model (City of 15 characters, an invoice date) in a Paradox model.

#include "engine/zelquerion.h"
#include "model/zelmodel.h"

#include <QObject>
#include <QStringList>

inline TzelModel *makeCustomersModel(QObject *parent) {
  auto *model = new TzelModel(parent);
  model->setObjectName(QStringLiteral("zelDataModel1"));
  model->SetDatabaseType(zelParadox);
  model->AddTable(QStringLiteral("PELLOX"), QStringLiteral("T0490.DB"),
                  QStringLiteral("Customers"));
  TzelTable *table = model->GetTable(0);
  table->AddField(QStringLiteral("CUST_NO"), QStringLiteral("CustNo"), ftFloat, 0);
  table->AddField(QStringLiteral("CITY"), QStringLiteral("City"), ftString, 15);
  table->AddField(QStringLiteral("LAST_INV"), QStringLiteral("LastInvoice"), ftDate, 0);
  return model;
}

// The query of the query file example: Customers at (19, 12), the value City at position 2
// with the filter Vancouver|Bogota| in row 1.
inline void fillExampleQuery(TzelQuerion &querion) {
  querion.setObjectName(QStringLiteral("zelQuerion1"));
  querion.SetLeft(64);
  querion.SetTop(112);
  TzelQuery *query = querion.Queries(0);
  query->SetIsDistinct(true);
  query->AddTable(QString(), QStringLiteral("Customers"), QStringLiteral("Customers"));
  query->GetTable(0)->SetLeft(19);
  query->GetTable(0)->SetTop(12);
  TzelQueryValue *city =
      query->GetValue(query->AddValue(QStringLiteral("Customers"), QStringLiteral("City"), {}));
  city->SetPosition(2);
  city->SetFilter(1, zelFilterEqual, QStringLiteral("Vancouver|Bogota|"));
}

// The lines of one stored font of the page.
inline QStringList fontLines(const QString &font, int height, const QString &style) {
  const QString prefix = QStringLiteral("  Page.") + font + QStringLiteral("Font.");
  return {prefix + QStringLiteral("Color = clBlack"),
          prefix + QStringLiteral("Height = %1").arg(height),
          prefix + QStringLiteral("Name = 'Arial'"), prefix + QStringLiteral("Style = ") + style};
}
