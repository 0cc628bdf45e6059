// SPDX-License-Identifier: MIT
#include "editors/tableplace.h"

#include "editors/tableaccessible.h"
#include "editors/tableform.h"
#include "model/aliasindex.h"

#include <QAccessible>
#include <utility>

int TzelTablePlace::row(const QString &field) const {
  if (m_rows.isEmpty()) {
    for (int i = int(fields.size()) - 1; i >= 0; --i) // the first of equal texts wins
      m_rows.insert(fields.at(i), i + 1);
    m_rows.insert(QStringLiteral("*"), 0);
  }
  return m_rows.value(field, -1);
}

void TzelTablePlace::setFieldActive(const QString &field, bool active) {
  for (int i = 0; i < fields.size(); ++i)
    if (zelSameText(fields.at(i), field)) {
      if (activeFields.size() <= i)
        activeFields = activeFields.leftJustified(i + 1, u'0');
      activeFields[i] = active ? u'1' : u'0';
      return;
    }
}

QAccessibleInterface *TzelTablePlace::accessible(QWidget *surface) const {
  if (!m_accessible)
    m_accessible = QAccessible::registerAccessibleInterface(new TzelTableAccessible(
        surface, TzelTableForm::accessibleNameOf(alias, int(fields.size())), geometry));
  return QAccessible::accessibleInterface(m_accessible);
}

void TzelTablePlace::forgetAccessible() {
  if (m_accessible)
    QAccessible::deleteAccessibleInterface(std::exchange(m_accessible, 0u));
}
