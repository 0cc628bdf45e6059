// SPDX-License-Identifier: MIT
#pragma once
// How a foreign key reads in messages, and the key of a pair of tables: making a model and
// refreshing it name keys and hold one default join per pair of tables alike.

#include <QString>
#include <QStringList>

// "child (columns) -> parent (columns)".
inline QString zelCatalogueKeyText(const QString &child, const QStringList &childColumns,
                                   const QString &parent, const QStringList &parentColumns) {
  return child + QStringLiteral(" (") + childColumns.join(QStringLiteral(", ")) +
         QStringLiteral(") -> ") + parent + QStringLiteral(" (") +
         parentColumns.join(QStringLiteral(", ")) + u')';
}

// Two tables' aliases in either order, ignoring case.
inline QString zelTablePairKey(const QString &a, const QString &b) {
  const QString x = a.toLower();
  const QString y = b.toLower();
  return x < y ? x + u'\n' + y : y + u'\n' + x;
}
