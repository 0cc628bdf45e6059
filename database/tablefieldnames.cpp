// SPDX-License-Identifier: MIT
#include "database/tablefieldnames.h"

#include <QSet>

namespace {

// "Customers.Company" -> "Company": a name without spaces, a dot, then the field's name at
// once ("Avg. Price" keeps its abbreviation).
QString withoutTablePrefix(const QString &label) {
  const qsizetype dot = label.indexOf(u'.');
  if (dot <= 0 || dot + 1 >= label.size() || label[dot + 1].isSpace() ||
      label.left(dot).contains(u' '))
    return label;
  return label.mid(dot + 1);
}

bool isLegal(QChar c) {
  return c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_');
}

QString legalName(const QString &label) {
  // Decomposed, an accented letter is its base letter and a mark, which is dropped.
  const QString text = withoutTablePrefix(label).normalized(QString::NormalizationForm_KD);
  QString name;
  for (const QChar c : text) {
    if (c.isMark())
      continue;
    if (isLegal(c))
      name += c;
    else if (!name.isEmpty() && !name.endsWith(u'_'))
      name += u'_';
  }
  while (name.startsWith(u'_'))
    name.remove(0, 1);
  while (name.endsWith(u'_'))
    name.chop(1);
  if (name.isEmpty())
    return QStringLiteral("FIELD");
  if (!name.front().isLetter())
    name.prepend(u'F');
  return name;
}

} // namespace

QStringList zelTableFieldNames(const QStringList &labels, int limit) {
  QStringList names;
  QSet<QString> taken;
  for (const QString &label : labels) {
    const QString base = legalName(label);
    QString name = base.left(limit);
    for (int n = 2; taken.contains(name.toUpper()); ++n) {
      const QString suffix = u'_' + QString::number(n);
      name = base.left(limit - suffix.size()) + suffix;
    }
    taken.insert(name.toUpper());
    names << name;
  }
  return names;
}

QStringList zelTableFieldNames(const QList<TzelTableColumn> &columns, int limit) {
  QStringList labels;
  for (const TzelTableColumn &column : columns)
    labels << column.name;
  return zelTableFieldNames(labels, limit);
}
