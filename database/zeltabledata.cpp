// SPDX-License-Identifier: MIT
#include "database/zeltabledata.h"

#include <algorithm>

QList<int> zelLongestTexts(bool (*needsLongest)(const TzelColumnType &),
                           const QList<TzelTableColumn> &columns, TzelRowSource &rows) {
  QList<int> longest(columns.size(), 1);
  if (std::none_of(columns.cbegin(), columns.cend(),
                   [&](const TzelTableColumn &c) { return needsLongest(c.type); }))
    return longest;
  rows.rewind();
  QVariantList row;
  while (rows.next(row))
    for (int i = 0; i < columns.size(); ++i)
      if (needsLongest(columns[i].type))
        longest[i] = std::max(longest[i], int(row.value(i).toString().toLatin1().size()));
  return longest;
}
