// SPDX-License-Identifier: MIT
#pragma once
// A big data model for the benchmarks and the window tests: tables of ten fields on a square
// grid 160 x 200 pixels apart, and 4 joins to every 3 tables: join j from table j (mod n) to
// the table right of it or below it (wrapping round to the first), field to field.

#include "model/zelmodel.h"

#include <QString>
#include <cmath>

inline QString gridTableAlias(int t) {
  return QStringLiteral("Table%1").arg(t);
}
inline QString gridFieldAlias(int f) {
  return QStringLiteral("Field%1").arg(f);
}

inline void fillGridModel(TzelModel &model, int tables) {
  constexpr int fields = 10;
  const int columns = int(std::sqrt(double(tables)));
  for (int t = 0; t < tables; ++t) {
    model.AddTable(QStringLiteral("BENCH"), QStringLiteral("T%1.DB").arg(t), gridTableAlias(t));
    TzelTable *table = model.GetTable(t);
    table->SetLeft(12 + (t % columns) * 160);
    table->SetTop(12 + (t / columns) * 200);
    for (int f = 0; f < fields; ++f) {
      table->AddField(QStringLiteral("F%1").arg(f), gridFieldAlias(f), ftInteger, 0);
      table->GetField(f)->SetPosition(f);
    }
  }
  for (int j = 0; j < tables * 4 / 3; ++j) {
    const int left = j % tables;
    const int right = (left + (j % 2 ? 1 : columns)) % tables;
    const int index = model.AddJoin(gridTableAlias(left), zelJoinInner, 0, gridTableAlias(right));
    model.GetJoin(index)->AddJoinField(gridFieldAlias(j % fields), zelJoinEqual,
                                       gridFieldAlias((j + 3) % fields));
  }
}
